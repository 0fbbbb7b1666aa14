// TTxStringGrid: inserting, removing and clearing rows and columns, merging and splitting
// runs of equal texts, and hiding and showing rows and columns.
#include "grid/core/Txgrid.h"

#include <algorithm>
#include <numeric>

namespace grid {

using RowData = ui::StringGridCore::RowData;

void TTxStringGrid::StructureChanged()
{
    CalcFooter(-1); // rows came, went, or were hidden or shown
    if (FUpdateCount > 0)
        return; // EndUpdate brings the scroll bars and the picture up to date once
    updateScrollBars();
    Invalidate();
}

// --- rows --------------------------------------------------------------------------------

void TTxStringGrid::InsertRows(int ARow, int Count)
{
    if (Count <= 0)
        return;
    ARow = std::max(0, std::min(ARow, rowCount()));
    const int real = RemapRowInv(ARow);
    core().insertRows(ARow, Count);    // texts, objects and heights of the rows below move down
    FHiddenRows.Inserted(real, Count); // and so do the hidden rows below
    if (std::size_t(ARow) < FRowSelect.size())
        FRowSelect.insert(std::size_t(ARow), std::size_t(Count), 0);
    StructureChanged();
}

void TTxStringGrid::InsertRowsData(int ARow, std::vector<RowData> Rows)
{
    if (Rows.empty())
        return;
    ARow = std::max(0, std::min(ARow, rowCount()));
    const std::size_t n = Rows.size();
    core().insertRows(ARow, std::move(Rows));
    if (std::size_t(ARow) < FRowSelect.size())
        FRowSelect.insert(std::size_t(ARow), n, 0);
    StructureChanged();
}

void TTxStringGrid::AddRow() { InsertRows(rowCount(), 1); }

int TTxStringGrid::AddBeforeFooters(bool Column)
{
    if (Column) {
        const int at = colCount() - FixedRightCols();
        if (FixedRightCols() > 0)
            InsertCols(RemapCol(at), 1);
        else
            SetColCount(at + 1);
        return at;
    }
    const int at = rowCount() - FixedFooters();
    if (FixedFooters() > 0)
        InsertRows(at, 1);
    else
        SetRowCount(at + 1);
    return at;
}

void TTxStringGrid::RemoveRowsKeep(int ARow, int Count, std::vector<RowData>* Keep, bool ExRules)
{
    // A start at or past the end removes nothing, and a count running past the end stops at
    // the last row.
    if (ARow < 0 || ARow >= rowCount() || Count <= 0)
        return;
    Count = std::min(Count, rowCount() - ARow);
    const int top = topRow(), cur = row(), c = col();
    // Rows removed for good take their real indexes with them; rows kept go to the hidden
    // rows under theirs.
    std::vector<int> gone;
    if (!Keep && NumHiddenRows() > 0) {
        std::vector<int> shown(static_cast<std::size_t>(Count));
        std::iota(shown.begin(), shown.end(), ARow);
        gone = FHiddenRows.DisplayToReal(shown);
    }
    BeginUpdate();
    if (Count == 1 && Keep) {
        Keep->push_back(core().takeRow(ARow)); // no list of one row to make
    } else {
        std::vector<RowData> rows = core().takeRows(ARow, Count);
        if (Keep)
            *Keep = std::move(rows);
        // else the removed rows' property and cell objects are freed here
    }
    FHiddenRows.Removed(gone);
    if (FMouseActions.DisjunctRowSelect && std::size_t(ARow) < FRowSelect.size())
        FRowSelect.erase(std::size_t(ARow), std::size_t(Count));
    RowsLeft(top, cur, c, ExRules, TRect{0, ARow, colCount() - 1, ARow + Count});
}

void TTxStringGrid::RowsLeft(int Top, int Cur, int Col, bool ExRules, const TRect& Changed)
{
    ui::StringGridCore& g = core();
    auto restore = [&](int ACol, int ARowTo, int ATop) {
        if (col() != ACol || row() != ARowTo)
            g.moveCurrent(ACol, ARowTo);
        if (topRow() != ATop)
            g.setTopRow(ATop);
    };
    if (!ExRules) {
        if (Cur < rowCount() - FixedFooters()) {
            restore(Col, Cur, Top);
        } else if (fixedRows() < rowCount() - FixedFooters()) {
            g.moveCurrent(Col, rowCount() - FixedFooters() - 1);
        } else {
            HideSelection();
        }
    } else if (Cur < rowCount()) {
        restore(Col, Cur, Top);
    } else {
        restore(Col, fixedRows(), fixedRows());
    }
    EndUpdate();
    CellsChanged(Changed);
    if (topRow() >= rowCount() - 1)
        g.setTopRow(rowCount() - 1);
}

void TTxStringGrid::RemoveRows(int ARow, int Count) { RemoveRowsKeep(ARow, Count, nullptr, false); }

void TTxStringGrid::RemoveRowsEx(int ARow, int Count) { RemoveRowsKeep(ARow, Count, nullptr, true); }

void TTxStringGrid::RemoveSelectedRows()
{
    BeginUpdate();
    for (int r = fixedRows(); r < rowCount();) {
        if (GetRowSelect(r))
            RemoveRows(r, 1);
        else
            ++r;
    }
    EndUpdate();
}

void TTxStringGrid::HideSelectedRows()
{
    BeginUpdate();
    for (int r = fixedRows(); r < rowCount();) {
        if (GetRowSelect(r)) {
            const int real = RemapRowInv(r);
            HideRows(real, real);
        } else {
            ++r;
        }
    }
    EndUpdate();
}

// --- columns -----------------------------------------------------------------------------

void TTxStringGrid::InsertCols(int ACol, int Count)
{
    if (Count <= 0 || ACol < 0)
        return;
    ACol = std::min(ACol, core().realColCount());
    const int at = std::min(RemapColInv(ACol), colCount()); // where the new widths go
    core().insertStoreCols(ACol, Count);
    const int oldCount = colCount();
    core().setColCount(oldCount + Count);
    for (int d = colCount() - 1; d >= at + Count; --d)
        core().setColWidth(d, colWidths(d - Count));
    for (int d = at; d < at + Count; ++d)
        core().setColWidth(d, defaultColWidth());
    // The visibility flags and saved widths move with their columns; the new ones show.
    for (int c = 255; c >= ACol + Count; --c) {
        FVisibleCols[std::size_t(c)] = FVisibleCols[std::size_t(c - Count)];
        FSavedWidths[std::size_t(c)] = FSavedWidths[std::size_t(c - Count)];
    }
    for (int c = ACol; c < ACol + Count && c < 256; ++c)
        FVisibleCols[std::size_t(c)] = true;
    SyncHiddenColumnCount();
    StructureChanged();
    ColCountChanged();
}

void TTxStringGrid::AddColumn() { InsertCols(colCount() + NumHiddenColumns(), 1); }

void TTxStringGrid::RemoveCols(int ACol, int Count)
{
    if (ACol < 0 || Count <= 0 || ACol >= core().realColCount())
        return;
    Count = std::min(Count, core().realColCount() - ACol);
    // Hidden columns among the removed ones lower the hidden count, the others the count of
    // displayed columns; every column after them, hidden ones included, moves left.
    int hidden = 0;
    for (int c = ACol; c < ACol + Count; ++c)
        if (IsHiddenColumn(c))
            ++hidden;
    const int shown = Count - hidden;
    if (shown >= colCount())
        return; // the last displayed column stays
    ClearCols(ACol, Count);
    const int at = RemapColInv(ACol);
    core().removeStoreCols(ACol, Count);
    for (int d = at; d + shown < colCount(); ++d)
        core().setColWidth(d, colWidths(d + shown));
    for (int c = ACol; c < 256; ++c) {
        const bool inRange = c + Count < 256;
        FVisibleCols[std::size_t(c)] = inRange ? FVisibleCols[std::size_t(c + Count)] : true;
        FSavedWidths[std::size_t(c)] = inRange ? FSavedWidths[std::size_t(c + Count)] : 0;
    }
    core().setColCount(colCount() - shown);
    SyncHiddenColumnCount();
    CellsChanged(TRect{ACol, 0, ACol + Count, rowCount() - 1});
    StructureChanged();
    ColCountChanged();
}

void TTxStringGrid::SyncHiddenColumnCount()
{
    const int n = 256 - int(FVisibleCols.count());
    FNumHiddenColumns = n;
    core().setHiddenCols(n);
}

// --- clearing ----------------------------------------------------------------------------

void TTxStringGrid::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    for (int r = ARow1; r <= ARow2; ++r)
        for (int c = ACol1; c <= ACol2; ++c) {
            if (HasCellProperties(c, r))
                SetCellProperties(c, r, nullptr); // frees the cell object with it
            if (!cells(c, r).isEmpty())
                setCells(c, r, QString());
        }
    CellsChanged(TRect{ACol1, ARow1, ACol2, ARow2});
}

void TTxStringGrid::ClearRows(int ARow, int Count)
{
    if (rowCount() > 0 && colCount() > 0 && Count > 0)
        ClearRect(0, ARow, colCount() + NumHiddenColumns() - 1, ARow + Count - 1);
}

void TTxStringGrid::ClearCols(int ACol, int Count)
{
    if (rowCount() > 0 && colCount() > 0 && Count > 0)
        ClearRect(ACol, 0, ACol + Count - 1, rowCount() - 1);
}

void TTxStringGrid::ClearNormalCells()
{
    ClearRect(fixedCols(), fixedRows(), colCount() + NumHiddenColumns() - FixedRightCols() - 1,
              rowCount() - FixedFooters() - 1);
}

void TTxStringGrid::ClearSelection()
{
    if (FMouseActions.DisjunctRowSelect) {
        for (int r = fixedRows(); r < rowCount(); ++r)
            if (GetRowSelect(r))
                ClearRows(r, 1);
        return;
    }
    const TGridRect s = selection();
    ClearRect(s.Left, s.Top, s.Right, s.Bottom);
}

void TTxStringGrid::Clear()
{
    if (rowCount() > 0 && colCount() > 0)
        ClearRect(0, 0, colCount() + NumHiddenColumns() - 1, rowCount() - 1);
    ForgetTypedSearch();
}

bool TTxStringGrid::IsCell(const QString& Value, int& ACol, int& ARow)
{
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < colCount(); ++c)
            if (cells(c, r) == Value) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

// --- merging -----------------------------------------------------------------------------

void TTxStringGrid::MergeCols(int ACol1, int ACol2)
{
    for (int r = fixedRows(); r < rowCount(); ++r)
        setCells(ACol1, r, (cells(ACol1, r) + QLatin1Char(' ') + cells(ACol2, r)).trimmed());
    RemoveCols(ACol2, 1);
}

void TTxStringGrid::SplitColumnCells(int ACol)
{
    int r = fixedRows();
    while (r < rowCount() - FixedFooters() - 1) {
        if (IsMergedCell(ACol, r)) {
            // Resume after the block from its base: a covered cell's span is only its offset.
            const TPoint b = BaseCell(ACol, r);
            const int span = CellSpan(b.x(), b.y()).y();
            SplitCells(ACol, r);
            r = std::max(r + 1, b.y() + span + 1);
        } else {
            ++r;
        }
    }
}

void TTxStringGrid::SplitRowCells(int ARow)
{
    int c = fixedCols();
    while (c < colCount() - FixedRightCols() - 1) {
        if (IsMergedCell(c, ARow)) {
            const TPoint b = BaseCell(c, ARow);
            const int span = CellSpan(b.x(), b.y()).x();
            SplitCells(c, ARow);
            c = std::max(c + 1, b.x() + span + 1);
        } else {
            ++c;
        }
    }
}

void TTxStringGrid::MergeColumnCells(int ACol, bool MainMerge)
{
    const int first = fixedRows(), last = rowCount() - FixedFooters() - 1;
    if (last < first)
        return;
    BeginUpdate();
    int start = first, len = 1;
    for (int r = first + 1; r <= last; ++r) {
        if (cells(ACol, r) != cells(ACol, r - 1) || (!MainMerge && !RowSpanIdentical(r, r - 1))) {
            MergeCells(ACol, start, 1, len); // every closed run, a single row too
            start = r;
            len = 1;
        } else {
            ++len;
        }
    }
    if (len > 1)
        MergeCells(ACol, start, 1, len); // the open run at the end only from two rows on
    EndUpdate();
}

void TTxStringGrid::MergeRowCells(int ARow, bool MainMerge)
{
    const int first = fixedCols(), last = colCount() - FixedRightCols() - 1;
    if (last < first)
        return;
    BeginUpdate();
    int start = first, len = 1;
    for (int c = first + 1; c <= last; ++c) {
        if (cells(c, ARow) != cells(c - 1, ARow) || (!MainMerge && !ColSpanIdentical(c, c - 1))) {
            MergeCells(start, ARow, len, 1);
            start = c;
            len = 1;
        } else {
            ++len;
        }
    }
    if (len > 1)
        MergeCells(start, ARow, len, 1);
    EndUpdate();
}

void TTxStringGrid::MergedColumnsChanged()
{
    BeginUpdate();
    for (int c = 0; c < colCount(); ++c)
        SplitColumnCells(c);
    for (int i = 0; i < FMergedColumns.Count(); ++i)
        MergeColumnCells(FMergedColumns.GetInteger(i), i == 0);
    EndUpdate();
}

// --- hidden columns ----------------------------------------------------------------------

void TTxStringGrid::SetVisibleCol(int ACol, bool Value)
{
    if (ACol >= 0 && ACol < 256)
        FVisibleCols[std::size_t(ACol)] = Value;
}

void TTxStringGrid::HideColumns(int ACol1, int ACol2)
{
    HideInplaceEdit(); // the edit ends, not only the editor's window
    for (int c = std::max(ACol1, 0); c <= ACol2 && c < 256; ++c) {
        if (!FVisibleCols[std::size_t(c)] || c >= colCount() + FNumHiddenColumns || colCount() <= 1)
            continue;
        const int d = RemapColInv(c);
        FSavedWidths[std::size_t(c)] = quint16(std::clamp(colWidths(d), 0, 0xFFFF));
        for (int k = d; k < colCount() - 1; ++k)
            core().setColWidth(k, colWidths(k + 1));
        ++FNumHiddenColumns;
        FVisibleCols[std::size_t(c)] = false;
        core().setHiddenCols(FNumHiddenColumns);
        core().setColCount(colCount() - 1);
    }
    StructureChanged();
}

void TTxStringGrid::UnHideColumns(int ACol1, int ACol2)
{
    HideInplaceEdit(); // the edit ends, not only the editor's window
    for (int c = std::max(ACol1, 0); c <= ACol2 && c < 256; ++c) {
        if (FVisibleCols[std::size_t(c)])
            continue;
        --FNumHiddenColumns;
        FVisibleCols[std::size_t(c)] = true;
        core().setHiddenCols(FNumHiddenColumns);
        core().setColCount(colCount() + 1);
        const int d = RemapColInv(c);
        for (int k = colCount() - 1; k > d; --k)
            core().setColWidth(k, colWidths(k - 1));
        core().setColWidth(d, FSavedWidths[std::size_t(c)]);
    }
    StructureChanged();
}

void TTxStringGrid::UnHideColumnsAll() { UnHideColumns(0, colCount() + FNumHiddenColumns); }

// --- hidden rows -------------------------------------------------------------------------

void TTxStringGrid::HideRowsImpl(int ARow1, int ARow2, bool ExRules)
{
    if (ARow1 < 0)
        ARow1 = 0;
    if (ARow2 < ARow1)
        return;
    // The displayed rows whose real index lies in the range follow one another: from the
    // display index of the first row at or after ARow1 to that of the first after ARow2 (so
    // rows already hidden are skipped and a range past the last row ends there).
    const int d = RemapRow(ARow1);
    const int shown = ARow1 == ARow2 ? (FHiddenRows.IsHidden(ARow1) || d >= rowCount() ? 0 : 1)
                                     : std::min(RemapRow(ARow2 + 1), rowCount()) - d;
    if (shown <= 0)
        return;
    std::vector<RowData>& rows = FRowScratch;
    rows.clear();
    RemoveRowsKeep(d, shown, &rows, ExRules);
    int k = ARow1;
    for (RowData& r : rows) {
        while (FHiddenRows.IsHidden(k))
            ++k;
        FHiddenRows.Add(k++, std::move(r));
    }
    rows.clear();
    CalcFooter(-1); // the rows folded under a node count in it, and they are in the store now
}

void TTxStringGrid::HideRows(int ARow1, int ARow2) { HideRowsImpl(ARow1, ARow2, false); }

void TTxStringGrid::HideRowsEx(int ARow1, int ARow2) { HideRowsImpl(ARow1, ARow2, true); }

void TTxStringGrid::UnHideRows(int ARow1, int ARow2)
{
    if (!FHiddenRows.IsHidden(ARow1))
        return;
    ARow2 = std::min(ARow2, FHiddenRows.Capacity() - 1);
    if (ARow1 == ARow2) {
        const int d = std::min(ARow1 - FHiddenRows.HiddenBefore(ARow1), rowCount());
        RowData row = FHiddenRows.Take(ARow1);
        core().insertRow(d, std::move(row));
        if (std::size_t(d) < FRowSelect.size())
            FRowSelect.insert(std::size_t(d), 1, 0);
        StructureChanged();
        return;
    }
    BeginUpdate();
    // Each row goes back to the place its real index gives among the rows then displayed;
    // rows whose places follow each other go in together.
    std::vector<RowData> batch;
    int batchAt = 0;
    for (int k = ARow1; k <= ARow2; ++k) {
        if (!FHiddenRows.IsHidden(k))
            continue;
        RowData row = FHiddenRows.Take(k);
        const int d = std::min(k - FHiddenRows.HiddenBefore(k), rowCount() + int(batch.size()));
        if (!batch.empty() && d != batchAt + int(batch.size())) {
            InsertRowsData(batchAt, std::move(batch));
            batch.clear();
        }
        if (batch.empty())
            batchAt = d;
        batch.push_back(std::move(row));
    }
    InsertRowsData(batchAt, std::move(batch));
    EndUpdate();
}

void TTxStringGrid::UnHideRowsAll()
{
    BeginUpdate();
    // Rows set aside in the store come back where they are, all at once.
    if (FHiddenRows.InStore() && FRowSelect.empty()) {
        FHiddenRows.ShowAside();
        StructureChanged();
        EndUpdate();
        return;
    }
    // Runs of rows hidden one after another with consecutive real indexes go back together.
    while (FHiddenRows.Count() > 0) {
        int p = FHiddenRows.First();
        const int first = FHiddenRows.IdxAt(p);
        int last = first;
        for (p = FHiddenRows.Next(p); p >= 0 && FHiddenRows.IdxAt(p) == last + 1; p = FHiddenRows.Next(p))
            ++last;
        UnHideRows(first, last);
    }
    EndUpdate();
}

void TTxStringGrid::HideSelection()
{
    FHiddenSelection = selection();
    FSelectionHidden = true;
    Invalidate();
}

void TTxStringGrid::UnHideSelection()
{
    if (!FSelectionHidden)
        return;
    FSelectionHidden = false;
    setSelection(FHiddenSelection);
}

// --- swaps -------------------------------------------------------------------------------

void TTxStringGrid::SwapCellContents(int ACol1, int ARow1, int ACol2, int ARow2)
{
    const QString t = cells(ACol1, ARow1);
    setCells(ACol1, ARow1, cells(ACol2, ARow2));
    setCells(ACol2, ARow2, t);
    std::unique_ptr<ui::CellObject> a = takeObject(ACol1, ARow1), b = takeObject(ACol2, ARow2);
    setObjects(ACol1, ARow1, std::move(b));
    setObjects(ACol2, ARow2, std::move(a));
}

void TTxStringGrid::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2 || ACol1 < 0 || ACol2 < 0)
        return;
    const int real = core().realColCount();
    if (ACol1 >= real || ACol2 >= real)
        return;
    const int lo = std::min(ACol1, ACol2), hi = std::max(ACol1, ACol2);
    // Texts and objects of the two columns change places in every row.
    for (int r = 0; r < rowCount(); ++r)
        SwapCellContents(lo, r, hi, r);
    const int w = colWidths(ACol1);
    setColWidths(ACol1, colWidths(ACol2));
    setColWidths(ACol2, w);
    if (FSortSettings.Column == ACol1)
        FSortSettings.Column = ACol2;
    else if (FSortSettings.Column == ACol2)
        FSortSettings.Column = ACol1;
}

void TTxStringGrid::SwapRows(int ARow1, int ARow2)
{
    core().swapRows(ARow1, ARow2); // texts, objects and heights
    Invalidate();
}

} // namespace grid
