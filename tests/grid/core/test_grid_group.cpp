// Grouping, group sums and footer calculations over sorted, filtered and hidden rows, and the
// cell accessors that see through hidden rows and sorting.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// One fixed row ("Nazwa", "Grupa", "Kwota") and one fixed column; rows in the order given.
void Rows(TTxStringGrid& g, const std::vector<std::pair<QString, QString>>& rows)
{
    g.setColCount(4);
    g.setRowCount(int(rows.size()) + 1);
    g.setCells(1, 0, QStringLiteral("Nazwa"));
    g.setCells(2, 0, QStringLiteral("Grupa"));
    g.setCells(3, 0, QStringLiteral("Kwota"));
    for (int i = 0; i < int(rows.size()); ++i) {
        g.setCells(1, i + 1, QStringLiteral("n%1").arg(i + 1));
        g.setCells(2, i + 1, rows[size_t(i)].first);
        g.setCells(3, i + 1, rows[size_t(i)].second);
    }
}

QStringList Column(TTxStringGrid& g, int c)
{
    QStringList l;
    for (int r = 0; r < g.RowCount(); ++r)
        l << g.cells(c, r);
    return l;
}

} // namespace

TEST(GridGroup, GroupAndUnGroupRestoreColumnWidthAndHeader)
{
    TTxStringGrid g;
    Rows(g, {{"A", "1"}, {"B", "2"}, {"A", "3"}, {"C", "4"}});
    g.setColWidths(2, 77);
    g.SetGroupColumn(0); // does nothing
    EXPECT_EQ(g.GroupColumn(), -1);
    g.Group(2);
    // Header rows A, B, C showing their value in column 2 (the grouped column is gone).
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(Column(g, 2), (QStringList{"Kwota", "A", "1", "3", "B", "2", "C", "4"}));
    EXPECT_EQ(Column(g, 1), (QStringList{"Nazwa", "", "n1", "n3", "", "n2", "", "n4"}));
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_EQ(g.GetNodeSpan(1), 3);
    EXPECT_TRUE(g.IsNode(4) && g.IsNode(6));
    EXPECT_FALSE(g.IsNode(2));

    g.GroupCount(1);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 1), 2);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 6), 1);

    g.ContractNode(4); // folding a group hides its rows, node and all
    EXPECT_EQ(g.RowCount(), 7);
    // A folded group's calculations count the rows it hides.
    g.GroupCount(1);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 4), 1);
    g.GroupSum(2);
    EXPECT_DOUBLE_EQ(g.GetFloats(2, 4), 2);
    EXPECT_DOUBLE_EQ(g.GetFloats(2, 1), 4);
    g.SetGroupColumn(-1);
    EXPECT_EQ(g.GroupColumn(), -1);
    EXPECT_EQ(g.ColCount(), 4);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.NodeCount(), 0);
    EXPECT_EQ(g.colWidths(2), 77);
    EXPECT_EQ(Column(g, 2), (QStringList{"Grupa", "A", "A", "B", "C"}));
    EXPECT_EQ(Column(g, 3), (QStringList{"Kwota", "1", "3", "2", "4"}));
}

TEST(GridGroup, GroupSumsAndFootersFollowSortingFilteringAndHiding)
{
    TTxStringGrid g;
    Rows(g, {{"B", "10"}, {"A", "1"}, {"B", "20"}, {"A", "2"}, {"A", "4"}, {"B", "40"}, {"C", "x"}});
    // The group values show in the column right of the first normal one: group by a column
    // further right (a copy of the group in column 4), so that the amounts stay in column 3.
    g.setColCount(5);
    for (int r = 0; r < g.RowCount(); ++r)
        g.setCells(4, r, g.cells(2, r));
    g.AddRow(); // the footer row
    TFloatingFooter& f = g.FloatingFooter();
    f.SetVisible(true);
    f.SetColumnCalc(3, acSUM);
    f.SetColumnCalc(1, acCOUNT);
    g.setCells(3, 7, QStringLiteral("0")); // the text row as a number for now
    g.CellsChanged(TRect{0, 0, 3, 8});
    EXPECT_DOUBLE_EQ(g.GetFloats(3, 8), 77);
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 8), 7);

    g.SortSettings().Column = 3;
    g.QSort(); // the footer row stays last
    EXPECT_DOUBLE_EQ(g.GetFloats(3, 8), 77);
    EXPECT_EQ(g.RowCount(), 9);

    g.HideRow(g.RemapRowInv(1)); // the smallest value (0)
    TFilterData* d = g.Filter().Add();
    d->Column = 3;
    d->Condition = QStringLiteral("!40");
    g.SetFilterActive(true);
    EXPECT_DOUBLE_EQ(g.GetFloats(3, g.RowCount() - 1), 37); // 1 + 2 + 4 + 10 + 20
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 5);

    g.Group(4);
    g.GroupSum(3);
    QStringList headers;
    for (int r = 1; r < g.RowCount() - 1; ++r)
        if (g.IsNode(r))
            headers << g.cells(2, r) + QLatin1Char('=') + QString::number(g.GetFloats(3, r));
    EXPECT_EQ(headers, (QStringList{"A=7", "B=30"}));

    g.UnGroup();
    g.SetFilterActive(false); // the filtered row is back and counted
    EXPECT_DOUBLE_EQ(g.GetFloats(3, g.RowCount() - 1), 77);
    g.UnHideRowsAll();
    EXPECT_DOUBLE_EQ(g.GetFloats(1, g.RowCount() - 1), 7);

    // A text among the numbers leaves the footer as it was; another style leaves it alone.
    g.setCells(3, 1, QStringLiteral("abc"));
    g.CellsChanged(TRect{3, 1, 3, 1});
    EXPECT_DOUBLE_EQ(g.GetFloats(3, g.RowCount() - 1), 77);
    f.SetFooterStyle(fsColumnPreview);
    g.setCells(3, 1, QStringLiteral("100"));
    g.CellsChanged(TRect{3, 1, 3, 1});
    EXPECT_DOUBLE_EQ(g.GetFloats(3, g.RowCount() - 1), 77);
}

// A grid grouped by region with subtotals of the amount, its floating footer summing amount and
// quantity, shown and driven by clicks: the footer holds the true totals from the first paint
// and after a sort, every fold and unfold, a filter and an edit, never counting a subtotal; each
// node row shows its region, and ungrouping gives every row its region back.
TEST(GridGroup, FooterTotalsHoldThroughFoldsAndLeaveSubtotalsOut)
{
    TTxStringGrid g;
    g.setColCount(5);
    g.setRowCount(8); // the header, six rows, the footer
    g.FloatingFooter().SetVisible(true);
    g.FloatingFooter().SetColumnCalc(3, acSUM);
    g.FloatingFooter().SetColumnCalc(4, acSUM);
    const QStringList regions{"Region", "Północ", "Południe", "Północ", "Wschód", "Południe", "Wschód"};
    const QStringList amounts{"Kwota", "10", "50", "30", "20", "70", "30"};
    const QStringList quantities{"Ilość", "1", "2", "3", "1", "1", "2"};
    for (int r = 0; r < 7; ++r) {
        g.setCells(1, r, r ? QStringLiteral("n%1").arg(r) : QStringLiteral("Nazwa"));
        g.setCells(2, r, regions[r]);
        g.setCells(3, r, amounts[r]);
        g.setCells(4, r, quantities[r]);
    }
    g.setCells(1, 7, QStringLiteral("Razem"));
    g.resize(420, 300);
    g.show();
    QApplication::processEvents();
    // The label and the two totals of the footer row.
    const auto footer = [&g] {
        const int last = g.RowCount() - 1;
        return QStringLiteral("%1 | %2 | %3")
            .arg(g.cells(1, last))
            .arg(g.GetFloats(g.ColCount() - 2, last))
            .arg(g.GetFloats(g.ColCount() - 1, last));
    };
    EXPECT_EQ(footer(), QStringLiteral("Razem | 210 | 10")); // from the first paint

    g.SortSettings().Column = 3;
    g.QSort();
    EXPECT_EQ(footer(), QStringLiteral("Razem | 210 | 10"));

    g.Group(2); // the regions' column goes; amounts are column 2 now
    g.GroupSum(2);
    EXPECT_EQ(footer(), QStringLiteral("Razem | 210 | 10"));
    QStringList nodes;
    for (int r = 1; r < g.RowCount() - 1; ++r)
        if (g.IsNode(r))
            nodes << QStringLiteral("%1=%2").arg(g.cells(1, r)).arg(g.GetFloats(2, r));
    nodes.sort();
    EXPECT_EQ(nodes, (QStringList{"Południe=120", "Północ=40", "Wschód=50"}));

    const auto nodeBox = [&g](int r) { return g.CellRect(0, r).toQRect().center(); };
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, nodeBox(1)); // fold the first group
    ASSERT_TRUE(g.GetNodeState(1));
    EXPECT_EQ(footer(), QStringLiteral("Razem | 210 | 10"));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, nodeBox(1)); // and unfold it
    ASSERT_FALSE(g.GetNodeState(1));
    EXPECT_EQ(footer(), QStringLiteral("Razem | 210 | 10"));

    TFilterData* d = g.Filter().Add(); // the amounts 10 and 20 filtered away
    d->Column = 2;
    d->Condition = QStringLiteral("!10 & !20");
    g.SetFilterActive(true);
    EXPECT_EQ(footer(), QStringLiteral("Razem | 180 | 8"));
    g.SetFilterActive(false);

    ASSERT_FALSE(g.IsNode(2));
    const double before = g.GetFloats(2, 2);
    g.SetFloats(2, 2, before + 5);
    g.CellsChanged(TRect{2, 2, 2, 2});
    EXPECT_EQ(footer(), QStringLiteral("Razem | 215 | 10"));
    g.SetFloats(2, 2, before);

    g.UnGroup();
    EXPECT_EQ(g.ColCount(), 5);
    QStringList pairs;
    for (int r = 1; r < g.RowCount() - 1; ++r)
        pairs << g.cells(1, r) + ":" + g.cells(2, r);
    pairs.sort();
    EXPECT_EQ(pairs, (QStringList{"n1:Północ", "n2:Południe", "n3:Północ", "n4:Wschód", "n5:Południe", "n6:Wschód"}));
}

TEST(GridGroup, FooterCountAndNotifiersInRegistrationOrder)
{
    TTxStringGrid g;
    g.setColCount(3);
    g.setRowCount(10);
    g.FloatingFooter().SetVisible(true);
    g.FloatingFooter().SetColumnCalc(2, acCOUNT);
    struct Log : TGridChangeNotifier {
        Log(QStringList& l, QString n) : log(l), name(std::move(n)) {}
        void CellsChanged(TRect) override { log << name; }
        QStringList& log;
        QString name;
    };
    QStringList log;
    Log a(log, "a"), b(log, "b");
    g.RegisterNotifier(&b);
    g.RegisterNotifier(&a);
    g.RegisterNotifier(&b);
    g.OnCellsChanged = [&](TTxStringGrid&, TRect) { log << "event"; };
    g.CellsChanged(TRect{0, 0, 1, 1});
    EXPECT_EQ(log, (QStringList{"event", "b", "a"}));
    EXPECT_EQ(g.GetFloats(2, 9), 8); // 10 rows less the fixed row and the footer
}

TEST(GridAccess, HiddenRowsSortingSelectedCellsNumbersAndColours)
{
    TTxStringGrid g;
    Rows(g, {{"c", "3"}, {"a", "1"}, {"b", "2"}, {"d", "4"}});
    // Through hidden rows: the real row 2 is hidden, display row 2 now shows real row 3.
    g.HideRow(2);
    EXPECT_EQ(g.GetCellsEx(2, 2), QStringLiteral("a"));
    EXPECT_EQ(g.cells(2, 2), QStringLiteral("b"));
    EXPECT_EQ(g.GetCellsEx(2, 3), QStringLiteral("b"));
    g.SetCellsEx(3, 2, QStringLiteral("11"));
    ui::CellObject obj;
    g.SetObjectsEx(1, 2, &obj);
    EXPECT_EQ(g.GetObjectsEx(1, 2), &obj);
    EXPECT_EQ(g.GetObjectsEx(1, 3), nullptr);
    g.UnHideRow(2);
    EXPECT_EQ(g.cells(3, 2), QStringLiteral("11"));
    EXPECT_EQ(g.GetObjectEx(1, 2), &obj);

    // Through sorting: row numbers from before the sort.
    g.InitSortXRef();
    g.SortSettings().Column = 2;
    g.QSort(); // a, b, c, d
    EXPECT_EQ(g.GetUnSortedCell(2, 1), QStringLiteral("c"));
    EXPECT_EQ(g.GetUnSortedCell(2, 4), QStringLiteral("d"));
    g.SetUnSortedCell(1, 3, QStringLiteral("trzeci"));
    EXPECT_EQ(g.cells(1, 2), QStringLiteral("trzeci"));
    EXPECT_EQ(g.GetUnSortedCell(2, 99), QString()); // outside the grid: nothing read, nothing written
    g.SetUnSortedCell(2, 99, QStringLiteral("x"));
    EXPECT_EQ(g.RowCount(), 5);

    // Selected cells: packed, listed once, unpackable cells ignored.
    g.SetSelectedCells(3, 7, true);
    g.SetSelectedCells(3, 7, true);
    g.SetSelectedCells(70000, 1, true);
    EXPECT_EQ(g.GetSelectedCellsCount(), 1);
    EXPECT_EQ(g.GetSelectedCellPacked(0), 3 + 7 * 65536);
    EXPECT_EQ(g.GetSelectedCell(0), QPoint(3, 7));
    EXPECT_FALSE(g.GetSelectedCells(70000 - 65536, 2));
    g.SetSelectedCells(3, 7, false);
    EXPECT_EQ(g.GetSelectedCellsCount(), 0);

    // Numbers, stripped text and colours.
    g.setCells(1, 2, QStringLiteral("12.5"));
    EXPECT_DOUBLE_EQ(g.CellToReal(1, 2), 12.5);
    g.setCells(1, 2, QStringLiteral("12,5x"));
    try {
        g.CellToReal(1, 2);
        ADD_FAILURE();
    } catch (const ETxGridError& e) {
        EXPECT_STREQ(e.what(), "Error at position: 3 in Cell [1, 2].");
    }
    g.setCells(1, 2, QString());
    EXPECT_EQ(g.CellToReal(1, 2), 0);
    for (const auto& [text, pos] :
         std::vector<std::pair<QString, int>>{{"-1.5e3", 0}, {"+.5", 0}, {"1e", 3}, {"-", 2}, {".", 2}, {"7 ", 2}})
        EXPECT_EQ(RealErrorPosition(text), pos) << text.toStdString();
    g.setCells(2, 1, QStringLiteral("<b>gruby</b> tekst"));
    EXPECT_EQ(g.GetStrippedCell(2, 1), QStringLiteral("gruby tekst"));
    EXPECT_EQ(g.GetColors(2, 1), ui::clNone);
    g.SetColors(2, 1, ui::clRed);
    EXPECT_EQ(g.GetColors(2, 1), ui::clRed);
    g.HideColumn(2);
    g.SetAllColWidths(2, 55);
    g.UnHideColumn(2);
    EXPECT_EQ(g.colWidths(2), 55);
    EXPECT_EQ(g.GetAllColWidths(2), 55);
}
