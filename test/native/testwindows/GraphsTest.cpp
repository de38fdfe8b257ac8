// The graphs' geometry: axis scales, the rate curve's points and the latency distribution's
// bins and bars, at a picture of 400 × 300 pixels with 12-pixel text, so that the plot spans
// x 48 to 387 (339 steps) and y 22 to 267 (245 steps). Expected pixels were worked out by hand.
#include <gtest/gtest.h>

#include "testwindows/LatencyGraph.h"
#include "testwindows/LatencyTexts.h"
#include "testwindows/RateGraph.h"

namespace sektra {
namespace {

const GraphTexts kTexts = {L"R", L"P", L"S", L"L", L"A", L"E"};

// One tick is one nanosecond: three commands of 5 μs, one of 20 μs, one of 1.2 ms.
LatencyBins FiveCommands() {
    LatencyHistogram histogram;
    for (int i = 0; i < 3; ++i) histogram.Add(5000);
    histogram.Add(20000);
    histogram.Add(1200000);
    return BinLatencies(histogram, 1000000000);
}

TEST(GraphScaleTest, NiceTopsStepsAndLabels) {
    struct Case {
        double maximum, top, step;
    };
    const Case cases[] = {{0, 1, 0.2},     {-3, 1, 0.2},  {0.7, 1, 0.2},   {1, 1, 0.2},   {1.5, 2, 0.5},
                          {3, 5, 1},       {7.5, 10, 2},  {100, 100, 20},  {120, 200, 50}, {0.03, 0.05, 0.01},
                          {1000, 1000, 200}};
    for (const Case& c : cases) {
        const AxisScale scale = NiceScale(c.maximum);
        EXPECT_DOUBLE_EQ(scale.top, c.top) << c.maximum;
        EXPECT_DOUBLE_EQ(scale.step, c.step) << c.maximum;
    }
    EXPECT_EQ(AxisLabel(0), L"0");
    EXPECT_EQ(AxisLabel(0.25), L"0.25");
    EXPECT_EQ(AxisLabel(1.5), L"1.5");
    EXPECT_EQ(AxisLabel(200), L"200");
    EXPECT_EQ(AxisLabel(0.6000000001), L"0.6");
}

TEST(GraphScaleTest, PixelsOfAxisValues) {
    EXPECT_EQ(AxisPixel(50, 100, 10, 101, false), 60);
    EXPECT_EQ(AxisPixel(50, 100, 109, 100, true), 59);  // 49.5 rounds away from zero
    EXPECT_EQ(AxisPixel(150, 100, 10, 101, false), 110);
    EXPECT_EQ(AxisPixel(-5, 100, 10, 101, false), 10);
    EXPECT_EQ(AxisPixel(5, 0, 10, 101, false), 10);
    const GraphRect plot = PlotArea(400, 300, 12);
    EXPECT_EQ(plot.left, 48);
    EXPECT_EQ(plot.top, 22);
    EXPECT_EQ(plot.right, 388);
    EXPECT_EQ(plot.bottom, 268);
    const GraphRect tiny = PlotArea(10, 10, 12);
    EXPECT_GT(tiny.right, tiny.left);
    EXPECT_GT(tiny.bottom, tiny.top);
}

TEST(RateGraphTest, CurveAverageAndAxes) {
    // 2,000,000 blocks of 512 bytes: 976.5625 MB, so the axis counts MB in steps of 200.
    RateCurveData data;
    data.firstBlock = 0;
    data.lastBlock = 2000000;
    data.positionStep = 500000;
    data.blockLength = 512;
    data.columns = {{true, 102400}, {true, 51200}, {true, 153600}, {false, 0}};  // 100, 50, 150 MB/s
    data.averageKilobytesPerSecond = 102400;
    const GraphPicture picture = BuildRateGraph(data, 400, 300, 12, kTexts);

    EXPECT_EQ(picture.xTitle, L"P (MB)");
    EXPECT_EQ(picture.yTitle, L"R (MB/s)");
    ASSERT_EQ(picture.xTicks.size(), 5u);  // 0, 200, 400, 600, 800
    EXPECT_EQ(picture.xTicks[0].at, 48);
    EXPECT_EQ(picture.xTicks[1].at, 117);  // 200 / 976.5625 × 339 = 69.4
    EXPECT_EQ(picture.xTicks[1].label, L"200");
    ASSERT_EQ(picture.yTicks.size(), 5u);  // 150 MB/s: 0 to 200 in steps of 50
    EXPECT_EQ(picture.yTicks[1].at, 206);  // 267 − 61.25
    EXPECT_EQ(picture.yTicks[4].at, 22);
    EXPECT_EQ(picture.yTicks[4].label, L"200");

    ASSERT_EQ(picture.curve.size(), 3u);
    EXPECT_EQ(picture.curve[0].x, 48);
    EXPECT_EQ(picture.curve[0].y, 144);  // 267 − 122.5 rounded up
    EXPECT_EQ(picture.curve[1].x, 133);  // 48 + 84.75
    EXPECT_EQ(picture.curve[1].y, 206);
    EXPECT_EQ(picture.curve[2].x, 218);  // 48 + 169.5
    EXPECT_EQ(picture.curve[2].y, 83);   // 267 − 183.75
    EXPECT_EQ(picture.averageY, 144);
    EXPECT_EQ(picture.averageLabel, L"A");
    EXPECT_TRUE(picture.emptyText.empty());
}

TEST(RateGraphTest, NothingMeasuredYetShowsTheEmptyPlot) {
    RateCurveData data;
    data.firstBlock = 4194304;  // 2 GB into the disk of 512-byte blocks
    data.lastBlock = 8388608;
    data.positionStep = 1;
    data.blockLength = 512;
    data.columns.assign(3, PositionColumn{});
    data.averageKilobytesPerSecond = 0;
    const GraphPicture picture = BuildRateGraph(data, 400, 300, 12, kTexts);
    EXPECT_TRUE(picture.curve.empty());
    EXPECT_EQ(picture.averageY, -1);
    EXPECT_EQ(picture.emptyText, L"E");
    EXPECT_EQ(picture.xTitle, L"P (GB)");
    ASSERT_EQ(picture.xTicks.size(), 5u);  // 2, 2.5, 3, 3.5, 4 GB
    EXPECT_EQ(picture.xTicks[0].label, L"2");
    EXPECT_EQ(picture.xTicks[0].at, 48);
    EXPECT_EQ(picture.xTicks[4].at, 387);
    EXPECT_EQ(picture.yTicks.size(), 6u);  // 0 to 1 in steps of 0.2
    // An empty range draws no x ticks and divides by nothing.
    data.lastBlock = data.firstBlock;
    EXPECT_TRUE(BuildRateGraph(data, 400, 300, 12, kTexts).xTicks.empty());
}

TEST(LatencyBinsTest, BucketsRegroupIntoTenBinsADecade) {
    // 5 μs is bin 6 of the decade from 1 μs ([3981, 5012) ns), 20 μs bin 3 of the next
    // ([19953, 25119)), 1.2 ms bin 0 of the decade from 1 ms.
    const LatencyBins bins = FiveCommands();
    EXPECT_EQ(bins.firstDecade, 3);
    EXPECT_EQ(bins.decades, 4);
    ASSERT_EQ(bins.counts.size(), 40u);
    EXPECT_EQ(bins.total, 5u);
    EXPECT_EQ(bins.counts[6], 3u);
    EXPECT_EQ(bins.counts[13], 1u);
    EXPECT_EQ(bins.counts[30], 1u);
    EXPECT_DOUBLE_EQ(BinEdge(bins, 6), 3981);
    EXPECT_DOUBLE_EQ(BinEdge(bins, 10), 10000);
}

TEST(LatencyBinsTest, MillisecondClockAndEmptyRun) {
    // The tick count's 1 ms ticks: a command of 0 ticks lies below the axis, in its first bin.
    LatencyHistogram histogram;
    histogram.Add(0);
    histogram.Add(0);
    histogram.Add(3);
    const LatencyBins bins = BinLatencies(histogram, 1000);
    EXPECT_EQ(bins.firstDecade, 2);
    EXPECT_EQ(bins.decades, 5);
    EXPECT_EQ(bins.counts[0], 2u);
    EXPECT_EQ(bins.counts[44], 1u);  // 3 ms: [10^6.4, 10^6.5) ns
    const LatencyBins empty = BinLatencies(LatencyHistogram(), 1000);
    EXPECT_EQ(empty.total, 0u);
    EXPECT_EQ(empty.counts.size(), 20u);
    EXPECT_EQ(BinLatencies(histogram, 0).total, 0u);
}

TEST(LatencyGraphTest, BarsTicksAndMarkers) {
    const LatencyBins bins = FiveCommands();
    const GraphPicture picture = BuildLatencyGraph(bins, 5000, 1200000, 400, 300, 12, kTexts);
    ASSERT_EQ(picture.xTicks.size(), 5u);
    const int decadeX[] = {48, 133, 218, 302, 387};  // 48 + d × 339 / 4
    const wchar_t* decadeLabels[] = {L"1 \u03BCs", L"10 \u03BCs", L"100 \u03BCs", L"1 ms", L"10 ms"};
    for (int d = 0; d < 5; ++d) {
        EXPECT_EQ(picture.xTicks[d].at, decadeX[d]);
        EXPECT_EQ(picture.xTicks[d].label, decadeLabels[d]);
    }
    EXPECT_EQ(picture.yTitle, L"S (%)");
    EXPECT_EQ(picture.yTicks.size(), 6u);  // the top bin holds 60 %: 0 to 100 in steps of 20
    ASSERT_EQ(picture.bars.size(), 3u);
    // Bin 6 from 3981 ns (x 48 + 50.85) to 5012 ns (x 48 + 59.3), less a pixel of gap; 60 %.
    EXPECT_EQ(picture.bars[0].left, 99);
    EXPECT_EQ(picture.bars[0].right, 106);
    EXPECT_EQ(picture.bars[0].top, 120);  // 267 − 147
    EXPECT_EQ(picture.bars[0].bottom, 267);
    ASSERT_EQ(picture.markers.size(), 2u);
    EXPECT_EQ(picture.markers[0].x, 107);  // log10(5000) − 3 = 0.699, × 339 / 4 = 59.2
    EXPECT_EQ(picture.markers[1].x, 309);  // log10(1.2e6) − 3 = 3.079, × 339 / 4 = 261
    EXPECT_TRUE(picture.markers[0].labelLeft);
    EXPECT_FALSE(picture.markers[1].labelLeft);
    EXPECT_EQ(BuildLatencyGraph(LatencyBins{}, 0, 0, 400, 300, 12, kTexts).emptyText, L"E");
}

TEST(LatencyTextsTest, MicrosecondsAndCommandsPerSecond) {
    struct Case {
        std::uint64_t nanoseconds;
        const wchar_t* text;
    };
    const Case cases[] = {{0, L" 0.0 \u03BCs"},          {999, L" 0.9 \u03BCs"},      {45299, L" 45.2 \u03BCs"},
                          {99999, L" 99.9 \u03BCs"},     {100000, L" 100 \u03BCs"},   {1234567, L" 1,234 \u03BCs"},
                          {30000000000, L" 30,000,000 \u03BCs"}};
    for (const Case& c : cases) EXPECT_EQ(LatencyText(c.nanoseconds), c.text) << c.nanoseconds;
    EXPECT_EQ(IopsText(0), L" 0");
    EXPECT_EQ(IopsText(999), L" 999");
    EXPECT_EQ(IopsText(1000), L" 1,000");
    EXPECT_EQ(IopsText(12345678), L" 12,345,678");
}

}  // namespace
}  // namespace sektra
