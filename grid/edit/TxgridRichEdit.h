#pragma once
// The grid's rich-text cell editor: sub- and superscript of the selection, the size its text
// asks for, and keys that hand the cursor back to the grid.
#include <QTextEdit>

namespace grid {

class TGridEditing;
class TTxStringGrid;

class TTxRichEdit : public QTextEdit {
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
    void focusOutEvent(QFocusEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void SetSelOffset(int Twips);
    TGridEditing& FEditing;
    bool FLocked = false;
};

} // namespace grid
