#pragma once
// The grid's rich-text cell editor: sub- and superscript of the selection, the size its text
// asks for, and the keys and focus every editor control has (TxgridEditorHost.h): Return
// commits and moves on, Tab moves on, Escape cancels, losing the focus commits.
#include "grid/edit/TxgridEditorHost.h"

#include <QTextEdit>

namespace grid {

class TGridEditing;
class TTxStringGrid;

class TTxRichEdit : public TEditorHost<QTextEdit> {
public:
    // A child of the grid whose editing it serves; made with the grid itself, it serves the
    // grid's own editing.
    explicit TTxRichEdit(TGridEditing& Editing);
    explicit TTxRichEdit(TTxStringGrid& AGrid);
    int ReqWidth = 0, ReqHeight = 0; // the size the text last asked for

    void SelNormal() { SetSelOffset(0); }
    void SelSubscript() { SetSelOffset(-40); }
    void SelSuperscript() { SetSelOffset(40); }
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }
    bool Locked() const { return FLocked; }
    // The text asks for Size: recorded, and while typing grows the edited row to fit.
    void RequestResize(QSize Size);

protected:
    // Only while it is the grid's open editor: Escape, Tab, Return (unless LineFeedOnEnter
    // makes it a paragraph break) and, in a grid of one-line cells, Up and Down.
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
    bool OwnKey(QKeyEvent* e) override; // Ctrl+Return: a paragraph break
    void focusOutEvent(QFocusEvent* e) override;

private:
    bool IsOpenEditor() const;
    void SetSelOffset(int Twips);
    bool FLocked = false;
};

} // namespace grid
