// Title-bar enable rules, menu rules, main-window geometry, the single-instance lock, clock text.
#include <QtTest>
#include <cstdlib>
#include <ctime>

#include "app/BottombarDlg.h"
#include "app/MainLayout.h"
#include "app/SingleInstanceLock.h"
#include "app/TitlebarRules.h"

Q_DECLARE_METATYPE(TitleFlags)

namespace {
// Ids of the device buttons whose rules depend on the flags.
const int kRuled[] = {kBtnStartRealRecord,   kBtnStopRealRecord,   kBtnHisdataDownload, kBtnDeviceConnect,
                      kBtnDeviceStartRecord, kBtnDeviceStopRecord, kBtnParameterConfig};
const int kAlways[] = {kBtnClose,      kBtnMinimize,    kBtnMaximize,
                       kBtnFileHandle, kBtnDeviceReset, kBtnSystemInfo};

MainLayoutInput SkinInput() {
    MainLayoutInput in;
    in.titleSize = QSize(1000, 60);
    in.leftSize = QSize(8, 600);
    in.rightSize = QSize(10, 600);
    in.bottomSize = QSize(1000, 30);
    in.panelWidth = 220;
    in.closeButton = QRect(970, 5, 20, 20);
    in.maximizeButton = QRect(945, 5, 20, 20);
    in.minimizeButton = QRect(920, 5, 20, 20);
    in.clockText = QRect(800, 6, 190, 18);
    in.width = 1000;
    in.height = 690;
    return in;
}
}  // namespace

class AppRulesQtTest : public QObject {
    Q_OBJECT
private slots:
    void enableRules_data() {
        QTest::addColumn<TitleFlags>("flags");
        // Expected enable state of kRuled in order: StartReal, StopReal, Download, Connect,
        // StartRecord, StopRecord, ParameterConfig.
        QTest::addColumn<QList<bool>>("expected");
        QTest::newRow("start-up, not connected")
            << TitleFlags{false, true, true} << QList<bool>{false, false, false, true, false, false, true};
        QTest::newRow("connected and idle")
            << TitleFlags{true, true, true} << QList<bool>{true, true, true, true, true, true, true};
        QTest::newRow("real-time running")
            << TitleFlags{true, false, true} << QList<bool>{true, true, false, false, false, false, false};
        QTest::newRow("downloading") << TitleFlags{true, true, false}
                                     << QList<bool>{false, false, false, false, false, false, false};
        QTest::newRow("not connected, real-time flag left running")
            << TitleFlags{false, false, true} << QList<bool>{false, false, false, false, false, false, false};
        QTest::newRow("not connected while downloading a file")
            << TitleFlags{false, true, false} << QList<bool>{false, false, false, false, false, false, false};
        QTest::newRow("real-time and download both marked running")
            << TitleFlags{true, false, false} << QList<bool>{false, false, false, false, false, false, false};
        QTest::newRow("nothing idle, not connected")
            << TitleFlags{false, false, false}
            << QList<bool>{false, false, false, false, false, false, false};
    }
    void enableRules() {
        QFETCH(TitleFlags, flags);
        QFETCH(QList<bool>, expected);
        for (int i = 0; i < 7; ++i)
            QVERIFY2(TitleButtonEnabled(kRuled[i], flags) == expected[i], TitleButtonName(kRuled[i]));
        for (int id : kAlways) QVERIFY2(TitleButtonEnabled(id, flags), TitleButtonName(id));
    }

    void buttonNamesAndPairs() {
        QCOMPARE(TitleButtonName(kBtnClose), "Close");
        QCOMPARE(TitleButtonName(kBtnDeviceStopRecord), "DeviceStopRecord");
        QCOMPARE(TitleButtonName(kBtnSystemInfo), "SystemInfo");
        QVERIFY(TitleButtonName(1133) == nullptr);
        QVERIFY(TitleButtonName(1147) == nullptr);
        int hidden = 0;
        for (int id = kFirstTitleButton; id <= kLastTitleButton; ++id)
            hidden += TitleButtonInitiallyHidden(id);
        QCOMPARE(hidden, 2);
        QVERIFY(TitleButtonInitiallyHidden(kBtnStopRealRecord) &&
                TitleButtonInitiallyHidden(kBtnDeviceStopRecord));
    }

    void configMenuGraysClockUnlessConnectedAndIdle_data() {
        QTest::addColumn<TitleFlags>("flags");
        QTest::addColumn<bool>("clockEnabled");
        QTest::newRow("not connected") << TitleFlags{false, true, true} << false;
        QTest::newRow("connected idle") << TitleFlags{true, true, true} << true;
        QTest::newRow("real-time") << TitleFlags{true, false, true} << false;
        QTest::newRow("download") << TitleFlags{true, true, false} << false;
    }
    void configMenuGraysClockUnlessConnectedAndIdle() {
        QFETCH(TitleFlags, flags);
        QFETCH(bool, clockEnabled);
        const auto items = ConfigMenuItems(flags);
        QCOMPARE(items.size(), size_t(3));
        QCOMPARE(items[0].id, 1003);
        QCOMPARE(items[1].id, 1006);
        QCOMPARE(items[2].id, 1005);
        QVERIFY(items[0].enabled && items[2].enabled);
        QCOMPARE(items[1].enabled, clockEnabled);
        for (const auto& item : items) QVERIFY(!item.checked);
    }

    void windowMenuChecksVisibleWindows() {
        for (int mask = 0; mask < 8; ++mask) {
            const auto items = WindowMenuItems(mask & 1, mask & 2, mask & 4);
            QCOMPARE(items.size(), size_t(3));
            const int ids[] = {1007, 1008, 1009};
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(items[i].id, ids[i]);
                QVERIFY(items[i].enabled);
                QCOMPARE(items[i].checked, bool(mask & (1 << i)));
            }
        }
        const auto info = InfoMenuItems();
        QCOMPARE(info.size(), size_t(2));
        QCOMPARE(info[0].id, 1010);
        QCOMPARE(info[1].id, 1011);
        QCOMPARE(QString::fromUtf8(TxIn(Edition::Chinese, info[1].text)), QStringLiteral("系统说明"));
        QCOMPARE(QString::fromUtf8(TxIn(Edition::English, info[0].text)),
                 QStringLiteral("Device Information"));
    }

    void layoutNormalState() {
        const MainLayout l = ComputeMainLayout(SkinInput());
        QCOMPARE(l.title, QRect(0, 0, 1000, 60));
        QCOMPARE(l.left, QRect(0, 60, 8, 600));
        QCOMPARE(l.right, QRect(990, 60, 10, 600));
        QCOMPARE(l.bottom, QRect(0, 660, 1000, 30));
        QCOMPARE(l.panel, QRect(9, 61, 220, 598));
        QCOMPARE(l.content, QRect(230, 61, 1000 - 10 - 230 - 1, 598));
        QCOMPARE(l.closeButton, QRect(970, 5, 20, 20));
        QCOMPARE(l.clockText, QRect(800, 6, 190, 18));
    }

    void layoutHiddenPanelWidensContent() {
        MainLayoutInput in = SkinInput();
        in.panelVisible = false;
        const MainLayout l = ComputeMainLayout(in);
        QCOMPARE(l.content, QRect(9, 61, 1000 - 10 - 9 - 1, 598));
        QCOMPARE(l.panel, QRect(9, 61, 220, 598));  // placed anyway, only hidden
    }

    void layoutMaximizedStretchesBarsAndAnchorsRight() {
        MainLayoutInput in = SkinInput();
        in.maximized = true;
        in.width = 1600;
        in.height = 970;
        const MainLayout l = ComputeMainLayout(in);
        QCOMPARE(l.title, QRect(0, 0, 1600, 60));
        QCOMPARE(l.left, QRect(0, 60, 8, 880));
        QCOMPARE(l.right, QRect(1590, 60, 10, 880));
        QCOMPARE(l.bottom, QRect(0, 940, 1600, 30));
        QCOMPARE(l.panel, QRect(9, 61, 220, 878));
        QCOMPARE(l.content, QRect(230, 61, 1600 - 10 - 230 - 1, 878));
        // Same distance from the right edge as in the skin.
        QCOMPARE(l.closeButton, QRect(1570, 5, 20, 20));
        QCOMPARE(l.maximizeButton, QRect(1545, 5, 20, 20));
        QCOMPARE(l.minimizeButton, QRect(1520, 5, 20, 20));
        QCOMPARE(l.clockText, QRect(1400, 6, 190, 18));
    }

    void layoutWithoutSkinSizesStaysEmpty() {
        MainLayoutInput in;  // no skin: every bar 0 x 0
        const MainLayout l = ComputeMainLayout(in);
        QVERIFY(l.title.isEmpty());
        QVERIFY(l.closeButton.isEmpty());
    }

    void lockIsExclusiveUntilReleased() {
        const std::string name = "zorva-test-lock-" + std::to_string(QCoreApplication::applicationPid());
        CSingleInstanceLock first, second;
        QVERIFY(first.Acquire(name));
        QVERIFY(!second.Acquire(name));
        QVERIFY(!second.Held());
        first.Release();
        QVERIFY(second.Acquire(name));
        CSingleInstanceLock other;
        QVERIFY(other.Acquire(name + "-other"));         // another name is independent
        QVERIFY(!other.Acquire(std::string(200, 'x')));  // too long for an address: refused, not cut
    }

    void clockTextHasTheFixedLayout_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("expected");
        QTest::newRow("single-digit day padded") << 2015 << 3 << 1 << "Sun Mar  1 10:05:02 2015\n";
        QTest::newRow("two-digit day") << 2015 << 3 << 11 << "Wed Mar 11 10:05:02 2015\n";
        QTest::newRow("end of year") << 2026 << 12 << 31 << "Thu Dec 31 10:05:02 2026\n";
    }
    void clockTextHasTheFixedLayout() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(QString, expected);
        setenv("TZ", "Asia/Shanghai", 1);
        tzset();
        std::tm local{};
        local.tm_year = year - 1900;
        local.tm_mon = month - 1;
        local.tm_mday = day;
        local.tm_hour = 10;
        local.tm_min = 5;
        local.tm_sec = 2;
        local.tm_isdst = -1;
        const std::string text = CBottombarDlg::FormatClock(std::mktime(&local));
        QCOMPARE(text.size(), size_t(25));
        QCOMPARE(QString::fromStdString(text), expected);
    }
};

QTEST_MAIN(AppRulesQtTest)
#include "AppRulesQtTest.moc"
