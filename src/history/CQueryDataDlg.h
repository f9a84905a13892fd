#pragma once

#include <cstdint>

#include "skin/PopDlgFrame.h"

class QDateEdit;
class QTimeEdit;
class QPushButton;

// The time-range query popup: start and end date and time pickers. OK closes it only when the start
// is not after the end; otherwise the message is shown and the dialog stays open. Window thread only.
class CQueryDataDlg : public CPopDlgFrame {
    Q_OBJECT

public:
    CQueryDataDlg(int64_t start, int64_t end, QWidget* parent = nullptr);

    // The chosen times (seconds since 1970 UTC, from the local date and time of the pickers).
    int64_t Start() const { return start_; }
    int64_t End() const { return end_; }

    QDateEdit* StartDate() const { return startDate_; }
    QTimeEdit* StartTime() const { return startTime_; }
    QDateEdit* EndDate() const { return endDate_; }
    QTimeEdit* EndTime() const { return endTime_; }
    QPushButton* OkButton() const { return ok_; }

    void accept() override;

private:
    QDateEdit* startDate_ = nullptr;
    QTimeEdit* startTime_ = nullptr;
    QDateEdit* endDate_ = nullptr;
    QTimeEdit* endTime_ = nullptr;
    QPushButton* ok_ = nullptr;
    int64_t start_;
    int64_t end_;
};
