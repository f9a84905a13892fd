#include "device/Frame.h"

namespace {
std::vector<uint8_t> BuildFrame(uint8_t start, uint8_t byte1, uint8_t command, const std::vector<uint8_t>& body,
                                uint8_t end) {
    const size_t length = body.size() + 2;
    std::vector<uint8_t> frame{start, byte1, command, static_cast<uint8_t>(length >> 8),
                               static_cast<uint8_t>(length)};
    frame.insert(frame.end(), body.begin(), body.end());
    frame.push_back(FrameChecksum(frame.data(), frame.size()));
    frame.push_back(end);
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
