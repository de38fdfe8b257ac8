#include "testwindows/win32/GraphPainter.h"

namespace sektra {
namespace {

COLORREF Gdi(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

void FillBox(HDC dc, const GraphRect& box, std::uint32_t colour) {
    const RECT rect = {box.left, box.top, box.right, box.bottom};
    HBRUSH brush = CreateSolidBrush(Gdi(colour));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Draws `text` with its reference point at (x, y) as `align` (TA_* flags) says.
void Text(HDC dc, int x, int y, const std::wstring& text, UINT align, std::uint32_t colour) {
    SetTextAlign(dc, align);
    SetTextColor(dc, Gdi(colour));
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

class Pen {
public:
    Pen(HDC dc, int style, int width, std::uint32_t colour)
        : dc(dc), pen(CreatePen(style, width, Gdi(colour))), previous(SelectObject(dc, pen)) {}
    ~Pen() {
        SelectObject(dc, previous);
        DeleteObject(pen);
    }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;

private:
    HDC dc;
    HPEN pen;
    HGDIOBJ previous;
};

void PaintAxes(HDC dc, const GraphPicture& p, int textHeight) {
    const GraphRect& plot = p.plot;
    const int baseline = plot.bottom - 1;
    {
        Pen grid(dc, PS_SOLID, 1, kGraphGrid);
        for (const GraphTick& tick : p.yTicks) {
            if (tick.at != baseline) Line(dc, plot.left + 1, tick.at, plot.right, tick.at);
        }
        for (const GraphTick& tick : p.xTicks) {
            if (tick.at != plot.left) Line(dc, tick.at, plot.top, tick.at, baseline);
        }
    }
    Pen axis(dc, PS_SOLID, 1, kGraphAxis);
    Line(dc, plot.left, plot.top, plot.left, baseline);
    Line(dc, plot.left, baseline, plot.right, baseline);
    for (const GraphTick& tick : p.yTicks) {
        Line(dc, plot.left - 4, tick.at, plot.left, tick.at);
        Text(dc, plot.left - 6, tick.at - textHeight / 2, tick.label, TA_RIGHT | TA_TOP, kGraphAxis);
    }
    for (const GraphTick& tick : p.xTicks) {
        Line(dc, tick.at, baseline, tick.at, baseline + 4);
        // Centred under its tick, but kept inside the picture (the last label of the axis).
        SIZE size{};
        GetTextExtentPoint32W(dc, tick.label.c_str(), static_cast<int>(tick.label.size()), &size);
        int left = tick.at - size.cx / 2;
        if (left + size.cx > p.width - 2) left = p.width - 2 - size.cx;
        Text(dc, left, baseline + 5, tick.label, TA_LEFT | TA_TOP, kGraphAxis);
    }
    Text(dc, plot.left - 6, 2, p.yTitle, TA_LEFT | TA_TOP, kGraphAxis);
    Text(dc, (plot.left + plot.right) / 2, baseline + 6 + textHeight, p.xTitle, TA_CENTER | TA_TOP, kGraphAxis);
}

}  // namespace

int GraphTextHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight > 0 ? static_cast<int>(metrics.tmHeight) : 12;
}

void PaintGraph(HDC dc, const GraphPicture& p, HFONT font) {
    HGDIOBJ previousFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int textHeight = metrics.tmHeight > 0 ? static_cast<int>(metrics.tmHeight) : 12;
    FillBox(dc, {0, 0, p.width, p.height}, kGraphBackground);
    PaintAxes(dc, p, textHeight);

    for (const GraphRect& bar : p.bars) FillBox(dc, bar, kGraphBar);
    if (p.averageY >= 0) {
        Pen average(dc, PS_SOLID, 1, kGraphAverage);
        Line(dc, p.plot.left + 1, p.averageY, p.plot.right, p.averageY);
        Text(dc, p.plot.right - 2, p.averageY - textHeight - 1, p.averageLabel, TA_RIGHT | TA_TOP, kGraphAverage);
    }
    if (p.curve.size() == 1) {
        FillBox(dc, {p.curve[0].x - 1, p.curve[0].y - 1, p.curve[0].x + 2, p.curve[0].y + 2}, kGraphCurve);
    } else if (!p.curve.empty()) {
        Pen curve(dc, PS_SOLID, 2, kGraphCurve);
        MoveToEx(dc, p.curve[0].x, p.curve[0].y, nullptr);
        for (std::size_t i = 1; i < p.curve.size(); ++i) LineTo(dc, p.curve[i].x, p.curve[i].y);
    }
    for (const GraphMarker& marker : p.markers) {
        {
            Pen line(dc, PS_DOT, 1, kGraphMarker);
            Line(dc, marker.x, p.plot.top, marker.x, p.plot.bottom - 1);
        }
        // A halo of the background colour keeps the label readable over a bar without hiding it.
        const int x = marker.labelLeft ? marker.x - 3 : marker.x + 3, y = p.plot.top + 2;
        const UINT align = (marker.labelLeft ? TA_RIGHT : TA_LEFT) | TA_TOP;
        for (const POINT& d : {POINT{-1, 0}, POINT{1, 0}, POINT{0, -1}, POINT{0, 1}}) {
            Text(dc, x + d.x, y + d.y, marker.label, align, kGraphBackground);
        }
        Text(dc, x, y, marker.label, align, kGraphMarker);
    }
    if (!p.emptyText.empty()) {
        Text(dc, (p.plot.left + p.plot.right) / 2, (p.plot.top + p.plot.bottom - textHeight) / 2, p.emptyText,
             TA_CENTER | TA_TOP, kGraphAxis);
    }
    SelectObject(dc, previousFont);
}

void PaintGraphBuffered(HDC target, int x, int y, const GraphPicture& picture, HFONT font) {
    if (picture.width <= 0 || picture.height <= 0) return;
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, picture.width, picture.height);
    if (memory != nullptr && bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        PaintGraph(memory, picture, font);
        BitBlt(target, x, y, picture.width, picture.height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
}

bool RenderGraph(const GraphPicture& picture, HFONT font, Image* image) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > kMaxImageSide ||
        picture.height > kMaxImageSide) {
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // rows top first, as Image keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) return false;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    PaintGraph(memory, picture, font);
    GdiFlush();
    image->width = picture.width;
    image->height = picture.height;
    image->pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    // A 32-bit BI_RGB pixel is 0x00RRGGBB in memory order B, G, R, unused.
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < image->pixels.size(); ++i) image->pixels[i] = source[i] & 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    return true;
}

}  // namespace sektra
