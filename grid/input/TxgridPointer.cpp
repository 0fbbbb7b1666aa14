// TTxStringGrid: the movement steps (header-driven selection, sizing and moving by the mouse,
// cursor zones, link hover), hints, the wheel and zoom, panning with the middle button, focus
// and the 500 ms timer (hover selection, blinking text).
#include "grid/core/Txgrid.h"
#include "grid/files/TxgridExchange.h"
#include "grid/text/TxgridHTML.h"
#include "grid/edit/TxgridEditing.h"
#include "grid/edit/TxgridInplaceEdit.h"
#include "grid/input/TxgridInputSteps.h"
#include "grid/text/TxgridStrings.h"
#include "grid/input/TxgridHintWindow.h"
#include "grid/controls/Txobj.h"
#include "grid/controls/Txutil.h"

#include <QCursor>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QToolTip>

namespace grid {

using I = TGridInput;

namespace {

// The grid's own cursors: an arrow down (column select), right (row select), or both
// (select all), and the panning cursor as a cross of arrows.
QCursor ZoneCursor(int Zone)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setBrush(Qt::black);
    p.setPen(Qt::white);
    if (Zone == 1 || Zone == 3)
        p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(12, 2), QPoint(8, 14)}));
    if (Zone == 2 || Zone == 3)
        p.drawPolygon(QPolygon({QPoint(2, 4), QPoint(2, 12), QPoint(14, 8)}));
    p.end();
    return QCursor(pm, 8, 8);
}

// An arrow head of the panning pictures pointing by (Dx, Dy) from the centre C, Reach away.
void PanArrow(QPainter& p, QPoint C, int Dx, int Dy, int Reach)
{
    const QPointF tip(C.x() + Dx * Reach, C.y() + Dy * Reach);
    // The head's base lies 5 pixels back towards the centre, 4 to each side across.
    const double len = std::hypot(double(Dx), double(Dy));
    const double ux = Dx / len, uy = Dy / len;
    const QPointF base(tip.x() - ux * 5, tip.y() - uy * 5);
    const QPointF a(base.x() - uy * 4, base.y() + ux * 4), b(base.x() + uy * 4, base.y() - ux * 4);
    const QPointF head[3] = {tip, a, b};
    p.drawPolygon(head, 3);
}

// The panning cursor of a direction (8000 at rest, 8001 down, 8002 left, 8003 right, 8004 up,
// 8005 up-right, 8006 up-left, 8007 down-right, 8008 down-left): a dot with the arrow of the
// direction, or all four arrows at rest.
QCursor PanCursorShape(int Id)
{
    static const QPoint kDir[] = {{0, 0}, {0, 1}, {-1, 0}, {1, 0}, {0, -1}, {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
    const int i = std::clamp(Id - 8000, 0, 8);
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::black);
    const QPoint c(16, 16);
    p.drawEllipse(c, 3, 3);
    if (i == 0)
        for (const QPoint d : {QPoint(0, 1), QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1)})
            PanArrow(p, c, d.x(), d.y(), 13);
    else
        PanArrow(p, c, kDir[i].x(), kDir[i].y(), 13);
    p.end();
    return QCursor(pm, 16, 16);
}

} // namespace

QImage PanFocusImage(TIntelliPan Pan)
{
    QImage img(32, 32, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QPoint c(16, 16);
    p.drawEllipse(c, 2, 2);
    if (Pan != ipHorizontal) {
        PanArrow(p, c, 0, -1, 12);
        PanArrow(p, c, 0, 1, 12);
    }
    if (Pan != ipVertical) {
        PanArrow(p, c, -1, 0, 12);
        PanArrow(p, c, 1, 0, 12);
    }
    return img;
}

// A sizing whose button-up never reached the grid (a modal window took it) ends at the first
// move with no button held, as if the button had come up there.
bool I::LostRelease(E& e)
{
    const bool sizing = FState.State == msColSizing || FState.State == msRowSizing || FState.State == msFixedColSizing;
    if (!FState.LeftDown || !sizing || (e.Buttons & Qt::LeftButton))
        return false;
    E up = e;
    up.Kind = ikMouseUp;
    up.Button = Qt::LeftButton;
    RunSteps(up);
    return true;
}

// Header-driven selection: a press in a fixed column (row) selects whole rows (columns) to here.
bool I::HeaderSelect(E& e)
{
    G& g = FGrid;
    int c = -1, r = -1;
    if (!FState.LeftDown || FState.SelectAnchor < 0 || !g.mouseToCell(e.Pos, c, r))
        return false;
    if (FState.CursorZone == 2 && g.MouseActions().RowSelect && r >= g.fixedRows())
        g.setSelection(
            {g.fixedCols(), std::min(FState.SelectAnchor, r), g.colCount() - 1, std::max(FState.SelectAnchor, r)});
    else if (FState.CursorZone == 1 && g.MouseActions().ColSelect && c >= g.fixedCols())
        g.setSelection(
            {std::min(FState.SelectAnchor, c), g.fixedRows(), std::max(FState.SelectAnchor, c), g.rowCount() - 1});
    else
        return false;
    g.invalidateGrid();
    return true;
}

// Sizing a column or row by the mouse, with the sizing hint.
bool I::SizingDrag(E& e)
{
    G& g = FGrid;
    if (FState.LeftDown && FState.State == msFixedColSizing) {
        FState.SizingLineX = std::max(1, e.Pos.x());
        g.viewport()->update();
        if (g.HintShowSizing || g.designing()) {
            const TRect cell = g.platformCellRect(0, 0);
            ShowHintWindow(g.viewport()->mapToGlobal(QPoint(FState.SizingLineX + 4, cell.Top)), 200,
                           SizingHint(true, FState.SizingLineX));
        }
        g.setCursor(Qt::SplitHCursor);
        e.CursorSet = true;
        return true;
    }
    if (!FState.LeftDown || (FState.State != msColSizing && FState.State != msRowSizing))
        return false;
    const bool cols = FState.State == msColSizing;
    // The edge follows the mouse by as much as it moved since the press.
    const QPoint moved = e.Pos - FState.PressPoint;
    const int size = std::max(1, cols ? FState.SizeWidth + moved.x() : FState.SizeHeight + moved.y());
    if (cols)
        g.setColWidths(FState.SizeCol, size);
    else
        g.setRowHeights(FState.SizeRow, size);
    if (g.HintShowSizing || g.designing()) {
        // Beside the sized cell: right of the column's header, under the row's first cell.
        const TRect cell = cols ? g.platformCellRect(FState.SizeCol, 0) : g.platformCellRect(0, FState.SizeRow);
        const QPoint at = cols ? QPoint(cell.Right + 4, cell.Top) : QPoint(cell.Left, cell.Bottom + 4);
        ShowHintWindow(g.viewport()->mapToGlobal(at), 200, SizingHint(cols, size));
    }
    g.setCursor(cols ? Qt::SplitHCursor : Qt::SplitVCursor);
    e.CursorSet = true;
    return true;
}

// A drag armed by the press starts once the mouse is more than 3 pixels from it: the
// selection's text out of a cell, or a column out of a header. Until then the selection stays.
bool I::OleDrag(E& e)
{
    G& g = FGrid;
    if (!FState.DragArmed || !FState.LeftDown || FState.State == msColSizing || FState.State == msFixedColSizing)
        return false;
    const QPoint moved = e.Pos - FState.PressPoint;
    int c = -1, r = -1;
    if ((std::abs(moved.x()) <= 3 && std::abs(moved.y()) <= 3) || !g.mouseToCell(e.Pos, c, r)
        || !g.DragDropSettings().OleDropSource)
        return true;
    FState.DragArmed = false;
    bool Allow = true;
    if (g.OnOleDrag)
        g.OnOleDrag(g, r, g.RemapCol(c), g.cells(g.RemapCol(c), r), Allow);
    if (!Allow) {
        // Refused: the press selects as a plain one would have, and the mouse extends it.
        FState.Deferred = false;
        g.TBaseGrid::mouseDown(Qt::LeftButton, e.Mods, FState.PressPoint);
        return false;
    }
    // The drag runs its own loop and takes the release with it.
    FState.Deferred = false;
    FState.LeftDown = false;
    const int pc = FState.PressCol, pr = FState.PressRow;
    if (pr >= g.fixedRows() || pc < g.fixedCols()) {
        g.Exchange().StartCellDrag(pc, pr);
        return true;
    }
    if (g.OnOleDragStart)
        g.OnOleDragStart(g, pr, pc);
    const int real = g.RemapCol(pc);
    ShowDragIndicator(g.cells(real, 0), QSize(g.colWidths(pc), g.rowHeights(0)), g.viewport()->mapToGlobal(e.Pos));
    g.Exchange().StartColumnDrag(real);
    g.Exchange().HideDragIndicator();
    g.Exchange().HideDropArrows({arrUp, arrDown});
    return true;
}

// Moving a column or row: starts when the mouse leaves the press point, asks the events once,
// follows the mouse with the arrows and scrolls at the edges.
bool I::MoveDrag(E& e)
{
    G& g = FGrid;
    if (!FState.LeftDown || FState.MoveSource < 0)
        return false;
    const bool cols = FState.PressRow < g.fixedRows();
    if (FState.State == msNormal) {
        if ((e.Pos - FState.PressPoint).manhattanLength() < 1)
            return true;
        bool Allow = true;
        if (cols && g.OnColumnMove)
            g.OnColumnMove(g, FState.MoveSource, Allow);
        if (!cols && g.OnRowMove)
            g.OnRowMove(g, FState.MoveSource, Allow);
        if (!Allow) {
            FState.MoveSource = -1;
            return true;
        }
        FState.State = cols ? msColMoving : msRowMoving;
    }
    // With EnhRowColMove the moved header (a column's row-0 text, a row's first cell) travels
    // with the mouse, held where it was pressed.
    if (g.EnhRowColMove && FState.State != msFixedColSizing) {
        const QString caption =
            cols ? g.cells(g.RemapCol(FState.MoveSource), 0) : g.cells(g.RemapCol(0), FState.MoveSource);
        const QSize size = cols ? QSize(g.colWidths(FState.MoveSource), g.rowHeights(0))
                                : QSize(g.colWidths(0), g.rowHeights(FState.MoveSource));
        ShowDragIndicator(caption, size, g.viewport()->mapToGlobal(e.Pos - FState.MoveOffset));
    }
    int c = -1, r = -1;
    if (cols) {
        if (e.Pos.x() < g.FixedColsWidth() && g.leftCol() > g.fixedCols())
            g.setLeftCol(g.leftCol() - 1);
        else if (e.Pos.x() > g.clientWidth() && g.leftCol() + g.visibleColCount() < g.colCount())
            g.setLeftCol(g.leftCol() + 1);
    } else {
        if (e.Pos.y() < g.FixedRowsHeight() && g.topRow() > g.fixedRows())
            g.setTopRow(g.topRow() - 1);
        else if (e.Pos.y() > g.clientHeight() && g.topRow() + g.visibleRowCount() < g.rowCount())
            g.setTopRow(g.topRow() + 1);
    }
    if (g.mouseToCell(e.Pos, c, r)) {
        FState.MoveTarget = cols ? c : r;
        const bool normal = cols ? c >= g.fixedCols() : r >= g.fixedRows();
        const TRect tr = g.platformCellRect(cols ? c : 0, cols ? 0 : r);
        TArrowWindow* a = FArrows[0];
        TArrowWindow* b = FArrows[1];
        if (a && b) {
            const QPoint o = g.viewport()->mapTo(&g, QPoint(0, 0));
            if (cols) {
                a->move(o.x() + tr.Left - 5, o.y() + tr.Top - 8);
                b->move(o.x() + tr.Left - 5, o.y() + tr.Bottom);
            } else {
                a->move(o.x() + tr.Left - 10, o.y() + tr.Top - 5);
                b->move(o.x() + tr.Right, o.y() + tr.Top - 5);
            }
            a->setVisible(normal);
            b->setVisible(normal);
        }
    }
    g.setCursor(Qt::DragMoveCursor);
    e.CursorSet = true;
    return true;
}

// The cursor zone for the next press, and the sizing and selection cursors.
bool I::CursorZone(E& e)
{
    G& g = FGrid;
    FState.CursorZone = 0;
    int c = -1, r = -1;
    if (!g.mouseToCell(e.Pos, c, r))
        return false;
    const bool fixedColZone = InFixedColZone(e.Pos);
    const bool sizing = InSizeZone(e.Pos.x(), e.Pos.y()) || fixedColZone;
    const bool fixedRow = r < g.fixedRows(), fixedCol = c < g.fixedCols();
    const TMouseActions& m = g.MouseActions();
    if (fixedRow && fixedCol && m.AllSelect)
        FState.CursorZone = 3;
    else if (fixedRow && !fixedCol && m.ColSelect && !sizing)
        FState.CursorZone = 1;
    else if (fixedCol && !fixedRow && m.RowSelect && !sizing)
        FState.CursorZone = 2;
    if (e.Kind != ikMouseMove)
        return false;
    if (sizing) {
        g.setCursor(fixedRow || fixedColZone ? Qt::SplitHCursor : Qt::SplitVCursor);
        e.CursorSet = true;
    } else if (FState.CursorZone) {
        g.setCursor(ZoneCursor(FState.CursorZone));
        e.CursorSet = true;
    }
    return false;
}

void I::ShowDragIndicator(const QString& Caption, QSize Size, QPoint Screen)
{
    TPopupButton* b = FPopupButton;
    if (!b)
        return;
    b->SetCaption(Caption);
    b->resize(Size);
    b->move(b->isWindow() ? Screen : b->parentWidget()->mapFromGlobal(Screen));
    b->show();
    b->raise();
}

QString I::AnchorAt(int ACol, int ARow, QPoint Pos)
{
    G& g = FGrid;
    const QString text = g.cells(g.RemapCol(ACol), ARow);
    if (TextType(text, g.EnableHTML) != 1)
        return {};
    const TRect cr = g.platformCellRect(ACol, ARow);
    ui::Canvas canvas;
    canvas.font = g.controlFont();
    THTMLRenderOptions o;
    o.HitTestOnly = true;
    o.HitX = Pos.x();
    o.HitY = Pos.y();
    o.Images = g.GridImages();
    o.Pictures = g.PictureContainer;
    o.PictureCache = &g.PictureCache();
    THTMLRenderResult res;
    const TRect box{cr.Left + 2, cr.Top + 2, cr.Right - 2, cr.Bottom - 2};
    return RenderHTMLText(canvas, text, box, o, res) ? res.HitAnchorHref : QString();
}

// Over a link the link cursor shows, and entering and leaving an anchor are reported.
bool I::LinkHover(E& e)
{
    G& g = FGrid;
    int c = -1, r = -1;
    QString anchor;
    bool link = false;
    if (!e.CursorSet && g.mouseToCell(e.Pos, c, r)) {
        const QString text = g.cells(g.RemapCol(c), r);
        if (TextType(text, g.EnableHTML) == 1) {
            anchor = AnchorAt(c, r, e.Pos);
            link = !anchor.isEmpty();
        } else {
            link = g.URLShow() && IsURL(text);
        }
    }
    if (!anchor.isEmpty() && anchor != FState.LastAnchor) {
        FState.LastAnchor = anchor;
        if (g.OnAnchorEnter)
            g.OnAnchorEnter(g, r, c, anchor);
    } else if (anchor.isEmpty() && !FState.LastAnchor.isEmpty()) {
        const QString left = FState.LastAnchor;
        FState.LastAnchor.clear();
        if (g.OnAnchorExit)
            g.OnAnchorExit(g, r, c, left);
    }
    if (link)
        g.setCursor(Qt::PointingHandCursor);
    else if (!e.CursorSet)
        g.unsetCursor(); // the grid's own cursor
    return false;
}

// A hint showing for one cell goes when the mouse reaches another.
bool I::HintCell(E& e)
{
    int c = -1, r = -1;
    if (FState.HintCol < 0 || (FGrid.mouseToCell(e.Pos, c, r) && c == FState.HintCol && r == FState.HintRow))
        return false;
    QToolTip::hideText();
    if (FHintWindow && !FState.LeftDown)
        FHintWindow->hide();
    FState.HintCol = FState.HintRow = -1;
    return false;
}

// The platform's range selection while the button is held.
bool I::RangeSelect(E& e)
{
    G& g = FGrid;
    if (g.rowCount() <= 1 || g.fixedCols() >= g.colCount())
        FState.State = msNormal;
    if (!FState.LeftDown || FState.State != msNormal || FState.MoveSource >= 0 || FState.PressCol < 0)
        return true;
    const ui::GridRect before = g.selection();
    g.TBaseGrid::mouseMove(e.Buttons, e.Mods, e.Pos);
    if (g.SelectionRectangle() && !(g.selection() == before))
        g.invalidateGrid();
    return true;
}

// --- the wheel, panning, focus, the timer ------------------------------------------------------

bool I::PanStart(E& e)
{
    G& g = FGrid;
    if (e.Button != Qt::MiddleButton || FState.Panning || g.IntelliPan == ipNone)
        return false;
    FState.Panning = true;
    QToolTip::hideText(); // hints stay off until panning ends
    if (FHintWindow)
        FHintWindow->hide();
    FState.HintCol = FState.HintRow = -1;
    FState.PanFocus = e.Pos;
    FState.PanCursor = 8000;
    FState.PanTimer.start(10, &g);
    g.setCursor(PanCursorShape(FState.PanCursor));
    g.viewport()->update(QRect(e.Pos, QSize(32, 32)));
    return true;
}

void I::EndPanning()
{
    FState.Panning = false;
    FState.PanTimer.stop();
    FGrid.unsetCursor();
    FGrid.viewport()->update(QRect(FState.PanFocus, QSize(32, 32)));
}

bool I::PanTick(E&)
{
    PanStep(FGrid.viewport()->mapFromGlobal(QCursor::pos()));
    return false;
}

void I::PanStep(QPoint Mouse)
{
    G& g = FGrid;
    int dx = PanDirection(Mouse.x(), FState.PanFocus.x()), dy = PanDirection(Mouse.y(), FState.PanFocus.y());
    if (g.IntelliPan == ipHorizontal)
        dy = 0;
    if (g.IntelliPan == ipVertical)
        dx = 0;
    const int cursor = PanCursorId(dx, dy);
    if (cursor != FState.PanCursor)
        g.setCursor(PanCursorShape(cursor));
    FState.PanCursor = cursor;
    const int firstCol = FirstCol(), lastCol = LastCol();
    const int firstRow = FirstRow(), lastRow = LastRow();
    int c = std::clamp(g.col(), firstCol, std::max(firstCol, lastCol));
    int r = std::clamp(g.row(), firstRow, std::max(firstRow, lastRow));
    if (c + dx >= firstCol && c + dx <= lastCol)
        c += dx;
    if (r + dy >= firstRow && r + dy <= lastRow)
        r += dy;
    if (c != g.col() || r != g.row())
        g.focusCell(c, r);
}

bool I::WheelZoom(E& e)
{
    if (FState.Panning || !e.Ctrl() || !FGrid.IntelliZoom)
        return false;
    if (const int n = WheelTurnLines(FState.ZoomRest, e.WheelAngle, FState.WheelLines))
        ZoomBy(-n); // towards the user enlarges
    return true;
}

bool I::WheelRows(E& e)
{
    G& g = FGrid;
    if (FState.Panning || !g.EnableWheel)
        return true;
    const int lines = WheelTurnLines(FState.WheelRest, e.WheelAngle, FState.WheelLines);
    if (lines == 0)
        return true;
    const int firstRow = FirstRow(), lastRow = std::max(firstRow, LastRow());
    const int r = std::clamp(g.row() - lines, firstRow, lastRow);
    const int c = std::clamp(g.col(), g.fixedCols(), std::max(g.fixedCols(), g.colCount() - 1));
    if (r != g.row() || c != g.col())
        g.focusCell(c, r);
    return true;
}

bool I::Focus(E& e)
{
    G& g = FGrid;
    if (g.FEditing->State().DoneInProgress || g.HasCheckBox(g.RemapCol(g.col()), g.row()))
        return true;
    const bool fromOtherWindow = e.FocusReason == Qt::ActiveWindowFocusReason;
    if (g.Navigation().AlwaysEdit && !g.editorMode() && (fromOtherWindow || !g.inplaceEditor()) && g.canEditShow()
        && IsTextEditorType(g.CurrentEditorType()))
        g.showEditor();
    if ((g.rowCount() == 1 && g.FixedRowAlways) || (g.colCount() == 1 && g.FixedColAlways))
        g.HideSelection();
    return true;
}

bool I::Hover(E& e)
{
    G& g = FGrid;
    if (!g.Hovering || g.designing())
        return false;
    const QPoint p = g.viewport()->mapFromGlobal(QCursor::pos());
    int c = -1, r = -1;
    if (!g.viewport()->rect().contains(p) || !g.mouseToCell(p, c, r) || c < g.fixedCols() || r < g.fixedRows())
        return false;
    g.setFocus(Qt::OtherFocusReason);
    if (r != g.row() || c != g.col())
        g.focusCell(c, r);
    return false;
}

// Cells holding blinking text repaint at every tick: the visible normal cells and the fixed
// rows and columns beside them.
bool I::Blink(E& e)
{
    G& g = FGrid;
    FState.BlinkOn = !FState.BlinkOn;
    const int c1 = std::min(g.colCount() - 1, g.leftCol() + g.visibleColCount());
    const int r1 = std::min(g.rowCount() - 1, g.topRow() + g.visibleRowCount());
    auto check = [&g](int c, int r) {
        if (g.cells(g.RemapCol(c), r).contains(QLatin1String("<BLI"), Qt::CaseInsensitive))
            g.invalidateCell(c, r);
    };
    for (int r = g.topRow(); r <= r1; ++r)
        for (int c = g.leftCol(); c <= c1; ++c)
            check(c, r);
    for (int r = 0; r < g.fixedRows(); ++r)
        for (int c = g.leftCol(); c <= c1; ++c)
            check(c, r);
    for (int c = 0; c < g.fixedCols(); ++c)
        for (int r = g.topRow(); r <= r1; ++r)
            check(c, r);
    return false;
}

// --- hints and zoom -------------------------------------------------------------------------

bool TTxStringGrid::ScreenToCell(QPoint Point, int& ACol, int& ARow)
{
    ACol = ARow = -1;
    return mouseToCell(viewport()->mapFromGlobal(Point), ACol, ARow);
}

bool TTxStringGrid::CellHint(QPoint Pos, QString& Text, QPoint& At) { return FInput->CellHint(Pos, Text, At); }

bool TGridInput::CellHint(QPoint Pos, QString& Text, QPoint& At)
{
    G& g = FGrid;
    int c = -1, r = -1;
    Text.clear();
    if (!g.mouseToCell(Pos, c, r))
        return false;
    FState.HintCol = c;
    FState.HintRow = r;
    const int real = g.RemapCol(c);
    const QString text = g.cells(real, r);
    const TRect cr = g.platformCellRect(c, r);
    QString comment;
    const QString anchor = g.AnchorHint ? AnchorAt(c, r, Pos) : QString();
    if (!anchor.isEmpty()) {
        Text = anchor;
        if (g.OnAnchorHint)
            g.OnAnchorHint(g, r, c, Text);
        At = Pos;
    } else if (g.IsComment(real, r, comment)) {
        Text = CommentHint(comment);
        At = QPoint(cr.Right, cr.Top);
    } else {
        At = QPoint(cr.Left, cr.Bottom + 6);
        const bool normal = NormalCell(c, r);
        const QString shown = g.HTMLHint ? text : HTMLToPlainText(text);
        const bool large = QFontMetrics(g.font()).horizontalAdvance(HTMLToPlainText(text)) > g.colWidths(c);
        if (normal && (g.HintShowCells || (g.HintShowLargeText && large))) {
            Text = shown;
            At = QPoint(cr.Left, cr.Top);
        }
    }
    if (g.OnGridHint)
        g.OnGridHint(g, r, c, Text);
    return !Text.isEmpty();
}

void I::ShowHint(QPoint GlobalPos, QPoint Pos)
{
    QString text;
    QPoint at;
    // While the grid pans, no hint: the cells move under a resting mouse.
    if (FState.Panning || !CellHint(Pos, text, at)) {
        QToolTip::hideText();
        return;
    }
    ShowHintWindow(GlobalPos - Pos + at, 300, text);
}

void I::ShowHintWindow(QPoint At, int MaxWidth, const QString& Text)
{
    if (!FHintWindow)
        FHintWindow = new THTMLHintWindow(&FGrid);
    FHintWindow->SetColor(FGrid.HintColor);
    const TRect hr = FHintWindow->CalcHintRect(MaxWidth, Text);
    FHintWindow->ActivateHint(TRect{At.x(), At.y(), At.x() + hr.Right + 4, At.y() + hr.Bottom + 4}, Text);
}

void TTxStringGrid::ZoomBy(int N) { FInput->ZoomBy(N); }

void TGridInput::ZoomBy(int N)
{
    G& g = FGrid;
    if (!ZoomAllowed(g.Zoom, N))
        return;
    g.Zoom += N;
    g.BeginUpdate();
    for (int c = 0; c < g.colCount(); ++c)
        if (g.colWidths(c) + N > 0)
            g.setColWidths(c, g.colWidths(c) + N);
    for (int r = 0; r < g.rowCount(); ++r)
        if (g.rowHeights(r) + N > 0)
            g.setRowHeights(r, g.rowHeights(r) + N);
    g.EndUpdate();
}

void TGridInput::PaintMarks(ui::Canvas& Canvas)
{
    QPainter* p = Canvas.painter();
    if (!p)
        return;
    if (FState.SizingLineX >= 0) {
        // The fixed column's sizing line, down to the last row or the control's bottom.
        p->save();
        p->setPen(QPen(Qt::black, 1, Qt::DotLine));
        const int bottom = std::max(FGrid.height(), FGrid.platformCellRect(0, FGrid.rowCount() - 1).Bottom);
        p->drawLine(FState.SizingLineX, 0, FState.SizingLineX, bottom);
        p->restore();
    }
    if (FState.Panning)
        p->drawImage(FState.PanFocus, PanFocusImage(FGrid.IntelliPan));
}

// --- pure rules ---------------------------------------------------------------------------

bool ZoomAllowed(int Accumulated, int N) { return Accumulated + N >= -10 && Accumulated + N <= 10; }

int WheelTurnLines(int& Rest, int Angle, int LinesPerNotch)
{
    if ((Rest < 0 && Angle > 0) || (Rest > 0 && Angle < 0))
        Rest = 0;
    Rest += Angle * LinesPerNotch;
    const int lines = Rest / 120;
    Rest -= lines * 120;
    return lines;
}

int PanDirection(int Mouse, int Focus)
{
    if (Mouse > Focus + 5)
        return 1;
    if (Mouse < Focus - 5)
        return -1;
    return 0;
}

int PanCursorId(int Dx, int Dy)
{
    if (Dx == 0)
        return Dy == 0 ? 8000 : Dy > 0 ? 8001 : 8004;
    if (Dy == 0)
        return Dx < 0 ? 8002 : 8003;
    if (Dy < 0)
        return Dx > 0 ? 8005 : 8006;
    return Dx > 0 ? 8007 : 8008;
}

QString CommentHint(const QString& Comment)
{
    // Only a closing line break goes: a short comment, or one stored without the break, keeps
    // every character it has.
    QString t = Comment;
    for (int i = 0; i < 2 && (t.endsWith(QLatin1Char('\n')) || t.endsWith(QLatin1Char('\r'))); ++i)
        t.chop(1);
    return t;
}

QString SizingHint(bool Column, int Size)
{
    return QStringLiteral("%1=<b>%2</b>").arg(Column ? QStringLiteral("cw") : QStringLiteral("rh")).arg(Size);
}

} // namespace grid
