#include "documents/FormControls.h"

#include <QLabel>
#include <QTextBlock>

namespace documents {

QLineEdit* labeledEdit(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                       int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setAccessibleName(QString(caption).replace(QLatin1Char('\n'), QLatin1Char(' ')));

    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name) + QLatin1String("_Label"));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    const int lines = int(caption.count(QLatin1Char('\n'))) + 1;
    const int height = 15 * lines;
    label->setGeometry(geometry.x(), geometry.y() - height - 1, std::max(geometry.width(), 200), height);
    label->setBuddy(edit);
    edit->setProperty("captionLabel", QVariant::fromValue(static_cast<QObject*>(label)));
    return edit;
}

QLabel* captionOf(QLineEdit* edit)
{
    return qobject_cast<QLabel*>(edit->property("captionLabel").value<QObject*>());
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

MemoEdit::MemoEdit(int maxLines, QWidget* parent) : QPlainTextEdit(parent), maxLines_(maxLines)
{
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &MemoEdit::limit);
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
