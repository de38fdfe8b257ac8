#include "setup/win32/FolderDialog.h"

#include <shlobj.h>

#include "setup/SetupPaths.h"
#include "setup/UninstallEntry.h"
#include "setup/win32/SetupMessage.h"
#include "setup/win32/SetupResources.h"
#include "setup/win32/SetupSteps.h"

namespace sektra {

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A relative name would install into (and register) whatever the current directory is.
std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return path;
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH, buffer, nullptr);
    return (length == 0 || length >= MAX_PATH) ? path : std::wstring(buffer);
}

}  // namespace

void FolderDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle()) return;
    switch (record.message) {
    case WM_INITDIALOG:
        OnInitDialog();
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(record.wParam));
        break;
    case WM_CLOSE:
        End(static_cast<INT_PTR>(static_cast<int>(record.wParam)));
        record.result = 1;
        break;
    }
}

void FolderDialog::OnInitDialog() {
    folderEdit = std::make_unique<Control>(GetHandle(), kTextEdit);
    if (folderEdit->GetHandle() == nullptr) {
        PostMessage(WM_CLOSE, static_cast<WPARAM>(-1), 0);
        return;
    }
    const std::wstring registered = ReadRegisteredInstall(HKEY_LOCAL_MACHINE, kUninstallKeyPath).location;
    if (!registered.empty()) {
        folderEdit->SetText(registered.c_str());
        OnOk();
        return;
    }
    folderEdit->SetText((ShellFolder(CSIDL_PROGRAM_FILES) + L'\\' + kProductFolderName).c_str());
}

void FolderDialog::OnCommand(int id) {
    switch (id) {
    case kFolderOk:
        OnOk();
        break;
    case kBrowseButton:
        OnBrowse();
        break;
    case kFolderCancel:
        if (ConfirmCancel(GetHandle())) PostMessage(WM_CLOSE, static_cast<WPARAM>(-1), 0);
        break;
    }
}

void FolderDialog::OnOk() {
    const std::wstring folder = FullPath(folderEdit->GetText());
    if (!IsFolder(folder)) {
        if (ShowSetupMessage(GetHandle(), kTextCreateFolderQuestion, kTextCreateFolderTitle,
                             MB_ICONQUESTION | MB_YESNO) == IDNO) {
            return;
        }
        if (!CreateFolder(folder)) {
            ShowSetupMessage(GetHandle(), kTextCreateFolderFailed, kTextCreateFolderFailedTitle, MB_ICONERROR);
            return;
        }
    }
    installFolder = folder;
    PostMessage(WM_CLOSE, 0, 0);
}

bool FolderDialog::CreateFolder(const std::wstring& folder) {
    // Looked up at run time: older shells do not export it.
    using CreateDirectoryFunction = int(WINAPI*)(HWND, LPCWSTR, const SECURITY_ATTRIBUTES*);
    HMODULE shell = LoadLibraryW(L"Shell32.dll");
    if (shell == nullptr) return false;
    auto create = reinterpret_cast<CreateDirectoryFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHCreateDirectoryExW")));
    const bool created = create != nullptr && create(nullptr, folder.c_str(), nullptr) == ERROR_SUCCESS;
    FreeLibrary(shell);
    return created;
}

void FolderDialog::OnBrowse() {
    const HRESULT com = CoInitialize(nullptr);
    wchar_t name[MAX_PATH] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = GetHandle();
    browse.pszDisplayName = name;
    // File-system folders only, not below the domain, and computers may be browsed.
    browse.ulFlags = 0x1003;
    if (LPITEMIDLIST chosen = SHBrowseForFolderW(&browse)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(chosen, path)) {
            folderEdit->SetText(InstallFolderFromBrowse(path).c_str());
        }
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace sektra
