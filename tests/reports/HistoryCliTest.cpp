#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "history/ChannelListRows.h"
#include "history/HistoryDataSet.h"
#include "history/RecordFile.h"
#include "model/CodePage.h"
#include "model/DateTimeField.h"
#include "model/DeviceContext.h"
#include "model/DeviceParameters.h"
#include "model/Edition.h"
#include "reports/HistoryExport.h"
#include "support/EmulatorProcess.h"
#include "support/FileText.h"

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs zorva-cli with the arguments; stdout and stderr are collected in files of the folder.
CliRun RunCli(const std::string& folder, const std::vector<std::string>& args) {
    std::string command = ZORVA_CLI;
    for (const std::string& arg : args) command += " '" + arg + "'";
    command += " >'" + folder + "/stdout' 2>'" + folder + "/stderr'";
    const int status = std::system(command.c_str());
    CliRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFileText(folder + "/stdout");
    run.err = ReadFileText(folder + "/stderr");
    return run;
}

class HistoryCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Asia/Shanghai", 1);  // the child inherits it
        tzset();
        char pattern[] = "/tmp/zorva-cli-XXXXXX";
        dir_ = mkdtemp(pattern);
    }
    void TearDown() override {
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
        ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
    }

    // A record file of 200 records 10 s apart from 2015-03-01 12:00:00 on device channels 1 and 3;
    // channel 3 has no valid sample from record 100 on.
    std::string WriteRecordFile() {
        DeviceParameters history;
        history.SetByte(DeviceParameters::kChannelMask, 0x05);
        ChannelConfig temperature{1, 1, 1, 300, -100, 800, -400};
        ChannelConfig humidity{2, 4, 0, 900, 100, 1000, 0};
        history.SetChannel(0, temperature);
        history.SetChannel(2, humidity);
        history.RebuildEnabledChannels();
        history.SetBigEndian32(DeviceParameters::kRecordInterval, 10);
        const char serial[] = "ZV001234";
        for (int k = 0; k < 8; ++k)
            history.SetByte(history.Offsets().deviceInfo + DeviceParameters::kInfoSerial + k,
                            static_cast<uint8_t>(serial[k]));
        HistoryDataSet set;
        set.LoadChannels(history);
        const int64_t t0 = LocalToEpoch(2015, 3, 1, 12, 0, 0);
        for (int i = 0; i < 200; ++i) {
            set.timestamps.push_back(t0 + 10 * i);
            set.channels[0].values.push_back(i % 7 == 3 ? -1000.0 : -20.0 + i * 0.35);
            set.channels[1].values.push_back(i >= 100 ? -1000.0 : 40.0 + i % 11);
        }
        set.recordCount = 200;
        set.SetRangeAll();
        set.RecomputeRangeStatistics();
        const std::string path = dir_ + "/history.jc";
        EXPECT_EQ(RecordFile::Save(path, set, history), RecordFileStatus::Ok);
        return path;
    }

    // What the history window's save writes for the file and the query (from, to), minus the
    // export-time line.
    std::vector<std::string> WindowExport(const std::string& file, bool csv, const char* from,
                                          const char* to) {
        HistoryDataSet set;
        DeviceParameters history;
        EXPECT_EQ(RecordFile::Load(file, set, history), RecordFileStatus::Ok);
        NoValidStatistics noValid = NoValidStatistics::ShowZero;
        if (from) {
            int y, mo, d, h, mi, s;
            EXPECT_EQ(std::sscanf(from, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6);
            const int64_t start = LocalToEpoch(y, mo, d, h, mi, s);
            EXPECT_EQ(std::sscanf(to, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6);
            set.ApplyQuery(start, LocalToEpoch(y, mo, d, h, mi, s));
            noValid = NoValidStatistics::ShowEmpty;
        }
        const std::string path = dir_ + "/window-export";
        const auto rows = MakeChannelListRows(set, GetDeviceContext().units, noValid);
        const std::string number = DeviceNumberText(history.SerialNumber());
        EXPECT_TRUE(
            (csv ? WriteCsvExport(path, set, rows, number, 0) : WriteTextExport(path, set, rows, number, 0))
                .Succeeded());
        std::vector<std::string> lines = CrLfLines(DecodeCp936(ReadFileText(path)));
        if (!lines.empty()) lines.erase(lines.begin());
        return lines;
    }

    std::string dir_;
};

TEST_F(HistoryCliTest, ExportWritesWhatTheWindowSaves) {
    const std::string file = WriteRecordFile();
    struct Case {
        const char* out;
        const char* from;
        const char* to;
        size_t dataLines;
        const char* countLine;
    };
    const Case cases[] = {
        {"all.txt", nullptr, nullptr, 200, "设备号：ZV001234\t数据条数：200\t"},
        {"q.txt", "2015-03-01 12:20:00", "2015-03-01 12:21:40", 11, "设备号：ZV001234\t数据条数：11\t"},
        {"q.csv", "2015-03-01 12:20:00", "2015-03-01 12:21:40", 11, "设备号：,ZV001234,数据条数：,11,"},
        {"late.csv", "2015-03-01 12:25:00", "2015-03-01 13:00:00", 50, "设备号：,ZV001234,数据条数：,50,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.out);
        const std::string out = dir_ + "/" + c.out;
        std::vector<std::string> args = {"export", file, "--out", out};
        if (c.from) args.insert(args.end(), {"--from", c.from, "--to", c.to});
        const CliRun run = RunCli(dir_, args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::vector<std::string> lines = CrLfLines(DecodeCp936(ReadFileText(out)));
        ASSERT_EQ(lines.size(), 5 + c.dataLines);
        EXPECT_EQ(lines[1].rfind(c.countLine, 0), 0u) << lines[1];
        lines.erase(lines.begin());
        const bool csv = std::string(c.out).find(".csv") != std::string::npos;
        EXPECT_EQ(lines, WindowExport(file, csv, c.from, c.to));
    }
    // The query from 12:20:00 starts at record 120; channel 3 has no valid sample after 12:25:00.
    const auto q = CrLfLines(DecodeCp936(ReadFileText(dir_ + "/q.txt")));
    EXPECT_EQ(q[5].rfind("120\t2015-03-01 12:20:00\t", 0), 0u) << q[5];
    EXPECT_EQ(q.back().rfind("130\t", 0), 0u) << q.back();
    const auto late = CrLfLines(DecodeCp936(ReadFileText(dir_ + "/late.csv")));
    EXPECT_EQ(late[3],
              "通道3,类型：,湿度,单位：,%RH,最大值：,,最小值：,,平均值：,,报警上限：,90.0,报警下限：,10.0");
}

TEST_F(HistoryCliTest, ExportRefusesBadInputWithTheEditionsMessage) {
    const std::string file = WriteRecordFile();
    const std::string bytes = ReadFileText(file);
    const std::string damaged = dir_ + "/damaged.jc";
    std::ofstream(damaged, std::ios::binary) << bytes.substr(0, bytes.size() - 3);
    const std::string wrongName = dir_ + "/history.dat";
    std::ofstream(wrongName, std::ios::binary) << bytes;
    struct Case {
        std::vector<std::string> args;
        const char* message;  // expected on stderr
    };
    const std::string out = dir_ + "/out.txt";
    const Case cases[] = {
        {{"export", dir_ + "/missing.jc", "--out", out}, "无法打开数据记录文件"},
        {{"export", dir_ + "/missing.jc", "--out", out, "--edition", "en"}, "Cannot open the data file"},
        {{"export", damaged, "--out", out}, "数据记录文件已损坏"},
        {{"export", wrongName, "--out", out}, "请选择扩展名为jc的文件"},
        // The English edition's files are longer: a Chinese-edition file does not fit its layout.
        {{"export", file, "--out", out, "--edition", "en"}, "The data file"},
        {{"export", file, "--out", out, "--from", "2015-03-01 12:00:10", "--to", "2015-03-01 12:00:09"},
         "起始时间不能大于结束时间"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.message);
        const CliRun run = RunCli(dir_, c.args);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(access(out.c_str(), F_OK), 0) << "no export written";
    }
}

class HistoryCliDownloadTest : public HistoryCliTest {
protected:
    void TearDown() override {
        emulator_.stop();
        HistoryCliTest::TearDown();
    }
    EmulatorProcess emulator_;
};

TEST_F(HistoryCliDownloadTest, DownloadWritesRecordFileThatExportReads) {
    ASSERT_TRUE(emulator_.start({"--records", "150", "--plain-history", "--mask", "05", "--interval", "10",
                                 "--history-start", "2015-03-01 12:00:00"}));
    const std::string file = dir_ + "/down.jc";
    const CliRun run = RunCli(dir_, {"download", "--device", emulator_.linkPath(), "--out", file});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("数据开始下载"), std::string::npos) << run.err;

    HistoryDataSet set;
    DeviceParameters history;
    ASSERT_EQ(RecordFile::Load(file, set, history), RecordFileStatus::Ok);
    EXPECT_EQ(set.recordCount, 150);
    EXPECT_EQ(set.channelCount, 2);
    ASSERT_EQ(set.timestamps.size(), 150u);
    EXPECT_EQ(set.timestamps.back() - set.timestamps.front(), 149 * 10);

    const std::string out = dir_ + "/down.csv";
    ASSERT_EQ(RunCli(dir_, {"export", file, "--out", out}).exitCode, 0);
    EXPECT_EQ(CrLfLines(DecodeCp936(ReadFileText(out))).size(), 5u + 150u);
}

TEST_F(HistoryCliDownloadTest, DownloadFailureLeavesNoFile) {
    ASSERT_TRUE(emulator_.start({"--records", "50", "--plain-history", "--no-reply-to", "1A"}));
    const std::string file = dir_ + "/fail.jc";
    const CliRun run = RunCli(dir_, {"download", "--device", emulator_.linkPath(), "--out", file});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("数据下载失败"), std::string::npos) << run.err;
    EXPECT_NE(access(file.c_str(), F_OK), 0);
}

// Ctrl-C while a page is outstanding ends the download at once: no file, a non-zero exit.
TEST_F(HistoryCliDownloadTest, InterruptCancelsCleanly) {
    ASSERT_TRUE(emulator_.start({"--records", "50", "--plain-history", "--no-reply-to", "1A"}));
    const std::string file = dir_ + "/cancel.jc";
    int errPipe[2];
    ASSERT_EQ(pipe(errPipe), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(errPipe[1], STDERR_FILENO);
        close(errPipe[0]);
        execl(ZORVA_CLI, ZORVA_CLI, "download", "--device", emulator_.linkPath().c_str(), "--out",
              file.c_str(), "--edition", "en", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(errPipe[1]);
    std::string err;
    char buffer[256];
    // The start line comes once the page count is read, just before the first (unanswered) page.
    while (err.find("Data start to download") == std::string::npos) {
        const ssize_t n = read(errPipe[0], buffer, sizeof buffer);
        if (n <= 0) break;
        err.append(buffer, static_cast<size_t>(n));
    }
    ASSERT_NE(err.find("Data start to download"), std::string::npos) << err;
    kill(child, SIGINT);
    for (ssize_t n; (n = read(errPipe[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, static_cast<size_t>(n));
    close(errPipe[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 130);
    EXPECT_EQ(err.find("Data fail to download"), std::string::npos) << err;
    EXPECT_NE(access(file.c_str(), F_OK), 0);
}

}  // namespace
