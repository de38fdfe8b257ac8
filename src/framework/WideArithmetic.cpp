#include "framework/WideArithmetic.h"

namespace sektra {

Uint128 Multiply128(std::uint64_t a, std::uint64_t b) {
    const std::uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t highLow = aHigh * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t highHigh = aHigh * bHigh;
    // The middle column collects three 32-bit pieces; its carry goes into the high word.
    const std::uint64_t middle = (lowLow >> 32) + (highLow & 0xFFFFFFFFu) + (lowHigh & 0xFFFFFFFFu);
    Uint128 product;
    product.low = (middle << 32) | (lowLow & 0xFFFFFFFFu);
    product.high = highHigh + (highLow >> 32) + (lowHigh >> 32) + (middle >> 32);
    return product;
}

// Shift-and-subtract, one quotient bit per pass. Only products beyond 64 bits come here, which
// a run meets rarely if ever, so the simple loop is good enough.
Uint128 Divide128(Uint128 n, std::uint64_t d) {
    Uint128 quotient{0, 0};
    std::uint64_t remainder = 0;
    for (int bit = 127; bit >= 0; --bit) {
        const bool carry = (remainder >> 63) != 0;
        const std::uint64_t next = bit >= 64 ? (n.high >> (bit - 64)) & 1u : (n.low >> bit) & 1u;
        remainder = (remainder << 1) | next;
        if (carry || remainder >= d) {
            remainder -= d;
            if (bit >= 64) {
                quotient.high |= std::uint64_t{1} << (bit - 64);
            } else {
                quotient.low |= std::uint64_t{1} << bit;
            }
        }
    }
    return quotient;
}

}  // namespace sektra
