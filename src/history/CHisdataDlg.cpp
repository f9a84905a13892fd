#include "history/CHisdataDlg.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyle>
#include <QTabBar>
#include <algorithm>
#include <mutex>

#include "device/Transaction.h"
#include "history/CHistoryChart.h"
#include "history/CHistoryCommandButton.h"
#include "history/CProcessDlg.h"
#include "history/CQueryDataDlg.h"
#include "history/ChannelListRows.h"
#include "history/DownloadMessage.h"
#include "history/HistoryChartGeometry.h"
#include "history/HistoryDataModel.h"
#include "history/HistoryTexts.h"
#include "history/RecordFile.h"
#include "model/DeviceContext.h"
#include "reports/SaveHistoryCommand.h"
#include "skin/ButtonST.h"
#include "skin/ListCtrlCl.h"
#include "skin/ShowMessage.h"

namespace {

constexpr int kListRowHeight = 20;

QColor FromBgr(uint32_t bgr) {
    return QColor::fromRgb(HistoryChartRenderer::ToRgb(bgr));
}
uint32_t ToBgr(const QColor& c) {
    return static_cast<uint32_t>(c.red()) | (c.green() << 8) | (c.blue() << 16);
}

void SetupList(CListCtrlCl* list, QStandardItemModel* model, const QList<int>& widths,
               const QStringList& titles) {
    model->setColumnCount(static_cast<int>(titles.size()));
    model->setHorizontalHeaderLabels(titles);
    list->setModel(model);
    for (int i = 0; i < widths.size(); ++i) list->setColumnWidth(i, widths[i]);
}

QList<int> InfoWidths() {
    return IsChineseEdition() ? QList<int>{72, 80, 65, 80, 80, 164, 164}
                              : QList<int>{72, 80, 120, 120, 100, 164, 164};
}

QList<int> ChannelWidths() {
    return {100, IsChineseEdition() ? 75 : 105, 80, 60, 170, 80, 80, 80, 100, 100, 100, 100};
}

}  // namespace

CHisdataDlg::CHisdataDlg(QWidget* parent)
    : QWidget(parent),
      worker_(set_, CHistoryDownloadWorker::Hooks{
                        [this](std::function<void()> call) { Post(std::move(call)); },
                        [this] {
                            progress_->StopHideTimer();
                            progress_->SetCancelReceiver(this);
                            progress_->ShowCentred();
                            CDownloadMessage start(WM_DOWNLOAD_PROGRESS, 0, 0);
                            QCoreApplication::sendEvent(progress_, &start);
                        },
                        [this](int message, int wParam, int lParam) {
                            CDownloadMessage m(message, wParam, lParam);
                            QCoreApplication::sendEvent(
                                message == WM_DOWNLOAD_PROGRESS ? static_cast<QObject*>(progress_) : this,
                                &m);
                        },
                        [this] { OnDownloaded(); },
                        [this] {
                            if (onDownloadIdle) onDownloadIdle();
                        },
                        [this] {
                            progress_->hide();
                            FillDataList();
                        }}) {
    setObjectName("143");
    progress_ = new CProcessDlg(this);
    CreateControls();
    askQueryRange = [this](int64_t* start, int64_t* end) {
        CQueryDataDlg dialog(*start, *end, this);
        if (dialog.exec() != QDialog::Accepted) return false;
        *start = dialog.Start();
        *end = dialog.End();
        return true;
    };
    pickColour = [this](QColor* colour) {
        const QColor chosen = QColorDialog::getColor(*colour, this);
        if (!chosen.isValid()) return false;
        *colour = chosen;
        return true;
    };
}

CHisdataDlg::~CHisdataDlg() {
    StopWorker();
}

void CHisdataDlg::Post(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

void CHisdataDlg::SetProgressDialog(CProcessDlg* dialog) {
    if (!dialog || dialog == progress_) return;
    if (ownProgress_) delete progress_;
    progress_ = dialog;
    ownProgress_ = false;
}

void CHisdataDlg::CreateControls() {
    using HistoryTexts::Text;
    infoList_ = new CListCtrlCl(this);
    infoList_->setObjectName("1042");
    infoModel_ = new QStandardItemModel(this);
    SetupList(infoList_, infoModel_, InfoWidths(),
              {Text(TextId::HistInfoDevice), Text(TextId::HistInfoSource), Text(TextId::HistInfoChannels),
               Text(TextId::HistInfoInterval), Text(TextId::HistInfoCount), Text(TextId::HistInfoStart),
               Text(TextId::HistInfoEnd)});
    infoList_->SetRowHeight(kListRowHeight);
    infoList_->setSelectionBehavior(QAbstractItemView::SelectRows);

    tab_ = new QTabBar(this);
    tab_->setObjectName("1043");
    tab_->setIconSize(QSize(16, 16));
    tab_->addTab(style()->standardIcon(QStyle::SP_FileDialogContentsView), Text(TextId::HistTabGraph));
    tab_->addTab(style()->standardIcon(QStyle::SP_FileDialogDetailedView), Text(TextId::HistTabList));
    connect(tab_, &QTabBar::currentChanged, this, &CHisdataDlg::ShowTab);

    chart_ = new CHistoryChart(set_, this);
    chart_->setObjectName("1032");
    connect(chart_, &CHistoryChart::cursorRecord, this, &CHisdataDlg::OnCursorRecord);
    connect(chart_, &CHistoryChart::cursorCleared, this, &CHisdataDlg::OnCursorCleared);
    connect(chart_, &CHistoryChart::rangeChanged, this, &CHisdataDlg::OnRangeChanged);

    dataList_ = new CListCtrlCl(this);
    dataList_->setObjectName("1045");
    dataModel_ = new HistoryDataModel(set_, this);
    dataList_->setModel(dataModel_);
    dataList_->setShowGrid(true);
    dataList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    dataList_->SetRowHeight(kListRowHeight);
    dataList_->hide();
    InitDataListColumns();

    channelList_ = new CListCtrlCl(this);
    channelList_->setObjectName("1046");
    channelModel_ = new QStandardItemModel(this);
    SetupList(channelList_, channelModel_, ChannelWidths(),
              {Text(TextId::HistColChannel), Text(TextId::HistColType), Text(TextId::HistColValue),
               Text(TextId::HistColUnit), Text(TextId::HistColTime), Text(TextId::HistColMaximum),
               Text(TextId::HistColMinimum), Text(TextId::HistColAverage), Text(TextId::HistColAlarmUp),
               Text(TextId::HistColAlarmDown), Text(TextId::HistColRangeUp), Text(TextId::HistColRangeDown)});
    channelList_->SetRowHeight(kListRowHeight);
    // A slim header leaves the 80-pixel list room for three channel rows.
    channelList_->horizontalHeader()->setFixedHeight(18);
    channelList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    connect(channelModel_, &QStandardItemModel::itemChanged, this, &CHisdataDlg::OnChannelItemChanged);
    connect(channelList_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { OnChannelDoubleClicked(index.row()); });

    const TextId optionTexts[4] = {TextId::HistOptionCursor, TextId::HistOptionAlarm, TextId::HistOptionAxes,
                                   TextId::HistOptionBreak};
    for (int k = 0; k < 4; ++k) {
        options_[k] = new QCheckBox(Text(optionTexts[k]), this);
        options_[k]->setObjectName(QString::number(kOptionCursor + k));
        options_[k]->setChecked(true);
        connect(options_[k], &QCheckBox::toggled, this,
                [this, k](bool on) { OnOption(kOptionCursor + k, on); });
    }

    const TextId buttonTexts[6] = {TextId::HistButtonNormal, TextId::HistButtonZoom, TextId::HistButtonDrag,
                                   TextId::HistButtonQuery,  TextId::HistButtonSave, TextId::HistButtonPrint};
    const QStyle::StandardPixmap icons[6] = {QStyle::SP_ArrowUp,          QStyle::SP_FileDialogContentsView,
                                             QStyle::SP_ArrowRight,       QStyle::SP_FileDialogInfoView,
                                             QStyle::SP_DialogSaveButton, QStyle::SP_FileIcon};
    for (int k = 0; k < 6; ++k) {
        buttons_[k] = new CHistoryCommandButton(this, kButtonNormal + k);
        buttons_[k]->setObjectName(QString::number(kButtonNormal + k));
        buttons_[k]->setText(Text(buttonTexts[k]));
        buttons_[k]->setIcon(style()->standardIcon(icons[k]));
        buttons_[k]->SetIcons(style()->standardIcon(icons[k]));
        buttons_[k]->SetTooltipText(Text(buttonTexts[k]));
    }
    connect(buttons_[0], &QAbstractButton::clicked, this, [this] { SetMouseMode(kMouseNormal); });
    connect(buttons_[1], &QAbstractButton::clicked, this, [this] { SetMouseMode(kMouseZoom); });
    connect(buttons_[2], &QAbstractButton::clicked, this, [this] { SetMouseMode(kMouseDrag); });
    connect(buttons_[3], &QAbstractButton::clicked, this, &CHisdataDlg::QueryRange);
    connect(buttons_[4], &QAbstractButton::clicked, this, &CHisdataDlg::OnSave);
    connect(buttons_[5], &QAbstractButton::clicked, this, &CHisdataDlg::printRequested);

    QFont labelFont(QStringLiteral("粗体"));
    labelFont.setPixelSize(18);
    labelFont.setWeight(QFont::Normal);
    labelFont.setStyleHint(QFont::SansSerif);
    // The labels' font is 8 pixels a character wide: narrow the installed face to that width, so a
    // time text fits its 165-pixel label.
    const int digit = QFontMetrics(labelFont).horizontalAdvance(QLatin1Char('0'));
    if (digit > 8) labelFont.setStretch(std::max(50, 800 / digit));
    const Qt::Alignment align[3] = {IsChineseEdition() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter,
                                    IsChineseEdition() ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter,
                                    IsChineseEdition() ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter};
    for (int k = 0; k < 3; ++k) {
        labels_[k] = new QLabel(Text(TextId::HistTimeLabelInitial), this);
        labels_[k]->setObjectName(QString::number(kLabelLeft + k));
        labels_[k]->setFont(labelFont);
        labels_[k]->setAlignment(align[k]);
    }
}

void CHisdataDlg::LayoutControls() {
    const int w = width(), h = height();
    infoList_->setGeometry(2, 31, w - 4, 50);
    tab_->setGeometry(2, 82, w - 4, 25);
    dataList_->setGeometry(2, 108, w - 4, h - 192);
    chart_->setGeometry(2, 108, w - 75, h - 213);
    labels_[0]->setGeometry(2, h - 104, 165, 20);
    labels_[1]->setGeometry(w - 238, h - 104, 165, 20);
    labels_[2]->setGeometry((w - 75) / 2 - 80, h - 104, 165, 20);
    channelList_->setGeometry(2, h - 83, w - 4, 80);
    for (int k = 0; k < 4; ++k) options_[k]->setGeometry(w - 69, 116 + 25 * k, 65, 18);
    for (int k = 0; k < 6; ++k) buttons_[k]->setGeometry(w - 62, 216 + k * ((h - 321) / 6), 50, 43);
}

void CHisdataDlg::resizeEvent(QResizeEvent*) {
    LayoutControls();
}

void CHisdataDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width(), h = height();
    const QColor frame = FromBgr(GetDeviceContext().dialogBkColor);
    p.fillRect(0, 0, 1, h, frame);
    p.fillRect(w - 1, 0, 1, h, frame);
    p.fillRect(0, h - 3, w, 3, frame);
    p.fillRect(1, 31, w - 2, h - 34, Qt::white);
    // The title strip (images 1029, 1030, 1031): a lighter centre piece between two edge pieces.
    auto strip = [&p](const QRect& r, bool middle) {
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, middle ? QColor(92, 148, 214) : QColor(120, 168, 224));
        g.setColorAt(1, middle ? QColor(40, 96, 170) : QColor(64, 116, 186));
        p.fillRect(r, g);
    };
    strip(QRect(0, 0, w / 2 - 357, 30), false);
    strip(QRect(w / 2 - 357, 0, 714, 30), true);
    strip(QRect(w / 2 + 357, 0, w / 2 - 357, 30), false);
}

void CHisdataDlg::ShowTab(int index) {
    const bool chartPage = index == 0;
    if (tab_->currentIndex() != index) tab_->setCurrentIndex(index);
    dataList_->setVisible(!chartPage);
    chart_->setVisible(chartPage);
    for (QCheckBox* option : options_) option->setVisible(chartPage);
    for (CButtonST* button : buttons_) button->setVisible(chartPage);
    for (QLabel* label : labels_) label->setVisible(chartPage);
}

QString CHisdataDlg::TimeLabel(int id) const {
    return labels_[id - kLabelLeft]->text();
}

// ---- download ---------------------------------------------------------------------------------

void CHisdataDlg::StopWorker() {
    worker_.Stop();
}

void CHisdataDlg::ClearData() {
    set_.ClearData();
    chart_->DataChanged();
}

void CHisdataDlg::LoadChannels() {
    set_.LoadChannels(GetDeviceContext().historyParameters);
    chart_->DataChanged();
}

void CHisdataDlg::ResetDownloadState() {
    worker_.downloadComplete = 0;
    set_.dataValid = 0;
}

void CHisdataDlg::StartWorker() {
    if (worker_.Exists()) StopWorker();
    chart_->EraseChart();
    worker_.Start();
}

bool CHisdataDlg::event(QEvent* event) {
    if (CDownloadMessage::Is(event, WM_DOWNLOAD_RESULT)) {
        OnDownloadResult(static_cast<CDownloadMessage*>(event)->wParam);
        return true;
    }
    return QWidget::event(event);
}

void CHisdataDlg::OnDownloadResult(int wParam) {
    if (wParam == 0) {  // the user cancelled: the page in flight ends at its next check, no message
        worker_.cancelled = 1;
        worker_.workerRunning = 0;
        CancelTransaction();
        return;
    }
    if (worker_.cancelled || (appRunning && !appRunning())) return;
    ShowMessage(this, TextId::HistDownloadFailed);
}

void CHisdataDlg::OnDownloaded() {
    progress_->hide();
    chart_->DataChanged();
    UpdateStatisticsColumns();
    FillInfoList(true);
    set_.dataValid = 1;
    if (onDownloadIdle) onDownloadIdle();
    RedrawChart();
}

// ---- lists -----------------------------------------------------------------------------------

void CHisdataDlg::FillInfoList(bool fromDevice) {
    set_.SetRangeAll();
    DeviceParameters& history = GetDeviceContext().historyParameters;
    QString serial;
    for (unsigned char byte : history.SerialNumber())
        serial += QChar(byte);  // each byte is one character code
    QStringList cells;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        cells << serial << HistoryTexts::Text(fromDevice ? TextId::HistSourceDevice : TextId::HistSourceFile)
              << QString::number(set_.channelCount)
              << QString::fromStdString(FormatText(Tx(TextId::HistInfoIntervalFormat), set_.recordInterval))
              << QString::number(set_.recordCount);
        if (set_.recordCount > 0)
            cells << HistoryTexts::PaddedTime(set_.timestamps.front())
                  << HistoryTexts::PaddedTime(set_.timestamps.back());
    }
    infoModel_->setRowCount(0);
    QList<QStandardItem*> row;
    for (const QString& cell : cells) {
        auto* item = new QStandardItem(cell);
        item->setTextAlignment(Qt::AlignCenter);
        item->setEditable(false);
        row << item;
    }
    infoModel_->appendRow(row);
}

void CHisdataDlg::FillChannelList() {
    fillingChannels_ = true;
    channelModel_->setRowCount(0);
    channelList_->ClearCellColors();
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        const std::vector<ChannelListRow> rows =
            MakeChannelListRows(set_, GetDeviceContext().units, NoValidStatistics::ShowZero);
        for (size_t r = 0; r < rows.size(); ++r) {
            QList<QStandardItem*> items;
            for (const std::string& cell : rows[r]) {
                auto* item = new QStandardItem(QString::fromStdString(cell));
                item->setTextAlignment(Qt::AlignCenter);
                item->setEditable(false);
                item->setForeground(FromBgr(set_.channels[r].colour));
                items << item;
            }
            items[0]->setCheckable(true);
            items[0]->setCheckState(set_.channels[r].visible ? Qt::Checked : Qt::Unchecked);
            channelModel_->appendRow(items);
            for (int c = 0; c < kChannelListColumnCount; ++c)
                channelList_->SetItemTextColor(c, static_cast<int>(r), FromBgr(set_.channels[r].colour));
        }
    }
    fillingChannels_ = false;
    FillTimeLabels();
}

void CHisdataDlg::SetStatisticsCells(bool emptyWhenNoValid) {
    std::lock_guard<std::mutex> lock(set_.Mutex());
    const int rows = std::min(channelModel_->rowCount(), static_cast<int>(set_.channels.size()));
    for (int r = 0; r < rows; ++r) {
        ChannelListRow row;
        ::SetStatisticsCells(row, set_.channels[r],
                             emptyWhenNoValid ? NoValidStatistics::ShowEmpty : NoValidStatistics::ShowZero);
        for (int c : {kColumnMaximum, kColumnMinimum, kColumnAverage})
            if (QStandardItem* item = channelModel_->item(r, c))
                item->setText(QString::fromStdString(row[c]));
    }
}

void CHisdataDlg::UpdateStatisticsColumns() {
    SetStatisticsCells(false);
    FillTimeLabels();
}

void CHisdataDlg::FillTimeLabels() {
    QString left, right, middle;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        if (set_.recordCount > 0) {
            const int first = std::clamp(set_.rangeFirst, 0, set_.recordCount - 1);
            const int last = std::clamp(set_.rangeLast, 0, set_.recordCount - 1);
            const int64_t a = set_.timestamps[first], b = set_.timestamps[last];
            left = HistoryTexts::Time(a);
            right = HistoryTexts::Time(b);
            middle = HistoryTexts::Time(HistoryChartGeometry::MiddleTime(a, b));
        }
    }
    labels_[0]->setText(left);
    labels_[1]->setText(right);
    labels_[2]->setText(middle);
}

void CHisdataDlg::InitDataListColumns() {
    dataModel_->InitColumns();
    dataList_->setColumnWidth(0, 50);
    dataList_->setColumnWidth(1, 165);
    for (int c = 2; c < dataModel_->columnCount(); ++c) dataList_->setColumnWidth(c, 110);
}

void CHisdataDlg::FillDataList() {
    int first = 0, last = -1;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        if (set_.recordCount > 0) {
            first = set_.rangeFirst;
            last = set_.rangeLast;
        }
    }
    dataModel_->Fill(first, last);
}

void CHisdataDlg::RedrawChart() {
    chart_->RedrawChart();
}

// ---- chart and list events -------------------------------------------------------------------

void CHisdataDlg::OnCursorRecord(int record) {
    std::lock_guard<std::mutex> lock(set_.Mutex());
    if (record < 0 || record >= set_.recordCount) return;
    const int rows = std::min(channelModel_->rowCount(), static_cast<int>(set_.channels.size()));
    const QString time = QString::fromStdString(RecordTimeText(set_.timestamps[record]));
    for (int r = 0; r < rows; ++r) {
        channelModel_->item(r, kColumnSelectedValue)
            ->setText(QString::fromStdString(SampleText(set_.channels[r].values[record])));
        channelModel_->item(r, kColumnRecordTime)->setText(time);
    }
}

void CHisdataDlg::OnCursorCleared() {
    for (int r = 0; r < channelModel_->rowCount(); ++r) {
        channelModel_->item(r, kColumnSelectedValue)->setText(QString());
        channelModel_->item(r, kColumnRecordTime)->setText(QString());
    }
}

void CHisdataDlg::OnRangeChanged() {
    SetStatisticsCells(true);
    FillTimeLabels();
}

void CHisdataDlg::OnChannelItemChanged(QStandardItem* item) {
    if (fillingChannels_ || item->column() != 0) return;
    const int visible = item->checkState() == Qt::Checked ? 1 : 0;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        if (item->row() >= static_cast<int>(set_.channels.size())) return;
        int& current = set_.channels[item->row()].visible;
        if (current == visible) return;  // a change of text or colour, not of the check box
        current = visible;
    }
    if (set_.dataValid) RedrawChart();
}

void CHisdataDlg::OnChannelDoubleClicked(int row) {
    QColor colour;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        if (row < 0 || row >= static_cast<int>(set_.channels.size())) return;
        colour = FromBgr(set_.channels[row].colour);
    }
    if (!pickColour || !pickColour(&colour)) return;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        if (row >= static_cast<int>(set_.channels.size())) return;
        set_.channels[row].colour = ToBgr(colour);
    }
    fillingChannels_ = true;
    for (int c = 0; c < channelModel_->columnCount(); ++c) {
        if (QStandardItem* item = channelModel_->item(row, c)) item->setForeground(colour);
        channelList_->SetItemTextColor(c, row, colour);
    }
    fillingChannels_ = false;
    channelList_->viewport()->update();
    if (set_.dataValid) RedrawChart();
}

void CHisdataDlg::OnOption(int id, bool checked) {
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        const int value = checked ? 1 : 0;
        if (id == kOptionCursor) set_.showCursorLine = value;
        if (id == kOptionAlarm) set_.showAlarmLines = value;
        if (id == kOptionAxes) set_.showAxes = value;
        if (id == kOptionBreak) set_.showBreakLines = value;
    }
    if (set_.dataValid) RedrawChart();
}

void CHisdataDlg::SetMouseMode(int mode) {
    set_.SetMouseMode(mode);
}

// ---- query, save, record file ----------------------------------------------------------------

void CHisdataDlg::QueryRange() {
    int64_t start = 0, end = 0;
    {
        std::lock_guard<std::mutex> lock(set_.Mutex());
        if (set_.recordCount <= 0 || !set_.dataValid) return;
        start = set_.timestamps[std::clamp(set_.rangeFirst, 0, set_.recordCount - 1)];
        end = set_.timestamps[std::clamp(set_.rangeLast, 0, set_.recordCount - 1)];
    }
    if (!askQueryRange || !askQueryRange(&start, &end)) return;
    if (!set_.ApplyQuery(start, end)) return;
    SetStatisticsCells(true);
    FillTimeLabels();
    worker_.downloadComplete = 1;
    StopWorker();
    chart_->EraseChart();
    worker_.Start();
    RedrawChart();
}

std::vector<ChannelListRow> CHisdataDlg::ChannelRows() const {
    std::vector<ChannelListRow> rows(static_cast<size_t>(channelModel_->rowCount()));
    for (int r = 0; r < channelModel_->rowCount(); ++r)
        for (int c = 0; c < kChannelListColumnCount && c < channelModel_->columnCount(); ++c)
            if (const QStandardItem* item = channelModel_->item(r, c))
                rows[r][c] = item->text().toStdString();
    return rows;
}

void CHisdataDlg::OnSave() {
    if (!set_.dataValid) return;
    const int command = SaveHistoryCommand::OnSaveButton(buttons_[4], set_,
                                                         GetDeviceContext().historyParameters, ChannelRows());
    if (command != 0) emit saveMenuCommand(command);
}

int CHisdataDlg::OpenRecordFile() {
    const QString filter = IsChineseEdition() ? QStringLiteral("数据记录文件(*.jc);;所有文件(*.*)")
                                              : QStringLiteral("Data file(*.jc);;All files(*.*)");
    QFileDialog dialog(this, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("jc");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return 0;
    const QString path = dialog.selectedFiles().front();
    if (!RecordFile::HasExtension(path.toStdString())) {
        QMessageBox::information(this, QString::fromUtf8(Tx(TextId::RecordFilePromptCaption)),
                                 QString::fromUtf8(Tx(TextId::RecordFileWrongExtension)));
        return 0;
    }
    return LoadRecordFile(path);
}

int CHisdataDlg::LoadRecordFile(const QString& path) {
    // The worker must not write the set while the file replaces it.
    StopWorker();
    const RecordFileStatus status =
        RecordFile::Load(path.toLocal8Bit().toStdString(), set_, GetDeviceContext().historyParameters);
    if (status != RecordFileStatus::Ok) {
        ShowMessage(this, RecordFile::Message(status));
        return 0;
    }
    chart_->DataChanged();
    InitDataListColumns();
    FillInfoList(false);
    set_.dataValid = 1;
    RedrawChart();
    FillChannelList();
    worker_.downloadComplete = 1;
    StopWorker();
    chart_->EraseChart();
    worker_.Start();
    RedrawChart();
    emit showHistoryProperties();
    return 1;
}
