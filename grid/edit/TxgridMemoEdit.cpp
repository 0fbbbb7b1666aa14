#include "grid/edit/TxgridMemoEdit.h"

#include "grid/edit/TxgridEditing.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextDocument>

namespace grid {

namespace {
// The cell's CR LF (or lone CR) breaks as the editor's lines.
QString AsLines(QString S)
{
    S.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    S.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return S;
}
} // namespace

TTxMemoEdit::TTxMemoEdit(TGridEditing& Editing) : TEditorHost<QPlainTextEdit>(Editing), FRules(Editing, *this)
{
    setObjectName(QStringLiteral("MemoEditCell"));
    setFrameStyle(QFrame::NoFrame);
    // Without goTabs, Tab goes on to the form's next control (and the edit commits).
    setTabChangesFocus(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    document()->setDocumentMargin(1);
}

void TTxMemoEdit::Open(TEditorType Type, const QString& Text, bool RightAligned)
{
    FRules.Type = Type;
    FRules.LengthLimit = Host().GetEditLimit();
    setWordWrapMode(Host().Plain().WordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    SetText(Text);
    QTextOption o = document()->defaultTextOption();
    o.setAlignment(RightAligned ? Qt::AlignRight : Qt::AlignLeft);
    document()->setDefaultTextOption(o);
    selectAll();
}

QString TTxMemoEdit::CellText() const
{
    QString t = toPlainText();
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

void TTxMemoEdit::SetText(const QString& S) { setPlainText(AsLines(S)); }

void TTxMemoEdit::Select(int Start, int Length)
{
    QTextCursor c = textCursor();
    c.setPosition(Start);
    if (Length != 0)
        c.setPosition(Start + Length, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

bool TTxMemoEdit::IsOpenEditor() const
{
    const TEditState& edit = Editing().State();
    return edit.Active && edit.Memo;
}

bool TTxMemoEdit::LeavesBy(int Key, Qt::KeyboardModifiers) const
{
    if (!IsOpenEditor())
        return false;
    const QTextCursor c = textCursor();
    switch (Key) {
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return true;
    // Up and Down move between the lines; from the first (last) line they leave the cell.
    case Qt::Key_Up:
        return c.block() == document()->firstBlock()
            && c.block().layout()->lineForTextPosition(c.positionInBlock()).lineNumber() == 0;
    case Qt::Key_Down: {
        const int line = c.block().layout()->lineForTextPosition(c.positionInBlock()).lineNumber();
        return c.block() == document()->lastBlock() && line == c.block().layout()->lineCount() - 1;
    }
    default: return false;
    }
}

bool TTxMemoEdit::OwnKey(QKeyEvent* e)
{
    if (!IsOpenEditor())
        return false;
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter)
        return FRules.Key(e);
    TEditingHost& g = Host();
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (g.Navigation().LineFeedOnEnter && TTextEditorRules::TakesLineBreaks(FRules.Type)) {
        FRules.BreakLine();
        FollowCell();
        return true;
    }
    // As in the one-line editor: Ctrl+Enter, and Enter in a full editor without
    // AdvanceOnEnter, do nothing; Enter commits and moves on without opening the next cell.
    if (ctrl
        || (!g.Navigation().AdvanceOnEnter && EditLengthFull(FRules.LengthLimit, CellText().size(), SelLength() > 0)))
        return true;
    QString v = CellText();
    if (!Editing().CommitControlValue(v)) {
        ShowEdited(v, true);
        return true;
    }
    Editing().HideInplaceEdit();
    Editing().AdvanceEdit(g.col(), g.row(), true, false, false);
    return true;
}

bool TTxMemoEdit::EditedValue(QString& Text) const
{
    Text = CellText();
    return true;
}

void TTxMemoEdit::ShowEdited(const QString& Text, bool Refused)
{
    SetText(Text);
    if (Refused)
        moveCursor(QTextCursor::End);
}

void TTxMemoEdit::keyReleaseEvent(QKeyEvent* e)
{
    QPlainTextEdit::keyReleaseEvent(e);
    if (!IsOpenEditor())
        return;
    FRules.Released(e, cursorRect().topLeft(), isVisible());
    FollowCell();
}

void TTxMemoEdit::FollowCell()
{
    // Sizing while typing may have grown the column or the row: the editor grows with them.
    const TRect r = Host().CellRect(Host().col(), Host().row());
    if (r.width() > 1 && r.height() > 1)
        setGeometry(r.Left, r.Top, r.width() - 1, r.height() - 1);
}

void TTxMemoEdit::focusOutEvent(QFocusEvent* e)
{
    if (IsOpenEditor())
        FRules.Leaving();
    TEditorHost<QPlainTextEdit>::focusOutEvent(e);
}

} // namespace grid
