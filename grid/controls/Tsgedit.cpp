#include "grid/controls/Tsgedit.h"

#include "grid/controls/TsgLayout.h"
#include "grid/controls/Txxpvs.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace grid {

// --- TTxSpeedButton ----------------------------------------------------------------------

TTxSpeedButton::TTxSpeedButton(QWidget* AOwner) : TSpeedButton(AOwner) {}

void TTxSpeedButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    update();
}

void TTxSpeedButton::MouseEnter()
{
    TSpeedButton::MouseEnter();
    FHot = true;
    update();
}

void TTxSpeedButton::MouseLeave()
{
    TSpeedButton::MouseLeave();
    FHot = false;
    update();
}

void TTxSpeedButton::paint(ui::Canvas& Canvas)
{
    const ui::Rect whole{0, 0, width(), height()};
    ui::Rect r = whole;
    QStyle* theme = ThemeStyle();
    if (FIsWinXP && theme && Canvas.painter()) {
        QStyleOptionButton o;
        o.initFrom(this);
        o.rect = r.toQRect();
        if (Down())
            o.state |= QStyle::State_Sunken;
        else
            o.state |= QStyle::State_Raised;
        if (FHot)
            o.state |= QStyle::State_MouseOver;
        theme->drawControl(QStyle::CE_PushButtonBevel, &o, Canvas.painter(), this);
    } else if (Flat()) {
        DrawEdge(Canvas, r, Down() ? unsigned(BDR_SUNKENOUTER) : unsigned(BDR_RAISEDINNER), BF_RECT | BF_MIDDLE);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    } else {
        DrawPushFrame(Canvas, r, Down(), false);
    }
    DrawGlyphAndCaption(Canvas, whole);
}

// --- TTsgEditButton ----------------------------------------------------------------------

TTsgEditButton::TTsgEditButton(QWidget* AOwner) : ui::Control(AOwner), FButton(new TTxSpeedButton(this))
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    FButton->OnMouseUp = [this](QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers, int, int) {
        BtnMouseUp(Sender, Button);
    };
    FButton->show();
    resize(20, 25);
    AdjustSize();
}

void TTsgEditButton::SetFlat(bool Value)
{
    FFlat = Value;
    FButton->SetFlat(Value);
}

void TTsgEditButton::AdjustSize()
{
    if (width() < 15) {
        resize(15, height());
        return; // the resize lays the button out again
    }
    FButton->setGeometry(0, 0, width(), height());
}

void TTsgEditButton::resizeEvent(QResizeEvent*) { AdjustSize(); }

void TTsgEditButton::BtnMouseUp(QObject* Sender, Qt::MouseButton Button)
{
    if (Button != Qt::LeftButton)
        return;
    if (Sender == FButton && OnClick)
        OnClick(this);
    QWidget* fc = FFocusControl;
    const auto canFocus = [](QWidget* w) { return w->isVisible() && w->isEnabled(); };
    if (fc && (fc->focusPolicy() & Qt::TabFocus) && canFocus(fc) && !fc->hasFocus())
        fc->setFocus(Qt::MouseFocusReason);
    else if (TabStop() && !hasFocus() && canFocus(this))
        setFocus(Qt::MouseFocusReason);
}

// --- TTsgEditBtn -------------------------------------------------------------------------

TTsgEditBtn::TTsgEditBtn(QWidget* AOwner) : TCustomEdit(AOwner)
{
    resize(121, 21);
    FButton = new TTsgEditButton(this);
    FButton->resize(18, 18);
    FButton->show();
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](QObject* Sender) { BtnClick(Sender); };
    setText(QStringLiteral("0"));
    AdjustLayout();
}

TTsgEditBtn::~TTsgEditBtn()
{
    // The holder goes with the other children; nothing may reach it from here on.
    FButton = nullptr;
}

void TTsgEditBtn::SetRightAlign(bool Value)
{
    if (FRightAlign == Value)
        return;
    FRightAlign = Value;
    setAlignment((Value ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    SetEditRectangle();
}

void TTsgEditBtn::SetButtonWidth(int Value)
{
    if (!FButton)
        return;
    FButton->resize(Value, FButton->height());
    AdjustLayout();
}

void TTsgEditBtn::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    if (FButton)
        FButton->Button()->SetIsWinXP(Value);
}

void TTsgEditBtn::BtnClick(QObject* Sender)
{
    if (OnClickBtn)
        OnClickBtn(Sender);
}

int TTsgEditBtn::MinHeight() const
{
    return EditBtnMinHeight(ui::textMeasurer()->height(controlFont()), SystemFontHeight());
}

void TTsgEditBtn::SetEditRectangle()
{
    SetEditRect(EditBtnTextRect(ClientWidth(), ClientHeight(), BorderStyle() == bsSingle, ButtonWidth(), UnitWidth()));
    update();
}

void TTsgEditBtn::AdjustLayout()
{
    if (!FButton)
        return;
    if (height() < MinHeight()) {
        resize(width(), MinHeight());
        if (isVisible())
            return; // the resize laid it out; a hidden edit gets its resize event when shown
    }
    const ui::Rect r = EditButtonPlace(width(), height(), ButtonWidth(), Ctl3D(), BorderStyle() == bsSingle);
    const int f = FrameWidth();
    FButton->setGeometry(r.Left + f, r.Top + f, r.width(), std::max(0, r.height()));
    SetEditRectangle();
}

void TTsgEditBtn::resizeEvent(QResizeEvent* e)
{
    TCustomEdit::resizeEvent(e);
    AdjustLayout();
}

void TTsgEditBtn::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F4) {
        TCustomEdit::keyPressEvent(e);
        e->accept();
        BtnClick(this);
        return;
    }
    // Without the editor only the button sets the text.
    const QString t = e->text();
    const bool typed = e->key() == Qt::Key_Backspace || (t.size() == 1 && t[0].isPrint());
    if (typed && !EditorEnabled) {
        e->accept();
        return;
    }
    TCustomEdit::keyPressEvent(e);
}

void TTsgEditBtn::focusInEvent(QFocusEvent* e)
{
    TCustomEdit::focusInEvent(e);
    if (AutoSelect && !(QGuiApplication::mouseButtons() & Qt::LeftButton))
        selectAll();
}

// --- TTsgUnitEditBtn ---------------------------------------------------------------------

TTsgUnitEditBtn::TTsgUnitEditBtn(QWidget* AOwner) : TTsgEditBtn(AOwner)
{
    SetRightAlign(true);
    AdjustLayout();
}

void TTsgUnitEditBtn::SetUnits(const QStringList* Value)
{
    if (Value)
        FUnits = *Value;
}

void TTsgUnitEditBtn::SetUnitID(const QString& Value)
{
    FUnitID = Value;
    update();
}

void TTsgUnitEditBtn::SetUnitSize(int Value)
{
    FUnitSpace = Value;
    SetEditRectangle();
    update();
}

void TTsgUnitEditBtn::BtnClick(QObject*)
{
    QMenu menu(this);
    for (int i = 0; i < FUnits.size(); ++i)
        menu.addAction(FUnits[i])->setData(i + 1);
    const QPoint at = mapToGlobal(QPoint(0, 0)) + QPoint(ClientWidth() - 15, ClientHeight());
    if (QAction* chosen = TrackPopupMenu(menu, at))
        UnitCommand(chosen->data().toInt());
}

void TTsgUnitEditBtn::UnitCommand(int Id)
{
    if (Id >= 1 && Id <= FUnits.size())
        SetUnitID(FUnits[Id - 1]);
}

ui::Rect TTsgUnitEditBtn::UnitRect() const
{
    const ui::Rect r = UnitTextRect(ClientWidth(), ClientHeight(), ButtonWidth(), UnitWidth());
    const int f = FrameWidth();
    return {r.Left + f, r.Top + f, r.Right + f, r.Bottom + f};
}

void TTsgUnitEditBtn::paintEvent(QPaintEvent* e)
{
    TTsgEditBtn::paintEvent(e);
    if (FUnitID.isEmpty())
        return;
    QPainter p(this);
    ui::Canvas canvas(&p);
    canvas.font = controlFont();
    canvas.drawText(UnitRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FUnitID);
}

} // namespace grid
