// Sorting, filtering and finding in a grid of 1,000,000 rows of 5 columns, each against a
// baseline doing the same work on the same texts in the same run:
//  - by a text column: the grid's sort against std::stable_sort of the column's texts with
//    the grid's own comparison (ByteCompare), carrying each text's row number;
//  - by a numeric column (decimal comma): against std::stable_sort of the parsed doubles with
//    their row numbers, and against parsing the texts, that sort and moving the rows to their
//    places; each sort of the grid with the default settings (the columns after the sort
//    column break ties) and with the one column alone;
//  - switching a filter on, first on a freshly filled grid and again on one filtered before:
//    against a loop testing the same parsed condition on every row and keeping the numbers of
//    the rows shown; the grid as it runs (sharing the rows out to idle threads) and with a
//    pool of one thread; switching it off against merging the rows shown and hidden back in
//    order;
//  - finding a text that only the last row holds: against a loop over the same texts with
//    the same case-blind test.
#include "grid/core/Txgrid.h"
#include "grid/sort/TxgridSortKeys.h"
#include "grid/controls/Txutil.h"
#include "platform/ui/StringGridCore.h"

#include "support/QtMain.h"

#include <QApplication>
#include <QThreadPool>
#include <algorithm>
#include <array>
#include <charconv>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kCols = 5;
constexpr int kRows = 1000000;
const QString kNeedle = QStringLiteral("Szukany Kontrahent");

struct Table {
    std::array<std::vector<QString>, kCols> cols;
};

const Table& table()
{
    static const Table t = [] {
        std::mt19937 rnd(7);
        Table out;
        for (auto& c : out.cols)
            c.reserve(kRows);
        for (int r = 0; r < kRows; ++r) {
            out.cols[0].push_back(QString::number(r));
            out.cols[1].push_back(
                QStringLiteral("%1,%2").arg(rnd() % 100000).arg(rnd() % 100, 2, 10, QLatin1Char('0')));
            out.cols[2].push_back(QStringLiteral("Kontrahent %1").arg(rnd() % 400000));
            out.cols[3].push_back(QString::number(rnd() % 1000));
            out.cols[4].push_back(r % 3 ? QStringLiteral("tak") : QStringLiteral("nie"));
        }
        out.cols[2].back() = kNeedle;
        return out;
    }();
    return t;
}

// The rows below one fixed header row, no fixed columns.
void Fill(grid::TTxStringGrid& g)
{
    g.SetColCount(kCols);
    g.SetRowCount(kRows + 1);
    g.SetFixedCols(0);
    const Table& t = table();
    for (int c = 0; c < kCols; ++c)
        for (int r = 0; r < kRows; ++r)
            g.setCells(c, r + 1, t.cols[std::size_t(c)][std::size_t(r)]);
}

void GridSort(benchmark::State& state, int col, bool full)
{
    grid::TTxStringGrid g;
    g.SortSettings().Column = col;
    g.SortSettings().Full = full; // false: the one column, as the baselines compare
    for (auto _ : state) {
        state.PauseTiming();
        Fill(g);
        state.ResumeTiming();
        g.QSort();
    }
}

// The grid's work it stands for: ordering the texts by the grid's comparison and knowing the
// row each one came from (the grid also reads the cells and moves the rows).
void BM_Baseline_SortText(benchmark::State& state)
{
    struct Item {
        QString text;
        int row;
    };
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Item> v;
        v.reserve(kRows);
        for (int r = 0; r < kRows; ++r)
            v.push_back({table().cols[2][std::size_t(r)], r});
        state.ResumeTiming();
        std::stable_sort(v.begin(), v.end(),
                         [](const Item& a, const Item& b) { return grid::ByteCompare(a.text, b.text) < 0; });
        benchmark::DoNotOptimize(v.data());
    }
}
void BM_Grid_SortText(benchmark::State& state) { GridSort(state, 2, false); }
void BM_Grid_SortText_Default(benchmark::State& state) { GridSort(state, 2, true); }

// The grid's work it stands for: ordering the parsed numbers and knowing the row each one
// came from (the grid also reads and parses the cells and moves the rows).
void BM_Baseline_SortNumber(benchmark::State& state)
{
    std::vector<std::pair<double, int>> parsed;
    parsed.reserve(kRows);
    for (int r = 0; r < kRows; ++r) {
        QString s = table().cols[1][std::size_t(r)];
        parsed.push_back({s.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(), r});
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::pair<double, int>> v = parsed;
        state.ResumeTiming();
        std::stable_sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        benchmark::DoNotOptimize(v.data());
    }
}

// The same with the parsing of the texts and the moving of the rows to their places, the
// rows held as the grid holds them and put back in their first order before each run (the
// grid is filled again each time). Parsed as the grid parses, without a copy of each text, and
// moved into a vector kept between runs, so the baseline does no work the grid avoids.
void BM_Baseline_SortNumberMove(benchmark::State& state)
{
    using Row = ui::StringGridCore::RowData;
    std::vector<Row> rows;
    std::vector<Row> moved;
    moved.reserve(kRows);
    std::vector<std::pair<double, int>> v;
    v.reserve(kRows);
    for (auto _ : state) {
        state.PauseTiming();
        rows.clear();
        rows.resize(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                rows[std::size_t(r)].texts.push_back(table().cols[std::size_t(c)][std::size_t(r)]);
        state.ResumeTiming();
        v.clear();
        for (int r = 0; r < kRows; ++r) {
            const QString& s = rows[std::size_t(r)].texts[1];
            char buf[64];
            const int n = int(std::min<qsizetype>(s.size(), 63));
            for (int i = 0; i < n; ++i) {
                const char16_t ch = s[i].unicode();
                buf[i] = ch == u',' ? '.' : char(ch);
            }
            double d = 0;
            std::from_chars(buf, buf + n, d);
            v.push_back({d, r});
        }
        std::stable_sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        moved.clear();
        for (const auto& [value, r] : v)
            moved.push_back(std::move(rows[std::size_t(r)]));
        rows.swap(moved);
        benchmark::DoNotOptimize(rows.data());
    }
}
void BM_Grid_SortNumber(benchmark::State& state) { GridSort(state, 1, false); }
void BM_Grid_SortNumber_Default(benchmark::State& state) { GridSort(state, 1, true); }

// The grid's work it stands for: testing every row's cell against the condition and keeping
// the numbers of the rows shown (the grid also takes the other rows out of its store).
void BM_Baseline_Filter(benchmark::State& state)
{
    const std::vector<QString>& col = table().cols[4];
    std::size_t shown = 0;
    for (auto _ : state) {
        const grid::TMatchCondition cond(QStringLiteral("tak"), true, grid::TRegional::Current());
        std::vector<int> rows;
        rows.reserve(kRows);
        for (int r = 0; r < kRows; ++r)
            if (cond.Match(col[std::size_t(r)]))
                rows.push_back(r);
        shown = rows.size();
        benchmark::DoNotOptimize(rows.data());
    }
    state.counters["shown"] = double(shown);
}

void SetFilter(grid::TTxStringGrid& g)
{
    grid::TFilterData* f = g.Filter().Add();
    f->Column = 4;
    f->Condition = QStringLiteral("tak");
}

// The grid shares a long filter's blocks with idle threads of the pool; with a pool of one
// thread it tests every row on the calling thread, as on a machine of one core.
struct PoolLimit {
    int before = QThreadPool::globalInstance()->maxThreadCount();
    explicit PoolLimit(bool oneThread)
    {
        if (oneThread)
            QThreadPool::globalInstance()->setMaxThreadCount(1);
    }
    ~PoolLimit() { QThreadPool::globalInstance()->setMaxThreadCount(before); }
};

// The first filter of a grid just filled, as a user meets it after loading the rows.
void GridFilterFirst(benchmark::State& state, bool oneThread)
{
    const PoolLimit limit(oneThread);
    int shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto g = std::make_unique<grid::TTxStringGrid>();
        Fill(*g);
        SetFilter(*g);
        state.ResumeTiming();
        g->SetFilterActive(true);
        state.PauseTiming();
        shown = g->RowCount() - 1;
        g.reset();
        state.ResumeTiming();
    }
    state.counters["shown"] = shown;
}

// The same grid filtered again (switched off between, untimed).
void GridFilterWarm(benchmark::State& state, bool oneThread)
{
    const PoolLimit limit(oneThread);
    grid::TTxStringGrid g;
    Fill(g);
    SetFilter(g);
    g.SetFilterActive(true);
    g.SetFilterActive(false);
    int shown = 0;
    for (auto _ : state) {
        g.SetFilterActive(true);
        state.PauseTiming();
        shown = g.RowCount() - 1;
        g.SetFilterActive(false);
        state.ResumeTiming();
    }
    state.counters["shown"] = shown;
}
void BM_Grid_Filter_First(benchmark::State& state) { GridFilterFirst(state, false); }
void BM_Grid_Filter_Warm(benchmark::State& state) { GridFilterWarm(state, false); }
void BM_Grid_Filter_First_OneThread(benchmark::State& state) { GridFilterFirst(state, true); }
void BM_Grid_Filter_Warm_OneThread(benchmark::State& state) { GridFilterWarm(state, true); }

// The grid's work it stands for when the filter is switched off: the rows shown and the rows
// hidden merged back into one list in their order.
void BM_Baseline_FilterOff(benchmark::State& state)
{
    using Row = ui::StringGridCore::RowData;
    const std::vector<QString>& col = table().cols[4];
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<Row> shown, hidden;
        std::vector<int> hiddenAt;
        for (int r = 0; r < kRows; ++r) {
            Row row;
            row.texts.assign(1, col[std::size_t(r)]);
            if (r % 3) {
                shown.push_back(std::move(row));
            } else {
                hidden.push_back(std::move(row));
                hiddenAt.push_back(r);
            }
        }
        state.ResumeTiming();
        std::vector<Row> merged;
        merged.reserve(shown.size() + hidden.size());
        std::size_t s = 0, h = 0;
        for (int r = 0; r < kRows; ++r)
            merged.push_back(h < hiddenAt.size() && hiddenAt[h] == r ? std::move(hidden[h++]) : std::move(shown[s++]));
        benchmark::DoNotOptimize(merged.data());
    }
}

void BM_Grid_FilterOff(benchmark::State& state)
{
    grid::TTxStringGrid g;
    Fill(g);
    SetFilter(g);
    for (auto _ : state) {
        state.PauseTiming();
        g.SetFilterActive(true);
        state.ResumeTiming();
        g.SetFilterActive(false);
    }
    if (g.RowCount() != kRows + 1 || g.cells(4, 1) != table().cols[4][0])
        state.SkipWithError("rows out of order");
}

// The grid's work it stands for: reading the cells down the columns and testing each without
// case until the one that holds the text (the grid reads them through its cell reader).
void BM_Baseline_FindLast(benchmark::State& state)
{
    const Table& t = table();
    for (auto _ : state) {
        int found = -1;
        for (int c = 0; c < kCols && found < 0; ++c)
            for (int r = 0; r < kRows; ++r)
                if (t.cols[std::size_t(c)][std::size_t(r)].contains(kNeedle, Qt::CaseInsensitive)) {
                    found = r;
                    break;
                }
        if (found != kRows - 1)
            state.SkipWithError("not found");
    }
}

void BM_Grid_FindLast(benchmark::State& state)
{
    grid::TTxStringGrid g;
    Fill(g);
    for (auto _ : state)
        if (g.FindFirst(kNeedle, {}).y() != kRows)
            state.SkipWithError("not found");
}

} // namespace

BENCHMARK(BM_Baseline_SortText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Grid_SortText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Grid_SortText_Default)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Baseline_SortNumber)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Baseline_SortNumberMove)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Grid_SortNumber)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Grid_SortNumber_Default)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Baseline_Filter)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Grid_Filter_First)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Grid_Filter_Warm)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Grid_Filter_First_OneThread)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Grid_Filter_Warm_OneThread)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Baseline_FilterOff)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Grid_FilterOff)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Baseline_FindLast)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Grid_FindLast)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
