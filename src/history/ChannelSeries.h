#pragma once

#include <cstdint>
#include <vector>

// The logger's no-value word 0x8001 is stored as this value; exact comparison decides validity.
inline constexpr double InvalidSample = -1000.0;

inline bool IsInvalidSample(double value) {
    return value == InvalidSample;
}

// Curve and list-row colour (0x00BBGGRR) of a device channel number.
uint32_t ChannelColour(int channelNumber);

// One channel of the history: its description from the parameter block, its samples (one per record,
// contiguous, same index as the time stamps) and the statistics of the range shown.
struct ChannelSeries {
    int channelNumber = 0;  // 0-based device channel number; shown as number + 1
    int typeCode = 0;       // index into ChannelTypeTable
    int unitCode = 0;       // key into UnitTable
    double alarmUpper = 0;
    double alarmLower = 0;
    double rangeUpper = 0;
    double rangeLower = 0;
    uint32_t colour = 0xFF0000;
    int visible = 1;
    double maximum = 0;
    double minimum = 0;
    double average = 0;
    std::vector<double> values;
    double displayTop = 0;
    double displayBottom = 0;
    int validCount = 0;
    // Statistics of the print range, written and read by the printing code.
    double reportMaximum = 0;
    double reportMinimum = 0;
    double reportAverage = 0;
    int reportValidCount = 0;
};
