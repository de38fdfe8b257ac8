#pragma once
// (a × b) ÷ d for the emulator's time arithmetic, exact and truncated, without wrapping.
#include <cstdint>

#include "framework/WideArithmetic.h"

namespace sektra {

// A rate or a size of 0 in a device's configuration means "takes no time", never a division by 0.
inline std::uint64_t EmulatorMulDiv(std::uint64_t a, std::uint64_t b, std::uint64_t d) {
    return d == 0 ? 0 : MulDiv64(a, b, d);
}

}  // namespace sektra
