#include "model/Settings.h"

#include <unistd.h>

#include <climits>
#include <vector>

#include "device/SerialPorts.h"
#include "model/ProfileFile.h"

namespace {

constexpr int kHighestPort = 256;

// A leading decimal number modulo 256, read like atoi: blanks, a sign, digits up to a non-digit.
uint32_t ColorPart(const std::string& text, size_t begin, size_t end) {
    size_t i = begin;
    while (i < end && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned value = 0;
    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i)
        value = (value * 10 + unsigned(text[i] - '0')) % 256;
    if (negative) value = (256 - value) % 256;
    return value;
}

}  // namespace

std::string ProgramDirectory() {
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0) return "./";
    std::string path(buffer.data(), static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "./";
    return path.substr(0, slash + 1);
}

uint32_t ParseColorText(const std::string& text) {
    const size_t first = text.find(',');
    if (first == std::string::npos) return 0;
    const uint32_t red = ColorPart(text, 0, first);
    const size_t second = text.find(',', first + 1);
    if (second == std::string::npos) return red;
    const uint32_t green = ColorPart(text, first + 1, second);
    const uint32_t blue = ColorPart(text, second + 1, text.size());
    return red + 256 * green + 65536 * blue;
}

int ComDeviceKeyPort(const std::string& key) {
    if (key.size() < 4 || key.size() > 6) return 0;
    for (int i = 0; i < 3; ++i)
        if ((key[static_cast<size_t>(i)] | 0x20) != "com"[i]) return 0;
    int port = 0;
    for (size_t i = 3; i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9') return 0;
        port = port * 10 + (key[i] - '0');
    }
    return (port >= 1 && port <= kHighestPort) ? port : 0;
}

void LoadSettings(const std::string& path, DeviceContext& context) {
    context.skinFolder = ReadProfileString(path, kSectionSkinInfo, kKeySkinPath, kDefaultSkinFolder);
    context.mainBkColor = ParseColorText(ReadProfileString(path, kSectionMainInfo, kKeyMainBkColor, ""));
    context.dialogBkColor = ParseColorText(ReadProfileString(path, kSectionMainInfo, kKeyDialogBkColor, ""));
    context.portNumber = ReadProfileInt(path, kSectionComParameter, kKeyComPort, 0);
    context.autoSearch = ReadProfileInt(path, kSectionSystem, kKeySystemAutoSearch, 0);
    context.onlineInterval = ReadProfileInt(path, kSectionRealInterval, kKeyRealTime, kDefaultOnlineInterval);
    context.temperatureType = ReadProfileInt(path, kSectionConfig, kKeyTemperatureType, kCelsius);
    context.downloadWait =
        ReadProfileInt(path, kSectionSystem, kKeySystemDownloadTimeout, kDefaultDownloadWait);

    context.baudRate = 115200;
    context.parity = 'n';
    context.dataBits = 8;
    context.stopBits = 1;
    context.retryCount = 3;

    context.comDevices.clear();
    for (const std::string& key : ReadProfileKeys(path, kSectionComDevices)) {
        const int port = ComDeviceKeyPort(key);
        if (port == 0) continue;
        const std::string device = ReadProfileString(path, kSectionComDevices, key, "");
        if (!device.empty()) context.comDevices[port] = device;
    }

    if (context.autoSearch == 1) EnumerateSerialPorts(context);
}

bool SaveSetting(int which) {
    const DeviceContext& context = GetDeviceContext();
    const std::string path = context.programDirectory + kSettingsFileName;
    switch (which) {
        case kSaveComPort:
            return WriteProfileInt(path, kSectionComParameter, kKeyComPort, context.portNumber);
        case kSaveRealTime:
            return WriteProfileInt(path, kSectionRealInterval, kKeyRealTime, context.onlineInterval);
        case kSaveTemperatureType:
            return WriteProfileInt(path, kSectionConfig, kKeyTemperatureType, context.temperatureType);
        default:
            return false;
    }
}
