#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class HistoryDataSet;
class QImage;
class QPainter;
struct ChannelSeries;

// Renders the history chart into an image: background, border, ticks, axes, alarm lines, curves and
// break lines of the set's range. A range with more records than pixel columns is drawn as a min/max
// envelope per column from block summaries, so its cost follows the chart width, not the record count.
//
// Thread rule: Draw runs on the window thread with the set's lock held by the caller. The summaries
// are cached between renders; call Invalidate whenever the set's records change (download, file load,
// ClearData).
class HistoryChartRenderer {
public:
    // Records per block of the min/max summaries.
    static constexpr int kBlock = 64;

    void Draw(const HistoryDataSet& set, QImage& target);
    void Invalidate() { summaries_.clear(); }

    // Colour of the set (0x00BBGGRR) as an ARGB value for QColor.
    static uint32_t ToRgb(uint32_t bgr);

private:
    struct Summary {
        const double* data = nullptr;
        size_t size = 0;
        std::vector<double> lo, hi;  // per block of kBlock records
    };

    void DrawAxes(QPainter& p, const HistoryDataSet& set, int w, int h);
    void DrawPoints(QPainter& p, const HistoryDataSet& set, const ChannelSeries& c, int w, int h);
    void DrawEnvelope(QPainter& p, const HistoryDataSet& set, int channel, int w, int h);
    const Summary& SummaryOf(int channel, const ChannelSeries& c);
    void MinMax(const Summary& s, const double* v, int a, int b, double* lo, double* hi) const;

    std::vector<Summary> summaries_;
};
