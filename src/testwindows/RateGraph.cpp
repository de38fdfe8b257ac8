#include "testwindows/RateGraph.h"

#include <cmath>

namespace sektra {
namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr double kGigabyte = kMegabyte * 1024.0;

double MegabytesPerSecond(std::uint32_t kilobytesPerSecond) { return kilobytesPerSecond / 1024.0; }

// The x axis in MB or GB of the device, from the first byte of the range to its last block's.
void AddPositionAxis(const RateCurveData& data, const GraphTexts& texts, GraphPicture& picture) {
    const double firstByte = static_cast<double>(data.firstBlock) * data.blockLength;
    const double lastByte = static_cast<double>(data.lastBlock) * data.blockLength;
    const bool gigabytes = lastByte >= kGigabyte;
    const double unit = gigabytes ? kGigabyte : kMegabyte;
    picture.xTitle = texts.position + (gigabytes ? L" (GB)" : L" (MB)");
    const double first = firstByte / unit, last = lastByte / unit;
    if (!(last > first)) return;
    const double step = NiceScale(last - first).step;
    const int width = picture.plot.right - picture.plot.left;
    for (double k = std::ceil(first / step - 1e-9); k * step <= last + 1e-9 * last; k += 1) {
        const double value = k * step;
        picture.xTicks.push_back({AxisPixel(value - first, last - first, picture.plot.left, width, false),
                                  AxisLabel(value)});
    }
}

}  // namespace

GraphPicture BuildRateGraph(const RateCurveData& data, int width, int height, int textHeight,
                            const GraphTexts& texts) {
    GraphPicture picture;
    picture.width = width;
    picture.height = height;
    picture.plot = PlotArea(width, height, textHeight);
    picture.yTitle = texts.rate + L" (MB/s)";
    AddPositionAxis(data, texts, picture);

    std::uint32_t highest = data.averageKilobytesPerSecond;
    for (const PositionColumn& column : data.columns) {
        if (column.measured && column.kilobytesPerSecond > highest) highest = column.kilobytesPerSecond;
    }
    const AxisScale scale = NiceScale(MegabytesPerSecond(highest));
    const int plotWidth = picture.plot.right - picture.plot.left;
    const int plotHeight = picture.plot.bottom - picture.plot.top;
    const int baseline = picture.plot.bottom - 1;
    for (int k = 0; k * scale.step <= scale.top * (1 + 1e-9); ++k) {
        picture.yTicks.push_back(
            {AxisPixel(k * scale.step, scale.top, baseline, plotHeight, true), AxisLabel(k * scale.step)});
    }

    const double span = static_cast<double>(data.lastBlock - data.firstBlock);
    for (std::size_t c = 0; c < data.columns.size(); ++c) {
        if (!data.columns[c].measured) continue;
        const double offset = static_cast<double>(c) * static_cast<double>(data.positionStep);
        const int x = AxisPixel(offset, span, picture.plot.left, plotWidth, false);
        const int y = AxisPixel(MegabytesPerSecond(data.columns[c].kilobytesPerSecond), scale.top, baseline,
                                plotHeight, true);
        picture.curve.push_back({x, y});
    }
    if (picture.curve.empty()) {
        picture.emptyText = texts.empty;
    } else if (data.averageKilobytesPerSecond != 0) {
        picture.averageY =
            AxisPixel(MegabytesPerSecond(data.averageKilobytesPerSecond), scale.top, baseline, plotHeight, true);
        picture.averageLabel = texts.average;
    }
    return picture;
}

}  // namespace sektra
