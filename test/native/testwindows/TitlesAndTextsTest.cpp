// Window titles for every test and size, the proposed save name, and the texts of every tick.
#include <gtest/gtest.h>

#include <string>

#include "testwindows/RefreshTexts.h"
#include "testwindows/TestTitles.h"

namespace sektra {
namespace {

struct TitleCase {
    std::wstring actual;
    std::wstring expected;
};

TEST(TitlesTest, EveryTestTypeAndSize) {
    const std::wstring middle = L"\u4E2D\u592E (45% - 55%)";
    const TitleCase cases[] = {
        {TransferTitle(5, 64.0, middle), L"Seq. Read Test(64.0KB " + middle + L") - "},
        {TransferTitle(6, 0.5, L"A"), L"Seq. Write Test(0.5KB A) - "},
        {TransferTitle(7, 8192.0, L"B"), L"Rnd. Read Test(8192.0KB B) - "},
        {TransferTitle(8, 2.0, L"C"), L"Rnd. Write Test(2.0KB C) - "},
        // A failed capacity query leaves a block length of 0.
        {TransferTitle(5, 0.0, L"A"), L"Seq. Read Test(0.0KB A) - "},
        {TransferTitle(4, 64.0, L"A"), L""},
        {TransferTitle(3, 64.0, L"A"), L""},
        {CacheTitle(3, 8.0), L"Cache Hit Test(8.0KB) - "},
        {CacheTitle(9, 16.0), L"Read Buffer Test(16.0KB) - "},
        {CacheTitle(10, 1024.0), L"Write Buffer Test(1024.0KB) - "},
        {CacheTitle(3, 0.5), L"Cache Hit Test(0.5KB) - "},
        {CacheTitle(5, 1.0), L""},
        {SeekTitle(L"S"), L"Seek Test(S) - "},
        {SeekTitle(L"S", true), L"Access Time Test(S) - "},
    };
    for (const TitleCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(TitlesTest, KilobytesOfBlocksIn64Bits) {
    EXPECT_EQ(BlocksInKilobytes(16, 4096), 64.0);  // 16 blocks of a 4096-byte-block disk
    EXPECT_EQ(BlocksInKilobytes(128, 512), 64.0);
    EXPECT_EQ(BlocksInKilobytes(1u << 20, 4096), 4194304.0);  // 4 GiB: a 32-bit product is 0
    EXPECT_EQ(TransferTitle(5, BlocksInKilobytes(16, 4096), L"A"), L"Seq. Read Test(64.0KB A) - ");
}

TEST(TitlesTest, LongLabelsAreCutAndTheTitleKeepsItsEnd) {
    const std::wstring label(300, L'x');
    for (const std::wstring& title : {TransferTitle(5, 64.0, label), SeekTitle(label)}) {
        EXPECT_EQ(title.size(), kMaxTitleLength);
        EXPECT_EQ(title.substr(title.size() - 4), L") - ");
    }
    // A cut never splits a surrogate pair.
    std::wstring pairs;
    for (int i = 0; i < 100; ++i) pairs += L"\xD842\xDFB7";
    const std::wstring title = SeekTitle(pairs);
    EXPECT_LE(title.size(), kMaxTitleLength);
    const wchar_t beforeEnd = title[title.size() - 5];
    EXPECT_EQ(beforeEnd, L'\xDFB7');
}

TEST(TitlesTest, SaveNameIsModelBlankAndTitleUpToItsLastParenthesis) {
    EXPECT_EQ(TitleUpToParenthesis(L"Seq. Read Test(64.0KB A (0% - 100%)) - "), L"Seq. Read Test(64.0KB A (0% - 100%))");
    EXPECT_EQ(TitleUpToParenthesis(L"no parenthesis"), L"no parenthesis");
    EXPECT_EQ(InitialSaveName(L"SEKTRA ATA DEMO", L"Seek Test(S) - "), L"SEKTRA ATA DEMO Seek Test(S)");
    EXPECT_EQ(InitialSaveName(std::wstring(600, L'm'), L"Seek Test(S) - ").size(), kMaxSaveNameLength);
}

TEST(RefreshTextsTest, ElapsedHoursTotalMinutesAndSeconds) {
    const std::wstring format = L"%d \u6642\u9593 / %d \u5206 / %d \u79D2";
    struct {
        std::uint32_t seconds;
        std::wstring expected;
    } cases[] = {
        {0, L"0 \u6642\u9593 / 0 \u5206 / 0 \u79D2"},
        {59, L"0 \u6642\u9593 / 0 \u5206 / 59 \u79D2"},
        {3725, L"1 \u6642\u9593 / 62 \u5206 / 5 \u79D2"},  // minutes are not reduced modulo 60
        {90061, L"25 \u6642\u9593 / 1501 \u5206 / 1 \u79D2"},
    };
    for (const auto& c : cases) EXPECT_EQ(ElapsedText(format, c.seconds), c.expected);
}

TEST(RefreshTextsTest, BlockCountRateAndSeekTexts) {
    const TitleCase cases[] = {
        {TransferBlocksText(0, 127, 0, 4194303), L"          0 -        127 (0 - 4194303)"},
        {TransferBlocksText(4294967167u, 4294967294u, 1, 4294967294u),
         L" 4294967167 - 4294967294 (1 - 4294967294)"},
        {SeekBlockText(42, 0, 4194303), L"         42 (0 - 4194303)"},
        // 64-bit blocks: the inner tenth of a 12 TB disk.
        {TransferBlocksText(21093993676ull, 21093993803ull, 21093993676ull, 23437770751ull),
         L" 21093993676 - 21093993803 (21093993676 - 23437770751)"},
        {SeekBlockText(23437770751ull, 0, 23437770751ull), L" 23437770751 (0 - 23437770751)"},
        // Never a first block past the last.
        {TransferBlocksText(4096, 4095, 0, 4095), L"       4095 -       4095 (0 - 4095)"},
        {CountText(0), L" 0"},
        {CountText(1099511627776ull), L" 1099511627776"},
        {RateText(51200), L" 51200 KB/Sec"},
        {RateText(0), L" 0 KB/Sec"},
        {RateText(0x80000000u), L" -2147483648 KB/Sec"},  // shown as a signed int
        {SeekTimeText(8500), L" 8500 \u03BCSec"},
    };
    for (const TitleCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(RefreshTextsTest, LocalTimeWithTheResourceFormat) {
    std::wstring text = L"unchanged";
    ASSERT_TRUE(LocalTimeText(L"%Y/%m/%d", 86400 * 365, text));
    EXPECT_EQ(text.size(), 10u);
    EXPECT_EQ(text.substr(0, 4), L"1971");
}

}  // namespace
}  // namespace sektra
