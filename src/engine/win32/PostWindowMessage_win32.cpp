#include <windows.h>

#include "engine/WindowMessages.h"

namespace sektra {

bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return PostMessageW(window, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != FALSE;
}

}  // namespace sektra
