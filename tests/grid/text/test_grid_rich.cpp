// Rich text: round trips through the RTF writer and reader, foreign RTF, a fuzz run of the
// reader, and formatted and rich cells and titles printed as they paint (read back from PDF).
#include "grid/core/Txgrid.h"
#include "grid/text/TxgridRTF.h"
#include "tests/support/PdfText.h"

#include <QApplication>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// The document as a comparable text: every fragment with the formats the writer keeps, and
// every paragraph's alignment.
QString Describe(const QTextDocument& d)
{
    QString out;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        const Qt::Alignment a = b.blockFormat().alignment();
        out += QStringLiteral("[%1]").arg(a & Qt::AlignHCenter ? "c" : a & Qt::AlignRight ? "r" : "l");
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const auto flag = [](bool on, char c) { return on ? QString(QChar(c)) : QString(); };
            out += u'(' + flag(f.fontWeight() >= QFont::DemiBold, 'b') + flag(f.fontItalic(), 'i')
                + flag(f.fontUnderline(), 'u') + flag(f.fontStrikeOut(), 's') + u'|'
                + (f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color().name() : QString()) + u'|'
                + (f.hasProperty(QTextFormat::FontFamilies) ? f.fontFamilies().toStringList().join(u',') : QString())
                + u'|' + QString::number(f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize() : 0) + u'|'
                + QString::number(int(f.verticalAlignment())) + u')' + it.fragment().text();
        }
    }
    return out;
}

// The document's text as the plain conversion gives it.
QString PlainOf(const QTextDocument& d)
{
    QStringList blocks;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next())
        blocks << b.text().replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return blocks.join(QStringLiteral("\r\n"));
}

void Put(QTextCursor& c, const QString& text, const std::function<void(QTextCharFormat&)>& set)
{
    QTextCharFormat f;
    set(f);
    c.insertText(text, f);
}

} // namespace

TEST(GridRichText, RoundTripKeepsFormatsPolishLettersAndSpecialCharacters)
{
    QTextDocument d;
    QTextCursor c(&d);
    Put(c, QStringLiteral("pogrubione"), [](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); });
    Put(c, QStringLiteral(" i "), [](QTextCharFormat&) {});
    Put(c, QStringLiteral("czerwone"), [](QTextCharFormat& f) { f.setForeground(QColor(255, 0, 0)); });
    Put(c, QStringLiteral(" kursywa"), [](QTextCharFormat& f) {
        f.setFontItalic(true);
        f.setFontUnderline(true);
        f.setFontPointSize(14);
        f.setFontFamilies({QStringLiteral("Liberation Serif")});
    });
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centred);
    Put(c, QStringLiteral("Zażółć gęślą jaźń ŹĆŃĄĘ {klamry} \\ukośnik\\ \\par\ttab"), [](QTextCharFormat&) {});
    Put(c, QStringLiteral("2"), [](QTextCharFormat& f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    c.insertBlock(QTextBlockFormat());
    c.insertBlock(QTextBlockFormat()); // an empty paragraph between two
    Put(c, QStringLiteral("przekreślone") + QChar(QChar::LineSeparator) + QStringLiteral("druga linia"),
        [](QTextCharFormat& f) { f.setFontStrikeOut(true); });

    const QString rtf = DocumentToRichText(d);
    EXPECT_TRUE(IsRichText(rtf));
    for (QChar ch : rtf) // the writer's output is plain ASCII
        ASSERT_LT(ch.unicode(), 128) << rtf.toStdString();
    QTextDocument back;
    RichTextToDocument(rtf, back);
    EXPECT_EQ(Describe(back).toStdString(), Describe(d).toStdString()) << rtf.toStdString();
    EXPECT_EQ(RichTextToPlain(rtf), PlainOf(d));
    EXPECT_EQ(DocumentToRichText(back).toStdString(), rtf.toStdString());

    // Through a rich editor and a cell, and back.
    TTxStringGrid g;
    QTextEdit edit;
    edit.setDocument(&d);
    g.RichToCell(1, 1, edit);
    QTextEdit other;
    g.CellToRich(1, 1, other);
    EXPECT_EQ(Describe(*other.document()), Describe(d));
    g.CellToRich(2, 2, other); // an empty cell empties the editor
    EXPECT_TRUE(other.document()->isEmpty());
    edit.setDocument(nullptr);
}

TEST(GridRichText, ForeignRtfTablesCodePagesAndDestinations)
{
    const QString rtf = QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}{\\f1\\fnil Courier New;}}"
        "{\\colortbl ;\\red0\\green0\\blue255;}{\\*\\generator Riched20 10.0;}{\\info{\\title Tytul}}"
        "\\viewkind4\\uc1\\pard\\qr\\f0\\fs20 Zwyk\\'b3y {\\b\\cf1 niebieski\\b0  dalej}\\par\n"
        "\\u379?\\u243?\\u322?w \\f1\\i kod\\plain  zwykly\\line nast\\u281?pna\\tab x\\par\n\\par\n}");
    EXPECT_EQ(RichTextToPlain(rtf), QStringLiteral("Zwykły niebieski dalej\r\nŻółw kod zwykly\r\nnastępna\tx"));
    QTextDocument d;
    RichTextToDocument(rtf, d);
    EXPECT_EQ(d.blockCount(), 2); // marks at the end add no empty paragraphs
    EXPECT_EQ(d.begin().blockFormat().alignment() & Qt::AlignRight, Qt::AlignRight);
    const QString desc = Describe(d);
    EXPECT_TRUE(desc.contains(QStringLiteral("(b|#0000ff|Arial|10|0)niebieski"))) << desc.toStdString();
    EXPECT_TRUE(desc.contains(QStringLiteral("(|#0000ff|Arial|10|0) dalej"))) << desc.toStdString();
    EXPECT_TRUE(desc.contains(QStringLiteral("(i||Courier New|10|0)kod"))) << desc.toStdString();
    EXPECT_FALSE(desc.contains(QStringLiteral("Tytul")));
    EXPECT_FALSE(desc.contains(QStringLiteral("Riched")));
}

TEST(GridRichText, FuzzedInputNeverBreaksTheReaderAndBothOutputsAgree)
{
    const QStringList seeds = {
        QStringLiteral(
            "{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red1\\green2\\blue3;}\\b x{\\i\\cf1 y}\\par z\\u-3937?}"),
        QStringLiteral("{\\rtf1\\ansi\\'b3\\'9c\\bin3 {}\\*\\uc2\\u322 ab\\line\\tab\\~\\_\\-}"),
        QStringLiteral("{\\rtf1 {\\*\\x {\\y}} \\qc\\super a\\nosupersub\\fs999999999999 b\\f-5 c\\cf99 d\\\\\\{\\}}"),
    };
    const QString alphabet = QStringLiteral("{}\\'*;0123456789-abcfiuprstl ł\r\n\t");
    QRandomGenerator rng(20261209);
    for (int n = 0; n < 4000; ++n) {
        QString s = seeds[int(rng.bounded(seeds.size()))];
        for (int k = int(rng.bounded(8)) + 1; k > 0; --k) {
            const int at = int(rng.bounded(int(s.size()) + 1));
            switch (rng.bounded(4)) {
            case 0: s.insert(at, alphabet.at(int(rng.bounded(alphabet.size())))); break;
            case 1: s.remove(at, int(rng.bounded(4))); break;
            case 2: s.insert(at, s.mid(int(rng.bounded(int(s.size()) + 1)), int(rng.bounded(12)))); break;
            default: s.insert(at, QChar(char16_t(rng.bounded(0x10000)))); break;
            }
        }
        QTextDocument d;
        RichTextToDocument(s, d);
        ASSERT_EQ(PlainOf(d).toStdString(), RichTextToPlain(s).toStdString()) << s.toStdString();
        // Whatever was read, the writer writes it so that it reads back the same.
        const QString again = DocumentToRichText(d);
        QTextDocument back;
        RichTextToDocument(again, back);
        ASSERT_EQ(Describe(back).toStdString(), Describe(d).toStdString()) << s.toStdString();
    }
}

TEST(GridRichText, AByteEscapeTakesExactlyTwoHexDigits)
{
    // What is no pair of hex digits names no byte: "-a" is no number -10, " a" no 10.
    const struct {
        const char* Rtf;
        const char* Plain;
    } cases[] = {
        {"{\\rtf1\\ansi a\\'-ab}", "ab"},
        {"{\\rtf1\\ansi a\\' ab}", "ab"},
        {"{\\rtf1\\ansi a\\'+ab}", "ab"},
        {"{\\rtf1\\ansi a\\'0xb}", "ab"},
        {"{\\rtf1\\ansi a\\'4Ab}", "aJb"},
        {"{\\rtf1\\ansi a\\'b3b}",
         "a\xc5\x82"
         "b"},
        {"{\\rtf1\\ansi a\\'-a}", "a"},
    };
    for (const auto& c : cases) {
        const QString rtf = QString::fromLatin1(c.Rtf);
        QTextDocument d;
        RichTextToDocument(rtf, d);
        EXPECT_EQ(PlainOf(d), QString::fromUtf8(c.Plain)) << c.Rtf;
        EXPECT_EQ(RichTextToPlain(rtf), QString::fromUtf8(c.Plain)) << c.Rtf;
    }
}

namespace {

QString PdfFonts(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdffonts"), {file});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST(GridRichText, FormattedAndRichCellsAndTitlesPrintWithoutTagsInTheirFonts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rich.pdf");
    TTxStringGrid::SetPrintDeviceFactory([path](const QString&) {
        auto w = std::make_unique<QPdfWriter>(path);
        w->setResolution(300);
        return std::unique_ptr<QPagedPaintDevice>(std::move(w));
    });
    TTxStringGrid g;
    g.setColCount(3);
    g.setRowCount(3);
    g.setColWidths(1, 220);
    g.setColWidths(2, 160);
    g.setCells(1, 1, QStringLiteral("<b>pogrubione</b> i <font color=\"clRed\">czerwone</font>"));
    g.setCells(2, 1, QStringLiteral("{\\rtf1\\ansi{\\i kursywa} i {\\b gruba}}"));
    g.setCells(1, 2, QStringLiteral("zwykły tekst"));
    g.PrintSettings().Title = ppTopCenter;
    g.PrintSettings().TitleText = QStringLiteral("<i>Tytuł</i> <b>wydruku</b>");
    g.Print();
    TTxStringGrid::SetPrintDeviceFactory({});

    const QString text = pdf::text(path);
    for (const char* tag : {"<b>", "</b>", "<font", "<i>", "{\\", "\\rtf", "\\b "})
        EXPECT_FALSE(text.contains(QLatin1String(tag))) << tag << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("pogrubione i czerwone"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("kursywa i gruba"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Tytuł wydruku"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("zwykły tekst")));
    const QString fonts = PdfFonts(path);
    EXPECT_TRUE(fonts.contains(QStringLiteral("Bold"))) << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QStringLiteral("Italic")) || fonts.contains(QStringLiteral("Oblique")))
        << fonts.toStdString();
}

// A rich cell through RichToCell and CellToRich keeps the highlight behind its words and the
// paragraph's left, right and first-line indents.
TEST(GridRichText, HighlightAndIndentsSurviveARoundTripThroughACell)
{
    TTxStringGrid g;
    g.setColCount(3);
    g.setRowCount(3);
    QTextEdit source;
    QTextCursor c(source.document());
    QTextBlockFormat indented;
    indented.setLeftMargin(40);
    indented.setRightMargin(12);
    indented.setTextIndent(-20);
    c.setBlockFormat(indented);
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 255, 0));
    c.insertText(QStringLiteral("zaznaczone"), marked);
    c.insertText(QStringLiteral(" zwykłe"), QTextCharFormat());
    c.insertBlock(QTextBlockFormat());
    c.insertText(QStringLiteral("bez wcięcia"));
    g.RichToCell(1, 1, source);

    QTextEdit back;
    g.CellToRich(1, 1, back);
    QTextBlock b = back.document()->begin();
    EXPECT_EQ(b.text(), QStringLiteral("zaznaczone zwykłe"));
    EXPECT_EQ(b.blockFormat().leftMargin(), 40);
    EXPECT_EQ(b.blockFormat().rightMargin(), 12);
    EXPECT_EQ(b.blockFormat().textIndent(), -20);
    auto it = b.begin();
    ASSERT_FALSE(it.atEnd());
    EXPECT_EQ(it.fragment().text(), QStringLiteral("zaznaczone"));
    EXPECT_EQ(it.fragment().charFormat().background().color(), QColor(255, 255, 0));
    ++it;
    ASSERT_FALSE(it.atEnd());
    EXPECT_EQ(it.fragment().charFormat().background().style(), Qt::NoBrush);
    b = b.next();
    EXPECT_EQ(b.text(), QStringLiteral("bez wcięcia"));
    EXPECT_EQ(b.blockFormat().leftMargin(), 0);
    EXPECT_EQ(b.blockFormat().textIndent(), 0);
}

// A selected rich cell shows its text in the selection's text colour; with SelectionRTFKeep
// it keeps its own red.
TEST(GridRichText, SelectedRichCellsKeepTheirColoursOnlyWithSelectionRTFKeep)
{
    TTxStringGrid g;
    g.setColCount(4);
    g.setRowCount(4);
    g.setDefaultColWidth(120);
    g.resize(500, 200);
    QFont big = g.font();
    big.setPointSize(20);
    g.setFont(big);
    g.setDefaultRowHeight(40);
    g.setCells(2, 2, QStringLiteral("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 WWWW}"));
    g.show();
    QApplication::processEvents();
    g.setSelection({1, 1, 2, 2});
    g.clearFocus(); // every selected cell shows as selected, the current one too
    const auto reds = [&] {
        const QImage img = g.viewport()->grab().toImage();
        const TRect rc = g.CellRect(2, 2);
        int n = 0;
        for (int y = rc.Top; y < rc.Bottom; ++y)
            for (int x = rc.Left; x < rc.Right; ++x) {
                const QColor p(img.pixel(x, y));
                n += p.red() > 200 && p.green() < 60 && p.blue() < 60;
            }
        return n;
    };
    EXPECT_EQ(reds(), 0);
    g.SelectionRTFKeep = true;
    g.Invalidate();
    QApplication::processEvents();
    EXPECT_GT(reds(), 20);
}
