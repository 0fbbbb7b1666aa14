#include "platform/ui/ReadOnlyEdit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>

namespace ui {

namespace {

// What a reader is told of a read-only edit: a text it can read, select and move the caret in.
class ReadOnlyEditAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadOnlyEditAccessible(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    QLineEdit* edit() const { return static_cast<QLineEdit*>(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = edit()->isReadOnly();
        s.editable = !s.readOnly;
        s.selectableText = true;
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? edit()->displayText() : QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The text interface, over what the edit shows.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && edit()->hasSelectedText()) {
            *start = edit()->selectionStart();
            *end = edit()->selectionEnd();
        }
    }
    int selectionCount() const override { return edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            edit()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            edit()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return edit()->cursorPosition(); }
    void setCursorPosition(int position) override { edit()->setCursorPosition(position); }
    QString text(int start, int end) const override { return edit()->displayText().mid(start, end - start); }
    int characterCount() const override { return int(edit()->displayText().size()); }
    QRect characterRect(int offset) const override
    {
        const QString t = edit()->displayText();
        if (offset < 0 || offset >= t.size())
            return {};
        // The text stands at the left of the edit's contents, or at their right when aligned so.
        const QFontMetrics fm(edit()->font());
        const QRect box = edit()->contentsRect().marginsRemoved(edit()->textMargins());
        const int left = edit()->alignment() & Qt::AlignRight ? box.right() - fm.horizontalAdvance(t) : box.left();
        const QRect r(left + fm.horizontalAdvance(t.left(offset)), box.top(), fm.horizontalAdvance(t.at(offset)),
                      box.height());
        return r.translated(edit()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { edit()->setCursorPosition(start); }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }
};

// A spin box's own edit is told as part of the spin box, as Qt tells it.
bool describedAsEdit(const QLineEdit* edit) { return edit->objectName() != QLatin1String("qt_spinbox_lineedit"); }

// Drops the description of an edit whose read-only state changed, so that the next one asked for
// follows the new state.
class StateWatch : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ReadOnlyChange)
            describeAnew(static_cast<QLineEdit*>(watched));
        return false;
    }
    static void describeAnew(QLineEdit* edit)
    {
        // Qt's own description for an edit that was editable, ours for one that was read-only;
        // the next one asked for is made for the state the edit has now.
        if (QAccessibleInterface* described = QAccessible::queryAccessibleInterface(edit))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(described));
    }
};

StateWatch* stateWatch = nullptr;

// Asked first for every object described (the factory installed last is asked first); answers
// for a read-only edit, and leaves an editable one to Qt.
QAccessibleInterface* lineEditFactory(const QString&, QObject* object)
{
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (!edit || !describedAsEdit(edit))
        return nullptr;
    edit->installEventFilter(stateWatch);
    return edit->isReadOnly() ? new ReadOnlyEditAccessible(edit) : nullptr;
}

} // namespace

void describeLineEdits()
{
    if (stateWatch)
        return;
    stateWatch = new StateWatch(QCoreApplication::instance());
    QAccessible::installFactory(lineEditFactory);
    // An edit made before now may hold Qt's description already: it is watched from here on, and
    // a read-only one is described anew.
    for (QWidget* w : QApplication::allWidgets())
        if (auto* edit = qobject_cast<QLineEdit*>(w); edit && describedAsEdit(edit)) {
            edit->installEventFilter(stateWatch);
            if (edit->isReadOnly())
                StateWatch::describeAnew(edit);
        }
}

} // namespace ui
