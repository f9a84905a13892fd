#pragma once

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The frame every popup dialog (CPopDlgFrame) draws. Process-wide, filled once at start-up by
// LoadPopupFrameSkin before the first popup dialog; read afterwards. GUI thread only.
struct PopupFrameSkin {
    QImage frame;          // nine-part frame image; null: plain dialogs (no frame, no rounded shape)
    QMargins border;       // left, top, right, bottom margins that are not stretched
    QSize roundSize;       // corner ellipse of the rounded window shape
    QRect titleRect;       // left, top and height of the title text
    QPoint closeDistance;  // close button: x from the right edge, y from the top
    QSize closeSize;       // width and height of Close_Position
    QImage closeNormal;    // cut out of Close_Up .. Close_Disable at Close_Position
    QImage closeHover;
    QImage closePressed;
    QImage closeDisabled;
};

PopupFrameSkin& GetPopupFrameSkin();

// Reads programDirectory + skinFolder + "/" + fileName ("public_config.ini"). Missing images and keys
// leave the matching fields empty; nothing is shown. Replaces whatever was loaded before.
void LoadPopupFrameSkin(const QString& programDirectory, const QString& skinFolder, const QString& fileName);
