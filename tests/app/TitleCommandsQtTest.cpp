// Commands that reach dialogs and other windows through the hooks: serial-port confirmation, clock
// calibration, configuring and starting the logger, the edition-only save commands, and shutdown.
#include <QtTest>

#include "AppFixture.h"
#include "app/AppHooks.h"
#include "app/BottombarDlg.h"
#include "app/PelnixApp.h"
#include "app/PelnixDlg.h"
#include "app/PropertyBarDlg.h"
#include "app/TitlebarDlg.h"
#include "model/Edition.h"
#include "model/ProfileFile.h"
#include "model/PropertyLines.h"
#include "model/Settings.h"
#include "skin/ShowMessage.h"
#include "skin/SkinButton.h"
#include "support/EmulatorProcess.h"

Q_DECLARE_METATYPE(Edition)
Q_DECLARE_METATYPE(std::vector<std::string>)

class TitleCommandsQtTest : public QObject {
    Q_OBJECT
    AppFixture fixture_;
    QStringList messages_;

private slots:
    void initTestCase() {
        SetShowMessageHook([this](const QString& text) { messages_ << text; });
    }
    void init() {
        SetEdition(Edition::Chinese);
        fixture_.ResetContext();
        QFile::remove(fixture_.Directory() + kSettingsFileName);
        messages_.clear();
        GetAppHooks() = AppHooks{};
    }
    void cleanup() {
        GetAppHooks() = AppHooks{};
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
    }

    void confirmedSerialPortIsSavedAndShown() {
        CPelnixDlg window;
        QCOMPARE(window.BottomBar()->PortText(), QStringLiteral("串口号:0"));
        bool confirm = false;
        GetAppHooks().runSerialConfig = [&] {
            GetDeviceContext().portNumber = 12;
            return confirm;
        };
        const std::string settings = fixture_.Directory().toStdString() + kSettingsFileName;
        window.DispatchMenuCommand(1003);  // cancelled: nothing saved or shown
        QCOMPARE(window.BottomBar()->PortText(), QStringLiteral("串口号:0"));
        QCOMPARE(ReadProfileInt(settings, kSectionComParameter, kKeyComPort, -1), -1);
        confirm = true;
        window.DispatchMenuCommand(1003);
        QCOMPARE(window.BottomBar()->PortText(), QStringLiteral("串口号:12"));
        QCOMPARE(ReadProfileInt(settings, kSectionComParameter, kKeyComPort, -1), 12);
    }

    void portChosenDuringStartupSearchIsKept() {
        // The search is still busy with a slow logger when the user confirms another port; the
        // search must not overwrite the user's choice afterwards.
        EmulatorProcess emulator;
        QVERIFY(emulator.start({"--delay", "150"}));
        emulator.attachToContext(9);
        DeviceContext& context = GetDeviceContext();
        context.portNumber = 0;
        context.comDevices[3] = fixture_.Directory().toStdString() + "no-such-port";
        context.portList = {3, 9};
        CPelnixDlg window;
        GetAppHooks().runSerialConfig = [] {
            GetDeviceContext().portNumber = 12;
            return true;
        };
        window.StartAutoConnect();
        window.DispatchMenuCommand(1003);
        window.WaitForAutoConnect();
        QCOMPARE(context.portNumber, 12);
        const std::string settings = fixture_.Directory().toStdString() + kSettingsFileName;
        QCOMPARE(ReadProfileInt(settings, kSectionComParameter, kKeyComPort, -1), 12);
        QCOMPARE(window.BottomBar()->PortText(), QStringLiteral("串口号:12"));
    }

    void calibrationStartsRecording_data() {
        QTest::addColumn<std::vector<std::string>>("emulatorOptions");
        QTest::addColumn<QString>("message");
        QTest::newRow("accepted") << std::vector<std::string>{} << QStringLiteral("时间校准成功");
        QTest::newRow("refused") << std::vector<std::string>{"--bit7-to", "1E"}
                                 << QStringLiteral("时间校准失败，请检查通信情况");
    }
    void calibrationStartsRecording() {
        QFETCH(std::vector<std::string>, emulatorOptions);
        QFETCH(QString, message);
        EmulatorProcess emulator;
        QVERIFY(emulator.start(emulatorOptions));
        emulator.attachToContext(6);
        CPelnixDlg window;
        GetAppHooks().runTimeCheck = [] { return false; };
        window.DispatchMenuCommand(1006);  // dialog cancelled: no StartRecord, no message
        QVERIFY(messages_.isEmpty());
        GetAppHooks().runTimeCheck = [] { return true; };
        window.DispatchMenuCommand(1006);
        QCOMPARE(messages_, QStringList{message});
    }

    void failedStartStillSwapsAndReconnects_data() {
        QTest::addColumn<std::vector<std::string>>("emulatorOptions");
        QTest::addColumn<QStringList>("expectedMessages");
        QTest::newRow("started") << std::vector<std::string>{"--set", "device.work_status=0"}
                                 << QStringList{};
        QTest::newRow("start refused")
            << std::vector<std::string>{"--set", "device.work_status=0", "--no-reply-to", "1E"}
            << QStringList{QStringLiteral("参数配置失败，请检查通信情况")};
    }
    void failedStartStillSwapsAndReconnects() {
        QFETCH(std::vector<std::string>, emulatorOptions);
        QFETCH(QStringList, expectedMessages);
        EmulatorProcess emulator;
        QVERIFY(emulator.start(emulatorOptions));
        emulator.attachToContext(6);
        CPelnixDlg window;
        CTitlebarDlg* title = window.TitleBar();
        title->OnCommand(1141);
        QVERIFY(title->Flags().connected);
        QVERIFY(title->Button(1144)->isHidden());  // stopped logger: the start button shows

        int wizardRuns = 0;
        GetAppHooks().runPrompt = [] { return true; };
        GetAppHooks().runDeviceConfig = [&] { return ++wizardRuns > 1; };
        title->OnCommand(1143);  // wizard cancelled: the command ends
        QCOMPARE(wizardRuns, 1);
        QVERIFY(title->Button(1144)->isHidden());
        QVERIFY(messages_.isEmpty());

        title->OnCommand(1143);
        QCOMPARE(messages_, expectedMessages);
        QVERIFY(title->Flags().connected);
        QCOMPARE(window.PropertyBar()->Mode(), kPanelDevice);
        // The pair follows the status read back by the reconnect.
        const bool recording = GetDeviceContext().deviceParameters.WorkStatus() == 1;
        QCOMPARE(recording, expectedMessages.isEmpty());
        QCOMPARE(title->Button(1144)->isHidden(), !recording);
        QCOMPARE(title->Button(1143)->isHidden(), recording);
    }

    void saveCommandsOnlyInChineseEdition_data() {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<int>("expectedCalls");
        QTest::newRow("zh") << Edition::Chinese << 2;
        QTest::newRow("en") << Edition::English << 0;
    }
    void saveCommandsOnlyInChineseEdition() {
        QFETCH(Edition, edition);
        QFETCH(int, expectedCalls);
        SetEdition(edition);
        fixture_.ResetContext();
        int calls = 0;
        GetAppHooks().saveText = [&] { ++calls; };
        GetAppHooks().savePicture = [&] { ++calls; };
        CPelnixDlg window;
        window.DispatchMenuCommand(1012);
        window.DispatchMenuCommand(1013);
        window.DispatchMenuCommand(0);
        window.DispatchMenuCommand(1004);
        QCOMPARE(calls, expectedCalls);
    }

    void shutdownHidesThenStopsDownloadWithoutRunningFlag() {
        CPelnixApp::SetRunning(true);
        CPelnixDlg window;
        window.show();
        bool hiddenFirst = false, runningCleared = false;
        int stops = 0;
        GetAppHooks().stopDownloadWorker = [&] {
            ++stops;
            hiddenFirst = !window.isVisible();
            runningCleared = !CPelnixApp::Running();
        };
        QSignalSpy closed(&window, &CPelnixDlg::closed);
        window.TitleBar()->OnCommand(1134);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(stops, 1);
        QVERIFY(hiddenFirst);
        QVERIFY(runningCleared);
    }
};

QTEST_MAIN(TitleCommandsQtTest)
#include "TitleCommandsQtTest.moc"
