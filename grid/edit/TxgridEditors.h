#pragma once
// The grid's editor controls: the spin edit, the combo box, the edits with a button or a unit,
// the date picker, the push button and the check box that open over a cell whose editor type
// asks for them. Their keys and focus are the host's (TxgridEditorHost.h); each keeps what
// differs: its value, the keys that leave the cell, its own keys (stepping, the list).
#include "grid/controls/Tsgcombo.h"
#include "grid/controls/Tsgedit.h"
#include "grid/controls/Tsgspin.h"
#include "grid/core/TxgridTypes.h"
#include "grid/edit/TxgridEditorHost.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QPushButton>
#include <vector>

namespace grid {

// The step of a value key on a spin edit: the value after Page Up, Page Down, Home or End,
// or the value unchanged for any other key or a step past the bound.
int SpinKeyValue(int Key, int Value, int Increment, int MinValue, int MaxValue);
double SpinKeyFloatValue(int Key, double Value, double Increment, double MinValue, double MaxValue);

class TGridSpin : public TEditorHost<TTsgSpinEdit> {
    Q_OBJECT
public:
    explicit TGridSpin(TGridEditing& Editing);
    void UpClick(QObject* Sender) override;
    void DownClick(QObject* Sender) override;

protected:
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
    bool OwnKey(QKeyEvent* e) override; // Page Up, Page Down, Home and End step the value

private:
    void FireSpinClick(bool Up);
};

// The list's width for the widest item: W grows to T + 25 past an item text of width T
// that does not fit beside a scroll bar, to T + 8 when there is none.
int ComboDropWidth(int Width, bool ScrollBar, const std::vector<int>& TextWidths);

class TGridCombo : public TEditorHost<TTSGComboBox> {
    Q_OBJECT
public:
    explicit TGridCombo(TGridEditing& Editing);
    void SizeDropDownWidth();
    bool DroppedDown() const override { return TTSGComboBox::DroppedDown(); }

protected:
    void keyReleaseEvent(QKeyEvent* e) override; // look-up completion
    void wheelEvent(QWheelEvent* e) override;
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
    bool OwnKey(QKeyEvent* e) override;
    void PassKey(QKeyEvent* e) override; // a change typed into the edit is told
    bool EditedValue(QString& Text) const override;
    void ShowEdited(const QString& Text, bool Refused) override;
    void ShowCellValue() override;
    bool DropDownLets() override; // the list closes and the key leaves
    void Closing() override;      // LookupHistory keeps a new text among the items

private:
    void FireChange();
    bool FAutoComplete = true;
};

// A unit edit's text split for editing: ',', '-', '.' and the digits, in order, make the
// number; every other character, in order, the unit ("12.5 kg" gives "12.5" and " kg").
void SplitUnitText(const QString& Text, QString& Number, QString& Unit);

// The edit with a button: the button or F4 runs the grid's ellipsis event on the text;
// the numeric types filter typed characters as the text editor does.
class TGridEditBtn : public TEditorHost<TTsgEditBtn> {
    Q_OBJECT
public:
    explicit TGridEditBtn(TGridEditing& Editing);
    void SetEditorType(TEditorType Type) { FType = Type; }
    void BtnClick(QObject* Sender) override;

protected:
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
    bool OwnKey(QKeyEvent* e) override; // the numeric types' character filter

private:
    TEditorType FType = edEditBtn;
};

// The unit edit: the number is edited and validated, the unit is kept beside it.
class TGridUnitEditBtn : public TEditorHost<TTsgUnitEditBtn> {
    Q_OBJECT
public:
    explicit TGridUnitEditBtn(TGridEditing& Editing);

protected:
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
    // Validation sees the number alone; the unit joins it when the edit closes.
    void ShowEdited(const QString& Text, bool Refused) override;
    void ShowCellValue() override;
};

// The date or time of a cell's text for the picker: the text parsed as a date (Time: as a
// time), or Now when it is none.
QDateTime PickerValueFromText(const QString& Text, bool Time, const QDateTime& Now);

// The date picker, with a drop-down calendar or with up-down buttons, or in time mode.
class TGridDatePicker : public TEditorHost<QDateTimeEdit> {
    Q_OBJECT
public:
    explicit TGridDatePicker(TGridEditing& Editing);
    // Date, date with up-down buttons, or time; the value from the cell's text.
    void Prepare(TEditorType Type, const QString& Text);
    bool DroppedDown() const override;
    bool TimeKind() const { return FTime; }

protected:
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
    bool focusNextPrevChild(bool Next) override;
    void ShowCellValue() override;
    bool DropDownLets() override { return false; } // the edit stays open under its calendar

private:
    bool FTime = false;
};

// The push button over a cell: a click or Space runs the ellipsis event on its caption;
// the arrow keys leave it and move the cursor, Escape restores the cell.
class TGridButton : public TEditorHost<QPushButton> {
    Q_OBJECT
public:
    explicit TGridButton(TGridEditing& Editing);

protected:
    void keyReleaseEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
    bool OwnKey(QKeyEvent* e) override; // Space acts when released

private:
    void Ellipsis();
};

// The check box over a cell: Return, the page keys, End and the arrows close it.
class TGridCheckBox : public TEditorHost<QCheckBox> {
    Q_OBJECT
public:
    explicit TGridCheckBox(TGridEditing& Editing);

protected:
    bool LeavesBy(int Key, Qt::KeyboardModifiers Mods) const override;
};

} // namespace grid
