#pragma once

#include <cstdint>
#include <vector>

class HistoryDataSet;

// Decodes the logger's history pages into a HistoryDataSet: records with a possible date, samples,
// break points and the running statistics. Used by the download worker only; each page is decoded
// under the set's lock.
class PageDecoder {
public:
    // Largest page reply the logger sends.
    static constexpr int kPageReplySize = 600;

    explicit PageDecoder(HistoryDataSet& set) : set_(set) {}

    // Records a page reply of kPageReplySize bytes can hold with this many channels.
    static int RecordsPerPage(int channelCount);

    // Starts a download into the set's loaded channels: no records, range 0..0, normal mouse mode,
    // statistics restarted. Memory is reserved for what pageCount full pages can hold, never more
    // than capacity: the logger's announced storage may be far larger than what it sends.
    void Begin(int64_t capacity, int pageCount);

    // Appends the records of one page reply of length bytes. Records beyond capacity are ignored,
    // a record with an impossible date is skipped whole, a record cut off by the end of the records
    // region is dropped.
    void DecodePage(const uint8_t* reply, int length, int64_t capacity);

    // Averages of the whole download (0 for a channel without a valid sample).
    void Finish();

private:
    HistoryDataSet& set_;
    std::vector<double> sums_;
    std::vector<int> started_;
};
