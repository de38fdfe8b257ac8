#include "testwindows/win32/ResourceText.h"

#include "framework/win32/ApplicationBase.h"

namespace sektra {

std::wstring ResourceText(UINT id) {
    if (theApplication == nullptr) return std::wstring();
    const wchar_t* text = theApplication->LoadString(id);
    return text != nullptr ? std::wstring(text) : std::wstring();
}

std::wstring DeviceTextWide(const char* text) {
    std::wstring wide;
    if (text != nullptr && theApplication != nullptr) theApplication->NarrowToWide(text, wide);
    return wide;
}

void DisableCloseBox(HWND window) { EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_GRAYED); }

void ShowStopBox(HWND owner, UINT textId, UINT captionId) {
    const std::wstring text = ResourceText(textId);
    const std::wstring caption = ResourceText(captionId);
    MessageBoxW(owner, text.c_str(), caption.c_str(), MB_ICONHAND);
}

}  // namespace sektra
