// The grid's cell store against a plain vector of texts: fill 100,000 x 10 cells and read
// every one back; a grid control made and filled against filling a vector of texts; and
// painting one screen of such a grid.
#include "grid/Basegrid.h"
#include "grid/Txgrid.h"
#include "platform/ui/StringGridCore.h"

#include <QApplication>
#include <QImage>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kCols = 10;
constexpr int kRows = 100000;

const std::vector<QString>& texts()
{
    static const std::vector<QString> t = [] {
        std::vector<QString> v;
        v.reserve(std::size_t(kCols) * kRows);
        for (int i = 0; i < kCols * kRows; ++i)
            v.push_back(QString::number(i));
        return v;
    }();
    return t;
}

void BM_VectorFillRead(benchmark::State& state)
{
    const auto& t = texts();
    for (auto _ : state) {
        std::vector<QString> cells(std::size_t(kCols) * kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                cells[std::size_t(r) * kCols + c] = t[std::size_t(r) * kCols + c];
        qsizetype sum = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                sum += cells[std::size_t(r) * kCols + c].size();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_VectorFillRead)->Unit(benchmark::kMillisecond);

void BM_GridCoreFillRead(benchmark::State& state)
{
    const auto& t = texts();
    for (auto _ : state) {
        ui::StringGridCore g;
        g.setColCount(kCols);
        g.setRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g.setCell(c, r, t[std::size_t(r) * kCols + c]);
        qsizetype sum = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                sum += g.cell(c, r).size();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_GridCoreFillRead)->Unit(benchmark::kMillisecond);

// Baseline of the control's fill: a vector of 1,000,000 texts made and filled.
void BM_VectorFill(benchmark::State& state)
{
    const auto& t = texts();
    for (auto _ : state) {
        std::vector<QString> cells(std::size_t(kCols) * kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                cells[std::size_t(r) * kCols + c] = t[std::size_t(r) * kCols + c];
        benchmark::DoNotOptimize(cells.data());
    }
}
BENCHMARK(BM_VectorFill)->Unit(benchmark::kMillisecond);

// The grid control made with 100,000 rows of 10 columns and every cell written through it.
void BM_TxGridCreateFill(benchmark::State& state)
{
    const auto& t = texts();
    for (auto _ : state) {
        grid::TTxStringGrid g;
        g.setColCount(kCols);
        g.setRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g.setCells(c, r, t[std::size_t(r) * kCols + c]);
        benchmark::DoNotOptimize(g.cells(kCols - 1, kRows - 1).size());
    }
}
BENCHMARK(BM_TxGridCreateFill)->Unit(benchmark::kMillisecond);

void BM_GridPaintScreen(benchmark::State& state)
{
    const auto& t = texts();
    grid::TBaseGrid g;
    g.setColCount(kCols);
    g.setRowCount(kRows);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            g.setCells(c, r, t[std::size_t(r) * kCols + c]);
    g.resize(800, 600);
    g.show();
    QApplication::processEvents();
    g.setTopRow(kRows / 2); // mid-grid, where cell rectangles are measured from the top row
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        g.viewport()->render(&img);
        benchmark::DoNotOptimize(img.bits());
    }
    state.counters["cells"] = double((g.visibleRowCount() + 2) * kCols);
}
BENCHMARK(BM_GridPaintScreen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
