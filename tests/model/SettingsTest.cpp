#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/DeviceContext.h"
#include "model/Settings.h"
#include "support/FileText.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zorva-settings-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = std::string(pattern) + "/";
        path_ = dir_ + kSettingsFileName;
    }
    void TearDown() override {
        DestroyDeviceContext();
        std::filesystem::remove_all(dir_);
    }
    void Write(const std::string& content) { WriteFileText(path_, content); }
    std::string Content() const { return ReadFileText(path_); }

    std::string dir_, path_;
};

TEST_F(SettingsTest, NoFileGivesTheDefaultsAndFixedLineSettings) {
    DeviceContext context;
    context.portNumber = 9;
    context.baudRate = 9600;
    context.parity = 'e';
    context.dataBits = 7;
    context.stopBits = 2;
    context.retryCount = 1;
    context.onlineInterval = 5;
    context.comDevices[3] = "/dev/stale";
    LoadSettings(path_, context);
    EXPECT_EQ(context.portNumber, 0);
    EXPECT_EQ(context.onlineInterval, 60);
    EXPECT_EQ(context.temperatureType, kCelsius);
    EXPECT_EQ(context.downloadWait, 300);
    EXPECT_EQ(context.skinFolder, "SkinConfig");
    EXPECT_EQ(context.mainBkColor, 0u);  // the initial grey is replaced
    EXPECT_EQ(context.dialogBkColor, 0u);
    EXPECT_EQ(context.autoSearch, 0);
    EXPECT_EQ(context.baudRate, 115200);
    EXPECT_EQ(context.parity, 'n');
    EXPECT_EQ(context.dataBits, 8);
    EXPECT_EQ(context.stopBits, 1);
    EXPECT_EQ(context.retryCount, 3);
    EXPECT_TRUE(context.comDevices.empty());
    EXPECT_TRUE(context.portList.empty());
}

TEST_F(SettingsTest, ReadsEveryKeyOfTheFile) {
    Write(
        "[Skin_Info]\r\nSkin_Path=BlueSkin\r\n[Main_Info]\r\nMain_Bk_Color=255,128,0\r\n"
        "Dialog_Bk_Color=1,2,3\r\n[Com_Parameter]\r\nCom_Port=4\r\n[System]\r\nSystem_Auto_Search=0\r\n"
        "System_Download_Timeout=50\r\n[Real_Interval]\r\nReal_time=15\r\n[Config]\r\nTemperature_Type="
        "170\r\n");
    DeviceContext context;
    LoadSettings(path_, context);
    EXPECT_EQ(context.skinFolder, "BlueSkin");
    EXPECT_EQ(context.mainBkColor, 255u + 256u * 128u);
    EXPECT_EQ(context.dialogBkColor, 1u + 256u * 2u + 65536u * 3u);
    EXPECT_EQ(context.portNumber, 4);
    EXPECT_EQ(context.downloadWait, 50);
    EXPECT_EQ(context.onlineInterval, 15);
    EXPECT_EQ(context.temperatureType, kFahrenheit);
}

TEST(SettingsColor, ColourTextRules) {
    struct Case {
        const char* text;
        uint32_t expected;
    } cases[] = {
        {"255,128,0", 255u + 256u * 128u},
        {"200", 0},  // no comma: black
        {"", 0},
        {"10,20", 10},                   // one comma: red alone
        {"300,x,5", 44u + 65536u * 5u},  // modulo 256, non-digits read as 0
        {" 1 , 2 , 3", 1u + 256u * 2u + 65536u * 3u},
        {",,7", 65536u * 7u},  // empty parts are 0
        {"12abc,34def,56", 12u + 256u * 34u + 65536u * 56u},
        {"-1,0,0", 255},
        {"256,512,99999999999999999999", 65536u * 255u},  // the whole number modulo 256, no overflow
        {"1,2,3,4", 1u + 256u * 2u + 65536u * 3u},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseColorText(c.text), c.expected) << "'" << c.text << "'";
}

TEST_F(SettingsTest, ComDevicesMapPortNumbersToPaths) {
    Write(
        "[Com_Devices]\nCOM7=/dev/pts/3\ncom12 = /dev/serial/by-id/usb-logger\nCOMX=/dev/x\nCOM0=/dev/zero\n"
        "COM257=/dev/high\nCOM9=\nCOM256=/dev/last\n");
    DeviceContext context;
    LoadSettings(path_, context);
    const std::map<int, std::string> expected{
        {7, "/dev/pts/3"}, {12, "/dev/serial/by-id/usb-logger"}, {256, "/dev/last"}};
    EXPECT_EQ(context.comDevices, expected);
    EXPECT_TRUE(context.portList.empty());  // no search without System_Auto_Search=1
}

TEST_F(SettingsTest, AutomaticSearchListsTheConfiguredDevices) {
    const std::string device = dir_ + "fake-tty";
    std::ofstream(device) << "";
    Write("[System]\nSystem_Auto_Search=1\n[Com_Devices]\nCOM200=" + device + "\nCOM201=" + dir_ +
          "absent\n");
    DeviceContext context;
    LoadSettings(path_, context);
    EXPECT_EQ(context.autoSearch, 1);
    const auto& ports = context.portList;
    EXPECT_NE(std::find(ports.begin(), ports.end(), 200), ports.end());
    EXPECT_EQ(std::find(ports.begin(), ports.end(), 201), ports.end());
}

TEST_F(SettingsTest, SavingTheSystemSettingsLeavesEverythingElseAlone) {
    const std::string before =
        "[Com_Parameter]\r\nCom_Port=5\r\n[Real_Interval]\r\nReal_time=60\r\n"
        "[Main_Info]\r\nMain_Bk_Color=1,2,3\r\n";
    Write(before);
    DeviceContext& context = GetDeviceContext();
    context.programDirectory = dir_;
    context.portNumber = 8;  // changed in memory only: must not reach the file
    context.onlineInterval = 15;
    context.temperatureType = kFahrenheit;
    EXPECT_TRUE(SaveSetting(kSaveRealTime));
    EXPECT_TRUE(SaveSetting(kSaveTemperatureType));
    EXPECT_FALSE(SaveSetting(0));
    EXPECT_FALSE(SaveSetting(4));
    EXPECT_EQ(Content(),
              "[Com_Parameter]\r\nCom_Port=5\r\n[Real_Interval]\r\nReal_time=15\r\n"
              "[Main_Info]\r\nMain_Bk_Color=1,2,3\r\n\r\n[Config]\r\nTemperature_Type=170\r\n");

    EXPECT_TRUE(SaveSetting(kSaveComPort));
    DeviceContext reloaded;
    LoadSettings(path_, reloaded);
    EXPECT_EQ(reloaded.portNumber, 8);
    EXPECT_EQ(reloaded.onlineInterval, 15);
    EXPECT_EQ(reloaded.temperatureType, kFahrenheit);
}

TEST_F(SettingsTest, UnknownSaveWritesNoFile) {
    GetDeviceContext().programDirectory = dir_;
    EXPECT_FALSE(SaveSetting(7));
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST(SettingsProgramDirectory, IsTheFolderOfTheRunningExecutable) {
    const std::string directory = ProgramDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_EQ(directory.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(directory + "zorva_core_tests"));
}

}  // namespace
