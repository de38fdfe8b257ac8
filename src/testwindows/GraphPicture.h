#pragma once
// What a test window's graph shows, in pixels of a picture of a given size: the plot area, the
// ticks and titles of both axes, and the curve, bars and lines inside. The window paints it on
// screen and into the saved image with the same code, so both look alike; only that painting
// is platform code.
#include <cstdint>
#include <string>
#include <vector>

namespace sektra {

// Colours as 0xRRGGBB.
constexpr std::uint32_t kGraphBackground = 0xFFFFFF;
constexpr std::uint32_t kGraphAxis = 0x000000;
constexpr std::uint32_t kGraphGrid = 0xDCDCDC;
constexpr std::uint32_t kGraphCurve = 0x1060D0;
constexpr std::uint32_t kGraphAverage = 0xE07000;
constexpr std::uint32_t kGraphBar = 0x2E8B57;
constexpr std::uint32_t kGraphMarker = 0xC00000;

struct GraphTick {
    int at;  // x of an x-axis tick, y of a y-axis tick
    std::wstring label;
};

struct GraphPoint {
    int x;
    int y;
};

// Left and top inclusive, right and bottom exclusive.
struct GraphRect {
    int left;
    int top;
    int right;
    int bottom;
};

// A vertical line across the plot at x, labelled at its top on its left or right side: the
// lower of two markers labelled on its left and the higher on its right never overlap.
struct GraphMarker {
    int x;
    bool labelLeft;
    std::wstring label;
};

// The words of the graphs, from the language module; units are added to them.
struct GraphTexts {
    std::wstring rate;      // y of the rate curve, "(MB/s)" follows
    std::wstring position;  // x of the rate curve, "(GB)" or "(MB)" follows
    std::wstring share;     // y of the distribution, "(%)" follows
    std::wstring latency;   // x of the distribution, its labels carry their units
    std::wstring average;   // the label of the average line
    std::wstring empty;     // the plot before the first measured command
};

struct GraphPicture {
    int width = 0;
    int height = 0;
    GraphRect plot{0, 0, 0, 0};  // the axes run along its left and bottom edges
    std::vector<GraphTick> xTicks;
    std::vector<GraphTick> yTicks;
    std::wstring xTitle;  // under the x labels
    std::wstring yTitle;  // above the y axis
    std::vector<GraphPoint> curve;
    std::vector<GraphRect> bars;
    int averageY = -1;  // a horizontal line when not -1
    std::wstring averageLabel;
    std::vector<GraphMarker> markers;
    std::wstring emptyText;  // in the middle of the plot while there is nothing to draw
};

// The plot area of a picture, leaving room for labels of `textHeight` pixels.
GraphRect PlotArea(int width, int height, int textHeight);

// An axis from 0 to `top` in steps of `step`: top is the least of 1, 2 and 5 times a power of
// ten that reaches `maximum`, in 5, 4 and 5 steps. A maximum of 0 or less gives 1 in 0.2 steps.
struct AxisScale {
    double top;
    double step;
};
AxisScale NiceScale(double maximum);

// A tick value without trailing zeros: "0", "0.25", "1.5", "200".
std::wstring AxisLabel(double value);

// `value` of an axis from 0 to `top` along `length` pixels from `origin`, towards higher pixel
// numbers (`up` false) or lower (`up` true), rounded and kept on the axis.
int AxisPixel(double value, double top, int origin, int length, bool up);

}  // namespace sektra
