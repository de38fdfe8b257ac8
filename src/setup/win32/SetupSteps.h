#pragma once
// The work of the install and removal steps, apart from their dialogs. Every path is given by
// the caller, so the steps can run on any folders; failures inside a step are ignored unless
// the result says otherwise.
#include <cstdint>
#include <string>

#include "setup/win32/RegistryKey.h"

namespace sektra {

// The five files of the distribution, in the order they are copied.
extern const wchar_t* const kProgramFiles[5];

// The shell's folder by CSIDL without a trailing backslash; empty when there is none.
std::wstring ShellFolder(int csidl);

// What the uninstall entry under HKEY_LOCAL_MACHINE says about an earlier installation.
struct RegisteredInstall {
    std::uint32_t version = 0;
    std::wstring location;
    std::wstring uninstallString;
};
RegisteredInstall ReadRegisteredInstall(HKEY root, const wchar_t* keyPath);

// Copies the five files from `sourceFolder` into `installFolder` (both with or without a
// trailing backslash), overwriting.
void CopyProgramFiles(const std::wstring& sourceFolder, const std::wstring& installFolder);
// Creates "<localAppData>\Sektra" and, unless an installation from 2.1.0 on is registered and
// its file exists, writes the first settings file there. -1 when that file cannot be written.
int PrepareSettings(const std::wstring& localAppData, std::uint32_t registeredVersion);
// "<programsFolder>\Sektra Meter" with the three shortcuts into `installFolder`.
void CreateStartMenu(const std::wstring& programsFolder, const std::wstring& installFolder);
// Creates or opens root\keyPath and writes every value of the entry.
void WriteUninstallEntry(HKEY root, const wchar_t* keyPath, const std::wstring& installFolder);

// Deletes the five installed files and then the folder, which stays when anything else is in
// it (files of the user's own, or the running Setup).
void RemoveProgramFiles(const std::wstring& installFolder);

}  // namespace sektra
