#pragma once

#include "skin/PopDlgFrame.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The download progress popup: a centred text (1060), a progress bar (1058) and the cancel button
// (1059). It follows WM_DOWNLOAD_PROGRESS; cancel (button or close box) sends WM_DOWNLOAD_RESULT
// (0, 0) to the registered window and hides the dialog. Window thread only.
class CProcessDlg : public CPopDlgFrame {
    Q_OBJECT

public:
    static constexpr int kHideDelayMs = 2000;

    explicit CProcessDlg(QWidget* parent = nullptr);

    // The window that receives the cancel (the history window, set by the download worker).
    void SetCancelReceiver(QObject* receiver) { receiver_ = receiver; }
    // Stops the hide timer (a new download begins).
    void StopHideTimer();
    // Centres the dialog on the main window and shows it, if it is hidden.
    void ShowCentred();

    QString Text() const;
    int Total() const { return total_; }
    int Current() const { return current_; }
    QProgressBar* Bar() const { return bar_; }
    QPushButton* CancelButton() const { return cancel_; }
    bool HideTimerActive() const;

    void reject() override;

signals:
    // Each text the dialog shows, in order (the progress is followed through it).
    void textShown(const QString& text);

protected:
    bool event(QEvent* event) override;

private:
    void OnProgress(int wParam, int lParam);
    void Cancel();
    void SetText(const QString& text);

    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* hideTimer_ = nullptr;
    QObject* receiver_ = nullptr;
    int total_ = 0;
    int current_ = 0;
};
