// The history chart and data list over 1,000,000 records x 8 channels (English edition):
// a full render at 1600 x 900, a cursor move, a drag step, a zoom and a reset, and row access.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cmath>
#include <memory>

#include "history/CHistoryChart.h"
#include "history/HistoryChartRenderer.h"
#include "history/HistoryDataModel.h"
#include "history/HistoryDataSet.h"
#include "model/DeviceContext.h"
#include "model/Edition.h"
#include "QtBenchMain.h"

namespace {

constexpr int kRecords = 1000000;
constexpr int kChannels = 8;
constexpr int kWidth = 1600;
constexpr int kHeight = 900;

HistoryDataSet& BigSet() {
    static HistoryDataSet* set = [] {
        auto* s = new HistoryDataSet;
        s->channels.assign(kChannels, ChannelSeries{});
        for (int k = 0; k < kChannels; ++k) {
            ChannelSeries& c = s->channels[k];
            c.channelNumber = k;
            c.colour = ChannelColour(k);
            c.rangeLower = c.displayBottom = -40;
            c.rangeUpper = c.displayTop = 80;
            c.alarmLower = -10;
            c.alarmUpper = 35;
            c.values.resize(kRecords);
            for (int i = 0; i < kRecords; ++i)
                c.values[i] = 20 + 15 * std::sin(i * 0.0007 + k) + ((i * 7919LL + k * 31) % 100) * 0.02;
            c.values[kRecords / 3] = InvalidSample;
        }
        s->timestamps.resize(kRecords);
        for (int i = 0; i < kRecords; ++i) s->timestamps[i] = 1700000000 + 60LL * i + (i > 500000 ? 7200 : 0);
        s->breakPoints = {500001};
        s->channelCount = kChannels;
        s->recordCount = kRecords;
        s->rangeFirst = 0;
        s->rangeLast = kRecords - 1;
        s->RecomputeRangeStatistics();
        s->dataValid = 1;
        return s;
    }();
    return *set;
}

CHistoryChart& Chart() {
    static CHistoryChart* chart = [] {
        auto* c = new CHistoryChart(BigSet());
        c->resize(kWidth, kHeight);
        c->show();
        c->RedrawChart();
        return c;
    }();
    return *chart;
}

void ResetView() {
    HistoryDataSet& set = BigSet();
    set.mouseMode = kMouseNormal;
    set.ResetZoom();
}

void BM_FullRender(benchmark::State& state) {
    ResetView();
    HistoryChartRenderer renderer;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    renderer.Draw(BigSet(), image);  // builds the block summaries once
    for (auto _ : state) {
        renderer.Draw(BigSet(), image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_FirstRenderAfterNewData(benchmark::State& state) {
    ResetView();
    HistoryChartRenderer renderer;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        renderer.Invalidate();
        renderer.Draw(BigSet(), image);
    }
}

void BM_CursorMove(benchmark::State& state) {
    ResetView();
    CHistoryChart& chart = Chart();
    chart.RedrawChart();
    int x = 100;
    for (auto _ : state) {
        x = x >= 1500 ? 100 : x + 7;
        chart.MoveTo(x, 400);
        chart.repaint();  // the line and box over the kept image, dirty regions only
    }
}

void BM_DragStep(benchmark::State& state) {
    ResetView();
    CHistoryChart& chart = Chart();
    BigSet().ZoomToRect(kWidth, kHeight, 200, 0, 1400, kHeight);  // room to pan both ways
    BigSet().mouseMode = kMouseDrag;
    chart.PressLeft(800, 450);
    int x = 800;
    bool right = true;
    for (auto _ : state) {
        x += right ? 1 : -1;
        if (x > 820 || x < 780) right = !right;
        chart.MoveTo(x, 450);  // range step + statistics + render
    }
    chart.ReleaseLeft(x, 450);
}

// One iteration is a zoom and a reset: half the time is one range change.
void BM_ZoomAndReset(benchmark::State& state) {
    ResetView();
    CHistoryChart& chart = Chart();
    BigSet().mouseMode = kMouseZoom;
    for (auto _ : state) {
        chart.PressLeft(100, 100);
        chart.ReleaseLeft(1500, 800);  // range change + statistics + render
        chart.PressRight(10, 10);      // and back: statistics over all records + render
    }
}

void BM_ModelRowAccess(benchmark::State& state) {
    ResetView();
    HistoryDataModel model(BigSet());
    model.Fill(0, kRecords - 1);
    int row = 0;
    for (auto _ : state) {
        row = (row + 104729) % kRecords;
        for (int c = 0; c < model.columnCount(); ++c)
            benchmark::DoNotOptimize(model.data(model.index(row, c)));
    }
}

}  // namespace

BENCHMARK(BM_FullRender)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstRenderAfterNewData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CursorMove)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomAndReset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModelRowAccess)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}
