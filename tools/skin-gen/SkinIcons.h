#pragma once

#include <QColor>
#include <QPainter>
#include <QString>

// Vector icons of the default skin, drawn on a 24 x 24 grid (the painter is scaled by the caller).
struct IconInk {
    QColor line;    // strokes of the glyph
    QColor accent;  // record dot, play badge: the one coloured part
    QColor stop;    // stop badges
};

// Names are the title-bar button names ("DeviceConnect", ...). Unknown names draw nothing.
void DrawTitleIcon(QPainter& p, const QString& name, const IconInk& ink);

// The small caret of buttons that open a menu, in the tile's bottom-right corner (tile coordinates).
void DrawMenuCaret(QPainter& p, const QRectF& tile, const QColor& color);

// The program mark on the title bar: a waveform in an accent tile.
void DrawLogo(QPainter& p, const QRectF& box, const QColor& accent);
