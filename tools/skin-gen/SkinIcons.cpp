#include "SkinIcons.h"

#include <QPainterPath>
#include <QtMath>

namespace {

QPen Stroke(const QColor& c, qreal w = 1.7) {
    QPen pen(c, w);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Folder(QPainter& p, const IconInk& ink) {
    QPainterPath back;
    back.moveTo(3.5, 18.5);
    back.lineTo(3.5, 6.5);
    back.quadTo(3.5, 5, 5, 5);
    back.lineTo(9, 5);
    back.lineTo(11, 7.5);
    back.lineTo(18, 7.5);
    back.quadTo(19.5, 7.5, 19.5, 9);
    back.lineTo(19.5, 10.5);
    p.setPen(Stroke(ink.line));
    p.setBrush(Qt::NoBrush);
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(3.5, 18.5);
    front.lineTo(6.2, 11.3);
    front.quadTo(6.6, 10.5, 7.5, 10.5);
    front.lineTo(20.6, 10.5);
    front.quadTo(21.6, 10.6, 21.2, 11.6);
    front.lineTo(18.6, 18);
    front.quadTo(18.3, 18.5, 17.6, 18.5);
    front.closeSubpath();
    p.drawPath(front);
}

void Plug(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line));
    p.setBrush(Qt::NoBrush);
    // Two halves of a connector meeting in the middle, cable ends leaving at the corners.
    p.save();
    p.translate(12, 12);
    p.rotate(-45);
    p.drawRoundedRect(QRectF(-4.5, -9.5, 9, 6.5), 1.8, 1.8);
    p.drawLine(QPointF(-2, -3), QPointF(-2, -0.8));
    p.drawLine(QPointF(2, -3), QPointF(2, -0.8));
    p.drawRoundedRect(QRectF(-4.5, 1.2, 9, 6.5), 1.8, 1.8);
    p.drawLine(QPointF(0, -9.5), QPointF(0, -11.8));
    p.drawLine(QPointF(0, 7.7), QPointF(0, 11.8));
    p.restore();
    // Spark of the connection in the accent colour.
    p.setPen(Stroke(ink.accent, 1.5));
    p.drawLine(QPointF(16.3, 4.2), QPointF(17.2, 2.6));
    p.drawLine(QPointF(19.6, 7.5), QPointF(21.2, 6.7));
    p.drawLine(QPointF(18.4, 5.4), QPointF(20, 3.8));
}

void Ring(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 8.5, 8.5);
}

void Record(QPainter& p, const IconInk& ink) {
    Ring(p, ink);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.stop);
    p.drawEllipse(QPointF(12, 12), 4.4, 4.4);
}

void StopRecord(QPainter& p, const IconInk& ink) {
    Ring(p, ink);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.stop);
    p.drawRoundedRect(QRectF(8.4, 8.4, 7.2, 7.2), 1.4, 1.4);
}

void Wave(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line));
    p.setBrush(Qt::NoBrush);
    QPainterPath wave;
    wave.moveTo(2.5, 12.5);
    wave.lineTo(6.2, 12.5);
    wave.lineTo(8.4, 6.5);
    wave.lineTo(11.4, 18);
    wave.lineTo(13.6, 10);
    wave.lineTo(15, 12.5);
    wave.lineTo(16.5, 12.5);
    p.drawPath(wave);
}

void Badge(QPainter& p, const QColor& fill, bool play, bool dim) {
    const QPointF c(18.2, 17.6);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(c, 5.2, 5.2);
    // A disabled badge keeps its shape but loses the bright glyph.
    p.setBrush(dim ? QColor(0x18, 0x22, 0x2f) : QColor(Qt::white));
    if (play) {
        QPolygonF tri;
        tri << QPointF(c.x() - 1.6, c.y() - 2.6) << QPointF(c.x() + 2.8, c.y())
            << QPointF(c.x() - 1.6, c.y() + 2.6);
        p.drawPolygon(tri);
    } else {
        p.drawRoundedRect(QRectF(c.x() - 2.2, c.y() - 2.2, 4.4, 4.4), 0.6, 0.6);
    }
}

void Download(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(12, 3.5), QPointF(12, 14.5));
    QPainterPath head;
    head.moveTo(7.5, 10.5);
    head.lineTo(12, 15);
    head.lineTo(16.5, 10.5);
    p.drawPath(head);
    QPainterPath tray;
    tray.moveTo(3.5, 14.5);
    tray.lineTo(3.5, 18.5);
    tray.quadTo(3.5, 20.5, 5.5, 20.5);
    tray.lineTo(18.5, 20.5);
    tray.quadTo(20.5, 20.5, 20.5, 18.5);
    tray.lineTo(20.5, 14.5);
    p.drawPath(tray);
}

void Gear(QPainter& p, const IconInk& ink) {
    QPainterPath gear;
    const QPointF c(11, 11);
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const qreal a = (i - 1.5) * M_PI * 2 / (teeth * 4);
        const bool outer = (i % 4) < 2;
        const qreal r = outer ? 8.4 : 6.4;
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    p.setPen(Stroke(ink.line, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(gear);
    p.drawEllipse(c, 2.8, 2.8);
}

void Windows(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2.5, 4, 17, 14), 2, 2);
    p.drawLine(QPointF(2.5, 8), QPointF(19.5, 8));
    p.drawLine(QPointF(8, 8), QPointF(8, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(ink.accent);
    p.drawRoundedRect(QRectF(10.2, 10.2, 7.2, 5.6), 1, 1);
}

void Info(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(11, 11), 8.5, 8.5);
    p.setPen(Qt::NoPen);
    p.setBrush(ink.line);
    p.drawEllipse(QPointF(11, 7.2), 1.2, 1.2);
    p.setPen(Stroke(ink.line, 1.9));
    p.drawLine(QPointF(11, 10.4), QPointF(11, 15.2));
}

void Minimize(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line, 1.3));
    p.drawLine(QPointF(7, 12.5), QPointF(17, 12.5));
}

void Maximize(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7.5, 7.5, 9, 9), 1.2, 1.2);
}

void Close(QPainter& p, const IconInk& ink) {
    p.setPen(Stroke(ink.line, 1.3));
    p.drawLine(QPointF(7.5, 7.5), QPointF(16.5, 16.5));
    p.drawLine(QPointF(16.5, 7.5), QPointF(7.5, 16.5));
}

}  // namespace

void DrawTitleIcon(QPainter& p, const QString& name, const IconInk& ink) {
    p.save();
    if (name == QLatin1String("FileHandle"))
        Folder(p, ink);
    else if (name == QLatin1String("DeviceConnect"))
        Plug(p, ink);
    else if (name == QLatin1String("DeviceStartRecord"))
        Record(p, ink);
    else if (name == QLatin1String("DeviceStopRecord"))
        StopRecord(p, ink);
    else if (name == QLatin1String("StartRealRecord")) {
        Wave(p, ink);
        Badge(p, ink.accent, true, ink.accent == ink.line);
    } else if (name == QLatin1String("StopRealRecord")) {
        Wave(p, ink);
        Badge(p, ink.stop, false, ink.stop == ink.line);
    } else if (name == QLatin1String("HisdataDownload"))
        Download(p, ink);
    else if (name == QLatin1String("ParameterConfig"))
        Gear(p, ink);
    else if (name == QLatin1String("DeviceReset"))
        Windows(p, ink);
    else if (name == QLatin1String("SystemInfo"))
        Info(p, ink);
    else if (name == QLatin1String("Minimize"))
        Minimize(p, ink);
    else if (name == QLatin1String("Maximize"))
        Maximize(p, ink);
    else if (name == QLatin1String("Close"))
        Close(p, ink);
    p.restore();
}

void DrawMenuCaret(QPainter& p, const QRectF& tile, const QColor& color) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    const QPointF c(tile.right() - 7, tile.bottom() - 7);
    QPolygonF tri;
    tri << QPointF(c.x() - 3, c.y() - 1.5) << QPointF(c.x() + 3, c.y() - 1.5) << QPointF(c.x(), c.y() + 1.8);
    p.drawPolygon(tri);
    p.restore();
}

void DrawLogo(QPainter& p, const QRectF& box, const QColor& accent) {
    p.save();
    QLinearGradient fill(box.topLeft(), box.bottomRight());
    fill.setColorAt(0, accent.lighter(118));
    fill.setColorAt(1, accent.darker(118));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(box, box.width() * 0.24, box.width() * 0.24);
    const qreal s = box.width() / 24.0;
    p.translate(box.topLeft());
    p.scale(s, s);
    QPen pen(Qt::white, 2.0);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    QPainterPath wave;
    wave.moveTo(4.5, 13.5);
    wave.lineTo(8, 13.5);
    wave.lineTo(10, 7.5);
    wave.lineTo(13.2, 17.5);
    wave.lineTo(15.4, 11);
    wave.lineTo(16.6, 13.5);
    wave.lineTo(19.5, 13.5);
    p.drawPath(wave);
    p.restore();
}
