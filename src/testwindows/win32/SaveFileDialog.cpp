#include "testwindows/win32/SaveFileDialog.h"

#include <commdlg.h>

namespace sektra {

SaveFileDialog::SaveFileDialog(HWND owner) : owner(owner) {}

int SaveFileDialog::AddFilter(const wchar_t* description, const wchar_t* pattern) {
    if (description == nullptr || pattern == nullptr) return -1;
    filter += description;
    filter += L'\0';
    filter += pattern;
    filter += L'\0';
    return 0;
}

int SaveFileDialog::SetDefaultExtension(const wchar_t* extension) {
    if (extension == nullptr) return -1;
    defaultExtension = extension;
    hasDefaultExtension = true;
    return 0;
}

int SaveFileDialog::SetFileName(const wchar_t* name) {
    if (name == nullptr) return -1;
    lstrcpynW(fileName, name, kFileNameLength);
    return 0;
}

int SaveFileDialog::Show() {
    // The list ends with one more NUL; c_str() adds it after the last pattern's own.
    OPENFILENAMEW request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = fileName;
    request.nMaxFile = kFileNameLength;
    request.lpstrDefExt = hasDefaultExtension ? defaultExtension.c_str() : nullptr;
    request.Flags = OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK | OFN_EXPLORER | OFN_ENABLESIZING;
    request.lpfnHook = CentreSaveDialogHook;
    return GetSaveFileNameW(&request) ? 0 : -1;
}

UINT_PTR CALLBACK CentreSaveDialogHook(HWND hookDialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return 0;
    // The hook dialog is an invisible child; its parent is the dialog the user sees.
    const HWND dialog = GetParent(hookDialog);
    RECT workArea, bounds;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0) || !GetWindowRect(dialog, &bounds)) return 0;
    const int x = workArea.left + ((workArea.right - workArea.left) - (bounds.right - bounds.left)) / 2;
    const int y = workArea.top + ((workArea.bottom - workArea.top) - (bounds.bottom - bounds.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return 0;
}

}  // namespace sektra
