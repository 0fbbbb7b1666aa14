// .xls files as LibreOffice saves them: formula cells come in as the results the file stores,
// booleans as 1 and 0, the sheet's own range keeps every cell in place, a chart on the sheet
// is passed over; a cell whose value cannot be read is named, the grid left as it was. One
// book as openpyxl, ssconvert (Excel 95 and 97) and LibreOffice write it loads the same from
// each. The record reader is fuzzed on mutated streams of those files.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/xls/TxgridBiff.h"

#include "support/BiffStreams.h"
#include "support/GridErrorOf.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdio>
#include <cstring>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// Three books: the two of the report that lost cells (a chart of the numbers on the first),
// and one whose range, B2 to a formatted empty D5, is wider than its values.
const char* const kBooks = R"py(
import openpyxl
from openpyxl.chart import BarChart, Reference
from openpyxl.styles import PatternFill
wb = openpyxl.Workbook(); ws = wb.active; ws.title = "Wyniki"
ws["A1"] = "=1+2"; ws["B1"] = "tekst"; ws["A2"] = 5; ws["B2"] = '="wynik "&A2'; ws["A3"] = "=A2*2"; ws["A4"] = "=TRUE()"
chart = BarChart(); chart.add_data(Reference(ws, min_col=1, min_row=1, max_row=3)); ws.add_chart(chart, "D2")
wb.save("formuly.xlsx")
wb = openpyxl.Workbook(); ws = wb.active; ws.title = "Logika"
ws["A1"] = True; ws["A2"] = False; ws["B1"] = "x"; ws["B2"] = 3.5
wb.save("logika.xlsx")
wb = openpyxl.Workbook(); ws = wb.active; ws.title = "Zakres"
ws["B2"] = "a"; ws["C3"] = "=1/0"; ws["D5"].fill = PatternFill("solid", fgColor="FFFF00")
wb.save("zakres.xlsx")
)py";

class GridXlsReading : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        why = makeBooks(dir->path());
    }
    static void TearDownTestSuite()
    {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override
    {
        if (!why.isEmpty())
            GTEST_SKIP() << qPrintable(why);
    }
    static QString Path(const char* Name) { return dir->filePath(QLatin1String(Name)); }

    // Why the books could not be made; empty when they were.
    static QString makeBooks(const QString& Dir)
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            return QStringLiteral("LibreOffice (soffice) is not installed");
        QProcess py;
        py.setWorkingDirectory(Dir);
        py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(kBooks)});
        if (!py.waitForFinished(60000) || py.exitStatus() != QProcess::NormalExit || py.exitCode() != 0)
            return QStringLiteral("/usr/bin/python3 with openpyxl is not available: ")
                + QString::fromLocal8Bit(py.readAllStandardError());
        QProcess lo;
        lo.setWorkingDirectory(Dir);
        // A profile of its own, so that tests running at the same time do not share one.
        lo.start(
            soffice,
            {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(Dir + QStringLiteral("/lo")).toString(),
             QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("xls"),
             QStringLiteral("formuly.xlsx"), QStringLiteral("logika.xlsx"), QStringLiteral("zakres.xlsx")});
        if (!lo.waitForFinished(180000) || !QFile::exists(Dir + QStringLiteral("/zakres.xls")))
            return QStringLiteral("LibreOffice did not convert the books to .xls");
        return QString();
    }
    static QTemporaryDir* dir;
    static QString why;
};
QTemporaryDir* GridXlsReading::dir = nullptr;
QString GridXlsReading::why;

// The rows of a grid, cells joined by "|".
QStringList rowsOf(const TTxStringGrid& G)
{
    QStringList rows;
    for (int r = 0; r < G.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < G.colCount(); ++c)
            cells << G.cells(c, r);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

// The workbook stream of an .xls file.
std::vector<unsigned char> workbookStream(const QString& File)
{
    std::vector<unsigned char> out;
    GsfInput* in = gsf_input_stdio_new(QFile::encodeName(File).constData(), nullptr);
    GsfInfile* ole = in ? gsf_infile_msole_new(in, nullptr) : nullptr;
    GsfInput* s = ole ? gsf_infile_child_by_name(ole, "Workbook") : nullptr;
    if (s) {
        out.resize(std::size_t(gsf_input_size(s)));
        gsf_input_read(s, out.size(), out.data());
        g_object_unref(s);
    }
    if (ole)
        g_object_unref(ole);
    if (in)
        g_object_unref(in);
    return out;
}

// The reader's output, read record by record as the library reads it: false when a record
// is cut short; Out, when given, the records as text.
struct TOutput : xls::TBiffOutput {
    std::string Data;
    void Write(const void* D, std::size_t N) override { Data.append(static_cast<const char*>(D), N); }
    bool Decode(QStringList* Out = nullptr) const
    {
        std::size_t p = 0;
        auto need = [&](std::size_t n) { return Data.size() - p >= n ? (p += n, true) : false; };
        auto u32 = [&](std::uint32_t& v) {
            return Data.size() - p >= 4 ? (std::memcpy(&v, Data.data() + p, 4), p += 4, true) : false;
        };
        QString item;
        auto text = [&] {
            std::uint32_t n = 0;
            if (!u32(n) || !need(n))
                return false;
            item += QString::fromUtf8(Data.data() + p - n, qsizetype(n));
            return true;
        };
        auto numbers = [&](int k) {
            for (std::uint32_t v = 0; k--;) {
                if (!u32(v))
                    return false;
                item += QString::number(v) + QLatin1Char(' ');
            }
            return true;
        };
        while (p < Data.size()) {
            const char k = Data[p++];
            item = QString(QLatin1Char(k)) + QLatin1Char(' ');
            bool ok = k == 'E' ? p == Data.size()
                : k == 'A'     ? numbers(1)
                : k == 'S'     ? text()
                : k == 'R'     ? numbers(4)
                : k == 'U'     ? numbers(2)
                               : k == 'C' && numbers(2) && need(1);
            if (ok && k == 'C') {
                const char t = Data[p - 1];
                double v;
                ok = t == 'N' ? (need(8) && (std::memcpy(&v, Data.data() + p - 8, 8), item += QString::number(v), true))
                    : t == 'T' ? text()
                    : t == 'B' ? need(1) && (item += QString::number(Data[p - 1]), true)
                               : t == 'X';
            }
            if (!ok)
                return false;
            if (Out)
                *Out << item.trimmed();
        }
        return true;
    }
};

// Streams made by hand, record by record.
using biff::rec;
using biff::u16;
using biff::u32;

// A BIFF5 book (Excel 5.0/95, which LibreOffice no longer writes): texts in the code page
// given, a formula's text result in its STRING record.
std::string biff5Book(unsigned CodePage = 1250,
                      const std::string& SheetName = "\xA3\xF3"
                                                     "d\x9F",          // Łódź
                      const std::string& Label = "Za\xBF\xF3\xB3\xE6") // Zażółć
{
    const std::string bof = rec(0x0809, u16(0x0500) + u16(0x0005) + u32(0));
    std::string globals = bof + rec(0x0042, u16(CodePage));
    const std::size_t pos = globals.size() + 4 + 7 + SheetName.size() + 4;
    globals += rec(0x0085, u32(unsigned(pos)) + u16(0) + char(SheetName.size()) + SheetName) + rec(0x000A, "");
    return globals + rec(0x0809, u16(0x0500) + u16(0x0010) + u32(0))
        + rec(0x0200, u16(0) + u16(2) + u16(0) + u16(2) + u16(0))
        + rec(0x0204, u16(0) + u16(0) + u16(15) + u16(unsigned(Label.size())) + Label)
        + rec(0x0006, u16(1) + u16(1) + u16(15) + std::string(6, '\0') + "\xFF\xFF" + u16(0) + u32(0) + u16(0))
        + rec(0x0207, u16(3) + "g\xEA\x9C") + rec(0x000A, "");
}

// A text "abść" whose first three characters take one byte each and whose rest goes on in
// a CONTINUE record at two bytes a character, after the record Type's first bytes Head.
std::string splitText(unsigned Type, const std::string& Head, const std::string& Tail = {})
{
    // The CONTINUE body starts as a std::string: GCC 12 at -O3 misreads "\x01" + std::string.
    return rec(Type, Head + u16(4) + '\0' + "ab") + rec(0x003C, std::string("\x01") + u16(0x015B) + u16(0x0107) + Tail);
}

} // namespace

TEST_F(GridXlsReading, LibreOfficeBooksLoadWholeAndInPlace)
{
    const struct {
        const char* File;
        const char* Rows;
    } books[] = {
        {"formuly.xls", "3|tekst / 5|wynik 5 / 10| / 1|"},
        {"logika.xls", "1|x / 0|3,5"},
        // B2:D5; the error value of C3 empties its cell, as the book holds no text there.
        {"zakres.xls", "a|| / || / || / ||"},
    };
    for (const auto& b : books) {
        TTxStringGrid g;
        g.SaveWithFixedCells = true;
        g.setCells(1, 1, QStringLiteral("stare"));
        g.Exchange().LoadFromXLS(Path(b.File));
        EXPECT_EQ(rowsOf(g).join(QStringLiteral(" / ")).toStdString(), b.Rows) << b.File;
    }
}

namespace {

// One book as openpyxl makes it, then as ssconvert saves it for Excel 95 (BIFF5) and 97
// (BIFF8) and as LibreOffice saves it (.xls and .xlsx): a text of 9,003 characters, formulas
// whose result is an empty text, elapsed times, 302 rows; a small sheet and an empty one.
const char* const kWriters = R"py(
import openpyxl
wb = openpyxl.Workbook(); ws = wb.active; ws.title = "Dane"
ws["A1"] = "x" * 9003; ws["A2"] = '=""'; ws["B2"] = '=IF(1>2,"a","")'
for cell, value, form in (("A3", 2.5, "[h]:mm"), ("A4", 1.25, "[h]:mm:ss"), ("A5", 0.75, "[mm]:ss")):
    ws[cell] = value; ws[cell].number_format = form
for r in range(6, 303): ws.cell(r, 1, r)
small = wb.create_sheet("Maly"); small["A1"] = 1.5; small["B1"] = "ok"; small["B3"] = 7
wb.create_sheet("Pusty")
wb.save("book.xlsx")
)py";

// The books made, by file name, and why any could not be.
QStringList makeWriterBooks(const QString& Dir, QStringList& Missing)
{
    QProcess py;
    py.setWorkingDirectory(Dir);
    py.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(kWriters)});
    if (!py.waitForFinished(60000) || py.exitCode() != 0) {
        Missing << QStringLiteral("/usr/bin/python3 with openpyxl");
        return {};
    }
    QStringList books{QStringLiteral("book.xlsx")};
    auto run = [&](const QString& Program, const QStringList& Args, const QString& Made) {
        QProcess p;
        p.setWorkingDirectory(Dir);
        p.start(Program, Args);
        if (p.waitForFinished(180000) && QFile::exists(Dir + QLatin1Char('/') + Made))
            books << Made;
        else
            Missing << QStringLiteral("%1 did not make %2").arg(Program, Made);
    };
    const QString ssconvert = QStandardPaths::findExecutable(QStringLiteral("ssconvert"));
    if (ssconvert.isEmpty())
        Missing << QStringLiteral("ssconvert (Debian's gnumeric) is not installed");
    else
        for (const char* biff : {"7", "8"})
            run(ssconvert,
                {QStringLiteral("-T"), QStringLiteral("Gnumeric_Excel:excel_biff") + QLatin1String(biff),
                 QStringLiteral("book.xlsx"), QStringLiteral("biff%1.xls").arg(QLatin1String(biff))},
                QStringLiteral("biff%1.xls").arg(QLatin1String(biff)));
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        Missing << QStringLiteral("LibreOffice (soffice) is not installed");
    else
        for (const char* to : {"xls", "xlsx"})
            run(soffice,
                {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(Dir + QStringLiteral("/lo")).toString(),
                 QStringLiteral("--headless"), QStringLiteral("--convert-to"), QLatin1String(to),
                 QStringLiteral("--outdir"), QStringLiteral("lo"), QStringLiteral("book.xlsx")},
                QStringLiteral("lo/book.") + QLatin1String(to));
    return books;
}

} // namespace

// Every writer's book loads whole: the long text continued over records, the empty texts
// of formulas, elapsed times with their days; the range loaded holds exactly the book's
// cells, whatever the grid held before.
TEST(GridXlsWriters, EveryWritersBookLoadsWholeAndExactly)
{
    QTemporaryDir dir;
    QStringList missing;
    const QStringList books = makeWriterBooks(dir.path(), missing);
    for (const QString& m : std::as_const(missing))
        std::printf("[ skipped  ] %s\n", qPrintable(m));
    if (books.isEmpty())
        GTEST_SKIP() << qPrintable(missing.join(QStringLiteral("; ")));
    for (const QString& book : books) {
        const QString file = dir.filePath(book);
        TTxStringGrid g;
        g.SaveWithFixedCells = true;
        g.SetColCount(5);
        g.SetRowCount(6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                g.setCells(c, r, QStringLiteral("stare"));
        g.Exchange().LoadFromXLSSheet(file, QStringLiteral("Dane"));
        EXPECT_EQ(g.rowCount(), 302) << qPrintable(book);
        EXPECT_EQ(g.cells(0, 0), QString(9003, QLatin1Char('x'))) << qPrintable(book);
        // openpyxl stores no results of formulas: its book's range is one column wide.
        auto shown = [&](int c, int r) { return c < g.colCount() ? g.cells(c, r) : QString(); };
        const QStringList times{shown(0, 1), shown(1, 1), shown(0, 2),  shown(0, 3),
                                shown(0, 4), shown(1, 4), shown(0, 301)};
        EXPECT_EQ(times, (QStringList{"", "", "60:00", "30:00:00", "1080:00", "", "302"})) << qPrintable(book);

        g.Exchange().LoadFromXLSSheet(file, QStringLiteral("Maly"));
        EXPECT_EQ(rowsOf(g).join(QStringLiteral(" / ")), QStringLiteral("1,5|ok / | / |7")) << qPrintable(book);
        g.Exchange().LoadFromXLSSheet(file, QStringLiteral("Pusty"));
        EXPECT_EQ(rowsOf(g), QStringList{QString()}) << qPrintable(book);
    }
}

TEST_F(GridXlsReading, ACellThatCannotBeReadIsNamedAndTheGridStays)
{
    // The text result of B2's formula lost: its STRING record made one of no meaning.
    QFile f(Path("formuly.xls"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    const qsizetype at = bytes.indexOf(QByteArray("\x07\x00\x00wynik 5", 10));
    ASSERT_GT(at, 4);
    ASSERT_EQ(bytes.mid(at - 4, 2), QByteArray("\x07\x02", 2));
    bytes[at - 4] = '\x7F';
    const QString broken = Path("uszkodzony.xls");
    QFile out(broken);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();

    TTxStringGrid g;
    g.setCells(1, 1, QStringLiteral("zostaje"));
    EXPECT_EQ(errorOf([&] { g.Exchange().LoadFromXLS(broken); }),
              QStringLiteral("Nie udało się odczytać pliku %1: wartości komórki B2 arkusza \"Wyniki\" nie da się "
                             "odczytać; plik jest uszkodzony lub nietypowy.")
                  .arg(broken));
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("zostaje"));
}

TEST(GridXlsRecords, OlderBooksAndTextsAcrossRecords)
{
    const struct {
        std::string Stream;
        QStringList Records;
    } books[] = {
        {biff5Book(), {"A 0", "S Łódź", "R 0 0 1 1", "C 0 0 Zażółć", "C 1 1 gęś", "E"}},
        // The shared string, a label and a formatted label (its one run after the text).
        {biff::book8(splitText(0x00FC, u32(1) + u32(1)), rec(0x00FD, u16(0) + u16(0) + u16(15) + u32(0))),
         {"A 0", "S Ab", "C 0 0 abść", "E"}},
        {biff::book8({}, splitText(0x0204, u16(0) + u16(1) + u16(15))), {"A 0", "S Ab", "C 0 1 abść", "E"}},
        {biff::book8({}, splitText(0x00D6, u16(2) + u16(0) + u16(15), u16(1) + u32(0))),
         {"A 0", "S Ab", "C 2 0 abść", "E"}},
        // Code page 65001 is UTF-8 (the formula's Windows-1250 bytes, no UTF-8, replaced).
        {biff5Book(65001,
                   "\xC5\x81\xC3\xB3"
                   "d\xC5\xBA",
                   "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"),
         {"A 0", "S Łódź", "R 0 0 1 1", "C 0 0 Zażółć", "C 1 1 g\uFFFD\uFFFD", "E"}},
    };
    for (const auto& b : books) {
        TOutput out;
        const auto* data = reinterpret_cast<const unsigned char*>(b.Stream.data());
        EXPECT_EQ(xls::ReadBiffWorkbook(data, b.Stream.size(), out), xls::brRead);
        QStringList records;
        EXPECT_TRUE(out.Decode(&records));
        EXPECT_EQ(records, b.Records);
    }
}

TEST_F(GridXlsReading, FuzzedStreamsNeverBreakTheRecordReader)
{
    std::vector<std::vector<unsigned char>> seeds;
    for (const char* name : {"formuly.xls", "logika.xls", "zakres.xls"}) {
        seeds.push_back(workbookStream(Path(name)));
        TOutput whole;
        ASSERT_EQ(xls::ReadBiffWorkbook(seeds.back().data(), seeds.back().size(), whole), xls::brRead) << name;
    }
    for (const std::string& s :
         {biff5Book(), biff::book8(splitText(0x00FC, u32(1) + u32(1)), rec(0x00FD, u16(0) + u16(0) + u16(15) + u32(0))),
          biff::book8({}, splitText(0x0204, u16(0) + u16(0) + u16(15)))})
        seeds.emplace_back(s.begin(), s.end());
    // Mutations as damage makes them: bytes changed, a cut, a record length changed, a
    // record's bytes repeated.
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
    int read = 0, refused = 0;
    for (int i = 0; i < 20000; ++i) {
        std::vector<unsigned char> s = seeds[std::size_t(i) % seeds.size()];
        const int changes = 1 + int(next() % 4);
        for (int k = 0; k < changes && !s.empty(); ++k) {
            const std::size_t at = next() % s.size();
            switch (next() % 4) {
            case 0: s[at] = static_cast<unsigned char>(next()); break;
            case 1: s.resize(at); break;
            case 2:
                if (at + 2 < s.size())
                    s[at + 2] = static_cast<unsigned char>(s[at + 2] + int(next() % 9) - 4);
                break;
            default: {
                const std::size_t n = std::min<std::size_t>(next() % 64, s.size() - at);
                s.insert(s.begin() + std::ptrdiff_t(at), s.begin() + std::ptrdiff_t(at),
                         s.begin() + std::ptrdiff_t(at + n));
            }
            }
        }
        TOutput out;
        const xls::TBiffResult r = xls::ReadBiffWorkbook(s.data(), s.size(), out);
        ASSERT_TRUE(out.Decode()) << "mutation " << i;
        (r == xls::brRead ? read : refused)++;
    }
    std::printf("[ fuzz     ] 20000 mutated workbook streams: %d read, %d refused\n", read, refused);
}
