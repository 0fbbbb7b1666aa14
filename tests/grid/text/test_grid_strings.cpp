// Formatted-text string helpers and the cell checkers.
#include "grid/controls/Tsgcheck.h"
#include "grid/text/TxgridStrings.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>

using namespace grid;

TEST(GridStrings, PlainTextOfFormattedText)
{
    EXPECT_EQ(HTMLToPlainText(QStringLiteral("a<br>b")), QStringLiteral("a\r\nb"));
    EXPECT_EQ(HTMLToPlainText(QStringLiteral("a<HR>b<Br>")), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(HTMLToPlainText(QStringLiteral("<B>x</B>y")), QStringLiteral("xy"));
    EXPECT_EQ(HTMLToPlainText(QStringLiteral("a<b")), QStringLiteral("a<b")); // unclosed stays
    EXPECT_EQ(StripTags(QStringLiteral("<i>a</i>b<br>c")), QStringLiteral("abc"));
    EXPECT_EQ(StripTags(QStringLiteral("x<y")), QStringLiteral("x<y"));
}

TEST(GridStrings, PlainToFormattedPositions)
{
    struct {
        const char* text;
        int n;
        int want;
    } cases[] = {
        {"<B>ab</B>", 2, 5}, {"<B>ab</B>", 3, 6}, {"ab", 3, 3}, {"ab", 4, 0},
        {"<B>ab</B>", 1, 1}, {"ab", 0, 0},        {"", 1, 1},   {"a<i>b", 2, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlainPosToHTMLPos(QString::fromUtf8(c.text), c.n), c.want) << c.text << " " << c.n;
}

TEST(GridStrings, HilightAndUnhilight)
{
    EXPECT_EQ(HTMLHilight(QStringLiteral("abcabc"), QStringLiteral("b"), QStringLiteral("HI"), true),
              QStringLiteral("a<HI>b</HI>ca<HI>b</HI>c"));
    EXPECT_EQ(HTMLHilight(QStringLiteral("aBc"), QStringLiteral("b"), QStringLiteral("HI"), false),
              QStringLiteral("a<HI>B</HI>c"));
    EXPECT_EQ(HTMLHilight(QStringLiteral("aBc"), QStringLiteral("b"), QStringLiteral("HI"), true),
              QStringLiteral("aBc"));
    EXPECT_EQ(HTMLHilight(QStringLiteral("abc"), QString(), QStringLiteral("HI"), true), QStringLiteral("abc"));
    const QString marked =
        HTMLHilight(QStringLiteral("<b>xyz</b> xy"), QStringLiteral("xy"), QStringLiteral("HI"), true);
    EXPECT_EQ(StripTags(marked), QStringLiteral("xyz xy"));
    EXPECT_EQ(HTMLUnHilight(QStringLiteral("a<hi>b</Hi>c"), QStringLiteral("HI")), QStringLiteral("abc"));
    EXPECT_EQ(HTMLUnHilight(marked, QStringLiteral("hi")), QStringLiteral("<b>xyz</b> xy"));
}

TEST(GridStrings, SearchPrimitives)
{
    int pos = -1;
    EXPECT_EQ(PosFrom(QStringLiteral("ab"), QStringLiteral("abxAB"), 1, pos, false), 4);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(PosFrom(QStringLiteral("ab"), QStringLiteral("abxAB"), 1, pos, true), 0);
    EXPECT_EQ(PosFrom(QString(), QStringLiteral("abc"), 0, pos, true), 0);
    QString t = QStringLiteral("a &AMP; b &amp;");
    EXPECT_TRUE(ReplaceFirst(QStringLiteral("&amp;"), QStringLiteral("&"), t));
    EXPECT_EQ(t, QStringLiteral("a & b &amp;"));
    EXPECT_FALSE(ReplaceFirst(QString(), QStringLiteral("x"), t));
    EXPECT_EQ(IPos(QStringLiteral("B"), QStringLiteral("abc")), 2);
    EXPECT_EQ(IPos(QString(), QStringLiteral("abc")), 0);
    EXPECT_EQ(LeadingInt(QStringLiteral("12px")), 12);
    EXPECT_EQ(LeadingInt(QStringLiteral("px")), 0);
}

TEST(GridStrings, ModuleFileVersion)
{
    QTemporaryFile none;
    ASSERT_TRUE(none.open());
    none.write("no version here");
    none.flush();
    EXPECT_EQ(ModuleFileVersion(none.fileName()), -1);
    EXPECT_EQ(ModuleFileVersion(QStringLiteral("/no/such/file.dll")), -1);

    QTemporaryFile withVersion;
    ASSERT_TRUE(withVersion.open());
    QByteArray block("junk");
    const unsigned char fixed[] = {0xBD, 0x04, 0xEF, 0xFE, 0x00, 0x00, 0x01, 0x00, 0x46, 0x00, 0x04, 0x00, 0, 0, 0, 0};
    block.append(reinterpret_cast<const char*>(fixed), sizeof fixed);
    withVersion.write(block);
    withVersion.flush();
    EXPECT_EQ(ModuleFileVersion(withVersion.fileName()), 0x00040046);
}

TEST(GridCheck, BaseCheckerChangesNothing)
{
    TTxStringGridCheck c;
    EXPECT_FALSE(c.AutoCorrect || c.AutoMarkError || c.UseCorrect || c.UseMarkError || c.GotoCell);
    const QString t = QStringLiteral("ala. ma kota");
    EXPECT_EQ(c.Correct(1, 1, t), t);
    EXPECT_EQ(c.MarkError(1, 1, t), t);
}

TEST(GridCheck, CapitalCheck)
{
    TCapitalCheck c;
    struct {
        const char* text;
        const char* want;
    } cases[] = {
        {"ala ma kota. kot ma ale", "Ala ma kota. Kot ma ale"},
        {"stop!  two blanks", "Stop!  two blanks"},
        {"what? yes", "What? Yes"},
        {"a.b", "A.b"},
        {"", ""},
        {"żółw. źle", "Żółw. Źle"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(c.Correct(0, 0, QString::fromUtf8(k.text)), QString::fromUtf8(k.want)) << k.text;
}

TEST(GridCheck, ReplaceOnce)
{
    EXPECT_EQ(TTxStringGridCheck::ReplaceOnce(QStringLiteral("aXbX"), QStringLiteral("X"), QStringLiteral("-")),
              QStringLiteral("a-bX"));
    EXPECT_EQ(TTxStringGridCheck::ReplaceOnce(QStringLiteral("abc"), QStringLiteral("X"), QStringLiteral("-")),
              QStringLiteral("abc"));
    EXPECT_EQ(TTxStringGridCheck::ReplaceOnce(QStringLiteral("abc"), QString(), QStringLiteral("-")),
              QStringLiteral("abc"));
}

TEST(GridCheck, HiLight)
{
    EXPECT_EQ(TTxStringGridCheck::HiLight(QStringLiteral("a cat"), QStringLiteral("cat"), QStringLiteral("b"), true),
              QStringLiteral("a <b>cat</b>"));
    const QString both = TTxStringGridCheck::HiLight(QStringLiteral("<i>Cat</i> cat"), QStringLiteral("cat"),
                                                     QStringLiteral("b"), false);
    EXPECT_EQ(both.count(QStringLiteral("<b>")), 2);
    EXPECT_EQ(both.count(QStringLiteral("</b>")), 2);
    EXPECT_TRUE(both.contains(QStringLiteral("<i>")));
    EXPECT_TRUE(both.contains(QStringLiteral("</i>")));
    EXPECT_EQ(
        TTxStringGridCheck::HiLight(QStringLiteral("<i>Cat</i> cat"), QStringLiteral("cat"), QStringLiteral("b"), true),
        QStringLiteral("<i>Cat</i> <b>cat</b>"));
    // A line break shows as two characters: the word after it is still found in place.
    EXPECT_EQ(
        TTxStringGridCheck::HiLight(QStringLiteral("ab<BR>cat"), QStringLiteral("cat"), QStringLiteral("b"), true),
        QStringLiteral("ab<BR><b>cat</b>"));
    EXPECT_EQ(TTxStringGridCheck::HiLight(QStringLiteral("x<br>y<br>cat dog"), QStringLiteral("dog"),
                                          QStringLiteral("u"), true),
              QStringLiteral("x<br>y<br>cat <u>dog</u>"));
    EXPECT_EQ(TTxStringGridCheck::HiLight(QStringLiteral("abc"), QString(), QStringLiteral("b"), true),
              QStringLiteral("abc"));
}
