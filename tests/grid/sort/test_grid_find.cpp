// Finding cells by text: each option, the walking orders and their ends, fixed and footer
// cells, hidden columns and rows, and the typing-to-find navigation driven by key presses.
#include "grid/core/Txgrid.h"
#include "platform/registry/Registry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace grid;

namespace {
class GridFind : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
        g.SetColCount(4);
        g.SetRowCount(5);
        g.SetFixedCols(1);
        g.SetFixedRows(1);
    }
    void TearDown() override { registry::setStorePath(QString()); }
    void Type(const QString& t)
    {
        const int key = t == QLatin1String("\b") ? Qt::Key_Backspace : Qt::Key_A;
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, t);
        QApplication::sendEvent(&g, &e);
    }
    QTemporaryDir dir;
    TTxStringGrid g;
};
const TPoint None(-1, -1);
} // namespace

TEST_F(GridFind, FindNextWalksOnMissesThenStartsAgain)
{
    g.setCells(1, 1, QStringLiteral("xAbx"));
    g.setCells(1, 3, QStringLiteral("xAbx"));
    EXPECT_EQ(g.FindFirst(QStringLiteral("ab"), 0), TPoint(1, 1));
    EXPECT_EQ(g.FindNext(), TPoint(1, 3));
    EXPECT_EQ(g.FindNext(), None);
    EXPECT_EQ(g.FindNext(), TPoint(1, 1));

    EXPECT_EQ(g.FindFirst(QStringLiteral("ab"), fnMatchCase), None);
    EXPECT_EQ(g.FindFirst(QStringLiteral("ab"), fnMatchStart), None);
    EXPECT_EQ(g.FindFirst(QStringLiteral("xab"), fnMatchStart), TPoint(1, 1));
    EXPECT_EQ(g.FindFirst(QStringLiteral("ab"), fnMatchFull), None);
    g.setCells(2, 2, QStringLiteral("aB"));
    EXPECT_EQ(g.FindFirst(QStringLiteral("ab"), fnMatchFull), TPoint(2, 2));
    EXPECT_EQ(g.FindFirst(QStringLiteral("x?b*"), fnMatchRegular), TPoint(1, 1));
    EXPECT_EQ(g.FindFirst(QStringLiteral("x?b"), fnMatchRegular), None); // the whole cell
    EXPECT_EQ(g.FindFirst(QString(), 0), None);                          // an empty text matches nothing

    // Polish letters are upper-cased too, and tags are removed only when asked.
    g.setCells(3, 4, QStringLiteral("<b>Żółw</b>"));
    EXPECT_EQ(g.FindFirst(QStringLiteral("żółw"), fnMatchFull), None);
    EXPECT_EQ(g.FindFirst(QStringLiteral("żółw"), fnMatchFull | fnIgnoreHTMLTags), TPoint(3, 4));
    EXPECT_EQ(g.FindFirst(QStringLiteral("B>Ż"), 0), TPoint(3, 4));
    EXPECT_EQ(g.FindFirst(QStringLiteral("B>Ż"), fnIgnoreHTMLTags), None);
}

TEST_F(GridFind, OrdersDirectionsAndRanges)
{
    g.setCells(2, 1, QStringLiteral("k"));
    g.setCells(1, 2, QStringLiteral("k"));
    g.setCells(3, 4, QStringLiteral("k"));
    EXPECT_EQ(g.FindFirst(QStringLiteral("k"), 0), TPoint(1, 2));                    // column 1 first
    EXPECT_EQ(g.FindFirst(QStringLiteral("k"), fnDirectionLeftRight), TPoint(2, 1)); // row 1 first
    EXPECT_EQ(g.FindNext(), TPoint(1, 2)); // the line's end goes on to the next row's start
    EXPECT_EQ(g.FindFirst(QStringLiteral("k"), fnBackward), TPoint(3, 4)); // from bottom-right
    EXPECT_EQ(g.FindNext(), TPoint(2, 1));
    EXPECT_EQ(g.FindNext(), TPoint(1, 2));
    EXPECT_EQ(g.FindNext(), None);

    // Current row / column only; a found cell becomes current only with fnAutoGoto.
    g.focusCell(1, 4);
    EXPECT_EQ(g.FindFirst(QStringLiteral("k"), fnFindInCurrentRow), TPoint(3, 4));
    EXPECT_EQ(g.FindNext(), None);
    EXPECT_EQ(g.FindFirst(QStringLiteral("k"), fnFindInCurrentCol | fnAutoGoto), TPoint(1, 2));
    EXPECT_EQ(TPoint(g.col(), g.row()), TPoint(1, 2));
    EXPECT_EQ(g.Find(TPoint(1, 1), QStringLiteral("k"), fnFindInCurrentCol | fnFindInCurrentRow), None);
    EXPECT_EQ(g.Find(TPoint(9, 9), QStringLiteral("k"), 0), TPoint(1, 2)); // outside: from the top

    // Fixed, right fixed and footer cells only with fnIncludeFixed.
    g.SetFixedRightCols(1);
    g.SetFixedFooters(1);
    g.setCells(0, 3, QStringLiteral("f"));
    g.setCells(3, 2, QStringLiteral("f"));
    g.setCells(2, 4, QStringLiteral("f"));
    g.setCells(2, 0, QStringLiteral("f"));
    EXPECT_EQ(g.FindFirst(QStringLiteral("f"), 0), None);
    EXPECT_EQ(g.FindFirst(QStringLiteral("f"), fnIncludeFixed), TPoint(0, 3));
    EXPECT_EQ(g.FindNext(), TPoint(2, 0));
    EXPECT_EQ(g.FindNext(), TPoint(2, 4));
    EXPECT_EQ(g.FindNext(), TPoint(3, 2));
    EXPECT_EQ(g.FindNext(), None);
}

TEST_F(GridFind, HiddenColumnsAndRowsGiveDisplayedIndexes)
{
    g.setCells(1, 1, QStringLiteral("ukryta"));
    g.setCells(2, 3, QStringLiteral("widoczna"));
    g.setCells(3, 2, QStringLiteral("ukryta"));
    g.HideColumn(1);
    EXPECT_EQ(g.FindFirst(QStringLiteral("widoczna"), 0), TPoint(1, 3));
    EXPECT_EQ(g.FindFirst(QStringLiteral("ukryta"), 0), TPoint(2, 2)); // never the hidden cell
    g.UnHideColumn(1);

    g.HideRow(1);
    EXPECT_EQ(g.FindFirst(QStringLiteral("ukryta"), 0), TPoint(3, g.RemapRow(2)));
    EXPECT_EQ(g.FindNext(), None);
}

// Hundreds of rows, read by the plain search a block at a time: every walking order finds
// the same cells, one after another, as the cell by cell walk a text handler takes.
TEST_F(GridFind, LargeGridsFindTheSameCellsWithAndWithoutATextHandler)
{
    g.SetColCount(6);
    g.SetRowCount(1000);
    std::mt19937 rnd(3);
    for (int i = 0; i < 80; ++i)
        g.setCells(1 + int(rnd() % 5), 1 + int(rnd() % 999), QStringLiteral("Igła"));
    g.setCells(3, 300, QStringLiteral("igła"));
    g.MergeCells(3, 300, 2, 2); // its cells all show the text
    g.HideColumn(2);
    for (TFindParams p :
         {0u, unsigned(fnDirectionLeftRight), unsigned(fnBackward), unsigned(fnDirectionLeftRight | fnBackward)}) {
        std::vector<TPoint> found[2];
        for (int handler = 0; handler < 2; ++handler) {
            g.OnGetDisplText = handler ? [](TBaseGrid&, int, int, QString&) {} : TBaseGrid::TGetDisplTextEvent();
            for (TPoint at = g.FindFirst(QStringLiteral("IGŁ"), p); at.x() >= 0 && found[handler].size() < 200;
                 at = g.FindNext())
                found[handler].push_back(at);
        }
        EXPECT_GT(found[0].size(), 40u) << p;
        EXPECT_EQ(found[0], found[1]) << p;
    }
    g.OnGetDisplText = nullptr;
}

TEST_F(GridFind, TypedKeysFindTheKeyRow)
{
    g.setCells(1, 1, QStringLiteral("Bęben"));
    g.setCells(1, 2, QStringLiteral("abc"));
    g.setCells(1, 3, QStringLiteral("Abd"));
    g.setCells(1, 4, QStringLiteral("ABE"));
    g.setCells(2, 4, QStringLiteral("b"));
    EXPECT_EQ(g.Search(QStringLiteral("AB")), 2);
    EXPECT_EQ(g.Search(QStringLiteral("X")), -1);
    g.SortSettings().Show = true;
    g.SortSettings().Column = 2;
    EXPECT_EQ(g.Search(QStringLiteral("B")), 4);
    g.SortSettings().Show = false;

    // Typing moves only while AutoGotoWhenSorted; one letter, or all with AutoGotoIncremental.
    g.focusCell(1, 1);
    Type(QStringLiteral("a"));
    EXPECT_EQ(g.row(), 1);
    g.Navigation().SetAutoGotoWhenSorted(true);
    Type(QStringLiteral("a"));
    EXPECT_EQ(g.row(), 2);
    Type(QStringLiteral("ę")); // only the last letter counts: no row starts with Ę
    EXPECT_EQ(g.row(), 2);
    Type(QStringLiteral("b"));
    EXPECT_EQ(g.row(), 1);
    g.Navigation().AutoGotoIncremental = true;
    Type(QStringLiteral("\b"));
    for (const char* c : {"a", "b", "e"})
        Type(QLatin1String(c));
    EXPECT_EQ(g.row(), 4);
    Type(QStringLiteral("\b"));
    Type(QStringLiteral("d"));
    EXPECT_EQ(g.row(), 3);
    for (int i = 0; i < 4; ++i)
        Type(QStringLiteral("\b")); // "AB", "A", then nothing left: the row stays
    EXPECT_EQ(g.row(), 2);
    Type(QStringLiteral("b"));
    EXPECT_EQ(g.row(), 1);

    // An emptied grid forgets what was typed: the next letter starts a search of its own.
    g.Clear();
    g.setCells(1, 2, QStringLiteral("Cena"));
    Type(QStringLiteral("c"));
    EXPECT_EQ(g.row(), 2);
}
