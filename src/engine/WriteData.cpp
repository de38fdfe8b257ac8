#include "engine/WriteData.h"

#include <random>

namespace sektra {

void FillWithRandomBytes(void* data, std::uint64_t bytes) {
    auto* out = static_cast<std::uint8_t*>(data);
    std::mt19937 generator;
    std::uint32_t word = 0;
    for (std::uint64_t i = 0; i < bytes; ++i) {
        if (i % 4 == 0) word = static_cast<std::uint32_t>(generator());
        out[i] = static_cast<std::uint8_t>(word >> (8 * (i % 4)));
    }
}

}  // namespace sektra
