#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "history/HistoryDataSet.h"
#include "history/RecordFile.h"
#include "model/DeviceContext.h"
#include "model/DeviceParameters.h"
#include "model/Edition.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int64_t t0 = 1772409600;

Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

template <typename T>
T At(const Bytes& b, size_t offset) {
    T v;
    std::memcpy(&v, b.data() + offset, sizeof v);
    return v;
}

template <typename T>
void Put(Bytes& b, size_t offset, T v) {
    std::memcpy(b.data() + offset, &v, sizeof v);
}

class RecordFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zorva-recordfile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
    }
    void UseEdition(Edition e) {
        SetEdition(e);
        DestroyDeviceContext();
    }

    // Block with the given mask, interval 60, a serial number, channel 1 limits 0..50.
    static DeviceParameters Block(int capacity, uint8_t mask) {
        DeviceParameters p(capacity);
        p.SetByte(DeviceParameters::kChannelMask, mask);
        p.RebuildEnabledChannels();
        p.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
        ChannelConfig c;
        c.rangeUpper = 500;
        c.alarmUpper = 300;
        p.SetChannel(1, c);
        p.SetBigEndian32(p.Offsets().deviceInfo + DeviceParameters::kInfoCapacity, 60000);
        std::memcpy(p.Data() + p.Offsets().deviceInfo + DeviceParameters::kInfoSerial, "A1B2C3D4", 8);
        return p;
    }

    // Channels from the block; record i at times[i] with value base + i + 0.5 per channel j (base 10 j).
    static void FillSet(HistoryDataSet& set, const DeviceParameters& p, const std::vector<int64_t>& times,
                        const std::vector<BreakPoint>& breaks) {
        set.ClearData();
        set.LoadChannels(p);
        set.timestamps = times;
        set.recordCount = static_cast<int>(times.size());
        for (size_t j = 0; j < set.channels.size(); ++j)
            for (size_t i = 0; i < times.size(); ++i) set.channels[j].values.push_back(10.0 * j + i + 0.5);
        set.breakPoints = breaks;
        set.SetRangeAll();
        set.RecomputeRangeStatistics();
    }

    static void ExpectSameSet(const HistoryDataSet& a, const HistoryDataSet& b) {
        EXPECT_EQ(a.recordCount, b.recordCount);
        EXPECT_EQ(a.timestamps, b.timestamps);
        EXPECT_EQ(a.breakPoints, b.breakPoints);
        EXPECT_EQ(a.recordInterval, b.recordInterval);
        ASSERT_EQ(a.channels.size(), b.channels.size());
        for (size_t j = 0; j < a.channels.size(); ++j) {
            const ChannelSeries& x = a.channels[j];
            const ChannelSeries& y = b.channels[j];
            EXPECT_EQ(x.channelNumber, y.channelNumber);
            EXPECT_EQ(x.values, y.values);
            EXPECT_EQ(x.maximum, y.maximum);
            EXPECT_EQ(x.minimum, y.minimum);
            EXPECT_EQ(x.average, y.average);
            EXPECT_EQ(x.displayTop, y.displayTop);
            EXPECT_EQ(x.displayBottom, y.displayBottom);
            EXPECT_EQ(x.validCount, y.validCount);
        }
    }

    std::string dir;
};

TEST_F(RecordFileTest, SaveNamesAndOpenExtensions) {
    struct SaveCase {
        const char* chosen;
        const char* written;
    } saves[] = {{"/d/run", "/d/run.jc"},       {"/d/run.jc", "/d/run.jc"},
                 {"/d/run.JC", "/d/run.JC.jc"}, {"/d/run.txt", "/d/run.txt.jc"},
                 {"/d.x/run", "/d.x/run.jc"},   {"/d/run.jcx", "/d/run.jcx.jc"}};
    for (const SaveCase& c : saves) EXPECT_EQ(RecordFile::SavePath(c.chosen), c.written) << c.chosen;
    struct OpenCase {
        const char* path;
        bool accepted;
    } opens[] = {{"/d/run.jc", true},   {"/d/run.JC", true},  {"/d/run.Jc", true},  {"/d/run", false},
                 {"/d/run.jcx", false}, {"/d.jc/run", false}, {"/d/run.txt", false}};
    for (const OpenCase& c : opens) EXPECT_EQ(RecordFile::HasExtension(c.path), c.accepted) << c.path;
}

TEST_F(RecordFileTest, ExampleFileHasItsSizeAndLayoutInBothEditions) {
    struct Case {
        Edition edition;
        int blockSize;
        size_t fileSize;
    } cases[] = {{Edition::Chinese, 204, 376}, {Edition::English, 228, 400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fileSize);
        UseEdition(c.edition);
        const DeviceParameters p = Block(ChannelCapacity(), 0x03);
        HistoryDataSet set;
        FillSet(set, p, {t0, t0 + 60, t0 + 180}, {2});
        set.channels[1].values[1] = InvalidSample;
        set.RecomputeRangeStatistics();
        std::string written;
        ASSERT_EQ(RecordFile::Save(dir + "/example", set, p, &written), RecordFileStatus::Ok);
        EXPECT_EQ(written, dir + "/example.jc");

        const Bytes f = ReadAll(written);
        ASSERT_EQ(f.size(), c.fileSize);
        const size_t b = static_cast<size_t>(c.blockSize);
        EXPECT_TRUE(std::equal(p.Data(), p.Data() + b, f.begin()));
        EXPECT_EQ(At<int32_t>(f, b), 3);
        EXPECT_EQ(At<int64_t>(f, b + 4), t0);
        EXPECT_EQ(At<int64_t>(f, b + 20), t0 + 180);
        const size_t second = b + 28 + 68;            // second channel's section
        EXPECT_EQ(At<double>(f, second), 12.5);       // maximum
        EXPECT_EQ(At<double>(f, second + 8), 10.5);   // minimum
        EXPECT_EQ(At<double>(f, second + 16), 11.5);  // average
        EXPECT_EQ(At<double>(f, second + 24), 50.0);  // displayTop = range upper of channel 1
        EXPECT_EQ(At<int32_t>(f, second + 40), 2);
        EXPECT_EQ(At<double>(f, second + 44 + 8), InvalidSample);
        EXPECT_EQ(At<int32_t>(f, f.size() - 8), 1);
        EXPECT_EQ(At<int32_t>(f, f.size() - 4), 2);

        HistoryDataSet loaded;
        DeviceParameters history(ChannelCapacity());
        ASSERT_EQ(RecordFile::Load(written, loaded, history), RecordFileStatus::Ok);
        EXPECT_TRUE(history == p);
        ExpectSameSet(loaded, set);
        EXPECT_EQ(loaded.channels[1].values[1], InvalidSample);
        EXPECT_TRUE(loaded.IsBreakPoint(2));
    }
}

TEST_F(RecordFileTest, NoBreakPointsEndWithFourZeroBytes) {
    const DeviceParameters p = Block(6, 0x01);
    HistoryDataSet set;
    FillSet(set, p, {t0, t0 + 60}, {});
    ASSERT_EQ(RecordFile::Save(dir + "/plain.jc", set, p), RecordFileStatus::Ok);
    const Bytes f = ReadAll(dir + "/plain.jc");
    ASSERT_EQ(static_cast<int64_t>(f.size()), RecordFile::FileLength(204, 2, 1, 0));
    EXPECT_EQ(Bytes(f.end() - 4, f.end()), Bytes(4, 0));
}

TEST_F(RecordFileTest, FileSavedAfterQueryReloadsAllRecordsWithTheQueryStatistics) {
    const DeviceParameters p = Block(6, 0x02);
    HistoryDataSet set;
    FillSet(set, p, {t0, t0 + 60, t0 + 120, t0 + 180}, {});
    ASSERT_TRUE(set.ApplyQuery(t0 + 60, t0 + 120));
    ASSERT_EQ(set.channels[0].validCount, 2);
    ASSERT_EQ(RecordFile::Save(dir + "/query.jc", set, p), RecordFileStatus::Ok);

    HistoryDataSet loaded;
    DeviceParameters history(6);
    ASSERT_EQ(RecordFile::Load(dir + "/query.jc", loaded, history), RecordFileStatus::Ok);
    EXPECT_EQ(loaded.recordCount, 4);
    EXPECT_EQ(loaded.rangeFirst, 0);
    EXPECT_EQ(loaded.rangeLast, 3);
    const ChannelSeries& c = loaded.channels[0];
    EXPECT_EQ(c.validCount, 2);
    EXPECT_DOUBLE_EQ(c.maximum, 2.5);
    EXPECT_DOUBLE_EQ(c.minimum, 1.5);
    EXPECT_DOUBLE_EQ(c.displayTop, 7.5);  // the query's bounds, not the range limits
    EXPECT_DOUBLE_EQ(c.displayBottom, 1.0);
}

TEST_F(RecordFileTest, EmptySetRoundTrips) {
    const DeviceParameters p = Block(6, 0x03);
    HistoryDataSet set;
    FillSet(set, p, {}, {});
    ASSERT_EQ(RecordFile::Save(dir + "/empty.jc", set, p), RecordFileStatus::Ok);
    HistoryDataSet loaded;
    DeviceParameters history(6);
    ASSERT_EQ(RecordFile::Load(dir + "/empty.jc", loaded, history), RecordFileStatus::Ok);
    EXPECT_EQ(loaded.recordCount, 0);
    EXPECT_EQ(loaded.channelCount, 2);
    EXPECT_TRUE(loaded.RangeEmpty());
}

TEST_F(RecordFileTest, RefusedFilesLeaveTheCurrentSetAndParametersUntouched) {
    const DeviceParameters p = Block(6, 0x03);
    HistoryDataSet source;
    FillSet(source, p, {t0, t0 + 60, t0 + 180}, {2});
    ASSERT_EQ(RecordFile::Save(dir + "/good.jc", source, p), RecordFileStatus::Ok);
    const Bytes good = ReadAll(dir + "/good.jc");
    const size_t b = 204;
    const size_t enabledCount = static_cast<size_t>(p.Offsets().enabledCount);
    const size_t enabledList = static_cast<size_t>(p.Offsets().enabledList);

    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        RecordFileStatus status;
    } cases[] = {
        {"one byte short", [](Bytes& f) { f.pop_back(); }, RecordFileStatus::Damaged},
        {"one byte long", [](Bytes& f) { f.push_back(0); }, RecordFileStatus::Damaged},
        {"shorter than a block", [](Bytes& f) { f.resize(100); }, RecordFileStatus::Damaged},
        {"negative record count", [&](Bytes& f) { Put<int32_t>(f, b, -1); }, RecordFileStatus::Damaged},
        {"record count too large for the file", [&](Bytes& f) { Put<int32_t>(f, b, 0x7FFFFFFF); },
         RecordFileStatus::Damaged},
        {"negative break-point count", [](Bytes& f) { Put<int32_t>(f, f.size() - 8, -1); },
         RecordFileStatus::Damaged},
        {"more channels than slots", [&](Bytes& f) { f[enabledCount] = 7; },
         RecordFileStatus::TooManyChannels},
        {"channel number beyond the slots", [&](Bytes& f) { f[enabledList + 1] = 6; },
         RecordFileStatus::Damaged},
    };

    const DeviceParameters currentBlock = Block(6, 0x01);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes damaged = good;
        c.damage(damaged);
        const std::string path = dir + "/damaged.jc";
        WriteAll(path, damaged);

        HistoryDataSet current, reference;
        FillSet(current, currentBlock, {t0 + 5, t0 + 65}, {});
        FillSet(reference, currentBlock, {t0 + 5, t0 + 65}, {});
        DeviceParameters history = currentBlock;
        EXPECT_EQ(RecordFile::Load(path, current, history), c.status);
        ExpectSameSet(current, reference);
        EXPECT_TRUE(history == currentBlock);
    }

    // Paths that cannot be read, and a file of the other edition.
    UseEdition(Edition::English);
    const DeviceParameters english = Block(8, 0x03);
    HistoryDataSet englishSet;
    FillSet(englishSet, english, {t0, t0 + 60, t0 + 180}, {2});
    ASSERT_EQ(RecordFile::Save(dir + "/english.jc", englishSet, english), RecordFileStatus::Ok);
    UseEdition(Edition::Chinese);
    struct PathCase {
        std::string path;
        RecordFileStatus status;
    } paths[] = {{dir + "/missing.jc", RecordFileStatus::CannotOpen},
                 {dir, RecordFileStatus::CannotOpen},
                 {dir + "/english.jc", RecordFileStatus::Damaged}};
    for (const PathCase& c : paths) {
        SCOPED_TRACE(c.path);
        HistoryDataSet current, reference;
        FillSet(current, currentBlock, {t0 + 5}, {});
        FillSet(reference, currentBlock, {t0 + 5}, {});
        DeviceParameters history = currentBlock;
        EXPECT_EQ(RecordFile::Load(c.path, current, history), c.status);
        ExpectSameSet(current, reference);
        EXPECT_TRUE(history == currentBlock);
    }
}

TEST_F(RecordFileTest, CountsTooLargeForMemoryAreRefusedBeforeReading) {
    // A sparse file whose length matches its counts but whose records exceed the machine's memory.
    const DeviceParameters p = Block(6, 0x3F);
    const int64_t memory = static_cast<int64_t>(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGE_SIZE);
    const int64_t n64 = std::min<int64_t>(memory / (8 * 7) + 1, 0x7FFFFFFF);
    if (8 * n64 * 7 <= memory / 2) GTEST_SKIP() << "machine memory too large for a 32-bit record count";
    const int32_t n = static_cast<int32_t>(n64);
    const std::string path = dir + "/huge.jc";
    const int fd = open(path.c_str(), O_CREAT | O_RDWR | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    const int64_t length = RecordFile::FileLength(204, n, 6, 0);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(length)), 0);
    ASSERT_EQ(pwrite(fd, p.Data(), p.Size(), 0), static_cast<ssize_t>(p.Size()));
    ASSERT_EQ(pwrite(fd, &n, 4, 204), 4);
    close(fd);

    HistoryDataSet current;
    FillSet(current, p, {t0}, {});
    DeviceParameters history = p;
    EXPECT_EQ(RecordFile::Load(path, current, history), RecordFileStatus::TooLarge);
    EXPECT_EQ(current.recordCount, 1);
    EXPECT_STREQ(TxIn(Edition::English, RecordFile::Message(RecordFileStatus::TooLarge)),
                 "The data file is too large for the memory");
}

TEST_F(RecordFileTest, UncreatableFileIsReportedAndNothingIsWritten) {
    const DeviceParameters p = Block(6, 0x01);
    HistoryDataSet set;
    FillSet(set, p, {t0}, {});
    const std::string path = dir + "/no-such-dir/run";
    EXPECT_EQ(RecordFile::Save(path, set, p), RecordFileStatus::CannotCreate);
    EXPECT_FALSE(std::filesystem::exists(path + ".jc"));
    EXPECT_STREQ(TxIn(Edition::Chinese, RecordFile::Message(RecordFileStatus::CannotCreate)), "创建文件失败");
    EXPECT_STREQ(TxIn(Edition::English, RecordFile::Message(RecordFileStatus::CannotCreate)),
                 "Failed to create file");
}

TEST_F(RecordFileTest, FailedWriteRemovesThePartialFile) {
    const DeviceParameters p = Block(6, 0x01);
    HistoryDataSet set;
    FillSet(set, p, {t0, t0 + 60, t0 + 120}, {});
    // A file-size limit below the file's length makes a write fail half-way, like a full disk.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const RecordFileStatus status = RecordFile::Save(dir + "/partial.jc", set, p);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(status, RecordFileStatus::WriteFailed);
    EXPECT_FALSE(std::filesystem::exists(dir + "/partial.jc"));
}

}  // namespace
