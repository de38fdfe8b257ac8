#pragma once
// The window timer with which a test window reads its thread's counters. Every timer of the
// process gets its own id, from 100 on, never reused, so a tick of a timer already stopped can
// be told apart from the current one's.
#include <windows.h>

#include <cstdint>

namespace sektra {

class UiTimer {
public:
    explicit UiTimer(HWND window);
    virtual ~UiTimer();
    UiTimer(const UiTimer&) = delete;
    UiTimer& operator=(const UiTimer&) = delete;

    // The id while the timer runs, 0 otherwise: compare it with WM_TIMER's wParam.
    virtual std::uint32_t GetId();
    // SetTimer with the period in milliseconds; returns its result (0 = failure). A running
    // timer is left alone and the period is returned unchanged.
    virtual std::uint32_t Start(std::uint32_t interval);
    // KillTimer; 0 when the timer was not running or could not be stopped.
    virtual BOOL Stop();

private:
    HWND window;
    std::uint32_t id;
    bool active = false;
};

}  // namespace sektra
