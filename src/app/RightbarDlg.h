#pragma once

#include <QWidget>

#include "app/RightbarDlgBmp.h"

// The right side bar: paints its skin, stretched to the height between title and bottom bar.
class CRightbarDlg : public QWidget {
    Q_OBJECT
public:
    explicit CRightbarDlg(QWidget* parent = nullptr);
    QSize SkinSize() const { return skin_.SkinSize(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CRightbarDlgBmp skin_;
};
