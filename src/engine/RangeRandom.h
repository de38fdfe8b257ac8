#pragma once
// Random block addresses for the random tests and the random seek pattern: the Mersenne Twister
// MT19937 with the generator's original (1998, multiplier 69069) seeding, so that every run on
// the same range visits the same blocks in the same order. Not for sharing between threads.
//
// Ranges of at most 2^32 values draw one 32-bit output per try, masked to the smallest power
// of two that covers the range, so every range a 32-bit disk has keeps its sequence. A larger
// range draws two outputs per try, the first as the high half.
#include <cstdint>

namespace sektra {

class RangeRandom {
public:
    // Values in [min(bound1, bound2), max(bound1, bound2)]. The first value is drawn at once and
    // kept as the current one; a seed of 0 is replaced by 4357.
    RangeRandom(std::uint64_t bound1, std::uint64_t bound2, std::uint32_t seed);
    virtual ~RangeRandom() = default;

    virtual std::uint64_t GetValue() const { return value_; }
    // Number of values in the range; 0 stands for the whole 64-bit range.
    virtual std::uint64_t GetCount() const { return count_; }
    // The generator's next 32-bit output.
    virtual std::uint32_t NextRaw();
    // Draws the next value in the range and makes it the current one.
    virtual std::uint64_t Next();

private:
    void Seed(std::uint32_t seed);
    void Generate();

    static constexpr int kStateWords = 624;
    std::uint32_t state_[kStateWords];
    int index_;
    std::uint64_t low_;
    std::uint64_t count_;
    std::uint64_t mask_;
    std::uint64_t value_;
};

}  // namespace sektra
