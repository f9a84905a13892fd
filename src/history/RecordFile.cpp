#include "history/RecordFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "history/HistoryDataSet.h"
#include "model/DeviceParameters.h"

// The file is little-endian and is written and read straight from memory.
static_assert(std::endian::native == std::endian::little, "record file I/O assumes a little-endian host");

namespace {
constexpr int kSectionHeader = 44;  // five doubles and the valid count

class FileWriter {
public:
    explicit FileWriter(FILE* f) : f_(f) {}
    void Put(const void* data, size_t bytes) {
        if (ok_ && bytes && std::fwrite(data, 1, bytes, f_) != bytes) ok_ = false;
    }
    template <typename T>
    void Value(T v) {
        Put(&v, sizeof v);
    }
    bool Ok() const { return ok_; }

private:
    FILE* f_;
    bool ok_ = true;
};

// Reads exactly bytes at offset; every field is read at its computed offset.
bool ReadAt(int fd, int64_t offset, void* out, size_t bytes) {
    auto* p = static_cast<uint8_t*>(out);
    while (bytes > 0) {
        const ssize_t n = pread(fd, p, bytes, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        offset += n;
        bytes -= static_cast<size_t>(n);
    }
    return true;
}

template <typename T>
bool ReadValue(int fd, int64_t offset, T& out) {
    return ReadAt(fd, offset, &out, sizeof out);
}

struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0) close(fd);
    }
};

struct StoredChannel {
    double maximum, minimum, average, displayTop, displayBottom;
    int32_t validCount;
    std::vector<double> values;
};

int64_t PhysicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && size > 0 ? static_cast<int64_t>(pages) * size : INT64_MAX;
}
}  // namespace

std::string RecordFile::SavePath(const std::string& chosen) {
    const size_t slash = chosen.rfind('/');
    const size_t dot = chosen.rfind('.');
    const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (hasDot && chosen.compare(dot + 1, std::string::npos, "jc") == 0) return chosen;
    return chosen + ".jc";
}

bool RecordFile::HasExtension(const std::string& path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    const std::string ext = path.substr(dot + 1);
    return ext.size() == 2 && (ext[0] == 'j' || ext[0] == 'J') && (ext[1] == 'c' || ext[1] == 'C');
}

int64_t RecordFile::FileLength(int blockSize, int64_t n, int64_t c, int64_t k) {
    return blockSize + 8 + 8 * n + (kSectionHeader + 8 * n) * c + 4 * k;
}

RecordFileStatus RecordFile::Save(const std::string& chosenPath, const HistoryDataSet& set,
                                  const DeviceParameters& history, std::string* writtenPath) {
    const std::string path = SavePath(chosenPath);
    if (writtenPath) *writtenPath = path;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return RecordFileStatus::CannotCreate;
    std::vector<char> buffer(1 << 20);
    std::setvbuf(f, buffer.data(), _IOFBF, buffer.size());

    FileWriter w(f);
    {
        std::lock_guard<std::mutex> lock(set.Mutex());
        const int32_t n = set.recordCount;
        w.Put(history.Data(), history.Size());
        w.Value<int32_t>(n);
        w.Put(set.timestamps.data(), sizeof(int64_t) * std::min<size_t>(set.timestamps.size(), n));
        for (const ChannelSeries& c : set.channels) {
            w.Value(c.maximum);
            w.Value(c.minimum);
            w.Value(c.average);
            w.Value(c.displayTop);
            w.Value(c.displayBottom);
            w.Value<int32_t>(c.validCount);
            const size_t have = std::min<size_t>(c.values.size(), n);
            w.Put(c.values.data(), sizeof(double) * have);
            for (size_t i = have; i < static_cast<size_t>(n); ++i) w.Value(InvalidSample);
        }
        w.Value<int32_t>(static_cast<int32_t>(set.breakPoints.size()));
        w.Put(set.breakPoints.data(), sizeof(BreakPoint) * set.breakPoints.size());
    }
    const bool closed = std::fclose(f) == 0;
    if (!w.Ok() || !closed) {
        // A truncated record file would later be refused anyway; do not leave it behind.
        std::remove(path.c_str());
        return RecordFileStatus::WriteFailed;
    }
    return RecordFileStatus::Ok;
}

RecordFileStatus RecordFile::Load(const std::string& path, HistoryDataSet& set, DeviceParameters& history) {
    FdCloser file{open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    const int fd = file.fd;
    struct stat st {};
    if (fd < 0 || fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return RecordFileStatus::CannotOpen;
    const int64_t length = st.st_size;

    DeviceParameters block(history.Capacity());
    const int b = static_cast<int>(block.Size());
    if (length < b + 4) return RecordFileStatus::Damaged;
    if (!ReadAt(fd, 0, block.Data(), block.Size())) return RecordFileStatus::CannotOpen;

    const auto& layout = block.Offsets();
    const int channels = block.Byte(layout.enabledCount);
    if (channels > block.Capacity()) return RecordFileStatus::TooManyChannels;
    for (int j = 0; j < channels; ++j)
        if (block.Byte(layout.enabledList + j) >= block.Capacity()) return RecordFileStatus::Damaged;

    int32_t n = 0;
    if (!ReadValue(fd, b, n)) return RecordFileStatus::CannotOpen;
    if (n < 0) return RecordFileStatus::Damaged;
    const int64_t breakOffset = FileLength(b, n, channels, 0) - 4;
    if (breakOffset + 4 > length) return RecordFileStatus::Damaged;
    int32_t k = 0;
    if (!ReadValue(fd, breakOffset, k)) return RecordFileStatus::CannotOpen;
    if (k < 0 || FileLength(b, n, channels, k) != length) return RecordFileStatus::Damaged;

    // Refuse what cannot be held rather than letting the system kill the program half-way.
    const int64_t needed = 8 * static_cast<int64_t>(n) * (channels + 1) + 4 * static_cast<int64_t>(k);
    if (needed > PhysicalMemory() / 2) return RecordFileStatus::TooLarge;

    std::vector<int64_t> timestamps;
    std::vector<StoredChannel> stored(static_cast<size_t>(channels));
    std::vector<BreakPoint> breakPoints;
    try {
        timestamps.resize(static_cast<size_t>(n));
        for (StoredChannel& c : stored) c.values.resize(static_cast<size_t>(n));
        breakPoints.resize(static_cast<size_t>(k));
    } catch (const std::bad_alloc&) {
        return RecordFileStatus::TooLarge;
    }

    int64_t offset = b + 4;
    if (n > 0 && !ReadAt(fd, offset, timestamps.data(), 8 * static_cast<size_t>(n)))
        return RecordFileStatus::CannotOpen;
    offset += 8 * static_cast<int64_t>(n);
    for (StoredChannel& c : stored) {
        if (!ReadValue(fd, offset, c.maximum) || !ReadValue(fd, offset + 8, c.minimum) ||
            !ReadValue(fd, offset + 16, c.average) || !ReadValue(fd, offset + 24, c.displayTop) ||
            !ReadValue(fd, offset + 32, c.displayBottom) || !ReadValue(fd, offset + 40, c.validCount))
            return RecordFileStatus::CannotOpen;
        if (n > 0 && !ReadAt(fd, offset + kSectionHeader, c.values.data(), 8 * static_cast<size_t>(n)))
            return RecordFileStatus::CannotOpen;
        offset += kSectionHeader + 8 * static_cast<int64_t>(n);
    }
    if (k > 0 && !ReadAt(fd, offset + 4, breakPoints.data(), 4 * static_cast<size_t>(k)))
        return RecordFileStatus::CannotOpen;

    // Everything is read and checked: only now replace the current history.
    set.ClearData();
    set.LoadChannels(block);
    {
        std::lock_guard<std::mutex> lock(set.Mutex());
        set.timestamps = std::move(timestamps);
        set.recordCount = n;
        for (size_t j = 0; j < set.channels.size() && j < stored.size(); ++j) {
            ChannelSeries& c = set.channels[j];
            StoredChannel& s = stored[j];
            c.maximum = s.maximum;
            c.minimum = s.minimum;
            c.average = s.average;
            c.displayTop = s.displayTop;
            c.displayBottom = s.displayBottom;
            c.validCount = s.validCount;
            c.values = std::move(s.values);
        }
        set.breakPoints = std::move(breakPoints);
        set.rangeFirst = 0;
        set.rangeLast = std::max(n - 1, 0);
    }
    std::memcpy(history.Data(), block.Data(), block.Size());
    return RecordFileStatus::Ok;
}

TextId RecordFile::Message(RecordFileStatus status) {
    switch (status) {
        case RecordFileStatus::CannotCreate:
            return TextId::RecordFileCreateFailed;
        case RecordFileStatus::WriteFailed:
            return TextId::RecordFileWriteFailed;
        case RecordFileStatus::Damaged:
            return TextId::RecordFileDamaged;
        case RecordFileStatus::TooManyChannels:
            return TextId::RecordFileTooManyChannels;
        case RecordFileStatus::TooLarge:
            return TextId::RecordFileTooLarge;
        case RecordFileStatus::Ok:
        case RecordFileStatus::CannotOpen:
            break;
    }
    return TextId::RecordFileCannotOpen;
}
