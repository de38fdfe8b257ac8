#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/LatencyFigures.h"
#include "engine/LatencyHistogram.h"

namespace sektra {
namespace {

TEST(LatencyHistogramTest, BucketsTileEveryValueFinerThanOnePercent) {
    std::uint64_t next = 0;
    for (int index = 0; index < LatencyHistogram::kBuckets; ++index) {
        const std::uint64_t low = LatencyHistogram::BucketLow(index);
        const std::uint64_t high = LatencyHistogram::BucketHigh(index);
        ASSERT_EQ(low, next) << index;  // no gap, no overlap
        ASSERT_LE(high - low, low / 128) << index;  // width at most 1/128 of the lowest value
        ASSERT_EQ(LatencyHistogram::BucketOf(low), index);
        ASSERT_EQ(LatencyHistogram::BucketOf(high), index);
        next = high + 1;
    }
    EXPECT_EQ(next, 0u);  // the last bucket ends at 2^64 - 1
    // Hand-worked: 1000 = 2^9 + 61·2^2 + 0 -> octave 9, step 122: 256 + 128 + 122.
    EXPECT_EQ(LatencyHistogram::BucketOf(1000), 506);
    EXPECT_EQ(LatencyHistogram::BucketLow(506), 1000u);
    EXPECT_EQ(LatencyHistogram::BucketHigh(506), 1003u);
}

struct Distribution {
    const char* name;
    bool oneToHundred;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> timesAndCounts;
    std::uint64_t p50, p90, p99, p999, p9999, min, max;
};

TEST(LatencyHistogramTest, PercentilesByNearestRank) {
    const Distribution cases[] = {
        {"empty", false, {}, 0, 0, 0, 0, 0, 0, 0},
        {"one command", false, {{4321, 1}}, 4321, 4321, 4321, 4321, 4321, 4321, 4321},
        {"all equal", false, {{123456789, 1000}}, 123456789, 123456789, 123456789, 123456789, 123456789,
         123456789, 123456789},
        // 1..100 once each: rank ceil(p·100) is the value itself; p99.9 and p99.99 are rank 100.
        {"1 to 100", true, {}, 50, 90, 99, 100, 100, 1, 100},
        // 9,990 at 100 ticks, 9 at 200, one at 10^9: p99.9 is rank 9990 (100), p99.99 rank 9999
        // (200), and the maximum is exact though its bucket is wide.
        {"long tail", false, {{100, 9990}, {200, 9}, {1000000000, 1}}, 100, 100, 100, 100, 200, 100,
         1000000000},
        // 0-tick commands (faster than the clock) count as 0.
        {"below resolution", false, {{0, 3}, {7, 1}}, 0, 7, 7, 7, 7, 0, 7},
    };
    for (const auto& c : cases) {
        LatencyHistogram h;
        if (c.oneToHundred)
            for (std::uint64_t v = 1; v <= 100; ++v) h.Add(v);
        for (const auto& [ticks, n] : c.timesAndCounts)
            for (std::uint64_t i = 0; i < n; ++i) h.Add(ticks);
        EXPECT_EQ(h.Percentile(500000), c.p50) << c.name;
        EXPECT_EQ(h.Percentile(900000), c.p90) << c.name;
        EXPECT_EQ(h.Percentile(990000), c.p99) << c.name;
        EXPECT_EQ(h.Percentile(999000), c.p999) << c.name;
        EXPECT_EQ(h.Percentile(999900), c.p9999) << c.name;
        EXPECT_EQ(h.Minimum(), c.min) << c.name;
        EXPECT_EQ(h.Maximum(), c.max) << c.name;
    }
}

TEST(LatencyHistogramTest, WideValuesReportTheirBucketWithinItsWidth) {
    // 1001 shares bucket [1000, 1003] with 1000; 5000 is alone in [4992, 5023] but is the
    // maximum, so it is exact. p50 of {1001, 1001, 5000} is rank 2 -> bucket low 1000.
    LatencyHistogram h;
    h.Add(1001);
    h.Add(1001);
    h.Add(5000);
    EXPECT_EQ(h.Percentile(500000), 1001u);  // kept at the exact minimum
    h.Add(1000000);
    h.Add(1000000);
    h.Add(1000000);
    // Ranks 4-6 at 10^6 (bucket [999424, 1003519]); p60 is rank ceil(3.6)=4 -> 999424.
    EXPECT_EQ(h.Percentile(600000), 999424u);
    EXPECT_EQ(h.Count(), 6u);
    EXPECT_EQ(h.TotalTicks(), 1001u + 1001 + 5000 + 3000000);
}

TEST(LatencyHistogramTest, RecorderCopiesWhatItCounted) {
    LatencyRecorder recorder;
    for (std::uint64_t v : {5u, 300u, 300u, 70000u}) recorder.Add(v);
    LatencyHistogram copy;
    recorder.CopyTo(&copy);
    EXPECT_EQ(copy.Count(), 4u);
    EXPECT_EQ(copy.Minimum(), 5u);
    EXPECT_EQ(copy.Maximum(), 70000u);
    EXPECT_EQ(copy.BucketCount(LatencyHistogram::BucketOf(300)), 2u);
    recorder.Clear();
    recorder.CopyTo(&copy);
    EXPECT_EQ(copy.Count(), 0u);
    EXPECT_EQ(copy.Percentile(500000), 0u);
}

TEST(LatencyHistogramTest, FiguresInNanosecondsAndCommandsPerSecond) {
    // A 10 MHz clock (100 ns a tick): 3 commands of 800 ticks (80 us) and one of 1200 (120 us),
    // 3600 ticks in all; the run lasted 5000 ticks of wall time.
    LatencyHistogram h;
    for (std::uint64_t v : {800u, 800u, 800u, 1200u}) h.Add(v);
    const LatencyFigures f = SummarizeLatency(h, 10000000, 5000);
    EXPECT_EQ(f.commands, 4u);
    EXPECT_EQ(f.minimumNs, 80000u);
    EXPECT_EQ(f.meanNs, 90000u);        // 3600 ticks / 4 = 900 ticks
    EXPECT_EQ(f.p50Ns, 80000u);
    EXPECT_EQ(f.p99Ns, 120000u);        // rank ceil(3.96) = 4: 1200 is the exact maximum
    EXPECT_EQ(f.maximumNs, 120000u);
    EXPECT_EQ(f.iops, 11111u);          // 4 × 10^7 / 3600 = 11111.1
    EXPECT_EQ(f.wallIops, 8000u);       // 4 × 10^7 / 5000
    // A 3 GHz counter: 1 tick is 0.333 ns, truncated; 10^10 ticks are 3.333 s.
    EXPECT_EQ(TicksToNanoseconds(1, 3000000000u), 0u);
    EXPECT_EQ(TicksToNanoseconds(10000000000u, 3000000000u), 3333333333u);
    EXPECT_EQ(SummarizeLatency(LatencyHistogram(), 1000, 0).iops, 0u);
}

}  // namespace
}  // namespace sektra
