// The grid's editor controls: what each keeps of its own beside the shared host.
#include "grid/edit/TxgridEditors.h"

#include "grid/edit/TxgridEditing.h"
#include "grid/edit/TxgridInplaceEdit.h"

#include "platform/text/Dates.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Connect.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

namespace grid {

namespace {

// Page Up and Page Down step by the increment while the value stays in range; End and Home go
// to the minimum and the maximum.
template <class T>
T SpinKeyStep(int Key, T Value, T Increment, T MinValue, T MaxValue)
{
    switch (Key) {
    case Qt::Key_PageUp: return Value + Increment <= MaxValue ? Value + Increment : Value;
    case Qt::Key_PageDown: return Value - Increment >= MinValue ? Value - Increment : Value;
    case Qt::Key_End: return MinValue;
    case Qt::Key_Home: return MaxValue;
    default: return Value;
    }
}

} // namespace

int SpinKeyValue(int Key, int Value, int Increment, int MinValue, int MaxValue)
{
    return SpinKeyStep(Key, Value, Increment, MinValue, MaxValue);
}

double SpinKeyFloatValue(int Key, double Value, double Increment, double MinValue, double MaxValue)
{
    return SpinKeyStep(Key, Value, Increment, MinValue, MaxValue);
}

namespace {

bool IsValueKey(int k) { return k == Qt::Key_PageUp || k == Qt::Key_PageDown || k == Qt::Key_Home || k == Qt::Key_End; }

bool IsAnyOf(int Key, std::initializer_list<int> Keys)
{
    for (int k : Keys)
        if (Key == k)
            return true;
    return false;
}

} // namespace

// --- spin --------------------------------------------------------------------------------

TGridSpin::TGridSpin(TGridEditing& Editing) : TEditorHost(Editing)
{
    MaxValue = 100;
    MinValue = 0;
    Increment = 1;
    setFrame(false);
}

void TGridSpin::FireSpinClick(bool Up)
{
    TEditingHost& g = Host();
    const int c = g.col(), r = g.row();
    switch (SpinType()) {
    case sptNormal:
        if (g.Events().OnSpinClick)
            g.Raise(g.Events().OnSpinClick, c, r, Value(), Up);
        break;
    case sptFloat:
        if (g.Events().OnFloatSpinClick)
            g.Raise(g.Events().OnFloatSpinClick, c, r, FloatValue(), Up);
        break;
    case sptDate:
        if (g.Events().OnDateSpinClick)
            g.Raise(g.Events().OnDateSpinClick, c, r, DateValue(), Up);
        break;
    case sptTime:
        if (g.Events().OnTimeSpinClick)
            g.Raise(g.Events().OnTimeSpinClick, c, r, TimeValue(), Up);
        break;
    }
}

void TGridSpin::UpClick(QObject* Sender)
{
    TTsgSpinEdit::UpClick(Sender);
    FireSpinClick(true);
}

void TGridSpin::DownClick(QObject* Sender)
{
    TTsgSpinEdit::DownClick(Sender);
    FireSpinClick(false);
}

bool TGridSpin::OwnKey(QKeyEvent* e)
{
    const int key = e->key();
    if (!IsValueKey(key))
        return false;
    if (SpinType() == sptNormal)
        SetValue(SpinKeyValue(key, Value(), Increment, MinValue, MaxValue));
    else if (SpinType() == sptFloat)
        SetFloatValue(SpinKeyFloatValue(key, FloatValue(), IncrementFloat, MinFloatValue, MaxFloatValue));
    TEditingHost& g = Host();
    if (g.Events().OnSpinClick)
        g.Raise(g.Events().OnSpinClick, g.col(), g.row(), Value(), key == Qt::Key_PageUp || key == Qt::Key_Home);
    return true;
}

bool TGridSpin::LeavesBy(int Key, Qt::KeyboardModifiers) const
{
    return IsAnyOf(
        Key, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Up, Qt::Key_Down, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab});
}

// --- combo -------------------------------------------------------------------------------

TGridCombo::TGridCombo(TGridEditing& Editing) : TEditorHost(Editing)
{
    // An item the user picks is told; the grid's own setting of the item when it opens is not.
    ui::on(this, &QComboBox::activated, this, [this](int) { FireChange(); });
    SetButtonWidth(16);
}

int ComboDropWidth(int Width, bool ScrollBar, const std::vector<int>& TextWidths)
{
    int w = Width;
    for (int t : TextWidths) {
        if (ScrollBar && w - 25 < t)
            w = t + 25;
        else if (!ScrollBar && w - 5 < t)
            w = t + 8;
    }
    return w;
}

void TGridCombo::SizeDropDownWidth()
{
    std::vector<int> widths;
    const QFontMetrics fm(font());
    for (int i = 0; i < count(); ++i)
        widths.push_back(fm.horizontalAdvance(itemText(i)));
    SetDropWidth(ComboDropWidth(width(), count() > DropDownCount(), widths));
}

void TGridCombo::FireChange()
{
    TEditingHost& g = Host();
    const int i = currentIndex();
    const QString s = currentText();
    if (g.Events().OnComboChange)
        g.Raise(g.Events().OnComboChange, g.col(), g.row(), i, s);
    if (g.Events().OnComboObjectChange)
        g.Raise(g.Events().OnComboObjectChange, g.col(), g.row(), i, s, itemData(i));
}

void TGridCombo::wheelEvent(QWheelEvent* e)
{
    const int dy = e->angleDelta().y();
    if (dy < 0 && currentIndex() + 1 < count())
        setCurrentIndex(currentIndex() + 1);
    else if (dy > 0 && currentIndex() > 0)
        setCurrentIndex(currentIndex() - 1);
    FireChange();
    e->accept();
}

void TGridCombo::keyReleaseEvent(QKeyEvent* e)
{
    TTSGComboBox::keyReleaseEvent(e);
    const TEditingHost& g = Host();
    const int k = e->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || !FAutoComplete || !g.Plain().Lookup || !isEditable())
        return;
    QLineEdit* le = lineEdit();
    if (le->hasSelectedText())
        return;
    const QString prefix = le->text().left(le->cursorPosition());
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items.append(itemText(i));
    const int i = LookupCompletion(items, prefix, g.Plain().LookupCaseSensitive);
    if (i < 0)
        return;
    const QString full = CompletedText(prefix, items[i]);
    setCurrentIndex(i);
    setEditText(full);
    le->setSelection(full.size(), prefix.size() - full.size());
}

bool TGridCombo::OwnKey(QKeyEvent* e)
{
    FAutoComplete = e->key() != Qt::Key_Backspace && e->key() != Qt::Key_Delete;
    return false;
}

bool TGridCombo::LeavesBy(int Key, Qt::KeyboardModifiers) const
{
    if (Style() == csDropDownList || DroppedDown())
        return IsAnyOf(
            Key,
            {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Left, Qt::Key_Right});
    return IsAnyOf(Key,
                   {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_PageUp,
                    Qt::Key_PageDown, Qt::Key_End, Qt::Key_Up, Qt::Key_Down});
}

void TGridCombo::PassKey(QKeyEvent* e)
{
    const QString before = currentText();
    TTSGComboBox::keyPressEvent(e);
    // A change typed into the edit is told with no item.
    TEditingHost& g = Host();
    if (isEditable() && currentText() != before && g.Events().OnComboChange)
        g.Raise(g.Events().OnComboChange, g.col(), g.row(), -1, currentText());
}

bool TGridCombo::EditedValue(QString& Text) const
{
    Text = currentText();
    return true;
}

void TGridCombo::ShowEdited(const QString& Text, bool Refused)
{
    if (!isEditable())
        return;
    setEditText(Text);
    if (Refused)
        lineEdit()->end(false);
}

void TGridCombo::ShowCellValue()
{
    const QString old = Editing().CurrentCell();
    const int i = findText(old);
    if (i >= 0)
        setCurrentIndex(i);
    if (isEditable())
        setEditText(old);
}

bool TGridCombo::DropDownLets()
{
    hidePopup();
    return true;
}

void TGridCombo::Closing()
{
    if (Host().Plain().LookupHistory && !currentText().isEmpty() && findText(currentText()) < 0)
        addItem(currentText());
}

// --- edit with a button, unit edit --------------------------------------------------------

void SplitUnitText(const QString& Text, QString& Number, QString& Unit)
{
    Number.clear();
    Unit.clear();
    for (QChar c : Text) {
        if (c == QLatin1Char(',') || c == QLatin1Char('-') || c == QLatin1Char('.')
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            Number += c;
        else
            Unit += c;
    }
}

namespace {

bool IsButtonEditLeavingKey(int k)
{
    return IsAnyOf(k,
                   {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_PageUp,
                    Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Down});
}

} // namespace

TGridEditBtn::TGridEditBtn(TGridEditing& Editing) : TEditorHost(Editing)
{
    SetButtonCaption(QStringLiteral("..."));
    SetBorderStyle(bsNone);
}

void TGridEditBtn::BtnClick(QObject*)
{
    QString result;
    Host().EllipsClick(text(), result);
    setText(result);
    selectAll();
    update();
}

bool TGridEditBtn::LeavesBy(int Key, Qt::KeyboardModifiers Mods) const
{
    return !(Mods & Qt::ControlModifier) && IsButtonEditLeavingKey(Key);
}

bool TGridEditBtn::OwnKey(QKeyEvent* e)
{
    const QString t = e->text();
    if (FType == edEditBtn || t.size() != 1 || !t[0].isPrint() || (e->modifiers() & Qt::ControlModifier))
        return false;
    QChar ch = t[0];
    const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
    const int selLen = hasSelectedText() ? selectedText().size() : 0;
    const TEditorType rule = FType == edNumericEditBtn ? edNumeric : edFloat;
    const TCharVerdict v = FilterEditChar(rule, text(), cursorPosition(), selStart, selLen, ch);
    if (v == TCharVerdict::Beep)
        QApplication::beep();
    return v != TCharVerdict::Accept;
}

TGridUnitEditBtn::TGridUnitEditBtn(TGridEditing& Editing) : TEditorHost(Editing) { SetBorderStyle(bsNone); }

bool TGridUnitEditBtn::LeavesBy(int Key, Qt::KeyboardModifiers) const { return IsButtonEditLeavingKey(Key); }

void TGridUnitEditBtn::ShowEdited(const QString& Text, bool Refused)
{
    if (!Refused) {
        setText(Text);
        return;
    }
    QString number, unit;
    SplitUnitText(Text, number, unit);
    setText(number);
}

void TGridUnitEditBtn::ShowCellValue()
{
    QString number, unit;
    SplitUnitText(Editing().CurrentCell(), number, unit);
    setText(number);
}

// --- date picker -------------------------------------------------------------------------

QDateTime PickerValueFromText(const QString& Text, bool Time, const QDateTime& Now)
{
    const QString s = Text.trimmed();
    if (Time) {
        QTime t = QTime::fromString(s, QStringLiteral("H:mm:ss"));
        if (!t.isValid())
            t = QTime::fromString(s, QStringLiteral("H:mm"));
        return t.isValid() ? QDateTime(Now.date(), t) : Now;
    }
    const QDate d = text::textToDate(s);
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : Now;
}

namespace {
QDateTime NowForPicker() { return QDateTime(ui::today(), QTime::currentTime()); }
} // namespace

TGridDatePicker::TGridDatePicker(TGridEditing& Editing) : TEditorHost(Editing)
{
    setFrame(false); // no border inside the cell
}

void TGridDatePicker::Prepare(TEditorType Type, const QString& Text)
{
    FTime = Type == edTimeEdit;
    setCalendarPopup(Type == edDateEdit);
    setDisplayFormat(FTime ? QStringLiteral("H:mm:ss") : QStringLiteral("dd.MM.yyyy"));
    setDateTime(PickerValueFromText(Text, FTime, NowForPicker()));
}

bool TGridDatePicker::DroppedDown() const
{
    return calendarPopup() && calendarWidget() && calendarWidget()->isVisible();
}

bool TGridDatePicker::LeavesBy(int Key, Qt::KeyboardModifiers) const
{
    // Tab leaves as in every editor, not moving on to the next part of the date.
    return IsAnyOf(Key,
                   {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End,
                    Qt::Key_Tab, Qt::Key_Backtab});
}

bool TGridDatePicker::focusNextPrevChild(bool Next)
{
    // Without goTabs Tab goes on to the form's next control (the edit commits by losing the
    // focus) instead of stepping through the day, the month and the year.
    return QWidget::focusNextPrevChild(Next);
}

void TGridDatePicker::ShowCellValue()
{
    setDateTime(PickerValueFromText(Editing().CurrentCell(), FTime, NowForPicker()));
}

// --- button ------------------------------------------------------------------------------

TGridButton::TGridButton(TGridEditing& Editing) : TEditorHost(Editing) {}

void TGridButton::Ellipsis()
{
    QString result;
    Host().EllipsClick(text(), result);
    setText(result);
    update();
}

void TGridButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Ellipsis();
    QPushButton::mouseReleaseEvent(e);
}

// The button leaves by Escape and the arrows, the cursor moving by the arrow.
bool TGridButton::LeavesBy(int Key, Qt::KeyboardModifiers) const
{
    return IsAnyOf(Key, {Qt::Key_Escape, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down});
}

bool TGridButton::OwnKey(QKeyEvent* e) { return e->key() == Qt::Key_Space; }

void TGridButton::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        Ellipsis();
        return;
    }
    QPushButton::keyReleaseEvent(e);
}

// --- check box ---------------------------------------------------------------------------

TGridCheckBox::TGridCheckBox(TGridEditing& Editing) : TEditorHost(Editing) {}

bool TGridCheckBox::LeavesBy(int Key, Qt::KeyboardModifiers) const
{
    return IsAnyOf(Key,
                   {Qt::Key_Return, Qt::Key_Enter, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Left,
                    Qt::Key_Right, Qt::Key_Up, Qt::Key_Down});
}

} // namespace grid
