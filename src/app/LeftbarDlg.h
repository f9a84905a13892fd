#pragma once

#include <QWidget>

#include "app/LeftbarDlgBmp.h"

// The left side bar: paints its skin, stretched to the height between title and bottom bar.
class CLeftbarDlg : public QWidget {
    Q_OBJECT
public:
    explicit CLeftbarDlg(QWidget* parent = nullptr);
    QSize SkinSize() const { return skin_.SkinSize(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CLeftbarDlgBmp skin_;
};
