#pragma once

#include <QColor>
#include <cstdint>

// Colours are kept as 0x00BBGGRR, the way the settings file stores them.
inline QColor ColorFromRef(uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}
