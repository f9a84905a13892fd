#include "app/TitlebarDlg.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "app/AppEvents.h"
#include "app/AppHooks.h"
#include "app/AppMessage.h"
#include "app/PelnixDlg.h"
#include "app/PropertyBarDlg.h"
#include "device/Commands.h"
#include "menus/SkinnedMenu.h"
#include "model/DeviceContext.h"
#include "model/PropertyLines.h"
#include "model/Texts.h"
#include "skin/SkinButton.h"
#include "skin/SkinValues.h"

namespace {
CPropertyBarDlg* Panel() {
    return g_pMainDlg ? g_pMainDlg->PropertyBar() : nullptr;
}

void ShowProperties(int mode) {
    if (CPropertyBarDlg* panel = Panel()) panel->ShowProperties(mode);
}
}  // namespace

CTitlebarDlg::CTitlebarDlg(QWidget* parent) : QWidget(parent) {
    const DeviceContext& context = GetDeviceContext();
    const QString folder = QString::fromStdString(context.skinFolder);
    const QString directory = QString::fromStdString(context.programDirectory);
    skin_.LoadSkin(this, QString::fromLatin1(SkinKey::kTitleBarFile), folder, directory);
    for (int id = kFirstTitleButton; id <= kLastTitleButton; ++id) {
        CxSkinButton* button = skin_.Button(id);
        if (!button) continue;
        connect(button, &CxSkinButton::Command, this, &CTitlebarDlg::OnCommand);
        if (TitleButtonInitiallyHidden(id)) button->hide();
    }
    const QString file = SkinPath(directory, folder, QString::fromLatin1(SkinKey::kTitleBarFile));
    const QString section = QString::fromLatin1(SkinKey::kMainButtons);
    closeRect_ = ReadSkinRect(file, section, QStringLiteral("Close_Position"));
    minimizeRect_ = ReadSkinRect(file, section, QStringLiteral("Minimize_Position"));
    maximizeRect_ = ReadSkinRect(file, section, QStringLiteral("Maximize_Position"));
    const QPoint expand = ReadSkinPoint(file, QString::fromLatin1(SkinKey::kExpandPoint),
                                        QString::fromLatin1(SkinKey::kExpandPointPos));
    skin_.SetExpandPoint(expand);
    UpdateButtonStates();
}

QRect CTitlebarDlg::ConfiguredRect(int id) const {
    switch (id) {
        case kBtnClose:
            return closeRect_;
        case kBtnMinimize:
            return minimizeRect_;
        case kBtnMaximize:
            return maximizeRect_;
        default:
            return QRect();
    }
}

void CTitlebarDlg::PlaceButton(int id, const QRect& rect) {
    CxSkinButton* button = skin_.Button(id);
    // A button the skin leaves invisible keeps its empty rectangle.
    if (button && !button->geometry().isEmpty()) button->setGeometry(rect);
}

void CTitlebarDlg::SetConnected(bool connected) {
    flags_.connected = connected;
    UpdateButtonStates();
}

void CTitlebarDlg::SetRealtimeIdle(bool idle) {
    flags_.realtimeIdle = idle;
    UpdateButtonStates();
}

void CTitlebarDlg::SetDownloadIdle(bool idle) {
    flags_.downloadIdle = idle;
    UpdateButtonStates();
}

void CTitlebarDlg::UpdateButtonStates() {
    for (int id = kFirstTitleButton; id <= kLastTitleButton; ++id)
        if (CxSkinButton* button = skin_.Button(id)) button->setEnabled(TitleButtonEnabled(id, flags_));
}

void CTitlebarDlg::ShowPair(int shown, int hidden) {
    if (CxSkinButton* button = skin_.Button(hidden)) button->hide();
    if (CxSkinButton* button = skin_.Button(shown)) button->show();
}

void CTitlebarDlg::SetRecordButtons(bool recording) {
    if (recording)
        ShowPair(kBtnDeviceStopRecord, kBtnDeviceStartRecord);
    else
        ShowPair(kBtnDeviceStartRecord, kBtnDeviceStopRecord);
}

void CTitlebarDlg::RunMenu(int buttonId, const std::vector<MenuItemSpec>& items) {
    SkinnedMenu menu(this);
    for (const MenuItemSpec& item : items)
        menu.AddItem(item.id, QString::fromUtf8(Tx(item.text)), item.enabled, item.checked);
    CxSkinButton* button = skin_.Button(buttonId);
    const QPoint at =
        button ? button->mapToGlobal(QPoint(0, button->height())) : mapToGlobal(QPoint(0, height()));
    const int id = menu.Exec(at);
    if (g_pMainDlg) g_pMainDlg->DispatchMenuCommand(id);
}

void CTitlebarDlg::OnCommand(int id) {
    QWidget* main = g_pMainDlg ? static_cast<QWidget*>(g_pMainDlg) : window();
    switch (id) {
        case kBtnClose:
            main->close();
            break;
        case kBtnMinimize:
            main->showMinimized();
            break;
        case kBtnMaximize:
            QCoreApplication::postEvent(main, new QEvent(kMaximizeToggleEvent));
            break;
        case kBtnFileHandle:
            FileHandle();
            break;
        case kBtnStartRealRecord:
            StartRealRecord();
            break;
        case kBtnStopRealRecord:
            StopRealRecord();
            break;
        case kBtnHisdataDownload:
            HisdataDownload();
            break;
        case kBtnDeviceConnect:
            DeviceConnect();
            break;
        case kBtnDeviceReset:
            if (g_pMainDlg)
                RunMenu(id, WindowMenuItems(g_pMainDlg->PropertyBar()->isVisible(),
                                            g_pMainDlg->RealtimeWindow()->isVisible(),
                                            g_pMainDlg->HistoryWindow()->isVisible()));
            break;
        case kBtnDeviceStartRecord:
            DeviceStartRecord();
            break;
        case kBtnDeviceStopRecord:
            DeviceStopRecord();
            break;
        case kBtnParameterConfig:
            RunMenu(id, ConfigMenuItems(flags_));
            break;
        case kBtnSystemInfo:
            RunMenu(id, InfoMenuItems());
            break;
        default:
            break;
    }
}

void CTitlebarDlg::FileHandle() {
    const AppHooks& hooks = GetAppHooks();
    if (!g_pMainDlg || !hooks.openRecordFile || hooks.openRecordFile() != 1) return;
    if (g_pMainDlg->RealtimeWindow()->isVisible()) g_pMainDlg->RealtimeWindow()->hide();
    if (!g_pMainDlg->HistoryWindow()->isVisible()) g_pMainDlg->HistoryWindow()->show();
    g_pMainDlg->historyFileLoaded = true;
}

void CTitlebarDlg::StartRealRecord() {
    if (g_pMainDlg && !g_pMainDlg->RealtimeWindow()->isVisible()) {
        if (g_pMainDlg->HistoryWindow()->isVisible()) {
            if (Panel()->Mode() == kPanelHistory) ShowProperties(kPanelDevice);
            g_pMainDlg->HistoryWindow()->hide();
        }
        g_pMainDlg->RealtimeWindow()->show();
    }
    if (GetAppHooks().startRealtime) GetAppHooks().startRealtime();
    ShowPair(kBtnStopRealRecord, kBtnStartRealRecord);
    SetRealtimeIdle(false);
}

void CTitlebarDlg::StopRealRecord() {
    if (GetAppHooks().stopRealtime) GetAppHooks().stopRealtime();
    ShowPair(kBtnStartRealRecord, kBtnStopRealRecord);
    SetRealtimeIdle(true);
}

void CTitlebarDlg::HisdataDownload() {
    const AppHooks& hooks = GetAppHooks();
    if (!hooks.startDownload) return;  // no history window to download into
    SetDownloadIdle(false);
    DeviceContext& context = GetDeviceContext();
    context.historyParameters = context.deviceParameters;
    if (g_pMainDlg) g_pMainDlg->historyFileLoaded = false;
    hooks.startDownload();
    if (!g_pMainDlg) return;
    if (g_pMainDlg->RealtimeWindow()->isVisible()) g_pMainDlg->RealtimeWindow()->hide();
    if (!g_pMainDlg->HistoryWindow()->isVisible()) g_pMainDlg->HistoryWindow()->show();
    if (Panel()->Mode() != kPanelDevice) ShowProperties(kPanelDevice);
}

bool CTitlebarDlg::Reconnect() {
    if (ReadDeviceState(GetDeviceContext().deviceParameters)) {
        SetConnected(true);
        ShowProperties(kPanelDevice);
        return true;
    }
    SetConnected(false);
    ShowAppMessage(Tx(TextId::ConnectFailed));
    return false;
}

void CTitlebarDlg::DeviceConnect() {
    // The start-up attempt may still be talking to the port: one transaction at a time.
    if (g_pMainDlg) g_pMainDlg->WaitForAutoConnect();
    Reconnect();
}

void CTitlebarDlg::DeviceStartRecord() {
    const AppHooks& hooks = GetAppHooks();
    if (!hooks.runPrompt || !hooks.runPrompt()) return;
    if (!hooks.runDeviceConfig || !hooks.runDeviceConfig()) return;
    if (StartRecord() != 0) ShowAppMessage(Tx(TextId::AppStartRecordFailed));
    SetRecordButtons(true);
    Reconnect();
}

void CTitlebarDlg::DeviceStopRecord() {
    if (StopRecord() != 0) {
        ShowAppMessage(Tx(TextId::StopRecordFailed));
        return;
    }
    SetRecordButtons(false);
    GetDeviceContext().deviceParameters.SetByte(DeviceParameters::kWorkStatus, 0);
    if (CPropertyBarDlg* panel = Panel()) {
        CPropertyUpdateEvent update(0, 1);
        QCoreApplication::sendEvent(panel, &update);
    }
    ShowAppMessage(Tx(TextId::StopRecordOk));
}

void CTitlebarDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    skin_.PaintBackground(painter, size());
}

void CTitlebarDlg::keyPressEvent(QKeyEvent* event) {
    // Neither key may close or trigger anything from the title bar.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CTitlebarDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragging_ = true;
    // The window system's move is asked for on the first movement, not here: once it owns the
    // pointer the bar sees neither the release nor the second press of a double click.
    systemMovePending_ = true;
    dragOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void CTitlebarDlg::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    QWidget* main = window();
    if (systemMovePending_) {
        systemMovePending_ = false;
        // The window system moves the window when it can (Wayland allows nothing else).
        if (main->windowHandle() && main->windowHandle()->startSystemMove()) {
            dragging_ = false;
            return;
        }
    }
    main->move(event->globalPosition().toPoint() - dragOffset_);
}

void CTitlebarDlg::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    systemMovePending_ = false;
    QWidget::mouseReleaseEvent(event);
}

void CTitlebarDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        QCoreApplication::postEvent(window(), new QEvent(kMaximizeToggleEvent));
}
