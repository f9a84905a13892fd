#include "app/PropertyTitleDlg.h"

#include <QPainter>

#include "model/DeviceContext.h"
#include "skin/SkinButton.h"

CPropertyTitleDlg::CPropertyTitleDlg(QWidget* parent) : QWidget(parent) {
    const DeviceContext& context = GetDeviceContext();
    skin_.LoadSkin(this, QString::fromLatin1(SkinKey::kPropertyTitleFile),
                   QString::fromStdString(context.skinFolder),
                   QString::fromStdString(context.programDirectory));
    if (CxSkinButton* close = skin_.Button(CPropertyTitleBmp::kCloseId))
        connect(close, &CxSkinButton::clicked, this, &CPropertyTitleDlg::closeClicked);
}

void CPropertyTitleDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    skin_.PaintBackground(painter, size());
}
