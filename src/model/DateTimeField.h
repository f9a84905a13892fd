#pragma once

#include <cstdint>
#include <ctime>
#include <string>

// The logger's 6-byte date and time: year - 2000, month, day, hour, minute, second (local time).
struct DateTimeField {
    uint8_t year = 0;  // years since 2000
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    uint8_t second = 0;

    static DateTimeField FromBytes(const uint8_t* bytes);
    void ToBytes(uint8_t* bytes) const;

    // "%04d-%02d-%02d %02d:%02d:%02d" with the year + 2000.
    std::string Format() const;
};

// Local calendar fields to seconds since 1970 UTC, daylight saving decided by the system.
int64_t LocalToEpoch(int year, int month, int day, int hour, int minute, int second);
int64_t LocalToEpoch(const DateTimeField& field);
// Seconds since 1970 UTC to local calendar fields.
std::tm EpochToLocal(int64_t seconds);
// The field of a local time; the year byte is (year + 48) mod 256, which is year - 2000 for 2000..2207.
DateTimeField FieldFromEpoch(int64_t seconds);
// "%d-%02d-%02d %02d:%02d:%02d" and "%04d-%02d-%02d %02d:%02d:%02d" of a time stamp in local time.
std::string FormatEpoch(int64_t seconds);
std::string FormatEpochPadded(int64_t seconds);
