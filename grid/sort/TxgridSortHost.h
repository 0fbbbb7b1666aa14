#pragma once
// What sorting and filtering need of the grid, and nothing more. The grid answers through an
// adapter made where the grid is assembled, so sorting never sees the grid's whole class.
// The names are the grid's own, so the sorting code reads as it did; the hot loops read the
// cell store itself (core()) and the settings once per sort, never a call per comparison.
#include "grid/core/TxgridEvents.h"
#include "grid/core/TxgridHiddenRows.h"
#include "grid/core/TxgridTypes.h"
#include "grid/controls/Txobj.h"
#include "grid/settings/TxgridLookSettings.h"
#include "grid/settings/TxgridSettings.h"
#include "platform/ui/StringGridCore.h"

namespace grid {

class TSortHost {
public:
    virtual ~TSortHost() = default;

    // The grid as the events' sender, and its events.
    virtual TGridSender Sender() = 0;
    virtual const TTxStringGridEvents& Events() const = 0;

    // Settings.
    virtual TSortSettings& SortSettings() = 0;
    virtual TFilter& Filter() = 0;
    virtual TMouseActions& MouseActions() = 0;
    virtual TNavigation& Navigation() = 0;
    virtual bool FixedRowAlways() const = 0;
    virtual bool FilterActive() const = 0;

    // The cell store, the rows set aside (hidden) and the disjunct row selection.
    virtual ui::StringGridCore& core() = 0;
    virtual THiddenRows& HiddenRowStore() = 0;
    virtual ui::GapVector<char>& RowSelect() = 0;
    virtual unsigned CellsChanges() const = 0; // cells told changed so far: a running filter sees them

    // Structure: counts (the platform grid's and the grid's own fixed rows), the current cell.
    virtual int rowCount() const = 0;
    virtual int colCount() const = 0;
    virtual int fixedRows() const = 0;
    virtual int fixedCols() const = 0;
    virtual void setFixedRows(int Count) = 0;
    virtual int FixedRows() const = 0;
    virtual int FixedFooters() const = 0;
    virtual int NumHiddenColumns() const = 0;
    virtual int NumHiddenRows() const = 0;
    virtual int topRow() const = 0;
    virtual int row() const = 0;
    virtual int col() const = 0;
    virtual void moveCurrentRaw(int ACol, int ARow) = 0;
    virtual ui::GridOptions options() const = 0;
    virtual TRect platformCellRect(int ACol, int ARow) const = 0;
    virtual int RemapCol(int ACol) const = 0;    // displayed → real
    virtual int RemapRowInv(int ARow) const = 0; // displayed → real
    virtual void InsertRows(int ARow, int Count) = 0;
    virtual void RemoveRows(int ARow, int Count) = 0;
    virtual void UnHideRowsAll() = 0;
    // Rows left the display: the current cell, the top row and the selection follow.
    virtual void RowsLeft(int Top, int Cur, int Col, bool ExRules, const TRect& Changed) = 0;

    // Merged cells.
    virtual TPoint BaseCell(int ACol, int ARow) const = 0;
    virtual TPoint CellSpan(int ACol, int ARow) const = 0;
    virtual bool IsMergedCell(int ACol, int ARow) const = 0;
    virtual void SplitCells(int ACol, int ARow) = 0;
    virtual TIntList& MergedColumns() = 0;
    virtual void SplitColumnCells(int ACol) = 0;
    virtual void MergedColumnsChanged() = 0;

    // Cells (real column) and the hooks a descendant may answer.
    virtual QString cells(int ACol, int ARow) const = 0;
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
    virtual bool HasNodes() = 0;
    virtual void SortSwapRows(int ARow1, int ARow2) = 0;
    virtual bool MatchFilter(int ARow) = 0;
    virtual bool OwnMatchFilter() const = 0;

    // Updates and the screen.
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual int UpdateCount() const = 0;
    virtual void Invalidate() = 0;
    virtual void hideEditor() = 0;
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
