#include <QPointer>

#include "app/AppHooks.h"
#include "app/PelnixApp.h"
#include "app/PelnixDlg.h"
#include "app/PropertyBarDlg.h"
#include "app/TitlebarDlg.h"
#include "history/CHisdataDlg.h"
#include "history/CProcessDlg.h"
#include "model/DeviceContext.h"
#include "model/PropertyLines.h"
#include "reports/SaveHistoryCommand.h"

namespace {
// The history window made for the main window; QPointer so a hook never reaches a destroyed one.
QPointer<CHisdataDlg> g_history;

QWidget* CreateHistoryWindow(QWidget* parent) {
    auto* history = new CHisdataDlg(parent);
    history->onDownloadIdle = [] {
        if (g_pMainDlg) g_pMainDlg->TitleBar()->SetDownloadIdle(true);
    };
    history->appRunning = &CPelnixApp::Running;
    QObject::connect(history, &CHisdataDlg::showHistoryProperties, history, [] {
        if (g_pMainDlg) g_pMainDlg->PropertyBar()->ShowProperties(kPanelHistory);
    });
    QObject::connect(history, &CHisdataDlg::saveMenuCommand, history, [](int command) {
        if (g_pMainDlg) g_pMainDlg->DispatchMenuCommand(command);
    });
    g_history = history;
    return history;
}

// The main window creates the progress dialog after the history window; the download reports to it.
QWidget* CreateProgressWindow(QWidget* parent) {
    auto* progress = new CProcessDlg(parent);
    if (g_history) g_history->SetProgressDialog(progress);
    return progress;
}

void StartDownload() {
    if (!g_history) return;
    g_history->ResetDownloadState();
    g_history->StopWorker();
    g_history->ClearData();
    g_history->LoadChannels();
    g_history->InitDataListColumns();
    g_history->FillChannelList();
    g_history->StartWorker();
}
}  // namespace

// The one place where the real-time, history, download and configuration windows are connected to
// the main window and the title bar. Entries left empty keep their placeholders.
void InstallWindowHooks() {
    AppHooks& hooks = GetAppHooks();
    hooks.createHistoryWindow = &CreateHistoryWindow;
    hooks.createProgressWindow = &CreateProgressWindow;
    hooks.startDownload = &StartDownload;
    hooks.stopDownloadWorker = [] {
        if (g_history) g_history->StopWorker();
    };
    hooks.openRecordFile = [] { return g_history ? g_history->OpenRecordFile() : 0; };
    hooks.saveText = [] {
        if (!g_history) return;
        SaveHistoryCommand::RunTextExport(g_history, g_history->DataSet(), GetDeviceContext().historyParameters,
                                          g_history->ChannelRows());
    };
}
