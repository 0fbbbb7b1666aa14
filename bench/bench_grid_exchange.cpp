// The grid's exchange with 100,000 rows of 10 columns: saving the grid as an .xlsx workbook
// against libxlsxwriter writing the same cells (already UTF-8) alone; loading libxlsxwriter's
// workbook of the same cells into a grid (and our reader alone) against an independent reader
// of its own, libzip and a plain scan of the XML into a table of texts; and the clipboard text of the whole grid
// against building the same text with plain QString code; a save into one sheet of a book
// against a whole new book of the same grid; long fields of text files (below).
#include "grid/core/Txgrid.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridOffice.h"
#include "support/QtMain.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <charconv>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>
#include <xlsxwriter.h>
#include <zip.h>

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

// A save into one sheet of an existing book against a whole new book, the same 100,001 x 6
// grid (numbers, texts, dates) each: the baseline writes it with SaveToXLS, the other writes
// it into the first sheet of the book SaveToXLS made of it.
grid::TTxStringGrid& SixColumnGrid()
{
    static grid::TTxStringGrid* g = [] {
        auto* grid = new grid::TTxStringGrid;
        grid->SetFixedCols(0);
        grid->SetFixedRows(0);
        grid->SetColCount(6);
        grid->SetRowCount(100001);
        for (int r = 0; r < 100001; ++r) {
            for (int c = 0; c < 5; ++c)
                grid->setCells(c, r, CellText(c, r));
            grid->setCells(5, r, QDate(2024, 1, 1).addDays(r % 700).toString(QStringLiteral("yyyy-MM-dd")));
        }
        return grid;
    }();
    return *g;
}

void BM_WholeBookSave6(benchmark::State& state)
{
    grid::TTxStringGrid& g = SixColumnGrid();
    for (auto _ : state)
        g.Exchange().SaveToXLS(File("bench-whole6.xlsx"));
}
BENCHMARK(BM_WholeBookSave6)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveIntoSheet6(benchmark::State& state)
{
    grid::TTxStringGrid& g = SixColumnGrid();
    const QString file = File("bench-into6.xlsx");
    g.Exchange().SaveToXLS(file);
    state.counters["book_MB"] = double(QFileInfo(file).size()) / 1e6;
    for (auto _ : state)
        g.Exchange().SaveToXLSSheet(file, QStringLiteral("Sheet1"));
}
BENCHMARK(BM_SaveIntoSheet6)->Unit(benchmark::kMillisecond)->Iterations(3);

// The workbook both readers load: libxlsxwriter's, with the cells in its shared strings.
const QString& WrittenWorkbook()
{
    static const QString path = [] {
        const QString p = File("bench-read.xlsx");
        const QByteArray name = QFile::encodeName(p);
        lxw_workbook* wb = workbook_new(name.constData());
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Sheet1");
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c), CellText(c, r).toUtf8().constData(), nullptr);
        if (workbook_close(wb) != LXW_NO_ERROR)
            qFatal("workbook not written");
        return p;
    }();
    return path;
}

// --- an independent reader: libzip and a plain scan of the XML ---------------------------

QByteArray ZipPart(zip_t* Zip, const char* Name)
{
    zip_stat_t st;
    if (zip_stat(Zip, Name, 0, &st) != 0)
        return {};
    QByteArray out(qsizetype(st.size), Qt::Uninitialized);
    zip_file_t* f = zip_fopen(Zip, Name, 0);
    const zip_int64_t got = f ? zip_fread(f, out.data(), st.size) : -1;
    if (f)
        zip_fclose(f);
    return got == zip_int64_t(st.size) ? out : QByteArray();
}

// The text between From and To with the five entities and numeric references decoded.
QString XmlText(const char* From, const char* To)
{
    const char* amp = std::find(From, To, '&');
    if (amp == To)
        return QString::fromUtf8(From, To - From);
    std::string s(From, amp);
    for (const char* p = amp; p < To;) {
        if (*p != '&') {
            s += *p++;
            continue;
        }
        const char* semi = std::find(p, To, ';');
        const std::string_view e(p + 1, std::size_t(semi - p - 1));
        if (e == "amp")
            s += '&';
        else if (e == "lt")
            s += '<';
        else if (e == "gt")
            s += '>';
        else if (e == "quot")
            s += '"';
        else if (e == "apos")
            s += '\'';
        else if (!e.empty() && e[0] == '#') {
            const char32_t u = char32_t(e.size() > 1 && e[1] == 'x' ? std::stoul(std::string(e.substr(2)), nullptr, 16)
                                                                    : std::stoul(std::string(e.substr(1))));
            s += QString::fromUcs4(&u, 1).toStdString();
        }
        p = semi + 1;
    }
    return QString::fromStdString(s);
}

// Every <t> text inside each <si> of the shared strings, joined per item.
std::vector<QString> SharedStrings(const QByteArray& Xml)
{
    std::vector<QString> out;
    const char* p = Xml.constData();
    const std::string_view body(p, std::size_t(Xml.size()));
    for (std::size_t si = body.find("<si>"); si != std::string_view::npos; si = body.find("<si>", si)) {
        const std::size_t close = body.find("</si>", si);
        QString text;
        for (std::size_t t = body.find("<t", si); t < close; t = body.find("<t", t)) {
            const std::size_t open = body.find('>', t);
            if (body[t + 2] != '>' && body[t + 2] != ' ') { // another tag beginning with t
                t = open;
                continue;
            }
            const std::size_t stop = body.find("</t>", open);
            text += XmlText(p + open + 1, p + stop);
            t = stop + 4;
        }
        out.push_back(std::move(text));
        si = close + 5;
    }
    return out;
}

// The cells of the first sheet, row by row (rows x cols texts, missing cells empty).
struct SheetCells {
    int rows = 0, cols = 0;
    std::vector<QString> cells;
};

SheetCells IndependentRead(const QString& Path)
{
    SheetCells out;
    int err = 0;
    zip_t* zip = zip_open(QFile::encodeName(Path).constData(), ZIP_RDONLY, &err);
    if (!zip)
        return out;
    const std::vector<QString> shared = SharedStrings(ZipPart(zip, "xl/sharedStrings.xml"));
    const QByteArray sheet = ZipPart(zip, "xl/worksheets/sheet1.xml");
    zip_close(zip);
    const std::string_view x(sheet.constData(), std::size_t(sheet.size()));
    std::vector<std::pair<std::pair<int, int>, QString>> found;
    for (std::size_t c = x.find("<c "); c != std::string_view::npos; c = x.find("<c ", c)) {
        const std::size_t tagEnd = x.find('>', c);
        const std::string_view attrs = x.substr(c + 3, tagEnd - c - 3);
        int col = 0, row = 0;
        std::size_t a = attrs.find("r=\"") + 3;
        for (; a < attrs.size() && attrs[a] >= 'A' && attrs[a] <= 'Z'; ++a)
            col = col * 26 + (attrs[a] - 'A' + 1);
        for (; a < attrs.size() && attrs[a] >= '0' && attrs[a] <= '9'; ++a)
            row = row * 10 + (attrs[a] - '0');
        const std::size_t t = attrs.find("t=\"");
        const std::string_view type =
            t == std::string_view::npos ? std::string_view() : attrs.substr(t + 3, attrs.find('"', t + 3) - t - 3);
        c = tagEnd + 1;
        if (x[tagEnd - 1] == '/')
            continue;
        const std::size_t cellEnd = x.find("</c>", c);
        QString value;
        if (type == "inlineStr") {
            const std::size_t ts = x.find("<t", c), open = x.find('>', ts), stop = x.find("</t>", open);
            if (stop < cellEnd)
                value = XmlText(x.data() + open + 1, x.data() + stop);
        } else if (const std::size_t v = x.find("<v>", c); v < cellEnd) {
            const std::size_t stop = x.find("</v>", v);
            if (type == "s") {
                std::size_t i = 0;
                std::from_chars(x.data() + v + 3, x.data() + stop, i);
                if (i < shared.size())
                    value = shared[i];
            } else {
                value = XmlText(x.data() + v + 3, x.data() + stop);
            }
        }
        out.rows = std::max(out.rows, row);
        out.cols = std::max(out.cols, col);
        found.push_back({{row - 1, col - 1}, std::move(value)});
        c = cellEnd + 4;
    }
    out.cells.resize(std::size_t(out.rows) * std::size_t(out.cols));
    for (auto& [at, text] : found)
        out.cells[std::size_t(at.first) * std::size_t(out.cols) + std::size_t(at.second)] = std::move(text);
    return out;
}

// Baseline of the load: the same workbook's cells read by the reader above.
void BM_IndependentReader(benchmark::State& state)
{
    const QString& path = WrittenWorkbook();
    for (auto _ : state) {
        const SheetCells s = IndependentRead(path);
        if (s.rows != kRows || s.cols != kCols || s.cells.back() != CellText(kCols - 1, kRows - 1))
            state.SkipWithError("cells differ");
        benchmark::DoNotOptimize(s.cells.data());
    }
}
BENCHMARK(BM_IndependentReader)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReaderAlone(benchmark::State& state)
{
    const QString& path = WrittenWorkbook();
    for (auto _ : state)
        benchmark::DoNotOptimize(grid::ReadWorkbook(path));
}
BENCHMARK(BM_ReaderAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GridLoadFromXLS(benchmark::State& state)
{
    const QString& path = WrittenWorkbook();
    for (auto _ : state) {
        grid::TTxStringGrid g;
        g.Exchange().LoadFromXLS(path);
        if (g.cells(kCols - 1, kRows - 1) != CellText(kCols - 1, kRows - 1))
            state.SkipWithError("cells differ");
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

// Text files of one long field, 16 MiB each: a CSV field of doubled quotes against a plain
// field of the same size, and a native file whose one cell line is that long against reading
// the same bytes as text and finding its lines with plain Qt code.
constexpr qsizetype kLongField = qsizetype(16) << 20;

const QString& LongFile(const char* Name, const QByteArray& Bytes)
{
    static std::map<std::string, QString> made;
    auto& path = made[Name];
    if (path.isEmpty()) {
        path = File(Name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(Bytes) != Bytes.size())
            std::abort();
    }
    return path;
}

void LoadCSV(benchmark::State& state, const QString& Path, qsizetype Length)
{
    for (auto _ : state) {
        grid::TTxStringGrid g;
        g.SetFixedCols(0);
        g.SetFixedRows(0);
        g.Delimiter = QLatin1Char(',');
        g.LoadFromCSV(Path);
        if (g.cells(0, 0).size() != Length)
            state.SkipWithError("cell differs");
    }
}

void BM_CSVPlainField(benchmark::State& state)
{
    LoadCSV(state, LongFile("bench-plain.csv", QByteArray(kLongField, 'a') + "\r\n"), kLongField);
}
BENCHMARK(BM_CSVPlainField)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CSVDoubledQuotes(benchmark::State& state)
{
    const QByteArray bytes = '"' + QByteArray(kLongField - 2, '"') + "\"\r\n";
    LoadCSV(state, LongFile("bench-quotes.csv", bytes), (kLongField - 2) / 2);
}
BENCHMARK(BM_CSVDoubledQuotes)->Unit(benchmark::kMillisecond)->Iterations(3);

const QString& LongNativeFile()
{
    return LongFile("bench-long.txt", "1,1\r\ncw 0,64\r\n0,0," + QByteArray(kLongField, 'a') + "\r\n");
}

void BM_PlainTextLines(benchmark::State& state)
{
    for (auto _ : state) {
        QFile f(LongNativeFile());
        if (!f.open(QIODevice::ReadOnly))
            state.SkipWithError("no file");
        const QString text = QString::fromLatin1(f.readAll());
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        if (lines.size() != 4 || lines.at(2).size() != kLongField + 4)
            state.SkipWithError("lines differ");
    }
}
BENCHMARK(BM_PlainTextLines)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NativeLongLine(benchmark::State& state)
{
    for (auto _ : state) {
        grid::TTxStringGrid g;
        g.SaveWithFixedCells = true;
        g.LoadFromFile(LongNativeFile());
        if (g.cells(0, 0).size() != kLongField)
            state.SkipWithError("cell differs");
    }
}
BENCHMARK(BM_NativeLongLine)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) { return bench::runWithWidgets(argc, argv); }
