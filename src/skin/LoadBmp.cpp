#include "skin/LoadBmp.h"

#include <QPainter>
#include <QWidget>

#include "skin/SkinButton.h"
#include "skin/SkinValues.h"
#include "skin/SkinWarning.h"
#include "skin/StaticEx.h"

namespace {

// Largest cut-out and bar size taken from a skin: a broken skin may ask for absurd sizes, and no
// screen needs more.
constexpr int kMaxCropSide = 8192;

// One piece of an axis: source start and length, destination start and length.
struct Span {
    int src;
    int srcLen;
    int dst;
    int dstLen;
};

// How one axis of the background is laid out for a client extent: 1:1 when it fits, otherwise the
// part before the expand point at the start, the rest anchored to the end and the one pixel line at
// the expand point stretched over the gap.
QList<Span> AxisSpans(int client, int skin, int expand) {
    if (client <= skin) return {{0, client, 0, client}};
    const int tail = skin - expand;
    return {{0, expand, 0, expand},
            {expand, 1, expand, client - tail - expand},
            {expand, tail, client - tail, tail}};
}

}  // namespace

CLoadBmp::~CLoadBmp() = default;

void CLoadBmp::LoadSkin(QWidget* owner, const QString& skinFileName, const QString& skinFolder,
                        const QString& programDirectory) {
    m_owner = owner;
    m_skinFileName = skinFileName;
    m_skinFolder = skinFolder;
    m_programDirectory = programDirectory;
    LoadImages();
    ReadWindowSize();
    CreateControls();
}

QString CLoadBmp::SkinFilePath() const {
    return SkinPath(m_programDirectory, m_skinFolder, m_skinFileName);
}

QString CLoadBmp::ImagePath(const QString& fileName) const {
    return SkinPath(m_programDirectory, m_skinFolder, fileName);
}

bool CLoadBmp::LoadOne(const QString& key, QImage& into, int maxLength) {
    const QString path = ImagePath(ReadSkinText(SkinFilePath(), SkinKey::kMainSettings, key, maxLength));
    QImage image(path);
    if (image.isNull()) {
        ShowSkinImageWarning(path);
        return false;
    }
    into = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return true;
}

void CLoadBmp::LoadImages() {
    const QString ini = SkinFilePath();
    // No BackImage_Up: a bar without images, and no message.
    if (ReadSkinText(ini, SkinKey::kMainSettings, SkinKey::kBackImageUp, kSkinBackImageUpMax).isEmpty())
        return;
    if (!LoadOne(SkinKey::kBackImageUp, m_backImageUp, kSkinBackImageUpMax) ||
        !LoadOne(SkinKey::kBackImageOver, m_backImageOver, kSkinValueMax) ||
        !LoadOne(SkinKey::kBackImageDown, m_backImageDown, kSkinValueMax) ||
        !LoadOne(SkinKey::kBackImageDisable, m_backImageDisable, kSkinValueMax))
        return;
    for (auto [key, image] :
         {std::pair{SkinKey::kBackground, &m_background}, {SkinKey::kButtonImage, &m_buttonImage}}) {
        if (ReadSkinText(ini, SkinKey::kMainSettings, key).isEmpty()) continue;
        if (!LoadOne(key, *image, kSkinValueMax)) return;
    }
}

void CLoadBmp::ReadWindowSize() {
    QSize size = ReadSkinSize(SkinFilePath(), SkinKey::kMainSettings, SkinKey::kMainWindowSize);
    // A broken size must not ask for a window of gigabytes; negative sizes read as empty.
    size = size.expandedTo(QSize(0, 0)).boundedTo(QSize(kMaxCropSide, kMaxCropSide));
    m_skinSize = size;
    m_expandPoint = QPoint(size.width() / 2, size.height() / 2);
    if (m_owner) m_owner->setGeometry(0, 0, size.width(), size.height());
}

void CLoadBmp::PaintBackground(QPainter& painter, const QSize& clientSize) const {
    const QImage& image = m_background.isNull() ? m_backImageUp : m_background;
    if (image.isNull() || clientSize.isEmpty()) return;
    const int w0 = m_skinSize.width();
    const int h0 = m_skinSize.height();
    // An expand point outside the skin would leave holes; keep it on the last line of the skin.
    const int ex = qBound(0, m_expandPoint.x(), qMax(0, w0 - 1));
    const int ey = qBound(0, m_expandPoint.y(), qMax(0, h0 - 1));
    const int cw = clientSize.width();
    const int ch = clientSize.height();
    const bool wide = cw > w0;
    const bool tall = ch > h0;
    const QList<Span> xs = AxisSpans(cw, w0, ex);
    const QList<Span> ys = AxisSpans(ch, h0, ey);
    for (int i = 0; i < xs.size(); ++i) {
        for (int j = 0; j < ys.size(); ++j) {
            Span sx = xs[i];
            Span sy = ys[j];
            // Stretching along one axis only takes the whole skin extent of the other axis.
            if (wide && !tall && i == 1) sy = {0, h0, 0, ch};
            if (tall && !wide && j == 1) sx = {0, w0, 0, cw};
            if (sx.dstLen <= 0 || sy.dstLen <= 0 || sx.srcLen <= 0 || sy.srcLen <= 0) continue;
            const QRect target(sx.dst, sy.dst, sx.dstLen, sy.dstLen);
            const QRect source(sx.src, sy.src, sx.srcLen, sy.srcLen);
            if (target.size() == source.size())
                painter.drawImage(target.topLeft(), image, source);
            else
                painter.drawImage(target, image, source);
        }
    }
}

QImage CLoadBmp::CropBitmap(const QImage& source, const QRect& rect) {
    if (source.isNull() || rect.isEmpty()) return QImage();
    if (rect.width() > kMaxCropSide || rect.height() > kMaxCropSide)
        return source.copy(rect.intersected(source.rect()));
    return source.copy(rect);
}

QWidget* CLoadBmp::Parent() {
    if (m_owner) return m_owner;
    // Without an owner the controls still need a parent, or they would become top-level windows.
    if (!m_holder) m_holder = std::make_unique<QWidget>();
    return m_holder.get();
}

CxSkinButton* CLoadBmp::Button(int id) const {
    return m_buttonsById.value(id).data();
}

CxSkinButton* CLoadBmp::Button(const QString& name) const {
    return m_buttonsByName.value(name).data();
}

CStaticEx* CLoadBmp::InfoText(const QString& name) const {
    return m_texts.value(name).data();
}

CxSkinButton* CLoadBmp::CreateButton(const QString& name, const QString& section, int id) {
    const QString ini = SkinFilePath();
    QImage states[4];
    QRect rect;
    if (!m_buttonImage.isNull()) {
        static const char* const kStates[4] = {"Up", "Over", "Down", "Disable"};
        for (int i = 0; i < 4; ++i) {
            const QString key = QStringLiteral("%1_%2Position").arg(name, QLatin1String(kStates[i]));
            states[i] = CropBitmap(m_buttonImage, ReadSkinRect(ini, section, key));
        }
        rect = ReadSkinRect(ini, section, name + QLatin1String(SkinKey::kPosition));
    } else {
        // The button looks exactly like the background under it in each state.
        rect = ReadSkinRect(ini, section, name + QLatin1String(SkinKey::kPosition));
        const QImage* backs[4] = {&m_backImageUp, &m_backImageOver, &m_backImageDown, &m_backImageDisable};
        for (int i = 0; i < 4; ++i) states[i] = CropBitmap(*backs[i], rect);
    }
    CxSkinButton* button = MakeButton(name, id, rect, states[0], states[2], states[1], states[3]);
    ApplyTexts(button, name, section);
    return button;
}

CxSkinButton* CLoadBmp::CreateTitleButton(const QString& name, const QString& section, int id) {
    const QString ini = SkinFilePath();
    QRect rect;
    if (ReadSkinFlag(ini, section, name + QLatin1String(SkinKey::kIsVisible)))
        rect = ReadSkinRect(ini, section, name + QLatin1String(SkinKey::kPosition));
    auto load = [&](const char* suffix) {
        // A missing file gives an empty image and no message.
        return QImage(ImagePath(ReadSkinText(ini, section, name + QLatin1String(suffix))));
    };
    const QImage up = load(SkinKey::kUp);
    const QImage over = load(SkinKey::kOver);
    const QImage down = load(SkinKey::kDown);
    const QImage disable = load(SkinKey::kDisable);
    CxSkinButton* button = MakeButton(name, id, rect, up, down, over, disable);
    ApplyTexts(button, name, section);
    return button;
}

CStaticEx* CLoadBmp::CreateInfoText(const QString& name, const QString& section) {
    const QString ini = SkinFilePath();
    QRect rect;
    if (ReadSkinFlag(ini, section, name + QLatin1String(SkinKey::kIsVisible)))
        rect = ReadSkinRect(ini, section, name + QLatin1String(SkinKey::kPosition));
    auto* text = new CStaticEx(Parent(), 65535);
    text->setObjectName(name);
    text->setGeometry(rect.normalized().isValid() ? rect : QRect());
    text->SetBackColor(ReadSkinColor(ini, section, name + QLatin1String(SkinKey::kBackColor)));
    text->SetTextColor(ReadSkinColor(ini, section, name + QLatin1String(SkinKey::kTextColor)));
    text->SetOpaque(ReadSkinFlag(ini, section, name + QLatin1String(SkinKey::kBackValide)));
    text->show();
    m_texts.insert(name, text);
    return text;
}

CxSkinButton* CLoadBmp::MakeButton(const QString& name, int id, const QRect& rect, const QImage& normal,
                                   const QImage& pressed, const QImage& hover, const QImage& disabled) {
    auto* button = new CxSkinButton(Parent(), id);
    button->setObjectName(name);
    // A reversed rectangle from a broken skin gives a button without area rather than a negative one.
    button->setGeometry(rect.isValid() ? rect : QRect());
    button->SetSkin(normal, pressed, hover, disabled);
    button->show();
    m_buttonsById.insert(id, button);
    m_buttonsByName.insert(name, button);
    return button;
}

void CLoadBmp::ApplyTexts(CxSkinButton* button, const QString& name, const QString& section) const {
    const QString ini = SkinFilePath();
    const QString text = ReadSkinText(ini, section, name + QLatin1String(SkinKey::kText));
    if (!text.isEmpty()) button->SetCaption(text);
    const QString color = ReadSkinText(ini, section, name + QLatin1String(SkinKey::kTextColor));
    if (!color.isEmpty()) button->SetCaptionColor(ParseSkinColor(color));
    const QString tip = ReadSkinText(ini, section, name + QLatin1String(SkinKey::kTipText));
    if (!tip.isEmpty()) button->SetTooltip(tip);
}
