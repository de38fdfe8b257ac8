#include "app/win32/ModuleTexts.h"

#include "app/win32/MessageBoxes.h"

namespace sektra {

std::wstring ModuleTexts::String(unsigned id) const { return ResourceString(id); }

}  // namespace sektra
