// TTxStringGrid: property setters, the header lists, the update lock and the translation
// between real and displayed indexes.
#include "grid/core/Txgrid.h"
#include "grid/core/TxgridUpdateGuard.h"

namespace grid {

// --- look --------------------------------------------------------------------------------

void TTxStringGrid::SetActiveCellFont(const ui::Font& Value)
{
    FActiveCellFont = Value;
    Invalidate();
}

void TTxStringGrid::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    if (FUpdateCount == 0)
        Invalidate();
}

void TTxStringGrid::SetRowIndicator(const QImage& Value)
{
    FRowIndicator = Value;
    RepaintCell(0, row());
}

void TTxStringGrid::SetLook(TGridLook Value)
{
    if (Value == FLook)
        return;
    FLook = Value;
    Invalidate();
    FloatFooterUpdate();
}

void TTxStringGrid::SetFlat(bool Value)
{
    FFlat = Value;
    Invalidate();
}

void TTxStringGrid::SetSelectionColor(TColor Value)
{
    FSelectionColor = Value;
    Invalidate();
}

void TTxStringGrid::SetSelectionTextColor(TColor Value)
{
    FSelectionTextColor = Value;
    Invalidate();
}

void TTxStringGrid::SetSelectionRectangle(bool Value)
{
    FSelectionRectangle = Value;
    Invalidate();
}

void TTxStringGrid::SetXYOffset(TPoint Value)
{
    FXYOffset = Value;
    Invalidate();
}

void TTxStringGrid::SetShowSelection(bool Value)
{
    if (Value == FShowSelection)
        return;
    FShowSelection = Value;
    Invalidate();
}

void TTxStringGrid::SetFixedFont(const ui::Font& Value)
{
    FFixedFont = Value;
    Invalidate();
}

void TTxStringGrid::SetImages(TImageList* Value)
{
    if (Value != FGridImages)
        FGridImages = Value;
}

void TTxStringGrid::SetURLColor(TColor Value)
{
    FURLColor = Value;
    if (FURLShow)
        Invalidate();
}

void TTxStringGrid::SetURLShow(bool Value)
{
    FURLShow = Value;
    Invalidate();
}

void TTxStringGrid::SetURLFull(bool Value)
{
    FURLFull = Value;
    if (FURLShow)
        Invalidate();
}

// --- fixed areas -------------------------------------------------------------------------

void TTxStringGrid::SetFixedFooters(int Value)
{
    setFixedFooters(Value);
    CalcFooter(-1);
    Invalidate();
}

void TTxStringGrid::defaultRowHeightChanged() { FFloatingFooter.SetHeight(defaultRowHeight()); }

void TTxStringGrid::SetFixedRightCols(int Value)
{
    setFixedRightCols(Value);
    Invalidate();
}

void TTxStringGrid::SetFixedColWidth(int Value)
{
    const int n = fixedCols() == 0 && FixedColAlways ? 1 : fixedCols();
    for (int c = 0; c < n; ++c)
        setColWidths(c, Value);
}

void TTxStringGrid::SetFixedRowHeight(int Value)
{
    const int n = fixedRows() == 0 && FixedRowAlways ? 1 : fixedRows();
    for (int r = 0; r < n; ++r)
        setRowHeights(r, Value);
}

// --- header lists ------------------------------------------------------------------------

void TTxStringGrid::SetColumnHeaders(const QStringList& List)
{
    FColumnHeaders = List;
    if (fixedRows() > 0 || FixedRowAlways)
        ClearColumnHeaders();
    UpdateColHeaders();
    ShowColumnHeaders();
}

void TTxStringGrid::SetRowHeaders(const QStringList& List)
{
    FRowHeaders = List;
    if (designing() && (fixedCols() > 0 || FixedColAlways))
        ClearRowHeaders();
    ShowRowHeaders();
}

void TTxStringGrid::ShowColumnHeaders()
{
    if (fixedRows() == 0 && !FixedRowAlways)
        return;
    for (int i = 0; i < FColumnHeaders.size() && i < colCount(); ++i)
        setCells(i, 0, CLFToLF(FColumnHeaders.at(i)));
}

void TTxStringGrid::ShowRowHeaders()
{
    if (fixedCols() == 0 && !FixedColAlways)
        return;
    for (int i = 0; i < FRowHeaders.size() && i < rowCount(); ++i)
        setCells(0, i, CLFToLF(FRowHeaders.at(i)));
}

void TTxStringGrid::ClearColumnHeaders()
{
    for (int c = 0; c < colCount(); ++c)
        setCells(c, 0, QString());
}

void TTxStringGrid::ClearRowHeaders()
{
    for (int r = 0; r < rowCount(); ++r)
        setCells(0, r, QString());
}

// --- sizing ------------------------------------------------------------------------------

void TTxStringGrid::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value)
        AutoSizeColumns(false, 10);
}

// --- update lock -------------------------------------------------------------------------

TUpdateGuard::TUpdateGuard(TTxStringGrid& Grid) : FGrid(Grid) { FGrid.BeginUpdate(); }

TUpdateGuard::~TUpdateGuard() { FGrid.EndUpdate(); }

void TTxStringGrid::ResetUpdate()
{
    if (FUpdateCount > 0) {
        FUpdateCount = 1;
        EndUpdate();
    }
}

void TTxStringGrid::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        viewport()->setUpdatesEnabled(false);
}

void TTxStringGrid::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0) {
        viewport()->setUpdatesEnabled(true);
        updateScrollBars();
        invalidateGrid();
        update(); // the frame
    }
}

// --- real and displayed indexes ----------------------------------------------------------

int TTxStringGrid::RemapCol(int ACol) const
{
    if (ACol >= 256 || FNumHiddenColumns == 0)
        return ACol;
    int shown = 0;
    for (int j = 0; j < 256; ++j)
        if (FVisibleCols[std::size_t(j)] && shown++ == ACol)
            return j;
    return 0;
}

int TTxStringGrid::RemapColInv(int ACol) const
{
    if (FNumHiddenColumns == 0)
        return ACol;
    int hidden = 0;
    for (int j = 0; j < ACol && j < 256; ++j)
        if (!FVisibleCols[std::size_t(j)])
            ++hidden;
    return ACol - hidden;
}

} // namespace grid
