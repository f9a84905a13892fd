#include "history/CQueryDataDlg.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimeEdit>

#include "history/HistoryTexts.h"
#include "skin/ShowMessage.h"

namespace {

void SetPickers(int64_t t, QDateEdit* date, QTimeEdit* time) {
    const std::tm tm = EpochToLocal(t);
    date->setDate(QDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday));
    time->setTime(QTime(tm.tm_hour, tm.tm_min, tm.tm_sec));
}

int64_t ReadPickers(const QDateEdit* date, const QTimeEdit* time) {
    const QDate d = date->date();
    const QTime t = time->time();
    return LocalToEpoch(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

}  // namespace

CQueryDataDlg::CQueryDataDlg(int64_t start, int64_t end, QWidget* parent)
    : CPopDlgFrame(HistoryTexts::Text(TextId::HistQueryTitle), parent), start_(start), end_(end) {
    resize(360, 230);
    const QRect area = ContentRect();
    const int left = area.left() + 16, top = area.top() + 8;

    auto* icon = new QLabel(this);
    icon->setObjectName("1094");
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32));
    icon->setGeometry(left, top, 32, 32);
    auto* caption = new QLabel(HistoryTexts::Text(TextId::HistQueryCaption), this);
    caption->setAlignment(Qt::AlignCenter);
    caption->setGeometry(left + 36, top + 6, area.width() - 2 * 16 - 72, 20);

    auto makeRow = [&](int y, TextId label, QDateEdit** date, QTimeEdit** time, const char* dateId,
                       const char* timeId) {
        auto* text = new QLabel(HistoryTexts::Text(label), this);
        text->setGeometry(left, y, 48, 24);
        *date = new QDateEdit(this);
        (*date)->setObjectName(dateId);
        (*date)->setDisplayFormat("yyyy'年'M'月'd'日'");
        if (!IsChineseEdition()) (*date)->setDisplayFormat("dddd, MMMM d, yyyy");
        (*date)->setCalendarPopup(true);
        (*date)->setGeometry(left + 50, y, 160, 24);
        *time = new QTimeEdit(this);
        (*time)->setObjectName(timeId);
        (*time)->setDisplayFormat("HH:mm:ss");
        (*time)->setGeometry(left + 216, y, 100, 24);
    };
    makeRow(top + 46, TextId::HistQueryStart, &startDate_, &startTime_, "1095", "1096");
    makeRow(top + 82, TextId::HistQueryEnd, &endDate_, &endTime_, "1097", "1098");
    SetPickers(start, startDate_, startTime_);
    SetPickers(end, endDate_, endTime_);

    ok_ = new QPushButton(HistoryTexts::Text(TextId::HistQueryOk), this);
    ok_->setObjectName("1007");
    ok_->setDefault(true);
    ok_->setGeometry(area.left() + area.width() / 2 - 100, top + 126, 80, 28);
    auto* cancel = new QPushButton(HistoryTexts::Text(TextId::HistQueryCancel), this);
    cancel->setObjectName("1008");
    cancel->setGeometry(area.left() + area.width() / 2 + 20, top + 126, 80, 28);
    connect(ok_, &QPushButton::clicked, this, &CQueryDataDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CQueryDataDlg::reject);
}

void CQueryDataDlg::accept() {
    const int64_t start = ReadPickers(startDate_, startTime_);
    const int64_t end = ReadPickers(endDate_, endTime_);
    if (start > end) {
        ShowMessage(this, TextId::HistQueryStartAfterEnd);
        return;
    }
    start_ = start;
    end_ = end;
    CPopDlgFrame::accept();
}
