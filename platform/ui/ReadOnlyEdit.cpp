#include "platform/ui/ReadOnlyEdit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>

namespace ui {

namespace {

// Marks an edit made read-only by makeReadOnly.
const char* const kReadOnlyText = "ui_readOnlyText";

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

QAccessibleInterface* readOnlyEditFactory(const QString&, QObject* object)
{
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit && edit->property(kReadOnlyText).toBool())
        return new ReadOnlyEditAccessible(edit);
    return nullptr;
}

} // namespace

void makeReadOnly(QLineEdit* edit)
{
    static const bool installed = [] {
        QAccessible::installFactory(readOnlyEditFactory);
        return true;
    }();
    (void)installed;
    edit->setProperty(kReadOnlyText, true);
    // Qt describes a widget as soon as it tells of a change (a name given, a text set), and keeps
    // that description: one made before this edit was marked is dropped, so that it is described
    // anew, as read-only text.
    QAccessibleInterface* described = QAccessible::queryAccessibleInterface(edit);
    if (described && !dynamic_cast<ReadOnlyEditAccessible*>(described))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(described));
    edit->setReadOnly(true);
}

} // namespace ui
