#pragma once
// The main of a benchmark program that needs widgets: an offscreen application, then every
// benchmark the command line selects.
#include <QApplication>
#include <benchmark/benchmark.h>

namespace bench {

inline int runWithWidgets(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
