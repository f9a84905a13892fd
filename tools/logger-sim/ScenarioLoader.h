#pragma once

#include <string>

#include "SimConfig.h"

// Reads scenario files (sections [device], [channel N], [history], [faults] with key = value lines)
// into a SimConfig; the command line sets the same keys. Used once at start-up.
class ScenarioLoader {
public:
    explicit ScenarioLoader(SimConfig& config) : config_(config) {}

    bool LoadFile(const std::string& path, std::string* error);
    // One setting, e.g. ("channel 2", "alarm", "-50 300"). Repeatable keys add an entry each time.
    bool Apply(const std::string& section, const std::string& key, const std::string& value,
               std::string* error);
    // Checks what only the whole configuration can tell (record widths against the mask, page size).
    bool Validate(std::string* error) const;

private:
    bool ApplyDevice(const std::string& key, const std::string& value, std::string* error);
    bool ApplyChannel(int number, const std::string& key, const std::string& value, std::string* error);
    bool ApplyHistory(const std::string& key, const std::string& value, std::string* error);
    bool ApplyFaults(const std::string& key, const std::string& value, std::string* error);

    SimConfig& config_;
    // Listing gaps, no-value samples or bad dates replaces the default ones, once.
    bool gapsGiven_ = false;
    bool invalidGiven_ = false;
    bool badDatesGiven_ = false;
};
