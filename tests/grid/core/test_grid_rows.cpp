// Rows and columns of the grid control: objects moving with inserted, removed and merged
// cells; hidden rows and columns round-tripping with their objects and sizes; the real and
// displayed numberings at their edges.
#include "grid/core/Txgrid.h"

#include "support/Keyboard.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

using namespace grid;

namespace {
// Counts the live instances so that a test sees what was freed.
struct Probe : ui::CellObject {
    explicit Probe(int* alive) : a(alive) { ++*a; }
    ~Probe() override { --*a; }
    int* a;
};

void Fill(TTxStringGrid& g)
{
    for (int r = 0; r < g.rowCount(); ++r)
        for (int c = 0; c < g.colCount(); ++c)
            g.setCells(c, r, QStringLiteral("%1:%2").arg(c).arg(r));
}
} // namespace

TEST(GridRows, InsertAndRemoveMoveObjectsAndFreeOnlyWhatIsRemoved)
{
    int alive = 0;
    TTxStringGrid g;
    g.setRowCount(6);
    Fill(g);
    auto* p = new Probe(&alive);
    (void)g.SetGridObject(1, 2, std::unique_ptr<ui::CellObject>(p));
    g.setRowHeights(2, 40);
    g.InsertRows(2, 1);
    EXPECT_EQ(g.GetGridObject(1, 3), p); // the same object, one row down
    EXPECT_EQ(g.GetGridObject(1, 2), nullptr);
    EXPECT_EQ(g.cells(1, 2), QString());
    EXPECT_EQ(g.rowHeights(3), 40);
    EXPECT_EQ(alive, 1);

    g.RemoveRows(g.rowCount(), 1); // at the end: nothing, no range error
    EXPECT_EQ(g.rowCount(), 7);
    g.moveCurrentRaw(1, 6);
    g.RemoveRows(3, 100); // runs past the end: stops at the last row, frees what it held
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(g.row(), 2); // the current row went to the last data row
    g.SetFixedFooters(1);
    g.RemoveRows(1, 1);
    EXPECT_TRUE(g.SelectionHidden()); // only the header and the footer are left
}

TEST(GridRows, RemoveColsCarriesHiddenColumnsAndTheirFlags)
{
    int alive = 0;
    TTxStringGrid g;
    g.setColCount(6);
    Fill(g);
    (void)g.SetGridObject(5, 1, std::make_unique<Probe>(&alive));
    (void)g.SetGridObject(1, 1, std::make_unique<Probe>(&alive));
    g.HideColumn(4);
    ASSERT_EQ(g.colCount(), 5);
    g.RemoveCols(1, 1);
    EXPECT_EQ(alive, 1); // only the removed column's object went
    EXPECT_EQ(g.colCount(), 4);
    EXPECT_EQ(g.NumHiddenColumns(), 1);
    EXPECT_TRUE(g.IsHiddenColumn(3)); // the flag moved with its column
    EXPECT_FALSE(g.IsHiddenColumn(4));
    EXPECT_EQ(g.cells(3, 1), QStringLiteral("4:1"));
    EXPECT_EQ(g.cells(4, 1), QStringLiteral("5:1"));
    EXPECT_NE(g.GetGridObject(4, 1), nullptr);
    EXPECT_EQ(g.cells(5, 1), QString()); // nothing duplicated past the end
    g.UnHideColumnsAll();
    EXPECT_EQ(g.colCount(), 5);
    EXPECT_EQ(g.cells(g.RemapCol(3), 1), QStringLiteral("4:1"));
}

TEST(GridRows, MergingRunsFollowsTheAlgorithmAndSplittingResumesAfterTheBlock)
{
    TTxStringGrid g;
    g.setColCount(2);
    g.setRowCount(5);
    const QStringList col = {QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("A"), QStringLiteral("B"),
                             QStringLiteral("C")};
    for (int r = 0; r < 5; ++r)
        g.setCells(0, r, col[r]);
    g.MergeColumnCells(0, true);
    EXPECT_EQ(g.BaseCell(0, 2), QPoint(0, 1)); // rows 1-2 one block, the header never joins
    EXPECT_FALSE(g.IsMergedCell(0, 0));
    EXPECT_TRUE(g.IsMergedCell(0, 3));  // a closed run of one row: a 1 x 1 block
    EXPECT_FALSE(g.IsMergedCell(0, 4)); // the run left open at the end: only from two rows
    g.SplitColumnCells(0);
    for (int r = 0; r < 4; ++r)
        EXPECT_FALSE(g.IsMergedCell(0, r)) << r;

    g.MergeCols(0, 1);
    EXPECT_EQ(g.colCount(), 1);
    EXPECT_EQ(g.cells(0, 1), QStringLiteral("A"));
}

TEST(GridRows, HiddenRowsRoundTripWithObjectsHeightsAndPlaces)
{
    int alive = 0;
    TTxStringGrid g;
    g.setColCount(3);
    g.setRowCount(10);
    Fill(g);
    (void)g.SetGridObject(2, 4, std::make_unique<Probe>(&alive));
    g.setRowHeights(4, 33);
    g.HideRows(3, 5);
    EXPECT_EQ(g.rowCount(), 7);
    EXPECT_EQ(g.NumHiddenRows(), 3);
    EXPECT_EQ(g.RemapRow(6), 3);
    EXPECT_EQ(g.RemapRowInv(3), 6);
    EXPECT_EQ(g.RemapRowInv(2), 2);
    EXPECT_EQ(g.RemapRowInv(g.rowCount()), 10); // one past the last displayed row
    EXPECT_EQ(g.RemapRow(10), 7);
    EXPECT_EQ(alive, 1); // kept in the store
    ASSERT_NE(g.HiddenRow(4), nullptr);
    EXPECT_EQ(g.HiddenRow(4)->texts.at(1), QStringLiteral("1:4"));
    g.UnHideRow(4);
    EXPECT_EQ(g.cells(1, 3), QStringLiteral("1:4"));
    EXPECT_EQ(g.rowHeights(3), 33);
    EXPECT_NE(g.GetGridObject(2, 3), nullptr);

    // A range over a row already hidden and past the end: each row keeps its own index.
    g.HideRows(2, 50);
    EXPECT_EQ(g.rowCount(), 2);
    EXPECT_EQ(g.NumHiddenRows(), 8);
    EXPECT_TRUE(g.IsHiddenRow(9));
    EXPECT_FALSE(g.IsHiddenRow(10));
    g.UnHideRowsAll();
    ASSERT_EQ(g.rowCount(), 10);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(g.cells(0, r), QStringLiteral("0:%1").arg(r)) << r;
    EXPECT_EQ(g.rowHeights(4), 33);
    EXPECT_EQ(alive, 1);
}

TEST(GridRows, HiddenRowsComeBackAmongRowsMovedMeanwhile)
{
    TTxStringGrid g;
    g.setColCount(1);
    g.setRowCount(10);
    Fill(g);
    g.HideRow(2);
    g.HideRow(3);
    g.HideRow(7);
    g.SortSwapRows(1, 6); // displayed rows move; hidden ones keep their real index
    g.UnHideRowsAll();
    EXPECT_EQ(g.cells(0, 2), QStringLiteral("0:2"));
    EXPECT_EQ(g.cells(0, 3), QStringLiteral("0:3"));
    EXPECT_EQ(g.cells(0, 7), QStringLiteral("0:7"));
    EXPECT_EQ(g.cells(0, 1), QStringLiteral("0:9"));
    EXPECT_EQ(g.cells(0, 9), QStringLiteral("0:1"));
}

// A store filled to its reserved size once lost every row after one taken out of it.
TEST(GridRows, HidingOneRowOfAFullStoreKeepsTheRowsAfterIt)
{
    for (int cols : {2, 14}) {
        TTxStringGrid g;
        g.setColCount(cols);
        g.setRowCount(80);
        Fill(g);
        g.HideRow(7);
        EXPECT_EQ(g.cells(0, 7), QStringLiteral("0:8")) << cols;
        EXPECT_EQ(g.cells(1, 79 - 1), QStringLiteral("1:79")) << cols;
        g.UnHideRowsAll();
        EXPECT_EQ(g.cells(0, 7), QStringLiteral("0:7")) << cols;
        EXPECT_EQ(g.cells(cols - 1, 79), QStringLiteral("%1:79").arg(cols - 1)) << cols;
    }
}

TEST(GridRows, HiddenColumnsKeepCellsAndWidths)
{
    TTxStringGrid g;
    g.setColCount(5);
    Fill(g);
    g.setColWidths(2, 91);
    g.HideColumn(2);
    EXPECT_EQ(g.colCount(), 4);
    EXPECT_EQ(g.RemapCol(2), 3);
    EXPECT_EQ(g.RemapColInv(3), 2);
    EXPECT_EQ(g.cells(2, 1), QStringLiteral("2:1")); // cells stay at their real index
    EXPECT_FALSE(g.IsHiddenColumn(300));
    g.UnHideColumn(2);
    EXPECT_EQ(g.colWidths(2), 91);
    g.HideColumns(0, 4);
    EXPECT_EQ(g.colCount(), 1); // the last displayed column stays
    EXPECT_EQ(g.RemapCol(0), 4);
}

TEST(GridRows, IndexTranslationAgreesWithCountingRowByRow)
{
    // Against the definition: walk the real rows and count those shown.
    THiddenRows h;
    std::vector<bool> hidden(5000, false);
    unsigned seed = 7;
    for (int i = 0; i < 1500; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int r = int((seed >> 8) % 5000);
        if (!hidden[std::size_t(r)]) {
            hidden[std::size_t(r)] = true;
            h.Add(r, {});
        } else if (i % 3 == 0) {
            hidden[std::size_t(r)] = false;
            (void)h.Take(r);
        }
    }
    int shown = 0, below = 0;
    for (int r = 0; r < 5000; ++r) {
        ASSERT_EQ(h.HiddenBefore(r), below) << r;
        if (hidden[std::size_t(r)]) {
            ++below;
            continue;
        }
        ASSERT_EQ(h.RealToDisplay(r), shown) << r;
        ASSERT_EQ(h.DisplayToReal(shown), r) << r;
        ++shown;
    }
    EXPECT_EQ(h.DisplayToReal(shown), 5000); // past the last row the count goes on
    EXPECT_EQ(h.DisplayToReal(-1), -1);
    // The hiding order is kept for the rows still hidden.
    int last = -1, n = 0;
    for (int p = h.First(); p >= 0; p = h.Next(p), ++n)
        last = h.IdxAt(p);
    EXPECT_EQ(n, h.Count());
    EXPECT_GE(last, 0);
}

// Rows inserted or deleted by key above hidden rows: every hidden row comes back in its own
// place, whether a filter, HideRows or a folded group hid it, and a group folded below a
// deleted one unfolds its own rows.
TEST(GridRows, HiddenRowsKeepTheirPlacesAcrossKeyedInsertsAndDeletes)
{
    struct Case {
        const char* Name;
        std::function<void(TTxStringGrid&)> Hide;
        int Row, Key;
        std::function<void(TTxStringGrid&)> Show;
        QStringList Want;
    };
    const auto ids = [](TTxStringGrid& g) {
        QStringList l;
        for (int r = 0; r < g.rowCount(); ++r)
            l << g.cells(1, r);
        return l;
    };
    const auto unhide = [](TTxStringGrid& g) { g.UnHideRowsAll(); };
    const QStringList allButFirst{"h", "id2", "id3", "id4", "id5", "id6", "id7"};
    const Case cases[] = {
        {"filter",
         [](TTxStringGrid& g) {
             TFilterData* d = g.Filter().Add();
             d->Column = 2;
             d->Condition = QStringLiteral("x");
             g.SetFilterActive(true);
         },
         1, Qt::Key_Delete, [](TTxStringGrid& g) { g.SetFilterActive(false); }, allButFirst},
        {"delete above hidden rows",
         [](TTxStringGrid& g) { g.HideRows(5, 6); },
         2,
         Qt::Key_Delete,
         unhide,
         {"h", "id1", "id3", "id4", "id5", "id6", "id7"}},
        {"insert above hidden rows",
         [](TTxStringGrid& g) { g.HideRows(4, 5); },
         1,
         Qt::Key_Insert,
         unhide,
         {"h", "", "id1", "id2", "id3", "id4", "id5", "id6", "id7"}},
        {"folded group deleted",
         [](TTxStringGrid& g) {
             g.AddNode(1, 3); // id1 heads id2, id3
             g.AddNode(4, 3); // id4 heads id5, id6
             g.ContractNode(4);
             g.ContractNode(1);
         },
         1, Qt::Key_Delete,
         [&ids](TTxStringGrid& g) {
             g.SetNodeState(1, false); // the group left unfolds its own rows
             EXPECT_EQ(ids(g), (QStringList{"h", "id4", "id5", "id6", "id7"}));
             g.UnHideRowsAll();
         },
         allButFirst},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.Name);
        TTxStringGrid g;
        g.setColCount(3);
        g.setRowCount(8);
        g.setCells(1, 0, QStringLiteral("h"));
        for (int r = 1; r < 8; ++r) {
            g.setCells(1, r, QStringLiteral("id%1").arg(r));
            g.setCells(2, r, r % 2 ? QStringLiteral("x") : QString());
        }
        g.Navigation().AllowDeleteRow = g.Navigation().AllowInsertRow = true;
        keyboard::showFocused(g);
        t.Hide(g);
        g.focusCell(1, t.Row);
        QTest::keyClick(&g, Qt::Key(t.Key));
        t.Show(g);
        EXPECT_EQ(ids(g), t.Want);
        EXPECT_EQ(g.NumHiddenRows(), 0);
    }
}
