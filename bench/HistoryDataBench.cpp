// Record-file save and load, range statistics and query over a 1,000,000 x 8 history (English
// edition), and the memory the set holds against the raw data (8 bytes per value and per time stamp).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "device/Frame.h"
#include "history/HistoryDataSet.h"
#include "history/PageDecoder.h"
#include "history/RecordFile.h"
#include "model/DateTimeField.h"
#include "model/DeviceParameters.h"
#include "model/Edition.h"

namespace {

constexpr int kRecords = 1000000;
constexpr int kChannels = 8;
constexpr int64_t kStart = 1772409600;

DeviceParameters& Block() {
    static DeviceParameters block = [] {
        DeviceParameters p(kChannels);
        p.SetByte(DeviceParameters::kChannelMask, 0xFF);
        p.RebuildEnabledChannels();
        p.SetBigEndian32(DeviceParameters::kRecordInterval, 60);
        for (int c = 0; c < kChannels; ++c) p.SetChannel(c, ChannelConfig{1, 1, 1, 600, -100, 800, -400});
        p.SetBigEndian32(p.Offsets().deviceInfo + DeviceParameters::kInfoCapacity, kRecords);
        return p;
    }();
    return block;
}

double Sample(int i, int c) {
    if ((i + c) % 997 == 0) return InvalidSample;
    return ((i * 7 + c * 131) % 1200 - 400) / 10.0;
}

HistoryDataSet& BigSet() {
    static HistoryDataSet* set = [] {
        auto* s = new HistoryDataSet;
        s->LoadChannels(Block());
        s->timestamps.reserve(kRecords);
        for (ChannelSeries& c : s->channels) c.values.reserve(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            s->timestamps.push_back(kStart + 60 * static_cast<int64_t>(i) + (i >= 500000 ? 3600 : 0));
            for (int c = 0; c < kChannels; ++c)
                s->channels[static_cast<size_t>(c)].values.push_back(Sample(i, c));
        }
        s->recordCount = kRecords;
        s->breakPoints = {500000};
        s->SetRangeAll();
        s->RecomputeRangeStatistics();
        return s;
    }();
    return *set;
}

std::string FilePath() {
    return "/tmp/zorva-history-bench-" + std::to_string(getpid()) + ".jc";
}

size_t HeldBytes(const HistoryDataSet& s) {
    size_t bytes = s.timestamps.capacity() * sizeof(int64_t) + s.breakPoints.capacity() * sizeof(BreakPoint) +
                   s.channels.capacity() * sizeof(ChannelSeries) + sizeof(HistoryDataSet);
    for (const ChannelSeries& c : s.channels) bytes += c.values.capacity() * sizeof(double);
    return bytes;
}

void PrintMemory(const char* what, const HistoryDataSet& s) {
    const double raw = 8.0 * s.recordCount * (s.channelCount + 1);
    const double held = static_cast<double>(HeldBytes(s));
    std::printf("%-34s records %d x %d channels: held %.1f MB, raw %.1f MB, ratio %.4f\n", what,
                s.recordCount, s.channelCount, held / 1e6, raw / 1e6, held / raw);
}

void BM_RecordFileSave(benchmark::State& state) {
    HistoryDataSet& set = BigSet();
    const std::string path = FilePath();
    for (auto _ : state) {
        if (RecordFile::Save(path, set, Block()) != RecordFileStatus::Ok) state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * RecordFile::FileLength(228, kRecords, kChannels, 1));
}
BENCHMARK(BM_RecordFileSave)->Unit(benchmark::kMillisecond);

void BM_RecordFileLoad(benchmark::State& state) {
    const std::string path = FilePath();
    if (RecordFile::Save(path, BigSet(), Block()) != RecordFileStatus::Ok) state.SkipWithError("save failed");
    for (auto _ : state) {
        HistoryDataSet loaded;
        DeviceParameters history(kChannels);
        if (RecordFile::Load(path, loaded, history) != RecordFileStatus::Ok)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.recordCount);
    }
    state.SetBytesProcessed(state.iterations() * RecordFile::FileLength(228, kRecords, kChannels, 1));
}
BENCHMARK(BM_RecordFileLoad)->Unit(benchmark::kMillisecond);

// Argument: records in the range (the whole set, or a zoomed window in its middle).
void BM_RecomputeRangeStatistics(benchmark::State& state) {
    HistoryDataSet& set = BigSet();
    const int span = static_cast<int>(state.range(0));
    set.rangeFirst = (kRecords - span) / 2;
    set.rangeLast = set.rangeFirst + span - 1;
    for (auto _ : state) {
        set.RecomputeRangeStatistics();
        benchmark::DoNotOptimize(set.channels[0].average);
    }
    set.SetRangeAll();
    state.SetItemsProcessed(state.iterations() * span * kChannels);
}
BENCHMARK(BM_RecomputeRangeStatistics)->Arg(kRecords)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_Query(benchmark::State& state) {
    HistoryDataSet& set = BigSet();
    const int64_t start = kStart + 60 * 400000;
    const int64_t end = kStart + 60 * 600000;
    for (auto _ : state) {
        set.ApplyQuery(start, end);
        benchmark::DoNotOptimize(set.rangeLast);
    }
    set.SetRangeAll();
}
BENCHMARK(BM_Query)->Unit(benchmark::kMillisecond);

// A download's worth of pages: 26 records of 8 channels per 600-byte reply.
void BM_DecodePages(benchmark::State& state) {
    const int perPage = PageDecoder::RecordsPerPage(kChannels);
    const int pages = 1000;
    std::vector<std::vector<uint8_t>> replies;
    for (int p = 0; p < pages; ++p) {
        std::vector<uint8_t> data{0, 0};
        for (int r = 0; r < perPage; ++r) {
            uint8_t t[6];
            FieldFromEpoch(kStart + 60 * static_cast<int64_t>(p * perPage + r)).ToBytes(t);
            data.insert(data.end(), t, t + 6);
            for (int c = 0; c < kChannels; ++c) data.insert(data.end(), {0x00, static_cast<uint8_t>(r + c)});
        }
        data.push_back(0);
        replies.push_back(ReplyFrame(0x1A, data));
    }
    for (auto _ : state) {
        HistoryDataSet set;
        set.LoadChannels(Block());
        PageDecoder decoder(set);
        decoder.Begin(kRecords, pages);
        for (const auto& reply : replies)
            decoder.DecodePage(reply.data(), static_cast<int>(reply.size()), kRecords);
        decoder.Finish();
        benchmark::DoNotOptimize(set.recordCount);
    }
    state.SetItemsProcessed(state.iterations() * pages * perPage);
}
BENCHMARK(BM_DecodePages)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    SetEdition(Edition::English);
    setenv("TZ", "Asia/Shanghai", 1);
    benchmark::Initialize(&argc, argv);
    PrintMemory("built in memory (exact reserve):", BigSet());
    {
        const std::string path = FilePath();
        RecordFile::Save(path, BigSet(), Block());
        HistoryDataSet loaded;
        DeviceParameters history(kChannels);
        if (RecordFile::Load(path, loaded, history) == RecordFileStatus::Ok)
            PrintMemory("loaded from a record file:", loaded);
        // What a download of the same records reserves: pages x records per page, capped by capacity.
        HistoryDataSet downloaded;
        downloaded.LoadChannels(Block());
        PageDecoder decoder(downloaded);
        const int perPage = PageDecoder::RecordsPerPage(kChannels);
        decoder.Begin(kRecords, (kRecords + perPage - 1) / perPage);
        downloaded.recordCount = kRecords;
        PrintMemory("reserved by a download:", downloaded);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(FilePath().c_str());
    return 0;
}
