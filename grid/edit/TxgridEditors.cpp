// The grid's editor controls and how the grid opens and closes them.
#include "grid/edit/TxgridEditors.h"

#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridInplaceEdit.h"

#include "platform/text/Dates.h"
#include "platform/ui/Clock.h"
#include "platform/ui/Connect.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QLineEdit>

namespace grid {

int SpinKeyValue(int Key, int Value, int Increment, int MinValue, int MaxValue)
{
    switch (Key) {
    case Qt::Key_PageUp: return Value + Increment <= MaxValue ? Value + Increment : Value;
    case Qt::Key_PageDown: return Value - Increment >= MinValue ? Value - Increment : Value;
    case Qt::Key_End: return MinValue;
    case Qt::Key_Home: return MaxValue;
    default: return Value;
    }
}

double SpinKeyFloatValue(int Key, double Value, double Increment, double MinValue, double MaxValue)
{
    switch (Key) {
    case Qt::Key_PageUp: return Value + Increment <= MaxValue ? Value + Increment : Value;
    case Qt::Key_PageDown: return Value - Increment >= MinValue ? Value - Increment : Value;
    case Qt::Key_End: return MinValue;
    case Qt::Key_Home: return MaxValue;
    default: return Value;
    }
}

namespace {

bool IsValueKey(int k)
{
    return k == Qt::Key_PageUp || k == Qt::Key_PageDown || k == Qt::Key_Home || k == Qt::Key_End;
}

// Tab reaches the control's own key handling when the grid moves by Tab.
bool WantsTab(const TTxStringGrid& Grid, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return false;
    const int k = static_cast<QKeyEvent*>(e)->key();
    return (k == Qt::Key_Tab || k == Qt::Key_Backtab) && (Grid.options() & ui::goTabs);
}

// W is Control or lies inside it, across windows: a drop-down list or calendar is a window
// of its own whose parent is the control.
bool OwnedBy(const QWidget* W, const QWidget& Control)
{
    for (; W; W = W->parentWidget())
        if (W == &Control)
            return true;
    return false;
}

} // namespace

bool FocusLeftForOwnPopup(const QWidget& Control, const QFocusEvent& e)
{
    if (e.reason() == Qt::PopupFocusReason)
        return true;
    const QWidget* popup = QApplication::activePopupWidget();
    if (popup && popup != &Control && OwnedBy(popup, Control))
        return true;
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus != &Control && OwnedBy(focus, Control);
}

// --- spin --------------------------------------------------------------------------------

TGridSpin::TGridSpin(TTxStringGrid& Grid) : TTsgSpinEdit(Grid.viewport()), FGrid(Grid)
{
    MaxValue = 100;
    MinValue = 0;
    Increment = 1;
    setFrame(false);
    hide();
    setEnabled(false);
}

void TGridSpin::FireSpinClick(bool Up)
{
    const int c = FGrid.col(), r = FGrid.row();
    switch (SpinType()) {
    case sptNormal:
        if (FGrid.OnSpinClick)
            FGrid.OnSpinClick(FGrid, c, r, Value(), Up);
        break;
    case sptFloat:
        if (FGrid.OnFloatSpinClick)
            FGrid.OnFloatSpinClick(FGrid, c, r, FloatValue(), Up);
        break;
    case sptDate:
        if (FGrid.OnDateSpinClick)
            FGrid.OnDateSpinClick(FGrid, c, r, DateValue(), Up);
        break;
    case sptTime:
        if (FGrid.OnTimeSpinClick)
            FGrid.OnTimeSpinClick(FGrid, c, r, TimeValue(), Up);
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

bool TGridSpin::event(QEvent* e)
{
    if (WantsTab(FGrid, e)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TTsgSpinEdit::event(e);
}

void TGridSpin::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (IsValueKey(key)) {
        if (SpinType() == sptNormal)
            SetValue(SpinKeyValue(key, Value(), Increment, MinValue, MaxValue));
        else if (SpinType() == sptFloat)
            SetFloatValue(SpinKeyFloatValue(key, FloatValue(), IncrementFloat, MinFloatValue, MaxFloatValue));
        if (FGrid.OnSpinClick)
            FGrid.OnSpinClick(FGrid, FGrid.col(), FGrid.row(), Value(),
                              key == Qt::Key_PageUp || key == Qt::Key_Home);
        return;
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        QString v = text();
        if (!FGrid.CommitControlValue(v)) {
            setText(v);
            end(false);
            return;
        }
        setText(v);
        break;
    }
    case Qt::Key_Escape: setText(FGrid.GetCurrentCell()); break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: break;
    default: TTsgSpinEdit::keyPressEvent(e); return;
    }
    FGrid.DoneInplaceEdit(key, e->modifiers());
}

void TGridSpin::focusOutEvent(QFocusEvent* e)
{
    FGrid.HideInplaceEdit();
    TTsgSpinEdit::focusOutEvent(e);
}

// --- combo -------------------------------------------------------------------------------

TGridCombo::TGridCombo(TTxStringGrid& Grid) : TTSGComboBox(Grid.viewport()), FGrid(Grid)
{
    // An item the user picks is told; the grid's own setting of the item when it opens is not.
    ui::on(this, &QComboBox::activated, this, [this](int) { FireChange(); });
    SetButtonWidth(16);
    hide();
    setEnabled(false);
}

bool TGridCombo::event(QEvent* e)
{
    if (WantsTab(FGrid, e)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TTSGComboBox::event(e);
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
    const int i = currentIndex();
    const QString s = currentText();
    if (FGrid.OnComboChange)
        FGrid.OnComboChange(FGrid, FGrid.col(), FGrid.row(), i, s);
    if (FGrid.OnComboObjectChange)
        FGrid.OnComboObjectChange(FGrid, FGrid.col(), FGrid.row(), i, s, itemData(i));
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
    const int k = e->key();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || !FAutoComplete || !FGrid.Lookup || !isEditable())
        return;
    QLineEdit* le = lineEdit();
    if (le->hasSelectedText())
        return;
    const QString prefix = le->text().left(le->cursorPosition());
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items.append(itemText(i));
    const int i = LookupCompletion(items, prefix, FGrid.LookupCaseSensitive);
    if (i < 0)
        return;
    const QString full = CompletedText(prefix, items[i]);
    setCurrentIndex(i);
    setEditText(full);
    le->setSelection(full.size(), prefix.size() - full.size());
}

void TGridCombo::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    FAutoComplete = key != Qt::Key_Backspace && key != Qt::Key_Delete;
    const bool listMode = Style() == csDropDownList || DroppedDown();
    const bool leaving = listMode ? (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return
                                     || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_Left
                                     || key == Qt::Key_Right)
                                  : (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return
                                     || key == Qt::Key_Enter || key == Qt::Key_Escape || key == Qt::Key_PageUp
                                     || key == Qt::Key_PageDown || key == Qt::Key_End || key == Qt::Key_Up
                                     || key == Qt::Key_Down);
    if (!leaving) {
        const QString before = currentText();
        TTSGComboBox::keyPressEvent(e);
        // A change typed into the edit is told with no item.
        if (isEditable() && currentText() != before && FGrid.OnComboChange)
            FGrid.OnComboChange(FGrid, FGrid.col(), FGrid.row(), -1, currentText());
        return;
    }
    if (key == Qt::Key_Escape) {
        const QString old = FGrid.GetCurrentCell();
        const int i = findText(old);
        if (i >= 0)
            setCurrentIndex(i);
        if (isEditable())
            setEditText(old);
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up || key == Qt::Key_Down) {
        QString v = currentText();
        if (!FGrid.CommitControlValue(v)) {
            if (isEditable()) {
                setEditText(v);
                lineEdit()->end(false);
            }
            return;
        }
        if (isEditable())
            setEditText(v);
    }
    if (DroppedDown())
        hidePopup();
    // The value goes back to the cell being edited before Left or Right moves the cursor,
    // and the cursor moves once.
    FGrid.DoneInplaceEdit(key, e->modifiers());
}

void TGridCombo::focusOutEvent(QFocusEvent* e)
{
    if (FocusLeftForOwnPopup(*this, *e) || DroppedDown()) {
        TTSGComboBox::focusOutEvent(e);
        return;
    }
    if (FGrid.LookupHistory && !currentText().isEmpty() && findText(currentText()) < 0)
        addItem(currentText());
    FGrid.HideInplaceEdit();
    TTSGComboBox::focusOutEvent(e);
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
    return k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Return || k == Qt::Key_Enter
           || k == Qt::Key_Escape || k == Qt::Key_PageUp || k == Qt::Key_PageDown || k == Qt::Key_Up
           || k == Qt::Key_Down;
}

bool IsCommitKey(int k)
{
    return k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Up || k == Qt::Key_Down;
}

} // namespace

TGridEditBtn::TGridEditBtn(TTxStringGrid& Grid) : TTsgEditBtn(Grid.viewport()), FGrid(Grid)
{
    SetButtonCaption(QStringLiteral("..."));
    SetBorderStyle(bsNone);
    hide();
    setEnabled(false);
}

void TGridEditBtn::BtnClick(QObject*)
{
    QString result;
    FGrid.EllipsClick(text(), result);
    setText(result);
    selectAll();
    update();
}

bool TGridEditBtn::event(QEvent* e)
{
    if (WantsTab(FGrid, e)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TTsgEditBtn::event(e);
}

void TGridEditBtn::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if ((e->modifiers() & Qt::ControlModifier) || !IsButtonEditLeavingKey(key)) {
        const QString t = e->text();
        if (FType != edEditBtn && t.size() == 1 && t[0].isPrint() && !(e->modifiers() & Qt::ControlModifier)) {
            QChar ch = t[0];
            const int selStart = hasSelectedText() ? selectionStart() : cursorPosition();
            const int selLen = hasSelectedText() ? selectedText().size() : 0;
            const TEditorType rule = FType == edNumericEditBtn ? edNumeric : edFloat;
            const TCharVerdict v = FilterEditChar(rule, text(), cursorPosition(), selStart, selLen, ch);
            if (v == TCharVerdict::Beep)
                QApplication::beep();
            if (v != TCharVerdict::Accept)
                return;
        }
        TTsgEditBtn::keyPressEvent(e);
        return;
    }
    if (IsCommitKey(key)) {
        QString v = text();
        if (!FGrid.CommitControlValue(v)) {
            setText(v);
            end(false);
            return;
        }
        setText(v);
    } else if (key == Qt::Key_Escape) {
        setText(FGrid.GetCurrentCell());
    }
    FGrid.DoneInplaceEdit(key, e->modifiers());
}

void TGridEditBtn::focusOutEvent(QFocusEvent* e)
{
    FGrid.HideInplaceEdit();
    TTsgEditBtn::focusOutEvent(e);
}

TGridUnitEditBtn::TGridUnitEditBtn(TTxStringGrid& Grid) : TTsgUnitEditBtn(Grid.viewport()), FGrid(Grid)
{
    SetBorderStyle(bsNone);
    hide();
    setEnabled(false);
}

bool TGridUnitEditBtn::event(QEvent* e)
{
    if (WantsTab(FGrid, e)) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return TTsgUnitEditBtn::event(e);
}

void TGridUnitEditBtn::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (!IsButtonEditLeavingKey(key)) {
        TTsgUnitEditBtn::keyPressEvent(e);
        return;
    }
    QString number, unit;
    if (IsCommitKey(key)) {
        // Validation sees the number alone; the unit joins it when the edit closes.
        QString v = text();
        if (!FGrid.CommitControlValue(v)) {
            SplitUnitText(v, number, unit);
            setText(number);
            return;
        }
        setText(v);
    } else if (key == Qt::Key_Escape) {
        SplitUnitText(FGrid.GetCurrentCell(), number, unit);
        setText(number);
    }
    FGrid.DoneInplaceEdit(key, e->modifiers());
}

void TGridUnitEditBtn::focusOutEvent(QFocusEvent* e)
{
    if (!FocusLeftForOwnPopup(*this, *e)) // the list of units stays an edit of the cell
        FGrid.HideInplaceEdit();
    TTsgUnitEditBtn::focusOutEvent(e);
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

TGridDatePicker::TGridDatePicker(TTxStringGrid& Grid) : QDateTimeEdit(Grid.viewport()), FGrid(Grid)
{
    setFrame(false); // no border inside the cell
    hide();
    setEnabled(false);
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

void TGridDatePicker::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape && key != Qt::Key_PageUp
        && key != Qt::Key_PageDown && key != Qt::Key_End) {
        QDateTimeEdit::keyPressEvent(e);
        return;
    }
    if (key == Qt::Key_Escape)
        setDateTime(PickerValueFromText(FGrid.GetCurrentCell(), FTime, NowForPicker()));
    if (!DroppedDown())
        FGrid.DoneInplaceEdit(key, e->modifiers());
}

void TGridDatePicker::focusOutEvent(QFocusEvent* e)
{
    if (!FocusLeftForOwnPopup(*this, *e) && !DroppedDown())
        FGrid.HideInplaceEdit();
    QDateTimeEdit::focusOutEvent(e);
}

// --- button ------------------------------------------------------------------------------

TGridButton::TGridButton(TTxStringGrid& Grid) : QPushButton(Grid.viewport()), FGrid(Grid)
{
    hide();
    setEnabled(false);
}

void TGridButton::Ellipsis()
{
    QString result;
    FGrid.EllipsClick(text(), result);
    setText(result);
    update();
}

void TGridButton::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        Ellipsis();
    QPushButton::mouseReleaseEvent(e);
}

void TGridButton::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Escape) {
        FGrid.DoneInplaceEdit(Qt::Key_Escape, e->modifiers());
        FGrid.RestoreCache();
        return;
    }
    const int k = e->key();
    if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down) {
        // The button leaves and the cursor moves by the key.
        FGrid.DoneInplaceEdit(k, e->modifiers());
        return;
    }
    if (k == Qt::Key_Space)
        return; // acted on when released
    QPushButton::keyPressEvent(e);
}

void TGridButton::keyReleaseEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_Space && !e->isAutoRepeat()) {
        Ellipsis();
        return;
    }
    QPushButton::keyReleaseEvent(e);
}

void TGridButton::focusOutEvent(QFocusEvent* e)
{
    FGrid.HideInplaceEdit();
    QPushButton::focusOutEvent(e);
}

// --- check box ---------------------------------------------------------------------------

TGridCheckBox::TGridCheckBox(TTxStringGrid& Grid) : QCheckBox(Grid.viewport()), FGrid(Grid)
{
    hide();
    setEnabled(false);
}

void TGridCheckBox::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        FGrid.HideInplaceEdit();
        FGrid.setFocus(Qt::OtherFocusReason);
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            FGrid.AdvanceEdit(FGrid.col(), FGrid.row(), true, true, false);
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            int k = key;
            FGrid.keyDown(k, e->modifiers());
        }
        return;
    }
    default: QCheckBox::keyPressEvent(e);
    }
}

void TGridCheckBox::focusOutEvent(QFocusEvent* e)
{
    FGrid.HideInplaceEdit();
    QCheckBox::focusOutEvent(e);
}

// --- the grid's side ---------------------------------------------------------------------

bool TTxStringGrid::CommitControlValue(QString& Text)
{
    const QString prev = GetCurrentCell();
    SetCurrentCell(Text);
    QString v = Text;
    FEdit.Validating = true;
    const bool ok = ValidateCell(v);
    FEdit.Validating = false;
    if (!ok) {
        // A refused value never stays in the cell: it gets its text from before back.
        SetCurrentCell(prev);
        Text = prev;
        return false;
    }
    SetCurrentCell(v);
    Text = v;
    FEdit.Started = false;
    return true;
}

TGridCombo* TTxStringGrid::GetComboBox()
{
    if (!FGridCombo)
        FGridCombo = new TGridCombo(*this);
    return FGridCombo;
}

TGridSpin* TTxStringGrid::GetSpinEdit()
{
    if (!FGridSpin)
        FGridSpin = new TGridSpin(*this);
    return FGridSpin;
}

void TTxStringGrid::SetComboSelection(int Index) { FEdit.ComboFallback = Index; }

bool TTxStringGrid::SetComboSelectionString(const QString& S)
{
    const int i = GetComboBox()->findText(S);
    if (i < 0)
        return false;
    FEdit.ComboFallback = i;
    return true;
}

void TTxStringGrid::ShowEditControl(int ACol, int ARow)
{
    FEdit.Started = true;
    FEdit.Col = ACol;
    FEdit.Row = ARow;
    const ui::Rect rc = platformCellRect(ACol, ARow);
    const int real = RemapCol(ACol);
    const QRect place(rc.Left, rc.Top, std::max(1, rc.width() - 1), std::max(1, rc.height() - 1));
    QWidget* shown = nullptr;
    bool replay = true;
    switch (FEdit.EditorType) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit: {
        TGridSpin* spin = GetSpinEdit();
        try {
            // The value is read before anything shows, so a cell that holds no value of
            // the kind leaves no editor open behind the error.
            if (FEdit.EditorType == edSpinEdit) {
                const int v = GetInts(real, ARow);
                spin->SetSpinType(sptNormal);
                spin->SetValue(v);
            } else if (FEdit.EditorType == edFloatSpinEdit) {
                const double v = GetFloats(real, ARow);
                spin->SetSpinType(sptFloat);
                spin->SetFloatValue(v);
            } else if (FEdit.EditorType == edTimeSpinEdit) {
                spin->SetSpinType(sptTime);
                spin->setText(cells(real, ARow));
            } else {
                const TDateTime v = GetDates(real, ARow);
                spin->SetDateValue(v);
                spin->SetSpinType(sptDate);
            }
        } catch (...) {
            FEdit.Active = false;
            FEdit.Started = false;
            FEdit.PendingChar.clear();
            throw;
        }
        spin->selectAll();
        shown = spin;
        break;
    }
    case edComboEdit:
    case edComboList: {
        TGridCombo* combo = GetComboBox();
        const bool list = FEdit.EditorType == edComboList;
        combo->SetStyle(list ? csDropDownList : csDropDown);
        if (list) {
            combo->SetDropDownCount(8);
            int i = combo->findText(cells(real, ARow));
            if (i < 0)
                i = FEdit.ComboFallback == -1 ? 0 : FEdit.ComboFallback;
            combo->setCurrentIndex(i);
            replay = false;
        } else {
            combo->setEditText(getEditText(ACol, ARow));
        }
        combo->SetFlat(FLook == glSoft);
        combo->SetEtched(FLook == glSoft);
        combo->setGeometry(place);
        if (FNavigation.AutoComboDropSize)
            combo->SizeDropDownWidth();
        shown = combo;
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        if (!FGridEditBtn)
            FGridEditBtn = new TGridEditBtn(*this);
        FGridEditBtn->SetEditorType(FEdit.EditorType);
        FGridEditBtn->SetMaxLength(MaxEditLength);
        FGridEditBtn->setText(getEditText(ACol, ARow));
        FGridEditBtn->selectAll();
        shown = FGridEditBtn;
        break;
    case edUnitEditBtn: {
        if (!FGridUnitEditBtn)
            FGridUnitEditBtn = new TGridUnitEditBtn(*this);
        QString number, unit;
        SplitUnitText(getEditText(ACol, ARow), number, unit);
        FGridUnitEditBtn->SetMaxLength(MaxEditLength);
        FGridUnitEditBtn->setText(number);
        FGridUnitEditBtn->SetUnitID(unit);
        FGridUnitEditBtn->selectAll();
        shown = FGridUnitEditBtn;
        break;
    }
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        if (!FGridDatePicker)
            FGridDatePicker = new TGridDatePicker(*this);
        FGridDatePicker->Prepare(FEdit.EditorType, getEditText(ACol, ARow));
        shown = FGridDatePicker;
        replay = false;
        break;
    case edButton:
        if (!FGridButton)
            FGridButton = new TGridButton(*this);
        FGridButton->setText(getEditText(ACol, ARow));
        shown = FGridButton;
        replay = false;
        break;
    case edCheckBox:
        if (!FGridCheckBox)
            FGridCheckBox = new TGridCheckBox(*this);
        FGridCheckBox->setText(getEditText(ACol, ARow));
        FGridCheckBox->setChecked(false);
        shown = FGridCheckBox;
        replay = false;
        break;
    case edCustom: ShowEditLink(ACol, ARow); break;
    default: break; // the other controls are not made by this grid; nothing opens
    }
    if (shown) {
        // The button covers the grid lines around the cell.
        shown->setGeometry(FEdit.EditorType == edButton ? place.adjusted(-1, -1, 1, 1) : place);
        shown->setEnabled(true);
        shown->show();
        shown->raise();
        shown->setFocus(Qt::OtherFocusReason);
        if (FEdit.EditorType == edComboEdit || FEdit.EditorType == edComboList)
            if (FMouseActions.DirectComboDrop)
                FGridCombo->showPopup();
        if (replay)
            PostPendingChar(shown);
    }
    FEdit.PendingChar.clear();
    FEdit.PendingKey = 0;
}

QWidget* TTxStringGrid::EditControlOf(TEditorType Type) const
{
    switch (Type) {
    case edSpinEdit:
    case edTimeSpinEdit:
    case edFloatSpinEdit:
    case edDateSpinEdit: return FGridSpin;
    case edComboEdit:
    case edComboList: return FGridCombo;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: return FGridEditBtn;
    case edUnitEditBtn: return FGridUnitEditBtn;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit: return FGridDatePicker;
    case edButton: return FGridButton;
    case edCheckBox: return FGridCheckBox;
    default: return nullptr;
    }
}

// The open control's value into the cell, as the kind of editor writes it (buttons and check
// boxes write nothing).
void TTxStringGrid::WriteBackControl(int Real, int ARow)
{
    switch (FEdit.EditorType) {
    case edSpinEdit:
    case edTimeSpinEdit: setCells(Real, ARow, FGridSpin->text()); break;
    case edFloatSpinEdit: SetFloats(Real, ARow, FGridSpin->FloatValue()); break;
    case edDateSpinEdit: SetDates(Real, ARow, FGridSpin->DateValue()); break;
    case edComboEdit:
    case edComboList: setCells(Real, ARow, FGridCombo->currentText()); break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn: setCells(Real, ARow, FGridEditBtn->text()); break;
    case edUnitEditBtn: setCells(Real, ARow, FGridUnitEditBtn->text() + FGridUnitEditBtn->UnitID()); break;
    case edDateEdit:
    case edDateEditUpDown: setCells(Real, ARow, text::dateToText(FGridDatePicker->date())); break;
    case edTimeEdit: setCells(Real, ARow, FGridDatePicker->time().toString(QStringLiteral("H:mm:ss"))); break;
    default: break;
    }
}

void TTxStringGrid::HideEditControl(int ACol, int ARow)
{
    FEdit.PendingChar.clear();
    FEdit.PendingKey = 0;
    if (FEdit.HidingControl)
        return;
    FEdit.HidingControl = true;
    // The value goes to the cell the control was opened on, even when the cursor has moved.
    if (FEdit.Col >= 0) {
        ACol = FEdit.Col;
        ARow = FEdit.Row;
    }
    const int real = RemapCol(ACol);
    QWidget* control = FEdit.CancelControl ? nullptr : EditControlOf(FEdit.EditorType);
    if (control && control->isVisible())
        WriteBackControl(real, ARow);
    if (FEdit.EditorType == edCustom) // the link keeps its value; the grid only hides it
        HideEditLink();
    if (FEdit.CancelControl)
        for (QWidget* w : std::initializer_list<QWidget*>{FGridSpin, FGridCombo, FGridCheckBox, FGridEditBtn,
                                                          FGridUnitEditBtn, FGridDatePicker, FGridButton})
            if (w && w->isVisible())
                control = w;
    if (control && control->isVisible()) {
        const bool hadFocus = control->hasFocus();
        control->setEnabled(false);
        control->hide();
        if (hadFocus)
            setFocus(Qt::OtherFocusReason);
    }
    FEdit.Col = FEdit.Row = -1;
    FEdit.HidingControl = false;
    DoneEditing();
}

} // namespace grid
