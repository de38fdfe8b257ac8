#pragma once
// A shell link (.lnk) written through the shell's link object.
#include <windows.h>

#include <string>

namespace sektra {

class ShortcutFile {
public:
    void SetTarget(const std::wstring& path) { targetPath = path; }
    // Writes the link to `linkPath` (COM is initialised for the call and released again).
    // 0, or -1 when COM, the link object or the save fails.
    int Save(const std::wstring& linkPath);

    std::wstring targetPath;
    std::wstring workingDirectory;
    std::wstring iconPath;
    std::wstring arguments;
    std::wstring description;
    int showCommand = SW_SHOW;
    int iconIndex = 0;
    WORD hotKey = 0;

private:
    std::wstring savedPath;
};

}  // namespace sektra
