#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "SimConfig.h"

// The emulated logger: its parameter block, channels, clock and history, and the answer to each request.
// Used by the emulator's single loop thread only.
class LoggerDevice {
public:
    LoggerDevice(const SimConfig& config, int64_t startupTime);

    // Answer to one complete request frame whose delimiters and checksum were already checked.
    // Returns the reply frame; a request the logger cannot carry out gets a 7-byte reply with bit 7 set.
    std::vector<uint8_t> Answer(const std::vector<uint8_t>& request);

    // Live recording: appends the records that fell due on the logger's clock and applies stop conditions.
    void Tick();

    // The logger's clock, seconds since 1970 UTC.
    int64_t Now() const;
    size_t StoredRecords() const { return records_.size(); }
    size_t RecordsPerPage() const;
    size_t PageCount() const;
    uint32_t ReportedRecordCount() const;

    static std::string CommandName(uint8_t command);

private:
    std::vector<uint8_t> Reply(uint8_t command, const std::vector<uint8_t>& data) const;
    std::vector<uint8_t> Refuse(uint8_t command) const;

    std::vector<uint8_t> ParameterData() const;
    std::vector<uint8_t> ChannelData(int number) const;
    std::vector<uint8_t> DeviceInfoData() const;
    std::vector<uint8_t> RealtimeData() const;
    std::vector<uint8_t> PageData(int page) const;

    bool WriteAlarms(const std::vector<uint8_t>& payload);
    bool WriteTemperatureType(uint8_t type);
    void StartRecording();
    void BeginLiveRecording(int64_t now);
    void AppendRecord(int64_t epoch);
    void StopRecording(uint8_t cause);

    DeviceSetup device_;
    FaultSetup faults_;
    std::deque<SimRecord> records_;
    int64_t clockOffset_ = 0;  // logger clock minus PC clock
    bool live_ = false;        // records are being added as time passes
    int64_t nextRecord_ = 0;   // logger time of the next live record
};
