#pragma once

#include <QColor>
#include <QString>

// The few colours the program draws itself around the skin's bitmaps (message box, menus, icon
// buttons). They match the default skin: slate title colours, light content, one teal accent.
namespace SkinStyle {
inline const QColor kTitle{0x1b, 0x26, 0x36};
inline const QColor kTitleLight{0x2a, 0x38, 0x4d};
inline const QColor kContent{0xf4, 0xf6, 0xf9};
inline const QColor kText{0x1f, 0x29, 0x37};
inline const QColor kMutedText{0x94, 0xa3, 0xb8};
inline const QColor kAccent{0x14, 0xa8, 0x9a};
inline const QColor kAccentDark{0x0f, 0x8a, 0x7e};
inline const QColor kLine{0xd5, 0xdb, 0xe3};

// Style sheet of a push button in the accent colour (message box OK and similar dialog buttons).
QString AccentButtonStyleSheet();
}  // namespace SkinStyle
