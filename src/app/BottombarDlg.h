#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <ctime>

#include "app/BottombarDlgBmp.h"

class CStaticEx;
class QTimer;

// The bottom bar: skin background, the configured serial port and a clock ticking every second.
class CBottombarDlg : public QWidget {
    Q_OBJECT
public:
    explicit CBottombarDlg(QWidget* parent = nullptr);

    QSize SkinSize() const { return skin_.SkinSize(); }
    // TimeInfo_Position of the skin: where the clock sits when the bar has its skin width.
    QRect ClockPosition() const { return clockPosition_; }
    // Moves the clock text (the main window keeps it at its distance from the right edge).
    void PlaceClock(const QRect& rect);
    // "串口号:%d" from the configured port number.
    void UpdatePortText();
    void UpdateClockText();
    QString PortText() const;
    QString ClockText() const;

    // The fixed 24-character date text with its line feed: "Wed Mar 11 10:05:02 2015\n".
    static std::string FormatClock(std::time_t now);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CBottombarDlgBmp skin_;
    CStaticEx* portText_ = nullptr;
    CStaticEx* clockText_ = nullptr;
    QRect clockPosition_;
    QTimer* timer_ = nullptr;
};
