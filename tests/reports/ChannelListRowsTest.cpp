#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "history/ChannelListRows.h"
#include "history/HistoryDataSet.h"
#include "model/DateTimeField.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "model/UnitTable.h"

namespace {

class ChannelListRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
        channel_.channelNumber = 2;
        channel_.typeCode = 1;
        channel_.unitCode = 1;
        channel_.alarmUpper = 30.0;
        channel_.alarmLower = -10.5;
        channel_.rangeUpper = 80.0;
        channel_.rangeLower = -40.0;
        channel_.maximum = 25.25;
        channel_.minimum = -3.05;
        channel_.average = 11.04;
        channel_.validCount = 7;
    }
    void TearDown() override {
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
    }

    ChannelSeries channel_;
    UnitTable units_;
};

TEST_F(ChannelListRowsTest, CellsOfBothEditions) {
    struct Case {
        Edition edition;
        ChannelListRow row;
    };
    const Case cases[] = {
        {Edition::Chinese,
         {"通道3", "温度", "", "℃", "", "25.2", "-3.0", "11.0", "30.0", "-10.5", "80.0", "-40.0"}},
        {Edition::English,
         {"Channel3", "Temperature", "", "℃", "", "25.2", "-3.0", "11.0", "30.0", "-10.5", "80.0", "-40.0"}},
    };
    for (const Case& c : cases) {
        SetEdition(c.edition);
        for (NoValidStatistics mode : {NoValidStatistics::ShowZero, NoValidStatistics::ShowEmpty})
            EXPECT_EQ(MakeChannelListRow(channel_, units_, mode), c.row);
    }
}

TEST_F(ChannelListRowsTest, NoValidSampleReadsZeroAfterDownloadAndEmptyAfterRecompute) {
    for (int validCount : {0, -1}) {
        channel_.validCount = validCount;
        ChannelListRow zero = MakeChannelListRow(channel_, units_, NoValidStatistics::ShowZero);
        ChannelListRow empty = MakeChannelListRow(channel_, units_, NoValidStatistics::ShowEmpty);
        for (int column : {kColumnMaximum, kColumnMinimum, kColumnAverage}) {
            EXPECT_EQ(zero[column], "0.0");
            EXPECT_EQ(empty[column], "");
        }
        EXPECT_EQ(empty[kColumnAlarmUpper], "30.0");  // the limits stay
    }
}

TEST_F(ChannelListRowsTest, UnknownTypeAndUnitGiveEmptyCells) {
    channel_.typeCode = 99;
    channel_.unitCode = 77;
    ChannelListRow row = MakeChannelListRow(channel_, units_, NoValidStatistics::ShowZero);
    EXPECT_EQ(row[kColumnType], "");
    EXPECT_EQ(row[kColumnUnit], "");
}

TEST_F(ChannelListRowsTest, RowsFollowChannelOrderAndCursorCells) {
    HistoryDataSet set;
    set.channelCount = 2;
    set.channels.resize(2);
    set.channels[0].channelNumber = 5;
    set.channels[1].channelNumber = 0;
    std::vector<ChannelListRow> rows = MakeChannelListRows(set, units_, NoValidStatistics::ShowZero);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][kColumnChannel], "通道6");
    EXPECT_EQ(rows[1][kColumnChannel], "通道1");

    const int64_t t = LocalToEpoch(2015, 3, 1, 9, 5, 7);
    SetCursorCells(rows[0], -1000.0, t);
    EXPECT_EQ(rows[0][kColumnSelectedValue], "ERR");
    EXPECT_EQ(rows[0][kColumnRecordTime], "2015-03-01 09:05:07");
    SetCursorCells(rows[0], 12.34, t);
    EXPECT_EQ(rows[0][kColumnSelectedValue], "12.3");
    ClearCursorCells(rows[0]);
    EXPECT_EQ(rows[0][kColumnSelectedValue], "");
    EXPECT_EQ(rows[0][kColumnRecordTime], "");
}

// One decimal exactly as printf("%.1f") rounds, for the ties and signs the logger's tenths produce.
TEST_F(ChannelListRowsTest, OneDecimalMatchesPrintf) {
    for (int tenths = -32768; tenths <= 32767; tenths += 7) {
        for (double value : {tenths / 10.0, tenths / 100.0, tenths / 10.0 + 0.05}) {
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.1f", value);
            ASSERT_EQ(OneDecimalText(value), expected) << value;
        }
    }
    EXPECT_EQ(OneDecimalText(1e20), "100000000000000000000.0");
}

TEST_F(ChannelListRowsTest, RecordTimeUnpaddedYearAndUnconvertibleTime) {
    EXPECT_EQ(RecordTimeText(LocalToEpoch(2015, 12, 31, 23, 59, 59)), "2015-12-31 23:59:59");
    EXPECT_EQ(RecordTimeText(INT64_MAX), "0-00-00 -1:-1:-1");
}

}  // namespace
