#pragma once

#include <cstdint>
#include <vector>

#include "SimConfig.h"

// Smooth plausible sample values and the generated history of the emulated logger. Pure functions.
class HistoryGenerator {
public:
    // Reading of channel slot (0-based) at a time, in tenths of the channel's current unit (℉ when unit 32).
    static int16_t SampleValue(const ChannelSetup& channel, int slot, int64_t epoch);

    // Records of the history: explicit ones, or generated from the start time at the interval, with the
    // configured gaps, no-value samples and impossible dates. `now` places a history that ends at start-up.
    static std::vector<SimRecord> Build(const SimConfig& config, int64_t now);

    // Enabled channel slots in ascending order.
    static std::vector<int> EnabledSlots(uint8_t mask);
};
