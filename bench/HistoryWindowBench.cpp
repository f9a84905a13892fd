// Opening a record file of 1,000,000 records x 8 channels (English edition) in the history window,
// from the call until the chart, the channel list and the data list have been painted, and the
// memory the set holds against the raw data (8 bytes per value and per time stamp).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <cmath>
#include <cstdio>
#include <string>

#include "history/CHisdataDlg.h"
#include "history/HistoryDataSet.h"
#include "history/RecordFile.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "QtBenchMain.h"

namespace {

constexpr int kRecords = 1000000;
constexpr int kChannels = 8;

// Writes the file once: a logger block with all eight channels and a set of smooth curves.
std::string BigRecordFile() {
    static const std::string path = [] {
        DeviceParameters& block = GetDeviceContext().historyParameters;
        block.SetByte(DeviceParameters::kChannelMask, 0xFF);
        block.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
        for (int k = 0; k < kChannels; ++k) block.SetChannel(k, {1, 1, 1, 350, -100, 800, -400});
        block.RebuildEnabledChannels();
        HistoryDataSet set;
        set.LoadChannels(block);
        set.timestamps.resize(kRecords);
        for (int i = 0; i < kRecords; ++i) set.timestamps[i] = 1700000000 + 60LL * i;
        for (int k = 0; k < kChannels; ++k) {
            set.channels[k].values.resize(kRecords);
            for (int i = 0; i < kRecords; ++i)
                set.channels[k].values[i] = 20 + 15 * std::sin(i * 0.0007 + k) + (i % 97) * 0.01;
        }
        set.recordCount = kRecords;
        set.SetRangeAll();
        set.RecomputeRangeStatistics();
        const std::string file = "/tmp/zorva-window-bench.jc";
        RecordFile::Save(file, set, block, nullptr);
        return file;
    }();
    return path;
}

void BM_OpenRecordFileUntilShown(benchmark::State& state) {
    const QString path = QString::fromStdString(BigRecordFile());
    CHisdataDlg window;
    window.resize(1600, 900);
    window.show();
    for (auto _ : state) {
        window.LoadRecordFile(path);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.grab());  // paints chart and lists as the screen would
    }
    const HistoryDataSet& set = window.DataSet();
    size_t held = set.timestamps.capacity() * sizeof(int64_t);
    for (const auto& channel : set.channels) held += channel.values.capacity() * sizeof(double);
    const double raw = static_cast<double>(kRecords) * (kChannels + 1) * 8;
    state.counters["held/raw"] = static_cast<double>(held) / raw;
}

}  // namespace

BENCHMARK(BM_OpenRecordFileUntilShown)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    const int result = RunQtBenchmarks(argc, argv);
    std::remove(BigRecordFile().c_str());
    return result;
}
