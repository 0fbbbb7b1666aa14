// TGridEditing: opening, committing and cancelling cell edits, the text editor's key steps,
// the gate of every move of the current cell and the walk to the next editable cell.
#include "grid/edit/TxgridEditing.h"

#include "grid/edit/TxgridEditors.h"
#include "grid/edit/TxgridInplaceEdit.h"
#include "grid/edit/TxgridMemoEdit.h"
#include "grid/edit/TxgridRichEdit.h"
#include "grid/text/TxgridStrings.h"

#include "platform/ui/Connect.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

namespace grid {

using ui::goEditing;
using ui::goRowSelect;
using ui::GridOptions;

TGridEditing::TGridEditing(std::unique_ptr<TEditingHost> Host) : FHost(std::move(Host)) {}

TGridEditing::~TGridEditing()
{
    DropEditors();
    DropRichEdit();
}

void TGridEditing::CreateRichEdit()
{
    // The rich-text cell editor (texts are converted by the RTF layer, with no control).
    TEditingHost& g = *FHost;
    FInplaceRichEdit = new TTxRichEdit(*this);
    FInplaceRichEdit->setObjectName(QStringLiteral("RichEditCell"));
    ui::on(FInplaceRichEdit, &QTextEdit::selectionChanged, g.Widget(), [&g] {
        if (g.Events().OnRichEditSelectionChange)
            g.Raise(g.Events().OnRichEditSelectionChange);
    });
}

void TGridEditing::DropRichEdit()
{
    delete FInplaceRichEdit;
    FInplaceRichEdit = nullptr;
}

void TGridEditing::DropEditors()
{
    FEdit.Destroying = true;
    auto drop = [](auto*& editor) {
        delete editor;
        editor = nullptr;
    };
    drop(FGridCombo), drop(FGridSpin), drop(FGridDatePicker), drop(FGridCheckBox);
    drop(FGridEditBtn), drop(FGridUnitEditBtn), drop(FGridButton), drop(FMemoEdit);
}

// --- opening -----------------------------------------------------------------------------

QLineEdit* TGridEditing::CreateEditor()
{
    // Made while the first edit opens, after its editor type is known.
    auto* ed = new TTxInplaceEdit(*this, FHost->viewport());
    ed->Prepare(FEdit.EditorType);
    return ed;
}

TTxInplaceEdit* TGridEditing::InplaceEdit() const { return qobject_cast<TTxInplaceEdit*>(FHost->inplaceEditor()); }

QString TGridEditing::CurrentCell() const { return FHost->cells(FHost->RemapCol(FHost->col()), FHost->row()); }

void TGridEditing::SetCurrentCell(const QString& S) { FHost->setCells(FHost->RemapCol(FHost->col()), FHost->row(), S); }

QString TGridEditing::EditText(int ACol, int ARow)
{
    TEditingHost& g = *FHost;
    const int real = g.RemapCol(ACol);
    if (TTxInplaceEdit* ed = InplaceEdit()) {
        TAlignment h = taLeftJustify;
        TVAlignment v = g.VAlignment();
        g.GetCellAlign(real, ARow, h, v);
        ed->SetVAlign(h == taRightJustify);
        // The cell's own font: the editor's default would be the application's, larger.
        ui::Brush brush{g.controlColor()};
        ui::Font font;
        TGridDrawState state = 0;
        bool wrap = g.Plain().WordWrap;
        g.GetVisualProperties(ACol, ARow, state, false, false, brush, font, h, v, wrap);
        ed->setFont(font.toQFont());
    }
    if (FEdit.Memo && FMemoEdit) {
        ui::Brush brush{g.controlColor()};
        ui::Font font;
        TGridDrawState state = 0;
        TAlignment h = taLeftJustify;
        TVAlignment v = g.VAlignment();
        bool wrap = g.Plain().WordWrap;
        g.GetVisualProperties(ACol, ARow, state, false, false, brush, font, h, v, wrap);
        FMemoEdit->setFont(font.toQFont());
    }
    const QString t = g.cells(real, ARow);
    return g.Plain().EditWithTags ? t : HTMLToPlainText(t);
}

bool TGridEditing::CanEditShow()
{
    TEditingHost& g = *FHost;
    if (FEdit.Validating)
        return false;
    bool ok = g.PlatformCanEditShow();
    if (g.designing())
        return ok;
    if (!ok || g.editorMode())
        return ok;
    // A merged block is edited through its base: the editor opens over the whole block with
    // the base's text and writes the base.
    g.SelectBaseCell();
    if (g.HasStaticEdit(g.RemapCol(g.col()), g.row()))
        return false;
    const TPoint b = g.BaseCell(g.RemapCol(g.col()), g.row());
    FEdit.PreEditText = CurrentCell();
    NoteSizes();
    g.InitValidate(g.col(), g.row());
    FEdit.EditorType = edNormal;
    g.GetCellEditor(b.x(), b.y(), FEdit.EditorType);
    FEdit.Active = true;
    FEdit.Started = true;
    // Where cells hold lines, a text that may hold them is edited as lines (a mask or a
    // password is one line, a number too).
    FEdit.Memo = g.Plain().Multilinecells && TTextEditorRules::TakesLineBreaks(FEdit.EditorType)
        && g.GetEditMask(g.col(), g.row()).isEmpty();
    if (!IsTextEditorType(FEdit.EditorType) || FEdit.Memo) {
        ShowEditControl(g.col(), g.row());
        return false;
    }
    if (TTxInplaceEdit* ed = InplaceEdit())
        ed->Prepare(FEdit.EditorType);
    return true;
}

void TGridEditing::OpenTyped(const QString& Typed, int Key)
{
    FEdit.LastTypedChar = Typed;
    // The keystroke is replayed into whichever editor opens, through the event queue so that
    // it arrives after the editor has the focus.
    FEdit.PendingChar = Typed;
    FEdit.PendingKey = Key;
    if (!FHost->canEditShow()) {
        FEdit.PendingChar.clear();
        return;
    }
    FHost->showEditor();
    PostPendingChar(FHost->inplaceEditor());
}

void TGridEditing::PlaceCaret(QPoint Global)
{
    QLineEdit* edit = nullptr;
    if (FHost->editorMode())
        edit = FHost->inplaceEditor();
    else if (FEdit.Active && FGridCombo && FGridCombo->isVisible() && FGridCombo->isEditable())
        edit = FGridCombo->lineEdit();
    if (FEdit.Active && FEdit.Memo && FMemoEdit && FMemoEdit->isVisible()) {
        const QPoint p = FMemoEdit->viewport()->mapFromGlobal(Global);
        if (FMemoEdit->viewport()->rect().contains(p))
            FMemoEdit->setTextCursor(FMemoEdit->cursorForPosition(p));
        return;
    }
    if (!edit)
        return;
    const QPoint p = edit->mapFromGlobal(Global);
    if (!edit->rect().contains(p))
        return;
    edit->deselect();
    edit->setCursorPosition(edit->cursorPositionAt(p));
}

void TGridEditing::PostPendingChar(QWidget* Target)
{
    if (Target && !FEdit.PendingChar.isEmpty())
        QCoreApplication::postEvent(
            Target, new QKeyEvent(QEvent::KeyPress, FEdit.PendingKey, Qt::NoModifier, FEdit.PendingChar));
    FEdit.PendingChar.clear();
    FEdit.PendingKey = 0;
}

// --- closing -----------------------------------------------------------------------------

void TGridEditing::HideInplaceEdit()
{
    if (!FEdit.Active || FEdit.HidingControl)
        return;
    FHost->hideEditor();
    HideEditControl(FHost->col(), FHost->row());
    FEdit.Active = false;
    // The grid takes the focus back from its editor, never from the control the user went to.
    QWidget* grid = FHost->Widget();
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == grid || grid->isAncestorOf(focus))
        grid->setFocus(Qt::OtherFocusReason);
}

void TGridEditing::CommitTextEdit()
{
    if (ValidateEditorText()) {
        EndTextEdit();
        AdvanceEdit(FHost->col(), FHost->row(), true, false, false);
    }
}

void TGridEditing::EndTextEdit()
{
    FHost->hideEditor();
    if (FEdit.Active) {
        FEdit.Active = false;
        FHost->DoneEditing();
    }
}

void TGridEditing::DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift)
{
    TEditingHost& g = *FHost;
    FEdit.DoneInProgress = true;
    // Escape cancels: the cell keeps its text as it is, even where the control could not
    // show it (a list-only combo on a text that is none of its items).
    FEdit.CancelControl = Key == Qt::Key_Escape;
    HideInplaceEdit();
    FEdit.CancelControl = false;
    if (Key == Qt::Key_Escape)
        RestoreSizes();
    if (Key == Qt::Key_Tab || Key == Qt::Key_Backtab || Key == Qt::Key_Left || Key == Qt::Key_Up || Key == Qt::Key_Right
        || Key == Qt::Key_Down) {
        // The key as the grid takes it: Tab wraps and moves as a Tab pressed on the grid,
        // Shift+Tab (Qt's Backtab) as a Shift+Tab.
        g.KeyPressed(Key, Shift);
    }
    TNavigation& nav = g.Navigation();
    const bool always = nav.AlwaysEdit;
    nav.AlwaysEdit = false;
    g.Widget()->setFocus(Qt::OtherFocusReason);
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter)
        AdvanceEdit(g.col(), g.row(), true, true, false);
    nav.AlwaysEdit = always;
    FEdit.DoneInProgress = false;
}

void TGridEditing::ControlLeft(int Key, Qt::KeyboardModifiers Shift)
{
    TEditingHost& g = *FHost;
    if (FEdit.EditorType != edCheckBox) {
        DoneInplaceEdit(Key, Shift);
        // The button writes nothing; Escape gives the cell its text from before back.
        if (FEdit.EditorType == edButton && Key == Qt::Key_Escape)
            RestoreCache();
        return;
    }
    // The check box closes as the platform's grid moves: Up and Down move, Return advances,
    // the other keys only close it.
    HideInplaceEdit();
    g.Widget()->setFocus(Qt::OtherFocusReason);
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter)
        AdvanceEdit(g.col(), g.row(), true, true, false);
    if (Key == Qt::Key_Up || Key == Qt::Key_Down) {
        int k = Key;
        g.keyDown(k, Shift);
    }
}

void TGridEditing::NoteSizes()
{
    TEditingHost& g = *FHost;
    FEdit.SizedCol = g.col();
    FEdit.SizedRow = g.row();
    FEdit.SizedWidth = g.colWidths(g.col());
    FEdit.SizedHeight = g.rowHeights(g.row());
}

void TGridEditing::RestoreSizes()
{
    TEditingHost& g = *FHost;
    const int c = FEdit.SizedCol, r = FEdit.SizedRow;
    FEdit.SizedCol = FEdit.SizedRow = -1;
    if (c < 0 || r < 0 || c >= g.ColCount() || r >= g.RowCount())
        return;
    if (g.SizeWhileTyping().Width && g.colWidths(c) != FEdit.SizedWidth)
        g.setColWidths(c, FEdit.SizedWidth);
    if (g.SizeWhileTyping().Height && g.rowHeights(r) != FEdit.SizedHeight)
        g.setRowHeights(r, FEdit.SizedHeight);
}

bool TGridEditing::CommitOpenEdit()
{
    if (!FEdit.Active)
        return true;
    if (FHost->editorMode()) {
        if (!ValidateEditorText())
            return false;
        EndTextEdit();
        return true;
    }
    CloseControlForMove();
    return ValidateLeftCell();
}

void TGridEditing::RestoreCache()
{
    const int real = FHost->RemapCol(FHost->col());
    FHost->setCells(real, FHost->row(), FEdit.PreEditText);
    FHost->invalidateCell(FHost->col(), FHost->row());
}

bool TGridEditing::ValidateEditorText()
{
    QLineEdit* ed = FHost->inplaceEditor();
    const QString edited = ed->text();
    QString v = edited;
    FEdit.Validating = true;
    const bool ok = FHost->ValidateCell(v);
    FEdit.Validating = false;
    if (!ok) {
        // Nothing is written; the editor stays open on the handler's text or the one from before.
        ed->setText(RefusedEditText(edited, v, FEdit.ValidateText));
        ed->end(false);
        return false;
    }
    ed->setText(v); // validation may have changed it
    FEdit.Started = false;
    if (FEdit.ChangedCol >= 0) // in the cell before anyone is told, not only when the editor hides
        FHost->setCells(FEdit.ChangedCol, FEdit.ChangedRow, v);
    EditStored();
    return true;
}

// --- the text editor's keys ----------------------------------------------------------------

namespace {

using TKeyStep = bool (*)(TGridEditing&, const QKeyEvent&);
struct TEditorKeyStep {
    const char* Name;
    TKeyStep Step; // true: the key ends here, the platform never sees it
};

bool Ctrl(const QKeyEvent& k) { return k.modifiers() & Qt::ControlModifier; }
bool IsEnter(const QKeyEvent& k) { return k.key() == Qt::Key_Return || k.key() == Qt::Key_Enter; }

// The pre-edit text is the stored text itself, tags included, so writing it back leaves the
// cell exactly as it was.
bool EscapeRestores(TGridEditing& ed, const QKeyEvent& k)
{
    if (k.key() != Qt::Key_Escape)
        return false;
    ed.Host().inplaceEditor()->setText(ed.State().PreEditText);
    ed.EndTextEdit();
    ed.RestoreSizes();
    return true;
}

// With goTabs, Tab and Shift+Tab end the edit and move as pressed on the grid, through a
// merged block as there (the edit is validated when the cursor leaves the cell).
bool TabMovesAsOnTheGrid(TGridEditing& ed, const QKeyEvent& k)
{
    if ((k.key() != Qt::Key_Tab && k.key() != Qt::Key_Backtab) || !(ed.Host().options() & ui::goTabs))
        return false;
    ed.EndTextEdit();
    ed.Host().KeyPressed(k.key(), k.modifiers());
    return true;
}

// With LineFeedOnEnter, Enter types a line break into a text that may hold lines (not into
// numbers or a password), within the editor's length limit; the row follows the lines when
// it sizes while typing. False: the key is no line break here.
bool TypeLineBreak(TGridEditing& ed, const QKeyEvent& k)
{
    if (!IsEnter(k) || !ed.Host().Navigation().LineFeedOnEnter)
        return false;
    TTxInplaceEdit* e = ed.InplaceEdit();
    if (!e || !TTextEditorRules::TakesLineBreaks(ed.State().EditorType))
        return false;
    e->BreakLine();
    return true;
}

bool CtrlEnterLineBreak(TGridEditing& ed, const QKeyEvent& k) { return Ctrl(k) && TypeLineBreak(ed, k); }
bool EnterLineBreak(TGridEditing& ed, const QKeyEvent& k) { return !Ctrl(k) && TypeLineBreak(ed, k); }

bool EnterWithCtrlKept(TGridEditing&, const QKeyEvent& k) { return IsEnter(k) && Ctrl(k); }

// Without AdvanceOnEnter, Enter in an editor filled to its limit does nothing.
bool EnterAtLimitKept(TGridEditing& ed, const QKeyEvent& k)
{
    if (!IsEnter(k) || ed.Host().Navigation().AdvanceOnEnter)
        return false;
    const TTxInplaceEdit* e = ed.InplaceEdit();
    return e && EditLengthFull(e->LengthLimit, e->text().size(), e->hasSelectedText());
}

bool EnterCommits(TGridEditing& ed, const QKeyEvent& k)
{
    if (!IsEnter(k))
        return false;
    ed.CommitTextEdit();
    return true;
}

// Up and Down leave through the platform, once the text passed validation.
bool VerticalValidates(TGridEditing& ed, const QKeyEvent& k)
{
    const bool vertical = k.key() == Qt::Key_Up || k.key() == Qt::Key_Down;
    return vertical && !Ctrl(k) && !ed.ValidateEditorText();
}

// The names are the order.
constexpr TEditorKeyStep kInplaceKeySteps[] = {
    {"escape-restores", &EscapeRestores},         {"ctrl-enter-line-break", &CtrlEnterLineBreak},
    {"enter-with-ctrl-kept", &EnterWithCtrlKept}, {"enter-at-limit-kept", &EnterAtLimitKept},
    {"enter-line-break", &EnterLineBreak},        {"enter-commits", &EnterCommits},
    {"vertical-validates", &VerticalValidates},   {"tab-moves-as-on-the-grid", &TabMovesAsOnTheGrid},
};

} // namespace

bool TGridEditing::InplaceEditorEvent(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress)
        for (const TEditorKeyStep& s : kInplaceKeySteps)
            if (s.Step(*this, *static_cast<const QKeyEvent*>(e)))
                return true;
    const bool wasOpen = FHost->editorMode();
    const bool r = FHost->PlatformEventFilter(o, e);
    if (wasOpen && !FHost->editorMode() && FEdit.Active) {
        // The platform closed the editor (focus lost, Tab, Up, Down, Page keys): committed.
        FEdit.Active = false;
        FEdit.PendingChar.clear();
        FHost->DoneEditing();
    }
    return r;
}

// --- leaving a cell ----------------------------------------------------------------------

void TGridEditing::CloseControlForMove()
{
    // A control left open over a cell the cursor leaves would later commit into the cell the
    // cursor reached: it closes first, its value going to its own cell. The grid taking the
    // focus back opens nothing meanwhile.
    if (!FEdit.Active || (IsTextEditorType(FEdit.EditorType) && !FEdit.Memo) || FEdit.HidingControl)
        return;
    const bool done = FEdit.DoneInProgress;
    FEdit.DoneInProgress = true;
    HideInplaceEdit();
    FEdit.DoneInProgress = done;
}

bool TGridEditing::ValidateLeftCell()
{
    TEditingHost& g = *FHost;
    if (!FEdit.Started)
        return true;
    const QString edited = CurrentCell();
    QString v = edited;
    FEdit.Validating = true;
    const bool ok = g.ValidateCell(v);
    FEdit.Validating = false;
    if (!ok) {
        // The refused text leaves the cell and the user stays in it with the editor open.
        SetCurrentCell(RefusedEditText(edited, v, FEdit.ValidateText));
        if (!g.HasStaticEdit(g.RemapCol(g.col()), g.row()) && g.canEditShow())
            g.showEditor();
        return false;
    }
    FEdit.Started = false;
    if (v != CurrentCell())
        SetCurrentCell(v);
    EditStored();
    return true;
}

bool TGridEditing::SelectCell(int ACol, int ARow)
{
    TEditingHost& g = *FHost;
    if (ACol < 0 || ARow < 0)
        return false;
    // Every move passes here: the host is asked only what the move needs.
    const TTxStringGridEvents& ev = g.Events();
    bool Allow = true;
    if (ev.OnRowChanging && ARow != g.row())
        g.Raise(ev.OnRowChanging, g.row(), ARow, Allow);
    if (ev.OnColChanging && ACol != g.col())
        g.Raise(ev.OnColChanging, g.col(), ACol, Allow);
    if (ev.OnCellChanging && !FEdit.InsideAdvance && (ARow != g.row() || ACol != g.col()))
        g.Raise(ev.OnCellChanging, g.row(), g.col(), ARow, ACol, Allow);
    if (!Allow || (ACol == 0 && g.HasNodes() && !(g.options() & goRowSelect)))
        return false;
    if (g.IsFixed(ACol, ARow))
        return false;
    CloseControlForMove();
    // The cell being left is validated before anything is switched or cached for the
    // target, so a refused move leaves the current cell's state as it was.
    const auto editorFocused = [&g] {
        const QLineEdit* editor = g.inplaceEditor();
        return editor && editor->hasFocus();
    };
    if (!editorFocused() && !ValidateLeftCell())
        return false;
    const int real = g.RemapCol(ACol);
    FEdit.PreEditText = g.cells(real, ARow);
    g.InitValidate(ACol, ARow);
    if (!g.HasStaticEdit(real, ARow)) {
        bool CanEdit = (g.options() & goEditing) || FEdit.EditingSwitchedOff;
        // A merged block is edited through its base, so the base answers for all of it.
        const TPoint b = g.BaseCell(ACol, ARow);
        g.GetCellReadOnly(g.RemapCol(b.x()), b.y(), CanEdit);
        if (CanEdit) {
            FEdit.EditingSwitchedOff = false;
            if (const GridOptions o = g.options(); !(o & goEditing))
                g.setOptions(o | goEditing);
            if (g.editorMode())
                HideInplaceEdit();
        } else if (const GridOptions o = g.options(); o & goEditing) {
            FEdit.EditingSwitchedOff = true;
            g.setOptions(o & ~GridOptions(goEditing));
        }
    }
    return g.PlatformSelectCell(ACol, ARow);
}

// --- advancing ---------------------------------------------------------------------------

bool TGridEditing::CellEditable(int ACol, int ARow)
{
    bool CanEdit = (FHost->options() & goEditing) || FEdit.EditingSwitchedOff;
    if (!CanEdit)
        return false;
    // Every cell of a merged block is as editable as its base, which the edit writes.
    const TPoint b = FHost->BaseCell(ACol, ARow);
    FHost->GetCellReadOnly(FHost->RemapCol(b.x()), b.y(), CanEdit);
    return CanEdit && !FHost->IsFixed(b.x(), b.y());
}

bool TGridEditing::AdvanceStep(int& c, int& r, bool Advance)
{
    TEditingHost& g = *FHost;
    const TNavigation& nav = g.Navigation();
    const int firstCol = g.fixedCols(), firstRow = g.fixedRows();
    const int lastCol = g.ColCount() - g.FixedRightCols() - 1, lastRow = g.RowCount() - g.FixedFooters() - 1;
    if (lastCol < firstCol || lastRow < firstRow)
        return false;
    const TPoint base = g.BaseCell(c, r);
    c = base.x();
    r = base.y();
    const int span = g.CellSpan(c, r).x();
    if (Advance && nav.AdvanceDirection == adLeftRight) {
        if (c + span >= lastCol) {
            if (r < lastRow) {
                ++r;
                c = firstCol;
            } else if (nav.AdvanceInsert) {
                bool CanAdd = true;
                if (g.Events().OnCanAddRow)
                    g.Raise(g.Events().OnCanAddRow, CanAdd);
                if (!CanAdd)
                    return false;
                r = g.AddBeforeFooters(false);
                c = firstCol;
                if (g.Events().OnAutoAddRow)
                    g.Raise(g.Events().OnAutoAddRow, r);
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
            } else if (nav.AdvanceInsert) {
                c = g.AddBeforeFooters(true);
                r = firstRow;
                if (g.Events().OnAutoInsertCol)
                    g.Raise(g.Events().OnAutoInsertCol, c);
            } else {
                c = firstCol;
                r = firstRow;
            }
            g.Invalidate();
        } else {
            ++r;
        }
    } else if (nav.AdvanceDirection == adLeftRight) {
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

void TGridEditing::AdvanceEdit(int ACol, int ARow, bool Advance, bool ShowEditor, bool Force)
{
    TEditingHost& g = *FHost;
    if (!g.Navigation().AdvanceOnEnter && !Force)
        return;
    const TPoint origin = g.BaseCell(ACol, ARow);
    FEdit.PendingChar.clear();
    int c = origin.x(), r = origin.y();
    // One full round over the cells ends the walk when no cell is editable; added rows or
    // columns lengthen the round by what they add.
    const int cells0 = g.ColCount() * g.RowCount();
    bool found = false;
    for (int steps = 0; steps <= cells0 + g.ColCount() + g.RowCount(); ++steps) {
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
    if (g.Events().OnCellChanging)
        g.Raise(g.Events().OnCellChanging, origin.y(), origin.x(), r, c, Allow);
    FEdit.InsideAdvance = true;
    if (Allow)
        g.focusCell(c, r);
    FEdit.InsideAdvance = false;
    if (!ShowEditor && !g.HasStaticEdit(g.RemapCol(g.col()), g.row()))
        return;
    g.showEditor();
}

} // namespace grid
