#pragma once
// TGridEditing: the grid's editing. It keeps the edit in progress (TEditState) and the editor
// controls, opens and closes the text editor and the controls, commits and validates what they
// hold, gates every move of the current cell and walks to the next editable cell. The grid
// owns one, made with a host that answers for it (TxgridEditingHost.h), and forwards its
// editing functions to it; the editor controls reach the grid through that host.
//
//   TxgridEditing.cpp       opening, closing, the text editor's key steps, leaving, advancing
//   TxgridEditControls.cpp  the editor controls opened over a cell, their values written back
//   TxgridValidate.cpp      validating a finished edit: the checker and OnCellValidate
#include "grid/core/TxgridForward.h"
#include "grid/edit/TxgridEditState.h"
#include "grid/edit/TxgridEditingHost.h"

#include <QPoint>
#include <QString>
#include <Qt>
#include <memory>

class QEvent;
class QLineEdit;
class QObject;
class QTextEdit;
class QWidget;

namespace grid {

class TTxInplaceEdit;
class TTxMemoEdit;

class TGridEditing {
public:
    explicit TGridEditing(std::unique_ptr<TEditingHost> Host);
    ~TGridEditing();
    TGridEditing(const TGridEditing&) = delete;
    TGridEditing& operator=(const TGridEditing&) = delete;

    TEditingHost& Host() const { return *FHost; }
    TEditState& State() { return FEdit; }
    const TEditState& State() const { return FEdit; }
    // The rich-text cell editor, a child of the grid made with it and gone before it.
    void CreateRichEdit();
    void DropRichEdit();
    // From the grid's destructor on no editor reaches the grid: the controls go at once.
    void DropEditors();

    // ---- the text editor (the platform's line edit) -----------------------------------------
    bool CanEditShow(); // the platform's question; true opens the text editor, a control opens here
    QLineEdit* CreateEditor();
    QString EditText(int ACol, int ARow);
    TTxInplaceEdit* InplaceEdit() const; // the text editor, once made
    // The current cell's text, at its real column.
    QString CurrentCell() const;
    void SetCurrentCell(const QString& S);
    // A typed character opens the cell's editor with it (replayed once the editor has the focus).
    void OpenTyped(const QString& Typed, int Key);
    void PostPendingChar(QWidget* Target);
    // The click that opened an editor puts its caret under the mouse (Global, in screen
    // coordinates) with nothing selected: the text editor's or an editable combo's.
    void PlaceCaret(QPoint Global);
    // The text editor's events, as the grid's event filter gets them: a key press walks the
    // key steps in their order, then the platform handles what none of them ended.
    bool InplaceEditorEvent(QObject* o, QEvent* e);
    bool ValidateEditorText(); // false: the editor stays open
    void EndTextEdit();
    // Enter in the text editor: the text validated, the editor closed and the cursor moved on
    // (a refused text keeps it open).
    void CommitTextEdit();

    // ---- closing, leaving and advancing -------------------------------------------------------
    void HideInplaceEdit();
    void DoneInplaceEdit(int Key, Qt::KeyboardModifiers Shift);
    // An editor control's key that leaves the cell, after the control took its value: the
    // grid takes the key as the kind of control leaves by it.
    void ControlLeft(int Key, Qt::KeyboardModifiers Shift);
    void RestoreCache();
    // The edited cell's column width and row height, noted when an edit opens; Escape gives
    // back what sizing while typing changed of them.
    void NoteSizes();
    void RestoreSizes();
    // An open edit goes to its own cell, validated, before rows move under it (Insert); false:
    // refused, the editor stays open.
    bool CommitOpenEdit();
    // The cell the cursor leaves, validated when its edit was not yet; false: refused, the
    // cursor stays with the editor open again.
    bool ValidateLeftCell();
    bool SelectCell(int ACol, int ARow); // the gate of every move of the current cell
    // An editor control open while the current cell moves closes onto its own cell first.
    void CloseControlForMove();
    // Whether a cell (displayed column) may be edited: the grid edits (or switched editing off
    // only for a read-only cell), GetCellReadOnly allows it and the cell is not fixed, footer
    // rows and right fixed columns included. Editing, the mouse, the keys and the exchange
    // all ask this one rule.
    bool CellEditable(int ACol, int ARow);
    void AdvanceEdit(int ACol, int ARow, bool Advance, bool ShowEditor, bool Force);

    // ---- the editor controls (TxgridEditControls.cpp) -----------------------------------------
    void ShowEditControl(int ACol, int ARow);
    void HideEditControl(int ACol, int ARow);
    QWidget* EditControlOf(TEditorType Type) const;
    // The control open over the cell: the editor of lines, or the control of the editor type.
    QWidget* OpenControl() const;
    TTxMemoEdit* MemoEdit() const { return FMemoEdit; } // the editor of lines, once made
    void WriteBackControl(int Real, int ARow);
    bool CommitControlValue(QString& Text);
    TGridCombo* ComboBox();
    TGridSpin* SpinEdit();
    void SetComboSelection(int Index) { FEdit.ComboFallback = Index; }
    bool SetComboSelectionString(const QString& S);
    // The edCustom cell's link (the grid's EditLink): attached, placed, filled and focused, or
    // hidden when the edit closes.
    void ShowEditLink(int ACol, int ARow);
    void HideEditLink();

    // ---- validation (TxgridValidate.cpp) ------------------------------------------------------
    // The grid's own answers to its InitValidate and ValidateCell hooks; editing itself asks
    // the hooks, which a descendant may override.
    void InitValidate(int ACol, int ARow);
    bool ValidateCell(QString& Value);
    // After a validated value is stored in its cell: the footer recomputed, then the change
    // told (UpdateCell, CellsChanged); nothing when validation changed nothing.
    void EditStored();
    bool CheckEditedValue(int ACol, int ARow, QString& Value);

private:
    bool AdvanceStep(int& ACol, int& ARow, bool Advance); // false: no further cell
    template <class Control>
    Control* Made(Control*& Slot);
    std::unique_ptr<TEditingHost> FHost;
    TEditState FEdit;
    // Editor controls, made hidden and disabled on first use.
    TGridCombo* FGridCombo = nullptr;
    TGridSpin* FGridSpin = nullptr;
    TGridDatePicker* FGridDatePicker = nullptr;
    TGridCheckBox* FGridCheckBox = nullptr;
    TGridEditBtn* FGridEditBtn = nullptr;
    TGridUnitEditBtn* FGridUnitEditBtn = nullptr;
    TGridButton* FGridButton = nullptr;
    QTextEdit* FInplaceRichEdit = nullptr; // the rich-text cell editor
    TTxMemoEdit* FMemoEdit = nullptr;      // the text editor of cells that hold lines
};

} // namespace grid
