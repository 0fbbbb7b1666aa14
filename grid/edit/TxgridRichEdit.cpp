#include "grid/edit/TxgridRichEdit.h"

#include "grid/core/Txgrid.h"
#include "platform/ui/Connect.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTextCharFormat>
#include <QTextCursor>

namespace grid {

TTxRichEdit::TTxRichEdit(TTxStringGrid& AGrid) : QTextEdit(&AGrid), FGrid(AGrid)
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
    if (!FGrid.SizeWhileTyping().Height || FLocked || !isVisible())
        return;
    // Resizing the editor lays its text out again, which asks again: the asked size is kept
    // apart from what a nested request records.
    const int want = Size.height();
    const int row = FGrid.row();
    const TRect cell = FGrid.CellRect(FGrid.col(), row);
    if (want > FGrid.rowHeights(row) && cell.Top + want <= FGrid.viewport()->height()) {
        FGrid.setRowHeights(row, want);
        setViewportMargins(2, 2, 2, 2);
        resize(width(), want);
    }
}

void TTxRichEdit::focusOutEvent(QFocusEvent* e)
{
    if (QApplication::focusWidget() == &FGrid)
        FGrid.HideInplaceEdit();
    QTextEdit::focusOutEvent(e);
}

void TTxRichEdit::keyPressEvent(QKeyEvent* e)
{
    // Escape closes the cell's edit and leaves the cell as it was.
    if (e->key() == Qt::Key_Escape && FGrid.EditActive() && FGrid.CurrentEditorType() == edRichEdit) {
        FGrid.DoneInplaceEdit(Qt::Key_Escape, e->modifiers());
        return;
    }
    QTextEdit::keyPressEvent(e);
    const int k = e->key();
    if ((k == Qt::Key_Up || k == Qt::Key_Down) && !FGrid.WordWrap && !FGrid.Multilinecells) {
        FGrid.setFocus(Qt::OtherFocusReason);
        QKeyEvent again(QEvent::KeyPress, k, e->modifiers());
        QCoreApplication::sendEvent(&FGrid, &again);
        e->accept(); // the grid moved once: the key goes no further up
    }
}

} // namespace grid
