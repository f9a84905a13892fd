#include "device/SerialPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

#include "device/LineSettings.h"
#include "device/SerialPorts.h"
#include "model/DeviceContext.h"

namespace {
constexpr int kLowestPort = 1;
constexpr int kHighestPort = 256;
// A request is at most 67 bytes; a driver that takes none of it for this long is gone.
constexpr int kWriteStallMs = 2000;

bool Configure(int fd, int baudRate, char parity, int dataBits, int stopBits) {
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) return false;
    if (!ApplyLineSettings(settings, baudRate, parity, dataBits, stopBits)) return false;
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) return false;
    // RTS is held on for the logger; a pseudo-terminal has no modem lines, so failure is fine.
    int rts = TIOCM_RTS;
    (void)::ioctl(fd, TIOCMBIS, &rts);
    return ::tcflush(fd, TCIOFLUSH) == 0;
}

std::mutex g_creationLock;
std::atomic<CSerialPort*> g_port{nullptr};
}  // namespace

CSerialPort::~CSerialPort() {
    Close();
}

bool CSerialPort::Open(int port, int baudRate, char parity, int dataBits, int stopBits) {
    Close();
    if (port < kLowestPort || port > kHighestPort) return false;
    const std::string path = DevicePathForPort(GetDeviceContext(), port);
    if (!OpenPath(path, baudRate, parity, dataBits, stopBits)) return false;
    portNumber_ = port;
    return true;
}

bool CSerialPort::OpenPath(const std::string& path, int baudRate, char parity, int dataBits, int stopBits) {
    Close();
    portNumber_ = 0;
    if (path.empty()) return false;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // TIOCEXCL does not stop root, so a lock decides; losing it must not clear the holder's TIOCEXCL.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        ::close(fd);
        return false;
    }
    if (!Configure(fd, baudRate, parity, dataBits, stopBits)) {
        (void)::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void CSerialPort::Close() {
    if (fd_ < 0) return;
    // TIOCEXCL outlives this descriptor while another one holds the tty: clear it for the next open.
    (void)::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

int CSerialPort::Write(const uint8_t* bytes, int count) {
    if (fd_ < 0 || bytes == nullptr || count <= 0) return 0;
    int written = 0;
    while (written < count) {
        const ssize_t n = ::write(fd_, bytes + written, static_cast<size_t>(count - written));
        if (n > 0) {
            written += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) break;
        pollfd waiting{fd_, POLLOUT, 0};
        if (::poll(&waiting, 1, kWriteStallMs) <= 0) break;
    }
    return written;
}

int CSerialPort::BytesAvailable() {
    if (fd_ < 0) return 0;
    int queued = 0;
    if (::ioctl(fd_, FIONREAD, &queued) != 0 || queued < 0) return 0;
    return queued;
}

int CSerialPort::Read(int count, uint8_t* destination) {
    if (fd_ < 0 || destination == nullptr || count <= 0) return 0;
    const int wanted = std::min(count, BytesAvailable());
    if (wanted <= 0) return 0;
    ssize_t n;
    do {
        n = ::read(fd_, destination, static_cast<size_t>(wanted));
    } while (n < 0 && errno == EINTR);
    return n > 0 ? static_cast<int>(n) : 0;
}

CSerialPort& GetSerialPort() {
    CSerialPort* port = g_port.load(std::memory_order_acquire);
    if (port == nullptr) {
        std::lock_guard<std::mutex> lock(g_creationLock);
        port = g_port.load(std::memory_order_relaxed);
        if (port == nullptr) {
            port = new CSerialPort();
            g_port.store(port, std::memory_order_release);
        }
    }
    return *port;
}

void DestroySerialPort() {
    std::lock_guard<std::mutex> lock(g_creationLock);
    delete g_port.exchange(nullptr);
}
