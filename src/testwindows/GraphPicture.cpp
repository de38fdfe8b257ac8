#include "testwindows/GraphPicture.h"

#include <cmath>
#include <cwchar>

namespace sektra {

GraphRect PlotArea(int width, int height, int textHeight) {
    // Room for y labels such as "1000" on the left, for the y title above and for the x labels
    // and x title below.
    const int left = 4 * textHeight;
    const int top = textHeight + textHeight / 2 + 4;
    const int right = width - textHeight;
    const int bottom = height - 2 * textHeight - 8;
    GraphRect plot{left, top, right, bottom};
    if (plot.right <= plot.left + 1) plot.right = plot.left + 2;
    if (plot.bottom <= plot.top + 1) plot.bottom = plot.top + 2;
    return plot;
}

AxisScale NiceScale(double maximum) {
    if (!(maximum > 0)) return {1.0, 0.2};
    const double power = std::pow(10.0, std::floor(std::log10(maximum)));
    const double mantissa = maximum / power;
    // The tolerance keeps an exact power of ten whose logarithm came out a hair low.
    if (mantissa <= 1.0 + 1e-9) return {power, power / 5};
    if (mantissa <= 2.0 + 1e-9) return {2 * power, power / 2};
    if (mantissa <= 5.0 + 1e-9) return {5 * power, power};
    return {10 * power, 2 * power};
}

std::wstring AxisLabel(double value) {
    wchar_t buffer[64] = {};
    std::swprintf(buffer, 64, L"%.2f", value);
    std::wstring text = buffer;
    while (!text.empty() && text.back() == L'0') text.pop_back();
    if (!text.empty() && text.back() == L'.') text.pop_back();
    return text == L"-0" ? L"0" : text;
}

int AxisPixel(double value, double top, int origin, int length, bool up) {
    double fraction = top > 0 ? value / top : 0;
    if (!(fraction > 0)) fraction = 0;
    if (fraction > 1) fraction = 1;
    const int offset = static_cast<int>(std::lround(fraction * (length - 1)));
    return up ? origin - offset : origin + offset;
}

}  // namespace sektra
