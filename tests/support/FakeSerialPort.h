#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "device/SerialTransport.h"

// A serial port in memory on a virtual clock, for driving transactions without a device or real
// sleeps. After each request the responder schedules arrivals (bytes due some milliseconds after
// the write); Sleep advances the clock and queues what is due. Closing drops anything undelivered.
class FakeSerialPort : public SerialTransport {
public:
    struct Arrival {
        int afterMs;
        std::vector<uint8_t> bytes;
    };
    using Responder = std::function<std::vector<Arrival>(const std::vector<uint8_t>& request)>;

    // Answers every request with the same bytes, all due at once.
    static Responder Always(std::vector<uint8_t> reply);
    // Answers every request with the same bytes cut into pieces of the given sizes (the rest last),
    // piece k due firstMs + k x gapMs after the write.
    static Responder InPieces(std::vector<uint8_t> reply, std::vector<size_t> sizes, int firstMs, int gapMs);
    // Never answers.
    static Responder Silent();

    explicit FakeSerialPort(Responder responder = Silent()) : responder_(std::move(responder)) {}
    void SetResponder(Responder responder) { responder_ = std::move(responder); }

    bool Open(int port, int baudRate, char parity, int dataBits, int stopBits) override;
    void Close() override;
    int Write(const uint8_t* bytes, int count) override;
    int BytesAvailable() override;
    int Read(int count, uint8_t* destination) override;

    // The pause the transaction takes: advances the clock, then runs the sleep hook.
    void Sleep(int ms);

    // Knobs.
    bool openFails = false;
    int shortWriteBy = 0;                    // bytes each write leaves unwritten
    std::function<void(int nowMs)> onSleep;  // after each pause, with the clock
    std::function<void()> onRead;            // after each read that took bytes

    // What happened.
    int opens = 0;
    int closes = 0;
    int lastPort = 0, lastBaudRate = 0;
    std::vector<std::vector<uint8_t>> requests;
    std::vector<int> sleeps;
    int nowMs = 0;
    bool IsOpen() const { return open_; }

private:
    void Deliver();

    Responder responder_;
    bool open_ = false;
    std::deque<uint8_t> queue_;
    std::vector<std::pair<int, std::vector<uint8_t>>> pending_;  // due time, bytes
};

// Routes transactions through a fake port and its virtual clock for the lifetime of this object;
// its end restores the real port and real sleeps (scopes do not nest).
class ScopedFakeTransport {
public:
    explicit ScopedFakeTransport(FakeSerialPort& port);
    ~ScopedFakeTransport();
    ScopedFakeTransport(const ScopedFakeTransport&) = delete;
    ScopedFakeTransport& operator=(const ScopedFakeTransport&) = delete;
};
