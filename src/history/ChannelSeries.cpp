#include "history/ChannelSeries.h"

uint32_t ChannelColour(int channelNumber) {
    static constexpr uint32_t kColours[] = {0xFF0000, 0x0000FF, 0x00FF00, 0x008080,
                                            0x808000, 0x800080, 0xC1B6FF, 0xA09E5F};
    if (channelNumber < 0 || channelNumber >= 8) return 0xFF0000;
    return kColours[channelNumber];
}
