// The grid's exchange formats: the exact bytes of the native file and stream, their round
// trips (widths, hidden rows and columns, fixed cells, line breaks), delimited text with its
// quoting, detection and import edge cases, fixed widths, the text report, and the HTML and
// XML output of a small grid; texts outside Windows-1250 written as UTF-8 with a mark.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridFiles.h"

#include "support/GridErrorOf.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace grid;
using namespace grid::files;

namespace {

class GridFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const QString& name) const { return dir.filePath(name); }
    QByteArray Bytes(const QString& name) const
    {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
};

// A grid of Cols x Rows with one fixed column and row.
void Size(TTxStringGrid& g, int cols, int rows)
{
    g.SetColCount(cols);
    g.SetRowCount(rows);
}

} // namespace

// --- native file and stream ----------------------------------------------------------------

TEST_F(GridFiles, NativeFileBytesFollowTheLayout)
{
    TTxStringGrid g;
    Size(g, 3, 2);
    g.setColWidths(1, 80);
    g.setCells(1, 0, QStringLiteral("a\r\nb"));
    g.setCells(0, 1, QStringLiteral("Łódź"));
    g.setCells(2, 1, QStringLiteral("x,y"));
    g.setCells(1, 1, QStringLiteral("t\tu")); // a tab without a line break stays a tab
    g.SaveToFile(Path("g.txt"));
    EXPECT_EQ(Bytes("g.txt"),
              QByteArray("3,2\r\ncw 0,64\r\ncw 1,80\r\ncw 2,64\r\n"
                         "1,0,a\t\bb\r\n"
                         "0,1,\xA3\xF3\x64\x9F\r\n1,1,t\tu\r\n2,1,x,y\r\n"));

    TTxStringGrid h;
    h.Multilinecells = true;
    h.LoadFromFile(Path("g.txt"));
    EXPECT_EQ(h.colCount(), 3);
    EXPECT_EQ(h.rowCount(), 2);
    EXPECT_EQ(h.colWidths(1), 80);
    EXPECT_EQ(h.cells(1, 0), QStringLiteral("a\r\nb"));
    EXPECT_EQ(h.cells(0, 1), QStringLiteral("Łódź"));
    EXPECT_EQ(h.cells(2, 1), QStringLiteral("x,y")); // only two commas separate
    EXPECT_EQ(h.cells(1, 1), QStringLiteral("t\tu"));
    h.Multilinecells = false; // how cells show; the load keeps every line
    h.LoadFromFile(Path("g.txt"));
    EXPECT_EQ(h.cells(1, 0), QStringLiteral("a\r\nb"));

    g.setCells(1, 0, QStringLiteral("p\tq\r\nr")); // a tab beside a line break comes back as CR
    g.SaveToFile(Path("g.txt"));
    h.Multilinecells = true;
    h.LoadFromFile(Path("g.txt"));
    EXPECT_EQ(h.cells(1, 0), QStringLiteral("p\rq\r\nr"));
}

TEST_F(GridFiles, NativeFileRoundTripsFixedCellsAndHiddenRowsAndColumns)
{
    TTxStringGrid g;
    Size(g, 4, 5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            g.setCells(c, r, QStringLiteral("%1%2").arg(QChar('A' + c)).arg(r));
    g.setColWidths(3, 90);
    g.HideRow(2);    // hidden rows are not part of the grid's rows
    g.HideColumn(1); // B: the file lists the shown columns, hidden ones after them
    g.SaveWithFixedCells = false;
    std::vector<int> progress;
    g.OnFileProgress = [&](TTxStringGrid&, short p) { progress.push_back(p); };
    g.SaveToFile(Path("f.txt"));
    EXPECT_EQ(progress, (std::vector<int>{0, 50, 100}));
    EXPECT_TRUE(Bytes("f.txt").startsWith("2,3\r\ncw 1,64\r\ncw 2,90\r\n1,1,C1\r\n2,1,D1\r\n3,1,B1\r\n"));

    TTxStringGrid h; // one fixed column and row: the loader adds them back
    h.SaveWithFixedCells = false;
    h.LoadFromFile(Path("f.txt"));
    EXPECT_EQ(h.colCount(), 3);
    EXPECT_EQ(h.rowCount(), 4);
    EXPECT_EQ(h.cells(1, 1), QStringLiteral("C1"));
    EXPECT_EQ(h.cells(2, 2), QStringLiteral("D3")); // row 3 was shown second
    EXPECT_EQ(h.cells(0, 1), QString());            // fixed cells were not saved
    EXPECT_EQ(h.colWidths(2), 90);

    g.SaveWithFixedCells = true;
    g.SaveWithHiddenColumns = true;
    g.SaveToFile(Path("h.txt"));
    TTxStringGrid k;
    k.LoadFromFile(Path("h.txt"));
    EXPECT_EQ(k.colCount(), 4); // the hidden column is shown after the others
    EXPECT_EQ(k.cells(3, 0), QStringLiteral("B0"));
    EXPECT_EQ(k.cells(2, 3), QStringLiteral("D4"));
    EXPECT_EQ(k.colWidths(3), 64); // past the shown columns: the default width
}

TEST_F(GridFiles, NativeFileLoadSkipsBadLinesAndRefusesCorruptHeaders)
{
    TTxStringGrid g;
    Size(g, 3, 3);
    g.setCells(2, 2, QStringLiteral("old"));
    Write("bad.txt", "3,3\r\n-1,0,neg\r\n0,-1,neg\r\n9,1,far\r\nx,1,nan\r\ncw -1,5\r\ncw 7,5\r\n1,1,ok\n\r\n");
    g.LoadFromFile(Path("bad.txt"));
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("ok"));  // a lone LF ends the line as CR LF does
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("old")); // a load never clears
    EXPECT_EQ(g.cells(0, 0), QString());

    Write("empty.txt", "\r\n1,1,z\r\n"); // an empty header keeps the size
    Size(g, 4, 4);
    g.LoadFromFile(Path("empty.txt"));
    EXPECT_EQ(g.colCount(), 4);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("z"));

    auto message = [&](const QString& file) {
        try {
            g.LoadFromFile(file);
        } catch (const ETxGridError& e) {
            return e.message();
        }
        return QString();
    };
    // Every refusal leaves the grid as it was, its size and its cells.
    auto unchanged = [&] { return g.colCount() == 4 && g.rowCount() == 4 && g.cells(1, 1) == QStringLiteral("z"); };
    Write("zero.txt", "0,4\r\n");
    EXPECT_EQ(message(Path("zero.txt")), QStringLiteral("File contains no data or corrupt file ") + Path("zero.txt"));
    EXPECT_TRUE(unchanged());
    Write("huge.txt", "2000000000,5\r\n");
    EXPECT_EQ(message(Path("huge.txt")), QStringLiteral("File contains no data or corrupt file ") + Path("huge.txt"));
    EXPECT_TRUE(unchanged());
    // The limits of the other text readers: the range a header asks for, the file's size.
    Write("wide.txt", "100,10000000\r\n0,0,a\r\n");
    EXPECT_EQ(
        message(Path("wide.txt")),
        QStringLiteral("Plik %1 jest za duży: siatka wczytuje najwyżej 4 000 000 komórek.").arg(Path("wide.txt")));
    EXPECT_TRUE(unchanged());
    {
        QFile sparse(Path("sparse.txt"));
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.write("2,2\r\n") == 5
                    && sparse.resize(qint64(3) << 30));
    }
    EXPECT_EQ(message(Path("sparse.txt")),
              QStringLiteral("Plik %1 jest za duży: ma więcej niż 128 MiB.").arg(Path("sparse.txt")));
    EXPECT_TRUE(unchanged());
    EXPECT_EQ(message(Path("none.txt")), QStringLiteral("Cannot open file ") + Path("none.txt"));
    EXPECT_THROW(g.SaveToFile(Path("no/such/dir.txt")), ETxGridError);
}

TEST_F(GridFiles, StreamIsRelativeToTheFirstSavedCellAndReadsStrictly)
{
    TTxStringGrid g;
    Size(g, 3, 3);
    g.SaveWithFixedCells = false;
    g.setCells(0, 0, QStringLiteral("fixed"));
    g.setCells(1, 1, QStringLiteral("a"));
    g.setCells(2, 2, QStringLiteral("b\r\nc"));
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    g.SaveToStream(buf);
    EXPECT_EQ(buf.data(), QByteArray("2,2\r\ncw 0,64\r\ncw 1,64\r\ncw 2,64\r\n0,0,a\r\n1,1,b\t\bc\r\n"));

    TTxStringGrid h;
    h.SaveWithFixedCells = false;
    h.Multilinecells = true;
    buf.seek(0);
    h.LoadFromStream(buf);
    EXPECT_EQ(h.colCount(), 3);
    EXPECT_EQ(h.cells(1, 1), QStringLiteral("a"));
    EXPECT_EQ(h.cells(2, 2), QStringLiteral("b\r\nc"));

    QBuffer bad;
    bad.setData("3,3\r\n1,1,kept\r\n1,x,lost\r\n2,2,after\r\n");
    bad.open(QIODevice::ReadOnly);
    TTxStringGrid k;
    EXPECT_THROW(k.LoadFromStream(bad), EConvertError);
    EXPECT_EQ(k.cells(1, 1), QStringLiteral("kept"));
    EXPECT_EQ(k.cells(2, 2), QString());
}

// --- delimited text ------------------------------------------------------------------------

TEST(GridCSV, FieldsAreQuotedOnlyWhereTheyMustBe)
{
    TCSVOptions o;
    EXPECT_EQ(CSVField(QStringLiteral("a"), o), QStringLiteral("a"));
    EXPECT_EQ(CSVField(QStringLiteral("b,c"), o), QStringLiteral("\"b,c\""));
    EXPECT_EQ(CSVField(QString(), o), QStringLiteral("\"\""));
    EXPECT_EQ(CSVField(QStringLiteral("x\r\ny"), o), QStringLiteral("\"x\ny\""));
    EXPECT_EQ(CSVField(QStringLiteral("a\"b,c"), o), QStringLiteral("\"a\"\"b,c\""));
    EXPECT_EQ(CSVField(QStringLiteral("\"q"), o), QStringLiteral("\"\"\"q\""));
    EXPECT_EQ(CSVField(QStringLiteral("in\"side"), o), QStringLiteral("in\"side"));
    o.QuoteEmpty = false;
    EXPECT_EQ(CSVField(QString(), o), QString());
    o.QuoteAll = true; // wrapped once even with a separator inside
    EXPECT_EQ(CSVField(QStringLiteral("b,c"), o), QStringLiteral("\"b,c\""));
    o.QuoteAll = false;
    o.TildeLineBreaks = true;
    EXPECT_EQ(CSVField(QStringLiteral("x\r\ny"), o), QStringLiteral("x~y"));
    EXPECT_EQ(CSVField(QString(), o), QStringLiteral("^"));
    EXPECT_EQ(CSVField(QStringLiteral("x\r\ny,z"), o), QStringLiteral("\"x~y,z\""));
}

TEST(GridCSV, LinesSplitWithQuotesTildesAndBrokenFields)
{
    const QChar comma = QLatin1Char(',');
    EXPECT_EQ(SplitCSVLine(QStringLiteral("a,\"b,c\""), comma, false), (QStringList{"a", "b,c"}));
    EXPECT_EQ(SplitCSVLine(QStringLiteral("\"x\ny\""), comma, false), (QStringList{"x\r\ny"}));
    EXPECT_EQ(SplitCSVLine(QStringLiteral("\"a\"\"b,c\",d"), comma, false), (QStringList{"a\"b,c", "d"}));
    EXPECT_EQ(SplitCSVLine(QStringLiteral("a,b,"), comma, false), (QStringList{"a", "b"}));
    EXPECT_EQ(SplitCSVLine(QStringLiteral("a,,b"), comma, false), (QStringList{"a", "", "b"}));
    // An unclosed quote: an empty field, the text up to the next separator lost.
    EXPECT_EQ(SplitCSVLine(QStringLiteral("\"open,b,c"), comma, false), (QStringList{"", "b", "c"}));
    EXPECT_EQ(SplitCSVLine(QStringLiteral("x~y,^"), comma, true), (QStringList{"x\r\ny", ""}));
    EXPECT_EQ(SplitCSVLine(QStringLiteral("a,b"), QChar(0), false), (QStringList{"a,b"}));

    EXPECT_EQ(DetectDelimiter(QStringLiteral("a;b;c;d,e,f,g"), QStringLiteral("1;2;3;4,5,6,7"), true),
              QLatin1Char(','));
    EXPECT_EQ(DetectDelimiter(QStringLiteral("a\tb\tc"), QStringLiteral("1\t2\t3"), true), QChar(9));
    EXPECT_EQ(DetectDelimiter(QStringLiteral("a;b;c"), QStringLiteral("1;2"), true), QChar(0));
    EXPECT_EQ(DetectDelimiter(QStringLiteral("a;;b;;c"), QStringLiteral("1;;2;;3"), true), QLatin1Char(';'));
    EXPECT_EQ(DetectDelimiter(QStringLiteral("a|b|c"), QString(), false), QLatin1Char('|'));
    // Separators inside quoted fields are text.
    EXPECT_EQ(DetectDelimiter(QStringLiteral("\"a\"\"b,c\",p,z"), QStringLiteral("1,2,3"), true), QLatin1Char(','));
    EXPECT_EQ(DetectDelimiter(QStringLiteral("\"x\ny;z\";p"), QStringLiteral("1;2"), true), QLatin1Char(';'));
}

TEST_F(GridFiles, CSVRoundTripAndImportEdges)
{
    TTxStringGrid g;
    Size(g, 3, 2);
    g.setCells(0, 0, QStringLiteral("a"));
    g.setCells(1, 0, QStringLiteral("b,c"));
    g.setCells(2, 0, QStringLiteral("ż"));
    g.setCells(0, 1, QStringLiteral("x\r\ny")); // quoted even without Multilinecells
    g.setCells(1, 1, QStringLiteral("say \"hi\", bye"));
    g.SaveToCSV(Path("g.csv"));
    EXPECT_EQ(Bytes("g.csv"), QByteArray("a,\"b,c\",\xBF\r\n\"x\ny\",\"say \"\"hi\"\", bye\",\"\"\r\n"));

    TTxStringGrid h;
    Size(h, 2, 9);
    h.LoadFromCSV(Path("g.csv"));
    EXPECT_EQ(h.rowCount(), 2);
    EXPECT_EQ(h.colCount(), 3); // grown to the fields
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(h.cells(c, r), g.cells(c, r)) << c << "," << r;
    EXPECT_EQ(h.Delimiter, QChar(0)); // detection leaves the setting alone

    g.CSVTildeLineBreaks = true;
    g.Delimiter = QLatin1Char(';');
    g.SaveToCSV(Path("t.csv"));
    g.AppendToCSV(Path("t.csv"));
    EXPECT_EQ(Bytes("t.csv"), QByteArray("a;b,c;\xBF\r\nx~y;say \"hi\", bye;^\r\n").repeated(2));
    TTxStringGrid t;
    t.CSVTildeLineBreaks = true;
    t.Delimiter = QLatin1Char(';');
    t.LoadFromCSV(Path("t.csv"));
    EXPECT_EQ(t.rowCount(), 4);
    EXPECT_EQ(t.cells(0, 3), QStringLiteral("x\r\ny"));
    EXPECT_EQ(t.cells(2, 3), QString());

    Write("three.csv", "1,2\r\n3,4\r\n5,6,\r\n");
    TTxStringGrid k;
    Size(k, 3, 5);
    k.SaveWithFixedCells = false;
    k.setCells(1, 4, QStringLiteral("keep"));
    k.InsertFromCSV(Path("three.csv"));
    EXPECT_EQ(k.rowCount(), 8);
    EXPECT_EQ(k.cells(1, 4), QStringLiteral("keep"));
    EXPECT_EQ(k.cells(1, 5), QStringLiteral("1"));
    EXPECT_EQ(k.cells(2, 7), QStringLiteral("6"));
    EXPECT_EQ(k.colCount(), 3); // the separator at the end added no column

    // Line 1 with a quoted comma, a quoted quote and a quoted line break; line 2 plain.
    Write("q.csv", "\"a\"\"b,c\",\"x\ny\",z\r\n1,2,3\r\n");
    TTxStringGrid q;
    Size(q, 1, 1);
    q.LoadFromCSV(Path("q.csv"));
    EXPECT_EQ(q.colCount(), 3);
    EXPECT_EQ(q.cells(0, 0), QStringLiteral("a\"b,c"));
    EXPECT_EQ(q.cells(1, 0), QStringLiteral("x\r\ny"));
    EXPECT_EQ(q.cells(2, 1), QStringLiteral("3"));
    q.SaveToCSV(Path("q2.csv"));
    EXPECT_EQ(Bytes("q2.csv"), Bytes("q.csv"));

    k.LoadFromCSV(Path("three.csv")); // below the fixed row
    EXPECT_EQ(k.rowCount(), 4);
    EXPECT_EQ(k.cells(1, 1), QStringLiteral("1"));
    EXPECT_THROW(k.LoadFromCSV(Path("none.csv")), ETxGridError);
}

TEST_F(GridFiles, LinuxAndOldMacLineEndsReadLikeCRLF)
{
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\n"), QByteArray("\r")}) {
        const std::string what = end.toHex().toStdString();
        // A delimited file; its quoted field holds a line end of the same kind.
        Write("e.csv", "h1,h2" + end + "1,\"x" + end + "y\"" + end + "3,4" + end);
        TTxStringGrid g;
        Size(g, 2, 9);
        g.LoadFromCSV(Path("e.csv"));
        EXPECT_EQ(g.rowCount(), 3) << what;
        EXPECT_EQ(g.cells(1, 0), QStringLiteral("h2")) << what;
        EXPECT_EQ(g.cells(1, 1), QStringLiteral("x\r\ny")) << what;
        EXPECT_EQ(g.cells(1, 2), QStringLiteral("4")) << what;

        // Fixed widths.
        Write("f.txt", "ab" + end + "cd" + end);
        TTxStringGrid f;
        f.SaveWithFixedCells = true;
        Size(f, 2, 1);
        TIntList pos;
        for (int p : {1, 2, 3})
            pos.Add(p);
        f.LoadFromFixed(Path("f.txt"), pos);
        EXPECT_EQ(f.rowCount(), 2) << what;
        EXPECT_EQ(f.cells(1, 1), QStringLiteral("d")) << what;

        // The grid's own cell file.
        Write("n.txt", "2,2" + end + "1,1,z" + end);
        TTxStringGrid n;
        n.SaveWithFixedCells = true;
        n.LoadFromFile(Path("n.txt"));
        EXPECT_EQ(n.cells(1, 1), QStringLiteral("z")) << what;
    }

    // A cell holding a lone LF keeps its line in the cell file.
    TTxStringGrid g;
    Size(g, 2, 2);
    g.setCells(1, 1, QStringLiteral("p\nq"));
    g.SaveToFile(Path("lf.txt"));
    TTxStringGrid h;
    h.LoadFromFile(Path("lf.txt"));
    EXPECT_EQ(h.cells(1, 1), QStringLiteral("p\nq"));
}

TEST_F(GridFiles, QuotedFieldsAndCodingsReadAsOtherProgramsWriteThem)
{
    const QString old = QStringLiteral("stare");
    struct Case {
        const char* what;
        QByteArray bytes;
        QList<QStringList> rows; // the first cells of each row
    };
    const Case cases[] = {
        {"doubled quotes before the closing one",
         "Nazwa,Opis,Ilo\xC5\x9B\xC4\x87\nMonitor,\"Ekran 24\"\"\",2\nKabel,\"HDMI \"\"gold\"\"\",5\n",
         {{"Nazwa", "Opis", "Ilość"}, {"Monitor", "Ekran 24\"", "2"}, {"Kabel", "HDMI \"gold\"", "5"}}},
        {"every text quoted",
         "\"cytat \"\"w \xC5\x9Brodku\"\"\",\"-3\",\n\"p\",\"q\",\n",
         {{"cytat \"w środku\"", "-3"}, {"p", "q"}}},
        {"a quote inside a plain field while the separator is guessed",
         "Monitor 24\",10,szt\r\nKabel,5,m\r\n",
         {{"Monitor 24\"", "10", "szt"}, {"Kabel", "5", "m"}}},
        {"text after a closing quote", "\"a\"b,c\r\n", {{"ab", "c"}}},
        {"Windows-1250", "Za\xBF\xF3\xB3\xE6,1\r\n", {{"Zażółć", "1"}}},
        {"UTF-8", "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87,1\r\n", {{"Zażółć", "1"}}},
        {"UTF-8 marked, plain ASCII", "\xEF\xBB\xBFName,x\r\n", {{"Name", "x"}}},
    };
    for (const Case& c : cases) {
        Write("c.csv", c.bytes);
        TTxStringGrid g;
        g.SaveWithFixedCells = true;
        Size(g, 3, 3);
        for (int r = 0; r < 3; ++r)
            for (int k = 0; k < 3; ++k)
                g.setCells(k, r, old);
        g.LoadFromCSV(Path("c.csv"));
        EXPECT_EQ(g.rowCount(), c.rows.size()) << c.what;
        for (int r = 0; r < c.rows.size(); ++r)
            for (int k = 0; k < c.rows[r].size(); ++k)
                EXPECT_EQ(g.cells(k, r), c.rows[r][k]) << c.what << " " << k << "," << r;
    }

    // The fixed-width and the grid's own text forms judge the coding the same way.
    const QByteArray utf8("Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87"), mark("\xEF\xBB\xBF");
    for (const auto& [start, word] : {std::pair{QByteArray(), QByteArray("Za\xBF\xF3\xB3\xE6")},
                                      std::pair{QByteArray(), utf8}, std::pair{mark, utf8}}) {
        Write("f.txt", start + word + "  12\r\n");
        TTxStringGrid f;
        f.SaveWithFixedCells = true;
        Size(f, 2, 1);
        TIntList pos;
        for (int p : {1, 7, 11})
            pos.Add(p);
        f.LoadFromFixed(Path("f.txt"), pos);
        const std::string what = (start + word).toHex().toStdString();
        EXPECT_EQ(f.cells(0, 0), QStringLiteral("Zażółć")) << what;
        EXPECT_EQ(f.cells(1, 0), QStringLiteral("12")) << what;

        Write("n.txt", start + "2,2\r\n1,1," + word + "\r\n");
        TTxStringGrid n;
        n.SaveWithFixedCells = true;
        n.LoadFromFile(Path("n.txt"));
        EXPECT_EQ(n.cells(1, 1), QStringLiteral("Zażółć")) << what;
    }
}

TEST_F(GridFiles, EveryCSVTheGridWritesReadsBackEqual)
{
    const QStringList texts{"cena, \"netto\"", "Monitor 24\"", "a\"\"b",    "\"q", "\"q\"",  "b\"",
                            "x\r\ny",          "Nr #1; a|b",   "tab\there", "",    "Zażółć", "say \"hi\"\r\nok"};
    struct Case {
        const char* what;
        QChar delimiter;
        bool quoteAll, quoteEmpty, tilde;
    };
    const Case cases[] = {
        {"guessed", QChar(0), false, true, false},
        {"semicolon", QLatin1Char(';'), false, true, false},
        {"tab", QChar(9), false, true, false},
        {"every cell quoted", QChar(0), true, true, false},
        {"empty unquoted", QChar(0), false, false, false},
        {"tildes", QLatin1Char(';'), false, true, true},
    };
    for (const Case& c : cases) {
        auto setUp = [&](TTxStringGrid& g) {
            g.SaveWithFixedCells = true;
            g.Delimiter = c.delimiter;
            g.CSVQuoteAll = c.quoteAll;
            g.CSVQuoteEmpty = c.quoteEmpty;
            g.CSVTildeLineBreaks = c.tilde;
            Size(g, 3, 4);
        };
        TTxStringGrid g;
        setUp(g);
        for (int i = 0; i < texts.size(); ++i)
            g.setCells(i % 3, i / 3, texts[i]);
        g.SaveToCSV(Path("r.csv"));
        TTxStringGrid h;
        setUp(h);
        h.LoadFromCSV(Path("r.csv"));
        EXPECT_EQ(h.rowCount(), 4) << c.what;
        for (int i = 0; i < texts.size(); ++i)
            EXPECT_EQ(h.cells(i % 3, i / 3), texts[i]) << c.what << ": " << texts[i].toStdString();
    }
}

// LibreOffice's own export of a book openpyxl made, every text quoted as it does on request.
TEST_F(GridFiles, LibreOfficeExportLoadsWhole)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    if (soffice.isEmpty() || !probe.waitForFinished(30000) || probe.exitCode() != 0)
        GTEST_SKIP() << "LibreOffice (soffice) or Debian's openpyxl (/usr/bin/python3) is not installed";
    const QList<QStringList> rows{
        {"Nazwa", "Opis", "Ilość"},   {"Monitor", "Ekran 24\"", "2"},        {"Kabel", "HDMI \"gold\"", "5"},
        {"cytat \"w środku\"", "-3"}, {"l1\r\nl2", "a,b;c", "Monitor 24\""}, {"Zażółć gęślą jaźń", "tab\there", "3.5"}};
    QProcess py;
    py.start(python,
             {QStringLiteral("-c"), QStringLiteral(R"(
import json, sys, openpyxl
wb = openpyxl.Workbook()
for row in json.load(sys.stdin):
    wb.active.append([int(v) if v.isdigit() else float(v) if v == "3.5" else v.replace("\r\n", "\n")
                      for v in row])
wb.save(sys.argv[1])
)"),
              Path("book.xlsx")});
    QJsonArray json;
    for (const QStringList& r : rows)
        json.append(QJsonArray::fromStringList(r));
    py.write(QJsonDocument(json).toJson());
    py.closeWriteChannel();
    ASSERT_TRUE(py.waitForFinished(60000) && py.exitCode() == 0) << py.readAllStandardError().toStdString();

    QProcess lo;
    lo.start(soffice,
             {QStringLiteral("-env:UserInstallation=file://") + Path("profile"), QStringLiteral("--headless"),
              QStringLiteral("--convert-to"), QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true"),
              QStringLiteral("--outdir"), dir.path(), Path("book.xlsx")});
    ASSERT_TRUE(lo.waitForFinished(120000)) << "LibreOffice did not finish";
    const QByteArray csv = Bytes("book.csv");
    ASSERT_TRUE(csv.startsWith("\"Nazwa\",")) << csv.toStdString();
    ASSERT_TRUE(csv.contains("\"cytat \"\"w \xC5\x9Brodku\"\"\",\"-3\",\n")) << csv.toStdString();

    // Into a wider grid holding texts of its own: the rows loaded hold the file's cells only.
    TTxStringGrid g;
    g.SaveWithFixedCells = true;
    Size(g, 5, 9);
    for (int r = 0; r < 9; ++r)
        for (int k = 0; k < 5; ++k)
            g.setCells(k, r, QStringLiteral("stare"));
    g.LoadFromCSV(Path("book.csv"));
    EXPECT_EQ(g.rowCount(), rows.size());
    EXPECT_EQ(g.colCount(), 5); // the column count never shrinks
    for (int r = 0; r < rows.size(); ++r)
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(g.cells(k, r), rows[r].value(k)) << k << "," << r;
}

// Files Python writes (its csv module, and text in UTF-16 with a byte order mark of either
// order, as a spreadsheet's "Unicode text" export writes it) load into the grid as written in
// every text reader, a field of a thousand doubled quotes among them; the grid's CSV of them
// reads back the same in Python's csv. OEM text the same, and a text it cannot hold refused.
TEST_F(GridFiles, PythonsFilesLoadAndTheGridsCSVReadsBackInPython)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    if (!QFile::exists(python))
        GTEST_SKIP() << "python3 is not installed";
    QProcess py;
    py.start(python,
             {QStringLiteral("-c"), QStringLiteral(R"(
import csv, sys, os
rows = [['Łódź', 'a"b', '"' * 1000 + 'x'], ['Ωμέγα 😀', 'l1\nl2', '1 234,50']]
d = sys.argv[1]
for name, coding, mark in [('le.csv', 'utf-16', ''), ('be.csv', 'utf-16-be', '\ufeff'), ('u8.csv', 'utf-8', '')]:
    with open(os.path.join(d, name), 'w', encoding=coding, newline='') as f:
        f.write(mark)
        csv.writer(f).writerows(rows)
with open(os.path.join(d, 'oem.csv'), 'w', encoding='cp852', newline='') as f:
    csv.writer(f).writerow(['Żółw', 'gęś'])
for name, coding, mark in [('le', 'utf-16', ''), ('be', 'utf-16-be', '\ufeff')]:
    with open(os.path.join(d, name + '.txt'), 'w', encoding=coding, newline='') as f:
        f.write(mark + '2,1\r\ncw 0,70\r\n0,0,Łódź\r\n1,0,Ωμέγα 😀\r\n')
    with open(os.path.join(d, name + '.fix'), 'w', encoding=coding, newline='') as f:
        f.write(mark + 'Łódź  Ωμέγα\r\n')
)"),
              dir.path()});
    ASSERT_TRUE(py.waitForFinished(30000) && py.exitCode() == 0) << py.readAllStandardError().toStdString();
    const QStringList row0{"Łódź", "a\"b", QString(1000, QLatin1Char('"')) + QLatin1Char('x')},
        row1{"Ωμέγα 😀", "l1\r\nl2", "1 234,50"};
    for (const char* file : {"le.csv", "be.csv", "u8.csv"}) {
        TTxStringGrid g;
        g.SaveWithFixedCells = true;
        Size(g, 1, 1);
        g.LoadFromCSV(Path(QLatin1String(file)));
        ASSERT_EQ(g.rowCount(), 2) << file;
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(g.cells(k, 0), row0[k]) << file << " " << k;
            EXPECT_EQ(g.cells(k, 1), row1[k]) << file << " " << k;
        }
        g.SaveToCSV(Path("back.csv"));
    }
    for (const char* kind : {"le", "be"}) {
        TTxStringGrid n;
        n.SaveWithFixedCells = true;
        n.LoadFromFile(Path(QLatin1String(kind) + QStringLiteral(".txt")));
        EXPECT_EQ(n.colWidths(0), 70) << kind;
        EXPECT_EQ(n.cells(0, 0), QStringLiteral("Łódź")) << kind;
        EXPECT_EQ(n.cells(1, 0), QStringLiteral("Ωμέγα 😀")) << kind;
        TTxStringGrid f;
        f.SaveWithFixedCells = true;
        TIntList pos;
        for (int p : {1, 7, 12})
            pos.Add(p);
        f.LoadFromFixed(Path(QLatin1String(kind) + QStringLiteral(".fix")), pos);
        EXPECT_EQ(f.cells(0, 0), QStringLiteral("Łódź")) << kind;
        EXPECT_EQ(f.cells(1, 0), QStringLiteral("Ωμέγα")) << kind;
    }
    // OEM text (code page 852) read and written as Python writes it; a text the code page
    // lacks is refused, the file as it was, as an append that cannot be encoded is.
    TTxStringGrid o;
    o.SaveWithFixedCells = true;
    o.OemConvert = true;
    Size(o, 2, 1);
    o.LoadFromCSV(Path("oem.csv"));
    EXPECT_EQ(o.cells(0, 0), QStringLiteral("Żółw"));
    o.SaveToCSV(Path("oem2.csv"));
    EXPECT_EQ(Bytes("oem2.csv"), Bytes("oem.csv"));
    o.setCells(1, 0, QStringLiteral("Firma „Żółw” – 10 €"));
    const QString refused = QStringLiteral("Tekstu komórki w wierszu 1 nie da się zapisać w stronie kodowej 852 "
                                           "(DOS): plik %1 pozostał bez zmian.");
    EXPECT_EQ(errorOf([&] { o.SaveToCSV(Path("oem2.csv")); }), refused.arg(Path("oem2.csv")));
    EXPECT_EQ(errorOf([&] { o.AppendToCSV(Path("oem2.csv")); }), refused.arg(Path("oem2.csv")));
    EXPECT_EQ(Bytes("oem2.csv"), Bytes("oem.csv"));

    QProcess back;
    back.start(python,
               {QStringLiteral("-c"), QStringLiteral(R"(
import csv, sys, json
with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:
    print(json.dumps(list(csv.reader(f)), ensure_ascii=False))
)"),
                Path("back.csv")});
    ASSERT_TRUE(back.waitForFinished(30000) && back.exitCode() == 0) << back.readAllStandardError().toStdString();
    const QJsonArray read = QJsonDocument::fromJson(back.readAllStandardOutput()).array();
    ASSERT_EQ(read.size(), 2);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(read[0].toArray()[k].toString(), row0[k]);
        EXPECT_EQ(read[1].toArray()[k].toString(),
                  QString(row1[k]).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
}

// A UTF-8 file of Greek, Cyrillic and an emoji loads and saves as the same cells: every text
// file the grid writes in Windows-1250 becomes UTF-8 with a byte order mark when a text does
// not fit it (read so by the grid and by LibreOffice), and stays Windows-1250 when all fit.
// Lines added to a Windows-1250 file that cannot hold them are refused, the file kept.
TEST_F(GridFiles, TextsOutsideWindows1250MakeTheFileUtf8WithAMark)
{
    const QByteArray mark("\xEF\xBB\xBF"), line = QStringLiteral("Ωμέγα,Ж,😀,Zażółć").toUtf8();
    Write("u.csv", line + "\r\n");
    TTxStringGrid g;
    g.SaveWithFixedCells = true;
    Size(g, 1, 1);
    g.LoadFromCSV(Path("u.csv"));
    ASSERT_EQ(g.cells(2, 0), QStringLiteral("😀"));
    g.SaveToCSV(Path("out.csv"));
    EXPECT_EQ(Bytes("out.csv"), mark + line + "\r\n");

    TIntList widths, positions;
    const struct Writer {
        const char* File;
        std::function<void(TTxStringGrid&, const QString&)> Save, Load;
    } writers[] = {
        {"a.csv", [](TTxStringGrid& t, const QString& f) { t.SaveToCSV(f); },
         [](TTxStringGrid& t, const QString& f) { t.LoadFromCSV(f); }},
        {"a.txt", [](TTxStringGrid& t, const QString& f) { t.SaveToFile(f); },
         [](TTxStringGrid& t, const QString& f) { t.LoadFromFile(f); }},
        {"a.fix",
         [&](TTxStringGrid& t, const QString& f) {
             widths.Clear();
             t.SaveToFixed(f, widths);
             positions.Clear();
             positions.Add(1);
             for (int i = 0; i < widths.Count(); ++i)
                 positions.Add(positions.GetInteger(i) + widths.GetInteger(i));
         },
         [&](TTxStringGrid& t, const QString& f) { t.LoadFromFixed(f, positions); }},
        {"a.prn", [](TTxStringGrid& t, const QString& f) { t.SaveToASCII(f); }, nullptr},
        {"a.htm", [](TTxStringGrid& t, const QString& f) { t.SaveToHTML(f); }, nullptr},
    };
    for (const QString& first : {QStringLiteral("Zażółć"), QStringLiteral("Ωμέγα 😀")}) {
        const bool fits = first.startsWith(QLatin1Char('Z'));
        TTxStringGrid t;
        t.SaveWithFixedCells = true;
        Size(t, 2, 1);
        t.setCells(0, 0, first);
        t.setCells(1, 0, QStringLiteral("gęślą"));
        for (const Writer& w : writers) {
            w.Save(t, Path(w.File));
            const QByteArray bytes = Bytes(w.File);
            EXPECT_EQ(bytes.startsWith(mark), !fits) << w.File;
            EXPECT_TRUE(bytes.contains(fits ? QByteArray("Za\xBF\xF3\xB3\xE6") : first.toUtf8())) << w.File;
            EXPECT_TRUE(bytes.contains(fits ? QByteArray("g\xEA\x9Cl\xB9") : QStringLiteral("gęślą").toUtf8()))
                << w.File;
            if (!w.Load)
                continue;
            TTxStringGrid back;
            back.SaveWithFixedCells = true;
            Size(back, 2, 1);
            w.Load(back, Path(w.File));
            EXPECT_EQ(back.cells(0, 0), first) << w.File;
            EXPECT_EQ(back.cells(1, 0), QStringLiteral("gęślą")) << w.File;
        }
    }

    // Added to a file: after UTF-8 in UTF-8; after Windows-1250 only what it holds.
    g.AppendToCSV(Path("out.csv"));
    EXPECT_EQ(Bytes("out.csv"), mark + line + "\r\n" + line + "\r\n");
    Write("ansi.csv", "Za\xBF\xF3\xB3\xE6\r\n");
    TTxStringGrid two; // a line that fits, then one that does not
    two.SaveWithFixedCells = true;
    Size(two, 1, 2);
    two.setCells(0, 0, QStringLiteral("pasuje"));
    two.setCells(0, 1, QStringLiteral("Ж"));
    EXPECT_TRUE(errorOf([&] { two.AppendToCSV(Path("ansi.csv")); }).contains(QStringLiteral("nic nie dopisano")));
    EXPECT_EQ(Bytes("ansi.csv"), QByteArray("Za\xBF\xF3\xB3\xE6\r\n"));

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    // LibreOffice judging the coding as its import does (no character set given), writing UTF-8.
    QProcess lo;
    lo.start(soffice,
             {QStringLiteral("-env:UserInstallation=file://") + Path("profile"), QStringLiteral("--headless"),
              QStringLiteral("--infilter=CSV:44,34,,1"), QStringLiteral("--convert-to"),
              QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), QStringLiteral("--outdir"), Path("lo"),
              Path("out.csv")});
    ASSERT_TRUE(lo.waitForFinished(120000)) << "LibreOffice did not finish";
    EXPECT_EQ(Bytes("lo/out.csv"), line + "\n" + line + "\n");
}

// --- fixed widths and the text report ------------------------------------------------------

TEST_F(GridFiles, FixedWidthsAreFilledInAndReadByPositions)
{
    TTxStringGrid g;
    Size(g, 2, 2);
    g.setCells(0, 0, QStringLiteral("a"));
    g.setCells(1, 0, QStringLiteral("bb"));
    g.setCells(1, 1, QStringLiteral("toolong\r\nsecond"));
    TIntList widths;
    widths.Add(2);
    g.SaveToFixed(Path("f.txt"), widths);
    ASSERT_EQ(widths.Count(), 2);
    EXPECT_EQ(widths.GetInteger(1), 8); // the first line decides, plus one
    EXPECT_EQ(Bytes("f.txt"), QByteArray("a bb      \r\n  toolong \r\n"));

    Write("in.txt", "abcdefgh\r\nab  cd  \r\n\t x  \r\n");
    TTxStringGrid h;
    h.FixedRowAlways = true;
    Size(h, 5, 1); // one row only, and the first line belongs below the fixed row
    h.SaveWithFixedCells = false;
    TIntList pos;
    for (int p : {1, 5, 9})
        pos.Add(p);
    h.LoadFromFixed(Path("in.txt"), pos);
    EXPECT_EQ(h.colCount(), 3);
    EXPECT_EQ(h.rowCount(), 4);
    EXPECT_EQ(h.cells(1, 1), QStringLiteral("abcd"));
    EXPECT_EQ(h.cells(2, 1), QStringLiteral("efgh"));
    EXPECT_EQ(h.cells(1, 2), QStringLiteral("ab"));
    EXPECT_EQ(h.cells(2, 2), QStringLiteral("cd"));
    EXPECT_EQ(h.cells(1, 3), QStringLiteral("x"));

    TIntList one;
    one.Add(1);
    h.LoadFromFixed(Path("in.txt"), one); // no field: nothing changes
    EXPECT_EQ(h.colCount(), 3);
    try {
        h.LoadFromFixed(Path("none.txt"), pos);
        FAIL();
    } catch (const ETxGridError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("File ") + Path("none.txt") + QStringLiteral(" not found"));
    }
}

TEST_F(GridFiles, TextReportPadsAlignsAndContinuesMultiLineCells)
{
    TTxStringGrid g;
    Size(g, 3, 3);
    g.Multilinecells = true;
    g.setCells(0, 0, QStringLiteral("a"));
    g.setCells(1, 0, QStringLiteral("1"));
    g.setCells(1, 1, QStringLiteral("100"));
    g.setCells(2, 0, QStringLiteral("ab"));
    g.setCells(2, 1, QStringLiteral("abcd"));
    g.setCells(0, 2, QStringLiteral("x\r\nyy"));
    g.OnGetAlignment = [](TTxStringGrid&, int, int ACol, TAlignment& H, TVAlignment&) {
        H = ACol == 1 ? taRightJustify : ACol == 2 ? taCenter : taLeftJustify;
    };
    g.SaveToASCII(Path("r.txt"));
    EXPECT_EQ(Bytes("r.txt"),
              QByteArray("a    1  ab  \r\n"
                         "   100 abcd \r\n"
                         "x           \r\n"
                         "yy\r\n"));
}

// --- HTML and XML --------------------------------------------------------------------------

namespace {
void PlainColours(TTxStringGrid& g)
{
    g.setControlColor(0xFFFFFF);
    ui::Font f = g.controlFont();
    f.color = 0x000000;
    g.setControlFont(f);
    ui::Font ff = g.FixedFont();
    ff.color = 0x000000;
    g.SetFixedFont(ff);
    g.FixedColor = 0x0000FF; // red
}
} // namespace

TEST(GridHTML, SmallGridWithHeaderFixedColumnAndStyles)
{
    TTxStringGrid g;
    Size(g, 2, 2);
    PlainColours(g);
    g.setCells(0, 0, QString());
    g.setCells(1, 0, QStringLiteral("Name"));
    g.setCells(0, 1, QStringLiteral("1"));
    g.setCells(1, 1, QStringLiteral("a<i>&</i>\r\nb"));
    g.OnGetCellColor = [](TTxStringGrid&, int ARow, int ACol, TGridDrawState, ui::Brush&, ui::Font& F) {
        if (ARow == 1 && ACol == 1)
            F.style = ui::fsBold | ui::fsUnderline;
    };
    g.HTMLSettings().ColWidths.Add(80);
    const QStringList l = HTMLLines(g);
    EXPECT_EQ(l,
              (QStringList{
                  "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\" width=\"100%\">",
                  "<tr>",
                  "<td nowrap bgcolor=\"#FF0000\" width=80><b><br></b></td>",
                  "<td nowrap bgcolor=\"#FF0000\"><b>Name</b></td>",
                  "</tr>",
                  "<tr>",
                  "<td nowrap bgcolor=\"#FF0000\"><font color=\"#000000\">1</font></td>",
                  "<td nowrap bgcolor=\"#FFFFFF\"><font color=\"#000000\">"
                  "<b><u>a<i>&</i><br>\nb</u></b></font></td>",
                  "</tr>",
                  "</table>",
              }));
}

TEST(GridHTML, MergedCellsLinksAndXHTML)
{
    TTxStringGrid g;
    Size(g, 4, 4);
    PlainColours(g);
    g.SaveWithFixedCells = false; // no header row: body from row 1, column 1
    g.HTMLSettings().SaveColor = false;
    g.HTMLSettings().XHTML = true;
    g.HTMLSettings().ColWidths.Add(50);
    g.WordWrap = true;
    g.SetURLShow(true);
    g.MergeCells(1, 1, 2, 3);
    g.setCells(1, 1, QStringLiteral("http://x.pl"));
    g.setCells(3, 1, QStringLiteral("mailto:jan@x.pl"));
    g.setCells(3, 2, QStringLiteral("<a href=\"http://y\">y</a>"));
    g.OnGetAlignment = [](TTxStringGrid&, int, int ACol, TAlignment& H, TVAlignment&) {
        if (ACol == 3)
            H = taRightJustify;
    };
    const QStringList l = HTMLLines(g);
    ASSERT_EQ(l.size(), 17);
    EXPECT_EQ(l.at(0), QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_EQ(l.at(1), QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\""));
    EXPECT_EQ(l.at(5), QStringLiteral("<tr>"));
    EXPECT_EQ(l.at(6), QStringLiteral("<td colspan=\"2\" rowspan=\"3\" width=50><a href=http://x.pl>x.pl</a></td>"));
    EXPECT_EQ(l.at(7), QStringLiteral("<td align=\"right\"><a href=mailto:jan@x.pl>jan@x.pl</a></td>"));
    EXPECT_EQ(l.at(10), QStringLiteral("<td align=\"right\"><a href=\"http://y\">y</a></td>"));
    EXPECT_EQ(l.at(13), QStringLiteral("<td><br/></td>")); // the empty cell of the last row
    EXPECT_EQ(l.last(), QStringLiteral("</html>"));
}

TEST_F(GridFiles, AppendedTablesFollowTheHeaderFileAndXMLIsEscaped)
{
    TTxStringGrid g;
    Size(g, 3, 2);
    g.setCells(0, 1, QStringLiteral("1"));
    g.setCells(1, 1, QStringLiteral("a&b<c>"));
    g.setCells(2, 1, QStringLiteral("ł"));
    Write("head.html", "<html>\r\n<body>");
    g.HTMLSettings().HeaderFile = Path("head.html");
    g.HTMLSettings().FooterFile = Path("missing.html"); // left out silently
    g.AppendToHTML(Path("out.html"));
    g.AppendToHTML(Path("out.html"));
    const QByteArray out = Bytes("out.html");
    EXPECT_EQ(out.count("<html>\r\n<body>\r\n<table"), 2);
    EXPECT_EQ(out.count("</table>\r\n"), 2);
    EXPECT_TRUE(out.contains(">\xB3<")); // 8-bit text

    const QStringList names{"a", "b"};
    g.SaveToXML(Path("out.xml"), QStringLiteral("list"), QStringLiteral("rec"), &names);
    EXPECT_EQ(Bytes("out.xml"),
              QByteArray("<?xml version=\"1.0\"?>\r\n<list>\r\n"
                         "<rec>\r\n<a></a>\r\n<b></b>\r\n<FIELD2></FIELD2>\r\n</rec>\r\n"
                         "<rec>\r\n<a>1</a>\r\n<b>a&amp;b&lt;c&gt;</b>\r\n<FIELD2>\xC5\x82</FIELD2>\r\n"
                         "</rec>\r\n</list>\r\n"));
    const QString l = QStringLiteral("l"), r = QStringLiteral("r");
    EXPECT_THROW(g.SaveToXML(Path("no/dir.xml"), l, r, nullptr), ETxGridError);
}
