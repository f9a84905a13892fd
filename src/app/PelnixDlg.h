#pragma once

#include <QRect>
#include <QWidget>

#include "app/MainLayout.h"

class CAutoConnector;
class CTitlebarDlg;
class CLeftbarDlg;
class CRightbarDlg;
class CBottombarDlg;
class CPropertyBarDlg;
class DeviceParameters;

// The program's one top-level window: captionless, rounded, maximized by its own toggle, with its
// eight children created once and only shown and hidden afterwards. Window thread only.
class CPelnixDlg : public QWidget {
    Q_OBJECT
public:
    explicit CPelnixDlg(QWidget* parent = nullptr);
    ~CPelnixDlg() override;

    // Starts the start-up connection attempt (once, at the end of the initialisation).
    void StartAutoConnect();
    // Waits for the start-up connection attempt to end, dispatching events meanwhile.
    void WaitForAutoConnect();

    // One popup-menu command (1003-1013); 0 and unknown ids do nothing.
    void DispatchMenuCommand(int id);
    void RelayoutChildren();
    // Message 1147: the program's own maximize to the screen's work area and back.
    void ToggleMaximize();
    bool IsMaximized() const { return maximized_; }
    // The geometry RelayoutChildren applies for the current size and state.
    MainLayout CurrentLayout() const;

    CTitlebarDlg* TitleBar() const { return title_; }
    CLeftbarDlg* LeftBar() const { return left_; }
    CRightbarDlg* RightBar() const { return right_; }
    CBottombarDlg* BottomBar() const { return bottom_; }
    CPropertyBarDlg* PropertyBar() const { return panel_; }
    QWidget* RealtimeWindow() const { return realtime_; }
    QWidget* HistoryWindow() const { return history_; }
    QWidget* ProgressWindow() const { return progress_; }

    bool historyFileLoaded = false;
    bool propertyPanelVisible = false;

    // The window toggles of the window menu (1007, 1008, 1009).
    void TogglePropertyPanel();
    void ToggleRealtimeWindow();
    void ToggleHistoryWindow();

signals:
    // The shutdown sequence has run; the application ends its loop.
    void closed();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnAutoConnectAttempt(bool ok, const DeviceParameters& parameters);
    void CalibrateTime();
    void ShowAbout();

    CTitlebarDlg* title_ = nullptr;
    CLeftbarDlg* left_ = nullptr;
    CRightbarDlg* right_ = nullptr;
    CBottombarDlg* bottom_ = nullptr;
    CPropertyBarDlg* panel_ = nullptr;
    QWidget* realtime_ = nullptr;
    QWidget* history_ = nullptr;
    QWidget* progress_ = nullptr;
    CAutoConnector* autoConnector_ = nullptr;
    bool maximized_ = false;
    bool closing_ = false;
    QRect savedGeometry_;
};

// The one main window, set at the start of its initialisation and cleared when it is destroyed.
extern CPelnixDlg* g_pMainDlg;
