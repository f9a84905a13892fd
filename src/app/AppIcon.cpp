#include "app/AppIcon.h"

#include <QPainter>
#include <QPolygonF>

QPixmap AppPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 48.0, size / 48.0);
    painter.setBrush(QColor(38, 110, 190));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0, 0, 48, 48), 8, 8);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawPolyline(QPolygonF({QPointF(8, 34), QPointF(18, 22), QPointF(27, 29), QPointF(40, 12)}));
    return picture;
}
