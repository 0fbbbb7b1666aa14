// .xlsx parts written by hand as other programs write them, read by the grid's own XML
// scanner: the texts a spreadsheet means (rich and phonetic runs, entities, inline strings,
// booleans, dates of the 1904 system, sparse cells, references given or left out), with an
// entity and a tag cut by the 16 KiB pieces the parts are read in; the scanner handed a part
// a few bytes at a time; hostile parts (cut short, a huge attribute or text, deep nesting, a
// DOCTYPE) refused with the grid's error.
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridXmlScanner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <zip.h>

using namespace grid;

namespace {

const QByteArray kNs = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
const QByteArray kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

// A package of these parts (the workbook and its relations as given, or of one sheet).
void writePackage(const QString& File, QMap<QString, QByteArray> Parts)
{
    if (!Parts.contains(QStringLiteral("xl/workbook.xml")))
        Parts[QStringLiteral("xl/workbook.xml")] = kDecl + "<workbook " + kNs
            + " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
              "relationships\"><sheets><sheet name=\"A\" sheetId=\"1\" "
              "r:id=\"rId1\"/></sheets></workbook>";
    if (!Parts.contains(QStringLiteral("xl/_rels/workbook.xml.rels")))
        Parts[QStringLiteral("xl/_rels/workbook.xml.rels")] =
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\" Type=\"ws\"/></Relationships>";
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(File).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    ASSERT_TRUE(z);
    for (auto it = Parts.cbegin(); it != Parts.cend(); ++it)
        zip_file_add(z, it.key().toUtf8().constData(),
                     zip_source_buffer(z, it.value().constData(), zip_uint64_t(it.value().size()), 0), 0);
    ASSERT_EQ(zip_close(z), 0);
}

QString cellText(const TOfficeSheet& S, int Row, int Col)
{
    const TOfficeValue* v = S.At(Row, Col);
    return v ? v->ToText(QLatin1Char(',')) : QStringLiteral("<empty>");
}

QString errorOf(const QString& File)
{
    try {
        ReadWorkbook(File);
    } catch (const ETxGridError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QStringLiteral("ESCAPED ") + QString::fromUtf8(e.what());
    }
    return QStringLiteral("<read>");
}

// Every token of Xml as text, the scanner handed at most Piece bytes at a time.
std::string tokens(const std::string& Xml, qint64 Piece)
{
    std::size_t at = 0;
    TXmlScanner x(
        [&](char* Data, qint64 Max) {
            const std::size_t n = std::min<std::size_t>({std::size_t(Max), std::size_t(Piece), Xml.size() - at});
            std::memcpy(Data, Xml.data() + at, n);
            at += n;
            return qint64(n);
        },
        QStringLiteral("t.xlsx"));
    std::string out;
    while (x.Next() != TXmlScanner::xtDocEnd) {
        if (x.Token() == TXmlScanner::xtStart) {
            // Appended piece by piece: GCC 12 at -O3 misreads "<" + std::string as overlapping copies.
            out.append("<").append(x.Name());
            for (const TXmlScanner::TAttr& a : x.Attrs())
                out.append(" ").append(a.Name).append("=").append(x.AttrText(a.Name).toStdString());
            out += ">";
        } else if (x.Token() == TXmlScanner::xtEnd) {
            out.append("</").append(x.Name()).append(">");
        } else {
            out.append("[").append(x.Text()).append("]");
        }
    }
    return out;
}

} // namespace

TEST(GridXlsxReading, PartsWrittenByHandReadAsASpreadsheetMeansThem)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("reka.xlsx"));
    QMap<QString, QByteArray> parts;
    parts[QStringLiteral("xl/workbook.xml")] = kDecl + "<workbook " + kNs
        + " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
          "<workbookPr date1904=\"1\"/><bookViews><workbookView activeTab=\"1\"/></bookViews><sheets>"
          "<sheet name=\"Pusty\" sheetId=\"1\" r:id=\"rId2\"/><sheet name=\"R&amp;D\" sheetId=\"2\" r:id=\"rId1\"/>"
          "</sheets></workbook>";
    parts[QStringLiteral("xl/_rels/workbook.xml.rels")] =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\" Type=\"ws\"/>"
        "<Relationship Id=\"rId2\" Target=\"/xl/worksheets/pusty.xml\" Type=\"ws\"/></Relationships>";
    parts[QStringLiteral("xl/worksheets/pusty.xml")] = "<worksheet " + kNs + "><sheetData/></worksheet>";
    // The shared strings, with an entity cut by the first 16 KiB piece and an attribute by the second.
    QByteArray sst = kDecl + "<sst " + kNs
        + " count=\"8\" uniqueCount=\"8\">"
          "<si><t>zwykły</t></si>"
          "<si><r><rPr><b/><sz val=\"11\"/></rPr><t>Pogru</t></r><r><t xml:space=\"preserve\">bione </t></r>"
          "<r><t>i nie</t></r></si>"
          "<si><t>漢字</t><rPh sb=\"0\" eb=\"2\"><t>かんじ</t></rPh><phoneticPr fontId=\"1\"/></si>"
          "<si><t>A&amp;B &lt;c&gt; &quot;d&quot; &apos;e&apos; &#321;&#x105;</t></si>"
          "<!-- a comment between items -->"
          "<si><t>wiersz 1\r\nwiersz 2</t></si><si><t>";
    const QByteArray padX(16382 - sst.size(), 'x');
    sst += padX + "&amp;</t></si><si><t>";
    const QByteArray lead = "</t></si><si><t xml:space=\"pre";
    const QByteArray padY(32768 - sst.size() - lead.size(), 'y');
    sst += padY + lead + "serve\">  dwie spacje</t></si></sst>";
    ASSERT_EQ(sst.indexOf("&amp;</t>"), 16382);
    ASSERT_EQ(sst.indexOf("serve\">  dwie"), 32768);
    parts[QStringLiteral("xl/sharedStrings.xml")] = sst;
    parts[QStringLiteral("xl/styles.xml")] = "<styleSheet " + kNs
        + "><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"dd&quot;.&quot;mm&quot;."
          "&quot;yyyy\"/></numFmts><cellXfs count=\"4\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/>"
          "<xf numFmtId=\"14\"/><xf numFmtId=\"20\"/></cellXfs></styleSheet>";
    parts[QStringLiteral("xl/worksheets/sheet1.xml")] = kDecl + "<worksheet " + kNs
        + "><sheetData>"
          "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c><c r=\"C1\" "
          "t=\"s\"><v>2</v></c>"
          "<c r=\"D1\" t=\"s\"><v>3</v></c><c r=\"E1\" t=\"s\"><v>4</v></c><c r=\"F1\" t=\"s\"><v>5</v></c>"
          "<c r=\"G1\" t=\"s\"><v>7</v></c></row>\r\n"
          "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>w &amp; linii</t></is></c><c t=\"b\"><v>1</v></c>"
          "<c t='b'><v> 0 </v></c><c r=\"D2\" s=\"1\"><v>0</v></c><c s=\"2\"><v>366</v></c><c s=\"3\"><v>0.5</v></c>"
          "<c r=\"G2\" t=\"str\"><v>=A&amp;B</v></c><c r=\"H2\" t=\"e\"><v>#DIV/0!</v></c></row>"
          "<row r=\"5\"><c r=\"F5\"><v> 7.5 </v></c><c r=\"XFD5\"><f>1+1</f><v>2</v></c></row>"
          "<row><c><v>-3e2</v></c></row><row spans=\"1:2\"><c r=\"b7\"><v>+4</v></c><c r=\"C7\"/></row>"
          "</sheetData></worksheet>";
    writePackage(file, parts);

    const TOfficeWorkbook book = ReadWorkbook(file);
    ASSERT_EQ(book.Sheets.size(), 2u);
    EXPECT_EQ(book.Sheets[0].Name, QStringLiteral("Pusty"));
    EXPECT_EQ(book.Sheets[0].CellCount(), 0u);
    EXPECT_EQ(book.Sheets[1].Name, QStringLiteral("R&D"));
    EXPECT_EQ(book.ActiveSheet, 1);
    const TOfficeSheet& s = book.Sheets[1];
    EXPECT_EQ(s.UsedRangeAddress(), QStringLiteral("$A$1:$XFD$7"));
    const QStringList row1 = {QStringLiteral("zwykły"),
                              QStringLiteral("Pogrubione i nie"),
                              QStringLiteral("漢字"),
                              QStringLiteral("A&B <c> \"d\" 'e' Łą"),
                              QStringLiteral("wiersz 1\nwiersz 2"),
                              QString::fromLatin1(padX) + QLatin1Char('&'),
                              QStringLiteral("  dwie spacje")};
    for (int c = 0; c < row1.size(); ++c)
        EXPECT_EQ(cellText(s, 0, c), row1[c]) << c;
    const QStringList row2 = {
        QStringLiteral("w & linii"),  QStringLiteral("1"),     QStringLiteral("0"),    QStringLiteral("01.01.1904"),
        QStringLiteral("1905-01-01"), QStringLiteral("12:00"), QStringLiteral("=A&B"), QString()};
    for (int c = 0; c < row2.size(); ++c)
        EXPECT_EQ(cellText(s, 1, c), row2[c]) << c;
    EXPECT_EQ(cellText(s, 4, 5), QStringLiteral("7,5"));
    EXPECT_EQ(cellText(s, 4, 16383), QStringLiteral("2"));
    EXPECT_EQ(cellText(s, 5, 0), QStringLiteral("-300"));
    EXPECT_EQ(cellText(s, 6, 1), QStringLiteral("4"));
    EXPECT_EQ(cellText(s, 6, 2), QStringLiteral("<empty>"));
    EXPECT_EQ(s.CellCount(), 19u);
}

TEST(GridXlsxReading, ScannerGivesTheSameTokensWhateverPiecesThePartComesIn)
{
    const std::string xml = "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!-- start --><a:root xmlns:a=\"u\">"
                            "<c r=\"A1\" f='x > y &amp; \"z\"' s = \"1\"\t/><v>1&#x20;2&#32;3\r\n4\r5</v>"
                            "<?pi data?><t xml:space=\"preserve\"> <![CDATA[<b>&amp;\r\n]]> </t><e/></a:root>\n";
    const std::string expected = "<root xmlns:a=u><c r=A1 f=x > y & \"z\" s=1></c><v>[1 2 3\n4\n5]</v>"
                                 "<t xml:space=preserve>[ ][<b>&amp;\n][ ]</t><e></e></root>";
    for (const qint64 piece : {1, 2, 3, 7, 16384})
        EXPECT_EQ(tokens(xml, piece), expected) << piece;
}

TEST(GridXlsxReading, HostilePartsAreRefusedWithTheGridsError)
{
    QTemporaryDir dir;
    const QByteArray head = "<worksheet " + kNs + "><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c>";
    const QByteArray tail = "</row></sheetData></worksheet>";
    const QByteArray big(17 << 20, 'x');
    const QString corrupt = QStringLiteral("corrupt file"), tooLong = QStringLiteral("16 MiB");
    const struct {
        const char* Name;
        QByteArray Sheet;
        QString Error;
    } cases[] = {
        {"cut inside a tag", head + "<c r=\"B1\" t=\"s", corrupt},
        {"cut inside an element", head + "<c r=\"B1\"><v>2</v>", corrupt},
        {"end tags crossed", head + "<c r=\"B1\"><v>2</c></v>" + tail, corrupt},
        {"huge attribute", head + "<c r=\"B1\" x=\"" + big + "\"><v>2</v></c>" + tail, tooLong},
        {"huge text", head + "<c r=\"B1\"><v>" + big + "</v></c>" + tail, tooLong},
        {"deep nesting", head + QByteArray("<x>").repeated(100000), corrupt},
        {"DOCTYPE", "<!DOCTYPE w [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;\">]>" + head + "<c><v>&b;</v></c>" + tail,
         corrupt},
        {"undeclared entity", head + "<c><v>&nbsp;</v></c>" + tail, corrupt},
        {"no such character", head + "<c><v>&#0;</v></c>" + tail, corrupt},
        {"text beside the root", head + tail + "x", corrupt},
    };
    for (const auto& c : cases) {
        const QString file = dir.filePath(QStringLiteral("zly.xlsx"));
        writePackage(file, {{QStringLiteral("xl/worksheets/sheet1.xml"), c.Sheet}});
        const QString error = errorOf(file);
        EXPECT_TRUE(error.contains(c.Error) && error.contains(file)) << c.Name << ": " << qPrintable(error);
    }
    // An attribute under the limit full of ">" is read past, once: the cell after it is there.
    const QString file = dir.filePath(QStringLiteral("dobry.xlsx"));
    writePackage(file,
                 {{QStringLiteral("xl/worksheets/sheet1.xml"),
                   head + "<c r=\"B1\" x=\"" + QByteArray("a>").repeated(4 << 20) + "\"><v>2</v></c>" + tail}});
    QElapsedTimer t;
    t.start();
    const TOfficeWorkbook book = ReadWorkbook(file);
    std::printf("[ time     ] 8 MiB attribute of \">\": %lld ms\n", t.elapsed());
    ASSERT_EQ(book.Sheets.size(), 1u);
    EXPECT_EQ(cellText(book.Sheets[0], 0, 1), QStringLiteral("2"));
}
