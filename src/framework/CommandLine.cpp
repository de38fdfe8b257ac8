#include "framework/CommandLine.h"

namespace sektra {

namespace {

std::size_t SkipBlanks(const std::wstring& line, std::size_t i) {
    while (i < line.size() && line[i] == L' ') ++i;
    return i;
}

// The closing quote of a quoted argument opened at `open`: the first quote after it that is
// followed by a blank or the end. npos when there is none.
std::size_t FindClosingQuote(const std::wstring& line, std::size_t open) {
    for (std::size_t j = open + 1; j < line.size(); ++j) {
        if (line[j] == L'"' && (j + 1 == line.size() || line[j + 1] == L' ')) return j;
    }
    return std::wstring::npos;
}

}  // namespace

std::vector<std::wstring> ParseCommandLine(const std::wstring& commandLine) {
    std::wstring line = commandLine;
    for (wchar_t& c : line) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    std::vector<std::wstring> arguments;
    std::size_t i = SkipBlanks(line, 0);
    while (i < line.size()) {
        if (line[i] == L'"') {
            const std::size_t close = FindClosingQuote(line, i);
            if (close != std::wstring::npos && close > i + 1) {
                arguments.push_back(line.substr(i + 1, close - i - 1));
                i = SkipBlanks(line, close + 1);
                continue;
            }
        }
        std::size_t end = line.find(L' ', i);
        if (end == std::wstring::npos) end = line.size();
        arguments.push_back(line.substr(i, end - i));
        i = SkipBlanks(line, end);
    }
    return arguments;
}

std::wstring SelectLanguage(const std::vector<std::wstring>& arguments, const std::wstring& userDefault) {
    static const std::wstring kSwitch = L"/LANG:";
    for (const std::wstring& argument : arguments) {
        if (argument.compare(0, kSwitch.size(), kSwitch) == 0) return argument.substr(kSwitch.size());
    }
    return userDefault;
}

std::wstring ResourceModulePath(const std::wstring& programPath, const std::wstring& language) {
    const std::size_t dot = programPath.rfind(L'.');
    if (dot == std::wstring::npos) return std::wstring();
    return programPath.substr(0, dot + 1) + language;
}

}  // namespace sektra
