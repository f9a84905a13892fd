#include "RequestParser.h"

#include <algorithm>

void RequestParser::Feed(const uint8_t* data, size_t count, int64_t nowMs) {
    buffer_.insert(buffer_.end(), data, data + count);
    lastInputMs_ = nowMs;
}

void RequestParser::DropHead() {
    if (!buffer_.empty() && buffer_[0] == 0x3C) ++rejected_;
    buffer_.erase(buffer_.begin());
}

std::optional<std::vector<uint8_t>> RequestParser::Next() {
    for (;;) {
        const auto start = std::find(buffer_.begin(), buffer_.end(), uint8_t{0x3C});
        buffer_.erase(buffer_.begin(), start);
        if (buffer_.size() < 5) return std::nullopt;
        const size_t length = static_cast<size_t>(buffer_[3]) * 256 + buffer_[4];
        const size_t total = length + 5;
        if (length < 2 || total > kMaxRequest) {
            DropHead();
            continue;
        }
        if (buffer_.size() < total) return std::nullopt;
        uint8_t sum = 0;
        for (size_t i = 0; i < total - 2; ++i) sum = static_cast<uint8_t>(sum + buffer_[i]);
        if (buffer_[total - 1] != 0x3E || buffer_[total - 2] != sum) {
            DropHead();
            continue;
        }
        std::vector<uint8_t> frame(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(total));
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(total));
        return frame;
    }
}

void RequestParser::Expire(int64_t nowMs) {
    if (!buffer_.empty() && nowMs - lastInputMs_ > kStaleMs) DropHead();
}
