#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "history/HistoryDataSet.h"
#include "history/HistoryDownload.h"
#include "model/DateTimeField.h"
#include "model/DeviceContext.h"
#include "model/DeviceParameters.h"
#include "support/EmulatorProcess.h"

namespace {

// The emulator's example scenarios in the source tree.
std::string Scenario(const char* name) {
    const std::filesystem::path root =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
    return (root / "tools/logger-sim/scenarios" / name).string();
}

// The download over the real serial link against the logger emulator on a pseudo-terminal.
class HistoryDownloadEmulatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("TZ")) oldZone_ = old;
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
        DeviceContext& context = GetDeviceContext();
        context.baudRate = 9600;
        context.retryCount = 5;  // room for a slow, busy machine
        context.downloadWait = 0;
    }
    void TearDown() override {
        EmulatorProcess::detachFromContext();
        DestroyDeviceContext();
        if (oldZone_.empty())
            unsetenv("TZ");
        else
            setenv("TZ", oldZone_.c_str(), 1);
        tzset();
    }

    void Start(const std::vector<std::string>& args, uint8_t mask, uint32_t capacity) {
        ASSERT_TRUE(emulator.start(args));
        emulator.attachToContext();
        history.SetByte(DeviceParameters::kChannelMask, mask);
        history.RebuildEnabledChannels();
        history.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
        history.SetBigEndian32(history.Offsets().deviceInfo + DeviceParameters::kInfoCapacity, capacity);
        set.LoadChannels(history);
    }

    DownloadOutcome Run() {
        HistoryDownload::Callbacks callbacks;
        callbacks.started = [this](int n) { pages = n; };
        callbacks.pageDone = [this](int p) {
            done.push_back(p);
            if (p == stopAfterPage) workerRunning = 0;
        };
        callbacks.failed = [this](bool cancelled) { failures.push_back(cancelled); };
        return HistoryDownload::Run(set, history, GetDeviceContext(), workerRunning, callbacks);
    }

    EmulatorProcess emulator;
    DeviceParameters history{6};
    HistoryDataSet set;
    std::atomic<int> workerRunning{1};
    int pages = 0;
    int stopAfterPage = -1;
    std::vector<int> done;
    std::vector<bool> failures;
    std::string oldZone_;
};

TEST_F(HistoryDownloadEmulatorTest, DownloadHoldsTheRecordsTheEmulatorServed) {
    Start({"--scenario", Scenario("small-explicit.ini")}, 0x05, 100);
    ASSERT_EQ(Run(), DownloadOutcome::Complete);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(done.size(), static_cast<size_t>(pages));

    // The scenario's five records; the fourth has year byte 0x22 and is dropped.
    ASSERT_EQ(set.recordCount, 4);
    EXPECT_EQ(set.timestamps, (std::vector<int64_t>{
                                  LocalToEpoch(2026, 3, 26, 10, 0, 0), LocalToEpoch(2026, 3, 26, 10, 1, 0),
                                  LocalToEpoch(2026, 3, 26, 10, 3, 0), LocalToEpoch(2026, 3, 26, 10, 5, 0)}));
    EXPECT_EQ(set.breakPoints, (std::vector<BreakPoint>{2, 3}));
    ASSERT_EQ(set.channelCount, 2);
    const ChannelSeries& first = set.channels[0];
    const ChannelSeries& third = set.channels[1];
    EXPECT_EQ(first.values, (std::vector<double>{1.2, -10.0, -3276.8, 0.0}));
    EXPECT_EQ(third.values, (std::vector<double>{45.6, InvalidSample, 100.0, 0.0}));
    EXPECT_EQ(first.validCount, 4);
    EXPECT_DOUBLE_EQ(first.maximum, 1.2);
    EXPECT_DOUBLE_EQ(first.minimum, -3276.8);
    EXPECT_DOUBLE_EQ(first.average, (1.2 - 10.0 - 3276.8 + 0.0) / 4);
    EXPECT_EQ(third.validCount, 3);
    EXPECT_DOUBLE_EQ(third.maximum, 100.0);
    EXPECT_DOUBLE_EQ(third.minimum, 0.0);
    EXPECT_DOUBLE_EQ(third.average, (45.6 + 100.0 + 0.0) / 3);
    EXPECT_EQ(GetDeviceContext().baudRate, 9600);
}

TEST_F(HistoryDownloadEmulatorTest, SilentPageEmptiesTheSetAndRestoresTheBaudRate) {
    // The emulator answers the page count and two pages, then nothing.
    Start({"--records", "200", "--plain-history", "--stop-after", "3"}, 0x0B, 60000);
    EXPECT_EQ(Run(), DownloadOutcome::Failed);
    EXPECT_EQ(pages, 5);
    EXPECT_EQ(done, (std::vector<int>{1, 2}));
    EXPECT_EQ(failures, (std::vector<bool>{false}));
    EXPECT_EQ(set.recordCount, 0);
    EXPECT_TRUE(set.channels.empty());
    EXPECT_EQ(GetDeviceContext().baudRate, 9600);
}

TEST_F(HistoryDownloadEmulatorTest, CancelBetweenPagesEmptiesTheSet) {
    Start({"--records", "200", "--plain-history"}, 0x0B, 60000);
    stopAfterPage = 2;
    EXPECT_EQ(Run(), DownloadOutcome::Cancelled);
    EXPECT_EQ(done, (std::vector<int>{1, 2}));
    EXPECT_EQ(failures, (std::vector<bool>{true}));
    EXPECT_EQ(set.recordCount, 0);
    EXPECT_TRUE(set.timestamps.empty());
    EXPECT_EQ(GetDeviceContext().baudRate, 9600);
}

}  // namespace
