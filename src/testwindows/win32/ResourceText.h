#pragma once
// Small helpers the test windows and their dialogs share: resource strings, device texts, the
// disabled close box and the stop-icon message box.
#include <windows.h>

#include <string>

namespace sektra {

// A copy of resource string `id` of the language module (empty when there is none).
std::wstring ResourceText(UINT id);
// A text read from a device (OEM code page) as wide text.
std::wstring DeviceTextWide(const char* text);
// Greys SC_CLOSE in the window's system menu, so only the window's own buttons close it.
void DisableCloseBox(HWND window);
// MessageBoxW(owner, string textId, string captionId, MB_ICONHAND).
void ShowStopBox(HWND owner, UINT textId, UINT captionId);

}  // namespace sektra
