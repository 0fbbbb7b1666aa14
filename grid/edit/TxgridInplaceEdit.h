#pragma once
// The grid's text editor: a line edit over the current cell that filters typed characters by
// the cell's editor type (integer, positive integer, number, upper, lower and mixed case,
// password) and stops at a length limit. The grid decides when it opens and closes; the
// acceptance rules are plain functions so that they can be checked without a window.
#include "grid/core/TxgridTypes.h"

#include <QLineEdit>

namespace grid {

class TEditingHost;
class TGridEditing;

// What becomes of a typed character.
enum class TCharVerdict {
    Accept, // typed (possibly re-cased, see FilterEditChar)
    Beep,   // refused audibly
    Drop    // refused silently
};

// True for the editor types the text editor serves; every other type opens a control.
bool IsTextEditorType(TEditorType Type);

// The verdict on a printable character Ch typed into Text with the caret at Caret and the
// characters SelStart .. SelStart + SelLen - 1 selected. Ch is re-cased in place for the
// case types.
TCharVerdict FilterEditChar(TEditorType Type, const QString& Text, int Caret, int SelStart, int SelLen, QChar& Ch);

// Whether LengthLimit (0 or less: none) leaves room for another character.
bool EditLengthFull(int LengthLimit, int TextLength, bool HasSelection);

// Look-up completion: the first item (in list order) that begins with Prefix, or -1; case is
// ignored unless CaseSensitive. The completed text keeps the typed prefix and takes the
// rest of the item, at most 255 characters in all.
int LookupCompletion(const QStringList& Items, const QString& Prefix, bool CaseSensitive);
QString CompletedText(const QString& Prefix, const QString& Item);

// The editor's text after pasting Clip over the selection (or at the caret when SelLen is
// 0), or false when the paste changes nothing: longer than LengthLimit, or for the numeric
// types no integer (edFloat: no number). The case types re-case the pasted text.
bool PasteResult(TEditorType Type, int LengthLimit, const QString& Text, int SelStart, int SelLen, QString Clip,
                 QString& Result);

class TTxInplaceEdit : public QLineEdit {
    Q_OBJECT
public:
    TTxInplaceEdit(TGridEditing& Editing, QWidget* Parent);

    int LengthLimit = 0; // 0 or less: no limit
    bool VAlign() const { return FVAlign; }
    void SetVAlign(bool Value);
    int BeepCount() const { return FBeepCount; } // refused characters, for the grid's owner

    // Takes the cell's editor type: password echo for edPassword.
    void Prepare(TEditorType Type);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override; // look-up completion, sizing while typing
    void focusInEvent(QFocusEvent* e) override;  // ImproveMaskSel
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    bool ClipboardKey(QKeyEvent* e); // copy, cut and paste through the grid's events
    bool CursorWalk(QKeyEvent* e);   // Left at the start, Right at the end: the next cell
    void Complete();                 // the look-up items complete the typed text
    TGridEditing& FEditing;
    TEditingHost& FHost;
    bool FAutoComplete = true;
    TEditorType FType = edNormal;
    bool FVAlign = false;
    int FBeepCount = 0;
};

} // namespace grid
