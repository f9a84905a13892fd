#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "device/Commands.h"
#include "model/DateTimeField.h"
#include "model/DeviceParameters.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct RequestCase {
    const char* name;
    Bytes actual;
    Bytes expected;
};

DeviceParameters ModesBlock(uint8_t recordMode, uint8_t startMode, uint8_t stopMode) {
    DeviceParameters p(6);
    p.SetByte(DeviceParameters::kRecordMode, recordMode);
    p.SetByte(DeviceParameters::kStartMode, startMode);
    p.SetByte(DeviceParameters::kStopMode, stopMode);
    p.SetDateTime(DeviceParameters::kTimedStartTime, {15, 3, 26, 16, 26, 4});
    p.SetDateTime(DeviceParameters::kTimedStopTime, {15, 4, 1, 0, 0, 0});
    p.SetBigEndian16(DeviceParameters::kStopCount, 500);
    return p;
}

TEST(CommandRequests, EveryCommandHasItsExactFrame) {
    const RequestCase cases[] = {
        {"ReadParameters", RequestReadParameters(), {0x3C, 0x00, 0x01, 0x00, 0x02, 0x3F, 0x3E}},
        {"ReadChannel 3", RequestReadChannel(3), {0x3C, 0x00, 0x02, 0x00, 0x03, 0x03, 0x44, 0x3E}},
        {"ReadRealtimeValues", RequestReadRealtimeValues(), {0x3C, 0x00, 0x05, 0x00, 0x03, 0x00, 0x44, 0x3E}},
        {"ReadDeviceInfo", RequestReadDeviceInfo(), {0x3C, 0x00, 0x06, 0x00, 0x02, 0x44, 0x3E}},
        {"ReadHistoryPageCount", RequestReadHistoryPageCount(), {0x3C, 0x00, 0x19, 0x00, 0x02, 0x57, 0x3E}},
        {"ReadHistoryPage 258",
         RequestReadHistoryPage(258),
         {0x3C, 0x00, 0x1A, 0x00, 0x04, 0x01, 0x02, 0x5D, 0x3E}},
        {"StopRecord", RequestStopRecord(), {0x3C, 0x00, 0x1D, 0x00, 0x02, 0x5B, 0x3E}},
        {"StartRecord", RequestStartRecord(), {0x3C, 0x00, 0x1E, 0x00, 0x02, 0x5C, 0x3E}},
        {"WriteRecordInterval",
         RequestWriteRecordInterval(0x01020304),
         {0x3C, 0x00, 0x16, 0x00, 0x06, 0x01, 0x02, 0x03, 0x04, 0x62, 0x3E}},
        {"WriteDisplayRefresh fast",
         RequestWriteDisplayRefresh(1),
         {0x3C, 0x00, 0x20, 0x00, 0x03, 0x01, 0x60, 0x3E}},
        {"WriteRecordMode automatic",
         RequestWriteRecordMode(1),
         {0x3C, 0x00, 0x21, 0x00, 0x03, 0x01, 0x61, 0x3E}},
        {"WriteTemperatureType Fahrenheit",
         RequestWriteTemperatureType(170),
         {0x3C, 0x00, 0x23, 0x00, 0x03, 0xAA, 0x0C, 0x3E}},
        {"WriteTemperatureType Celsius",
         RequestWriteTemperatureType(17),
         {0x3C, 0x00, 0x23, 0x00, 0x03, 0x11, 0x73, 0x3E}},
        {"WriteStartMode timed with automatic recording",
         RequestWriteStartMode(ModesBlock(1, 2, 5)),
         {0x3C, 0x00, 0x14, 0x00, 0x09, 0x02, 0x0F, 0x03, 0x1A, 0x10, 0x1A, 0x04, 0xB5, 0x3E}},
        {"WriteStartMode timed with manual recording",
         RequestWriteStartMode(ModesBlock(0, 2, 5)),
         {0x3C, 0x00, 0x14, 0x00, 0x03, 0x02, 0x55, 0x3E}},
        {"WriteStopMode timed",
         RequestWriteStopMode(ModesBlock(1, 1, 2)),
         {0x3C, 0x00, 0x15, 0x00, 0x09, 0x02, 0x0F, 0x04, 0x01, 0x00, 0x00, 0x00, 0x70, 0x3E}},
        {"WriteStopMode after a count",
         RequestWriteStopMode(ModesBlock(1, 1, 4)),
         {0x3C, 0x00, 0x15, 0x00, 0x05, 0x04, 0x01, 0xF4, 0x4F, 0x3E}},
        {"WriteStopMode count with manual recording",
         RequestWriteStopMode(ModesBlock(0, 1, 4)),
         {0x3C, 0x00, 0x15, 0x00, 0x03, 0x04, 0x58, 0x3E}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST(CommandRequests, WriteNamesSendsTwoThirtyByteFieldsCutOrPadded) {
    const std::string longTitle(40, 'T');
    const Bytes request = RequestWriteNames("Lab\xB1\xB1", longTitle);  // code-page bytes pass as they are
    ASSERT_EQ(request.size(), 67u);
    EXPECT_EQ(Bytes(request.begin(), request.begin() + 5), (Bytes{0x3C, 0x00, 0x11, 0x00, 0x3E}));
    EXPECT_EQ(Bytes(request.begin() + 5, request.begin() + 10), (Bytes{'L', 'a', 'b', 0xB1, 0xB1}));
    EXPECT_EQ(Bytes(request.begin() + 10, request.begin() + 35), Bytes(25, 0x00));
    EXPECT_EQ(Bytes(request.begin() + 35, request.begin() + 65), Bytes(30, 'T'));
    EXPECT_EQ(request[66], 0x3E);
}

TEST(CommandRequests, SetClockCarriesTheLocalTimeOfTheMoment) {
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    const int64_t moment = LocalToEpoch(2015, 3, 26, 16, 26, 4);
    EXPECT_EQ(moment, 1427358364);
    const Bytes request = RequestSetClock(moment);
    EXPECT_EQ(request, (Bytes{0x3C, 0x00, 0x13, 0x00, 0x08, 0x0F, 0x03, 0x1A, 0x10, 0x1A, 0x04, 0xB1, 0x3E}));
    if (saved)
        setenv("TZ", previous.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(CommandRequests, WriteAlarmsSendsFiveBytesPerEnabledChannelInSlotOrder) {
    DeviceParameters block(6);
    block.SetByte(DeviceParameters::kChannelMask, 0x05);
    block.RebuildEnabledChannels();
    std::vector<ChannelLimits> limits(6);
    limits[0] = {true, -10.05, 4.35};
    limits[1] = {true, 99.0, 99.0};  // slot not enabled: not sent
    limits[2] = {false, 0.0, 100.0};
    const Bytes request = RequestWriteAlarms(block, limits);
    EXPECT_EQ(request.size(), 17u);
    EXPECT_EQ(request, (Bytes{0x3C, 0x00, 0x1F, 0x00, 0x0C, 0x01, 0xFF, 0x9C, 0x00, 0x2B, 0x00, 0x00, 0x00,
                              0x03, 0xE8, 0x19, 0x3E}));
    // A listed slot without limits is no request at all.
    EXPECT_TRUE(RequestWriteAlarms(block, std::vector<ChannelLimits>(2)).empty());
}

TEST(CommandRequests, LimitsAreTenthsTruncatedTowardZeroAndHeldIn16Bits) {
    const struct {
        double value;
        int16_t tenths;
    } cases[] = {{4.35, 43},      {-4.35, -43},    {0.09, 0},         {-0.09, 0},
                 {3276.7, 32767}, {5000.0, 32767}, {-5000.0, -32768}, {-3276.8, -32768}};
    for (const auto& c : cases) EXPECT_EQ(LimitToTenths(c.value), c.tenths) << c.value;
}

}  // namespace
