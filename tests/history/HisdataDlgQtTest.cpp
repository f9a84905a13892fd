// The history window: download against the logger emulator (progress, lists, chart, cancel,
// failure, baud rate), layout, query, record file and the data list's virtual rows.
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimeEdit>
#include <QtTest>
#include <ctime>

#include "device/Commands.h"
#include "history/CHisdataDlg.h"
#include "history/CHistoryChart.h"
#include "history/CProcessDlg.h"
#include "history/CQueryDataDlg.h"
#include "history/DownloadMessage.h"
#include "history/HistoryDataModel.h"
#include "history/RecordFile.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "reports/SaveHistoryCommand.h"
#include "skin/ListCtrlCl.h"
#include "skin/ShowMessage.h"

namespace {

constexpr int kPort = 240;
constexpr int kConfiguredBaud = 9600;

// The logger emulator on a pseudo-terminal linked in a temporary folder, reached as port kPort.
class Emulator {
public:
    explicit Emulator(const QStringList& options) {
        link_ = dir_.filePath("logger");
        process_.setProgram(ZORVA_LOGGER_SIM);
        process_.setArguments(QStringList{"--link", link_, "--die-with-parent"} + options);
        process_.start();
        while (process_.waitForReadyRead(5000))
            if (process_.readAllStandardOutput().contains("ready")) {
                ready_ = true;
                break;
            }
    }
    ~Emulator() {
        process_.terminate();
        process_.waitForFinished(3000);
    }
    bool Ready() const { return ready_; }
    QString Link() const { return link_; }

private:
    QTemporaryDir dir_;
    QString link_;
    QProcess process_;
    bool ready_ = false;
};

// Connects to the emulator as the title bar does and copies the block to the history parameters.
bool Connect(const Emulator& emulator) {
    DeviceContext& context = GetDeviceContext();
    context.comDevices[kPort] = emulator.Link().toStdString();
    context.portNumber = kPort;
    context.baudRate = 115200;
    context.downloadWait = 0;
    if (!ReadDeviceState(context.deviceParameters)) return false;
    context.deviceParameters.RebuildEnabledChannels();  // the property panel does this after a connect
    context.historyParameters = context.deviceParameters;
    context.baudRate = kConfiguredBaud;  // the pages must run at 115200 whatever is configured
    return true;
}

// The download command's calls on the window, in order.
void StartDownload(CHisdataDlg& dlg) {
    dlg.ResetDownloadState();
    dlg.StopWorker();
    dlg.ClearData();
    dlg.LoadChannels();
    dlg.InitDataListColumns();
    dlg.FillChannelList();
    dlg.StartWorker();
}

QString Cell(QAbstractItemModel* model, int row, int column) {
    return model->data(model->index(row, column)).toString();
}

}  // namespace

class HisdataDlgQtTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("TZ", "Asia/Shanghai");
        tzset();
    }
    void init();
    void cleanup();
    void FullDownloadFillsListsAndChart_data();
    void FullDownloadFillsListsAndChart();
    void CancelDuringAPageLeavesAnEmptySetAndNoMessage();
    void FailingPageShowsTheMessageAndEmptiesTheSet_data();
    void FailingPageShowsTheMessageAndEmptiesTheSet();
    void LayoutOfA900By600Window();
    void ProgressCloseBoxCancelsLikeTheButton();
    void QueryNarrowsTheListsAndEmptiesStatisticsWithoutValidSamples();
    void RecordFileLoadShowsFileSourceAndAllRecords();
    void SaveButtonExportsTheRangeWithTheRowsAsShown();
    void FileLoadDuringADownloadStopsItQuietly_data();
    void FileLoadDuringADownloadStopsItQuietly();
    void QueryDialogRefusesAStartAfterTheEnd_data();
    void QueryDialogRefusesAStartAfterTheEnd();
    void UnconvertibleTimeReadsAlikeInEveryList();

private:
    QStringList messages_;
    int idle_ = 0;
};

void HisdataDlgQtTest::init() {
    messages_.clear();
    idle_ = 0;
    SetShowMessageHook([this](const QString& text) { messages_ << text; });
}

void HisdataDlgQtTest::cleanup() {
    SetShowMessageHook({});
    SetEdition(Edition::Chinese);
    DestroyDeviceContext();
}

void HisdataDlgQtTest::FullDownloadFillsListsAndChart_data() {
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("expected");  // source, interval, channel 1, 50 % text, end text
    QTest::newRow("Chinese") << false
                             << QStringList{"下载", "60", "通道1", "数据下载进度：50.0%",
                                            "下载完毕，初始化中"};
    QTest::newRow("English") << true
                             << QStringList{"Device", "60s", "Channel1", "Data is downloading：50.0%",
                                            "Download end，Initializing"};
}

void HisdataDlgQtTest::FullDownloadFillsListsAndChart() {
    QFETCH(bool, english);
    QFETCH(QStringList, expected);
    SetEdition(english ? Edition::English : Edition::Chinese);
    DestroyDeviceContext();
    Emulator emulator({"--records", "490", "--plain-history"});  // 49 records a page: 10 pages
    QVERIFY(emulator.Ready());
    QVERIFY(Connect(emulator));

    CHisdataDlg dlg;
    dlg.onDownloadIdle = [this] { ++idle_; };
    dlg.resize(1000, 640);
    dlg.show();
    QStringList texts;
    connect(dlg.ProgressDialog(), &CProcessDlg::textShown, [&](const QString& t) { texts << t; });
    StartDownload(dlg);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.DataSet().dataValid && dlg.DataModel()->rowCount() > 0, 30000);

    QVERIFY(texts.contains(expected[3]));
    QCOMPARE(texts.first(), QString::fromUtf8(english ? "Data start to download" : "数据开始下载"));
    QCOMPARE(texts.last(), expected[4]);
    QVERIFY(messages_.isEmpty());
    QVERIFY(idle_ >= 1);
    QCOMPARE(GetDeviceContext().baudRate, kConfiguredBaud);
    QTRY_VERIFY(!dlg.ProgressDialog()->isVisible());

    QStandardItemModel* info = dlg.InfoModel();
    QCOMPARE(Cell(info, 0, 0), QString("A1B2C3D4"));
    QCOMPARE(Cell(info, 0, 1), expected[0]);
    QCOMPARE(Cell(info, 0, 2), QString("3"));
    QCOMPARE(Cell(info, 0, 3), expected[1]);
    QCOMPARE(Cell(info, 0, 4), QString("490"));
    QCOMPARE(Cell(info, 0, 5), QString("2026-03-02 08:00:00"));

    QStandardItemModel* channels = dlg.ChannelModel();
    QCOMPARE(channels->rowCount(), 3);
    QCOMPARE(Cell(channels, 0, 0), expected[2]);
    QVERIFY(!Cell(channels, 1, 5).isEmpty());

    HistoryDataModel* data = dlg.DataModel();
    QCOMPARE(data->rowCount(), 490);
    QCOMPARE(data->columnCount(), 5);
    QCOMPARE(Cell(data, 489, 0), QString("490"));
    QCOMPARE(Cell(data, 0, 1), QString("2026-03-02 08:00:00"));
    QCOMPARE(dlg.TimeLabel(CHisdataDlg::kLabelLeft), QString("2026-03-02 08:00:00"));

    QVERIFY(dlg.Chart()->RenderCount() > 0);
    const QImage chart = dlg.Chart()->KeptImage();
    int blue = 0;
    for (int x = 0; x < chart.width(); x += 3)
        for (int y = 0; y < chart.height(); ++y) blue += chart.pixel(x, y) == qRgb(0, 0, 255);
    QVERIFY2(blue > 100, qPrintable(QString::number(blue)));
}

void HisdataDlgQtTest::CancelDuringAPageLeavesAnEmptySetAndNoMessage() {
    Emulator emulator({"--records", "490", "--plain-history", "--delay", "120"});
    QVERIFY(emulator.Ready());
    QVERIFY(Connect(emulator));
    CHisdataDlg dlg;
    dlg.onDownloadIdle = [this] { ++idle_; };
    dlg.show();
    CProcessDlg* progress = dlg.ProgressDialog();
    // Page 2 done: page 3 is on its way; cancel now.
    connect(progress, &CProcessDlg::textShown, progress, [progress](const QString& text) {
        if (text.contains("20.0%")) QTimer::singleShot(0, progress->CancelButton(), &QPushButton::click);
    });
    StartDownload(dlg);
    QTRY_VERIFY_WITH_TIMEOUT(idle_ >= 1 && dlg.DataSet().dataValid, 30000);
    dlg.StopWorker();
    QCoreApplication::processEvents();
    QVERIFY(messages_.isEmpty());
    QCOMPARE(dlg.DataSet().recordCount, 0);
    QCOMPARE(dlg.DataSet().channelCount, 0);
    QCOMPARE(dlg.DataModel()->rowCount(), 0);
    QCOMPARE(progress->Current(), 2);
    QVERIFY(!progress->isVisible());
    QCOMPARE(GetDeviceContext().baudRate, kConfiguredBaud);
}

void HisdataDlgQtTest::FailingPageShowsTheMessageAndEmptiesTheSet_data() {
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<bool>("closing");
    QTest::addColumn<int>("messages");
    QTest::newRow("page 4 unanswered") << QStringList{"--stop-after", "4"} << false << 1;
    QTest::newRow("page count refused") << QStringList{"--bit7-to", "19"} << false << 1;
    QTest::newRow("page fails while closing") << QStringList{"--stop-after", "4"} << true << 0;
}

void HisdataDlgQtTest::FailingPageShowsTheMessageAndEmptiesTheSet() {
    QFETCH(QStringList, faults);
    QFETCH(bool, closing);
    QFETCH(int, messages);
    // The connect sequence takes its own requests first: count them in by connecting beforehand.
    Emulator emulator(QStringList{"--records", "490", "--plain-history"} + faults);
    QVERIFY(emulator.Ready());
    DeviceContext& context = GetDeviceContext();
    context.historyParameters = context.deviceParameters;
    context.comDevices[kPort] = emulator.Link().toStdString();
    context.portNumber = kPort;
    context.baudRate = kConfiguredBaud;
    context.retryCount = 2;
    // A block for three channels with capacity, without asking the emulator (its requests are counted).
    DeviceParameters& p = context.historyParameters;
    p.SetByte(DeviceParameters::kChannelMask, 0x0B);
    p.RebuildEnabledChannels();
    p.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
    p.SetBigEndian32(p.Offsets().deviceInfo + DeviceParameters::kInfoCapacity, 60000);

    CHisdataDlg dlg;
    dlg.onDownloadIdle = [this] { ++idle_; };
    dlg.appRunning = [closing] { return !closing; };
    dlg.show();
    StartDownload(dlg);
    QTRY_VERIFY_WITH_TIMEOUT(idle_ >= 1 && dlg.DataSet().dataValid, 60000);
    dlg.StopWorker();
    QCoreApplication::processEvents();
    QCOMPARE(messages_.size(), messages);
    if (messages) QCOMPARE(messages_.first(), QString("数据下载失败"));
    QCOMPARE(dlg.DataSet().recordCount, 0);
    QCOMPARE(dlg.DataModel()->rowCount(), 0);
    QCOMPARE(context.baudRate, kConfiguredBaud);
}

void HisdataDlgQtTest::ProgressCloseBoxCancelsLikeTheButton() {
    CHisdataDlg dlg;
    dlg.show();
    CProcessDlg* progress = dlg.ProgressDialog();
    progress->SetCancelReceiver(&dlg);
    dlg.Worker().workerRunning = 1;
    CDownloadMessage range(WM_DOWNLOAD_PROGRESS, 0, 4);
    QCoreApplication::sendEvent(progress, &range);
    QCOMPARE(progress->Bar()->maximum(), 4);
    CDownloadMessage last(WM_DOWNLOAD_PROGRESS, 1, 4);
    QCoreApplication::sendEvent(progress, &last);
    QVERIFY(progress->HideTimerActive());  // the end text stays 2000 ms, then the dialog hides
    progress->ShowCentred();
    QVERIFY(progress->isVisible());
    progress->reject();  // the close box
    QVERIFY(!progress->isVisible());
    QCOMPARE(dlg.Worker().cancelled.load(), 1);
    QCOMPARE(dlg.Worker().workerRunning.load(), 0);
    QVERIFY(messages_.isEmpty());
}

void HisdataDlgQtTest::LayoutOfA900By600Window() {
    CHisdataDlg dlg;
    dlg.resize(900, 600);
    dlg.show();
    QCOMPARE(dlg.Chart()->geometry(), QRect(2, 108, 825, 387));
    auto at = [&](int id) { return dlg.findChild<QWidget*>(QString::number(id))->geometry(); };
    QCOMPARE(at(CHisdataDlg::kLabelLeft).y(), 496);
    QCOMPARE(at(CHisdataDlg::kChannelList), QRect(2, 517, 896, 80));
    const int buttonY[] = {216, 262, 308, 354, 400, 446};
    for (int k = 0; k < 6; ++k) QCOMPARE(at(CHisdataDlg::kButtonNormal + k), QRect(838, buttonY[k], 50, 43));
    QCOMPARE(at(CHisdataDlg::kOptionBreak), QRect(831, 191, 65, 18));
    QVERIFY(!dlg.DataList()->isVisible());
    dlg.ShowTab(1);
    QVERIFY(dlg.DataList()->isVisible());
    QVERIFY(!dlg.Chart()->isVisible());
    QVERIFY(!dlg.findChild<QWidget*>("1054")->isVisible());
}

namespace {
// Two channels of 20 records a minute apart; channel 2 has no valid sample in 10..12.
void FillGenerated(CHisdataDlg& dlg) {
    DeviceParameters& p = GetDeviceContext().historyParameters;
    p.SetByte(DeviceParameters::kChannelMask, 0x03);
    p.RebuildEnabledChannels();
    p.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
    ChannelConfig config;
    config.unit = 1;
    config.rangeUpper = 800;
    config.rangeLower = -400;
    p.SetChannel(0, config);
    p.SetChannel(1, config);
    dlg.ClearData();
    dlg.LoadChannels();
    HistoryDataSet& set = dlg.DataSet();
    for (int i = 0; i < 20; ++i) {
        set.timestamps.push_back(1425182400 + 60 * i);
        set.channels[0].values.push_back(18.0 + i * 0.1);
        set.channels[1].values.push_back(i >= 8 && i <= 14 ? InvalidSample : 5.0);
    }
    set.recordCount = 20;
    set.RecomputeRangeStatistics();
    dlg.InitDataListColumns();
    dlg.FillInfoList(true);
    dlg.FillChannelList();
    set.dataValid = 1;
    dlg.Worker().downloadComplete = 1;
    dlg.StartWorker();
}
}  // namespace

void HisdataDlgQtTest::QueryNarrowsTheListsAndEmptiesStatisticsWithoutValidSamples() {
    CHisdataDlg dlg;
    dlg.resize(900, 600);
    dlg.show();
    FillGenerated(dlg);
    QTRY_COMPARE(dlg.DataModel()->rowCount(), 20);
    QCOMPARE(Cell(dlg.ChannelModel(), 1, 5), QString("5.0"));

    dlg.askQueryRange = [](int64_t* start, int64_t* end) {
        *start = 1425182400 + 60 * 10 - 30;  // between records 9 and 10
        *end = 1425182400 + 60 * 12;
        return true;
    };
    dlg.QueryRange();
    QCOMPARE(dlg.DataSet().rangeFirst, 10);
    QCOMPARE(dlg.DataSet().rangeLast, 12);
    QTRY_COMPARE(dlg.DataModel()->rowCount(), 3);
    QCOMPARE(Cell(dlg.DataModel(), 0, 0), QString("1"));
    QCOMPARE(Cell(dlg.DataModel(), 2, 0), QString("3"));
    QCOMPARE(Cell(dlg.DataModel(), 0, 2), QString("19.0"));
    QCOMPARE(Cell(dlg.DataModel(), 0, 3), QString("ERR"));
    QCOMPARE(Cell(dlg.ChannelModel(), 0, 5), QString("19.2"));
    for (int column : {5, 6, 7}) QCOMPARE(Cell(dlg.ChannelModel(), 1, column), QString());
    QCOMPARE(dlg.TimeLabel(CHisdataDlg::kLabelRight), QString("2015-03-01 12:12:00"));
    QCOMPARE(dlg.TimeLabel(CHisdataDlg::kLabelMiddle), QString("2015-03-01 12:11:00"));

    // Cancelled query: nothing changes.
    dlg.askQueryRange = [](int64_t*, int64_t*) { return false; };
    dlg.QueryRange();
    QCOMPARE(dlg.DataSet().rangeFirst, 10);

    // Unchecking a channel row hides its curve: the chart is rendered again without it.
    const int renders = dlg.Chart()->RenderCount();
    dlg.ChannelModel()->item(0, 0)->setCheckState(Qt::Unchecked);
    QCOMPARE(dlg.DataSet().channels[0].visible, 0);
    QCOMPARE(dlg.Chart()->RenderCount(), renders + 1);

    // Double-click on a row picks that channel's colour; its cells follow.
    dlg.pickColour = [](QColor* colour) {
        *colour = QColor(0, 255, 0);
        return true;
    };
    auto* list = dlg.findChild<CListCtrlCl*>("1046");
    emit list->doubleClicked(dlg.ChannelModel()->index(1, 3));
    QCOMPARE(dlg.DataSet().channels[1].colour, 0x00FF00u);
    QCOMPARE(list->CellTextColor(5, 1), QColor(0, 255, 0));
    QCOMPARE(dlg.DataSet().channels[0].colour, 0xFF0000u);
}

void HisdataDlgQtTest::RecordFileLoadShowsFileSourceAndAllRecords() {
    QTemporaryDir dir;
    const QString path = dir.filePath("saved.jc");
    {
        CHisdataDlg source;
        FillGenerated(source);
        source.StopWorker();
        source.DataSet().rangeFirst = 3;  // saved while a narrower range is shown
        QCOMPARE(RecordFile::Save(path.toStdString(), source.DataSet(), GetDeviceContext().historyParameters),
                 RecordFileStatus::Ok);
    }
    CHisdataDlg dlg;
    dlg.show();
    int properties = 0;
    connect(&dlg, &CHisdataDlg::showHistoryProperties, [&] { ++properties; });
    QCOMPARE(dlg.LoadRecordFile(path), 1);
    QCOMPARE(Cell(dlg.InfoModel(), 0, 1), QString("文件"));
    QCOMPARE(dlg.DataSet().rangeFirst, 0);
    QCOMPARE(dlg.DataSet().rangeLast, 19);
    QCOMPARE(properties, 1);
    QTRY_COMPARE(dlg.DataModel()->rowCount(), 20);
    QCOMPARE(dlg.ChannelModel()->rowCount(), 2);

    // A damaged file is refused with its message; the loaded set stays.
    QFile damaged(dir.filePath("short.jc"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(30, '\0'));
    damaged.close();
    QCOMPARE(dlg.LoadRecordFile(damaged.fileName()), 0);
    QCOMPARE(messages_.size(), 1);
    QCOMPARE(dlg.DataSet().recordCount, 20);
}

void HisdataDlgQtTest::FileLoadDuringADownloadStopsItQuietly_data() {
    QTest::addColumn<bool>("damaged");
    QTest::newRow("file loaded") << false;
    QTest::newRow("damaged file refused") << true;
}

void HisdataDlgQtTest::FileLoadDuringADownloadStopsItQuietly() {
    QFETCH(bool, damaged);
    QTemporaryDir dir;
    const QString path = dir.filePath("saved.jc");
    if (damaged) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(30, '\0'));
    } else {
        CHisdataDlg source;
        FillGenerated(source);
        source.StopWorker();
        QCOMPARE(RecordFile::Save(path.toStdString(), source.DataSet(), GetDeviceContext().historyParameters),
                 RecordFileStatus::Ok);
    }
    Emulator emulator({"--records", "490", "--plain-history", "--delay", "150"});
    QVERIFY(emulator.Ready());
    QVERIFY(Connect(emulator));
    CHisdataDlg dlg;
    dlg.onDownloadIdle = [this] { ++idle_; };
    dlg.show();
    CProcessDlg* progress = dlg.ProgressDialog();
    bool loaded = false;
    connect(progress, &CProcessDlg::textShown, &dlg, [&](const QString& text) {
        if (!loaded && text.contains("10.0%")) {
            loaded = true;
            QTimer::singleShot(0, &dlg, [&] { QCOMPARE(dlg.LoadRecordFile(path), damaged ? 0 : 1); });
        }
    });
    StartDownload(dlg);
    QTRY_VERIFY_WITH_TIMEOUT(loaded && idle_ >= 1, 30000);  // the title bar's device buttons come back
    QTRY_VERIFY(!progress->isVisible());
    QTRY_VERIFY(dlg.DataSet().dataValid);
    // A stopped download is no failure: only the refused file speaks.
    QCOMPARE(messages_.size(), damaged ? 1 : 0);
    if (damaged) {
        QVERIFY(messages_.first() != QString("数据下载失败"));
        QCOMPARE(dlg.DataSet().recordCount, 0);
        return;
    }
    QTRY_COMPARE(dlg.DataModel()->rowCount(), 20);
    QCOMPARE(Cell(dlg.InfoModel(), 0, 1), QString("文件"));
    QCOMPARE(dlg.DataSet().recordCount, 20);
    QCOMPARE(GetDeviceContext().baudRate, kConfiguredBaud);
}

void HisdataDlgQtTest::SaveButtonExportsTheRangeWithTheRowsAsShown() {
    SetEdition(Edition::English);  // no menu: the save dialog comes at once
    DestroyDeviceContext();
    QTemporaryDir dir;
    const QString path = dir.filePath("out");
    int dialogs = 0;
    SaveHistoryCommand::SetDialogHook([&](QWidget*, const QStringList&) {
        ++dialogs;
        return SaveHistoryCommand::Choice{path, 2};
    });
    CHisdataDlg dlg;
    dlg.show();
    QAbstractButton* save = dlg.findChild<QAbstractButton*>("1055");
    save->click();  // no data yet: nothing at all
    QCOMPARE(dialogs, 0);
    FillGenerated(dlg);
    QTRY_COMPARE(dlg.DataModel()->rowCount(), 20);
    dlg.ChannelModel()->item(0, 2)->setText("19.5");  // the cursor cell is copied as shown, not recomputed
    save->click();
    SaveHistoryCommand::SetDialogHook({});
    QCOMPARE(dialogs, 1);
    QFile csv(path + ".csv");
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray text = csv.readAll();
    QVERIFY(text.contains("Channel1"));
    QVERIFY(text.contains("ERROR"));
}

void HisdataDlgQtTest::QueryDialogRefusesAStartAfterTheEnd_data() {
    QTest::addColumn<QTime>("endTime");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("one second before the start") << QTime(11, 59, 59) << false;
    QTest::newRow("equal") << QTime(12, 0, 0) << true;
    QTest::newRow("after") << QTime(12, 0, 1) << true;
}

void HisdataDlgQtTest::QueryDialogRefusesAStartAfterTheEnd() {
    QFETCH(QTime, endTime);
    QFETCH(bool, accepted);
    const int64_t start = 1425182400;  // 2015-03-01 12:00:00 in Shanghai
    CQueryDataDlg dialog(start, start + 3600);
    QCOMPARE(dialog.StartTime()->time(), QTime(12, 0, 0));
    QCOMPARE(dialog.EndTime()->time(), QTime(13, 0, 0));
    dialog.EndTime()->setTime(endTime);
    dialog.show();
    dialog.OkButton()->click();
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(messages_.size(), accepted ? 0 : 1);
    if (accepted) {
        QCOMPARE(dialog.Start(), start);
        QCOMPARE(dialog.End(), start + QTime(12, 0, 0).secsTo(endTime));
    } else {
        QCOMPARE(messages_.first(), QString("起始时间不能大于结束时间"));
        QVERIFY(dialog.isVisible());
    }
}

// A time stamp the calendar cannot convert (from a damaged record file) reads the same in the
// information list, the time labels, the data list and the channel list's cursor cell.
void HisdataDlgQtTest::UnconvertibleTimeReadsAlikeInEveryList() {
    CHisdataDlg dlg;
    dlg.resize(900, 600);
    dlg.show();
    FillGenerated(dlg);
    dlg.StopWorker();
    dlg.DataSet().timestamps.back() = int64_t{1} << 62;  // a year far beyond the calendar's reach
    dlg.FillInfoList(false);
    dlg.FillChannelList();
    dlg.FillDataList();
    dlg.RedrawChart();
    dlg.Chart()->MoveTo(dlg.Chart()->width(), 10);  // the last record

    struct Shown {
        QString what, text, expected;
    } shown[] = {
        {"first record in the information list", Cell(dlg.InfoModel(), 0, 5), "2015-03-01 12:00:00"},
        {"last record in the information list", Cell(dlg.InfoModel(), 0, 6), "0000-00-00 -1:-1:-1"},
        {"left label", dlg.TimeLabel(CHisdataDlg::kLabelLeft), "2015-03-01 12:00:00"},
        {"right label", dlg.TimeLabel(CHisdataDlg::kLabelRight), "0-00-00 -1:-1:-1"},
        {"first data row", Cell(dlg.DataModel(), 0, 1), "2015-03-01 12:00:00"},
        {"last data row", Cell(dlg.DataModel(), 19, 1), "0-00-00 -1:-1:-1"},
        {"cursor cell", Cell(dlg.ChannelModel(), 0, 4), "0-00-00 -1:-1:-1"},
    };
    for (const Shown& s : shown) QVERIFY2(s.text == s.expected, qPrintable(s.what + ": " + s.text));
}

QTEST_MAIN(HisdataDlgQtTest)
#include "HisdataDlgQtTest.moc"
