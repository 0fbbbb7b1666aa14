// TTxStringGrid: the entries of input, and TGridInput's lists. Each Qt handler turns its event
// into a TInputEvent and walks the step list of its kind once, inside one guard: what a step or
// one of the grid's event handlers throws is shown where the program's errors go and never
// reaches Qt's event loop.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/input/TxgridInputSteps.h"
#include "grid/controls/Txobj.h"

#include "platform/ui/Application.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWheelEvent>

namespace grid {

namespace {

using I = TGridInput;

// One list per kind of event. The order is the behaviour: a step that ends an event keeps
// every later one of its list from seeing it.

// Keys, as the grid adds them around the platform grid's navigation. A key while panning ends
// the panning first. The clipboard's keys (Ctrl+C/X/V, Ctrl+Insert, Shift+Insert,
// Shift+Delete, gated by Navigation.AllowClipboardShortCuts) come before Insert and Delete
// work on rows.
constexpr TInputStepEntry kKeySteps[] = {
    {"pan-end", &I::PanEnd},         {"check-space", &I::CheckSpace},
    {"home-end", &I::HomeEnd},       {"tab-merged", &I::TabMerged},
    {"navigation", &I::Navigation},  {"selection-rectangle", &I::SelectionRectangle},
    {"clipboard", &I::Clipboard},    {"insert-row", &I::InsertRow},
    {"select-all", &I::SelectAll},   {"disjunct-rows", &I::DisjunctRows},
    {"delete-row", &I::DeleteRow},   {"tab-wrap", &I::TabWrap},
    {"find-typing", &I::FindTyping}, {"typed-char", &I::TypedChar},
};

// The platform grid's navigation hook (keyDown): the key step "navigation" and the editors
// that hand a key back reach it. Escape while editing gives the cell back its text; Enter on
// a check box or radio group moves on; every other key moves as the platform grid moves.
constexpr TInputStepEntry kNavigateSteps[] = {
    {"escape-restore", &I::EscapeRestore},
    {"static-enter", &I::StaticEnter},
    {"platform-keys", &I::PlatformKeys},
};

// Key releases: a navigation key ends the lookup typed so far; with AlwaysEdit the editor
// opens again on the cell an arrow or Tab reached.
constexpr TInputStepEntry kKeyUpSteps[] = {
    {"lookup-reset", &I::LookupReset},
    {"always-edit", &I::AlwaysEditAgain},
};

// Presses. A press while panning only ends the panning.
constexpr TInputStepEntry kPressSteps[] = {
    {"pan-end", &I::PanEnd},
    {"pan-start", &I::PanStart},
    {"right-click", &I::RightClick},
    {"press", &I::Press},
    {"fixed-col-sizing", &I::FixedColSizing},
    {"sizing-start", &I::SizingStart},
    {"outside", &I::Outside},
    {"fixed-press", &I::FixedPress},
    {"nodes", &I::Nodes},
    {"radio", &I::Radio},
    {"deferred-press", &I::DeferredPress},
    {"cell-button", &I::CellButton},
    {"disjunct-press", &I::DisjunctPress},
    {"anchors", &I::Anchors},
    {"select-zones", &I::SelectZones},
    {"move-source", &I::MoveSource},
    {"check-box", &I::CheckBox},
    {"cell-select", &I::CellSelect},
};

// Every press, once its steps are done (whichever ended it, or a failure in one): what a
// descendant adds to a press (the column grid's filter button).
constexpr TInputStepEntry kAfterPressSteps[] = {
    {"descendant-press", &I::DescendantPress},
};

constexpr TInputStepEntry kReleaseSteps[] = {
    {"disjunct-cells", &I::DisjunctCells},
    {"button-release", &I::ButtonRelease},
    {"deferred-release", &I::DeferredRelease},
    {"disjunct-release", &I::DisjunctRelease},
    {"move-end", &I::MoveEnd},
    {"size-end", &I::SizeEnd},
    {"release-events", &I::ReleaseEvents},
    {"sorting", &I::Sorting},
};

constexpr TInputStepEntry kDoubleClickSteps[] = {
    {"auto-size", &I::AutoSize},
    {"double-click", &I::DoubleClick},
};

constexpr TInputStepEntry kMoveSteps[] = {
    {"lost-release", &I::LostRelease}, {"header-select", &I::HeaderSelect}, {"sizing-drag", &I::SizingDrag},
    {"ole-drag", &I::OleDrag},         {"move-drag", &I::MoveDrag},         {"cursor-zone", &I::CursorZone},
    {"link-hover", &I::LinkHover},     {"hint-cell", &I::HintCell},         {"range-select", &I::RangeSelect},
};

constexpr TInputStepEntry kWheelSteps[] = {
    {"wheel-zoom", &I::WheelZoom},
    {"wheel-rows", &I::WheelRows},
};

constexpr TInputStepEntry kFocusSteps[] = {
    {"focus", &I::Focus},
};

// The 500 ms timer.
constexpr TInputStepEntry kTimerSteps[] = {
    {"hover", &I::Hover},
    {"blink", &I::Blink},
};

constexpr TInputStepEntry kPanTimerSteps[] = {
    {"pan-tick", &I::PanTick},
};

constexpr TInputKind kKinds[] = {ikKeyDown,  ikKeyUp,     ikNavigate, ikMouseDown, ikAfterPress, ikMouseUp,
                                 ikDblClick, ikMouseMove, ikWheel,    ikFocusIn,   ikTimer,      ikPanTimer};

} // namespace

std::span<const TInputStepEntry> InputSteps(TInputKind Kind)
{
    switch (Kind) {
    case ikKeyDown: return kKeySteps;
    case ikKeyUp: return kKeyUpSteps;
    case ikNavigate: return kNavigateSteps;
    case ikMouseDown: return kPressSteps;
    case ikAfterPress: return kAfterPressSteps;
    case ikMouseUp: return kReleaseSteps;
    case ikDblClick: return kDoubleClickSteps;
    case ikMouseMove: return kMoveSteps;
    case ikWheel: return kWheelSteps;
    case ikFocusIn: return kFocusSteps;
    case ikTimer: return kTimerSteps;
    case ikPanTimer: return kPanTimerSteps;
    }
    return {};
}

std::vector<TInputStepEntry> InputSteps()
{
    std::vector<TInputStepEntry> all;
    for (TInputKind k : kKinds)
        for (const TInputStepEntry& s : InputSteps(k))
            all.push_back(s);
    return all;
}

QStringList InputStepNames(TInputKind Kind)
{
    QStringList names;
    for (const TInputStepEntry& s : InputSteps(Kind))
        names << QString::fromLatin1(s.Name);
    return names;
}

bool TGridInput::RunSteps(E& e)
{
    if (e.Kind == ikKeyDown) {
        e.Col0 = FGrid.col();
        e.Row0 = FGrid.row();
        e.Sel0 = FGrid.selection();
    }
    for (const TInputStepEntry& s : InputSteps(e.Kind))
        if ((this->*s.Step)(e))
            return true;
    return false;
}

// --- the Qt entries ------------------------------------------------------------------------

namespace {

TInputEvent MouseInput(TInputKind Kind, const QMouseEvent* e)
{
    TInputEvent E;
    E.Kind = Kind;
    E.Mods = e->modifiers();
    E.Button = e->button();
    E.Buttons = e->buttons();
    E.Pos = e->position().toPoint();
    return E;
}

TInputEvent KeyInput(TInputKind Kind, const QKeyEvent* e)
{
    TInputEvent E;
    E.Kind = Kind;
    E.Key = e->key();
    E.Text = e->text();
    E.Mods = e->modifiers() & ~Qt::KeypadModifier;
    E.Keypad = e->modifiers() & Qt::KeypadModifier;
    return E;
}

// The one guard of every entry.
void RunGuarded(TGridInput& Input, TInputEvent E)
{
    ui::guard([&] { Input.RunSteps(E); });
}

} // namespace

void TTxStringGrid::keyPressEvent(QKeyEvent* e) { RunGuarded(*FInput, KeyInput(ikKeyDown, e)); }

void TTxStringGrid::keyReleaseEvent(QKeyEvent* e)
{
    TBaseGrid::keyReleaseEvent(e);
    if (!e->isAutoRepeat())
        RunGuarded(*FInput, KeyInput(ikKeyUp, e));
}

void TTxStringGrid::mousePressEvent(QMouseEvent* e)
{
    RunGuarded(*FInput, MouseInput(ikMouseDown, e));
    RunGuarded(*FInput, MouseInput(ikAfterPress, e));
}

void TTxStringGrid::mouseReleaseEvent(QMouseEvent* e) { RunGuarded(*FInput, MouseInput(ikMouseUp, e)); }

void TTxStringGrid::mouseMoveEvent(QMouseEvent* e) { RunGuarded(*FInput, MouseInput(ikMouseMove, e)); }

void TTxStringGrid::mouseDoubleClickEvent(QMouseEvent* e) { RunGuarded(*FInput, MouseInput(ikDblClick, e)); }

void TTxStringGrid::wheelEvent(QWheelEvent* e)
{
    TInputEvent E;
    E.Kind = ikWheel;
    E.Mods = e->modifiers();
    E.Buttons = e->buttons();
    E.Pos = e->position().toPoint();
    // One notch is 120; the steps move by whole lines and keep what is short of one.
    E.WheelAngle = e->angleDelta().y();
    e->accept();
    if (E.WheelAngle != 0)
        RunGuarded(*FInput, E);
}

void TTxStringGrid::focusInEvent(QFocusEvent* e)
{
    TBaseGrid::focusInEvent(e);
    TInputEvent E;
    E.Kind = ikFocusIn;
    E.FocusReason = e->reason();
    RunGuarded(*FInput, E);
}

void TTxStringGrid::timerEvent(QTimerEvent* e) { FInput->TimerEvent(e); }

void TGridInput::TimerEvent(QTimerEvent* e)
{
    TInputEvent E;
    if (e->timerId() == FState.Timer.timerId())
        E.Kind = ikTimer;
    else if (e->timerId() == FState.PanTimer.timerId())
        E.Kind = ikPanTimer;
    else
        return FGrid.TBaseGrid::timerEvent(e);
    RunGuarded(*this, E);
}

bool KeptFromShortcuts(Qt::KeyboardModifiers Mods, const QString& Text)
{
    const Qt::KeyboardModifiers chord = Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier;
    return !(Mods & chord) && !Text.isEmpty() && Text.at(0).isPrint();
}

bool TTxStringGrid::event(QEvent* e)
{
    // Accepting the override sends the key here as a key press instead of to a shortcut.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (KeptFromShortcuts(k->modifiers(), k->text())) {
            e->accept();
            return true;
        }
    }
    if (e->type() == QEvent::Paint) {
        const bool done = TBaseGrid::event(e); // the frame (the viewport paints on its own)
        PaintSoftFrame();
        return done;
    }
    return TBaseGrid::event(e);
}

bool TTxStringGrid::eventFilter(QObject* o, QEvent* e)
{
    // From the destructor on, nothing reaches the grid: its parts are going.
    if (FEditing->State().Destroying)
        return false;
    bool handled = false;
    ui::guard([&] {
        if (o == FInput->OwnerForm() && e->type() == QEvent::Resize) {
            FInput->OwnerFormResized();
        } else if (o && o == static_cast<QObject*>(inplaceEditor())) {
            handled = FEditing->InplaceEditorEvent(o, e);
            return;
        } else if (o == viewport() && e->type() == QEvent::ToolTip) {
            auto* h = static_cast<QHelpEvent*>(e);
            FInput->ShowHint(h->globalPos(), h->pos());
            handled = true;
            return;
        }
        handled = TBaseGrid::eventFilter(o, e);
    });
    return handled;
}

// Not guarded: its callers (the key steps, the editors) are.
void TTxStringGrid::keyDown(int& key, Qt::KeyboardModifiers mods)
{
    TInputEvent E;
    E.Kind = ikNavigate;
    E.Key = key;
    E.Mods = mods;
    FInput->RunSteps(E);
    key = E.Key;
}

// --- the input feature and the grid's forwards ----------------------------------------------

TGridInput::TGridInput(G& Grid) : FGrid(Grid)
{
    // Follow the owner form's resizing (for SizeWithForm); the form's own handling stays.
    if (QWidget* owner = Grid.parentWidget(); owner && !Grid.designing()) {
        FOwnerForm = owner->window();
        FFormWidth = FOwnerForm->width();
        FFormHeight = FOwnerForm->height();
        FOwnerForm->installEventFilter(&Grid);
    }
    FState.WheelLines = QApplication::wheelScrollLines();
    Grid.viewport()->installEventFilter(&Grid); // tool tips: the grid's own hints
    ConnectScrollBars();
}

TGridInput::~TGridInput() { Detach(); }

void TGridInput::Detach()
{
    FState.Timer.stop();
    FState.PanTimer.stop();
    if (FOwnerForm)
        FOwnerForm->removeEventFilter(&FGrid);
    FOwnerForm = nullptr;
}

void TGridInput::CreateControls()
{
    for (int i = 0; i < 4; ++i)
        FArrows[std::size_t(i)] = new TArrowWindow(&FGrid, TArrowDirection(i));
    FPopupButton = new TPopupButton(&FGrid);
}

void TGridInput::StartTimer() { FState.Timer.start(500, &FGrid); }

TArrowWindow* TGridInput::Arrow(int Direction) const { return FArrows.at(std::size_t(Direction)); }

bool TTxStringGrid::TimerActive() const { return FInput->State().Timer.isActive(); }
QWidget* TTxStringGrid::OwnerForm() const { return FInput->OwnerForm(); }
QSize TTxStringGrid::OwnerFormSize() const { return FInput->OwnerFormSize(); }
bool TTxStringGrid::BlinkOn() const { return FInput->State().BlinkOn; }
bool TTxStringGrid::MouseSelecting() const { return FInput->State().MouseSelecting; }
const TInputState& TTxStringGrid::InputState() const { return FInput->State(); }
TArrowWindow* TTxStringGrid::MoveArrow(int Direction) const { return FInput->Arrow(Direction); }
TPopupButton* TTxStringGrid::DragIndicator() const { return FInput->DragIndicator(); }
void TTxStringGrid::PaintInputMarks(ui::Canvas& Canvas) { FInput->PaintMarks(Canvas); }

bool TTxStringGrid::IsSunkenCell(int ACol, int ARow) const
{
    const TInputState& s = FInput->State();
    return ACol == s.SunkenCol && ARow == s.SunkenRow;
}

} // namespace grid
