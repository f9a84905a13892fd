#include "history/CProcessDlg.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "history/DownloadMessage.h"
#include "history/HistoryTexts.h"

CProcessDlg::CProcessDlg(QWidget* parent)
    : CPopDlgFrame(HistoryTexts::Text(TextId::HistProgressTitle), parent) {
    setModal(false);
    resize(320, 150);
    const QRect area = ContentRect();
    text_ = new QLabel(HistoryTexts::Text(TextId::HistProgressInitial), this);
    text_->setObjectName("1060");
    text_->setAlignment(Qt::AlignCenter);
    text_->setGeometry(area.left() + 10, area.top() + 8, area.width() - 20, 20);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("1058");
    bar_->setTextVisible(false);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setGeometry(area.left() + 10, area.top() + 34, area.width() - 20, 16);
    cancel_ = new QPushButton(HistoryTexts::Text(TextId::HistProgressCancel), this);
    cancel_->setObjectName("1059");
    cancel_->setGeometry(area.left() + (area.width() - 80) / 2, area.top() + 60, 80, 26);
    connect(cancel_, &QPushButton::clicked, this, &CProcessDlg::Cancel);
    hideTimer_ = new QTimer(this);
    hideTimer_->setSingleShot(true);
    hideTimer_->setInterval(kHideDelayMs);
    connect(hideTimer_, &QTimer::timeout, this, [this] {
        hideTimer_->stop();
        hide();
    });
}

QString CProcessDlg::Text() const {
    return text_->text();
}

bool CProcessDlg::HideTimerActive() const {
    return hideTimer_->isActive();
}

void CProcessDlg::StopHideTimer() {
    hideTimer_->stop();
}

void CProcessDlg::ShowCentred() {
    if (isVisible()) return;
    if (QWidget* main = parentWidget() ? parentWidget()->window() : nullptr) {
        const QPoint centre = main->mapToGlobal(main->rect().center());
        move(centre.x() - width() / 2, centre.y() - height() / 2);
    }
    show();
}

bool CProcessDlg::event(QEvent* event) {
    if (CDownloadMessage::Is(event, WM_DOWNLOAD_PROGRESS)) {
        const auto* message = static_cast<CDownloadMessage*>(event);
        OnProgress(message->wParam, message->lParam);
        return true;
    }
    return CPopDlgFrame::event(event);
}

void CProcessDlg::OnProgress(int wParam, int lParam) {
    if (wParam == 0) {
        total_ = lParam;
        current_ = 0;
        bar_->setRange(0, std::clamp(lParam, 0, 0xFFFF));  // the bar's range is 16-bit
        bar_->setValue(0);
        SetText(HistoryTexts::Text(TextId::HistProgressStart));
        return;
    }
    current_ = lParam;
    bar_->setValue(std::min(lParam, bar_->maximum()));
    if (lParam < total_) {
        const double percent = static_cast<double>(lParam) / total_ * 100.0;
        // Qt's formatter always writes a decimal point; the C library's would follow the user's
        // locale (Qt sets it from the environment), giving "50,0%" in some.
        SetText(QString::asprintf(Tx(TextId::HistProgressPage), percent));
    } else {
        SetText(HistoryTexts::Text(TextId::HistProgressDone));
        hideTimer_->start();
    }
}

void CProcessDlg::Cancel() {
    if (receiver_) {
        CDownloadMessage message(WM_DOWNLOAD_RESULT, 0, 0);
        QCoreApplication::sendEvent(receiver_, &message);
    }
    hide();
}

void CProcessDlg::reject() {
    Cancel();
}

void CProcessDlg::SetText(const QString& text) {
    text_->setText(text);
    emit textShown(text);
}
