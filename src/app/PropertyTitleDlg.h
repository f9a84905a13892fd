#pragma once

#include <QWidget>

#include "app/PropertyTitleBmp.h"

// The property panel's skinned title strip with its close button (command 1148).
class CPropertyTitleDlg : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyTitleDlg(QWidget* parent = nullptr);
    QSize SkinSize() const { return skin_.SkinSize(); }

signals:
    void closeClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CPropertyTitleBmp skin_;
};
