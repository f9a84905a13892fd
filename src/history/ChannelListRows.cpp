#include "history/ChannelListRows.h"

#include <charconv>
#include <ctime>

#include "history/HistoryDataSet.h"
#include "model/ChannelTypeTable.h"
#include "model/Texts.h"
#include "model/UnitTable.h"

std::string OneDecimalText(double value) {
    // to_chars with a precision formats exactly as printf("%.1f") does, without the locale.
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    return std::string(buffer, result.ptr);
}

std::string SampleText(double value) {
    return IsInvalidSample(value) ? std::string(Tx(TextId::HistInvalidValue)) : OneDecimalText(value);
}

namespace {
void AppendTwoDigits(std::string& out, int value) {
    if (value >= 0 && value < 10) out.push_back('0');
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}
}  // namespace

void AppendRecordTime(std::string& out, int64_t timestamp) {
    int year = 0, month = 0, day = 0, hour = -1, minute = -1, second = -1;
    const std::time_t t = static_cast<std::time_t>(timestamp);
    std::tm local{};
    if (localtime_r(&t, &local) != nullptr) {
        year = local.tm_year + 1900;
        month = local.tm_mon + 1;
        day = local.tm_mday;
        hour = local.tm_hour;
        minute = local.tm_min;
        second = local.tm_sec;
    }
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, year);
    out.append(buffer, result.ptr);
    out.push_back('-');
    AppendTwoDigits(out, month);
    out.push_back('-');
    AppendTwoDigits(out, day);
    out.push_back(' ');
    AppendTwoDigits(out, hour);
    out.push_back(':');
    AppendTwoDigits(out, minute);
    out.push_back(':');
    AppendTwoDigits(out, second);
}

std::string RecordTimeText(int64_t timestamp) {
    std::string text;
    AppendRecordTime(text, timestamp);
    return text;
}

void SetStatisticsCells(ChannelListRow& row, const ChannelSeries& channel, NoValidStatistics noValid) {
    if (channel.validCount < 1) {
        const std::string none = noValid == NoValidStatistics::ShowZero ? "0.0" : "";
        row[kColumnMaximum] = none;
        row[kColumnMinimum] = none;
        row[kColumnAverage] = none;
        return;
    }
    row[kColumnMaximum] = OneDecimalText(channel.maximum);
    row[kColumnMinimum] = OneDecimalText(channel.minimum);
    row[kColumnAverage] = OneDecimalText(channel.average);
}

ChannelListRow MakeChannelListRow(const ChannelSeries& channel, UnitTable& units, NoValidStatistics noValid) {
    ChannelListRow row;
    row[kColumnChannel] = FormatText(Tx(TextId::HistChannelName), channel.channelNumber + 1);
    row[kColumnType] = ChannelTypeName(channel.typeCode);
    row[kColumnUnit] = units.Lookup(channel.unitCode);
    SetStatisticsCells(row, channel, noValid);
    row[kColumnAlarmUpper] = OneDecimalText(channel.alarmUpper);
    row[kColumnAlarmLower] = OneDecimalText(channel.alarmLower);
    row[kColumnRangeUpper] = OneDecimalText(channel.rangeUpper);
    row[kColumnRangeLower] = OneDecimalText(channel.rangeLower);
    return row;
}

std::vector<ChannelListRow> MakeChannelListRows(const HistoryDataSet& set, UnitTable& units,
                                                NoValidStatistics noValid) {
    std::vector<ChannelListRow> rows;
    rows.reserve(set.channels.size());
    for (const ChannelSeries& channel : set.channels)
        rows.push_back(MakeChannelListRow(channel, units, noValid));
    return rows;
}

void SetCursorCells(ChannelListRow& row, double value, int64_t timestamp) {
    row[kColumnSelectedValue] = SampleText(value);
    row[kColumnRecordTime] = RecordTimeText(timestamp);
}

void ClearCursorCells(ChannelListRow& row) {
    row[kColumnSelectedValue].clear();
    row[kColumnRecordTime].clear();
}
