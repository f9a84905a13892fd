#include "skin/HeaderCtrlCl.h"

#include <QPainter>

CHeaderCtrlCl::CHeaderCtrlCl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    SetFontHW(15, 0);
    setSectionsClickable(false);
    setHighlightSections(false);
}

void CHeaderCtrlCl::SetHeightFactor(double factor) {
    m_heightFactor = factor > 0 ? factor : 1.0;
    updateGeometry();
    viewport()->update();
}

void CHeaderCtrlCl::SetFontHW(int height, int width) {
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(qMax(1, height));
    if (width > 0) f.setStretch(qBound(1, width * 200 / qMax(1, height), 4000));
    setFont(f);
    updateGeometry();
    viewport()->update();
}

QColor CHeaderCtrlCl::RowColor(int y) const {
    const int drop = m_step * y;
    return QColor(qMax(0, m_topColor.red() - drop), qMax(0, m_topColor.green() - drop),
                  qMax(0, m_topColor.blue() - drop));
}

QSize CHeaderCtrlCl::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    size.setHeight(qRound((fontMetrics().height() + 6) * m_heightFactor));
    return size;
}

void CHeaderCtrlCl::FillGradient(QPainter& painter, const QRect& rect) const {
    for (int y = 0; y < rect.height(); ++y)
        painter.fillRect(QRect(rect.left(), rect.top() + y, rect.width(), 1), RowColor(y));
}

void CHeaderCtrlCl::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    // The whole strip first, so the area right of the last column carries the same gradient.
    FillGradient(painter, viewport()->rect());
    for (int visual = 0; visual < count(); ++visual) {
        const int logical = logicalIndex(visual);
        if (isSectionHidden(logical)) continue;
        const QRect section(sectionViewportPosition(logical), 0, sectionSize(logical), viewport()->height());
        if (!section.intersects(viewport()->rect())) continue;
        painter.save();
        paintSection(&painter, section, logical);
        painter.restore();
    }
}

void CHeaderCtrlCl::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    FillGradient(*painter, rect);
    if (!model()) return;
    const QString text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    const QChar mode = logicalIndex < m_alignment.size() ? m_alignment.at(logicalIndex) : QLatin1Char('1');
    QRect textRect = rect;
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    if (mode == QLatin1Char('0')) {
        textRect.adjust(3, 0, 0, 0);
        flags |= Qt::AlignLeft;
    } else if (mode == QLatin1Char('2')) {
        textRect.adjust(0, 0, -3, 0);
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignHCenter;
    }
    painter->setClipRect(rect);
    painter->setFont(font());
    painter->setPen(m_textColor);
    painter->drawText(textRect, flags, text);
}
