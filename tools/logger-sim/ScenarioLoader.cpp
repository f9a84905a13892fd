#include "ScenarioLoader.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "HistoryGenerator.h"
#include "SimText.h"

namespace {
bool Fail(std::string* error, const std::string& text) {
    *error = text;
    return false;
}

template <typename T>
bool SetNumber(T& target, const std::string& value, long long low, long long high, std::string* error,
               bool forceHex = false) {
    const auto n = ParseNumber(value, forceHex);
    if (!n || *n < low || *n > high) return Fail(error, "'" + value + "' is not a number in range");
    target = static_cast<T>(*n);
    return true;
}

bool SetFlag(bool& target, const std::string& value, std::string* error) {
    const std::string v = Trim(value);
    if (v == "1" || v == "yes" || v == "true" || v == "on") return target = true, true;
    if (v == "0" || v == "no" || v == "false" || v == "off") return target = false, true;
    return Fail(error, "'" + value + "' is not 0 or 1");
}

bool SetPair(int16_t& low, int16_t& high, const std::string& value, std::string* error) {
    const auto words = SplitWords(value);
    if (words.size() != 2) return Fail(error, "expected two numbers (tenths): LOW HIGH");
    return SetNumber(low, words[0], -32768, 32767, error) && SetNumber(high, words[1], -32768, 32767, error);
}

bool SetDate(DateBytes& target, const std::string& value, std::string* error) {
    const auto date = ParseDateText(value);
    if (!date) return Fail(error, "'" + value + "' is not YYYY-MM-DD hh:mm:ss");
    target = *date;
    return true;
}

bool SetHex(uint8_t* target, size_t width, const std::string& value, std::string* error) {
    const auto bytes = ParseHexBytes(value);
    if (!bytes || bytes->size() > width)
        return Fail(error, "expected at most " + std::to_string(width) + " hex bytes");
    std::fill(target, target + width, 0);
    std::copy(bytes->begin(), bytes->end(), target);
    return true;
}

// "1A" or "1A:3": a command code in hex, optionally limited to its first COUNT requests.
bool AddRule(std::vector<FaultRule>& rules, const std::string& value, bool withCommand, std::string* error) {
    FaultRule rule;
    std::string commandText = Trim(value);
    std::string countText;
    if (const size_t colon = commandText.find(':'); colon != std::string::npos) {
        countText = commandText.substr(colon + 1);
        commandText = commandText.substr(0, colon);
    }
    if (withCommand) {
        if (!SetNumber(rule.command, commandText, 0, 0xFF, error, true)) return false;
    } else if (!commandText.empty() && commandText != "1" && commandText != "all") {
        // Without a command the value is the count of requests to spoil, or 1/all for every one.
        if (!SetNumber(rule.count, commandText, 1, 1L << 30, error)) return false;
    }
    if (!countText.empty() && !SetNumber(rule.count, countText, 1, 1L << 30, error)) return false;
    rules.push_back(rule);
    return true;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

bool ScenarioLoader::LoadFile(const std::string& path, std::string* error) {
    std::ifstream in(path);
    if (!in) return Fail(error, path + ": cannot be read");
    std::string line;
    std::string section = "device";
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string t = Trim(line);
        if (t.empty() || t[0] == '#' || t[0] == ';') continue;
        if (t.front() == '[') {
            if (t.back() != ']')
                return Fail(error, path + ":" + std::to_string(lineNumber) + ": bad section");
            section = Trim(t.substr(1, t.size() - 2));
            continue;
        }
        const size_t eq = t.find('=');
        if (eq == std::string::npos)
            return Fail(error, path + ":" + std::to_string(lineNumber) + ": expected key = value");
        std::string why;
        if (!Apply(section, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1)), &why))
            return Fail(error, path + ":" + std::to_string(lineNumber) + ": " + why);
    }
    return true;
}

bool ScenarioLoader::Apply(const std::string& sectionText, const std::string& keyText,
                           const std::string& value, std::string* error) {
    const std::string section = Lower(Trim(sectionText));
    const std::string key = Lower(Trim(keyText));
    if (section == "device") return ApplyDevice(key, value, error);
    if (section == "history") return ApplyHistory(key, value, error);
    if (section == "faults") return ApplyFaults(key, value, error);
    if (section.rfind("channel", 0) == 0) {
        int number = 0;
        if (!SetNumber(number, section.substr(7), 1, kSimChannels, error))
            return Fail(error, "channel sections are [channel 1] .. [channel 8]");
        return ApplyChannel(number, key, value, error);
    }
    return Fail(error, "unknown section [" + sectionText + "]");
}

bool ScenarioLoader::ApplyDevice(const std::string& key, const std::string& value, std::string* error) {
    DeviceSetup& d = config_.device;
    if (key == "user_name" || key == "title") {
        const auto field = EncodeName(value, d.encoding);
        if (!field) return Fail(error, "'" + value + "' cannot be written in " + d.encoding);
        (key == "title" ? d.title : d.userName) = *field;
        return true;
    }
    if (key == "user_name_hex") return SetHex(d.userName.data(), kNameBytes, value, error);
    if (key == "title_hex") return SetHex(d.title.data(), kNameBytes, value, error);
    if (key == "encoding") return d.encoding = Trim(value), true;
    if (key == "record_mode") return SetNumber(d.recordMode, value, 0, 255, error);
    if (key == "work_status") return SetNumber(d.workStatus, value, 0, 255, error);
    if (key == "start_mode") return SetNumber(d.startMode, value, 0, 255, error);
    if (key == "stop_mode") return SetNumber(d.stopMode, value, 0, 255, error);
    if (key == "stop_cause") return SetNumber(d.stopCause, value, 0, 255, error);
    if (key == "display_refresh") return SetNumber(d.displayRefresh, value, 0, 255, error);
    if (key == "interval") return SetNumber(d.interval, value, 1, 0xFFFFFFFFLL, error);
    if (key == "mask") return SetNumber(d.mask, value, 0, 255, error, true);
    if (key == "start_time") return d.startTimeSet = true, SetDate(d.startTime, value, error);
    if (key == "timed_start") return SetDate(d.timedStart, value, error);
    if (key == "timed_stop") return SetDate(d.timedStop, value, error);
    if (key == "stop_count") return SetNumber(d.stopCount, value, 0, 0xFFFF, error);
    if (key == "record_count")
        return d.recordCountSet = true, SetNumber(d.recordCount, value, 0, 0xFFFFFFFFLL, error);
    if (key == "temperature_type") return SetNumber(d.temperatureType, value, 0, 255, error);
    if (key == "model") return d.model = value, true;
    if (key == "serial") return d.serial = value, true;
    if (key == "info_spare") return SetHex(d.infoSpare.data(), 2, value, error);
    if (key == "firmware") return SetNumber(d.firmware, value, 0, 255, error);
    if (key == "capacity") return SetNumber(d.capacity, value, 0, 0xFFFFFFFFLL, error);
    if (key == "live") return SetFlag(d.live, value, error);
    if (key == "clock") {
        if (!ParseDateText(value)) return Fail(error, "'" + value + "' is not YYYY-MM-DD hh:mm:ss");
        d.clock = value;
        d.clockSet = true;
        return true;
    }
    return Fail(error, "unknown key '" + key + "' in [device]");
}

bool ScenarioLoader::ApplyChannel(int number, const std::string& key, const std::string& value,
                                  std::string* error) {
    ChannelSetup& c = config_.device.channels[number - 1];
    if (key == "type") return SetNumber(c.type, value, 0, 255, error);
    if (key == "unit") return SetNumber(c.unit, value, 0, 255, error);
    if (key == "range") return SetPair(c.rangeLow, c.rangeHigh, value, error);
    if (key == "alarm") return SetPair(c.alarmLow, c.alarmHigh, value, error);
    if (key == "alarm_enabled") return SetNumber(c.alarmEnabled, value, 0, 255, error);
    if (key == "live_invalid") return SetFlag(c.liveInvalid, value, error);
    if (key == "curve") {
        const auto words = SplitWords(value);
        if (words.empty() || words.size() > 4)
            return Fail(error, "curve = BASE [AMPLITUDE [PERIOD [NOISE]]]");
        double* targets[] = {&c.base, &c.amplitude, &c.period, &c.noise};
        for (size_t i = 0; i < words.size(); ++i) {
            try {
                *targets[i] = std::stod(words[i]);
            } catch (...) {
                return Fail(error, "'" + words[i] + "' is not a number");
            }
        }
        return true;
    }
    return Fail(error, "unknown key '" + key + "' in [channel " + std::to_string(number) + "]");
}

bool ScenarioLoader::ApplyHistory(const std::string& key, const std::string& value, std::string* error) {
    HistorySetup& h = config_.history;
    if (key == "count") return SetNumber(h.count, value, 0, 10000000, error);
    if (key == "start") {
        if (Trim(value) == "now") return h.startNow = true, true;
        if (!ParseDateText(value)) return Fail(error, "'" + value + "' is not YYYY-MM-DD hh:mm:ss or now");
        h.startNow = false;
        h.start = value;
        return true;
    }
    if (key == "interval") return SetNumber(h.interval, value, 0, 0xFFFFFFFFLL, error);
    if (key == "defects") {
        if (Trim(value) != "none") return Fail(error, "defects = none is the only value");
        h.gaps.clear();
        h.invalid.clear();
        h.badDates.clear();
        gapsGiven_ = invalidGiven_ = badDatesGiven_ = true;
        return true;
    }
    if (key == "gap") {
        const auto words = SplitWords(value);
        GapSetup g;
        if (words.size() != 2 || !SetNumber(g.after, words[0], 0, 10000000, error) ||
            !SetNumber(g.seconds, words[1], -(1LL << 40), 1LL << 40, error))
            return Fail(error, "gap = AFTER_INDEX SECONDS");
        if (!gapsGiven_) h.gaps.clear();
        gapsGiven_ = true;
        h.gaps.push_back(g);
        return true;
    }
    if (key == "invalid") {
        const auto words = SplitWords(value);
        InvalidSetup inv;
        if ((words.size() != 2 && words.size() != 3) ||
            !SetNumber(inv.channel, words[0], 1, kSimChannels, error) ||
            !SetNumber(inv.first, words[1], 0, 10000000, error) ||
            (words.size() == 3 && !SetNumber(inv.count, words[2], 1, 10000000, error)))
            return Fail(error, "invalid = CHANNEL FIRST_INDEX [COUNT]");
        if (!invalidGiven_) h.invalid.clear();
        invalidGiven_ = true;
        h.invalid.push_back(inv);
        return true;
    }
    if (key == "bad_date") {
        size_t index = 0;
        if (!SetNumber(index, value, 0, 10000000, error)) return false;
        if (!badDatesGiven_) h.badDates.clear();
        badDatesGiven_ = true;
        h.badDates.push_back(index);
        return true;
    }
    if (key == "record" || key == "record_hex") {
        SimRecord r;
        if (key == "record") {
            // DATE TIME then one value in tenths per enabled channel, ERR for no value.
            const auto words = SplitWords(value);
            if (words.size() < 2) return Fail(error, "record = YYYY-MM-DD hh:mm:ss V1 V2 ...");
            const auto date = ParseDateText(words[0] + " " + words[1]);
            if (!date) return Fail(error, "record: bad date and time");
            r.time = *date;
            for (size_t i = 2; i < words.size(); ++i) {
                int16_t v = 0;
                if (words[i] == "ERR")
                    v = static_cast<int16_t>(0x8001);
                else if (!SetNumber(v, words[i], -32768, 32767, error))
                    return false;
                r.values.push_back(v);
            }
        } else {
            const auto bytes = ParseHexBytes(value);
            if (!bytes || bytes->size() < 6 || bytes->size() % 2 != 0)
                return Fail(error, "record_hex = 6 date bytes and 2 bytes per enabled channel");
            std::copy_n(bytes->begin(), 6, r.time.begin());
            for (size_t i = 6; i < bytes->size(); i += 2)
                r.values.push_back(static_cast<int16_t>(((*bytes)[i] << 8) | (*bytes)[i + 1]));
        }
        if (!h.explicitRecords) h.records.clear();
        h.explicitRecords = true;
        h.records.push_back(std::move(r));
        return true;
    }
    return Fail(error, "unknown key '" + key + "' in [history]");
}

bool ScenarioLoader::ApplyFaults(const std::string& key, const std::string& value, std::string* error) {
    FaultSetup& f = config_.faults;
    if (key == "no_reply_every") return SetNumber(f.noReplyEvery, value, 0, 1000000, error);
    if (key == "no_reply_to") return AddRule(f.noReply, value, true, error);
    if (key == "bad_checksum") return AddRule(f.badChecksum, value, false, error);
    if (key == "bad_checksum_to") return AddRule(f.badChecksum, value, true, error);
    if (key == "wrong_command") return AddRule(f.wrongCommand, value, false, error);
    if (key == "wrong_command_to") return AddRule(f.wrongCommand, value, true, error);
    if (key == "bit7") return AddRule(f.bit7, value, false, error);
    if (key == "bit7_to") return AddRule(f.bit7, value, true, error);
    if (key == "fragment") {
        const size_t colon = value.find(':');
        if (colon == std::string::npos ||
            !SetNumber(f.fragmentSize, value.substr(0, colon), 1, 100000, error) ||
            !SetNumber(f.fragmentPauseMs, value.substr(colon + 1), 0, 60000, error))
            return Fail(error, "fragment = SIZE:PAUSE_MS");
        return true;
    }
    if (key == "delay") return SetNumber(f.delayMs, value, 0, 600000, error);
    if (key == "stop_after") return SetNumber(f.stopAfter, value, 0, 1L << 30, error);
    if (key == "page_count") return SetNumber(f.pageCount, value, 0, 0xFFFF, error);
    if (key == "page_bytes") return SetNumber(f.pageBytes, value, 16, 65535, error);
    if (key == "pages_empty") return SetFlag(f.pagesEmpty, value, error);
    return Fail(error, "unknown key '" + key + "' in [faults]");
}

bool ScenarioLoader::Validate(std::string* error) const {
    const size_t channels = HistoryGenerator::EnabledSlots(config_.device.mask).size();
    if (config_.history.explicitRecords) {
        for (size_t i = 0; i < config_.history.records.size(); ++i)
            if (config_.history.records[i].values.size() != channels)
                return Fail(error, "history record " + std::to_string(i) + " has " +
                                       std::to_string(config_.history.records[i].values.size()) +
                                       " values, the mask enables " + std::to_string(channels) + " channels");
    }
    if (config_.faults.pageBytes < 10 + 6 + 2 * channels)
        return Fail(error, "page_bytes is too small for one record");
    return true;
}
