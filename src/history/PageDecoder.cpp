#include "history/PageDecoder.h"

#include <algorithm>
#include <mutex>

#include "history/HistoryDataSet.h"
#include "model/DateTimeField.h"

namespace {
// Bytes 0..6 are the frame header and the two leading data bytes; the last three are not records.
constexpr int kRecordsStart = 7;
constexpr int kTrailer = 3;

bool IsPossibleDate(const uint8_t* t) {
    return t[0] >= 1 && t[0] <= 33 && t[1] >= 1 && t[1] <= 12 && t[2] >= 1 && t[2] <= 31 && t[3] <= 23 &&
           t[4] <= 59 && t[5] <= 59;
}
}  // namespace

int PageDecoder::RecordsPerPage(int channelCount) {
    return (kPageReplySize - kRecordsStart - kTrailer) / (6 + 2 * std::max(channelCount, 0));
}

void PageDecoder::Begin(int64_t capacity, int pageCount) {
    std::lock_guard<std::mutex> lock(set_.Mutex());
    const int channels = set_.channelCount;
    const int64_t pages = std::max(pageCount, 0);
    int64_t expected = std::min<int64_t>(pages * RecordsPerPage(channels), std::max<int64_t>(capacity, 0));
    set_.timestamps.clear();
    set_.timestamps.reserve(static_cast<size_t>(expected));
    for (ChannelSeries& c : set_.channels) {
        c.values.clear();
        c.values.reserve(static_cast<size_t>(expected));
        c.validCount = 0;
        c.maximum = c.minimum = c.average = 0;
    }
    set_.breakPoints.clear();
    set_.recordCount = 0;
    set_.rangeFirst = set_.rangeLast = 0;
    set_.mouseMode = kMouseNormal;
    sums_.assign(static_cast<size_t>(channels), 0.0);
    started_.assign(static_cast<size_t>(channels), 0);
}

void PageDecoder::DecodePage(const uint8_t* reply, int length, int64_t capacity) {
    std::lock_guard<std::mutex> lock(set_.Mutex());
    HistoryDataSet& s = set_;
    if (reply == nullptr || s.recordCount >= capacity) return;
    const int channels = s.channelCount;
    if (static_cast<int>(sums_.size()) != channels) {
        sums_.resize(static_cast<size_t>(channels), 0.0);
        started_.resize(static_cast<size_t>(channels), 0);
    }
    const int recordSize = 6 + 2 * channels;
    const int end = length - kTrailer;
    // Only whole records are taken: a record cut off by the end of the region would hold undefined values.
    for (int pos = kRecordsStart; pos + recordSize <= end; pos += recordSize) {
        const uint8_t* r = reply + pos;
        if (!IsPossibleDate(r)) continue;
        const int64_t t = LocalToEpoch(2000 + r[0], r[1], r[2], r[3], r[4], r[5]);
        if (s.recordCount > 0 && IsBreakStep(s.timestamps.back(), t, s.recordInterval))
            s.breakPoints.push_back(s.recordCount);
        s.timestamps.push_back(t);
        for (int j = 0; j < channels; ++j) {
            const uint8_t b0 = r[6 + 2 * j];
            const uint8_t b1 = r[7 + 2 * j];
            ChannelSeries& c = s.channels[static_cast<size_t>(j)];
            if (b0 == 0x80 && b1 == 0x01) {
                c.values.push_back(InvalidSample);
                continue;
            }
            const double v = static_cast<int16_t>(static_cast<uint16_t>(b0 << 8 | b1)) / 10.0;
            c.values.push_back(v);
            sums_[static_cast<size_t>(j)] += v;
            ++c.validCount;
            if (!started_[static_cast<size_t>(j)]) {
                c.maximum = c.minimum = v;
                started_[static_cast<size_t>(j)] = 1;
            } else {
                if (v > c.maximum) c.maximum = v;
                if (v < c.minimum) c.minimum = v;
            }
        }
        s.rangeLast = s.recordCount;
        ++s.recordCount;
        if (s.recordCount >= capacity) break;
    }
}

void PageDecoder::Finish() {
    std::lock_guard<std::mutex> lock(set_.Mutex());
    for (size_t j = 0; j < set_.channels.size(); ++j) {
        ChannelSeries& c = set_.channels[j];
        const double sum = j < sums_.size() ? sums_[j] : 0.0;
        c.average = c.validCount ? sum / c.validCount : 0.0;
    }
}
