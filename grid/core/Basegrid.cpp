#include "grid/core/Basegrid.h"

#include <algorithm>
#include <climits>

namespace grid {

// --- TCellProperties ---------------------------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : ui::CellObject(okCellProperties), FOwner(AOwner), FCol(ACol), FRow(ARow)
{}

TCellProperties::~TCellProperties() = default;

void TCellProperties::placedAt(int ACol, int ARow)
{
    SetColRow(ACol, ARow);
    if (FGraphic)
        FGraphic->placedAt(ACol, ARow);
}

void TCellProperties::SetGraphic(ui::CellObject* Obj)
{
    FOwnedGraphic.reset();
    FGraphic = Obj;
}

void TCellProperties::SetOwnedGraphic(std::unique_ptr<ui::CellObject> Obj)
{
    FOwnedGraphic = std::move(Obj);
    FGraphic = FOwnedGraphic.get();
}

void TCellProperties::Repaint()
{
    if (FOwner)
        FOwner->RepaintCell(FCol, FRow);
}

void TCellProperties::SetBrushColor(TColor Value)
{
    FBrushColor = Value;
    Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment Value)
{
    FVAlignment = Value;
    Repaint();
}

void TCellProperties::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    Repaint();
}

TPoint TCellProperties::GetBaseCell() const
{
    if (!FIsBaseCell && FColSpan != -1 && FRowSpan != -1)
        return {FCol - FColSpan, FRow - FRowSpan};
    return {FCol, FRow};
}

// --- TBaseGrid ---------------------------------------------------------------------------

TBaseGrid::TBaseGrid(QWidget* parent) : ui::StringGridView(parent), FDisplTextRowLimit(INT_MAX)
{
    // Lines are drawn inside the cells, so cells touch; the focused cell shows selected.
    setOptions(options() | ui::goDrawFocusSelected);
}

TBaseGrid::~TBaseGrid() = default; // the cell store frees every slot's object

void TBaseGrid::SetGridLineWidth(int Value)
{
    FGridLineWidth = Value;
    invalidateGrid();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    FGridLineColor = Value;
    invalidateGrid();
}

void TBaseGrid::SetLastRowInFooter(bool Value) { FLastRowInFooter = Value; }

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::NodeIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::FloatFooterUpdate() {}

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, ui::Brush&, ui::Font&, TAlignment&,
                                    TVAlignment&, bool&)
{}

void TBaseGrid::DrawGridCell(ui::Canvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState)
{
    Canvas.drawText(Rect, Qt::AlignCenter | Qt::TextSingleLine, GetCellEx(ACol, ARow));
}

// --- cell access -------------------------------------------------------------------------

TCellProperties* TBaseGrid::Props(int ACol, int ARow) const
{
    ui::CellObject* o = objects(ACol, ARow);
    return o && o->objectKind() == okCellProperties ? static_cast<TCellProperties*>(o) : nullptr;
}

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow)
{
    if (TCellProperties* p = Props(ACol, ARow))
        return p;
    if (ACol < 0 || ARow < 0)
        return nullptr;
    auto p = std::make_unique<TCellProperties>(this, ACol, ARow);
    TCellProperties* raw = p.get();
    setObjects(ACol, ARow, std::move(p));
    return raw;
}

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const { return Props(ACol, ARow) != nullptr; }

void TBaseGrid::SetCellProperties(int ACol, int ARow, std::unique_ptr<TCellProperties> Props)
{
    setObjects(ACol, ARow, std::move(Props));
}

std::unique_ptr<ui::CellObject> TBaseGrid::SetGridObject(int ACol, int ARow, std::unique_ptr<ui::CellObject> Obj)
{
    std::unique_ptr<ui::CellObject> old = takeObject(ACol, ARow);
    setObjects(ACol, ARow, std::move(Obj));
    return old;
}

ui::CellObject* TBaseGrid::GetObjectEx(int ACol, int ARow) const
{
    const TCellProperties* p = Props(ACol, ARow);
    return p ? p->ObjectRef() : nullptr;
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, ui::CellObject* Obj)
{
    if (TCellProperties* p = GetCellProperties(ACol, ARow))
        p->SetObjectRef(Obj);
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, ui::CellObject* Obj)
{
    if (TCellProperties* p = GetCellProperties(ACol, ARow))
        p->SetGraphic(Obj);
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, std::unique_ptr<ui::CellObject> Obj)
{
    if (TCellProperties* p = GetCellProperties(ACol, ARow))
        p->SetOwnedGraphic(std::move(Obj));
}

ui::CellObject* TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) const
{
    const TCellProperties* p = Props(ACol, ARow);
    return p ? p->Graphic() : nullptr;
}

QString TBaseGrid::GetCellEx(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    QString value = cells(b.x(), b.y());
    if (OnGetDisplText && b.y() < FDisplTextRowLimit)
        OnGetDisplText(*this, b.x(), b.y(), value);
    return value;
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const QString& Value)
{
    if (HasCellProperties(ACol, ARow)) {
        const TPoint b = BaseCell(ACol, ARow);
        setCells(b.x(), b.y(), Value);
        RepaintCell(ACol, ARow);
    } else {
        setCells(ACol, ARow, Value);
    }
    if (FLastRowInFooter && ARow == rowCount() - 1)
        FloatFooterUpdate();
}

std::unique_ptr<ui::CellObject> TBaseGrid::NilCell(int ACol, int ARow)
{
    setCells(ACol, ARow, QString());
    return takeObject(ACol, ARow);
}

std::vector<std::unique_ptr<ui::CellObject>> TBaseGrid::NilRow(int ARow)
{
    std::vector<std::unique_ptr<ui::CellObject>> taken(static_cast<std::size_t>(core().realColCount()));
    for (int c = 0; c < core().realColCount(); ++c) {
        taken[std::size_t(c)] = takeObject(c, ARow);
        setCells(c, ARow, QString());
    }
    return taken;
}

std::vector<std::unique_ptr<ui::CellObject>> TBaseGrid::NilCol(int ACol)
{
    std::vector<std::unique_ptr<ui::CellObject>> taken(static_cast<std::size_t>(rowCount()));
    for (int r = 0; r < rowCount(); ++r) {
        taken[std::size_t(r)] = takeObject(ACol, r);
        setCells(ACol, r, QString());
    }
    return taken;
}

void TBaseGrid::CopyCols(int ToCol, int FromCol)
{
    if (ToCol == FromCol)
        return;
    for (int r = 0; r < rowCount(); ++r) {
        setCells(ToCol, r, cells(FromCol, r));
        setObjects(ToCol, r, takeObject(FromCol, r));
    }
}

void TBaseGrid::CopyRows(int ToRow, int FromRow)
{
    if (ToRow == FromRow)
        return;
    for (int c = 0; c < colCount(); ++c) {
        SetCellEx(c, ToRow, GetCellEx(c, FromRow));
        setObjects(c, ToRow, takeObject(c, FromRow));
    }
}

// --- merged cells ------------------------------------------------------------------------

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    if (const TCellProperties* p = Props(ACol, ARow)) {
        if (!p->IsBaseCell() && p->ColSpan() != -1 && p->RowSpan() != -1)
            return {ACol - p->ColSpan(), ARow - p->RowSpan()};
    }
    return {ACol, ARow};
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    const TCellProperties* p = Props(ACol, ARow);
    return p ? p->IsBaseCell() : true;
}

bool TBaseGrid::IsBaseCellEx(int ACol, int ARow, int& BaseCol, int& BaseRow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    BaseCol = b.x();
    BaseRow = b.y();
    return IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    const TCellProperties* p = Props(ACol, ARow);
    return p && p->ColSpan() != -1 && p->RowSpan() != -1;
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    if (!Props(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* bp = Props(b.x(), b.y());
    return bp && bp->ColSpan() > 1;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    const TCellProperties* p = Props(ACol, ARow);
    return p && p->RowSpan() > 1;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    if (!IsMergedCell(ACol, ARow))
        return {0, 0};
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* bp = Props(b.x(), b.y());
    if (!bp || bp->ColSpan() < 0 || bp->RowSpan() < 0)
        return {0, 0};
    return {bp->ColSpan(), bp->RowSpan()};
}

TGridRect TBaseGrid::FullCell(int ACol, int ARow) const
{
    const TPoint b = BaseCell(ACol, ARow);
    const TPoint s = CellSpan(ACol, ARow);
    return {b.x(), b.y(), b.x() + s.x(), b.y() + s.y()};
}

TRect TBaseGrid::CellRect(int ACol, int ARow) const
{
    if (!IsMergedCell(ACol, ARow))
        return GetCellRect(ACol, ARow);
    const TGridRect f = FullCell(ACol, ARow);
    const TRect a = GetCellRect(f.Left, f.Top);
    const TRect z = GetCellRect(f.Right, f.Bottom);
    return {std::min(a.Left, z.Left), std::min(a.Top, z.Top), std::max(a.Right, z.Right), std::max(a.Bottom, z.Bottom)};
}

TPoint TBaseGrid::CellSize(int ACol, int ARow) const
{
    const TRect r = CellRect(ACol, ARow);
    return {r.width(), r.height()};
}

TRect TBaseGrid::GetCellRect(int ACol, int ARow) const
{
    // Measured from the left column (top row) for scrolled cells, so the cost follows the
    // distance from the visible area, not the index.
    const ui::StringGridCore& g = core();
    auto place = [](int i, int fixed, int first, int lastNormal, int fixedSize, auto size, auto trailStart) {
        int p = 0;
        if (i < fixed) {
            for (int k = 0; k < i; ++k)
                p += size(k);
        } else if (i > lastNormal) {
            p = trailStart();
            for (int k = lastNormal + 1; k < i; ++k)
                p += size(k);
        } else {
            p = fixedSize;
            for (int k = first; k < i; ++k)
                p += size(k);
            for (int k = i; k < first; ++k)
                p -= size(k);
        }
        return p;
    };
    const int x = place(
        ACol, fixedCols(), leftCol(), g.lastNormalCol(), g.fixedColsWidth(), [&g](int c) { return g.colWidth(c); },
        [&g] { return g.trailingColsLeft(); });
    const int y = place(
        ARow, fixedRows(), topRow(), g.lastNormalRow(), g.fixedRowsHeight(), [&g](int r) { return g.rowHeight(r); },
        [&g] { return g.trailingRowsTop(); });
    return {x, y, x + g.colWidth(ACol), y + g.rowHeight(ARow)};
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int m = rowCount();
    for (int c = 0; c < colCount(); ++c) {
        const int s = CellSpan(c, ARow).y();
        if (s > 0 && s < m)
            m = s;
    }
    return m;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int m = 0;
    for (int c = 0; c < colCount(); ++c)
        m = std::max(m, CellSpan(c, ARow).y());
    return m;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool any = false;
    for (int c = 0; c < colCount(); ++c) {
        if (CellSpan(c, ARow1).y() > 0 && CellSpan(c, ARow2).y() > 0) {
            if (BaseCell(c, ARow1).y() != BaseCell(c, ARow2).y())
                return false;
            any = true;
        }
    }
    return any;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    for (int r = 0; r < rowCount(); ++r) {
        const int s1 = CellSpan(ACol1, r).x(), s2 = CellSpan(ACol2, r).x();
        if (s1 > 0 && s2 > 0) {
            if (BaseCell(ACol1, r).x() != BaseCell(ACol2, r).x())
                return false;
        } else if (s1 != s2) {
            return false;
        }
    }
    return true;
}

ui::Rect TBaseGrid::editorRect(int ACol, int ARow) const
{
    const ui::Rect own = platformCellRect(ACol, ARow);
    return own.isEmpty() || !IsMergedCell(ACol, ARow) ? own : CellRect(ACol, ARow);
}

void TBaseGrid::RepaintCell(int ACol, int ARow) { invalidateRect(CellRect(ACol, ARow)); }

bool TBaseGrid::IsSelected(int ACol, int ARow) const
{
    if (selection().contains(ACol, ARow))
        return true;
    if (!Props(ACol, ARow))
        return false;
    const TPoint s = CellSpan(ACol, ARow);
    if (s.x() == 0 && s.y() == 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return col() >= b.x() && col() <= b.x() + s.x() && row() >= b.y() && row() <= b.y() + s.y();
}

void TBaseGrid::SelectBaseCell()
{
    if (!Props(col(), row()))
        return;
    const TPoint b = BaseCell(col(), row());
    if (b.x() != col() || b.y() != row())
        moveCurrentRaw(b.x(), b.y());
}

void TBaseGrid::MergeCells(int ACol, int ARow, int NumCols, int NumRows)
{
    for (int c = ACol; c < ACol + NumCols; ++c)
        for (int r = ARow; r < ARow + NumRows; ++r) {
            TCellProperties* p = GetCellProperties(c, r);
            if (!p)
                continue;
            const bool base = c == ACol && r == ARow;
            p->SetIsBaseCell(base);
            p->SetColSpan(base ? NumCols - 1 : c - ACol);
            p->SetRowSpan(base ? NumRows - 1 : r - ARow);
        }
    for (int c = ACol; c < ACol + NumCols; ++c)
        for (int r = ARow; r < ARow + NumRows; ++r)
            RepaintCell(c, r);
}

void TBaseGrid::SplitCells(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    const TPoint s = CellSpan(ACol, ARow);
    for (int c = b.x(); c <= b.x() + s.x(); ++c)
        for (int r = b.y(); r <= b.y() + s.y(); ++r)
            if (TCellProperties* p = Props(c, r)) {
                p->SetIsBaseCell(true);
                p->SetColSpan(-1);
                p->SetRowSpan(-1);
            }
    for (int c = b.x(); c <= b.x() + s.x(); ++c)
        for (int r = b.y(); r <= b.y() + s.y(); ++r)
            RepaintCell(c, r);
}

void TBaseGrid::RepaintFixedMergedCols()
{
    if (fixedRows() == 0)
        return;
    for (int r = 0; r < fixedRows(); ++r)
        for (int c = leftCol(); c <= leftCol() + visibleColCount() && c < colCount(); ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

void TBaseGrid::RepaintFixedMergedRows()
{
    if (fixedCols() == 0)
        return;
    for (int c = 0; c < fixedCols(); ++c)
        for (int r = topRow(); r <= topRow() + visibleRowCount() && r < rowCount(); ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

// --- painting ----------------------------------------------------------------------------

void TBaseGrid::paint(ui::Canvas& canvas, const QRect& region)
{
    ui::StringGridView::paint(canvas, region);
    ++FPaintPass;
}

void TBaseGrid::drawCell(ui::Canvas& canvas, int ACol, int ARow, const ui::Rect&, ui::DrawState state)
{
    // The grid's last row while the floating footer shows it.
    if (FLastRowInFooter && ARow == rowCount() - 1) {
        canvas.brush = ui::Brush{controlColor()};
        canvas.fillRect(GetCellRect(ACol, ARow));
        return;
    }
    // A merged block is drawn once per pass, by whichever of its cells comes first.
    if (IsMergedCell(ACol, ARow)) {
        const TPoint b = BaseCell(ACol, ARow);
        if (TCellProperties* bp = Props(b.x(), b.y())) {
            if (bp->PaintStamp() == FPaintPass)
                return;
            bp->SetPaintStamp(FPaintPass);
        }
        if (b.x() != ACol || b.y() != ARow) {
            ui::DrawState bs = state & ~unsigned(ui::gdFocused | ui::gdSelected);
            if (IsSelected(b.x(), b.y()))
                bs |= ui::gdSelected;
            if (b.x() == col() && b.y() == row() && hasFocus())
                bs |= ui::gdFocused;
            PaintCell(canvas, b.x(), b.y(), bs);
            return;
        }
    }
    PaintCell(canvas, ACol, ARow, state);
}

void TBaseGrid::PaintCellAt(ui::Canvas& canvas, int ACol, int ARow, const TRect& Rect, ui::DrawState state)
{
    PaintCell(canvas, ACol, ARow, state, &Rect);
}

void TBaseGrid::PaintCell(ui::Canvas& canvas, int ACol, int ARow, ui::DrawState state, const TRect* At)
{
    const ui::StringGridCore& g = core();
    const bool colFixed = ACol < fixedCols(), rowFixed = ARow < fixedRows();
    // Fixed right columns and footer rows stay in place like the leading fixed ones.
    const bool colPinned = colFixed || g.isTrailingCol(ACol), rowPinned = rowFixed || g.isTrailingRow(ARow);
    bool fixed = (state & ui::gdFixed) || IsFixed(ACol, ARow);
    if (IsFixed(ACol, ARow)) {
        state |= ui::gdFixed;
        state &= ~unsigned(ui::gdSelected);
    }
    TRect rect = At ? *At : CellRect(ACol, ARow);

    // A block partly under the fixed rows or columns is clipped at their edge; a scrolled
    // one also at the edge of the fixed right columns and footer rows. Another surface has
    // none of them.
    const int W = colPinned ? 0 : FixedColsWidth();
    const int H = rowPinned ? 0 : FixedRowsHeight();
    const int R = colPinned || g.lastNormalCol() + 1 >= colCount() ? clientWidth() : g.trailingColsLeft();
    const int B = rowPinned || g.lastNormalRow() + 1 >= rowCount() ? clientHeight() : g.trailingRowsTop();
    const bool clip = !At
        && ((!colPinned && fixedCols() > 0 && rect.Left < W) || (!rowPinned && fixedRows() > 0 && rect.Top < H)
            || (R < clientWidth() && rect.Right > R) || (B < clientHeight() && rect.Bottom > B));
    if (clip)
        canvas.setClipRect(TRect{W, H, std::max(W, R), std::max(H, B)});

    canvas.font = controlFont();
    ui::Brush brush{fixed ? ui::clBtnFace : controlColor()};
    if ((state & ui::gdSelected) && !fixed) {
        brush.color = ui::clHighlight;
        canvas.font.color = ui::clHighlightText;
    }
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wordWrap = false;
    GetVisualProperties(ACol, ARow, state, false, true, brush, canvas.font, hAlign, vAlign, wordWrap);
    canvas.brush = brush;
    canvas.pen = ui::Pen{brush.color, 1};
    canvas.fillRect(rect);

    int inset;
    if (fixed) {
        canvas.pen = ui::Pen{ui::clGray, 1};
        inset = 1;
    } else {
        if (FGridLineWidth > 0)
            canvas.pen = ui::Pen{FGridLineColor, FGridLineWidth};
        inset = (FGridLineWidth + 1) / 2;
    }
    if (ACol == 0 && !rowFixed)
        rect.Left += NodeIndent(ARow);
    const bool drawLines = fixed || FGridLineWidth > 0;
    const TPoint base = BaseCell(ACol, ARow);
    if (drawLines && (options() & (fixed ? ui::goFixedHorzLine : ui::goHorzLine)) && !(base.x() == 0 && HasNodes())) {
        canvas.moveTo(rect.Left - inset, rect.Bottom - inset);
        canvas.lineTo(rect.Right - inset, rect.Bottom - inset);
    }
    if (drawLines && (options() & (fixed ? ui::goFixedVertLine : ui::goVertLine))) {
        canvas.moveTo(rect.Right - inset, rect.Bottom - inset);
        canvas.lineTo(rect.Right - inset, rect.Top - inset);
    }
    const int shrink = fixed ? 1 : FGridLineWidth;
    const TRect inner{rect.Left + shrink, rect.Top + shrink, rect.Right - shrink, rect.Bottom - shrink};
    DrawGridCell(canvas, ACol, ARow, inner, state);
    if (clip)
        canvas.clearClip();
}

// --- input -------------------------------------------------------------------------------

bool TBaseGrid::selectCell(int ACol, int ARow)
{
    RepaintCell(col(), row());
    const bool ok = ui::StringGridView::selectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return ok;
}

void TBaseGrid::keyDown(int& key, Qt::KeyboardModifiers mods)
{
    const bool hasProps = Props(col(), row()) != nullptr;
    const TPoint base = BaseCell(col(), row());
    const TPoint span = CellSpan(base.x(), base.y());
    switch (key) {
    case Qt::Key_PageDown:
        // Keep the last row, shown in the floating footer, out of the scrolled rows.
        if (rowCount() == visibleRowCount() + topRow() - fixedRows() + 1 && FLastRowInFooter && rowCount() > 1) {
            moveCurrentRaw(col(), rowCount() - 2);
            key = 0;
        }
        break;
    case Qt::Key_Left:
        // From inside a block, step to its first column so the move lands just before it.
        if (hasProps && base.x() < col() && col() > fixedCols() && base.x() > 0)
            moveCurrentRaw(base.x(), row());
        break;
    case Qt::Key_Up:
        if (hasProps && base.y() < row() && row() > fixedRows() && base.y() > 0)
            moveCurrentRaw(col(), base.y());
        break;
    case Qt::Key_Right:
        if (hasProps && base.x() + span.x() >= col() && col() < colCount() - 1 && base.x() < colCount() - 1)
            moveCurrentRaw(base.x() + span.x(), row());
        break;
    case Qt::Key_Down:
        if (hasProps && base.y() + span.y() >= row() && row() < rowCount() - 1 && base.y() < rowCount() - 1)
            moveCurrentRaw(col(), base.y() + span.y());
        break;
    default: break;
    }
    if (key != 0)
        ui::StringGridView::keyDown(key, mods);
    SelectBaseCell();
}

void TBaseGrid::topLeftChanged()
{
    ui::StringGridView::topLeftChanged();
    RepaintFixedMergedRows();
    RepaintFixedMergedCols();
}

bool TBaseGrid::doMouseWheelDown(Qt::KeyboardModifiers mods, QPoint pos)
{
    const bool r = ui::StringGridView::doMouseWheelDown(mods, pos);
    if (row() - topRow() >= visibleRowCount() - fixedRows() && row() != rowCount() - 1 && FLastRowInFooter)
        setTopRow(topRow() + 1);
    SelectBaseCell();
    return r;
}

bool TBaseGrid::doMouseWheelUp(Qt::KeyboardModifiers mods, QPoint pos)
{
    const bool r = ui::StringGridView::doMouseWheelUp(mods, pos);
    SelectBaseCell();
    return r;
}

} // namespace grid
