#pragma once

#include "skin/PopDlgFrame.h"

// "关于 Zorva_Recorder": product picture, product, year and version lines, and OK, on white.
class CAboutDlg : public CPopDlgFrame {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
