#include "app/LeftbarDlg.h"

#include <QPainter>

#include "model/DeviceContext.h"
#include "skin/SkinValues.h"

CLeftbarDlg::CLeftbarDlg(QWidget* parent) : QWidget(parent) {
    const DeviceContext& context = GetDeviceContext();
    skin_.LoadSkin(this, QString::fromLatin1(SkinKey::kLeftBarFile),
                   QString::fromStdString(context.skinFolder),
                   QString::fromStdString(context.programDirectory));
}

void CLeftbarDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    skin_.PaintBackground(painter, size());
}
