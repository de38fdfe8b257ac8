#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace sektra {
namespace {

// The built help file, as wine sees the build tree (drive Z: is the Unix root).
std::wstring HelpFile() {
    std::string unix = SEKTRA_HELP_FILE;
    std::wstring path = L"Z:";
    for (char c : unix) path += (c == '/') ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

// What Sektra's help command does: HtmlHelpW (ordinal 15 of the HTML Help control) showing
// the index of Sektra.chm. Wine has no HTML engine to draw the pages, so this shows only that
// the control takes the file and opens its window.
TEST(HelpFile, HtmlHelpOpensTheIndexOfSektraChm) {
    const std::wstring file = HelpFile();
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "Sektra.chm is not built";
    HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    ASSERT_NE(library, nullptr);
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
    auto htmlHelp = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(15))));
    ASSERT_NE(htmlHelp, nullptr);
    const UINT displayIndex = 2;
    HWND window = htmlHelp(nullptr, file.c_str(), displayIndex, reinterpret_cast<DWORD_PTR>(L""));
    EXPECT_NE(window, nullptr);
    const UINT closeAll = 0x12;
    htmlHelp(nullptr, nullptr, closeAll, 0);
}

}  // namespace
}  // namespace sektra
