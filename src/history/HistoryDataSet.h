#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "history/BreakPoint.h"
#include "history/ChannelSeries.h"

class DeviceParameters;

// Chart mouse modes.
enum MouseMode { kMouseNormal = 0, kMouseZoom = 1, kMouseDrag = 2 };

// The history the user looks at: records of one download or one record file, per channel, with their
// time stamps, break points and the statistics of the range shown. Owned by the history window.
//
// Thread rule: the download worker writes the set and the window thread reads it and changes the
// range; every non-const method takes Mutex() itself, so never call one while holding it. The const
// lookups and code that reads the fields directly (chart, lists, exports) hold Mutex() while they
// read, unless no worker runs.
class HistoryDataSet {
public:
    HistoryDataSet() = default;
    HistoryDataSet(const HistoryDataSet&) = delete;
    HistoryDataSet& operator=(const HistoryDataSet&) = delete;

    std::mutex& Mutex() const { return mutex_; }

    // Builds the channels from the history parameters (enabled-channel list, type, unit, limits /10,
    // colours, display bounds = measuring range) and takes the record interval, also with no channel.
    void LoadChannels(const DeviceParameters& history);
    // Frees records, channels and break points; dataValid = 0. Interval, range and view options stay.
    void ClearData();

    // Statistics of every channel over rangeFirst..rangeLast; invalid samples are skipped. A channel
    // without a valid sample there gets validCount 0 and average 0 and keeps maximum and minimum.
    void RecomputeRangeStatistics();

    // Lowest index with a time stamp >= start, or recordCount - 1 when there is none.
    int FirstAtOrAfter(int64_t start) const;
    // Highest index with a time stamp <= end, or 0 when there is none.
    int LastAtOrBefore(int64_t end) const;
    // The time-range query after its dialog closed with OK: new range (rangeFirst > rangeLast when the
    // window holds no record), statistics, display bounds maximum + 5.0 / minimum - 0.5 clamped to the
    // measuring range. Returns false (and changes nothing) when the set holds no record.
    bool ApplyQuery(int64_t start, int64_t end);

    // The range 0..recordCount - 1 (0..0 when empty); statistics are not recomputed.
    void SetRangeAll();
    // Zoom to a rectangle in chart pixels (x1 <= x2, y1 <= y2) of a width x height chart, then recompute.
    void ZoomToRect(int width, int height, int x1, int y1, int x2, int y2);
    // Display bounds back to the measuring range, range to all records, then recompute.
    void ResetZoom();
    // One drag step: dx/dy are the pointer's moves since the last step (only their signs count).
    void PanByStep(int dx, int dy);
    void SetMouseMode(int mode);

    // True when i is a break point (the list is ascending, so this is a binary search).
    bool IsBreakPoint(int i) const;
    // True when the range shown holds no record (empty set, or a query window between two records).
    bool RangeEmpty() const { return recordCount == 0 || rangeFirst > rangeLast; }

    // Fields, in the order the history window keeps them.
    int channelCount = 0;
    std::vector<ChannelSeries> channels;
    std::vector<int64_t> timestamps;  // seconds since 1970-01-01 UTC, one per record
    int recordCount = 0;              // == timestamps.size() == every channel's values.size()
    int showAxes = 1;
    uint32_t backgroundColour = 0xFFFFFF;
    int rangeFirst = 0;
    int rangeLast = 0;  // inclusive
    int showCursorLine = 1;
    int showBreakLines = 1;
    int showAlarmLines = 1;
    int mouseMode = kMouseNormal;
    int recordInterval = 1;
    std::vector<BreakPoint> breakPoints;  // ascending record indices

    // A download or file load completed and the chart may be drawn; cleared by ClearData.
    std::atomic<int> dataValid{0};

private:
    void RecomputeLocked();

    mutable std::mutex mutex_;
};
