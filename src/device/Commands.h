#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/DeviceParameters.h"

// The logger's command set: request builders (pure, any thread), the reply lengths, and the
// operations that run one transaction each and store the reply. The operations block the calling
// thread like the transactions they run; a caller never runs two at once.
// Results: 0 on success, the transaction's negative result on failure (-3 as well for a reply whose
// command byte has bit 7 set). Nothing is stored before a reply is accepted.

namespace command {
constexpr uint8_t kReadParameters = 0x01;
constexpr uint8_t kReadChannel = 0x02;
constexpr uint8_t kReadRealtimeValues = 0x05;
constexpr uint8_t kReadDeviceInfo = 0x06;
constexpr uint8_t kWriteNames = 0x11;
constexpr uint8_t kSetClock = 0x13;
constexpr uint8_t kWriteStartMode = 0x14;
constexpr uint8_t kWriteStopMode = 0x15;
constexpr uint8_t kWriteRecordInterval = 0x16;
constexpr uint8_t kReadHistoryPageCount = 0x19;
constexpr uint8_t kReadHistoryPage = 0x1A;
constexpr uint8_t kStopRecord = 0x1D;
constexpr uint8_t kStartRecord = 0x1E;
constexpr uint8_t kWriteAlarms = 0x1F;
constexpr uint8_t kWriteDisplayRefresh = 0x20;
constexpr uint8_t kWriteRecordMode = 0x21;
constexpr uint8_t kWriteTemperatureType = 0x23;
}  // namespace command

// Total reply lengths expected for each command.
constexpr int kParametersReplyLength = 113;
constexpr int kChannelReplyLength = 26;
constexpr int kDeviceInfoReplyLength = 31;
constexpr int kPageCountReplyLength = 9;
constexpr int kAcknowledgeReplyLength = 7;
constexpr int kTemperatureTypeReplyLength = 8;
constexpr int kHistoryPageCapacity = 600;
// Live readings: one byte, 2 per enabled channel, the 4-byte record count, and the frame.
constexpr int RealtimeReplyLength(int enabledChannels) {
    return 2 * enabledChannels + 12;
}

// The 16-bit "no value" word of a live reading.
constexpr int16_t kNoValueReading = static_cast<int16_t>(0x8001);

// One channel slot's alarm settings as the wizard edits them, in the channel's unit.
struct ChannelLimits {
    bool alarmEnabled = false;
    double lower = 0.0;
    double upper = 0.0;
};

// Request frames.
std::vector<uint8_t> RequestReadParameters();
std::vector<uint8_t> RequestReadChannel(int channelNumber);  // 1-based on the wire
std::vector<uint8_t> RequestReadRealtimeValues();
std::vector<uint8_t> RequestReadDeviceInfo();
// The first 30 bytes of each code-page text, NUL-padded when shorter.
std::vector<uint8_t> RequestWriteNames(const std::string& userName, const std::string& title);
// Local time of the given moment; the year byte is (year + 48) mod 256.
std::vector<uint8_t> RequestSetClock(int64_t epochSeconds);
// Start mode, with the timed start time when recording is automatic and the start is timed.
std::vector<uint8_t> RequestWriteStartMode(const DeviceParameters& parameters);
// Stop mode, with the timed stop time or the stop count when recording is automatic.
std::vector<uint8_t> RequestWriteStopMode(const DeviceParameters& parameters);
std::vector<uint8_t> RequestWriteRecordInterval(uint32_t seconds);
std::vector<uint8_t> RequestReadHistoryPageCount();
std::vector<uint8_t> RequestReadHistoryPage(int page);  // pages counted from 1
std::vector<uint8_t> RequestStopRecord();
std::vector<uint8_t> RequestStartRecord();
// Five bytes per enabled channel (the block's enabled-channel list, ascending): alarm flag, lower and
// upper limit x 10 truncated toward zero, big-endian. limits is indexed by channel slot; an empty
// vector comes back when a listed slot has no entry.
std::vector<uint8_t> RequestWriteAlarms(const DeviceParameters& parameters,
                                        const std::vector<ChannelLimits>& limits);
std::vector<uint8_t> RequestWriteDisplayRefresh(uint8_t mode);
std::vector<uint8_t> RequestWriteRecordMode(uint8_t mode);
std::vector<uint8_t> RequestWriteTemperatureType(int temperatureType);

// A limit in the channel's unit as the logger's signed tenths: x 10, toward zero, held in 16 bits.
int16_t LimitToTenths(double value);

// Reads bytes 0-105 of the block; clears the per-channel areas and sets the program's mask copy.
int ReadParameters(DeviceParameters& parameters);
// Reads one channel (index 0-based) into the per-channel areas; an index outside the block gives -1.
int ReadChannel(DeviceParameters& parameters, int channelIndex);
// Reads the 24-byte device information at the end of the block.
int ReadDeviceInfo(DeviceParameters& parameters);
// The connect sequence: parameters, each channel of the mask that has a slot, device information.
// The target is replaced only when every command succeeded.
bool ReadDeviceState(DeviceParameters& target);
// Live values in the order of the enabled-channel list; the record count goes into the block.
int ReadRealtimeValues(DeviceParameters& parameters, std::vector<int16_t>& readings);
int ReadHistoryPageCount(int& pages);
// One history page with the download wait; returns SendCommandVar's result (the reply length).
int ReadHistoryPage(int page, int waitMs, uint8_t* reply, int capacity);
int StopRecord();
int StartRecord();
int WriteNames(const std::string& userName, const std::string& title);
int SetClock(int64_t epochSeconds);
int SetClockToNow();  // the PC's time at the moment of sending
int WriteStartMode(const DeviceParameters& parameters);
int WriteStopMode(const DeviceParameters& parameters);
int WriteRecordInterval(uint32_t seconds);
int WriteAlarms(const DeviceParameters& parameters, const std::vector<ChannelLimits>& limits);
int WriteDisplayRefresh(uint8_t mode);
int WriteRecordMode(uint8_t mode);
int WriteTemperatureType(int temperatureType);
