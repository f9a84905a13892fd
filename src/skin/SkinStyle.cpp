#include "skin/SkinStyle.h"

QString SkinStyle::AccentButtonStyleSheet() {
    return QStringLiteral(
               "QPushButton { background: %1; color: white; border: none; border-radius: 4px;"
               " padding: 5px 22px; min-width: 64px; }"
               "QPushButton:hover { background: %2; }"
               "QPushButton:pressed { background: %3; }"
               "QPushButton:focus { outline: none; }"
               "QPushButton:disabled { background: %4; color: %5; }")
        .arg(kAccent.name(), kAccent.lighter(110).name(), kAccentDark.name(), kLine.name(),
             kMutedText.name());
}
