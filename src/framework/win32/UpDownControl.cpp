#include "framework/win32/UpDownControl.h"

#include <commctrl.h>

#include "framework/win32/CommonControls.h"

namespace sektra {

namespace {
bool upDownReady = false;
}

UpDownControl::UpDownControl(HWND dialog, int id) : Control(dialog, id) {
    EnsureCommonControls(ICC_UPDOWN_CLASS, upDownReady);
}

LRESULT UpDownControl::SetPos(short position) { return SendMessage(UDM_SETPOS, 0, MAKELPARAM(position, 0)); }

LRESULT UpDownControl::SetPos32(int position) { return SendMessage(UDM_SETPOS32, 0, position); }

LRESULT UpDownControl::SetRange(short lower, short upper) {
    return SendMessage(UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
}

LRESULT UpDownControl::SetRange32(int lower, int upper) { return SendMessage(UDM_SETRANGE32, lower, upper); }

int UpDownControl::GetPos() {
    const LRESULT answer = SendMessage(UDM_GETPOS, 0, 0);
    return HIWORD(answer) != 0 ? -1 : static_cast<int>(LOWORD(answer));
}

int UpDownControl::GetPos32() {
    BOOL error = FALSE;
    const LRESULT answer = SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error));
    return error ? -1 : static_cast<int>(answer);
}

int UpDownControl::GetRange(int& upper, int& lower) {
    const LRESULT answer = SendMessage(UDM_GETRANGE, 0, 0);
    upper = static_cast<short>(LOWORD(answer));
    lower = static_cast<short>(HIWORD(answer));
    return lower;
}

void UpDownControl::GetRange32(int& upper, int& lower) {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

}  // namespace sektra
