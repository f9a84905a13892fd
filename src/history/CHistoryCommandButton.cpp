#include "history/CHistoryCommandButton.h"

#include <QPainter>

void CHistoryCommandButton::paintEvent(QPaintEvent* event) {
    // The tile and icon of the skin button, in the upper part; the caption in the lower 14 pixels.
    const int textHeight = 14;
    {
        QPainter p(this);
        if (isEnabled() && (isDown() || IsHovering())) {
            QColor fill = palette().highlight().color();
            fill.setAlpha(isDown() ? 70 : 34);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(fill);
            p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        }
        const int side = qMax(0, qMin(width(), height() - textHeight) - 4);
        const QRect iconRect((width() - side) / 2, 2 + (isDown() ? 1 : 0), side, side);
        icon().paint(&p, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
        QFont font = p.font();
        font.setPixelSize(12);
        p.setFont(font);
        p.setPen(isEnabled() ? Qt::black : Qt::gray);
        p.drawText(QRect(0, height() - textHeight, width(), textHeight), Qt::AlignCenter, text());
    }
    Q_UNUSED(event);
}
