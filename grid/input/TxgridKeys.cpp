// TTxStringGrid: the key steps (around the platform grid's navigation), Tab through merged
// cells and the update lock's reset.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/files/TxgridExchange.h"
#include "grid/input/TxgridInputSteps.h"

#include "platform/text/Regional.h"

#include <QLineEdit>

namespace grid {

using I = TGridInput;

int I::FirstCol() const { return FGrid.fixedCols(); }
int I::LastCol() const { return FGrid.colCount() - FGrid.FixedRightCols() - 1; }
int I::FirstRow() const { return FGrid.fixedRows(); }
int I::LastRow() const { return FGrid.rowCount() - FGrid.FixedFooters() - 1; }

bool I::NormalCell(int ACol, int ARow) const
{
    return ACol >= FirstCol() && ARow >= FirstRow() && ACol <= LastCol() && ARow <= LastRow();
}

// Space on a check box or radio group that may be edited; the key goes on.
bool I::CheckSpace(E& e)
{
    G& g = FGrid;
    if (e.Key != Qt::Key_Space || !(g.options() & ui::goEditing))
        return false;
    const TPoint b = g.BaseCell(g.col(), g.row());
    const int real = g.RemapCol(b.x());
    bool state = false;
    if (g.HasCheckBox(real, b.y())) {
        if (g.ToggleCheck(real, b.y(), true) && g.OnCheckBoxClick) {
            g.GetCheckBoxState(real, b.y(), state);
            g.OnCheckBoxClick(g, real, b.y(), state);
        }
    } else if (g.IsRadio(real, b.y())) {
        bool canEdit = true;
        g.GetCellReadOnly(real, b.y(), canEdit);
        if (canEdit) {
            g.ToggleRadio(real, b.y(), true);
            int idx = -1;
            g.GetRadioIdx(real, b.y(), idx);
            if (g.OnRadioClick)
                g.OnRadioClick(g, real, b.y(), idx);
        }
    }
    return false;
}

// Home and End go to the first and last row with heFirstLastRow.
bool I::HomeEnd(E& e)
{
    G& g = FGrid;
    if ((e.Key != Qt::Key_Home && e.Key != Qt::Key_End) || g.Navigation().HomeEndKey != heFirstLastRow)
        return false;
    int r = FirstRow();
    if (e.Key == Qt::Key_End)
        r = g.FloatingFooter().Visible() && g.rowCount() > 2 ? g.rowCount() - 2 : g.rowCount() - 1;
    g.focusCell(g.col(), r);
    g.SelectBaseCell();
    return true;
}

// Tab inside a merged cell.
bool I::TabMerged(E& e)
{
    G& g = FGrid;
    if (e.Key != Qt::Key_Tab || !(g.options() & ui::goTabs) || !g.IsMergedCell(g.col(), g.row()))
        return false;
    TabEdit();
    return true;
}

// The platform grid's navigation and editor keys: the navigation steps.
bool I::Navigation(E& e)
{
    FGrid.keyDown(e.Key, e.Mods);
    return false;
}

// Escape while editing: the cell gets back its text from when it was selected or opened.
bool I::EscapeRestore(E& e)
{
    if (e.Key != Qt::Key_Escape || !(FGrid.options() & ui::goEditing))
        return false;
    FGrid.RestoreCache();
    return true;
}

// Enter on a check box or radio group (no editor opens there) moves on to the next cell.
bool I::StaticEnter(E& e)
{
    G& g = FGrid;
    if ((e.Key != Qt::Key_Return && e.Key != Qt::Key_Enter) || !g.HasStaticEdit(g.RemapCol(g.col()), g.row()))
        return false;
    g.AdvanceEdit(g.col(), g.row(), true, false, false);
    e.Key = 0;
    return true;
}

// Every other key moves as the base grid moves through merged cells and the platform grid.
bool I::PlatformKeys(E& e)
{
    FGrid.TBaseGrid::keyDown(e.Key, e.Mods);
    return true;
}

// A changed selection repaints its rectangle.
bool I::SelectionRectangle(E& e)
{
    G& g = FGrid;
    if (g.SelectionRectangle() && !(g.selection() == e.Sel0))
        g.invalidateGrid();
    return false;
}

// Insert adds a row before or after the current one.
bool I::InsertRow(E& e)
{
    G& g = FGrid;
    if (e.Key != Qt::Key_Insert || e.Ctrl() || e.Shift() || e.Alt() || !g.Navigation().AllowInsertRow)
        return false;
    const int r = g.row();
    bool CanInsert = true;
    if (g.OnCanInsertRow)
        g.OnCanInsertRow(g, r, CanInsert);
    if (!CanInsert)
        return false;
    // An open edit goes to the cell it was typed in before the rows move under it; a refused
    // value keeps the editor open and adds no row.
    if (!g.FEditing->CommitOpenEdit())
        return true;
    if (g.Navigation().InsertPosition == pInsertAfter) {
        g.InsertRows(r + 1, 1);
        if (g.OnAutoInsertRow)
            g.OnAutoInsertRow(g, r + 1);
        g.focusCell(g.col(), r + 1);
    } else {
        g.InsertRows(r, 1);
        if (g.OnAutoInsertRow)
            g.OnAutoInsertRow(g, r);
    }
    return false;
}

// The clipboard's keys, unless the navigation used the key.
bool I::Clipboard(E& e) { return e.Key && FGrid.Exchange().ClipboardKeyDown(e.Key, e.Mods); }

// Ctrl+A selects every normal cell; nothing after it applies.
bool I::SelectAll(E& e)
{
    if (e.Key != Qt::Key_A || !e.Ctrl())
        return false;
    const ui::GridOptions o = FGrid.options();
    if ((o & ui::goRowSelect) && (o & ui::goRangeSelect))
        FGrid.setSelection({FirstCol(), FirstRow(), LastCol(), LastRow()});
    return true;
}

// Disjunct row marks follow Up, Down and Space.
bool I::DisjunctRows(E& e)
{
    G& g = FGrid;
    if (!g.MouseActions().DisjunctRowSelect)
        return false;
    if (e.Key == Qt::Key_Up || e.Key == Qt::Key_Down) {
        if (!e.Shift() && !e.Ctrl())
            g.ClearRowSelect();
        if (e.Shift()) {
            const ui::GridRect s = g.selection();
            for (int r = s.Top; r <= s.Bottom; ++r)
                g.SetRowSelect(r, true);
        } else {
            g.SetRowSelect(g.row(), true);
        }
    } else if (e.Key == Qt::Key_Space) {
        g.SetRowSelect(g.row(), !g.GetRowSelect(g.row()));
    }
    return false;
}

// Delete removes the current row, or empties it when it is the only normal row.
bool I::DeleteRow(E& e)
{
    G& g = FGrid;
    if (e.Key != Qt::Key_Delete || e.Alt() || !g.Navigation().AllowDeleteRow || LastRow() < FirstRow())
        return false;
    const int r = g.row();
    bool CanDelete = true;
    if (g.OnCanDeleteRow)
        g.OnCanDeleteRow(g, r, CanDelete);
    if (!CanDelete)
        return false;
    if (LastRow() == FirstRow())
        g.ClearRows(r, 1);
    else
        g.RemoveRows(r, 1);
    if (g.OnAutoDeleteRow)
        g.OnAutoDeleteRow(g, r);
    return false;
}

// Tab from the last normal column, with right fixed columns, wraps to the next row.
bool I::TabWrap(E& e)
{
    G& g = FGrid;
    if (e.Key != Qt::Key_Tab || !(g.options() & ui::goTabs) || g.FixedRightCols() == 0 || e.Col0 != LastCol())
        return false;
    const int r = e.Row0 >= LastRow() ? FirstRow() : e.Row0 + 1;
    g.focusCell(FirstCol(), r);
    return false;
}

namespace {

bool TypedText(const TInputEvent& e)
{
    return e.Text.size() == 1 && (e.Text[0].isPrint() || e.Text[0] == QLatin1Char('\b')) && !e.Ctrl() && !e.Alt();
}

} // namespace

// Typing in a grid that is not edited searches the sorted column.
bool I::FindTyping(E& e)
{
    G& g = FGrid;
    if (!TypedText(e) || (g.options() & ui::goEditing) || !g.Navigation().AutoGotoWhenSorted())
        return false;
    g.SearchKey(e.Text);
    return true;
}

// A typed character opens the cell's editor with it.
bool I::TypedChar(E& e)
{
    G& g = FGrid;
    if (!TypedText(e) || !(g.options() & ui::goEditing))
        return false;
    QString t = e.Text;
    // The keypad's decimal key types the decimal separator of the program's regional settings.
    if (g.ExcelStyleDecimalSeparator && e.Keypad && (t == QLatin1String(".") || t == QLatin1String(",")))
        t = text::decimalSeparator();
    if (g.HasStaticEdit(g.RemapCol(g.col()), g.row()))
        return true; // changed by clicks and Space on its graphic, never by an editor
    g.FEditing->OpenTyped(t, e.Key);
    return true;
}

// --- key releases ------------------------------------------------------------------------

namespace {

bool IsArrow(int Key)
{
    return Key == Qt::Key_Left || Key == Qt::Key_Right || Key == Qt::Key_Up || Key == Qt::Key_Down;
}

} // namespace

// A navigation key ends the lookup: the next character typed starts a new one.
bool I::LookupReset(E& e)
{
    switch (e.Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete: FGrid.ForgetTypedSearch(); break;
    default: break;
    }
    return false;
}

// With AlwaysEdit the cell an arrow (or Tab, when Tab moves in the grid) reached is edited.
bool I::AlwaysEditAgain(E& e)
{
    G& g = FGrid;
    const bool tab = (e.Key == Qt::Key_Tab || e.Key == Qt::Key_Backtab) && (g.options() & ui::goTabs);
    if (!g.Navigation().AlwaysEdit || !(IsArrow(e.Key) || tab) || g.editorMode() || g.EditActive())
        return false;
    if (g.canEditShow())
        g.showEditor();
    return true;
}

// --- grid operations ---------------------------------------------------------------------

void TTxStringGrid::TabEdit() { FInput->TabEdit(); }

void TGridInput::TabEdit()
{
    G& g = FGrid;
    const int s = g.CellSpan(g.col(), g.row()).x();
    if (g.col() + s + 1 <= LastCol()) {
        g.focusCell(g.col() + s + 1, g.row());
        return;
    }
    const int r = g.row() >= LastRow() ? FirstRow() : g.row() + 1;
    g.focusCell(FirstCol(), r);
}

// The one rule editing follows too.
bool TTxStringGrid::IsEditable(int ACol, int ARow) { return FEditing->CellEditable(ACol, ARow); }

} // namespace grid
