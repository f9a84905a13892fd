#include "history/HistoryDownload.h"

#include <vector>

#include "device/Commands.h"
#include "history/HistoryDataSet.h"
#include "history/PageDecoder.h"
#include "model/DeviceContext.h"
#include "model/DeviceParameters.h"

namespace {
// Restores the context's baud rate when a page exchange ends, whichever way it ends.
class PageBaudRate {
public:
    explicit PageBaudRate(DeviceContext& context) : context_(context), saved_(context.baudRate) {
        context_.baudRate = HistoryDownload::kPageBaudRate;
    }
    ~PageBaudRate() { context_.baudRate = saved_; }
    PageBaudRate(const PageBaudRate&) = delete;
    PageBaudRate& operator=(const PageBaudRate&) = delete;

private:
    DeviceContext& context_;
    int saved_;
};
}  // namespace

DownloadOutcome HistoryDownload::Run(HistoryDataSet& set, const DeviceParameters& history,
                                     DeviceContext& context, const std::atomic<int>& workerRunning,
                                     const Callbacks& callbacks) {
    auto fail = [&](bool emptySet) {
        const bool cancelled = workerRunning.load() == 0;
        if (emptySet) set.ClearData();
        if (callbacks.failed) callbacks.failed(cancelled);
        return cancelled ? DownloadOutcome::Cancelled : DownloadOutcome::Failed;
    };

    if (!workerRunning.load()) return DownloadOutcome::Cancelled;
    int pageCount = 0;
    if (ReadHistoryPageCount(pageCount) != 0 || !workerRunning.load()) return fail(false);
    if (pageCount <= 0) return DownloadOutcome::NoPages;
    if (callbacks.started) callbacks.started(pageCount);

    const int64_t capacity = history.StorageCapacity();
    if (capacity == 0) return fail(true);

    PageDecoder decoder(set);
    decoder.Begin(capacity, pageCount);
    std::vector<uint8_t> reply(kHistoryPageCapacity);
    for (int page = 1; page <= pageCount; ++page) {
        if (!workerRunning.load()) return fail(true);
        int result;
        {
            PageBaudRate baud(context);
            result =
                ReadHistoryPage(page, context.downloadWait, reply.data(), static_cast<int>(reply.size()));
        }
        if (result < 0) return fail(true);
        decoder.DecodePage(reply.data(), result, capacity);
        if (callbacks.pageDone) callbacks.pageDone(page);
    }
    if (!workerRunning.load()) return fail(true);
    decoder.Finish();
    return DownloadOutcome::Complete;
}
