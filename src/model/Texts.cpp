#include "model/Texts.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {
struct TextPair {
    const char* zh;
    const char* en;
};

const TextPair kTexts[] = {
#define ZT(name, zh, en) {zh, en},
#include "resources/texts/all.inc"
#undef ZT
};
}  // namespace

const char* TxIn(Edition edition, TextId id) {
    const TextPair& pair = kTexts[static_cast<int>(id)];
    return edition == Edition::Chinese ? pair.zh : pair.en;
}

const char* Tx(TextId id) { return TxIn(CurrentEdition(), id); }

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buffer(static_cast<size_t>(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        out.assign(buffer.data(), static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}
