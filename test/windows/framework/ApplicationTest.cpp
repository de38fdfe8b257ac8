// The application base outside the hub: command line, language module, strings, OEM texts;
// and what SystemInfo reports under the test system (wine with a Japanese user).
#include <string>
#include <vector>

#include "FrameworkFixture.h"
#include "framework/win32/AdminSystemInfo.h"
#include "language/ResourceIds.h"

namespace sektra::test {
namespace {

using Arguments = std::vector<std::wstring>;

TEST(CommandLineTest, SplitsAtBlanksOnlyAndKeepsQuotedTextTogether) {
    struct Case {
        const wchar_t* line;
        Arguments expected;
    };
    const Case cases[] = {
        {L"sektra.exe", {L"SEKTRA.EXE"}},
        {L"\"C:\\Program Files\\Sektra\\Sektra.exe\" /lang:eng",
         {L"C:\\PROGRAM FILES\\SEKTRA\\SEKTRA.EXE", L"/LANG:ENG"}},
        {L"p \"a b\" c", {L"P", L"A B", L"C"}},
        {L"p   a    b  ", {L"P", L"A", L"B"}},
        {L"p a\tb", {L"P", L"A\tB"}},
        {L"p \"\" x", {L"P", L"\"\"", L"X"}},
        {L"p \"open end", {L"P", L"\"OPEN", L"END"}},
        {L"p \"a\"b\" c", {L"P", L"A\"B", L"C"}},
        {L"p \"x\"", {L"P", L"X"}},
        {L"", {}},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(entry.line)));
        TestApplication application;
        EXPECT_EQ(application.Split(entry.line), entry.expected);
    }
}

TEST(CommandLineTest, ProcessCommandLineIsReadOnce) {
    TestApplication application;
    EXPECT_EQ(application.ParseCommandLine(), 0);
    ASSERT_GE(application.GetArgCount(), 1);
    const std::wstring program = application.GetArg(0);
    EXPECT_NE(program.find(L"WIN_FRAMEWORK_TESTS"), std::wstring::npos) << "upper-cased program path";
    EXPECT_EQ(application.GetArg(application.GetArgCount()), L"");
    EXPECT_EQ(application.GetArg(-1), L"");
    application.SetArguments({L"KEPT"});
    application.ParseCommandLine();
    EXPECT_EQ(application.GetArgCount(), 1);
}

TEST(LanguageModuleTest, ModuleIsTheProgramsNameWithTheLanguageAsExtension) {
    // Next to the test program lie copies of Sektra.jpn named after it with "JPN" and "jpn2"
    // (see CMakeLists.txt); there is no module for "ENG".
    struct Case {
        Arguments arguments;
        bool loads;
    };
    const Case cases[] = {
        {{}, true},  // the user's language, JPN
        {{L"/LANG:ENG"}, false},
        {{L"/X", L"/LANG:JPN2", L"/LANG:ENG"}, true},
        {{L"/LANG:ENG", L"/LANG:JPN"}, false},
        {{L"/LANG:"}, false},  // a bare dot: no such file
        {{L"LANG:JPN2", L"-/LANG:ENG"}, true},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(::testing::PrintToString(entry.arguments));
        TestApplication application;
        application.SetArguments(entry.arguments);
        HMODULE module = application.LoadResourceModule();
        EXPECT_EQ(module != nullptr, entry.loads);
        if (module) {
            EXPECT_EQ(application.GetResourceInstance(), module);
            EXPECT_STREQ(application.LoadString(IDS_TREE_DISKS), L"ディスク ドライブ");
        } else {
            EXPECT_EQ(application.GetResourceInstance(), application.GetInstance());
            EXPECT_STREQ(application.LoadString(IDS_TREE_DISKS), L"") << "the program itself has no strings";
        }
    }
}

TEST(LanguageModuleTest, ModulePathIsTheProgramsPath) {
    TestApplication application;
    const std::wstring path = application.GetModulePath();
    EXPECT_EQ(path, ProgramFolder() + L"win_framework_tests.exe");
}

TEST(TextConversionTest, DeviceTextsComeFromTheOemCodePage) {
    ASSERT_EQ(GetOEMCP(), 932u) << "the tests run with a Japanese system";
    TestApplication application;
    std::wstring wide = L"old";
    EXPECT_EQ(application.NarrowToWide("", wide), 0);
    EXPECT_EQ(wide, L"");
    EXPECT_EQ(application.NarrowToWide("ST3500418AS  CC38", wide), 0);
    EXPECT_EQ(wide, L"ST3500418AS  CC38");
    EXPECT_EQ(application.NarrowToWide("\x83\x65\x83\x58\x83\x67 \xC3\xBD\xC4", wide), 0);  // Shift-JIS
    EXPECT_EQ(wide, L"テスト ﾃｽﾄ");
    std::string narrow;
    EXPECT_EQ(application.WideToNarrow(L"テスト", narrow), 0);
    EXPECT_EQ(narrow, "\x83\x65\x83\x58\x83\x67");
}

TEST(TextConversionTest, LoadStringSharesOneBufferAndCutsLongStrings) {
    TestApplication application;
    HMODULE module = LoadLibraryExW((ProgramFolder() + L"Sektra.jpn").c_str(), nullptr, 0);
    ASSERT_NE(module, nullptr);
    application.UseResourceModule(module);
    const wchar_t* first = application.LoadString(IDS_TREE_ROOT);
    const wchar_t* second = application.LoadString(IDS_TREE_TESTS);
    EXPECT_EQ(first, second) << "one buffer: callers copy at once";
    EXPECT_STREQ(second, L"テスト");
    application.ForgetResourceModule();
    FreeLibrary(module);
}

TEST(SystemInfoTest, ReportsTheTestSystem) {
    AdminSystemInfo system;
    EXPECT_EQ(system.GetPlatformId(), 2u);
    EXPECT_TRUE(system.IsNT());
    EXPECT_FALSE(system.IsWin9x());
    EXPECT_EQ(system.GetMajorVersion(), 6u);
    EXPECT_EQ(system.GetMinorVersion(), 1u);
    EXPECT_FALSE(system.IsWin2000() || system.IsWinXP() || system.IsNT4());
    EXPECT_EQ(system.GetUserLanguage(), L"JPN");
    EXPECT_EQ(system.GetSystemLanguage().size(), 3u);
    EXPECT_TRUE(system.IsAdministrator());

    std::wstring name;
    EXPECT_EQ(system.GetLogonUserName(name), 0);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(system.GetComputerNetName(name), 0);
    EXPECT_FALSE(name.empty());
}

TEST(SystemInfoTest, FoldersComeWithoutAndWithExactlyOneTrailingBackslash) {
    SystemInfo system;
    struct Pair {
        std::wstring plain, withBackslash;
    };
    const Pair pairs[] = {
        {system.GetCurrentFolder(), system.GetCurrentFolderWithBackslash()},
        {system.GetSystemFolder(), system.GetSystemFolderWithBackslash()},
        {system.GetWindowsFolder(), system.GetWindowsFolderWithBackslash()},
    };
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(::testing::PrintToString(pair.withBackslash));
        ASSERT_FALSE(pair.plain.empty());
        EXPECT_NE(pair.plain.back(), L'\\');
        EXPECT_EQ(pair.withBackslash, pair.plain + L"\\");
    }
    for (const std::wstring& folder :
         {system.GetAppDataFolder(), system.GetLocalAppDataFolder(), system.GetTempFolder()}) {
        SCOPED_TRACE(::testing::PrintToString(folder));
        ASSERT_GE(folder.size(), 4u);
        EXPECT_EQ(folder.back(), L'\\');
        EXPECT_NE(folder[folder.size() - 2], L'\\');
        EXPECT_NE(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_NE(system.GetLocalAppDataFolder(), system.GetAppDataFolder());
}

}  // namespace
}  // namespace sektra::test
