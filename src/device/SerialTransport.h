#pragma once

#include <atomic>
#include <cstdint>

// What a transaction needs from a serial port, so it can run against the real port or a port in
// memory. One transaction at a time drives it; only the run flag is touched from another thread.
class SerialTransport {
public:
    virtual ~SerialTransport() = default;

    // Closes any open port first; true when the port is open and configured.
    virtual bool Open(int port, int baudRate, char parity, int dataBits, int stopBits) = 0;
    virtual void Close() = 0;
    // Writes the whole request; returns the number of bytes written (0 when closed).
    virtual int Write(const uint8_t* bytes, int count) = 0;
    // Bytes waiting in the input queue; never waits (0 when closed).
    virtual int BytesAvailable() = 0;
    // Reads min(count, queued) bytes into destination; never waits (0 when closed).
    virtual int Read(int count, uint8_t* destination) = 0;

    // 1 while a transaction may go on; set by each transaction's start, cleared by a cancel from any
    // thread. Relaxed ordering serves: it only carries itself.
    std::atomic<int>& RunFlag() { return runFlag_; }

private:
    std::atomic<int> runFlag_{1};
};
