#include "reports/HistoryExport.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>

#include "history/HistoryDataSet.h"
#include "model/CodePage.h"
#include "model/Texts.h"

namespace {

// Lines gather here and leave in chunks of about this size: one write per chunk.
constexpr size_t kChunkBytes = 1 << 20;

// Writes the file through one buffer; remembers the first failure and ignores later output.
class ExportSink {
public:
    explicit ExportSink(const std::string& path) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd_ < 0) error_ = errno;
        buffer_.reserve(kChunkBytes + 4096);
    }
    ~ExportSink() {
        if (fd_ >= 0) ::close(fd_);
    }
    ExportSink(const ExportSink&) = delete;
    ExportSink& operator=(const ExportSink&) = delete;

    bool Opened() const { return fd_ >= 0; }
    int Error() const { return error_; }
    std::string& Buffer() { return buffer_; }

    // Ends a line with CR LF and sends the buffer once it is large enough.
    void EndLine() {
        buffer_.append("\r\n");
        if (buffer_.size() >= kChunkBytes) Flush();
    }
    // A line of UTF-8 text in the export's code page.
    void TextLine(const std::string& utf8) {
        buffer_.append(EncodeCp936(utf8));
        EndLine();
    }

    bool Finish() {
        Flush();
        if (fd_ >= 0 && ::close(fd_) != 0 && error_ == 0) error_ = errno;
        fd_ = -1;
        return error_ == 0;
    }

private:
    void Flush() {
        const char* data = buffer_.data();
        size_t left = buffer_.size();
        while (left > 0 && error_ == 0) {
            const ssize_t n = ::write(fd_, data, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
            } else {
                data += n;
                left -= static_cast<size_t>(n);
            }
        }
        buffer_.clear();
    }

    int fd_ = -1;
    int error_ = 0;
    std::string buffer_;
};

struct LocalFields {
    int year = 0, month = 0, day = 0, hour = -1, minute = -1, second = -1;
};

// Calendar fields of a time stamp in local time; a failed conversion gives 0 / -1 fields.
LocalFields Local(int64_t timestamp) {
    LocalFields f;
    const std::time_t t = static_cast<std::time_t>(timestamp);
    std::tm local{};
    if (localtime_r(&t, &local) != nullptr) {
        f = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
             local.tm_hour,        local.tm_min,     local.tm_sec};
    }
    return f;
}

enum class Format { Text, Csv };

// The edition's labels of one format.
struct Labels {
    TextId saveTime, device, rangeInfo, type, unit, maximum, minimum, average, alarmUp, alarmDown, header;
};

constexpr Labels kTextLabels{
    TextId::ExportTxtSaveTime,  TextId::ExportTxtDevice,      TextId::ExportTxtRangeInfo,
    TextId::ExportTxtType,      TextId::ExportTxtUnit,        TextId::ExportTxtMaximum,
    TextId::ExportTxtMinimum,   TextId::ExportTxtAverage,     TextId::ExportTxtAlarmUp,
    TextId::ExportTxtAlarmDown, TextId::ExportTxtColumnHeader};
constexpr Labels kCsvLabels{
    TextId::ExportCsvSaveTime,  TextId::ExportCsvDevice,      TextId::ExportCsvRangeInfo,
    TextId::ExportCsvType,      TextId::ExportCsvUnit,        TextId::ExportCsvMaximum,
    TextId::ExportCsvMinimum,   TextId::ExportCsvAverage,     TextId::ExportCsvAlarmUp,
    TextId::ExportCsvAlarmDown, TextId::ExportCsvColumnHeader};

void AppendInt(std::string& out, long long value) {
    char buffer[24];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AppendValue(std::string& out, double value, const std::string& invalidText) {
    if (IsInvalidSample(value)) {
        out.append(invalidText);
        return;
    }
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    out.append(buffer, result.ptr);
}

ExportResult WriteExport(Format format, const std::string& path, const HistoryDataSet& set,
                         const std::vector<ChannelListRow>& rows, const std::string& deviceNumber,
                         int64_t exportTime) {
    const int records = std::min<int>(set.recordCount, static_cast<int>(set.timestamps.size()));
    if (set.channelCount < 1 || records < 1) return {ExportResult::NoData, 0};

    ExportSink sink(path);
    if (!sink.Opened()) return {ExportResult::CreateFailed, sink.Error()};

    const Labels& labels = format == Format::Text ? kTextLabels : kCsvLabels;
    // The range's ends always name real records; an empty range (a query between two records) writes
    // a count of 0 and no data line instead of a negative count.
    const int first = std::clamp(set.rangeFirst, 0, records - 1);
    const int last = std::clamp(set.rangeLast, 0, records - 1);
    const int count = std::max(0, last - first + 1);

    const LocalFields now = Local(exportTime);
    sink.TextLine(
        FormatText(Tx(labels.saveTime), now.year, now.month, now.day, now.hour, now.minute, now.second));
    const LocalFields start = Local(set.timestamps[static_cast<size_t>(first)]);
    const LocalFields end = Local(set.timestamps[static_cast<size_t>(last)]);
    sink.TextLine(FormatText(Tx(labels.device), deviceNumber.c_str()) +
                  FormatText(Tx(labels.rangeInfo), count, start.year, start.month, start.day, start.hour,
                             start.minute, start.second, end.year, end.month, end.day, end.hour, end.minute,
                             end.second));

    for (const ChannelListRow& row : rows) {
        sink.TextLine(row[kColumnChannel] + Tx(labels.type) + row[kColumnType] + Tx(labels.unit) +
                      row[kColumnUnit] + Tx(labels.maximum) + row[kColumnMaximum] + Tx(labels.minimum) +
                      row[kColumnMinimum] + Tx(labels.average) + row[kColumnAverage] + Tx(labels.alarmUp) +
                      row[kColumnAlarmUpper] + Tx(labels.alarmDown) + row[kColumnAlarmLower]);
    }

    std::string header = Tx(labels.header);
    for (const ChannelListRow& row : rows) {
        header += format == Format::Text ? "\t" : ",";
        header += row[kColumnChannel] + "(" + row[kColumnUnit] + ")";
    }
    sink.TextLine(header);

    // Data lines are ASCII only: they go straight into the buffer, no code-page conversion.
    const std::string invalidText = EncodeCp936(Tx(TextId::HistInvalidValue));
    const char* fieldSeparator = format == Format::Text ? "\t" : ",";
    const char* laterValueSeparator = format == Format::Text ? "\t\t" : ",";
    const int channels = std::min<int>(set.channelCount, static_cast<int>(set.channels.size()));
    std::string& out = sink.Buffer();
    for (int i = first; count > 0 && i <= last; ++i) {
        AppendInt(out, i);
        out.append(fieldSeparator);
        AppendRecordTime(out, set.timestamps[static_cast<size_t>(i)]);
        for (int j = 0; j < channels; ++j) {
            const std::vector<double>& values = set.channels[static_cast<size_t>(j)].values;
            out.append(j == 0 ? fieldSeparator : laterValueSeparator);
            AppendValue(
                out, static_cast<size_t>(i) < values.size() ? values[static_cast<size_t>(i)] : InvalidSample,
                invalidText);
        }
        sink.EndLine();
    }

    if (!sink.Finish()) return {ExportResult::WriteFailed, sink.Error()};
    return {};
}

}  // namespace

std::string ExportResult::Message() const {
    switch (code) {
        case Ok:
            return "";
        case NoData:
            return Tx(TextId::ExportNoData);
        case CreateFailed:
            return Tx(TextId::ExportCreateFailed);
        case WriteFailed:
            return std::strerror(systemError);
    }
    return "";
}

std::string ApplyExportExtension(const std::string& path, int filterIndex) {
    const char* extension = filterIndex == kExportFilterCsv          ? "csv"
                            : filterIndex == kExportFilterRecordFile ? "jc"
                                                                     : "txt";
    const size_t slash = path.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t point = path.find_last_of('.');
    const bool hasPoint = point != std::string::npos && point >= nameStart;
    if (hasPoint && path.compare(point + 1, std::string::npos, extension) == 0) return path;
    return path + "." + extension;
}

std::string DeviceNumberText(const std::string& serialBytes) {
    std::string text;
    for (unsigned char byte : serialBytes) {
        if (byte == 0) break;
        if (byte < 0x80) {
            text.push_back(static_cast<char>(byte));
        } else {
            // The byte's code as a character: U+0080..U+00FF in UTF-8.
            text.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            text.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return text;
}

ExportResult WriteTextExport(const std::string& path, const HistoryDataSet& set,
                             const std::vector<ChannelListRow>& rows, const std::string& deviceNumber,
                             int64_t exportTime) {
    return WriteExport(Format::Text, path, set, rows, deviceNumber, exportTime);
}

ExportResult WriteCsvExport(const std::string& path, const HistoryDataSet& set,
                            const std::vector<ChannelListRow>& rows, const std::string& deviceNumber,
                            int64_t exportTime) {
    return WriteExport(Format::Csv, path, set, rows, deviceNumber, exportTime);
}
