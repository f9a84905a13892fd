#pragma once

#include <cstdint>
#include <string>

#include "model/DeviceContext.h"

// The program's settings file beside the executable. Loaded once at start-up from the window thread
// before any worker runs; SaveSetting may be called from the window thread or the connect thread
// (profile writes are serialised).

inline constexpr char kSettingsFileName[] = "Pelnix_Conifg.ini";

inline constexpr char kSectionSkinInfo[] = "Skin_Info";
inline constexpr char kKeySkinPath[] = "Skin_Path";
inline constexpr char kSectionMainInfo[] = "Main_Info";
inline constexpr char kKeyMainBkColor[] = "Main_Bk_Color";
inline constexpr char kKeyDialogBkColor[] = "Dialog_Bk_Color";
inline constexpr char kSectionComParameter[] = "Com_Parameter";
inline constexpr char kKeyComPort[] = "Com_Port";
inline constexpr char kSectionSystem[] = "System";
inline constexpr char kKeySystemAutoSearch[] = "System_Auto_Search";
inline constexpr char kKeySystemDownloadTimeout[] = "System_Download_Timeout";
inline constexpr char kSectionRealInterval[] = "Real_Interval";
inline constexpr char kKeyRealTime[] = "Real_time";
inline constexpr char kSectionConfig[] = "Config";
inline constexpr char kKeyTemperatureType[] = "Temperature_Type";
// Port number to device path: keys "COM<n>", values such as /dev/serial/by-id/... .
inline constexpr char kSectionComDevices[] = "Com_Devices";

inline constexpr char kDefaultSkinFolder[] = "SkinConfig";
inline constexpr int kDefaultOnlineInterval = 60;
inline constexpr int kDefaultDownloadWait = 300;

// Which value SaveSetting writes.
inline constexpr int kSaveComPort = 1;
inline constexpr int kSaveRealTime = 2;
inline constexpr int kSaveTemperatureType = 3;

// Directory of the running executable, ending with '/' ("./" when it cannot be found).
std::string ProgramDirectory();

// Reads every setting into the context (missing file or key: the default), fixes the serial line
// settings, fills comDevices from Com_Devices, and enumerates the serial ports when automatic
// search is on.
void LoadSettings(const std::string& path, DeviceContext& context);

// Writes one value of the current context to program directory + kSettingsFileName:
// 1 Com_Port, 2 Real_time, 3 Temperature_Type; any other value writes nothing. Returns false when
// nothing was written.
bool SaveSetting(int which);

// "red,green,blue" as 0x00BBGGRR: each part a leading decimal number taken modulo 256; no comma
// gives black, a single comma gives the red part alone.
uint32_t ParseColorText(const std::string& text);

// The port number of a Com_Devices key "COM<n>" (any case, n in 1..256), or 0.
int ComDeviceKeyPort(const std::string& key);
