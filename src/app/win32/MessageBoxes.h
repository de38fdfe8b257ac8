#pragma once
// Every message box of Sektra is shown through ShowMessageBox, so that the Windows tests can
// answer them instead of a user (a real box would block a headless test run).
#include <windows.h>

#include <string>

namespace sektra {

using MessageBoxHandler = int (*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// MessageBoxW unless a handler is installed; the box's result.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

// Installs `handler` (null: MessageBoxW again) and returns the previous one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// A string of the language module, copied out of the shared buffer.
std::wstring ResourceString(UINT id);

}  // namespace sektra
