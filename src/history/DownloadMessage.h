#pragma once

#include <QEvent>

// The download's window messages with their fixed numbers, carried as custom events.
inline constexpr int WM_DOWNLOAD_PROGRESS =
    2024;  // to CProcessDlg: (0, n) start with n pages, (1, i) page i done
inline constexpr int WM_DOWNLOAD_RESULT = 2025;  // to CHisdataDlg: (1, 0) failed, (0, 0) user cancelled

class CDownloadMessage : public QEvent {
public:
    CDownloadMessage(int message, int wParam, int lParam)
        : QEvent(static_cast<QEvent::Type>(message)), wParam(wParam), lParam(lParam) {}

    static bool Is(const QEvent* event, int message) {
        return event->type() == static_cast<QEvent::Type>(message);
    }

    const int wParam;
    const int lParam;
};
