#include "model/DeviceParameters.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "model/Edition.h"

DeviceParameters::Layout DeviceParameters::LayoutFor(int n) {
    Layout l{};
    l.channelType = kAlarmEnabled + n;
    l.unit = kAlarmEnabled + 2 * n;
    l.alarmUpper = kAlarmEnabled + 3 * n;
    l.alarmLower = kAlarmEnabled + 5 * n;
    l.rangeUpper = kAlarmEnabled + 7 * n;
    l.rangeLower = kAlarmEnabled + 9 * n;
    l.enabledList = kAlarmEnabled + 11 * n;
    l.enabledCount = kAlarmEnabled + 12 * n;
    l.deviceInfo = l.enabledCount + 1;
    l.size = SizeFor(n);
    return l;
}

DeviceParameters::DeviceParameters() : DeviceParameters(ChannelCapacity()) {}

DeviceParameters::DeviceParameters(int capacity)
    : capacity_(capacity), layout_(LayoutFor(capacity)), bytes_(static_cast<size_t>(SizeFor(capacity)), 0) {}

const uint8_t* DeviceParameters::At(int offset, size_t width) const {
    if (offset < 0 || static_cast<size_t>(offset) + width > bytes_.size())
        throw std::out_of_range("parameter block offset");
    return bytes_.data() + offset;
}

uint8_t* DeviceParameters::At(int offset, size_t width) {
    return const_cast<uint8_t*>(static_cast<const DeviceParameters*>(this)->At(offset, width));
}

void DeviceParameters::Clear() { std::fill(bytes_.begin(), bytes_.end(), 0); }

uint16_t DeviceParameters::BigEndian16(int o) const {
    return static_cast<uint16_t>(Byte(o) << 8 | Byte(o + 1));
}

uint32_t DeviceParameters::BigEndian32(int o) const {
    return static_cast<uint32_t>(Byte(o)) << 24 | static_cast<uint32_t>(Byte(o + 1)) << 16 |
           static_cast<uint32_t>(Byte(o + 2)) << 8 | Byte(o + 3);
}

void DeviceParameters::SetBigEndian16(int o, uint16_t v) {
    SetByte(o, static_cast<uint8_t>(v >> 8));
    SetByte(o + 1, static_cast<uint8_t>(v));
}

void DeviceParameters::SetBigEndian32(int o, uint32_t v) {
    for (int i = 0; i < 4; ++i) SetByte(o + i, static_cast<uint8_t>(v >> (24 - 8 * i)));
}

int16_t DeviceParameters::Native16(int o) const {
    int16_t v;
    std::memcpy(&v, At(o, sizeof v), sizeof v);
    return v;
}

void DeviceParameters::SetNative16(int o, int16_t v) {
    std::memcpy(At(o, sizeof v), &v, sizeof v);
}

std::string DeviceParameters::NameBytes(int offset) const {
    const char* p = reinterpret_cast<const char*>(At(offset, kNameLength));
    return std::string(p, strnlen(p, kNameLength));
}

void DeviceParameters::SetNameBytes(int offset, const std::string& text) {
    uint8_t* p = At(offset, kNameLength);
    std::memset(p, 0, kNameLength);
    std::memcpy(p, text.data(), std::min<size_t>(text.size(), kNameLength));
}

ChannelConfig DeviceParameters::Channel(int i) const {
    ChannelConfig c;
    c.type = Byte(layout_.channelType + i);
    c.unit = Byte(layout_.unit + i);
    c.alarmEnabled = Byte(kAlarmEnabled + i);
    c.alarmUpper = Native16(layout_.alarmUpper + 2 * i);
    c.alarmLower = Native16(layout_.alarmLower + 2 * i);
    c.rangeUpper = Native16(layout_.rangeUpper + 2 * i);
    c.rangeLower = Native16(layout_.rangeLower + 2 * i);
    return c;
}

void DeviceParameters::SetChannel(int i, const ChannelConfig& c) {
    SetByte(layout_.channelType + i, c.type);
    SetByte(layout_.unit + i, c.unit);
    SetByte(kAlarmEnabled + i, c.alarmEnabled);
    SetNative16(layout_.alarmUpper + 2 * i, c.alarmUpper);
    SetNative16(layout_.alarmLower + 2 * i, c.alarmLower);
    SetNative16(layout_.rangeUpper + 2 * i, c.rangeUpper);
    SetNative16(layout_.rangeLower + 2 * i, c.rangeLower);
}

std::string DeviceParameters::Model() const {
    const int o = layout_.deviceInfo + kInfoModel;
    return std::string(reinterpret_cast<const char*>(At(o, 9)), 9);
}

std::string DeviceParameters::SerialNumber() const {
    const int o = layout_.deviceInfo + kInfoSerial;
    return std::string(reinterpret_cast<const char*>(At(o, 8)), 8);
}

uint8_t DeviceParameters::Firmware() const { return Byte(layout_.deviceInfo + kInfoFirmware); }
uint32_t DeviceParameters::StorageCapacity() const { return BigEndian32(layout_.deviceInfo + kInfoCapacity); }

void DeviceParameters::RebuildEnabledChannels() {
    const uint8_t mask = ChannelMask();
    int count = 0;
    for (int k = 0; k < 8 && k < capacity_; ++k) {
        if (mask & (1u << k)) SetByte(layout_.enabledList + count++, static_cast<uint8_t>(k));
    }
    SetByte(layout_.enabledCount, static_cast<uint8_t>(count));
}

int DeviceParameters::EnabledCount() const { return std::min<int>(Byte(layout_.enabledCount), capacity_); }

std::vector<int> DeviceParameters::EnabledChannels() const {
    std::vector<int> list;
    const int count = EnabledCount();
    for (int i = 0; i < count; ++i) {
        const int channel = Byte(layout_.enabledList + i);
        if (channel < capacity_) list.push_back(channel);
    }
    return list;
}

uint64_t DeviceParameters::RemainingRecordTime() const {
    const uint32_t capacity = StorageCapacity();
    const uint32_t count = RecordCount();
    return capacity > count ? uint64_t{capacity - count} * RecordInterval() : 0;
}
