#pragma once
// The grid's text editor: a line edit over the current cell that filters typed characters by
// the cell's editor type (integer, positive integer, number, upper, lower and mixed case,
// password) and stops at a length limit. The grid decides when it opens and closes; the
// acceptance rules are plain functions so that they can be checked without a window.
#include "grid/core/TxgridTypes.h"

#include <QLineEdit>

class QKeyEvent;

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

// The control a text editor is, as its rules see it: the text, the caret and the selection.
// The one-line editor and the editor of lines each answer it.
class TEditText {
public:
    virtual ~TEditText() = default;
    virtual QString Text() const = 0;
    virtual int Caret() const = 0;
    virtual int SelStart() const = 0; // the caret when nothing is selected
    virtual int SelLength() const = 0;
    virtual void Insert(const QString& S) = 0; // over the selection
    virtual void SetText(const QString& S) = 0;
    virtual void Select(int Start, int Length) = 0; // a negative Length ends at the caret
    virtual bool MaskFilled() const { return false; }
    // The text as the cell holds it (line breaks as CR LF), and the break Enter types.
    virtual QString CellText() const { return Text(); }
    virtual QString LineBreak() const { return QStringLiteral("\r\n"); }
};

// The text editor's rules on its control, for both text editors: typed characters filtered
// by the editor type and the length limit, the clipboard keys through the grid's events and
// the paste filter, the walk out of the ends, a line break, look-up completion.
class TTextEditorRules {
public:
    TTextEditorRules(TGridEditing& Editing, TEditText& Edit);
    TEditorType Type = edNormal;
    int LengthLimit = 0;
    int Beeps = 0;

    // A key press: true when taken here; false leaves it to the control's own handling.
    bool Key(QKeyEvent* e);
    // A key release: the caret reported, look-up completion, sizing while typing.
    void Released(const QKeyEvent* e, TPoint CaretPos, bool Visible);
    // A line break typed within the length limit (the row follows with sizing while typing).
    void BreakLine();
    // The focus leaves: with LookupHistory the text joins the look-up items.
    void Leaving();
    static bool TakesLineBreaks(TEditorType Type);

private:
    bool Clipboard(QKeyEvent* e, bool& Taken);
    bool CursorWalk(const QKeyEvent* e);
    void Complete();
    TGridEditing& FEditing;
    TEditingHost& FHost;
    TEditText& FEdit;
    bool FAutoComplete = true;
};

class TTxInplaceEdit : public QLineEdit, private TEditText {
    Q_OBJECT
public:
    TTxInplaceEdit(TGridEditing& Editing, QWidget* Parent);

    int LengthLimit = 0; // 0 or less: no limit
    bool VAlign() const { return FVAlign; }
    void SetVAlign(bool Value);
    int BeepCount() const { return FRules.Beeps; } // refused characters, for the grid's owner

    // Takes the cell's editor type: password echo for edPassword.
    void Prepare(TEditorType Type);
    // Enter typing a line break (LineFeedOnEnter), within the length limit.
    void BreakLine();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override; // look-up completion, sizing while typing
    void focusInEvent(QFocusEvent* e) override;  // ImproveMaskSel
    void focusOutEvent(QFocusEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    QString Text() const override { return text(); }
    int Caret() const override { return cursorPosition(); }
    int SelStart() const override { return hasSelectedText() ? selectionStart() : cursorPosition(); }
    int SelLength() const override { return hasSelectedText() ? int(selectedText().size()) : 0; }
    void Insert(const QString& S) override { insert(S); }
    void SetText(const QString& S) override { setText(S); }
    void Select(int Start, int Length) override;
    bool MaskFilled() const override;
    TGridEditing& FEditing;
    TEditingHost& FHost;
    TTextEditorRules FRules;
    bool FVAlign = false;
};

} // namespace grid
