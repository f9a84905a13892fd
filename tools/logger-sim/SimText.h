#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "SimConfig.h"

// Small text, number and time helpers of the emulator; pure functions.

std::string Trim(const std::string& text);
std::vector<std::string> SplitWords(const std::string& text);
// Decimal, or hexadecimal with 0x (or with forceHex).
std::optional<long long> ParseNumber(const std::string& text, bool forceHex = false);
// "3C 00 01" or "3c0001": pairs of hex digits, blanks ignored.
std::optional<std::vector<uint8_t>> ParseHexBytes(const std::string& text);
std::string HexDump(const uint8_t* bytes, size_t count, size_t limit = 32);

// "YYYY-MM-DD hh:mm:ss" (or "YYYY-MM-DD hh:mm") into the logger's six date bytes; no range check.
std::optional<DateBytes> ParseDateText(const std::string& text);
// Local calendar time of the six bytes to seconds since 1970 UTC; daylight saving left to the system.
int64_t DateToEpoch(const DateBytes& date);
DateBytes EpochToDate(int64_t seconds);
bool IsPlausibleDate(const DateBytes& date);

// UTF-8 text into a 30-byte name field of the given code page (NUL padded, cut at 30 bytes).
std::optional<std::array<uint8_t, kNameBytes>> EncodeName(const std::string& utf8,
                                                          const std::string& encoding);
