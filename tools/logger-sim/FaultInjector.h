#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "SimConfig.h"

// Decides which requests the emulated logger ignores and how it spoils its replies, as configured.
// Used by the emulator's loop thread only.
class FaultInjector {
public:
    explicit FaultInjector(const FaultSetup& setup) : setup_(setup) {}

    // Counts one received request; false means the logger does not hear it (no action, no reply).
    bool ShouldAnswer(uint8_t command);
    // Spoils the reply to the request counted last, if a rule aims at it. Returns a short note, or "".
    const char* Spoil(uint8_t command, std::vector<uint8_t>& reply) const;

    const FaultSetup& Setup() const { return setup_; }

private:
    bool Hits(const std::vector<FaultRule>& rules, uint8_t command) const;

    FaultSetup setup_;
    long requests_ = 0;
    std::map<uint8_t, long> seen_;  // requests received per command code
};
