#pragma once
// A child control of a dialog. The dialog owns the control window: the wrapper only detaches.
#include "framework/win32/Window.h"

namespace sektra {

class Control : public Window {
public:
    Control(HWND dialog, int id);
    ~Control() override;
};

}  // namespace sektra
