#include "setup/CleanupBatch.h"

#include "setup/SetupPaths.h"

namespace sektra {

std::wstring BatchQuoted(const std::wstring& path) {
    std::wstring quoted = L"\"";
    for (wchar_t c : path) {
        if (c == L'%') quoted += L'%';
        quoted += c;
    }
    return quoted + L'"';
}

std::vector<std::wstring> CleanupBatchLines(const std::wstring& executable, const std::wstring& batch) {
    const std::wstring exe = BatchQuoted(executable);
    const std::wstring folder = BatchQuoted(FolderOf(executable));
    return {
        L"@echo off",
        L"set SektraTries=0",
        L":LABEL1",
        L"del " + exe,
        L"IF NOT EXIST " + exe + L" goto LABEL2",
        L"set /a SektraTries+=1",
        L"IF %SektraTries% GEQ " + std::to_wstring(kCleanupAttempts) + L" goto LABEL2",
        // ping is the one pause that every Windows version has; it waits about a second.
        L"ping -n 2 127.0.0.1 > nul",
        L"goto LABEL1",
        L":LABEL2",
        L"RMDIR " + folder,
        L"del " + BatchQuoted(batch),
    };
}

}  // namespace sektra
