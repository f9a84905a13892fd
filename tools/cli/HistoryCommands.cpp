#include "HistoryCommands.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>

#include "CliOptions.h"
#include "device/Commands.h"
#include "device/Transaction.h"
#include "history/ChannelListRows.h"
#include "history/HistoryDataSet.h"
#include "history/HistoryDownload.h"
#include "history/RecordFile.h"
#include "model/DateTimeField.h"
#include "model/DeviceContext.h"
#include "model/Texts.h"
#include "reports/HistoryExport.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitCancelled = 130;

bool ReadCommonOptions(const CliOptions& options) {
    if (!options.Error().empty()) {
        std::fprintf(stderr, "zorva-cli: %s\n", options.Error().c_str());
        return false;
    }
    return ApplyEditionOption(options);
}

// "YYYY-MM-DD hh:mm:ss" in local time; false when the text is not such a time.
bool ParseLocalTime(const std::string& text, int64_t& out) {
    int year, month, day, hour, minute, second;
    char tail;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &year, &month, &day, &hour, &minute, &second,
                    &tail) != 6)
        return false;
    if (year < 1970 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    out = LocalToEpoch(year, month, day, hour, minute, second);
    return true;
}

// The extension of the last path component, without its point, case kept.
std::string Extension(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const size_t point = path.find_last_of('.');
    if (point == std::string::npos || (slash != std::string::npos && point < slash)) return "";
    return path.substr(point + 1);
}

}  // namespace

int RunDownloadCommand(int argc, char** argv) {
    CliOptions options(argc, argv, 2);
    if (!ReadCommonOptions(options) || !ApplyPortOption(options)) return kExitUsage;
    const auto out = options.Value("--out");
    if (!out) {
        std::fprintf(stderr, "zorva-cli: download needs --out FILE.jc\n");
        return kExitUsage;
    }

    // Signals are taken by this thread with sigwait, never by a handler: cancelling touches the
    // serial port's run flag, which is no work for a signal handler. The worker inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);  // the worker's "finished"
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    DeviceContext& context = GetDeviceContext();
    if (!ReadDeviceState(context.deviceParameters)) {
        std::fprintf(stderr, "%s\n", Tx(TextId::ConnectFailed));
        return kExitFailure;
    }
    // The enabled-channel list is derived from the mask, as the property panel does after a connect.
    context.deviceParameters.RebuildEnabledChannels();
    context.historyParameters = context.deviceParameters;

    HistoryDataSet set;
    set.ClearData();
    set.LoadChannels(context.historyParameters);

    const bool terminal = isatty(STDERR_FILENO);
    std::atomic<int> workerRunning{1};
    std::atomic<int> pageCount{0};
    HistoryDownload::Callbacks callbacks;
    callbacks.started = [&](int pages) {
        pageCount = pages;
        std::fprintf(stderr, "%s\n", Tx(TextId::HistProgressStart));
    };
    callbacks.pageDone = [&](int page) {
        const std::string line = FormatText(Tx(TextId::HistProgressPage), 100.0 * page / pageCount.load());
        std::fprintf(stderr, terminal ? "\r%s" : "%s\n", line.c_str());
    };
    DownloadOutcome outcome = DownloadOutcome::Failed;
    const pthread_t waiter = pthread_self();
    std::thread worker([&] {
        outcome = HistoryDownload::Run(set, context.historyParameters, context, workerRunning, callbacks);
        pthread_kill(waiter, SIGUSR1);
    });
    bool cancelled = false;
    for (int signal = 0; signal != SIGUSR1;) {
        if (sigwait(&signals, &signal) != 0) break;
        if (signal == SIGINT || signal == SIGTERM) {
            cancelled = true;
            workerRunning = 0;
            CancelTransaction();
        }
    }
    worker.join();
    if (terminal && pageCount.load() > 0) std::fputc('\n', stderr);

    if (cancelled || outcome == DownloadOutcome::Cancelled) {
        std::fprintf(stderr, "zorva-cli: download cancelled, no file written\n");
        return kExitCancelled;
    }
    if (outcome == DownloadOutcome::Failed) {
        std::fprintf(stderr, "%s\n", Tx(TextId::HistDownloadFailed));
        return kExitFailure;
    }
    set.SetRangeAll();
    std::string written;
    const RecordFileStatus status = RecordFile::Save(*out, set, context.historyParameters, &written);
    if (status != RecordFileStatus::Ok) {
        std::fprintf(stderr, "%s\n", Tx(RecordFile::Message(status)));
        return kExitFailure;
    }
    std::printf("%s\t%d\n", written.c_str(), set.recordCount);
    return 0;
}

int RunExportCommand(int argc, char** argv) {
    CliOptions options(argc, argv, 2);
    if (!ReadCommonOptions(options)) return kExitUsage;
    const auto out = options.Value("--out");
    if (options.Positionals().size() != 1 || !out) {
        std::fprintf(stderr, "zorva-cli: export needs FILE.jc and --out OUT.txt|OUT.csv\n");
        return kExitUsage;
    }
    const std::string outExtension = Extension(*out);
    if (outExtension != "txt" && outExtension != "csv") {
        std::fprintf(stderr, "zorva-cli: --out must end in .txt or .csv\n");
        return kExitUsage;
    }
    int64_t from = 0, to = 0;
    const auto fromText = options.Value("--from");
    const auto toText = options.Value("--to");
    if ((fromText && !ParseLocalTime(*fromText, from)) || (toText && !ParseLocalTime(*toText, to))) {
        std::fprintf(stderr, "zorva-cli: --from and --to take \"YYYY-MM-DD hh:mm:ss\"\n");
        return kExitUsage;
    }

    const std::string& input = options.Positionals().front();
    if (!RecordFile::HasExtension(input)) {
        std::fprintf(stderr, "%s\n", Tx(TextId::RecordFileWrongExtension));
        return kExitFailure;
    }
    DeviceContext& context = GetDeviceContext();
    HistoryDataSet set;
    const RecordFileStatus status = RecordFile::Load(input, set, context.historyParameters);
    if (status != RecordFileStatus::Ok) {
        std::fprintf(stderr, "%s\n", Tx(RecordFile::Message(status)));
        return kExitFailure;
    }
    if (set.channelCount < 1 || set.recordCount < 1) {
        std::fprintf(stderr, "%s\n", Tx(TextId::ExportNoData));
        return kExitFailure;
    }

    // Without a range the list shows the file's statistics ("0.0" for a channel without a valid
    // sample); a query recomputes them and leaves such cells empty, as in the window.
    NoValidStatistics noValid = NoValidStatistics::ShowZero;
    if (fromText || toText) {
        const int64_t start = fromText ? from : set.timestamps[static_cast<size_t>(set.rangeFirst)];
        const int64_t end = toText ? to : set.timestamps[static_cast<size_t>(set.rangeLast)];
        if (start > end) {
            std::fprintf(stderr, "%s\n", Tx(TextId::HistQueryStartAfterEnd));
            return kExitUsage;
        }
        set.ApplyQuery(start, end);
        noValid = NoValidStatistics::ShowEmpty;
    }

    const std::vector<ChannelListRow> rows = MakeChannelListRows(set, context.units, noValid);
    const std::string deviceNumber = DeviceNumberText(context.historyParameters.SerialNumber());
    const int64_t now = static_cast<int64_t>(std::time(nullptr));
    const ExportResult result = outExtension == "csv" ? WriteCsvExport(*out, set, rows, deviceNumber, now)
                                                      : WriteTextExport(*out, set, rows, deviceNumber, now);
    if (!result.Succeeded()) {
        std::fprintf(stderr, "%s\n", result.Message().c_str());
        return kExitFailure;
    }
    return 0;
}
