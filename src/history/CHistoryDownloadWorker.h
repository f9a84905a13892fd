#pragma once

#include <atomic>
#include <functional>
#include <thread>

class HistoryDataSet;

// The history window's worker thread: downloads the history through HistoryDownload when no complete
// set is held, then has the window refill its data list. The worker never touches a widget: every
// step that shows something is posted to the window thread through post(), in the order issued, and
// a step posted by a worker that has since been stopped is dropped when it arrives.
//
// Thread rule: Start, Stop and the destructor run on the window thread; the flags are atomics read
// by both threads; the hooks run on the window thread.
class CHistoryDownloadWorker {
public:
    struct Hooks {
        // Queues a call to the window thread (a queued invocation on the window).
        std::function<void(std::function<void()>)> post;
        // A download begins: show the progress dialog and send it (0, 0).
        std::function<void()> begin;
        // WM_DOWNLOAD_PROGRESS / WM_DOWNLOAD_RESULT with their parameters.
        std::function<void(int message, int wParam, int lParam)> message;
        // The download ended (any outcome): statistics cells, information list, dataValid, chart.
        std::function<void()> downloaded;
        // The download is no longer running: the title bar's downloadIdle and buttons.
        std::function<void()> downloadIdle;
        // The set is complete: hide the progress dialog and fill the data list for the range.
        std::function<void()> fillDataList;
    };

    CHistoryDownloadWorker(HistoryDataSet& set, Hooks hooks);
    ~CHistoryDownloadWorker();
    CHistoryDownloadWorker(const CHistoryDownloadWorker&) = delete;
    CHistoryDownloadWorker& operator=(const CHistoryDownloadWorker&) = delete;

    // Stops a previous worker, then runs WorkerMain on a new thread with workerRunning = 1.
    void Start();
    // workerRunning = 0 and waits for the thread to end. A download in progress is cancelled (no
    // failure message) and its page exchange ends at once; the worker only posts, never waits for
    // the window thread, so joining cannot deadlock.
    void Stop();
    bool Exists() const { return thread_.joinable(); }

    std::atomic<int> workerRunning{0};
    std::atomic<int> downloadComplete{0};
    std::atomic<int> cancelled{0};

private:
    void WorkerMain(int generation);
    void DownloadHistory(int generation);
    // A step of an older worker is dropped, unless always (the end of a download must always reach
    // the title bar, or its device buttons would stay disabled).
    void Post(int generation, const std::function<void()>& step, bool always = false);

    HistoryDataSet& set_;
    Hooks hooks_;
    std::thread thread_;
    std::atomic<int> downloading_{0};  // the worker is inside the device exchanges
    // Bumped by each Start; steps carry the number of the worker that posted them.
    std::atomic<int> generation_{0};
};
