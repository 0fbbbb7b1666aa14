// Validating a finished edit: the cell it began on, the checker's part and OnCellValidate. The
// grid's hooks InitValidate and ValidateCell answer here unless a descendant overrides them.
#include "grid/edit/TxgridEditing.h"

#include "grid/controls/Tsgcheck.h"

#include <utility>

namespace grid {

void TGridEditing::InitValidate(int ACol, int ARow)
{
    FEdit.ValidateCol = ACol;
    FEdit.ValidateRow = ARow;
    FEdit.ValidateText = ACol >= 0 && ARow >= 0 ? FHost->cells(FHost->RemapCol(ACol), ARow) : QString();
}

bool TGridEditing::ValidateCell(QString& Value)
{
    TEditingHost& g = *FHost;
    if (FEdit.ValidateCol < 0 || FEdit.ValidateRow < 0)
        g.InitValidate(g.col(), g.row());
    const int real = g.RemapCol(FEdit.ValidateCol), r = FEdit.ValidateRow;
    bool Valid = true;
    FEdit.ChangedCol = FEdit.ChangedRow = -1;
    if (Value != FEdit.ValidateText) {
        // The checker's correction, OnCellValidate, the checker's error marks, in this order.
        Valid = CheckEditedValue(real, r, Value);
        if (Valid) {
            FEdit.ValidateText = Value;
            // The footer and the change notices follow once the value is in the cell
            // (EditStored): before that they would see the text from before.
            FEdit.ChangedCol = real;
            FEdit.ChangedRow = r;
        }
    }
    if (Valid)
        g.InitValidate(g.col(), g.row());
    return Valid;
}

void TGridEditing::EditStored()
{
    const int c = std::exchange(FEdit.ChangedCol, -1), r = std::exchange(FEdit.ChangedRow, -1);
    if (c < 0 || r < 0)
        return;
    FHost->UpdateCell(c, r);
    FHost->CellsChanged(TRect{c, r, c, r});
}

bool TGridEditing::CheckEditedValue(int ACol, int ARow, QString& Value)
{
    TEditingHost& g = *FHost;
    bool Valid = true;
    if (g.Plain().CellChecker && g.Plain().CellChecker->AutoCorrect)
        Value = g.Plain().CellChecker->Correct(ACol, ARow, Value);
    if (g.Events().OnCellValidate)
        g.Raise(g.Events().OnCellValidate, ACol, ARow, Value, Valid);
    if (g.Plain().CellChecker && g.Plain().CellChecker->AutoMarkError)
        Value = g.Plain().CellChecker->MarkError(ACol, ARow, Value);
    return Valid;
}

QString RefusedEditText(const QString& Edited, const QString& Handled, const QString& Before)
{
    return Handled != Edited ? Handled : Before;
}

} // namespace grid
