#include "model/DateTimeField.h"

#include <cstdio>

DateTimeField DateTimeField::FromBytes(const uint8_t* b) { return {b[0], b[1], b[2], b[3], b[4], b[5]}; }

void DateTimeField::ToBytes(uint8_t* b) const {
    b[0] = year;
    b[1] = month;
    b[2] = day;
    b[3] = hour;
    b[4] = minute;
    b[5] = second;
}

std::string DateTimeField::Format() const {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year + 2000, month, day, hour, minute,
                  second);
    return text;
}

int64_t LocalToEpoch(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&t));
}

int64_t LocalToEpoch(const DateTimeField& f) {
    return LocalToEpoch(f.year + 2000, f.month, f.day, f.hour, f.minute, f.second);
}

std::tm EpochToLocal(int64_t seconds) {
    std::time_t t = static_cast<std::time_t>(seconds);
    std::tm out{};
    localtime_r(&t, &out);
    return out;
}

DateTimeField FieldFromEpoch(int64_t seconds) {
    std::tm t = EpochToLocal(seconds);
    int year = t.tm_year + 1900;
    return {static_cast<uint8_t>((year + 48) % 256), static_cast<uint8_t>(t.tm_mon + 1),
            static_cast<uint8_t>(t.tm_mday),         static_cast<uint8_t>(t.tm_hour),
            static_cast<uint8_t>(t.tm_min),          static_cast<uint8_t>(t.tm_sec)};
}

namespace {
std::string FormatLocal(int64_t seconds, const char* format) {
    std::tm t = EpochToLocal(seconds);
    char text[64];
    std::snprintf(text, sizeof text, format, t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                  t.tm_sec);
    return text;
}
}  // namespace

std::string FormatEpoch(int64_t seconds) { return FormatLocal(seconds, "%d-%02d-%02d %02d:%02d:%02d"); }
std::string FormatEpochPadded(int64_t seconds) {
    return FormatLocal(seconds, "%04d-%02d-%02d %02d:%02d:%02d");
}
