#pragma once
// The grid's one home for input. Every key, mouse, wheel, focus, timer and filtered event of
// TTxStringGrid enters in TxgridInput.cpp, where each entry is guarded once (what a step or an
// event handler throws is shown as the program's errors are, never passed to Qt), and walks
// the step list of its kind of event. A step answers whether the event ends with it; the
// order of a list is the order of its names. The state kept between events is here too; the
// grid's input feature (TGridInput, TxgridInputSteps.h) holds it.
#include "grid/core/TxgridTypes.h"
#include "platform/ui/StringGridCore.h"

#include <QBasicTimer>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace grid {

class TGridInput;

// The kinds of event, each with a step list of its own.
enum TInputKind : unsigned {
    ikKeyDown,    // a key pressed on the grid (or handed back by an editor)
    ikKeyUp,      // a key released, auto-repeat left out
    ikNavigate,   // the platform grid's navigation hook (keyDown), from the key steps and editors
    ikMouseDown,  // a press
    ikAfterPress, // the same press once its steps are done, whether or not one ended it
    ikMouseUp,    // a release
    ikDblClick,   // a double click
    ikMouseMove,  // the mouse moved
    ikWheel,      // the wheel turned, by a notch or less
    ikFocusIn,    // the grid got the focus
    ikTimer,      // the grid's 500 ms timer
    ikPanTimer,   // the panning timer, while panning with the middle button
};

// One event as the steps see it. Positions are in the grid's client (viewport) coordinates.
struct TInputEvent {
    TInputKind Kind = ikKeyDown;
    int Key = 0;  // key down, key up: the key; the navigation step sets it to 0 when it used it
    QString Text; // key down: the character typed with it, if any
    bool Keypad = false;
    Qt::KeyboardModifiers Mods;
    Qt::MouseButton Button = Qt::NoButton;
    Qt::MouseButtons Buttons;
    QPoint Pos;
    int WheelAngle = 0; // wheel: the angle turned, 120 a notch, negative towards the user
    Qt::FocusReason FocusReason = Qt::OtherFocusReason; // focus in: how the focus came
    // Noted before any step runs (key down): the current cell and the selection.
    int Col0 = -1, Row0 = -1;
    ui::GridRect Sel0;
    bool CursorSet = false; // a movement step chose the cursor
    bool Ctrl() const { return Mods & Qt::ControlModifier; }
    bool Shift() const { return Mods & Qt::ShiftModifier; }
    bool Alt() const { return Mods & Qt::AltModifier; }
};

using TInputStep = bool (TGridInput::*)(TInputEvent& E); // true: the event ends here

struct TInputStepEntry {
    const char* Name;
    TInputStep Step;
};

// The steps of an event of Kind, in the order they run.
std::span<const TInputStepEntry> InputSteps(TInputKind Kind);
// Every list's steps, kind after kind.
std::vector<TInputStepEntry> InputSteps();
// The names of the steps an event of Kind passes, in order (for tests and the README).
QStringList InputStepNames(TInputKind Kind);

enum TMouseState { msNormal, msColSizing, msRowSizing, msColMoving, msRowMoving, msFixedColSizing };

// What the input keeps between events.
struct TInputState {
    TMouseState State = msNormal;
    QPoint PressPoint;
    int PressCol = -1, PressRow = -1; // the base cell pressed; -1 outside the cells
    bool LeftDown = false;
    int SizeCol = -1, SizeRow = -1; // the sizing reference and its size before
    int SizeWidth = 0, SizeHeight = 0;
    int SizingLineX = -1;               // the fixed column's sizing line while it is dragged
    int ButtonCol = -1, ButtonRow = -1; // a pressed cell button
    int SunkenCol = -1, SunkenRow = -1; // a pressed fixed cell drawn sunken (FixedAsButtons)
    int MoveSource = -1, MoveTarget = -1;
    QPoint MoveOffset;               // where the press was inside the moved cell
    bool MoveOrSizeFinished = false; // the next release does not sort
    bool DblClickSized = false;
    int UnmarkRow = -1;          // disjunct marks: unmarked on release
    bool MouseSelecting = false; // disjunct marks: a plain press selects until the release
    bool Deferred = false;       // the press left the selection for the release (or a drag)
    bool DragArmed = false;      // moving the mouse away from the press starts a drag
    int CursorZone = 0;          // 1 column select, 2 row select, 3 all select
    int SelectAnchor = -1;       // the first row / column of a header-driven selection
    QString LastAnchor;
    int HintCol = -1, HintRow = -1;
    bool Panning = false;
    QPoint PanFocus;
    QBasicTimer PanTimer;
    int PanCursor = 8000;
    QBasicTimer Timer; // the grid's 500 ms timer: hover selection and blinking
    bool BlinkOn = true;
    int WheelLines = 3; // lines per wheel notch, from the system when the grid is made
    // What the wheel turned short of a line, kept for the next turn: rows and zoom apart.
    int WheelRest = 0, ZoomRest = 0;
    bool StretchEnabled = true;
    int LastClientWidth = 0;
    int ScrollCol = -1, ScrollRow = -1; // the last thumb-drag hint numbers
};

// Pure rules of the input, testable without a window.
// Whether a key typed into the grid is kept from the window's shortcuts and mnemonics: a
// character without Alt, Ctrl or Meta (with Alt the window's accelerators have it).
bool KeptFromShortcuts(Qt::KeyboardModifiers Mods, const QString& Text);
// Zoom: whether the accumulated zoom may change by N (stays within -10 .. 10).
bool ZoomAllowed(int Accumulated, int N);
// The whole lines a wheel turn of Angle (120 a notch of LinesPerNotch lines) moves, with the
// part short of a line kept in Rest for the next turn: a touchpad or a fine wheel turns a
// notch in several small steps. A turn the other way drops what the last one left.
int WheelTurnLines(int& Rest, int Angle, int LinesPerNotch);
// Panning direction of one axis: -1, 0 or 1 with a dead zone of 5 pixels.
int PanDirection(int Mouse, int Focus);
// The cursor resource for a panning direction (8000 .. 8008).
int PanCursorId(int Dx, int Dy);
// The comment as a hint: its closing line break dropped, never more.
QString CommentHint(const QString& Comment);
// The panning focus point for the directions the grid pans in (32 by 32, transparent around).
QImage PanFocusImage(TIntelliPan Pan);
// The sizing hints "cw=<b>w</b>" and "rh=<b>h</b>".
QString SizingHint(bool Column, int Size);
// The scroll hint number for a thumb at Pos (0..127) over Count cells, Visible and Fixed.
int ScrollHintNumber(int Pos, int Count, int Visible, int Fixed);

} // namespace grid
