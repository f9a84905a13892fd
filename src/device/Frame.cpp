#include "device/Frame.h"

namespace {
std::vector<uint8_t> BuildFrame(uint8_t start, uint8_t byte1, uint8_t command,
                                const std::vector<uint8_t>& body, uint8_t end) {
    const size_t length = body.size() + 2;
    // Sized once and filled by index: growing a five-byte vector trips a false bounds warning in GCC 12.
    std::vector<uint8_t> frame(length + 5);
    frame[0] = start;
    frame[1] = byte1;
    frame[2] = command;
    frame[3] = static_cast<uint8_t>(length >> 8);
    frame[4] = static_cast<uint8_t>(length);
    for (size_t i = 0; i < body.size(); ++i) frame[5 + i] = body[i];
    frame[length + 3] = FrameChecksum(frame.data(), length + 3);
    frame[length + 4] = end;
    return frame;
}
}  // namespace

uint8_t FrameChecksum(const uint8_t* bytes, size_t count) {
    uint8_t sum = 0;
    for (size_t i = 0; i < count; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return sum;
}

std::vector<uint8_t> CommandFrame(uint8_t command, const std::vector<uint8_t>& payload) {
    return BuildFrame(kRequestStart, 0x00, command, payload, kRequestEnd);
}

std::vector<uint8_t> ReplyFrame(uint8_t command, const std::vector<uint8_t>& data, uint8_t byte1) {
    return BuildFrame(kReplyStart, byte1, command, data, kReplyEnd);
}

bool IsValidReply(const uint8_t* reply, size_t n, uint8_t command) {
    if (reply == nullptr || n < 5) return false;
    return reply[0] == kReplyStart && reply[n - 1] == kReplyEnd && reply[2] == command &&
           FrameChecksum(reply, n - 2) == reply[n - 2] && (reply[2] & 0x80) == 0;
}

size_t FrameTotalLength(const uint8_t* header) {
    return static_cast<size_t>(header[3]) * 256 + header[4] + 5;
}
