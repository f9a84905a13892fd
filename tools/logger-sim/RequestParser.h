#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Cuts request frames (3C 00 cmd L(2) payload checksum 3E) out of a byte stream that may arrive in pieces.
// Frames with a wrong end byte, checksum or impossible length are dropped without a trace on the wire.
// Used by the emulator's loop thread only.
class RequestParser {
public:
    static constexpr size_t kMaxRequest = 80;  // the longest request of the command set is 67 bytes
    static constexpr int64_t kStaleMs = 200;   // a partial frame older than this is given up

    void Feed(const uint8_t* data, size_t count, int64_t nowMs);
    // The next complete, well-formed request, if one is buffered.
    std::optional<std::vector<uint8_t>> Next();
    // Gives up the head of a partial frame that stopped growing, so one lost byte cannot hold back the next
    // request.
    void Expire(int64_t nowMs);

    size_t Rejected() const { return rejected_; }
    size_t Buffered() const { return buffer_.size(); }

private:
    void DropHead();

    std::vector<uint8_t> buffer_;
    int64_t lastInputMs_ = 0;
    size_t rejected_ = 0;
};
