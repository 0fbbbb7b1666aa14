#pragma once
// The grid's editor controls: the spin edit, the combo box and the check box that open over
// a cell whose editor type asks for them. Each keeps its own keys (stepping, the list) and
// hands the keys that leave the cell to the grid, which writes the value back and moves on.
#include "grid/controls/Tsgcombo.h"
#include "grid/controls/Tsgedit.h"
#include "grid/controls/Tsgspin.h"
#include "grid/core/TxgridTypes.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QPushButton>
#include <vector>

class QFocusEvent;

namespace grid {

class TTxStringGrid;

// Whether a focus-out of an editor control only hands the keyboard to its own drop-down (a
// combo's list, a date picker's calendar): the editor stays open then. Every editor control
// with a drop-down asks this before it closes on losing the focus.
bool FocusLeftForOwnPopup(const QWidget& Control, const QFocusEvent& e);

// The step of a value key on a spin edit: the value after Page Up, Page Down, Home or End,
// or the value unchanged for any other key or a step past the bound.
int SpinKeyValue(int Key, int Value, int Increment, int MinValue, int MaxValue);
double SpinKeyFloatValue(int Key, double Value, double Increment, double MinValue, double MaxValue);

class TGridSpin : public TTsgSpinEdit {
    Q_OBJECT
public:
    explicit TGridSpin(TTxStringGrid& Grid);
    void UpClick(QObject* Sender) override;
    void DownClick(QObject* Sender) override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void FireSpinClick(bool Up);
    TTxStringGrid& FGrid;
};

// The list's width for the widest item: W grows to T + 25 past an item text of width T
// that does not fit beside a scroll bar, to T + 8 when there is none.
int ComboDropWidth(int Width, bool ScrollBar, const std::vector<int>& TextWidths);

class TGridCombo : public TTSGComboBox {
    Q_OBJECT
public:
    explicit TGridCombo(TTxStringGrid& Grid);
    void SizeDropDownWidth();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void FireChange();
    TTxStringGrid& FGrid;
    bool FAutoComplete = true;
};

// A unit edit's text split for editing: ',', '-', '.' and the digits, in order, make the
// number; every other character, in order, the unit ("12.5 kg" gives "12.5" and " kg").
void SplitUnitText(const QString& Text, QString& Number, QString& Unit);

// The edit with a button: the button or F4 runs the grid's ellipsis event on the text;
// the numeric types filter typed characters as the text editor does.
class TGridEditBtn : public TTsgEditBtn {
    Q_OBJECT
public:
    explicit TGridEditBtn(TTxStringGrid& Grid);
    void SetEditorType(TEditorType Type) { FType = Type; }
    void BtnClick(QObject* Sender) override;

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TTxStringGrid& FGrid;
    TEditorType FType = edEditBtn;
};

// The unit edit: the number is edited and validated, the unit is kept beside it.
class TGridUnitEditBtn : public TTsgUnitEditBtn {
    Q_OBJECT
public:
    explicit TGridUnitEditBtn(TTxStringGrid& Grid);

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TTxStringGrid& FGrid;
};

// The date or time of a cell's text for the picker: the text parsed as a date (Time: as a
// time), or Now when it is none.
QDateTime PickerValueFromText(const QString& Text, bool Time, const QDateTime& Now);

// The date picker, with a drop-down calendar or with up-down buttons, or in time mode.
class TGridDatePicker : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit TGridDatePicker(TTxStringGrid& Grid);
    // Date, date with up-down buttons, or time; the value from the cell's text.
    void Prepare(TEditorType Type, const QString& Text);
    bool DroppedDown() const;
    bool TimeKind() const { return FTime; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TTxStringGrid& FGrid;
    bool FTime = false;
};

// The push button over a cell: a click or Space runs the ellipsis event on its caption;
// the arrow keys leave it and move the cursor, Escape restores the cell.
class TGridButton : public QPushButton {
    Q_OBJECT
public:
    explicit TGridButton(TTxStringGrid& Grid);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void Ellipsis();
    TTxStringGrid& FGrid;
};

class TGridCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TGridCheckBox(TTxStringGrid& Grid);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    TTxStringGrid& FGrid;
};

} // namespace grid
