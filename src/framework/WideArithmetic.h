#pragma once
// Products of two 64-bit factors and their quotients without wrapping. A time-stamp counter of
// some GHz times tens of gigabytes, or a tick count times 1,000,000, leaves 64 bits behind.
// GCC has a 128-bit integer on 64-bit targets only; the 32-bit build (the one that ships) takes
// the long way below, with a fast path whenever the product fits in 64 bits.
#include <cstdint>

namespace sektra {

struct Uint128 {
    std::uint64_t high;
    std::uint64_t low;
};

Uint128 Multiply128(std::uint64_t a, std::uint64_t b);
// The quotient, truncated; d must not be 0.
Uint128 Divide128(Uint128 n, std::uint64_t d);

#if defined(__SIZEOF_INT128__)

// Low 64 bits of (a × b) ÷ d.
inline std::uint64_t MulDiv64(std::uint64_t a, std::uint64_t b, std::uint64_t d) {
    return static_cast<std::uint64_t>(static_cast<unsigned __int128>(a) * b / d);
}

// Low 64 bits of (a × b) ÷ d ÷ e, both divisions truncating, which equals (a × b) ÷ (d × e).
inline std::uint64_t MulDivDiv64(std::uint64_t a, std::uint64_t b, std::uint64_t d, std::uint64_t e) {
    return static_cast<std::uint64_t>(static_cast<unsigned __int128>(a) * b / d / e);
}

#else

inline std::uint64_t MulDiv64(std::uint64_t a, std::uint64_t b, std::uint64_t d) {
    const Uint128 product = Multiply128(a, b);
    if (product.high == 0) return product.low / d;
    return Divide128(product, d).low;
}

inline std::uint64_t MulDivDiv64(std::uint64_t a, std::uint64_t b, std::uint64_t d, std::uint64_t e) {
    const Uint128 product = Multiply128(a, b);
    if (product.high == 0) return product.low / d / e;
    return Divide128(Divide128(product, d), e).low;
}

#endif

}  // namespace sektra
