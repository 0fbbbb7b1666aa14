// Printing a grid of 10,000 rows and 8 columns to PDF through the grid's own printing (layout,
// page drawing, the PDF writer) against a bare QPainter drawing the same pages: the same texts
// in the same font at the same places, with the same background and borders, on a QPdfWriter of
// the same resolution. Pages per second of each over the wall-clock time.
#include "grid/core/Txgrid.h"
#include "grid/print/TxgridPrintLayout.h"
#include "support/WallRate.h"

#include "support/QtMain.h"

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kRows = 10000, kCols = 8;
constexpr int kDpi = 600; // as the grid's own PDF device

QTemporaryDir& dir()
{
    static QTemporaryDir d;
    return d;
}

struct Grid {
    grid::TTxStringGrid g;
    Grid()
    {
        g.SetColCount(kCols);
        g.SetRowCount(kRows + 1);
        g.SetFixedCols(0);
        for (int c = 0; c < kCols; ++c)
            g.setCells(c, 0, QStringLiteral("Kolumna %1").arg(c + 1));
        for (int r = 1; r <= kRows; ++r) {
            g.setCells(0, r, QString::number(r));
            g.setCells(1, r, QStringLiteral("Kontrahent %1").arg(r % 977));
            g.setCells(2, r, QStringLiteral("FV/%1/2011").arg(r));
            g.setCells(3, r,
                       QStringLiteral("2011-%1-%2")
                           .arg(r % 12 + 1, 2, 10, QLatin1Char('0'))
                           .arg(r % 28 + 1, 2, 10, QLatin1Char('0')));
            g.setCells(4, r, QString::number(r * 13.37, 'f', 2));
            g.setCells(5, r, QString::number(r * 3.07, 'f', 2));
            g.setCells(6, r, r % 2 ? QStringLiteral("przelew") : QStringLiteral("gotówka"));
            g.setCells(7, r, QStringLiteral("Tarnów"));
        }
        g.PrintSettings().Borders = grid::pbSingle;
        grid::TTxStringGrid::SetPrintDeviceFactory([](const QString&) {
            auto w = std::make_unique<QPdfWriter>(dir().filePath(QStringLiteral("grid.pdf")));
            w->setResolution(kDpi);
            return std::unique_ptr<QPagedPaintDevice>(std::move(w));
        });
    }
};

Grid& grid1()
{
    static Grid g;
    return g;
}

void BM_Grid_PrintPdf(benchmark::State& state)
{
    grid::TTxStringGrid& g = grid1().g;
    bench::WallRate wall;
    for (auto _ : state)
        g.Print();
    state.counters["pages"] = g.PrintLayout().PageCount();
    state.counters["pages/s"] = wall.per(double(g.PrintLayout().PageCount()) * double(state.iterations()));
}

// The grid's work it stands for: every page of the grid's own layout drawn on a PDF device as
// the grid's page shows it: the cells' white background, each cell's text in the print font at
// its place (drawn at its baseline, as the grid draws a plain line), and the single borders
// (black, 0.2 mm) round every cell, as a line beside each column down the page and one under
// each row. The grid also measures the cells and lays the pages out.
void BM_Baseline_QPainterPdf(benchmark::State& state)
{
    grid::TTxStringGrid& g = grid1().g;
    g.Print(); // the layout to draw
    const grid::TPrintLayout layout = g.PrintLayout();
    QFont font = g.PrintSettings().Font.toQFont();
    font.setPixelSize(std::abs(g.MapFontHeight(g.PrintSettings().Font.size)));
    const int indent = int(std::lround(QFontMetricsF(font).horizontalAdvance(QStringLiteral("a"))));
    const double ascent = QFontMetricsF(font).ascent();
    const QPen border(Qt::black, 2, g.PrintSettings().BorderStyle);
    std::vector<std::vector<QString>> texts(kRows + 1, std::vector<QString>(kCols));
    for (int r = 0; r <= kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            texts[std::size_t(r)][std::size_t(c)] = g.cells(c, r);
    bench::WallRate wall;
    for (auto _ : state) {
        QPdfWriter w(dir().filePath(QStringLiteral("baseline.pdf")));
        w.setResolution(kDpi);
        QPainter p(&w);
        p.scale(kDpi / 254.0, kDpi / 254.0);
        p.setFont(font);
        for (int i = 0; i < layout.PageCount(); ++i) {
            if (i > 0)
                w.newPage();
            const grid::TPrintPage& page = layout.Pages[std::size_t(i)];
            const grid::TPrintBand& band = layout.Bands[std::size_t(page.Band)];
            const std::vector<int>& x = band.Offsets;
            const double left = x[std::size_t(band.FirstCol)], right = x[std::size_t(band.LastCol) + 1];
            const double top = -page.Rows.front().Y;
            const double bottom = -page.EndY;
            p.fillRect(QRectF(QPointF(left, top), QPointF(right, bottom)), Qt::white);
            p.setPen(Qt::black);
            for (const grid::TPrintRowPlace& row : page.Rows)
                for (int c = band.FirstCol; c <= band.LastCol; ++c)
                    p.drawText(QPointF(x[std::size_t(c)] + indent, -row.Y + ascent),
                               texts[std::size_t(row.Row)][std::size_t(c)]);
            p.setPen(border);
            for (int c = band.FirstCol; c <= band.LastCol + 1; ++c)
                p.drawLine(QPointF(x[std::size_t(c)], top), QPointF(x[std::size_t(c)], bottom));
            p.drawLine(QPointF(left, top), QPointF(right, top));
            for (const grid::TPrintRowPlace& row : page.Rows)
                p.drawLine(QPointF(left, -(row.Y - row.Pitch)), QPointF(right, -(row.Y - row.Pitch)));
        }
        p.end();
    }
    state.counters["pages"] = layout.PageCount();
    state.counters["pages/s"] = wall.per(double(layout.PageCount()) * double(state.iterations()));
}

} // namespace

BENCHMARK(BM_Grid_PrintPdf)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Baseline_QPainterPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
