#pragma once

#include <QString>
#include <ctime>

#include "history/ChannelListRows.h"
#include "history/ChannelSeries.h"
#include "model/DateTimeField.h"
#include "model/Texts.h"

// Cell and label texts of the history window, shared by its lists, chart box and data model.
namespace HistoryTexts {

// "%.1f" of a sample, or "ERR" ("ERROR") for InvalidSample.
inline QString Value(double v) {
    return IsInvalidSample(v) ? QString::fromUtf8(Tx(TextId::HistInvalidValue))
                              : QString::asprintf("%.1f", v);
}

inline QString Number(double v) {
    return QString::asprintf("%.1f", v);
}

// "%d-%02d-%02d %02d:%02d:%02d" in local time; a time the calendar cannot convert reads
// "0-00-00 -1:-1:-1", as in the channel list and the exports.
inline QString Time(int64_t t) {
    return QString::fromStdString(RecordTimeText(t));
}

// "%04d-..." in local time (information list); an unconvertible time reads "0000-00-00 -1:-1:-1".
inline QString PaddedTime(int64_t t) {
    const std::time_t seconds = static_cast<std::time_t>(t);
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return QStringLiteral("0000-00-00 -1:-1:-1");
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                             local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

inline QString ChannelName(int channelNumber) {
    return QString::fromStdString(FormatText(Tx(TextId::HistChannelName), channelNumber + 1));
}

inline QString Text(TextId id) {
    return QString::fromUtf8(Tx(id));
}

}  // namespace HistoryTexts
