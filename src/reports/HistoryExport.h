#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "history/ChannelListRows.h"

class HistoryDataSet;

// Entries of the save dialog's filter, counted from 1 as the dialog counts them.
enum ExportFilter { kExportFilterText = 1, kExportFilterCsv = 2, kExportFilterRecordFile = 3 };

// Outcome of writing an export.
struct ExportResult {
    enum Code {
        Ok,
        NoData,        // no channel or no record: nothing was created
        CreateFailed,  // the file could not be created; nothing was written
        WriteFailed,   // a write failed part-way; what was written stays in the file
    };
    Code code = Ok;
    int systemError = 0;  // errno of CreateFailed / WriteFailed

    bool Succeeded() const { return code == Ok; }
    // The user message of the current edition ("创建文件失败", the system's error text for a failed write).
    std::string Message() const;
};

// The path actually written for the path chosen in the save dialog: the filter entry's extension
// ("txt", "csv", "jc") is appended, with its point, unless the chosen name already ends in exactly it
// (case-sensitive): report.csv with the text entry gives report.csv.txt, report.TXT gives report.TXT.txt.
std::string ApplyExportExtension(const std::string& path, int filterIndex);

// The device number of the history's DeviceInfo as text: each byte is the character with that code;
// the text ends at a NUL byte.
std::string DeviceNumberText(const std::string& serialBytes);

// The selected range rangeFirst..rangeLast of the set as a tab-separated text file (code page 936,
// CR LF, no byte-order mark), with one summary line per channel-list row copied from its columns
// 0, 1, 3, 5 to 9. deviceNumber is the text of DeviceNumberText; exportTime the moment of saving.
// Creates or truncates path. Reads the set without its lock: call it while no worker writes the set.
ExportResult WriteTextExport(const std::string& path, const HistoryDataSet& set,
                             const std::vector<ChannelListRow>& rows, const std::string& deviceNumber,
                             int64_t exportTime);
// The same as comma-separated values; no field is quoted, so a comma in a cell shifts the fields after it.
ExportResult WriteCsvExport(const std::string& path, const HistoryDataSet& set,
                            const std::vector<ChannelListRow>& rows, const std::string& deviceNumber,
                            int64_t exportTime);
