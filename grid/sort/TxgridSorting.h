#pragma once
// TGridSorting: the grid's sorting and filtering. It keeps the sort index list, the row
// cross-reference, the running sort's readings and the counters, and the state of a running
// filter; the grid's functions of the same names forward here (Txgrid.h says what each does).
// It sees the grid only through its host, TSortHost; the work reaches the grid's virtual
// hooks (GetColFormat, SortSwapRows, MatchFilter, ...), so a descendant's answers count.
//
//   TxgridSort.cpp    comparing, sorting, the cross-reference, header clicks
//   TxgridFilter.cpp  filtering through the hidden-row store
#include "grid/controls/Txobj.h"

#include <QPoint>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <span>
#include <vector>

namespace grid {

class TSortHost;     // what sorting needs of the grid (TxgridSortHost.h)
struct TSortContext; // the regional settings and collators one sort reads once (TxgridSortKeys.h)

// One column of a sort's order: Sign -1 sorts it descending.
struct TSortLink {
    int Col, Sign;
};

class TGridSorting {
public:
    explicit TGridSorting(std::unique_ptr<TSortHost> Host);
    ~TGridSorting();
    TGridSorting(const TGridSorting&) = delete;
    TGridSorting& operator=(const TGridSorting&) = delete;
    TSortHost& Host() const { return G; } // finding sees the grid through it too

    // ---- comparing and sorting ----------------------------------------------------------
    int Compare(int ACol, int ARow1, int ARow2);
    int CompareLine(int ACol, int ARow1, int ARow2);
    int CompareLineIndexed(int Idx, int ARow1, int ARow2);
    bool SortLine(int ACol, int ARow1, int ARow2);
    void SortByColumn(int ACol);
    void QuickSort(int ACol, int Lo, int Hi);
    void QuickSortIndexed(int Lo, int Hi);
    void QuickSortRows(int ACol, int Lo, int Hi);
    void QuickSortRowsIndexed(int Idx, int Lo, int Hi);
    void QSort();
    void QSortIndexed();
    void QSortGroup();
    void InitSortXRef();
    int SortedRowIndex(int ARow) const;
    int UnSortedRowIndex(int ARow) const;
    void ClickSort(int ACol, bool Shift);
    bool CanClickSort(int ACol, int ARow, int PressRow, QPoint Pos);
    // SortSwapRows swapped two rows: counted, the cross-reference follows them, and so does
    // the tracked current row.
    void RowsSwapped(int ARow1, int ARow2);
    void CurrentRowSwapped(int ARow1, int ARow2);

    TSortIndexList& Indexes() { return FIndexes; }
    TIntList& CrossReference() { return FCrossReference; }
    int CompareCount() const { return FCompareCount; }
    int SwapCount() const { return FSwapCount; }
    qint64 Time() const { return FTime; } // the last header-click sort, ms

    // ---- filtering ----------------------------------------------------------------------
    bool MatchFilter(int ARow); // the grid's own row test
    void ApplyFilter();
    // The filter was switched on or off (the grid's flag already says which). False: switched
    // on, it filtered nothing, a progress handler having changed the rows at every pass (the
    // grid's flag goes back off, so that it says what the grid shows).
    bool FilterActiveChanged(bool Value);

private:
    struct TSortColumn;
    struct TFilterContext;
    int CompareDir(int ACol, int ARow1, int ARow2, bool Descending);
    int SortColLimit() const; // columns a tie-break may reach
    // ACol, then with SortSettings.Full each column to its right, all in one direction.
    std::vector<TSortLink> SortChain(int ACol, int Sign);
    // Rows Lo..Hi ordered by the first link, ties broken by the next ones.
    void SortRowRange(int Lo, int Hi, const std::vector<TSortLink>& Chain);
    void SplitRowMerges(int Lo, int Hi);
    void ApplyRowOrder(int Lo, const std::vector<int>& Order);
    template <class Body>
    void FullSort(bool KeepCol0, bool FollowRow, Body Run);
    void UndoColumnMerge();
    void ApplyColumnMerge();
    void HideDisplayedRows(std::span<const int> Rows);
    // One pass of ApplyFilter; false when a progress handler changed the rows (nothing hidden).
    bool FilterPass();

    std::unique_ptr<TSortHost> FHost;
    TSortHost& G; // the host, under the short name the sorting code reads with
    TSortIndexList FIndexes;
    TIntList FCrossReference;         // entry p: the row number the row now at p had
    TSortContext* FContext = nullptr; // set while a sort runs
    int FFactor = 1;                  // +1 ascending, -1 descending
    bool FWithHidden = false;         // a full sort: hidden columns break ties too
    int FCurrentRow = -1;             // the current row's data, followed through the row swaps
    int FCompareCount = 0;
    int FSwapCount = 0;
    qint64 FTime = 0;
    const TFilterContext* FFilterContext = nullptr; // the regional settings of a running filter
    bool FFilterPlaceholder = false;                // filtering added the only normal row (or the store kept it)
    int FFilterRestoreFixed = -1;                   // fixed rows the store dropped while everything was filtered
    int FFilterRuns = 0;                            // filters started, so that one started by a handler is seen
    bool FFilterStopped = false;                    // the last filter ended on a handler's change, not applied
    int FFilterPasses = 0;                          // passes that filtered the grid, nested ones among them
    int FPassRows = 0, FPassHidden = 0;             // the rows and hidden rows the last pass started with
};

} // namespace grid
