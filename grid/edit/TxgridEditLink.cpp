#include "grid/edit/TxgridEditLink.h"

#include "grid/edit/TxgridEditing.h"
#include "grid/edit/TxgridInplaceEdit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace grid {

// --- the custom editor link --------------------------------------------------------------

TEditLink::~TEditLink()
{
    if (FEditing)
        FEditing->Host().ForgetEditLink(this);
    ClosePopup();
}

void TEditLink::Attach(TGridEditing& Editing, int ACol, int ARow, const QString& Original)
{
    FEditing = &Editing;
    FEditCol = ACol;
    FEditRow = ARow;
    FOriginal = Original;
}

void TEditLink::SetPopupForm(QWidget* Form)
{
    ClosePopup();
    FPopupForm = Form;
}

void TEditLink::ClosePopup()
{
    if (FPopupForm) {
        QWidget* f = FPopupForm;
        FPopupForm = nullptr;
        f->deleteLater();
    }
}

void TEditLink::SetFocus(bool Value)
{
    if (Value) {
        if (QWidget* w = GetEditControl())
            w->setFocus(Qt::OtherFocusReason);
    } else if (FEditing) {
        FEditing->Host().Widget()->setFocus(Qt::OtherFocusReason);
    }
}

void TEditLink::SetRect(TRect R)
{
    QWidget* w = GetEditControl();
    if (!w)
        return;
    const int line = FEditing ? FEditing->Host().GridLineWidth() : 0;
    w->setGeometry(R.Left, R.Top, std::max(0, R.Right - R.Left - line), std::max(0, R.Bottom - R.Top - line));
}

void TEditLink::SetVisible(bool Value)
{
    if (QWidget* w = GetEditControl())
        w->setVisible(Value);
}

QString TEditLink::GetCellValue() const
{
    if (!FEditing)
        return {};
    TEditingHost& h = FEditing->Host();
    return h.cells(h.RemapCol(FEditCol), FEditRow);
}

void TEditLink::SetCellValue(const QString& S)
{
    if (!FEditing)
        return;
    TEditingHost& h = FEditing->Host();
    h.setCells(h.RemapCol(FEditCol), FEditRow, S);
}

QWidget* TEditLink::GetParent() const
{
    if (EditStyle == esPopup && FPopupForm)
        return FPopupForm;
    return FEditing ? FEditing->Host().Widget() : nullptr;
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FEditing)
        FEditing->HideInplaceEdit();
    if (QWidget* w = GetEditControl())
        w->close();
}

void TEditLink::EditExit(QObject*)
{
    HideEditor();
    if (EditStyle == esPopup)
        ClosePopup();
}

void TEditLink::FormExit(QObject* Sender)
{
    if (FEditing && FEditing->InplaceEdit() && FEditing->Host().editorMode())
        FEditing->InplaceEdit()->setText(GetEditorValue());
    if (FReturningFocus)
        SetCellValue(GetEditorValue());
    else
        EditExit(Sender);
}

bool EditLinkKeyLeaves(const TEditLink& L, int Key)
{
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return !L.WantKeyReturn;
    case Qt::Key_Escape: return !L.WantKeyEscape;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return !L.WantKeyPriorNext;
    case Qt::Key_Home:
    case Qt::Key_End: return !L.WantKeyHomeEnd;
    case Qt::Key_Up:
    case Qt::Key_Down: return !L.WantKeyUpDown;
    case Qt::Key_Left:
    case Qt::Key_Right: return !L.WantKeyLeftRight;
    default: return false;
    }
}

bool EditLinkKeyWanted(const TEditLink& L, int Key)
{
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: return !EditLinkKeyLeaves(L, Key);
    default: return false;
    }
}

void TEditLink::EditKeyDown(QObject*, int& Key, Qt::KeyboardModifiers)
{
    if (!FEditing || !EditLinkKeyLeaves(*this, Key))
        return;
    TGridEditing& ed = *FEditing;
    TEditingHost& h = ed.Host();
    const int col = FEditCol, row = FEditRow;
    FReturningFocus = true;
    h.Widget()->setFocus(Qt::OtherFocusReason);
    FReturningFocus = false;
    if (Key == Qt::Key_Escape)
        h.setCells(h.RemapCol(col), row, FOriginal);
    else
        SetCellValue(GetEditorValue());
    ed.HideInplaceEdit();
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        ed.AdvanceEdit(col, row, true, false, true);
        Key = 0;
    } else if (Key == Qt::Key_Up || Key == Qt::Key_Down) {
        QKeyEvent e(QEvent::KeyPress, Key, Qt::NoModifier);
        QCoreApplication::sendEvent(h.Widget(), &e);
        Key = 0;
    }
}

// --- editing's side -----------------------------------------------------------------------

namespace {
// Runs the link's FormExit when its popup form is deactivated or hidden, once.
class PopupExitFilter : public QObject {
public:
    PopupExitFilter(TEditLink* Link, QObject* Form) : QObject(Form), FLink(Link) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (!FDone && (e->type() == QEvent::WindowDeactivate || e->type() == QEvent::Hide)) {
            FDone = true;
            try {
                FLink->FormExit(o);
            } catch (...) {
                // an exception must not leave an event filter; the edit has ended anyway
            }
        }
        return false;
    }

private:
    TEditLink* FLink;
    bool FDone = false;
};

// A key the link wants stays in its control whatever the control does with it: one the
// control leaves unused (a plain line edit ignores the arrows up and down and the page keys)
// would go on to the control's parent, the grid, which would move the cursor and end the edit.
class WantedKeyFilter : public QObject {
public:
    static constexpr const char* Name = "WantedKeyFilter";
    WantedKeyFilter(TGridEditing& Editing, QWidget* Grid) : QObject(Grid), FEditing(Editing)
    {
        setObjectName(QLatin1String(Name));
        Grid->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress || o != parent())
            return false;
        const TEditState& edit = FEditing.State();
        TEditLink* link = FEditing.Host().EditLink();
        if (!link || !edit.Active || edit.EditorType != edCustom)
            return false;
        QWidget* control = link->GetEditControl();
        const QWidget* focus = QApplication::focusWidget();
        if (!control || !focus || (focus != control && !control->isAncestorOf(focus)))
            return false;
        if (!EditLinkKeyWanted(*link, static_cast<QKeyEvent*>(e)->key()))
            return false;
        e->accept();
        return true;
    }

private:
    TGridEditing& FEditing;
};
} // namespace

void TGridEditing::ShowEditLink(int ACol, int ARow)
{
    TEditingHost& g = *FHost;
    TEditLink* link = g.EditLink();
    if (!link)
        return;
    link->Attach(*this, ACol, ARow, g.cells(g.RemapCol(ACol), ARow));
    const TRect cell = g.CellRect(ACol, ARow);
    if (link->EditStyle == esPopup) {
        auto* form = new QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint);
        // Leaving the popup ends the edit through the link's FormExit.
        form->installEventFilter(new PopupExitFilter(link, form));
        link->SetPopupForm(form);
        const QPoint at = g.mapToGlobal(QPoint(cell.Left, cell.Top));
        form->setGeometry(QRect(at, QSize(link->PopupWidth, link->PopupHeight)));
        form->show();
        link->CreateEditor(form);
        link->SetRect(TRect{0, 0, link->PopupWidth, link->PopupHeight});
    } else {
        link->CreateEditor(g.Widget());
        link->SetRect(cell);
        if (!g.Widget()->findChild<QObject*>(QLatin1String(WantedKeyFilter::Name), Qt::FindDirectChildrenOnly))
            new WantedKeyFilter(*this, g.Widget());
    }
    link->SetVisible(true);
    ui::Brush brush;
    ui::Font font;
    TGridDrawState state{};
    TAlignment ha{};
    TVAlignment va{};
    bool wrap = false;
    g.GetVisualProperties(ACol, ARow, state, false, false, brush, font, ha, va, wrap);
    link->SetCellProps(brush.color, font);
    link->SetProperties();
    if (g.Events().OnGetEditorProp)
        g.Raise(g.Events().OnGetEditorProp, ACol, ARow, link);
    link->SetEditorValue(g.getEditText(ACol, ARow));
    link->SetFocus(true);
    PostPendingChar(link->GetEditControl());
}

void TGridEditing::HideEditLink()
{
    TEditLink* link = FHost->EditLink();
    if (link && link->EditStyle == esInplace)
        link->SetVisible(false);
}

} // namespace grid
