// Text and conversion utilities: classification, number and date recognition, wildcard and
// condition matching, line-break conversions and the other conversions.
#include "grid/controls/TxgridError.h"
#include "grid/controls/Txutil.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {
const QString CRLF = QStringLiteral("\r\n");
// Thousand "." and decimal "," with day-month-year dates.
const TRegional kEU{QLatin1Char(','), QLatin1Char('.'), QLatin1Char('.'), QStringLiteral("dd.MM.yyyy")};
// Thousand "," and decimal "." with month/day/year dates.
const TRegional kUS{QLatin1Char('.'), QLatin1Char(','), QLatin1Char('/'), QStringLiteral("M/d/yyyy")};
} // namespace

TEST(GridTxutil, TextType)
{
    struct {
        const char* text;
        bool html;
        int want;
    } cases[] = {
        {"=SUM(A1:A3)", false, 3}, {"=SUM(A1:A3)", true, 3}, {"{\\rtf1 x}", false, 2}, {"<B>x", false, 0},
        {"<B>x", true, 1},         {"<b>x", true, 0},        {"a</i>", true, 1},       {"", true, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextType(QString::fromUtf8(c.text), c.html), c.want) << c.text;
}

TEST(GridTxutil, IsType)
{
    struct {
        const char* text;
        const TRegional* r;
        int want;
    } cases[] = {
        {"", &kEU, 2},      {"-12", &kEU, 0},  {"1.234,5", &kEU, 1}, {"12-3-4", &kEU, 2},
        {"1,2,3", &kEU, 2}, {".123", &kEU, 2}, {"12a", &kEU, 2},     {"1,234.5", &kUS, 1},
        {"1.2.3", &kUS, 2}, {"1234", &kUS, 0}, {"1,2,34", &kUS, 2},  {"-0,5", &kEU, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsType(QString::fromUtf8(c.text), *c.r), c.want) << c.text;
}

TEST(GridTxutil, SmallClassifiers)
{
    EXPECT_TRUE(IsURL(QStringLiteral("http://x.pl")));
    EXPECT_TRUE(IsURL(QStringLiteral("mailto:a@b.pl")));
    EXPECT_FALSE(IsURL(QStringLiteral("www.x.pl")));
    EXPECT_TRUE(IsInGridRect(TGridRect{1, 1, 3, 3}, 3, 1));
    EXPECT_FALSE(IsInGridRect(TGridRect{1, 1, 3, 3}, 4, 1));
    QPoint p;
    EXPECT_TRUE(NameToCell(QStringLiteral("r12c3"), p));
    EXPECT_EQ(p, QPoint(3, 12));
    EXPECT_FALSE(NameToCell(QStringLiteral("R1C"), p));
    EXPECT_FALSE(NameToCell(QStringLiteral("RxC3"), p));
    EXPECT_FALSE(NameToCell(QStringLiteral("A1B2"), p));
    EXPECT_EQ(FirstChar(QStringLiteral(";,"), QStringLiteral("a,b;c")), QLatin1Char(','));
    EXPECT_EQ(FirstChar(QStringLiteral(";"), QStringLiteral("abc")), QChar(0));
}

TEST(GridTxutil, SearchingAndCounting)
{
    int pos = -1;
    EXPECT_EQ(VarPos(QStringLiteral("lo"), QStringLiteral("hello"), pos), 4);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(VarPos(QString(), QStringLiteral("hello"), pos), 0); // empty text is never found
    EXPECT_EQ(FIPos(QStringLiteral("LL"), QStringLiteral("hello")), 3);
    EXPECT_EQ(FIPos(QString(), QStringLiteral("hello")), 0);
    EXPECT_EQ(SinglePos(QLatin1Char('|'), QStringLiteral("a||b|c"), pos), 5);
    EXPECT_EQ(SinglePos(QLatin1Char('|'), QStringLiteral("a||"), pos), 3); // last character counts
    EXPECT_EQ(SinglePos(QLatin1Char('|'), QStringLiteral("a||b"), pos), 0);
    EXPECT_EQ(NumSingleChar(QLatin1Char('|'), QStringLiteral("a|b||c|d")), 2);
    EXPECT_EQ(NumChar(QLatin1Char('a'), QStringLiteral("banana")), 3);
    QString text = QStringLiteral("a;b;c"), token;
    EXPECT_TRUE(GetToken(text, QStringLiteral(";"), token));
    EXPECT_EQ(token, QStringLiteral("a"));
    EXPECT_EQ(text, QStringLiteral("b;c"));
    text = QStringLiteral("abc");
    token = QStringLiteral("keep");
    EXPECT_FALSE(GetToken(text, QStringLiteral(";"), token));
    EXPECT_EQ(text, QStringLiteral("abc"));
    EXPECT_EQ(token, QStringLiteral("keep"));
    EXPECT_EQ(Max(2, 5), 5);
    EXPECT_EQ(Min(2, 5), 2);
}

TEST(GridTxutil, LineBreakConventions)
{
    const QString a_crlf_b = QStringLiteral("a") + CRLF + QStringLiteral("b");
    QString s = a_crlf_b, line;
    GetNextLine(s, true, line);
    EXPECT_EQ(line, QStringLiteral("a"));
    EXPECT_EQ(s, QStringLiteral("b"));
    s = a_crlf_b;
    GetNextLine(s, false, line);
    EXPECT_EQ(line, QStringLiteral("a"));
    EXPECT_TRUE(s.isEmpty());
    s = QStringLiteral("plain");
    GetNextLine(s, true, line);
    EXPECT_EQ(line, QStringLiteral("plain"));
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(LinesInText(a_crlf_b + CRLF + QStringLiteral("c"), true), 3);
    EXPECT_EQ(LinesInText(a_crlf_b, false), 1);
    EXPECT_EQ(StringListToText({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("ab"));

    s = a_crlf_b;
    LineFeedsToCSV(s);
    EXPECT_EQ(s, QStringLiteral("\"a\nb\""));
    s = QStringLiteral("a\nb");
    CSVToLineFeeds(s);
    EXPECT_EQ(s, a_crlf_b);
    s = a_crlf_b;
    LineFeedsToJava(s);
    EXPECT_EQ(s, QStringLiteral("a~b"));
    JavaToLineFeeds(s);
    EXPECT_EQ(s, a_crlf_b);
    EXPECT_EQ(LineFeedsToXLS(a_crlf_b), QStringLiteral("a\nb"));
    EXPECT_EQ(CLFToLF(QStringLiteral("a\\nb")), QStringLiteral("a\rb"));
    EXPECT_EQ(LFToCLF(a_crlf_b), QStringLiteral("a\\nb"));
    EXPECT_EQ(LfToFile(a_crlf_b), QStringLiteral("a\t\bb"));
    EXPECT_EQ(LfToFile(QStringLiteral("a\tb")), QStringLiteral("a\tb"));
    EXPECT_EQ(FileToLf(QStringLiteral("a\t\bb"), true), a_crlf_b);
    EXPECT_EQ(FileToLf(QStringLiteral("a\t\bb"), false), QStringLiteral("a"));
    EXPECT_EQ(HTMLLineBreaks(a_crlf_b), QStringLiteral("a<br>\nb"));
    EXPECT_EQ(HTMLLineBreaks(QStringLiteral("a\nb")), QStringLiteral("a\nb"));
}

TEST(GridTxutil, OtherConversions)
{
    EXPECT_EQ(HTMLColor(ui::rgb(255, 0, 0)), QStringLiteral("FF0000"));
    EXPECT_EQ(HTMLColor(ui::rgb(0x12, 0xAB, 0x0C)), QStringLiteral("12AB0C"));
    // A system colour is resolved to its current value, not printed as its code.
    EXPECT_EQ(HTMLColor(ui::clWindow), HTMLColor(ui::colorToRGB(ui::clWindow)));

    struct {
        const char* text;
        const TRegional* r;
        const char* want;
    } seps[] = {
        {" 1.234,50 ", &kEU, "1234.50"},
        {"(1.234,5)", &kEU, "-1234.5"},
        {"-12", &kEU, "-12"},
        {"zł 12,5", &kEU, "12.5"},
        {"12,5 zł", &kEU, "12.5"},
        {"1,234.5", &kUS, "1234.5"},
        {"$-3", &kUS, "-3"},
    };
    for (const auto& c : seps)
        EXPECT_EQ(RemoveSeps(QString::fromUtf8(c.text), *c.r), QString::fromUtf8(c.want)) << c.text;

    EXPECT_EQ(FixDecimalSeparator(QStringLiteral("1,5,6"), kEU), QStringLiteral("1.5,6"));
    EXPECT_EQ(FixDecimalSeparator(QStringLiteral("1,5"), kUS), QStringLiteral("1,5"));
    EXPECT_EQ(DoubleToSingleChar(QLatin1Char(' '), QStringLiteral("a   b  c")), QStringLiteral("a b c"));
    QString pw = QStringLiteral("tajne");
    StringToPassword(pw, QLatin1Char('*'));
    EXPECT_EQ(pw, QStringLiteral("*****"));
    EXPECT_EQ(RectString(TRect{1, 2, 3, 4}), QStringLiteral("[1:2][3:4]"));
}

TEST(GridTxutil, ShiftCase)
{
    struct {
        const char* text;
        const char* want;
    } cases[] = {
        {"o'NEIL-SMITH", "O'Neil-Smith"}, {"JOHN III", "John III"},       {"MCDONALD", "McDonald"},
        {"jan mcbride", "Jan McBride"},   {"ŁUKASZ ŻÓŁW", "Łukasz Żółw"}, {"henry ii", "Henry II"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShiftCase(QString::fromUtf8(c.text)), QString::fromUtf8(c.want)) << c.text;
}

TEST(GridTxutil, OemConversionUsesCodePage852)
{
    QString s = QStringLiteral("Zażółć gęślą jaźń");
    StringToOem(s);
    EXPECT_EQ(s.at(2).unicode(), 0xBE); // ż
    EXPECT_EQ(s.at(3).unicode(), 0xA2); // ó
    EXPECT_EQ(s.at(4).unicode(), 0x88); // ł
    for (QChar c : s)
        EXPECT_LE(c.unicode(), 0xFF);
    OemToString(s);
    EXPECT_EQ(s, QStringLiteral("Zażółć gęślą jaźń"));
}

namespace {
TDateTime D(int y, int m, int d) { return DateToDateTime(QDate(y, m, d)); }
} // namespace

TEST(GridTxutil, DateNumbers)
{
    EXPECT_EQ(D(1899, 12, 30), 0.0);
    EXPECT_EQ(D(2011, 1, 31), 40574.0);
    EXPECT_EQ(DateTimeToDate(40574.75), QDate(2011, 1, 31));
    EXPECT_EQ(DateTimeToDate(-1.25), QDate(1899, 12, 29)); // the fraction is the time, also before day 0
    EXPECT_THROW(EncodeDate(2011, 2, 29), EConvertError);
}

TEST(GridTxutil, NextDateKeepsTheTime)
{
    const TDateTime d = D(2011, 1, 31);
    EXPECT_EQ(GetNextDate(d, 0, 0, 3, 0), D(2011, 2, 3));
    EXPECT_EQ(GetNextDate(d, 2, 0, 0, 0), D(2013, 1, 31));
    EXPECT_EQ(GetNextDate(D(2011, 3, 15), 0, -3, 0, 0), D(2010, 12, 15));
    EXPECT_EQ(GetNextDate(D(2011, 11, 15), 0, 2, 0, 0), D(2012, 1, 15));
    EXPECT_EQ(GetNextDate(d, 1, 1, 0, 7), D(2011, 2, 7)); // a mix steps by Step days
    EXPECT_EQ(GetNextDate(d + 0.5, 0, 2, 0, 0), D(2011, 3, 31) + 0.5);
    EXPECT_EQ(GetNextDate(d + 0.25, 1, 0, 0, 0), D(2012, 1, 31) + 0.25);
    EXPECT_EQ(GetNextDate(-1.25, 0, 0, 2, 0), 1.25);         // 1899-12-29 06:00 + 2 days
    EXPECT_THROW(GetNextDate(d, 0, 1, 0, 0), EConvertError); // 31 February
    EXPECT_THROW(GetNextDate(D(2012, 2, 29), 1, 0, 0, 0), EConvertError);
}

TEST(GridTxutil, ShortDates)
{
    EXPECT_EQ(StrToShortDateEU(QStringLiteral("31.12.99")), D(1999, 12, 31));
    EXPECT_EQ(StrToShortdateUS(QStringLiteral("1/2/05")), D(2005, 1, 2));
    EXPECT_EQ(StrToShortdateUS(QStringLiteral("1/2/2005")), D(2005, 1, 2)); // a full year stays
    EXPECT_EQ(StrToShortDateEU(QStringLiteral("2-1-1999")), D(1999, 1, 2));
    EXPECT_EQ(StrToShortdateUS(QStringLiteral("1/2/26")), D(1926, 1, 2));
    EXPECT_EQ(StrToShortdateUS(QStringLiteral("1/2/25")), D(2025, 1, 2));
    EXPECT_EQ(StrToShortdateUS(QStringLiteral("1-2/05")), 0.0); // "/" is the separator
    EXPECT_EQ(StrToShortDateEU(QStringLiteral("abc")), 0.0);
    EXPECT_EQ(StrToShortDateEU(QStringLiteral("1.x.2005")), 0.0);
    EXPECT_THROW(StrToShortDateEU(QStringLiteral("31.4.2005")), EConvertError);
    EXPECT_THROW(StrToShortdateUS(QStringLiteral("13/1/2005")), EConvertError);
}

TEST(GridTxutil, RegionalDateTest)
{
    EXPECT_EQ(RegionalDate(QStringLiteral("31.12.2011"), kEU), D(2011, 12, 31));
    EXPECT_EQ(RegionalDate(QStringLiteral("12/31/2011"), kUS), D(2011, 12, 31));
    const TRegional iso{QLatin1Char(','), QChar(0xA0), QLatin1Char('-'), QStringLiteral("yyyy-MM-dd")};
    EXPECT_EQ(RegionalDate(QStringLiteral("2011-03-01"), iso), D(2011, 3, 1));
    EXPECT_EQ(RegionalDate(QStringLiteral("31.02.2011"), kEU), 0.0);
    EXPECT_EQ(RegionalDate(QStringLiteral("1.13.2011"), kEU), 0.0);
    EXPECT_EQ(RegionalDate(QStringLiteral("1.2"), kEU), 0.0);
}

TEST(GridTxutil, MatchesWildcardsAndComparisons)
{
    struct {
        const char* mask;
        const char* text;
        bool want;
    } cases[] = {
        {">10", "9", false},
        {">=10", "10", true},
        {">10", "11", true},
        {"<10", "9", true},
        {"<=10", "10", true},
        {">2", "10", true},
        {">b", "c", true},
        {"!a*", "abc", false},
        {"!a*", "xbc", true},
        {"*", "", true},
        {"?", "", false},
        {"?", "a", true},
        {"a*c", "abbbc", true},
        {"a*c", "abbb", false},
        {"a**c", "ac", true},
        {"a?c", "abc", true},
        {"*b*", "abc", true},
        {">5 & <10", "7", true},
        {">5 & <10", "12", false},
        {">5 ^ <2", "1", true},
        {">5 ^ <2", "3", false},
        {">5 & !7", "7", false},
        {">5 & !7", "8", true},
        {">01.02.2011", "15.02.2011", true},
        {"<01.02.2011", "15.02.2011", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Matches(QString::fromUtf8(c.mask), QString::fromUtf8(c.text), kEU), c.want)
            << c.mask << " / " << c.text;
}

TEST(GridTxutil, MatchStrAndMatchStrEx)
{
    EXPECT_TRUE(MatchStr(QStringLiteral("AB*"), QStringLiteral("abc"), false));
    EXPECT_FALSE(MatchStr(QStringLiteral("AB*"), QStringLiteral("abc"), true));
    EXPECT_TRUE(MatchStr(QStringLiteral("ż*"), QStringLiteral("Żółw"), false));
    EXPECT_TRUE(MatchStrEx(QStringLiteral("a* | b*"), QStringLiteral("beta"), true));
    EXPECT_FALSE(MatchStrEx(QStringLiteral("a* & *z"), QStringLiteral("abc"), true));
    EXPECT_TRUE(MatchStrEx(QStringLiteral("a* & *c"), QStringLiteral("abc"), true));
    EXPECT_TRUE(MatchStrEx(QStringLiteral("x*;y*;a*"), QStringLiteral("abc"), true));
    EXPECT_FALSE(MatchStrEx(QStringLiteral("a* & x* | y*"), QStringLiteral("abc"), true));
    EXPECT_TRUE(MatchStrEx(QStringLiteral("x* & a* | a*"), QStringLiteral("abc"), true)); // left to right
}

TEST(GridTxutil, ErrorLinesZigzagUnderTheMarkedCharacters)
{
    QImage img(200, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        ui::Canvas c(&p);
        c.setMeasurer(std::make_shared<ui::FixedTextMeasurer>(10, 14));
        DrawErrorLines(c, QStringLiteral("abcdefgh"), TRect{0, 0, 200, 20}, 3, 2, 14);
    }
    auto redIn = [&](int x0, int x1) {
        for (int x = x0; x < x1; ++x)
            for (int y = 10; y < 22; ++y)
                if (QColor(img.pixel(x, y)) == QColor(Qt::red))
                    return true;
        return false;
    };
    EXPECT_FALSE(redIn(0, 18));
    EXPECT_TRUE(redIn(21, 49));
    EXPECT_FALSE(redIn(53, 200));
}
