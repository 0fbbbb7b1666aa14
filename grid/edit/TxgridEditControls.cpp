// TGridEditing: the editor controls opened over a cell, their values validated and written
// back.
#include "grid/edit/TxgridEditing.h"

#include "grid/edit/TxgridEditors.h"
#include "grid/edit/TxgridInplaceEdit.h"
#include "grid/edit/TxgridMemoEdit.h"
#include "grid/edit/TxgridRichEdit.h"

#include "platform/text/Dates.h"

#include <QTextDocument>

namespace grid {

bool TGridEditing::CommitControlValue(QString& Text)
{
    TEditingHost& g = *FHost;
    const QString prev = CurrentCell();
    SetCurrentCell(Text);
    QString v = Text;
    FEdit.Validating = true;
    const bool ok = g.ValidateCell(v);
    FEdit.Validating = false;
    if (!ok) {
        // A refused value never stays in the cell: it gets its text from before back.
        SetCurrentCell(prev);
        Text = prev;
        return false;
    }
    SetCurrentCell(v);
    Text = v;
    FEdit.Started = false;
    EditStored();
    return true;
}

template <class Control>
Control* TGridEditing::Made(Control*& Slot)
{
    if (!Slot)
        Slot = new Control(*this);
    return Slot;
}

TGridCombo* TGridEditing::ComboBox() { return Made(FGridCombo); }
TGridSpin* TGridEditing::SpinEdit() { return Made(FGridSpin); }

bool TGridEditing::SetComboSelectionString(const QString& S)
{
    const int i = ComboBox()->findText(S);
    if (i < 0)
        return false;
    FEdit.ComboFallback = i;
    return true;
}

void TGridEditing::ShowEditControl(int ACol, int ARow)
{
    TEditingHost& g = *FHost;
    FEdit.Started = true;
    FEdit.Col = ACol;
    FEdit.Row = ARow;
    // Over a merged block, the whole block.
    const ui::Rect rc = g.IsMergedCell(ACol, ARow) ? g.CellRect(ACol, ARow) : g.platformCellRect(ACol, ARow);
    const int real = g.RemapCol(ACol);
    const QRect place(rc.Left, rc.Top, std::max(1, rc.width() - 1), std::max(1, rc.height() - 1));
    QWidget* shown = nullptr;
    bool replay = true;
    if (FEdit.Memo) {
        TAlignment h = taLeftJustify;
        TVAlignment v = g.VAlignment();
        g.GetCellAlign(real, ARow, h, v);
        Made(FMemoEdit)->Open(FEdit.EditorType, g.getEditText(ACol, ARow), h == taRightJustify);
        shown = FMemoEdit;
    } else
        switch (FEdit.EditorType) {
        case edSpinEdit:
        case edFloatSpinEdit:
        case edTimeSpinEdit:
        case edDateSpinEdit: {
            TGridSpin* spin = SpinEdit();
            try {
                // The value is read before anything shows, so a cell that holds no value of
                // the kind leaves no editor open behind the error.
                if (FEdit.EditorType == edSpinEdit) {
                    const int v = g.GetInts(real, ARow);
                    spin->SetSpinType(sptNormal);
                    spin->SetValue(v);
                } else if (FEdit.EditorType == edFloatSpinEdit) {
                    const double v = g.GetFloats(real, ARow);
                    spin->SetSpinType(sptFloat);
                    spin->SetFloatValue(v);
                } else if (FEdit.EditorType == edTimeSpinEdit) {
                    spin->SetSpinType(sptTime);
                    spin->setText(g.cells(real, ARow));
                } else {
                    const TDateTime v = g.GetDates(real, ARow);
                    spin->SetDateValue(v);
                    spin->SetSpinType(sptDate);
                }
            } catch (...) {
                FEdit.Active = false;
                FEdit.Started = false;
                FEdit.PendingChar.clear();
                throw;
            }
            spin->selectAll();
            shown = spin;
            break;
        }
        case edComboEdit:
        case edComboList: {
            TGridCombo* combo = ComboBox();
            const bool list = FEdit.EditorType == edComboList;
            combo->SetStyle(list ? csDropDownList : csDropDown);
            if (list) {
                combo->SetDropDownCount(8);
                int i = combo->findText(g.cells(real, ARow));
                if (i < 0)
                    i = FEdit.ComboFallback == -1 ? 0 : FEdit.ComboFallback;
                combo->setCurrentIndex(i);
                replay = false;
            } else {
                combo->setEditText(g.getEditText(ACol, ARow));
            }
            combo->SetFlat(g.Look() == glSoft);
            combo->SetEtched(g.Look() == glSoft);
            combo->setGeometry(place);
            if (g.Navigation().AutoComboDropSize)
                combo->SizeDropDownWidth();
            shown = combo;
            break;
        }
        case edEditBtn:
        case edNumericEditBtn:
        case edFloatEditBtn:
            Made(FGridEditBtn)->SetEditorType(FEdit.EditorType);
            FGridEditBtn->SetMaxLength(g.Plain().MaxEditLength);
            FGridEditBtn->setText(g.getEditText(ACol, ARow));
            FGridEditBtn->selectAll();
            shown = FGridEditBtn;
            break;
        case edUnitEditBtn: {
            Made(FGridUnitEditBtn);
            QString number, unit;
            SplitUnitText(g.getEditText(ACol, ARow), number, unit);
            FGridUnitEditBtn->SetMaxLength(g.Plain().MaxEditLength);
            FGridUnitEditBtn->setText(number);
            FGridUnitEditBtn->SetUnitID(unit);
            FGridUnitEditBtn->selectAll();
            shown = FGridUnitEditBtn;
            break;
        }
        case edDateEdit:
        case edDateEditUpDown:
        case edTimeEdit:
            Made(FGridDatePicker)->Prepare(FEdit.EditorType, g.getEditText(ACol, ARow));
            shown = FGridDatePicker;
            replay = false;
            break;
        case edButton:
            Made(FGridButton)->setText(g.getEditText(ACol, ARow));
            shown = FGridButton;
            replay = false;
            break;
        case edCheckBox:
            Made(FGridCheckBox)->setText(g.getEditText(ACol, ARow));
            FGridCheckBox->setChecked(false);
            shown = FGridCheckBox;
            replay = false;
            break;
        case edCustom: ShowEditLink(ACol, ARow); break;
        case edRichEdit: {
            auto* rich = static_cast<TTxRichEdit*>(FInplaceRichEdit);
            if (rich->parentWidget() != g.viewport())
                rich->setParent(g.viewport()); // placed by the cell's rectangle, as every control
            rich->setFrameStyle(QFrame::NoFrame);
            rich->Lock(); // loading the text asks for no row height
            g.CellToRich(real, ARow, *rich);
            rich->document()->setDocumentMargin(2);
            rich->document()->setModified(false);
            rich->selectAll();
            shown = rich;
            break;
        }
        default: break; // the other controls are not made by this grid; nothing opens
        }
    if (shown) {
        // The button covers the grid lines around the cell.
        shown->setGeometry(FEdit.EditorType == edButton ? place.adjusted(-1, -1, 1, 1) : place);
        shown->setEnabled(true);
        shown->show();
        shown->raise();
        shown->setFocus(Qt::OtherFocusReason);
        if (FEdit.EditorType == edComboEdit || FEdit.EditorType == edComboList)
            if (g.MouseActions().DirectComboDrop)
                FGridCombo->showPopup();
        if (replay)
            PostPendingChar(shown);
        if (FEdit.EditorType == edRichEdit)
            static_cast<TTxRichEdit*>(FInplaceRichEdit)->Unlock();
    }
    FEdit.PendingChar.clear();
    FEdit.PendingKey = 0;
}

QWidget* TGridEditing::OpenControl() const { return FEdit.Memo ? FMemoEdit : EditControlOf(FEdit.EditorType); }

QWidget* TGridEditing::EditControlOf(TEditorType Type) const
{
    switch (Type) {
    case edSpinEdit:
    case edTimeSpinEdit:
    case edFloatSpinEdit:
    case edDateSpinEdit: return FGridSpin;
    case edComboEdit:
    case edComboList: return FGridCombo;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: return FGridEditBtn;
    case edUnitEditBtn: return FGridUnitEditBtn;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: return FGridDatePicker;
    case edButton: return FGridButton;
    case edCheckBox: return FGridCheckBox;
    case edRichEdit: return FInplaceRichEdit;
    default: return nullptr;
    }
}

// The open control's value into the cell, as the kind of editor writes it (buttons and check
// boxes write nothing).
void TGridEditing::WriteBackControl(int Real, int ARow)
{
    TEditingHost& g = *FHost;
    if (FEdit.Memo) {
        g.setCells(Real, ARow, FMemoEdit->CellText());
        return;
    }
    switch (FEdit.EditorType) {
    case edSpinEdit:
    case edTimeSpinEdit: g.setCells(Real, ARow, FGridSpin->text()); break;
    case edFloatSpinEdit: g.SetFloats(Real, ARow, FGridSpin->FloatValue()); break;
    case edDateSpinEdit: g.SetDates(Real, ARow, FGridSpin->DateValue()); break;
    case edComboEdit:
    case edComboList: g.setCells(Real, ARow, FGridCombo->currentText()); break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: g.setCells(Real, ARow, FGridEditBtn->text()); break;
    case edUnitEditBtn: g.setCells(Real, ARow, FGridUnitEditBtn->text() + FGridUnitEditBtn->UnitID()); break;
    case edDateEdit:
    case edDateEditUpDown: g.setCells(Real, ARow, text::dateToText(FGridDatePicker->date())); break;
    case edTimeEdit: g.setCells(Real, ARow, FGridDatePicker->time().toString(QStringLiteral("H:mm:ss"))); break;
    case edRichEdit:
        // Rich text goes back only when it was edited: opening a plain cell and leaving it
        // keeps its text as it was.
        if (FInplaceRichEdit->document()->isModified())
            g.RichToCell(Real, ARow, *FInplaceRichEdit);
        break;
    default: break;
    }
}

void TGridEditing::HideEditControl(int ACol, int ARow)
{
    TEditingHost& g = *FHost;
    FEdit.PendingChar.clear();
    FEdit.PendingKey = 0;
    if (FEdit.HidingControl)
        return;
    FEdit.HidingControl = true;
    // The value goes to the cell the control was opened on, even when the cursor has moved.
    if (FEdit.Col >= 0) {
        ACol = FEdit.Col;
        ARow = FEdit.Row;
    }
    const int real = g.RemapCol(ACol);
    // Open is not hidden: a control in a window that is closing is no longer visible, and
    // its value still goes back.
    QWidget* control = FEdit.CancelControl ? nullptr : OpenControl();
    if (control && !control->isHidden())
        WriteBackControl(real, ARow);
    if (FEdit.EditorType == edCustom) // the link keeps its value; the grid only hides it
        HideEditLink();
    if (FEdit.CancelControl)
        for (QWidget* w :
             std::initializer_list<QWidget*>{FGridSpin, FGridCombo, FGridCheckBox, FGridEditBtn, FGridUnitEditBtn,
                                             FGridDatePicker, FGridButton, FInplaceRichEdit, FMemoEdit})
            if (w && !w->isHidden())
                control = w;
    if (control && !control->isHidden()) {
        const bool hadFocus = control->hasFocus();
        control->setEnabled(false);
        control->hide();
        if (hadFocus)
            g.Widget()->setFocus(Qt::OtherFocusReason);
    }
    FEdit.Col = FEdit.Row = -1;
    FEdit.Memo = false;
    FEdit.HidingControl = false;
    g.DoneEditing();
}

} // namespace grid
