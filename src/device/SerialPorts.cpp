#include "device/SerialPorts.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <fstream>
#include <set>

namespace {
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 256;

struct PortBlock {
    int first, last;
    const char* prefix;
};
constexpr PortBlock kPortBlocks[] = {
    {1, 32, "/dev/ttyS"},
    {33, 96, "/dev/ttyUSB"},
    {97, 160, "/dev/ttyACM"},
};

std::string DefaultPathForPort(int port) {
    for (const auto& block : kPortBlocks) {
        if (port >= block.first && port <= block.last)
            return block.prefix + std::to_string(port - block.first);
    }
    return "";
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

// A 16550-style port is registered for every ttyS whether or not a UART answers; only a known
// UART type means a port is really there.
bool UartPresent(const std::string& name, const std::string& path) {
    std::ifstream typeFile("/sys/class/tty/" + name + "/type");
    int type = -1;
    if (typeFile >> type) return type != PORT_UNKNOWN;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == EBUSY;  // held exclusively by someone: it is there
    serial_struct info{};
    const bool present = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return present;
}

bool IsRealSerialPort(const std::string& path) {
    if (!PathExists(path)) return false;
    const std::string name = path.substr(path.rfind('/') + 1);
    if (!PathExists("/sys/class/tty/" + name + "/device")) return false;
    if (name.rfind("ttyS", 0) == 0) return UartPresent(name, path);
    return true;
}
}  // namespace

std::string DevicePathForPort(const DeviceContext& context, int port) {
    if (port < kLowestPort || port > kHighestPort) return "";
    const auto entry = context.comDevices.find(port);
    if (entry != context.comDevices.end() && !entry->second.empty()) return entry->second;
    return DefaultPathForPort(port);
}

void EnumerateSerialPorts(DeviceContext& context) {
    std::set<int> ports;
    for (int port = kLowestPort; port <= kHighestPort; ++port) {
        const auto entry = context.comDevices.find(port);
        if (entry != context.comDevices.end() && !entry->second.empty()) {
            if (PathExists(entry->second)) ports.insert(port);
        } else if (IsRealSerialPort(DefaultPathForPort(port))) {
            ports.insert(port);
        }
    }
    context.portList.assign(ports.begin(), ports.end());
}

int PortNumberFromName(const std::string& name) {
    int64_t number = 0;
    int64_t weight = 1;
    for (auto it = name.rbegin(); it != name.rend(); ++it) {
        const int digit = (*it >= '0' && *it <= '9') ? *it - '0' : 0;
        // A number that no longer fits is no port at all.
        if (digit != 0 && weight > INT_MAX) return 0;
        number += digit * weight;
        if (number > INT_MAX) return 0;
        if (weight <= INT_MAX) weight *= 10;
    }
    return static_cast<int>(number);
}
