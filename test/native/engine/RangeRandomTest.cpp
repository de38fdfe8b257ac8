#include "engine/RangeRandom.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "Mt1998Reference.h"

namespace sektra {
namespace {

TEST(RangeRandomTest, RawOutputMatchesThePublishedGeneratorWith1998Seeding) {
    for (std::uint32_t seed : {4357u, 1234567890u}) {
        std::mt19937 reference = Reference1998(seed);
        RangeRandom random(0, 0xFFFFFFFFu, seed);  // whole range: values are the raw outputs
        EXPECT_EQ(random.GetValue(), reference()) << "seed " << seed;
        // Past two regenerations of the state.
        for (int i = 1; i < 2000; ++i) ASSERT_EQ(random.NextRaw(), reference()) << "seed " << seed << " #" << i;
    }
}

TEST(RangeRandomTest, SeedZeroMeans4357) {
    RangeRandom zero(0, 0xFFFFFFFFu, 0);
    RangeRandom classic(0, 0xFFFFFFFFu, 4357);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(zero.NextRaw(), classic.NextRaw());
}

// Draws the reference way: mask the raw output, retry while out of range.
std::uint32_t ReferenceDraw(std::mt19937& engine, std::uint32_t low, std::uint32_t count, std::uint32_t mask) {
    for (;;) {
        const std::uint32_t r = static_cast<std::uint32_t>(engine()) & mask;
        if (r < count) return low + r;
    }
}

TEST(RangeRandomTest, DrawsMaskedValuesInTheRangeAndKeepsTheFirstAsCurrent) {
    struct Case {
        std::uint32_t bound1, bound2, count, mask;
    };
    const Case cases[] = {
        {1000, 1999, 1000, 1023},                    // count 1000 -> mask 1023
        {1999, 1000, 1000, 1023},                    // bounds in either order
        {7, 7, 1, 0},                                // one value
        {0, 1023, 1024, 1023},                       // a power of two exactly
        {5, 0x80000004u, 0x80000000u, 0x7FFFFFFFu},  // 2^31 exactly
        {0, 0x80000000u, 0x80000001u, 0xFFFFFFFFu},  // above 2^31: the full mask
        {10, 0xFFFFFFF0u, 0xFFFFFFE7u, 0xFFFFFFFFu},
    };
    for (const Case& c : cases) {
        RangeRandom random(c.bound1, c.bound2, 1234567890);
        EXPECT_EQ(random.GetCount(), c.count);
        std::mt19937 reference = Reference1998(1234567890);
        const std::uint32_t low = c.bound1 < c.bound2 ? c.bound1 : c.bound2;
        EXPECT_EQ(random.GetValue(), ReferenceDraw(reference, low, c.count, c.mask));
        for (int i = 0; i < 500; ++i) {
            const std::uint32_t value = random.Next();
            ASSERT_EQ(value, ReferenceDraw(reference, low, c.count, c.mask));
            ASSERT_EQ(random.GetValue(), value);
            ASSERT_GE(value, low);
            ASSERT_LE(value - low, c.count - 1);
        }
    }
}

TEST(RangeRandomTest, WholeRangeHasCountZero) {
    RangeRandom random(0xFFFFFFFFu, 0, 99);
    EXPECT_EQ(random.GetCount(), 0u);
}

}  // namespace
}  // namespace sektra
