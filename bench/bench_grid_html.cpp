// Formatted cell text against plain text: measuring and drawing 10,000 cells of formatted text
// (bold, a coloured font and one line break) with the renderer, against drawing the same
// texts without tags straight through QPainter.
#include "grid/text/TxgridHTML.h"

#include "support/QtMain.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kCells = 10000;
constexpr int kCols = 10;
constexpr int kRowsOnImage = 20;
constexpr int kCellW = 120;
constexpr int kCellH = 32;

struct Texts {
    std::vector<QString> html;
    std::vector<QString> plain;
};

const Texts& texts()
{
    static const Texts t = [] {
        Texts r;
        r.html.reserve(kCells);
        r.plain.reserve(kCells);
        for (int i = 0; i < kCells; ++i) {
            r.html.push_back(QStringLiteral("<b>FV</b> %1/2011 <font color=\"clRed\">%2,00</font><br>Klient %3")
                                 .arg(i + 1)
                                 .arg(i * 7 % 1000)
                                 .arg(i % 97));
            r.plain.push_back(QStringLiteral("FV %1/2011 %2,00\nKlient %3").arg(i + 1).arg(i * 7 % 1000).arg(i % 97));
        }
        return r;
    }();
    return t;
}

QImage& target()
{
    static QImage img(kCols * kCellW, kRowsOnImage * kCellH, QImage::Format_RGB32);
    return img;
}

ui::Rect cellRect(int i)
{
    const int x = (i % kCols) * kCellW, y = (i / kCols % kRowsOnImage) * kCellH;
    return {x, y, x + kCellW, y + kCellH};
}

void BM_PlainQPainter(benchmark::State& state)
{
    const auto& t = texts();
    for (auto _ : state) {
        target().fill(Qt::white);
        QPainter p(&target());
        p.setFont(ui::Font().toQFont());
        p.setPen(Qt::black);
        for (int i = 0; i < kCells; ++i)
            p.drawText(cellRect(i).toQRect(), Qt::AlignLeft | Qt::AlignTop, t.plain[std::size_t(i)]);
    }
    state.counters["cells"] = kCells;
}
BENCHMARK(BM_PlainQPainter)->Unit(benchmark::kMillisecond);

// One drawing call per cell (the renderer measures each line, then draws it).
void BM_HtmlDraw(benchmark::State& state)
{
    const auto& t = texts();
    grid::THTMLRenderOptions opt;
    grid::THTMLRenderResult res;
    for (auto _ : state) {
        target().fill(Qt::white);
        QPainter p(&target());
        ui::Canvas c(&p);
        c.font.color = ui::clBlack;
        for (int i = 0; i < kCells; ++i)
            grid::RenderHTMLText(c, t.html[std::size_t(i)], cellRect(i), opt, res);
    }
    state.counters["cells"] = kCells;
}
BENCHMARK(BM_HtmlDraw)->Unit(benchmark::kMillisecond);

// A measuring call (as sizing does) and then a drawing call per cell.
void BM_HtmlMeasureAndDraw(benchmark::State& state)
{
    const auto& t = texts();
    grid::THTMLRenderOptions measure;
    measure.MeasureOnly = true;
    measure.KeepColors = true;
    grid::THTMLRenderOptions draw;
    grid::THTMLRenderResult res;
    qint64 width = 0;
    for (auto _ : state) {
        target().fill(Qt::white);
        QPainter p(&target());
        ui::Canvas c(&p);
        c.font.color = ui::clBlack;
        for (int i = 0; i < kCells; ++i) {
            grid::RenderHTMLText(c, t.html[std::size_t(i)], cellRect(i), measure, res);
            width += res.MaxLineWidth;
            grid::RenderHTMLText(c, t.html[std::size_t(i)], cellRect(i), draw, res);
        }
    }
    benchmark::DoNotOptimize(width);
    state.counters["cells"] = kCells;
}
BENCHMARK(BM_HtmlMeasureAndDraw)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
