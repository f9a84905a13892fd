#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/DateTimeField.h"

// One channel's view of a parameter block; limits and ranges in tenths of the channel's unit.
struct ChannelConfig {
    uint8_t type = 0;
    uint8_t unit = 0;
    uint8_t alarmEnabled = 0;
    int16_t alarmUpper = 0;
    int16_t alarmLower = 0;
    int16_t rangeUpper = 0;
    int16_t rangeLower = 0;
};

// The logger's packed parameter block of 132 + 12 x capacity bytes, read and written by offset.
// Fields copied from the logger keep big-endian order; the per-channel limits are native int16.
// Not thread-safe: the owner decides which thread writes it.
class DeviceParameters {
public:
    // Fixed offsets (the same for every capacity).
    static constexpr int kUserName = 0;
    static constexpr int kTitle = 30;
    static constexpr int kNameLength = 30;
    static constexpr int kRecordMode = 63;
    static constexpr int kWorkStatus = 64;
    static constexpr int kStartMode = 65;
    static constexpr int kStopMode = 66;
    static constexpr int kStopCause = 67;
    static constexpr int kDisplayRefresh = 68;
    static constexpr int kRecordInterval = 69;
    static constexpr int kReportedMask = 74;
    static constexpr int kRecordStartTime = 75;
    static constexpr int kTimedStartTime = 81;
    static constexpr int kTimedStopTime = 87;
    static constexpr int kStopCount = 97;
    static constexpr int kRecordCount = 99;
    static constexpr int kChannelMask = 106;
    static constexpr int kAlarmEnabled = 107;
    static constexpr int kDeviceInfoSize = 24;
    // Offsets inside DeviceInfo.
    static constexpr int kInfoModel = 0;
    static constexpr int kInfoSerial = 9;
    static constexpr int kInfoFirmware = 19;
    static constexpr int kInfoCapacity = 20;

    // Offsets that move with the channel capacity.
    struct Layout {
        int channelType, unit, alarmUpper, alarmLower, rangeUpper, rangeLower, enabledList, enabledCount,
            deviceInfo, size;
    };
    static Layout LayoutFor(int capacity);
    static int SizeFor(int capacity) { return 132 + 12 * capacity; }

    // A zeroed block for the current edition's capacity, or for an explicit capacity.
    DeviceParameters();
    explicit DeviceParameters(int capacity);

    int Capacity() const { return capacity_; }
    const Layout& Offsets() const { return layout_; }
    uint8_t* Data() { return bytes_.data(); }
    const uint8_t* Data() const { return bytes_.data(); }
    size_t Size() const { return bytes_.size(); }
    void Clear();

    uint8_t Byte(int offset) const { return bytes_.at(static_cast<size_t>(offset)); }
    void SetByte(int offset, uint8_t value) { bytes_.at(static_cast<size_t>(offset)) = value; }
    uint16_t BigEndian16(int offset) const;
    uint32_t BigEndian32(int offset) const;
    void SetBigEndian16(int offset, uint16_t value);
    void SetBigEndian32(int offset, uint32_t value);
    int16_t Native16(int offset) const;
    void SetNative16(int offset, int16_t value);
    DateTimeField DateTime(int offset) const { return DateTimeField::FromBytes(At(offset, 6)); }
    void SetDateTime(int offset, const DateTimeField& value) { value.ToBytes(At(offset, 6)); }

    // Raw bytes of a 30-byte name field up to its NUL (code-page text, not yet decoded).
    std::string NameBytes(int offset) const;
    void SetNameBytes(int offset, const std::string& bytes);

    uint8_t RecordMode() const { return Byte(kRecordMode); }
    uint8_t WorkStatus() const { return Byte(kWorkStatus); }
    uint8_t StartMode() const { return Byte(kStartMode); }
    uint8_t StopMode() const { return Byte(kStopMode); }
    uint8_t StopCause() const { return Byte(kStopCause); }
    uint8_t DisplayRefresh() const { return Byte(kDisplayRefresh); }
    uint32_t RecordInterval() const { return BigEndian32(kRecordInterval); }
    uint16_t StopCount() const { return BigEndian16(kStopCount); }
    uint32_t RecordCount() const { return BigEndian32(kRecordCount); }
    uint8_t ChannelMask() const { return Byte(kChannelMask); }

    // Per-channel fields; index 0..Capacity()-1.
    ChannelConfig Channel(int index) const;
    void SetChannel(int index, const ChannelConfig& config);

    // DeviceInfo at the end of the block.
    std::string Model() const;         // exactly 9 characters
    std::string SerialNumber() const;  // exactly 8 characters
    uint8_t Firmware() const;          // tenths
    uint32_t StorageCapacity() const;

    // Recomputes the enabled-channel list and count from the channel mask; mask bits beyond the
    // capacity have no channel slot and are skipped.
    void RebuildEnabledChannels();
    // The list and count as last stored (count clamped to the capacity).
    std::vector<int> EnabledChannels() const;
    int EnabledCount() const;

    // Recording time left in seconds: (capacity - count, at least 0) x interval. Unsigned 64 bits
    // hold the product of any two 32-bit fields, so a bogus block cannot overflow it.
    uint64_t RemainingRecordTime() const;

    bool operator==(const DeviceParameters& other) const { return bytes_ == other.bytes_; }

private:
    // Bounds-checked pointer to width bytes at offset: nothing is ever touched outside the block.
    const uint8_t* At(int offset, size_t width) const;
    uint8_t* At(int offset, size_t width);

    int capacity_;
    Layout layout_;
    std::vector<uint8_t> bytes_;
};
