#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <thread>
#include <vector>

#include "device/Commands.h"
#include "device/Frame.h"
#include "device/SerialPort.h"
#include "device/SerialTransport.h"
#include "device/Transaction.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "support/PortHolder.h"
#include "support/EmulatorProcess.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kPort = 7;

class EmulatorLinkTest : public ::testing::Test {
protected:
    void TearDown() override {
        emulator.stop();
        EmulatorProcess::detachFromContext(kPort);
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
    }
    void Start(const std::vector<std::string>& args) {
        ASSERT_TRUE(emulator.start(args)) << "emulator did not start";
        emulator.attachToContext(kPort);
        GetDeviceContext().retryCount = 3;
    }
    static Bytes RawParameters() {
        Bytes reply(kParametersReplyLength);
        const Bytes request = RequestReadParameters();
        EXPECT_EQ(SendCommand(request.data(), 7, reply.data(), kParametersReplyLength), 0);
        return Bytes(reply.begin() + 5, reply.begin() + 111);
    }

    EmulatorProcess emulator;
};

struct ChannelExpectation {
    int index;
    uint8_t type, unit, alarmEnabled;
    int16_t rangeLower, rangeUpper, alarmLower, alarmUpper;
};

struct EditionCase {
    Edition edition;
    int type, unit, alarmUpper, alarmLower, rangeUpper, rangeLower, deviceInfo;
    std::vector<ChannelExpectation> channels;  // the slots that receive data; all others stay zero
};

void PutLittleEndian(DeviceParameters& block, int offset, int16_t value) {
    const auto u = static_cast<uint16_t>(value);
    block.SetByte(offset, static_cast<uint8_t>(u & 0xFF));
    block.SetByte(offset + 1, static_cast<uint8_t>(u >> 8));
}

TEST_F(EmulatorLinkTest, ConnectSequenceFillsTheContextBlockOfEachEditionExactly) {
    // Channels 1, 2, 4 and 8: the six-slot edition has no room for channel 8 and skips it.
    const std::vector<ChannelExpectation> common{{0, 1, 1, 1, -400, 1250, -100, 350},
                                                 {1, 2, 4, 1, 0, 1000, 300, 900},
                                                 {3, 5, 8, 0, 800, 1200, 950, 1050}};
    std::vector<ChannelExpectation> eight = common;
    eight.push_back({7, 17, 22, 1, 300, 1300, -123, 456});
    const EditionCase cases[] = {
        {Edition::Chinese, 113, 119, 125, 137, 149, 161, 180, common},
        {Edition::English, 115, 123, 131, 147, 163, 179, 204, eight},
    };
    Start({"--mask", "8B", "--set", "channel 8.alarm=-123 456", "--set", "channel 8.alarm_enabled=1"});
    for (const auto& c : cases) {
        SetEdition(c.edition);
        DestroyDeviceContext();
        emulator.attachToContext(kPort);
        DeviceParameters& block = GetDeviceContext().deviceParameters;
        std::memset(block.Data(), 0xEE, block.Size());  // whatever an earlier connect left

        ASSERT_TRUE(ReadDeviceState(block));

        DeviceParameters expected;
        const Bytes head = RawParameters();
        std::memcpy(expected.Data(), head.data(), head.size());
        expected.SetByte(106, 0x8B);
        for (const auto& ch : c.channels) {
            expected.SetByte(107 + ch.index, ch.alarmEnabled);
            expected.SetByte(c.type + ch.index, ch.type);
            expected.SetByte(c.unit + ch.index, ch.unit);
            PutLittleEndian(expected, c.rangeLower + 2 * ch.index, ch.rangeLower);
            PutLittleEndian(expected, c.rangeUpper + 2 * ch.index, ch.rangeUpper);
            PutLittleEndian(expected, c.alarmLower + 2 * ch.index, ch.alarmLower);
            PutLittleEndian(expected, c.alarmUpper + 2 * ch.index, ch.alarmUpper);
        }
        const uint8_t info[24] = {'Z', 'R', '-', 'T', 'H', '3',  '0',  '0', '0',  'A',  '1',  'B',
                                  '2', 'C', '3', 'D', '4', 0x00, 0x01, 23,  0x00, 0x00, 0xEA, 0x60};
        std::memcpy(expected.Data() + c.deviceInfo, info, sizeof info);

        EXPECT_EQ(head[DeviceParameters::kReportedMask], 0x8B);
        ASSERT_EQ(block.Size(), expected.Size());
        for (size_t i = 0; i < block.Size(); ++i) {
            EXPECT_EQ(block.Data()[i], expected.Data()[i])
                << "byte " << i << ", capacity " << block.Capacity();
        }
        EXPECT_EQ(block.StorageCapacity(), 60000u);
    }
}

TEST_F(EmulatorLinkTest, ConnectSequenceSurvivesFragmentsAndOneSpoiltReply) {
    Start({"--fragment", "5:20", "--bad-checksum-to", "02:1", "--mask", "03"});
    DeviceParameters block;
    ASSERT_TRUE(ReadDeviceState(block));
    EXPECT_EQ(block.Channel(0).rangeUpper, 1250);
    EXPECT_EQ(block.Channel(1).alarmLower, 300);
    EXPECT_EQ(block.Model(), "ZR-TH3000");
}

TEST_F(EmulatorLinkTest, ConnectSequenceFailsWhenAChannelReplyIsAlwaysSpoilt) {
    Start({"--wrong-command-to", "02"});
    DeviceParameters block;
    block.SetByte(0, 0x5A);
    EXPECT_FALSE(ReadDeviceState(block));
    EXPECT_EQ(block.Byte(0), 0x5A);
}

// The real port, counting how often a transaction opens and closes it.
class CountingPort : public SerialTransport {
public:
    bool Open(int port, int baudRate, char parity, int dataBits, int stopBits) override {
        ++opens;
        return real.Open(port, baudRate, parity, dataBits, stopBits);
    }
    void Close() override {
        if (real.IsOpen()) ++closes;
        real.Close();
    }
    int Write(const uint8_t* bytes, int count) override { return real.Write(bytes, count); }
    int BytesAvailable() override { return real.BytesAvailable(); }
    int Read(int count, uint8_t* destination) override { return real.Read(count, destination); }

    CSerialPort real;
    int opens = 0;
    int closes = 0;
};

TEST_F(EmulatorLinkTest, SpoiltRepliesFailAfterTheRetriesEachOnAFreshlyOpenedPort) {
    const char* const switches[] = {"--bad-checksum-to", "--wrong-command-to"};
    for (const char* option : switches) {
        SCOPED_TRACE(option);
        EmulatorProcess logger;
        ASSERT_TRUE(logger.start({option, "06"}));
        logger.attachToContext(kPort);
        GetDeviceContext().retryCount = 3;
        CountingPort port;
        SetTransactionTransport(&port);
        const Bytes request = RequestReadDeviceInfo();
        Bytes reply(kDeviceInfoReplyLength);
        const int result = SendCommand(request.data(), 7, reply.data(), kDeviceInfoReplyLength);
        SetTransactionTransport(nullptr);
        EXPECT_EQ(result, -3);
        EXPECT_EQ(port.opens, 3);
        EXPECT_EQ(port.closes, 3);
        EXPECT_FALSE(port.real.IsOpen());
        // A whole reply came and was refused, rather than nothing arriving.
        EXPECT_EQ(reply[0], kReplyStart);
        EXPECT_EQ(reply[kDeviceInfoReplyLength - 1], kReplyEnd);
    }
}

TEST_F(EmulatorLinkTest, RecordingCommandsAndLiveValuesReachTheLogger) {
    Start({});
    DeviceParameters block;
    ASSERT_TRUE(ReadDeviceState(block));
    EXPECT_EQ(block.WorkStatus(), 1);

    ASSERT_EQ(StopRecord(), 0);
    ASSERT_EQ(ReadParameters(block), 0);
    EXPECT_EQ(block.WorkStatus(), 0);
    EXPECT_EQ(block.StopCause(), 4);

    ASSERT_EQ(WriteTemperatureType(kFahrenheit), 0);
    ASSERT_EQ(ReadChannel(block, 0), 0);
    EXPECT_EQ(block.Channel(0).unit, 32);
    ASSERT_EQ(StartRecord(), 0);

    block.RebuildEnabledChannels();
    std::vector<int16_t> readings;
    ASSERT_EQ(ReadRealtimeValues(block, readings), 0);
    EXPECT_EQ(readings.size(), 3u);
    EXPECT_GE(block.RecordCount(), 1u);
}

TEST_F(EmulatorLinkTest, HistoryPageComesWhole) {
    Start({});
    int pages = 0;
    ASSERT_EQ(ReadHistoryPageCount(pages), 0);
    EXPECT_EQ(pages, 31);
    Bytes page(kHistoryPageCapacity);
    const int length = ReadHistoryPage(1, 0, page.data(), kHistoryPageCapacity);
    ASSERT_GT(length, 0);
    EXPECT_EQ(static_cast<size_t>(length), FrameTotalLength(page.data()));
    EXPECT_TRUE(IsValidReply(page.data(), static_cast<size_t>(length), 0x1A));
    EXPECT_EQ(page[5], 0x00);
    EXPECT_EQ(page[6], 0x01);
}

TEST_F(EmulatorLinkTest, CancelDuringAPageTransferEndsItWithMinusThree) {
    // The page trickles in for about three seconds; the user cancels half a second in. How soon
    // the transfer stops is checked on the fake port's clock; here it must stop before the page
    // is whole, whatever the machine's load.
    Start({"--fragment", "8:40"});
    Bytes page(kHistoryPageCapacity);
    auto transfer = std::async(std::launch::async, [&page] {
        return ReadHistoryPage(1, 0, page.data(), kHistoryPageCapacity);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    CancelTransaction();
    EXPECT_EQ(transfer.get(), -3);
    const size_t announced = FrameTotalLength(page.data());
    EXPECT_TRUE(announced < 7 || page[announced - 1] != kReplyEnd) << "the whole page arrived";
}

TEST_F(EmulatorLinkTest, PortHeldByAnotherProcessEndsTheConnectAtOnce) {
    Start({});
    PortHolder holder(kPort);
    ASSERT_TRUE(holder.Holds());

    Bytes reply(kParametersReplyLength);
    const Bytes request = RequestReadParameters();
    EXPECT_EQ(SendCommand(request.data(), 7, reply.data(), kParametersReplyLength), -2);
    DeviceParameters block;
    EXPECT_FALSE(ReadDeviceState(block));

    holder.Release();
    // Once the holder is gone the port is free again.
    EXPECT_TRUE(ReadDeviceState(block));
}

}  // namespace
