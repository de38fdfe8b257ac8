#include <windows.h>

#include "cli/RunMailbox.h"

namespace sektra {

struct RunMailbox::State {
    HWND window = nullptr;
};

RunMailbox::RunMailbox() : state_(std::make_unique<State>()) {
    // A message-only window of the predefined "Message" class: it receives posted messages on
    // this thread's queue and never shows.
    state_->window = CreateWindowExW(0, L"Message", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
}

RunMailbox::~RunMailbox() {
    if (state_->window != nullptr) DestroyWindow(state_->window);
}

WindowHandle RunMailbox::Handle() const { return state_->window; }

bool RunMailbox::Wait(std::uint32_t* message, std::uintptr_t* wParam, std::uint32_t milliseconds) {
    if (state_->window == nullptr) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, state_->window, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TEST_FINISHED || msg.message == WM_TEST_FAILED) {
                *message = msg.message;
                *wParam = msg.wParam;
                return true;
            }
            DispatchMessageW(&msg);
        }
        const DWORD waited = GetTickCount() - start;
        if (waited >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_POSTMESSAGE);
    }
}

}  // namespace sektra
