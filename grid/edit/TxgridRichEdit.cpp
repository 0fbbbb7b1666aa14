#include "grid/edit/TxgridRichEdit.h"

#include "grid/edit/TxgridEditing.h"

#include "platform/ui/Connect.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextCharFormat>
#include <QTextCursor>

namespace grid {

TTxRichEdit::TTxRichEdit(TGridEditing& Editing) : QTextEdit(Editing.Host().Widget()), FEditing(Editing)
{
    ui::on(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
           [this](const QSizeF& s) { RequestResize(s.toSize()); });
}

void TTxRichEdit::SetSelOffset(int Twips)
{
    // Text raised or lowered by an offset is what sub- and superscript mean here.
    QTextCharFormat f;
    f.setVerticalAlignment(Twips > 0   ? QTextCharFormat::AlignSuperScript
                           : Twips < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
    textCursor().mergeCharFormat(f);
    mergeCurrentCharFormat(f);
}

void TTxRichEdit::RequestResize(QSize Size)
{
    ReqWidth = Size.width();
    ReqHeight = Size.height();
    TEditingHost& g = FEditing.Host();
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

void TTxRichEdit::focusOutEvent(QFocusEvent* e)
{
    if (QApplication::focusWidget() == FEditing.Host().Widget())
        FEditing.HideInplaceEdit();
    QTextEdit::focusOutEvent(e);
}

void TTxRichEdit::keyPressEvent(QKeyEvent* e)
{
    // Escape closes the cell's edit and leaves the cell as it was.
    const TEditState& edit = FEditing.State();
    if (e->key() == Qt::Key_Escape && edit.Active && edit.EditorType == edRichEdit) {
        FEditing.DoneInplaceEdit(Qt::Key_Escape, e->modifiers());
        return;
    }
    QTextEdit::keyPressEvent(e);
    const int k = e->key();
    TEditingHost& g = FEditing.Host();
    if ((k == Qt::Key_Up || k == Qt::Key_Down) && !g.Plain().WordWrap && !g.Plain().Multilinecells) {
        g.Widget()->setFocus(Qt::OtherFocusReason);
        QKeyEvent again(QEvent::KeyPress, k, e->modifiers());
        QCoreApplication::sendEvent(g.Widget(), &again);
        e->accept(); // the grid moved once: the key goes no further up
    }
}

} // namespace grid
