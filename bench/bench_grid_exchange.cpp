// The grid's exchange with 100,000 rows of 10 columns: saving the grid as an .xlsx workbook
// against libxlsxwriter writing the same cells (already UTF-8) alone; loading the workbook
// into a grid against our reader reading it alone; and the clipboard text of the whole grid
// against building the same text with plain QString code.
#include "grid/Txgrid.h"
#include "grid/TxgridExchange.h"
#include "grid/TxgridOffice.h"
#include "support/QtMain.h"

#include <QDir>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>
#include <xlsxwriter.h>

namespace {

constexpr int kCols = 10;
constexpr int kRows = 100000;

QString CellText(int c, int r)
{
    switch (c % 3) {
    case 0: return QString::number(r * 10 + c);
    case 1: return QStringLiteral("Kontrahent %1").arg(r % 997);
    default: return QStringLiteral("%1,%2").arg(r % 5000).arg(c * 7 % 100, 2, 10, QLatin1Char('0'));
    }
}

grid::TTxStringGrid& Grid()
{
    static grid::TTxStringGrid* g = [] {
        auto* grid = new grid::TTxStringGrid;
        grid->SetFixedCols(0);
        grid->SetFixedRows(0);
        grid->SetColCount(kCols);
        grid->SetRowCount(kRows);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                grid->setCells(c, r, CellText(c, r));
        return grid;
    }();
    return *g;
}

QString File(const char* Name) { return QDir::temp().filePath(QString::fromLatin1(Name)); }

void BM_LibxlsxwriterSave(benchmark::State& state)
{
    std::vector<std::string> cells;
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            cells.push_back(CellText(c, r).toStdString());
    const QByteArray name = QFile::encodeName(File("bench-base.xlsx"));
    for (auto _ : state) {
        lxw_workbook* wb = workbook_new(name.constData());
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Sheet1");
        std::size_t i = 0;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), cells[i++].c_str(), nullptr);
        workbook_close(wb);
    }
}
BENCHMARK(BM_LibxlsxwriterSave)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GridSaveToXLS(benchmark::State& state)
{
    grid::TTxStringGrid& g = Grid();
    for (auto _ : state)
        g.Exchange().SaveToXLS(File("bench-grid.xlsx"));
}
BENCHMARK(BM_GridSaveToXLS)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReaderAlone(benchmark::State& state)
{
    Grid().Exchange().SaveToXLS(File("bench-read.xlsx"));
    for (auto _ : state)
        benchmark::DoNotOptimize(grid::ReadWorkbook(File("bench-read.xlsx")));
}
BENCHMARK(BM_ReaderAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GridLoadFromXLS(benchmark::State& state)
{
    Grid().Exchange().SaveToXLS(File("bench-read.xlsx"));
    for (auto _ : state) {
        grid::TTxStringGrid g;
        g.Exchange().LoadFromXLS(File("bench-read.xlsx"));
        benchmark::DoNotOptimize(g.rowCount());
    }
}
BENCHMARK(BM_GridLoadFromXLS)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PlainQStringText(benchmark::State& state)
{
    grid::TTxStringGrid& g = Grid();
    for (auto _ : state) {
        QString out;
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                if (c > 0)
                    out += QLatin1Char('\t');
                out += g.cells(c, r);
            }
            out += QLatin1String("\r\n");
        }
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_PlainQStringText)->Unit(benchmark::kMillisecond);

void BM_GridClipboardText(benchmark::State& state)
{
    grid::TTxStringGrid& g = Grid();
    for (auto _ : state)
        benchmark::DoNotOptimize(g.Exchange().CopyText({0, 0, kCols - 1, kRows - 1}));
}
BENCHMARK(BM_GridClipboardText)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
