#pragma once
// The data a write test sends when the user asks for random bytes instead of zeros: the
// outputs of a 32-bit Mersenne Twister with its standard default seed, each stored low byte
// first, the same bytes on every run. Made before the timed commands, so it costs them nothing.
#include <cstdint>

namespace sektra {

void FillWithRandomBytes(void* data, std::uint64_t bytes);

}  // namespace sektra
