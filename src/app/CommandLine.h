#pragma once
// Sektra's command line: split like the program has always split it (only blanks separate,
// quotes group), upper-cased, and the "/LANG:" switch that picks the language module.
#include <string>
#include <vector>

namespace sektra {

// Splits the whole process command line (program path first) into upper-cased arguments.
// A quoted argument runs to the first quote that is followed by a blank or the end of the
// line; a quote without such a partner, or two adjacent quotes, are taken as plain text.
std::vector<std::wstring> ParseCommandLine(const std::wstring& commandLine);

// The language abbreviation: the rest of the first argument that begins with "/LANG:" (which
// may be empty), else `userDefault`.
std::wstring SelectLanguage(const std::vector<std::wstring>& arguments, const std::wstring& userDefault);

// The language module next to the program: its path with the extension replaced by the
// abbreviation (C:\Tools\Sektra.exe + JPN -> C:\Tools\Sektra.JPN). Empty when the path has no dot.
std::wstring ResourceModulePath(const std::wstring& programPath, const std::wstring& language);

}  // namespace sektra
