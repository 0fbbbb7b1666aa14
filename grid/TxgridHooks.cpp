// TTxStringGrid: the per-cell query hooks and the other virtual hooks.
#include "grid/Txgrid.h"

namespace grid {

// --- cell objects and sizes live in TxgridCellObjects.cpp / TxgridNodes.cpp ---------------

void TTxStringGrid::EditProgress(const QString&, TPoint, int) {}

void TTxStringGrid::UpdateColSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(*this, ACol, AWidth);
}

void TTxStringGrid::UpdateAutoColSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(*this, ACol, AWidth);
}

void TTxStringGrid::UpdateColHeaders() {}

void TTxStringGrid::EllipsClick(const QString& Text, QString& Result)
{
    Result = Text;
    if (OnEllipsClick)
        OnEllipsClick(*this, RemapCol(col()), row(), Result);
}

bool TTxStringGrid::MatchFilter(int ARow)
{
    for (int i = 0; i < FFilter.Count(); ++i) {
        const TFilterData* f = FFilter.Items(i);
        if (!MatchStrEx(f->Condition, cells(f->Column, ARow), f->CaseSensitive))
            return false;
    }
    return true;
}

void TTxStringGrid::PasteNotify(TPoint, TGridRect, int) {}

void TTxStringGrid::CalcCell(int ACol, int ARow, QString& Text) { Text = cells(ACol, ARow); }

void TTxStringGrid::SaveCell(int ACol, int ARow, QString& Text) { Text = cells(ACol, ARow); }

void TTxStringGrid::UpdateCell(int, int) {}

void TTxStringGrid::InitValidate(int, int) {}

void TTxStringGrid::CellsChanged(TRect R)
{
    if (OnCellsChanged)
        OnCellsChanged(*this, R);
}

void TTxStringGrid::CellsLoaded() {}

// --- per-cell questions ------------------------------------------------------------------

void TTxStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont)
{
    // The header cells of the current row and column show the active-cell font.
    if (ActiveCellShow
        && ((ACol == 0 && fixedCols() > 0 && ARow == row()) || (ARow == 0 && fixedRows() > 0 && ACol == col())))
        AFont = FActiveCellFont;
    if (const TCellProperties* p = Props(ACol, ARow); p && p->BrushColor() != ui::clNone)
        ABrush.color = p->BrushColor();
    if (OnGetCellColor)
        OnGetCellColor(*this, ARow, ACol, AState, ABrush, AFont);
}

void TTxStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, ui::Brush& ABrush, ui::Font& AFont)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(*this, ARow, ACol, AState, ABrush, AFont);
}

void TTxStringGrid::GetCellBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders)
{
    if (OnGetCellBorder)
        OnGetCellBorder(*this, ARow, ACol, APen, Borders);
}

void TTxStringGrid::GetCellPrintBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(*this, ARow, ACol, APen, Borders);
}

void TTxStringGrid::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (OnGetAlignment)
        OnGetAlignment(*this, ARow, ACol, HAlign, VAlign);
}

void TTxStringGrid::GetColFormat(int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)
{
    if (OnGetFormat)
        OnGetFormat(*this, ACol, AStyle, aPrefix, aSuffix);
}

void TTxStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(*this, ACol, ARow, AEditor);
}

void TTxStringGrid::GetCellFixed(int ACol, int ARow, bool& IsFixed)
{
    IsFixed = (FixedRowAlways && ARow == 0 && rowCount() == 1) || (FixedColAlways && ACol == 0 && colCount() == 1)
              || ACol < fixedCols() || ARow < fixedRows();
    if (!IsFixed && OnIsFixedCell)
        OnIsFixedCell(*this, ARow, ACol, IsFixed);
}

void TTxStringGrid::GetCellReadOnly(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(*this, ARow, ACol, CanEdit);
}

void TTxStringGrid::GetCellPassword(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(*this, ARow, ACol, IsPassword);
}

QString TTxStringGrid::GetCheckTrue(int ACol, int ARow)
{
    QString v = CheckTrue;
    if (OnGetCheckTrue)
        OnGetCheckTrue(*this, ACol, ARow, v);
    return v;
}

QString TTxStringGrid::GetCheckFalse(int ACol, int ARow)
{
    QString v = CheckFalse;
    if (OnGetCheckFalse)
        OnGetCheckFalse(*this, ACol, ARow, v);
    return v;
}

bool TTxStringGrid::GetFilter(int) { return false; }

int TTxStringGrid::GetVersionNr() { return 2; }

QString TTxStringGrid::GetVersionString() { return QStringLiteral("2.02 January, 2002"); }

bool TTxStringGrid::ValidateCell(QString&) { return true; }

bool TTxStringGrid::IsFixed(int ACol, int ARow)
{
    const TPoint b = BaseCell(RemapCol(ACol), ARow);
    if (b.y() >= rowCount() - FixedFooters() || b.x() >= colCount() + NumHiddenColumns() - FixedRightCols())
        return true;
    bool fixed = false;
    GetCellFixed(ACol, ARow, fixed);
    return fixed;
}

// --- structure ---------------------------------------------------------------------------

void TTxStringGrid::RemoveRowsEx(int ARow, int Count) { RemoveRows(ARow, Count); }

void TTxStringGrid::RemoveRows(int ARow, int Count)
{
    if (ARow < 0 || ARow >= rowCount() || Count <= 0)
        return;
    core().removeRows(ARow, Count); // clamped to the rows there are
    updateScrollBars();
    Invalidate();
}

void TTxStringGrid::InsertRows(int ARow, int Count)
{
    if (Count <= 0)
        return;
    core().insertRows(std::max(0, std::min(ARow, rowCount())), Count);
    updateScrollBars();
    Invalidate();
}

void TTxStringGrid::RemoveCols(int ACol, int Count)
{
    for (int i = 0; i < Count && ACol >= 0 && ACol < colCount() && colCount() > 1; ++i)
        core().deleteCol(ACol);
    updateScrollBars();
    Invalidate();
}

void TTxStringGrid::InsertCols(int ACol, int Count)
{
    if (Count <= 0)
        return;
    ACol = std::max(0, std::min(ACol, colCount()));
    const int last = colCount() - 1 + Count;
    core().setColCount(colCount() + Count);
    for (int i = 0; i < Count; ++i)
        core().moveCol(last, ACol);
    for (int c = ACol; c < ACol + Count; ++c)
        core().setColWidth(c, defaultColWidth());
    updateScrollBars();
    Invalidate();
}

void TTxStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= rowCount() || ARow2 >= rowCount())
        return;
    const int lo = std::min(ARow1, ARow2), hi = std::max(ARow1, ARow2);
    core().moveRow(lo, hi);     // lo's row goes to hi, the rows between move up
    core().moveRow(hi - 1, lo); // hi's row, now one above, goes to lo
    Invalidate();
}

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

} // namespace grid
