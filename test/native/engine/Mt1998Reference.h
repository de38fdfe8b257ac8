#pragma once
// The reference for random positions: the library's MT19937 given the state that the
// generator's 1998 seeding produces. The seeding is transcribed here from the published
// generator; generation and tempering are the standard library's own.
#include <cstdint>
#include <random>
#include <sstream>

namespace sektra {

inline std::mt19937 Reference1998(std::uint32_t seed) {
    std::ostringstream state;
    for (int i = 0; i < 624; ++i) {
        std::uint32_t word = seed & 0xffff0000u;
        seed = 69069u * seed + 1;
        word |= (seed & 0xffff0000u) >> 16;
        seed = 69069u * seed + 1;
        state << word << ' ';
    }
    state << 624;  // the next output regenerates the whole state, as right after seeding
    std::mt19937 engine;
    std::istringstream in(state.str());
    in >> engine;
    return engine;
}

// Values in [low, low + count − 1] drawn the reference way: the smallest all-ones mask that
// covers count − 1, retried while out of range.
class ReferenceRange {
public:
    ReferenceRange(std::uint32_t low, std::uint32_t high, std::uint32_t seed)
        : engine_(Reference1998(seed)), low_(low), count_(high - low + 1) {
        while (mask_ < count_ - 1) mask_ = (mask_ << 1) | 1;
    }
    std::uint32_t Draw() {
        for (;;) {
            const std::uint32_t r = static_cast<std::uint32_t>(engine_()) & mask_;
            if (r < count_) return low_ + r;
        }
    }

private:
    std::mt19937 engine_;
    std::uint32_t low_, count_, mask_ = 0;
};

}  // namespace sektra
