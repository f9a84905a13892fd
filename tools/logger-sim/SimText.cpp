#include "SimText.h"

#include <iconv.h>

#include <cctype>
#include <cstdio>
#include <ctime>
#include <sstream>

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
    return text.substr(first, last - first);
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

std::optional<long long> ParseNumber(const std::string& text, bool forceHex) {
    std::string t = Trim(text);
    if (t.empty()) return std::nullopt;
    int base = 10;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        t = t.substr(2);
        base = 16;
    } else if (forceHex) {
        base = 16;
    }
    try {
        size_t used = 0;
        long long value = std::stoll(t, &used, base);
        if (used != t.size()) return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::vector<uint8_t>> ParseHexBytes(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) || c == ',' || c == ':') continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits += c;
    }
    if (digits.size() % 2 != 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return bytes;
}

std::string HexDump(const uint8_t* bytes, size_t count, size_t limit) {
    std::string out;
    char cell[4];
    for (size_t i = 0; i < count && i < limit; ++i) {
        std::snprintf(cell, sizeof cell, i ? " %02X" : "%02X", bytes[i]);
        out += cell;
    }
    if (count > limit) out += " ...";
    return out;
}

std::optional<DateBytes> ParseDateText(const std::string& text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    const std::string t = Trim(text);
    int n = std::sscanf(t.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    if (n != 5 && n != 6) return std::nullopt;
    if (y < 2000 || y > 2255 || mo < 0 || mo > 255 || d < 0 || d > 255 || h < 0 || h > 255 || mi < 0 ||
        mi > 255 || s < 0 || s > 255)
        return std::nullopt;
    return DateBytes{static_cast<uint8_t>(y - 2000), static_cast<uint8_t>(mo), static_cast<uint8_t>(d),
                     static_cast<uint8_t>(h),        static_cast<uint8_t>(mi), static_cast<uint8_t>(s)};
}

int64_t DateToEpoch(const DateBytes& date) {
    std::tm tm{};
    tm.tm_year = date[0] + 100;
    tm.tm_mon = date[1] - 1;
    tm.tm_mday = date[2];
    tm.tm_hour = date[3];
    tm.tm_min = date[4];
    tm.tm_sec = date[5];
    tm.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&tm));
}

DateBytes EpochToDate(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    localtime_r(&t, &tm);
    return DateBytes{static_cast<uint8_t>((tm.tm_year + 1900 + 48) % 256),
                     static_cast<uint8_t>(tm.tm_mon + 1),
                     static_cast<uint8_t>(tm.tm_mday),
                     static_cast<uint8_t>(tm.tm_hour),
                     static_cast<uint8_t>(tm.tm_min),
                     static_cast<uint8_t>(tm.tm_sec)};
}

bool IsPlausibleDate(const DateBytes& d) {
    return d[1] >= 1 && d[1] <= 12 && d[2] >= 1 && d[2] <= 31 && d[3] <= 23 && d[4] <= 59 && d[5] <= 59;
}

std::optional<std::array<uint8_t, kNameBytes>> EncodeName(const std::string& utf8,
                                                          const std::string& encoding) {
    std::array<uint8_t, kNameBytes> field{};
    iconv_t cd = iconv_open(encoding.c_str(), "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in = utf8;
    char out[4 * kNameBytes + 16] = {};
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out;
    size_t outLeft = sizeof out;
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    // A text longer than the field is cut like the client cuts it; a character the code page lacks is an
    // error.
    if (result == static_cast<size_t>(-1) && inLeft != 0 && outLeft != 0) return std::nullopt;
    const size_t produced = sizeof out - outLeft;
    for (size_t i = 0; i < produced && i < kNameBytes; ++i) field[i] = static_cast<uint8_t>(out[i]);
    return field;
}
