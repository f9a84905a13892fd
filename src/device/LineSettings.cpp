#include "device/LineSettings.h"

namespace {
bool SpeedFor(int baudRate, speed_t& speed) {
    static constexpr struct {
        int rate;
        speed_t speed;
    } kSpeeds[] = {{1200, B1200},     {2400, B2400},     {4800, B4800},    {9600, B9600},
                   {19200, B19200},   {38400, B38400},   {57600, B57600},  {115200, B115200},
                   {230400, B230400}, {460800, B460800}, {921600, B921600}};
    for (const auto& entry : kSpeeds) {
        if (entry.rate == baudRate) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

bool CharacterSizeFor(int dataBits, tcflag_t& size) {
    switch (dataBits) {
        case 5:
            size = CS5;
            return true;
        case 6:
            size = CS6;
            return true;
        case 7:
            size = CS7;
            return true;
        case 8:
            size = CS8;
            return true;
        default:
            return false;
    }
}

void ApplyParity(termios& settings, char parity) {
    settings.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
    settings.c_iflag &= ~static_cast<tcflag_t>(INPCK);
    tcflag_t bits = 0;
    switch (parity) {
        case 'E':
        case 'e':
            bits = PARENB;
            break;
        case 'O':
        case 'o':
            bits = PARENB | PARODD;
            break;
        case 'M':
        case 'm':
            bits = PARENB | CMSPAR | PARODD;
            break;
        case 'S':
        case 's':
            bits = PARENB | CMSPAR;
            break;
        default:
            return;
    }
    settings.c_cflag |= bits;
    settings.c_iflag |= INPCK;  // parity checking only where there is parity
}
}  // namespace

bool ApplyLineSettings(termios& settings, int baudRate, char parity, int dataBits, int stopBits) {
    speed_t speed;
    tcflag_t size;
    if (!SpeedFor(baudRate, speed) || !CharacterSizeFor(dataBits, size)) return false;
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | CRTSCTS);
    settings.c_cflag |= size;
    if (stopBits == 2) settings.c_cflag |= CSTOPB;
    ApplyParity(settings, parity);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // Reads only take what is queued; these make a stray blocking read return at once too.
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    return ::cfsetispeed(&settings, speed) == 0 && ::cfsetospeed(&settings, speed) == 0;
}
