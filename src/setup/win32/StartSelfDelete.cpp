#include "setup/win32/StartSelfDelete.h"

#include <vector>

#include "framework/TextFile.h"
#include "setup/CleanupBatch.h"
#include "setup/SetupPaths.h"

namespace sektra {

namespace {

// Short (8.3) and long spellings of one folder compare equal only in their long forms.
std::wstring LongPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetLongPathNameW(path.c_str(), buffer, MAX_PATH);
    return (length == 0 || length >= MAX_PATH) ? path : std::wstring(buffer);
}

}  // namespace

bool RunsFromInstallFolder(const std::wstring& executable, const std::wstring& removedFolder) {
    if (executable.empty() || WithoutTrailingBackslash(removedFolder).empty()) return false;
    return SamePath(LongPath(FolderOf(executable)), LongPath(WithoutTrailingBackslash(removedFolder)));
}

int StartCleanupBatch(const std::wstring& executable, const std::wstring& tempFolder,
                      const std::wstring& systemFolder, PROCESS_INFORMATION& process) {
    if (tempFolder.empty()) return -1;
    const std::wstring batch = WithTrailingBackslash(tempFolder) + L"DelSK.bat";
    TextFile file;
    if (file.WriteLines(batch.c_str(), CleanupBatchLines(executable, batch)) != 0) return -1;

    // Through cmd /c with the batch quoted: an unquoted path with blanks would make Windows
    // try "C:\Documents.exe" and the like first. cmd strips the outer pair of quotes.
    const std::wstring interpreter = WithTrailingBackslash(systemFolder) + L"cmd.exe";
    std::wstring commandLine = L"cmd.exe /c \"\"" + batch + L"\"\"";
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    process = PROCESS_INFORMATION{};
    // Suspended and without a console window (CREATE_SUSPENDED | CREATE_NO_WINDOW). It runs in
    // the temporary folder: a cmd whose current directory is the install folder could not
    // remove that folder.
    const std::wstring workFolder = WithoutTrailingBackslash(tempFolder);
    if (!CreateProcessW(systemFolder.empty() ? nullptr : interpreter.c_str(), line.data(), nullptr, nullptr, FALSE,
                        0x08000004, nullptr, workFolder.c_str(), &startup, &process)) {
        process = PROCESS_INFORMATION{};
        return -1;
    }
    return 0;
}

}  // namespace sektra
