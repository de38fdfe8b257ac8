#include "testwindows/LatencyGraph.h"

#include <algorithm>
#include <cmath>

#include "engine/LatencyFigures.h"

namespace sektra {
namespace {

int DecadeOf(std::uint64_t nanoseconds) {
    int decade = 0;
    for (std::uint64_t v = nanoseconds; v >= 10; v /= 10) ++decade;
    return decade;
}

// Bin of a time in ns: the last k whose edge does not exceed it, within the axis.
int BinOf(const LatencyBins& bins, std::uint64_t nanoseconds) {
    const int last = static_cast<int>(bins.counts.size()) - 1;
    if (nanoseconds == 0) return 0;
    const double position = (std::log10(static_cast<double>(nanoseconds)) - bins.firstDecade) * kBinsPerDecade;
    int k = static_cast<int>(std::floor(position));
    // The logarithm can come out a hair beside an exact edge: settle on the edges themselves.
    if (k + 1 <= last && BinEdge(bins, k + 1) <= static_cast<double>(nanoseconds)) ++k;
    if (k >= 0 && k <= last && BinEdge(bins, k) > static_cast<double>(nanoseconds)) --k;
    return std::clamp(k, 0, last);
}

// x of a time on the logarithmic axis.
int TimePixel(const LatencyBins& bins, double nanoseconds, const GraphRect& plot) {
    const double lowest = std::pow(10.0, bins.firstDecade);
    const double position = std::log10(std::max(nanoseconds, lowest)) - bins.firstDecade;
    return AxisPixel(position, bins.decades, plot.left, plot.right - plot.left, false);
}

}  // namespace

double BinEdge(const LatencyBins& bins, int k) {
    return std::round(std::pow(10.0, bins.firstDecade + static_cast<double>(k) / kBinsPerDecade));
}

LatencyBins BinLatencies(const LatencyHistogram& histogram, std::uint64_t ticksPerSecond) {
    LatencyBins bins;
    if (ticksPerSecond != 0 && histogram.Count() != 0) {
        const std::uint64_t lowest = TicksToNanoseconds(histogram.Minimum(), ticksPerSecond);
        const std::uint64_t highest = TicksToNanoseconds(histogram.Maximum(), ticksPerSecond);
        bins.firstDecade = std::max(DecadeOf(lowest), kLowestDecade);
        bins.decades = std::clamp(DecadeOf(highest) + 1 - bins.firstDecade, 2, kMaxDecades);
    }
    bins.counts.assign(static_cast<std::size_t>(bins.decades * kBinsPerDecade), 0);
    if (ticksPerSecond == 0) return bins;
    for (int i = 0; i < LatencyHistogram::kBuckets; ++i) {
        const std::uint64_t count = histogram.BucketCount(i);
        if (count == 0) continue;
        const std::uint64_t low = TicksToNanoseconds(LatencyHistogram::BucketLow(i), ticksPerSecond);
        bins.counts[static_cast<std::size_t>(BinOf(bins, low))] += count;
        bins.total += count;
    }
    return bins;
}

std::wstring DecadeLabel(int decade) {
    static const wchar_t* const kUnits[] = {L" ns", L" \u03BCs", L" ms", L" s"};
    if (decade < 0) return L"";
    if (decade == 2) return L"0.1 \u03BCs";  // reads better beside "1 μs" than "100 ns"
    const int unit = std::min(decade / 3, 3);
    std::wstring digits = L"1";
    for (int zeros = decade - 3 * unit; zeros > 0; --zeros) digits += L'0';
    return digits + kUnits[unit];
}

GraphPicture BuildLatencyGraph(const LatencyBins& bins, std::uint64_t p50Ns, std::uint64_t p99Ns, int width,
                               int height, int textHeight, const GraphTexts& texts) {
    GraphPicture picture;
    picture.width = width;
    picture.height = height;
    picture.plot = PlotArea(width, height, textHeight);
    picture.xTitle = texts.latency;
    picture.yTitle = texts.share + L" (%)";
    const GraphRect& plot = picture.plot;
    for (int d = 0; d <= bins.decades; ++d) {
        picture.xTicks.push_back({TimePixel(bins, std::pow(10.0, bins.firstDecade + d), plot),
                                  DecadeLabel(bins.firstDecade + d)});
    }
    std::uint64_t most = 0;
    for (std::uint64_t count : bins.counts) most = std::max(most, count);
    const double percentOfMost = bins.total != 0 ? 100.0 * static_cast<double>(most) / bins.total : 0;
    const AxisScale scale = NiceScale(percentOfMost);
    const int plotHeight = plot.bottom - plot.top;
    const int baseline = plot.bottom - 1;
    for (int k = 0; k * scale.step <= scale.top * (1 + 1e-9); ++k) {
        picture.yTicks.push_back(
            {AxisPixel(k * scale.step, scale.top, baseline, plotHeight, true), AxisLabel(k * scale.step)});
    }
    if (bins.total == 0) {
        picture.emptyText = texts.empty;
        return picture;
    }
    for (std::size_t k = 0; k < bins.counts.size(); ++k) {
        if (bins.counts[k] == 0) continue;
        const int bin = static_cast<int>(k);
        const int left = TimePixel(bins, BinEdge(bins, bin), plot);
        int right = TimePixel(bins, BinEdge(bins, bin + 1), plot);
        if (right - left >= 3) --right;  // a gap between neighbours
        if (right <= left) right = left + 1;
        const double percent = 100.0 * static_cast<double>(bins.counts[k]) / bins.total;
        const int top = std::min(AxisPixel(percent, scale.top, baseline, plotHeight, true), baseline - 1);
        picture.bars.push_back({left, top, right, baseline});
    }
    const int x50 = TimePixel(bins, static_cast<double>(p50Ns), plot);
    const int x99 = TimePixel(bins, static_cast<double>(p99Ns), plot);
    picture.markers.push_back({x50, true, L"p50"});
    picture.markers.push_back({x99, false, L"p99"});
    return picture;
}

}  // namespace sektra
