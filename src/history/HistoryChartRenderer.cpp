#include "history/HistoryChartRenderer.h"

#include <QFont>
#include <QImage>
#include <QLine>
#include <QPainter>
#include <QPen>
#include <QVector>
#include <algorithm>
#include <cmath>

#include "history/HistoryChartGeometry.h"
#include "history/HistoryDataSet.h"

using namespace HistoryChartGeometry;

uint32_t HistoryChartRenderer::ToRgb(uint32_t bgr) {
    const uint32_t r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

namespace {

QPen SolidPen(uint32_t bgr) {
    QPen pen(QColor::fromRgb(HistoryChartRenderer::ToRgb(bgr)));
    pen.setWidth(1);
    return pen;
}

QPen DottedPen(uint32_t bgr) {
    QPen pen = SolidPen(bgr);
    pen.setStyle(Qt::DotLine);
    return pen;
}

// A scale the curves can be drawn with: a flat or inverted-to-nothing span has no pixel per value.
bool Drawable(const ChannelSeries& c) {
    const double span = c.displayTop - c.displayBottom;
    return span != 0 && std::isfinite(span);
}

// Text of the axis at its top-left corner, black on an opaque white box.
void AxisText(QPainter& p, int x, int y, double value) {
    const QString text = QString::asprintf("%.1f", value);
    const QRect box = p.fontMetrics().boundingRect(text);
    const QRect at(x, y, box.width() + 1, p.fontMetrics().height());
    p.fillRect(at, Qt::white);
    p.setPen(Qt::black);
    p.drawText(at, Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace

void HistoryChartRenderer::Draw(const HistoryDataSet& set, QImage& target) {
    const int w = target.width();
    const int h = target.height();
    QPainter p(&target);
    p.setRenderHint(QPainter::Antialiasing, false);
    QFont font = p.font();
    font.setPixelSize(12);
    p.setFont(font);

    p.fillRect(0, 0, w, h, QColor::fromRgb(ToRgb(set.backgroundColour)));
    p.setPen(SolidPen(0));
    const QPoint border[] = {{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}, {0, 0}};
    p.drawPolyline(border, 5);
    const double q = (w - 1) * 0.25;
    for (int t = 0; t < 4; ++t) {
        // A tick of n pixels covers rows h-1 up to h-n: Qt's line includes both of its ends.
        const int x = ToPixel(q * t);
        p.drawLine(x, h - 1, x, h - (t == 2 ? 15 : 10));
    }
    if (set.channelCount == 0) return;

    if (set.showAxes) DrawAxes(p, set, w, h);
    if (set.recordCount <= 0) return;
    const int first = set.rangeFirst, last = std::min(set.rangeLast, set.recordCount - 1);
    // An empty range (a query window between two records) still shows the alarm lines, only no curve.
    const bool curves = !set.RangeEmpty() && first >= 0 && first <= last;
    const bool envelope = curves && last - first + 1 > w;
    for (int k = 0; k < static_cast<int>(set.channels.size()); ++k) {
        const ChannelSeries& c = set.channels[k];
        if (!c.visible || !Drawable(c)) continue;
        if (set.showAlarmLines) {
            p.setPen(DottedPen(c.colour));
            for (double limit : {c.alarmUpper, c.alarmLower}) {
                // Strict: a limit lying on an edge of the scale is not drawn.
                if (c.displayBottom < limit && limit < c.displayTop) {
                    const int y = ValuePixel(h, c.displayTop, c.displayBottom, limit);
                    p.drawLine(0, y, w, y);
                }
            }
        }
        if (!curves || static_cast<int>(c.values.size()) <= last) continue;
        if (envelope)
            DrawEnvelope(p, set, k, w, h);
        else
            DrawPoints(p, set, c, w, h);
    }
}

void HistoryChartRenderer::DrawAxes(QPainter& p, const HistoryDataSet& set, int /*w*/, int h) {
    for (int k = 0; k < static_cast<int>(set.channels.size()); ++k) {
        const ChannelSeries& c = set.channels[k];
        if (!c.visible) continue;
        const int col = AxisColumn(k);
        const double top = c.displayTop, bottom = c.displayBottom;
        const QPen pen = SolidPen(c.colour);
        p.setPen(pen);
        const QPoint bracket[] = {{col - 5, 0}, {col - 15, 0}, {col - 15, h - 1}, {col - 5, h - 1}};
        p.drawPolyline(bracket, 4);
        p.drawLine(col - 15, h / 2, col - 5, h / 2);
        p.drawLine(col - 5, h / 4, col - 15, h / 4);
        p.drawLine(col - 5, (3 * h) / 4, col - 15, (3 * h) / 4);
        AxisText(p, col, 1, top);
        AxisText(p, col, h - 17, bottom);
        AxisText(p, col, h / 2 - 8, bottom + (top - bottom) * 0.5);
        AxisText(p, col, h / 4 - 8, bottom + (top - bottom) * 3 * 0.25);
        AxisText(p, col, (3 * h) / 4 - 8, bottom + (top - bottom) * 0.25);
    }
}

// Every record its own point: the first record is a segment one record wide, the last ends on the
// right edge, a break point drops a dotted line under the point before it.
void HistoryChartRenderer::DrawPoints(QPainter& p, const HistoryDataSet& set, const ChannelSeries& c, int w,
                                      int h) {
    const int first = set.rangeFirst, last = set.rangeLast;
    const double px = RecordSpacing(w, first, last);
    const double top = c.displayTop, bottom = c.displayBottom;
    QVector<QPoint> curve;
    curve.reserve(last - first + 2);
    QVector<QLine> breaks;
    double x = 0;
    int xp = 0, yp = 0;
    for (int i = first; i <= last; ++i) {
        const int y = ValuePixel(h, top, bottom, c.values[i]);
        if (i == first) {
            curve.append(QPoint(0, y));
        } else if (set.showBreakLines && i != last && set.IsBreakPoint(i)) {
            breaks.append(QLine(xp, yp, xp, h));
        }
        x = i == last ? w : x + px;
        curve.append(QPoint(ToPixel(x), y));
        xp = ToPixel(x);
        yp = y;
    }
    if (!breaks.isEmpty()) {
        p.setPen(DottedPen(c.colour));
        p.drawLines(breaks);
    }
    p.setPen(SolidPen(c.colour));
    p.drawPolyline(curve.constData(), curve.size());
}

const HistoryChartRenderer::Summary& HistoryChartRenderer::SummaryOf(int channel, const ChannelSeries& c) {
    if (static_cast<int>(summaries_.size()) <= channel) summaries_.resize(channel + 1);
    Summary& s = summaries_[channel];
    if (s.data == c.values.data() && s.size == c.values.size()) return s;
    s.data = c.values.data();
    s.size = c.values.size();
    const size_t blocks = s.size / kBlock;
    s.lo.resize(blocks);
    s.hi.resize(blocks);
    for (size_t b = 0; b < blocks; ++b) {
        const double* v = s.data + b * kBlock;
        double lo = v[0], hi = v[0];
        for (int i = 1; i < kBlock; ++i) {
            lo = std::min(lo, v[i]);
            hi = std::max(hi, v[i]);
        }
        s.lo[b] = lo;
        s.hi[b] = hi;
    }
    return s;
}

namespace {
// Smallest and largest of v[a..b] folded into lo/hi; four lanes keep the min/max chains independent.
void ScanRaw(const double* v, int a, int b, double* lo, double* hi) {
    double l[4] = {*lo, *lo, *lo, *lo}, h[4] = {*hi, *hi, *hi, *hi};
    int i = a;
    for (; i + 3 <= b; i += 4)
        for (int k = 0; k < 4; ++k) {
            l[k] = std::min(l[k], v[i + k]);
            h[k] = std::max(h[k], v[i + k]);
        }
    for (; i <= b; ++i) {
        l[0] = std::min(l[0], v[i]);
        h[0] = std::max(h[0], v[i]);
    }
    *lo = std::min(std::min(l[0], l[1]), std::min(l[2], l[3]));
    *hi = std::max(std::max(h[0], h[1]), std::max(h[2], h[3]));
}
}  // namespace

void HistoryChartRenderer::MinMax(const Summary& s, const double* v, int a, int b, double* lo,
                                  double* hi) const {
    double mn = v[a], mx = v[a];
    // Records before the first whole block, the whole blocks from their summaries, then the rest.
    const int firstBlock = (a + kBlock - 1) / kBlock;
    const int endBlock = (b + 1) / kBlock;  // blocks firstBlock..endBlock-1 lie wholly inside a..b
    if (firstBlock >= endBlock) {
        ScanRaw(v, a, b, &mn, &mx);
    } else {
        ScanRaw(v, a, firstBlock * kBlock - 1, &mn, &mx);
        for (int blk = firstBlock; blk < endBlock; ++blk) {
            mn = std::min(mn, s.lo[blk]);
            mx = std::max(mx, s.hi[blk]);
        }
        ScanRaw(v, endBlock * kBlock, b, &mn, &mx);
    }
    *lo = mn;
    *hi = mx;
}

// More records than pixel columns: per column one vertical line over the column's smallest and
// largest value, joined to the next column from the column's last record to the next one's first.
void HistoryChartRenderer::DrawEnvelope(QPainter& p, const HistoryDataSet& set, int channel, int w, int h) {
    const ChannelSeries& c = set.channels[channel];
    const Summary& s = SummaryOf(channel, c);
    const int first = set.rangeFirst, last = set.rangeLast;
    const int n = last - first + 1;
    const double px = RecordSpacing(w, first, last);
    const double top = c.displayTop, bottom = c.displayBottom;
    const double* v = c.values.data() + first;
    auto xOf = [&](int k) { return k == n - 1 ? w : ToPixel((k + 1) * px); };
    auto yOf = [&](double value) { return ValuePixel(h, top, bottom, value); };

    QVector<QLine> lines;
    lines.reserve(2 * (w + 2));
    const int y0 = yOf(v[0]);
    lines.append(QLine(0, y0, xOf(0), y0));
    QPoint prev;
    bool havePrev = false;
    for (int k = 0; k < n;) {
        const int col = xOf(k);
        int kHi = std::clamp(static_cast<int>(std::ceil((col + 1) / px)) - 2, k, n - 1);
        while (kHi + 1 < n && xOf(kHi + 1) == col) ++kHi;
        while (kHi > k && xOf(kHi) != col) --kHi;
        double lo, hi;
        MinMax(s, c.values.data(), first + k, first + kHi, &lo, &hi);
        const int yFirst = yOf(v[k]);
        if (havePrev) lines.append(QLine(prev, QPoint(col, yFirst)));
        const int ya = yOf(lo), yb = yOf(hi);
        lines.append(QLine(col, std::min(ya, yb), col, std::max(ya, yb)));
        prev = QPoint(col, yOf(v[kHi]));
        havePrev = true;
        k = kHi + 1;
    }

    if (set.showBreakLines && !set.breakPoints.empty()) {
        // One dotted line per column is enough: the one from the highest point covers the others.
        QVector<QLine> breaks;
        auto it = std::upper_bound(set.breakPoints.begin(), set.breakPoints.end(), first);
        for (; it != set.breakPoints.end() && *it < last; ++it) {
            const int xp = xOf(*it - 1 - first);
            const int yp = yOf(c.values[*it - 1]);
            if (!breaks.isEmpty() && breaks.back().x1() == xp) {
                if (yp < breaks.back().y1()) breaks.back().setP1(QPoint(xp, yp));
            } else {
                breaks.append(QLine(xp, yp, xp, h));
            }
        }
        if (!breaks.isEmpty()) {
            p.setPen(DottedPen(c.colour));
            p.drawLines(breaks);
        }
    }
    p.setPen(SolidPen(c.colour));
    p.drawLines(lines);
}
