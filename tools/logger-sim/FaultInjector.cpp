#include "FaultInjector.h"

namespace {
void Reseal(std::vector<uint8_t>& reply) {
    uint8_t sum = 0;
    for (size_t i = 0; i + 2 < reply.size(); ++i) sum = static_cast<uint8_t>(sum + reply[i]);
    reply[reply.size() - 2] = sum;
}
}  // namespace

bool FaultInjector::Hits(const std::vector<FaultRule>& rules, uint8_t command) const {
    const auto it = seen_.find(command);
    const long occurrence = it == seen_.end() ? 0 : it->second;
    for (const FaultRule& rule : rules) {
        if (rule.command >= 0 && rule.command != command) continue;
        const long seen = rule.command >= 0 ? occurrence : requests_;
        if (rule.count < 0 || seen <= rule.count) return true;
    }
    return false;
}

bool FaultInjector::ShouldAnswer(uint8_t command) {
    ++requests_;
    ++seen_[command];
    if (setup_.stopAfter >= 0 && requests_ > setup_.stopAfter) return false;
    if (setup_.noReplyEvery > 0 && requests_ % setup_.noReplyEvery == 0) return false;
    return !Hits(setup_.noReply, command);
}

const char* FaultInjector::Spoil(uint8_t command, std::vector<uint8_t>& reply) const {
    if (reply.size() < 7) return "";
    const char* note = "";
    if (Hits(setup_.wrongCommand, command)) {
        reply[2] ^= 0x40;
        Reseal(reply);
        note = "wrong command";
    }
    if (Hits(setup_.bit7, command)) {
        reply[2] |= 0x80;
        Reseal(reply);
        note = "bit 7";
    }
    if (Hits(setup_.badChecksum, command)) {
        reply[reply.size() - 2] = static_cast<uint8_t>(reply[reply.size() - 2] + 1);
        note = "bad checksum";
    }
    return note;
}
