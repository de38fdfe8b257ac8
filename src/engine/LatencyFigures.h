#pragma once
// What a window, a result file and the console runner say of a run's command times: the
// percentiles and extremes in nanoseconds and the commands per second, all truncated.
#include <cstdint>

#include "engine/LatencyHistogram.h"

namespace sektra {

struct LatencyFigures {
    std::uint64_t commands = 0;
    std::uint64_t minimumNs = 0;
    std::uint64_t meanNs = 0;
    std::uint64_t p50Ns = 0;
    std::uint64_t p90Ns = 0;
    std::uint64_t p99Ns = 0;
    std::uint64_t p999Ns = 0;
    std::uint64_t p9999Ns = 0;
    std::uint64_t maximumNs = 0;
    // Commands per second of their own measured time (commands × ticksPerSecond ÷ their ticks),
    // and per second of the run's wall time (from the first command's start to the last one's
    // end, the program's own time between commands included). 0 when no time was measured.
    std::uint64_t iops = 0;
    std::uint64_t wallIops = 0;
};

// ticks × 1,000,000,000 ÷ ticksPerSecond, truncated; ticksPerSecond must not be 0.
std::uint64_t TicksToNanoseconds(std::uint64_t ticks, std::uint64_t ticksPerSecond);

LatencyFigures SummarizeLatency(const LatencyHistogram& histogram, std::uint64_t ticksPerSecond,
                                std::uint64_t wallTicks);

}  // namespace sektra
