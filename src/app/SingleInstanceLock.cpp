#include "app/SingleInstanceLock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

CSingleInstanceLock::~CSingleInstanceLock() {
    Release();
}

bool CSingleInstanceLock::Acquire(const std::string& name) {
    Release();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.empty() || name.size() + 1 > sizeof(address.sun_path)) return false;
    // A leading NUL puts the name in the abstract namespace: no file, nothing to clean up.
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), length) != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void CSingleInstanceLock::Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}
