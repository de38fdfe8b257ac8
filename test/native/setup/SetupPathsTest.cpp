#include <gtest/gtest.h>

#include "setup/SetupCommandLine.h"
#include "setup/SetupPaths.h"

namespace sektra {
namespace {

TEST(SetupPaths, BrowsedFolderGetsTheProductFolderOnce) {
    struct Case { const wchar_t* chosen; const wchar_t* expected; };
    const Case cases[] = {
        {L"C:\\Program Files", L"C:\\Program Files\\Sektra Meter"},
        {L"C:\\Program Files\\", L"C:\\Program Files\\Sektra Meter"},
        {L"D:\\", L"D:\\Sektra Meter"},
        {L"D:\\Tools\\Sektra Meter", L"D:\\Tools\\Sektra Meter"},
        {L"D:\\Tools\\sektra meter", L"D:\\Tools\\sektra meter"},
        {L"D:\\Tools\\SEKTRA METER\\", L"D:\\Tools\\SEKTRA METER"},
        {L"D:\\Tools\\Sektra Meter2", L"D:\\Tools\\Sektra Meter2\\Sektra Meter"},
        {L"D:\\Sektra Meter\\Old", L"D:\\Sektra Meter\\Old\\Sektra Meter"},
        // Without any backslash the name does not count as the product folder.
        {L"Sektra Meter", L"Sektra Meter\\Sektra Meter"},
        {L"\\\\server\\share\\測定", L"\\\\server\\share\\測定\\Sektra Meter"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InstallFolderFromBrowse(c.chosen), c.expected) << c.chosen;
    }
}

TEST(SetupPaths, BackslashesAndFolders) {
    EXPECT_EQ(WithTrailingBackslash(L"C:\\A"), L"C:\\A\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\A\\\\"), L"C:\\A\\");
    EXPECT_EQ(WithoutTrailingBackslash(L"C:\\A\\"), L"C:\\A");
    EXPECT_EQ(WithoutTrailingBackslash(L"\\\\"), L"");
    EXPECT_EQ(FolderOf(L"C:\\Program Files\\Sektra Meter\\Setup.exe"), L"C:\\Program Files\\Sektra Meter");
    EXPECT_EQ(FolderOf(L"Setup.exe"), L"");

    EXPECT_TRUE(SamePath(L"C:\\Program Files\\Sektra Meter\\", L"c:\\program files\\SEKTRA METER"));
    EXPECT_FALSE(SamePath(L"C:\\Program Files\\Sektra Meter", L"C:\\Program Files\\Sektra Meter2"));
    EXPECT_FALSE(SamePath(L"C:\\Dist", L"C:\\Program Files\\Sektra Meter"));
}

TEST(SetupCommandLine, OnlyAnExactSlashUAsksForRemoval) {
    EXPECT_TRUE(IsUninstallRequest({L"C:\\S\\SETUP.EXE", L"/u"}));
    EXPECT_TRUE(IsUninstallRequest({L"C:\\S\\SETUP.EXE", L"/U"}));
    EXPECT_TRUE(IsUninstallRequest({L"C:\\S\\SETUP.EXE", L"/X", L"/U"}));
    EXPECT_FALSE(IsUninstallRequest({L"C:\\S\\SETUP.EXE", L"/UNINSTALL"}));
    EXPECT_FALSE(IsUninstallRequest({L"C:\\S\\SETUP.EXE", L"-u"}));
    EXPECT_FALSE(IsUninstallRequest({L"C:\\S\\SETUP.EXE"}));
}

}  // namespace
}  // namespace sektra
