#include "grid/controls/TsgBase.h"

#include "platform/ui/Application.h"
#include "platform/ui/Connect.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace grid {

// --- edges and frame controls ------------------------------------------------------------

namespace {

void fill(ui::Canvas& Canvas, const ui::Rect& R, ui::Color C)
{
    const ui::Brush saved = Canvas.brush;
    Canvas.brush = ui::Brush{C};
    Canvas.fillRect(R);
    Canvas.brush = saved;
}

// One ring of an edge on the sides in Flags; R moves inwards on those sides.
void ring(ui::Canvas& Canvas, ui::Rect& R, ui::Color TopLeft, ui::Color BottomRight, unsigned Flags)
{
    if (R.isEmpty())
        return;
    if (Flags & BF_TOP)
        fill(Canvas, {R.Left, R.Top, R.Right - 1, R.Top + 1}, TopLeft);
    if (Flags & BF_LEFT)
        fill(Canvas, {R.Left, R.Top, R.Left + 1, R.Bottom - 1}, TopLeft);
    if (Flags & BF_BOTTOM)
        fill(Canvas, {R.Left, R.Bottom - 1, R.Right, R.Bottom}, BottomRight);
    if (Flags & BF_RIGHT)
        fill(Canvas, {R.Right - 1, R.Top, R.Right, R.Bottom}, BottomRight);
    if (Flags & BF_LEFT)
        ++R.Left;
    if (Flags & BF_TOP)
        ++R.Top;
    if (Flags & BF_RIGHT)
        --R.Right;
    if (Flags & BF_BOTTOM)
        --R.Bottom;
}

} // namespace

void DrawEdge(ui::Canvas& Canvas, ui::Rect& R, unsigned Edge, unsigned Flags)
{
    ui::Rect r = R;
    const bool flat = Flags & BF_FLAT;
    if (Edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        if (flat)
            ring(Canvas, r, ui::clBtnShadow, ui::clBtnShadow, Flags);
        else if (Edge & BDR_RAISEDOUTER)
            ring(Canvas, r, ui::cl3DLight, ui::cl3DDkShadow, Flags);
        else
            ring(Canvas, r, ui::clBtnShadow, ui::clBtnHighlight, Flags);
    }
    if (Edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
        if (flat)
            ring(Canvas, r, ui::clBtnFace, ui::clBtnFace, Flags);
        else if (Edge & BDR_RAISEDINNER)
            ring(Canvas, r, ui::clBtnHighlight, ui::clBtnShadow, Flags);
        else
            ring(Canvas, r, ui::cl3DDkShadow, ui::cl3DLight, Flags);
    }
    if (Flags & BF_MIDDLE)
        fill(Canvas, r, ui::clBtnFace);
    if (Flags & BF_ADJUST)
        R = r;
}

void DrawPushFrame(ui::Canvas& Canvas, ui::Rect& R, bool Pushed, bool Flat)
{
    DrawEdge(Canvas, R, Pushed ? unsigned(EDGE_SUNKEN) : unsigned(EDGE_RAISED),
             BF_RECT | BF_MIDDLE | BF_ADJUST | (Flat ? unsigned(BF_FLAT) : 0u));
}

void DrawArrowGlyph(ui::Canvas& Canvas, const ui::Rect& R, TScrollArrow Arrow, int Size)
{
    if (Size < 1 || R.isEmpty())
        return;
    const int cx = R.Left + (R.width() - 1) / 2;
    const int cy = R.Top + (R.height() - 1) / 2;
    // Row i (from the tip) is 2i + 1 pixels wide.
    for (int i = 0; i < Size; ++i) {
        const int along = i - Size / 2;
        switch (Arrow) {
        case saUp: fill(Canvas, {cx - i, cy + along, cx + i + 1, cy + along + 1}, ui::clBtnText); break;
        case saDown: fill(Canvas, {cx - i, cy - along, cx + i + 1, cy - along + 1}, ui::clBtnText); break;
        case saLeft: fill(Canvas, {cx + along, cy - i, cx + along + 1, cy + i + 1}, ui::clBtnText); break;
        case saRight: fill(Canvas, {cx - along, cy - i, cx - along + 1, cy + i + 1}, ui::clBtnText); break;
        }
    }
}

void DrawScrollArrow(ui::Canvas& Canvas, ui::Rect R, TScrollArrow Arrow, bool Pushed, bool Flat)
{
    DrawPushFrame(Canvas, R, Pushed, Flat);
    if (Pushed) {
        ++R.Left;
        ++R.Top;
        ++R.Right;
        ++R.Bottom;
    }
    const int room = std::min(R.width(), R.height());
    DrawArrowGlyph(Canvas, R, Arrow, std::max(1, (room + 1) / 3));
}

void ExcludeClipRect(QPainter& Painter, const ui::Rect& Whole, const ui::Rect& R)
{
    const QRegion current = Painter.hasClipping() ? Painter.clipRegion() : QRegion(Whole.toQRect());
    Painter.setClipRegion(current.subtracted(QRegion(R.toQRect())));
}

QImage GlyphPart(const QImage& Glyph, int Count, int Index)
{
    if (Glyph.isNull())
        return {};
    Count = std::clamp(Count, 1, 4);
    const int w = Glyph.width() / Count;
    if (w <= 0)
        return Glyph;
    Index = std::clamp(Index, 0, Count - 1);
    return Glyph.copy(Index * w, 0, w, Glyph.height());
}

void DrawTransparentGlyph(ui::Canvas& Canvas, int X, int Y, const QImage& Glyph)
{
    if (Glyph.isNull() || !Canvas.painter())
        return;
    QImage img = Glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, img.height() - 1) | 0xFF000000u;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] | 0xFF000000u) == key)
                line[x] = 0;
    }
    Canvas.drawImage(X, Y, img);
}

// --- seams -------------------------------------------------------------------------------

namespace {
std::function<void()>& beepHandler()
{
    static std::function<void()> h;
    return h;
}
TPopupTracker& popupTracker()
{
    static TPopupTracker t;
    return t;
}
TRepeatTimerFactory& timerFactory()
{
    static TRepeatTimerFactory f;
    return f;
}

// The event-loop timer.
class TQtRepeatTimer : public TRepeatTimer {
public:
    TQtRepeatTimer()
    {
        ui::on(&FTimer, &QTimer::timeout, &FTimer, [this] {
            if (OnTimer)
                OnTimer();
        });
    }
    void SetInterval(int Milliseconds) override { FTimer.setInterval(Milliseconds); }
    int Interval() const override { return FTimer.interval(); }
    void Start() override { FTimer.start(); }
    void Stop() override { FTimer.stop(); }
    bool Active() const override { return FTimer.isActive(); }

private:
    QTimer FTimer;
};
} // namespace

void MessageBeep()
{
    if (beepHandler())
        beepHandler()();
    else
        QApplication::beep();
}

void SetBeepHandler(std::function<void()> Handler) { beepHandler() = std::move(Handler); }

QAction* TrackPopupMenu(QMenu& Menu, const QPoint& ScreenPos)
{
    if (popupTracker())
        return popupTracker()(Menu, ScreenPos);
    return Menu.exec(ScreenPos);
}

void SetPopupTracker(TPopupTracker Tracker) { popupTracker() = std::move(Tracker); }

std::unique_ptr<TRepeatTimer> CreateRepeatTimer()
{
    if (timerFactory())
        return timerFactory()();
    return std::make_unique<TQtRepeatTimer>();
}

void SetRepeatTimerFactory(TRepeatTimerFactory Factory) { timerFactory() = std::move(Factory); }

// --- TAutoRepeat -------------------------------------------------------------------------

void TAutoRepeat::Press()
{
    if (!FTimer) {
        FTimer = CreateRepeatTimer();
        FTimer->OnTimer = [this] {
            if (OnExpired)
                OnExpired();
        };
    }
    FTimer->SetInterval(FirstDelay);
    FTimer->Start();
}

void TAutoRepeat::Expired(bool Pressed, bool Captured, const std::function<void()>& Click)
{
    if (FTimer)
        FTimer->SetInterval(RepeatDelay);
    if (!Pressed || !Captured)
        return;
    try {
        Click();
    } catch (...) {
        if (FTimer)
            FTimer->Stop();
        throw;
    }
}

void TAutoRepeat::Release()
{
    if (FTimer)
        FTimer->Stop();
}

// --- TSpeedButton ------------------------------------------------------------------------

TSpeedButton::TSpeedButton(QWidget* AOwner) : ui::Control(AOwner)
{
    setFocusPolicy(Qt::NoFocus);
    setControlColor(ui::clBtnFace);
    setAttribute(Qt::WA_Hover);
    resize(23, 22);
}

void TSpeedButton::SetGlyph(const QImage& Value)
{
    FGlyph = Value;
    update();
}

void TSpeedButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = std::clamp(Value, 1, 4);
    update();
}

void TSpeedButton::SetCaption(const QString& Value)
{
    FCaption = Value;
    update();
}

void TSpeedButton::SetFlat(bool Value)
{
    if (FFlat == Value)
        return;
    FFlat = Value;
    update();
}

void TSpeedButton::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    update();
}

void TSpeedButton::Click()
{
    if (OnClick)
        OnClick(this);
}

void TSpeedButton::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
    if (Button == Qt::LeftButton && isEnabled()) {
        FDown = true;
        FDragging = true;
        update();
    }
}

void TSpeedButton::MouseMove(int X, int Y)
{
    if (!FDragging)
        return;
    const bool inside = X >= 0 && X < width() && Y >= 0 && Y < height();
    if (inside != FDown) {
        FDown = inside;
        update();
    }
}

void TSpeedButton::MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
    if (Button != Qt::LeftButton || !FDragging)
        return;
    FDragging = false;
    const bool doClick = X >= 0 && X < width() && Y >= 0 && Y <= height();
    FDown = false;
    update();
    if (doClick)
        Click();
}

void TSpeedButton::MouseEnter()
{
    FMouseInControl = true;
    if (FFlat)
        update();
}

void TSpeedButton::MouseLeave()
{
    FMouseInControl = false;
    if (FFlat)
        update();
}

void TSpeedButton::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    const QPoint p = e->position().toPoint();
    ui::guard([&] { MouseDown(e->button(), e->modifiers(), p.x(), p.y()); });
}

void TSpeedButton::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    MouseMove(p.x(), p.y());
}

void TSpeedButton::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    const QPoint p = e->position().toPoint();
    ui::guard([&] { MouseUp(e->button(), e->modifiers(), p.x(), p.y()); });
}

void TSpeedButton::enterEvent(QEnterEvent*) { MouseEnter(); }

void TSpeedButton::leaveEvent(QEvent*) { MouseLeave(); }

void TSpeedButton::DrawGlyphAndCaption(ui::Canvas& Canvas, const ui::Rect& R)
{
    const int shift = FDown ? 1 : 0;
    int index = 0;
    if (!isEnabled() && FNumGlyphs > 1)
        index = 1;
    else if (FDown && FNumGlyphs > 2)
        index = 2;
    const QImage glyph = GlyphPart(FGlyph, FNumGlyphs, index);
    if (!glyph.isNull()) {
        int x = R.Left, y = R.Top;
        if (glyph.width() < R.width())
            x += (R.width() - glyph.width()) / 2;
        if (glyph.height() < R.height())
            y += (R.height() - glyph.height()) / 2;
        DrawTransparentGlyph(Canvas, x + shift, y + shift, glyph);
    }
    if (!FCaption.isEmpty()) {
        Canvas.font = controlFont();
        if (!isEnabled())
            Canvas.font.color = ui::clGrayText;
        Canvas.textOut(2 + shift, 2 + shift, FCaption);
    }
}

void TSpeedButton::paint(ui::Canvas& Canvas)
{
    ui::Rect r{0, 0, width(), height()};
    if (FFlat) {
        if (!FTransparent)
            fill(Canvas, r, controlColor());
        if (FDown || (FMouseInControl && isEnabled()))
            DrawEdge(Canvas, r, FDown ? unsigned(BDR_SUNKENOUTER) : unsigned(BDR_RAISEDINNER), BF_RECT | BF_ADJUST);
    } else {
        DrawPushFrame(Canvas, r, FDown, false);
    }
    DrawGlyphAndCaption(Canvas, ui::Rect{0, 0, width(), height()});
}

// --- TCustomEdit -------------------------------------------------------------------------

TCustomEdit::TCustomEdit(QWidget* AOwner) : QLineEdit(AOwner)
{
    setFrame(false);
    setControlColor(ui::clWindow);
    setFocusPolicy(Qt::StrongFocus);
    ApplyMargins();
    controlChanged();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value)
        return;
    FBorderStyle = Value;
    ApplyMargins();
    BorderChanged();
    update();
}

void TCustomEdit::SetCtl3D(bool Value)
{
    if (FCtl3D == Value)
        return;
    FCtl3D = Value;
    ApplyMargins();
    BorderChanged();
    update();
}

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

bool TCustomEdit::TabStop() const { return focusPolicy() & Qt::TabFocus; }

void TCustomEdit::SetTabStop(bool Value) { setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus); }

int TCustomEdit::SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

int TCustomEdit::SelLength() const { return hasSelectedText() ? int(selectedText().size()) : 0; }

int TCustomEdit::FrameWidth() const
{
    if (FBorderStyle == bsNone)
        return 0;
    return FCtl3D ? 2 : 1;
}

void TCustomEdit::SetEditRect(const ui::Rect& R)
{
    FEditRect = R;
    ApplyMargins();
}

void TCustomEdit::ApplyMargins()
{
    // The line edit lays its text out inside its text margins: the border, then the edit
    // rectangle within the client area.
    const int f = FrameWidth();
    if (FEditRect == ui::Rect{}) {
        setTextMargins(f, f, f, f);
        return;
    }
    const int right = std::max(0, ClientWidth() - FEditRect.Right);
    const int bottom = std::max(0, ClientHeight() - FEditRect.Bottom);
    setTextMargins(f + std::max(0, FEditRect.Left), f + std::max(0, FEditRect.Top), f + right, f + bottom);
}

void TCustomEdit::controlChanged()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ui::toQColor(controlColor()));
    pal.setColor(QPalette::Text, ui::toQColor(controlFont().color));
    setPalette(pal);
    setFont(controlFont().toQFont());
    update();
}

void TCustomEdit::paintEvent(QPaintEvent* e)
{
    QLineEdit::paintEvent(e);
    if (FBorderStyle == bsNone)
        return;
    QPainter p(this);
    ui::Canvas canvas(&p);
    ui::Rect r{0, 0, width(), height()};
    if (FCtl3D)
        DrawEdge(canvas, r, EDGE_SUNKEN, BF_RECT);
    else
        canvas.frameRect(r, ui::clWindowFrame);
}

void TCustomEdit::keyPressEvent(QKeyEvent* e)
{
    if ((e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)) && !CanPasteCut()) {
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TCustomEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the selection on this desktop.
    if (e->button() == Qt::MiddleButton && !CanPasteCut()) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TCustomEdit::contextMenuEvent(QContextMenuEvent* e)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (!CanPasteCut()) {
        // The standard entries carry their shortcut after a tab.
        const auto tail = [](QKeySequence::StandardKey k) {
            return QLatin1Char('\t') + QKeySequence(k).toString(QKeySequence::NativeText);
        };
        const QString cut = tail(QKeySequence::Cut), paste = tail(QKeySequence::Paste);
        for (QAction* a : menu->actions())
            if (a->text().endsWith(cut) || a->text().endsWith(paste))
                a->setEnabled(false);
    }
    menu->exec(e->globalPos());
}

void TCustomEdit::dropEvent(QDropEvent* e)
{
    if (!CanPasteCut()) {
        e->ignore();
        return;
    }
    QLineEdit::dropEvent(e);
}

// --- helpers -----------------------------------------------------------------------------

ui::Color ParentBrushColor(const QWidget* Control)
{
    const QWidget* parent = Control ? Control->parentWidget() : nullptr;
    if (!parent)
        return ui::clBtnFace;
    if (const auto* state = dynamic_cast<const ui::ControlState*>(parent))
        return state->controlColor();
    return ui::fromQColor(parent->palette().color(parent->backgroundRole()));
}

int SystemFontHeight() { return ui::textMeasurer()->height(ui::Font::fromQFont(QApplication::font())); }

} // namespace grid
