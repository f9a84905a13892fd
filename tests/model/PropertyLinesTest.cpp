#include <gtest/gtest.h>

#include "model/DeviceContext.h"
#include "model/DeviceInfoLines.h"
#include "model/Edition.h"
#include "model/PropertyLines.h"
#include "model/UnitTable.h"
#include "support/EditionScope.h"

namespace {


// A recording logger with timed start and stop, channels 1 and 3 active.
DeviceParameters SampleBlock(int capacity) {
    DeviceParameters p(capacity);
    p.SetNameBytes(DeviceParameters::kUserName, "\xBB\xB7\xBE\xB3");  // "环境" in the ANSI code page
    p.SetNameBytes(DeviceParameters::kTitle, "Lab A");
    p.SetByte(DeviceParameters::kRecordMode, 1);
    p.SetByte(DeviceParameters::kWorkStatus, 1);
    p.SetByte(DeviceParameters::kStartMode, 2);
    p.SetByte(DeviceParameters::kStopMode, 2);
    p.SetByte(DeviceParameters::kStopCause, 5);
    p.SetByte(DeviceParameters::kDisplayRefresh, 0x80);
    p.SetBigEndian32(DeviceParameters::kRecordInterval, 90061);
    p.SetDateTime(DeviceParameters::kRecordStartTime, {24, 3, 5, 8, 9, 10});
    p.SetDateTime(DeviceParameters::kTimedStartTime, {24, 3, 6, 0, 0, 0});
    p.SetDateTime(DeviceParameters::kTimedStopTime, {25, 12, 31, 23, 59, 58});
    p.SetBigEndian32(DeviceParameters::kRecordCount, 400);
    p.SetBigEndian32(p.Offsets().deviceInfo + DeviceParameters::kInfoCapacity, 1000);
    p.SetByte(DeviceParameters::kChannelMask, 0x05);
    p.SetChannel(0, {1, 1, 1, 355, -105, 1250, -400});
    p.SetChannel(2, {2, 4, 0, 900, 100, 1000, 0});
    return p;
}

TEST(PropertyLines, LabelsBeforeAnyConnect) {
    const char* chinese =
        "工作属性\n  启动时间：\n  用 户 名：\n  标    题：\n  存储容量：\n  工作状态：\n  启动方式：\n  "
        "停止方式：\n"
        "  显示刷新：\n  记录间隔：\n  记录模式：\n  记录次数：\n  剩余时间：\n  停机原因：\n"
        "通道属性\n  启动通道：\n  通道类型：\n  通道单位：\n  通道报警使能：\n  通道报警上限：\n  "
        "通道报警下限：\n"
        "  通道量程上限：\n  通道量程下限：\n";
    const char* english =
        "Device\n  Start time：\n  User name：\n  Title：\n  Capacity：\n  Device status：\n  Start mode：\n"
        "  Stop mode：\n  Refresh：\n  Log interval：\n  Log mode：\n  Log number：\n  Residue Time：\n"
        "  Stop cause：\nChannel\n  Channel active：\n  Channel type：\n  Channel unit：\n  Channel alarm "
        "en：\n"
        "  Channel alarm up：\n  Channel alarm down：\n  Channel range up：\n  Channel range down：\n";
    for (Edition edition : {Edition::Chinese, Edition::English}) {
        EditionScope scope(edition);
        DeviceParameters block = SampleBlock(ChannelCapacity());
        UnitTable units;
        for (int mode : {0, -1}) {
            const auto tree = BuildPropertyTree(mode, block, units);
            EXPECT_EQ(RenderPropertyTree(tree), edition == Edition::Chinese ? chinese : english);
            ASSERT_EQ(tree.size(), 2u);
            EXPECT_FALSE(tree[0].expanded);
            EXPECT_FALSE(tree[1].expanded);
        }
        EXPECT_EQ(block.EnabledCount(), 0);  // labels leave the block alone
    }
}

TEST(PropertyLines, FullTreeOfABlockInBothEditions) {
    const char* chinese =
        "工作属性\n  启动时间：2024-03-05 08:09:10\n  用 户 名：环境\n  标    题：Lab A\n  存储容量：1000\n"
        "  工作状态：正在记录\n  启动方式：定时启动\n    定时启动时间：2024-03-06 00:00:00\n"
        "  停止方式：定时停止\n    定时停止时间：2025-12-31 23:59:58\n  显示刷新：记录同步\n"
        "  记录间隔：01:01:01\n  记录模式：自动模式\n  记录次数：400\n  剩余时间：625天10时10分0秒\n"
        "  停机原因：定时启动，还未启动\n"
        "通道属性\n  启动通道：1，3\n  通道1类型：温度\n  通道1单位：℃\n  通道1报警使能：开启\n"
        "  通道1报警上限：35.5\n  通道1报警下限：-10.5\n  通道1量程上限：125.0\n  通道1量程下限：-40.0\n"
        "  通道3类型：湿度\n  通道3单位：%RH\n  通道3报警使能：关闭\n  通道3报警上限：90.0\n"
        "  通道3报警下限：10.0\n  通道3量程上限：100.0\n  通道3量程下限：0.0\n";
    const char* english =
        "Device\n  Start time：2024-03-05 08:09:10\n  User name：\xC2\xBB\xC2\xB7\xC2\xBE\xC2\xB3\n"
        "  Title：Lab A\n  Capacity：1000\n  Device status：Recording\n  Start mode：Timing\n"
        "    Regular start time：2024-03-06 00:00:00\n  Stop mode：Timing\n"
        "    Regular stop time：2025-12-31 23:59:58\n  Refresh：Synchronous\n  Log interval：01:01:01\n"
        "  Log mode：Auto\n  Log number：400\n  Residue Time：625D10H10M0S\n"
        "  Stop cause：start by timing, but has not started\n"
        "Channel\n  Channel active：1，3\n  Channel 1 type：Temperature\n  Channel 1 unit：℃\n"
        "  Channel 1 alarm en：Open\n  Channel 1 alarm up：35.5\n  Channel 1 alarm down：-10.5\n"
        "  Channel 1 range up：125.0\n  Channel 1 range down：-40.0\n  Channel 3 type：Humidity\n"
        "  Channel 3 unit：%RH\n  Channel 3 alarm en：Close\n  Channel 3 alarm up：90.0\n"
        "  Channel 3 alarm down：10.0\n  Channel 3 range up：100.0\n  Channel 3 range down：0.0\n";
    for (Edition edition : {Edition::Chinese, Edition::English}) {
        EditionScope scope(edition);
        DeviceParameters block = SampleBlock(ChannelCapacity());
        UnitTable units;
        const auto tree = BuildPropertyTree(kPanelHistory, block, units);
        EXPECT_EQ(RenderPropertyTree(tree), edition == Edition::Chinese ? chinese : english);
        EXPECT_TRUE(tree[0].expanded);
        EXPECT_TRUE(tree[1].expanded);
        EXPECT_TRUE(tree[0].children[5].expanded);  // timed start shows its time
        EXPECT_TRUE(tree[0].children[6].expanded);
        EXPECT_EQ(block.EnabledChannels(), (std::vector<int>{0, 2}));  // the list other parts read
    }
}

TEST(PropertyLines, InPlaceLinesCarryTheirRoleOnlyForTheConnectedLogger) {
    using Role = PropertyLine::Role;
    DeviceParameters block = SampleBlock(ChannelCapacity());
    UnitTable units;
    for (int mode : {kPanelDevice, kPanelHistory}) {
        std::vector<Role> roles;
        for (const auto& line : BuildPropertyTree(mode, block, units)[0].children) roles.push_back(line.role);
        std::vector<Role> expected(13, Role::None);
        if (mode == kPanelDevice) {
            expected[4] = Role::WorkStatus;
            expected[10] = Role::RecordCount;
            expected[11] = Role::RemainingTime;
        }
        EXPECT_EQ(roles, expected) << "mode " << mode;
    }
    // The single-line formatters give exactly the text of their tree line.
    const auto tree = BuildPropertyTree(kPanelDevice, block, units);
    EXPECT_EQ(WorkStatusLine(block), tree[0].children[4].text);
    EXPECT_EQ(RecordCountLine(block), tree[0].children[10].text);
    EXPECT_EQ(RemainingTimeLine(block), tree[0].children[11].text);
    block.SetByte(DeviceParameters::kWorkStatus, 0);
    EXPECT_EQ(WorkStatusLine(block), "工作状态：停止状态");
}

TEST(PropertyLines, ModeLinesAndTheirChildren) {
    struct Case {
        int startMode, stopMode, line;  // line 5 start mode, 6 stop mode
        const char* text;
        const char* child;  // nullptr: no child, not expanded
    } cases[] = {
        {2, 5, 5, "启动方式：定时启动", "定时启动时间：2024-03-06 00:00:00"},
        {3, 5, 5, "启动方式：手动启动", nullptr},
        {1, 5, 5, "启动方式：立即启动", nullptr},
        {0, 5, 5, "启动方式：立即启动", nullptr},
        {9, 5, 5, "启动方式：立即启动", nullptr},
        {1, 1, 6, "停止方式：存储器满停止", nullptr},
        {1, 2, 6, "停止方式：定时停止", "定时停止时间：2025-12-31 23:59:58"},
        {1, 3, 6, "停止方式：先进先出", nullptr},
        {1, 4, 6, "停止方式：按记录次数停止", "停止次数：65000"},
        {1, 5, 6, "停止方式：手动停止", nullptr},
        {1, 0, 6, "停止方式：手动停止", nullptr},
    };
    UnitTable units;
    for (const auto& c : cases) {
        DeviceParameters block = SampleBlock(ChannelCapacity());
        block.SetByte(DeviceParameters::kStartMode, static_cast<uint8_t>(c.startMode));
        block.SetByte(DeviceParameters::kStopMode, static_cast<uint8_t>(c.stopMode));
        block.SetBigEndian16(DeviceParameters::kStopCount, 65000);  // above 32767: read unsigned
        const PropertyLine line = BuildPropertyTree(kPanelDevice, block, units)[0].children[c.line];
        EXPECT_EQ(line.text, c.text);
        if (c.child) {
            ASSERT_EQ(line.children.size(), 1u) << c.text;
            EXPECT_EQ(line.children[0].text, c.child);
            EXPECT_TRUE(line.expanded);
        } else {
            EXPECT_TRUE(line.children.empty()) << c.text;
            EXPECT_FALSE(line.expanded) << c.text;
        }
    }
}

TEST(PropertyLines, CodesOutsideTheirListsFallToTheLastCase) {
    struct Case {
        int offset, value, line;
        const char* text;
    } cases[] = {
        {DeviceParameters::kStopCause, 1, 12, "停机原因：手动停止"},
        {DeviceParameters::kStopCause, 2, 12, "停机原因：记满停止"},
        {DeviceParameters::kStopCause, 3, 12, "停机原因：定时停止"},
        {DeviceParameters::kStopCause, 4, 12, "停机原因：PC停机"},
        {DeviceParameters::kStopCause, 6, 12, "停机原因：达到设定的记录次数停止"},
        {DeviceParameters::kStopCause, 136, 12, "停机原因：未启动"},
        {DeviceParameters::kStopCause, 0, 12, "停机原因：未停止"},
        {DeviceParameters::kStopCause, 7, 12, "停机原因：未停止"},
        {DeviceParameters::kDisplayRefresh, 0, 7, "显示刷新：快速"},
        {DeviceParameters::kDisplayRefresh, 1, 7, "显示刷新：快速"},
        {DeviceParameters::kRecordMode, 0, 9, "记录模式：手动模式"},
        {DeviceParameters::kRecordMode, 7, 9, "记录模式：自动模式"},
        {DeviceParameters::kWorkStatus, 2, 4, "工作状态：停止状态"},
    };
    UnitTable units;
    for (const auto& c : cases) {
        DeviceParameters block = SampleBlock(ChannelCapacity());
        block.SetByte(c.offset, static_cast<uint8_t>(c.value));
        EXPECT_EQ(BuildPropertyTree(kPanelDevice, block, units)[0].children[c.line].text, c.text);
    }
}

TEST(PropertyLines, IntervalAndRemainingTime) {
    struct Case {
        uint32_t capacity, count, interval;
        const char *intervalLine, *remaining, *remainingEnglish;
    } cases[] = {
        {1000, 400, 60, "记录间隔：00:01:00", "剩余时间：0天10时0分0秒", "Residue Time：0D10H0M0S"},
        {1000, 1200, 60, "记录间隔：00:01:00", "剩余时间：0天0时0分0秒", "Residue Time：0D0H0M0S"},
        {1000, 1000, 5, "记录间隔：00:00:05", "剩余时间：0天0时0分0秒", "Residue Time：0D0H0M0S"},
        {2, 1, 90061, "记录间隔：01:01:01", "剩余时间：1天1时1分1秒", "Residue Time：1D1H1M1S"},
        // the largest block values: 64-bit unsigned arithmetic, no overflow
        {0xFFFFFFFF, 0, 0xFFFFFFFF, "记录间隔：06:28:15", "剩余时间：213503982235180天18时3分45秒",
         "Residue Time：213503982235180D18H3M45S"},
    };
    UnitTable units;
    for (const auto& c : cases) {
        DeviceParameters block = SampleBlock(ChannelCapacity());
        block.SetBigEndian32(block.Offsets().deviceInfo + DeviceParameters::kInfoCapacity, c.capacity);
        block.SetBigEndian32(DeviceParameters::kRecordCount, c.count);
        block.SetBigEndian32(DeviceParameters::kRecordInterval, c.interval);
        const auto tree = BuildPropertyTree(kPanelDevice, block, units);
        EXPECT_EQ(tree[0].children[8].text, c.intervalLine);
        EXPECT_EQ(tree[0].children[11].text, c.remaining);
        EditionScope english(Edition::English);
        EXPECT_EQ(RemainingTimeLine(block), c.remainingEnglish);
    }
}

TEST(PropertyLines, ActiveChannelListAndUnknownCodes) {
    struct Case {
        uint8_t mask;
        const char* active;
        size_t lines;
    } cases[] = {
        {0x00, "启动通道：", 1},
        {0x0D, "启动通道：1，3，4", 1 + 3 * 7},
        {0xC1, "启动通道：1", 1 + 7},  // no slots for channels 7 and 8 in this edition
    };
    UnitTable units;
    for (const auto& c : cases) {
        DeviceParameters block = SampleBlock(ChannelCapacity());
        block.SetByte(DeviceParameters::kChannelMask, c.mask);
        const auto tree = BuildPropertyTree(kPanelHistory, block, units);
        EXPECT_EQ(tree[1].children[0].text, c.active);
        EXPECT_EQ(tree[1].children.size(), c.lines);
    }

    DeviceParameters block = SampleBlock(ChannelCapacity());
    block.SetChannel(0, {30, 99, 1, 0, 0, 0, 0});
    const auto tree = BuildPropertyTree(kPanelHistory, block, units);
    EXPECT_EQ(tree[1].children[1].text, "通道1类型：");
    EXPECT_EQ(tree[1].children[2].text, "通道1单位：");
    EXPECT_TRUE(units.Contains(99));
}

TEST(PropertyLines, RenderIndentsTwoSpacesPerLevel) {
    PropertyLine leaf{"c", PropertyLine::Role::None, false, {}};
    PropertyLine middle{"b", PropertyLine::Role::None, true, {leaf}};
    PropertyLine root{"a", PropertyLine::Role::None, true, {middle, leaf}};
    EXPECT_EQ(RenderPropertyTree({root, leaf}), "a\n  b\n    c\n  c\nc\n");
    EXPECT_EQ(RenderPropertyTree({}), "");
}

TEST(DeviceInfoLines, FourLinesFromDeviceInfo) {
    const std::vector<std::string> chinese{"设备型号：ZV-LOG-08", "序 列 号：20240315", "存储容量：65536",
                                           "固件版本：2.3"};
    const std::vector<std::string> english{"Device model：ZV-LOG-08", "Serial number：20240315",
                                           "Capacity：65536", "Firmware version：2.3"};
    for (Edition edition : {Edition::Chinese, Edition::English}) {
        EditionScope scope(edition);
        DeviceParameters block(ChannelCapacity());
        const int info = block.Offsets().deviceInfo;
        // Model and serial number run together unterminated: each line takes only its own characters.
        const std::string stored = "ZV-LOG-0820240315";
        for (size_t i = 0; i < stored.size(); ++i)
            block.SetByte(info + static_cast<int>(i), uint8_t(stored[i]));
        block.SetByte(info + DeviceParameters::kInfoFirmware, 23);
        block.SetBigEndian32(info + DeviceParameters::kInfoCapacity, 65536);
        EXPECT_EQ(DeviceInfoLines(block), edition == Edition::Chinese ? chinese : english);
    }
}

TEST(DeviceInfoLines, ShortModelStopsAtItsNul) {
    DeviceParameters block(ChannelCapacity());
    const int info = block.Offsets().deviceInfo;
    block.SetByte(info, 'Z');
    block.SetByte(info + 1, 'V');
    block.SetByte(info + DeviceParameters::kInfoSerial, '7');
    const auto lines = DeviceInfoLines(block);
    EXPECT_EQ(lines[0], "设备型号：ZV");
    EXPECT_EQ(lines[1], "序 列 号：7");
    EXPECT_EQ(lines[3], "固件版本：0.0");
}

}  // namespace
