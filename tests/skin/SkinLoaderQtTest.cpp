#include <QPainter>
#include <QWidget>
#include <QtTest>

#include "SkinFixture.h"
#include "model/Edition.h"
#include "skin/PopupFrameSkin.h"
#include "skin/SkinButton.h"
#include "skin/SkinValues.h"
#include "skin/StaticEx.h"

namespace {

// Where a client pixel takes its colour from along one axis (skin extent, expand line e).
int SourceOf(int d, int client, int skin, int e) {
    if (client <= skin || d < e) return d;
    if (d >= client - (skin - e)) return d - (client - skin);
    return e;
}

const char* const kTitleNames[] = {
    "Close",           "Minimize",          "Maximize",         "FileHandle",
    "StartRealRecord", "StopRealRecord",    "HisdataDownload",  "DeviceConnect",
    "DeviceReset",     "DeviceStartRecord", "DeviceStopRecord", "ParameterConfig",
    "SystemInfo"};

}  // namespace

class SkinLoaderQtTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetEdition(Edition::Chinese); }

    void valuesParseLikeTheSkinFiles_data();
    void valuesParseLikeTheSkinFiles();
    void backgroundKeepsEdgesAndStretchesTheExpandLine_data();
    void backgroundKeepsEdgesAndStretchesTheExpandLine();
    void buttonsCutFromSheetOrFromBackgrounds();
    void imageFailuresWarnOncePerFileAndStopLoading_data();
    void imageFailuresWarnOncePerFileAndStopLoading();
    void titleButtonVisibilityDecidesItsArea();
    void infoTextTakesColoursAndRectangle();
    void missingOrEmptySkinFolderStartsWithoutImages();
    void absurdSizesAreBounded();
    void defaultSkinLoadsEveryBarWithoutWarning();
};

void SkinLoaderQtTest::valuesParseLikeTheSkinFiles_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("red") << "255,0,0" << QColor(255, 0, 0) << QRect(255, 0, -255, 0);
    QTest::newRow("empty is black and zero") << "" << QColor(0, 0, 0) << QRect(0, 0, 0, 0);
    QTest::newRow("blanks around numbers")
        << " 12 , 34 ,56 , 78" << QColor(12, 34, 56) << QRect(12, 34, 44, 44);
    QTest::newRow("short value pads with zeros") << "7" << QColor(7, 0, 0) << QRect(7, 0, -7, 0);
}

void SkinLoaderQtTest::valuesParseLikeTheSkinFiles() {
    QFETCH(QString, value);
    QFETCH(QColor, color);
    QFETCH(QRect, rect);
    QCOMPARE(ParseSkinColor(value), color);
    QCOMPARE(ParseSkinRect(value), rect);
}

void SkinLoaderQtTest::backgroundKeepsEdgesAndStretchesTheExpandLine_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("expand");
    QTest::newRow("exact size 1:1") << QSize(12, 8) << QPoint(6, 4);
    QTest::newRow("smaller shows top-left") << QSize(7, 5) << QPoint(6, 4);
    QTest::newRow("wider") << QSize(30, 8) << QPoint(6, 4);
    QTest::newRow("taller") << QSize(12, 21) << QPoint(6, 4);
    QTest::newRow("both, off-centre point") << QSize(25, 19) << QPoint(3, 6);
}

void SkinLoaderQtTest::backgroundKeepsEdgesAndStretchesTheExpandLine() {
    QFETCH(QSize, client);
    QFETCH(QPoint, expand);
    SkinFolder folder;
    const QImage source = CoordinateImage(12, 8, 50);
    folder.SaveImage("bg.png", source);
    folder.WriteIni("bar.ini", {"[MainSettings]", "BackImage_Up=bg.png", "BackImage_Over=bg.png",
                                "BackImage_Down=bg.png", "BackImage_Disable=bg.png", "MainWindow_Size=12,8"});
    QWidget owner;
    TestBmp bmp;
    bmp.LoadSkin(&owner, "/bar.ini", folder.Path(), "");
    QCOMPARE(owner.size(), QSize(12, 8));
    QCOMPARE(bmp.ExpandPoint(), QPoint(6, 4));
    bmp.SetExpandPoint(expand);

    QImage target(client, QImage::Format_ARGB32);
    target.fill(Qt::magenta);
    QPainter painter(&target);
    bmp.PaintBackground(painter, client);
    painter.end();
    for (int y = 0; y < client.height(); ++y) {
        for (int x = 0; x < client.width(); ++x) {
            const QPoint from(SourceOf(x, client.width(), 12, expand.x()),
                              SourceOf(y, client.height(), 8, expand.y()));
            if (target.pixel(x, y) != source.pixel(from))
                QFAIL(qPrintable(
                    QString("pixel %1,%2 should come from %3,%4").arg(x).arg(y).arg(from.x()).arg(from.y())));
        }
    }
}

void SkinLoaderQtTest::buttonsCutFromSheetOrFromBackgrounds() {
    SkinFolder folder;
    const QColor sheetColors[4] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    QImage sheet(40, 10, QImage::Format_ARGB32);
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) sheet.setPixelColor(10 * i + x, y, sheetColors[i]);
    folder.SaveImage("sheet.png", sheet);
    const char* const backs[4] = {"up.png", "over.png", "down.png", "disable.png"};
    for (int i = 0; i < 4; ++i) folder.SaveImage(backs[i], CoordinateImage(24, 16, 40 * (i + 1)));
    const QStringList settings = {
        "[MainSettings]",          "BackImage_Up=up.png",           "BackImage_Over=over.png",
        "BackImage_Down=down.png", "BackImage_Disable=disable.png", "MainWindow_Size=24,16"};
    const QStringList buttons = {"[MainButtons]",
                                 "Close_Position=13,3,21,12",
                                 "Close_UpPosition=0,0,10,10",
                                 "Close_OverPosition=10,0,20,10",
                                 "Close_DownPosition=20,0,30,10",
                                 "Close_DisablePosition=30,0,40,10",
                                 "Close_TipText=shut"};
    folder.WriteIni("sheet.ini", QStringList(settings) << "ButtonImage=sheet.png" << buttons);
    folder.WriteIni("plain.ini", QStringList(settings) << buttons);

    for (bool withSheet : {true, false}) {
        QWidget owner;
        TestBmp bmp;
        bmp.create = [](TestBmp& b) { b.CreateButton("Close", SkinKey::kMainButtons, 1148); };
        bmp.LoadSkin(&owner, withSheet ? "/sheet.ini" : "/plain.ini", folder.Path(), "");
        CxSkinButton* button = bmp.Button(1148);
        QVERIFY(button);
        QCOMPARE(bmp.Button("Close"), button);
        QCOMPARE(button->geometry(), QRect(13, 3, 8, 9));
        QCOMPARE(button->toolTip(), QString("shut"));
        const QImage* states[4] = {&button->NormalImage(), &button->HoverImage(), &button->PressedImage(),
                                   &button->DisabledImage()};
        for (int i = 0; i < 4; ++i) {
            if (withSheet) {
                QCOMPARE(states[i]->size(), QSize(10, 10));
                QCOMPARE(states[i]->pixelColor(9, 9), sheetColors[i]);
            } else {
                // Exactly the background under the button, in that state's background.
                QCOMPARE(states[i]->size(), QSize(8, 9));
                QCOMPARE(states[i]->pixelColor(0, 0), QColor(130, 30, 40 * (i + 1)));
                QCOMPARE(states[i]->pixelColor(7, 8), QColor(200, 110, 40 * (i + 1)));
            }
        }
    }
}

void SkinLoaderQtTest::imageFailuresWarnOncePerFileAndStopLoading_data() {
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("warnedPath");  // relative to the folder; "-" when no warning
    QTest::addColumn<QString>("loaded");      // U O D I B S: which images ended up loaded
    const QString up = "BackImage_Up=img.png", over = "BackImage_Over=img.png",
                  down = "BackImage_Down=img.png", dis = "BackImage_Disable=img.png";
    QTest::newRow("no BackImage_Up: silent, nothing") << QStringList{over, down, dis} << "-"
                                                      << "";
    QTest::newRow("Over key missing names the folder") << QStringList{up, down, dis} << "/"
                                                       << "U";
    QTest::newRow("Down file missing") << QStringList{up, over, "BackImage_Down=gone.png", dis} << "/gone.png"
                                       << "UO";
    QTest::newRow("broken Background")
        << QStringList{up, over, down, dis, "Background=broken.png", "ButtonImage=img.png"} << "/broken.png"
        << "UODI";
    QTest::newRow("all present")
        << QStringList{up, over, down, dis, "Background=img.png", "ButtonImage=img.png"} << "-"
        << "UODIBS";
}

void SkinLoaderQtTest::imageFailuresWarnOncePerFileAndStopLoading() {
    QFETCH(QStringList, settings);
    QFETCH(QString, warnedPath);
    QFETCH(QString, loaded);
    SkinFolder folder;
    folder.SaveImage("img.png", SolidImage(4, 4, Qt::gray));
    folder.Write("broken.png", "\x89PNG this is not an image");
    folder.WriteIni("bar.ini", QStringList{"[MainSettings]"} << settings << "MainWindow_Size=40,20"
                                                             << "[MainButtons]"
                                                             << "Close_Position=1,1,5,5");
    WarningCatcher warnings;
    QWidget owner;
    TestBmp bmp;
    bmp.create = [](TestBmp& b) { b.CreateButton("Close", SkinKey::kMainButtons, 7); };
    bmp.LoadSkin(&owner, "/bar.ini", folder.Path(), "");

    if (warnedPath == "-") {
        QVERIFY2(warnings.texts.isEmpty(), qPrintable(warnings.texts.join('|')));
    } else {
        QCOMPARE(warnings.texts.size(), 1);
        const QString path = folder.Path() + warnedPath;
        QCOMPARE(warnings.texts.first(), QString("导入背景图片: %1 失败!").arg(path));
    }
    const QImage* images[6] = {&bmp.BackImageUp(),      &bmp.BackImageOver(),   &bmp.BackImageDown(),
                               &bmp.BackImageDisable(), &bmp.BackgroundImage(), &bmp.ButtonImage()};
    const QString letters = "UODIBS";
    for (int i = 0; i < 6; ++i)
        QVERIFY2(images[i]->isNull() != loaded.contains(letters[i]),
                 qPrintable(QString("image %1").arg(letters[i])));
    // The bar goes on regardless: size and controls are still applied.
    QCOMPARE(owner.size(), QSize(40, 20));
    QVERIFY(bmp.Button(7));
}

void SkinLoaderQtTest::titleButtonVisibilityDecidesItsArea() {
    SkinFolder folder;
    folder.SaveImage("b.png", SolidImage(6, 6, Qt::red));
    folder.WriteIni("title.ini", {"[MainButtons]", "Shown_IsVisible=1", "Shown_Position=2,3,12,9",
                                  "Shown_Up=b.png", "Hidden_IsVisible=0", "Hidden_Position=2,3,12,9",
                                  "Hidden_Up=b.png", "NoFlag_Position=2,3,12,9"});
    WarningCatcher warnings;
    QWidget owner;
    TestBmp bmp;
    bmp.create = [](TestBmp& b) {
        b.CreateTitleButton("Shown", SkinKey::kMainButtons, 1);
        b.CreateTitleButton("Hidden", SkinKey::kMainButtons, 2);
        b.CreateTitleButton("NoFlag", SkinKey::kMainButtons, 3);
    };
    bmp.LoadSkin(&owner, "title.ini", folder.Path(), "");
    QCOMPARE(bmp.Button(1)->geometry(), QRect(2, 3, 10, 6));
    for (int id : {2, 3}) {
        QVERIFY(bmp.Button(id));
        QVERIFY(bmp.Button(id)->geometry().isEmpty());
        QVERIFY(!bmp.Button(id)->isHidden());
    }
    // Missing state images of title buttons are silent.
    QVERIFY(warnings.texts.isEmpty());
    QVERIFY(bmp.Button(1)->PressedImage().isNull());
}

void SkinLoaderQtTest::infoTextTakesColoursAndRectangle() {
    SkinFolder folder;
    folder.WriteIni("bottom.ini",
                    {"[InfoBox]", "SysInfo_IsVisible=1", "SysInfo_Position=10,4,110,20",
                     "SysInfo_BackColor=1,2,3", "SysInfo_TextColor=255,0,0", "SysInfo_BackValide=1",
                     "TimeInfo_IsVisible=0", "TimeInfo_Position=10,4,110,20"});
    QWidget owner;
    TestBmp bmp;
    bmp.create = [](TestBmp& b) {
        b.CreateInfoText("SysInfo", SkinKey::kInfoBox);
        b.CreateInfoText("TimeInfo", SkinKey::kInfoBox);
    };
    bmp.LoadSkin(&owner, "bottom.ini", folder.Path(), "");
    CStaticEx* sys = bmp.InfoText("SysInfo");
    QVERIFY(sys);
    QCOMPARE(sys->geometry(), QRect(10, 4, 100, 16));
    QCOMPARE(sys->BackColor(), QColor(1, 2, 3));
    QCOMPARE(sys->TextColor(), QColor(255, 0, 0));
    QVERIFY(sys->IsOpaque());
    QCOMPARE(sys->ControlId(), 65535);
    CStaticEx* time = bmp.InfoText("TimeInfo");
    QVERIFY(time->geometry().isEmpty());
    QCOMPARE(time->TextColor(), QColor(0, 0, 0));  // empty colour reads as black
    QVERIFY(!time->IsOpaque());
    // Without its own font the text is drawn as high as the control.
    QCOMPARE(sys->PaintFont().pixelSize(), 16);
}

void SkinLoaderQtTest::missingOrEmptySkinFolderStartsWithoutImages() {
    SkinFolder empty;
    const QString folders[] = {empty.Path() + "/does-not-exist", empty.Path()};
    for (const QString& path : folders) {
        WarningCatcher warnings;
        QWidget owner;
        owner.resize(50, 50);
        TestBmp bmp;
        bmp.create = [](TestBmp& b) {
            for (int i = 0; i < 13; ++i) b.CreateTitleButton(kTitleNames[i], SkinKey::kMainButtons, 1134 + i);
            b.CreateButton("Close", SkinKey::kMainButtons, 1148);
        };
        bmp.LoadSkin(&owner, "/TitleBar_config.ini", path, "");
        QVERIFY(warnings.texts.isEmpty());
        QCOMPARE(owner.size(), QSize(0, 0));
        QVERIFY(bmp.Button(1134));
        QImage target(10, 10, QImage::Format_ARGB32);
        QPainter painter(&target);
        bmp.PaintBackground(painter, QSize(10, 10));  // nothing to paint, nothing to fail
        LoadPopupFrameSkin("", path, SkinKey::kPublicFile);
        QVERIFY(GetPopupFrameSkin().frame.isNull());
        QVERIFY(GetPopupFrameSkin().closeSize.isEmpty());
    }
}

void SkinLoaderQtTest::absurdSizesAreBounded() {
    SkinFolder folder;
    folder.SaveImage("img.png", SolidImage(8, 8, Qt::gray));
    folder.WriteIni("bar.ini", {"[MainSettings]", "MainWindow_Size=99999999,-5", "[MainButtons]",
                                "Close_Position=0,0,99999999,99999999", "Reversed_Position=20,20,10,10"});
    QWidget owner;
    TestBmp bmp;
    bmp.create = [](TestBmp& b) {
        b.CreateButton("Close", SkinKey::kMainButtons, 1);
        b.CreateButton("Reversed", SkinKey::kMainButtons, 2);
    };
    bmp.LoadSkin(&owner, "bar.ini", folder.Path(), "");
    QCOMPARE(owner.size(), QSize(8192, 0));
    QVERIFY(bmp.Button(2)->geometry().isEmpty());
    const QImage huge = CLoadBmp::CropBitmap(SolidImage(8, 8, Qt::gray), QRect(0, 0, 1 << 20, 1 << 20));
    QCOMPARE(huge.size(), QSize(8, 8));
}

void SkinLoaderQtTest::defaultSkinLoadsEveryBarWithoutWarning() {
    const QString skin = QStringLiteral(ZORVA_SKIN_DIR);
    struct Bar {
        const char* file;
        std::function<void(TestBmp&)> create;
    };
    const Bar bars[] = {
        {"/TitleBar_config.ini",
         [](TestBmp& b) {
             for (int i = 0; i < 13; ++i)
                 b.CreateTitleButton(kTitleNames[i], SkinKey::kMainButtons, 1134 + i);
         }},
        {"/Bottom_config.ini",
         [](TestBmp& b) {
             b.CreateInfoText("SysInfo", SkinKey::kInfoBox);
             b.CreateInfoText("TimeInfo", SkinKey::kInfoBox);
         }},
        {"/LeftBar_config.ini", nullptr},
        {"/RightBar_config.ini", nullptr},
        {"/Property_TitleBar_config.ini",
         [](TestBmp& b) { b.CreateButton("Close", SkinKey::kMainButtons, 1148); }},
    };
    for (const Bar& bar : bars) {
        WarningCatcher warnings;
        QWidget owner;
        TestBmp bmp;
        bmp.create = bar.create;
        bmp.LoadSkin(&owner, bar.file, skin, "");
        QVERIFY2(warnings.texts.isEmpty(), qPrintable(warnings.texts.join('|')));
        QVERIFY2(!bmp.BackImageUp().isNull() && !bmp.BackImageDisable().isNull(), bar.file);
        QVERIFY2(!bmp.SkinSize().isEmpty(), bar.file);
        QVERIFY2(bmp.BackImageUp().size() == bmp.SkinSize(), bar.file);
        const QList<CxSkinButton*> buttons = owner.findChildren<CxSkinButton*>();
        for (CxSkinButton* button : buttons) {
            QVERIFY2(!button->geometry().isEmpty(), qPrintable(button->objectName()));
            QVERIFY2(!button->NormalImage().isNull() && !button->HoverImage().isNull() &&
                         !button->PressedImage().isNull(),
                     qPrintable(button->objectName()));
            // Disabled must look different from usable.
            QVERIFY2(button->DisabledImage() != button->NormalImage(), qPrintable(button->objectName()));
        }
        if (QString(bar.file) == "/TitleBar_config.ini") QCOMPARE(buttons.size(), 13);
        for (CStaticEx* text : owner.findChildren<CStaticEx*>()) QVERIFY(!text->geometry().isEmpty());
    }
    // The bars fit together: title and bottom share the width, side bars share the height.
    auto sizeOf = [&](const char* file) {
        return ReadSkinSize(SkinPath("", skin, file), "MainSettings", "MainWindow_Size");
    };
    QCOMPARE(sizeOf("/Bottom_config.ini").width(), sizeOf("/TitleBar_config.ini").width());
    QCOMPARE(sizeOf("/LeftBar_config.ini").height(), sizeOf("/RightBar_config.ini").height());

    LoadPopupFrameSkin("", skin, SkinKey::kPublicFile);
    const PopupFrameSkin& frame = GetPopupFrameSkin();
    QVERIFY(!frame.frame.isNull());
    QVERIFY(!frame.closeSize.isEmpty());
    QCOMPARE(frame.closeNormal.size(), frame.closeSize);
    QVERIFY(!frame.closeHover.isNull() && !frame.closePressed.isNull() && !frame.closeDisabled.isNull());
    QVERIFY(frame.border.top() > 0 && frame.border.top() < frame.frame.height());
    QVERIFY(!frame.roundSize.isEmpty());
}

QTEST_MAIN(SkinLoaderQtTest)
#include "SkinLoaderQtTest.moc"
