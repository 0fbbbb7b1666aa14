// The editor controls' shared host: Tab kept from focus chaining, the leaving keys handed to
// the grid in one place, and the one focus-out rule with the guard for the control's own
// drop-down.
#include "grid/edit/TxgridEditorHost.h"

#include "grid/controls/Tsgcombo.h"
#include "grid/controls/Tsgedit.h"
#include "grid/controls/Tsgspin.h"
#include "grid/edit/TxgridEditing.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <type_traits>

namespace grid {

namespace {

// W is Control or lies inside it, across windows: a drop-down list or calendar is a window
// of its own whose parent is the control.
bool OwnedBy(const QWidget* W, const QWidget& Control)
{
    for (; W; W = W->parentWidget())
        if (W == &Control)
            return true;
    return false;
}

bool IsCommitKey(int k) { return k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Up || k == Qt::Key_Down; }

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

template <class Control>
TEditorHost<Control>::TEditorHost(TGridEditing& Editing) : Control(Editing.Host().viewport()), FEditing(Editing)
{
    this->hide();
    this->setEnabled(false);
}

template <class Control>
TEditingHost& TEditorHost<Control>::Host() const
{
    return FEditing.Host();
}

template <class Control>
bool TEditorHost<Control>::EditedValue(QString& Text) const
{
    if constexpr (std::is_base_of_v<QLineEdit, Control>) {
        Text = this->text();
        return true;
    }
    return false;
}

template <class Control>
void TEditorHost<Control>::ShowEdited(const QString& Text, bool Refused)
{
    if constexpr (std::is_base_of_v<QLineEdit, Control>) {
        this->setText(Text);
        if (Refused)
            this->end(false);
    }
}

template <class Control>
void TEditorHost<Control>::ShowCellValue()
{
    if constexpr (std::is_base_of_v<QLineEdit, Control>)
        this->setText(FEditing.CurrentCell());
}

template <class Control>
bool TEditorHost<Control>::event(QEvent* e)
{
    // When the grid moves by Tab, a Tab that leaves the cell reaches the keys instead of
    // moving the focus to the next control of the form.
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool tab = k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab;
        if (tab && (Host().options() & ui::goTabs) && LeavesBy(k->key(), k->modifiers())) {
            keyPressEvent(k);
            return true;
        }
    }
    return Control::event(e);
}

template <class Control>
void TEditorHost<Control>::keyPressEvent(QKeyEvent* e)
{
    if (OwnKey(e))
        return;
    const int key = e->key();
    if (!LeavesBy(key, e->modifiers())) {
        PassKey(e);
        return;
    }
    if (key == Qt::Key_Escape) {
        ShowCellValue();
    } else if (IsCommitKey(key)) {
        QString v;
        if (EditedValue(v)) {
            const bool ok = FEditing.CommitControlValue(v);
            ShowEdited(v, !ok);
            if (!ok)
                return;
        }
    }
    if (DroppedDown() && !DropDownLets())
        return;
    // The value went back to the cell being edited before the key moves the cursor, and the
    // cursor moves once.
    FEditing.ControlLeft(key, e->modifiers());
}

template <class Control>
void TEditorHost<Control>::focusOutEvent(QFocusEvent* e)
{
    if (!FocusLeftForOwnPopup(*this, *e) && !DroppedDown()) {
        Closing();
        FEditing.HideInplaceEdit();
    }
    Control::focusOutEvent(e);
}

template class TEditorHost<TTsgSpinEdit>;
template class TEditorHost<TTSGComboBox>;
template class TEditorHost<TTsgEditBtn>;
template class TEditorHost<TTsgUnitEditBtn>;
template class TEditorHost<QDateTimeEdit>;
template class TEditorHost<QPushButton>;
template class TEditorHost<QCheckBox>;
template class TEditorHost<QTextEdit>;
template class TEditorHost<QPlainTextEdit>;

} // namespace grid
