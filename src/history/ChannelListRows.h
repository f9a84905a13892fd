#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class HistoryDataSet;
class UnitTable;
struct ChannelSeries;

// Columns of the history window's channel list, by index.
enum ChannelListColumn {
    kColumnChannel = 0,
    kColumnType,
    kColumnSelectedValue,
    kColumnUnit,
    kColumnRecordTime,
    kColumnMaximum,
    kColumnMinimum,
    kColumnAverage,
    kColumnAlarmUpper,
    kColumnAlarmLower,
    kColumnRangeUpper,
    kColumnRangeLower,
    kChannelListColumnCount
};

// The twelve cell texts (UTF-8) of one channel-list row. The window shows them and the text and CSV
// exports copy them, so list and files always agree.
using ChannelListRow = std::array<std::string, kChannelListColumnCount>;

// How maximum, minimum and average read when the channel has no valid sample: "0.0" after a download
// or file load, empty after the range statistics were recomputed (query, zoom, drag).
enum class NoValidStatistics { ShowZero, ShowEmpty };

// "%.1f" of a sample, or the edition's "ERR" / "ERROR" for the invalid sample -1000.0.
std::string SampleText(double value);
// "%.1f" of a value.
std::string OneDecimalText(double value);
// "%d-%02d-%02d %02d:%02d:%02d" of a time stamp in local time; a time the calendar cannot convert
// reads "0-00-00 -1:-1:-1".
std::string RecordTimeText(int64_t timestamp);
// The same text appended to out (the exports write a million of them).
void AppendRecordTime(std::string& out, int64_t timestamp);

// The row of one channel: name, type, unit, statistics and limits; the cursor cells (selected value,
// record time) are empty. Unit texts come from the unit table (which adds unknown codes as "").
ChannelListRow MakeChannelListRow(const ChannelSeries& channel, UnitTable& units, NoValidStatistics noValid);
// One row per channel of the set, in channel order. Reads the set: hold its lock while a worker runs.
std::vector<ChannelListRow> MakeChannelListRows(const HistoryDataSet& set, UnitTable& units,
                                                NoValidStatistics noValid);

// Rewrites maximum, minimum and average of a row from the channel's statistics.
void SetStatisticsCells(ChannelListRow& row, const ChannelSeries& channel, NoValidStatistics noValid);
// The cursor cells for record index: its sample text and its time.
void SetCursorCells(ChannelListRow& row, double value, int64_t timestamp);
void ClearCursorCells(ChannelListRow& row);
