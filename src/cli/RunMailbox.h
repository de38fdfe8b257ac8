#pragma once
// Where a test thread posts its end message when no test window is open: on Windows a
// message-only window of the runner's thread, natively the engine's MessageQueue.
#include <cstdint>
#include <memory>

#include "engine/WindowMessages.h"

namespace sektra {

class RunMailbox {
public:
    RunMailbox();
    ~RunMailbox();
    RunMailbox(const RunMailbox&) = delete;
    RunMailbox& operator=(const RunMailbox&) = delete;

    // The "window" to give the test thread; null when none could be made.
    WindowHandle Handle() const;
    // Waits up to `milliseconds` for a message posted to Handle(); false when none came.
    bool Wait(std::uint32_t* message, std::uintptr_t* wParam, std::uint32_t milliseconds);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace sektra
