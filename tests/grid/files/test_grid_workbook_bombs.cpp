// Hostile workbooks made here (never stored): one cell in column XFD on each of 20,000 rows,
// a sheet that inflates to 1,000 MiB from about 1 MB, a directory entry claiming 838 MB,
// two million empty shared strings, two million relationships, a sheet name of a million
// characters, one long shared string named by many cells. Each is read under a memory limit
// set by the test and its peak resident memory measured: it is refused with the grid's error
// or read sparsely, and the grid is left as it was.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridOffice.h"

#include "support/BiffStreams.h"
#include "support/GridErrorOf.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zip.h>

using namespace grid;

namespace {

constexpr const char* kNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// A part made on the fly: Head, Unit repeated Count times, Tail; never held whole. Each
// "NNNNNNN" in Unit is its number among the repeats, so that units may differ.
struct TRepeatedPart {
    TRepeatedPart(QByteArray H = {}, QByteArray U = {}, QByteArray T = {}, qint64 C = 0)
        : Head(std::move(H)), Unit(std::move(U)), Tail(std::move(T)), Count(C)
    {}
    QByteArray Head, Unit, Tail;
    qint64 Count = 0;
    qint64 Pos = 0;
    mutable QByteArray Numbered;
    mutable qint64 NumberedAs = -1;
    const QByteArray& UnitAt(qint64 K) const
    {
        if (!Unit.contains("NNNNNNN"))
            return Unit;
        if (NumberedAs != K) {
            Numbered = Unit;
            Numbered.replace("NNNNNNN", QByteArray::number(K).rightJustified(7, '0'));
            NumberedAs = K;
        }
        return Numbered;
    }
    qint64 Size() const { return Head.size() + Unit.size() * Count + Tail.size(); }
    // Copies up to N bytes from Pos on; the number copied.
    qint64 CopyAt(char* Out, qint64 N) const
    {
        qint64 i = Pos;
        if (i < Head.size()) {
            N = std::min(N, Head.size() - i);
            std::memcpy(Out, Head.constData() + i, std::size_t(N));
            return N;
        }
        i -= Head.size();
        if (i < Unit.size() * Count) {
            N = std::min(N, Unit.size() - i % Unit.size());
            std::memcpy(Out, UnitAt(i / Unit.size()).constData() + i % Unit.size(), std::size_t(N));
            return N;
        }
        i -= Unit.size() * Count;
        N = std::min(N, Tail.size() - i);
        std::memcpy(Out, Tail.constData() + i, std::size_t(N));
        return N;
    }
};

zip_int64_t repeatedSource(void* User, void* Data, zip_uint64_t Len, zip_source_cmd_t Cmd)
{
    auto* p = static_cast<TRepeatedPart*>(User);
    switch (Cmd) {
    case ZIP_SOURCE_OPEN: p->Pos = 0; return 0;
    case ZIP_SOURCE_READ: {
        char* out = static_cast<char*>(Data);
        qint64 n = 0;
        while (n < qint64(Len) && p->Pos < p->Size()) {
            const qint64 k = p->CopyAt(out + n, qint64(Len) - n);
            n += k;
            p->Pos += k;
        }
        return n;
    }
    case ZIP_SOURCE_CLOSE: return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(Data);
        zip_stat_init(st);
        st->size = zip_uint64_t(p->Size());
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR: return 2 * sizeof(int);
    case ZIP_SOURCE_FREE: return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default: return -1;
    }
}

const QByteArray kWorkbookHead =
    QByteArray("<workbook xmlns=\"") + kNs + "\" xmlns:r=\"" + kRelNs + "\"><sheets><sheet name=\"";
const QByteArray kWorkbookTail = "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
const QByteArray kRelsHead = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
const QByteArray kRelsTail = "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                             "relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>";

// A workbook of one sheet whose part is Sheet; the workbook, its relationships and a shared
// string table as given, or the plain ones.
void writeBook(const QString& File, TRepeatedPart& Sheet, TRepeatedPart* Workbook = nullptr,
               TRepeatedPart* Rels = nullptr, TRepeatedPart* Shared = nullptr)
{
    TRepeatedPart workbook{kWorkbookHead + "Bomba", {}, kWorkbookTail}, rels{kRelsHead, {}, kRelsTail};
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(File).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_TRUE(z);
    const std::pair<const char*, TRepeatedPart*> parts[] = {{"xl/workbook.xml", Workbook ? Workbook : &workbook},
                                                            {"xl/_rels/workbook.xml.rels", Rels ? Rels : &rels},
                                                            {"xl/sharedStrings.xml", Shared},
                                                            {"xl/worksheets/sheet1.xml", &Sheet}};
    for (const auto& [name, part] : parts)
        if (part) {
            ASSERT_GE(zip_file_add(z, name, zip_source_function(z, repeatedSource, part), 0), 0);
        }
    ASSERT_EQ(zip_close(z), 0);
}

// A value from /proc/self/status in KiB.
long statusKiB(const char* Key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(Key))
            return line.mid(int(std::strlen(Key))).trimmed().split(' ').first().toLong();
    return -1;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAsan = true; // its shadow memory cannot live under an address-space limit
#else
constexpr bool kAsan = false;
#endif

// What reading File gave: the error text ("" when read) and the peak resident memory the read
// added, in MiB. The address space is limited to what the process has plus LimitMiB.
struct TOutcome {
    QString Error;
    long PeakMiB = 0;
    std::size_t Cells = 0;
};

TOutcome readLimited(const std::function<void()>& Read, long LimitMiB)
{
    TOutcome out;
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs")); // "5" starts the peak anew
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
    }
    const long before = statusKiB("VmRSS:");
    rlimit old{};
    getrlimit(RLIMIT_AS, &old);
    if (!kAsan) {
        rlimit lim = old;
        lim.rlim_cur = rlim_t(statusKiB("VmSize:") + LimitMiB * 1024) * 1024;
        setrlimit(RLIMIT_AS, &lim);
    }
    try {
        Read();
    } catch (const ETxGridError& e) {
        out.Error = e.message();
    } catch (const std::exception& e) {
        out.Error = QStringLiteral("ESCAPED ") + QString::fromUtf8(e.what());
    }
    if (!kAsan)
        setrlimit(RLIMIT_AS, &old);
    out.PeakMiB = (statusKiB("VmHWM:") - before) / 1024;
    return out;
}

class GridWorkbookBombs : public ::testing::Test {
protected:
    QTemporaryDir dir;
    // The limit every bomb is read under: "a few hundred MB" of peak memory for any file
    // (the address sanitizer's quarantine keeps freed blocks resident besides).
    static constexpr long kLimitMiB = 768, kPeakMiB = kAsan ? 600 : 300;
    TOutcome Read(const QString& File, std::size_t* Cells = nullptr)
    {
        TOutcome o = readLimited(
            [&] {
                const TOfficeWorkbook b = ReadWorkbook(File);
                if (Cells)
                    for (const TOfficeSheet& s : b.Sheets)
                        *Cells += s.CellCount();
            },
            kLimitMiB);
        std::printf("[ peak     ] %s: +%ld MiB, %s\n", qPrintable(QFileInfo(File).fileName()), o.PeakMiB,
                    o.Error.isEmpty() ? "read" : qPrintable(o.Error));
        return o;
    }
};

} // namespace

TEST_F(GridWorkbookBombs, OneCellInColumnXFDOnEveryRowIsReadSparselyAndRefusedByTheGrid)
{
    TRepeatedPart sheet;
    // A1 besides makes the used range span every column.
    sheet.Head = QByteArray("<worksheet xmlns=\"") + kNs + "\"><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c>"
        + "<c r=\"XFD1\"><v>1</v></c></row>";
    sheet.Tail = "</sheetData></worksheet>";
    // Rows r="2".."20000" need their own numbers: written out as one unit.
    QByteArray rows;
    for (int r = 2; r <= 20000; ++r)
        rows += "<row r=\"" + QByteArray::number(r) + "\"><c r=\"XFD" + QByteArray::number(r) + "\"><v>1</v></c></row>";
    sheet.Unit = rows;
    sheet.Count = 1;
    const QString file = dir.filePath(QStringLiteral("xfd.xlsx"));
    writeBook(file, sheet);
    EXPECT_LT(QFileInfo(file).size(), 200 * 1024);

    std::size_t cells = 0;
    const TOutcome o = Read(file, &cells);
    EXPECT_LT(o.PeakMiB, kPeakMiB);
    EXPECT_TRUE(o.Error.isEmpty()) << qPrintable(o.Error);
    EXPECT_EQ(cells, 20001u); // sparse: one cell a row, two in the first

    // The grid does not take a range of 327 million cells: refused, the grid as it was.
    TTxStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(2);
    g.setCells(1, 1, QStringLiteral("zostaje"));
    const TOutcome load = readLimited([&] { g.Exchange().LoadFromXLS(file); }, kLimitMiB);
    std::printf("[ peak     ] grid load of xfd.xlsx: +%ld MiB, %s\n", load.PeakMiB, qPrintable(load.Error));
    EXPECT_LT(load.PeakMiB, kPeakMiB);
    EXPECT_TRUE(load.Error.contains(QStringLiteral("4 000 000"))) << qPrintable(load.Error);
    EXPECT_EQ(g.colCount(), 3);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("zostaje"));
}

TEST_F(GridWorkbookBombs, SheetInflatingToAThousandMiBIsRefusedWithinTheLimit)
{
    TRepeatedPart sheet;
    sheet.Head = QByteArray("<worksheet xmlns=\"") + kNs + "\"><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";
    sheet.Unit = "<!--" + QByteArray(4089, 'x') + "-->"; // 4 KiB of nothing
    sheet.Count = 250 * 1024;
    sheet.Tail = "</sheetData></worksheet>";
    const QString file = dir.filePath(QStringLiteral("inflate.xlsx"));
    writeBook(file, sheet);
    EXPECT_LT(QFileInfo(file).size(), 2 * 1024 * 1024);

    const TOutcome o = Read(file);
    EXPECT_LT(o.PeakMiB, kPeakMiB);
    EXPECT_TRUE(o.Error.contains(QStringLiteral("256 MiB"))) << qPrintable(o.Error);
}

TEST_F(GridWorkbookBombs, DirectoryClaimingHugeSizeGetsNoAllocation)
{
    TRepeatedPart sheet;
    sheet.Head = QByteArray("<worksheet xmlns=\"") + kNs + "\"><sheetData>";
    sheet.Unit = "<row><c t=\"inlineStr\"><is><t>mała</t></is></c></row>";
    sheet.Count = 10;
    sheet.Tail = "</sheetData></worksheet>";
    const QString file = dir.filePath(QStringLiteral("claim.xlsx"));
    writeBook(file, sheet);
    // The uncompressed size of the sheet's entries (local header and directory) says 838 MB.
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    const QByteArray name = "xl/worksheets/sheet1.xml";
    const quint32 claim = 838u * 1000u * 1000u;
    int patched = 0;
    for (qsizetype at = bytes.indexOf(name); at >= 0; at = bytes.indexOf(name, at + 1)) {
        // Local header: name at 30, size at 22; directory entry: name at 46, size at 24.
        const qsizetype local = at - 30, central = at - 46;
        if (local >= 0 && bytes.mid(local, 4) == QByteArray("PK\x03\x04", 4)) {
            std::memcpy(bytes.data() + local + 22, &claim, 4);
            ++patched;
        } else if (central >= 0 && bytes.mid(central, 4) == QByteArray("PK\x01\x02", 4)) {
            std::memcpy(bytes.data() + central + 24, &claim, 4);
            ++patched;
        }
    }
    ASSERT_EQ(patched, 2);
    f.seek(0);
    f.write(bytes);
    f.close();

    const TOutcome o = Read(file);
    EXPECT_LT(o.PeakMiB, 64);
    EXPECT_FALSE(o.Error.startsWith(QStringLiteral("ESCAPED"))) << qPrintable(o.Error);
}

TEST_F(GridWorkbookBombs, PartsThatCostMoreThanTheirTextAreChargedOrCut)
{
    const QByteArray sheetHead = QByteArray("<worksheet xmlns=\"") + kNs + "\"><sheetData>";
    const QByteArray sheetTail = "</sheetData></worksheet>";
    const QByteArray sstHead = QByteArray("<sst xmlns=\"") + kNs + "\">";
    const QString cells = QStringLiteral("2 000 000"), text = QStringLiteral("33 554 432"); // the limits named
    struct TCase {
        const char* Name;
        TRepeatedPart Sheet, Workbook, Rels, Shared;
        QString Error; // empty: read
    };
    TCase cases[] = {
        // Each entry of the table costs its slot, however empty: more than the cells a
        // workbook may hold cannot all be used.
        {"empty-strings",
         {sheetHead, "<row><c t=\"s\"><v>0</v></c></row>", sheetTail, 1},
         {},
         {},
         {sstHead, "<si/>", "</sst>", qint64(kWorkbookMaxCells) + 1},
         cells},
        // Only the relationship a sheet names is kept, not the two million beside it.
        {"relationships",
         {sheetHead, "<row><c><v>1</v></c></row>", sheetTail, 1},
         {},
         {kRelsHead, "<Relationship Id=\"rIdNNNNNNN\" Type=\"x\" Target=\"worksheets/sNNNNNNN.xml\"/>", kRelsTail,
          2'000'000},
         {},
         {}},
        // A sheet's name is at most 31 characters, whatever the file holds.
        {"sheet-name",
         {sheetHead, "<row><c><v>1</v></c></row>", sheetTail, 1},
         {kWorkbookHead, QByteArray(1024, 'a'), kWorkbookTail, 1024},
         {},
         {},
         {}},
        // Every cell naming a long shared string goes on as a text of its own: each use counts.
        {"one-long-string",
         {sheetHead, "<row><c t=\"s\"><v>0</v></c></row>", sheetTail, 40},
         {},
         {},
         {sstHead + "<si><t>", QByteArray(1024, 'x'), "</t></si></sst>", 1024},
         text},
    };
    for (TCase& c : cases) {
        const QString file = dir.filePath(QString::fromLatin1(c.Name) + QStringLiteral(".xlsx"));
        writeBook(file, c.Sheet, c.Workbook.Head.isEmpty() ? nullptr : &c.Workbook,
                  c.Rels.Head.isEmpty() ? nullptr : &c.Rels, c.Shared.Head.isEmpty() ? nullptr : &c.Shared);
        QString name;
        std::size_t read = 0;
        const TOutcome o = readLimited(
            [&] {
                const TOfficeWorkbook b = ReadWorkbook(file);
                name = b.Sheets.at(0).Name;
                read = b.Sheets.at(0).CellCount();
            },
            kLimitMiB);
        std::printf("[ peak     ] %s: +%ld MiB, %s\n", c.Name, o.PeakMiB,
                    o.Error.isEmpty() ? "read" : qPrintable(o.Error));
        EXPECT_LT(o.PeakMiB, kPeakMiB) << c.Name;
        if (c.Error.isEmpty()) {
            EXPECT_TRUE(o.Error.isEmpty()) << c.Name << ": " << qPrintable(o.Error);
            EXPECT_TRUE(name == QStringLiteral("Bomba") || name == QString(31, QLatin1Char('a'))) << c.Name;
            EXPECT_EQ(read, 1u) << c.Name;
            continue;
        }
        EXPECT_TRUE(o.Error.contains(c.Error)) << c.Name << ": " << qPrintable(o.Error);
        TTxStringGrid g;
        g.SetColCount(3);
        g.SetRowCount(2);
        g.setCells(1, 1, QStringLiteral("zostaje"));
        EXPECT_THROW(g.Exchange().LoadFromXLS(file), ETxGridError) << c.Name;
        EXPECT_EQ(g.colCount(), 3) << c.Name;
        EXPECT_EQ(g.rowCount(), 2) << c.Name;
        EXPECT_EQ(g.cells(1, 1), QStringLiteral("zostaje")) << c.Name;
    }
}

namespace {

// A compound file (4 KiB sectors) whose directory is Entries entries after the root: each a
// storage holding the next (Deep) or a stream with the next as its right sibling (wide).
void writeCompoundDirectory(const QString& File, std::uint32_t Entries, bool Deep)
{
    const std::uint32_t sector = 4096, perFat = sector / 4;
    const std::uint32_t dirSectors = (Entries + 1 + 31) / 32;
    const std::uint32_t fatSectors = (dirSectors + 1 + perFat) / perFat;
    ASSERT_LE(fatSectors, 109u);
    QByteArray out(qsizetype(sector) * (1 + fatSectors + dirSectors), '\0');
    auto put32 = [&](qsizetype At, std::uint32_t V) { std::memcpy(out.data() + At, &V, 4); };
    auto put16 = [&](qsizetype At, std::uint16_t V) { std::memcpy(out.data() + At, &V, 2); };
    std::memcpy(out.data(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    put16(0x18, 0x3E);
    put16(0x1A, 4);
    put16(0x1C, 0xFFFE);
    put16(0x1E, 12);
    put16(0x20, 6);
    put32(0x28, dirSectors);
    put32(0x2C, fatSectors);
    put32(0x30, fatSectors); // the directory follows the allocation table
    put32(0x38, 4096);
    put32(0x3C, 0xFFFFFFFE);
    put32(0x44, 0xFFFFFFFE);
    for (std::uint32_t i = 0; i < 109; ++i)
        put32(0x4C + 4 * i, i < fatSectors ? i : 0xFFFFFFFF);
    for (std::uint32_t s = 0; s < fatSectors * perFat; ++s) {
        const std::uint32_t v = s < fatSectors ? 0xFFFFFFFD
            : s + 1 < fatSectors + dirSectors  ? s + 1
            : s + 1 == fatSectors + dirSectors ? 0xFFFFFFFE
                                               : 0xFFFFFFFF;
        put32(qsizetype(sector) * (1 + s / perFat) + 4 * (s % perFat), v);
    }
    const qsizetype dir = qsizetype(sector) * (1 + fatSectors);
    for (std::uint32_t e = 0; e < dirSectors * 32; ++e) {
        const qsizetype at = dir + qsizetype(e) * 128;
        put32(at + 68, 0xFFFFFFFF);
        put32(at + 72, 0xFFFFFFFF);
        put32(at + 76, 0xFFFFFFFF);
        if (e > Entries)
            continue;
        const QByteArray name = e == 0 ? QByteArray("R\0\0\0", 4) : QByteArray("s\0\0\0", 4);
        std::memcpy(out.data() + at, name.constData(), 4);
        put16(at + 64, 4);
        out[at + 66] = char(e == 0 ? 5 : Deep ? 1 : 2);
        out[at + 67] = 1;
        put32(at + 116, 0xFFFFFFFE);
        const std::uint32_t next = e < Entries ? e + 1 : 0xFFFFFFFF;
        if (e == 0 || Deep)
            put32(at + 76, next);
        else
            put32(at + 72, next);
    }
    QFile f(File);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(out);
}

} // namespace

// .xls and text files that cost more than they hold: a shared string table of 2,000,001 empty
// entries, 65,535 number formats under 1.2 million cells stored right to left, compound file
// directories 50,000 deep and 200,000 wide; delimited text of ten million empty fields on one
// line and of four million lines after a quote that never closes, fixed-width text of four
// million empty fields. Each is refused naming its limit, the grid as it was, or read within the
// limits of the helper.
TEST_F(GridWorkbookBombs, CostlyXlsAndTextFilesAreRefusedOrReadWithinTheLimits)
{
    using biff::rec;
    using biff::u16;
    using biff::u32;
    // The shared strings: empty entries, three bytes each, over records of the largest size.
    std::string table = u32(2'000'001) + u32(2'000'001);
    for (int i = 0; i < 2'000'001; ++i)
        table += std::string(3, '\0');
    std::string sst;
    for (std::size_t at = 0; at < table.size(); at += 8224)
        sst += rec(at == 0 ? 0x00FC : 0x003C, table.substr(at, 8224));
    // 65,535 formats, the last a date, and 6,000 rows of 200 dates each given right to left.
    std::string formats;
    for (unsigned id = 0; id < 65535; ++id) {
        const std::string code = id == 65534 ? "yyyy-mm-dd" : "0.00";
        formats += rec(0x041E, u16(id) + u16(unsigned(code.size())) + '\0' + code);
    }
    formats += rec(0x00E0, u16(0) + u16(65534) + std::string(16, '\0'));
    std::string cells;
    for (unsigned r = 0; r < 6000; ++r)
        for (unsigned c = 200; c-- > 0;)
            cells += rec(0x027E, u16(r) + u16(c) + u16(0) + u32(((45000 + c) << 2) | 2));
    struct TCase {
        const char* Name;
        std::string Stream;
        QString Error;
    } xlsCases[] = {
        {"strings.xls", biff::book8(sst, {}), QStringLiteral("2 000 000 niepustych")},
        {"formats.xls", biff::book8(formats, cells), {}},
    };
    for (const TCase& c : xlsCases) {
        const QString file = dir.filePath(QLatin1String(c.Name));
        ASSERT_TRUE(biff::writeXls(file, c.Stream));
        TOfficeWorkbook book;
        const TOutcome o = readLimited([&] { book = ReadWorkbook(file); }, kLimitMiB);
        std::printf("[ peak     ] %s: +%ld MiB, %s\n", c.Name, o.PeakMiB,
                    o.Error.isEmpty() ? "read" : qPrintable(o.Error));
        EXPECT_LT(o.PeakMiB, kPeakMiB) << c.Name;
        if (!c.Error.isEmpty()) {
            EXPECT_TRUE(o.Error.contains(c.Error)) << c.Name << ": " << qPrintable(o.Error);
            continue;
        }
        ASSERT_TRUE(o.Error.isEmpty()) << c.Name << ": " << qPrintable(o.Error);
        const TOfficeSheet& s = book.Sheets.at(0);
        EXPECT_EQ(s.CellCount(), 1'200'000u);
        const std::vector<TOfficeCell>& row = s.Rows.at(5999);
        EXPECT_TRUE(std::is_sorted(row.begin(), row.end(), [](auto& a, auto& b) { return a.Col < b.Col; }));
        EXPECT_EQ(s.At(5999, 0)->Text, QStringLiteral("2023-03-15"));
        EXPECT_EQ(s.At(0, 199)->Text, QStringLiteral("2023-09-30"));
    }

    // Directories libgsf would walk into its stack's end.
    const struct {
        const char* Name;
        std::uint32_t Entries;
        bool Deep;
    } dirs[] = {{"deep.xls", 50'000, true}, {"wide.xls", 200'000, false}};
    TTxStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(2);
    g.setCells(1, 1, QStringLiteral("zostaje"));
    auto unchanged = [&](const char* Name) {
        EXPECT_EQ(g.colCount(), 3) << Name;
        EXPECT_EQ(g.rowCount(), 2) << Name;
        EXPECT_EQ(g.cells(1, 1), QStringLiteral("zostaje")) << Name;
    };
    for (const auto& d : dirs) {
        const QString file = dir.filePath(QLatin1String(d.Name));
        writeCompoundDirectory(file, d.Entries, d.Deep);
        const QString error = errorOf([&] { g.Exchange().LoadFromXLS(file); });
        EXPECT_EQ(error,
                  QStringLiteral("Nie udało się odczytać pliku %1: katalog pliku złożonego sięga głębiej niż "
                                 "4 096 poziomów; plik jest uszkodzony lub nietypowy.")
                      .arg(file));
        unchanged(d.Name);
    }

    // Text files, parsed before the grid changes.
    const struct {
        const char* Name;
        QByteArray Bytes;
        QString Limit;
    } texts[] = {
        {"fields.csv", QByteArray(10'000'000, ',') + "\r\n", QStringLiteral("16 384 kolumn")},
        {"quote.csv", "\"" + QByteArray("x\r\n").repeated(4'000'001), QStringLiteral("2 000 000 niepustych")},
        {"fixed.txt", QByteArray("  \r\n").repeated(2'000'001), QStringLiteral("4 000 000 komórek")},
    };
    for (const auto& t : texts) {
        const QString file = dir.filePath(QLatin1String(t.Name));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(t.Bytes);
        f.close();
        TIntList positions;
        for (const int p : {1, 2, 3})
            positions.Add(p);
        const TOutcome o = readLimited(
            [&] {
                if (QByteArray(t.Name).endsWith(".csv"))
                    g.LoadFromCSV(file);
                else
                    g.LoadFromFixed(file, positions);
            },
            kLimitMiB);
        std::printf("[ peak     ] %s: +%ld MiB, %s\n", t.Name, o.PeakMiB, qPrintable(o.Error));
        EXPECT_LT(o.PeakMiB, kPeakMiB) << t.Name;
        EXPECT_TRUE(o.Error.startsWith(QStringLiteral("Plik %1 jest za duży").arg(file)) && o.Error.contains(t.Limit))
            << t.Name << ": " << qPrintable(o.Error);
        unchanged(t.Name);
    }

    // A small text file takes memory for what it holds, not for the largest file there may be.
    const QString small = dir.filePath(QStringLiteral("small.csv"));
    QFile f(small);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("a,b\r\n") == 5);
    f.close();
    for (const bool native : {false, true}) {
        const TOutcome o = readLimited([&] { native ? g.LoadFromFile(small) : g.LoadFromCSV(small); }, 100);
        EXPECT_TRUE(o.Error.isEmpty() || o.Error.startsWith(QStringLiteral("File contains"))) << qPrintable(o.Error);
    }
}
