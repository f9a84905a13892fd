#include "model/DeviceInfoLines.h"

#include "model/CodePage.h"
#include "model/Texts.h"

namespace {

// The stored characters, never more; a NUL ends the text as it would in the list box.
std::string StoredCharacters(const std::string& field) {
    return DecodeAnsi(field.substr(0, field.find('\0')));
}

}  // namespace

std::vector<std::string> DeviceInfoLines(const DeviceParameters& block) {
    return {
        FormatText(Tx(TextId::DeviceModelLine), StoredCharacters(block.Model()).c_str()),
        FormatText(Tx(TextId::SerialNumberLine), StoredCharacters(block.SerialNumber()).c_str()),
        FormatText(Tx(TextId::DeviceCapacityLine), unsigned{block.StorageCapacity()}),
        FormatText(Tx(TextId::FirmwareLine), block.Firmware() / 10.0),
    };
}
