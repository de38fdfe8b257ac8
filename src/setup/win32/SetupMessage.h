#pragma once
// Message boxes and icons from Setup's own resources.
#include <windows.h>

#include <string>

namespace sektra {

class Window;

// The string `id` of Setup's string table, copied.
std::wstring SetupString(int id);
// MessageBoxW with the texts of strings `textId` and `titleId`.
int ShowSetupMessage(HWND owner, int textId, int titleId, UINT style);
// Asks text 21 / title 20 (Yes, No) and tells whether the user wants to cancel the install.
bool ConfirmCancel(HWND owner);
// Icon 102 as the dialog class's large and small icon.
void SetSetupClassIcons(Window& dialog);
// Paints the window and its controls now. The install and removal steps post one another,
// so the queue never runs empty and WM_PAINT would not come before the last step.
void PaintNow(HWND window);

}  // namespace sektra
