#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/ProfileFile.h"
#include "support/FileText.h"

namespace {

// A private directory with one profile file, removed afterwards.
class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zorva-profile-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        path_ = dir_ + "/settings.ini";
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void Write(const std::string& content) { WriteFileText(path_, content); }
    std::string Content() const { return ReadFileText(path_); }

    std::string dir_, path_;
};

const char kSample[] =
    "; written by hand\r\n"
    "[Main_Info]\r\n"
    "  Main_Bk_Color =  255,128,0  \r\n"
    "Quoted=\"  padded \"\r\n"
    "Empty=\r\n"
    "\r\n"
    "[Config]\r\n"
    "Temperature_Type=170\r\n";

TEST_F(ProfileFileTest, ReadsNamesCaseInsensitivelyAndTrimsValues) {
    Write(kSample);
    struct Case {
        const char *section, *key, *fallback, *expected;
    } cases[] = {
        {"main_info", "MAIN_BK_COLOR", "x", "255,128,0"},
        {" Main_Info ", "main_bk_color", "x", "255,128,0"},
        {"Main_Info", "Quoted", "x", "  padded "},
        {"Main_Info", "Empty", "x", ""},              // present but empty is not missing
        {"Main_Info", "Temperature_Type", "d", "d"},  // belongs to another section
        {"CONFIG", "temperature_type", "d", "170"},
        {"Main_Info", "Missing", "dflt", "dflt"},
        {"Nowhere", "Main_Bk_Color", "dflt", "dflt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadProfileString(path_, c.section, c.key, c.fallback), c.expected)
            << c.section << "/" << c.key;
    EXPECT_EQ(ReadProfileString(dir_ + "/absent.ini", "Main_Info", "Main_Bk_Color", "dflt"), "dflt");
}

TEST_F(ProfileFileTest, ReadsIntegersLikeTheProfileIntegerReader) {
    struct Case {
        const char* value;
        int expected;
    } cases[] = {
        {"42", 42},     {"-7", -7}, {"+8", 8},   {" 12abc", 12},           {"abc", 0},
        {"-", 0},       {"", -1},   {"0x10", 0}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
        {"\"15\"", 15},
    };
    for (const auto& c : cases) {
        Write(std::string("[S]\nK=") + c.value + "\n");
        EXPECT_EQ(ReadProfileInt(path_, "s", "k", -1), c.expected) << "value '" << c.value << "'";
    }
    EXPECT_EQ(ReadProfileInt(path_, "S", "Missing", 300), 300);
    EXPECT_EQ(ReadProfileInt(dir_ + "/absent.ini", "S", "K", 60), 60);
}

TEST_F(ProfileFileTest, LongValuesAreCutToTheReadLimit) {
    Write("[S]\nK=" + std::string(3000, 'a') + "\nU=" + std::string(2046, 'a') + "\xE2\x84\x83\n");
    EXPECT_EQ(ReadProfileString(path_, "S", "K", ""), std::string(kProfileValueMax, 'a'));
    // The three-byte character would straddle the limit: it is dropped whole.
    EXPECT_EQ(ReadProfileString(path_, "S", "U", ""), std::string(2046, 'a'));
}

TEST_F(ProfileFileTest, WriteChangesOnlyItsOwnLine) {
    struct Case {
        const char *section, *key, *value, *expected;
    } cases[] = {
        // existing key, other spelling: the line keeps its own key text and spacing
        {"MAIN_INFO", "main_bk_color", "1,2,3",
         "; written by hand\r\n[Main_Info]\r\n  Main_Bk_Color =1,2,3\r\nQuoted=\"  padded "
         "\"\r\nEmpty=\r\n\r\n"
         "[Config]\r\nTemperature_Type=170\r\n"},
        // new key: after the section's last entry, with the file's line end
        {"Main_Info", "Dialog_Bk_Color", "0,0,0",
         "; written by hand\r\n[Main_Info]\r\n  Main_Bk_Color =  255,128,0  \r\nQuoted=\"  padded "
         "\"\r\nEmpty=\r\n"
         "Dialog_Bk_Color=0,0,0\r\n\r\n[Config]\r\nTemperature_Type=170\r\n"},
        // new section: appended after a blank line
        {"Com_Parameter", "Com_Port", "3",
         "; written by hand\r\n[Main_Info]\r\n  Main_Bk_Color =  255,128,0  \r\nQuoted=\"  padded "
         "\"\r\nEmpty=\r\n\r\n"
         "[Config]\r\nTemperature_Type=170\r\n\r\n[Com_Parameter]\r\nCom_Port=3\r\n"},
    };
    for (const auto& c : cases) {
        Write(kSample);
        ASSERT_TRUE(WriteProfileString(path_, c.section, c.key, c.value));
        EXPECT_EQ(Content(), c.expected) << c.key;
        EXPECT_EQ(ReadProfileString(path_, c.section, c.key, "missing"), c.value);
    }
}

TEST_F(ProfileFileTest, WriteCreatesTheFileAndEndsAnUnterminatedLastLine) {
    ASSERT_TRUE(WriteProfileInt(path_, "Real_Interval", "Real_time", -15));
    EXPECT_EQ(Content(), "[Real_Interval]\nReal_time=-15\n");
    EXPECT_EQ(ReadProfileInt(path_, "Real_Interval", "Real_time", 60), -15);

    Write("[A]\nx=1");
    ASSERT_TRUE(WriteProfileInt(path_, "a", "y", 2));
    EXPECT_EQ(Content(), "[A]\nx=1\ny=2\n");

    // A value with a line break would forge a second entry: refused, file untouched.
    EXPECT_FALSE(WriteProfileString(path_, "A", "x", "1\n[B]\nz=3"));
    EXPECT_EQ(Content(), "[A]\nx=1\ny=2\n");
    // A directory that does not exist: nothing written, reported as failure.
    EXPECT_FALSE(WriteProfileInt(dir_ + "/no/such/dir.ini", "A", "x", 1));
}

TEST_F(ProfileFileTest, ListsTheKeysOfOneSectionInFileOrder) {
    Write(
        "[Com_Devices]\nCOM7=/dev/pts/3\n; COM8=/dev/off\ncom12 = /dev/ttyUSB0\nCOM7=again\nnoequals\n"
        "[Other]\nCOM9=/dev/x\n");
    EXPECT_EQ(ReadProfileKeys(path_, "com_devices"), (std::vector<std::string>{"COM7", "com12"}));
    EXPECT_TRUE(ReadProfileKeys(path_, "Missing").empty());
    EXPECT_TRUE(ReadProfileKeys(dir_ + "/absent.ini", "Com_Devices").empty());
}

}  // namespace
