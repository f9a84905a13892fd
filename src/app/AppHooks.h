#pragma once

#include <functional>

class QWidget;

// The windows and commands of the real-time, history, download and configuration areas, reached
// through replaceable entries so that the main window and title bar do not depend on those areas.
// Set on the window thread before the main window is built; read on the window thread only.
// An empty entry means "not available": the command does nothing (a dialog counts as cancelled).
struct AppHooks {
    // Child windows 6 to 8 of the main window; empty entries give plain placeholders.
    std::function<QWidget*(QWidget* parent)> createRealtimeWindow;
    std::function<QWidget*(QWidget* parent)> createHistoryWindow;
    std::function<QWidget*(QWidget* parent)> createProgressWindow;

    // FileHandle: asks for a record file and loads it; 1 when loaded, 0 otherwise.
    std::function<int()> openRecordFile;
    // StartRealRecord / StopRealRecord: the real-time window's polling.
    std::function<void()> startRealtime;
    std::function<void()> stopRealtime;
    // HisdataDownload: clears the history window's downloadComplete and dataValid, then StopWorker,
    // ClearData, LoadChannels, InitDataListColumns, FillChannelList, StartWorker.
    std::function<void()> startDownload;
    // Shutdown: stops a running download and waits for its worker while dispatching events.
    std::function<void()> stopDownloadWorker;

    // Popup dialogs; true when confirmed with OK.
    std::function<bool()> runPrompt;        // DeviceStartRecord step 1
    std::function<bool()> runDeviceConfig;  // DeviceStartRecord step 2 (the wizard)
    std::function<bool()> runSerialConfig;  // 1003
    std::function<bool()> runTimeCheck;     // 1006
    std::function<void()> runSystemConfig;  // 1005
    std::function<void()> runDeviceInfo;    // 1010
    // Chinese edition, history window's data: 1012 text, 1013 picture report.
    std::function<void()> saveText;
    std::function<void()> savePicture;
};

AppHooks& GetAppHooks();

// Fills the hooks with the windows and dialogs of the other areas. Called once by the application
// before the main window is built; tests set the entries they need instead.
void InstallWindowHooks();
