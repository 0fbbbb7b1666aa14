#pragma once
// What the grid keeps about the edit in progress: the editor opened, the text the cell had
// before, the keystroke that opened a control editor, and the record of the cell being
// validated (its display position, its text and modified state when editing began).
#include "grid/core/TxgridTypes.h"

#include <QString>

namespace grid {

struct TEditState {
    TEditorType EditorType = edNormal;
    bool Active = false;             // an editor (text or control) is open
    bool Memo = false;               // the text edit open is the editor of lines
    bool Started = false;            // the open edit has not been validated yet
    bool Validating = false;         // guards validation against re-entry
    bool EditingSwitchedOff = false; // goEditing cleared by the grid while a read-only cell is current
    bool InsideAdvance = false;
    bool DoneInProgress = false;
    bool HidingControl = false;
    bool CancelControl = false; // the control edit ends by Escape: nothing is written
    bool Destroying = false;    // the grid's destructor has begun: editors leave it alone
    QString PendingChar;        // the keystroke that opened a control editor
    int PendingKey = 0;
    QString PreEditText;
    int ComboFallback = -1;
    int Col = -1, Row = -1; // the cell an editor control was opened on
    // The edited cell's column width and row height when the edit opened: Escape gives back
    // what sizing while typing changed.
    int SizedCol = -1, SizedRow = -1, SizedWidth = 0, SizedHeight = 0;

    // The cell being validated (InitValidate): display column and row, its text and the
    // grid's modified state when editing began; a value is pending once an edit ended.
    int ValidateCol = -1, ValidateRow = -1;
    QString ValidateText;
    bool ValidateModified = false;
    bool ValuePending = false;
    // A validated change not told yet: its real column and row, told once the value is stored.
    int ChangedCol = -1, ChangedRow = -1;
    QString LastTypedChar; // the character that opened the editor
};

// The text a refused edit shows again: the validate handler's own value when it changed the
// edited one, else the text from before the edit.
QString RefusedEditText(const QString& Edited, const QString& Handled, const QString& Before);

} // namespace grid
