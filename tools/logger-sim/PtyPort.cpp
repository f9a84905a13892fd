#include "PtyPort.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {
void SleepMs(int ms) {
    timespec ts{ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&ts, nullptr);
}

std::string Why(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}
}  // namespace

PtyPort::~PtyPort() {
    Close();
}

bool PtyPort::Open(const std::string& link, std::string* error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) return *error = Why("posix_openpt"), false;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) return *error = Why("grantpt/unlockpt"), false;
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) return *error = Why("ptsname_r"), false;
    terminalPath_ = name;
    keeper_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (keeper_ < 0) return *error = Why(name), false;

    // Raw 8N1 so that 0A, 0D, 11, 13 and 03 pass both ways untouched.
    termios tio{};
    if (tcgetattr(keeper_, &tio) != 0) return *error = Why("tcgetattr"), false;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    if (tcsetattr(keeper_, TCSANOW, &tio) != 0) return *error = Why("tcsetattr"), false;

    struct stat st {};
    if (lstat(link.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) return *error = link + ": exists and is not a symbolic link", false;
        if (unlink(link.c_str()) != 0) return *error = Why(link.c_str()), false;
    }
    if (symlink(name, link.c_str()) != 0) return *error = Why(link.c_str()), false;
    link_ = link;
    return true;
}

std::vector<uint8_t> PtyPort::Read(int timeoutMs) {
    std::vector<uint8_t> bytes;
    if (master_ < 0) return bytes;
    pollfd pfd{master_, POLLIN, 0};
    const int ready = poll(&pfd, 1, timeoutMs);
    if (ready <= 0) return bytes;  // time-out, or a signal that the loop will look at
    if (pfd.revents & POLLIN) {
        uint8_t buffer[512];
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n > 0) return std::vector<uint8_t>(buffer, buffer + n);
    }
    // No terminal side open (EIO, POLLHUP) or nothing after all: wait a little instead of spinning.
    SleepMs(10);
    return bytes;
}

bool PtyPort::Write(const uint8_t* bytes, size_t count) {
    size_t done = 0;
    int waitedMs = 0;
    while (done < count) {
        const ssize_t n = write(master_, bytes + done, count - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // The client does not read (or has gone); give up after a second rather than block the logger.
        if (waitedMs >= 1000) return false;
        pollfd pfd{master_, POLLOUT, 0};
        poll(&pfd, 1, 50);
        waitedMs += 50;
    }
    return true;
}

void PtyPort::Close() {
    if (!link_.empty()) {
        char target[256] = {};
        const ssize_t n = readlink(link_.c_str(), target, sizeof target - 1);
        if (n > 0 && terminalPath_ == std::string(target, static_cast<size_t>(n))) unlink(link_.c_str());
        link_.clear();
    }
    if (keeper_ >= 0) close(keeper_);
    if (master_ >= 0) close(master_);
    keeper_ = master_ = -1;
}
