// The cell checker's part of validating an edited cell.
#include "grid/controls/Tsgcheck.h"
#include "grid/core/Txgrid.h"

namespace grid {

bool TTxStringGrid::CheckEditedValue(int ACol, int ARow, QString& Value)
{
    bool Valid = true;
    if (CellChecker && CellChecker->AutoCorrect)
        Value = CellChecker->Correct(ACol, ARow, Value);
    if (OnCellValidate)
        OnCellValidate(*this, ACol, ARow, Value, Valid);
    if (CellChecker && CellChecker->AutoMarkError)
        Value = CellChecker->MarkError(ACol, ARow, Value);
    return Valid;
}

} // namespace grid
