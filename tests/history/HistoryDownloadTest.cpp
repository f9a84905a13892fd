#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "device/Frame.h"
#include "device/SerialTransport.h"
#include "device/Transaction.h"
#include "history/HistoryDataSet.h"
#include "history/HistoryDownload.h"
#include "history/PageDecoder.h"
#include "model/DateTimeField.h"
#include "model/DeviceContext.h"
#include "model/DeviceParameters.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct ServedRecord {
    DateTimeField time;
    std::vector<uint16_t> words;
};

// A logger in memory: answers the page-count and page requests from a list of records, and notes the
// baud rate of every open.
class FakeLogger : public SerialTransport {
public:
    std::vector<Bytes> pages;  // record bytes of each page
    bool answerPageCount = true;
    int reportedPages = -1;     // overrides pages.size() when >= 0
    std::set<int> silentPages;  // never answered
    std::function<void(int page)> onPageRequest;
    std::vector<int> openBauds;
    std::vector<int> pageRequests;

    void Reset() {
        pages.clear();
        answerPageCount = true;
        reportedPages = -1;
        silentPages.clear();
        onPageRequest = nullptr;
        openBauds.clear();
        pageRequests.clear();
    }

    bool Open(int, int baudRate, char, int, int) override {
        openBauds.push_back(baudRate);
        open_ = true;
        pending_.clear();
        return true;
    }
    void Close() override {
        open_ = false;
        pending_.clear();
    }
    int Write(const uint8_t* bytes, int count) override {
        if (!open_ || count < 7) return 0;
        if (bytes[2] == 0x19 && answerPageCount) {
            const int n = reportedPages >= 0 ? reportedPages : static_cast<int>(pages.size());
            Queue(ReplyFrame(0x19, {static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n)}));
        } else if (bytes[2] == 0x1A) {
            const int page = bytes[5] << 8 | bytes[6];
            pageRequests.push_back(page);
            if (onPageRequest) onPageRequest(page);
            if (!silentPages.count(page) && page >= 1 && page <= static_cast<int>(pages.size())) {
                // Two leading data bytes, the records, one trailing byte.
                const Bytes& records = pages[static_cast<size_t>(page - 1)];
                Bytes data(records.size() + 3, 0);
                std::copy(records.begin(), records.end(), data.begin() + 2);
                Queue(ReplyFrame(0x1A, data));
            }
        }
        return count;
    }
    int BytesAvailable() override { return open_ ? static_cast<int>(pending_.size()) : 0; }
    int Read(int count, uint8_t* destination) override {
        int n = 0;
        while (open_ && n < count && !pending_.empty()) {
            destination[n++] = pending_.front();
            pending_.pop_front();
        }
        return n;
    }

    // Spreads the records over pages of at most perPage records.
    void Serve(const std::vector<ServedRecord>& records, int perPage) {
        pages.clear();
        for (size_t i = 0; i < records.size(); ++i) {
            if (i % static_cast<size_t>(perPage) == 0) pages.emplace_back();
            Bytes& page = pages.back();
            uint8_t t[6];
            records[i].time.ToBytes(t);
            page.insert(page.end(), t, t + 6);
            for (uint16_t w : records[i].words) {
                page.push_back(static_cast<uint8_t>(w >> 8));
                page.push_back(static_cast<uint8_t>(w));
            }
        }
    }

private:
    void Queue(const Bytes& frame) { pending_.insert(pending_.end(), frame.begin(), frame.end()); }
    bool open_ = false;
    std::deque<uint8_t> pending_;
};

class HistoryDownloadTest : public ::testing::Test {
public:
    void SetUp() override {
        if (const char* old = std::getenv("TZ")) oldZone_ = old;
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
        SetTransactionTransport(&logger);
        SetTransactionSleep([](int) {});
        DeviceContext& context = GetDeviceContext();
        context.baudRate = 9600;
        context.retryCount = 3;
        context.portNumber = 1;
        history.SetByte(DeviceParameters::kChannelMask, 0x0B);  // channels 1, 2 and 4
        history.RebuildEnabledChannels();
        history.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
        SetCapacity(60000);
        set.LoadChannels(history);
    }
    void TearDown() override {
        SetTransactionTransport(nullptr);
        SetTransactionSleep({});
        DestroyDeviceContext();
        if (oldZone_.empty())
            unsetenv("TZ");
        else
            setenv("TZ", oldZone_.c_str(), 1);
        tzset();
    }
    void SetCapacity(uint32_t capacity) {
        history.SetBigEndian32(history.Offsets().deviceInfo + DeviceParameters::kInfoCapacity, capacity);
    }

    // count records a minute apart from 2026-03-02 08:00:00, with a 10-minute gap after record 50, a step
    // back at record 120, channel 2 without values at records 10..19 and an impossible date at record 30.
    static std::vector<ServedRecord> History(int count) {
        std::vector<ServedRecord> records;
        int64_t t = LocalToEpoch(2026, 3, 2, 8, 0, 0);
        for (int i = 0; i < count; ++i) {
            ServedRecord r;
            r.time = FieldFromEpoch(t);
            if (i == 30) r.time.year = 34;
            r.words = {static_cast<uint16_t>(200 + i % 37),
                       static_cast<uint16_t>(i >= 10 && i < 20 ? 0x8001 : 500 - i),
                       static_cast<uint16_t>(-5 - i)};
            records.push_back(r);
            t += (i == 50 ? 600 : 60);
            if (i == 120) t -= 3600;
        }
        return records;
    }

    DownloadOutcome Run() {
        HistoryDownload::Callbacks callbacks;
        callbacks.started = [this](int n) { events.push_back("start " + std::to_string(n)); };
        callbacks.pageDone = [this](int p) { events.push_back("page " + std::to_string(p)); };
        callbacks.failed = [this](bool cancelled) { events.push_back(cancelled ? "cancelled" : "failed"); };
        return HistoryDownload::Run(set, history, GetDeviceContext(), workerRunning, callbacks);
    }

    static std::vector<std::string> PageEvents(int pages) {
        std::vector<std::string> e{"start " + std::to_string(pages)};
        for (int p = 1; p <= pages; ++p) e.push_back("page " + std::to_string(p));
        return e;
    }

    FakeLogger logger;
    DeviceParameters history{6};
    HistoryDataSet set;
    std::atomic<int> workerRunning{1};
    std::vector<std::string> events;
    std::string oldZone_;
};

TEST_F(HistoryDownloadTest, FullDownloadHoldsWhatTheLoggerServed) {
    const std::vector<ServedRecord> served = History(200);
    logger.Serve(served, PageDecoder::RecordsPerPage(3));
    const int pages = static_cast<int>(logger.pages.size());
    ASSERT_EQ(pages, 5);

    ASSERT_EQ(Run(), DownloadOutcome::Complete);
    EXPECT_EQ(events, PageEvents(pages));

    // What a correct reading of the served records gives.
    std::vector<int64_t> times;
    std::vector<BreakPoint> breaks;
    std::vector<std::vector<double>> values(3);
    for (const ServedRecord& r : served) {
        if (r.time.year > 33) continue;
        const int64_t t = LocalToEpoch(r.time);
        if (!times.empty() && (t < times.back() || t - times.back() > 60))
            breaks.push_back(static_cast<int>(times.size()));
        times.push_back(t);
        for (int j = 0; j < 3; ++j)
            values[j].push_back(r.words[j] == 0x8001 ? InvalidSample
                                                     : static_cast<int16_t>(r.words[j]) / 10.0);
    }
    ASSERT_EQ(set.recordCount, 199);
    EXPECT_EQ(set.timestamps, times);
    EXPECT_EQ(set.breakPoints, breaks);
    EXPECT_EQ(breaks.size(), 3u);  // the dropped record, the gap and the step back
    for (int j = 0; j < 3; ++j) {
        SCOPED_TRACE(j);
        const ChannelSeries& c = set.channels[j];
        EXPECT_EQ(c.values, values[j]);
        double sum = 0, high = -1e9, low = 1e9;
        int valid = 0;
        for (double v : values[j]) {
            if (v == InvalidSample) continue;
            sum += v, ++valid, high = std::max(high, v), low = std::min(low, v);
        }
        EXPECT_EQ(c.validCount, valid);
        EXPECT_DOUBLE_EQ(c.maximum, high);
        EXPECT_DOUBLE_EQ(c.minimum, low);
        EXPECT_NEAR(c.average, sum / valid, 1e-9);
    }
    EXPECT_EQ(set.channels[1].validCount, 189);
    EXPECT_EQ(set.rangeFirst, 0);
    EXPECT_EQ(set.rangeLast, 198);

    // The page count goes at the configured rate, every page at 115200, and the rate comes back.
    ASSERT_FALSE(logger.openBauds.empty());
    EXPECT_EQ(logger.openBauds.front(), 9600);
    EXPECT_EQ(std::count(logger.openBauds.begin(), logger.openBauds.end(), 115200), pages);
    EXPECT_EQ(GetDeviceContext().baudRate, 9600);
}

TEST_F(HistoryDownloadTest, CancelDuringAPageEmptiesTheSet) {
    logger.Serve(History(10 * PageDecoder::RecordsPerPage(3)), PageDecoder::RecordsPerPage(3));
    ASSERT_EQ(logger.pages.size(), 10u);
    // The window's cancel: clear the flag, then end the exchange in progress.
    logger.onPageRequest = [this](int page) {
        if (page == 3) {
            workerRunning = 0;
            CancelTransaction();
        }
    };
    EXPECT_EQ(Run(), DownloadOutcome::Cancelled);
    EXPECT_EQ(events, (std::vector<std::string>{"start 10", "page 1", "page 2", "cancelled"}));
    EXPECT_EQ(set.recordCount, 0);
    EXPECT_TRUE(set.channels.empty());
    EXPECT_TRUE(set.timestamps.empty());
    EXPECT_EQ(GetDeviceContext().baudRate, 9600);
    EXPECT_EQ(logger.pageRequests.back(), 3);
}

TEST_F(HistoryDownloadTest, PageFailingAfterItsRetriesEmptiesTheSetAndReportsFailure) {
    logger.Serve(History(200), PageDecoder::RecordsPerPage(3));
    logger.silentPages = {4};
    EXPECT_EQ(Run(), DownloadOutcome::Failed);
    EXPECT_EQ(events, (std::vector<std::string>{"start 5", "page 1", "page 2", "page 3", "failed"}));
    EXPECT_EQ(std::count(logger.pageRequests.begin(), logger.pageRequests.end(), 4), 3);
    EXPECT_EQ(set.recordCount, 0);
    EXPECT_TRUE(set.channels.empty());
    EXPECT_EQ(GetDeviceContext().baudRate, 9600);
}

TEST_F(HistoryDownloadTest, OutcomesBeforeThePages) {
    struct Case {
        const char* name;
        std::function<void(HistoryDownloadTest&)> arrange;
        DownloadOutcome outcome;
        std::vector<std::string> events;
    } cases[] = {
        {"page count unanswered",
         [](HistoryDownloadTest& t) { t.logger.answerPageCount = false; },
         DownloadOutcome::Failed,
         {"failed"}},
        {"no pages",
         [](HistoryDownloadTest& t) { t.logger.reportedPages = 0; },
         DownloadOutcome::NoPages,
         {}},
        {"no storage capacity",
         [](HistoryDownloadTest& t) { t.SetCapacity(0); },
         DownloadOutcome::Failed,
         {"start 5", "failed"}},
        {"stopped before start",
         [](HistoryDownloadTest& t) { t.workerRunning = 0; },
         DownloadOutcome::Cancelled,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        logger.Reset();
        logger.Serve(History(200), PageDecoder::RecordsPerPage(3));
        SetCapacity(60000);
        workerRunning = 1;
        events.clear();
        set.ClearData();
        set.LoadChannels(history);
        c.arrange(*this);
        EXPECT_EQ(Run(), c.outcome);
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(set.recordCount, 0);
        EXPECT_TRUE(logger.pageRequests.empty());
        EXPECT_EQ(GetDeviceContext().baudRate, 9600);
    }
}

TEST_F(HistoryDownloadTest, RecordsBeyondTheStorageCapacityAreIgnored) {
    logger.Serve(History(200), PageDecoder::RecordsPerPage(3));
    SetCapacity(25);
    EXPECT_EQ(Run(), DownloadOutcome::Complete);
    EXPECT_EQ(set.recordCount, 25);
    EXPECT_EQ(set.timestamps.size(), 25u);
    EXPECT_EQ(set.rangeLast, 24);
}

}  // namespace
