// Workbooks, documents and database files: the calls the grid makes to a recording bridge,
// the used range read from its address text (beyond ZZ too), a missing sheet or program;
// real .xlsx files written and read back, a sheet added to an existing workbook, the RTF
// table's exact text; a query from an SQLite file; the readers fed damaged files.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridOffice.h"

#include <QFile>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// Answers from a prepared workbook and notes every call.
class RecordingBridge : public TOfficeBridge {
public:
    QStringList& Calls;
    QString Address;
    std::vector<TOfficeRow> Values;
    QStringList Sheets{"Dane"};
    explicit RecordingBridge(QStringList& C) : Calls(C) {}
    bool WorkbooksOpen(const QString& F) override { return note("Open " + F), !F.contains("new"); }
    void WorkbooksAdd() override { note("Add"); }
    int SheetsCount() override { return int(Sheets.size()); }
    QString SheetName(int I) override { return Sheets.at(I - 1); }
    void SelectSheet(int I) override { note("Sheet " + QString::number(I)); }
    void SelectActiveSheet() override { note("ActiveSheet"); }
    void WorksheetsAdd(const QString& N) override { note("AddSheet " + N); }
    QString UsedRangeAddress() override { return note("UsedRange"), Address; }
    std::vector<TOfficeRow> RangeValue(const QString& R) override { return note("Range " + R), Values; }
    void SetRangeValue(const QString& R, const std::vector<std::vector<QString>>& V) override
    {
        QStringList rows;
        for (const auto& r : V)
            rows << QStringList(r.begin(), r.end()).join(",");
        note("SetRange " + R + " " + rows.join("|"));
    }
    void WorkbookSave() override { note("Save"); }
    void WorkbookSaveAs(const QString& F) override { note("SaveAs " + F); }
    void WorkbookClose(bool S) override { note(QStringLiteral("Close %1").arg(S)); }
    void Quit() override { note("Quit"); }
    void DocumentsAdd() override { note("DocAdd"); }
    void TablesAdd(int R, int C) override { note(QStringLiteral("Table %1x%2").arg(R).arg(C)); }
    void CellInsertAfter(int R, int C, const QString& T) override
    {
        note(QStringLiteral("Cell %1,%2 %3").arg(R).arg(C).arg(T));
    }
    void CellAlignment(int R, int C, int A) override { note(QStringLiteral("Align %1,%2 %3").arg(R).arg(C).arg(A)); }
    void DocumentSaveAs(const QString& F) override { note("DocSaveAs " + F); }

private:
    void note(const QString& s) { Calls << s; }
};

TOfficeValue text(const char* t) { return {TOfficeValue::ovText, 0, QString::fromUtf8(t)}; }
TOfficeValue number(double v) { return {TOfficeValue::ovNumber, v, {}}; }

class GridOffice : public ::testing::Test {
protected:
    QStringList calls;
    RecordingBridge* bridge = nullptr;
    bool missing = false;
    QTemporaryDir dir;
    QString Path(const QString& n) const { return dir.filePath(n); }
    void UseFake()
    {
        TGridExchange::SetBridgeFactory([this](bool) -> std::unique_ptr<TOfficeBridge> {
            if (missing)
                return nullptr;
            auto b = std::make_unique<RecordingBridge>(calls);
            bridge = b.get();
            prepare(*b);
            return b;
        });
    }
    std::function<void(RecordingBridge&)> prepare = [](RecordingBridge&) {};
    void TearDown() override { TGridExchange::SetBridgeFactory(nullptr); }
};

QString errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ETxGridError& e) {
        return QString::fromStdString(e.what());
    }
    return QStringLiteral("<none>");
}

} // namespace

TEST_F(GridOffice, UsedRangeIsReadFromItsAddress)
{
    UseFake();
    prepare = [](RecordingBridge& b) {
        b.Address = "$B$2:$D$5";
        b.Values = {{text("a"), {}, number(1.5)},
                    {{TOfficeValue::ovError, 0, {}}, text("b")},
                    {},
                    {text("d"), text("e"), text("f"), text("poza")}}; // past the range: skipped
    };
    TTxStringGrid g;
    g.SaveWithFixedCells = false; // one fixed row and column stay before the values
    g.setCells(1, 2, QStringLiteral("stare"));
    g.Exchange().LoadFromXLS(QStringLiteral("a.xlsx"));
    EXPECT_EQ(calls, (QStringList{"Open a.xlsx", "ActiveSheet", "UsedRange", "Range B2:D5", "Close 0", "Quit"}));
    EXPECT_EQ(g.colCount(), 4);
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(g.cells(3, 1), QStringLiteral("1,5"));
    EXPECT_EQ(g.cells(1, 2), QString()); // an error value empties the cell
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("b"));
    EXPECT_EQ(g.cells(3, 4), QStringLiteral("f"));

    // Column names beyond ZZ, both ways.
    for (const auto& [n, s] :
         std::vector<std::pair<int, const char*>>{{26, "Z"}, {27, "AA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}}) {
        EXPECT_EQ(ColumnLetters(n), QLatin1String(s));
        EXPECT_EQ(ColumnNumber(QLatin1String(s)), n);
    }
    calls.clear();
    prepare = [](RecordingBridge& b) { b.Address = "$ZY$3:$AAB$4"; };
    TTxStringGrid wide;
    wide.Exchange().LoadFromXLSSheet(QStringLiteral("w.xlsx"), QStringLiteral("Dane"));
    EXPECT_EQ(calls.mid(0, 4), (QStringList{"Open w.xlsx", "Sheet 1", "UsedRange", "Range ZY3:AAB4"}));
    EXPECT_EQ(wide.colCount(), 4);
    EXPECT_EQ(wide.rowCount(), 2);
}

TEST_F(GridOffice, MissingSheetOrProgramLeavesNothingOpen)
{
    UseFake();
    TTxStringGrid g;
    EXPECT_EQ(errorOf([&] { g.Exchange().LoadFromXLSSheet("a.xlsx", "Brak"); }),
              QStringLiteral("Excel worksheet Brak not found"));
    EXPECT_EQ(calls, (QStringList{"Open a.xlsx", "Close 0", "Quit"}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    missing = true;
    EXPECT_EQ(errorOf([&] { g.Exchange().SaveToXLS("a.xlsx"); }), QStringLiteral("Excel OLE server not found"));
    EXPECT_EQ(errorOf([&] { g.Exchange().SaveToDOC("a.doc"); }), QStringLiteral("Word OLE server not found"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(GridOffice, SavingWritesTextsFromA1)
{
    UseFake();
    TTxStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(2);
    g.SaveWithFixedCells = false;
    g.setCells(1, 1, QStringLiteral("x\r\ny"));
    g.setCells(2, 1, QStringLiteral("z"));
    g.Exchange().SaveToXLSSheet("new.xlsx", "Nowy");
    EXPECT_EQ(
        calls,
        (QStringList{"Open new.xlsx", "Add", "AddSheet Nowy", "SetRange A1:B1 x\ny,z", "SaveAs new.xlsx", "Quit"}));
    calls.clear();
    g.Exchange().SaveToXLSSheet("old.xlsx", "Dane");
    EXPECT_EQ(calls, (QStringList{"Open old.xlsx", "Sheet 1", "SetRange A1:B1 x\ny,z", "Save", "Quit"}));

    calls.clear();
    g.OnGetAlignment = [](TGridSender, int ARow, int ACol, TAlignment& H, TVAlignment&) {
        H = ACol == 2 ? taRightJustify : ARow == 0 && ACol == 1 ? taCenter : taLeftJustify;
    };
    g.Exchange().SaveToDOC("t.doc");
    EXPECT_EQ(calls,
              (QStringList{"DocAdd", "Table 2x3", "Cell 1,1 ", "Cell 1,2 ", "Align 1,2 1", "Cell 1,3 ", "Align 1,3 2",
                           "Cell 2,1 ", "Cell 2,2 x\r\ny", "Cell 2,3 z", "Align 2,3 2", "DocSaveAs t.doc", "Quit"}));
}

TEST(GridOfficeFiles, RtfTableTextIsExact)
{
    const QByteArray rtf = RtfTable({{"Nazwa", "Kwota"}, {"Żółw {1}\\", "12,50"}}, {{0, 1}, {0, 2}});
    EXPECT_EQ(rtf,
              QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n"
                         "\\trowd\\trgaph108\\cellx4819\\cellx9638\n"
                         "\\pard\\intbl Nazwa\\cell\n\\pard\\intbl\\qc Kwota\\cell\n\\row\n"
                         "\\trowd\\trgaph108\\cellx4819\\cellx9638\n"
                         "\\pard\\intbl \\u379?\\u243?\\u322?w \\{1\\}\\\\\\cell\n"
                         "\\pard\\intbl\\qr 12,50\\cell\n\\row\n}\n"));
}

TEST_F(GridOffice, WorkbooksRoundTripAndGainSheets)
{
    TTxStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.setCells(0, 0, QStringLiteral("Nazwa"));
    g.setCells(1, 0, QStringLiteral("Łódź & <b>"));
    g.setCells(2, 1, QStringLiteral("a\r\nb"));
    g.setCells(1, 2, QStringLiteral("12,5"));
    const QString file = Path("g.xlsx");
    g.Exchange().SaveToXLS(file);

    TTxStringGrid back;
    back.Exchange().LoadFromXLS(file);
    EXPECT_EQ(back.colCount(), 3);
    EXPECT_EQ(back.rowCount(), 3);
    EXPECT_EQ(back.cells(1, 0), QStringLiteral("Łódź & <b>"));
    EXPECT_EQ(back.cells(2, 1), QStringLiteral("a\nb"));
    EXPECT_EQ(back.cells(1, 2), QStringLiteral("12,5"));

    // A second sheet joins the file; the first keeps its values.
    TTxStringGrid other;
    other.SetColCount(2);
    other.SetRowCount(1);
    other.setCells(1, 0, QStringLiteral("drugi"));
    other.Exchange().SaveToXLSSheet(file, QStringLiteral("Inny"));
    const TOfficeWorkbook book = ReadWorkbook(file);
    ASSERT_EQ(book.Sheets.size(), 2u);
    EXPECT_EQ(book.Sheets[1].Name, QStringLiteral("Inny"));
    EXPECT_EQ(book.Sheets[1].UsedRangeAddress(), QStringLiteral("$B$1"));
    TTxStringGrid first;
    first.Exchange().LoadFromXLSSheet(file, book.Sheets[0].Name);
    EXPECT_EQ(first.cells(0, 0), QStringLiteral("Nazwa"));
    TTxStringGrid second;
    second.Exchange().LoadFromXLSSheet(file, QStringLiteral("Inny"));
    EXPECT_EQ(second.colCount(), 1); // one used cell is the whole range
    EXPECT_EQ(second.cells(0, 0), QStringLiteral("drugi"));
    EXPECT_THROW(first.Exchange().LoadFromXLSSheet(file, QStringLiteral("Brak")), ETxGridError);

    // The document is RTF under the name asked for.
    g.Exchange().SaveToDOC(Path("t.doc"));
    QFile doc(Path("t.doc"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    EXPECT_TRUE(doc.readAll().startsWith("{\\rtf1"));
}

TEST_F(GridOffice, DamagedFilesAreRefusedNotCrashed)
{
    TTxStringGrid g;
    g.SetColCount(4);
    g.SetRowCount(4);
    for (int i = 0; i < 16; ++i)
        g.setCells(i % 4, i / 4, QStringLiteral("v%1").arg(i));
    g.Exchange().SaveToXLS(Path("ok.xlsx"));
    QFile f(Path("ok.xlsx"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    const QByteArray rtf = RtfTable({{"a{b", "c"}}, {{2, 1}});
    QRandomGenerator rng(25);
    for (int i = 0; i < 300; ++i) {
        QByteArray bad = i % 2 ? good : good.left(rng.bounded(good.size()));
        for (int k = 0; k < 8; ++k)
            bad[rng.bounded(bad.size())] = char(rng.bounded(256));
        try {
            ReadXlsx(bad);
        } catch (const std::runtime_error&) {}
        QByteArray r = rtf;
        r[rng.bounded(r.size())] = char(rng.bounded(256));
        RichTextToPlain(QString::fromLatin1(r.left(rng.bounded(r.size()))));
    }
    QFile junk(Path("junk.xls"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("\xD0\xCF\x11\xE0 not really");
    junk.close();
    EXPECT_THROW(g.Exchange().LoadFromXLS(Path("junk.xls")), ETxGridError);
}

TEST_F(GridOffice, DatabaseQueryFillsTheGrid)
{
    const QString file = Path("baza.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("CREATE TABLE towary (nazwa TEXT, cena REAL, uwagi TEXT)"));
        ASSERT_TRUE(q.exec("INSERT INTO towary VALUES ('śruba', 1.5, NULL), ('nakrętka', 2, 'x'), ('pręt', NULL, '')"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));

    TTxStringGrid g; // one fixed row and column
    g.SetRowCount(2);
    g.Exchange().LoadFromMDBTable(file, QStringLiteral("towary"));
    EXPECT_EQ(g.colCount(), 4);
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.cells(1, 0), QStringLiteral("nazwa"));
    EXPECT_EQ(g.cells(3, 0), QStringLiteral("uwagi"));
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("śruba"));
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("1,5"));
    EXPECT_EQ(g.cells(3, 1), QString()); // Null
    EXPECT_EQ(g.cells(2, 3), QString());
    EXPECT_EQ(g.cells(3, 2), QStringLiteral("x"));

    // A shorter result leaves none of the earlier rows below it; an empty one, one empty row.
    g.Exchange().LoadFromMDBSQL(file, QStringLiteral("SELECT nazwa FROM towary WHERE cena >= 2"));
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("nakrętka"));
    g.Exchange().LoadFromMDBSQL(file, QStringLiteral("SELECT nazwa FROM towary WHERE cena > 100"));
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.cells(1, 0), QStringLiteral("nazwa"));
    EXPECT_EQ(g.cells(1, 1), QString());

    EXPECT_THROW(g.Exchange().LoadFromMDBSQL(file, QStringLiteral("SELECT * FROM brak")), ETxGridError);
    EXPECT_EQ(errorOf([&] { g.Exchange().LoadFromMDBTable(Path("nie.mdb"), "t"); }),
              QStringLiteral("File %1 not found").arg(Path("nie.mdb")));
    QFile other(Path("tekst.mdb"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("zwykły tekst, nie baza");
    other.close();
    EXPECT_THROW(g.Exchange().LoadFromMDBTable(Path("tekst.mdb"), "t"), ETxGridError);

    // An Access signature goes to MDB Tools' reader: a file it cannot read, whole or cut short,
    // is the grid's error, and the grid keeps what it showed.
    const QByteArray jetHead("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    const QByteArray aceHead("\x00\x01\x00\x00Standard ACE DB\x00", 20);
    const struct {
        const char* name;
        QByteArray bytes;
    } broken[] = {
        {"pusta.mdb", jetHead + QByteArray(4096, '\0')},
        {"krotka.mdb", jetHead},
        {"smieci.accdb", aceHead + QByteArray(8192, '\xa5')},
        {"strony.mdb", jetHead + QByteArray(4096 - 20, '\x01') + jetHead + QByteArray(4096 - 20, '\xff')},
    };
    for (const auto& b : broken) {
        QFile jet(Path(b.name));
        ASSERT_TRUE(jet.open(QIODevice::WriteOnly));
        jet.write(b.bytes);
        jet.close();
        const QString error = errorOf([&] { g.Exchange().LoadFromMDBTable(Path(b.name), "t"); });
        EXPECT_TRUE(error.startsWith(QStringLiteral("Nie można otworzyć bazy danych"))
                    || error.startsWith(QStringLiteral("Błąd zapytania do bazy danych")))
            << b.name << ": " << error.toStdString();
        EXPECT_EQ(g.cells(1, 0), QStringLiteral("nazwa")) << b.name;
    }
}

TEST_F(GridOffice, DatabaseFailingPartWayLeavesTheGridAsItWas)
{
    // A file damaged in a page near its end: the query reads most records, then fails.
    const QString file = Path("uszkodzona.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("PRAGMA page_size = 4096"));
        ASSERT_TRUE(q.exec("CREATE TABLE towary (nazwa TEXT, cena REAL, uwagi TEXT)"));
        ASSERT_TRUE(q.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 18000) "
                           "INSERT INTO towary SELECT 'towar ' || i, i / 4.0, 'uwaga' FROM n"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const qint64 pages = f.size() / 4096;
    ASSERT_GT(pages, 20);
    f.seek((pages - 4) * 4096);
    f.write(QByteArray(4096, '\0'));
    f.close();

    TTxStringGrid g; // one fixed row and column
    g.SetColCount(3);
    g.SetRowCount(4);
    g.setCells(1, 0, QStringLiteral("stara"));
    g.setCells(2, 3, QStringLiteral("zostaje"));
    const QString error = errorOf([&] { g.Exchange().LoadFromMDBTable(file, QStringLiteral("towary")); });
    EXPECT_TRUE(error.startsWith(QStringLiteral("Błąd odczytu bazy danych"))) << error.toStdString();
    EXPECT_EQ(g.colCount(), 3);
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.cells(1, 0), QStringLiteral("stara"));
    EXPECT_EQ(g.cells(2, 3), QStringLiteral("zostaje"));
    EXPECT_EQ(g.cells(1, 1), QString());
}
