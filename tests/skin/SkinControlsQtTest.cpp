#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QtTest>

#include "SkinFixture.h"
#include "menus/SkinnedMenu.h"
#include "model/Edition.h"
#include "skin/HeaderCtrlCl.h"
#include "skin/ListCtrlCl.h"
#include "skin/MsgBox.h"
#include "skin/PopDlgFrame.h"
#include "skin/PopupFrameSkin.h"
#include "skin/ShowMessage.h"
#include "skin/SkinButton.h"
#include "skin/StaticEx.h"

namespace {

QColor ZoneColor(int col, int row) {
    return QColor(40 + col * 80, 40 + row * 80, 100);
}

// A 30 x 30 frame whose nine parts (margins 5, 8, 6, 4) each have their own colour.
QImage NinePartFrame() {
    QImage image(30, 30, QImage::Format_ARGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            image.setPixelColor(x, y, ZoneColor(x < 5 ? 0 : x >= 24 ? 2 : 1, y < 8 ? 0 : y >= 26 ? 2 : 1));
    return image;
}

}  // namespace

class SkinControlsQtTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetEdition(Edition::Chinese); }
    void cleanup() { SetEdition(Edition::Chinese); }

    void buttonChoosesImageByState_data();
    void buttonChoosesImageByState();
    void pressMovingOutAndReleasingDoesNotClick();
    void headerRowsDarkenByStepAndClampAtZero();
    void cellColoursFollowListColumnCell();
    void checkableCellShowsAndTogglesItsCheckBox();
    void popupFrameDrawsNinePartsAndPlacesControls();
    void popupWithoutFrameImageIsPlain();
    void popupDragsFromAnyPointOfItsSurface();
    void messageBoxClosesWithOkOrCloseButton();
    void showMessageHookReceivesTextInsteadOfBox();
    void menuReturnsChosenEnabledIdOrZero_data();
    void menuReturnsChosenEnabledIdOrZero();
    void realMenuGraysChecksAndReturnsClickedId_data();
    void realMenuGraysChecksAndReturnsClickedId();
};

void SkinControlsQtTest::buttonChoosesImageByState_data() {
    QTest::addColumn<bool>("withDisabledImage");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("normal") << true << true << false << QColor(Qt::red);
    QTest::newRow("pressed") << true << true << true << QColor(Qt::blue);
    QTest::newRow("disabled image") << true << false << false << QColor(Qt::yellow);
    QTest::newRow("no disabled image shows normal") << false << false << false << QColor(Qt::red);
}

void SkinControlsQtTest::buttonChoosesImageByState() {
    QFETCH(bool, withDisabledImage);
    QFETCH(bool, enabled);
    QFETCH(bool, down);
    QFETCH(QColor, expected);
    CxSkinButton button(nullptr, 1141);
    button.SetSkin(SolidImage(4, 4, Qt::red), SolidImage(4, 4, Qt::blue), SolidImage(4, 4, Qt::green),
                   withDisabledImage ? SolidImage(4, 4, Qt::yellow) : QImage());
    button.resize(20, 12);
    button.setEnabled(enabled);
    button.setDown(down);
    const QImage shot = button.grab().toImage();
    // Drawn stretched over the whole button.
    QCOMPARE(shot.pixelColor(0, 0), expected);
    QCOMPARE(shot.pixelColor(19, 11), expected);
    QCOMPARE(button.cursor().shape(), Qt::PointingHandCursor);
}

void SkinControlsQtTest::pressMovingOutAndReleasingDoesNotClick() {
    QWidget owner;
    owner.resize(100, 60);
    auto* button = new CxSkinButton(&owner, 1140);
    button->setGeometry(10, 10, 30, 20);
    button->SetSkin(SolidImage(4, 4, Qt::red), SolidImage(4, 4, Qt::blue), SolidImage(4, 4, Qt::green),
                    QImage());
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QSignalSpy commands(button, &CxSkinButton::Command);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(15, 10));
    QCOMPARE(&button->CurrentImage(), &button->PressedImage());
    QTest::mouseMove(button, QPoint(60, 40));
    QVERIFY(!button->isDown());
    QTest::mouseMove(button, QPoint(15, 10));
    QVERIFY(button->isDown());
    QCOMPARE(&button->CurrentImage(), &button->PressedImage());
    QTest::mouseMove(button, QPoint(60, 40));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(60, 40));
    QCOMPARE(commands.size(), 0);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(15, 10));
    QCOMPARE(commands.size(), 1);
    QCOMPARE(commands.first().first().toInt(), 1140);
    // A disabled button ignores the mouse.
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(15, 10));
    QCOMPARE(commands.size(), 1);
}

void SkinControlsQtTest::headerRowsDarkenByStepAndClampAtZero() {
    CListCtrlCl list;
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({"", ""});
    list.setModel(&model);
    list.Header()->SetHeightFactor(2.0);  // tall enough for the components to reach 0
    list.setColumnWidth(0, 40);
    list.setColumnWidth(1, 40);
    list.resize(200, 120);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage shot = list.Header()->grab().toImage();
    QVERIFY(shot.height() > 30);
    for (int x : {2, 60, 150}) {  // first column, second column, right of the last column
        for (int y = 0; y < shot.height(); ++y) {
            const QColor expected(qMax(0, 171 - 8 * y), qMax(0, 199 - 8 * y), qMax(0, 235 - 8 * y));
            if (shot.pixelColor(x, y) != expected)
                QFAIL(qPrintable(QString("row %1 at x %2 is %3, expected %4")
                                     .arg(y)
                                     .arg(x)
                                     .arg(shot.pixelColor(x, y).name(), expected.name())));
        }
    }
}

void SkinControlsQtTest::cellColoursFollowListColumnCell() {
    CListCtrlCl list;
    QStandardItemModel model(2, 2);
    list.setModel(&model);
    list.SetRowHeight(20);
    list.resize(300, 200);
    const QColor base = list.palette().color(QPalette::Base);
    list.SetColColor(1, QColor(10, 20, 30));
    list.SetItemColor(1, 1, QColor(200, 100, 50));
    list.SetItemColor(0, 1, QColor(1, 2, 3));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(list.rowHeight(0), 20);
    const QImage shot = list.viewport()->grab().toImage();
    const struct {
        int column, row;
        QColor color;
    } cells[] = {
        {0, 0, base}, {1, 0, QColor(10, 20, 30)}, {1, 1, QColor(200, 100, 50)}, {0, 1, QColor(1, 2, 3)}};
    for (const auto& cell : cells) {
        const QRect r = list.visualRect(model.index(cell.row, cell.column));
        QCOMPARE(shot.pixelColor(r.topLeft() + QPoint(3, 3)), cell.color);
    }
}

void SkinControlsQtTest::checkableCellShowsAndTogglesItsCheckBox() {
    CListCtrlCl list;
    QStandardItemModel model(2, 1);
    for (int row = 0; row < 2; ++row) {
        auto* item = new QStandardItem("通道1");
        item->setCheckable(true);
        item->setCheckState(Qt::Checked);
        model.setItem(row, 0, item);
    }
    list.setModel(&model);
    list.SetRowHeight(20);
    list.setColumnWidth(0, 120);
    list.resize(200, 120);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QRect first = list.visualRect(model.index(0, 0));
    const QRect second = list.visualRect(model.index(1, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(first.left() + 10, first.center().y()));
    QCOMPARE(model.item(0)->checkState(), Qt::Unchecked);
    // Same text, different check state: the two cells must not look alike.
    list.clearSelection();
    const QImage shot = list.viewport()->grab().toImage();
    QVERIFY(shot.copy(first.adjusted(0, 0, -1, -1)) != shot.copy(second.adjusted(0, 0, -1, -1)));
}

void SkinControlsQtTest::popupFrameDrawsNinePartsAndPlacesControls() {
    SkinFolder folder;
    folder.SaveImage("frame.png", NinePartFrame());
    QImage close = SolidImage(40, 40, Qt::blue);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 22; ++x) close.setPixelColor(x, y, Qt::red);
    folder.SaveImage("close.png", close);
    folder.WriteIni(
        "public_config.ini",
        {"[MainSettings]", "BackImage_Up=frame.png", "Close_Up=close.png", "Close_Over=close.png",
         "Close_Down=close.png", "Close_Disable=close.png", "[DialogFrame]", "Border=5,8,6,4",
         "RoundSize=12,12", "Title_Position=7,2,300,16", "Close_Distance=4,2", "Close_Position=10,10,22,20"});
    LoadPopupFrameSkin("", folder.Path(), "public_config.ini");

    CPopDlgFrame dialog{QString()};
    dialog.resize(200, 120);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.ContentRect(), QRect(5, 8, 200 - 11, 120 - 12));
    QCOMPARE(dialog.CloseButton()->geometry(), QRect(200 - 4 - 12, 2, 12, 10));
    QCOMPARE(dialog.CloseButton()->NormalImage().size(), QSize(12, 10));
    QCOMPARE(dialog.CloseButton()->NormalImage().pixelColor(11, 9), QColor(Qt::red));
    QCOMPARE(dialog.TitleText()->geometry(), QRect(7, 2, 100, 14));
    QVERIFY(!dialog.mask().isEmpty());
    QVERIFY(!dialog.mask().contains(QPoint(0, 0)));
    QVERIFY(dialog.mask().contains(QPoint(100, 60)));

    const QImage shot = dialog.grab().toImage();
    const struct {
        QPoint at;
        int col, row;
    } parts[] = {{{1, 1}, 0, 0},     {{150, 3}, 1, 0},   {{198, 7}, 2, 0},
                 {{2, 60}, 0, 1},    {{196, 60}, 2, 1},  {{1, 118}, 0, 2},
                 {{100, 117}, 1, 2}, {{198, 118}, 2, 2}, {{100, 60}, 1, 1}};
    for (const auto& part : parts) QCOMPARE(shot.pixelColor(part.at), ZoneColor(part.col, part.row));
}

void SkinControlsQtTest::popupWithoutFrameImageIsPlain() {
    SkinFolder folder;
    LoadPopupFrameSkin("", folder.Path(), "public_config.ini");
    CPopDlgFrame dialog("plain");
    dialog.resize(120, 80);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.mask().isEmpty());
    QCOMPARE(dialog.ContentRect(), dialog.rect());
    QVERIFY(dialog.CloseButton()->geometry().isEmpty());
}

void SkinControlsQtTest::popupDragsFromAnyPointOfItsSurface() {
    SkinFolder folder;
    LoadPopupFrameSkin("", folder.Path(), "public_config.ini");
    CPopDlgFrame dialog("drag");
    dialog.setGeometry(100, 100, 200, 120);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint start = dialog.pos();
    QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(80, 70));
    QTest::mouseMove(&dialog, QPoint(110, 90));
    QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(110, 90));
    QTRY_COMPARE(dialog.pos(), start + QPoint(30, 20));
}

void SkinControlsQtTest::messageBoxClosesWithOkOrCloseButton() {
    LoadPopupFrameSkin("", QStringLiteral(ZORVA_SKIN_DIR), "public_config.ini");
    for (Edition edition : {Edition::Chinese, Edition::English}) {
        SetEdition(edition);
        for (bool viaOk : {true, false}) {
            CMsgBox box("数据下载失败");
            QCOMPARE(box.Title(), QString(edition == Edition::Chinese ? "提示" : "Prompt"));
            auto* text = box.findChild<QWidget*>("1100");
            QVERIFY(text);
            QCOMPARE(box.Text(), QString("数据下载失败"));
            QCOMPARE(box.OkButton()->text(), QString(edition == Edition::Chinese ? "确定" : "OK"));
            QTimer::singleShot(0, &box, [&] {
                if (viaOk)
                    box.OkButton()->click();
                else
                    box.CloseButton()->click();
            });
            QCOMPARE(box.exec(), viaOk ? int(QDialog::Accepted) : int(QDialog::Rejected));
        }
    }
}

void SkinControlsQtTest::showMessageHookReceivesTextInsteadOfBox() {
    QStringList seen;
    ShowMessageHook previous = SetShowMessageHook([&](const QString& text) { seen << text; });
    ShowMessage(nullptr, "first");
    SetEdition(Edition::English);
    ShowMessage(nullptr, TextId::MsgBoxOk);
    SetShowMessageHook(previous);
    QCOMPARE(seen, QStringList({"first", "OK"}));
}

void SkinControlsQtTest::menuReturnsChosenEnabledIdOrZero_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<int>("expected");
    QTest::newRow("enabled item") << 1005 << 1005;
    QTest::newRow("grayed item") << 1006 << 0;
    QTest::newRow("dismissed") << 0 << 0;
    QTest::newRow("unknown id") << 4242 << 0;
}

void SkinControlsQtTest::menuReturnsChosenEnabledIdOrZero() {
    QFETCH(int, pick);
    QFETCH(int, expected);
    std::vector<SkinnedMenu::Item> offered;
    SkinnedMenu::ExecHook previous =
        SkinnedMenu::SetExecHook([&](const std::vector<SkinnedMenu::Item>& items) {
            offered = items;
            return pick;
        });
    SkinnedMenu menu(nullptr);
    menu.AddItem(1003, "通信配置");
    menu.AddItem(1006, "时钟校准", false);
    menu.AddItem(1005, "系统配置", true, true);
    const int chosen = menu.Exec(QPoint(0, 0));
    SkinnedMenu::SetExecHook(previous);
    QCOMPARE(chosen, expected);
    QCOMPARE(offered.size(), size_t(3));
    QVERIFY(!offered[1].enabled);
    QVERIFY(offered[2].checked);
}

void SkinControlsQtTest::realMenuGraysChecksAndReturnsClickedId_data() {
    QTest::addColumn<int>("clickRow");  // -1: no click
    QTest::addColumn<int>("expected");
    QTest::newRow("enabled item clicked") << 2 << 1005;
    QTest::newRow("grayed item clicked, then dismissed") << 1 << 0;
    QTest::newRow("dismissed") << -1 << 0;
}

void SkinControlsQtTest::realMenuGraysChecksAndReturnsClickedId() {
    QFETCH(int, clickRow);
    QFETCH(int, expected);
    QWidget owner;
    owner.resize(200, 100);
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    SkinnedMenu menu(&owner);
    menu.AddItem(1003, "通信配置", true, true);
    menu.AddItem(1006, "时钟校准", false);
    menu.AddItem(1005, "系统配置");
    QStringList shown;
    // Looks at the open menu once the event loop runs inside Exec, then acts like the user.
    QTimer::singleShot(0, &owner, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup) return;
        for (QAction* action : popup->actions())
            shown << QString("%1 %2 %3")
                         .arg(action->text())
                         .arg(action->isEnabled() ? "on" : "gray")
                         .arg(action->isChecked() ? "checked" : "-");
        if (clickRow >= 0) {
            QAction* action = popup->actions().at(clickRow);
            QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(action).center());
        }
        if (popup->isVisible()) QTest::keyClick(popup, Qt::Key_Escape);
    });
    // Should the menu not react, close it rather than block the test run.
    QTimer::singleShot(5000, &owner, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    const int chosen = menu.Exec(owner.mapToGlobal(QPoint(10, 10)));
    QCOMPARE(shown, QStringList({"通信配置 on checked", "时钟校准 gray -", "系统配置 on -"}));
    QCOMPARE(chosen, expected);
}

QTEST_MAIN(SkinControlsQtTest)
#include "SkinControlsQtTest.moc"
