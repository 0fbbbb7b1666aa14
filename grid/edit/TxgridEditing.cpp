// TTxStringGrid: opening, committing and cancelling cell edits, the gate of every move of
// the current cell, and the walk to the next editable cell.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridInplaceEdit.h"
#include "grid/text/TxgridStrings.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace grid {

using ui::GridOptions;
using ui::goEditing;
using ui::goRowSelect;

TTxInplaceEdit* TTxStringGrid::GetInplaceEditor() const { return qobject_cast<TTxInplaceEdit*>(inplaceEditor()); }

QLineEdit* TTxStringGrid::createEditor()
{
    // Made while the first edit opens, after its editor type is known.
    auto* ed = new TTxInplaceEdit(*this, viewport());
    ed->Prepare(FEdit.EditorType);
    return ed;
}

QString TTxStringGrid::getEditText(int ACol, int ARow)
{
    const int real = RemapCol(ACol);
    if (TTxInplaceEdit* ed = GetInplaceEditor()) {
        TAlignment h = taLeftJustify;
        TVAlignment v = FVAlignment;
        GetCellAlign(real, ARow, h, v);
        ed->SetVAlign(h == taRightJustify);
        // The cell's own font: the editor's default would be the application's, larger.
        ui::Brush brush{controlColor()};
        ui::Font font;
        TGridDrawState state = 0;
        bool wrap = WordWrap;
        GetVisualProperties(ACol, ARow, state, false, false, brush, font, h, v, wrap);
        ed->setFont(font.toQFont());
    }
    const QString t = cells(real, ARow);
    return EditWithTags ? t : HTMLToPlainText(t);
}

void TTxStringGrid::setEditText(int ACol, int ARow, const QString& Value) { setCells(RemapCol(ACol), ARow, Value); }

void TTxStringGrid::DoneEditing()
{
    if (OnEditingDone)
        OnEditingDone(*this);
}

void TTxStringGrid::ShowCellEdit()
{
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier));
}

// --- opening -----------------------------------------------------------------------------

bool TTxStringGrid::canEditShow() const
{
    // The platform asks through a const hook; the answer opens the edit and so changes state.
    return const_cast<TTxStringGrid*>(this)->CanEditShow();
}

bool TTxStringGrid::CanEditShow()
{
    if (FEdit.Validating)
        return false;
    bool ok = TBaseGrid::canEditShow();
    if (designing())
        return ok;
    if (!ok || editorMode())
        return ok;
    if (HasStaticEdit(col(), row()))
        return false;
    const TPoint b = BaseCell(RemapCol(col()), row());
    FEdit.PreEditText = GetCurrentCell();
    InitValidate(col(), row());
    FEdit.EditorType = edNormal;
    GetCellEditor(b.x(), b.y(), FEdit.EditorType);
    FEdit.Active = true;
    FEdit.Started = true;
    if (!IsTextEditorType(FEdit.EditorType)) {
        ShowEditControl(col(), row());
        return false;
    }
    if (TTxInplaceEdit* ed = GetInplaceEditor())
        ed->Prepare(FEdit.EditorType);
    return true;
}

void TTxStringGrid::PostPendingChar(QWidget* Target)
{
    if (Target && !FEdit.PendingChar.isEmpty())
        QCoreApplication::postEvent(Target, new QKeyEvent(QEvent::KeyPress, FEdit.PendingKey, Qt::NoModifier, FEdit.PendingChar));
    FEdit.PendingChar.clear();
    FEdit.PendingKey = 0;
}

// --- closing -----------------------------------------------------------------------------

void TTxStringGrid::HideInplaceEdit()
{
    if (!FEdit.Active || FEdit.HidingControl)
        return;
    hideEditor();
    HideEditControl(col(), row());
    FEdit.Active = false;
    setFocus(Qt::OtherFocusReason);
}

void TTxStringGrid::EndTextEdit()
{
    hideEditor();
    if (FEdit.Active) {
        FEdit.Active = false;
        DoneEditing();
    }
}

void TTxStringGrid::DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift)
{
    FEdit.DoneInProgress = true;
    // Escape cancels: the cell keeps its text as it is, even where the control could not
    // show it (a list-only combo on a text that is none of its items).
    FEdit.CancelControl = Key == Qt::Key_Escape;
    HideInplaceEdit();
    FEdit.CancelControl = false;
    if (Key == Qt::Key_Tab || Key == Qt::Key_Left || Key == Qt::Key_Up || Key == Qt::Key_Right || Key == Qt::Key_Down)
    {
        // The key as the grid takes it: Tab wraps and moves as a Tab pressed on the grid.
        GridKeyDown(Key, Shift);
    }
    const bool always = FNavigation.AlwaysEdit;
    FNavigation.AlwaysEdit = false;
    setFocus(Qt::OtherFocusReason);
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter)
        AdvanceEdit(col(), row(), true, true, false);
    FNavigation.AlwaysEdit = always;
    FEdit.DoneInProgress = false;
}

void TTxStringGrid::RestoreCache()
{
    const int real = RemapCol(col());
    setCells(real, row(), FEdit.PreEditText);
    invalidateCell(col(), row());
}

bool TTxStringGrid::ValidateEditorText()
{
    QLineEdit* ed = inplaceEditor();
    const QString edited = ed->text();
    QString v = edited;
    FEdit.Validating = true;
    const bool ok = ValidateCell(v);
    FEdit.Validating = false;
    if (!ok) {
        // Nothing is written; the editor stays open on the handler's text or the one from before.
        ed->setText(RefusedEditText(edited, v, FEdit.ValidateText));
        ed->end(false);
        return false;
    }
    ed->setText(v); // validation may have changed it
    FEdit.Started = false;
    return true;
}

bool TTxStringGrid::InplaceEditorEvent(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool ctrl = k->modifiers() & Qt::ControlModifier;
        switch (k->key()) {
        case Qt::Key_Escape:
            // The pre-edit text is the stored text itself, tags included, so writing it
            // back leaves the cell exactly as it was.
            inplaceEditor()->setText(FEdit.PreEditText);
            EndTextEdit();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            if (ctrl)
                return true;
            const TTxInplaceEdit* ed = GetInplaceEditor();
            if (ed && !FNavigation.AdvanceOnEnter
                && EditLengthFull(ed->LengthLimit, ed->text().size(), ed->hasSelectedText()))
                return true;
            if (!ValidateEditorText())
                return true;
            EndTextEdit();
            AdvanceEdit(col(), row(), true, false, false);
            return true;
        }
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (!ctrl && !ValidateEditorText())
                return true;
            break;
        default: break;
        }
    }
    const bool wasOpen = editorMode();
    const bool r = TBaseGrid::eventFilter(o, e);
    if (wasOpen && !editorMode() && FEdit.Active) {
        // The platform closed the editor (focus lost, Tab, Up, Down, Page keys): committed.
        FEdit.Active = false;
        FEdit.PendingChar.clear();
        DoneEditing();
    }
    return r;
}

// --- leaving a cell ----------------------------------------------------------------------

bool TTxStringGrid::selectCell(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    bool Allow = true;
    if (ARow != row() && OnRowChanging)
        OnRowChanging(*this, row(), ARow, Allow);
    if (ACol != col() && OnColChanging)
        OnColChanging(*this, col(), ACol, Allow);
    if ((ARow != row() || ACol != col()) && !FEdit.InsideAdvance && OnCellChanging)
        OnCellChanging(*this, row(), col(), ARow, ACol, Allow);
    if (!Allow || (ACol == 0 && HasNodes() && !(options() & goRowSelect)))
        return false;
    if (IsFixed(ACol, ARow))
        return false;
    // The cell being left is validated before anything is switched or cached for the
    // target, so a refused move leaves the current cell's state as it was.
    const bool editorFocused = inplaceEditor() && inplaceEditor()->hasFocus();
    if (FEdit.Started && !editorFocused) {
        const QString edited = GetCurrentCell();
        QString v = edited;
        FEdit.Validating = true;
        const bool ok = ValidateCell(v);
        FEdit.Validating = false;
        if (!ok) {
            // The refused text leaves the cell and the user stays in it with the editor open.
            SetCurrentCell(RefusedEditText(edited, v, FEdit.ValidateText));
            if (!HasStaticEdit(RemapCol(col()), row()) && canEditShow())
                showEditor();
            return false;
        }
        FEdit.Started = false;
        if (v != GetCurrentCell())
            SetCurrentCell(v);
    }
    FEdit.PreEditText = cells(RemapCol(ACol), ARow);
    InitValidate(ACol, ARow);
    if (!HasStaticEdit(ACol, ARow)) {
        bool CanEdit = (options() & goEditing) || FEdit.EditingSwitchedOff;
        GetCellReadOnly(RemapCol(ACol), ARow, CanEdit);
        if (CanEdit) {
            FEdit.EditingSwitchedOff = false;
            if (!(options() & goEditing))
                setOptions(options() | goEditing);
            if (editorMode())
                HideInplaceEdit();
        } else if (options() & goEditing) {
            FEdit.EditingSwitchedOff = true;
            setOptions(options() & ~GridOptions(goEditing));
        }
    }
    return TBaseGrid::selectCell(ACol, ARow);
}

// --- advancing ---------------------------------------------------------------------------

bool TTxStringGrid::CellEditable(int ACol, int ARow)
{
    bool CanEdit = (options() & goEditing) || FEdit.EditingSwitchedOff;
    if (!CanEdit)
        return false;
    GetCellReadOnly(RemapCol(ACol), ARow, CanEdit);
    return CanEdit && !IsFixed(ACol, ARow);
}

bool TTxStringGrid::AdvanceStep(int& c, int& r, bool Advance)
{
    const int firstCol = fixedCols(), firstRow = fixedRows();
    const int lastCol = colCount() - FixedRightCols() - 1, lastRow = rowCount() - FixedFooters() - 1;
    if (lastCol < firstCol || lastRow < firstRow)
        return false;
    const TPoint base = BaseCell(c, r);
    c = base.x();
    r = base.y();
    const int span = CellSpan(c, r).x();
    if (Advance && FNavigation.AdvanceDirection == adLeftRight) {
        if (c + span >= lastCol) {
            if (r < lastRow) {
                ++r;
                c = firstCol;
            } else if (FNavigation.AdvanceInsert) {
                bool CanAdd = true;
                if (OnCanAddRow)
                    OnCanAddRow(*this, CanAdd);
                if (!CanAdd)
                    return false;
                setRowCount(rowCount() + 1);
                ++r;
                c = firstCol;
                if (OnAutoAddRow)
                    OnAutoAddRow(*this, rowCount() - FixedFooters() - 1);
            } else {
                c = firstCol;
                r = firstRow;
            }
        } else {
            c += span + 1;
        }
    } else if (Advance) {
        if (r >= lastRow) {
            if (c + span < lastCol) {
                r = firstRow;
                c += span + 1;
            } else if (FNavigation.AdvanceInsert) {
                SetColCount(colCount() + 1);
                c += span + 1;
                r = firstRow;
                if (OnAutoInsertCol)
                    OnAutoInsertCol(*this, colCount() - FixedRightCols() - 1);
            } else {
                c = firstCol;
                r = firstRow;
            }
            Invalidate();
        } else {
            ++r;
        }
    } else if (FNavigation.AdvanceDirection == adLeftRight) {
        if (c > firstCol) {
            --c;
        } else {
            r = r > firstRow ? r - 1 : lastRow;
            c = lastCol;
        }
    } else {
        if (r > firstRow) {
            --r;
        } else {
            c = c > firstCol ? c - 1 : lastCol;
            r = lastRow;
        }
    }
    return true;
}

void TTxStringGrid::AdvanceEdit(int ACol, int ARow, bool Advance, bool ShowEditor, bool Force)
{
    if (!FNavigation.AdvanceOnEnter && !Force)
        return;
    const TPoint origin = BaseCell(ACol, ARow);
    FEdit.PendingChar.clear();
    int c = origin.x(), r = origin.y();
    // One full round over the cells ends the walk when no cell is editable; added rows or
    // columns lengthen the round by what they add.
    const int cells0 = colCount() * rowCount();
    bool found = false;
    for (int steps = 0; steps <= cells0 + colCount() + rowCount(); ++steps) {
        if (!AdvanceStep(c, r, Advance))
            return;
        if (c == origin.x() && r == origin.y())
            break; // back where it started: the origin itself is taken when editable
        if (CellEditable(c, r)) {
            found = true;
            break;
        }
    }
    if (!found && !(c == origin.x() && r == origin.y() && CellEditable(c, r)))
        return;
    bool Allow = true;
    if (OnCellChanging)
        OnCellChanging(*this, origin.y(), origin.x(), r, c, Allow);
    FEdit.InsideAdvance = true;
    if (Allow)
        focusCell(c, r);
    FEdit.InsideAdvance = false;
    if (!ShowEditor && !HasStaticEdit(col(), row()))
        return;
    showEditor();
}

} // namespace grid
