#include "skin/SkinButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontDatabase>
#include <QPainter>
#include <QToolTip>

CxSkinButton::CxSkinButton(QWidget* parent, int commandId)
    : QAbstractButton(parent), m_commandId(commandId), m_captionColor(palette().color(QPalette::ButtonText)) {
    setProperty("controlId", commandId);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, true);
    connect(this, &QAbstractButton::clicked, this, [this] { emit Command(m_commandId); });
    m_tipTimer.setSingleShot(true);
    m_tipTimer.setInterval(600);
    connect(&m_tipTimer, &QTimer::timeout, this, [this] {
        if (m_hover && !toolTip().isEmpty()) QToolTip::showText(QCursor::pos(), toolTip(), this);
    });
}

void CxSkinButton::SetSkin(const QImage& normal, const QImage& pressed, const QImage& hover,
                           const QImage& disabled) {
    m_normal = normal;
    m_pressed = pressed;
    m_hoverImage = hover;
    m_disabled = disabled.isNull() ? normal : disabled;
    setCursor(Qt::PointingHandCursor);
    update();
}

void CxSkinButton::SetCaption(const QString& text) {
    setText(text);
    update();
}

void CxSkinButton::SetCaptionColor(const QColor& color) {
    m_captionColor = color;
    update();
}

void CxSkinButton::SetTooltip(const QString& text) {
    setToolTip(text);
}

const QImage& CxSkinButton::CurrentImage() const {
    if (!isEnabled()) return m_disabled;
    if (isDown()) return m_pressed;
    if (m_hover && !m_hoverImage.isNull()) return m_hoverImage;
    return m_normal;
}

QSize CxSkinButton::sizeHint() const {
    return m_normal.isNull() ? QSize(24, 24) : m_normal.size();
}

void CxSkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& image = CurrentImage();
    if (image.isNull())
        painter.fillRect(rect(), palette().color(QPalette::Button));
    else
        painter.drawImage(rect(), image);
    if (!text().isEmpty()) {
        painter.setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
        painter.setPen(m_captionColor);
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    }
}

bool CxSkinButton::event(QEvent* event) {
    // The style's own tooltip timing is replaced by m_tipTimer.
    if (event->type() == QEvent::ToolTip) return true;
    return QAbstractButton::event(event);
}

void CxSkinButton::enterEvent(QEnterEvent* event) {
    m_hover = true;
    m_tipTimer.start();
    update();
    QAbstractButton::enterEvent(event);
}

void CxSkinButton::leaveEvent(QEvent* event) {
    m_hover = false;
    m_tipTimer.stop();
    QToolTip::hideText();
    update();
    QAbstractButton::leaveEvent(event);
}

void CxSkinButton::focusOutEvent(QFocusEvent* event) {
    // Losing the focus while held must not leave the button drawn pressed.
    if (isDown()) setDown(false);
    QAbstractButton::focusOutEvent(event);
}
