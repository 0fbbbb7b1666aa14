#include "grid/controls/Tsgspin.h"

#include "grid/controls/TsgLayout.h"
#include "grid/controls/Txxpvs.h"
#include "platform/ui/Application.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <limits>

namespace grid {

QImage SpinGlyphResource(const QString& Name)
{
    const bool up = Name.compare(QLatin1String("TsgSpinUp"), Qt::CaseInsensitive) == 0;
    if (!up && Name.compare(QLatin1String("TsgSpinDown"), Qt::CaseInsensitive) != 0)
        return {};
    QImage img(9, 6, QImage::Format_RGB32);
    img.fill(QColor(128, 128, 0));
    // Rows 1 to 4 hold the triangle, widest at the base.
    for (int i = 0; i < 4; ++i) {
        const int width = 7 - 2 * i;
        const int row = up ? 4 - i : 1 + i;
        for (int x = (9 - width) / 2; x < (9 - width) / 2 + width; ++x)
            img.setPixel(x, row, qRgb(0, 0, 0));
    }
    return img;
}

// --- TTxTimerSpeedButton -----------------------------------------------------------------

TTxTimerSpeedButton::TTxTimerSpeedButton(QWidget* AOwner) : TSpeedButton(AOwner)
{
    FRepeat.OnExpired = [this] { TimerExpired(); };
}

void TTxTimerSpeedButton::SetButtonDirection(TButtonDirection Value)
{
    FButtonDirection = Value;
    update();
}

void TTxTimerSpeedButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    update();
}

void TTxTimerSpeedButton::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (TimeBtnState & tbAllowTimer)
        FRepeat.Press();
    if (parentWidget())
        parentWidget()->update();
}

void TTxTimerSpeedButton::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    FRepeat.Release();
    if (parentWidget())
        parentWidget()->update();
}

void TTxTimerSpeedButton::TimerExpired()
{
    FRepeat.Expired(Down(), MouseCapture(), [this] { Click(); });
}

void TTxTimerSpeedButton::paint(ui::Canvas& Canvas)
{
    const ui::Rect whole{0, 0, width(), height()};
    QStyle* theme = ThemeStyle();
    if (FIsWinXP && theme && Canvas.painter()) {
        QStyleOptionButton o;
        o.initFrom(this);
        o.rect = whole.toQRect();
        o.state |= Down() ? QStyle::State_Sunken : QStyle::State_Raised;
        theme->drawControl(QStyle::CE_PushButtonBevel, &o, Canvas.painter(), this);
        QStyleOption a;
        a.initFrom(this);
        a.rect = whole.toQRect().adjusted(2, 2, -2, -2);
        static constexpr QStyle::PrimitiveElement parts[] = {QStyle::PE_IndicatorArrowLeft,
                                                             QStyle::PE_IndicatorArrowRight, QStyle::PE_IndicatorSpinUp,
                                                             QStyle::PE_IndicatorSpinDown};
        theme->drawPrimitive(parts[FButtonDirection], &a, Canvas.painter(), this);
        return;
    }
    if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
        DrawScrollArrow(Canvas, whole, FButtonDirection == bdLeft ? saLeft : saRight, Down(), Flat());
        return;
    }
    TSpeedButton::paint(Canvas);
    if ((TimeBtnState & tbFocusRect) && Canvas.painter()) {
        QRect r = whole.toQRect().adjusted(3, 3, -3, -3);
        if (Down())
            r.translate(1, 1);
        QPainter& p = *Canvas.painter();
        p.setPen(QPen(ui::toQColor(ui::clBtnText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

// --- TTsgSpinButton ----------------------------------------------------------------------

TTsgSpinButton::TTsgSpinButton(QWidget* AOwner) : ui::Control(AOwner)
{
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    FUpButton = CreateButton();
    FUpButton->SetGlyph(SpinGlyphResource(QStringLiteral("TsgSpinUp")));
    FUpButton->SetButtonDirection(bdUp);
    FDownButton = CreateButton();
    FDownButton->SetGlyph(SpinGlyphResource(QStringLiteral("TsgSpinDown")));
    FDownButton->SetButtonDirection(bdDown);
    FFocusedButton = FUpButton;
    resize(15, 25);
    AdjustSize();
}

TTxTimerSpeedButton* TTsgSpinButton::CreateButton()
{
    auto* b = new TTxTimerSpeedButton(this);
    b->OnClick = [this](QObject* Sender) { BtnClick(Sender); };
    b->OnMouseDown = [this](QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers, int, int) {
        BtnMouseDown(Sender, Button);
    };
    b->TimeBtnState = tbAllowTimer;
    b->show();
    return b;
}

void TTsgSpinButton::SetDirection(TSpinDirection Value)
{
    if (FDirection == Value)
        return;
    FDirection = Value;
    if (Value == spHorizontal) {
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
        resize(20, height());
    } else {
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
        resize(15, height());
    }
    AdjustSize();
}

void TTsgSpinButton::AdjustSize()
{
    const int minWidth = SpinButtonMinWidth(FDirection);
    if (width() < minWidth)
        resize(minWidth, height());
    const TSpinButtonRects r = SpinButtonLayout(FDirection, width(), height());
    FUpButton->setGeometry(r.Up.toQRect());
    FDownButton->setGeometry(r.Down.toQRect());
}

void TTsgSpinButton::resizeEvent(QResizeEvent*) { AdjustSize(); }

void TTsgSpinButton::SetUpGlyph(const QImage* Value)
{
    if (Value) {
        FUpButton->SetGlyph(*Value);
        return;
    }
    FUpButton->SetGlyph(SpinGlyphResource(QStringLiteral("TsgSpinUp")));
    FUpButton->SetNumGlyphs(1);
    FUpButton->update();
}

void TTsgSpinButton::SetDownGlyph(const QImage* Value)
{
    if (Value) {
        FDownButton->SetGlyph(*Value);
        return;
    }
    FDownButton->SetGlyph(SpinGlyphResource(QStringLiteral("TsgSpinDown")));
    FDownButton->SetNumGlyphs(1);
    FDownButton->update();
}

void TTsgSpinButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FUpButton->SetIsWinXP(Value);
    FDownButton->SetIsWinXP(Value);
}

void TTsgSpinButton::SetFocusMark(TTxTimerSpeedButton* Btn, bool On)
{
    if (On)
        Btn->TimeBtnState |= tbFocusRect;
    else
        Btn->TimeBtnState &= ~unsigned(tbFocusRect);
    Btn->update();
}

void TTsgSpinButton::SetFocusBtn(TTxTimerSpeedButton* Btn)
{
    const bool canFocus = isVisible() && isEnabled();
    if (!TabStop() || !canFocus || Btn == FFocusedButton)
        return;
    SetFocusMark(FFocusedButton, false);
    FFocusedButton = Btn;
    if (hasFocus())
        SetFocusMark(FFocusedButton, true);
}

void TTsgSpinButton::BtnMouseDown(QObject* Sender, Qt::MouseButton Button)
{
    if (Button != Qt::LeftButton)
        return;
    SetFocusBtn(static_cast<TTxTimerSpeedButton*>(Sender));
    QWidget* fc = FFocusControl;
    const auto canFocus = [](QWidget* w) { return w->isVisible() && w->isEnabled(); };
    if (fc && (fc->focusPolicy() & Qt::TabFocus) && canFocus(fc) && !fc->hasFocus())
        fc->setFocus(Qt::MouseFocusReason);
    else if (TabStop() && canFocus(this) && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void TTsgSpinButton::BtnClick(QObject* Sender)
{
    if (Sender == FUpButton) {
        if (OnUpClick)
            OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TTsgSpinButton::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Space: FFocusedButton->Click(); break;
    case Qt::Key_Up:
        SetFocusBtn(FUpButton);
        FUpButton->Click();
        break;
    case Qt::Key_Down:
        SetFocusBtn(FDownButton);
        FDownButton->Click();
        break;
    default: ui::Control::keyPressEvent(e); return;
    }
    e->accept();
}

void TTsgSpinButton::focusInEvent(QFocusEvent* e)
{
    ui::Control::focusInEvent(e);
    SetFocusMark(FFocusedButton, true);
}

void TTsgSpinButton::focusOutEvent(QFocusEvent* e)
{
    ui::Control::focusOutEvent(e);
    SetFocusMark(FFocusedButton, false);
}

// --- TTsgSpinEdit ------------------------------------------------------------------------

TTsgSpinEdit::TTsgSpinEdit(QWidget* AOwner) : TCustomEdit(AOwner)
{
    resize(121, 21);
    FButton = new TTsgSpinButton(this);
    FButton->resize(15, 17);
    FButton->show();
    FButton->SetFocusControl(this);
    FButton->OnUpClick = [this](QObject* Sender) { UpClick(Sender); };
    FButton->OnDownClick = [this](QObject* Sender) { DownClick(Sender); };
    setText(QStringLiteral("0"));
    AdjustLayout();
}

TTsgSpinEdit::~TTsgSpinEdit() { FButton = nullptr; }

// --- values ---

int TTsgSpinEdit::Value() const { return SpinTextToInt(text(), MinValue); }

void TTsgSpinEdit::SetValue(int AValue)
{
    setText(QString::number(SpinClamp(AValue, MinValue, MaxValue)));
    if (!EditorEnabled)
        selectAll();
}

double TTsgSpinEdit::FloatValue() const { return SpinTextToFloat(text(), MinValue); }

void TTsgSpinEdit::SetFloatValue(double AValue)
{
    setText(SpinFloatToText(SpinClamp(AValue, MinFloatValue, MaxFloatValue), FPrecision));
}

TDateTime TTsgSpinEdit::DateValue() const { return SpinTextToDate(text(), MinDateValue, SpinNow()); }

void TTsgSpinEdit::SetDateValue(TDateTime AValue)
{
    FDateValue = AValue;
    if (Loading())
        return;
    FDateValue = SpinClamp(AValue, MinDateValue, MaxDateValue);
    SetTextKeepCaret(SpinDateToText(FDateValue));
}

TDateTime TTsgSpinEdit::TimeValue() const { return SpinTextToTime(text()); }

void TTsgSpinEdit::SetTimeValue(TDateTime AValue)
{
    FTimeValue = AValue;
    if (!Loading())
        SetTextKeepCaret(SpinTimeToText(AValue));
}

void TTsgSpinEdit::SetTextKeepCaret(const QString& Value)
{
    const int caret = cursorPosition();
    setText(Value);
    setCursorPosition(std::min(caret, int(text().size())));
}

void TTsgSpinEdit::SetSpinType(TTsgSpinType Value)
{
    FSpinType = Value;
    // While a form is read the text waits for Loaded, which writes it from the stored values.
    if (Loading())
        return;
    switch (Value) {
    case sptNormal: SetValue(this->Value()); break;
    case sptFloat: SetFloatValue(FloatValue()); break;
    case sptDate: SetDateValue(DateValue()); break;
    case sptTime: SetTimeValue(TimeValue()); break;
    }
}

void TTsgSpinEdit::SetPrecision(int Value)
{
    FPrecision = Value;
    if (FSpinType == sptFloat)
        SetFloatValue(FloatValue());
}

void TTsgSpinEdit::Loaded()
{
    TCustomEdit::Loaded();
    if (FSpinType == sptDate)
        SetDateValue(FDateValue);
    else if (FSpinType == sptTime)
        SetTimeValue(FTimeValue);
    SetSpinType(FSpinType);
}

// --- stepping ---

void TTsgSpinEdit::UpClick(QObject*) { Step(true); }

void TTsgSpinEdit::DownClick(QObject*) { Step(false); }

void TTsgSpinEdit::Step(bool Up)
{
    if (isReadOnly()) {
        MessageBeep();
        return;
    }
    const int sign = Up ? 1 : -1;
    switch (FSpinType) {
    case sptNormal: {
        // Held within the integers rather than wrapping round at their ends.
        const qint64 v = qint64(Value()) + sign * qint64(Increment);
        SetValue(int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
        break;
    }
    case sptFloat: SetFloatValue(FloatValue() + sign * IncrementFloat); break;
    case sptDate: {
        const int field = SpinCaretField(text(), cursorPosition(), TRegional::Current().DateSeparator);
        SetDateValue(SpinStepDate(DateValue(), field, sign));
        break;
    }
    case sptTime: {
        const int field = SpinCaretField(text(), cursorPosition(), TimeSeparator());
        SetTimeValue(SpinStepTime(TimeValue(), field, Up));
        break;
    }
    }
}

// --- look ---

void TTsgSpinEdit::SetDirection(TSpinDirection Value)
{
    FButton->SetDirection(Value);
    AdjustLayout();
}

void TTsgSpinEdit::SetSpinFlat(bool Value)
{
    FSpinFlat = Value;
    FButton->UpButton()->SetFlat(Value);
    FButton->DownButton()->SetFlat(Value);
}

void TTsgSpinEdit::SetSpinTransparent(bool Value)
{
    FSpinTransparent = Value;
    FButton->UpButton()->SetTransparent(Value);
    FButton->DownButton()->SetTransparent(Value);
    AdjustLayout();
}

void TTsgSpinEdit::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->SetIsWinXP(Value);
}

int TTsgSpinEdit::MinHeight() const
{
    return SpinEditMinHeight(ui::textMeasurer()->height(controlFont()), SystemFontHeight(), BorderStyle() == bsSingle);
}

void TTsgSpinEdit::AdjustLayout()
{
    if (!FButton)
        return;
    if (height() < MinHeight()) {
        resize(width(), MinHeight());
        if (isVisible())
            return; // the resize laid it out; a hidden edit gets its resize event when shown
    }
    const bool border = BorderStyle() == bsSingle;
    const ui::Rect r = EditButtonPlace(width(), height(), FButton->width(), Ctl3D(), border);
    const int f = FrameWidth();
    FButton->setGeometry(r.Left + f, r.Top + f, r.width(), std::max(0, r.height()));
    SetEditRect(SpinEditTextRect(ClientWidth(), ClientHeight(), border, FButton->width()));
}

void TTsgSpinEdit::resizeEvent(QResizeEvent* e)
{
    TCustomEdit::resizeEvent(e);
    AdjustLayout();
}

// --- input ---

void TTsgSpinEdit::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        e->accept();
        ui::guard([&] {
            if (e->key() == Qt::Key_Up)
                UpClick(this);
            else
                DownClick(this);
        });
        return;
    case Qt::Key_Delete:
        if (!EditorEnabled) {
            e->accept();
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (ReturnIsTab)
            QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
        break;
    default: break;
    }
    // The typed character, as the filter sees it.
    QChar typed;
    switch (e->key()) {
    case Qt::Key_Backspace: typed = QChar(8); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: typed = QChar(13); break;
    case Qt::Key_Escape: typed = QChar(27); break;
    default:
        if (e->text().size() == 1)
            typed = e->text().front();
    }
    if (!typed.isNull()) {
        QChar key = typed;
        const TSpinCharContext context{text(), SelStart(), SelLength(), FSpinType, FPrecision, EditorEnabled};
        if (!SpinIsValidChar(key, context, TRegional::Current())) {
            e->accept();
            MessageBeep();
            return;
        }
        if (key != typed) {
            QKeyEvent replaced(e->type(), Qt::Key(key.unicode()), e->modifiers(), QString(key));
            TCustomEdit::keyPressEvent(&replaced);
            e->setAccepted(replaced.isAccepted());
            return;
        }
    }
    TCustomEdit::keyPressEvent(e);
}

void TTsgSpinEdit::focusInEvent(QFocusEvent* e)
{
    TCustomEdit::focusInEvent(e);
    const bool leftDown = QGuiApplication::mouseButtons() & Qt::LeftButton;
    if (AutoSelect && !(leftDown && EditorEnabled))
        selectAll();
}

void TTsgSpinEdit::focusOutEvent(QFocusEvent* e)
{
    TCustomEdit::focusOutEvent(e);
    ui::guard([this] {
        switch (FSpinType) {
        case sptNormal: {
            const int v = Value();
            if (SpinClamp(v, MinValue, MaxValue) != v)
                SetValue(v);
            break;
        }
        case sptFloat: {
            const double v = FloatValue();
            if (SpinClamp(v, MinFloatValue, MaxFloatValue) != v)
                SetFloatValue(v);
            break;
        }
        case sptDate: {
            const TDateTime v = DateValue();
            if (SpinClamp(v, MinDateValue, MaxDateValue) != v)
                SetDateValue(v);
            break;
        }
        case sptTime: {
            // Only the text is written again, from the same time.
            const TDateTime v = TimeValue();
            if (SpinClamp(v, MinDateValue, MaxDateValue) != v)
                SetTimeValue(v);
            break;
        }
        }
    });
}

} // namespace grid
