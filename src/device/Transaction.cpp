#include "device/Transaction.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "device/Frame.h"
#include "device/SerialPort.h"
#include "model/DeviceContext.h"

namespace {
constexpr int kFirstReadWaitMs = 200;
constexpr int kIdlePollMs = 100;
constexpr int kPartialReadMs = 50;
constexpr int kAfterHeaderMs = 50;
constexpr int kHeaderLength = 5;
constexpr int kShortestFrame = 7;

std::atomic<SerialTransport*> g_transportOverride{nullptr};
std::function<void(int)> g_sleepOverride;

SerialTransport& Transport() {
    SerialTransport* transport = g_transportOverride.load(std::memory_order_acquire);
    return transport != nullptr ? *transport : GetSerialPort();
}

void Pause(int ms) {
    if (g_sleepOverride) {
        g_sleepOverride(ms);
    } else if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

struct LinkSettings {
    int port, baudRate;
    char parity;
    int dataBits, stopBits, retries;
};

LinkSettings CurrentSettings() {
    const DeviceContext& context = GetDeviceContext();
    return {context.portNumber, context.baudRate, context.parity,
            context.dataBits,   context.stopBits, context.retryCount};
}

bool Running(SerialTransport& port) {
    return port.RunFlag().load(std::memory_order_relaxed) != 0;
}

bool OpenPort(SerialTransport& port, const LinkSettings& s) {
    return port.Open(s.port, s.baudRate, s.parity, s.dataBits, s.stopBits);
}

// Collects bytes until target are in, retries empty polls are spent or the run flag clears. Empty
// polls count over the whole phase and are not reset when data arrives.
void Collect(SerialTransport& port, uint8_t* buffer, int& received, int target, int readLimit, int retries,
             int& idle) {
    while (received < target) {
        if (idle >= retries || !Running(port)) return;
        if (port.BytesAvailable() <= 0) {
            ++idle;
            Pause(kIdlePollMs);
            continue;
        }
        const int got = port.Read(readLimit - received, buffer + received);
        if (got <= 0) {
            // Queued bytes that cannot be read must not spin the poll forever.
            ++idle;
            Pause(kIdlePollMs);
            continue;
        }
        received += got;
        if (received >= target) return;
        Pause(kPartialReadMs);
    }
}

// Begins an attempt: clears the start of the reply, opens the port, writes the request. Returns
// -2 when the port will not open, 0 when the request went out, 1 on a short write (attempt failed).
int BeginAttempt(SerialTransport& port, const LinkSettings& s, const uint8_t* request, int requestLength,
                 uint8_t* reply, int replyRoom) {
    std::memset(reply, 0, static_cast<size_t>(std::min(replyRoom, 4)));
    if (!OpenPort(port, s)) return -2;
    if (port.Write(request, requestLength) < requestLength) {
        port.Close();
        return 1;
    }
    return 0;
}
}  // namespace

int SendCommand(const uint8_t* request, int requestLength, uint8_t* reply, int replyLength) {
    SerialTransport& port = Transport();
    port.RunFlag().store(1, std::memory_order_relaxed);
    // A request too short to carry a command byte, or a reply too short to be a frame, is unusable.
    if (request == nullptr || reply == nullptr || requestLength < 3 || replyLength < kHeaderLength) return -1;
    const LinkSettings settings = CurrentSettings();
    const int retries = settings.retries;
    if (retries <= 0) return -3;

    int failed = 0;
    while (failed < retries && Running(port)) {
        const int begun = BeginAttempt(port, settings, request, requestLength, reply, replyLength);
        if (begun < 0) return begun;
        if (begun > 0) {
            ++failed;
            continue;
        }
        Pause(kFirstReadWaitMs);
        int received = 0;
        int idle = 0;
        Collect(port, reply, received, replyLength, replyLength, retries, idle);
        port.Close();
        if (received >= replyLength && IsValidReply(reply, static_cast<size_t>(replyLength), request[2])) {
            break;
        }
        ++failed;
    }
    return (failed < retries && Running(port)) ? 0 : -3;
}

int SendCommandVar(int waitMs, const uint8_t* request, int requestLength, uint8_t* reply, int capacity) {
    SerialTransport& port = Transport();
    port.RunFlag().store(1, std::memory_order_relaxed);
    if (request == nullptr || reply == nullptr || requestLength < 3 || capacity < kHeaderLength) return -1;
    const LinkSettings settings = CurrentSettings();
    const int retries = settings.retries;
    if (retries <= 0) return -3;

    int failed = 0;
    int total = 0;
    bool accepted = false;
    while (failed < retries && Running(port)) {
        const int begun = BeginAttempt(port, settings, request, requestLength, reply, capacity);
        if (begun < 0) return begun;
        if (begun > 0) {
            ++failed;
            continue;
        }
        Pause(waitMs);
        int received = 0;
        int idle = 0;
        Collect(port, reply, received, kHeaderLength, capacity, retries, idle);
        if (received < kHeaderLength || !Running(port)) {
            port.Close();
            ++failed;
            continue;
        }
        total = static_cast<int>(FrameTotalLength(reply));
        // The buffer holds capacity bytes at most: a longer reply is treated like a malformed one,
        // and so is a header too short to hold its own checksum and end character.
        if (total > capacity || total < kShortestFrame) {
            port.Close();
            ++failed;
            continue;
        }
        Pause(kAfterHeaderMs);
        idle = 0;
        Collect(port, reply, received, total, total, retries, idle);
        port.Close();
        if (received >= total && IsValidReply(reply, static_cast<size_t>(total), request[2])) {
            accepted = true;
            break;
        }
        ++failed;
    }
    return (accepted && failed < retries && Running(port)) ? total : -3;
}

void CancelTransaction() {
    Transport().RunFlag().store(0, std::memory_order_relaxed);
}

void SetTransactionTransport(SerialTransport* transport) {
    g_transportOverride.store(transport, std::memory_order_release);
}

void SetTransactionSleep(std::function<void(int)> sleep) {
    g_sleepOverride = std::move(sleep);
}
