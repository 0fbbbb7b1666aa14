// Sorting and filtering 100,000 rows of 5 columns: the grid's sort by a numeric column (the
// automatic style, decimal comma) and by a text column with ties broken by the next column,
// against std::stable_sort of the same rows held in a vector with the same conversions in its
// comparison; and the filter hiding every second row and showing them again, against
// partitioning the vector of rows and merging it back.
#include "grid/Txgrid.h"

#include <QApplication>
#include <algorithm>
#include <array>
#include <charconv>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

constexpr int kCols = 5;
constexpr int kRows = 100000;

struct Row {
    QString cells[kCols];
};

const std::vector<Row>& rows()
{
    static const std::vector<Row> v = [] {
        std::mt19937 rnd(7);
        std::vector<Row> out(kRows);
        for (int r = 0; r < kRows; ++r) {
            out[std::size_t(r)].cells[0] = QString::number(r);
            out[std::size_t(r)].cells[1] = QStringLiteral("%1,%2").arg(rnd() % 100000).arg(rnd() % 100, 2, 10, QLatin1Char('0'));
            out[std::size_t(r)].cells[2] = QStringLiteral("Kontrahent %1").arg(rnd() % 500);
            out[std::size_t(r)].cells[3] = QString::number(rnd() % 1000);
            out[std::size_t(r)].cells[4] = r % 2 ? QStringLiteral("tak") : QStringLiteral("nie");
        }
        return out;
    }();
    return v;
}

void Fill(grid::TTxStringGrid& g)
{
    g.SetColCount(kCols);
    g.SetRowCount(kRows + 1);
    const auto& v = rows();
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            g.setCells(c, r + 1, v[std::size_t(r)].cells[c]);
}

// The baseline's conversion: the decimal comma made a point in a byte buffer, as fast as a
// conversion of a text can be.
double Number(const QString& s)
{
    std::array<char, 64> buf;
    std::size_t n = 0;
    for (QChar c : s)
        if (n < buf.size())
            buf[n++] = c == QLatin1Char(',') ? '.' : char(c.unicode());
    double v = 0;
    std::from_chars(buf.data(), buf.data() + n, v);
    return v;
}

void BM_VectorSortNumeric(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Row> v = rows();
        state.ResumeTiming();
        std::stable_sort(v.begin(), v.end(),
                         [](const Row& a, const Row& b) { return Number(a.cells[1]) < Number(b.cells[1]); });
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_VectorSortNumeric)->Unit(benchmark::kMillisecond);

void BM_GridSortNumeric(benchmark::State& state)
{
    grid::TTxStringGrid g;
    g.SortSettings().Column = 1;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(g);
        state.ResumeTiming();
        g.QSort();
    }
}
BENCHMARK(BM_GridSortNumeric)->Unit(benchmark::kMillisecond);

void BM_VectorSortTextTies(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Row> v = rows();
        state.ResumeTiming();
        std::stable_sort(v.begin(), v.end(), [](const Row& a, const Row& b) {
            const int c = a.cells[2].compare(b.cells[2]);
            return c != 0 ? c < 0 : a.cells[3].toInt() < b.cells[3].toInt();
        });
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_VectorSortTextTies)->Unit(benchmark::kMillisecond);

void BM_GridSortTextTies(benchmark::State& state)
{
    grid::TTxStringGrid g;
    g.SortSettings().Column = 2;
    for (auto _ : state) {
        state.PauseTiming();
        Fill(g);
        state.ResumeTiming();
        g.QSort();
    }
}
BENCHMARK(BM_GridSortTextTies)->Unit(benchmark::kMillisecond);

void BM_VectorPartitionMerge(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<Row> v = rows();
        std::vector<Row> kept, out;
        for (Row& r : v)
            (r.cells[4] == QLatin1String("tak") ? kept : out).push_back(std::move(r));
        std::vector<Row> back;
        back.reserve(std::size_t(kRows));
        for (std::size_t i = 0; i < kept.size(); ++i) {
            back.push_back(std::move(out[i]));
            back.push_back(std::move(kept[i]));
        }
        benchmark::DoNotOptimize(back.data());
    }
}
BENCHMARK(BM_VectorPartitionMerge)->Unit(benchmark::kMillisecond);

void BM_GridFilterOnOff(benchmark::State& state)
{
    grid::TTxStringGrid g;
    Fill(g);
    grid::TFilterData* f = g.Filter().Add();
    f->Column = 4;
    f->Condition = QStringLiteral("tak");
    int shown = 0;
    for (auto _ : state) {
        g.SetFilterActive(true);
        shown = g.RowCount();
        g.SetFilterActive(false);
    }
    state.counters["shown"] = shown;
    state.counters["rows"] = g.RowCount();
}
BENCHMARK(BM_GridFilterOnOff)->Unit(benchmark::kMillisecond);

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
