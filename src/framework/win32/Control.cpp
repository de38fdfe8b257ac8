#include "framework/win32/Control.h"

namespace sektra {

Control::Control(HWND dialog, int id) { Attach(GetDlgItem(dialog, id)); }

Control::~Control() { Attach(nullptr); }

}  // namespace sektra
