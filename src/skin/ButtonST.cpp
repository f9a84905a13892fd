#include "skin/ButtonST.h"

#include <QEnterEvent>
#include <QPainter>

#include "skin/SkinStyle.h"

CButtonST::CButtonST(QWidget* parent, int commandId) : QAbstractButton(parent), m_commandId(commandId) {
    setProperty("controlId", commandId);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { emit Command(m_commandId); });
}

void CButtonST::SetIcons(const QIcon& normal, const QIcon& hover) {
    m_normal = normal;
    m_hoverIcon = hover;
    update();
}

QSize CButtonST::sizeHint() const {
    return QSize(32, 32);
}

void CButtonST::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (isEnabled() && (isDown() || m_hover)) {
        QColor fill = SkinStyle::kAccent;
        fill.setAlpha(isDown() ? 70 : 34);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawRoundedRect(tile, 4, 4);
    }
    const QIcon& icon = (m_hover && !m_hoverIcon.isNull()) ? m_hoverIcon : m_normal;
    const int side = qMax(0, qMin(width(), height()) - 8);
    const QRect iconRect((width() - side) / 2, (height() - side) / 2 + (isDown() ? 1 : 0), side, side);
    icon.paint(&p, iconRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

void CButtonST::enterEvent(QEnterEvent* event) {
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CButtonST::leaveEvent(QEvent* event) {
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
