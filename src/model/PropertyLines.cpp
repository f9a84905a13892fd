#include "model/PropertyLines.h"

#include "model/ChannelTypeTable.h"
#include "model/CodePage.h"
#include "model/Texts.h"

namespace {

PropertyLine Line(std::string text, PropertyLine::Role role = PropertyLine::Role::None) {
    PropertyLine line;
    line.text = std::move(text);
    line.role = role;
    return line;
}

std::string DateTimeLine(TextId format, const DateTimeField& t) {
    return FormatText(Tx(format), t.year + 2000, t.month, t.day, t.hour, t.minute, t.second);
}

std::vector<PropertyLine> LabelTree() {
    static const TextId kWork[] = {
        TextId::PanelLabelStartTime,  TextId::PanelLabelUserName,    TextId::PanelLabelTitle,
        TextId::PanelLabelCapacity,   TextId::PanelLabelWorkStatus,  TextId::PanelLabelStartMode,
        TextId::PanelLabelStopMode,   TextId::PanelLabelRefresh,     TextId::PanelLabelInterval,
        TextId::PanelLabelRecordMode, TextId::PanelLabelRecordCount, TextId::PanelLabelRemaining,
        TextId::PanelLabelStopCause,
    };
    static const TextId kChannel[] = {
        TextId::PanelLabelActive,      TextId::PanelLabelType,       TextId::PanelLabelUnit,
        TextId::PanelLabelAlarmEnable, TextId::PanelLabelAlarmUpper, TextId::PanelLabelAlarmLower,
        TextId::PanelLabelRangeUpper,  TextId::PanelLabelRangeLower,
    };
    PropertyLine work = Line(Tx(TextId::PanelWorkRoot));
    for (TextId id : kWork) work.children.push_back(Line(Tx(id)));
    PropertyLine channel = Line(Tx(TextId::PanelChannelRoot));
    for (TextId id : kChannel) channel.children.push_back(Line(Tx(id)));
    return {work, channel};
}

PropertyLine StartModeLine(const DeviceParameters& block) {
    switch (block.StartMode()) {
        case 2: {
            PropertyLine line = Line(Tx(TextId::PanelStartTimed));
            line.children.push_back(Line(DateTimeLine(TextId::PanelTimedStartTime,
                                                      block.DateTime(DeviceParameters::kTimedStartTime))));
            line.expanded = true;
            return line;
        }
        case 3:
            return Line(Tx(TextId::PanelStartManual));
        default:
            return Line(Tx(TextId::PanelStartImmediate));
    }
}

PropertyLine StopModeLine(const DeviceParameters& block) {
    PropertyLine line;
    switch (block.StopMode()) {
        case 1:
            return Line(Tx(TextId::PanelStopMemoryFull));
        case 2:
            line = Line(Tx(TextId::PanelStopTimed));
            line.children.push_back(Line(
                DateTimeLine(TextId::PanelTimedStopTime, block.DateTime(DeviceParameters::kTimedStopTime))));
            line.expanded = true;
            return line;
        case 3:
            return Line(Tx(TextId::PanelStopFifo));
        case 4:
            line = Line(Tx(TextId::PanelStopByCount));
            line.children.push_back(Line(FormatText(Tx(TextId::PanelStopCount), int{block.StopCount()})));
            line.expanded = true;
            return line;
        default:
            return Line(Tx(TextId::PanelStopManual));
    }
}

std::string StopCauseLine(const DeviceParameters& block) {
    switch (block.StopCause()) {
        case 1:
            return Tx(TextId::PanelCauseManual);
        case 2:
            return Tx(TextId::PanelCauseMemoryFull);
        case 3:
            return Tx(TextId::PanelCauseTimed);
        case 4:
            return Tx(TextId::PanelCausePc);
        case 5:
            return Tx(TextId::PanelCauseStartPending);
        case 6:
            return Tx(TextId::PanelCauseCountReached);
        case 0x88:
            return Tx(TextId::PanelCauseNotStarted);
        default:
            return Tx(TextId::PanelCauseNotStopped);
    }
}

std::string IntervalLine(const DeviceParameters& block) {
    const uint32_t s = block.RecordInterval();  // whole days are not shown
    return FormatText(Tx(TextId::PanelInterval), int(s / 3600 % 24), int(s / 60 % 60), int(s % 60));
}

PropertyLine WorkRoot(int mode, const DeviceParameters& block) {
    using Role = PropertyLine::Role;
    const bool device = mode == kPanelDevice;
    PropertyLine root = Line(Tx(TextId::PanelWorkRoot));
    root.expanded = true;
    auto& c = root.children;
    c.push_back(
        Line(DateTimeLine(TextId::PanelStartTime, block.DateTime(DeviceParameters::kRecordStartTime))));
    c.push_back(Line(FormatText(Tx(TextId::PanelUserName),
                                DecodeAnsi(block.NameBytes(DeviceParameters::kUserName)).c_str())));
    c.push_back(Line(
        FormatText(Tx(TextId::PanelTitle), DecodeAnsi(block.NameBytes(DeviceParameters::kTitle)).c_str())));
    c.push_back(Line(FormatText(Tx(TextId::PanelCapacity), unsigned{block.StorageCapacity()})));
    c.push_back(Line(WorkStatusLine(block), device ? Role::WorkStatus : Role::None));
    c.push_back(StartModeLine(block));
    c.push_back(StopModeLine(block));
    c.push_back(
        Line(Tx(block.DisplayRefresh() == 0x80 ? TextId::PanelRefreshSync : TextId::PanelRefreshFast)));
    c.push_back(Line(IntervalLine(block)));
    c.push_back(
        Line(Tx(block.RecordMode() != 0 ? TextId::PanelRecordModeAuto : TextId::PanelRecordModeManual)));
    c.push_back(Line(RecordCountLine(block), device ? Role::RecordCount : Role::None));
    c.push_back(Line(RemainingTimeLine(block), device ? Role::RemainingTime : Role::None));
    c.push_back(Line(StopCauseLine(block)));
    return root;
}

PropertyLine ChannelRoot(DeviceParameters& block, UnitTable& units) {
    block.RebuildEnabledChannels();
    const std::vector<int> channels = block.EnabledChannels();
    PropertyLine root = Line(Tx(TextId::PanelChannelRoot));
    root.expanded = true;
    std::string list;
    for (size_t i = 0; i < channels.size(); ++i) {
        if (i > 0) list += Tx(TextId::PanelListSeparator);
        list += std::to_string(channels[i] + 1);
    }
    auto& c = root.children;
    c.push_back(Line(FormatText(Tx(TextId::PanelActive), list.c_str())));
    for (int index : channels) {
        const ChannelConfig ch = block.Channel(index);
        const int n = index + 1;
        c.push_back(Line(FormatText(Tx(TextId::PanelChannelType), n, ChannelTypeName(ch.type).c_str())));
        c.push_back(Line(FormatText(Tx(TextId::PanelChannelUnit), n, units.Lookup(ch.unit).c_str())));
        c.push_back(
            Line(FormatText(Tx(ch.alarmEnabled == 1 ? TextId::PanelAlarmOn : TextId::PanelAlarmOff), n)));
        c.push_back(Line(FormatText(Tx(TextId::PanelAlarmUpper), n, ch.alarmUpper / 10.0)));
        c.push_back(Line(FormatText(Tx(TextId::PanelAlarmLower), n, ch.alarmLower / 10.0)));
        c.push_back(Line(FormatText(Tx(TextId::PanelRangeUpper), n, ch.rangeUpper / 10.0)));
        c.push_back(Line(FormatText(Tx(TextId::PanelRangeLower), n, ch.rangeLower / 10.0)));
    }
    return root;
}

void Render(const std::vector<PropertyLine>& lines, int depth, std::string& out) {
    for (const PropertyLine& line : lines) {
        out.append(static_cast<size_t>(2 * depth), ' ');
        out += line.text;
        out += '\n';
        Render(line.children, depth + 1, out);
    }
}

}  // namespace

std::vector<PropertyLine> BuildPropertyTree(int mode, DeviceParameters& block, UnitTable& units) {
    if (mode < kPanelDevice) return LabelTree();
    return {WorkRoot(mode, block), ChannelRoot(block, units)};
}

std::string WorkStatusLine(const DeviceParameters& block) {
    return Tx(block.WorkStatus() == 1 ? TextId::PanelStatusRecording : TextId::PanelStatusStopped);
}

std::string RecordCountLine(const DeviceParameters& block) {
    return FormatText(Tx(TextId::PanelRecordCount), unsigned{block.RecordCount()});
}

std::string RemainingTimeLine(const DeviceParameters& block) {
    // Unsigned 64 bits: a full 32-bit capacity times a 32-bit interval still fits.
    const uint64_t capacity = block.StorageCapacity(), count = block.RecordCount();
    const uint64_t seconds = capacity > count ? (capacity - count) * block.RecordInterval() : 0;
    const std::string value =
        FormatText(Tx(TextId::PanelRemainingValue), static_cast<unsigned long long>(seconds / 86400),
                   unsigned(seconds / 3600 % 24), unsigned(seconds / 60 % 60), unsigned(seconds % 60));
    return FormatText(Tx(TextId::PanelRemaining), value.c_str());
}

std::string RenderPropertyTree(const std::vector<PropertyLine>& tree) {
    std::string out;
    Render(tree, 0, out);
    return out;
}
