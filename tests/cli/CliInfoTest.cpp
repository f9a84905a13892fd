#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/EmulatorProcess.h"

namespace {

struct CommandResult {
    int exitCode = -1;
    std::string out;
};

// Runs zorva-cli with the arguments, stdout captured and stderr folded into it after "||".
CommandResult RunCli(const std::string& args) {
    const std::string errPath = "/tmp/zorva-cli-test-err-" + std::to_string(getpid());
    const std::string command = std::string(ZORVA_CLI) + " " + args + " 2>" + errPath;
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* err = fopen(errPath.c_str(), "r")) {
        result.out += "||";
        while ((n = fread(buffer.data(), 1, buffer.size(), err)) > 0) result.out.append(buffer.data(), n);
        fclose(err);
    }
    std::remove(errPath.c_str());
    return result;
}

TEST(CliInfo, PrintsThePanelTreeAndDeviceLinesInBothEditions) {
    EmulatorProcess logger;
    ASSERT_TRUE(logger.start());
    struct Case {
        const char* edition;
        const char* expectedLines[6];
    } cases[] = {
        {"zh",
         {"工作属性\n", "  用 户 名：环境监测实验室\n", "  记录间隔：00:01:00\n", "通道属性\n  启动通道：1，2，4\n",
          "  通道4单位：KPa\n", "设备型号：ZR-TH3000\n序 列 号：A1B2C3D4\n存储容量：60000\n固件版本：2.3\n"}},
        {"en",
         {"Device\n", "  Log interval：00:01:00\n", "  Device status：Recording\n",
          "Channel\n  Channel active：1，2，4\n", "  Channel 1 type：Temperature\n",
          "Device model：ZR-TH3000\nSerial number：A1B2C3D4\nCapacity：60000\nFirmware version：2.3\n"}},
    };
    for (const auto& c : cases) {
        const CommandResult r = RunCli("info --device " + logger.linkPath() + " --edition " + c.edition);
        EXPECT_EQ(r.exitCode, 0) << r.out;
        EXPECT_EQ(r.out.rfind(c.expectedLines[0], 0), 0u) << r.out;  // the first root stands first
        for (const char* line : c.expectedLines) EXPECT_NE(r.out.find(line), std::string::npos) << line;
        EXPECT_EQ(r.out.substr(r.out.size() - 2), "||");  // nothing on stderr
    }
}

TEST(CliInfo, SilentOrMissingPortFailsWithTheConnectMessage) {
    EmulatorProcess silent;
    ASSERT_TRUE(silent.start({"--stop-after", "0"}));
    struct Case {
        std::string device, edition, message;
    } cases[] = {
        {silent.linkPath(), "zh", "设备联机失败，请检查通信情况\n"},
        {"/nonexistent/ttyZorva", "en", "Connecting device fails, check the communication situation\n"},
    };
    for (const auto& c : cases) {
        const CommandResult r = RunCli("info --device " + c.device + " --edition " + c.edition);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.out, "||" + c.message);
    }
}

TEST(CliInfo, BadArgumentsAreRefused) {
    for (const char* args : {"info", "info --port 0", "info --port 300", "info --device", "frobnicate",
                             "info --device /dev/null --edition fr"}) {
        EXPECT_EQ(RunCli(args).exitCode, 2) << args;
    }
}

}  // namespace
