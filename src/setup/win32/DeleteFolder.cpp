#include "setup/win32/DeleteFolder.h"

#include <windows.h>

#include "setup/SetupPaths.h"

namespace sektra {

namespace {

// An empty path would search "\*.*", the root of the current drive; a bare drive or a root
// is never a folder of ours either.
bool IsRemovableFolder(const std::wstring& path) {
    const std::wstring plain = WithoutTrailingBackslash(path);
    if (plain.empty()) return false;
    if (plain.size() == 2 && plain[1] == L':') return false;
    return true;
}

}  // namespace

void DeleteFolder(const std::wstring& path) {
    if (!IsRemovableFolder(path)) return;
    const std::wstring folder = WithTrailingBackslash(path);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring full = folder + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                RemoveDirectoryW(full.c_str());
            } else {
                DeleteFolder(full);
            }
        } else {
            DeleteFileW(full.c_str());
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    RemoveDirectoryW(WithoutTrailingBackslash(path).c_str());
}

}  // namespace sektra
