#pragma once
// The programs' command line: split like Sektra and Setup have always split it (only blanks
// separate, quotes group), upper-cased, and the "/LANG:" switch that picks the language module.
// Portable, so that the rules are tested natively; ApplicationBase feeds it the process's line.
#include <string>
#include <vector>

namespace sektra {

// Splits the whole process command line (program path first) into upper-cased arguments
// (ASCII a-z only). Only the space separates; tabs are part of an argument. A quoted argument
// runs to the first quote that is followed by a space or the end of the line, and quotes
// inside it stay; a quote without such a partner, or two adjacent quotes, are plain text.
std::vector<std::wstring> ParseCommandLine(const std::wstring& commandLine);

// The language abbreviation: the rest of the first argument that begins with "/LANG:" (which
// may be empty), else `userDefault`. The arguments are expected upper-cased already.
std::wstring SelectLanguage(const std::vector<std::wstring>& arguments, const std::wstring& userDefault);

// The language module next to the program: its path up to and with the last dot, then the
// abbreviation (C:\Tools\Sektra.exe + JPN -> C:\Tools\Sektra.JPN). Empty when the path has no dot.
std::wstring ResourceModulePath(const std::wstring& programPath, const std::wstring& language);

}  // namespace sektra
