#pragma once

#include <string>

// One running program per name: an abstract-namespace Unix socket bound to the name. The kernel
// releases it when the process ends, however it ends, so a crash never leaves a stale lock.
class CSingleInstanceLock {
public:
    CSingleInstanceLock() = default;
    ~CSingleInstanceLock();
    CSingleInstanceLock(const CSingleInstanceLock&) = delete;
    CSingleInstanceLock& operator=(const CSingleInstanceLock&) = delete;

    // True when this object now holds the name; false when another holder exists (or on error).
    bool Acquire(const std::string& name);
    void Release();
    bool Held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
