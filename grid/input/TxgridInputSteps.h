#pragma once
// TGridInput: the grid's input feature. The grid owns one; it holds what the input keeps
// between events (TInputState), the child windows only the input uses (the markers and the
// drag indicator of a move, the hint window, the scroll bars' style) and the owner form the
// grid follows, and does the work of the grid's input functions. The steps the lists of
// TxgridInput.cpp run are its static functions, each defined in the file of its feature: keys
// in TxgridKeys.cpp, presses and releases in TxgridMouse.cpp, movement, hints, zoom, the wheel,
// panning and the timers in TxgridPointer.cpp.
#include "grid/input/TxgridInput.h"

#include <QPointer>
#include <QSize>
#include <QWidget>

#include <array>

class QTimerEvent;

namespace grid {

class TArrowWindow;
class TPopupButton;
class THTMLHintWindow;
class TScrollBarStyle;

class TGridInput {
public:
    using G = TTxStringGrid;
    using E = TInputEvent;

    // Follows the owner form's size (for SizeWithForm), takes the wheel's lines per notch from
    // the system, shows the grid's own tool tips and the scroll-thumb hints.
    explicit TGridInput(G& Grid);
    ~TGridInput();
    TGridInput(const TGridInput&) = delete;
    TGridInput& operator=(const TGridInput&) = delete;

    // ---- what the grid forwards -------------------------------------------------------------
    const TInputState& State() const { return FState; }
    QWidget* OwnerForm() const { return FOwnerForm; }
    QSize OwnerFormSize() const { return {FFormWidth, FFormHeight}; }
    TArrowWindow* Arrow(int Direction) const; // by TArrowDirection; none before the window
    TPopupButton* DragIndicator() const { return FPopupButton; }
    void CreateControls(); // the markers of a move (one for each side) and the drag indicator
    void StartTimer();     // the window exists: the 500 ms timer runs
    void Detach();         // the grid is going: the timers stop, the owner form is let go
    void Resized();        // the control's size changed: stretch, and follow with SynchWithGrid
    void OwnerFormResized(); // the form's size changed: the grid follows with SizeWithForm
    // The sizing line of the fixed column and the panning focus point, over the cells.
    void PaintMarks(ui::Canvas& Canvas);
    void TimerEvent(QTimerEvent* e); // the grid's timers and the platform grid's
    void StretchRightColumn();
    void ColWidthsChanged();
    void RowHeightsChanged();
    void FlatUpdate();
    bool CellHint(QPoint Pos, QString& Text, QPoint& At);
    void ColumnMoved(int FromIndex, int ToIndex);
    void RowMoved(int FromIndex, int ToIndex);
    void HandleRadioClick(int ACol, int ARow, int X, int Y);
    void ScrollInView(int ACol, int ARow);
    bool InSizeZone(int X, int Y);
    void ZoomBy(int N);
    void TabEdit();

    // ---- the steps ----------------------------------------------------------------------------
    // keys
    static bool CheckSpace(G&, E&), HomeEnd(G&, E&), TabMerged(G&, E&), Navigation(G&, E&);
    static bool SelectionRectangle(G&, E&), InsertRow(G&, E&), SelectAll(G&, E&), DisjunctRows(G&, E&);
    static bool DeleteRow(G&, E&), TabWrap(G&, E&), FindTyping(G&, E&), TypedChar(G&, E&);
    static bool Clipboard(G&, E&);
    // the platform grid's navigation hook
    static bool EscapeRestore(G&, E&), StaticEnter(G&, E&), PlatformKeys(G&, E&);
    // key releases
    static bool LookupReset(G&, E&), AlwaysEditAgain(G&, E&);
    // presses, after a press, releases, double clicks
    static bool PanEnd(G&, E&), RightClick(G&, E&), Press(G&, E&), SizingStart(G&, E&), Outside(G&, E&);
    static bool FixedColSizing(G&, E&);
    static bool FixedPress(G&, E&), Nodes(G&, E&), Radio(G&, E&), DeferredPress(G&, E&), CellButton(G&, E&);
    static bool DisjunctPress(G&, E&);
    static bool Anchors(G&, E&), SelectZones(G&, E&), MoveSource(G&, E&), CheckBox(G&, E&), CellSelect(G&, E&);
    static bool DescendantPress(G&, E&);
    static bool ButtonRelease(G&, E&), DisjunctCells(G&, E&), DeferredRelease(G&, E&), DisjunctRelease(G&, E&);
    static bool MoveEnd(G&, E&), SizeEnd(G&, E&);
    static bool ReleaseEvents(G&, E&), Sorting(G&, E&), AutoSize(G&, E&), DoubleClick(G&, E&);
    // movement, wheel, focus, the timers
    static bool HeaderSelect(G&, E&), SizingDrag(G&, E&), OleDrag(G&, E&), MoveDrag(G&, E&), CursorZone(G&, E&);
    static bool LinkHover(G&, E&), HintCell(G&, E&), RangeSelect(G&, E&), PanStart(G&, E&);
    static bool WheelZoom(G&, E&), WheelRows(G&, E&), Focus(G&, E&), Hover(G&, E&), Blink(G&, E&);
    static bool PanTick(G&, E&); // the mouse against the focus point

    // ---- helpers shared by the steps ----------------------------------------------------------
    // The mouse lies within the fixed column's sizing zone (SizeFixedCol): less than 3 pixels
    // from the first column's right edge, in any row.
    static bool InFixedColZone(G&, QPoint Pos);
    // Display column of the first and last normal column, row of the first and last normal row.
    static int FirstCol(const G&);
    static int LastCol(const G&);
    static int FirstRow(const G&);
    static int LastRow(const G&);
    static bool NormalCell(const G&, int ACol, int ARow); // within the four above
    static void EndPanning(G&);
    static void PanStep(G&, QPoint Mouse);
    static QString AnchorAt(G&, int ACol, int ARow, QPoint Pos); // the link under Pos, or empty
    // The drag indicator shows Caption at Screen (global), Size large, above every window.
    static void ShowDragIndicator(G&, const QString& Caption, QSize Size, QPoint Screen);
    static void ShowHint(G&, QPoint GlobalPos, QPoint Pos);
    // The grid's hint window (made on first use) shows Text, measured within MaxWidth, at At
    // (global: the hint is a window of its own).
    static void ShowHintWindow(G&, QPoint At, int MaxWidth, const QString& Text);

private:
    static TInputState& S(G& g); // the state of g's input
    void ConnectScrollBars(); // the thumb-drag hints

    G& FGrid;
    TInputState FState;
    std::array<TArrowWindow*, 4> FArrows{}; // markers of a column or row move, and of a drop
    TPopupButton* FPopupButton = nullptr;    // the drag indicator
    THTMLHintWindow* FHintWindow = nullptr;  // made by the first hint
    TScrollBarStyle* FScrollStyle = nullptr; // a child, made when the bars leave the platform's look
    QPointer<QWidget> FOwnerForm;            // the form whose resizing the grid follows
    int FFormWidth = 0, FFormHeight = 0;     // its size when the grid was made, then when it last followed
};

} // namespace grid
