#include "app/BottombarDlg.h"

#include <QPainter>
#include <QTimer>
#include <cstdio>

#include "model/CodePage.h"
#include "model/DeviceContext.h"
#include "model/Texts.h"
#include "skin/SkinValues.h"
#include "skin/StaticEx.h"

namespace {
constexpr int kClockPeriodMs = 1000;
constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

CBottombarDlg::CBottombarDlg(QWidget* parent) : QWidget(parent) {
    const DeviceContext& context = GetDeviceContext();
    const QString folder = QString::fromStdString(context.skinFolder);
    const QString directory = QString::fromStdString(context.programDirectory);
    skin_.LoadSkin(this, QString::fromLatin1(SkinKey::kBottomFile), folder, directory);
    portText_ = skin_.InfoText(QStringLiteral("SysInfo"));
    clockText_ = skin_.InfoText(QStringLiteral("TimeInfo"));
    for (CStaticEx* text : {portText_, clockText_}) {
        if (!text) continue;
        text->SetOpaque(true);
        text->update();
    }
    const QString file = SkinPath(directory, folder, QString::fromLatin1(SkinKey::kBottomFile));
    clockPosition_ =
        ReadSkinRect(file, QString::fromLatin1(SkinKey::kInfoBox), QStringLiteral("TimeInfo_Position"));
    UpdateClockText();
    UpdatePortText();
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &CBottombarDlg::UpdateClockText);
    timer_->start(kClockPeriodMs);
}

std::string CBottombarDlg::FormatClock(std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    // Same layout as the C library's asctime, written out so it never depends on the locale.
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %d\n", kDayNames[local.tm_wday % 7],
                  kMonthNames[local.tm_mon % 12], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  1900 + local.tm_year);
    return text;
}

void CBottombarDlg::PlaceClock(const QRect& rect) {
    if (clockText_ && !clockPosition_.isEmpty()) clockText_->setGeometry(rect);
}

void CBottombarDlg::UpdatePortText() {
    if (portText_)
        portText_->SetText(
            QString::fromStdString(FormatText(Tx(TextId::AppPortText), GetDeviceContext().portNumber)));
}

void CBottombarDlg::UpdateClockText() {
    if (clockText_) clockText_->SetText(QString::fromStdString(DecodeAnsi(FormatClock(std::time(nullptr)))));
}

QString CBottombarDlg::PortText() const {
    return portText_ ? portText_->Text() : QString();
}

QString CBottombarDlg::ClockText() const {
    return clockText_ ? clockText_->Text() : QString();
}

void CBottombarDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    skin_.PaintBackground(painter, size());
}
