#include "HistoryGenerator.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "SimText.h"

namespace {
constexpr int16_t kNoValue = static_cast<int16_t>(0x8001);

// Repeatable jitter in [-1, 1] from the time and the slot.
double Jitter(int64_t epoch, int slot) {
    uint64_t x = static_cast<uint64_t>(epoch) * 0x9E3779B97F4A7C15ull +
                 static_cast<uint64_t>(slot + 1) * 0xBF58476D1CE4E5B9ull;
    x ^= x >> 31;
    x *= 0x94D049BB133111EBull;
    x ^= x >> 29;
    return static_cast<double>(x % 20001) / 10000.0 - 1.0;
}
}  // namespace

int16_t HistoryGenerator::SampleValue(const ChannelSetup& c, int slot, int64_t epoch) {
    const double t = static_cast<double>(epoch);
    const double period = c.period > 1 ? c.period : 86400;
    const double phase = 0.7 * slot;
    const double twoPi = 2 * std::numbers::pi;
    double v = c.base + c.amplitude * std::sin(twoPi * t / period + phase) +
               0.3 * c.amplitude * std::sin(twoPi * t / (period / 5.3) + 2 * phase) +
               c.noise * Jitter(epoch, slot);
    if (c.unit == 32) v = v * 9.0 / 5.0 + 320.0;
    long rounded = std::lround(v);
    if (c.rangeLow < c.rangeHigh) rounded = std::clamp<long>(rounded, c.rangeLow, c.rangeHigh);
    rounded = std::clamp<long>(rounded, -32767, 32767);
    if (rounded == kNoValue) rounded += 1;
    return static_cast<int16_t>(rounded);
}

std::vector<int> HistoryGenerator::EnabledSlots(uint8_t mask) {
    std::vector<int> slots;
    for (int k = 0; k < kSimChannels; ++k)
        if (mask & (1u << k)) slots.push_back(k);
    return slots;
}

std::vector<SimRecord> HistoryGenerator::Build(const SimConfig& config, int64_t now) {
    const HistorySetup& h = config.history;
    if (h.explicitRecords) return h.records;

    const std::vector<int> slots = EnabledSlots(config.device.mask);
    const int64_t interval = h.interval ? h.interval : (config.device.interval ? config.device.interval : 60);
    auto extraAfter = [&](size_t index) {
        int64_t extra = 0;
        for (const GapSetup& g : h.gaps)
            if (g.after == index) extra += g.seconds;
        return extra;
    };

    int64_t start = 0;
    if (h.startNow) {
        int64_t span = h.count > 0 ? static_cast<int64_t>(h.count - 1) * interval : 0;
        for (size_t i = 0; i + 1 < h.count; ++i) span += extraAfter(i);
        start = now - span;
        start -= ((start % interval) + interval) %
                 interval;  // whole intervals, like a logger started on the minute
    } else {
        const auto date = ParseDateText(h.start);
        start = date ? DateToEpoch(*date) : now;
    }

    std::vector<SimRecord> records;
    records.reserve(h.count);
    int64_t t = start;
    for (size_t i = 0; i < h.count; ++i) {
        SimRecord r;
        r.time = EpochToDate(t);
        for (int slot : slots) {
            int16_t v = SampleValue(config.device.channels[slot], slot, t);
            for (const InvalidSetup& inv : h.invalid)
                if (inv.channel == slot + 1 && i >= inv.first && i < inv.first + inv.count) v = kNoValue;
            r.values.push_back(v);
        }
        if (std::find(h.badDates.begin(), h.badDates.end(), i) != h.badDates.end()) r.time[0] = 34;
        records.push_back(std::move(r));
        t += interval + extraAfter(i);
    }
    return records;
}
