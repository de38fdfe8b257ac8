#include "app/Settings.h"

#include <gtest/gtest.h>

#include "framework/IniFile.h"

namespace sektra {
namespace {

TEST(Settings, FilePathWithOrWithoutTrailingSeparatorIsTheSame) {
    const std::wstring expected = L"C:\\Users\\u\\AppData\\Local\\\\Sektra\\Sektra.ini";
    EXPECT_EQ(SettingsFilePath(L"C:\\Users\\u\\AppData\\Local"), expected);
    EXPECT_EQ(SettingsFilePath(L"C:\\Users\\u\\AppData\\Local\\"), expected);
    EXPECT_EQ(SettingsFilePath(L""), L"");  // folder unknown: no settings file
}

TEST(Settings, TimeBaseFromTheStoredMode) {
    struct Case {
        std::int32_t mode;
        std::uint64_t perFrq, qpf;
        std::int32_t expectedMode;
        std::uint64_t expectedTicks;
    } const cases[] = {
        {0, 0, 3579545, 0, 1000},
        {1, 0, 3579545, 1, 3579545},
        {5, 0, 3579545, 1, 3579545},            // unknown modes use the performance counter
        {-1, 7, 10000000, 1, 10000000},
        {1, 0, 0, 0, 1000},                     // no performance counter: tick count
        {2, 2400000000ULL, 0, 2, 2400000000ULL},
        {2, 0, 3579545, 0, 1000},               // no frequency to divide by: tick count
    };
    for (const Case& c : cases) {
        Settings s;
        s.timerMode = c.mode;
        s.perFrq = c.perFrq;
        ApplyTimeBase(s, c.qpf);
        EXPECT_EQ(s.timerMode, c.expectedMode) << c.mode << " " << c.perFrq << " " << c.qpf;
        EXPECT_EQ(s.ticksPerSecond, c.expectedTicks) << c.mode << " " << c.perFrq << " " << c.qpf;
        EXPECT_EQ(s.perFrq, c.perFrq);
    }
}

TEST(Settings, TimerOptionsKeepTheFrequencyOfModeTwoOnly) {
    Settings s;
    s.perFrq = 77;
    ApplyTimerOptions(s, 1, 3579545, 250);
    EXPECT_EQ(s.timerMode, 1);
    EXPECT_EQ(s.ticksPerSecond, 3579545u);
    EXPECT_EQ(s.showInterval, 250);
    EXPECT_EQ(s.perFrq, 77u);
    ApplyTimerOptions(s, 2, 2000000000ULL, 10);
    EXPECT_EQ(s.perFrq, 2000000000ULL);
    EXPECT_EQ(s.ticksPerSecond, 2000000000ULL);
    ApplyTimerOptions(s, 2, 0, 10);
    EXPECT_EQ(s.timerMode, 0);
    EXPECT_EQ(s.ticksPerSecond, 1000u);
    EXPECT_EQ(s.perFrq, 2000000000ULL);
}

}  // namespace
}  // namespace sektra

namespace sektra {
namespace {

TEST(Settings, ReadsTheFourKeysAndStopsAtTheFirstMissingOne) {
    IniFile file;
    file.SetString(L"Other", L"kept");
    file.SetInt32(L"TimerMode", 2);
    file.SetInt32(L"ShowInterval", 250);
    Settings s;
    EXPECT_FALSE(ReadSettings(file, s));  // no PerFrq
    EXPECT_EQ(s.timerMode, 2);
    EXPECT_EQ(s.showInterval, 250);
    file.SetUInt64(L"PerFrq", 2400000000ULL);
    EXPECT_FALSE(ReadSettings(file, s));  // no PerformCells
    EXPECT_EQ(s.perFrq, 2400000000ULL);
    file.SetInt32(L"PerformCells", 7);
    EXPECT_TRUE(ReadSettings(file, s));
    EXPECT_EQ(s.performCells, 7);

    s.timerMode = 1;
    s.perFrq = 0;
    WriteSettings(file, s);
    std::int32_t mode = -1;
    std::uint64_t perFrq = 1;
    std::wstring other;
    EXPECT_EQ(file.GetInt32(L"TimerMode", mode), 0);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(file.GetUInt64(L"PerFrq", perFrq), 0);
    EXPECT_EQ(perFrq, 0u);
    EXPECT_EQ(file.GetString(L"Other", other), 0);
    EXPECT_EQ(other, L"kept");
}

TEST(Settings, TransferChoicesAreOnOnlyWhenTheirKeySaysOne) {
    struct Case {
        const wchar_t* value;  // null: no key at all, as in a file of an earlier version
        bool on;
    };
    const Case cases[] = {{nullptr, false}, {L"1", true}, {L"0", false}, {L"", false},
                          {L"yes", false},  {L"11", false}, {L"-1", false}, {L"1x", false}};
    for (const Case& c : cases) {
        IniFile file;
        if (c.value != nullptr) {
            file.SetString(L"AlignedPositions", c.value);
            file.SetString(L"RandomWriteData", c.value);
        }
        const TransferChoices choices = ReadTransferChoices(file);
        EXPECT_EQ(choices.alignedPositions, c.on) << (c.value ? c.value : L"(none)");
        EXPECT_EQ(choices.randomWriteData, c.on) << (c.value ? c.value : L"(none)");
    }
    // Written as 1 and 0, they read back; the four keys still come first for older readers.
    IniFile file;
    Settings s;
    s.transferChoices.alignedPositions = true;
    WriteSettings(file, s);
    EXPECT_TRUE(ReadSettings(file, s));
    const TransferChoices back = ReadTransferChoices(file);
    EXPECT_TRUE(back.alignedPositions);
    EXPECT_FALSE(back.randomWriteData);
    ASSERT_EQ(file.Keys().size(), 6u);
    EXPECT_EQ(file.Keys()[4], L"AlignedPositions");
    EXPECT_EQ(file.Values()[5], L"0");
}

}  // namespace
}  // namespace sektra
