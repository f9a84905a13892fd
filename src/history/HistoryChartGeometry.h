#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// Pixel mapping of the history chart, shared by the renderer, the mouse handlers and the tests.
// Coordinates are relative to the chart area (left/top 0); W and H are its width and height.
// Every conversion from double to pixel truncates toward zero.
namespace HistoryChartGeometry {

inline constexpr int kAxisFirstColumn = 65;  // axis column of channel k: 65 + 60 k
inline constexpr int kAxisColumnStep = 60;
inline constexpr int kValueBoxWidth = 138;
inline constexpr int kValueBoxLineHeight = 20;
inline constexpr uint32_t kCursorLineColour = 0x969696;
// Far-off points (InvalidSample far below the bottom edge) are pinned here before truncation, so the
// int conversion stays defined; the visible part of such a line keeps its slope to within a pixel.
inline constexpr double kPixelLimit = 1.0e6;

// Horizontal space per record of the range first..last (inclusive) on a chart W pixels wide.
inline double RecordSpacing(int width, int first, int last) {
    return static_cast<double>(width) / (last - first + 1);
}

inline int ToPixel(double v) {
    if (!(v == v)) return 0;  // NaN from a flat scale: no sensible pixel, keep it on the edge
    return static_cast<int>(std::clamp(v, -kPixelLimit, kPixelLimit));
}

// y of a value for a channel scaled displayBottom..displayTop over H pixels (as a double).
inline double ValueY(int height, double top, double bottom, double value) {
    const double s = height / (top - bottom);
    return height - (value - bottom) * s;
}

inline int ValuePixel(int height, double top, double bottom, double value) {
    return ToPixel(ValueY(height, top, bottom, value));
}

inline int AxisColumn(int channelIndex) {
    return kAxisFirstColumn + kAxisColumnStep * channelIndex;
}

// Record under the pointer at x: trunc(x / px) + first, at most last.
inline int RecordAtX(int x, int width, int first, int last) {
    const double px = RecordSpacing(width, first, last);
    const int r = static_cast<int>(x / px) + first;
    return std::min(r, last);
}

inline int ValueBoxHeight(int channelCount) {
    return kValueBoxLineHeight * (channelCount + 1);
}

// Top-left of the value box for the pointer at (x, y): beside and below the pointer, flipped to its left
// when the box would cross the right edge and above it when it would cross the bottom edge. False when
// the chart is too small to hold the box.
inline bool ValueBoxOrigin(int x, int y, int width, int height, int boxHeight, int* bx, int* by) {
    if (width <= kValueBoxWidth || height <= boxHeight) return false;
    *bx = x + kValueBoxWidth > width ? x - kValueBoxWidth : x;
    *by = y + boxHeight > height ? y - boxHeight : y;
    return true;
}

// Middle time of a range for the centre label: first + (last - first) / 2, never before first.
inline int64_t MiddleTime(int64_t first, int64_t last) {
    // Wide arithmetic: a damaged file's time stamps must not overflow the difference.
    const __int128 t = static_cast<__int128>(first) + (static_cast<__int128>(last) - first) / 2;
    return t < first ? first : static_cast<int64_t>(t);
}

}  // namespace HistoryChartGeometry
