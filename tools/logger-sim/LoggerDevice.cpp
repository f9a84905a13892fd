#include "LoggerDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "HistoryGenerator.h"
#include "SimText.h"

namespace {
constexpr int16_t kNoValue = static_cast<int16_t>(0x8001);
constexpr uint8_t kCelsius = 17;
constexpr uint8_t kFahrenheit = 170;
constexpr uint8_t kUnitCelsius = 1;
constexpr uint8_t kUnitFahrenheit = 32;

void Put16(std::vector<uint8_t>& out, int value) {
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
    out.push_back(static_cast<uint8_t>(value & 0xFF));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

int16_t Get16(const uint8_t* p) {
    return static_cast<int16_t>((p[0] << 8) | p[1]);
}

int16_t ToFahrenheit(int16_t tenths) {
    return static_cast<int16_t>(std::lround(tenths * 9.0 / 5.0 + 320.0));
}
int16_t ToCelsius(int16_t tenths) {
    return static_cast<int16_t>(std::lround((tenths - 320.0) * 5.0 / 9.0));
}

int64_t PcNow() {
    return static_cast<int64_t>(std::time(nullptr));
}
}  // namespace

LoggerDevice::LoggerDevice(const SimConfig& config, int64_t startupTime)
    : device_(config.device), faults_(config.faults) {
    if (device_.clockSet) {
        if (const auto date = ParseDateText(device_.clock)) clockOffset_ = DateToEpoch(*date) - startupTime;
    }
    const std::vector<SimRecord> built = HistoryGenerator::Build(config, startupTime + clockOffset_);
    records_.assign(built.begin(), built.end());
    if (!device_.startTimeSet && !records_.empty()) device_.startTime = records_.front().time;
    live_ = device_.live && device_.workStatus == 1;
    nextRecord_ = Now() + std::max<uint32_t>(device_.interval, 1);
}

int64_t LoggerDevice::Now() const {
    return PcNow() + clockOffset_;
}

std::string LoggerDevice::CommandName(uint8_t command) {
    switch (command) {
        case 0x01:
            return "ReadParameters";
        case 0x02:
            return "ReadChannel";
        case 0x05:
            return "ReadRealtimeValues";
        case 0x06:
            return "ReadDeviceInfo";
        case 0x11:
            return "WriteNames";
        case 0x13:
            return "SetClock";
        case 0x14:
            return "WriteStartMode";
        case 0x15:
            return "WriteStopMode";
        case 0x16:
            return "WriteRecordInterval";
        case 0x19:
            return "ReadHistoryPageCount";
        case 0x1A:
            return "ReadHistoryPage";
        case 0x1D:
            return "StopRecord";
        case 0x1E:
            return "StartRecord";
        case 0x1F:
            return "WriteAlarms";
        case 0x20:
            return "WriteDisplayRefresh";
        case 0x21:
            return "WriteRecordMode";
        case 0x23:
            return "WriteTemperatureType";
        default: {
            char name[24];
            std::snprintf(name, sizeof name, "Unknown(0x%02X)", command);
            return name;
        }
    }
}

std::vector<uint8_t> LoggerDevice::Reply(uint8_t command, const std::vector<uint8_t>& data) const {
    const size_t length = data.size() + 2;
    std::vector<uint8_t> frame(data.size() + 7, 0);
    frame[0] = 0x28;
    frame[2] = command;
    frame[3] = static_cast<uint8_t>(length >> 8);
    frame[4] = static_cast<uint8_t>(length);
    std::copy(data.begin(), data.end(), frame.begin() + 5);
    uint8_t sum = 0;
    for (size_t i = 0; i + 2 < frame.size(); ++i) sum = static_cast<uint8_t>(sum + frame[i]);
    frame[frame.size() - 2] = sum;
    frame[frame.size() - 1] = 0x29;
    return frame;
}

std::vector<uint8_t> LoggerDevice::Refuse(uint8_t command) const {
    return Reply(static_cast<uint8_t>(command | 0x80), {});
}

uint32_t LoggerDevice::ReportedRecordCount() const {
    return device_.recordCountSet ? device_.recordCount : static_cast<uint32_t>(records_.size());
}

size_t LoggerDevice::RecordsPerPage() const {
    const size_t recordSize = 6 + 2 * HistoryGenerator::EnabledSlots(device_.mask).size();
    // Frame overhead of a page: 5 header bytes, 2 leading data bytes, 1 trailing byte, checksum, end.
    const size_t room = faults_.pageBytes > 10 ? faults_.pageBytes - 10 : 0;
    return std::max<size_t>(room / recordSize, 1);
}

size_t LoggerDevice::PageCount() const {
    if (faults_.pageCount >= 0) return static_cast<size_t>(faults_.pageCount);
    const size_t perPage = RecordsPerPage();
    return (records_.size() + perPage - 1) / perPage;
}

std::vector<uint8_t> LoggerDevice::ParameterData() const {
    std::vector<uint8_t> d(106, 0);
    std::copy(device_.userName.begin(), device_.userName.end(), d.begin());
    std::copy(device_.title.begin(), device_.title.end(), d.begin() + 30);
    d[63] = device_.recordMode;
    d[64] = device_.workStatus;
    d[65] = device_.startMode;
    d[66] = device_.stopMode;
    d[67] = device_.stopCause;
    d[68] = device_.displayRefresh;
    for (int i = 0; i < 4; ++i) d[69 + i] = static_cast<uint8_t>(device_.interval >> (24 - 8 * i));
    d[74] = device_.mask;
    std::copy(device_.startTime.begin(), device_.startTime.end(), d.begin() + 75);
    std::copy(device_.timedStart.begin(), device_.timedStart.end(), d.begin() + 81);
    std::copy(device_.timedStop.begin(), device_.timedStop.end(), d.begin() + 87);
    d[97] = static_cast<uint8_t>(device_.stopCount >> 8);
    d[98] = static_cast<uint8_t>(device_.stopCount);
    const uint32_t count = ReportedRecordCount();
    for (int i = 0; i < 4; ++i) d[99 + i] = static_cast<uint8_t>(count >> (24 - 8 * i));
    return d;
}

std::vector<uint8_t> LoggerDevice::ChannelData(int number) const {
    const ChannelSetup& c = device_.channels[number - 1];
    std::vector<uint8_t> d{static_cast<uint8_t>(number), c.type, c.unit, 0, 0};
    Put16(d, c.rangeLow);
    Put16(d, c.rangeHigh);
    d.insert(d.end(), 4, 0);
    d.push_back(c.alarmEnabled);
    d.push_back(0);
    Put16(d, c.alarmLow);
    Put16(d, c.alarmHigh);
    return d;  // 19 bytes
}

std::vector<uint8_t> LoggerDevice::DeviceInfoData() const {
    std::vector<uint8_t> d(17, ' ');
    std::copy_n(device_.model.begin(), std::min<size_t>(device_.model.size(), 9), d.begin());
    std::copy_n(device_.serial.begin(), std::min<size_t>(device_.serial.size(), 8), d.begin() + 9);
    d.push_back(device_.infoSpare[0]);
    d.push_back(device_.infoSpare[1]);
    d.push_back(device_.firmware);
    Put32(d, device_.capacity);
    return d;  // 24 bytes
}

std::vector<uint8_t> LoggerDevice::RealtimeData() const {
    std::vector<uint8_t> d{0};
    const int64_t now = Now();
    for (int slot : HistoryGenerator::EnabledSlots(device_.mask)) {
        const ChannelSetup& c = device_.channels[slot];
        Put16(d, c.liveInvalid ? kNoValue : HistoryGenerator::SampleValue(c, slot, now));
    }
    Put32(d, ReportedRecordCount());
    return d;
}

std::vector<uint8_t> LoggerDevice::PageData(int page) const {
    std::vector<uint8_t> d;
    Put16(d, page);
    size_t inPage = 0;
    if (!faults_.pagesEmpty && page >= 1) {
        const size_t perPage = RecordsPerPage();
        const size_t first = static_cast<size_t>(page - 1) * perPage;
        for (size_t i = first; i < records_.size() && i < first + perPage; ++i, ++inPage) {
            const SimRecord& r = records_[i];
            d.insert(d.end(), r.time.begin(), r.time.end());
            for (int16_t v : r.values) Put16(d, v);
        }
    }
    d.push_back(static_cast<uint8_t>(inPage));
    return d;
}

bool LoggerDevice::WriteAlarms(const std::vector<uint8_t>& p) {
    const std::vector<int> slots = HistoryGenerator::EnabledSlots(device_.mask);
    if (p.size() != 5 * slots.size()) return false;
    for (size_t k = 0; k < slots.size(); ++k) {
        ChannelSetup& c = device_.channels[slots[k]];
        c.alarmEnabled = p[5 * k];
        c.alarmLow = Get16(&p[5 * k + 1]);
        c.alarmHigh = Get16(&p[5 * k + 3]);
    }
    return true;
}

bool LoggerDevice::WriteTemperatureType(uint8_t type) {
    if (type != kCelsius && type != kFahrenheit) return false;
    if (type == device_.temperatureType) return true;
    device_.temperatureType = type;
    // Temperature channels change their unit, and their limits follow into the new scale.
    for (ChannelSetup& c : device_.channels) {
        if (type == kFahrenheit && c.unit == kUnitCelsius) {
            c.unit = kUnitFahrenheit;
            for (int16_t* v : {&c.rangeLow, &c.rangeHigh, &c.alarmLow, &c.alarmHigh}) *v = ToFahrenheit(*v);
        } else if (type == kCelsius && c.unit == kUnitFahrenheit) {
            c.unit = kUnitCelsius;
            for (int16_t* v : {&c.rangeLow, &c.rangeHigh, &c.alarmLow, &c.alarmHigh}) *v = ToCelsius(*v);
        }
    }
    return true;
}

void LoggerDevice::StartRecording() {
    records_.clear();
    device_.recordCountSet = false;
    device_.stopCause = 0;
    live_ = true;
    const int64_t now = Now();
    if (device_.startMode == 2 && DateToEpoch(device_.timedStart) > now) {
        device_.workStatus = 0;
        device_.stopCause = 5;  // timed start still pending
        return;
    }
    BeginLiveRecording(now);
}

void LoggerDevice::BeginLiveRecording(int64_t now) {
    device_.workStatus = 1;
    device_.stopCause = 0;
    device_.startTime = EpochToDate(now);
    nextRecord_ = now;  // the first record is taken at once
    Tick();
}

void LoggerDevice::StopRecording(uint8_t cause) {
    device_.workStatus = 0;
    device_.stopCause = cause;
    live_ = false;
}

void LoggerDevice::AppendRecord(int64_t epoch) {
    SimRecord r;
    r.time = EpochToDate(epoch);
    for (int slot : HistoryGenerator::EnabledSlots(device_.mask)) {
        const ChannelSetup& c = device_.channels[slot];
        r.values.push_back(c.liveInvalid ? kNoValue : HistoryGenerator::SampleValue(c, slot, epoch));
    }
    records_.push_back(std::move(r));
    if (device_.recordCountSet) ++device_.recordCount;
}

void LoggerDevice::Tick() {
    if (!live_) return;
    const int64_t now = Now();
    if (device_.workStatus != 1) {
        if (device_.stopCause == 5 && now >= DateToEpoch(device_.timedStart)) BeginLiveRecording(now);
        return;
    }
    const int64_t interval = std::max<uint32_t>(device_.interval, 1);
    // After a long pause (or a clock jump) the logger resumes at the present, leaving a gap.
    if (nextRecord_ + 10 * interval < now) nextRecord_ = now;
    while (live_ && nextRecord_ <= now) {
        if (device_.stopMode == 2 && nextRecord_ >= DateToEpoch(device_.timedStop)) {
            StopRecording(3);
            break;
        }
        AppendRecord(nextRecord_);
        nextRecord_ += interval;
        if (device_.stopMode == 1 && records_.size() >= device_.capacity) {
            StopRecording(2);
        } else if (device_.stopMode == 3 && records_.size() > device_.capacity) {
            records_.pop_front();
        } else if (device_.stopMode == 4 && records_.size() >= device_.stopCount) {
            StopRecording(6);
        }
    }
}

std::vector<uint8_t> LoggerDevice::Answer(const std::vector<uint8_t>& request) {
    const uint8_t command = request[2];
    const std::vector<uint8_t> p(request.begin() + 5, request.end() - 2);
    Tick();
    switch (command) {
        case 0x01:
            return p.empty() ? Reply(command, ParameterData()) : Refuse(command);
        case 0x02:
            if (p.size() != 1 || p[0] < 1 || p[0] > kSimChannels) return Refuse(command);
            return Reply(command, ChannelData(p[0]));
        case 0x05:
            return p.size() == 1 ? Reply(command, RealtimeData()) : Refuse(command);
        case 0x06:
            return p.empty() ? Reply(command, DeviceInfoData()) : Refuse(command);
        case 0x11:
            if (p.size() != 2 * kNameBytes) return Refuse(command);
            std::copy_n(p.begin(), kNameBytes, device_.userName.begin());
            std::copy_n(p.begin() + kNameBytes, kNameBytes, device_.title.begin());
            return Reply(command, {});
        case 0x13: {
            if (p.size() != 6) return Refuse(command);
            const DateBytes date{p[0], p[1], p[2], p[3], p[4], p[5]};
            if (!IsPlausibleDate(date)) return Refuse(command);
            clockOffset_ = DateToEpoch(date) - PcNow();
            nextRecord_ = Now() + std::max<uint32_t>(device_.interval, 1);
            return Reply(command, {});
        }
        case 0x14:
            if (p.size() != 1 && p.size() != 7) return Refuse(command);
            device_.startMode = p[0];
            if (p.size() == 7) std::copy_n(p.begin() + 1, 6, device_.timedStart.begin());
            return Reply(command, {});
        case 0x15:
            if (p.size() != 1 && p.size() != 3 && p.size() != 7) return Refuse(command);
            device_.stopMode = p[0];
            if (p.size() == 7) std::copy_n(p.begin() + 1, 6, device_.timedStop.begin());
            if (p.size() == 3) device_.stopCount = static_cast<uint16_t>((p[1] << 8) | p[2]);
            return Reply(command, {});
        case 0x16: {
            if (p.size() != 4) return Refuse(command);
            const uint32_t interval =
                (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
            if (interval == 0) return Refuse(command);
            device_.interval = interval;
            nextRecord_ = Now() + interval;
            return Reply(command, {});
        }
        case 0x19: {
            if (!p.empty()) return Refuse(command);
            const size_t pages = std::min<size_t>(PageCount(), 0xFFFF);
            return Reply(command, {static_cast<uint8_t>(pages >> 8), static_cast<uint8_t>(pages)});
        }
        case 0x1A:
            if (p.size() != 2) return Refuse(command);
            return Reply(command, PageData((p[0] << 8) | p[1]));
        case 0x1D:
            if (!p.empty()) return Refuse(command);
            StopRecording(4);
            return Reply(command, {});
        case 0x1E:
            if (!p.empty()) return Refuse(command);
            StartRecording();
            return Reply(command, {});
        case 0x1F:
            return WriteAlarms(p) ? Reply(command, {}) : Refuse(command);
        case 0x20:
            if (p.size() != 1) return Refuse(command);
            device_.displayRefresh = p[0];
            return Reply(command, {});
        case 0x21:
            if (p.size() != 1) return Refuse(command);
            device_.recordMode = p[0];
            return Reply(command, {});
        case 0x23:
            if (p.size() != 1 || !WriteTemperatureType(p[0])) return Refuse(command);
            return Reply(command, {p[0]});
        default:
            return Refuse(command);
    }
}
