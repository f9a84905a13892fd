#include "skin/PopDlgFrame.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWindow>

#include "skin/PopupFrameSkin.h"
#include "skin/SkinButton.h"
#include "skin/StaticEx.h"

CPopDlgFrame::CPopDlgFrame(const QString& title, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_title(title) {
    const PopupFrameSkin& skin = GetPopupFrameSkin();
    m_titleText = new CStaticEx(this, kTitleId);
    m_titleText->setObjectName(QString::number(kTitleId));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    font.setWeight(QFont::DemiBold);
    font.setStyleHint(QFont::SansSerif);
    m_titleText->SetFont(font);
    m_titleText->SetTextColor(Qt::white);
    m_titleText->SetOpaque(false);
    m_titleText->SetText(title);

    m_close = new CxSkinButton(this, kCloseId);
    m_close->setObjectName(QString::number(kCloseId));
    m_close->SetSkin(skin.closeNormal, skin.closePressed, skin.closeHover, skin.closeDisabled);
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::reject);

    if (!skin.frame.isNull()) {
        // The frame's centre is left to the dialog's own background: take its colour from the frame
        // so that a skin decides the look of the whole popup.
        QPalette pal = palette();
        pal.setColor(QPalette::Window,
                     skin.frame.pixelColor(skin.frame.width() / 2, skin.frame.height() / 2));
        setPalette(pal);
        setAutoFillBackground(true);
    }
    setWindowTitle(title);
}

void CPopDlgFrame::SetTitle(const QString& title) {
    m_title = title;
    m_titleText->SetText(title);
    setWindowTitle(title);
}

QRect CPopDlgFrame::ContentRect() const {
    const PopupFrameSkin& skin = GetPopupFrameSkin();
    if (skin.frame.isNull()) return rect();
    return rect().marginsRemoved(skin.border);
}

void CPopDlgFrame::LayoutFrameControls() {
    const PopupFrameSkin& skin = GetPopupFrameSkin();
    const int w = width();
    m_titleText->setGeometry(skin.titleRect.left(), skin.titleRect.top(), w / 2,
                             qMax(0, skin.titleRect.height()));
    m_close->setGeometry(w - skin.closeDistance.x() - skin.closeSize.width(), skin.closeDistance.y(),
                         skin.closeSize.width(), skin.closeSize.height());
    m_close->raise();
}

void CPopDlgFrame::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const PopupFrameSkin& skin = GetPopupFrameSkin();
    if (!skin.frame.isNull()) {
        QPainterPath path;
        path.addRoundedRect(QRectF(rect()), skin.roundSize.width() / 2.0, skin.roundSize.height() / 2.0);
        setMask(QRegion(path.toFillPolygon().toPolygon()));
    }
    if (!(windowState() & Qt::WindowMinimized)) LayoutFrameControls();
}

void CPopDlgFrame::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    const PopupFrameSkin& skin = GetPopupFrameSkin();
    const QImage& img = skin.frame;
    if (img.isNull()) return;
    const int l = skin.border.left();
    const int t = skin.border.top();
    const int r = skin.border.right();
    const int b = skin.border.bottom();
    const int iw = img.width();
    const int ih = img.height();
    const int cw = width();
    const int ch = height();
    QPainter p(this);
    auto piece = [&](const QRect& target, const QRect& source) {
        if (!target.isEmpty() && !source.isEmpty()) p.drawImage(target, img, source);
    };
    // Corners 1:1, edges stretched along their length, centre left to the background.
    piece(QRect(0, 0, l, t), QRect(0, 0, l, t));
    piece(QRect(cw - r, 0, r, t), QRect(iw - r, 0, r, t));
    piece(QRect(0, ch - b, l, b), QRect(0, ih - b, l, b));
    piece(QRect(cw - r, ch - b, r, b), QRect(iw - r, ih - b, r, b));
    piece(QRect(l, 0, cw - l - r, t), QRect(l, 0, iw - l - r, t));
    piece(QRect(l, ch - b, cw - l - r, b), QRect(l, ih - b, iw - l - r, b));
    piece(QRect(0, t, l, ch - t - b), QRect(0, t, l, ih - t - b));
    piece(QRect(cw - r, t, r, ch - t - b), QRect(iw - r, t, r, ih - t - b));
}

void CPopDlgFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    // Any point of the surface moves the dialog, as its caption would. The window system's move is
    // asked for on the first movement: once it owns the pointer a plain click never sees its release.
    m_dragging = true;
    m_systemMovePending = true;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CPopDlgFrame::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging || !(event->buttons() & Qt::LeftButton)) {
        QDialog::mouseMoveEvent(event);
        return;
    }
    if (m_systemMovePending) {
        m_systemMovePending = false;
        if (windowHandle() && windowHandle()->startSystemMove()) {
            m_dragging = false;
            return;
        }
    }
    move(event->globalPosition().toPoint() - m_dragOffset);
}

void CPopDlgFrame::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    m_systemMovePending = false;
    QDialog::mouseReleaseEvent(event);
}
