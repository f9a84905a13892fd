#pragma once

#include <cstdint>

// A record index i > 0 where the recording was interrupted.
using BreakPoint = int32_t;

// The step from the previous time stamp, taken as an unsigned 64-bit number, exceeds the record
// interval: a gap, and also any step backwards in time (it wraps to a huge number).
inline bool IsBreakStep(int64_t previous, int64_t current, int recordInterval) {
    const uint64_t step = static_cast<uint64_t>(current) - static_cast<uint64_t>(previous);
    return step > static_cast<uint64_t>(static_cast<uint32_t>(recordInterval));
}
