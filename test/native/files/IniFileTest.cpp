#include <gtest/gtest.h>

#include "framework/IniFile.h"
#include "native/files/ScratchDir.h"

namespace sektra {
namespace {

// Loads `text` (lines joined with CR LF), saves it again and returns what was written.
struct Loaded {
    IniFile ini;
    std::string saved;
};

void LoadText(const std::string& text, Loaded& out) {
    test::ScratchDir dir;
    dir.Put("in.ini", text);
    ASSERT_EQ(0, out.ini.Load(dir.File("in.ini").c_str()));
    ASSERT_EQ(0, out.ini.Save(dir.File("out.ini").c_str()));
    out.saved = dir.Get("out.ini");
}

TEST(IniFile, LoadAndSaveTable) {
    struct Case {
        const char* text;
        std::vector<std::wstring> keys, values;
        const char* saved;
    } cases[] = {
        {" Timer Mode = 2 ", {L"Timer Mode"}, {L"2"}, "Timer Mode=2\r\n"},
        {"a=b=c", {L"a"}, {L"b=c"}, "a=b=c\r\n"},
        {"=x\r\nk=v", {L"", L"k"}, {L"x", L"v"}, "k=v\r\n"},
        {"[Settings]\r\n; comment\r\n\r\nk=v\r\n", {L"k"}, {L"v"}, "k=v\r\n"},
        {"TimerMode=1\r\nTimerMode=2", {L"TimerMode", L"TimerMode"}, {L"1", L"2"}, "TimerMode=1\r\nTimerMode=2\r\n"},
        {"\tk\t=\tv", {L"\tk\t"}, {L"\tv"}, "\tk\t=\tv\r\n"},
        {"\x90\xdd\x92\xe8=\x92\x6c", {L"\u8a2d\u5b9a"}, {L"\u5024"}, "\x90\xdd\x92\xe8=\x92\x6c\r\n"},
        {"", {}, {}, ""},
    };
    for (const Case& c : cases) {
        Loaded l;
        LoadText(c.text, l);
        EXPECT_EQ(c.keys, l.ini.Keys()) << c.text;
        EXPECT_EQ(c.values, l.ini.Values()) << c.text;
        EXPECT_EQ(c.saved, l.saved) << c.text;
    }
}

TEST(IniFile, SettersChangeTheFirstEntryOrAppend) {
    Loaded l;
    LoadText("TimerMode=1\r\nTimerMode=2\r\nOther=x", l);
    IniFile& ini = l.ini;
    ini.SetUInt32(L"TimerMode", 0);
    ini.SetUInt64(L"PerFrq", 1000);
    ini.SetInt64(L"Neg", -9223372036854775807LL - 1);
    ini.SetInt32(L"I", -5);
    ini.SetUInt64(L"Big", 18446744073709551615ULL);
    ini.SetString(L"timermode", L"case matters");
    test::ScratchDir dir;
    ASSERT_EQ(0, ini.Save(dir.File("s.ini").c_str()));
    EXPECT_EQ("TimerMode=0\r\nTimerMode=2\r\nOther=x\r\nPerFrq=1000\r\nNeg=-9223372036854775808\r\nI=-5\r\n"
              "Big=18446744073709551615\r\ntimermode=case matters\r\n",
              dir.Get("s.ini"));
}

TEST(IniFile, NumberGetters) {
    IniFile ini;
    ini.SetString(L"digits", L"  42xyz");
    ini.SetString(L"word", L"abc");
    ini.SetString(L"neg", L"-7");
    ini.SetString(L"plus", L"+12");
    ini.SetString(L"huge", L"99999999999999999999");

    std::uint64_t u64 = 1;
    std::int64_t i64 = 1;
    std::uint32_t u32 = 1;
    std::int32_t i32 = 1;
    EXPECT_EQ(0, ini.GetUInt64(L"digits", u64));
    EXPECT_EQ(42u, u64);
    EXPECT_EQ(0, ini.GetInt32(L"digits", i32));
    EXPECT_EQ(42, i32);
    EXPECT_EQ(0, ini.GetUInt64(L"word", u64));
    EXPECT_EQ(0u, u64) << "no digits give 0";
    EXPECT_EQ(0, ini.GetInt32(L"word", i32)) << "a present key succeeds even without a number";
    EXPECT_EQ(0, i32);
    EXPECT_EQ(0, ini.GetInt64(L"neg", i64));
    EXPECT_EQ(-7, i64);
    EXPECT_EQ(0, ini.GetInt32(L"plus", i32));
    EXPECT_EQ(12, i32);
    EXPECT_EQ(0, ini.GetInt64(L"huge", i64));
    EXPECT_EQ(INT64_MAX, i64) << "out of range saturates";
    EXPECT_EQ(0, ini.GetUInt32(L"neg", u32));
    EXPECT_EQ(4294967289u, u32) << "unsigned extraction wraps a minus sign";

    // A missing key leaves the caller's value alone.
    u64 = 5; i64 = 6; u32 = 7; i32 = 8;
    std::wstring s = L"keep";
    EXPECT_EQ(-1, ini.GetUInt64(L"none", u64));
    EXPECT_EQ(-1, ini.GetInt64(L"none", i64));
    EXPECT_EQ(-1, ini.GetUInt32(L"none", u32));
    EXPECT_EQ(-1, ini.GetInt32(L"none", i32));
    EXPECT_EQ(-1, ini.GetString(L"none", s));
    EXPECT_EQ(5u, u64);
    EXPECT_EQ(6, i64);
    EXPECT_EQ(7u, u32);
    EXPECT_EQ(8, i32);
    EXPECT_EQ(L"keep", s);
}

TEST(IniFile, MissingFilesAndUnwritableTargets) {
    test::ScratchDir dir;
    IniFile ini;
    EXPECT_EQ(-1, ini.Load(dir.File("missing.ini").c_str()));
    EXPECT_TRUE(ini.Keys().empty());
    EXPECT_EQ(-1, ini.Load(dir.Path().c_str()));
    ini.SetString(L"k", L"v");
    EXPECT_EQ(-1, ini.Save(dir.Path().c_str()));
    EXPECT_EQ(-1, ini.Save(dir.File("missing/x.ini").c_str()));
}

}  // namespace
}  // namespace sektra
