#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "device/Commands.h"
#include "device/Frame.h"
#include "model/DeviceContext.h"
#include "model/DeviceParameters.h"
#include "support/FakeSerialPort.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes BigEndian(int16_t value) {
    return {static_cast<uint8_t>(static_cast<uint16_t>(value) >> 8), static_cast<uint8_t>(value)};
}

// A logger in memory: answers each command the way the device does, from a few known values.
struct MiniLogger {
    uint8_t mask = 0x05;
    std::function<bool(const Bytes& request)> refuse;  // answer this request with a broken frame

    Bytes ParametersData() const {
        Bytes data(106);
        for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i + 1);
        data[DeviceParameters::kReportedMask] = mask;
        return data;
    }
    static Bytes ChannelData(int number) {
        Bytes data(19, 0x77);                         // bytes the program does not interpret stay 0x77
        data[1] = static_cast<uint8_t>(number);       // type
        data[2] = static_cast<uint8_t>(number + 10);  // unit
        auto put = [&data](int at, int16_t v) {
            const Bytes b = BigEndian(v);
            data[at] = b[0];
            data[at + 1] = b[1];
        };
        put(5, static_cast<int16_t>(-100 * number));      // range lower
        put(7, static_cast<int16_t>(1000 * number));      // range upper
        data[13] = 1;                                     // alarm on
        put(15, static_cast<int16_t>(-10 * number - 5));  // alarm lower
        put(17, static_cast<int16_t>(300 + number));      // alarm upper
        return data;
    }
    static Bytes InfoData() {
        Bytes data;
        for (char c : std::string("ZR-LG8000SN123456")) data.push_back(static_cast<uint8_t>(c));
        data.insert(data.end(), {0xAB, 0xCD, 23, 0x00, 0x01, 0x86, 0xA0});
        return data;
    }

    FakeSerialPort::Responder Responder() {
        return [this](const Bytes& request) {
            Bytes reply;
            switch (request[2]) {
                case 0x01:
                    reply = ReplyFrame(0x01, ParametersData());
                    break;
                case 0x02:
                    reply = ReplyFrame(0x02, ChannelData(request[5]));
                    break;
                case 0x06:
                    reply = ReplyFrame(0x06, InfoData());
                    break;
                default:
                    reply = ReplyFrame(request[2]);
                    break;
            }
            if (refuse && refuse(request)) reply[reply.size() - 2] ^= 0x01;
            return std::vector<FakeSerialPort::Arrival>{{0, reply}};
        };
    }
};

class DeviceCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetDeviceContext().retryCount = 3;
        port.SetResponder(logger.Responder());
    }
    std::vector<int> CommandsSent() const {
        std::vector<int> codes;
        for (const auto& r : port.requests) codes.push_back(r[2] == 0x02 ? 0x200 + r[5] : r[2]);
        return codes;
    }

    MiniLogger logger;
    FakeSerialPort port;
    ScopedFakeTransport scope{port};
};

struct EditionOffsets {
    int capacity, type, unit, alarmUpper, alarmLower, rangeUpper, rangeLower, deviceInfo;
};

void ExpectLittleEndian(const DeviceParameters& p, int offset, int16_t value, const char* what) {
    const uint16_t u = static_cast<uint16_t>(value);
    EXPECT_EQ(p.Byte(offset), u & 0xFF) << what << " at " << offset;
    EXPECT_EQ(p.Byte(offset + 1), u >> 8) << what << " at " << offset + 1;
}

TEST_F(DeviceCommandsTest, ConnectSequenceFillsTheBlockExactlyAtTheOffsetsOfEachCapacity) {
    const EditionOffsets editions[] = {{6, 113, 119, 125, 137, 149, 161, 180},
                                       {8, 115, 123, 131, 147, 163, 179, 204}};
    for (const auto& e : editions) {
        DeviceParameters block(e.capacity);
        for (size_t i = 0; i < block.Size(); ++i) block.Data()[i] = 0xEE;  // stale contents
        ASSERT_TRUE(ReadDeviceState(block)) << e.capacity;

        DeviceParameters expected(e.capacity);
        const Bytes head = logger.ParametersData();
        std::memcpy(expected.Data(), head.data(), head.size());
        expected.SetByte(106, logger.mask);
        for (int index : {0, 2}) {
            const int number = index + 1;
            expected.SetByte(107 + index, 1);
            expected.SetByte(e.type + index, static_cast<uint8_t>(number));
            expected.SetByte(e.unit + index, static_cast<uint8_t>(number + 10));
            for (auto [offset, value] : {std::pair{e.rangeLower, -100 * number},
                                         {e.rangeUpper, 1000 * number},
                                         {e.alarmLower, -10 * number - 5},
                                         {e.alarmUpper, 300 + number}}) {
                const uint16_t u = static_cast<uint16_t>(value);
                expected.SetByte(offset + 2 * index, static_cast<uint8_t>(u & 0xFF));
                expected.SetByte(offset + 2 * index + 1, static_cast<uint8_t>(u >> 8));
            }
        }
        const Bytes info = MiniLogger::InfoData();
        std::memcpy(expected.Data() + e.deviceInfo, info.data(), info.size());
        EXPECT_TRUE(block == expected) << "capacity " << e.capacity;
        ExpectLittleEndian(block, e.alarmLower + 4, -35, "alarm lower of channel 3");

        EXPECT_EQ(block.Model(), "ZR-LG8000");
        EXPECT_EQ(block.SerialNumber(), "SN123456");
        EXPECT_EQ(block.Firmware(), 23);
        EXPECT_EQ(block.StorageCapacity(), 100000u);
        const ChannelConfig third = block.Channel(2);
        EXPECT_EQ(third.rangeLower, -300);
        EXPECT_EQ(third.alarmUpper, 303);
        port.requests.clear();
    }
}

TEST_F(DeviceCommandsTest, ConnectSequenceReadsOnlyTheChannelsOfTheMaskThatHaveASlot) {
    const struct {
        int capacity;
        uint8_t mask;
        std::vector<int> commands;  // 0x2nn = ReadChannel n
    } cases[] = {
        {6, 0x05, {0x01, 0x201, 0x203, 0x06}},
        {6, 0x00, {0x01, 0x06}},
        {6, 0xC1, {0x01, 0x201, 0x06}},
        {8, 0xC1, {0x01, 0x201, 0x207, 0x208, 0x06}},
        {6, 0x3F, {0x01, 0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x06}},
    };
    for (const auto& c : cases) {
        logger.mask = c.mask;
        port.requests.clear();
        DeviceParameters block(c.capacity);
        EXPECT_TRUE(ReadDeviceState(block)) << int(c.mask);
        EXPECT_EQ(CommandsSent(), c.commands) << "mask " << int(c.mask) << " capacity " << c.capacity;
        EXPECT_EQ(block.Byte(DeviceParameters::kChannelMask), c.mask);
    }
}

TEST_F(DeviceCommandsTest, ConnectSequenceStopsAtTheFirstFailureAndKeepsTheOldBlock) {
    logger.refuse = [](const Bytes& r) { return r[2] == 0x02 && r[5] == 3; };
    DeviceParameters block(6);
    block.SetByte(0, 0x5A);
    const DeviceParameters before = block;
    EXPECT_FALSE(ReadDeviceState(block));
    EXPECT_TRUE(block == before);
    // Three attempts at channel 3, and the device information is never asked for.
    EXPECT_EQ(CommandsSent(), (std::vector<int>{0x01, 0x201, 0x203, 0x203, 0x203}));
}

TEST_F(DeviceCommandsTest, ReadParametersClearsTheChannelAreasButKeepsTheDeviceInformation) {
    DeviceParameters block(8);
    for (size_t i = 0; i < block.Size(); ++i) block.Data()[i] = 0xEE;
    ASSERT_EQ(ReadParameters(block), 0);
    EXPECT_EQ(block.Byte(105), 106);
    EXPECT_EQ(block.Byte(106), logger.mask);
    for (int i = 107; i < 204; ++i) ASSERT_EQ(block.Byte(i), 0) << i;
    for (int i = 204; i < 228; ++i) ASSERT_EQ(block.Byte(i), 0xEE) << i;
}

TEST_F(DeviceCommandsTest, ReadChannelOutsideTheBlockSendsNothing) {
    DeviceParameters block(6);
    EXPECT_EQ(ReadChannel(block, 6), -1);
    EXPECT_EQ(ReadChannel(block, -1), -1);
    EXPECT_TRUE(port.requests.empty());
}

TEST_F(DeviceCommandsTest, RealtimeReadingKeepsNoValueAndNegativeTenthsAndStoresTheRecordCount) {
    DeviceParameters block(6);
    block.SetByte(DeviceParameters::kChannelMask, 0x05);
    block.RebuildEnabledChannels();
    port.SetResponder(
        FakeSerialPort::Always(ReplyFrame(0x05, {0x00, 0x80, 0x01, 0xFF, 0x9C, 0x00, 0x00, 0x12, 0x34})));
    std::vector<int16_t> readings;
    ASSERT_EQ(ReadRealtimeValues(block, readings), 0);
    EXPECT_EQ(readings, (std::vector<int16_t>{kNoValueReading, -100}));
    EXPECT_EQ(block.RecordCount(), 0x1234u);
    // A reply sized for another channel count is not accepted.
    block.SetByte(DeviceParameters::kChannelMask, 0x07);
    block.RebuildEnabledChannels();
    EXPECT_EQ(ReadRealtimeValues(block, readings), -3);
}

TEST_F(DeviceCommandsTest, PageCountAndPageReplies) {
    port.SetResponder(FakeSerialPort::Always(ReplyFrame(0x19, {0x01, 0x2C})));
    int pages = 0;
    ASSERT_EQ(ReadHistoryPageCount(pages), 0);
    EXPECT_EQ(pages, 300);

    const Bytes page = ReplyFrame(0x1A, Bytes(100, 0x33));
    port.SetResponder(FakeSerialPort::Always(page));
    Bytes buffer(kHistoryPageCapacity);
    EXPECT_EQ(ReadHistoryPage(7, 0, buffer.data(), kHistoryPageCapacity), static_cast<int>(page.size()));
    EXPECT_EQ(port.requests.back(), RequestReadHistoryPage(7));
}

TEST_F(DeviceCommandsTest, WriteCommandsSucceedOnTheirAcknowledgement) {
    DeviceParameters block(6);
    block.SetByte(DeviceParameters::kChannelMask, 0x01);
    block.RebuildEnabledChannels();
    const struct {
        const char* name;
        std::function<int()> run;
        uint8_t code;
    } cases[] = {
        {"StopRecord", [] { return StopRecord(); }, 0x1D},
        {"StartRecord", [] { return StartRecord(); }, 0x1E},
        {"WriteNames", [] { return WriteNames("a", "b"); }, 0x11},
        {"SetClock", [] { return SetClockToNow(); }, 0x13},
        {"WriteStartMode", [&block] { return WriteStartMode(block); }, 0x14},
        {"WriteStopMode", [&block] { return WriteStopMode(block); }, 0x15},
        {"WriteRecordInterval", [] { return WriteRecordInterval(60); }, 0x16},
        {"WriteAlarms", [&block] { return WriteAlarms(block, std::vector<ChannelLimits>(6)); }, 0x1F},
        {"WriteDisplayRefresh", [] { return WriteDisplayRefresh(0x80); }, 0x20},
        {"WriteRecordMode", [] { return WriteRecordMode(0); }, 0x21},
    };
    for (const auto& c : cases) {
        port.requests.clear();
        EXPECT_EQ(c.run(), 0) << c.name;
        ASSERT_EQ(port.requests.size(), 1u) << c.name;
        EXPECT_EQ(port.requests[0][2], c.code) << c.name;
    }
}

TEST_F(DeviceCommandsTest, TemperatureTypeWaitsForItsEightByteReply) {
    port.SetResponder(FakeSerialPort::Always(ReplyFrame(0x23, {0x01})));
    EXPECT_EQ(WriteTemperatureType(170), 0);
    port.SetResponder(FakeSerialPort::Always(ReplyFrame(0x23)));
    EXPECT_EQ(WriteTemperatureType(170), -3);
}

TEST_F(DeviceCommandsTest, RefusedOrFailedCommandReportsTheTransactionResult) {
    port.SetResponder(FakeSerialPort::Always(ReplyFrame(0x9D)));
    EXPECT_EQ(StopRecord(), -3);
    port.openFails = true;
    EXPECT_EQ(StopRecord(), -2);
}

TEST_F(DeviceCommandsTest, AlarmsWithoutLimitsForAnEnabledChannelAreNotSent) {
    DeviceParameters block(6);
    block.SetByte(DeviceParameters::kChannelMask, 0x04);
    block.RebuildEnabledChannels();
    EXPECT_EQ(WriteAlarms(block, std::vector<ChannelLimits>(2)), -1);
    EXPECT_TRUE(port.requests.empty());
}

}  // namespace
