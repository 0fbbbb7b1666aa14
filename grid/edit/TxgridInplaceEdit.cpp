// The grid's text editor and its character rules.
#include "grid/edit/TxgridInplaceEdit.h"

#include "grid/controls/Txutil.h"
#include "grid/edit/TxgridEditing.h"

#include "platform/text/Regional.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

namespace grid {

bool IsTextEditorType(TEditorType Type)
{
    switch (Type) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase: return true;
    default: return false;
    }
}

bool EditLengthFull(int LengthLimit, int TextLength, bool HasSelection)
{
    return LengthLimit > 0 && TextLength >= LengthLimit && !HasSelection;
}

TCharVerdict FilterEditChar(TEditorType Type, const QString& Text, int Caret, int SelStart, int SelLen, QChar& Ch)
{
    const auto outsideSelection = [&](auto pred) {
        for (int i = 0; i < Text.size(); ++i)
            if ((i < SelStart || i >= SelStart + SelLen) && pred(Text[i]))
                return true;
        return false;
    };
    const bool selHasMinus = SelLen > 0 && Text.mid(SelStart, SelLen).contains(QLatin1Char('-'));
    switch (Type) {
    case edNumeric:
        if (Ch.isDigit())
            return TCharVerdict::Accept;
        if (Ch == QLatin1Char('-') && !Text.contains(QLatin1Char('-')) && Caret == 0)
            return TCharVerdict::Accept;
        return TCharVerdict::Beep;
    case edPositiveNumeric: return Ch.isDigit() ? TCharVerdict::Accept : TCharVerdict::Beep;
    case edFloat:
        if (Ch.isDigit())
            return TCharVerdict::Accept;
        if (Ch == QLatin1Char('.') || Ch == QLatin1Char(',')) {
            const bool hasMark =
                outsideSelection([](QChar c) { return c == QLatin1Char('.') || c == QLatin1Char(','); });
            return hasMark ? TCharVerdict::Drop : TCharVerdict::Accept;
        }
        if (Ch == QLatin1Char('-'))
            return (Caret == 0 && !Text.contains(QLatin1Char('-'))) || selHasMinus ? TCharVerdict::Accept
                                                                                   : TCharVerdict::Beep;
        return TCharVerdict::Drop;
    case edCapital:
    case edUpperCase: Ch = Ch.toUpper(); return TCharVerdict::Accept;
    case edLowerCase: Ch = Ch.toLower(); return TCharVerdict::Accept;
    default: return TCharVerdict::Accept;
    }
}

int LookupCompletion(const QStringList& Items, const QString& Prefix, bool CaseSensitive)
{
    if (Prefix.isEmpty())
        return -1;
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (int i = 0; i < Items.size(); ++i)
        if (Items[i].startsWith(Prefix, cs))
            return i;
    return -1;
}

QString CompletedText(const QString& Prefix, const QString& Item)
{
    return (Prefix + Item.mid(Prefix.size())).left(255);
}

bool PasteResult(TEditorType Type, int LengthLimit, const QString& Text, int SelStart, int SelLen, QString Clip,
                 QString& Result)
{
    if (LengthLimit > 0 && Clip.size() > LengthLimit)
        return false;
    if (Type == edMixedCase)
        Clip = ShiftCase(Clip);
    else if (Type == edLowerCase)
        Clip = Clip.toLower();
    else if (Type == edUpperCase || Type == edCapital)
        Clip = Clip.toUpper();
    const QString t = Text.left(SelStart) + Clip + Text.mid(SelStart + SelLen);
    if (LengthLimit > 0 && t.size() > LengthLimit)
        return false;
    if ((Type == edNumeric || Type == edPositiveNumeric) && IsType(t) != 0)
        return false;
    if (Type == edFloat && IsType(t) > 1)
        return false;
    Result = t;
    return true;
}

// --- the rules both text editors follow -------------------------------------------------------

TTextEditorRules::TTextEditorRules(TGridEditing& Editing, TEditText& Edit)
    : FEditing(Editing), FHost(Editing.Host()), FEdit(Edit)
{}

bool TTextEditorRules::TakesLineBreaks(TEditorType Type)
{
    return Type == edNormal || Type == edCapital || Type == edMixedCase || Type == edLowerCase || Type == edUpperCase;
}

bool TTextEditorRules::Key(QKeyEvent* e)
{
    const int k = e->key();
    if (k == Qt::Key_Backspace || k == Qt::Key_Delete)
        FAutoComplete = false;
    else if (k != Qt::Key_Return && k != Qt::Key_Enter && k != Qt::Key_Left && k != Qt::Key_Right && k != Qt::Key_Up
             && k != Qt::Key_Down)
        FAutoComplete = true;
    bool taken = false;
    if (Clipboard(e, taken))
        return taken;
    if (CursorWalk(e))
        return true;
    QString t = e->text();
    // The keypad's decimal key types the regional separator; the main full stop stays.
    if (FHost.Plain().ExcelStyleDecimalSeparator && t == QStringLiteral(".") && (e->modifiers() & Qt::KeypadModifier))
        t = QString(text::decimalSeparator());
    if (t.size() != 1 || !t[0].isPrint() || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const int selLen = FEdit.SelLength();
    // The limit is on the text as the cell holds it, each line break CR LF.
    if (EditLengthFull(LengthLimit, FEdit.CellText().size(), selLen > 0))
        return true;
    QChar ch = t[0];
    switch (FilterEditChar(Type, FEdit.Text(), FEdit.Caret(), FEdit.SelStart(), selLen, ch)) {
    case TCharVerdict::Beep:
        ++Beeps;
        QApplication::beep();
        return true;
    case TCharVerdict::Drop: return true;
    case TCharVerdict::Accept: break;
    }
    FEdit.Insert(QString(ch));
    if (Type == edMixedCase) {
        const int caret = FEdit.Caret();
        FEdit.SetText(ShiftCase(FEdit.Text()));
        FEdit.Select(caret, 0);
    }
    // A filled mask moves on as Return does.
    if (FHost.Navigation().AdvanceAuto && FEdit.MaskFilled())
        FEditing.CommitTextEdit();
    return true;
}

bool TTextEditorRules::Clipboard(QKeyEvent* e, bool& Taken)
{
    bool Allow = true;
    if (e == QKeySequence::Copy || e == QKeySequence::Cut) {
        if (const auto& ev = e == QKeySequence::Copy ? FHost.Events().OnClipboardCopy : FHost.Events().OnClipboardCut)
            FHost.Raise(ev, Allow);
        Taken = !Allow; // allowed: the control copies or cuts
        return true;
    }
    if (e != QKeySequence::Paste)
        return false;
    Taken = true;
    QString clip = QApplication::clipboard()->text();
    const int selStart = FEdit.SelStart(), selLen = FEdit.SelLength();
    // An editor of lines holds each break as one LF: the clipboard's breaks come in as it holds
    // them, and the limit counts them as the cell will, CR LF.
    const bool lineFeeds = FEdit.LineBreak() == QStringLiteral("\n");
    if (lineFeeds) {
        clip.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        clip.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    QString result;
    if (clip.isEmpty() || !PasteResult(Type, lineFeeds ? 0 : LengthLimit, FEdit.Text(), selStart, selLen, clip, result))
        return true;
    if (lineFeeds && LengthLimit > 0 && result.size() + result.count(QLatin1Char('\n')) > LengthLimit)
        return true;
    if (FHost.Events().OnClipboardPaste)
        FHost.Raise(FHost.Events().OnClipboardPaste, Allow);
    if (!Allow)
        return true;
    const int pasted = result.size() - (FEdit.Text().size() - selLen);
    FEdit.SetText(result);
    FEdit.Select(selLen > 0 ? selStart : selStart + pasted, selLen > 0 ? pasted : 0);
    return true;
}

bool TTextEditorRules::CursorWalk(const QKeyEvent* e)
{
    const int k = e->key();
    if (!FHost.Navigation().CursorWalkEditor || (k != Qt::Key_Left && k != Qt::Key_Right) || FEdit.SelLength() > 0
        || (e->modifiers() & Qt::ShiftModifier))
        return false;
    const bool forward = k == Qt::Key_Right;
    if (forward ? FEdit.Caret() != FEdit.Text().size() : FEdit.Caret() != 0)
        return false;
    TNavigation& nav = FHost.Navigation();
    const TAdvanceDirection dir = nav.AdvanceDirection;
    nav.AdvanceDirection = adLeftRight;
    FEditing.AdvanceEdit(FHost.col(), FHost.row(), forward, true, true);
    nav.AdvanceDirection = dir;
    return true;
}

void TTextEditorRules::BreakLine()
{
    const QString before = FEdit.CellText(), br = FEdit.LineBreak();
    const int kept = before.size() - FEdit.SelLength();
    // The limit counts the break as the cell holds it, CR LF.
    if (LengthLimit > 0 && kept + 2 > LengthLimit)
        return;
    FEdit.Insert(br);
    FHost.SizeToTypedText(before, true);
}

void TTextEditorRules::Released(const QKeyEvent* e, TPoint CaretPos, bool Visible)
{
    if (FEdit.Caret() != 0)
        FHost.EditProgress(FEdit.CellText(), CaretPos, FEdit.Caret());
    if (e->key() != Qt::Key_Left && e->key() != Qt::Key_Right)
        Complete();
    if (Visible)
        FHost.SizeToTypedText(FEdit.CellText(), false);
}

void TTextEditorRules::Complete()
{
    if (!FAutoComplete || FEdit.SelLength() > 0 || !FHost.Plain().Lookup || FHost.LookupItems().isEmpty())
        return;
    const QString prefix = FEdit.Text().left(FEdit.Caret());
    const int i = LookupCompletion(FHost.LookupItems(), prefix, FHost.Plain().LookupCaseSensitive);
    if (i < 0)
        return;
    const QString full = CompletedText(prefix, FHost.LookupItems()[i]);
    if (full == FEdit.Text())
        return;
    FEdit.SetText(full);
    FEdit.Select(full.size(), prefix.size() - full.size()); // the completed tail, typed over next
}

void TTextEditorRules::Leaving()
{
    const QString t = FEdit.CellText();
    if (FHost.Plain().LookupHistory && !t.isEmpty() && !FHost.LookupItems().contains(t)) {
        QStringList items = FHost.LookupItems();
        items.append(t);
        FHost.SetLookupItems(items);
    }
}

// --- the one-line text editor ------------------------------------------------------------------

TTxInplaceEdit::TTxInplaceEdit(TGridEditing& Editing, QWidget* Parent)
    : QLineEdit(Parent), FEditing(Editing), FHost(Editing.Host()), FRules(Editing, *this)
{
    setFrame(false);
    LengthLimit = FHost.Plain().MaxEditLength;
}

void TTxInplaceEdit::SetVAlign(bool Value)
{
    FVAlign = Value;
    setAlignment(Value ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter);
}

void TTxInplaceEdit::Prepare(TEditorType Type)
{
    FRules.Type = Type;
    LengthLimit = FHost.GetEditLimit();
    setInputMask(FHost.GetEditMask(FHost.col(), FHost.row()));
    if (Type == edPassword) {
        setEchoMode(QLineEdit::Password);
        // The grid's own password character, not the platform's bullet.
        setStyleSheet(QStringLiteral("lineedit-password-character: %1").arg(int(FHost.Plain().PasswordChar.unicode())));
    } else {
        setEchoMode(QLineEdit::Normal);
        setStyleSheet(QString());
    }
}

void TTxInplaceEdit::Select(int Start, int Length)
{
    if (Length != 0)
        setSelection(Start, Length);
    else
        setCursorPosition(Start);
}

// No blank left and the caret after the last character (the mask's blanks are what text()
// leaves out of displayText()).
bool TTxInplaceEdit::MaskFilled() const
{
    return !inputMask().isEmpty() && text().size() == displayText().size() && cursorPosition() >= displayText().size();
}

void TTxInplaceEdit::BreakLine()
{
    FRules.LengthLimit = LengthLimit;
    FRules.BreakLine();
}

void TTxInplaceEdit::keyPressEvent(QKeyEvent* e)
{
    FRules.LengthLimit = LengthLimit;
    if (!FRules.Key(e))
        QLineEdit::keyPressEvent(e);
}

void TTxInplaceEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (inputMask().isEmpty() || !FHost.Navigation().ImproveMaskSel)
        return;
    // The grid selects the whole text once the editor has the focus: the first character is
    // selected after that, unless a click has placed the caret meanwhile.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus() && selectionStart() == 0 && selectionLength() == displayText().size())
                setSelection(0, 1);
        },
        Qt::QueuedConnection);
}

void TTxInplaceEdit::mouseDoubleClickEvent(QMouseEvent* e)
{
    QLineEdit::mouseDoubleClickEvent(e);
    if (FHost.Events().OnDblClickCell)
        FHost.Raise(FHost.Events().OnDblClickCell, FHost.row(), FHost.col());
}

void TTxInplaceEdit::keyReleaseEvent(QKeyEvent* e)
{
    QLineEdit::keyReleaseEvent(e);
    FRules.Released(e, cursorRect().topLeft(), isVisible());
}

void TTxInplaceEdit::focusOutEvent(QFocusEvent* e)
{
    FRules.Leaving();
    QLineEdit::focusOutEvent(e);
    FHost.EditProgress(text(), TPoint(-1, -1), -1);
}

} // namespace grid
