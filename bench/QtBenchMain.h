#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>

#include "model/DeviceContext.h"
#include "model/Edition.h"

// The shared main of the window benchmarks: English edition (eight channels), headless Qt.
inline int RunQtBenchmarks(int argc, char** argv) {
    SetEdition(Edition::English);
    DestroyDeviceContext();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
