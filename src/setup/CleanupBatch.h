#pragma once
// The hidden batch that removes Setup after removal: Windows cannot delete a running
// executable, so the batch keeps trying until Setup has ended, then removes Setup's folder
// (only when it is empty) and finally itself.
#include <string>
#include <vector>

namespace sektra {

// How many times the batch tries to delete the executable, about a second apart, before it
// gives up (a read-only medium or missing rights would otherwise keep it looping forever).
constexpr int kCleanupAttempts = 120;

// The batch's lines for the running executable `executable` and the batch's own path `batch`.
std::vector<std::wstring> CleanupBatchLines(const std::wstring& executable, const std::wstring& batch);

// A path as a batch line must spell it: cmd expands %NAME% even inside quotes, so a '%' of a
// folder name is doubled.
std::wstring BatchQuoted(const std::wstring& path);

}  // namespace sektra
