#pragma once
// Starting the clean-up batch that deletes Setup once it has ended.
#include <windows.h>

#include <string>

namespace sektra {

// Whether the running executable may be deleted: only a Setup that runs from the folder the
// removal took away (the installed copy). A Setup started from the distribution folder or
// anywhere else stays where it is.
bool RunsFromInstallFolder(const std::wstring& executable, const std::wstring& removedFolder);

// Writes "DelSK.bat" into `tempFolder` for `executable` and creates its hidden process
// suspended (resume its thread when Setup is about to end). 0 with the handles, or -1.
int StartCleanupBatch(const std::wstring& executable, const std::wstring& tempFolder,
                      const std::wstring& systemFolder, PROCESS_INFORMATION& process);

}  // namespace sektra
