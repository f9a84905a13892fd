#include "app/TitlebarRules.h"

namespace {
const char* const kButtonNames[] = {
    "Close",           "Minimize",          "Maximize",         "FileHandle",
    "StartRealRecord", "StopRealRecord",    "HisdataDownload",  "DeviceConnect",
    "DeviceReset",     "DeviceStartRecord", "DeviceStopRecord", "ParameterConfig",
    "SystemInfo"};
}  // namespace

const char* TitleButtonName(int id) {
    if (id < kFirstTitleButton || id > kLastTitleButton) return nullptr;
    return kButtonNames[id - kFirstTitleButton];
}

bool TitleButtonInitiallyHidden(int id) {
    return id == kBtnStopRealRecord || id == kBtnDeviceStopRecord;
}

bool TitleButtonEnabled(int id, const TitleFlags& f) {
    switch (id) {
        case kBtnStartRealRecord:
        case kBtnStopRealRecord:
            return f.connected && f.downloadIdle;
        case kBtnHisdataDownload:
        case kBtnDeviceStartRecord:
        case kBtnDeviceStopRecord:
            return f.connected && f.realtimeIdle && f.downloadIdle;
        case kBtnDeviceConnect:
        case kBtnParameterConfig:
            return f.realtimeIdle && f.downloadIdle;
        default:
            return true;
    }
}

std::vector<MenuItemSpec> WindowMenuItems(bool panelVisible, bool realtimeVisible, bool historyVisible) {
    return {{kCmdPropertyBar, TextId::MenuPropertyBar, true, panelVisible},
            {kCmdRealtimeBar, TextId::MenuRealtimeBar, true, realtimeVisible},
            {kCmdHistoryBar, TextId::MenuHistoryBar, true, historyVisible}};
}

std::vector<MenuItemSpec> ConfigMenuItems(const TitleFlags& f) {
    return {{kCmdCommunicationConfig, TextId::MenuCommunicationConfig, true, false},
            {kCmdCalibrateTime, TextId::MenuCalibrateTime, f.realtimeIdle && f.downloadIdle && f.connected,
             false},
            {kCmdSystemConfig, TextId::MenuSystemConfig, true, false}};
}

std::vector<MenuItemSpec> InfoMenuItems() {
    return {{kCmdDeviceInfo, TextId::MenuDeviceInfo, true, false},
            {kCmdAboutSystem, TextId::MenuAboutSystem, true, false}};
}
