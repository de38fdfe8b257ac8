#pragma once
// The blocks of a transfer test's range: startPercent ÷ 100 to endPercent ÷ 100 of the
// device's capacity, truncated, in 64-bit block numbers. The products are taken in 128 bits:
// percent × capacity leaves 64 bits behind on a disk that claims nearly 2^64 blocks.
#include <cstdint>

namespace sektra {

struct PercentRange {
    bool empty = true;  // no block at all (or a range past the 64-bit block numbers)
    std::uint64_t firstLba = 0;
    std::uint64_t lastLba = 0;  // inclusive
};

// The capacity is deviceLastLba + 1 blocks.
PercentRange RangeOfPercents(std::uint64_t deviceLastLba, std::uint32_t startPercent, std::uint32_t endPercent);

}  // namespace sektra
