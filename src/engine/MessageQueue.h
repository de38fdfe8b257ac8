#pragma once
// The native build's stand-in for a window's message queue: test threads post to it, tests wait
// for and read what was posted.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "engine/WindowMessages.h"

namespace sektra {

struct PostedMessage {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

class MessageQueue {
public:
    void Post(const PostedMessage& message);
    // Waits up to `timeout` for a message and takes it; false when none came.
    bool Wait(PostedMessage* message, std::chrono::milliseconds timeout);
    // Takes every message posted so far.
    std::vector<PostedMessage> TakeAll();
    // Makes every later Post fail, as PostMessageW to a destroyed window.
    void Refuse(bool refuse);

private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<PostedMessage> messages_;
    bool refuse_ = false;
    friend bool PostWindowMessage(WindowHandle, std::uint32_t, std::uintptr_t, std::intptr_t);
};

}  // namespace sektra
