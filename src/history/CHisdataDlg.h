#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "history/CHistoryDownloadWorker.h"
#include "history/ChannelListRows.h"
#include "history/HistoryDataSet.h"

class CButtonST;
class CHistoryChart;
class CListCtrlCl;
class CProcessDlg;
class HistoryDataModel;
class QCheckBox;
class QLabel;
class QStandardItem;
class QStandardItemModel;
class QTabBar;

// The history window: the information list, the chart page (chart, options, command buttons, time
// labels) and the data-list page under a tab bar, and the channel list. It owns the history data
// set, its lock (inside the set) and the download worker.
//
// Thread rule: every method runs on the window thread. The worker reaches the window only through
// queued calls; the set is read under its lock.
class CHisdataDlg : public QWidget {
    Q_OBJECT

public:
    // Control ids of the window, used as object names.
    enum ControlId {
        kInfoList = 1042,
        kTab = 1043,
        kChart = 1032,
        kDataList = 1045,
        kChannelList = 1046,
        kOptionCursor = 1047,
        kOptionAlarm = 1048,
        kOptionAxes = 1049,
        kOptionBreak = 1050,
        kButtonNormal = 1051,
        kButtonZoom = 1052,
        kButtonDrag = 1053,
        kButtonQuery = 1054,
        kButtonSave = 1055,
        kButtonPrint = 1056,
        kLabelLeft = 1057,
        kLabelRight = 1058,
        kLabelMiddle = 1059,
    };

    explicit CHisdataDlg(QWidget* parent = nullptr);
    ~CHisdataDlg() override;

    // The download command's steps, in the order the title bar calls them.
    void StopWorker();
    void ClearData();
    void LoadChannels();
    void InitDataListColumns();
    void FillChannelList();
    void StartWorker();
    // Cleared by the download command before it starts (downloadComplete and dataValid).
    void ResetDownloadState();

    // FileHandle: asks for a record file and loads it; 1 when a file was loaded, 0 otherwise.
    int OpenRecordFile();
    // Loads a chosen record file; 1 on success, 0 with the message shown on failure (set untouched).
    int LoadRecordFile(const QString& path);

    // Lists and chart.
    void FillInfoList(bool fromDevice);
    void UpdateStatisticsColumns();
    void FillDataList();
    void RedrawChart();
    void QueryRange();
    void ShowTab(int index);

    HistoryDataSet& DataSet() { return set_; }
    CHistoryDownloadWorker& Worker() { return worker_; }
    CHistoryChart* Chart() const { return chart_; }
    CProcessDlg* ProgressDialog() const { return progress_; }
    HistoryDataModel* DataModel() const { return dataModel_; }
    QStandardItemModel* ChannelModel() const { return channelModel_; }
    QStandardItemModel* InfoModel() const { return infoModel_; }
    CListCtrlCl* DataList() const { return dataList_; }
    QString TimeLabel(int id) const;
    // The channel list's cell texts as shown, one row per channel (the exports copy them).
    std::vector<ChannelListRow> ChannelRows() const;

    // Uses the main window's progress dialog instead of the window's own one.
    void SetProgressDialog(CProcessDlg* dialog);

    // Hooks the owner wires in (window thread).
    std::function<void()> onDownloadIdle;  // set the title bar's downloadIdle and update its buttons
    std::function<bool()> appRunning;      // false once the main window has begun closing
    // Asks for the query window; replaceable by tests. False on cancel.
    std::function<bool(int64_t* start, int64_t* end)> askQueryRange;
    // Picks a channel colour on a double-click of its row; replaceable by tests. False on cancel.
    std::function<bool(QColor*)> pickColour;

signals:
    // Show the history parameters in the property panel (mode 2) after a file load.
    void showHistoryProperties();
    void printRequested();
    // The save menu's choice (1012 text export, 1013 PDF report) for the main window to dispatch.
    void saveMenuCommand(int command);

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateControls();
    void LayoutControls();
    void FillTimeLabels();
    void SetStatisticsCells(bool emptyWhenNoValid);
    void OnCursorRecord(int record);
    void OnCursorCleared();
    void OnRangeChanged();
    void OnChannelItemChanged(QStandardItem* item);
    void OnChannelDoubleClicked(int row);
    void OnOption(int id, bool checked);
    void OnDownloaded();
    void OnDownloadResult(int wParam);
    void OnSave();
    void SetMouseMode(int mode);
    void Post(std::function<void()> call);

    HistoryDataSet set_;
    CHistoryDownloadWorker worker_;
    CProcessDlg* progress_ = nullptr;
    bool ownProgress_ = true;
    bool fillingChannels_ = false;

    CListCtrlCl* infoList_ = nullptr;
    QStandardItemModel* infoModel_ = nullptr;
    QTabBar* tab_ = nullptr;
    CHistoryChart* chart_ = nullptr;
    CListCtrlCl* dataList_ = nullptr;
    HistoryDataModel* dataModel_ = nullptr;
    CListCtrlCl* channelList_ = nullptr;
    QStandardItemModel* channelModel_ = nullptr;
    QCheckBox* options_[4] = {};
    CButtonST* buttons_[6] = {};
    QLabel* labels_[3] = {};
};
