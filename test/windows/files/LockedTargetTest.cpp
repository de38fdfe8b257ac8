#include <gtest/gtest.h>
#include <windows.h>

#include "framework/IniFile.h"
#include "native/files/ScratchDir.h"

namespace sektra {
namespace {

TEST(IniFileWindows, AnsiCodePageIsShiftJis) { EXPECT_EQ(932u, GetACP()); }

// A settings file that another program holds open without sharing cannot be replaced; the
// save says so and the file keeps its content.
TEST(IniFileWindows, SaveToAFileHeldByAnotherProgramFails) {
    test::ScratchDir dir;
    dir.Put("held.ini", "old=1\r\n");
    const std::wstring path = dir.File("held.ini");
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    IniFile ini;
    ini.SetString(L"new", L"2");
    EXPECT_EQ(-1, ini.Save(path.c_str()));
    IniFile reader;
    EXPECT_EQ(-1, reader.Load(path.c_str()));
    CloseHandle(held);
    EXPECT_EQ("old=1\r\n", dir.Get("held.ini"));
}

}  // namespace
}  // namespace sektra
