#pragma once
// What the programs ask about the system: version, folders, languages, user and computer.
// Folders are computed on first use and cached per object; the version record is read once per
// process.
#include <windows.h>

#include <string>

namespace sektra {

class SystemInfo {
public:
    SystemInfo();
    virtual ~SystemInfo() = default;

    // Folders: empty when the system call fails. "WithBackslash" forms end in exactly one.
    virtual std::wstring GetCurrentFolder();
    virtual std::wstring GetCurrentFolderWithBackslash();
    virtual std::wstring GetSystemFolder();
    virtual std::wstring GetSystemFolderWithBackslash();
    virtual std::wstring GetWindowsFolder();
    virtual std::wstring GetWindowsFolderWithBackslash();
    virtual std::wstring GetAppDataFolder();       // per user (CSIDL_APPDATA), with backslash
    virtual std::wstring GetLocalAppDataFolder();  // per user (CSIDL_LOCAL_APPDATA), with backslash
    virtual std::wstring GetTempFolder();          // with backslash

    virtual DWORD GetMajorVersion() const;
    virtual DWORD GetMinorVersion() const;
    virtual DWORD GetPlatformId() const;
    virtual bool IsWin9x() const;
    virtual bool IsNT() const;
    virtual bool IsWin95() const;
    virtual bool IsWin98() const;
    virtual bool IsWinMe() const;
    virtual bool IsNT4() const;
    virtual bool IsWin2000() const;
    virtual bool IsWinXP() const;

    // LOCALE_SABBREVLANGNAME, e.g. "JPN".
    virtual std::wstring GetSystemLanguage() const;
    virtual std::wstring GetUserLanguage() const;
    // 0 with the name, or -1.
    virtual int GetLogonUserName(std::wstring& name) const;
    virtual int GetComputerNetName(std::wstring& name) const;

private:
    std::wstring currentFolder, currentFolderWithBackslash;
    std::wstring systemFolder, systemFolderWithBackslash;
    std::wstring windowsFolder, windowsFolderWithBackslash;
    std::wstring appDataFolder, localAppDataFolder, tempFolder;
};

}  // namespace sektra
