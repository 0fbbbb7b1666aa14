// Sorting driven through a small fake host instead of the grid: what the host answers is all
// sorting sees, and what sorting asks of the host comes in an order the grid relies on.
#include "grid/sort/TxgridSortHost.h"
#include "grid/sort/TxgridSorting.h"
#include "tests/grid/FakeGridHost.h"

#include <gtest/gtest.h>

using namespace grid;

namespace {

class FakeSortHost : public FakeGridHost<TSortHost> {
public:
    using FakeGridHost::FakeGridHost;
    TSortSettings Sort{*this};
    TFilter Filt{*this};
    THiddenRows Hidden;
    ui::GapVector<char> Selected;
    TIntList Merged;
    int Updates = 0, RowLimit = 0;

    QString column(int ACol) const
    {
        QStringList l;
        for (int r = 0; r < RowCount(); ++r)
            l << cells(ACol, r);
        return l.join(',');
    }

    TSortSettings& SortSettings() override { return Sort; }
    TFilter& Filter() override { return Filt; }
    bool FixedRowAlways() const override { return false; }
    bool FilterActive() const override { return false; }
    ui::StringGridCore& core() override { return Store; }
    THiddenRows& HiddenRowStore() override { return Hidden; }
    ui::GapVector<char>& RowSelect() override { return Selected; }
    unsigned CellsChanges() const override { return 0; }
    void setFixedRows(int Count) override { Store.setFixedRows(Count); }
    int NumHiddenColumns() const override { return 0; }
    int NumHiddenRows() const override { return 0; }
    int topRow() const override { return 1; }
    void moveCurrentRaw(int ACol, int ARow) override
    {
        note("moveCurrentRaw " + at(ACol, ARow));
        Col = ACol, Row = ARow;
    }
    int RemapRowInv(int ARow) const override { return ARow; }
    void InsertRows(int ARow, int Count) override { note(QStringLiteral("InsertRows %1 %2").arg(ARow).arg(Count)); }
    void RemoveRows(int ARow, int Count) override { note(QStringLiteral("RemoveRows %1 %2").arg(ARow).arg(Count)); }
    void UnHideRowsAll() override { note("UnHideRowsAll"); }
    void RowsLeft(int, int, int, bool, const TRect&) override { note("RowsLeft"); }
    void SplitCells(int ACol, int ARow) override { note("SplitCells " + at(ACol, ARow)); }
    TIntList& MergedColumns() override { return Merged; }
    void SplitColumnCells(int ACol) override { note(QStringLiteral("SplitColumnCells %1").arg(ACol)); }
    void MergedColumnsChanged() override {}
    const QString& SortCellRef(int ACol, int ARow, QString&) override { return Store.cellRef(ACol, ARow); }
    int GetCellImageIdx(int, int) override { return -1; }
    bool HasDisplTextHandler() const override { return false; }
    int DisplTextRowLimit() const override { return RowLimit; }
    void SetDisplTextRowLimit(int Value) override { RowLimit = Value; }
    void GetColFormat(int, TSortStyle&, QString&, QString&) override {}
    bool GetFilter(int) override { return false; }
    bool IsNode(int) override { return false; }
    void SortSwapRows(int ARow1, int ARow2) override
    {
        note(QStringLiteral("SortSwapRows %1 %2").arg(ARow1).arg(ARow2));
        Store.swapRows(ARow1, ARow2);
    }
    bool MatchFilter(int) override { return true; }
    bool OwnMatchFilter() const override { return true; }
    void BeginUpdate() override { ++Updates; }
    void EndUpdate() override { --Updates; }
    int UpdateCount() const override { return Updates; }
    // What the open editor would write back, and where: the rows as they stand when it closes.
    void HideInplaceEdit() override { note("HideInplaceEdit " + column(1)); }
};

} // namespace

// A sort closes the editor before any row moves, keeps the header and footer rows, and the
// current row follows its data; the update lock it takes is given back.
TEST(GridSortHost, SortClosesTheEditorFirstAndTheCurrentRowFollowsItsData)
{
    auto owned = std::make_unique<FakeSortHost>(3, 5);
    FakeSortHost& h = *owned;
    h.Footers = 1;
    const QStringList texts{"Nazwa", "b", "c", "a", "Suma"};
    for (int r = 0; r < 5; ++r)
        h.Store.setCell(1, r, texts[r]), h.Store.setCell(2, r, texts[r].toUpper());
    h.Row = 1; // on "b"
    h.Nav.MoveRowOnSort = true;
    h.Sort.Column = 1;
    TGridSorting sorting(std::move(owned));

    sorting.QSort();
    EXPECT_EQ(h.column(1), "Nazwa,a,b,c,Suma");
    EXPECT_EQ(h.column(2), "NAZWA,A,B,C,SUMA"); // whole rows move
    QStringList closes = h.Calls.filter("HideInplaceEdit");
    closes.removeDuplicates();
    EXPECT_EQ(closes.join('|'), "HideInplaceEdit Nazwa,b,c,a,Suma"); // each before a row moved
    EXPECT_EQ(h.Calls.last(), "moveCurrentRaw (1,2)");
    EXPECT_EQ(h.Updates, 0);

    // Descending with SingleColumn: the rows move by the host's swaps (the grid's swaps only the
    // sort column's cells), each putting one row at its place for good.
    h.Calls.clear();
    h.Sort.Direction = sdDescending;
    h.Sort.SingleColumn = true;
    sorting.SortByColumn(1);
    EXPECT_EQ(h.column(1), "Nazwa,c,b,a,Suma");
    EXPECT_EQ(h.Calls.filter("SortSwapRows").join('|'), "SortSwapRows 1 3");
    EXPECT_TRUE(h.Calls.first().startsWith("HideInplaceEdit"));
    EXPECT_EQ(h.Updates, 0);
}
