#pragma once
// The feature steps the input list runs (TxgridInput.cpp), each defined in the file of its
// feature: keys in TxgridKeys.cpp, presses and releases in TxgridMouse.cpp, movement, hints,
// zoom, the wheel, panning and the timer in TxgridPointer.cpp.
#include "grid/input/TxgridInput.h"

namespace grid {

struct TGridInput {
    using G = TTxStringGrid;
    using E = TInputEvent;
    // keys
    static bool CheckSpace(G&, E&), HomeEnd(G&, E&), TabMerged(G&, E&), Navigation(G&, E&);
    static bool SelectionRectangle(G&, E&), InsertRow(G&, E&), SelectAll(G&, E&), DisjunctRows(G&, E&);
    static bool DeleteRow(G&, E&), TabWrap(G&, E&), FindTyping(G&, E&), TypedChar(G&, E&);
    static bool Clipboard(G&, E&);
    // key releases
    static bool LookupReset(G&, E&), AlwaysEditAgain(G&, E&);
    // presses, releases, double clicks
    static bool PanEnd(G&, E&), RightClick(G&, E&), Press(G&, E&), SizingStart(G&, E&), Outside(G&, E&);
    static bool FixedColSizing(G&, E&);
    static bool FixedPress(G&, E&), Nodes(G&, E&), Radio(G&, E&), DeferredPress(G&, E&), CellButton(G&, E&);
    static bool DisjunctPress(G&, E&);
    static bool Anchors(G&, E&), SelectZones(G&, E&), MoveSource(G&, E&), CheckBox(G&, E&), CellSelect(G&, E&);
    static bool ButtonRelease(G&, E&), DisjunctCells(G&, E&), DeferredRelease(G&, E&), DisjunctRelease(G&, E&);
    static bool MoveEnd(G&, E&), SizeEnd(G&, E&);
    static bool ReleaseEvents(G&, E&), Sorting(G&, E&), AutoSize(G&, E&), DoubleClick(G&, E&);
    // movement, wheel, focus, timer
    static bool HeaderSelect(G&, E&), SizingDrag(G&, E&), OleDrag(G&, E&), MoveDrag(G&, E&), CursorZone(G&, E&);
    static bool LinkHover(G&, E&), HintCell(G&, E&), RangeSelect(G&, E&), PanStart(G&, E&);
    static bool WheelZoom(G&, E&), WheelRows(G&, E&), Focus(G&, E&), Hover(G&, E&), Blink(G&, E&);

    // helpers shared by the steps
    // Display column of the first and last normal column, row of the first and last normal row.
    // The mouse lies within the fixed column's sizing zone (SizeFixedCol): less than 3 pixels
    // from the first column's right edge, in any row.
    static bool InFixedColZone(G&, QPoint Pos);
    static int FirstCol(const G&);
    static int LastCol(const G&);
    static int FirstRow(const G&);
    static int LastRow(const G&);
    static bool NormalCell(const G&, int ACol, int ARow); // within the four above
    static void EndPanning(G&);
    static void PanTick(G&);            // the panning timer: the mouse against the focus point
    static void PanStep(G&, QPoint Mouse);
    static void Resized(G&);            // the control's size changed: stretch and follow
    static void ConnectScrollBars(G&);  // the thumb-drag hints
    static QString AnchorAt(G&, int ACol, int ARow, QPoint Pos); // the link under Pos, or empty
    // The drag indicator shows Caption at Screen (global), Size large, above every window.
    static void ShowDragIndicator(G&, const QString& Caption, QSize Size, QPoint Screen);
    static void ShowHint(G&, QPoint GlobalPos, QPoint Pos);
    // The grid's hint window (made on first use) shows Text, measured within MaxWidth, at At
    // (global: the hint is a window of its own).
    static void ShowHintWindow(G&, QPoint At, int MaxWidth, const QString& Text);
};

} // namespace grid
