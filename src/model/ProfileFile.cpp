#include "model/ProfileFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>

namespace {

std::mutex g_writeLock;

struct Line {
    std::string text;  // without its line end
    std::string eol;   // "\n", "\r\n" or "" for a last line without one
};

enum class Kind { Other, Section, Entry };

struct Parsed {
    Kind kind = Kind::Other;
    std::string name;   // section or key name, trimmed
    std::string value;  // entry value, trimmed
    size_t equals = 0;  // position of '=' in the line text
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::vector<Line> SplitLines(const std::string& content) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t nl = content.find('\n', start);
        if (nl == std::string::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        size_t end = nl;
        std::string eol = "\n";
        if (end > start && content[end - 1] == '\r') {
            --end;
            eol = "\r\n";
        }
        lines.push_back({content.substr(start, end - start), eol});
        start = nl + 1;
    }
    return lines;
}

Parsed Classify(const Line& line, bool first) {
    std::string text = line.text;
    size_t offset = 0;
    // A UTF-8 byte-order mark in front of the first line is not part of any name.
    if (first && text.compare(0, 3, "\xEF\xBB\xBF") == 0) offset = 3;
    Parsed p;
    const std::string trimmed = Trim(text.substr(offset));
    if (trimmed.empty() || trimmed[0] == ';') return p;
    if (trimmed[0] == '[') {
        const size_t close = trimmed.find(']');
        p.kind = Kind::Section;
        p.name = Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        return p;
    }
    const size_t eq = text.find('=', offset);
    if (eq == std::string::npos) return p;
    p.kind = Kind::Entry;
    p.name = Trim(text.substr(offset, eq - offset));
    p.value = Trim(text.substr(eq + 1));
    p.equals = eq;
    return p;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return true;
}

std::vector<Line> LoadLines(const std::string& path) {
    std::string content;
    if (!ReadWholeFile(path, content)) return {};
    return SplitLines(content);
}

// The entry of section/key, or nullptr-like false when any part is missing.
bool FindValue(const std::vector<Line>& lines, const std::string& section, const std::string& key,
               std::string& value) {
    bool inSection = false, seenSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = Classify(lines[i], i == 0);
        if (p.kind == Kind::Section) {
            // Only the first section of a name counts, as with the platform's reader.
            if (seenSection) return false;
            inSection = SameName(p.name, section);
            seenSection = inSection;
        } else if (p.kind == Kind::Entry && inSection && SameName(p.name, key)) {
            value = p.value;
            return true;
        }
    }
    return false;
}

std::string Unquote(const std::string& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// Cuts to at most max bytes without leaving half a UTF-8 sequence at the end.
std::string CutToLength(std::string v, size_t max) {
    if (v.size() <= max) return v;
    size_t cut = max;
    while (cut > 0 && (static_cast<unsigned char>(v[cut]) & 0xC0) == 0x80) --cut;
    v.resize(cut);
    return v;
}

std::string DominantEol(const std::vector<Line>& lines) {
    for (const Line& l : lines)
        if (!l.eol.empty()) return l.eol;
    return "\n";
}

bool WriteAll(int fd, const std::string& content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// Writes beside the target and renames over it, so a crash or a full disk never leaves half a file.
bool ReplaceFile(const std::string& path, const std::string& content) {
    std::string target = path;
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {  // keep a symbolic link a link
        target = resolved;
        std::free(resolved);
    }
    struct stat original {};
    const bool existed = ::stat(target.c_str(), &original) == 0;
    static int counter = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = target + ".tmp." + std::to_string(::getpid()) + "." + std::to_string(++counter);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = WriteAll(fd, content);
    if (ok && existed) ok = ::fchmod(fd, original.st_mode & 07777) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

}  // namespace

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue) {
    std::string value;
    if (!FindValue(LoadLines(path), Trim(section), Trim(key), value))
        value = defaultValue;
    else
        value = Unquote(value);
    return CutToLength(value, kProfileValueMax);
}

int ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                   int defaultValue) {
    std::string value;
    if (!FindValue(LoadLines(path), Trim(section), Trim(key), value)) return defaultValue;
    value = Unquote(value);
    if (value.empty()) return defaultValue;
    size_t i = 0;
    while (i < value.size() && IsBlank(value[i])) ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) negative = value[i++] == '-';
    long long n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        n = n * 10 + (value[i] - '0');
        if (n > static_cast<long long>(INT_MAX) + 1)
            n = static_cast<long long>(INT_MAX) + 1;  // clamp, no wrap
    }
    if (negative) n = -n;
    if (n > INT_MAX) n = INT_MAX;
    return static_cast<int>(n);
}

std::vector<std::string> ReadProfileKeys(const std::string& path, const std::string& section) {
    const std::vector<Line> lines = LoadLines(path);
    const std::string wanted = Trim(section);
    std::vector<std::string> keys;
    bool inSection = false, seenSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = Classify(lines[i], i == 0);
        if (p.kind == Kind::Section) {
            if (seenSection) break;
            inSection = SameName(p.name, wanted);
            seenSection = inSection;
        } else if (p.kind == Kind::Entry && inSection && !p.name.empty()) {
            bool known = false;
            for (const std::string& k : keys) known = known || SameName(k, p.name);
            if (!known) keys.push_back(p.name);
        }
    }
    return keys;
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    const std::string wantedSection = Trim(section), wantedKey = Trim(key);
    if (wantedSection.empty() || wantedKey.empty()) return false;
    // A value with a line break would become a second line on the next read.
    if (value.find_first_of("\r\n") != std::string::npos) return false;

    std::lock_guard<std::mutex> lock(g_writeLock);
    std::string content;
    const bool existed = ReadWholeFile(path, content);
    if (!existed && ::access(path.c_str(), F_OK) == 0) return false;  // present but unreadable: keep it
    std::vector<Line> lines = SplitLines(content);
    const std::string eol = DominantEol(lines);

    size_t header = lines.size(), insertAt = lines.size();
    bool found = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = Classify(lines[i], i == 0);
        if (p.kind == Kind::Section) {
            if (header != lines.size()) break;
            if (SameName(p.name, wantedSection)) header = insertAt = i;
        } else if (p.kind == Kind::Entry && header != lines.size()) {
            if (SameName(p.name, wantedKey)) {
                lines[i].text = lines[i].text.substr(0, p.equals + 1) + value;
                found = true;
                break;
            }
            insertAt = i;
        }
    }

    if (!found) {
        const Line entry{wantedKey + "=" + value, eol};
        if (header == lines.size()) {
            if (!lines.empty() && lines.back().eol.empty()) lines.back().eol = eol;
            if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back({"", eol});
            lines.push_back({"[" + wantedSection + "]", eol});
            lines.push_back(entry);
        } else {
            if (lines[insertAt].eol.empty()) lines[insertAt].eol = eol;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt + 1), entry);
        }
    }

    std::string out;
    out.reserve(content.size() + key.size() + value.size() + section.size() + 8);
    for (const Line& l : lines) out += l.text + l.eol;
    return ReplaceFile(path, out);
}

bool WriteProfileInt(const std::string& path, const std::string& section, const std::string& key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WriteProfileString(path, section, key, text);
}
