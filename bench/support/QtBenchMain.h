#pragma once
// The body of a benchmark program's main: an offscreen QApplication for the widgets, then
// every benchmark the command line selects.
#include <QApplication>
#include <benchmark/benchmark.h>

inline int RunQtBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
