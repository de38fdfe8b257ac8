#pragma once
// The up-down (spin) control of a dialog.
#include <windows.h>

#include "framework/win32/Control.h"

namespace sektra {

class UpDownControl : public Control {
public:
    UpDownControl(HWND dialog, int id);

    virtual LRESULT SetPos(short position);
    virtual LRESULT SetPos32(int position);
    virtual LRESULT SetRange(short lower, short upper);
    virtual LRESULT SetRange32(int lower, int upper);
    virtual int GetPos();    // -1 when the control reports an error
    virtual int GetPos32();  // -1 when the control reports an error
    virtual int GetRange(int& upper, int& lower);  // returns the lower limit
    virtual void GetRange32(int& upper, int& lower);
};

}  // namespace sektra
