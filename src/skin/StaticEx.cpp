#include "skin/StaticEx.h"

#include <QPainter>

CStaticEx::CStaticEx(QWidget* parent, int controlId) : QWidget(parent), m_controlId(controlId) {
    setProperty("controlId", controlId);
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
}

void CStaticEx::SetText(const QString& text) {
    m_text = text;
    update();
}

void CStaticEx::SetTextColor(const QColor& color) {
    m_textColor = color;
    update();
}

void CStaticEx::SetBackColor(const QColor& color) {
    m_backColor = color;
    update();
}

void CStaticEx::SetOpaque(bool opaque) {
    m_opaque = opaque;
    update();
}

void CStaticEx::SetFont(const QFont& font) {
    m_font = font;
    m_hasFont = true;
    update();
}

QFont CStaticEx::PaintFont() const {
    if (m_hasFont) return m_font;
    QFont font = parentWidget() ? parentWidget()->font() : this->font();
    font.setPixelSize(qMax(1, height()));
    return font;
}

void CStaticEx::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_opaque) painter.fillRect(rect(), m_backColor);
    painter.setFont(PaintFont());
    painter.setPen(m_textColor);
    painter.setClipRect(rect());
    // The clock text ends with a line feed; the control shows everything on one line.
    QString line = m_text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line);
}
