#include "cli/RunMailbox.h"

#include "engine/MessageQueue.h"

namespace sektra {

struct RunMailbox::State {
    MessageQueue queue;
};

RunMailbox::RunMailbox() : state_(std::make_unique<State>()) {}

RunMailbox::~RunMailbox() = default;

WindowHandle RunMailbox::Handle() const { return &state_->queue; }

bool RunMailbox::Wait(std::uint32_t* message, std::uintptr_t* wParam, std::uint32_t milliseconds) {
    PostedMessage posted{};
    if (!state_->queue.Wait(&posted, std::chrono::milliseconds(milliseconds))) return false;
    *message = posted.message;
    *wParam = posted.wParam;
    return true;
}

}  // namespace sektra
