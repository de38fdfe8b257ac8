#include "setup/win32/SetupMessage.h"

#include "framework/win32/ApplicationBase.h"
#include "framework/win32/Window.h"
#include "setup/win32/SetupResources.h"

namespace sektra {

std::wstring SetupString(int id) {
    return theApplication ? std::wstring(theApplication->LoadString(static_cast<UINT>(id))) : std::wstring();
}

int ShowSetupMessage(HWND owner, int textId, int titleId, UINT style) {
    const std::wstring text = SetupString(textId);
    const std::wstring title = SetupString(titleId);
    return MessageBoxW(owner, text.c_str(), title.c_str(), style);
}

bool ConfirmCancel(HWND owner) {
    return ShowSetupMessage(owner, kTextCancelQuestion, kTextCancelTitle, MB_ICONQUESTION | MB_YESNO) != IDNO;
}

void SetSetupClassIcons(Window& dialog) {
    HINSTANCE instance = theApplication ? theApplication->GetInstance() : GetModuleHandleW(nullptr);
    if (HANDLE big = LoadImageW(instance, MAKEINTRESOURCEW(kSetupIcon), IMAGE_ICON, 32, 32, 0)) {
        dialog.SetClassIcon(static_cast<HICON>(big));
    }
    if (HANDLE little = LoadImageW(instance, MAKEINTRESOURCEW(kSetupIcon), IMAGE_ICON, 16, 16, 0)) {
        dialog.SetClassSmallIcon(static_cast<HICON>(little));
    }
}

void PaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace sektra
