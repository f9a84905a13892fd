#include "support/FakeSerialPort.h"

#include <algorithm>

#include "device/Transaction.h"

FakeSerialPort::Responder FakeSerialPort::Always(std::vector<uint8_t> reply) {
    return [reply](const std::vector<uint8_t>&) { return std::vector<Arrival>{{0, reply}}; };
}

FakeSerialPort::Responder FakeSerialPort::InPieces(std::vector<uint8_t> reply, std::vector<size_t> sizes,
                                                   int firstMs, int gapMs) {
    return [reply, sizes, firstMs, gapMs](const std::vector<uint8_t>&) {
        std::vector<Arrival> arrivals;
        size_t at = 0;
        int due = firstMs;
        for (size_t size : sizes) {
            const size_t end = std::min(reply.size(), at + size);
            arrivals.push_back({due, std::vector<uint8_t>(reply.begin() + at, reply.begin() + end)});
            at = end;
            due += gapMs;
        }
        if (at < reply.size())
            arrivals.push_back({due, std::vector<uint8_t>(reply.begin() + at, reply.end())});
        return arrivals;
    };
}

FakeSerialPort::Responder FakeSerialPort::Silent() {
    return [](const std::vector<uint8_t>&) { return std::vector<Arrival>{}; };
}

bool FakeSerialPort::Open(int port, int baudRate, char, int, int) {
    Close();
    ++opens;
    lastPort = port;
    lastBaudRate = baudRate;
    if (openFails) return false;
    open_ = true;
    return true;
}

void FakeSerialPort::Close() {
    if (!open_) return;
    open_ = false;
    ++closes;
    queue_.clear();
    pending_.clear();
}

int FakeSerialPort::Write(const uint8_t* bytes, int count) {
    if (!open_) return 0;
    const int written = std::max(0, count - shortWriteBy);
    requests.emplace_back(bytes, bytes + count);
    if (written == count) {
        for (auto& arrival : responder_(requests.back()))
            pending_.emplace_back(nowMs + arrival.afterMs, arrival.bytes);
    }
    return written;
}

int FakeSerialPort::BytesAvailable() {
    if (!open_) return 0;
    Deliver();
    return static_cast<int>(queue_.size());
}

int FakeSerialPort::Read(int count, uint8_t* destination) {
    if (!open_) return 0;
    Deliver();
    const int n = std::min(count, static_cast<int>(queue_.size()));
    for (int i = 0; i < n; ++i) {
        destination[i] = queue_.front();
        queue_.pop_front();
    }
    if (n > 0 && onRead) onRead();
    return n;
}

void FakeSerialPort::Sleep(int ms) {
    sleeps.push_back(ms);
    nowMs += ms;
    Deliver();
    if (onSleep) onSleep(nowMs);
}

void FakeSerialPort::Deliver() {
    std::stable_sort(pending_.begin(), pending_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    auto it = pending_.begin();
    for (; it != pending_.end() && it->first <= nowMs; ++it)
        queue_.insert(queue_.end(), it->second.begin(), it->second.end());
    pending_.erase(pending_.begin(), it);
}

ScopedFakeTransport::ScopedFakeTransport(FakeSerialPort& port) {
    SetTransactionTransport(&port);
    SetTransactionSleep([&port](int ms) { port.Sleep(ms); });
}

ScopedFakeTransport::~ScopedFakeTransport() {
    SetTransactionSleep({});
    SetTransactionTransport(nullptr);
}
