// Validating a finished edit: the cell it began on, the checker's part and OnCellValidate. The
// grid's hooks InitValidate and ValidateCell answer here unless a descendant overrides them.
#include "grid/edit/TxgridEditing.h"

#include "grid/controls/Tsgcheck.h"
#include "grid/core/Txgrid.h"

namespace grid {

void TGridEditing::InitValidate(int ACol, int ARow)
{
    FEdit.ValidateCol = ACol;
    FEdit.ValidateRow = ARow;
    FEdit.ValidateText = ACol >= 0 && ARow >= 0 ? FGrid.cells(FGrid.RemapCol(ACol), ARow) : QString();
}

bool TGridEditing::ValidateCell(QString& Value)
{
    TTxStringGrid& g = FGrid;
    if (FEdit.ValidateCol < 0 || FEdit.ValidateRow < 0)
        g.InitValidate(g.col(), g.row());
    const int real = g.RemapCol(FEdit.ValidateCol), r = FEdit.ValidateRow;
    bool Valid = true;
    if (Value != FEdit.ValidateText) {
        g.UpdateCell(real, r);
        // The checker's correction, OnCellValidate, the checker's error marks, in this order.
        Valid = CheckEditedValue(real, r, Value);
        g.CellsChanged(TRect{real, r, real, r});
        if (Valid)
            FEdit.ValidateText = Value;
    }
    if (Valid)
        g.InitValidate(g.col(), g.row());
    return Valid;
}

bool TGridEditing::CheckEditedValue(int ACol, int ARow, QString& Value)
{
    TTxStringGrid& g = FGrid;
    bool Valid = true;
    if (g.CellChecker && g.CellChecker->AutoCorrect)
        Value = g.CellChecker->Correct(ACol, ARow, Value);
    if (g.OnCellValidate)
        g.OnCellValidate(g, ACol, ARow, Value, Valid);
    if (g.CellChecker && g.CellChecker->AutoMarkError)
        Value = g.CellChecker->MarkError(ACol, ARow, Value);
    return Valid;
}

QString RefusedEditText(const QString& Edited, const QString& Handled, const QString& Before)
{
    return Handled != Edited ? Handled : Before;
}

void TTxStringGrid::InitValidate(int ACol, int ARow) { FEditing->InitValidate(ACol, ARow); }
bool TTxStringGrid::ValidateCell(QString& Value) { return FEditing->ValidateCell(Value); }
bool TTxStringGrid::CheckEditedValue(int ACol, int ARow, QString& Value)
{
    return FEditing->CheckEditedValue(ACol, ARow, Value);
}

} // namespace grid
