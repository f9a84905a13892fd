#include "SimConfig.h"

#include <algorithm>

namespace {
// "环境监测实验室" and "冷库温湿度记录" in code page 936.
constexpr uint8_t kDefaultUserName[] = {0xBB, 0xB7, 0xBE, 0xB3, 0xBC, 0xE0, 0xB2,
                                        0xE2, 0xCA, 0xB5, 0xD1, 0xE9, 0xCA, 0xD2};
constexpr uint8_t kDefaultTitle[] = {0xC0, 0xE4, 0xBF, 0xE2, 0xCE, 0xC2, 0xCA,
                                     0xAA, 0xB6, 0xC8, 0xBC, 0xC7, 0xC2, 0xBC};

ChannelSetup MakeChannel(uint8_t type, uint8_t unit, int16_t rangeLow, int16_t rangeHigh,
                         uint8_t alarmEnabled, int16_t alarmLow, int16_t alarmHigh, double base,
                         double amplitude, double period, double noise) {
    ChannelSetup c;
    c.type = type;
    c.unit = unit;
    c.rangeLow = rangeLow;
    c.rangeHigh = rangeHigh;
    c.alarmEnabled = alarmEnabled;
    c.alarmLow = alarmLow;
    c.alarmHigh = alarmHigh;
    c.base = base;
    c.amplitude = amplitude;
    c.period = period;
    c.noise = noise;
    return c;
}
}  // namespace

SimConfig DefaultSimConfig() {
    SimConfig config;
    DeviceSetup& d = config.device;
    std::copy(std::begin(kDefaultUserName), std::end(kDefaultUserName), d.userName.begin());
    std::copy(std::begin(kDefaultTitle), std::end(kDefaultTitle), d.title.begin());
    // Slots 1, 2 and 4 are enabled; the others carry plausible settings for masks given on the command line.
    d.channels[0] = MakeChannel(1, 1, -400, 1250, 1, -100, 350, 40, 25, 86400, 3);     // temperature ℃
    d.channels[1] = MakeChannel(2, 4, 0, 1000, 1, 300, 900, 750, 80, 86400, 6);        // humidity %RH
    d.channels[2] = MakeChannel(1, 1, -400, 1250, 0, -100, 350, 55, 20, 43200, 2);     // second probe ℃
    d.channels[3] = MakeChannel(5, 8, 800, 1200, 0, 950, 1050, 1013, 6, 172800, 1);    // pressure KPa
    d.channels[4] = MakeChannel(6, 11, 0, 300, 0, 0, 250, 120, 5, 3600, 1);            // DC voltage V
    d.channels[5] = MakeChannel(13, 16, 0, 20000, 1, 0, 10000, 4500, 500, 86400, 40);  // CO2 PPM
    d.channels[6] = MakeChannel(8, 14, 40, 200, 0, 40, 200, 120, 30, 7200, 2);         // DC current mA
    d.channels[7] = MakeChannel(17, 22, 300, 1300, 0, 300, 850, 550, 80, 86400, 15);   // noise dB

    HistorySetup& h = config.history;
    h.gaps.push_back({700, 7200});
    h.invalid.push_back({2, 300, 5});
    h.invalid.push_back({4, 1000, 1});
    h.badDates.push_back(1200);
    return config;
}
