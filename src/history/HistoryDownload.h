#pragma once

#include <atomic>
#include <functional>

class DeviceParameters;
class HistoryDataSet;
struct DeviceContext;

// How a download ended.
enum class DownloadOutcome {
    Complete,   // every page fetched; statistics final
    NoPages,    // the logger reported no page: the set stays empty, nothing to tell the user
    Failed,     // page count or a page failed, or no storage capacity: the set is emptied
    Cancelled,  // workerRunning was cleared: the set is emptied
};

// The paged history download over the device link, without any window. Runs on the history
// window's worker thread; the callbacks are called on that thread, in order, and the window turns
// them into its messages. The set must have its channels loaded (LoadChannels) before Run.
class HistoryDownload {
public:
    struct Callbacks {
        std::function<void(int pageCount)> started;  // before the first page
        std::function<void(int page)> pageDone;      // page 1..pageCount decoded
        // The download did not complete after it was asked for; cancelled is true when workerRunning
        // was cleared (the window then shows no message).
        std::function<void(bool cancelled)> failed;
    };

    // Reads the page count, then every page at 115200 baud (the context's baud rate is restored after
    // each page, failed or not), decoding each into the set. Records beyond the history parameters'
    // storage capacity are ignored.
    static DownloadOutcome Run(HistoryDataSet& set, const DeviceParameters& history, DeviceContext& context,
                               const std::atomic<int>& workerRunning, const Callbacks& callbacks);

    static constexpr int kPageBaudRate = 115200;
};
