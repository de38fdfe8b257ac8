#pragma once
// The progress-bar control of a dialog; every operation returns the control's answer.
#include <windows.h>

#include "framework/win32/Control.h"

namespace sektra {

class ProgressBar : public Control {
public:
    ProgressBar(HWND dialog, int id);

    virtual LRESULT SetPos(int position);
    virtual LRESULT SetRange(int minimum, int maximum);  // 16-bit limits
    virtual LRESULT SetRange32(int minimum, int maximum);
    virtual LRESULT SetStep(int step);
    virtual LRESULT GetPos();
    virtual LRESULT GetRange(int& minimum, int& maximum);
    virtual LRESULT DeltaPos(int delta);
    virtual LRESULT StepIt();
};

}  // namespace sektra
