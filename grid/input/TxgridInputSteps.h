#pragma once
// TGridInput: the grid's input feature. The grid owns one; it holds what the input keeps
// between events (TInputState), the child windows only the input uses (the markers and the
// drag indicator of a move, the hint window, the scroll bars' style) and the owner form the
// grid follows, and does the work of the grid's input functions. The steps the lists of
// TxgridInput.cpp run are its member functions, each taking only the event and defined in the
// file of its feature: keys
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
    void CreateControls();   // the markers of a move (one for each side) and the drag indicator
    void StartTimer();       // the window exists: the 500 ms timer runs
    void Detach();           // the grid is going: the timers stop, the owner form is let go
    void Resized();          // the control's size changed: stretch, and follow with SynchWithGrid
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
    // Runs the steps of E's kind until one ends it; whether one did. Not guarded: the grid's
    // event handlers guard it, the navigation hook's callers (the key steps, the editors) too.
    bool RunSteps(E& e);

    // ---- the steps ----------------------------------------------------------------------------
    // keys
    bool CheckSpace(E&), HomeEnd(E&), TabMerged(E&), Navigation(E&);
    bool SelectionRectangle(E&), InsertRow(E&), SelectAll(E&), DisjunctRows(E&);
    bool DeleteRow(E&), TabWrap(E&), FindTyping(E&), TypedChar(E&);
    bool Clipboard(E&);
    // the platform grid's navigation hook
    bool EscapeRestore(E&), StaticEnter(E&), PlatformKeys(E&);
    // key releases
    bool LookupReset(E&), AlwaysEditAgain(E&);
    // presses, after a press, releases, double clicks
    bool PanEnd(E&), RightClick(E&), Press(E&), SizingStart(E&), Outside(E&);
    bool FixedColSizing(E&);
    bool FixedPress(E&), Nodes(E&), Radio(E&), DeferredPress(E&), CellButton(E&);
    bool DisjunctPress(E&);
    bool Anchors(E&), SelectZones(E&), MoveSource(E&), CheckBox(E&), CellSelect(E&);
    bool DescendantPress(E&);
    bool ButtonRelease(E&), DisjunctCells(E&), DeferredRelease(E&), DisjunctRelease(E&);
    bool MoveEnd(E&), SizeEnd(E&);
    bool ReleaseEvents(E&), Sorting(E&), AutoSize(E&), DoubleClick(E&);
    // movement, wheel, focus, the timers
    bool LostRelease(E&), HeaderSelect(E&), SizingDrag(E&), OleDrag(E&), MoveDrag(E&), CursorZone(E&);
    bool LinkHover(E&), HintCell(E&), RangeSelect(E&), PanStart(E&);
    bool WheelZoom(E&), WheelRows(E&), Focus(E&), Hover(E&), Blink(E&);
    bool PanTick(E&); // the mouse against the focus point

    // ---- helpers shared by the steps ----------------------------------------------------------
    // The mouse lies within the fixed column's sizing zone (SizeFixedCol): less than 3 pixels
    // from the first column's right edge, in any row.
    bool InFixedColZone(QPoint Pos);
    // Display column of the first and last normal column, row of the first and last normal row.
    int FirstCol() const;
    int LastCol() const;
    int FirstRow() const;
    int LastRow() const;
    bool NormalCell(int ACol, int ARow) const; // within the four above
    void EndPanning();
    void PanStep(QPoint Mouse);
    QString AnchorAt(int ACol, int ARow, QPoint Pos); // the link under Pos, or empty
    // The drag indicator shows Caption at Screen (global), Size large, above every window.
    void ShowDragIndicator(const QString& Caption, QSize Size, QPoint Screen);
    void ShowHint(QPoint GlobalPos, QPoint Pos);
    // The grid's hint window (made on first use) shows Text, measured within MaxWidth, at At
    // (global: the hint is a window of its own).
    void ShowHintWindow(QPoint At, int MaxWidth, const QString& Text);

private:
    void ConnectScrollBars(); // the thumb-drag hints

    G& FGrid;
    TInputState FState;
    std::array<TArrowWindow*, 4> FArrows{};  // markers of a column or row move, and of a drop
    TPopupButton* FPopupButton = nullptr;    // the drag indicator
    THTMLHintWindow* FHintWindow = nullptr;  // made by the first hint
    TScrollBarStyle* FScrollStyle = nullptr; // a child, made when the bars leave the platform's look
    QPointer<QWidget> FOwnerForm;            // the form whose resizing the grid follows
    int FFormWidth = 0, FFormHeight = 0;     // its size when the grid was made, then when it last followed
};

} // namespace grid
