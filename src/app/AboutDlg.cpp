#include "app/AboutDlg.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app/AppIcon.h"
#include "model/Texts.h"

namespace {
constexpr int kWidth = 360;
constexpr int kHeight = 190;

QLabel* AddLine(QWidget* parent, const char* text, int y) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(90, y, kWidth - 110, 22);
    label->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    return label;
}
}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : CPopDlgFrame(QString::fromUtf8(Tx(TextId::AppAboutTitle)), parent) {
    resize(kWidth, kHeight);
    const QRect content = ContentRect();
    auto* picture = new QLabel(this);
    picture->setPixmap(AppPicture(48));
    picture->setGeometry(content.left() + 20, content.top() + 16, 48, 48);
    AddLine(this, Tx(TextId::AppAboutProduct), content.top() + 14);
    AddLine(this, Tx(TextId::AppAboutYear), content.top() + 40);
    if (*Tx(TextId::AppAboutVersion)) AddLine(this, Tx(TextId::AppAboutVersion), content.top() + 66);
    auto* ok = new QPushButton(QString::fromUtf8(Tx(TextId::AppAboutOk)), this);
    ok->setGeometry(kWidth - 100, kHeight - 48, 76, 26);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CAboutDlg::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
    }
    CPopDlgFrame::paintEvent(event);
}
