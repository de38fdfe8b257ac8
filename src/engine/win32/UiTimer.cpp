#include "engine/win32/UiTimer.h"

namespace sektra {
namespace {

// Timers are created on the UI thread only.
std::uint32_t nextTimerId = 100;

}  // namespace

UiTimer::UiTimer(HWND window) : window(window), id(nextTimerId++) {}

UiTimer::~UiTimer() { Stop(); }

std::uint32_t UiTimer::GetId() { return active ? id : 0; }

std::uint32_t UiTimer::Start(std::uint32_t interval) {
    if (active) return interval;
    const UINT_PTR result = SetTimer(window, id, interval, nullptr);
    if (result != 0) active = true;
    return static_cast<std::uint32_t>(result);
}

BOOL UiTimer::Stop() {
    if (!active) return FALSE;
    const BOOL result = KillTimer(window, id);
    if (result) active = false;
    return result;
}

}  // namespace sektra
