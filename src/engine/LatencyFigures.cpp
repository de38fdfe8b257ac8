#include "engine/LatencyFigures.h"

#include "framework/WideArithmetic.h"

namespace sektra {

std::uint64_t TicksToNanoseconds(std::uint64_t ticks, std::uint64_t ticksPerSecond) {
    return MulDiv64(ticks, 1000000000, ticksPerSecond);
}

LatencyFigures SummarizeLatency(const LatencyHistogram& histogram, std::uint64_t ticksPerSecond,
                                std::uint64_t wallTicks) {
    LatencyFigures figures;
    figures.commands = histogram.Count();
    if (figures.commands == 0 || ticksPerSecond == 0) return figures;
    const auto ns = [&](std::uint64_t ticks) { return TicksToNanoseconds(ticks, ticksPerSecond); };
    figures.minimumNs = ns(histogram.Minimum());
    figures.meanNs = MulDivDiv64(histogram.TotalTicks(), 1000000000, ticksPerSecond, figures.commands);
    figures.p50Ns = ns(histogram.Percentile(500000));
    figures.p90Ns = ns(histogram.Percentile(900000));
    figures.p99Ns = ns(histogram.Percentile(990000));
    figures.p999Ns = ns(histogram.Percentile(999000));
    figures.p9999Ns = ns(histogram.Percentile(999900));
    figures.maximumNs = ns(histogram.Maximum());
    if (histogram.TotalTicks() != 0) figures.iops = MulDiv64(figures.commands, ticksPerSecond, histogram.TotalTicks());
    if (wallTicks != 0) figures.wallIops = MulDiv64(figures.commands, ticksPerSecond, wallTicks);
    return figures;
}

}  // namespace sektra
