#pragma once
// HtmlHelpW from the HTML Help control, loaded on first use.
#include <windows.h>

namespace sektra {

// HtmlHelpW(window, file, command, data), or 0 when no HTML Help library or function is
// found; once that has failed, later calls do not try again.
HWND CallHtmlHelp(HWND window, const wchar_t* file, UINT command, DWORD_PTR data);

}  // namespace sektra
