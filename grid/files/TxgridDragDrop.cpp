// Drags into and out of a grid through the drag-and-drop layer.
#include "grid/files/TxgridDragDrop.h"
#include "grid/core/Txgrid.h"
#include "grid/files/TxgridExchange.h"
#include "grid/text/TxgridRTF.h"
#include "grid/controls/Txobj.h"
#include "platform/ui/Application.h"

#include <QEvent>
#include <QMimeData>

namespace grid {

// --- drop target -------------------------------------------------------------------------

QPoint TGridDropTarget::CellAt(QPoint Pt) const
{
    int c = -1, r = -1;
    if (!FGrid.mouseToCell(FGrid.viewport()->mapFrom(&FGrid, Pt), c, r))
        return {-1, -1};
    return {c, r};
}

void TGridDropTarget::DragMouseMove(QPoint Pt, bool& Allow, TDropFormats Formats)
{
    const QPoint cell = CellAt(Pt);
    const int c = cell.x(), r = cell.y();
    Allow = c >= 0 && r >= 0;
    const bool column = Formats & dfCol;
    if (Allow && !column) {
        if (r == FGrid.topRow() + FGrid.visibleRowCount())
            FGrid.setTopRow(FGrid.topRow() + 1);
        else if (r == 0 && FGrid.topRow() > FGrid.FixedRows())
            FGrid.setTopRow(FGrid.topRow() - 1);
    }
    if (column) {
        if (r >= FGrid.FixedRows() || c < FGrid.FixedCols())
            Allow = false;
    } else if (r < FGrid.FixedRows() && !(FGrid.FixedRowAlways && FGrid.RowCount() == 1)) {
        Allow = false;
    }
    if (FGrid.OnOleDragOver)
        FGrid.OnOleDragOver(FGrid, r, c, Allow);
    // Where the drop would land.
    TGridExchange& x = FGrid.Exchange();
    if (!Allow) {
        x.HideDropArrows({arrLeft, arrDown, arrUp});
        return;
    }
    auto screen = [&](int col, int row, bool bottom) {
        const TRect cr = FGrid.platformCellRect(col, row);
        return FGrid.viewport()->mapToGlobal(QPoint(cr.Left, bottom ? cr.Bottom : cr.Top));
    };
    if (column) {
        x.ShowDropArrow(arrDown, screen(c, r, false) - QPoint(0, 8));
        x.ShowDropArrow(arrUp, screen(c, r, true));
    } else {
        const int row = r == 0 && FGrid.FixedRowAlways ? 1 : r;
        QPoint p = screen(0, row, false) - QPoint(12, 0);
        if (FGrid.DragDropSettings().OleEntireRows)
            p.rx() += FGrid.colWidths(0);
        x.ShowDropArrow(arrLeft, p);
    }
}

void TGridDropTarget::DragMouseLeave() { FGrid.Exchange().HideDropArrows({arrDown, arrUp, arrLeft}); }

bool TGridDropTarget::DropText(QPoint Pt, const QString& Text)
{
    const QPoint cell = CellAt(Pt);
    int c = cell.x(), r = cell.y();
    TGridExchange& x = FGrid.Exchange();
    if (c < 0 || r < 0 || !x.PasteAllowed())
        return false;
    QPoint size;
    TGridExchange::PasteSize(Text, size, FGrid.ClipboardQuoteMultiline);
    const int cols = size.x(), rows = size.y();
    const bool wholeRows = FGrid.options() & ui::goRowSelect;
    const TDragDropSettings& dd = FGrid.DragDropSettings();
    if (wholeRows)
        c = dd.OleEntireRows ? 0 : FGrid.FixedCols();
    bool allow = true;
    if (FGrid.OnOleDrop)
        FGrid.OnOleDrop(FGrid, r, c, Text, allow);
    TGridRect sel = FGrid.selection();
    int written = 0;
    if (allow) {
        if (FGrid.FixedRowAlways && r == 0 && FGrid.RowCount() == 1)
            r = 1;
        // Rows inserted at or above a drag out of this grid move it down with them.
        TGridRect& dragged = x.DraggedRect();
        const bool shifts = dd.OleInsertRows && dragged.Left >= 0 && dragged.Top >= r;
        const int top = FGrid.topRow();
        if (dd.OleInsertRows) {
            if (shifts) {
                dragged.Top += rows;
                dragged.Bottom += rows;
            }
            FGrid.InsertRows(r, rows);
            FGrid.setTopRow(top > FGrid.FixedRows() ? top + 1 : top);
        }
        // The source of a move empties every cell it dragged, so a move lands whole or not
        // at all: a field with text and no writable cell here (a read-only column, past the
        // last row or column) would be in neither grid.
        allow = DropEffect() != DROPEFFECT_MOVE || x.PasteLandsWhole(c, r, Text);
        if (!allow && dd.OleInsertRows) {
            FGrid.RemoveRows(r, rows);
            FGrid.setTopRow(top);
            if (shifts) {
                dragged.Top -= rows;
                dragged.Bottom -= rows;
            }
        }
    }
    if (allow) {
        x.PasteText(c, r, Text, &written);
        c = std::max(c, FGrid.FixedCols());
        sel = {c, r, wholeRows ? c + cols - FGrid.FixedCols() : c + cols - 1, r + rows - 1};
        sel.Right = std::min(sel.Right, FGrid.ColCount() - 1);
        sel.Bottom = std::min(sel.Bottom, FGrid.RowCount() - 1);
        FGrid.setSelection(sel);
        x.DroppedRect() = sel;
    }
    x.HideDropArrows({arrLeft, arrDown});
    x.HideDragIndicator();
    if (FGrid.OnOleDropped)
        FGrid.OnOleDropped(FGrid, sel);
    return written > 0;
}

bool TGridDropTarget::DropRTF(QPoint Pt, const QString& Text)
{
    const QPoint cell = CellAt(Pt);
    if (cell.x() < 0 || cell.y() < 0)
        return false;
    bool allow = true;
    if (FGrid.OnOleDrop)
        FGrid.OnOleDrop(FGrid, cell.y(), cell.x(), Text, allow);
    allow = allow && FGrid.Exchange().CellWritable(cell.x(), cell.y());
    if (allow) {
        FGrid.setCells(FGrid.RemapCol(cell.x()), cell.y(), Text);
        FGrid.Exchange().DroppedRect() = {cell.x(), cell.y(), cell.x(), cell.y()};
    }
    FGrid.Exchange().HideDropArrows({arrLeft, arrDown});
    return allow;
}

bool TGridDropTarget::DropFiles(QPoint, const QStringList& Files)
{
    if (Files.size() != 1)
        return false;
    const QString name = Files.first(), upper = name.toUpper();
    const bool csv = upper.contains(QLatin1String(".CSV"));
    if (!csv && !upper.contains(QLatin1String(".XLS")))
        return false;
    bool allow = true;
    if (FGrid.OnOleDrop)
        FGrid.OnOleDrop(FGrid, -1, -1, name, allow);
    if (!allow)
        return false;
    if (csv)
        FGrid.LoadFromCSV(name);
    else
        FGrid.Exchange().LoadFromXLS(name);
    FGrid.Exchange().HideDropArrows({arrLeft, arrDown});
    return true;
}

bool TGridDropTarget::DropCol(QPoint Pt, int Col)
{
    const QPoint cell = CellAt(Pt);
    if (FormatsPresent() & dfCol) {
        FGrid.Exchange().HideDropArrows({arrDown, arrUp});
        FGrid.Exchange().HideDragIndicator();
    }
    if (FGrid.OnOleDropCol)
        FGrid.OnOleDropCol(FGrid, cell.y(), cell.x(), Col);
    return true;
}

// --- the grid's registration and drags out of it -----------------------------------------

namespace {

// Qt's drag events of the grid, handed to its drop target; a failure of a drop (a file that
// cannot be read) is shown, not thrown through the event loop.
class TDropFilter : public QObject {
public:
    explicit TDropFilter(TGridDropTarget& Target) : FTarget(Target) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        bool handled = false;
        ui::guard([&] { handled = FTarget.HandleDragEvent(e); });
        return handled;
    }

private:
    TGridDropTarget& FTarget;
};

} // namespace

void TGridExchange::ShowDropArrow(int Direction, QPoint Screen)
{
    if (QWidget* a = FGrid.MoveArrow(Direction)) {
        a->move(a->isWindow() ? Screen : a->parentWidget()->mapFromGlobal(Screen));
        a->show();
        a->raise();
    }
}

void TGridExchange::HideDropArrows(std::initializer_list<int> Directions)
{
    for (int d : Directions)
        if (QWidget* a = FGrid.MoveArrow(d))
            a->hide();
}

void TGridExchange::HideDragIndicator()
{
    if (TPopupButton* b = FGrid.DragIndicator())
        b->hide();
}

// Here, where the drop target and source are complete types.
TGridExchange::TGridExchange(TTxStringGrid& Grid) : FGrid(Grid) {}
TGridExchange::~TGridExchange() = default;

void TGridExchange::RegisterDropTarget()
{
    if (!FDropTarget) {
        FDropTarget = std::make_unique<TGridDropTarget>(FGrid);
        FDropFilter = std::make_unique<TDropFilter>(*FDropTarget);
        FGrid.installEventFilter(FDropFilter.get());
    }
    FDropTarget->AcceptsText = FGrid.DragDropSettings().OleAcceptText;
    FDropTarget->AcceptsFiles = FGrid.DragDropSettings().OleAcceptFiles;
    FGrid.setAcceptDrops(true);
}

void TGridExchange::RevokeDropTarget()
{
    FGrid.setAcceptDrops(false);
    if (FDropFilter)
        FGrid.removeEventFilter(FDropFilter.get());
    FDropFilter.reset();
    FDropTarget.reset();
}

// Rich text goes only with a drag of one cell that holds it: a target preferring rich text
// would put a whole block into one cell.
QString TGridExchange::CellDragRTF(int ACol, int ARow)
{
    const TGridRect s = FGrid.selection();
    if (FGrid.MouseActions().DisjunctRowSelect || s.Left != s.Right || s.Top != s.Bottom)
        return QString();
    const QString raw = FGrid.cells(FGrid.RemapCol(ACol), ARow);
    return IsRichText(raw) ? raw : QString();
}

TSourceDataObject TGridExchange::CellDragData(int ACol, int ARow)
{
    return TSourceDataObject(FGrid.SelectedText(), CellDragRTF(ACol, ARow), -1);
}

namespace {

// Rows From..To less the rows Keep covers, removed from the bottom up.
void RemoveRowsOutside(TTxStringGrid& Grid, int From, int To, const TGridRect& Keep)
{
    if (Keep.Left < 0 || Keep.Bottom < From || Keep.Top > To) {
        Grid.RemoveRows(From, To - From + 1);
        return;
    }
    if (Keep.Bottom < To)
        Grid.RemoveRows(Keep.Bottom + 1, To - Keep.Bottom);
    if (From < Keep.Top)
        Grid.RemoveRows(From, Keep.Top - From);
}

} // namespace

void TGridExchange::CellDragDone(TDropEffect Effect)
{
    // Cells a drop into this same grid has just written are not the source any more.
    const TGridRect r = FDraggedRect, keep = FDroppedRect;
    if (Effect == DROPEFFECT_MOVE && r.Left >= 0) {
        const TDragDropSettings& dd = FGrid.DragDropSettings();
        if (dd.OleRemoveRows && (FGrid.options() & ui::goRowSelect)) {
            if (FGrid.MouseActions().DisjunctRowSelect)
                FGrid.RemoveSelectedRows();
            else
                RemoveRowsOutside(FGrid, r.Top, r.Bottom, keep);
        } else if (keep.Left < 0 || keep.Right < r.Left || keep.Left > r.Right || keep.Bottom < r.Top
                   || keep.Top > r.Bottom) {
            FGrid.ClearRect(r.Left, r.Top, r.Right, r.Bottom);
        } else {
            for (int row = r.Top; row <= r.Bottom; ++row)
                for (int col = r.Left; col <= r.Right; ++col)
                    if (!keep.contains(col, row))
                        FGrid.ClearRect(col, row, col, row);
        }
    }
    if (FGrid.OnOleDragStop)
        FGrid.OnOleDragStop(FGrid, Effect);
}

long TGridExchange::StartCellDrag(int ACol, int ARow)
{
    FDropSource = std::make_unique<TGridDropSource>();
    if (FGrid.OnOleDragStart)
        FGrid.OnOleDragStart(FGrid, ARow, ACol);
    FDraggedRect = FGrid.selection();
    FDroppedRect = {-1, -1, -1, -1};
    TDropEffect effect = DROPEFFECT_NONE;
    const long result = StartTextDoDragDrop(&FGrid, *FDropSource, FGrid.SelectedText(), CellDragRTF(ACol, ARow), effect,
                                            Qt::CopyAction | Qt::MoveAction);
    if (result != DRAGDROP_S_CANCEL)
        CellDragDone(effect);
    FDraggedRect = FDroppedRect = {-1, -1, -1, -1};
    return result;
}

long TGridExchange::StartColumnDrag(int ACol)
{
    FDropSource = std::make_unique<TGridDropSource>();
    TDropEffect effect = DROPEFFECT_NONE;
    const long result = StartColDoDragDrop(&FGrid, *FDropSource, ACol, Qt::CopyAction | Qt::MoveAction, effect);
    if (result != DRAGDROP_S_CANCEL && FGrid.OnOleDragStop)
        FGrid.OnOleDragStop(FGrid, effect);
    return result;
}

} // namespace grid
