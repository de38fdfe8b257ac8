// The blocks of a percent range, worked out by hand, up to a disk that claims every 64-bit block.
#include "engine/PercentRange.h"

#include <gtest/gtest.h>

namespace sektra {
namespace {

TEST(PercentRangeTest, TruncatedPercentsOfTheCapacityIn128Bits) {
    struct Case {
        std::uint64_t deviceLastLba;
        std::uint32_t start, end;
        bool empty;
        std::uint64_t first, last;
    };
    const std::uint64_t all = ~0ull;  // 2^64 blocks
    const Case cases[] = {
        {10006, 45, 55, false, 4503, 5502},                         // 4503.15 to 5503.85
        {23437770751ull, 90, 100, false, 21093993676ull, 23437770751ull},  // 12 TB, inner tenth
        {all, 0, 100, false, 0, all},
        {all, 90, 100, false, 16602069666338596454ull, all},       // 0.9 × 2^64, truncated
        {0, 0, 100, false, 0, 0},                                  // one block
        {0, 0, 10, true, 0, 0},                                    // 0.1 block: nothing
        {9, 50, 50, true, 0, 0},
        {all, 0, 200, true, 0, 0},                                 // past the last 64-bit block
    };
    for (const Case& c : cases) {
        const PercentRange r = RangeOfPercents(c.deviceLastLba, c.start, c.end);
        EXPECT_EQ(r.empty, c.empty) << c.deviceLastLba << " " << c.start << "-" << c.end;
        if (c.empty) continue;
        EXPECT_EQ(r.firstLba, c.first) << c.deviceLastLba << " " << c.start << "-" << c.end;
        EXPECT_EQ(r.lastLba, c.last) << c.deviceLastLba << " " << c.start << "-" << c.end;
    }
}

}  // namespace
}  // namespace sektra
