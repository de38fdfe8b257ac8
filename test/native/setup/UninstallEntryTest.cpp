#include <gtest/gtest.h>

#include "setup/UninstallEntry.h"

namespace sektra {
namespace {

TEST(UninstallEntry, ValuesInOrderWithTheirTypes) {
    const auto values = UninstallValues(L"C:\\Program Files\\Sektra Meter");
    const wchar_t* const names[] = {
        L"UninstallString", L"InstallLocation", L"DisplayName", L"DisplayVersion", L"HelpLink",
        L"Publisher", L"VersionMajor", L"VersionMinor", L"VersionRevision", L"VersionValue"};
    ASSERT_EQ(values.size(), 10u);
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_STREQ(values[i].name, names[i]);
        EXPECT_EQ(values[i].type, i < 6 ? UninstallValue::String : UninstallValue::Number) << i;
    }
    EXPECT_EQ(values[0].text, L"C:\\Program Files\\Sektra Meter\\Setup.exe /u");
    EXPECT_EQ(values[1].text, L"C:\\Program Files\\Sektra Meter\\");
    EXPECT_EQ(values[2].text, L"Sektra 2.2.1");
    EXPECT_EQ(values[3].text, L"2.2.1");
    EXPECT_EQ(values[4].text, L"C:\\Program Files\\Sektra Meter\\Sektra.chm");  // a local target, no web page
    EXPECT_FALSE(values[5].text.empty());
    EXPECT_EQ(values[6].number, 2u);
    EXPECT_EQ(values[7].number, 2u);
    EXPECT_EQ(values[8].number, 1u);
    EXPECT_EQ(values[9].number, 131585u);  // 2 × 65536 + 2 × 256 + 1
}

TEST(UninstallEntry, AFolderWithBackslashIsNotDoubled) {
    EXPECT_EQ(UninstallValues(L"D:\\Bench\\")[0].text, L"D:\\Bench\\Setup.exe /u");
}

TEST(UninstallEntry, MenuLabelByRegisteredVersion) {
    struct Case { std::uint32_t version; const wchar_t* location; int label; };
    const Case cases[] = {
        {0, L"", 0},                         // nothing registered
        {131585, L"C:\\S\\", 43},            // same version
        {131585, L"", 43},
        {0x20000, L"C:\\S\\", 44},           // older
        {131584, L"C:\\S\\", 44},
        {0, L"C:\\S\\", 44},                 // a location without version counts as version 0
        {131586, L"C:\\S\\", 45},            // newer
        {0x30000, L"", 45},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InstallLabelId(c.version, c.location), c.label) << std::hex << c.version;
    }
}

TEST(UninstallEntry, SettingsSurviveOnlyFromTwoPointOneOn) {
    struct Case { std::uint32_t version; bool exists; bool fresh; };
    const Case cases[] = {
        {0, true, true},
        {0x20000, true, true},
        {131327, true, true},    // 0x200FF, just below 2.1.0
        {131328, true, false},   // 0x20100
        {131585, true, false},
        {131585, false, true},
        {0x30000, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NeedsFreshSettings(c.version, c.exists), c.fresh) << std::hex << c.version << " " << c.exists;
    }
}

}  // namespace
}  // namespace sektra
