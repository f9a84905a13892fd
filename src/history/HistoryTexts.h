#pragma once

#include <QString>

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

// "%d-%02d-%02d %02d:%02d:%02d" in local time.
inline QString Time(int64_t t) {
    return QString::fromStdString(FormatEpoch(t));
}

// "%04d-..." in local time (information list).
inline QString PaddedTime(int64_t t) {
    return QString::fromStdString(FormatEpochPadded(t));
}

inline QString ChannelName(int channelNumber) {
    return QString::fromStdString(FormatText(Tx(TextId::HistChannelName), channelNumber + 1));
}

inline QString Text(TextId id) {
    return QString::fromUtf8(Tx(id));
}

}  // namespace HistoryTexts
