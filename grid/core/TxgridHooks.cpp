// TTxStringGrid: the per-cell query hooks and the other virtual hooks.
#include "grid/core/Txgrid.h"

#include <algorithm>

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

void TTxStringGrid::PasteNotify(TPoint, TGridRect, int) {}

void TTxStringGrid::CalcCell(int ACol, int ARow, QString& Text) { Text = cells(ACol, ARow); }

void TTxStringGrid::SaveCell(int ACol, int ARow, QString& Text) { Text = cells(ACol, ARow); }

void TTxStringGrid::UpdateCell(int ACol, int) { CalcFooter(ACol); }

void TTxStringGrid::CellsChanged(TRect R)
{
    ++FCellsChanges;
    if (OnCellsChanged)
        OnCellsChanged(*this, R);
    // A copy: a notifier may unregister itself while it is told.
    const std::vector<TGridChangeNotifier*> notifiers = FNotifiers;
    for (TGridChangeNotifier* n : notifiers)
        n->CellsChanged(R);
    CalcFooter(-1);
}

void TTxStringGrid::CellsLoaded() { CalcFooter(-1); }

void TTxStringGrid::RegisterNotifier(TGridChangeNotifier* N)
{
    if (N && std::find(FNotifiers.begin(), FNotifiers.end(), N) == FNotifiers.end())
        FNotifiers.push_back(N);
}

void TTxStringGrid::UnRegisterNotifier(TGridChangeNotifier* N)
{
    FNotifiers.erase(std::remove(FNotifiers.begin(), FNotifiers.end(), N), FNotifiers.end());
}

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
    IsFixed = false;
    GetCellFixedAfter(ACol, ARow, IsFixed);
}

void TTxStringGrid::GetCellFixedAfter(int ACol, int ARow, bool& IsFixed)
{
    IsFixed = IsFixed || (FixedRowAlways && ARow == 0 && rowCount() == 1)
        || (FixedColAlways && ACol == 0 && colCount() == 1) || ACol < fixedCols() || ARow < fixedRows();
    if (!IsFixed && OnIsFixedCell)
        OnIsFixedCell(*this, ARow, ACol, IsFixed);
}

void TTxStringGrid::GetCellReadOnly(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(*this, ARow, ACol, CanEdit);
}

bool TTxStringGrid::IsPassword(int ACol, int ARow)
{
    bool p = false;
    GetCellPassword(ACol, ARow, p);
    return p;
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

int TTxStringGrid::GetEditLimit() { return MaxEditLength; }

QString TTxStringGrid::GetEditMask(int, int) { return {}; }

int TTxStringGrid::GetVersionNr() { return 2; }

QString TTxStringGrid::GetVersionString() { return QStringLiteral("2.02 January, 2002"); }

bool TTxStringGrid::IsFixed(int ACol, int ARow)
{
    // The hook is asked, as every per-cell hook, about the real column (of the base cell).
    const TPoint b = BaseCell(RemapCol(ACol), ARow);
    if (b.y() >= rowCount() - FixedFooters() || b.x() >= colCount() + NumHiddenColumns() - FixedRightCols())
        return true;
    bool fixed = false;
    GetCellFixed(b.x(), b.y(), fixed);
    return fixed;
}

} // namespace grid
