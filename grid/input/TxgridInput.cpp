// TTxStringGrid: the entries of input. Each Qt handler turns its event into a TInputEvent and
// walks the step list once, inside one guard: what a step or one of the grid's event handlers
// throws is shown where the program's errors go and never reaches Qt's event loop.
#include "grid/core/Txgrid.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/input/TxgridInputSteps.h"

#include "platform/ui/Application.h"

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
constexpr unsigned kPress = ikMouseDown;
constexpr unsigned kKey = ikKeyDown;

// The order is the behaviour: a step that ends an event keeps every later one from seeing it.
constexpr TInputStepEntry kSteps[] = {
    // A press or a key while panning ends the panning first.
    {"pan-end", kKey | kPress, &I::PanEnd},
    // Keys, as the grid adds them around the platform grid's navigation.
    {"check-space", kKey, &I::CheckSpace},
    {"home-end", kKey, &I::HomeEnd},
    {"tab-merged", kKey, &I::TabMerged},
    {"navigation", kKey, &I::Navigation},
    {"selection-rectangle", kKey, &I::SelectionRectangle},
    // The clipboard's keys (Ctrl+C/X/V, Ctrl+Insert, Shift+Insert, Shift+Delete, gated by
    // Navigation.AllowClipboardShortCuts), before Insert and Delete work on rows.
    {"clipboard", kKey, &I::Clipboard},
    {"insert-row", kKey, &I::InsertRow},
    {"select-all", kKey, &I::SelectAll},
    {"disjunct-rows", kKey, &I::DisjunctRows},
    {"delete-row", kKey, &I::DeleteRow},
    {"tab-wrap", kKey, &I::TabWrap},
    {"find-typing", kKey, &I::FindTyping},
    {"typed-char", kKey, &I::TypedChar},
    // Key releases: a navigation key ends the lookup typed so far; with AlwaysEdit the editor
    // opens again on the cell an arrow or Tab reached.
    {"lookup-reset", ikKeyUp, &I::LookupReset},
    {"always-edit", ikKeyUp, &I::AlwaysEditAgain},
    // Presses.
    {"pan-start", kPress | ikWheel, &I::PanStart},
    {"right-click", kPress, &I::RightClick},
    {"press", kPress, &I::Press},
    {"fixed-col-sizing", kPress, &I::FixedColSizing},
    {"sizing-start", kPress, &I::SizingStart},
    {"outside", kPress, &I::Outside},
    {"fixed-press", kPress, &I::FixedPress},
    {"nodes", kPress, &I::Nodes},
    {"radio", kPress, &I::Radio},
    {"deferred-press", kPress, &I::DeferredPress},
    {"cell-button", kPress, &I::CellButton},
    {"disjunct-press", kPress, &I::DisjunctPress},
    {"anchors", kPress, &I::Anchors},
    {"select-zones", kPress, &I::SelectZones},
    {"move-source", kPress, &I::MoveSource},
    {"check-box", kPress, &I::CheckBox},
    {"cell-select", kPress, &I::CellSelect},
    // Releases and double clicks.
    {"disjunct-cells", ikMouseUp, &I::DisjunctCells},
    {"button-release", ikMouseUp, &I::ButtonRelease},
    {"deferred-release", ikMouseUp, &I::DeferredRelease},
    {"disjunct-release", ikMouseUp, &I::DisjunctRelease},
    {"move-end", ikMouseUp, &I::MoveEnd},
    {"size-end", ikMouseUp, &I::SizeEnd},
    {"release-events", ikMouseUp, &I::ReleaseEvents},
    {"sorting", ikMouseUp, &I::Sorting},
    {"auto-size", ikDblClick, &I::AutoSize},
    {"double-click", ikDblClick, &I::DoubleClick},
    // Movement.
    {"header-select", ikMouseMove, &I::HeaderSelect},
    {"sizing-drag", ikMouseMove, &I::SizingDrag},
    {"ole-drag", ikMouseMove, &I::OleDrag},
    {"move-drag", ikMouseMove, &I::MoveDrag},
    {"cursor-zone", ikMouseMove, &I::CursorZone},
    {"link-hover", ikMouseMove, &I::LinkHover},
    {"hint-cell", ikMouseMove, &I::HintCell},
    {"range-select", ikMouseMove, &I::RangeSelect},
    // The wheel, focus and the 500 ms timer.
    {"wheel-zoom", ikWheel, &I::WheelZoom},
    {"wheel-rows", ikWheel, &I::WheelRows},
    {"focus", ikFocusIn, &I::Focus},
    {"hover", ikTimer, &I::Hover},
    {"blink", ikTimer, &I::Blink},
};

void NoteKeyState(TTxStringGrid& G, TInputEvent& E)
{
    E.Col0 = G.col();
    E.Row0 = G.row();
    E.Sel0 = G.selection();
}

} // namespace

std::span<const TInputStepEntry> InputSteps() { return kSteps; }

QStringList InputStepNames(TInputKind Kind)
{
    QStringList names;
    for (const TInputStepEntry& s : kSteps)
        if (s.Kinds & Kind)
            names << QString::fromLatin1(s.Name);
    return names;
}

bool RunInputSteps(TTxStringGrid& Grid, TInputEvent& E)
{
    if (E.Kind == ikKeyDown)
        NoteKeyState(Grid, E);
    for (const TInputStepEntry& s : kSteps)
        if ((s.Kinds & E.Kind) && s.Step(Grid, E))
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
void RunGuarded(TTxStringGrid& Grid, TInputEvent E)
{
    ui::guard([&] { RunInputSteps(Grid, E); });
}

} // namespace

void TTxStringGrid::keyPressEvent(QKeyEvent* e) { RunGuarded(*this, KeyInput(ikKeyDown, e)); }

void TTxStringGrid::keyReleaseEvent(QKeyEvent* e)
{
    TBaseGrid::keyReleaseEvent(e);
    if (!e->isAutoRepeat())
        RunGuarded(*this, KeyInput(ikKeyUp, e));
}

void TTxStringGrid::mousePressEvent(QMouseEvent* e)
{
    const TInputEvent E = MouseInput(ikMouseDown, e);
    RunGuarded(*this, E);
    ui::guard([&] { MousePressed(E.Button, E.Mods, E.Pos); });
}

void TTxStringGrid::mouseReleaseEvent(QMouseEvent* e) { RunGuarded(*this, MouseInput(ikMouseUp, e)); }

void TTxStringGrid::mouseMoveEvent(QMouseEvent* e) { RunGuarded(*this, MouseInput(ikMouseMove, e)); }

void TTxStringGrid::mouseDoubleClickEvent(QMouseEvent* e) { RunGuarded(*this, MouseInput(ikDblClick, e)); }

void TTxStringGrid::wheelEvent(QWheelEvent* e)
{
    TInputEvent E;
    E.Kind = ikWheel;
    E.Mods = e->modifiers();
    E.Buttons = e->buttons();
    E.Pos = e->position().toPoint();
    // One notch is 120; each moves the lines the system sets per notch.
    E.WheelLines = e->angleDelta().y() / 120 * FInput.WheelLines;
    e->accept();
    if (E.WheelLines != 0)
        RunGuarded(*this, E);
}

void TTxStringGrid::focusInEvent(QFocusEvent* e)
{
    TBaseGrid::focusInEvent(e);
    TInputEvent E;
    E.Kind = ikFocusIn;
    E.Key = e->reason(); // the reason: whether focus came from another window
    RunGuarded(*this, E);
}

void TTxStringGrid::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == FInput.Timer.timerId()) {
        TInputEvent E;
        E.Kind = ikTimer;
        RunGuarded(*this, E);
    } else if (e->timerId() == FInput.PanTimer.timerId()) {
        ui::guard([&] { TGridInput::PanTick(*this); });
    } else {
        TBaseGrid::timerEvent(e);
    }
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
        if (o == FOwnerForm && e->type() == QEvent::Resize) {
            OwnerFormResized();
        } else if (o && o == static_cast<QObject*>(inplaceEditor())) {
            handled = FEditing->InplaceEditorEvent(o, e);
            return;
        } else if (o == viewport() && e->type() == QEvent::ToolTip) {
            auto* h = static_cast<QHelpEvent*>(e);
            TGridInput::ShowHint(*this, h->globalPos(), h->pos());
            handled = true;
            return;
        }
        handled = TBaseGrid::eventFilter(o, e);
    });
    return handled;
}

void TTxStringGrid::keyDown(int& key, Qt::KeyboardModifiers mods)
{
    if (key == Qt::Key_Escape && (options() & ui::goEditing)) {
        RestoreCache();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && HasStaticEdit(RemapCol(col()), row())) {
        AdvanceEdit(col(), row(), true, false, false);
        key = 0;
        return;
    }
    TBaseGrid::keyDown(key, mods);
}

} // namespace grid
