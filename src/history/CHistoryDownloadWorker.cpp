#include "history/CHistoryDownloadWorker.h"

#include <utility>

#include "device/Transaction.h"
#include "history/DownloadMessage.h"
#include "history/HistoryDataSet.h"
#include "history/HistoryDownload.h"
#include "model/DeviceContext.h"

CHistoryDownloadWorker::CHistoryDownloadWorker(HistoryDataSet& set, Hooks hooks)
    : set_(set), hooks_(std::move(hooks)) {}

CHistoryDownloadWorker::~CHistoryDownloadWorker() {
    Stop();
}

void CHistoryDownloadWorker::Start() {
    if (Exists()) Stop();
    const int generation = ++generation_;
    workerRunning = 1;
    thread_ = std::thread([this, generation] { WorkerMain(generation); });
}

void CHistoryDownloadWorker::Stop() {
    workerRunning = 0;
    if (downloading_) {
        cancelled = 1;
        CancelTransaction();
    }
    if (thread_.joinable()) thread_.join();
}

void CHistoryDownloadWorker::Post(int generation, const std::function<void()>& step, bool always) {
    if (!step || !hooks_.post) return;
    hooks_.post([this, generation, step, always] {
        if (always || generation == generation_.load()) step();
    });
}

void CHistoryDownloadWorker::WorkerMain(int generation) {
    if (!downloadComplete) {
        set_.dataValid = 0;
        Post(generation, hooks_.begin);
        DownloadHistory(generation);
        Post(generation, hooks_.downloaded);
    }
    if (downloadComplete) Post(generation, hooks_.fillDataList);
}

void CHistoryDownloadWorker::DownloadHistory(int generation) {
    cancelled = 0;
    auto message = [this, generation](int id, int w, int l) {
        if (hooks_.message) Post(generation, [this, id, w, l] { hooks_.message(id, w, l); });
    };
    if (workerRunning) {
        HistoryDownload::Callbacks callbacks;
        callbacks.started = [&](int pageCount) { message(WM_DOWNLOAD_PROGRESS, 0, pageCount); };
        callbacks.pageDone = [&](int page) { message(WM_DOWNLOAD_PROGRESS, 1, page); };
        callbacks.failed = [&](bool) { message(WM_DOWNLOAD_RESULT, 1, 0); };
        DeviceContext& context = GetDeviceContext();
        // The history parameters are only rewritten by the window thread while no worker runs.
        downloading_ = 1;
        const DownloadOutcome outcome =
            HistoryDownload::Run(set_, context.historyParameters, context, workerRunning, callbacks);
        downloading_ = 0;
        if (outcome == DownloadOutcome::Complete && workerRunning) downloadComplete = 1;
    }
    Post(generation, hooks_.downloadIdle, true);
}
