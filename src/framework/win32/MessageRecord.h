#pragma once
// One dialog message on its way through the hub. The shared dialog procedure builds it on its
// stack, every filter and window object sees it, and `result` goes back to the system.
#include <windows.h>

namespace sektra {

struct MessageRecord {
    HWND window = nullptr;
    UINT message = 0;
    // Pointer-sized on purpose: WM_INITDIALOG carries the dialog object and WM_NOTIFY a record
    // pointer in lParam, which must survive a 64-bit build too.
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // What the dialog procedure returns: 1 for a message a handler reports as processed
    // (WM_INITDIALOG with the default focus, WM_SETCURSOR after setting a cursor).
    INT_PTR result = 0;
    // Free for the handlers; the framework itself never sets or reads it.
    bool handled = false;
};

}  // namespace sektra
