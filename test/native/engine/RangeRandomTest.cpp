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

TEST(RangeRandomTest, CountIsSixtyFourBitAndZeroOnlyForTheWhole64BitRange) {
    EXPECT_EQ(RangeRandom(0xFFFFFFFFu, 0, 99).GetCount(), 0x100000000ull);
    EXPECT_EQ(RangeRandom(~0ull, 0, 99).GetCount(), 0u);
}

TEST(RangeRandomTest, RangesBeyond32BitsDrawTwoOutputsHighHalfFirst) {
    struct Case {
        std::uint64_t low, high;
    };
    // The whole of a 12 TB disk of 512-byte blocks (23,437,770,752 blocks) for commands of 128
    // blocks, a range of just over 2^32 values, and every 64-bit block.
    const Case cases[] = {
        {0, 23437770752ull - 128},
        {7, 0x100000007ull},
        {0, ~0ull},
    };
    for (const Case& c : cases) {
        const std::uint64_t count = c.high - c.low + 1;  // 0 for the whole 64-bit range
        std::uint64_t mask = 0;
        while (count != 0 && mask < count - 1) mask = mask << 1 | 1;
        if (count == 0) mask = ~0ull;
        RangeRandom random(c.high, c.low, 1234567890);
        std::mt19937 reference = Reference1998(1234567890);
        auto draw = [&] {
            for (;;) {
                std::uint64_t r = static_cast<std::uint32_t>(reference());
                r = (r << 32 | static_cast<std::uint32_t>(reference())) & mask;
                if (count == 0 || r < count) return c.low + r;
            }
        };
        EXPECT_EQ(random.GetValue(), draw());
        for (int i = 0; i < 500; ++i) {
            const std::uint64_t value = random.Next();
            ASSERT_EQ(value, draw());
            ASSERT_GE(value, c.low);
            ASSERT_LE(value, c.high);
        }
    }
}

}  // namespace
}  // namespace sektra
