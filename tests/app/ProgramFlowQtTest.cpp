// The whole program as a user drives it, with the real windows wired in: connect to the logger
// emulator, download the history through the title bar, save it as a record file, and open that
// file again with no logger attached.
#include <QtTest>

#include "AppFixture.h"
#include "app/AppHooks.h"
#include "app/PelnixApp.h"
#include "app/PelnixDlg.h"
#include "app/PropertyBarDlg.h"
#include "app/TitlebarDlg.h"
#include "app/TitlebarRules.h"
#include "history/CHisdataDlg.h"
#include "history/RecordFile.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "model/PropertyLines.h"
#include "skin/ShowMessage.h"
#include "skin/SkinButton.h"
#include "skin/SkinWarning.h"
#include "support/EmulatorProcess.h"

Q_DECLARE_METATYPE(Edition)

class ProgramFlowQtTest : public QObject {
    Q_OBJECT
    AppFixture fixture_;
    QStringList messages_;

private slots:
    void initTestCase() {
        QVERIFY(fixture_.Valid());
        SetShowMessageHook([this](const QString& text) { messages_ << text; });
        SetSkinWarningHook([](const QString&, const QString&) {});
        CPelnixApp::SetRunning(true);  // failure messages are shown only while the program runs
    }
    void cleanup() {
        GetAppHooks() = AppHooks{};
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
    }

    void downloadSaveAndReopenWithoutLogger_data() {
        QTest::addColumn<Edition>("edition");
        QTest::newRow("zh") << Edition::Chinese;
        QTest::newRow("en") << Edition::English;
    }
    void downloadSaveAndReopenWithoutLogger() {
        QFETCH(Edition, edition);
        SetEdition(edition);
        fixture_.ResetContext();
        messages_.clear();
        GetAppHooks() = AppHooks{};
        InstallWindowHooks();

        EmulatorProcess emulator;
        QVERIFY(emulator.start());
        emulator.attachToContext(5);
        DeviceContext& context = GetDeviceContext();
        context.retryCount = 3;  // the program's own setting: a page may need more than one poll
        const int baud = context.baudRate = 9600;  // the download runs at 115200 and restores it

        CPelnixDlg window;
        window.show();
        auto* history = qobject_cast<CHisdataDlg*>(window.HistoryWindow());
        QVERIFY(history != nullptr);

        window.TitleBar()->OnCommand(kBtnDeviceConnect);
        QVERIFY(window.TitleBar()->Flags().connected);
        QCOMPARE(window.PropertyBar()->Mode(), kPanelDevice);

        window.TitleBar()->OnCommand(kBtnHisdataDownload);
        QVERIFY(history->isVisible());
        QVERIFY(!window.TitleBar()->Flags().downloadIdle);
        QTRY_VERIFY_WITH_TIMEOUT(window.TitleBar()->Flags().downloadIdle, 60000);
        QVERIFY2(messages_.isEmpty(), qPrintable(messages_.join('|')));
        HistoryDataSet& set = history->DataSet();
        // The emulator serves 1500 records; one carries an impossible date and is dropped.
        QCOMPARE(set.recordCount, 1499);
        QCOMPARE(set.channelCount, 3);
        QCOMPARE(context.baudRate, baud);
        QVERIFY(window.TitleBar()->Button(kBtnHisdataDownload)->isEnabled());

        // Save, then open the file with the logger gone: same records, panel shows the file's block.
        const QString path = fixture_.Directory() + QStringLiteral("flow.jc");
        QCOMPARE(RecordFile::Save(path.toStdString(), set, context.historyParameters, nullptr),
                 RecordFileStatus::Ok);
        const std::vector<int64_t> times = set.timestamps;
        emulator.stop();
        window.PropertyBar()->ShowProperties(kPanelLabels);
        history->ClearData();
        QCOMPARE(history->LoadRecordFile(path), 1);
        QCOMPARE(set.recordCount, 1499);
        QVERIFY(set.timestamps == times);
        QCOMPARE(window.PropertyBar()->Mode(), kPanelHistory);
        QVERIFY(messages_.isEmpty());
    }
};

QTEST_MAIN(ProgramFlowQtTest)
#include "ProgramFlowQtTest.moc"
