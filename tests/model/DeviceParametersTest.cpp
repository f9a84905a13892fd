#include <gtest/gtest.h>

#include "model/ChannelTypeTable.h"
#include "model/DeviceContext.h"
#include "model/DeviceParameters.h"
#include "model/Edition.h"

namespace {

struct LayoutCase {
    int capacity;
    int size, channelType, unit, alarmUpper, alarmLower, rangeUpper, rangeLower, enabledList, enabledCount,
        deviceInfo;
};

TEST(DeviceParameters, OffsetsFollowTheChannelCapacity) {
    const LayoutCase cases[] = {
        {6, 204, 113, 119, 125, 137, 149, 161, 173, 179, 180},
        {8, 228, 115, 123, 131, 147, 163, 179, 195, 203, 204},
    };
    for (const auto& c : cases) {
        const auto l = DeviceParameters::LayoutFor(c.capacity);
        EXPECT_EQ(l.size, c.size);
        EXPECT_EQ(l.channelType, c.channelType);
        EXPECT_EQ(l.unit, c.unit);
        EXPECT_EQ(l.alarmUpper, c.alarmUpper);
        EXPECT_EQ(l.alarmLower, c.alarmLower);
        EXPECT_EQ(l.rangeUpper, c.rangeUpper);
        EXPECT_EQ(l.rangeLower, c.rangeLower);
        EXPECT_EQ(l.enabledList, c.enabledList);
        EXPECT_EQ(l.enabledCount, c.enabledCount);
        EXPECT_EQ(l.deviceInfo, c.deviceInfo);
        EXPECT_EQ(DeviceParameters(c.capacity).Size(), static_cast<size_t>(c.size));
    }
}

TEST(DeviceParameters, MaskBuildsEnabledListAndSkipsBitsBeyondCapacity) {
    struct Case {
        int capacity;
        uint8_t mask;
        std::vector<int> expected;
    } cases[] = {
        {6, 0x05, {0, 2}},       {8, 0x05, {0, 2}},          {6, 0x00, {}},
        {6, 0xC1, {0}},          {8, 0xC1, {0, 6, 7}},       {6, 0x3F, {0, 1, 2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        DeviceParameters p(c.capacity);
        p.SetByte(DeviceParameters::kChannelMask, c.mask);
        p.RebuildEnabledChannels();
        EXPECT_EQ(p.EnabledChannels(), c.expected) << "mask " << int(c.mask) << " capacity " << c.capacity;
        EXPECT_EQ(p.EnabledCount(), static_cast<int>(c.expected.size()));
    }
}

TEST(DeviceParameters, RemainingRecordTimeNeverNegative) {
    struct Case {
        uint32_t capacity, count, interval;
        uint64_t expected;
    } cases[] = {
        {1000, 1000, 60, 0},
        {1000, 1200, 60, 0},
        {1000, 400, 60, 36000},
        {0xFFFFFFFF, 0, 0xFFFFFFFF, uint64_t{0xFFFFFFFF} * 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        DeviceParameters p(6);
        p.SetBigEndian32(p.Offsets().deviceInfo + DeviceParameters::kInfoCapacity, c.capacity);
        p.SetBigEndian32(DeviceParameters::kRecordCount, c.count);
        p.SetBigEndian32(DeviceParameters::kRecordInterval, c.interval);
        EXPECT_EQ(p.RemainingRecordTime(), c.expected);
    }
}

TEST(DeviceParameters, ChannelViewRoundTripsAtTheEditionOffsets) {
    for (int capacity : {6, 8}) {
        DeviceParameters p(capacity);
        ChannelConfig c{3, 4, 1, 355, -100, 1000, -400};
        p.SetChannel(capacity - 1, c);
        const ChannelConfig back = p.Channel(capacity - 1);
        EXPECT_EQ(back.type, 3);
        EXPECT_EQ(back.unit, 4);
        EXPECT_EQ(back.alarmUpper, 355);
        EXPECT_EQ(back.alarmLower, -100);
        EXPECT_EQ(back.rangeUpper, 1000);
        EXPECT_EQ(back.rangeLower, -400);
        // Native little-endian at the last slot of the range-lower area, just before the list.
        const int o = p.Offsets().rangeLower + 2 * (capacity - 1);
        EXPECT_EQ(p.Byte(o), 0x70);
        EXPECT_EQ(p.Byte(o + 1), 0xFE);
    }
}

TEST(DeviceParameters, AccessOutsideTheBlockThrowsInsteadOfWriting) {
    DeviceParameters p(6);
    EXPECT_THROW(p.SetByte(204, 1), std::out_of_range);
    EXPECT_THROW(p.SetBigEndian32(202, 1), std::out_of_range);
    EXPECT_THROW(p.SetNative16(-1, 1), std::out_of_range);
}

TEST(UnitTable, KnownAndUnknownCodes) {
    UnitTable units;
    EXPECT_EQ(units.Lookup(1), "℃");
    EXPECT_EQ(units.Lookup(32), "℉");
    EXPECT_EQ(units.Lookup(19), "立方米/小时");
    EXPECT_FALSE(units.Contains(99));
    EXPECT_EQ(units.Lookup(99), "");
    EXPECT_TRUE(units.Contains(99));
}

TEST(ChannelTypeTable, EditionsDifferInSizeAndFirstNames) {
    EXPECT_EQ(ChannelTypeCount(Edition::Chinese), 28);
    EXPECT_EQ(ChannelTypeCount(Edition::English), 24);
    EXPECT_EQ(ChannelTypeNameIn(Edition::Chinese, 1), "温度");
    EXPECT_EQ(ChannelTypeNameIn(Edition::English, 1), "Temperature");
    EXPECT_EQ(ChannelTypeNameIn(Edition::English, 2), "Humidity");
    EXPECT_EQ(ChannelTypeNameIn(Edition::English, 23), "O2");
    EXPECT_EQ(ChannelTypeNameIn(Edition::English, 24), "");
    EXPECT_EQ(ChannelTypeNameIn(Edition::Chinese, 27), "电导率");
    EXPECT_EQ(ChannelTypeNameIn(Edition::Chinese, 28), "");
    EXPECT_EQ(ChannelTypeNameIn(Edition::Chinese, -1), "");
}

TEST(DeviceContext, FreshContextDefaultsAndEditionSizedBlocks) {
    for (Edition e : {Edition::Chinese, Edition::English}) {
        SetEdition(e);
        DestroyDeviceContext();
        DeviceContext& c = GetDeviceContext();
        EXPECT_EQ(c.mainBkColor, 0x808080u);
        EXPECT_EQ(c.onlineInterval, 60);
        EXPECT_EQ(c.downloadWait, 0);
        EXPECT_EQ(c.autoSearch, 0);
        EXPECT_EQ(c.deviceParameters.Size(), static_cast<size_t>(DeviceParameters::SizeFor(ChannelCapacity())));
        EXPECT_EQ(&c, &GetDeviceContext());
    }
    SetEdition(Edition::Chinese);
    DestroyDeviceContext();
}

}  // namespace
