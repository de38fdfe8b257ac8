#include "framework/win32/SystemInfo.h"

#include <shlobj.h>

namespace sektra {

namespace {

// Filled by the first SystemInfo of the process.
OSVERSIONINFOEXW versionRecord;
bool versionRecordFilled = false;

// The two forms of a folder: without and with exactly one trailing backslash.
void SetFolderForms(const wchar_t* path, std::wstring& plain, std::wstring& withBackslash) {
    plain = path;
    while (!plain.empty() && plain.back() == L'\\') plain.pop_back();
    withBackslash = plain + L'\\';
}

template <typename Query>
void FillFolder(Query query, std::wstring& plain, std::wstring& withBackslash) {
    if (!plain.empty()) return;
    wchar_t buffer[520] = {};
    const UINT length = query(buffer, 520);
    if (length == 0 || length >= 520) return;
    SetFolderForms(buffer, plain, withBackslash);
}

std::wstring SpecialFolder(int folder) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, &list)) || list == nullptr) return std::wstring();
    wchar_t path[MAX_PATH] = {};
    const BOOL found = SHGetPathFromIDListW(list, path);
    CoTaskMemFree(list);
    if (!found || path[0] == L'\0') return std::wstring();
    std::wstring plain, withBackslash;
    SetFolderForms(path, plain, withBackslash);
    return withBackslash;
}

std::wstring LanguageAbbreviation(LCID locale) {
    wchar_t buffer[8] = {};
    if (GetLocaleInfoW(locale, LOCALE_SABBREVLANGNAME, buffer, 8) == 0) return std::wstring();
    return buffer;
}

}  // namespace

SystemInfo::SystemInfo() {
    if (versionRecordFilled) return;
    ZeroMemory(&versionRecord, sizeof versionRecord);
    versionRecord.dwOSVersionInfoSize = sizeof versionRecord;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    versionRecordFilled = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&versionRecord)) != FALSE;
#pragma GCC diagnostic pop
}

std::wstring SystemInfo::GetCurrentFolder() {
    FillFolder([](wchar_t* b, UINT n) { return static_cast<UINT>(GetCurrentDirectoryW(n, b)); }, currentFolder,
               currentFolderWithBackslash);
    return currentFolder;
}

std::wstring SystemInfo::GetCurrentFolderWithBackslash() {
    GetCurrentFolder();
    return currentFolderWithBackslash;
}

std::wstring SystemInfo::GetSystemFolder() {
    FillFolder([](wchar_t* b, UINT n) { return GetSystemDirectoryW(b, n); }, systemFolder, systemFolderWithBackslash);
    return systemFolder;
}

std::wstring SystemInfo::GetSystemFolderWithBackslash() {
    GetSystemFolder();
    return systemFolderWithBackslash;
}

std::wstring SystemInfo::GetWindowsFolder() {
    FillFolder([](wchar_t* b, UINT n) { return GetWindowsDirectoryW(b, n); }, windowsFolder,
               windowsFolderWithBackslash);
    return windowsFolder;
}

std::wstring SystemInfo::GetWindowsFolderWithBackslash() {
    GetWindowsFolder();
    return windowsFolderWithBackslash;
}

std::wstring SystemInfo::GetAppDataFolder() {
    if (appDataFolder.empty()) appDataFolder = SpecialFolder(CSIDL_APPDATA);
    return appDataFolder;
}

std::wstring SystemInfo::GetLocalAppDataFolder() {
    if (localAppDataFolder.empty()) localAppDataFolder = SpecialFolder(CSIDL_LOCAL_APPDATA);
    return localAppDataFolder;
}

std::wstring SystemInfo::GetTempFolder() {
    if (tempFolder.empty()) {
        std::wstring plain;
        FillFolder([](wchar_t* b, UINT n) { return static_cast<UINT>(GetTempPathW(n, b)); }, plain, tempFolder);
    }
    return tempFolder;
}

DWORD SystemInfo::GetMajorVersion() const { return versionRecord.dwMajorVersion; }

DWORD SystemInfo::GetMinorVersion() const { return versionRecord.dwMinorVersion; }

DWORD SystemInfo::GetPlatformId() const { return versionRecord.dwPlatformId; }

bool SystemInfo::IsWin9x() const { return GetPlatformId() == VER_PLATFORM_WIN32_WINDOWS; }

bool SystemInfo::IsNT() const { return GetPlatformId() == VER_PLATFORM_WIN32_NT; }

bool SystemInfo::IsWin95() const { return IsWin9x() && GetMinorVersion() == 0; }

bool SystemInfo::IsWin98() const { return IsWin9x() && GetMinorVersion() == 10; }

bool SystemInfo::IsWinMe() const { return IsWin9x() && GetMinorVersion() == 90; }

bool SystemInfo::IsNT4() const { return IsNT() && GetMajorVersion() == 4; }

bool SystemInfo::IsWin2000() const { return IsNT() && GetMajorVersion() == 5 && GetMinorVersion() == 0; }

bool SystemInfo::IsWinXP() const { return IsNT() && GetMajorVersion() == 5 && GetMinorVersion() == 1; }

std::wstring SystemInfo::GetSystemLanguage() const { return LanguageAbbreviation(LOCALE_SYSTEM_DEFAULT); }

std::wstring SystemInfo::GetUserLanguage() const { return LanguageAbbreviation(LOCALE_USER_DEFAULT); }

int SystemInfo::GetLogonUserName(std::wstring& name) const {
    wchar_t buffer[256] = {};
    DWORD size = 256;
    if (!GetUserNameW(buffer, &size)) return -1;
    name = buffer;
    return 0;
}

int SystemInfo::GetComputerNetName(std::wstring& name) const {
    wchar_t buffer[256] = {};
    DWORD size = 256;
    if (!GetComputerNameW(buffer, &size)) return -1;
    name = buffer;
    return 0;
}

}  // namespace sektra
