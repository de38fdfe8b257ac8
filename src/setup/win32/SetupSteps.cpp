#include "setup/win32/SetupSteps.h"

#include <shlobj.h>

#include "setup/FirstSettings.h"
#include "setup/SetupPaths.h"
#include "setup/UninstallEntry.h"
#include "setup/win32/ShortcutFile.h"

namespace sektra {

const wchar_t* const kProgramFiles[5] = {L"Sektra.exe", L"Sektra.chm", L"Readme.txt", L"Sektra.jpn", L"Setup.exe"};

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE)) return std::wstring();
    return WithoutTrailingBackslash(path);
}

RegisteredInstall ReadRegisteredInstall(HKEY root, const wchar_t* keyPath) {
    RegisteredInstall install;
    RegistryKey key;
    key.SetRoot(root);
    if (key.Open(keyPath) != 0) return install;
    install.version = key.GetNumber(L"VersionValue");
    install.location = key.GetString(L"InstallLocation");
    install.uninstallString = key.GetString(L"UninstallString");
    return install;
}

void CopyProgramFiles(const std::wstring& sourceFolder, const std::wstring& installFolder) {
    const std::wstring from = WithTrailingBackslash(sourceFolder);
    const std::wstring to = WithTrailingBackslash(installFolder);
    for (const wchar_t* name : kProgramFiles) {
        CopyFileW((from + name).c_str(), (to + name).c_str(), FALSE);
    }
}

int PrepareSettings(const std::wstring& localAppData, std::uint32_t registeredVersion) {
    if (localAppData.empty()) return -1;
    const std::wstring folder = WithoutTrailingBackslash(localAppData) + L"\\Sektra";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\Sektra.ini";
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!NeedsFreshSettings(registeredVersion, exists)) return 0;
    return WriteFirstSettings(path.c_str());
}

void CreateStartMenu(const std::wstring& programsFolder, const std::wstring& installFolder) {
    if (programsFolder.empty()) return;
    const std::wstring menu = WithoutTrailingBackslash(programsFolder) + L'\\' + kProductFolderName;
    CreateDirectoryW(menu.c_str(), nullptr);
    const std::wstring folder = WithTrailingBackslash(installFolder);
    const struct { const wchar_t* link; const wchar_t* target; } links[] = {
        {L"\\Sektra.lnk", L"Sektra.exe"},
        {L"\\Sektra Help.lnk", L"Sektra.chm"},
        {L"\\Readme.lnk", L"Readme.txt"},
    };
    for (const auto& l : links) {
        ShortcutFile shortcut;
        shortcut.SetTarget(folder + l.target);
        shortcut.Save(menu + l.link);
    }
}

void WriteUninstallEntry(HKEY root, const wchar_t* keyPath, const std::wstring& installFolder) {
    RegistryKey key;
    key.SetRoot(root);
    if (key.Create(keyPath, nullptr) != 0) return;
    for (const UninstallValue& value : UninstallValues(installFolder)) {
        if (value.type == UninstallValue::String) {
            key.SetString(value.name, value.text);
        } else {
            key.SetNumber(value.name, value.number);
        }
    }
    key.Close();
}

void RemoveProgramFiles(const std::wstring& installFolder) {
    if (WithoutTrailingBackslash(installFolder).empty()) return;
    const std::wstring folder = WithTrailingBackslash(installFolder);
    for (const wchar_t* name : kProgramFiles) DeleteFileW((folder + name).c_str());
    RemoveDirectoryW(WithoutTrailingBackslash(installFolder).c_str());
}

}  // namespace sektra
