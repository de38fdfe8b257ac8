#include "engine/MessageQueue.h"

namespace sektra {

void MessageQueue::Post(const PostedMessage& message) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        messages_.push_back(message);
    }
    posted_.notify_all();
}

bool MessageQueue::Wait(PostedMessage* message, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [this] { return !messages_.empty(); })) return false;
    *message = messages_.front();
    messages_.pop_front();
    return true;
}

std::vector<PostedMessage> MessageQueue::TakeAll() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<PostedMessage> all(messages_.begin(), messages_.end());
    messages_.clear();
    return all;
}

void MessageQueue::Refuse(bool refuse) {
    std::lock_guard<std::mutex> lock(mutex_);
    refuse_ = refuse;
}

bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (window == nullptr) return false;
    {
        std::lock_guard<std::mutex> lock(window->mutex_);
        if (window->refuse_) return false;
    }
    window->Post(PostedMessage{message, wParam, lParam});
    return true;
}

}  // namespace sektra
