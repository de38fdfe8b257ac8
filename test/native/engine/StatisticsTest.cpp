#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "engine/SampleTable.h"
#include "engine/Statistics.h"
#include "framework/WideArithmetic.h"

namespace sektra {
namespace {

TEST(StatisticsTest, RatesInKilobytesPerSecondTruncate) {
    // 64 KiB in 100 µs with a 10 MHz clock (1000 ticks): 655360000 B/s = 640000 KB/s.
    EXPECT_EQ(RateKBps(10000000, 65536, 1000), 640000u);
    // 1000 ticks/s, 1023 bytes in 1 ms: 1023000 B/s >> 10 = 999.02 -> 999.
    EXPECT_EQ(RateKBps(1000, 1023, 1), 999u);
    // 512 bytes in 3 ticks of 1000/s: 512000 / 3 = 170666 -> >> 10 = 166.
    EXPECT_EQ(RateKBps(1000, 512, 3), 166u);
}

TEST(StatisticsTest, ProductsBeyond64BitsDoNotWrap) {
    // A 3 GHz time-stamp counter and 40 GiB: the product needs 76 bits. Rate over 20 s:
    // 40 GiB / 20 s = 2 GiB/s = 2097152 KB/s.
    const std::uint64_t tps = 3000000000u;
    const std::uint64_t bytes = std::uint64_t{40} << 30;
    EXPECT_EQ(RateKBps(tps, bytes, tps * 20), 2097152u);
    // A 2^40-tick span times 1,000,000 needs 60 + bits; 2^40 ticks at 2^30/s = 1024 s.
    EXPECT_EQ(SeekMicroseconds(std::uint64_t{1} << 40, std::uint64_t{1} << 30), 1024000000u);
    // Average over 1000 commands whose ticks sum to 2^54 at 2^34 ticks/s: 2^20 s / 1000 each.
    EXPECT_EQ(AverageSeekMicroseconds(std::uint64_t{1} << 54, std::uint64_t{1} << 34, 1000),
              static_cast<std::uint32_t>((std::uint64_t{1} << 20) * 1000000 / 1000));
}

TEST(StatisticsTest, WideQuotientsAgreeWithLongDivision) {
    // (a × b) ÷ d checked by splitting a: a = q·d + r, so a·b ÷ d = q·b + (r·b) ÷ d when r·b fits.
    struct Case {
        std::uint64_t a, b, d;
    };
    const Case cases[] = {
        {0xFFFFFFFFFFFFull, 1000000, 3},
        {123456789012345ull, 65536, 999983},
        {0xFFFFFFFFFFFFFFFFull, 1, 7},
        {1ull << 63, 2, 1ull << 62},
    };
    for (const Case& c : cases) {
        const std::uint64_t q = c.a / c.d, r = c.a % c.d;
        if (r != 0 && c.b > UINT64_MAX / r) continue;
        EXPECT_EQ(MulDiv64(c.a, c.b, c.d), q * c.b + r * c.b / c.d);
    }
    EXPECT_EQ(MulDivDiv64(1000, 1000000, 7, 11), 1000000000ull / 77);
}

TEST(StatisticsTest, PortableWideArithmeticAgreesWithTheCompilersOwn) {
    // The 32-bit build has no 128-bit integer and takes Multiply128 / Divide128; check them here
    // against the native type on products of every size.
    std::mt19937_64 random(42);
    for (int i = 0; i < 20000; ++i) {
        const int shiftA = static_cast<int>(random() % 64), shiftB = static_cast<int>(random() % 64);
        const std::uint64_t a = random() >> shiftA, b = random() >> shiftB;
        const std::uint64_t d = (random() >> (random() % 64)) | 1;
        const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
        const Uint128 wide = Multiply128(a, b);
        ASSERT_EQ(wide.high, static_cast<std::uint64_t>(product >> 64));
        ASSERT_EQ(wide.low, static_cast<std::uint64_t>(product));
        const unsigned __int128 quotient = product / d;
        const Uint128 divided = Divide128(wide, d);
        ASSERT_EQ(divided.high, static_cast<std::uint64_t>(quotient >> 64)) << a << " " << b << " " << d;
        ASSERT_EQ(divided.low, static_cast<std::uint64_t>(quotient)) << a << " " << b << " " << d;
    }
}

TEST(StatisticsTest, HistogramCountsHighestCellFirstWithAnOpenTop) {
    // 201 cells of 512 KB/s: cell 0 is index 204, the top cell 200 is index 4.
    EXPECT_EQ(HistogramIndex(0, 512, 201), 204u);
    EXPECT_EQ(HistogramIndex(511, 512, 201), 204u);
    EXPECT_EQ(HistogramIndex(512, 512, 201), 203u);
    EXPECT_EQ(HistogramIndex(512 * 200 - 1, 512, 201), 5u);
    EXPECT_EQ(HistogramIndex(512 * 200, 512, 201), 4u);  // 102400 KB/s: the top cell
    EXPECT_EQ(HistogramIndex(0xFFFFFFFFu, 512, 201), 4u);
    EXPECT_EQ(HistogramIndex(128 * 800, 128, 801), 4u);
    EXPECT_EQ(HistogramIndex(1, 100, 1), 4u);  // a single cell holds everything
}

TEST(SampleTableTest, RowMajorColumnsWithRowTwoAsMinimum) {
    SampleTable table(3, 5);  // 7 rows x 5 columns
    ASSERT_TRUE(table.IsAllocated());
    table.Reset(0xFFFFFFFFu);
    for (std::uint32_t c = 0; c < 5; ++c) {
        EXPECT_EQ(table.Get(2, c), 0xFFFFFFFFu);
        EXPECT_EQ(table.Get(0, c), 0u);
    }
    table.Count(4, 700, 512);   // cell 1 -> row 3 + 3 - 1 = 5
    table.Count(4, 5000, 512);  // cell 9 -> top cell 2 -> row 4
    table.Count(0, 10, 512);    // cell 0 -> row 6
    EXPECT_EQ(table.Get(3, 4), 2u);
    EXPECT_EQ(table.Get(5, 4), 1u);
    EXPECT_EQ(table.Get(4, 4), 1u);
    EXPECT_EQ(table.Get(6, 0), 1u);
    EXPECT_EQ(table.Get(3, 1), 0u);
}

TEST(SampleTableTest, CountsFromTheSettingsFileCannotOverrunIt) {
    SampleTable none(0);  // "PerformCells" 0: four words, no histogram
    ASSERT_TRUE(none.IsAllocated());
    none.Reset(0);
    none.Count(0, 123456, 512);
    EXPECT_EQ(none.Get(3), 1u);
    EXPECT_FALSE(SampleTable(0xFFFFFFFFu).IsAllocated());  // would wrap to 3 words
    EXPECT_FALSE(SampleTable(SampleTable::kMaxHistogramCells + 1).IsAllocated());
    EXPECT_FALSE(SampleTable(200000, 1000).IsAllocated());
}

}  // namespace
}  // namespace sektra
