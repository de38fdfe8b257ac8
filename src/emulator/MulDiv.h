#pragma once
// (a × b) ÷ d for the emulator's time arithmetic, exact, truncated, without wrapping: the
// 32-bit build has no 128-bit integer type, so there a product that leaves 64 bits takes the
// long way.
#include <cstdint>

namespace sektra {

// The long way, on every platform (so the native tests can check it against __int128).
inline std::uint64_t EmulatorMulDivPortable(std::uint64_t a, std::uint64_t b, std::uint64_t d) {
    if (d == 0) return 0;
    if (a == 0 || b <= UINT64_MAX / a) return a * b / d;
    // 128-bit product from 32-bit halves, then bitwise long division.
    const std::uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32, bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
    const std::uint64_t ll = aLow * bLow, lh = aLow * bHigh, hl = aHigh * bLow, hh = aHigh * bHigh;
    const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
    const std::uint64_t low = (middle << 32) | (ll & 0xFFFFFFFFu);
    const std::uint64_t high = hh + (lh >> 32) + (hl >> 32) + (middle >> 32);
    std::uint64_t quotient = 0, remainder = 0;
    for (int i = 127; i >= 0; --i) {
        const bool carry = remainder >> 63;  // the shifted remainder needs 65 bits: it exceeds d
        remainder = (remainder << 1) | ((i >= 64 ? high >> (i - 64) : low >> i) & 1);
        quotient <<= 1;
        if (carry || remainder >= d) {
            remainder -= d;
            quotient |= 1;
        }
    }
    return quotient;
}

inline std::uint64_t EmulatorMulDiv(std::uint64_t a, std::uint64_t b, std::uint64_t d) {
#if defined(__SIZEOF_INT128__)
    if (d == 0) return 0;
    return static_cast<std::uint64_t>(static_cast<unsigned __int128>(a) * b / d);
#else
    return EmulatorMulDivPortable(a, b, d);
#endif
}

}  // namespace sektra
