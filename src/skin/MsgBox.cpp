#include "skin/MsgBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Texts.h"
#include "skin/PopupFrameSkin.h"
#include "skin/SkinStyle.h"

namespace {

// The message icon (an "i" in an accent disc); the same picture serves both editions.
QPixmap MessageIcon(int side, qreal ratio) {
    QPixmap pixmap(QSize(side, side) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(SkinStyle::kAccent);
    p.drawEllipse(QRectF(1, 1, side - 2, side - 2));
    p.setBrush(Qt::white);
    const qreal c = side / 2.0;
    p.drawEllipse(QPointF(c, side * 0.29), side * 0.065, side * 0.065);
    p.drawRoundedRect(QRectF(c - side * 0.06, side * 0.42, side * 0.12, side * 0.36), side * 0.05,
                      side * 0.05);
    return pixmap;
}

}  // namespace

CMsgBox::CMsgBox(const QString& text, QWidget* parent)
    : CPopDlgFrame(QString::fromUtf8(Tx(TextId::SkinPromptCaption)), parent) {
    const QMargins border = GetPopupFrameSkin().frame.isNull() ? QMargins() : GetPopupFrameSkin().border;
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(border.left() + 20, border.top() + 18, border.right() + 18,
                              border.bottom() + 14);
    outer->setSpacing(16);

    auto* row = new QHBoxLayout;
    row->setSpacing(14);
    auto* icon = new QLabel(this);
    icon->setPixmap(MessageIcon(36, devicePixelRatioF()));
    icon->setFixedSize(36, 36);
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon, 0, Qt::AlignTop);

    m_text = new QLabel(text, this);
    m_text->setObjectName(QString::number(kTextId));
    m_text->setProperty("controlId", kTextId);
    m_text->setWordWrap(true);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setMinimumWidth(240);
    m_text->setMaximumWidth(420);
    m_text->setMinimumHeight(36);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette pal = m_text->palette();
    pal.setColor(QPalette::WindowText, SkinStyle::kText);
    m_text->setPalette(pal);
    QFont font = m_text->font();
    font.setPixelSize(14);
    m_text->setFont(font);
    row->addWidget(m_text, 1);
    outer->addLayout(row, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(QString::fromUtf8(Tx(TextId::MsgBoxOk)), this);
    m_ok->setObjectName(QString::number(kOkId));
    m_ok->setProperty("controlId", kOkId);
    m_ok->setStyleSheet(SkinStyle::AccentButtonStyleSheet());
    m_ok->setDefault(true);
    m_ok->setCursor(Qt::PointingHandCursor);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(m_ok);
    outer->addLayout(buttons);

    setMinimumWidth(340);
    adjustSize();
}

QString CMsgBox::Text() const {
    return m_text->text();
}
