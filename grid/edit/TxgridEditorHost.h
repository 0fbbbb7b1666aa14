#pragma once
// TEditorHost: what every editor control over a cell shares, on top of the control it is. The
// host owns the control's keys and focus: Tab and Backtab reach the keys instead of moving the
// focus when the grid moves by Tab; a key that leaves the cell has the control's value
// validated and hands the key to the grid (TGridEditing::ControlLeft); losing the focus closes
// the edit unless the focus went to the control's own drop-down. Each editor answers only what
// differs: which keys leave, its value, its own keys.
#include <QString>
#include <Qt>

class QEvent;
class QFocusEvent;
class QKeyEvent;
class QWidget;

namespace grid {

class TEditingHost;
class TGridEditing;

// Whether a focus-out of an editor control only hands the keyboard to its own drop-down (a
// combo's list, a date picker's calendar): the editor stays open then.
bool FocusLeftForOwnPopup(const QWidget& Control, const QFocusEvent& e);

template <class Control>
class TEditorHost : public Control {
public:
    TGridEditing& Editing() const { return FEditing; }
    TEditingHost& Host() const; // what editing sees of the grid

protected:
    // Made over the grid's viewport, hidden and disabled until an edit opens it.
    explicit TEditorHost(TGridEditing& Editing);

    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

    // --- what each editor answers ---------------------------------------------------------
    // The keys that leave the cell (Escape among them).
    virtual bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const = 0;
    // A key the editor takes for itself before the leaving keys are asked; true: taken.
    virtual bool OwnKey(QKeyEvent*) { return false; }
    // A key that stays in the editor: the control's own handling.
    virtual void PassKey(QKeyEvent* e) { Control::keyPressEvent(e); }
    // The value Return, Enter, Up and Down have validated; false: the editor validates none.
    // A line edit's is its text; the other controls validate none.
    virtual bool EditedValue(QString& Text) const;
    // The value shown after validation: as validated, or refused (the editor stays open; a
    // line edit's caret goes to the end).
    virtual void ShowEdited(const QString& Text, bool Refused);
    // Escape: the control shows the cell's text again (a line edit: the text itself).
    virtual void ShowCellValue();
    // A leaving key with the drop-down open: true lets it leave (after closing the drop-down).
    virtual bool DropDownLets() { return true; }
    virtual bool DroppedDown() const { return false; }
    // The edit closes by losing the focus.
    virtual void Closing() {}

private:
    TGridEditing& FEditing;
};

} // namespace grid
