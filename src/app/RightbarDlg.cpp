#include "app/RightbarDlg.h"

#include <QPainter>

#include "model/DeviceContext.h"
#include "skin/SkinValues.h"

CRightbarDlg::CRightbarDlg(QWidget* parent) : QWidget(parent) {
    const DeviceContext& context = GetDeviceContext();
    skin_.LoadSkin(this, QString::fromLatin1(SkinKey::kRightBarFile),
                   QString::fromStdString(context.skinFolder),
                   QString::fromStdString(context.programDirectory));
}

void CRightbarDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    skin_.PaintBackground(painter, size());
}
