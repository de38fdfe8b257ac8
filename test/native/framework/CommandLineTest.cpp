#include "framework/CommandLine.h"

#include <gtest/gtest.h>

namespace sektra {
namespace {

using Args = std::vector<std::wstring>;

struct SplitCase {
    const wchar_t* line;
    Args expected;
};

TEST(CommandLine, SplitsUpperCasesAndGroupsQuotes) {
    const SplitCase cases[] = {
        {L"", {}},
        {L"   ", {}},
        {L"sektra.exe", {L"SEKTRA.EXE"}},
        {L"sektra.exe \"a b\" c", {L"SEKTRA.EXE", L"A B", L"C"}},
        {L"\"C:\\Program Files\\Sektra\\Sektra.exe\" /lang:eng",
         {L"C:\\PROGRAM FILES\\SEKTRA\\SEKTRA.EXE", L"/LANG:ENG"}},
        {L"x   y    z  ", {L"X", L"Y", L"Z"}},
        {L"  \"a b\"  c", {L"A B", L"C"}},
        // Tabs are no separators, nor do they end a quoted argument.
        {L"x\t/lang:eng", {L"X\t/LANG:ENG"}},
        {L"x \"a\"\tb\" c", {L"X", L"A\"\tB", L"C"}},
        // The closing quote is the first one followed by a blank or the end, even when it
        // comes right after the opening one.
        {L"x \"a\"b\" c", {L"X", L"A\"B", L"C"}},
        {L"x \"\"a\" c", {L"X", L"\"A", L"C"}},
        {L"x \"a b\"", {L"X", L"A B"}},
        // Two adjacent quotes and an unpaired quote are plain text.
        {L"x \"\" y", {L"X", L"\"\"", L"Y"}},
        {L"x \"ab c", {L"X", L"\"AB", L"C"}},
        {L"x \"a\"b", {L"X", L"\"A\"B"}},
        {L"\"", {L"\""}},
        // Only ASCII letters change case.
        {L"\u00e4b\u3042", {L"\u00e4B\u3042"}},
    };
    for (const SplitCase& c : cases) {
        EXPECT_EQ(ParseCommandLine(c.line), c.expected) << "line: " << testing::PrintToString(std::wstring(c.line));
    }
}

TEST(CommandLine, FirstLanguageSwitchAnywhereWins) {
    struct Case {
        const wchar_t* line;
        const wchar_t* language;
    } const cases[] = {
        {L"sektra.exe", L"JPN"},
        {L"sektra.exe /lang:eng", L"ENG"},
        {L"sektra.exe /demo /Lang:deu /LANG:ENG", L"DEU"},
        {L"sektra.exe /LANG:", L""},
        {L"sektra.exe \"/lang:e n g\"", L"E N G"},
        {L"sektra.exe x/LANG:ENG /LANG", L"JPN"},
        {L"sektra.exe\t/LANG:ENG", L"JPN"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectLanguage(ParseCommandLine(c.line), L"JPN"), c.language)
            << testing::PrintToString(std::wstring(c.line));
    }
}

TEST(CommandLine, ModulePathReplacesTheExtension) {
    EXPECT_EQ(ResourceModulePath(L"C:\\Tools\\Sektra.exe", L"JPN"), L"C:\\Tools\\Sektra.JPN");
    EXPECT_EQ(ResourceModulePath(L"C:\\Tools\\Sektra.exe", L"ENG"), L"C:\\Tools\\Sektra.ENG");
    EXPECT_EQ(ResourceModulePath(L"C:\\Tools\\Sektra.exe", L""), L"C:\\Tools\\Sektra.");
    EXPECT_EQ(ResourceModulePath(L"C:\\v1.2\\Sektra", L"JPN"), L"C:\\v1.JPN");
    EXPECT_EQ(ResourceModulePath(L"C:\\Tools\\Sektra", L"JPN"), L"");
}

}  // namespace
}  // namespace sektra
