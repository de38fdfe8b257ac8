#pragma once
// The window a test thread reports to, and the two messages that end every run. On Windows the
// window is an HWND and the messages travel with PostMessageW; the native build has no windows,
// so there a "window" is a MessageQueue that tests read.
#include <cstdint>

#if defined(_WIN32)
struct HWND__;
#endif

namespace sektra {

#if defined(_WIN32)
using WindowHandle = HWND__*;
#else
class MessageQueue;
using WindowHandle = MessageQueue*;
#endif

// Posted once, as the last thing a test thread does.
constexpr std::uint32_t WM_TEST_FINISHED = 0x0400 + 200;  // WM_USER + 200; wParam 0
constexpr std::uint32_t WM_TEST_FAILED = 0x0400 + 201;    // WM_USER + 201; wParam below

// wParam of WM_TEST_FAILED.
constexpr std::uintptr_t kFailedToStart = 1;    // capacity, buffer or warm-up failed
constexpr std::uintptr_t kCommandFailed = 2;    // a timed command failed

// PostMessageW to the window; false when it could not be posted.
bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace sektra
