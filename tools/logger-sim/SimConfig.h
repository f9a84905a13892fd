#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Plain settings of the emulated logger, filled from the defaults, a scenario file and the command line.
// Read once by the loop thread; nothing here changes after start-up.

constexpr int kSimChannels = 8;  // the logger has eight channel slots whatever the client's edition
constexpr size_t kNameBytes = 30;

using DateBytes = std::array<uint8_t, 6>;  // year - 2000, month, day, hour, minute, second

struct ChannelSetup {
    uint8_t type = 0;  // channel type code
    uint8_t unit = 0;  // unit code; 1 = ℃, 32 = ℉
    int16_t rangeLow = 0;
    int16_t rangeHigh = 0;
    uint8_t alarmEnabled = 0;
    int16_t alarmLow = 0;
    int16_t alarmHigh = 0;
    // The generated curve, in tenths of the channel's own scale (℃ for temperatures).
    double base = 0;
    double amplitude = 0;
    double period = 86400;     // seconds of the slow wave
    double noise = 0;          // peak of the pseudo-random jitter
    bool liveInvalid = false;  // live readings report 0x8001
};

struct GapSetup {
    size_t after = 0;     // index of the record after which the clock jumps
    int64_t seconds = 0;  // extra seconds added to the step
};

struct InvalidSetup {
    int channel = 1;  // channel number 1..8
    size_t first = 0;
    size_t count = 1;
};

struct SimRecord {
    DateBytes time{};
    std::vector<int16_t> values;  // one per enabled channel, 0x8001 = no value
};

struct HistorySetup {
    size_t count = 1500;
    bool startNow = false;  // end the history at the start-up time instead of at a fixed start
    std::string start = "2026-03-02 08:00:00";
    uint32_t interval = 0;  // 0: the device's record interval
    std::vector<GapSetup> gaps;
    std::vector<InvalidSetup> invalid;
    std::vector<size_t> badDates;  // records whose year byte is 34, which no client may accept
    bool explicitRecords = false;  // the records below replace the generated ones
    std::vector<SimRecord> records;
};

struct DeviceSetup {
    std::array<uint8_t, kNameBytes> userName{};
    std::array<uint8_t, kNameBytes> title{};
    std::string encoding = "CP936";  // code page of names given as text
    uint8_t recordMode = 1;
    uint8_t workStatus = 1;
    uint8_t startMode = 1;
    uint8_t stopMode = 1;
    uint8_t stopCause = 0;
    uint8_t displayRefresh = 0x80;
    uint32_t interval = 60;
    uint8_t mask = 0x0B;
    bool startTimeSet = false;  // otherwise the first record's time
    DateBytes startTime{};
    DateBytes timedStart{26, 3, 5, 8, 0, 0};
    DateBytes timedStop{26, 3, 31, 18, 0, 0};
    uint16_t stopCount = 10000;
    bool recordCountSet = false;  // otherwise the number of stored records
    uint32_t recordCount = 0;
    uint8_t temperatureType = 17;  // 17 Celsius, 170 Fahrenheit
    std::string model = "ZR-TH3000";
    std::string serial = "A1B2C3D4";
    std::array<uint8_t, 2> infoSpare{0x00, 0x01};
    uint8_t firmware = 23;
    uint32_t capacity = 60000;
    bool live = false;      // record new samples from start-up on (otherwise only after StartRecord)
    bool clockSet = false;  // the logger's clock differs from the PC's
    std::string clock;
    std::array<ChannelSetup, kSimChannels> channels{};
};

// A fault aimed at one command code (or every command: -1), for its first `count` requests (-1: all).
struct FaultRule {
    int command = -1;
    long count = -1;
};

struct FaultSetup {
    unsigned noReplyEvery = 0;
    std::vector<FaultRule> noReply;
    std::vector<FaultRule> badChecksum;
    std::vector<FaultRule> wrongCommand;
    std::vector<FaultRule> bit7;
    size_t fragmentSize = 0;
    unsigned fragmentPauseMs = 0;
    unsigned delayMs = 0;
    long stopAfter = -1;
    long pageCount = -1;  // reported page count override
    size_t pageBytes = 600;
    bool pagesEmpty = false;  // pages carry no records
};

struct SimConfig {
    DeviceSetup device;
    HistorySetup history;
    FaultSetup faults;
    std::string link;
    bool verbose = false;
    bool dieWithParent = false;
};

// The default logger: a cold-store recorder with channels 1, 2 and 4 enabled.
SimConfig DefaultSimConfig();
