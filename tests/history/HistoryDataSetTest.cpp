#include <gtest/gtest.h>

#include <vector>

#include "history/HistoryDataSet.h"
#include "model/DeviceParameters.h"

namespace {

// A set of one channel (range -40..80) with records a minute apart from t0.
class HistoryDataSetTest : public ::testing::Test {
protected:
    static constexpr int64_t t0 = 1772409600;

    void Fill(const std::vector<double>& values) {
        DeviceParameters p(6);
        p.SetByte(DeviceParameters::kChannelMask, 0x01);
        p.RebuildEnabledChannels();
        ChannelConfig c;
        c.rangeUpper = 800;
        c.rangeLower = -400;
        p.SetChannel(0, c);
        p.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
        set.ClearData();
        set.LoadChannels(p);
        for (size_t i = 0; i < values.size(); ++i) {
            set.timestamps.push_back(t0 + 60 * static_cast<int64_t>(i));
            set.channels[0].values.push_back(values[i]);
        }
        set.recordCount = static_cast<int>(values.size());
        set.SetRangeAll();
        set.RecomputeRangeStatistics();
    }

    HistoryDataSet set;
};

TEST_F(HistoryDataSetTest, ChannelsComeFromTheEnabledListByChannelNumber) {
    DeviceParameters p(6);
    p.SetByte(DeviceParameters::kChannelMask, 0x05);
    p.RebuildEnabledChannels();
    ChannelConfig c2;
    c2.type = 2;
    c2.unit = 4;
    c2.alarmUpper = 855;
    c2.alarmLower = -15;
    c2.rangeUpper = 1000;
    c2.rangeLower = -200;
    p.SetChannel(2, c2);
    p.SetBigEndian32(DeviceParameters::kRecordInterval, 300);
    set.LoadChannels(p);
    ASSERT_EQ(set.channelCount, 2);
    ASSERT_EQ(set.channels.size(), 2u);
    EXPECT_EQ(set.channels[0].channelNumber, 0);
    EXPECT_EQ(set.channels[0].colour, 0xFF0000u);
    const ChannelSeries& s = set.channels[1];
    EXPECT_EQ(s.channelNumber, 2);
    EXPECT_EQ(s.colour, 0x00FF00u);
    EXPECT_EQ(s.typeCode, 2);
    EXPECT_EQ(s.unitCode, 4);
    EXPECT_DOUBLE_EQ(s.alarmUpper, 85.5);
    EXPECT_DOUBLE_EQ(s.alarmLower, -1.5);
    EXPECT_DOUBLE_EQ(s.displayTop, 100.0);
    EXPECT_DOUBLE_EQ(s.displayBottom, -20.0);
    EXPECT_EQ(set.recordInterval, 300);
}

TEST_F(HistoryDataSetTest, ClearDataKeepsIntervalRangeAndViewOptions) {
    Fill({1, 2, 3});
    set.rangeFirst = 1;
    set.showAxes = 0;
    set.dataValid = 1;
    set.breakPoints = {2};
    set.ClearData();
    EXPECT_EQ(set.recordCount, 0);
    EXPECT_EQ(set.channelCount, 0);
    EXPECT_TRUE(set.channels.empty());
    EXPECT_TRUE(set.timestamps.empty());
    EXPECT_TRUE(set.breakPoints.empty());
    EXPECT_EQ(set.dataValid, 0);
    EXPECT_EQ(set.recordInterval, 60);
    EXPECT_EQ(set.rangeFirst, 1);
    EXPECT_EQ(set.showAxes, 0);
    // With no channels in the block the interval is still taken.
    DeviceParameters none(6);
    none.SetBigEndian32(DeviceParameters::kRecordInterval, 5);
    set.LoadChannels(none);
    EXPECT_EQ(set.channelCount, 0);
    EXPECT_EQ(set.recordInterval, 5);
}

TEST_F(HistoryDataSetTest, QueryWindowsGiveTheirRange) {
    struct Case {
        const char* name;
        int64_t start, end;
        int first, last;
    } cases[] = {
        {"wider than the set", t0 - 1000, t0 + 1000, 0, 3},
        {"exact record times", t0 + 60, t0 + 120, 1, 2},
        {"between two records", t0 + 61, t0 + 119, 2, 1},
        {"start after the last record", t0 + 200, t0 + 300, 3, 3},
        {"both before the first record", t0 - 100, t0 - 50, 0, 0},
        {"single instant", t0 + 120, t0 + 120, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill({1.0, 2.0, 3.0, 4.0});
        ASSERT_TRUE(set.ApplyQuery(c.start, c.end));
        EXPECT_EQ(set.rangeFirst, c.first);
        EXPECT_EQ(set.rangeLast, c.last);
        EXPECT_EQ(set.RangeEmpty(), c.first > c.last);
    }
}

TEST_F(HistoryDataSetTest, QueryOnAnEmptySetChangesNothing) {
    set.rangeFirst = 0;
    set.rangeLast = 0;
    EXPECT_FALSE(set.ApplyQuery(0, 100));
    EXPECT_TRUE(set.RangeEmpty());
}

TEST_F(HistoryDataSetTest, QuerySetsStatisticsAndDisplayBounds) {
    struct Case {
        std::vector<double> values;
        double top, bottom;
    } cases[] = {
        {{99.0, 20.3, 18.0, 19.0}, 25.3, 17.5},   // record 0 lies outside the query
        {{99.0, 78.0, 18.0, 19.0}, 80.0, 17.5},   // top clamped to the range's upper limit
        {{99.0, 10.0, -39.9, 0.0}, 15.0, -40.0},  // bottom clamped to the range's lower limit
    };
    for (const Case& c : cases) {
        Fill(c.values);
        ASSERT_TRUE(set.ApplyQuery(t0 + 60, t0 + 180));
        const ChannelSeries& s = set.channels[0];
        EXPECT_EQ(s.validCount, 3);
        EXPECT_DOUBLE_EQ(s.displayTop, c.top);
        EXPECT_DOUBLE_EQ(s.displayBottom, c.bottom);
    }
}

TEST_F(HistoryDataSetTest, RangeWithoutValidSamplesKeepsExtremesAndZeroesAverage) {
    Fill({5.0, InvalidSample, InvalidSample, 7.0});
    ASSERT_EQ(set.channels[0].validCount, 2);
    EXPECT_DOUBLE_EQ(set.channels[0].average, 6.0);
    set.rangeFirst = 1;
    set.rangeLast = 2;
    set.RecomputeRangeStatistics();
    EXPECT_EQ(set.channels[0].validCount, 0);
    EXPECT_DOUBLE_EQ(set.channels[0].average, 0.0);
    EXPECT_DOUBLE_EQ(set.channels[0].maximum, 7.0);
    EXPECT_DOUBLE_EQ(set.channels[0].minimum, 5.0);
    // An empty query range behaves the same.
    ASSERT_TRUE(set.ApplyQuery(t0 + 61, t0 + 119));
    EXPECT_EQ(set.channels[0].validCount, 0);
}

TEST_F(HistoryDataSetTest, RecomputeNeverReadsOutsideTheRecords) {
    Fill({1.0, 2.0, 3.0});
    set.rangeFirst = -5;
    set.rangeLast = 50;
    set.RecomputeRangeStatistics();
    EXPECT_EQ(set.channels[0].validCount, 3);
    EXPECT_DOUBLE_EQ(set.channels[0].maximum, 3.0);
}

TEST_F(HistoryDataSetTest, ZoomToRectangleNarrowsRangeAndBounds) {
    Fill(std::vector<double>(400, 1.0));
    // Chart 400 x 120 over -40..80: one unit per pixel.
    set.ZoomToRect(400, 120, 100, 20, 300, 100);
    EXPECT_EQ(set.rangeFirst, 100);
    EXPECT_EQ(set.rangeLast, 300);
    EXPECT_DOUBLE_EQ(set.channels[0].displayTop, 60.0);
    EXPECT_DOUBLE_EQ(set.channels[0].displayBottom, -20.0);
    EXPECT_EQ(set.channels[0].validCount, 201);
    set.ResetZoom();
    EXPECT_EQ(set.rangeFirst, 0);
    EXPECT_EQ(set.rangeLast, 399);
    EXPECT_DOUBLE_EQ(set.channels[0].displayTop, 80.0);
    EXPECT_DOUBLE_EQ(set.channels[0].displayBottom, -40.0);
    EXPECT_EQ(set.channels[0].validCount, 400);
}

TEST_F(HistoryDataSetTest, ZoomOnAnEmptyRangeChangesNothing) {
    // An empty query range has no width per record; zooming into it must not invent a range.
    Fill({1.0, 2.0, 3.0, 4.0});
    ASSERT_TRUE(set.ApplyQuery(t0 + 61, t0 + 119));
    const double top = set.channels[0].displayTop;
    set.ZoomToRect(400, 120, 100, 20, 300, 100);
    EXPECT_EQ(set.rangeFirst, 2);
    EXPECT_EQ(set.rangeLast, 1);
    EXPECT_EQ(set.channels[0].displayTop, top);
}

TEST_F(HistoryDataSetTest, DragStepsMoveRangeAndBounds) {
    struct Case {
        const char* name;
        int first, last;     // range before
        double top, bottom;  // bounds before
        int dx, dy;
        int newFirst, newLast;
        double newTop, newBottom;
    } cases[] = {
        {"right", 5, 8, 50, 10, 1, 0, 4, 7, 49.95, 9.95},
        {"down", 5, 8, 50, 10, 0, 1, 6, 9, 50.05, 10.05},
        {"right at the first record", 0, 3, 50, 10, 1, 0, 0, 3, 49.95, 9.95},
        {"left at the last record", 6, 9, 50, 10, -1, 0, 6, 9, 49.95, 9.95},
        {"down at the range's top", 5, 8, 79.98, 10, 0, 1, 6, 9, 80.0, 10.02},
        {"up at the range's bottom", 5, 8, 50, -39.98, 0, -1, 6, 9, 49.98, -40.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(std::vector<double>(10, 1.0));
        set.rangeFirst = c.first;
        set.rangeLast = c.last;
        set.channels[0].displayTop = c.top;
        set.channels[0].displayBottom = c.bottom;
        set.PanByStep(c.dx, c.dy);
        EXPECT_EQ(set.rangeFirst, c.newFirst);
        EXPECT_EQ(set.rangeLast, c.newLast);
        EXPECT_NEAR(set.channels[0].displayTop, c.newTop, 1e-9);
        EXPECT_NEAR(set.channels[0].displayBottom, c.newBottom, 1e-9);
    }
}

}  // namespace
