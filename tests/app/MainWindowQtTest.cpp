// The main window with its children on a fixture skin: layout states, window switching, menus,
// property panel modes and message 2027, and the device commands against the logger emulator.
#include <QScreen>
#include <QTreeWidget>
#include <QtTest>

#include "AppFixture.h"
#include "app/AppEvents.h"
#include "app/BottombarDlg.h"
#include "app/LeftbarDlg.h"
#include "app/PelnixDlg.h"
#include "app/PropertyBarDlg.h"
#include "app/RightbarDlg.h"
#include "app/SingleInstanceLock.h"
#include "app/TitlebarDlg.h"
#include "menus/SkinnedMenu.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "model/ProfileFile.h"
#include "model/PropertyLines.h"
#include "model/Settings.h"
#include "skin/ShowMessage.h"
#include "skin/SkinButton.h"
#include "support/EmulatorProcess.h"

Q_DECLARE_METATYPE(Edition)
Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {
constexpr int kWorkStatusRow = 4, kRecordCountRow = 10, kRemainingRow = 11;

// A block with timed start, stop by count, channels 1, 2 and 7 in the mask (7 has a slot only in
// the English edition).
void FillBlock(DeviceParameters& block, uint8_t workStatus) {
    block.Clear();
    block.SetByte(DeviceParameters::kWorkStatus, workStatus);
    block.SetByte(DeviceParameters::kStartMode, 2);
    block.SetByte(DeviceParameters::kStopMode, 4);
    block.SetBigEndian16(DeviceParameters::kStopCount, 500);
    block.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
    block.SetBigEndian32(DeviceParameters::kRecordCount, 400);
    block.SetByte(DeviceParameters::kChannelMask, 0x43);
}

QTreeWidgetItem* WorkLine(CPropertyBarDlg& panel, int row) {
    return panel.Tree()->topLevelItem(0)->child(row);
}

// Whether a process holds the abstract socket name (read-only look, never binds it).
bool AbstractNameHeld(const QString& name) {
    QFile file(QStringLiteral("/proc/net/unix"));
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray needle = " @" + name.toUtf8() + "\n";
    return (file.readAll() + "\n").contains(needle);
}
}  // namespace

class MainWindowQtTest : public QObject {
    Q_OBJECT
    AppFixture fixture_;
    QStringList messages_;

private slots:
    void initTestCase() {
        QVERIFY(fixture_.Valid());
        SetShowMessageHook([this](const QString& text) { messages_ << text; });
    }
    void init() {
        SetEdition(Edition::Chinese);
        fixture_.ResetContext();
        QFile::remove(fixture_.Directory() + kSettingsFileName);
        messages_.clear();
    }
    void cleanup() {
        SkinnedMenu::SetExecHook({});
        SetEdition(Edition::Chinese);
        DestroyDeviceContext();
    }

    void layoutNormalHiddenPanelAndMaximized() {
        CPelnixDlg window;
        window.show();
        const int height = AppFixture::kTitleHeight + AppFixture::kSideHeight + AppFixture::kBottomHeight;
        QCOMPARE(window.size(), QSize(AppFixture::kTitleWidth, height));
        const QRect content(
            AppFixture::kPanelWidth + AppFixture::kSideWidth + 2, AppFixture::kTitleHeight + 1,
            AppFixture::kTitleWidth - AppFixture::kSideWidth - AppFixture::kPanelWidth - 2 - 8 - 1,
            AppFixture::kSideHeight - 2);
        QCOMPARE(window.HistoryWindow()->geometry(), content);
        QCOMPARE(window.RealtimeWindow()->geometry(), content);
        QCOMPARE(window.PropertyBar()->geometry(), QRect(9, 61, AppFixture::kPanelWidth, 598));
        QCOMPARE(window.RightBar()->geometry(), QRect(992, 60, 8, 600));
        QCOMPARE(window.BottomBar()->geometry(), QRect(0, 660, 1000, 30));
        // The panel's tree sits under its title strip.
        QCOMPARE(window.PropertyBar()->Tree()->geometry(),
                 QRect(1, AppFixture::kStripHeight + 1, AppFixture::kPanelWidth - 2,
                       598 - AppFixture::kStripHeight - 4));

        window.DispatchMenuCommand(1007);  // hide the panel: content starts at lw + 1
        QVERIFY(!window.PropertyBar()->isVisible());
        QVERIFY(!window.propertyPanelVisible);
        QCOMPARE(window.HistoryWindow()->geometry().left(), AppFixture::kSideWidth + 1);
        QCOMPARE(window.HistoryWindow()->geometry().right(), content.right());
        window.DispatchMenuCommand(1007);
        QVERIFY(window.PropertyBar()->isVisible());
        QCOMPARE(window.HistoryWindow()->geometry(), content);

        const QRect before = window.geometry();
        QCoreApplication::postEvent(&window, new QEvent(kMaximizeToggleEvent));
        QTRY_VERIFY(window.IsMaximized());
        const QRect area = window.screen()->availableGeometry();
        QCOMPARE(window.geometry(), area);
        const int W = area.width(), H = area.height();
        QCOMPARE(window.TitleBar()->Button(1134)->geometry(), QRect(W - 30, 5, 20, 20));
        QCOMPARE(window.TitleBar()->Button(1135)->geometry(), QRect(W - 80, 5, 20, 20));
        QCOMPARE(window.BottomBar()->geometry(), QRect(0, H - 30, W, 30));
        QCOMPARE(window.LeftBar()->geometry(), QRect(0, 60, 8, H - 90));
        QCOMPARE(window.RightBar()->geometry(), QRect(W - 8, 60, 8, H - 90));
        QCOMPARE(window.HistoryWindow()->geometry(), QRect(230, 61, W - 8 - 230 - 1, H - 92));
        // A button the skin leaves invisible keeps its empty rectangle.
        QVERIFY(window.TitleBar()->Button(1146)->geometry().isEmpty());

        QCoreApplication::postEvent(&window, new QEvent(kMaximizeToggleEvent));
        QTRY_VERIFY(!window.IsMaximized());
        QCOMPARE(window.geometry(), before);
        QCOMPARE(window.TitleBar()->Button(1134)->geometry(), QRect(970, 5, 20, 20));
    }

    void titleBarDoubleClickTogglesMaximizeAndPressDrags() {
        CPelnixDlg window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CTitlebarDlg* title = window.TitleBar();
        const QPoint surface(700, 30);  // no button there
        const QRect before = window.geometry();

        // Each double click toggles; the second returns to the same rectangle.
        QTest::mouseDClick(title, Qt::LeftButton, {}, surface);
        QTRY_VERIFY(window.IsMaximized());
        QTest::mouseDClick(title, Qt::LeftButton, {}, surface);
        QTRY_VERIFY(!window.IsMaximized());
        QCOMPARE(window.geometry(), before);

        // A press on the surface and a movement drag the whole window by that distance.
        QTest::mousePress(title, Qt::LeftButton, {}, surface);
        QTest::mouseMove(title, surface + QPoint(25, 12));
        QTest::mouseRelease(title, Qt::LeftButton, {}, surface + QPoint(25, 12));
        QTRY_COMPARE(window.pos(), before.topLeft() + QPoint(25, 12));
        // Moving after the release no longer drags.
        QTest::mouseMove(title, surface + QPoint(60, 20));
        QCOMPARE(window.pos(), before.topLeft() + QPoint(25, 12));
    }

    void windowTogglesShowOneContentWindow() {
        CPelnixDlg window;
        window.show();
        QVERIFY(!window.RealtimeWindow()->isVisible() && !window.HistoryWindow()->isVisible());
        window.DispatchMenuCommand(1008);
        QVERIFY(window.RealtimeWindow()->isVisible());
        window.DispatchMenuCommand(1009);
        QVERIFY(window.HistoryWindow()->isVisible());
        QVERIFY(!window.RealtimeWindow()->isVisible());

        // The window menu offers the three windows checked as they are, and carries out the choice.
        std::vector<SkinnedMenu::Item> offered;
        SkinnedMenu::SetExecHook([&](const std::vector<SkinnedMenu::Item>& items) {
            offered = items;
            return 1007;
        });
        window.TitleBar()->OnCommand(1142);
        QCOMPARE(offered.size(), size_t(3));
        QCOMPARE(offered[0].text, QStringLiteral("属性窗口"));
        QVERIFY(offered[0].checked && !offered[1].checked && offered[2].checked);
        QVERIFY(!window.PropertyBar()->isVisible());

        // Dismissing a menu changes nothing.
        SkinnedMenu::SetExecHook([&](const std::vector<SkinnedMenu::Item>& items) {
            offered = items;
            return 0;
        });
        window.TitleBar()->OnCommand(1145);
        QCOMPARE(offered.size(), size_t(3));
        QVERIFY(!offered[1].enabled);  // 时钟校准 grayed while not connected
        QVERIFY(!window.PropertyBar()->isVisible());
        QVERIFY(window.HistoryWindow()->isVisible());
    }

    void realtimeToggleLeavesDownloadedPropertiesWhenNotConnected() {
        CPelnixDlg window;
        window.show();
        FillBlock(GetDeviceContext().historyParameters, 0);
        window.DispatchMenuCommand(1009);
        window.PropertyBar()->ShowProperties(kPanelHistory);
        window.DispatchMenuCommand(1008);
        QCOMPARE(window.PropertyBar()->Mode(), kPanelLabels);
        QVERIFY(window.RealtimeWindow()->isVisible());
    }

    void panelShowsBlockInBothEditions_data() {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("channels");
        QTest::newRow("zh device") << Edition::Chinese << 1 << 2;
        QTest::newRow("zh history") << Edition::Chinese << 2 << 2;
        QTest::newRow("en device") << Edition::English << 1 << 3;
        QTest::newRow("en history") << Edition::English << 2 << 3;
    }
    void panelShowsBlockInBothEditions() {
        QFETCH(Edition, edition);
        QFETCH(int, mode);
        QFETCH(int, channels);
        SetEdition(edition);
        fixture_.ResetContext();
        DeviceContext& context = GetDeviceContext();
        FillBlock(context.deviceParameters, 1);
        FillBlock(context.historyParameters, 1);
        CPropertyBarDlg panel;
        QCOMPARE(panel.Mode(), kPanelLabels);
        QCOMPARE(panel.Tree()->topLevelItemCount(), 2);
        QVERIFY(!panel.Tree()->topLevelItem(0)->isExpanded());

        panel.ShowProperties(mode);
        QCOMPARE(panel.Mode(), mode);
        QTreeWidget* tree = panel.Tree();
        QCOMPARE(tree->topLevelItemCount(), 2);
        QTreeWidgetItem* work = tree->topLevelItem(0);
        QTreeWidgetItem* channel = tree->topLevelItem(1);
        QVERIFY(work->isExpanded() && channel->isExpanded());
        QCOMPARE(work->childCount(), 13);
        QCOMPARE(work->child(5)->childCount(), 1);  // timed start time
        QVERIFY(work->child(5)->isExpanded());
        QCOMPARE(work->child(6)->childCount(), 1);  // stop count
        QCOMPARE(channel->childCount(), 1 + 7 * channels);
        panel.resize(AppFixture::kPanelWidth, 500);
        panel.show();
        QCOMPARE(tree->visualItemRect(work).height(), CPropertyBarDlg::kItemHeight);
        QCOMPARE(tree->visualItemRect(work->child(5)->child(0)).height(), CPropertyBarDlg::kItemHeight);
        const DeviceParameters& block = mode == 1 ? context.deviceParameters : context.historyParameters;
        QCOMPARE(WorkLine(panel, kWorkStatusRow)->text(0), QString::fromStdString(WorkStatusLine(block)));

        // Message 2027 rewrites the remembered lines in mode 1 only, from the device block.
        const QString oldStatus = WorkLine(panel, kWorkStatusRow)->text(0);
        const QString oldCount = WorkLine(panel, kRecordCountRow)->text(0);
        const QString oldRemaining = WorkLine(panel, kRemainingRow)->text(0);
        context.deviceParameters.SetBigEndian32(DeviceParameters::kRecordCount, 401);
        context.deviceParameters.SetByte(DeviceParameters::kWorkStatus, 0);
        CPropertyUpdateEvent counts(0, 0);
        QVERIFY(QCoreApplication::sendEvent(&panel, &counts));
        if (mode == 1) {
            QCOMPARE(WorkLine(panel, kRecordCountRow)->text(0),
                     QString::fromStdString(RecordCountLine(context.deviceParameters)));
            QCOMPARE(WorkLine(panel, kRemainingRow)->text(0),
                     QString::fromStdString(RemainingTimeLine(context.deviceParameters)));
            QVERIFY(WorkLine(panel, kRecordCountRow)->text(0) != oldCount);
            QCOMPARE(WorkLine(panel, kWorkStatusRow)->text(0), oldStatus);  // only the (0, 0) lines
        } else {
            QCOMPARE(WorkLine(panel, kRecordCountRow)->text(0), oldCount);
            QCOMPARE(WorkLine(panel, kRemainingRow)->text(0), oldRemaining);
        }
        CPropertyUpdateEvent status(0, 1);
        QVERIFY(QCoreApplication::sendEvent(&panel, &status));
        if (mode == 1)
            QCOMPARE(WorkLine(panel, kWorkStatusRow)->text(0),
                     QString::fromStdString(WorkStatusLine(context.deviceParameters)));
        else
            QCOMPARE(WorkLine(panel, kWorkStatusRow)->text(0), oldStatus);
        QVERIFY(oldStatus != QString::fromStdString(WorkStatusLine(context.deviceParameters)));
    }

    void panelModeZeroIgnoresMessage() {
        CPropertyBarDlg panel;
        const QString before = WorkLine(panel, kRecordCountRow)->text(0);
        CPropertyUpdateEvent counts(0, 0), status(0, 1);
        QCoreApplication::sendEvent(&panel, &counts);
        QCoreApplication::sendEvent(&panel, &status);
        QCOMPARE(WorkLine(panel, kRecordCountRow)->text(0), before);
    }

    void autoConnectOnConfiguredPortFillsPanel() {
        EmulatorProcess emulator;
        QVERIFY(emulator.start());
        DeviceContext& context = GetDeviceContext();
        context.comDevices[7] = emulator.linkPath();
        context.portNumber = 7;
        CPelnixDlg window;
        window.show();
        QVERIFY(!window.TitleBar()->Button(1140)->isEnabled());
        window.StartAutoConnect();
        window.WaitForAutoConnect();
        QTRY_VERIFY(window.TitleBar()->Flags().connected);
        QCOMPARE(window.PropertyBar()->Mode(), kPanelDevice);
        QCOMPARE(WorkLine(*window.PropertyBar(), kWorkStatusRow)->text(0),
                 QStringLiteral("工作状态：正在记录"));
        QCOMPARE(window.PropertyBar()->Tree()->topLevelItem(1)->childCount(), 1 + 7 * 3);  // mask 0x0B
        // The logger records: the stop button takes the pair's place; device buttons come alive.
        QVERIFY(!window.TitleBar()->Button(1144)->isHidden());
        QVERIFY(window.TitleBar()->Button(1143)->isHidden());
        QVERIFY(window.TitleBar()->Button(1140)->isEnabled());
        QVERIFY(messages_.isEmpty());
    }

    void connectWaitsForStartupAttemptOnTheSamePort() {
        // A slow logger keeps the start-up attempt busy when the user presses DeviceConnect: the
        // two must not talk on the port at the same time.
        EmulatorProcess emulator;
        QVERIFY(emulator.start({"--delay", "150"}));
        emulator.attachToContext(8);
        CPelnixDlg window;
        window.show();
        window.StartAutoConnect();
        window.TitleBar()->OnCommand(1141);
        QVERIFY(messages_.isEmpty());
        QVERIFY(window.TitleBar()->Flags().connected);
        QCOMPARE(window.PropertyBar()->Mode(), kPanelDevice);
    }

    void autoSearchStoresFirstAnsweringPort() {
        EmulatorProcess emulator;
        QVERIFY(emulator.start());
        DeviceContext& context = GetDeviceContext();
        context.comDevices[3] = fixture_.Directory().toStdString() + "no-such-port";
        context.comDevices[9] = emulator.linkPath();
        context.autoSearch = 1;
        context.portList = {3, 9};
        CPelnixDlg window;
        window.show();
        window.StartAutoConnect();
        window.WaitForAutoConnect();
        QVERIFY(window.TitleBar()->Flags().connected);
        QCOMPARE(context.portNumber, 9);
        const std::string settings = fixture_.Directory().toStdString() + kSettingsFileName;
        QCOMPARE(ReadProfileInt(settings, kSectionComParameter, kKeyComPort, -1), 9);
        // The bottom bar keeps the port it showed at start.
        QCOMPARE(window.BottomBar()->PortText(), QStringLiteral("串口号:0"));
        QVERIFY(messages_.isEmpty());
    }

    void autoSearchWithoutAnswerStaysSilentOnPortZero() {
        DeviceContext& context = GetDeviceContext();
        context.comDevices[3] = fixture_.Directory().toStdString() + "no-such-port";
        context.autoSearch = 1;
        context.portList = {3};
        CPelnixDlg window;
        window.StartAutoConnect();
        window.WaitForAutoConnect();
        QCoreApplication::processEvents();
        QVERIFY(!window.TitleBar()->Flags().connected);
        QCOMPARE(context.portNumber, 0);
        QVERIFY(!QFile::exists(fixture_.Directory() + kSettingsFileName));
        QCOMPARE(window.PropertyBar()->Mode(), kPanelLabels);
        QVERIFY(messages_.isEmpty());
    }

    void failedConnectShowsMessage_data() {
        QTest::addColumn<Edition>("edition");
        QTest::addColumn<QString>("message");
        QTest::newRow("zh") << Edition::Chinese << QStringLiteral("设备联机失败，请检查通信情况");
        QTest::newRow("en") << Edition::English
                            << QStringLiteral("Connecting device fails, check the communication situation");
    }
    void failedConnectShowsMessage() {
        QFETCH(Edition, edition);
        QFETCH(QString, message);
        SetEdition(edition);
        fixture_.ResetContext();
        DeviceContext& context = GetDeviceContext();
        context.comDevices[4] = fixture_.Directory().toStdString() + "no-such-port";
        context.portNumber = 4;
        CPelnixDlg window;
        window.StartAutoConnect();
        window.TitleBar()->OnCommand(1141);
        QCOMPARE(messages_, QStringList{message});
        QVERIFY(!window.TitleBar()->Flags().connected);
        QCOMPARE(window.PropertyBar()->Mode(), kPanelLabels);
    }

    void stopRecordingRewritesWorkStatusOnly_data() {
        QTest::addColumn<std::vector<std::string>>("emulatorOptions");
        QTest::addColumn<bool>("stops");
        QTest::newRow("logger stops") << std::vector<std::string>{} << true;
        QTest::newRow("logger refuses") << std::vector<std::string>{"--bit7-to", "1D"} << false;
    }
    void stopRecordingRewritesWorkStatusOnly() {
        QFETCH(std::vector<std::string>, emulatorOptions);
        QFETCH(bool, stops);
        EmulatorProcess emulator;
        QVERIFY(emulator.start(emulatorOptions));
        DeviceContext& context = GetDeviceContext();
        context.comDevices[5] = emulator.linkPath();
        context.portNumber = 5;
        CPelnixDlg window;
        window.show();
        window.TitleBar()->OnCommand(1141);
        QVERIFY(window.TitleBar()->Flags().connected);
        QTreeWidgetItem* line = WorkLine(*window.PropertyBar(), kWorkStatusRow);
        QCOMPARE(line->text(0), QStringLiteral("工作状态：正在记录"));

        window.TitleBar()->OnCommand(1144);
        // The same tree item, rewritten in place: no new connect rebuilt the tree.
        QCOMPARE(WorkLine(*window.PropertyBar(), kWorkStatusRow), line);
        if (stops) {
            QCOMPARE(messages_, QStringList{QStringLiteral("设备停止记录成功")});
            QCOMPARE(line->text(0), QStringLiteral("工作状态：停止状态"));
            QCOMPARE(context.deviceParameters.WorkStatus(), uint8_t(0));
            QVERIFY(!window.TitleBar()->Button(1143)->isHidden());
            QVERIFY(window.TitleBar()->Button(1144)->isHidden());
        } else {
            QCOMPARE(messages_, QStringList{QStringLiteral("设备停止记录失败")});
            QCOMPARE(line->text(0), QStringLiteral("工作状态：正在记录"));
            QVERIFY(window.TitleBar()->Button(1143)->isHidden());
        }
        QVERIFY(window.TitleBar()->Flags().connected);  // a failing command never disconnects
    }

    void secondInstanceExitsSilently() {
        const QString program =
            QCoreApplication::applicationDirPath() + QStringLiteral("/../zh/Zorva_Record");
        if (!QFileInfo::exists(program)) QSKIP("Zorva_Record_zh is not built");
        if (AbstractNameHeld(QStringLiteral("Pelnix"))) QSKIP("another Zorva_Record runs on this machine");
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess first, second;
        first.setProcessEnvironment(environment);
        second.setProcessEnvironment(environment);
        first.start(program, {});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(AbstractNameHeld(QStringLiteral("Pelnix")), 20000);
        second.start(program, {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished(10000));
    }
};

QTEST_MAIN(MainWindowQtTest)
#include "MainWindowQtTest.moc"
