#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "history/ChannelListRows.h"
#include "history/HistoryDataSet.h"
#include "model/CodePage.h"
#include "model/DateTimeField.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "model/UnitTable.h"
#include "reports/HistoryExport.h"
#include "support/FileText.h"

namespace {

ChannelSeries MakeChannel(int number, int type, int unit, std::vector<double> values) {
    ChannelSeries c;
    c.channelNumber = number;
    c.typeCode = type;
    c.unitCode = unit;
    c.values = std::move(values);
    return c;
}

class HistoryExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
        char pattern[] = "/tmp/zorva-export-XXXXXX";
        dir_ = mkdtemp(pattern);
        t0_ = LocalToEpoch(2015, 3, 1, 12, 0, 0);
    }
    void TearDown() override {
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
        std::string cmd = "rm -rf '" + dir_ + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }

    // Two channels (device channels 1 and 3), three records 10 s apart.
    void FillSmallSet() {
        set_.channelCount = 2;
        set_.channels = {MakeChannel(0, 1, 1, {20.0, -1000.0, 21.25}),
                         MakeChannel(2, 2, 4, {55.5, 56.0, -3276.8})};
        set_.channels[0].maximum = 21.3;
        set_.channels[0].minimum = 20.0;
        set_.channels[0].average = 20.625;
        set_.channels[0].validCount = 2;
        set_.channels[0].alarmUpper = 30.0;
        set_.channels[0].alarmLower = -10.0;
        set_.channels[1].maximum = 56.0;
        set_.channels[1].minimum = -3276.8;
        set_.channels[1].average = -1055.1;
        set_.channels[1].validCount = 3;
        set_.channels[1].alarmUpper = 90.0;
        set_.channels[1].alarmLower = 10.0;
        set_.timestamps = {t0_, t0_ + 10, t0_ + 20};
        set_.recordCount = 3;
        set_.rangeFirst = 0;
        set_.rangeLast = 2;
    }

    // One channel with n records one second apart, value i / 10.
    void FillCountingSet(int n) {
        set_.channelCount = 1;
        set_.channels = {MakeChannel(0, 1, 1, {})};
        for (int i = 0; i < n; ++i) {
            set_.timestamps.push_back(t0_ + i);
            set_.channels[0].values.push_back(i / 10.0);
        }
        set_.recordCount = n;
    }

    std::vector<ChannelListRow> Rows() {
        return MakeChannelListRows(set_, units_, NoValidStatistics::ShowZero);
    }

    std::string Export(bool csv, const std::string& name = "out") {
        const std::string path = dir_ + "/" + name;
        const int64_t exportTime = LocalToEpoch(2015, 3, 2, 8, 9, 5);
        ExportResult result = csv ? WriteCsvExport(path, set_, Rows(), "A1234567", exportTime)
                                  : WriteTextExport(path, set_, Rows(), "A1234567", exportTime);
        EXPECT_TRUE(result.Succeeded()) << result.Message();
        return ReadFileText(path);
    }

    std::string dir_;
    int64_t t0_ = 0;
    HistoryDataSet set_;
    UnitTable units_;
};

TEST_F(HistoryExportTest, TextFileLayoutWithItsTabCounts) {
    FillSmallSet();
    const std::string expected =
        "文件保存时间：2015-03-02 08:09:05\r\n"
        "设备号：A1234567\t数据条数：3\t数据开始时间：2015-03-01 12:00:00\t数据结束时间：2015-03-01 "
        "12:00:20\r\n"
        "通道1，类型：温度，单位：℃，最大值：21.3，最小值：20.0，平均值：20.6，报警上限：30.0，报警下限：-10."
        "0\r\n"
        "通道3，类型：湿度，单位：%RH，最大值：56.0，最小值：-3276.8，平均值：-1055.1，报警上限：90."
        "0，报警下限：10.0\r\n"
        "序号\t\t时间\t\t通道1(℃)\t通道3(%RH)\r\n"
        "0\t2015-03-01 12:00:00\t20.0\t\t55.5\r\n"
        "1\t2015-03-01 12:00:10\tERR\t\t56.0\r\n"
        "2\t2015-03-01 12:00:20\t21.2\t\t-3276.8\r\n";
    EXPECT_EQ(DecodeCp936(Export(false)), expected);
}

TEST_F(HistoryExportTest, CsvFileLayout) {
    FillSmallSet();
    const std::string expected =
        "文件保存时间：,2015-03-02 08:09:05\r\n"
        "设备号：,A1234567,数据条数：,3,数据开始时间：,2015-03-01 12:00:00,数据结束时间：,2015-03-01 "
        "12:00:20\r\n"
        "通道1,类型：,温度,单位：,℃,最大值：,21.3,最小值：,20.0,平均值：,20.6,报警上限：,30.0,报警下限：,-10."
        "0\r\n"
        "通道3,类型：,湿度,单位：,%RH,最大值：,56.0,最小值：,-3276.8,平均值：,-1055.1,报警上限：,90.0,"
        "报警下限：,10.0\r\n"
        "序号,时间,通道1(℃),通道3(%RH)\r\n"
        "0,2015-03-01 12:00:00,20.0,55.5\r\n"
        "1,2015-03-01 12:00:10,ERR,56.0\r\n"
        "2,2015-03-01 12:00:20,21.2,-3276.8\r\n";
    EXPECT_EQ(DecodeCp936(Export(true)), expected);
}

TEST_F(HistoryExportTest, EnglishEditionTexts) {
    SetEdition(Edition::English);
    DestroyDeviceContext();
    FillSmallSet();
    const std::vector<std::string> text = CrLfLines(DecodeCp936(Export(false)));
    ASSERT_EQ(text.size(), 8u);
    EXPECT_EQ(text[0], "The time to save：2015-03-02 08:09:05");
    EXPECT_EQ(
        text[1],
        "Device：A1234567\tData total：3\tStart time：2015-03-01 12:00:00\tEnd time：2015-03-01 12:00:20");
    EXPECT_EQ(text[2],
              "Channel1，Type：Temperature，Unit：℃，Maximum：21.3，Minimum：20.0，Average value：20.6，"
              "Alarm up：30.0，Alarm down：-10.0");
    EXPECT_EQ(text[4], "Index\t\tTime\t\tChannel1(℃)\tChannel3(%RH)");
    EXPECT_EQ(text[6], "1\t2015-03-01 12:00:10\tERROR\t\t56.0");

    const std::vector<std::string> csv = CrLfLines(DecodeCp936(Export(true)));
    ASSERT_EQ(csv.size(), 8u);
    EXPECT_EQ(csv[0], "The time to save：,2015-03-02 08:09:05");
    EXPECT_EQ(
        csv[1],
        "Device：,A1234567,Data total：,3,Start time：,2015-03-01 12:00:00,End time：,2015-03-01 12:00:20");
    EXPECT_EQ(csv[2],
              "Channel1,Type：,Temperature,Unit：,℃,Maximum：,21.3,Minimum：,20.0,Average value：,20.6,"
              "Alarm up：,30.0,Alarm down：,-10.0");
    EXPECT_EQ(csv[4], "Index,Time,Channel1(℃),Channel3(%RH)");
    EXPECT_EQ(csv[6], "1,2015-03-01 12:00:10,ERROR,56.0");
}

// The selected range decides count, times and the data lines; indices are those of the whole set.
TEST_F(HistoryExportTest, RangeDecidesCountTimesAndNumbering) {
    struct Case {
        int first, last;
        int count;
        const char* start;
        const char* end;
    };
    const Case cases[] = {
        {0, 0, 1, "2015-03-01 12:00:00", "2015-03-01 12:00:00"},
        {199, 199, 1, "2015-03-01 12:03:19", "2015-03-01 12:03:19"},
        {120, 130, 11, "2015-03-01 12:02:00", "2015-03-01 12:02:10"},
        {0, 199, 200, "2015-03-01 12:00:00", "2015-03-01 12:03:19"},
    };
    FillCountingSet(200);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        set_.rangeFirst = c.first;
        set_.rangeLast = c.last;
        for (bool csv : {false, true}) {
            const std::vector<std::string> lines = CrLfLines(DecodeCp936(Export(csv)));
            const char* sep = csv ? "," : "\t";
            const std::string after = csv ? "," : "";  // the CSV puts a comma behind each label
            const std::string info = std::string(sep) + "数据条数：" + after + std::to_string(c.count) + sep +
                                     "数据开始时间：" + after + c.start + sep + "数据结束时间：" + after +
                                     c.end;
            ASSERT_EQ(lines.size(), 4u + c.count);
            EXPECT_EQ(lines[1], std::string(csv ? "设备号：,A1234567" : "设备号：A1234567") + info);
            for (int k = 0; k < c.count; ++k) {
                const int i = c.first + k;
                const std::string prefix = std::to_string(i) + sep;
                EXPECT_EQ(lines[4 + k].substr(0, prefix.size()), prefix);
                char value[16];
                std::snprintf(value, sizeof value, "%.1f", i / 10.0);
                EXPECT_EQ(lines[4 + k].substr(lines[4 + k].rfind(sep) + 1), value);
            }
        }
    }
}

// A query between two records leaves rangeFirst > rangeLast: no data line and a count of 0, never negative.
TEST_F(HistoryExportTest, EmptyRangeWritesNoDataLine) {
    FillCountingSet(10);
    set_.rangeFirst = 9;
    set_.rangeLast = 2;
    const std::vector<std::string> lines = CrLfLines(DecodeCp936(Export(false)));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_NE(lines[1].find("数据条数：0\t"), std::string::npos) << lines[1];
}

TEST_F(HistoryExportTest, ValuesWithOneDecimalAndOnlyExactInvalidSampleAsErr) {
    struct Case {
        double value;
        const char* zh;
        const char* en;
    };
    const Case cases[] = {
        // -999.95 is stored a little below itself and prints as -1000.0, yet it is a valid sample.
        {-1000.0, "ERR", "ERROR"},
        {-999.95, "-1000.0", "-1000.0"},
        {-1000.04, "-1000.0", "-1000.0"},
        {-3276.8, "-3276.8", "-3276.8"},
        {-123456.78, "-123456.8", "-123456.8"},
        {0.05, "0.1", "0.1"},
        {-0.04, "-0.0", "-0.0"},
        {3276.7, "3276.7", "3276.7"},
    };
    for (Edition edition : {Edition::Chinese, Edition::English}) {
        SetEdition(edition);
        for (const Case& c : cases) {
            set_.channelCount = 2;
            set_.channels = {MakeChannel(0, 1, 1, {1.0}), MakeChannel(1, 1, 1, {c.value})};
            set_.timestamps = {t0_};
            set_.recordCount = 1;
            const std::string expected = edition == Edition::Chinese ? c.zh : c.en;
            const std::vector<std::string> text = CrLfLines(DecodeCp936(Export(false)));
            ASSERT_EQ(text.size(), 6u);
            EXPECT_EQ(text[5], "0\t2015-03-01 12:00:00\t1.0\t\t" + expected);
            const std::vector<std::string> csv = CrLfLines(DecodeCp936(Export(true)));
            ASSERT_EQ(csv.size(), 6u);
            EXPECT_EQ(csv[5], "0,2015-03-01 12:00:00,1.0," + expected);
            // The list's cursor cell reads the same text.
            EXPECT_EQ(SampleText(c.value), expected);
        }
    }
}

TEST_F(HistoryExportTest, CodePage936BytesCrLfAndNoByteOrderMark) {
    FillSmallSet();
    for (bool csv : {false, true}) {
        const std::string bytes = Export(csv);
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes.substr(0, 2), "\xCE\xC4");                     // "文", no byte-order mark before it
        EXPECT_NE(bytes.find("\xA1\xE6"), std::string::npos);          // ℃
        EXPECT_NE(bytes.find("\xA3\xBA"), std::string::npos);          // ：
        EXPECT_EQ(bytes.find("\xEF\xBC"), std::string::npos);          // no UTF-8 full-width forms left
        EXPECT_EQ(bytes.find("\xE2\x84\x83"), std::string::npos);      // no UTF-8 ℃ left
        EXPECT_EQ(bytes.find("\xA3\xAC") != std::string::npos, !csv);  // "，" only in the text file
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
            }
            if (bytes[i] == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
            }
        }
    }
}

// Nothing is quoted: a comma inside a unit text shifts the fields that follow it.
TEST_F(HistoryExportTest, CsvCommaInCellShiftsFollowingFields) {
    FillSmallSet();
    std::vector<ChannelListRow> rows = Rows();
    rows[0][kColumnUnit] = "m,s";
    const std::string path = dir_ + "/shift.csv";
    ASSERT_TRUE(WriteCsvExport(path, set_, rows, "A1234567", t0_).Succeeded());
    const std::vector<std::string> lines = CrLfLines(DecodeCp936(ReadFileText(path)));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[2].substr(0, lines[2].find(",最大值")), "通道1,类型：,温度,单位：,m,s");
    EXPECT_EQ(lines[4], "序号,时间,通道1(m,s),通道3(%RH)");
    std::stringstream fields(lines[2]);
    int count = 0;
    for (std::string field; std::getline(fields, field, ',');) ++count;
    EXPECT_EQ(count, 16);  // 15 fields plus the one the comma split off
}

TEST_F(HistoryExportTest, ExistingFileIsReplaced) {
    FillSmallSet();
    {
        std::ofstream old(dir_ + "/out", std::ios::binary);
        old << std::string(100000, 'x');
    }
    const std::string bytes = Export(false);
    EXPECT_EQ(bytes.find('x'), std::string::npos);
    EXPECT_LT(bytes.size(), 1000u);
}

TEST_F(HistoryExportTest, FailuresCreateNothing) {
    FillSmallSet();
    const std::string missingDir = dir_ + "/no-such-dir/out.txt";
    for (Edition edition : {Edition::Chinese, Edition::English}) {
        SetEdition(edition);
        ExportResult text = WriteTextExport(missingDir, set_, Rows(), "A1234567", t0_);
        ExportResult csv = WriteCsvExport(missingDir, set_, Rows(), "A1234567", t0_);
        EXPECT_EQ(text.code, ExportResult::CreateFailed);
        EXPECT_EQ(csv.code, ExportResult::CreateFailed);
        EXPECT_EQ(text.Message(), edition == Edition::Chinese ? "创建文件失败" : "Failed to create file");
    }
    SetEdition(Edition::Chinese);
    HistoryDataSet empty;
    empty.channelCount = 1;
    empty.channels.resize(1);
    const std::string path = dir_ + "/empty.txt";
    ExportResult result = WriteTextExport(path, empty, {}, "A1234567", t0_);
    EXPECT_EQ(result.code, ExportResult::NoData);
    EXPECT_EQ(result.Message(), "无有效数据保存");
    EXPECT_NE(access(path.c_str(), F_OK), 0);
}

TEST(ExportExtension, FilterEntryExtensionAppendedUnlessExact) {
    struct Case {
        const char* chosen;
        int filter;
        const char* written;
    };
    const Case cases[] = {
        {"/d/report.csv", kExportFilterText, "/d/report.csv.txt"},
        {"/d/report.TXT", kExportFilterText, "/d/report.TXT.txt"},
        {"/d/report", kExportFilterText, "/d/report.txt"},
        {"/d/report.txt", kExportFilterText, "/d/report.txt"},
        {"/d/report.txt", kExportFilterCsv, "/d/report.txt.csv"},
        {"/d/report.csv", kExportFilterCsv, "/d/report.csv"},
        {"/d/report.Csv", kExportFilterCsv, "/d/report.Csv.csv"},
        {"/d/report", kExportFilterRecordFile, "/d/report.jc"},
        {"/d/report.JC", kExportFilterRecordFile, "/d/report.JC.jc"},
        {"/d/report.jc", kExportFilterRecordFile, "/d/report.jc"},
        {"/d/report.txt.", kExportFilterText, "/d/report.txt..txt"},
        {"/d.txt/report", kExportFilterText, "/d.txt/report.txt"},  // a point in a folder is no extension
    };
    for (const Case& c : cases) EXPECT_EQ(ApplyExportExtension(c.chosen, c.filter), c.written) << c.chosen;
}

TEST(ExportDeviceNumber, BytesAreCharacterCodesUpToNul) {
    EXPECT_EQ(DeviceNumberText("A1234567"), "A1234567");
    EXPECT_EQ(DeviceNumberText(std::string("AB\0CDEFG", 8)), "AB");
    EXPECT_EQ(DeviceNumberText("\xB7"
                               "1234567"),
              "\xC2\xB7"
              "1234567");  // byte 0xB7 is U+00B7
}

}  // namespace
