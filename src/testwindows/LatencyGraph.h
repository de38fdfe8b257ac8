#pragma once
// The random and seek tests' graph: how the command times spread, the histogram's fine buckets
// regrouped into ten bins a decade on a logarithmic time axis, each bar the share of commands
// in its bin, with the median and the 99th percentile marked.
#include <cstdint>
#include <vector>

#include "engine/LatencyHistogram.h"
#include "testwindows/GraphPicture.h"

namespace sektra {

constexpr int kBinsPerDecade = 10;
// The axis starts no lower than 100 ns (10^2), below any clock this program times with, and
// spans at least two and at most twelve decades.
constexpr int kLowestDecade = 2;
constexpr int kMaxDecades = 12;

struct LatencyBins {
    int firstDecade = kLowestDecade;  // the axis runs from 10^firstDecade ns …
    int decades = 2;                  // … to 10^(firstDecade + decades) ns
    std::vector<std::uint64_t> counts;  // kBinsPerDecade × decades bins
    std::uint64_t total = 0;
};

// Bin k spans [BinEdge(k), BinEdge(k + 1)) ns: 10^(firstDecade + k ÷ 10).
double BinEdge(const LatencyBins& bins, int k);

// Each bucket is counted in the bin of its lowest value; a bucket is narrower than 1/128 of
// that value, so a command lands at most that far from its own bin. Times below the axis go
// to the first bin and times beyond it to the last.
LatencyBins BinLatencies(const LatencyHistogram& histogram, std::uint64_t ticksPerSecond);

// "0.1 μs", "1 μs", "10 μs", "100 μs", "1 ms", "10 ms", "100 ms", "1 s", "10 s", …
std::wstring DecadeLabel(int decade);

GraphPicture BuildLatencyGraph(const LatencyBins& bins, std::uint64_t p50Ns, std::uint64_t p99Ns, int width,
                               int height, int textHeight, const GraphTexts& texts);

}  // namespace sektra
