// What the option dialogs refuse, with the message each refusal shows, and the ranges of the
// transfer rows.
#include <gtest/gtest.h>

#include "language/ResourceIds.h"
#include "testwindows/OptionChecks.h"

namespace sektra {
namespace {

TEST(OptionChecksTest, TransferOptions) {
    struct {
        std::int32_t blocks, start, end;
        std::uint32_t message;
    } cases[] = {
        {1, 0, 100, 0},
        {128, 0, 100, 0},
        {0, 0, 100, IDS_BAD_BLOCK_COUNT},
        {129, 0, 100, IDS_BAD_BLOCK_COUNT},
        {-1, 0, 100, IDS_BAD_BLOCK_COUNT},
        {1, 0, 0, IDS_BAD_END_PERCENT},
        {1, 0, 101, IDS_BAD_END_PERCENT},
        {1, 10, 10, IDS_BAD_START_PERCENT},   // 10 % to 10 % is no range
        {1, 99, 98, IDS_BAD_START_PERCENT},
        {1, 99, 100, 0},
        {1, -5, 100, IDS_BAD_START_PERCENT},  // a pasted minus sign
        {0, 10, 10, IDS_BAD_BLOCK_COUNT},     // the size is checked first
        {1, 50, 0, IDS_BAD_END_PERCENT},      // then the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckTransferOptions(c.blocks, 128, c.start, c.end), c.message)
            << c.blocks << " " << c.start << " " << c.end;
    }
}

TEST(OptionChecksTest, SeekOptions) {
    struct {
        std::int32_t count, first, last;
        std::uint32_t message;
    } cases[] = {
        {1000, 0, 4194303, 0},
        {1, 0, 1, 0},
        {99999, 0, 4194303, 0},
        {0, 0, 4194303, IDS_BAD_SEEK_COUNT},
        {100000, 0, 4194303, IDS_BAD_SEEK_COUNT},
        {-1, 0, 4194303, IDS_BAD_SEEK_COUNT},
        {1000, 0, 4194304, IDS_BAD_LAST_BLOCK},
        {1000, 0, -1, IDS_BAD_LAST_BLOCK},     // compared unsigned
        {1000, 5, 5, IDS_BAD_FIRST_BLOCK},
        {1000, 6, 5, IDS_BAD_FIRST_BLOCK},
        {1000, -1, 5, IDS_BAD_FIRST_BLOCK},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckSeekOptions(c.count, c.first, c.last, 4194303), c.message)
            << c.count << " " << c.first << " " << c.last;
    }
}

TEST(OptionChecksTest, SeekBlocksOfA12TerabyteDisk) {
    const std::uint64_t last = 23437770751ull;
    EXPECT_EQ(CheckSeekOptions(1000, 21093993676ull, last, last), 0u);
    EXPECT_EQ(CheckSeekOptions(1000, 0, last + 1, last), static_cast<std::uint32_t>(IDS_BAD_LAST_BLOCK));
    EXPECT_EQ(CheckSeekOptions(1000, last, last, last), static_cast<std::uint32_t>(IDS_BAD_FIRST_BLOCK));
    EXPECT_EQ(LimitText(L"(limit %u blocks)", last), L"(limit 23437770751 blocks)");
}

TEST(OptionChecksTest, CacheOptionsByUnit) {
    EXPECT_EQ(CheckCacheOptions(1, 2048, true), 0u);
    EXPECT_EQ(CheckCacheOptions(2048, 2048, true), 0u);
    EXPECT_EQ(CheckCacheOptions(2049, 2048, true), static_cast<std::uint32_t>(IDS_BAD_SIZE_KB));
    EXPECT_EQ(CheckCacheOptions(0, 128, false), static_cast<std::uint32_t>(IDS_BAD_BLOCK_COUNT));
    EXPECT_EQ(CheckCacheOptions(129, 128, false), static_cast<std::uint32_t>(IDS_BAD_BLOCK_COUNT));
}

TEST(OptionChecksTest, ConfirmationWordMustMatchExactly) {
    EXPECT_TRUE(ConfirmationMatches(L"WRITE", L"WRITE"));
    for (const wchar_t* typed : {L"write", L"Write", L"WRITE ", L" WRITE", L"", L"WRIT", L"WRITEE"}) {
        EXPECT_FALSE(ConfirmationMatches(typed, L"WRITE")) << typed;
    }
}

TEST(OptionChecksTest, SizeTextsAndDigits) {
    EXPECT_EQ(SizeInKBText(128, 512, false), L"(64.0 KB)");
    EXPECT_EQ(SizeInKBText(1, 512, false), L"(0.5 KB)");
    EXPECT_EQ(SizeInKBText(3, 2048, false), L"(6.0 KB)");
    EXPECT_EQ(SizeInKBText(16, 512, true), L"(16.0 KB)");
    EXPECT_EQ(DecimalDigits(0), 1);
    EXPECT_EQ(DecimalDigits(9), 1);
    EXPECT_EQ(DecimalDigits(10), 2);
    EXPECT_EQ(DecimalDigits(4294967295u), 10);
}

TEST(OptionChecksTest, RangesOfThePresetsAndTheCustomRange) {
    struct {
        std::uint32_t index, label, start, end;
    } cases[] = {
        {0, IDS_RANGE_FULL, 0, 100},
        {1, IDS_RANGE_OUTER, 0, 10},
        {2, IDS_RANGE_MIDDLE, 45, 55},
        {3, IDS_RANGE_INNER, 90, 100},
        {4, IDS_OTHER_SIZE, 7, 33},
    };
    for (const auto& c : cases) {
        TransferRange range{};
        ASSERT_TRUE(PresetRange(c.index, 7, 33, range));
        EXPECT_EQ(range.labelId, c.label);
        EXPECT_EQ(range.startPercent, c.start);
        EXPECT_EQ(range.endPercent, c.end);
    }
    TransferRange range{};
    EXPECT_FALSE(PresetRange(5, 0, 100, range));
}

}  // namespace
}  // namespace sektra
