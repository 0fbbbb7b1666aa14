#pragma once
// What the companion controls of the grid library (the flat combo box, the edits with a
// button and the spin edits) share: the sender-only event, three-dimensional edges and frame
// controls drawn in the desktop's classic manner, the beep, the popup-menu and repeat-timer
// seams that tests replace, the speed button they build their buttons on, and the single-line
// edit with a border of its own that the edits derive from.
#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"

#include <QImage>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QPainter;
class QTimer;

namespace grid {

// A notification with the control that sent it.
using TSenderEvent = std::function<void(QObject* Sender)>;
using TMouseButtonEvent =
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;

// --- edges and frame controls ------------------------------------------------------------
// Edge kinds: an outer and an inner ring, each raised or sunken.
enum : unsigned {
    BDR_RAISEDOUTER = 0x1,
    BDR_SUNKENOUTER = 0x2,
    BDR_RAISEDINNER = 0x4,
    BDR_SUNKENINNER = 0x8,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER
};
// Edge flags: the sides, the face filled, flat (one shadow ring), the rectangle moved inwards.
enum : unsigned {
    BF_LEFT = 0x1,
    BF_TOP = 0x2,
    BF_RIGHT = 0x4,
    BF_BOTTOM = 0x8,
    BF_RECT = 0xF,
    BF_MIDDLE = 0x800,
    BF_ADJUST = 0x2000,
    BF_FLAT = 0x4000
};
// Outer ring: raised = 3-D light / 3-D dark shadow, sunken = button shadow / highlight. Inner
// ring: raised = highlight / shadow, sunken = dark shadow / 3-D light. Flat: a shadow ring
// outside and a face ring inside. Top and left lines leave their last pixel to the bottom and
// right lines.
void DrawEdge(ui::Canvas& Canvas, ui::Rect& R, unsigned Edge, unsigned Flags);

enum TScrollArrow { saUp, saDown, saLeft, saRight };
// A push-button frame filled with the button face; R is moved inside the frame.
void DrawPushFrame(ui::Canvas& Canvas, ui::Rect& R, bool Pushed, bool Flat);
// A scroll-bar arrow button: the push frame and a button-text triangle in its middle, one pixel
// right and down while pushed.
void DrawScrollArrow(ui::Canvas& Canvas, ui::Rect R, TScrollArrow Arrow, bool Pushed, bool Flat);
// A black (button-text) triangle of the given height with its tip towards Arrow, centred in R.
void DrawArrowGlyph(ui::Canvas& Canvas, const ui::Rect& R, TScrollArrow Arrow, int Size);
// Leaves R out of what the painter draws from now on (Whole is the surface's rectangle).
void ExcludeClipRect(QPainter& Painter, const ui::Rect& Whole, const ui::Rect& R);
// A glyph drawn with its bottom-left pixel's colour left out (transparent).
void DrawTransparentGlyph(ui::Canvas& Canvas, int X, int Y, const QImage& Glyph);
// Image Index (from 0) of a glyph holding Count equally wide images side by side.
QImage GlyphPart(const QImage& Glyph, int Count, int Index);

// --- seams -------------------------------------------------------------------------------
// The default beep (refused input, a read-only spin). Tests count beeps through the handler;
// an empty handler restores the system's beep.
void MessageBeep();
void SetBeepHandler(std::function<void()> Handler);

// Shows Menu at the screen position and returns the chosen entry (nullptr when none). Tests
// play the user through the tracker; an empty tracker restores the real popup.
using TPopupTracker = std::function<QAction*(QMenu& Menu, const QPoint& ScreenPos)>;
QAction* TrackPopupMenu(QMenu& Menu, const QPoint& ScreenPos);
void SetPopupTracker(TPopupTracker Tracker);

// A single-shot-free interval timer. The program's runs on the event loop; tests drive a fake.
class TRepeatTimer {
public:
    virtual ~TRepeatTimer() = default;
    virtual void SetInterval(int Milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Active() const = 0;
    // Called at every expiry.
    std::function<void()> OnTimer;
};
using TRepeatTimerFactory = std::function<std::unique_ptr<TRepeatTimer>()>;
std::unique_ptr<TRepeatTimer> CreateRepeatTimer();
// An empty factory restores the event-loop timer.
void SetRepeatTimerFactory(TRepeatTimerFactory Factory);

// Repeating a click while a button is held: the first repeat 400 ms after the press, then one
// every 100 ms for as long as the button still shows pressed and holds the mouse.
class TAutoRepeat {
public:
    static constexpr int FirstDelay = 400;
    static constexpr int RepeatDelay = 100;

    // The press: makes the timer on first use and starts it with the first delay.
    void Press();
    // An expiry: the repeat delay from now on; Click runs when Pressed and Captured. A Click
    // that raises stops the timer and the exception goes on.
    void Expired(bool Pressed, bool Captured, const std::function<void()>& Click);
    // The release stops the timer.
    void Release();
    bool Running() const { return FTimer && FTimer->Active(); }
    TRepeatTimer* Timer() const { return FTimer.get(); }
    // Called at each expiry of the timer once it exists.
    std::function<void()> OnExpired;

private:
    std::unique_ptr<TRepeatTimer> FTimer;
};

// --- the speed button --------------------------------------------------------------------
// A button that takes no focus: pressed while the left button is held over it, a click when
// the left button is released over it. Flat buttons show an edge only while the mouse is over
// them or they are down.
class TSpeedButton : public ui::Control {
    Q_OBJECT
public:
    explicit TSpeedButton(QWidget* AOwner = nullptr);

    const QImage& Glyph() const { return FGlyph; }
    void SetGlyph(const QImage& Value); // copied
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value); // 1 to 4
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // Shown pressed.
    bool Down() const { return FDown; }
    // The left button went down on it and is still held.
    bool MouseCapture() const { return FDragging; }
    bool MouseInControl() const { return FMouseInControl; }

    // Fires OnClick.
    virtual void Click();
    TSenderEvent OnClick;
    TMouseButtonEvent OnMouseDown;
    TMouseButtonEvent OnMouseUp;

    // The mouse as the button sees it (the event handlers call these).
    virtual void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseMove(int X, int Y);
    virtual void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    virtual void MouseEnter();
    virtual void MouseLeave();

protected:
    // The standard look: a push frame (flat: an edge only when hot or down), then the glyph
    // and the caption.
    void paint(ui::Canvas& Canvas) override;
    // The glyph centred where it is smaller than R and the caption at (2, 2), both one pixel
    // right and down while down.
    void DrawGlyphAndCaption(ui::Canvas& Canvas, const ui::Rect& R);

    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    QImage FGlyph;
    int FNumGlyphs = 1;
    QString FCaption;
    bool FFlat = false;
    bool FTransparent = false;
    bool FDown = false;
    bool FDragging = false;
    bool FMouseInControl = false;
};

// --- the single-line edit ----------------------------------------------------------------
enum TBorderStyle { bsNone, bsSingle };

// A single-line edit whose border the control draws itself: two pixels of sunken edge with
// 3-D controls, one pixel of window frame without, none without a border. The client area is
// inside the border; the edit rectangle (where the text goes) is set in client coordinates.
// Paste and cut can be refused; an edit mask is the masked edit's.
class TCustomEdit : public QLineEdit, public ui::ControlState {
    Q_OBJECT
public:
    explicit TCustomEdit(QWidget* AOwner = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& Value) { setText(Value); }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool AutoSelect = true;
    bool AutoSize = true;
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value); // 0: no limit
    bool ReadOnly() const { return isReadOnly(); }
    void SetReadOnly(bool Value) { setReadOnly(Value); }
    QString EditMask() const { return inputMask(); }
    void SetEditMask(const QString& Value) { setInputMask(Value); }
    bool TabStop() const;
    void SetTabStop(bool Value);
    int SelStart() const;
    int SelLength() const;

    // The border's width on each side.
    int FrameWidth() const;
    int ClientWidth() const { return std::max(0, width() - 2 * FrameWidth()); }
    int ClientHeight() const { return std::max(0, height() - 2 * FrameWidth()); }
    // The edit rectangle in client coordinates, as last set.
    ui::Rect EditRect() const { return FEditRect; }
    void SetEditRect(const ui::Rect& R);

    // While a form is read into the control, setters store without touching the text.
    bool Loading() const { return FLoading; }
    void BeginLoading() { FLoading = true; }
    // The end of reading (descendants finish their properties).
    virtual void Loaded() { FLoading = false; }

protected:
    // Whether paste and cut reach the text.
    virtual bool CanPasteCut() const { return !isReadOnly(); }
    // The border changed: the client area moved.
    virtual void BorderChanged() {}

    void controlChanged() override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void ApplyMargins();

    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    int FMaxLength = 0;
    bool FLoading = false;
    ui::Rect FEditRect;
};

// The control colour of a widget's parent (the parent's brush): a library control's own
// colour, else the parent's background; the button face without a parent.
ui::Color ParentBrushColor(const QWidget* Control);

// The system font's line height, for the minimum heights of the edits.
int SystemFontHeight();

} // namespace grid
