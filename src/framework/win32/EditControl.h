#pragma once
#include "framework/win32/Control.h"

namespace sektra {

class EditControl : public Control {
public:
    using Control::Control;

    virtual void SetLimitText(int characters);
    virtual int GetLimitText();
};

}  // namespace sektra
