// An .xls sheet of 2,000,000 cells (125 rows of 16,000) taken from the .xls helper's output
// as the library takes it, its cells stored right to left in each row (as some writers store
// them) against the same cells stored in order. The helper is a program that hands over
// output made beforehand, the same for both, so that the pair differs only by the order.
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridWorkbook.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstring>

namespace {

constexpr int kRows = 125, kCols = 16000;

void put32(QByteArray& Out, quint32 V)
{
    const char b[4] = {char(V), char(V >> 8), char(V >> 16), char(V >> 24)};
    Out.append(b, 4);
}

// The helper's output for the sheet, and a script that hands it over.
QString helperFor(bool RightToLeft)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("tarnex-bench-xls"));
    QDir().mkpath(dir);
    const QString data = dir + (RightToLeft ? QStringLiteral("/rtl.bin") : QStringLiteral("/ltr.bin"));
    QByteArray out;
    out.reserve(qsizetype(kRows) * kCols * 18 + 64);
    out += 'A';
    put32(out, 0);
    out += 'S';
    put32(out, 4);
    out += "Dane";
    for (int r = 0; r < kRows; ++r)
        for (int k = 0; k < kCols; ++k) {
            out += 'C';
            put32(out, quint32(r));
            put32(out, quint32(RightToLeft ? kCols - 1 - k : k));
            out += 'N';
            const double v = r * 0.5 + k;
            out.append(reinterpret_cast<const char*>(&v), 8);
        }
    out += 'E';
    QFile f(data);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(out);
    f.close();
    const QString script = data + QStringLiteral(".sh");
    QFile s(script);
    s.open(QIODevice::WriteOnly | QIODevice::Truncate);
    s.write("#!/bin/sh\nexec cat '" + QFile::encodeName(data) + "'\n");
    s.close();
    s.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

void readSheet(benchmark::State& state, bool RightToLeft)
{
    const QString helper = helperFor(RightToLeft);
    grid::SetXlsHelperProgram(helper);
    for (auto _ : state) {
        const grid::TOfficeWorkbook book = grid::ReadXlsInHelper(QStringLiteral("arkusz.xls"));
        if (book.Sheets.at(0).CellCount() != std::size_t(kRows) * kCols
            || book.Sheets.at(0).Rows.at(0).front().Col != 0)
            state.SkipWithError("cells lost or out of order");
        benchmark::DoNotOptimize(book);
    }
    grid::SetXlsHelperProgram(QString());
}

void BM_XlsCellsInOrder(benchmark::State& state) { readSheet(state, false); }
BENCHMARK(BM_XlsCellsInOrder)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_XlsCellsRightToLeft(benchmark::State& state) { readSheet(state, true); }
BENCHMARK(BM_XlsCellsRightToLeft)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
