#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>

namespace velmarin {

// Runs the registered benchmarks inside a Qt application of type App (the
// chart measures text, so fonts need one), on the offscreen platform unless
// another was asked for. Google Benchmark keeps its own arguments.
template <typename App>
int RunGuiBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    App application(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace velmarin
