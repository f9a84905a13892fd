#include "history/HistoryDataSet.h"

#include <algorithm>

#include "model/DeviceParameters.h"

void HistoryDataSet::LoadChannels(const DeviceParameters& history) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::vector<int> enabled = history.EnabledChannels();
    if (!enabled.empty()) {
        channels.assign(enabled.size(), ChannelSeries{});
        for (size_t j = 0; j < enabled.size(); ++j) {
            const int a = enabled[j];
            ChannelSeries& c = channels[j];
            c.channelNumber = a;
            // The block's tables are indexed by device channel number; a number beyond the block has
            // no entry and keeps zero limits rather than reading outside it.
            if (a >= 0 && a < history.Capacity()) {
                const ChannelConfig cfg = history.Channel(a);
                c.typeCode = cfg.type;
                c.unitCode = cfg.unit;
                c.alarmUpper = cfg.alarmUpper / 10.0;
                c.alarmLower = cfg.alarmLower / 10.0;
                c.rangeUpper = cfg.rangeUpper / 10.0;
                c.rangeLower = cfg.rangeLower / 10.0;
            }
            c.displayTop = c.rangeUpper;
            c.displayBottom = c.rangeLower;
            c.colour = ChannelColour(a);
        }
        channelCount = static_cast<int>(channels.size());
    }
    recordInterval = static_cast<int>(history.RecordInterval());
}

void HistoryDataSet::ClearData() {
    std::lock_guard<std::mutex> lock(mutex_);
    // Swap with empties so the memory is really returned, not only the sizes reset.
    std::vector<ChannelSeries>().swap(channels);
    std::vector<int64_t>().swap(timestamps);
    std::vector<BreakPoint>().swap(breakPoints);
    recordCount = 0;
    channelCount = 0;
    dataValid = 0;
}

void HistoryDataSet::RecomputeRangeStatistics() {
    std::lock_guard<std::mutex> lock(mutex_);
    RecomputeLocked();
}

void HistoryDataSet::RecomputeLocked() {
    // Indices outside the records are never read, whatever the range says.
    const int first = std::max(rangeFirst, 0);
    const int last = std::min(rangeLast, recordCount - 1);
    for (ChannelSeries& c : channels) {
        int valid = 0;
        double sum = 0;
        const double* v = c.values.data();
        const int end = std::min(last, static_cast<int>(c.values.size()) - 1);
        for (int i = first; i <= end; ++i) {
            const double x = v[i];
            if (IsInvalidSample(x)) continue;
            sum += x;
            if (valid == 0) {
                c.maximum = c.minimum = x;
            } else {
                if (x > c.maximum) c.maximum = x;
                if (x < c.minimum) c.minimum = x;
            }
            ++valid;
        }
        c.validCount = valid;
        c.average = valid ? sum / valid : 0.0;
    }
}

int HistoryDataSet::FirstAtOrAfter(int64_t start) const {
    // Time stamps may step backwards at a break point, so this scans instead of bisecting.
    for (int i = 0; i < recordCount; ++i)
        if (timestamps[i] >= start) return i;
    return recordCount - 1;
}

int HistoryDataSet::LastAtOrBefore(int64_t end) const {
    for (int i = recordCount - 1; i >= 0; --i)
        if (timestamps[i] <= end) return i;
    return 0;
}

bool HistoryDataSet::ApplyQuery(int64_t start, int64_t end) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (recordCount <= 0) return false;
    const int f = FirstAtOrAfter(start);
    const int l = LastAtOrBefore(end);
    rangeLast = std::min(l, recordCount - 1);
    rangeFirst = std::max(f, 0);
    RecomputeLocked();
    for (ChannelSeries& c : channels) {
        c.displayTop = std::min(c.maximum + 5.0, c.rangeUpper);
        c.displayBottom = std::max(c.minimum - 0.5, c.rangeLower);
    }
    return true;
}

void HistoryDataSet::SetRangeAll() {
    std::lock_guard<std::mutex> lock(mutex_);
    rangeFirst = 0;
    rangeLast = std::max(recordCount - 1, 0);
}

void HistoryDataSet::ZoomToRect(int width, int height, int x1, int y1, int x2, int y2) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (RangeEmpty() || width <= 0 || height <= 0) return;
    const double px = static_cast<double>(width) / (rangeLast - rangeFirst + 1);
    const int i1 = static_cast<int>(x1 / px);
    const int i2 = static_cast<int>(x2 / px);
    const double h = height;
    for (ChannelSeries& c : channels) {
        const double span = c.displayTop - c.displayBottom;
        if (span == 0) continue;  // a flat scale has no value per pixel to zoom into
        const double s = h / span;
        const double bottom = c.displayBottom;
        c.displayTop = bottom + (h - y1) / s;
        c.displayBottom = bottom + (h - y2) / s;
    }
    const int oldFirst = rangeFirst;
    rangeLast = std::min(oldFirst + i2, rangeLast);
    rangeFirst = oldFirst + i1;
    RecomputeLocked();
}

void HistoryDataSet::ResetZoom() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (ChannelSeries& c : channels) {
        c.displayBottom = c.rangeLower;
        c.displayTop = c.rangeUpper;
    }
    rangeFirst = 0;
    rangeLast = std::max(recordCount - 1, 0);
    RecomputeLocked();
}

void HistoryDataSet::PanByStep(int dx, int dy) {
    std::lock_guard<std::mutex> lock(mutex_);
    constexpr double kStep = 0.05;
    for (ChannelSeries& c : channels) {
        if (dy > 0) {
            if (c.displayTop + kStep > c.rangeUpper) {
                const double d = c.rangeUpper - c.displayTop;
                c.displayTop = c.rangeUpper;
                c.displayBottom = std::min(c.displayBottom + d, c.rangeUpper);
            } else {
                c.displayTop += kStep;
                c.displayBottom += kStep;
            }
        } else {
            if (c.displayBottom - kStep < c.rangeLower) {
                const double d = c.displayBottom - c.rangeLower;
                c.displayBottom = c.rangeLower;
                c.displayTop = std::max(c.displayTop - d, c.rangeLower);
            } else {
                c.displayTop -= kStep;
                c.displayBottom -= kStep;
            }
        }
    }
    if (recordCount > 0) {
        if (dx > 0) {
            if (rangeFirst - 1 < 0) {
                rangeLast = std::max(rangeLast - rangeFirst, 0);
                rangeFirst = 0;
            } else {
                --rangeFirst;
                --rangeLast;
            }
        } else {
            if (rangeLast + 1 > recordCount - 1) {
                rangeFirst = std::min(recordCount - 1, rangeFirst + (recordCount - 1 - rangeLast));
                rangeLast = recordCount - 1;
            } else {
                ++rangeFirst;
                ++rangeLast;
            }
        }
    }
    RecomputeLocked();
}

void HistoryDataSet::SetMouseMode(int mode) {
    std::lock_guard<std::mutex> lock(mutex_);
    mouseMode = mode;
}

bool HistoryDataSet::IsBreakPoint(int i) const {
    return std::binary_search(breakPoints.begin(), breakPoints.end(), i);
}
