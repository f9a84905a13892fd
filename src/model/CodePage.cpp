#include "model/CodePage.h"

#include <iconv.h>

#include <cerrno>

#include "model/Edition.h"

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// One iconv descriptor, owned by one thread (iconv_t keeps conversion state between calls).
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Handle() const { return cd_; }

private:
    iconv_t cd_;
};

// Length of the well-formed UTF-8 sequence at p, or 0 when the bytes there are not one.
size_t Utf8Length(const unsigned char* p, size_t left) {
    const unsigned char c = p[0];
    size_t n = 0;
    unsigned min = 0;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    if (left < n) return 0;
    unsigned code = c & (0x3F >> (n - 1));
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = code << 6 | (p[i] & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n;
}

// Converts in full; decoding replaces undefined bytes with U+FFFD, encoding replaces what the
// target cannot hold with '?'.
std::string Convert(const Converter& converter, std::string_view input, bool decoding) {
    std::string out;
    out.reserve(input.size() * (decoding ? 2 : 1));
    const auto* bytes = reinterpret_cast<const unsigned char*>(input.data());
    if (!converter.Valid()) {  // no converter installed: keep ASCII, mark the rest
        for (size_t i = 0; i < input.size();) {
            const size_t n = decoding ? (bytes[i] < 0x80 ? 1 : 0) : Utf8Length(bytes + i, input.size() - i);
            if (n == 1)
                out += static_cast<char>(bytes[i]);
            else
                out += decoding ? kReplacement : "?";
            i += n > 0 ? n : 1;
        }
        return out;
    }
    iconv_t cd = converter.Handle();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (result != static_cast<size_t>(-1) || error == E2BIG) continue;
        // EILSEQ, EINVAL (incomplete sequence at the end) or anything else: replace and go on.
        size_t skip = 1;
        if (decoding) {
            out += kReplacement;
            if (error == EINVAL) skip = inLeft;  // one mark for the truncated tail
        } else {
            out += '?';
            const size_t n = Utf8Length(reinterpret_cast<const unsigned char*>(in), inLeft);
            skip = n > 0 ? n : 1;
        }
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    return out;
}

const Converter& FromCp936() {
    thread_local Converter c("UTF-8", "CP936");
    return c;
}
const Converter& ToCp936() {
    thread_local Converter c("CP936", "UTF-8");
    return c;
}
const Converter& FromCp1252() {
    thread_local Converter c("UTF-8", "CP1252");
    return c;
}
const Converter& ToCp1252() {
    thread_local Converter c("CP1252", "UTF-8");
    return c;
}

}  // namespace

std::string DecodeCp936(std::string_view bytes) {
    return Convert(FromCp936(), bytes, true);
}
std::string EncodeCp936(std::string_view utf8) {
    return Convert(ToCp936(), utf8, false);
}
std::string DecodeCp1252(std::string_view bytes) {
    return Convert(FromCp1252(), bytes, true);
}
std::string EncodeCp1252(std::string_view utf8) {
    return Convert(ToCp1252(), utf8, false);
}

std::string DecodeAnsi(std::string_view bytes) {
    return IsChineseEdition() ? DecodeCp936(bytes) : DecodeCp1252(bytes);
}

std::string EncodeAnsi(std::string_view utf8) {
    return IsChineseEdition() ? EncodeCp936(utf8) : EncodeCp1252(utf8);
}
