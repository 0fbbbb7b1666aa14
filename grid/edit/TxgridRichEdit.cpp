#include "grid/edit/TxgridRichEdit.h"

#include "grid/edit/TxgridEditing.h"

#include "platform/ui/Connect.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QTextCharFormat>
#include <QTextCursor>

namespace grid {

TTxRichEdit::TTxRichEdit(TGridEditing& Editing) : TEditorHost<QTextEdit>(Editing)
{
    // Without goTabs, Tab goes on to the form's next control (and the edit commits).
    setTabChangesFocus(true);
    ui::on(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
           [this](const QSizeF& s) { RequestResize(s.toSize()); });
}

void TTxRichEdit::SetSelOffset(int Twips)
{
    // Text raised or lowered by an offset is what sub- and superscript mean here.
    QTextCharFormat f;
    f.setVerticalAlignment(Twips > 0       ? QTextCharFormat::AlignSuperScript
                               : Twips < 0 ? QTextCharFormat::AlignSubScript
                                           : QTextCharFormat::AlignNormal);
    textCursor().mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

void TTxRichEdit::RequestResize(QSize Size)
{
    ReqWidth = Size.width();
    ReqHeight = Size.height();
    TEditingHost& g = Host();
    if (!g.SizeWhileTyping().Height || FLocked || !isVisible())
        return;
    // Resizing the editor lays its text out again, which asks again: the asked size is kept
    // apart from what a nested request records.
    const int want = Size.height();
    const int row = g.row();
    const TRect cell = g.CellRect(g.col(), row);
    if (want > g.rowHeights(row) && cell.Top + want <= g.viewport()->height()) {
        g.setRowHeights(row, want);
        setViewportMargins(2, 2, 2, 2);
        resize(width(), want);
    }
}

bool TTxRichEdit::IsOpenEditor() const
{
    const TEditState& edit = Editing().State();
    return edit.Active && edit.EditorType == edRichEdit && Editing().EditControlOf(edRichEdit) == this;
}

bool TTxRichEdit::LeavesBy(int Key, Qt::KeyboardModifiers Mods) const
{
    if (!IsOpenEditor())
        return false;
    TEditingHost& g = Host();
    switch (Key) {
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: return !(Mods & Qt::ControlModifier) && !g.Navigation().LineFeedOnEnter;
    case Qt::Key_Up:
    case Qt::Key_Down: return !g.Plain().WordWrap && !g.Plain().Multilinecells;
    default: return false;
    }
}

void TTxRichEdit::focusOutEvent(QFocusEvent* e)
{
    // A rich edit of the program's own, not the grid's open editor, closes no edit.
    if (IsOpenEditor())
        TEditorHost<QTextEdit>::focusOutEvent(e);
    else
        QTextEdit::focusOutEvent(e);
}

bool TTxRichEdit::OwnKey(QKeyEvent* e)
{
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!enter || !(e->modifiers() & Qt::ControlModifier) || !IsOpenEditor())
        return false;
    // The break Return types in a rich-text editor of its own.
    QKeyEvent plain(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QTextEdit::keyPressEvent(&plain);
    return true;
}

} // namespace grid
