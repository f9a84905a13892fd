#pragma once

#include <vector>

#include "model/Texts.h"

// The title bar's command ids and the rules that decide which of its buttons and menu items can be
// used. Pure functions over the three state flags, so every state can be checked without windows.

enum TitleButtonId {
    kBtnClose = 1134,
    kBtnMinimize = 1135,
    kBtnMaximize = 1136,
    kBtnFileHandle = 1137,
    kBtnStartRealRecord = 1138,
    kBtnStopRealRecord = 1139,
    kBtnHisdataDownload = 1140,
    kBtnDeviceConnect = 1141,
    kBtnDeviceReset = 1142,
    kBtnDeviceStartRecord = 1143,
    kBtnDeviceStopRecord = 1144,
    kBtnParameterConfig = 1145,
    kBtnSystemInfo = 1146,
};
constexpr int kFirstTitleButton = kBtnClose;
constexpr int kLastTitleButton = kBtnSystemInfo;

// Commands of the popup menus, carried out by the main window.
enum MenuCommandId {
    kCmdCommunicationConfig = 1003,
    kCmdSystemConfig = 1005,
    kCmdCalibrateTime = 1006,
    kCmdPropertyBar = 1007,
    kCmdRealtimeBar = 1008,
    kCmdHistoryBar = 1009,
    kCmdDeviceInfo = 1010,
    kCmdAboutSystem = 1011,
    kCmdSaveText = 1012,
    kCmdSavePicture = 1013,
};

// The connection state. Written by the window thread only (the connect thread hands its result over).
struct TitleFlags {
    bool connected = false;
    bool realtimeIdle = true;
    bool downloadIdle = true;
};

// Skin name of a title-bar button ("Close", "DeviceConnect" ...), or nullptr for another id.
const char* TitleButtonName(int id);
// Whether a button starts hidden (the second of each shared pair).
bool TitleButtonInitiallyHidden(int id);
// Whether the button can be used in this state.
bool TitleButtonEnabled(int id, const TitleFlags& flags);

struct MenuItemSpec {
    int id;
    TextId text;
    bool enabled;
    bool checked;
};

// Window menu (DeviceReset): each item checked while its window is visible.
std::vector<MenuItemSpec> WindowMenuItems(bool panelVisible, bool realtimeVisible, bool historyVisible);
// Configuration menu (ParameterConfig): the clock needs an idle, connected logger.
std::vector<MenuItemSpec> ConfigMenuItems(const TitleFlags& flags);
// Information menu (SystemInfo).
std::vector<MenuItemSpec> InfoMenuItems();
