#pragma once
// Path text that Setup composes: Windows paths with backslashes, compared the way the file
// system compares them (letter case does not matter).
#include <string>

namespace sektra {

// The folder that installs propose and that browsing appends ("\Sektra Meter").
extern const wchar_t* const kProductFolderName;

std::wstring WithTrailingBackslash(const std::wstring& path);
// Removes every trailing backslash.
std::wstring WithoutTrailingBackslash(const std::wstring& path);
// The path without its last backslash and what follows; empty when there is no backslash.
std::wstring FolderOf(const std::wstring& path);
// Equal ignoring ASCII letter case and trailing backslashes.
bool SamePath(const std::wstring& a, const std::wstring& b);
// A folder picked in the browser: without a trailing backslash, and with "\Sektra Meter"
// appended unless its last component already is that name (in any letter case).
std::wstring InstallFolderFromBrowse(const std::wstring& chosen);

}  // namespace sektra
