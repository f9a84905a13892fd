#pragma once

#include <sys/types.h>

// Another process that holds a serial port open, as a second program would: a forked child opens
// the port through the context's mapping and waits until Release() or the destructor ends it.
class PortHolder {
public:
    explicit PortHolder(int port);
    ~PortHolder();
    PortHolder(const PortHolder&) = delete;
    PortHolder& operator=(const PortHolder&) = delete;

    // Whether the child managed to open the port.
    bool Holds() const { return holds_; }
    // Ends the child; the port is free again afterwards.
    void Release();

private:
    pid_t child_ = -1;
    bool holds_ = false;
};
