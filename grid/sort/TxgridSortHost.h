#pragma once
// What sorting, filtering and finding need of the grid, and nothing more. The grid answers
// through an adapter made where the grid is assembled, so sorting never sees the grid's whole
// class. What every host shares stands in TGridHost; each function carries the grid's own
// name, so the sorting code reads as it did; the hot loops read the cell store itself (core())
// and the settings once per sort, never a call per comparison.
#include "grid/core/TxgridHiddenRows.h"
#include "grid/core/TxgridHost.h"
#include "grid/controls/Txobj.h"
#include "grid/settings/TxgridLookSettings.h"
#include "platform/ui/StringGridCore.h"

namespace grid {

class TSortHost : public TGridHost {
public:
    // Settings.
    virtual TSortSettings& SortSettings() = 0;
    virtual TFilter& Filter() = 0;
    virtual bool FixedRowAlways() const = 0;
    virtual bool FilterActive() const = 0;

    // The cell store, the rows set aside (hidden) and the disjunct row selection.
    virtual ui::StringGridCore& core() = 0;
    virtual THiddenRows& HiddenRowStore() = 0;
    virtual ui::GapVector<char>& RowSelect() = 0;
    virtual unsigned CellsChanges() const = 0; // cells told changed so far: a running filter sees them

    // Structure: the grid's fixed rows as set, hidden cells, the top row, moving the current cell.
    virtual void setFixedRows(int Count) = 0;
    virtual int NumHiddenColumns() const = 0;
    virtual int NumHiddenRows() const = 0;
    virtual int topRow() const = 0;
    virtual void moveCurrentRaw(int ACol, int ARow) = 0;
    virtual int RemapRowInv(int ARow) const = 0; // displayed → real
    virtual void InsertRows(int ARow, int Count) = 0;
    virtual void RemoveRows(int ARow, int Count) = 0;
    virtual void UnHideRowsAll() = 0;
    // Rows left the display: the current cell, the top row and the selection follow.
    virtual void RowsLeft(int Top, int Cur, int Col, bool ExRules, const TRect& Changed) = 0;

    // Merged cells.
    virtual void SplitCells(int ACol, int ARow) = 0;
    virtual TIntList& MergedColumns() = 0;
    virtual void SplitColumnCells(int ACol) = 0;
    virtual void MergedColumnsChanged() = 0;

    // Cells (real column) and the hooks a descendant may answer.
    // The text GetCellEx gives for a cell, read in place when no handler changes it (Buffer
    // holds it otherwise).
    virtual const QString& SortCellRef(int ACol, int ARow, QString& Buffer) = 0;
    virtual int GetCellImageIdx(int ACol, int ARow) = 0;
    virtual bool HasDisplTextHandler() const = 0; // OnGetDisplText is set
    virtual int DisplTextRowLimit() const = 0;
    virtual void SetDisplTextRowLimit(int Value) = 0;
    virtual void GetColFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix) = 0;
    virtual bool GetFilter(int ACol) = 0;
    virtual bool IsNode(int ARow) = 0;
    virtual void SortSwapRows(int ARow1, int ARow2) = 0;
    virtual bool MatchFilter(int ARow) = 0;
    virtual bool OwnMatchFilter() const = 0;

    // Updates and the screen.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual int UpdateCount() const = 0;
    // Closes an open editor or editor control onto its own cell, before rows move under it.
    virtual void HideInplaceEdit() = 0;
};

// The host's update lock for a scope, whatever happens.
class TSortUpdateLock {
public:
    explicit TSortUpdateLock(TSortHost& Host) : FHost(Host) { FHost.BeginUpdate(); }
    ~TSortUpdateLock() { FHost.EndUpdate(); }
    TSortUpdateLock(const TSortUpdateLock&) = delete;
    TSortUpdateLock& operator=(const TSortUpdateLock&) = delete;

private:
    TSortHost& FHost;
};

} // namespace grid
