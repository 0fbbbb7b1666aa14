#include "documents/FormControls.h"
#include "platform/ui/Connect.h"

#include <QLabel>
#include <QValidator>
#include <QTextBlock>

#include <algorithm>

namespace documents {

QLabel* setCaption(QWidget* control, const QString& caption)
{
    auto* label = new QLabel(caption, control->parentWidget());
    label->setObjectName(control->objectName() + QLatin1String("_Label"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    const int lines = int(caption.count(QLatin1Char('\n'))) + 1;
    label->resize(std::max(control->width(), 200), 15 * lines);
    label->setBuddy(control);
    control->setAccessibleName(QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    control->setProperty("captionLabel", QVariant::fromValue(static_cast<QObject*>(label)));
    placeWithCaption(control, control->geometry());
    return label;
}

QLineEdit* labeledEdit(QWidget* parent, const char* name, const QString& caption, const QRect& geometry, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    setCaption(edit, caption);
    return edit;
}

QLabel* captionOf(QWidget* control)
{
    return qobject_cast<QLabel*>(control->property("captionLabel").value<QObject*>());
}

void placeWithCaption(QWidget* control, const QRect& geometry)
{
    control->setGeometry(geometry);
    if (QLabel* label = captionOf(control))
        label->move(geometry.x(), geometry.y() - label->height() - 1);
}

void tabChain(std::initializer_list<QWidget*> controls)
{
    QWidget* previous = nullptr;
    for (QWidget* w : controls) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* hiddenEdit(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->hide();
    return edit;
}

MemoEdit::MemoEdit(int maxLines, QWidget* parent) : QPlainTextEdit(parent), maxLines_(maxLines)
{
    setTabChangesFocus(true);
    ui::on(this, &QPlainTextEdit::textChanged, this, &MemoEdit::limit);
}

void MemoEdit::limit()
{
    if (limiting_ || document()->blockCount() <= maxLines_)
        return;
    limiting_ = true;
    const QTextBlock last = document()->findBlockByNumber(maxLines_ - 1);
    QTextCursor c(document());
    c.setPosition(last.position() + last.length() - 1);
    c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    setTextCursor(QTextCursor(document()->findBlockByNumber(maxLines_ - 1)));
    moveCursor(QTextCursor::EndOfBlock);
    limiting_ = false;
}

} // namespace documents

namespace documents {

namespace {
class TypingLimit : public QValidator {
public:
    TypingLimit(QLineEdit* edit, int limit) : QValidator(edit), limit_(limit)
    {
        // The text as it stands after each change, typed or set by the program.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& t) { last_ = t; });
    }
    State validate(QString& input, int&) const override
    {
        // Growing past the limit is refused; what is already there may be kept or shortened.
        return input.size() > limit_ && input.size() > last_.size() ? Invalid : Acceptable;
    }

private:
    int limit_;
    QString last_;
};
} // namespace

void limitTyping(QLineEdit* edit, int maxLength) { edit->setValidator(new TypingLimit(edit, maxLength)); }

} // namespace documents

namespace documents {

void documentWindowFrame(QWidget* w, const char* name, const QString& caption, QSize size)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(caption);
    w->setFixedSize(size);
    w->setWindowFlags(w->windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    w->move(0, 0);
}

IdentityRow identityRow(QWidget* parent, const char* typName, int y, const QString& dateCaption)
{
    IdentityRow r;
    r.typ = labeledEdit(parent, typName, QStringLiteral("Typ"), {8, y, 40, 22});
    r.nr = labeledEdit(parent, "LEdit_Nr", QStringLiteral("Nr"), {56, y, 60, 22});
    for (QLineEdit* e : {r.typ, r.nr}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    r.rok = labeledEdit(parent, "LEdit_Rok", QStringLiteral("Rok"), {124, y, 50, 22}, 4);
    r.dataWyst = labeledEdit(parent, "LEdit_Data_Wyst", dateCaption, {182, y, 100, 22}, 10);
    return r;
}

} // namespace documents
