#pragma once

#include <string>

#include "device/SerialTransport.h"

// The serial port on POSIX termios, opened exclusively and raw for one transaction attempt at a
// time. No lock of its own: one transaction drives it; only the run flag crosses threads.
class CSerialPort : public SerialTransport {
public:
    CSerialPort() = default;
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Port numbers 1..256, mapped to a device path through the device context's settings.
    bool Open(int port, int baudRate, char parity, int dataBits, int stopBits) override;
    // Opens a device path directly (the port number recorded is 0).
    bool OpenPath(const std::string& path, int baudRate, char parity, int dataBits, int stopBits);
    void Close() override;
    int Write(const uint8_t* bytes, int count) override;
    int BytesAvailable() override;
    int Read(int count, uint8_t* destination) override;

    bool IsOpen() const { return fd_ >= 0; }
    int PortNumber() const { return portNumber_; }

private:
    int fd_ = -1;
    int portNumber_ = 0;
};

// The process-wide port, created on first use under its own lock.
CSerialPort& GetSerialPort();
// Deletes it at program exit under the same lock.
void DestroySerialPort();
