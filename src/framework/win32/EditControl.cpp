#include "framework/win32/EditControl.h"

namespace sektra {

void EditControl::SetLimitText(int characters) { SendMessage(EM_LIMITTEXT, characters, 0); }

int EditControl::GetLimitText() { return static_cast<int>(SendMessage(EM_GETLIMITTEXT, 0, 0)); }

}  // namespace sektra
