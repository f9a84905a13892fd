// Renders the default skin (images and skin files) into a folder:
//   zorva-skin-gen <folder>          (the build target skin-images writes skins/SkinConfig)
// Everything is drawn with QPainter so that the skin can be rebuilt and changed in one place.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <cstdio>

#include "SkinIcons.h"

namespace {

// Palette: deep slate chrome, light content, one teal accent.
const QColor kChromeTop(0x22, 0x30, 0x47);
const QColor kChromeBottom(0x18, 0x22, 0x2f);
const QColor kChromeFlat(0x18, 0x22, 0x2f);
const QColor kChromeLine(0x2e, 0x3e, 0x56);
const QColor kChromeShadow(0x0e, 0x15, 0x1f);
const QColor kInk(0xc8, 0xd3, 0xe1);
const QColor kInkDisabled(0x4a, 0x58, 0x6b);
const QColor kAccent(0x2e, 0xc4, 0xb6);
const QColor kAccentDeep(0x14, 0xa8, 0x9a);
const QColor kStop(0xf0, 0x61, 0x6d);
const QColor kDanger(0xe5, 0x48, 0x4d);
const QColor kBody(0xf4, 0xf6, 0xf9);
const QColor kStatusText(0xae, 0xbb, 0xcc);

QString g_out;
bool g_ok = true;

enum State { Up, Over, Down, Disable };
const char* const kStateSuffix[4] = {"up", "over", "down", "disable"};

void Save(const QImage& image, const QString& name) {
    if (!image.save(g_out + QLatin1Char('/') + name, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
        g_ok = false;
    }
}

void WriteIni(const QString& name, const QString& text) {
    QFile file(g_out + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
        g_ok = false;
        return;
    }
    file.write(text.toUtf8());
}

QImage Canvas(int w, int h, const QColor& fill = Qt::transparent) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QString R(const QRect& r) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(r.left())
        .arg(r.top())
        .arg(r.left() + r.width())
        .arg(r.top() + r.height());
}

void ChromeGradient(QPainter& p, const QRect& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, kChromeTop);
    g.setColorAt(1, kChromeBottom);
    p.fillRect(r, g);
}

// ---- Title bar -------------------------------------------------------------------------------

struct TitleButton {
    const char* name;
    QRect rect;
    bool menu;
    bool caption;  // window caption buttons (top-right), flat tiles
    const char* tip;
};

constexpr int kTitleW = 1200;
constexpr int kTitleH = 60;
constexpr int kTile = 44;

const TitleButton kTitleButtons[] = {
    {"Close", QRect(1154, 0, 46, 32), false, true, "关闭 / Close"},
    {"Minimize", QRect(1062, 0, 46, 32), false, true, "最小化 / Minimize"},
    {"Maximize", QRect(1108, 0, 46, 32), false, true, "最大化 / Maximize"},
    {"FileHandle", QRect(64, 8, kTile, kTile), false, false, "打开记录文件 / Open record file"},
    {"StartRealRecord", QRect(220, 8, kTile, kTile), false, false, "开始实时监测 / Start online data"},
    {"StopRealRecord", QRect(220, 8, kTile, kTile), false, false, "停止实时监测 / Stop online data"},
    {"HisdataDownload", QRect(268, 8, kTile, kTile), false, false, "下载历史数据 / Download history data"},
    {"DeviceConnect", QRect(112, 8, kTile, kTile), false, false, "设备联机 / Connect device"},
    {"DeviceReset", QRect(376, 8, kTile, kTile), true, false, "窗口 / Windows"},
    {"DeviceStartRecord", QRect(172, 8, kTile, kTile), false, false,
     "配置并开始记录 / Configure and start recording"},
    {"DeviceStopRecord", QRect(172, 8, kTile, kTile), false, false, "停止记录 / Stop recording"},
    {"ParameterConfig", QRect(328, 8, kTile, kTile), true, false, "参数配置 / Configuration"},
    {"SystemInfo", QRect(424, 8, kTile, kTile), true, false, "系统信息 / System information"},
};

QImage TitleButtonImage(const TitleButton& b, State s) {
    QImage image = Canvas(b.rect.width(), b.rect.height());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    IconInk ink{kInk, kAccent, kStop};
    if (b.caption) {
        const bool close = QLatin1String(b.name) == QLatin1String("Close");
        if (s == Over || s == Down) {
            QColor fill = close ? (s == Over ? kDanger : kDanger.darker(118))
                                : QColor(255, 255, 255, s == Over ? 26 : 14);
            p.fillRect(image.rect(), fill);
            ink.line = Qt::white;
        }
    } else if (s == Over || s == Down) {
        p.setPen(QPen(QColor(255, 255, 255, s == Over ? 30 : 0), 1));
        QColor fill = s == Over ? QColor(255, 255, 255, 22)
                                : QColor(kAccentDeep.red(), kAccentDeep.green(), kAccentDeep.blue(), 110);
        p.setBrush(fill);
        p.drawRoundedRect(tile, 7, 7);
        ink.line = Qt::white;
    }
    if (s == Disable) ink = {kInkDisabled, kInkDisabled, kInkDisabled};
    if (s == Down && !b.caption) ink.accent = ink.accent.lighter(115);
    const qreal scale = b.caption ? 1.0 : 1.0;
    p.translate((b.rect.width() - 24 * scale) / 2.0,
                (b.rect.height() - 24 * scale) / 2.0 + (s == Down ? 1 : 0));
    if (b.menu) p.translate(-1.5, -1.5);
    p.scale(scale, scale);
    DrawTitleIcon(p, QLatin1String(b.name), ink);
    p.resetTransform();
    if (b.menu)
        DrawMenuCaret(p, tile.translated(0, s == Down ? 1 : 0),
                      s == Disable ? kInkDisabled : (s == Up ? kInk : QColor(Qt::white)));
    return image;
}

void Separator(QPainter& p, int x) {
    p.fillRect(QRect(x, 18, 1, 24), kChromeShadow);
    p.fillRect(QRect(x + 1, 18, 1, 24), kChromeLine);
}

void TitleBar() {
    QImage back = Canvas(kTitleW, kTitleH);
    {
        QPainter p(&back);
        p.setRenderHint(QPainter::Antialiasing);
        ChromeGradient(p, back.rect());
        p.fillRect(QRect(0, 0, kTitleW, 1), kChromeLine);
        p.fillRect(QRect(0, kTitleH - 1, kTitleW, 1), kChromeShadow);
        DrawLogo(p, QRectF(16, 14, 32, 32), kAccentDeep);
        Separator(p, 163);
        Separator(p, 319);
    }
    Save(back, QStringLiteral("titlebar_bg.png"));

    QString ini;
    QTextStream out(&ini);
    out << "[MainSettings]\n"
        << "BackImage_Up=titlebar_bg.png\nBackImage_Over=titlebar_bg.png\n"
        << "BackImage_Down=titlebar_bg.png\nBackImage_Disable=titlebar_bg.png\n"
        << "MainWindow_Size=" << kTitleW << "," << kTitleH << "\n\n"
        << "[ExpandPoint]\nExpandPoint_Pos=760,30\n\n[MainButtons]\n";
    for (const TitleButton& b : kTitleButtons) {
        const QString base = QString::fromLatin1(b.name);
        const QString file = QStringLiteral("tb_%1_").arg(base.toLower());
        for (int s = 0; s < 4; ++s)
            Save(TitleButtonImage(b, static_cast<State>(s)), file + QLatin1String(kStateSuffix[s]) + ".png");
        out << base << "_IsVisible=1\n"
            << base << "_Position=" << R(b.rect) << "\n"
            << base << "_Up=" << file << "up.png\n"
            << base << "_Over=" << file << "over.png\n"
            << base << "_Down=" << file << "down.png\n"
            << base << "_Disable=" << file << "disable.png\n"
            << base << "_Text=\n"
            << base << "_TextColor=\n"
            << base << "_TipText=" << QString::fromUtf8(b.tip) << "\n\n";
    }
    out.flush();
    WriteIni(QStringLiteral("TitleBar_config.ini"), ini);
}

// ---- Side and bottom bars --------------------------------------------------------------------

constexpr int kSideW = 6;
constexpr int kSideH = 640;
constexpr int kBottomH = 26;

QString PlainSettings(const QString& image, int w, int h) {
    return QStringLiteral(
               "[MainSettings]\nBackImage_Up=%1\nBackImage_Over=%1\nBackImage_Down=%1\nBackImage_Disable=%1\n"
               "MainWindow_Size=%2,%3\n")
        .arg(image)
        .arg(w)
        .arg(h);
}

void SideBars() {
    for (bool left : {true, false}) {
        QImage image = Canvas(kSideW, kSideH, kChromeFlat);
        QPainter p(&image);
        // A fine edge towards the content, the outer side dark like the window border.
        p.fillRect(QRect(left ? kSideW - 1 : 0, 0, 1, kSideH), kChromeLine);
        p.fillRect(QRect(left ? 0 : kSideW - 1, 0, 1, kSideH), kChromeShadow);
        p.end();
        const QString name = left ? QStringLiteral("leftbar_bg.png") : QStringLiteral("rightbar_bg.png");
        Save(image, name);
        WriteIni(left ? QStringLiteral("LeftBar_config.ini") : QStringLiteral("RightBar_config.ini"),
                 PlainSettings(name, kSideW, kSideH));
    }
}

void BottomBar() {
    QImage image = Canvas(kTitleW, kBottomH, kChromeFlat);
    {
        QPainter p(&image);
        p.fillRect(QRect(0, 0, kTitleW, 1), kChromeLine);
        p.fillRect(QRect(0, kBottomH - 1, kTitleW, 1), kChromeShadow);
    }
    Save(image, QStringLiteral("bottombar_bg.png"));
    const QString back =
        QStringLiteral("%1,%2,%3").arg(kChromeFlat.red()).arg(kChromeFlat.green()).arg(kChromeFlat.blue());
    const QString text =
        QStringLiteral("%1,%2,%3").arg(kStatusText.red()).arg(kStatusText.green()).arg(kStatusText.blue());
    QString ini = PlainSettings(QStringLiteral("bottombar_bg.png"), kTitleW, kBottomH);
    ini += QStringLiteral("\n[ExpandPoint]\nExpandPoint_Pos=600,13\n\n[InfoBox]\n");
    const QRect sys(14, 6, 386, 14);
    const QRect time(976, 6, 212, 14);
    for (auto [name, rect] : {std::pair{"SysInfo", sys}, std::pair{"TimeInfo", time}}) {
        ini += QStringLiteral(
                   "%1_IsVisible=1\n%1_Position=%2\n%1_BackColor=%3\n%1_TextColor=%4\n%1_BackValide=1\n\n")
                   .arg(QLatin1String(name), R(rect), back, text);
    }
    WriteIni(QStringLiteral("Bottom_config.ini"), ini);
}

// ---- Property panel title strip ----------------------------------------------------------------

constexpr int kStripW = 300;
constexpr int kStripH = 30;
constexpr int kSmall = 22;

void PropertyStrip() {
    QImage back = Canvas(kStripW, kStripH);
    {
        QPainter p(&back);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, kStripH);
        g.setColorAt(0, QColor(0x2b, 0x3a, 0x50));
        g.setColorAt(1, QColor(0x22, 0x2f, 0x42));
        p.fillRect(back.rect(), g);
        p.fillRect(QRect(0, kStripH - 1, kStripW, 1), kChromeShadow);
        p.fillRect(QRect(0, 0, 3, kStripH), kAccentDeep);
        // A list glyph: the strip heads the property tree.
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            const qreal y = 10 + i * 5;
            p.setBrush(kAccent);
            p.drawEllipse(QPointF(14, y), 1.6, 1.6);
            p.setBrush(kStatusText);
            p.drawRoundedRect(QRectF(18.5, y - 1, 10, 2), 1, 1);
        }
    }
    Save(back, QStringLiteral("property_bg.png"));

    QImage sheet = Canvas(kSmall * 4, kSmall);
    {
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing);
        for (int s = 0; s < 4; ++s) {
            const QRectF tile(s * kSmall + 0.5, 0.5, kSmall - 1, kSmall - 1);
            QColor line = kInk;
            if (s == Over) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(255, 255, 255, 30));
                p.drawRoundedRect(tile, 4, 4);
                line = Qt::white;
            } else if (s == Down) {
                p.setPen(Qt::NoPen);
                p.setBrush(kAccentDeep);
                p.drawRoundedRect(tile, 4, 4);
                line = Qt::white;
            } else if (s == Disable) {
                line = kInkDisabled;
            }
            QPen pen(line, 1.4);
            pen.setCapStyle(Qt::RoundCap);
            p.setPen(pen);
            const QPointF c = tile.center();
            p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
            p.drawLine(c + QPointF(4, -4), c + QPointF(-4, 4));
        }
    }
    Save(sheet, QStringLiteral("property_buttons.png"));

    QString ini = PlainSettings(QStringLiteral("property_bg.png"), kStripW, kStripH);
    ini.replace(QStringLiteral("MainWindow_Size"),
                QStringLiteral("ButtonImage=property_buttons.png\nMainWindow_Size"));
    ini += QStringLiteral("\n[MainButtons]\nClose_Position=%1\n")
               .arg(R(QRect(kStripW - kSmall - 5, 4, kSmall, kSmall)));
    const char* const states[4] = {"Up", "Over", "Down", "Disable"};
    for (int s = 0; s < 4; ++s)
        ini += QStringLiteral("Close_%1Position=%2\n")
                   .arg(QLatin1String(states[s]), R(QRect(s * kSmall, 0, kSmall, kSmall)));
    ini += QStringLiteral("Close_Text=\nClose_TextColor=\nClose_TipText=关闭 / Close\n");
    WriteIni(QStringLiteral("Property_TitleBar_config.ini"), ini);
}

// ---- Popup frame -------------------------------------------------------------------------------

constexpr int kFrame = 96;
constexpr int kBand = 38;
constexpr int kClose = 26;

void PopupFrame() {
    QImage frame = Canvas(kFrame, kFrame, kChromeShadow);
    {
        QPainter p(&frame);
        p.setRenderHint(QPainter::Antialiasing);
        // Opaque everywhere: the window's rounded shape cuts the corners, the outline follows them.
        QPainterPath inner;
        inner.addRoundedRect(QRectF(1, 1, kFrame - 2, kFrame - 2), 5, 5);
        p.setClipPath(inner);
        p.fillRect(frame.rect(), kBody);
        QLinearGradient g(0, 0, 0, kBand);
        g.setColorAt(0, kChromeTop);
        g.setColorAt(1, kChromeBottom);
        p.fillRect(QRect(0, 0, kFrame, kBand), g);
        p.fillRect(QRect(0, kBand - 2, kFrame, 2), kAccentDeep);
    }
    Save(frame, QStringLiteral("popup_frame.png"));

    for (int s = 0; s < 4; ++s) {
        QImage image = Canvas(kClose, kClose);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QColor line = kInk;
        if (s == Over || s == Down) {
            p.setPen(Qt::NoPen);
            p.setBrush(s == Over ? kDanger : kDanger.darker(118));
            p.drawRoundedRect(QRectF(0.5, 0.5, kClose - 1, kClose - 1), 5, 5);
            line = Qt::white;
        } else if (s == Disable) {
            line = kInkDisabled;
        }
        QPen pen(line, 1.5);
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        const QPointF c(kClose / 2.0, kClose / 2.0);
        p.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
        p.drawLine(c + QPointF(4.5, -4.5), c + QPointF(-4.5, 4.5));
        p.end();
        Save(image, QStringLiteral("popup_close_%1.png").arg(QLatin1String(kStateSuffix[s])));
    }

    const QString ini = QStringLiteral(
                            "[MainSettings]\nBackImage_Up=popup_frame.png\n"
                            "Close_Up=popup_close_up.png\nClose_Over=popup_close_over.png\n"
                            "Close_Down=popup_close_down.png\nClose_Disable=popup_close_disable.png\n\n"
                            "[DialogFrame]\nBorder=8,%1,8,8\nRoundSize=12,12\nTitle_Position=16,10,400,28\n"
                            "Close_Distance=7,6\nClose_Position=0,0,%2,%2\n")
                            .arg(kBand)
                            .arg(kClose);
    WriteIni(QStringLiteral("public_config.ini"), ini);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <skin folder>\n", argv[0]);
        return 2;
    }
    g_out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(g_out)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    TitleBar();
    SideBars();
    BottomBar();
    PropertyStrip();
    PopupFrame();
    return g_ok ? 0 : 1;
}
