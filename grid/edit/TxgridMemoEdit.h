#pragma once
// The text editor of a grid whose cells hold lines (Multilinecells): the cell's lines edited as
// lines over the cell, with the text editor's rules (TTextEditorRules) and the keys and focus
// every editor control has (TxgridEditorHost.h). Up on a line after the first and Down on a
// line before the last move the caret inside it; on the first (last) line they leave.
#include "grid/edit/TxgridEditorHost.h"
#include "grid/edit/TxgridInplaceEdit.h"

#include <QPlainTextEdit>

namespace grid {

class TTxMemoEdit : public TEditorHost<QPlainTextEdit>, private TEditText {
public:
    explicit TTxMemoEdit(TGridEditing& Editing);
    // Filled from the cell's edit text for the editor type; right-aligned as the cell.
    void Open(TEditorType Type, const QString& Text, bool RightAligned);
    QString CellText() const override; // line breaks as CR LF

protected:
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
    bool OwnKey(QKeyEvent* e) override; // the text editor's rules; Enter commits or breaks the line
    bool EditedValue(QString& Text) const override;
    void ShowEdited(const QString& Text, bool Refused) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool IsOpenEditor() const;
    void FollowCell();
    QString Text() const override { return toPlainText(); }
    int Caret() const override { return textCursor().position(); }
    int SelStart() const override { return textCursor().selectionStart(); }
    int SelLength() const override { return textCursor().selectionEnd() - textCursor().selectionStart(); }
    void Insert(const QString& S) override { insertPlainText(S); }
    void SetText(const QString& S) override;
    void Select(int Start, int Length) override;
    QString LineBreak() const override { return QStringLiteral("\n"); }
    TTextEditorRules FRules;
};

} // namespace grid
