#include <gtest/gtest.h>

#include "device/LineSettings.h"

namespace {

// Starts from a cooked terminal's settings, as a freshly opened tty reports them.
termios CookedSettings() {
    termios t{};
    t.c_iflag = ICRNL | IXON | IXOFF | INPCK | ISTRIP;
    t.c_oflag = OPOST | ONLCR;
    t.c_cflag = CS7 | PARENB | PARODD | CSTOPB | CRTSCTS;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    t.c_cc[VMIN] = 1;
    return t;
}

TEST(LineSettings, ParityDataAndStopBitsFollowTheCall) {
    const struct {
        char parity;
        int dataBits, stopBits;
        tcflag_t size, parityBits;
        bool checking, twoStopBits;
    } cases[] = {
        {'n', 8, 1, CS8, 0, false, false},
        {'N', 7, 2, CS7, 0, false, true},
        {'E', 8, 1, CS8, PARENB, true, false},
        {'e', 7, 1, CS7, PARENB, true, false},
        {'O', 6, 2, CS6, PARENB | PARODD, true, true},
        {'o', 5, 1, CS5, PARENB | PARODD, true, false},
        {'M', 8, 1, CS8, PARENB | PARODD | CMSPAR, true, false},
        {'m', 8, 3, CS8, PARENB | PARODD | CMSPAR, true, false},
        {'S', 8, 1, CS8, PARENB | CMSPAR, true, false},
        {'s', 8, 0, CS8, PARENB | CMSPAR, true, false},
        {'x', 8, 1, CS8, 0, false, false},
        {'\0', 8, 1, CS8, 0, false, false},
    };
    for (const auto& c : cases) {
        termios t = CookedSettings();
        ASSERT_TRUE(ApplyLineSettings(t, 115200, c.parity, c.dataBits, c.stopBits)) << c.parity;
        EXPECT_EQ(t.c_cflag & CSIZE, c.size) << c.parity;
        EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR), c.parityBits) << c.parity;
        EXPECT_EQ((t.c_iflag & INPCK) != 0, c.checking) << c.parity;
        EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStopBits) << c.parity << c.stopBits;
    }
}

TEST(LineSettings, BytesPassRawWithoutFlowControlOrWaiting) {
    termios t = CookedSettings();
    ASSERT_TRUE(ApplyLineSettings(t, 115200, 'n', 8, 1));
    EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B115200));
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B115200));
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST(LineSettings, UnsupportedSpeedOrByteSizeIsRefused) {
    const struct { int baud, dataBits; } cases[] = {{12345, 8}, {0, 8}, {-9600, 8}, {115200, 9}, {115200, 4}};
    for (const auto& c : cases) {
        termios t = CookedSettings();
        EXPECT_FALSE(ApplyLineSettings(t, c.baud, 'n', c.dataBits, 1)) << c.baud << " " << c.dataBits;
    }
}

}  // namespace
