// Real workbooks: one made by libxlsxwriter with formulas, dates, formats, a merge and a chart
// keeps every other part of its package byte for byte after the grid saves into one sheet;
// numbers go out as numbers; the same cells come from .xlsx and .xls (fixture/same_data.xls,
// made by fixture/make_same_data_xls.py); a .xls is never written over; the .xls reader's
// faults (a crash, garbage, endless output, a hang) end its helper process, not the program;
// after a save into one sheet of a LibreOffice book, LibreOffice shows every formula's new
// result; a save that cuts a shared formula leaves the other cells their formulas; Polish
// dates and times go out as dates; one limit of a cell's text for both saves; books of
// openpyxl read and written back as LibreOffice and openpyxl read them; every refusal of a save
// names the file and its cause.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridSheetPart.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/controls/Txutil.h"

#include "support/GridErrorOf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <iostream>
#include <memory>
#include <gtest/gtest.h>
#include <xlsxwriter.h>
#include <zip.h>

using namespace grid;

namespace {

QByteArray bytesOf(const QString& File)
{
    QFile f(File);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every part of a package, unpacked.
QMap<QString, QByteArray> partsOf(const QString& File)
{
    QMap<QString, QByteArray> parts;
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(File).constData(), ZIP_RDONLY, &err);
    if (!z)
        return parts;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, zip_uint64_t(i), 0, &st);
        QByteArray data(qsizetype(st.size), '\0');
        zip_file_t* f = zip_fopen_index(z, zip_uint64_t(i), 0);
        zip_fread(f, data.data(), st.size);
        zip_fclose(f);
        parts.insert(QString::fromUtf8(st.name), data);
    }
    zip_discard(z);
    return parts;
}

// The parts of After that differ from Before's, and those added or gone.
QStringList changedParts(const QMap<QString, QByteArray>& Before, const QMap<QString, QByteArray>& After)
{
    QStringList out;
    for (auto it = After.begin(); it != After.end(); ++it)
        if (Before.value(it.key()) != it.value())
            out << it.key();
    for (auto it = Before.begin(); it != Before.end(); ++it)
        if (!After.contains(it.key()))
            out << QStringLiteral("-") + it.key();
    return out;
}

QString cellText(const TOfficeSheet& S, int Row, int Col)
{
    const TOfficeValue* v = S.At(Row, Col);
    return v ? v->ToText(QLatin1Char(',')) : QStringLiteral("<empty>");
}

const TOfficeSheet& sheetNamed(const TOfficeWorkbook& B, const QString& Name)
{
    for (const TOfficeSheet& s : B.Sheets)
        if (s.Name == Name)
            return s;
    static const TOfficeSheet none;
    return none;
}

// A workbook as a spreadsheet user makes one: formulas, dates, a number format, bold, a fill,
// a column width and a merge on "Dane", a chart of its numbers on "Wykres", and "Cel".
void makeRichWorkbook(const QString& File)
{
    lxw_workbook* wb = workbook_new(QFile::encodeName(File).constData());
    lxw_worksheet* dane = workbook_add_worksheet(wb, "Dane");
    lxw_worksheet* wykres = workbook_add_worksheet(wb, "Wykres");
    lxw_worksheet* cel = workbook_add_worksheet(wb, "Cel");
    lxw_format* date = workbook_add_format(wb);
    format_set_num_format(date, "dd.mm.yyyy");
    lxw_format* money = workbook_add_format(wb);
    format_set_num_format(money, "#,##0.00 \"zł\"");
    format_set_bold(money);
    format_set_bg_color(money, LXW_COLOR_YELLOW);
    worksheet_set_column(dane, 0, 0, 30, nullptr);
    worksheet_write_string(dane, 0, 0, "Kwota", nullptr);
    for (int r = 1; r <= 4; ++r)
        worksheet_write_number(dane, lxw_row_t(r), 0, r * 10.5, money);
    worksheet_write_formula(dane, 5, 0, "=SUM(A2:A5)", money);
    lxw_datetime when = {2024, 3, 15, 0, 0, 0};
    worksheet_write_datetime(dane, 0, 1, &when, date);
    worksheet_merge_range(dane, 6, 0, 6, 3, "Razem scalone", nullptr);
    lxw_chart* chart = workbook_add_chart(wb, LXW_CHART_COLUMN);
    chart_add_series(chart, nullptr, "=Dane!$A$2:$A$5");
    worksheet_insert_chart(wykres, 1, 1, chart);
    worksheet_write_string(cel, 0, 0, "stare", nullptr);
    worksheet_write_formula_num(cel, 3, 3, "=1+2", nullptr, 3);
    ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
}

class GridWorkbook : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& n) const { return dir.filePath(n); }
    static QString Fixture(const char* n)
    {
        return QStringLiteral(TARNEX_SOURCE_DIR "/tests/grid/fixture/") + QLatin1String(n);
    }
    void TearDown() override { SetXlsHelperProgram(QString()); }
    // A shell script as the .xls helper.
    void HelperScript(const QByteArray& Body, int TimeoutMs = 30000)
    {
        const QString script = Path(QStringLiteral("helper.sh"));
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + Body + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        SetXlsHelperProgram(script, TimeoutMs);
    }
};

} // namespace

TEST_F(GridWorkbook, SavingIntoOneSheetKeepsEveryOtherPartByteForByte)
{
    const QString file = Path("bogaty.xlsx");
    makeRichWorkbook(file);
    const QMap<QString, QByteArray> made = partsOf(file);
    ASSERT_TRUE(made.contains("xl/charts/chart1.xml"));

    TTxStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(2);
    g.SaveWithFixedCells = true;
    g.setCells(0, 0, QStringLiteral("Zażółć"));
    g.setCells(1, 0, QStringLiteral("12,5"));
    g.setCells(2, 0, QStringLiteral("007"));
    g.setCells(0, 1, QStringLiteral("=1+2"));
    g.setCells(1, 1, QStringLiteral("-3"));

    // Into the existing "Cel": only its part changes.
    g.Exchange().SaveToXLSSheet(file, QStringLiteral("Cel"));
    const QMap<QString, QByteArray> intoOld = partsOf(file);
    EXPECT_EQ(changedParts(made, intoOld), QStringList{"xl/worksheets/sheet3.xml"});
    TOfficeWorkbook book = ReadWorkbook(file);
    const TOfficeSheet& cel = sheetNamed(book, "Cel");
    EXPECT_EQ(cellText(cel, 0, 0), QStringLiteral("Zażółć"));
    EXPECT_EQ(cel.At(0, 1)->Kind, TOfficeValue::ovNumber);
    EXPECT_EQ(cellText(cel, 0, 1), QStringLiteral("12,5"));
    EXPECT_EQ(cellText(cel, 0, 2), QStringLiteral("007"));
    EXPECT_EQ(cellText(cel, 1, 0), QStringLiteral("=1+2"));
    EXPECT_EQ(cel.At(1, 1)->Kind, TOfficeValue::ovNumber);
    EXPECT_EQ(cellText(sheetNamed(book, "Dane"), 0, 1), QStringLiteral("15.03.2024")); // a date stays a date
    // Outside the written block the sheet keeps its cells as they were: D4's formula too.
    EXPECT_TRUE(intoOld.value("xl/worksheets/sheet3.xml").contains("<f>1+2</f>"));
    EXPECT_EQ(cellText(cel, 3, 3), QStringLiteral("3"));

    // Into a new sheet: the workbook, its relations and content types gain it; nothing else moves.
    g.Exchange().SaveToXLSSheet(file, QStringLiteral("Nowy arkusz"));
    const QMap<QString, QByteArray> intoNew = partsOf(file);
    QStringList changed = changedParts(intoOld, intoNew);
    changed.sort();
    EXPECT_EQ(changed,
              (QStringList{"[Content_Types].xml", "xl/_rels/workbook.xml.rels", "xl/workbook.xml",
                           "xl/worksheets/sheet4.xml"}));
    book = ReadWorkbook(file);
    ASSERT_EQ(book.Sheets.size(), 4u);
    EXPECT_EQ(book.Sheets[3].Name, QStringLiteral("Nowy arkusz"));
    EXPECT_EQ(cellText(book.Sheets[3], 0, 1), QStringLiteral("12,5"));
    TTxStringGrid back;
    back.Exchange().LoadFromXLSSheet(file, QStringLiteral("Nowy arkusz"));
    EXPECT_EQ(back.cells(0, 0), QStringLiteral("Zażółć"));
    EXPECT_EQ(back.cells(2, 0), QStringLiteral("007"));

    // A name a spreadsheet cannot hold is refused; the file stays.
    const QByteArray before = bytesOf(file);
    EXPECT_TRUE(errorOf([&] { g.Exchange().SaveToXLSSheet(file, QStringLiteral("a/b")); }).contains("a/b"));
    EXPECT_EQ(bytesOf(file), before);
}

TEST_F(GridWorkbook, AnXlsFileIsNeverWrittenOver)
{
    const QString file = Path("stary.xls");
    ASSERT_TRUE(QFile::copy(Fixture("same_data.xls"), file));
    const QByteArray before = bytesOf(file);
    TTxStringGrid g;
    g.setCells(1, 1, QStringLiteral("x"));
    for (const char* sheet : {"Dane", "Nowy"}) {
        const QString e = errorOf([&] { g.Exchange().SaveToXLSSheet(file, QString::fromLatin1(sheet)); });
        EXPECT_TRUE(e.contains(QStringLiteral(".xls (Excel 97–2003)")) && e.contains(QStringLiteral("bez zmian")))
            << qPrintable(e);
        EXPECT_EQ(bytesOf(file), before);
    }
    // Nor replaced by a new workbook of .xlsx content.
    EXPECT_TRUE(errorOf([&] { g.Exchange().SaveToXLS(file); }).contains(QStringLiteral("bez zmian")));
    EXPECT_EQ(bytesOf(file), before);
}

// Every kind of refusal of a save names the file it was to write and says why, the file as it
// was: limits of cells and names, blocks a sheet may not change in part, text a code page
// lacks, a folder under the name.
TEST_F(GridWorkbook, EverySaveRefusalNamesTheFileAndItsCause)
{
    const QString rich = Path("bogaty.xlsx"), array = Path("tablica.xlsx"), fresh = Path("nowy.xlsx");
    makeRichWorkbook(rich);
    lxw_workbook* wb = workbook_new(QFile::encodeName(array).constData());
    worksheet_write_array_formula(workbook_add_worksheet(wb, "Tab"), 0, 1, 1, 1, "{=A1:A2*2}", nullptr);
    ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
    const QString folder = Path("folder");
    ASSERT_TRUE(QDir().mkpath(folder));
    auto grid = [](int Cols, int Rows, int Col, int Row, const QString& Text) {
        auto g = std::make_unique<TTxStringGrid>();
        g->SaveWithFixedCells = true;
        g->SetColCount(Cols);
        g->SetRowCount(Rows);
        g->setCells(Col, Row, Text);
        return g;
    };
    const QString tooLong(40000, QLatin1Char('x'));
    struct TCase {
        const char* Name;
        QString File, Cause;
        std::function<void(const QString& File)> Save;
    };
    const std::vector<TCase> cases = {
        {"a long text, a new book", fresh, QStringLiteral("komórka B3 arkusza \"Sheet1\" ma 40 000 znaków"),
         [&](const QString& f) { grid(2, 3, 1, 2, tooLong)->Exchange().SaveToXLS(f); }},
        {"a long text, into a sheet", rich, QStringLiteral("komórka B3 arkusza \"Dane\" ma 40 000 znaków"),
         [&](const QString& f) { grid(2, 3, 1, 2, tooLong)->Exchange().SaveToXLSSheet(f, QStringLiteral("Dane")); }},
        {"a bad name, a new sheet", rich, QStringLiteral("nieprawidłowa nazwa arkusza \"a/b\""),
         [&](const QString& f) {
             grid(1, 1, 0, 0, QStringLiteral("x"))->Exchange().SaveToXLSSheet(f, QStringLiteral("a/b"));
         }},
        {"a bad name, a new book", fresh, QStringLiteral("nieprawidłowa nazwa arkusza \"a[b]\""),
         [&](const QString& f) {
             grid(1, 1, 0, 0, QStringLiteral("x"))->Exchange().SaveToXLSSheet(f, QStringLiteral("a[b]"));
         }},
        {"a merged range", rich, QStringLiteral("pod scalonym zakresem A7:D7 arkusza \"Dane\""),
         [&](const QString& f) {
             grid(2, 7, 1, 6, QStringLiteral("x"))->Exchange().SaveToXLSSheet(f, QStringLiteral("Dane"));
         }},
        {"an array formula", array, QStringLiteral("część formuły tablicowej B1:B2 arkusza \"Tab\""),
         [&](const QString& f) {
             grid(2, 1, 1, 0, QStringLiteral("x"))->Exchange().SaveToXLSSheet(f, QStringLiteral("Tab"));
         }},
        {"a code page", Path("oem.csv"), QStringLiteral("stronie kodowej 852"),
         [&](const QString& f) {
             auto g = grid(1, 1, 0, 0, QStringLiteral("10 €"));
             g->OemConvert = true;
             g->SaveToCSV(f);
         }},
        {"a folder", folder, QStringLiteral("pod tą nazwą jest folder"),
         [&](const QString& f) { grid(1, 1, 0, 0, QStringLiteral("x"))->SaveToFile(f); }},
    };
    for (const TCase& c : cases) {
        const QByteArray before = bytesOf(c.File);
        const QString said = errorOf([&] { c.Save(c.File); });
        EXPECT_TRUE(said.contains(c.File) && said.contains(c.Cause)) << c.Name << ": " << said.toStdString();
        EXPECT_TRUE(said.startsWith(QStringLiteral("Nie udało się zapisać pliku ") + c.File)
                    || said.startsWith(QStringLiteral("Tekstu komórki")))
            << c.Name << ": " << said.toStdString();
        EXPECT_EQ(bytesOf(c.File), before) << c.Name;
    }
    EXPECT_FALSE(QFile::exists(fresh));
}

TEST_F(GridWorkbook, NumbersGoOutAsNumbersAndTextsAsTexts)
{
    const QChar ts = TRegional::Current().ThousandSeparator;
    // clang-format off
    const QStringList numbers{"12,5", "-3", "0", "0,25", "1234567", "999999999999999", QStringLiteral("1") + ts + QStringLiteral("234,5")};
    const QStringList texts{"007", "=1+2", "Zażółć gęślą", "1-2", ",5", "5,", "00,5", "1,2,3", "12345678901234567890",
                            "12.5", QStringLiteral("12") + ts + QStringLiteral("34"), QStringLiteral("1234") + ts + QStringLiteral("567")};
    // clang-format on
    TTxStringGrid g;
    g.SaveWithFixedCells = true;
    g.SetColCount(2);
    g.SetRowCount(int(std::max(numbers.size(), texts.size())));
    for (int i = 0; i < numbers.size(); ++i)
        g.setCells(0, i, numbers[i]);
    for (int i = 0; i < texts.size(); ++i)
        g.setCells(1, i, texts[i]);
    const QString file = Path("liczby.xlsx");
    g.Exchange().SaveToXLS(file);
    const TOfficeWorkbook book = ReadWorkbook(file);
    ASSERT_EQ(book.Sheets.size(), 1u);
    for (int i = 0; i < numbers.size(); ++i) {
        ASSERT_TRUE(book.Sheets[0].At(i, 0));
        EXPECT_EQ(book.Sheets[0].At(i, 0)->Kind, TOfficeValue::ovNumber) << qPrintable(numbers[i]);
        EXPECT_EQ(cellText(book.Sheets[0], i, 0), QString(numbers[i]).remove(ts));
    }
    for (int i = 0; i < texts.size(); ++i) {
        ASSERT_TRUE(book.Sheets[0].At(i, 1));
        EXPECT_EQ(book.Sheets[0].At(i, 1)->Kind, TOfficeValue::ovText) << qPrintable(texts[i]);
        EXPECT_EQ(cellText(book.Sheets[0], i, 1), texts[i]);
    }
}

TEST_F(GridWorkbook, SameCellsFromXlsxAndXls)
{
    // The cells of fixture/same_data.xls, written as .xlsx with the same formats.
    const QString xlsx = Path("same_data.xlsx");
    {
        lxw_workbook* wb = workbook_new(QFile::encodeName(xlsx).constData());
        lxw_worksheet* ws = workbook_add_worksheet(wb, "Dane");
        auto fmt = [&](const char* code) {
            lxw_format* f = workbook_add_format(wb);
            format_set_num_format(f, code);
            return f;
        };
        lxw_format* builtin = workbook_add_format(wb);
        format_set_num_format_index(builtin, 14);
        worksheet_write_string(ws, 0, 0, "Tekst", nullptr);
        worksheet_write_string(ws, 0, 1, "Łódź", nullptr);
        worksheet_write_number(ws, 1, 0, 12.5, nullptr);
        worksheet_write_number(ws, 1, 1, 42, nullptr);
        lxw_datetime day = {2024, 3, 15, 0, 0, 0}, y2k = {1999, 12, 31, 0, 0, 0};
        lxw_datetime stamp = {2024, 3, 15, 13, 45, 30}, clock = {0, 0, 0, 8, 30, 0};
        worksheet_write_datetime(ws, 2, 0, &day, fmt("YYYY-MM-DD"));
        worksheet_write_datetime(ws, 2, 1, &day, fmt("DD.MM.YYYY"));
        worksheet_write_datetime(ws, 2, 2, &y2k, builtin);
        worksheet_write_datetime(ws, 3, 0, &stamp, fmt("YYYY-MM-DD HH:MM:SS"));
        worksheet_write_datetime(ws, 3, 1, &clock, fmt("HH:MM:SS"));
        worksheet_write_boolean(ws, 4, 0, 1, nullptr);
        worksheet_write_boolean(ws, 4, 1, 0, nullptr);
        ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
    }
    const TOfficeWorkbook a = ReadWorkbook(xlsx), b = ReadWorkbook(Fixture("same_data.xls"));
    ASSERT_EQ(a.Sheets.size(), 1u);
    ASSERT_EQ(b.Sheets.size(), 1u);
    EXPECT_EQ(a.Sheets[0].UsedRangeAddress(), QStringLiteral("$A$1:$C$5"));
    EXPECT_EQ(b.Sheets[0].UsedRangeAddress(), QStringLiteral("$A$1:$C$5"));
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(cellText(a.Sheets[0], r, c), cellText(b.Sheets[0], r, c)) << r << "," << c;
    EXPECT_EQ(cellText(a.Sheets[0], 2, 1), QStringLiteral("15.03.2024")); // as its format shows it
    EXPECT_EQ(cellText(a.Sheets[0], 2, 2), QStringLiteral("1999-12-31"));
    EXPECT_EQ(cellText(a.Sheets[0], 3, 0), QStringLiteral("2024-03-15 13:45:30"));
    EXPECT_EQ(cellText(a.Sheets[0], 3, 1), QStringLiteral("08:30:00"));
    EXPECT_EQ(cellText(a.Sheets[0], 4, 0), QStringLiteral("1"));
    EXPECT_EQ(cellText(a.Sheets[0], 4, 1), QStringLiteral("0"));
}

TEST_F(GridWorkbook, XlsReaderFaultsEndTheHelperNotTheProgram)
{
    const QString xls = Path("dane.xls");
    ASSERT_TRUE(QFile::copy(Fixture("same_data.xls"), xls));
    QFile::setPermissions(xls, QFile::ReadOwner | QFile::WriteOwner);
    TTxStringGrid g;
    g.setCells(1, 1, QStringLiteral("zostaje"));
    auto loadError = [&] { return errorOf([&] { g.Exchange().LoadFromXLS(xls); }); };

    HelperScript("kill -SEGV $$"); // the parser crashing
    EXPECT_TRUE(loadError().contains(QStringLiteral("sygnał 11"))) << qPrintable(loadError());
    HelperScript("kill -XCPU $$"); // stopped at its processor-time limit
    EXPECT_TRUE(loadError().contains(QStringLiteral("limit 20 s czasu procesora"))) << qPrintable(loadError());
    HelperScript("exit 5"); // short of the memory it may use
    EXPECT_TRUE(loadError().contains(QStringLiteral("limit 1 024 MiB pamięci"))) << qPrintable(loadError());
    HelperScript("printf 'S\\377\\377\\377\\377abc'"); // a length past the data
    EXPECT_EQ(loadError(), QStringLiteral("File contains no data or corrupt file ") + xls);
    HelperScript("printf 'C\\0\\0\\0\\0\\0\\0\\0\\0N12345678E'"); // a cell before any sheet
    EXPECT_EQ(loadError(), QStringLiteral("File contains no data or corrupt file ") + xls);
    HelperScript("exec yes"); // endless output
    EXPECT_TRUE(loadError().contains(QStringLiteral("128 MiB"))) << qPrintable(loadError());
    for (const char* hang : {"exec sleep 30", "exec >&-; exec sleep 30"}) { // a hang, also after closing its output
        HelperScript(hang, 300);
        EXPECT_TRUE(loadError().contains(QStringLiteral("dłużej niż 0,3 s"))
                    || loadError().contains(QStringLiteral("0.3 s")))
            << hang << ": " << qPrintable(loadError());
    }
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("zostaje"));

    // The real helper on damaged copies of a real file: read or refused, never a crash here.
    SetXlsHelperProgram(QString());
    g.Exchange().LoadFromXLS(xls);
    EXPECT_EQ(g.cells(1, 0), QStringLiteral("Łódź"));
    const QByteArray good = bytesOf(xls);
    for (int i = 0; i < 40; ++i) {
        QByteArray bad = i % 4 == 0 ? good.left(512 * (i + 1)) : good;
        for (int k = 0; k < 6; ++k)
            bad[(i * 7919 + k * 104729) % bad.size()] = char(i * 31 + k);
        QFile f(xls);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bad);
        f.close();
        try {
            ReadWorkbook(xls);
        } catch (const ETxGridError&) {}
    }
}

namespace {

// A program run to its end; its standard output, or a null text when it did not end well.
QString runProgram(const QString& Program, const QStringList& Args)
{
    QProcess p;
    p.start(Program, Args);
    if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        ADD_FAILURE() << qPrintable(Program) << " " << qPrintable(Args.join(' ')) << ": "
                      << p.readAllStandardError().constData();
        return QString();
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

const char* const kPython = "/usr/bin/python3";

bool haveOpenpyxl() { return QProcess::execute(QLatin1String(kPython), {"-c", "import openpyxl"}) == 0; }

// A LibreOffice headless run: the files converted into OutDir (Filter as --convert-to takes it).
void libreOfficeConvert(const QString& Profile, const QString& Filter, const QString& OutDir, const QStringList& Files)
{
    runProgram(QStandardPaths::findExecutable(QStringLiteral("soffice")),
               QStringList{QStringLiteral("-env:UserInstallation=file://") + Profile, "--headless", "--convert-to",
                           Filter, "--outdir", OutDir}
                   + Files);
}

bool haveLibreOfficeAndOpenpyxl()
{
    return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() && QFile::exists(QLatin1String(kPython))
        && haveOpenpyxl();
}

} // namespace

// A book LibreOffice saved, with formulas over the block the grid writes, in its sheet and in
// others (through a chain of sheets), and one that reads nothing of it: after a save into
// the sheet, LibreOffice shows every result right without being asked to recalculate; the
// dates the grid writes are dates to it; a reader that trusts the sheets' used ranges sees
// every cell the grid wrote, in a sheet it wrote into and in one it added. A new book holds
// the same dates.
TEST_F(GridWorkbook, FormulasOverTheWrittenCellsShowTheirNewResultsInLibreOffice)
{
    if (!haveLibreOfficeAndOpenpyxl())
        GTEST_SKIP() << "LibreOffice (soffice) or Debian's python3-openpyxl is not installed";
    auto libreOfficeCopy = [&](const QString& File, const QString& OutDir) {
        libreOfficeConvert(Path("lo-profile"), QStringLiteral("xlsx"), OutDir, {File});
        return OutDir + QStringLiteral("/") + QFileInfo(File).fileName();
    };
    const QString made = Path("zrodlo.xlsx");
    runProgram(QLatin1String(kPython),
               {"-c", R"(
import sys, openpyxl
wb = openpyxl.Workbook()
s = wb.active
s.title = 'Środek'
for r in range(1, 31):
    s.cell(r, 2, 7)
s['H2'] = '=SUM(B1:B30)-7*24'
s['H3'] = '=COUNT(C1:C30)'
s['H4'] = '=1+2'
d = wb.create_sheet('Dane')
d['I2'] = "='Środek'!B2"
d['I3'] = '=I2*2'
d['A1'] = 5
d['A2'] = '=A1*3'
wb.create_sheet('Inne')['A1'] = '=Dane!I3+1'
wb.save(sys.argv[1])
)",
                made});
    // LibreOffice's own book, every formula with the result it computed (the sum 42).
    const QString book = libreOfficeCopy(made, Path("lo"));
    ASSERT_TRUE(QFile::exists(book));

    const QChar dec = TRegional::Current().DecimalSeparator;
    TTxStringGrid g;
    g.SaveWithFixedCells = true;
    g.SetColCount(6);
    g.SetRowCount(6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            g.setCells(c, r, QStringLiteral("t%1%2").arg(c).arg(r));
    g.setCells(1, 0, QStringLiteral("1000000"));
    g.setCells(1, 1, QStringLiteral("9") + dec + QStringLiteral("501"));
    g.setCells(2, 0, QStringLiteral("2024-03-15"));
    g.setCells(2, 1, QStringLiteral("2024-01-01 13:45:30"));
    g.setCells(3, 0, QStringLiteral("2024-02-30")); // no day: a text
    g.setCells(3, 1, QStringLiteral("15.03.2024"));
    g.Exchange().SaveToXLSSheet(book, QStringLiteral("Środek"));
    g.Exchange().SaveToXLSSheet(book, QStringLiteral("Nowy"));
    const QString whole = Path("caly.xlsx");
    g.Exchange().SaveToXLS(whole);

    // What LibreOffice computes on opening it, as its own copy stores the results.
    const QString opened = libreOfficeCopy(book, Path("po"));
    const QString values = runProgram(QLatin1String(kPython),
                                      {"-c", R"(
import sys, openpyxl, datetime
wb = openpyxl.load_workbook(sys.argv[1], data_only=True)
def show(v):
    return v.isoformat(' ') if isinstance(v, datetime.datetime) else repr(v)
for sheet, cell in [('Środek', 'H2'), ('Środek', 'H3'), ('Środek', 'H4'), ('Środek', 'C1'), ('Środek', 'C2'),
                    ('Dane', 'I2'), ('Dane', 'I3'), ('Dane', 'A2'), ('Inne', 'A1')]:
    print(sheet + '!' + cell, show(wb[sheet][cell].value))
ro = openpyxl.load_workbook(sys.argv[2], read_only=True)
for sheet in ['Środek', 'Nowy']:
    print(sheet, ro[sheet].calculate_dimension(), len(list(ro[sheet].iter_rows(values_only=True))))
print(*[show(openpyxl.load_workbook(sys.argv[3]).active[c].value) for c in ['C1', 'C2', 'D1', 'D2']])
)",
                                       opened, book, whole});
    EXPECT_EQ(values.toStdString(),
              std::string("Środek!H2 1000009.501\n"
                          "Środek!H3 2\n"
                          "Środek!H4 3\n"
                          "Środek!C1 2024-03-15 00:00:00\n"
                          "Środek!C2 2024-01-01 13:45:30\n"
                          "Dane!I2 9.501\n"
                          "Dane!I3 19.002\n"
                          "Dane!A2 15\n"
                          "Inne!A1 20.002\n"
                          "Środek A1:H30 30\n"
                          "Nowy A1:F6 6\n"
                          "2024-03-15 00:00:00 2024-01-01 13:45:30 '2024-02-30' 2024-03-15 00:00:00\n"));
    // The grid reads its dates back as it wrote them.
    TTxStringGrid back;
    back.SaveWithFixedCells = true;
    back.Exchange().LoadFromXLSSheet(book, QStringLiteral("Nowy"));
    EXPECT_EQ(back.cells(2, 0), QStringLiteral("2024-03-15"));
    EXPECT_EQ(back.cells(2, 1), QStringLiteral("2024-01-01 13:45:30"));
}

// A filled-down column as Excel writes it (openpyxl's book made so): C2:C6 one shared formula
// =B2*2 with its text in C2, D2 =SUM(C2:C6), an array formula F2:F4 =B2:B4*3. A 3 x 3 block
// saved at A1 cuts the shared formula: C4:C6 keep formulas of their own and follow column B,
// and LibreOffice shows D2's new sum. A block over part of the array is refused, the file kept.
TEST_F(GridWorkbook, ASaveThatCutsASharedFormulaFreezesOnlyTheWrittenCells)
{
    if (!haveLibreOfficeAndOpenpyxl())
        GTEST_SKIP() << "LibreOffice (soffice) or Debian's python3-openpyxl is not installed";
    const QString book = Path("wspolna.xlsx");
    runProgram(QLatin1String(kPython),
               {"-c", R"(
import sys, re, zipfile, openpyxl
wb = openpyxl.Workbook()
s = wb.active
s.title = 'Dane'
for r in range(2, 7):
    s.cell(r, 2, r * 10 - 10)
    s.cell(r, 3, '=B%d*2' % r)
s.formula_attributes['C2'] = {'t': 'shared', 'ref': 'C2:C6', 'si': '0'}
s['D2'] = '=SUM(C2:C6)'
s['F2'] = '=B2:B4*3'
s.formula_attributes['F2'] = {'t': 'array', 'ref': 'F2:F4'}
wb.save(sys.argv[1] + '.tmp')
with zipfile.ZipFile(sys.argv[1] + '.tmp') as i, zipfile.ZipFile(sys.argv[1], 'w') as o:
    for n in i.namelist():
        data = i.read(n)
        if n == 'xl/worksheets/sheet1.xml':  # the other cells name the shared formula only
            data = re.sub(rb'<f>B[3-6]\*2</f>', b'<f t="shared" si="0"/>', data)
        o.writestr(n, data)
)",
                book});
    ASSERT_FALSE(bytesOf(book).isEmpty());

    TTxStringGrid g;
    g.SaveWithFixedCells = true;
    g.SetColCount(3);
    g.SetRowCount(3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g.setCells(c, r, QStringLiteral("1"));
    g.Exchange().SaveToXLSSheet(book, QStringLiteral("Dane"));
    const QString formulas = runProgram(QLatin1String(kPython),
                                        {"-c", R"(
import sys, openpyxl
s = openpyxl.load_workbook(sys.argv[1])['Dane']
print(*[s[c].value for c in ['C2', 'C3', 'C4', 'C5', 'C6', 'D2']])
)",
                                         book});
    EXPECT_EQ(formulas.toStdString(), "1 1 =B4*2 =B5*2 =B6*2 =SUM(C2:C6)\n");
    libreOfficeConvert(Path("lo-profile"), QStringLiteral("csv"), Path("lo"), {book});
    EXPECT_EQ(bytesOf(Path("lo/wspolna.csv")).toStdString(),
              "1,1,1,,,\n1,1,1,242,,3\n1,1,1,,,3\n,30,60,,,90\n,40,80,,,\n,50,100,,,\n");

    const QByteArray before = bytesOf(book);
    g.SetColCount(6);
    const QString e = errorOf([&] { g.Exchange().SaveToXLSSheet(book, QStringLiteral("Dane")); });
    EXPECT_TRUE(e.contains(QStringLiteral("F2:F4")) && e.contains(QStringLiteral("bez zmian"))) << qPrintable(e);
    EXPECT_EQ(bytesOf(book), before);
}

// Dates and times in Polish form go out as dates and times, in a new book and into a sheet of
// a LibreOffice book: its COUNT counts them, it shows them as they were typed, and the grid
// reads them back the same; a day that does not exist stays a text, "24:00" is an elapsed
// time ([h]:mm), as the readers give such a cell. One limit of a
// cell's text for both saves, told in Polish, and nothing written.
TEST_F(GridWorkbook, PolishDatesGoOutAsDatesAndLongTextsAreRefusedAlike)
{
    // clang-format off
    const QStringList texts{"15.03.2024", "15.03.2024 13:45", "13:45", "13:45:30", "15.03.2024 13:45:30",
                            "2024-03-15", "30.02.2024",       "24:00", "Zażółć"};
    // clang-format on
    TTxStringGrid g;
    g.SaveWithFixedCells = true;
    g.SetColCount(1);
    g.SetRowCount(int(texts.size()));
    for (int i = 0; i < texts.size(); ++i)
        g.setCells(0, i, texts[i]);
    const QString whole = Path("nowy.xlsx");
    g.Exchange().SaveToXLS(whole);
    TTxStringGrid back;
    back.SaveWithFixedCells = true;
    back.Exchange().LoadFromXLS(whole);
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(back.cells(0, i), texts[i]);

    if (haveLibreOfficeAndOpenpyxl()) {
        const QString made = Path("made.xlsx");
        runProgram(QLatin1String(kPython),
                   {"-c", R"(
import sys, openpyxl
wb = openpyxl.Workbook()
wb.active.title = 'Daty'
wb.active['C1'] = '=COUNT(A1:A9)'
wb.save(sys.argv[1])
)",
                    made});
        libreOfficeConvert(Path("lo-profile"), QStringLiteral("xlsx"), Path("lo"), {made});
        const QString book = Path("lo/made.xlsx");
        g.Exchange().SaveToXLSSheet(book, QStringLiteral("Daty"));
        back.Exchange().LoadFromXLSSheet(book, QStringLiteral("Daty"));
        for (int i = 0; i < texts.size(); ++i)
            EXPECT_EQ(back.cells(0, i), texts[i]);
        libreOfficeConvert(Path("lo-profile"),
                           QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true"), Path("csv"),
                           {book, whole});
        EXPECT_EQ(bytesOf(Path("csv/made.csv")).toStdString(),
                  "15.03.2024,,7\n15.03.2024 13:45,,\n13:45,,\n13:45:30,,\n15.03.2024 13:45:30,,\n2024-03-15,,\n"
                  "30.02.2024,,\n24:00,,\nZażółć,,\n");
        EXPECT_EQ(bytesOf(Path("csv/nowy.csv")).toStdString(),
                  "15.03.2024\n15.03.2024 13:45\n13:45\n13:45:30\n15.03.2024 13:45:30\n2024-03-15\n30.02.2024\n"
                  "24:00\nZażółć\n");
    } else {
        std::cout << "LibreOffice (soffice) or Debian's python3-openpyxl is not installed: its part is skipped\n";
    }

    // 40 000 characters: refused by both saves with the same message, the files as they were.
    g.SetColCount(2);
    g.setCells(1, 2, QString(40000, QLatin1Char('x')));
    const QString into = Path("bogaty.xlsx");
    makeRichWorkbook(into);
    const QByteArray before = bytesOf(into);
    const QString fresh = Path("swiezy.xlsx");
    const QString newBook = errorOf([&] { g.Exchange().SaveToXLS(fresh); });
    const QString intoSheet = errorOf([&] { g.Exchange().SaveToXLSSheet(into, QStringLiteral("Dane")); });
    const QString tooLong = QStringLiteral("Nie udało się zapisać pliku %1: komórka B3 arkusza \"%2\" ma 40 000 "
                                           "znaków, a komórka skoroszytu mieści najwyżej 32 767.");
    EXPECT_EQ(newBook, tooLong.arg(fresh, QStringLiteral("Sheet1")));
    EXPECT_EQ(intoSheet, tooLong.arg(into, QStringLiteral("Dane")));
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(bytesOf(into), before);
}

// Books openpyxl makes, read and written back, what LibreOffice and openpyxl then read of
// them: a 1904 book gets its own serials; names that differ in case only are found by the
// file's own name, a name in other letter case by the spreadsheets' rule; _xHHHH_ escapes are decoded and written so; serial 60 reads as the 1900
// system's 29.02.1900; a block over a merged range is refused, the file unchanged; every
// number the readers give goes back as the same number (LibreOffice's COUNT counts them all)
// and a whole number up to 2^53 keeps its digits; a book pointing at a shared string it lacks
// is refused naming the cell, the grid unchanged.
TEST_F(GridWorkbook, BooksOfOtherProgramsReadAndWrittenBackTheSame)
{
    if (!haveLibreOfficeAndOpenpyxl())
        GTEST_SKIP() << "LibreOffice (soffice) or Debian's python3-openpyxl is not installed";
    const QString made = Path("made.xlsx"), old = Path("old.xlsx");
    runProgram(QLatin1String(kPython),
               {"-c", R"(
import sys, re, zipfile, datetime, openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904
wb = openpyxl.Workbook()
wb.epoch = CALENDAR_MAC_1904
d = wb.active
d.title = 'Dane'
d['A1'] = datetime.datetime(2020, 1, 1)
d['A1'].number_format = 'yyyy-mm-dd'
d['B1'] = 'a_x000D_b_x005F_x000D_c'
wb.create_sheet('DANE')['A1'] = 'duze'
wb.create_sheet('dane')['A1'] = 'male'
wb.create_sheet('Scal').merge_cells('A1:C2')
wb.create_sheet('Liczby')['C1'] = '=COUNT(A1:A9)'
wb.save(sys.argv[1] + '.tmp')
o = openpyxl.Workbook()
o.active['A1'] = 60
o.active['A2'] = 61
for c in ('A1', 'A2'):
    o.active[c].number_format = 'dd.mm.yyyy'
o.save(sys.argv[2])
with zipfile.ZipFile(sys.argv[1] + '.tmp') as src, zipfile.ZipFile(sys.argv[1], 'w') as dst:
    for i in src.infolist():
        data = src.read(i)
        if i.filename == 'xl/workbook.xml': # the names openpyxl made unique by a digit
            data = data.replace(b'"DANE1"', b'"DANE"').replace(b'"dane2"', b'"dane"')
        dst.writestr(i, data)
)",
                made, old});
    TTxStringGrid g;
    g.SaveWithFixedCells = true;
    for (const auto& [name, first] : {std::pair{"DANE", "duze"}, {"dane", "male"}, {"Dane", "2020-01-01"}}) {
        g.Exchange().LoadFromXLSSheet(made, QLatin1String(name));
        EXPECT_EQ(g.cells(0, 0), QLatin1String(first)) << name;
    }
    EXPECT_EQ(g.cells(1, 0), QStringLiteral("a\rb_x000D_c"));
    g.Exchange().LoadFromXLS(old);
    EXPECT_EQ(g.cells(0, 0), QStringLiteral("29.02.1900"));
    EXPECT_EQ(g.cells(0, 1), QStringLiteral("01.03.1900"));
    g.Exchange().SaveToXLSSheet(old, QStringLiteral("Sheet"));
    EXPECT_TRUE(partsOf(old).value("xl/worksheets/sheet1.xml").contains("<v>60</v>"));

    // A block under a merged range: refused, naming it, the file as it was.
    g.SetColCount(3);
    g.SetRowCount(3);
    for (int i = 0; i < 9; ++i)
        g.setCells(i % 3, i / 3, QString::number(i));
    const QByteArray before = bytesOf(made);
    EXPECT_EQ(errorOf([&] { g.Exchange().SaveToXLSSheet(made, QStringLiteral("Scal")); }),
              QStringLiteral("Nie udało się zapisać pliku %1: zapisywane komórki leżą pod scalonym zakresem A1:C2 "
                             "arkusza \"Scal\", który pokazuje tylko swoją pierwszą komórkę; plik pozostał bez zmian.")
                  .arg(made));
    EXPECT_EQ(bytesOf(made), before);

    // What the readers give, into the 1904 book and into a new one.
    const QChar nbsp(0xA0);
    const QStringList texts{"1e-06",
                            "1e+300",
                            "-1,5e-07",
                            "9007199254740992",
                            "60:00",
                            "1 234,50",
                            QStringLiteral("1") + nbsp + QStringLiteral("234,5"),
                            "2024-03-15",
                            "15.03.2024 13:45"};
    g.SetColCount(2);
    g.SetRowCount(int(texts.size()));
    for (int i = 0; i < texts.size(); ++i) {
        g.setCells(0, i, texts[i]);
        g.setCells(1, i, i == 0 ? QStringLiteral("_x000D_ lit") : i == 1 ? QStringLiteral("ctl\x01") : QString());
    }
    g.Exchange().SaveToXLSSheet(made, QStringLiteral("Liczby"));
    const QString whole = Path("whole.xlsx");
    g.Exchange().SaveToXLS(whole);
    const QStringList back{"0,000001", "1e+300", "-1,5e-07",   "9007199254740992", "60:00",
                           "1234,5",   "1234,5", "2024-03-15", "15.03.2024 13:45"};
    for (const QString& file : {made, whole}) {
        TTxStringGrid h;
        h.SaveWithFixedCells = true;
        h.Exchange().LoadFromXLSSheet(file, file == made ? QStringLiteral("LICZBY") : QStringLiteral("Sheet1"));
        for (int i = 0; i < texts.size(); ++i)
            EXPECT_EQ(h.cells(0, i), back[i] == "0,000001" ? QStringLiteral("1e-06") : back[i]) << i;
        EXPECT_EQ(h.cells(1, 0), QStringLiteral("_x000D_ lit"));
        EXPECT_EQ(h.cells(1, 1), QStringLiteral("ctl\x01"));
    }
    const QString values = runProgram(QLatin1String(kPython),
                                      {"-c", R"(
import sys, openpyxl
for f in sys.argv[1:]:
    wb = openpyxl.load_workbook(f)
    s = wb['Liczby'] if 'Liczby' in wb.sheetnames else wb.active
    print(*[repr(s.cell(r, 1).value) for r in range(1, 10)])
)",
                                       made, whole});
    const std::string numbers = "1e-06 1e+300 -1.5e-07 9007199254740992 datetime.timedelta(days=2, seconds=43200) "
                                "1234.5 1234.5 datetime.datetime(2024, 3, 15, 0, 0) "
                                "datetime.datetime(2024, 3, 15, 13, 45)\n";
    EXPECT_EQ(values.toStdString(), numbers + numbers);
    libreOfficeConvert(Path("lo-profile"),
                       QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1"),
                       Path("csv"), {made});
    // LibreOffice decodes the escapes of inline texts too (openpyxl only those of shared ones).
    EXPECT_EQ(bytesOf(Path("csv/made-Liczby.csv")).toStdString(),
              "0.000001,_x000D_ lit,9\n1E+300,ctl\x01,\n-0.00000015,,\n9.00719925474099E+015,,\n60:00,,\n1234.5,,\n"
              "1234.5,,\n2024-03-15,,\n15.03.2024 13:45,,\n");

    // Gnumeric the same, when it is there.
    if (const QString ssconvert = QStandardPaths::findExecutable(QStringLiteral("ssconvert")); !ssconvert.isEmpty()) {
        QProcess p;
        p.start(ssconvert, {"-S", made, Path("gnumeric_%s.csv")});
        ASSERT_TRUE(p.waitForFinished(60000));
        // Its COUNT counts every number, the 1904 book's dates are its own.
        QStringList first;
        for (const QByteArray& line : bytesOf(Path("gnumeric_Liczby.csv")).split('\n'))
            first << QString::fromUtf8(line.left(line.indexOf(',')));
        EXPECT_EQ(first.join(QLatin1Char('|')).toStdString(),
                  "1E-06|1E+300|-1.5E-07|9007199254740992|60:00:00|1234.5|1234.5|2024/03/15|\"2024/03/15 13:45:00\"|");
        EXPECT_TRUE(bytesOf(Path("gnumeric_Liczby.csv")).split('\n').first().endsWith(",9"));
    }

    // A shared string the book lacks: refused, the grid as it was.
    runProgram(QLatin1String(kPython),
               {"-c", R"(
import sys, re, zipfile
with zipfile.ZipFile(sys.argv[1]) as src, zipfile.ZipFile(sys.argv[2], 'w') as dst:
    for i in src.infolist():
        data = src.read(i)
        if i.filename == 'xl/worksheets/sheet1.xml':
            data = re.sub(rb'(<c r="B2"[^>]*t="s"[^>]*><v>)\d+', rb'\g<1>99', data)
        dst.writestr(i, data)
)",
                whole, Path("damaged.xlsx")});
    EXPECT_EQ(errorOf([&] { g.Exchange().LoadFromXLS(Path("damaged.xlsx")); }),
              QStringLiteral("Skoroszyt %1 jest uszkodzony: komórka B2 arkusza \"Sheet1\" wskazuje tekst, którego nie "
                             "ma w jego tabeli tekstów.")
                  .arg(Path("damaged.xlsx")));
    EXPECT_EQ(g.cells(0, 0), texts[0]);
}

// A shared formula's text as its other cells read it: relative parts moved, absolute ones,
// texts, sheet names, functions and table columns kept; off the sheet a #REF!.
TEST(GridWorkbookFormulas, SharedFormulaTextMovedToACell)
{
    const struct {
        const char* Formula;
        int Rows, Cols;
        const char* Moved;
    } cases[] = {
        {"B2*2", 2, 0, "B4*2"},
        {"$B$2+B$2+$B2+b2", 1, 1, "$B$2+C$2+$B3+C3"},
        {"SUM(A:A)+SUM($A:B)+SUM(1:2)+SUM($1:3)", 1, 1, "SUM(B:B)+SUM($A:C)+SUM(2:3)+SUM($1:4)"},
        {"'Inny ''arkusz'''!B2&\"B2\"&Dane!A1:A3", 1, 0, "'Inny ''arkusz'''!B3&\"B2\"&Dane!A2:A4"},
        {"LOG10(B2)+SUM(Tabela1[Kwota])+ATAN2(A1,1E+3)", 1, 0, "LOG10(B3)+SUM(Tabela1[Kwota])+ATAN2(A2,1E+3)"},
        {"XFD1+A1048576+Zażółć", 0, 1, "#REF!+B1048576+Zażółć"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MovedFormula(c.Formula, c.Rows, c.Cols), c.Moved) << c.Formula;
}

// Which formulas of another sheet can read the written sheet "Środek": a name, INDIRECT, a
// table or a range of sheets may read any sheet; a sheet's name inside a text reads nothing.
TEST(GridWorkbookFormulas, WhatAFormulaCanRead)
{
    const struct {
        const char* Formula;
        bool ReadsSheet, ReadsAnyCell;
    } cases[] = {
        {"'Środek'!B2", true, true},
        {"SUM(środek!B1:B3)*2", true, true},
        {"INDIRECT(\"Środek!B2\")", true, true},
        {"Kwoty*2", true, true},
        {"SUM(Tabela1[Kwota])", true, true},
        {"SUM(Jan:Mar!A1)", true, true},
        {"\"Środek!B2\"&A1", false, true},
        {"SUM(A:A)+ROW()+$B$2", false, true},
        {"'Inny ''arkusz'''!A1+1E+3", false, true},
        {"1+2*NOW()", false, false},
        {"IF(TRUE,\"tak\",#N/A)", false, false},
    };
    for (const auto& c : cases) {
        const TFormulaRefs r = FormulaRefs(c.Formula);
        const bool reads = r.Anywhere || r.Sheets.contains(QStringLiteral("Środek"), Qt::CaseInsensitive);
        EXPECT_EQ(reads, c.ReadsSheet) << c.Formula;
        EXPECT_EQ(r.Refs, c.ReadsAnyCell) << c.Formula;
    }
}
