// TTxStringGrid: the press, release and double-click steps (nodes, radio groups, check boxes,
// cell buttons, links, selection zones, sizing and moving rows and columns, the header click
// that sorts), the moves themselves and the radio hit test.
#include "grid/core/Txgrid.h"
#include "grid/paint/TxgridPainter.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/input/TxgridHintWindow.h"
#include "grid/input/TxgridInputSteps.h"
#include "grid/controls/Txobj.h"
#include "grid/controls/Txutil.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QUrl>

#include <algorithm>

namespace grid {

using I = TGridInput;

namespace {

// The cell under the press, as a merged block's base cell.
bool PressCell(TTxStringGrid& g, const TInputEvent& e, int& c, int& r)
{
    if (!g.mouseToCell(e.Pos, c, r))
        return false;
    const TPoint b = g.BaseCell(c, r);
    c = b.x();
    r = b.y();
    return true;
}

} // namespace

// While panning, a press only ends it.
bool I::PanEnd(E& e)
{
    if (!FState.Panning)
        return false;
    EndPanning();
    return e.Kind == ikMouseDown;
}

bool I::RightClick(E& e)
{
    G& g = FGrid;
    if (e.Button == Qt::LeftButton)
        return false;
    int c = -1, r = -1;
    if (e.Button == Qt::RightButton && PressCell(g, e, c, r)) {
        if (g.OnRightClickCell)
            g.OnRightClickCell(g, r, c);
        if (g.URLShow() && g.URLEdit && IsURL(g.cells(g.RemapCol(c), r)) && g.focusCell(c, r) && g.canEditShow())
            g.showEditor();
    }
    return true;
}

// A left press: forget the typed search, note the point, the cell and the sizing reference.
bool I::Press(E& e)
{
    G& g = FGrid;
    g.ForgetTypedSearch();
    FState.LeftDown = true;
    FState.PressPoint = e.Pos;
    FState.ButtonCol = FState.ButtonRow = -1;
    FState.MoveSource = -1;
    FState.UnmarkRow = -1;
    FState.Deferred = FState.DragArmed = false;
    FState.MoveOrSizeFinished = FState.DblClickSized = false;
    FState.State = msNormal;
    if (g.OnClick)
        g.OnClick(g);
    if (!PressCell(g, e, FState.PressCol, FState.PressRow))
        FState.PressCol = FState.PressRow = -1;
    CursorZone(e);
    return false;
}

// Near a column edge in the fixed rows, or a row edge in the fixed columns, the press sizes.
bool I::SizingStart(E& e)
{
    G& g = FGrid;
    int c = -1, r = -1;
    if (!g.mouseToCell(e.Pos, c, r))
        return false;
    // Sizing starts on an edge of a fixed row's cell (columns) or a fixed column's (rows).
    const TRect cr = g.platformCellRect(c, r);
    const bool xEdge = e.Pos.x() - cr.Left < 4 || cr.Right - e.Pos.x() < 4;
    const bool yEdge = e.Pos.y() - cr.Top < 4 || cr.Bottom - e.Pos.y() < 4;
    const bool cols = r < g.fixedRows() && xEdge && (g.options() & ui::goColSizing);
    if (!cols && !(c < g.fixedCols() && yEdge && (g.options() & ui::goRowSizing)))
        return false;
    // The line pressed is the edge after the sized column (row): near the start edge the one before.
    const int at = cols ? (e.Pos.x() - cr.Left < 4 ? c - 1 : c) : (e.Pos.y() - cr.Top < 4 ? r - 1 : r);
    bool Allow = at >= 0;
    if (Allow && cols && g.OnColumnSize)
        g.OnColumnSize(g, at, Allow);
    if (Allow && !cols && g.OnRowSize)
        g.OnRowSize(g, at, Allow);
    if (!Allow)
        return false;
    FState.State = cols ? msColSizing : msRowSizing;
    (cols ? FState.SizeCol : FState.SizeRow) = at;
    FState.SizeWidth = cols ? g.colWidths(at) : 0;
    FState.SizeHeight = cols ? 0 : g.rowHeights(at);
    return true;
}

bool I::InFixedColZone(QPoint Pos)
{
    G& g = FGrid;
    int c = -1, r = -1;
    if (!g.MouseActions().SizeFixedCol || g.fixedCols() == 0 || g.designing() || !g.mouseToCell(Pos, c, r))
        return false;
    const TRect first = g.platformCellRect(0, r);
    return !first.isEmpty() && std::abs(Pos.x() - first.Right) < 3;
}

// With SizeFixedCol the first column is sized from any row by a line that follows the mouse.
bool I::FixedColSizing(E& e)
{
    if (e.Button != Qt::LeftButton || !InFixedColZone(e.Pos))
        return false;
    FState.State = msFixedColSizing;
    FState.SizingLineX = e.Pos.x();
    FGrid.viewport()->update();
    return true;
}

// Outside every cell the editor closes.
bool I::Outside(E& e)
{
    if (FState.PressCol >= 0)
        return false;
    FGrid.hideEditor();
    return true;
}

// A press on a fixed cell closes the editor; with FixedAsButtons (fixed lines on, the 3-D
// look) the cell shows pressed until the button comes up.
bool I::FixedPress(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    if (NormalCell(c, r))
        return false;
    g.hideEditor();
    const bool fixedLines = g.options() & (ui::goFixedHorzLine | ui::goFixedVertLine);
    if (e.Button == Qt::LeftButton && g.FixedAsButtons && fixedLines && !g.Flat() && g.IsFixed(c, r)) {
        FState.SunkenCol = c;
        FState.SunkenRow = r;
        g.RepaintCell(c, r);
    }
    return false;
}

// A node in column 0 opens or closes; its row becomes current.
bool I::Nodes(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    if (c != 0 || r < g.fixedRows() || !g.IsNode(r))
        return false;
    const int real = g.RemapRowInv(r);
    if (g.GetNodeState(r)) {
        g.ExpandNode(real);
        if (g.OnExpandNode)
            g.OnExpandNode(g, r, real);
    } else {
        g.ContractNode(real);
        if (g.OnContractNode)
            g.OnContractNode(g, r, real);
    }
    g.focusCell(std::max(g.col(), g.fixedCols()), r);
    return true;
}

// A radio group in an editable normal cell.
bool I::Radio(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    if (!NormalCell(c, r) || !g.IsRadio(g.RemapCol(c), r) || !g.IsEditable(c, r))
        return false;
    g.setFocus(Qt::MouseFocusReason);
    const TRect cr = g.platformCellRect(c, r);
    HandleRadioClick(c, r, e.Pos.x() - cr.Left, e.Pos.y() - cr.Top);
    return true;
}

// With the grid as a drag source, a press inside the selection (or on a header when moves
// are the platform's) leaves the selection alone until the release, so a drag can carry it.
bool I::DeferredPress(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    if (!g.DragDropSettings().OleDropSource || (g.options() & ui::goEditing))
        return false;
    const ui::GridRect sel = g.selection();
    if (!sel.contains(c, r) && !(r < g.fixedRows() && !g.EnhRowColMove))
        return false;
    if (g.options() & ui::goColSizing) {
        const TRect cr = g.platformCellRect(c, r);
        if (e.Pos.x() - cr.Left < 4 || cr.Right - e.Pos.x() < 4)
            return false;
    }
    FState.Deferred = FState.DragArmed = true;
    if (g.OnClickCell)
        g.OnClickCell(g, r, c);
    return true;
}

// A cell button is pressed down until the release.
bool I::CellButton(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    if (!g.HasButton(g.RemapCol(c), r))
        return false;
    g.focusCell(c, r);
    if (g.ButtonRect(c, r).contains(e.Pos)) {
        g.PushButton(c, r, true);
        FState.ButtonCol = c;
        FState.ButtonRow = r;
    }
    if (g.OnClickCell)
        g.OnClickCell(g, r, c);
    return true;
}

// Disjunct row marks: a plain press clears them; Ctrl on a marked row unmarks it on release.
bool I::DisjunctPress(E& e)
{
    G& g = FGrid;
    const int r = FState.PressRow;
    if (!g.MouseActions().DisjunctRowSelect || r < FirstRow() || r > LastRow())
        return false;
    if (!e.Ctrl()) {
        g.ClearRowSelect();
        FState.MouseSelecting = true;
    } else if (g.GetRowSelect(r)) {
        FState.UnmarkRow = r;
    }
    return false;
}

// Links: "CELL://" names a cell of the grid, anything else opens by the desktop.
bool I::Anchors(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    const QString text = g.cells(g.RemapCol(c), r);
    const bool formatted = TextType(text, g.EnableHTML) == 1;
    if (!g.URLShow() && !formatted)
        return false;
    const QString anchor = !formatted && IsURL(text) ? text : formatted ? AnchorAt(c, r, e.Pos) : QString();
    if (anchor.isEmpty())
        return false;
    bool AutoHandle = true;
    if (g.OnAnchorClick)
        g.OnAnchorClick(g, r, c, anchor, AutoHandle);
    if (!AutoHandle)
        return true;
    const int at = anchor.toUpper().indexOf(QLatin1String("CELL://"));
    if (at >= 0) {
        QPoint p;
        if (NameToCell(anchor.mid(at + 7), p) && g.focusCell(p.x(), p.y()))
            ScrollInView(p.x(), p.y());
    } else {
        // Never through a shell command: the desktop's URL handler opens it.
        QDesktopServices::openUrl(QUrl::fromUserInput(anchor));
    }
    return true;
}

// The selection zones of the fixed cells select everything, a row or a column.
bool I::SelectZones(E& e)
{
    G& g = FGrid;
    if (!(g.options() & ui::goRangeSelect) || FState.CursorZone == 0)
        return false;
    const int c = FState.PressCol, r = FState.PressRow;
    const int lastCol = g.colCount() - 1, lastRow = g.rowCount() - 1;
    g.setFocus(Qt::MouseFocusReason);
    if (FState.CursorZone == 3) {
        g.setSelection({g.fixedCols(), g.fixedRows(), lastCol, lastRow});
    } else if (FState.CursorZone == 2) {
        FState.SelectAnchor = r;
        g.moveCurrentRaw(g.fixedCols(), r);
        g.setSelection({g.fixedCols(), r, lastCol, r});
    } else {
        FState.SelectAnchor = c;
        g.moveCurrentRaw(c, g.fixedRows());
        g.setSelection({c, g.fixedRows(), c, lastRow});
    }
    g.invalidateGrid();
    return true;
}

// A press on a header remembers the column (row) a drag may move.
bool I::MoveSource(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    if (r < g.fixedRows() && c >= g.fixedCols() && (g.options() & ui::goColMoving))
        FState.MoveSource = c;
    else if (c < g.fixedCols() && r >= g.fixedRows() && (g.options() & ui::goRowMoving))
        FState.MoveSource = r;
    if (FState.MoveSource >= 0)
        FState.MoveOffset = e.Pos - QPoint(g.platformCellRect(c, r).Left, g.platformCellRect(c, r).Top);
    return false;
}

// A check box in an editable normal cell toggles.
bool I::CheckBox(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    const int real = g.RemapCol(c);
    if (!NormalCell(c, r) || !g.HasCheckBox(real, r) || !g.IsEditable(c, r))
        return false;
    g.hideEditor();
    g.setFocus(Qt::MouseFocusReason);
    if (g.ToggleCheck(real, r, true) && g.OnCheckBoxClick) {
        bool state = false;
        g.GetCheckBoxState(real, r, state);
        g.OnCheckBoxClick(g, real, r, state);
    }
    g.focusCell(c, r);
    if (g.OnClickCell)
        g.OnClickCell(g, r, c);
    return true;
}

// Everything else: the platform selects; a press on the current cell, or DirectEdit, edits.
bool I::CellSelect(E& e)
{
    G& g = FGrid;
    const int c = FState.PressCol, r = FState.PressRow;
    if (!NormalCell(c, r)) {
        if (g.OnClickCell)
            g.OnClickCell(g, r, c);
        return true;
    }
    const bool editable = g.IsEditable(c, r);
    const bool direct = g.MouseActions().DirectEdit && editable;
    if (direct) {
        g.setFocus(Qt::MouseFocusReason);
        g.hideEditor();
    }
    const bool onCurrent = c == g.BaseCell(g.col(), g.row()).x() && r == g.BaseCell(g.col(), g.row()).y();
    g.setFocus(Qt::MouseFocusReason);
    const bool always = g.Navigation().AlwaysEdit;
    g.Navigation().AlwaysEdit = false;
    g.TBaseGrid::mouseDown(e.Button, e.Mods, e.Pos);
    // A press on a merged block makes its base current, as the keys do; a Shift press that
    // extends a range keeps the range's end where it was pressed.
    if (!(e.Shift() && (g.options() & ui::goRangeSelect)))
        g.SelectBaseCell();
    g.Navigation().AlwaysEdit = always;
    if (g.OnClickCell)
        g.OnClickCell(g, r, c);
    if (g.OnCellValidate)
        g.InitValidate(g.col(), g.row());
    const TRect cr = g.platformCellRect(c, r);
    const bool inside = e.Pos.x() - cr.Left > 3 && cr.Right - e.Pos.x() > 3;
    const bool open = (onCurrent && !e.Shift()) || (direct && inside);
    if (open && !g.editorMode() && !g.HasStaticEdit(g.RemapCol(c), r) && g.canEditShow())
        g.showEditor();
    if (open && g.MouseActions().CaretPositioning)
        g.FEditing->PlaceCaret(g.viewport()->mapToGlobal(e.Pos));
    return true;
}

// What a descendant adds to every press (the column grid's filter button).
bool I::DescendantPress(E& e)
{
    FGrid.MousePressed(e.Button, e.Mods, e.Pos);
    return false;
}

// --- releases ------------------------------------------------------------------------------

bool I::ButtonRelease(E& e)
{
    G& g = FGrid;
    if (e.Button != Qt::LeftButton)
        return true;
    FState.LeftDown = false;
    FState.MouseSelecting = false;
    // The sizing hint goes with the button.
    const bool sizing = FState.State == msColSizing || FState.State == msRowSizing || FState.State == msFixedColSizing;
    if (sizing && FHintWindow)
        FHintWindow->hide();
    if (FState.SunkenCol >= 0) {
        const int c = FState.SunkenCol, r = FState.SunkenRow;
        FState.SunkenCol = FState.SunkenRow = -1;
        g.RepaintCell(c, r);
    }
    if (FState.ButtonCol >= 0) {
        const int c = FState.ButtonCol, r = FState.ButtonRow;
        FState.ButtonCol = FState.ButtonRow = -1;
        g.PushButton(c, r, false);
        if (g.OnButtonClick)
            g.OnButtonClick(g, g.RemapCol(c), r);
    }
    return false;
}

// Disjunct cells: Ctrl adds the released-on cell to the list or takes it out; a plain
// release lists that cell alone. The list holds real columns.
bool I::DisjunctCells(E& e)
{
    G& g = FGrid;
    int c = -1, r = -1;
    if (e.Button != Qt::LeftButton || !g.MouseActions().DisjunctCellSelect || !PressCell(g, e, c, r) || g.IsFixed(c, r))
        return false;
    const int real = g.RemapCol(c);
    if (e.Ctrl()) {
        g.SetSelectedCells(real, r, !g.GetSelectedCells(real, r));
    } else {
        for (int i = 0; i < g.GetSelectedCellsCount(); ++i) {
            const QPoint p = g.GetSelectedCell(i);
            g.invalidateCell(g.RemapColInv(p.x()), p.y());
        }
        g.ClearSelectedCells();
        g.SetSelectedCells(real, r, true);
    }
    g.invalidateCell(c, r);
    return false;
}

// A press that left the selection alone selects on its release, unless a drag took it.
bool I::DeferredRelease(E& e)
{
    G& g = FGrid;
    const bool deferred = FState.Deferred;
    FState.Deferred = FState.DragArmed = false;
    int c = -1, r = -1;
    if (!deferred || !g.mouseToCell(e.Pos, c, r) || !NormalCell(c, r))
        return false;
    g.invalidateCell(0, g.row()); // the row indicator
    if (g.focusCell(c, r)) {
        if (g.options() & ui::goRowSelect)
            g.setSelection({g.fixedCols(), r, g.colCount() - 1, r});
        else
            g.setSelection({c, r, c, r});
    }
    g.invalidateCell(0, r);
    return false;
}

bool I::DisjunctRelease(E& e)
{
    G& g = FGrid;
    if (!g.MouseActions().DisjunctRowSelect)
        return false;
    const ui::GridRect sel = g.selection();
    for (int r = sel.Top; r <= sel.Bottom; ++r)
        if (r >= g.fixedRows())
            g.SetRowSelect(r, true);
    if (FState.UnmarkRow >= 0)
        g.SetRowSelect(FState.UnmarkRow, false);
    FState.UnmarkRow = -1;
    return false;
}

bool I::MoveEnd(E& e)
{
    G& g = FGrid;
    if (FState.State != msColMoving && FState.State != msRowMoving)
        return false;
    const bool cols = FState.State == msColMoving;
    FState.State = msNormal;
    g.unsetCursor();
    for (TArrowWindow* a : FArrows)
        if (a)
            a->hide();
    if (FPopupButton)
        FPopupButton->hide();
    int c = -1, r = -1;
    if (g.mouseToCell(e.Pos, c, r)) {
        if (cols && c >= FirstCol() && c <= LastCol() && c != FState.MoveSource)
            g.MoveColumn(FState.MoveSource, c);
        if (!cols && r >= FirstRow() && r <= LastRow() && r != FState.MoveSource)
            g.MoveRow(FState.MoveSource, r);
    }
    FState.MoveSource = -1;
    FState.MoveOrSizeFinished = true;
    return false;
}

bool I::SizeEnd(E& e)
{
    G& g = FGrid;
    if (FState.State == msFixedColSizing) {
        // The first column reaches to where the line was let go.
        FState.SizingLineX = -1;
        g.setColWidths(0, std::max(1, e.Pos.x() - g.platformCellRect(0, g.topRow()).Left));
        g.viewport()->update();
    } else if (FState.State == msColSizing)
        ColWidthsChanged();
    else if (FState.State == msRowSizing)
        RowHeightsChanged();
    else
        return false;
    FState.State = msNormal;
    FState.MoveOrSizeFinished = true;
    return false;
}

// The release events of check boxes and radio groups.
bool I::ReleaseEvents(E& e)
{
    G& g = FGrid;
    int c = -1, r = -1;
    if (FState.MoveOrSizeFinished || !PressCell(g, e, c, r)) {
        FState.MoveOrSizeFinished = false;
        FState.PressRow = -1;
        return true;
    }
    if (c < g.fixedCols() && !g.SortSettings().FixedCols)
        return false;
    const int real = g.RemapCol(c);
    bool state = false;
    int idx = -1;
    if (g.GetCheckBoxState(real, r, state) && g.OnCheckBoxMouseUp)
        g.OnCheckBoxMouseUp(g, real, r, state);
    else if (g.GetRadioIdx(real, r, idx) && g.OnRadioMouseUp)
        g.OnRadioMouseUp(g, real, r, idx);
    return false;
}

// A header click sorts, unless a double click just sized the column.
bool I::Sorting(E& e)
{
    G& g = FGrid;
    const int pressRow = FState.PressRow;
    FState.PressRow = -1;
    if (FState.DblClickSized) {
        FState.DblClickSized = false;
        return true;
    }
    int c = -1, r = -1;
    if (pressRow < 0 || !g.mouseToCell(e.Pos, c, r))
        return true;
    if (g.CanClickSort(c, r, pressRow, e.Pos))
        g.ClickSort(g.RemapCol(c), e.Shift());
    return true;
}

// A double click on a header edge sizes the column to its contents.
bool I::AutoSize(E& e)
{
    G& g = FGrid;
    int c = -1, r = -1;
    if (e.Button != Qt::LeftButton || !g.mouseToCell(e.Pos, c, r) || r != 0 || !(g.options() & ui::goColSizing))
        return false;
    const TRect cr = g.platformCellRect(c, r);
    int target = -1;
    if (e.Pos.x() - cr.Left < 4)
        target = c - 1;
    else if (cr.Right - e.Pos.x() < 4)
        target = c;
    if (target < 0)
        return false;
    if (target >= g.fixedCols())
        g.AutoSizeCol(g.RemapCol(target));
    FState.DblClickSized = true;
    return true;
}

bool I::DoubleClick(E& e)
{
    G& g = FGrid;
    int c = -1, r = -1;
    g.TBaseGrid::dblClick(e.Button, e.Mods, e.Pos);
    if (g.mouseToCell(e.Pos, c, r) && g.OnDblClickCell)
        g.OnDblClickCell(g, r, c);
    return true;
}

// --- the grid's side -------------------------------------------------------------------------

void TTxStringGrid::HandleRadioClick(int ACol, int ARow, int X, int Y) { FInput->HandleRadioClick(ACol, ARow, X, Y); }
void TTxStringGrid::ColumnMoved(int FromIndex, int ToIndex) { FInput->ColumnMoved(FromIndex, ToIndex); }
void TTxStringGrid::RowMoved(int FromIndex, int ToIndex) { FInput->RowMoved(FromIndex, ToIndex); }

void TGridInput::HandleRadioClick(int ACol, int ARow, int X, int Y)
{
    G& grid = FGrid;
    grid.focusCell(ACol, ARow);
    const int real = grid.RemapCol(ACol);
    TCellGraphic* g = grid.GetCellGraphic(real, ARow);
    const QStringList* items = g && g->CellType == ctRadio ? g->Strings.get() : nullptr;
    if (!items)
        return;
    // Measured in the font the cell is painted with, over the places the painter draws.
    TGridDrawState state = 0;
    ui::Brush brush;
    ui::Canvas canvas;
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = false;
    grid.GetVisualProperties(ACol, ARow, state, false, false, brush, canvas.font, hAlign, vAlign, wordWrap);
    canvas.font.size += grid.Zoom;
    const TRect cr = grid.platformCellRect(ACol, ARow);
    const std::vector<TRadioItemPlace> places =
        grid.FPainter->RadioPlaces(canvas, *g, QRect(0, 0, cr.width(), cr.height()));
    const int i = RadioItemAtPoint(places, g->State, QPoint(X, Y));
    if (i < 0)
        return;
    if (g->Value < 0)
        grid.setCells(real, ARow, items->at(std::size_t(i)));
    else {
        g->Value = i;
        grid.setCells(real, ARow, grid.cells(real, ARow)); // repaints
    }
    grid.RepaintCell(ACol, ARow);
    if (grid.OnRadioClick)
        grid.OnRadioClick(grid, real, ARow, i);
}

void TGridInput::ColumnMoved(int FromIndex, int ToIndex)
{
    G& g = FGrid;
    const int from = g.RemapCol(FromIndex), to = g.RemapCol(ToIndex);
    if (from == to || from < 0 || to < 0)
        return;
    std::vector<int> widths;
    for (int c = 0; c < g.colCount(); ++c)
        widths.push_back(g.colWidths(c));
    g.core().moveStoreCol(from, to); // real columns, hidden ones among them
    // Visibility flags and saved widths belong to the real columns and travel with them, so
    // the same columns stay shown whatever the move.
    if (std::max(from, to) < 256) {
        auto rotate = [&](auto get, auto set) {
            const auto v = get(from);
            if (from < to)
                for (int c = from; c < to; ++c)
                    set(c, get(c + 1));
            else
                for (int c = from; c > to; --c)
                    set(c, get(c - 1));
            set(to, v);
        };
        rotate([&](int c) { return bool(g.FVisibleCols[std::size_t(c)]); },
               [&](int c, bool v) { g.FVisibleCols[std::size_t(c)] = v; });
        rotate([&](int c) { return g.FSavedWidths[std::size_t(c)]; },
               [&](int c, quint16 v) { g.FSavedWidths[std::size_t(c)] = v; });
    }
    // With EnhRowColMove the moved column takes its width along; else the widths stay with
    // the displayed places.
    if (g.EnhRowColMove && std::max(FromIndex, ToIndex) < int(widths.size())) {
        const auto at = [&widths](int d) { return widths.begin() + d; };
        if (FromIndex < ToIndex)
            std::rotate(at(FromIndex), at(FromIndex + 1), at(ToIndex + 1));
        else
            std::rotate(at(ToIndex), at(FromIndex), at(FromIndex + 1));
    }
    for (int c = 0; c < g.colCount(); ++c)
        g.setColWidths(c, widths[std::size_t(c)]);
    // The sort column keeps naming the same data.
    int& sc = g.SortSettings().Column;
    if (sc == from)
        sc = to;
    else if (from < to && sc > from && sc <= to)
        --sc;
    else if (from > to && sc >= to && sc < from)
        ++sc;
    FState.MoveOrSizeFinished = true;
    g.Invalidate();
}

void TGridInput::RowMoved(int FromIndex, int ToIndex)
{
    G& g = FGrid;
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0)
        return;
    std::vector<int> heights;
    for (int r = 0; r < g.rowCount(); ++r)
        heights.push_back(g.rowHeights(r));
    g.core().moveRow(FromIndex, ToIndex);
    if (!g.EnhRowColMove)
        for (int r = 0; r < g.rowCount(); ++r)
            g.setRowHeights(r, heights[std::size_t(r)]);
    FState.MoveOrSizeFinished = true;
    g.Invalidate();
}

} // namespace grid
