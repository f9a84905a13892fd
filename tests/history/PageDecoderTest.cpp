#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "device/Frame.h"
#include "history/HistoryDataSet.h"
#include "history/PageDecoder.h"
#include "model/DeviceParameters.h"

namespace {

// Sets TZ for one test and puts the previous zone back.
class ZoneGuard {
public:
    explicit ZoneGuard(const char* zone) {
        if (const char* old = std::getenv("TZ")) old_ = old, hadOld_ = true;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneGuard() {
        if (hadOld_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string old_;
    bool hadOld_ = false;
};

using Bytes = std::vector<uint8_t>;

Bytes Record(uint8_t y, uint8_t mo, uint8_t d, uint8_t h, uint8_t mi, uint8_t s,
             const std::vector<uint16_t>& words) {
    Bytes r{y, mo, d, h, mi, s};
    for (uint16_t w : words) {
        r.push_back(static_cast<uint8_t>(w >> 8));
        r.push_back(static_cast<uint8_t>(w));
    }
    return r;
}

// A page reply as the logger frames it: two data bytes, the records, one more byte, checksum, ')'.
Bytes Page(const std::vector<Bytes>& records, const Bytes& tail = {}) {
    Bytes data{0, 0};
    for (const Bytes& r : records) data.insert(data.end(), r.begin(), r.end());
    data.insert(data.end(), tail.begin(), tail.end());
    data.push_back(0);
    return ReplyFrame(0x1A, data);
}

int64_t Utc(int y, int mo, int d, int h, int mi, int s) {
    std::tm t{};
    t.tm_year = y - 1900;
    t.tm_mon = mo - 1;
    t.tm_mday = d;
    t.tm_hour = h;
    t.tm_min = mi;
    t.tm_sec = s;
    return static_cast<int64_t>(timegm(&t));
}

class PageDecoderTest : public ::testing::Test {
protected:
    void Load(uint8_t mask, uint32_t interval = 60) {
        DeviceParameters p(6);
        p.SetByte(DeviceParameters::kChannelMask, mask);
        p.RebuildEnabledChannels();
        p.SetBigEndian32(DeviceParameters::kRecordInterval, interval);
        set.LoadChannels(p);
    }
    void Decode(const std::vector<Bytes>& pages, int64_t capacity = 60000) {
        decoder.Begin(capacity, static_cast<int>(pages.size()));
        for (const Bytes& page : pages)
            decoder.DecodePage(page.data(), static_cast<int>(page.size()), capacity);
        decoder.Finish();
    }
    void ExpectConsistent() {
        ASSERT_EQ(set.timestamps.size(), static_cast<size_t>(set.recordCount));
        for (const ChannelSeries& c : set.channels)
            ASSERT_EQ(c.values.size(), static_cast<size_t>(set.recordCount));
    }

    ZoneGuard zone{"Asia/Shanghai"};
    HistoryDataSet set;
    PageDecoder decoder{set};
};

TEST_F(PageDecoderTest, OnlyPossibleDatesMakeRecords) {
    struct Case {
        Bytes time;
        int records;
    } cases[] = {
        {{26, 3, 2, 8, 0, 0}, 1},  {{33, 12, 31, 23, 59, 59}, 1}, {{0x22, 3, 2, 8, 0, 0}, 0},
        {{0, 3, 2, 8, 0, 0}, 0},   {{26, 0, 2, 8, 0, 0}, 0},      {{26, 13, 2, 8, 0, 0}, 0},
        {{26, 3, 0, 8, 0, 0}, 0},  {{26, 3, 32, 8, 0, 0}, 0},     {{26, 3, 2, 24, 0, 0}, 0},
        {{26, 3, 2, 8, 60, 0}, 0}, {{26, 3, 2, 8, 0, 60}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.time));
        set.ClearData();
        Load(0x03);
        const Bytes& t = c.time;
        Decode({Page({Record(t[0], t[1], t[2], t[3], t[4], t[5], {0x0064, 0x00C8})})});
        ExpectConsistent();
        EXPECT_EQ(set.recordCount, c.records);
        EXPECT_EQ(set.channels[0].validCount, c.records);
        if (c.records == 1) {
            EXPECT_EQ(set.timestamps[0], Utc(2000 + t[0], t[1], t[2], t[3], t[4], t[5]) - 8 * 3600);
            EXPECT_DOUBLE_EQ(set.channels[0].values[0], 10.0);
            EXPECT_DOUBLE_EQ(set.channels[1].values[0], 20.0);
        }
    }
}

TEST_F(PageDecoderTest, SampleWordsAndTheNoValueWord) {
    struct Case {
        uint16_t word;
        double value;
        int valid;
    } cases[] = {{0x8001, InvalidSample, 0},
                 {0xFF9C, -10.0, 1},
                 {0x8000, -3276.8, 1},
                 {0x7FFF, 3276.7, 1},
                 {0x00CB, 20.3, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        set.ClearData();
        Load(0x01);
        Decode({Page({Record(26, 3, 2, 8, 0, 0, {c.word})})});
        ASSERT_EQ(set.recordCount, 1);
        const ChannelSeries& ch = set.channels[0];
        EXPECT_DOUBLE_EQ(ch.values[0], c.value);
        EXPECT_EQ(ch.validCount, c.valid);
        EXPECT_DOUBLE_EQ(ch.maximum, c.valid ? c.value : 0.0);
        EXPECT_DOUBLE_EQ(ch.minimum, c.valid ? c.value : 0.0);
        EXPECT_DOUBLE_EQ(ch.average, c.valid ? c.value : 0.0);
    }
}

TEST_F(PageDecoderTest, BreakPointsForGapsAndStepsBackwards) {
    struct Case {
        const char* name;
        std::vector<std::vector<Bytes>> pages;
        std::vector<BreakPoint> breaks;
    } cases[] = {
        {"gap",
         {{Record(26, 3, 2, 10, 0, 0, {1}), Record(26, 3, 2, 10, 1, 0, {1}),
           Record(26, 3, 2, 10, 3, 0, {1})}},
         {2}},
        {"backwards", {{Record(26, 3, 2, 10, 0, 0, {1}), Record(26, 3, 2, 9, 59, 0, {1})}}, {1}},
        {"same second", {{Record(26, 3, 2, 10, 0, 0, {1}), Record(26, 3, 2, 10, 0, 0, {1})}}, {}},
        {"across pages",
         {{Record(26, 3, 2, 10, 0, 0, {1}), Record(26, 3, 2, 10, 1, 0, {1})},
          {Record(26, 3, 2, 11, 0, 0, {1})}},
         {2}},
        // The dropped record leaves no index behind: the gap is measured from the last kept record.
        {"after a dropped record",
         {{Record(26, 3, 2, 10, 0, 0, {1}), Record(34, 3, 2, 10, 1, 0, {1}),
           Record(26, 3, 2, 10, 2, 0, {1})}},
         {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        set.ClearData();
        Load(0x01, 60);
        std::vector<Bytes> pages;
        for (const auto& records : c.pages) pages.push_back(Page(records));
        Decode(pages);
        ExpectConsistent();
        EXPECT_EQ(set.breakPoints, c.breaks);
        for (BreakPoint b : c.breaks) EXPECT_TRUE(set.IsBreakPoint(b));
        EXPECT_FALSE(set.IsBreakPoint(0));
    }
}

TEST_F(PageDecoderTest, StatisticsSpanPagesAndSkipInvalidSamples) {
    Load(0x03);
    Decode(
        {Page({Record(26, 3, 2, 10, 0, 0, {0x00CB, 0x8001}), Record(26, 3, 2, 10, 1, 0, {0xFF9C, 0x8001})}),
         Page({Record(26, 3, 2, 10, 2, 0, {0x0064, 0x8001})})});
    ASSERT_EQ(set.recordCount, 3);
    const ChannelSeries& a = set.channels[0];
    EXPECT_EQ(a.validCount, 3);
    EXPECT_DOUBLE_EQ(a.maximum, 20.3);
    EXPECT_DOUBLE_EQ(a.minimum, -10.0);
    EXPECT_DOUBLE_EQ(a.average, (20.3 - 10.0 + 10.0) / 3);
    const ChannelSeries& b = set.channels[1];
    EXPECT_EQ(b.validCount, 0);
    EXPECT_DOUBLE_EQ(b.average, 0.0);
    EXPECT_EQ(b.values, std::vector<double>(3, InvalidSample));
    EXPECT_EQ(set.rangeFirst, 0);
    EXPECT_EQ(set.rangeLast, 2);
}

TEST_F(PageDecoderTest, RecordsBeyondTheCapacityAreIgnored) {
    Load(0x01);
    const Bytes page1 = Page({Record(26, 3, 2, 10, 0, 0, {1}), Record(26, 3, 2, 10, 1, 0, {2})});
    const Bytes page2 = Page({Record(26, 3, 2, 10, 2, 0, {3}), Record(26, 3, 2, 10, 3, 0, {4})});
    const Bytes page3 = Page({Record(26, 3, 2, 10, 4, 0, {5})});
    Decode({page1, page2, page3}, 3);
    ExpectConsistent();
    EXPECT_EQ(set.recordCount, 3);
    EXPECT_EQ(set.channels[0].validCount, 3);
    EXPECT_DOUBLE_EQ(set.channels[0].maximum, 0.3);
}

TEST_F(PageDecoderTest, PartialRecordAtTheEndOfTheRegionIsDropped) {
    Load(0x03);
    // One whole record, then a record cut off after its time and one value word.
    const Bytes page = Page({Record(26, 3, 2, 10, 0, 0, {0x0064, 0x00C8})}, {26, 3, 2, 10, 1, 0, 0x00, 0x32});
    Decode({page});
    ExpectConsistent();
    EXPECT_EQ(set.recordCount, 1);
    EXPECT_EQ(set.channels[0].validCount, 1);
    EXPECT_DOUBLE_EQ(set.channels[0].maximum, 10.0);
}

TEST_F(PageDecoderTest, RepliesTooShortForARecordAddNothing) {
    Load(0x01);
    const Bytes empty = Page({});
    const Bytes header(5, 0);
    decoder.Begin(100, 1);
    decoder.DecodePage(empty.data(), static_cast<int>(empty.size()), 100);
    decoder.DecodePage(header.data(), static_cast<int>(header.size()), 100);
    decoder.DecodePage(nullptr, 0, 100);
    EXPECT_EQ(set.recordCount, 0);
}

TEST_F(PageDecoderTest, MemoryFollowsTheAnnouncedPagesNotTheStorageCapacity) {
    Load(0xFF);  // six channels in this block
    const int perPage = PageDecoder::RecordsPerPage(6);
    EXPECT_EQ(perPage, 590 / 18);
    decoder.Begin((int64_t{1} << 29) - 1, 2);
    EXPECT_LE(set.timestamps.capacity(), static_cast<size_t>(2 * perPage));
    for (const ChannelSeries& c : set.channels)
        EXPECT_LE(c.values.capacity(), static_cast<size_t>(2 * perPage));
    // A small capacity caps it even when many pages are announced.
    decoder.Begin(10, 1000);
    EXPECT_LE(set.timestamps.capacity(), static_cast<size_t>(2 * perPage));
}

TEST(PageDecoderZoneTest, DaylightSavingStepIsOneIntervalNotABreak) {
    ZoneGuard zone("Europe/Berlin");
    HistoryDataSet set;
    DeviceParameters p(6);
    p.SetByte(DeviceParameters::kChannelMask, 0x01);
    p.RebuildEnabledChannels();
    p.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
    set.LoadChannels(p);
    PageDecoder decoder(set);
    // Clocks jump from 02:00 CET to 03:00 CEST on 2026-03-29: 01:59 and 03:00 are a minute apart.
    const Bytes page = Page({Record(26, 3, 29, 1, 59, 0, {1}), Record(26, 3, 29, 3, 0, 0, {2})});
    decoder.Begin(100, 1);
    decoder.DecodePage(page.data(), static_cast<int>(page.size()), 100);
    ASSERT_EQ(set.recordCount, 2);
    EXPECT_EQ(set.timestamps[0], Utc(2026, 3, 29, 0, 59, 0));
    EXPECT_EQ(set.timestamps[1], Utc(2026, 3, 29, 1, 0, 0));
    EXPECT_TRUE(set.breakPoints.empty());
}

}  // namespace
