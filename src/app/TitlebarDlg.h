#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <vector>

#include "app/TitlebarDlgBmp.h"
#include "app/TitlebarRules.h"

class CxSkinButton;

// The title bar: the thirteen command buttons, the connection state flags and their enable rules,
// the three popup menus, drag and maximize of the main window. Window thread only.
class CTitlebarDlg : public QWidget {
    Q_OBJECT
public:
    explicit CTitlebarDlg(QWidget* parent = nullptr);

    QSize SkinSize() const { return skin_.SkinSize(); }
    // Close_Position, Maximize_Position, Minimize_Position as configured (empty for other ids).
    QRect ConfiguredRect(int id) const;
    void PlaceButton(int id, const QRect& rect);
    CxSkinButton* Button(int id) const { return skin_.Button(id); }

    const TitleFlags& Flags() const { return flags_; }
    // Each setter applies the enable rules at once.
    void SetConnected(bool connected);
    void SetRealtimeIdle(bool idle);
    void SetDownloadIdle(bool idle);
    void UpdateButtonStates();
    // Shows DeviceStopRecord while the logger records, DeviceStartRecord otherwise.
    void SetRecordButtons(bool recording);

    // Carries out one title-bar button (1134-1146).
    void OnCommand(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowPair(int shown, int hidden);
    void RunMenu(int buttonId, const std::vector<MenuItemSpec>& items);
    void FileHandle();
    void StartRealRecord();
    void StopRealRecord();
    void HisdataDownload();
    void DeviceConnect();
    void DeviceStartRecord();
    void DeviceStopRecord();
    bool Reconnect();

    CTitlebarDlgBmp skin_;
    TitleFlags flags_;
    QRect closeRect_, minimizeRect_, maximizeRect_;
    bool dragging_ = false;
    bool systemMovePending_ = false;
    QPoint dragOffset_;
};
