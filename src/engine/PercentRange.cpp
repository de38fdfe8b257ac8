#include "engine/PercentRange.h"

#include "framework/WideArithmetic.h"

namespace sektra {
namespace {

// percent × (lastLba + 1) ÷ 100 in 128 bits.
Uint128 PercentOf(std::uint64_t lastLba, std::uint32_t percent) {
    Uint128 product = Multiply128(percent, lastLba);
    product.low += percent;
    if (product.low < percent) ++product.high;
    return Divide128(product, 100);
}

}  // namespace

PercentRange RangeOfPercents(std::uint64_t deviceLastLba, std::uint32_t startPercent, std::uint32_t endPercent) {
    PercentRange range;
    const Uint128 first = PercentOf(deviceLastLba, startPercent);
    const Uint128 end = PercentOf(deviceLastLba, endPercent);  // one past the last block
    if (first.high != 0 || (end.high == 0 && end.low <= first.low)) return range;
    range.firstLba = first.low;
    // An end of exactly 2^64 still has its last block at 2^64 - 1; beyond that nothing fits.
    if (end.high > 1 || (end.high == 1 && end.low != 0)) return range;
    range.lastLba = end.low - 1;  // wraps to 2^64 - 1 for an end of 2^64
    range.empty = false;
    return range;
}

}  // namespace sektra
