#include "app/PelnixDlg.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QScreen>
#include <QTimer>

#include "app/AboutDlg.h"
#include "app/AppEvents.h"
#include "app/AppHooks.h"
#include "app/AppIcon.h"
#include "app/AppMessage.h"
#include "app/AutoConnector.h"
#include "app/BottombarDlg.h"
#include "app/ColorRef.h"
#include "app/LeftbarDlg.h"
#include "app/PelnixApp.h"
#include "app/PropertyBarDlg.h"
#include "app/RightbarDlg.h"
#include "app/TitlebarDlg.h"
#include "app/TitlebarRules.h"
#include "device/Commands.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "model/PropertyLines.h"
#include "model/Settings.h"
#include "model/Texts.h"

CPelnixDlg* g_pMainDlg = nullptr;

namespace {
// Stand-in for a window of an area that is not built yet; the hooks replace it.
QWidget* MakePlaceholder(QWidget* parent, const char* name) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QWidget* CreateChild(const std::function<QWidget*(QWidget*)>& factory, QWidget* parent, const char* name) {
    QWidget* widget = factory ? factory(parent) : nullptr;
    return widget ? widget : MakePlaceholder(parent, name);
}
}  // namespace

CPelnixDlg::CPelnixDlg(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    g_pMainDlg = this;
    setAttribute(Qt::WA_OpaquePaintEvent);
    const AppHooks& hooks = GetAppHooks();
    title_ = new CTitlebarDlg(this);
    left_ = new CLeftbarDlg(this);
    right_ = new CRightbarDlg(this);
    bottom_ = new CBottombarDlg(this);
    panel_ = new CPropertyBarDlg(this);
    realtime_ = CreateChild(hooks.createRealtimeWindow, this, "CRealdataDlg");
    history_ = CreateChild(hooks.createHistoryWindow, this, "CHisdataDlg");
    progress_ = CreateChild(hooks.createProgressWindow, this, "CProcessDlg");

    connect(panel_, &CPropertyBarDlg::closeRequested, this, [this] {
        panel_->hide();
        propertyPanelVisible = false;
        RelayoutChildren();
    });
    connect(panel_, &CPropertyBarDlg::recordStateShown, title_, &CTitlebarDlg::SetRecordButtons);

    title_->show();
    bottom_->show();
    left_->show();
    right_->show();
    panel_->show();
    realtime_->hide();
    history_->hide();
    progress_->hide();

    const int width = title_->SkinSize().width();
    const int height =
        title_->SkinSize().height() + left_->SkinSize().height() + bottom_->SkinSize().height();
    propertyPanelVisible = true;
    setGeometry(0, 0, width, height);
    setWindowTitle(QString::fromUtf8(Tx(TextId::AppWindowTitle)));
    setWindowIcon(QIcon(AppPicture(32)));

    autoConnector_ = new CAutoConnector(this);
    connect(autoConnector_, &CAutoConnector::attempted, this, &CPelnixDlg::OnAutoConnectAttempt);
    RelayoutChildren();
}

CPelnixDlg::~CPelnixDlg() {
    autoConnector_->Join();
    // Children go in the reverse order of their creation.
    QWidget* children[] = {progress_, history_, realtime_, panel_, bottom_, right_, left_, title_};
    for (QWidget*& child : children) delete child;
    if (g_pMainDlg == this) g_pMainDlg = nullptr;
}

void CPelnixDlg::StartAutoConnect() {
    autoConnector_->Start();
}

void CPelnixDlg::WaitForAutoConnect() {
    autoConnector_->WaitDispatching();
}

void CPelnixDlg::OnAutoConnectAttempt(bool ok, const DeviceParameters& parameters) {
    if (ok) {
        GetDeviceContext().deviceParameters = parameters;
        title_->SetConnected(true);
        panel_->ShowProperties(kPanelDevice);
    } else {
        title_->SetConnected(false);
    }
}

MainLayout CPelnixDlg::CurrentLayout() const {
    MainLayoutInput in;
    in.width = width();
    in.height = height();
    in.maximized = maximized_;
    in.panelVisible = propertyPanelVisible;
    in.titleSize = title_->SkinSize();
    in.leftSize = left_->SkinSize();
    in.rightSize = right_->SkinSize();
    in.bottomSize = bottom_->SkinSize();
    in.panelWidth = panel_->PanelWidth();
    in.closeButton = title_->ConfiguredRect(kBtnClose);
    in.maximizeButton = title_->ConfiguredRect(kBtnMaximize);
    in.minimizeButton = title_->ConfiguredRect(kBtnMinimize);
    in.clockText = bottom_->ClockPosition();
    return ComputeMainLayout(in);
}

void CPelnixDlg::RelayoutChildren() {
    if (!left_ || !right_) return;
    const MainLayout layout = CurrentLayout();
    bottom_->setGeometry(layout.bottom);
    right_->setGeometry(layout.right);
    title_->setGeometry(layout.title);
    left_->setGeometry(layout.left);
    panel_->setGeometry(layout.panel);
    realtime_->setGeometry(layout.content);
    history_->setGeometry(layout.content);
    title_->PlaceButton(kBtnClose, layout.closeButton);
    title_->PlaceButton(kBtnMaximize, layout.maximizeButton);
    title_->PlaceButton(kBtnMinimize, layout.minimizeButton);
    bottom_->PlaceClock(layout.clockText);
    title_->update();
    bottom_->update();
    realtime_->update();
    history_->update();
}

void CPelnixDlg::ToggleMaximize() {
    if (!maximized_) {
        savedGeometry_ = geometry();
        maximized_ = true;
        QScreen* screen = this->screen();
        if (!screen) screen = QGuiApplication::primaryScreen();
        setGeometry(screen ? screen->availableGeometry() : QRect());
    } else {
        maximized_ = false;
        setGeometry(savedGeometry_);
    }
    // The size may not change (a window already as large as the work area): lay out anyway.
    RelayoutChildren();
}

bool CPelnixDlg::event(QEvent* event) {
    if (event->type() == kMaximizeToggleEvent) {
        ToggleMaximize();
        return true;
    }
    return QWidget::event(event);
}

void CPelnixDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RelayoutChildren();
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width() + 1, height() + 1), 4, 5);
    setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void CPelnixDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromRef(GetDeviceContext().mainBkColor));
}

void CPelnixDlg::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    hide();
    CPelnixApp::SetRunning(false);
    if (GetAppHooks().stopDownloadWorker) GetAppHooks().stopDownloadWorker();
    // A short grace period in which the workers' last messages are still delivered.
    QEventLoop grace;
    QTimer::singleShot(100, &grace, &QEventLoop::quit);
    grace.exec();
    autoConnector_->WaitDispatching();
    event->accept();
    emit closed();
}

void CPelnixDlg::TogglePropertyPanel() {
    if (panel_->isVisible()) {
        panel_->hide();
        propertyPanelVisible = false;
    } else {
        panel_->show();
        propertyPanelVisible = true;
    }
    RelayoutChildren();
}

void CPelnixDlg::ToggleRealtimeWindow() {
    if (realtime_->isVisible()) {
        realtime_->hide();
        return;
    }
    if (history_->isVisible()) {
        if (panel_->Mode() == kPanelHistory)
            panel_->ShowProperties(title_->Flags().connected ? kPanelDevice : kPanelLabels);
        history_->hide();
    }
    realtime_->show();
}

void CPelnixDlg::ToggleHistoryWindow() {
    if (history_->isVisible()) {
        history_->hide();
        return;
    }
    if (realtime_->isVisible()) {
        if (historyFileLoaded && panel_->Mode() != kPanelHistory) panel_->ShowProperties(kPanelHistory);
        realtime_->hide();
    }
    history_->show();
}

void CPelnixDlg::CalibrateTime() {
    const AppHooks& hooks = GetAppHooks();
    if (!hooks.runTimeCheck || !hooks.runTimeCheck()) return;
    ShowAppMessage(Tx(StartRecord() == 0 ? TextId::AppTimeCheckOk : TextId::AppTimeCheckFailed));
}

void CPelnixDlg::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CPelnixDlg::DispatchMenuCommand(int id) {
    const AppHooks& hooks = GetAppHooks();
    // These dialogs change the port or talk to the logger: the start-up attempt must be over first.
    if (id == kCmdCommunicationConfig || id == kCmdSystemConfig) WaitForAutoConnect();
    switch (id) {
        case kCmdCommunicationConfig:
            if (hooks.runSerialConfig && hooks.runSerialConfig()) {
                SaveSetting(kSaveComPort);
                bottom_->UpdatePortText();
            }
            break;
        case kCmdSystemConfig:
            if (hooks.runSystemConfig) hooks.runSystemConfig();
            break;
        case kCmdCalibrateTime:
            CalibrateTime();
            break;
        case kCmdPropertyBar:
            TogglePropertyPanel();
            break;
        case kCmdRealtimeBar:
            ToggleRealtimeWindow();
            break;
        case kCmdHistoryBar:
            ToggleHistoryWindow();
            break;
        case kCmdDeviceInfo:
            if (hooks.runDeviceInfo) hooks.runDeviceInfo();
            break;
        case kCmdAboutSystem:
            ShowAbout();
            break;
        case kCmdSaveText:
            if (IsChineseEdition() && history_ && hooks.saveText) hooks.saveText();
            break;
        case kCmdSavePicture:
            if (IsChineseEdition() && history_ && hooks.savePicture) hooks.savePicture();
            break;
        default:
            break;
    }
}
