#include "device/Commands.h"

#include <cmath>
#include <cstring>
#include <ctime>
#include <limits>

#include "device/Frame.h"
#include "device/Transaction.h"
#include "model/DateTimeField.h"

namespace {
constexpr int kDataOffset = 5;
constexpr int kParameterBytes = 106;
constexpr int kRealtimeSelector = 0x00;

// Data offsets inside a channel reply.
constexpr int kChannelType = 1;
constexpr int kChannelUnit = 2;
constexpr int kRangeLower = 5;
constexpr int kRangeUpper = 7;
constexpr int kAlarmEnabled = 13;
constexpr int kAlarmLower = 15;
constexpr int kAlarmUpper = 17;

void AppendBigEndian16(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value >> 8));
    bytes.push_back(static_cast<uint8_t>(value));
}

int16_t BigEndianInt16(const uint8_t* bytes) {
    return static_cast<int16_t>((bytes[0] << 8) | bytes[1]);
}

void AppendBlockBytes(std::vector<uint8_t>& bytes, const DeviceParameters& parameters, int offset,
                      int count) {
    for (int i = 0; i < count; ++i) bytes.push_back(parameters.Byte(offset + i));
}

// Runs a request expecting a fixed reply length; bit 7 of the echoed command byte means refused.
int Exchange(const std::vector<uint8_t>& request, uint8_t* reply, int replyLength) {
    const int result = SendCommand(request.data(), static_cast<int>(request.size()), reply, replyLength);
    if (result < 0) return result;
    return (reply[2] & 0x80) != 0 ? -3 : 0;
}

int Acknowledged(const std::vector<uint8_t>& request, int replyLength = kAcknowledgeReplyLength) {
    if (request.empty()) return -1;
    std::vector<uint8_t> reply(static_cast<size_t>(replyLength));
    return Exchange(request, reply.data(), replyLength);
}
}  // namespace

int16_t LimitToTenths(double value) {
    if (std::isnan(value)) return 0;
    const double tenths = std::trunc(value * 10.0);
    if (tenths >= std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (tenths <= std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(tenths);
}

std::vector<uint8_t> RequestReadParameters() {
    return CommandFrame(command::kReadParameters);
}

std::vector<uint8_t> RequestReadChannel(int channelNumber) {
    return CommandFrame(command::kReadChannel, {static_cast<uint8_t>(channelNumber)});
}

std::vector<uint8_t> RequestReadRealtimeValues() {
    return CommandFrame(command::kReadRealtimeValues, {kRealtimeSelector});
}

std::vector<uint8_t> RequestReadDeviceInfo() {
    return CommandFrame(command::kReadDeviceInfo);
}

std::vector<uint8_t> RequestWriteNames(const std::string& userName, const std::string& title) {
    const size_t field = DeviceParameters::kNameLength;
    std::vector<uint8_t> payload(2 * field, 0);
    std::memcpy(payload.data(), userName.data(), std::min(userName.size(), field));
    std::memcpy(payload.data() + field, title.data(), std::min(title.size(), field));
    return CommandFrame(command::kWriteNames, payload);
}

std::vector<uint8_t> RequestSetClock(int64_t epochSeconds) {
    std::vector<uint8_t> payload(6);
    FieldFromEpoch(epochSeconds).ToBytes(payload.data());
    return CommandFrame(command::kSetClock, payload);
}

std::vector<uint8_t> RequestWriteStartMode(const DeviceParameters& parameters) {
    std::vector<uint8_t> payload{parameters.StartMode()};
    if (parameters.RecordMode() == 1 && parameters.StartMode() == 2) {
        AppendBlockBytes(payload, parameters, DeviceParameters::kTimedStartTime, 6);
    }
    return CommandFrame(command::kWriteStartMode, payload);
}

std::vector<uint8_t> RequestWriteStopMode(const DeviceParameters& parameters) {
    std::vector<uint8_t> payload{parameters.StopMode()};
    if (parameters.RecordMode() == 1 && parameters.StopMode() == 2) {
        AppendBlockBytes(payload, parameters, DeviceParameters::kTimedStopTime, 6);
    } else if (parameters.RecordMode() == 1 && parameters.StopMode() == 4) {
        AppendBlockBytes(payload, parameters, DeviceParameters::kStopCount, 2);
    }
    return CommandFrame(command::kWriteStopMode, payload);
}

std::vector<uint8_t> RequestWriteRecordInterval(uint32_t seconds) {
    return CommandFrame(command::kWriteRecordInterval,
                        {static_cast<uint8_t>(seconds >> 24), static_cast<uint8_t>(seconds >> 16),
                         static_cast<uint8_t>(seconds >> 8), static_cast<uint8_t>(seconds)});
}

std::vector<uint8_t> RequestReadHistoryPageCount() {
    return CommandFrame(command::kReadHistoryPageCount);
}

std::vector<uint8_t> RequestReadHistoryPage(int page) {
    std::vector<uint8_t> payload;
    AppendBigEndian16(payload, static_cast<uint16_t>(page));
    return CommandFrame(command::kReadHistoryPage, payload);
}

std::vector<uint8_t> RequestStopRecord() {
    return CommandFrame(command::kStopRecord);
}
std::vector<uint8_t> RequestStartRecord() {
    return CommandFrame(command::kStartRecord);
}

std::vector<uint8_t> RequestWriteAlarms(const DeviceParameters& parameters,
                                        const std::vector<ChannelLimits>& limits) {
    std::vector<uint8_t> payload;
    for (int slot : parameters.EnabledChannels()) {
        if (slot < 0 || static_cast<size_t>(slot) >= limits.size()) return {};
        const ChannelLimits& channel = limits[static_cast<size_t>(slot)];
        payload.push_back(channel.alarmEnabled ? 1 : 0);
        AppendBigEndian16(payload, static_cast<uint16_t>(LimitToTenths(channel.lower)));
        AppendBigEndian16(payload, static_cast<uint16_t>(LimitToTenths(channel.upper)));
    }
    return CommandFrame(command::kWriteAlarms, payload);
}

std::vector<uint8_t> RequestWriteDisplayRefresh(uint8_t mode) {
    return CommandFrame(command::kWriteDisplayRefresh, {mode});
}

std::vector<uint8_t> RequestWriteRecordMode(uint8_t mode) {
    return CommandFrame(command::kWriteRecordMode, {mode});
}

std::vector<uint8_t> RequestWriteTemperatureType(int temperatureType) {
    return CommandFrame(command::kWriteTemperatureType, {static_cast<uint8_t>(temperatureType)});
}

int ReadParameters(DeviceParameters& parameters) {
    uint8_t reply[kParametersReplyLength];
    const int result = Exchange(RequestReadParameters(), reply, kParametersReplyLength);
    if (result < 0) return result;
    std::memcpy(parameters.Data(), reply + kDataOffset, kParameterBytes);
    const int infoStart = parameters.Offsets().deviceInfo;
    std::memset(parameters.Data() + kParameterBytes, 0, static_cast<size_t>(infoStart - kParameterBytes));
    parameters.SetByte(DeviceParameters::kChannelMask, parameters.Byte(DeviceParameters::kReportedMask));
    return 0;
}

int ReadChannel(DeviceParameters& parameters, int channelIndex) {
    if (channelIndex < 0 || channelIndex >= parameters.Capacity()) return -1;
    uint8_t reply[kChannelReplyLength];
    const int result = Exchange(RequestReadChannel(channelIndex + 1), reply, kChannelReplyLength);
    if (result < 0) return result;
    const uint8_t* data = reply + kDataOffset;
    const auto& layout = parameters.Offsets();
    const int i = channelIndex;
    parameters.SetByte(layout.channelType + i, data[kChannelType]);
    parameters.SetByte(layout.unit + i, data[kChannelUnit]);
    parameters.SetByte(DeviceParameters::kAlarmEnabled + i, data[kAlarmEnabled]);
    parameters.SetNative16(layout.rangeLower + 2 * i, BigEndianInt16(data + kRangeLower));
    parameters.SetNative16(layout.rangeUpper + 2 * i, BigEndianInt16(data + kRangeUpper));
    parameters.SetNative16(layout.alarmLower + 2 * i, BigEndianInt16(data + kAlarmLower));
    parameters.SetNative16(layout.alarmUpper + 2 * i, BigEndianInt16(data + kAlarmUpper));
    return 0;
}

int ReadDeviceInfo(DeviceParameters& parameters) {
    uint8_t reply[kDeviceInfoReplyLength];
    const int result = Exchange(RequestReadDeviceInfo(), reply, kDeviceInfoReplyLength);
    if (result < 0) return result;
    std::memcpy(parameters.Data() + parameters.Offsets().deviceInfo, reply + kDataOffset,
                DeviceParameters::kDeviceInfoSize);
    return 0;
}

bool ReadDeviceState(DeviceParameters& target) {
    DeviceParameters scratch(target.Capacity());
    if (ReadParameters(scratch) != 0) return false;
    const uint8_t mask = scratch.ChannelMask();
    // Mask bits beyond the block's channel slots have nowhere to go and are not read.
    for (int bit = 0; bit < 8 && bit < scratch.Capacity(); ++bit) {
        if ((mask & (1u << bit)) != 0 && ReadChannel(scratch, bit) != 0) return false;
    }
    if (ReadDeviceInfo(scratch) != 0) return false;
    target = scratch;
    return true;
}

int ReadRealtimeValues(DeviceParameters& parameters, std::vector<int16_t>& readings) {
    const int count = parameters.EnabledCount();
    const int replyLength = RealtimeReplyLength(count);
    std::vector<uint8_t> reply(static_cast<size_t>(replyLength));
    const int result = Exchange(RequestReadRealtimeValues(), reply.data(), replyLength);
    if (result < 0) return result;
    const uint8_t* values = reply.data() + kDataOffset + 1;
    readings.clear();
    for (int i = 0; i < count; ++i) readings.push_back(BigEndianInt16(values + 2 * i));
    std::memcpy(parameters.Data() + DeviceParameters::kRecordCount, values + 2 * count, 4);
    return 0;
}

int ReadHistoryPageCount(int& pages) {
    uint8_t reply[kPageCountReplyLength];
    const int result = Exchange(RequestReadHistoryPageCount(), reply, kPageCountReplyLength);
    if (result < 0) return result;
    pages = (reply[kDataOffset] << 8) | reply[kDataOffset + 1];
    return 0;
}

int ReadHistoryPage(int page, int waitMs, uint8_t* reply, int capacity) {
    const std::vector<uint8_t> request = RequestReadHistoryPage(page);
    return SendCommandVar(waitMs, request.data(), static_cast<int>(request.size()), reply, capacity);
}

int StopRecord() {
    return Acknowledged(RequestStopRecord());
}
int StartRecord() {
    return Acknowledged(RequestStartRecord());
}

int WriteNames(const std::string& userName, const std::string& title) {
    return Acknowledged(RequestWriteNames(userName, title));
}

int SetClock(int64_t epochSeconds) {
    return Acknowledged(RequestSetClock(epochSeconds));
}
int SetClockToNow() {
    return SetClock(static_cast<int64_t>(std::time(nullptr)));
}

int WriteStartMode(const DeviceParameters& parameters) {
    return Acknowledged(RequestWriteStartMode(parameters));
}
int WriteStopMode(const DeviceParameters& parameters) {
    return Acknowledged(RequestWriteStopMode(parameters));
}
int WriteRecordInterval(uint32_t seconds) {
    return Acknowledged(RequestWriteRecordInterval(seconds));
}

int WriteAlarms(const DeviceParameters& parameters, const std::vector<ChannelLimits>& limits) {
    return Acknowledged(RequestWriteAlarms(parameters, limits));
}

int WriteDisplayRefresh(uint8_t mode) {
    return Acknowledged(RequestWriteDisplayRefresh(mode));
}
int WriteRecordMode(uint8_t mode) {
    return Acknowledged(RequestWriteRecordMode(mode));
}
int WriteTemperatureType(int temperatureType) {
    return Acknowledged(RequestWriteTemperatureType(temperatureType), kTemperatureTypeReplyLength);
}
