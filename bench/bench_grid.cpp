// The grid's cell store against a plain vector of texts: fill 100,000 x 10 cells and read
// every one back; a grid control made and filled against filling a vector of texts; painting
// one screen of such a grid; hiding every second row of 1,000,000 and showing them again
// against moving the same rows out of a vector and back in; and one 1600 x 1000 screen of
// mixed cells (check boxes, merged blocks, formatted text) at row 500,000 against drawing the
// same number of cells with a bare QPainter.
#include "grid/core/Basegrid.h"
#include "grid/core/Txgrid.h"
#include "platform/ui/StringGridCore.h"

#include "support/QtMain.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
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

// --- hiding and showing rows -------------------------------------------------------------

constexpr int kBigRows = 1000000;
constexpr int kBigCols = 3;

// Baseline: the rows kept in a vector; every second one moved out into a second vector (one
// pass closing the gaps), then merged back into its place.
void BM_VectorHideShowRows(benchmark::State& state)
{
    using Row = ui::StringGridCore::RowData;
    std::vector<Row> rows(kBigRows);
    for (int r = 0; r < kBigRows; ++r)
        rows[std::size_t(r)].texts.assign(kBigCols, QString::number(r));
    for (auto _ : state) {
        std::vector<Row> hidden;
        hidden.reserve(kBigRows / 2);
        std::size_t out = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (r % 2 == 1)
                hidden.push_back(std::move(rows[r]));
            else
                rows[out++] = std::move(rows[r]);
        }
        rows.resize(out);
        std::vector<Row> merged;
        merged.reserve(out + hidden.size());
        for (std::size_t i = 0; i < out; ++i) {
            merged.push_back(std::move(rows[i]));
            if (i < hidden.size())
                merged.push_back(std::move(hidden[i]));
        }
        rows.swap(merged);
        benchmark::DoNotOptimize(rows.data());
    }
    if (rows[1].texts[0] != QStringLiteral("1"))
        state.SkipWithError("rows out of order");
}
BENCHMARK(BM_VectorHideShowRows)->Unit(benchmark::kMillisecond);

// The grid: every second real row hidden one call at a time (as a filter hides runs), then
// every hidden row shown again.
void BM_TxGridHideShowRows(benchmark::State& state)
{
    grid::TTxStringGrid g;
    g.setColCount(kBigCols);
    g.setRowCount(kBigRows);
    for (int r = 0; r < kBigRows; ++r)
        for (int c = 0; c < kBigCols; ++c)
            g.setCells(c, r, QString::number(r));
    for (auto _ : state) {
        g.BeginUpdate();
        for (int r = 1; r < kBigRows; r += 2)
            g.HideRows(r, r);
        g.EndUpdate();
        g.UnHideRowsAll();
        benchmark::DoNotOptimize(g.rowCount());
    }
    if (g.rowCount() != kBigRows || g.cells(0, 1) != QStringLiteral("1") || g.NumHiddenRows() != 0)
        state.SkipWithError("rows out of order");
}
BENCHMARK(BM_TxGridHideShowRows)->Unit(benchmark::kMillisecond);

// --- painting a screen of mixed cells ----------------------------------------------------

constexpr int kScreenW = 1600, kScreenH = 1000;
constexpr int kPaintCols = 16, kPaintColWidth = 100, kPaintRowHeight = 21;

// Baseline: the same grid of cells drawn straight onto the image: background, two grid lines
// and a text per cell.
void BM_QPainterScreen(benchmark::State& state)
{
    QImage img(kScreenW, kScreenH, QImage::Format_RGB32);
    const QFont font(ui::screenFamily(QStringLiteral("Tahoma")), 8);
    for (auto _ : state) {
        QPainter p(&img);
        p.setFont(font);
        for (int y = 0, r = 0; y < kScreenH; y += kPaintRowHeight, ++r)
            for (int x = 0, c = 0; x < kScreenW; x += kPaintColWidth, ++c) {
                const QRect cell(x, y, kPaintColWidth, kPaintRowHeight);
                p.fillRect(cell, Qt::white);
                p.setPen(Qt::lightGray);
                p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
                p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
                p.setPen(Qt::black);
                p.drawText(cell.adjusted(2, 1, -2, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                           QString::number(500000 + r * kPaintCols + c));
            }
        p.end();
        benchmark::DoNotOptimize(img.bits());
    }
}
BENCHMARK(BM_QPainterScreen)->Unit(benchmark::kMillisecond);

void BM_TxGridPaintMixedScreen(benchmark::State& state)
{
    grid::TTxStringGrid g;
    g.setColCount(kPaintCols);
    g.setRowCount(kBigRows);
    g.setDefaultColWidth(kPaintColWidth);
    g.setDefaultRowHeight(kPaintRowHeight);
    const int top = kBigRows / 2;
    for (int r = top - 5; r < top + 60; ++r) {
        for (int c = 1; c < kPaintCols; ++c)
            g.setCells(c, r, QString::number(r * kPaintCols + c));
        g.AddCheckBox(2, r, r % 2 == 0, false);
        g.AddCheckBox(3, r, false, true);
        g.setCells(4, r, QStringLiteral("<b>Suma</b> <i>netto</i> <font color=\"clred\">%1</font>").arg(r));
        g.setCells(5, r, QStringLiteral("Pozycja <u>%1</u>").arg(r));
        if (r % 3 == 0) {
            g.MergeCells(6, r, 2, 3); // blocks of 2 x 3 cells
            g.MergeCells(10, r, 1, 2);
        }
    }
    g.viewport()->resize(kScreenW, kScreenH);
    g.resize(kScreenW + 40, kScreenH + 40);
    g.show();
    QApplication::processEvents();
    g.setTopRow(top);
    QImage img(g.viewport()->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        g.viewport()->render(&img);
        benchmark::DoNotOptimize(img.bits());
    }
    state.counters["rows"] = g.visibleRowCount();
    state.counters["width"] = g.viewport()->width();
}
BENCHMARK(BM_TxGridPaintMixedScreen)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
