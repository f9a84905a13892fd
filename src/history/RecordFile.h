#pragma once

#include <cstdint>
#include <string>

#include "model/Texts.h"

class DeviceParameters;
class HistoryDataSet;

// Outcome of writing or reading a record file (".jc").
enum class RecordFileStatus {
    Ok,
    CannotCreate,     // save: the file could not be created; nothing was written
    WriteFailed,      // save: a write failed part-way; the partial file was removed
    CannotOpen,       // load: the file could not be opened or read
    Damaged,          // load: shorter or longer than its counts require, or a negative count
    TooManyChannels,  // load: more enabled channels than this edition's channel slots
    TooLarge,         // load: the records do not fit in memory
};

// The program's own file for a history: the history parameter block, all time stamps, per channel its
// current statistics, display bounds and values, and the break points. Little-endian, no header.
// Layout: block (B bytes) | N int32 | N x int64 | per channel: max, min, avg, top, bottom (double),
// validCount int32, N x double | K int32 | K x int32.
class RecordFile {
public:
    // Extension "jc"; saving appends ".jc" unless the name ends in exactly ".jc".
    static std::string SavePath(const std::string& chosenPath);
    // Opening accepts "jc" in any case.
    static bool HasExtension(const std::string& path);
    // Exact file length for the counts.
    static int64_t FileLength(int blockSize, int64_t records, int64_t channels, int64_t breakPoints);

    // Writes every record of the set (whatever range is shown) with the current statistics, to
    // SavePath(chosenPath); writtenPath receives that path. Takes the set's lock.
    static RecordFileStatus Save(const std::string& chosenPath, const HistoryDataSet& set,
                                 const DeviceParameters& history, std::string* writtenPath = nullptr);

    // Reads a file into the history parameters and the set (channels rebuilt from the block, stored
    // statistics and display bounds, range = all records). Every check runs before anything is
    // changed: on any status but Ok, set and history are untouched.
    static RecordFileStatus Load(const std::string& path, HistoryDataSet& set, DeviceParameters& history);

    // The user message for a failure status (not meaningful for Ok).
    static TextId Message(RecordFileStatus status);
};
