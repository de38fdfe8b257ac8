#include "engine/RangeRandom.h"

namespace sektra {
namespace {

constexpr int kShift = 397;  // the generator's middle word offset (M)
constexpr std::uint32_t kMatrix = 0x9908B0DFu;
constexpr std::uint32_t kUpperBit = 0x80000000u;
constexpr std::uint32_t kLowerBits = 0x7FFFFFFFu;

}  // namespace

RangeRandom::RangeRandom(std::uint64_t bound1, std::uint64_t bound2, std::uint32_t seed) {
    low_ = bound1 < bound2 ? bound1 : bound2;
    const std::uint64_t high = bound1 < bound2 ? bound2 : bound1;
    count_ = high - low_ + 1;  // wraps to 0 for the whole 64-bit range
    constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;
    if (count_ == 0 || count_ > kTopBit) {
        mask_ = ~std::uint64_t{0};
    } else {
        std::uint64_t power = 1;
        while (power < count_) power <<= 1;
        mask_ = power - 1;
    }
    Seed(seed);
    Next();
}

void RangeRandom::Seed(std::uint32_t seed) {
    if (seed == 0) seed = 4357;
    for (int i = 0; i < kStateWords; ++i) {
        state_[i] = seed & 0xFFFF0000u;
        seed = 69069 * seed + 1;
        state_[i] |= seed >> 16;
        seed = 69069 * seed + 1;
    }
    index_ = kStateWords;
}

void RangeRandom::Generate() {
    for (int i = 0; i < kStateWords; ++i) {
        const std::uint32_t y = (state_[i] & kUpperBit) | (state_[(i + 1) % kStateWords] & kLowerBits);
        state_[i] = state_[(i + kShift) % kStateWords] ^ (y >> 1) ^ ((y & 1u) ? kMatrix : 0u);
    }
    index_ = 0;
}

std::uint32_t RangeRandom::NextRaw() {
    if (index_ >= kStateWords) Generate();
    std::uint32_t y = state_[index_++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

std::uint64_t RangeRandom::Next() {
    const bool wide = count_ == 0 || count_ > 0x100000000ull;
    std::uint64_t r;
    do {
        r = NextRaw();
        if (wide) r = r << 32 | NextRaw();
        r &= mask_;
    } while (count_ != 0 && r >= count_);
    value_ = low_ + r;
    return value_;
}

}  // namespace sektra
