#pragma once
// Windows that open where the user can work with them: no larger than the room they open in,
// with the focus on their first input.
#include <QSize>

#include <initializer_list>

class QMdiSubWindow;
class QWidget;

namespace ui {

// Grids of a window at fixed positions keep this height (a title and a few rows) when the
// window is fitted, and give up more, down to the last, only when nothing else will do.
constexpr int kMinGridHeight = 64;
constexpr int kLeastGridHeight = 44;

// Puts the focus on the window's first input: the one named by setFirstInput, otherwise the
// first control after the window in the focus chain that takes the focus by Tab.
void focusFirstInput(QWidget* window);
// Names the window's first input, for a window whose tab order begins with controls added after
// others (the focus chain would start at the first one created).
void setFirstInput(QWidget* window, QWidget* input);

// A window with its controls at fixed positions and a fixed size, made to fit `room` in height:
// its grids give up height, the top one first, down to kMinGridHeight (they scroll), and what
// lies below each grid moves up with its lower edge; then empty bands between rows of controls
// narrow, the lowest first; then the grids go down to kLeastGridHeight. So the buttons stay in
// sight. Returns the window's new size (its designed size when that fits).
// With GridsOnly, only the grids give up height (down to kLeastGridHeight), nothing else moves
// closer.
enum class FitSteps { All, GridsOnly };
QSize fitFixedLayout(QWidget* window, QSize room, FitSteps steps = FitSteps::All);

// The lowest place of a window's controls, at or above `height`, where no control is cut: where
// a row of controls ends.
int rowEndAtOrAbove(QWidget* content, int height);

// A window that scrolls as a whole shows the top of its controls again.
void scrollToTop(QWidget* window);

// A window with its controls at fixed positions that, where the room is smaller than it, scrolls
// as a whole (its grids and everything else keep their designed sizes) instead of being fitted by
// fitFixedLayout. Called once its controls are made, with the window at its designed size; the
// controls move into the scrolled area, in the same focus order. The buttons named go into a row
// under the scrolled area instead (the left ones at its left edge, the right ones at its right),
// so that they stay in sight however far the controls are scrolled.
void scrollAsWhole(QWidget* window, std::initializer_list<QWidget*> buttonsLeft = {},
                   std::initializer_list<QWidget*> buttonsRight = {});

// A window of the main window's work space, fitted to the work space's room: a window with a
// fixed size as fitFixedLayout does it; one that scrolls as a whole by its grids giving up rows
// first, then by a scroll bar (widened by it where there is room), the scrolled area ending
// where a row of its controls ends; one with a layout by shrinking (its grids scroll).
// Nothing happens while the work space is not shown.
void fitSubWindow(QMdiSubWindow* frame);

// A top-level window (a dialog) fitted to the free area of its screen, frame included, and kept
// on that screen. Called before it is shown.
void fitToScreen(QWidget* window);

} // namespace ui
