#include "framework/win32/ProgressBar.h"

#include <commctrl.h>

#include "framework/win32/CommonControls.h"

namespace sektra {

namespace {
bool progressBarReady = false;
}

ProgressBar::ProgressBar(HWND dialog, int id) : Control(dialog, id) {
    EnsureCommonControls(ICC_PROGRESS_CLASS, progressBarReady);
}

LRESULT ProgressBar::SetPos(int position) { return SendMessage(PBM_SETPOS, position, 0); }

LRESULT ProgressBar::SetRange(int minimum, int maximum) {
    return SendMessage(PBM_SETRANGE, 0, MAKELPARAM(minimum, maximum));
}

LRESULT ProgressBar::SetRange32(int minimum, int maximum) { return SendMessage(PBM_SETRANGE32, minimum, maximum); }

LRESULT ProgressBar::SetStep(int step) { return SendMessage(PBM_SETSTEP, step, 0); }

LRESULT ProgressBar::GetPos() { return SendMessage(PBM_GETPOS, 0, 0); }

LRESULT ProgressBar::GetRange(int& minimum, int& maximum) {
    PBRANGE range{};
    const LRESULT result = SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    minimum = range.iLow;
    maximum = range.iHigh;
    return result;
}

LRESULT ProgressBar::DeltaPos(int delta) { return SendMessage(PBM_DELTAPOS, delta, 0); }

LRESULT ProgressBar::StepIt() { return SendMessage(PBM_STEPIT, 0, 0); }

}  // namespace sektra
