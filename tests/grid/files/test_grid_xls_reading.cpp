// .xls files as LibreOffice saves them: formula cells come in as the results the file stores,
// booleans as 1 and 0, the sheet's own range keeps every cell in place, a chart on the sheet
// is passed over; a cell whose value cannot be read is named, the grid left as it was. The
// record reader is fuzzed on mutated streams of those files.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/xls/TxgridBiff.h"

#include "support/GridErrorOf.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
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
std::string u16(unsigned V) { return {char(V & 0xFF), char(V >> 8 & 0xFF)}; }
std::string u32(unsigned V) { return u16(V & 0xFFFF) + u16(V >> 16); }
std::string rec(unsigned Type, const std::string& Body) { return u16(Type) + u16(unsigned(Body.size())) + Body; }

// A BIFF5 book (Excel 5.0/95, which LibreOffice no longer writes): texts in code page 1250, a
// formula's text result in its STRING record.
std::string biff5Book()
{
    const std::string bof = rec(0x0809, u16(0x0500) + u16(0x0005) + u32(0));
    std::string globals = bof + rec(0x0042, u16(1250));
    const std::string sheetName = "\xA3\xF3"
                                  "d\x9F"; // Łódź
    const std::size_t pos = globals.size() + 4 + 7 + sheetName.size() + 4;
    globals += rec(0x0085, u32(unsigned(pos)) + u16(0) + char(sheetName.size()) + sheetName) + rec(0x000A, "");
    const std::string label = "Za\xBF\xF3\xB3\xE6"; // Zażółć
    return globals + rec(0x0809, u16(0x0500) + u16(0x0010) + u32(0))
        + rec(0x0200, u16(0) + u16(2) + u16(0) + u16(2) + u16(0))
        + rec(0x0204, u16(0) + u16(0) + u16(15) + u16(unsigned(label.size())) + label)
        + rec(0x0006, u16(1) + u16(1) + u16(15) + std::string(6, '\0') + "\xFF\xFF" + u16(0) + u32(0) + u16(0))
        + rec(0x0207, u16(3) + "g\xEA\x9C") + rec(0x000A, "");
}

// A BIFF8 book whose shared string runs from one byte a character into a CONTINUE record
// holding two bytes a character.
std::string biff8SplitString()
{
    const std::string bof = rec(0x0809, u16(0x0600) + u16(0x0005) + u32(0) + u32(0) + u32(0));
    // The CONTINUE body starts as a std::string: GCC 12 at -O3 misreads "\x01" + std::string.
    const std::string sst = rec(0x00FC, u32(1) + u32(1) + u16(4) + '\0' + "ab")
        + rec(0x003C, std::string("\x01") + u16(0x015B) + u16(0x0107));
    const std::size_t pos = bof.size() + 4 + 10 + sst.size() + 4;
    return bof
        + rec(0x0085,
              u32(unsigned(pos)) + u16(0)
                  + std::string("\x02\x00"
                                "Ab",
                                4))
        + sst + rec(0x000A, "") + rec(0x0809, u16(0x0600) + u16(0x0010) + u32(0) + u32(0) + u32(0))
        + rec(0x00FD, u16(0) + u16(0) + u16(15) + u32(0)) + rec(0x000A, "");
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
        // B2:D5; the error value of C3 leaves its cell as it was.
        {"zakres.xls", "a|| / |stare| / || / ||"},
    };
    for (const auto& b : books) {
        TTxStringGrid g;
        g.SaveWithFixedCells = true;
        g.setCells(1, 1, QStringLiteral("stare"));
        g.Exchange().LoadFromXLS(Path(b.File));
        EXPECT_EQ(rowsOf(g).join(QStringLiteral(" / ")).toStdString(), b.Rows) << b.File;
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
        {biff8SplitString(), {"A 0", "S Ab", "C 0 0 abść", "E"}},
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
    for (const std::string& s : {biff5Book(), biff8SplitString()})
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
