#pragma once
#include <windows.h>

namespace sektra {

// Registers the common-control classes named by `classes` (ICC_* bits) once per wrapper class:
// `ready` is that class's flag. When comctl32 cannot be loaded the flag stays false, so the
// next wrapper tries again.
void EnsureCommonControls(DWORD classes, bool& ready);

}  // namespace sektra
