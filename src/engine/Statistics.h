#pragma once
// The integer arithmetic every test shares: rates in KB/s, seek times in microseconds, and the
// histogram cell of a value. All quotients truncate.
#include <cstdint>

#include "framework/WideArithmetic.h"

namespace sektra {

// ((ticksPerSecond × bytes) ÷ ticks) >> 10, the low 32 bits. ticks must not be 0.
inline std::uint32_t RateKBps(std::uint64_t ticksPerSecond, std::uint64_t bytes, std::uint64_t ticks) {
    return static_cast<std::uint32_t>(MulDiv64(ticksPerSecond, bytes, ticks) >> 10);
}

// (ticks × 1,000,000) ÷ ticksPerSecond, the low 32 bits.
inline std::uint32_t SeekMicroseconds(std::uint64_t ticks, std::uint64_t ticksPerSecond) {
    return static_cast<std::uint32_t>(MulDiv64(ticks, 1000000, ticksPerSecond));
}

// (totalTicks × 1,000,000) ÷ (ticksPerSecond × commands), the low 32 bits.
inline std::uint32_t AverageSeekMicroseconds(std::uint64_t totalTicks, std::uint64_t ticksPerSecond,
                                             std::uint64_t commands) {
    return static_cast<std::uint32_t>(MulDivDiv64(totalTicks, 1000000, ticksPerSecond, commands));
}

// Table index that counts `value`: the histogram lies highest cell first from index 4, and the
// top cell (histogramCells - 1) is open upwards. histogramCells must not be 0.
inline std::uint32_t HistogramIndex(std::uint32_t value, std::uint32_t cellWidth, std::uint32_t histogramCells) {
    std::uint32_t cell = value / cellWidth;
    if (cell >= histogramCells - 1) cell = histogramCells - 1;
    return histogramCells + 3 - cell;
}

}  // namespace sektra
