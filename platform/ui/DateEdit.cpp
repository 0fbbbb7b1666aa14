#include "platform/ui/DateEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>

namespace ui {

std::optional<QDate> typedDate(const QString& typed, const QString& format, const QDate& shown)
{
    const QString t = typed.trimmed();
    if (t.size() == format.size()) {
        const QDate d = QDate::fromString(t, format);
        if (d.isValid())
            return d;
    }
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    if (year.match(t).hasMatch() && shown.isValid()) {
        const int y = t.toInt();
        if (y < 1)
            return std::nullopt;
        const QDate first(y, shown.month(), 1);
        return QDate(y, shown.month(), std::min(shown.day(), first.daysInMonth()));
    }
    return std::nullopt;
}

DateEdit::DateEdit(QWidget* parent) : QDateEdit(parent) {}

QValidator::State DateEdit::validate(QString& input, int& pos) const
{
    // What is being typed is neither right nor wrong until the entry ends.
    if (typing_)
        return QValidator::Intermediate;
    return QDateEdit::validate(input, pos);
}

void DateEdit::type(const QString& typed)
{
    if (!typing_) {
        typing_ = true;
        before_ = date();
    }
    typed_ = typed;
    // The date is what the entry says so far, or the date from before while it says nothing;
    // setting it shows it, and the typed text is put back below.
    const std::optional<QDate> d = typedDate(typed_, displayFormat(), before_);
    setDate(d && *d >= minimumDate() && *d <= maximumDate() ? *d : before_);
    lineEdit()->setText(typed_);
    lineEdit()->setCursorPosition(int(typed_.size()));
}

void DateEdit::finishTyping()
{
    if (!typing_)
        return;
    typing_ = false;
    typed_.clear();
    // The date is the entry's, or the date from before when it says nothing: show it as a date.
    lineEdit()->setText(textFromDateTime(dateTime()));
}

void DateEdit::dropTyping()
{
    if (typing_)
        setDate(before_);
    finishTyping();
}

void DateEdit::keyPressEvent(QKeyEvent* e)
{
    const QString t = e->text();
    const bool digit = t.size() == 1 && t[0] >= QLatin1Char('0') && t[0] <= QLatin1Char('9');
    const bool separator = t.size() == 1 && !digit && t[0].isPrint() && !t[0].isSpace() && !t[0].isLetter();
    const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && (digit || (typing_ && separator))) {
        type(typed_ + t);
        e->accept();
        return;
    }
    if (typing_ && plain && e->key() == Qt::Key_Backspace) {
        if (typed_.size() > 1) {
            type(typed_.left(typed_.size() - 1));
        } else {
            dropTyping();
        }
        e->accept();
        return;
    }
    if (typing_ && e->key() == Qt::Key_Escape) {
        dropTyping();
        e->accept();
        return;
    }
    finishTyping();
    QDateEdit::keyPressEvent(e);
}

void DateEdit::focusOutEvent(QFocusEvent* e)
{
    finishTyping();
    QDateEdit::focusOutEvent(e);
}

void DateEdit::mousePressEvent(QMouseEvent* e)
{
    finishTyping();
    QDateEdit::mousePressEvent(e);
}

void DateEdit::wheelEvent(QWheelEvent* e)
{
    finishTyping();
    QDateEdit::wheelEvent(e);
}

} // namespace ui
