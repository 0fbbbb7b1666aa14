#include "platform/ui/StringGridView.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace ui {

StringGridView::StringGridView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setControlColor(clWindow);
    Font f;
    f.color = clWindowText;
    setControlFont(f);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(1);
    updateScrollBars();
}

StringGridView::~StringGridView()
{
    // The editor goes first, while the grid it reports to is still whole.
    if (editor_) {
        editor_->removeEventFilter(this);
        delete editor_;
    }
}

// --- forwarding setters ------------------------------------------------------------------

void StringGridView::setColCount(int n)
{
    core_.setColCount(n);
    updateScrollBars();
    invalidateGrid();
}

void StringGridView::setRowCount(int n)
{
    core_.setRowCount(n);
    updateScrollBars();
    invalidateGrid();
}

void StringGridView::setFixedCols(int n)
{
    core_.setFixedCols(n);
    updateScrollBars();
    invalidateGrid();
}

void StringGridView::setFixedRows(int n)
{
    core_.setFixedRows(n);
    updateScrollBars();
    invalidateGrid();
}

void StringGridView::setFixedRightCols(int n)
{
    core_.setFixedRightCols(n);
    updateScrollBars();
    invalidateGrid();
}

void StringGridView::setFixedFooters(int n)
{
    core_.setFixedFooters(n);
    updateScrollBars();
    invalidateGrid();
}

void StringGridView::setDefaultColWidth(int w)
{
    core_.setDefaultColWidth(w);
    updateScrollBars();
    invalidateGrid();
    colWidthsChanged();
}

void StringGridView::setDefaultRowHeight(int h)
{
    core_.setDefaultRowHeight(h);
    updateScrollBars();
    invalidateGrid();
    defaultRowHeightChanged();
}

void StringGridView::setColWidths(int col, int w)
{
    core_.setColWidth(col, w);
    updateScrollBars();
    invalidateGrid();
    if (editorMode())
        placeEditor(); // the editor keeps to its cell's size
    colWidthsChanged();
}

void StringGridView::setRowHeights(int row, int h)
{
    core_.setRowHeight(row, h);
    updateScrollBars();
    invalidateGrid();
    if (editorMode())
        placeEditor();
}

void StringGridView::setOptions(GridOptions o)
{
    core_.setOptions(o);
    invalidateGrid();
}

bool StringGridView::focusCell(int col, int row, bool extend)
{
    col = std::max(fixedCols(), std::min(col, core_.lastNormalCol()));
    row = std::max(fixedRows(), std::min(row, core_.lastNormalRow()));
    const int oldCol = core_.col(), oldRow = core_.row(), oldTop = topRow(), oldLeft = leftCol();
    if ((col != oldCol || row != oldRow) && !selectCell(col, row))
        return false;
    if (editorMode() && (col != oldCol || row != oldRow))
        hideEditor();
    core_.moveCurrent(col, row, extend);
    afterMove(oldCol, oldRow, oldTop, oldLeft);
    return true;
}

void StringGridView::moveCurrentRaw(int col, int row)
{
    const int oldCol = core_.col(), oldRow = core_.row(), oldTop = topRow(), oldLeft = leftCol();
    core_.moveCurrent(col, row);
    afterMove(oldCol, oldRow, oldTop, oldLeft);
}

void StringGridView::setSelection(const GridRect& r)
{
    core_.setSelection(r);
    invalidateGrid();
}

void StringGridView::setTopRow(int row)
{
    const int old = topRow();
    core_.setTopRow(row);
    if (topRow() != old) {
        updateScrollBars();
        topLeftChanged();
        invalidateGrid();
        if (editorMode())
            placeEditor(); // the editor stays over its cell
    }
}

void StringGridView::setLeftCol(int col)
{
    const int old = leftCol();
    core_.setLeftCol(col);
    if (leftCol() != old) {
        updateScrollBars();
        topLeftChanged();
        invalidateGrid();
        if (editorMode())
            placeEditor();
    }
}

void StringGridView::afterMove(int oldCol, int oldRow, int oldTop, int oldLeft)
{
    if (topRow() != oldTop || leftCol() != oldLeft) {
        updateScrollBars();
        topLeftChanged();
    }
    invalidateGrid();
    if (editorMode())
        placeEditor();
}

int StringGridView::clientWidth() const { return core_.clientWidth(); }
int StringGridView::clientHeight() const { return core_.clientHeight(); }

// --- repainting --------------------------------------------------------------------------

void StringGridView::invalidateGrid() { viewport()->update(); }

void StringGridView::invalidateRect(const Rect& r)
{
    if (!r.isEmpty())
        viewport()->update(r.toQRect());
}

void StringGridView::invalidateCell(int col, int row) { invalidateRect(core_.cellRect(col, row)); }

void StringGridView::syncClientSize()
{
    const QSize s = viewport()->size();
    if (s.width() != core_.clientWidth() || s.height() != core_.clientHeight())
        core_.setClientSize(s.width(), s.height());
}

void StringGridView::updateScrollBars()
{
    if (syncing_)
        return;
    syncing_ = true;
    QScrollBar* v = verticalScrollBar();
    v->setRange(core_.fixedRows(), core_.maxTopRow());
    v->setPageStep(std::max(1, core_.visibleRowCount()));
    // A thumb held by the mouse stays where it is held (without tracking it is not the top row yet).
    if (!v->isSliderDown())
        v->setValue(core_.topRow());
    QScrollBar* h = horizontalScrollBar();
    h->setRange(core_.fixedCols(), core_.maxLeftCol());
    h->setPageStep(std::max(1, core_.visibleColCount()));
    if (!h->isSliderDown())
        h->setValue(core_.leftCol());
    syncing_ = false;
}

void StringGridView::scrollContentsBy(int, int)
{
    if (syncing_)
        return;
    const int oldTop = topRow(), oldLeft = leftCol();
    core_.setTopRow(verticalScrollBar()->value());
    core_.setLeftCol(horizontalScrollBar()->value());
    if (topRow() != oldTop || leftCol() != oldLeft) {
        topLeftChanged();
        invalidateGrid();
        if (editorMode())
            placeEditor();
    }
}

void StringGridView::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    syncClientSize();
    updateScrollBars();
}

// --- painting ----------------------------------------------------------------------------

void StringGridView::paintEvent(QPaintEvent* e)
{
    syncClientSize();
    QPainter p(viewport());
    Canvas canvas(&p);
    paintTo(canvas, e->rect());
}

void StringGridView::paintTo(Canvas& canvas, const QRect& region)
{
    canvas.font = controlFont();
    paint(canvas, region);
}

void StringGridView::paint(Canvas& canvas, const QRect& region)
{
    const int W = clientWidth(), H = clientHeight();
    const std::vector<StringGridCore::Band> rows = core_.layoutRows();
    const std::vector<StringGridCore::Band> cols = core_.layoutCols();
    auto end = [](const std::vector<StringGridCore::Band>& v) {
        int e = 0;
        for (const auto& b : v)
            e = std::max(e, b.pos + b.size);
        return e;
    };
    const int right = end(cols), bottom = end(rows);
    const GridRect sel = selection();
    const bool focused = hasFocus();
    // Rows in layout order (trailing ones last), so that what is pinned at the edges is drawn
    // over a normal row reaching under it.
    for (const auto& r : rows) {
        for (const auto& c : cols) {
            const Rect rc{c.pos, r.pos, c.pos + c.size, r.pos + r.size};
            if (rc.isEmpty() || !region.intersects(rc.toQRect()))
                continue;
            DrawState state = 0;
            if (!core_.isNormalCell(c.index, r.index)) {
                state = gdFixed;
            } else {
                const bool current = c.index == col() && r.index == row();
                if (current && focused)
                    state |= gdFocused;
                if (sel.contains(c.index, r.index) && (!current || (options() & goDrawFocusSelected) || !focused))
                    state |= gdSelected;
            }
            drawCell(canvas, c.index, r.index, rc, state);
        }
    }
    // The area past the last column and row shows the control's colour.
    canvas.clearClip();
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = controlColor();
    if (right < W)
        canvas.fillRect(Rect{right, 0, W, H});
    if (bottom < H)
        canvas.fillRect(Rect{0, bottom, std::min(right, W), H});
}

void StringGridView::drawCell(Canvas& canvas, int c, int r, const Rect& rect, DrawState state)
{
    canvas.brush.style = BrushStyle::Solid;
    canvas.brush.color = (state & gdFixed) ? clBtnFace : (state & gdSelected) ? clHighlight : controlColor();
    canvas.fillRect(rect);
    canvas.font.color = (state & gdSelected) && !(state & gdFixed) ? clHighlightText : controlFont().color;
    canvas.textRect(rect, rect.Left + 2, rect.Top + 2, cells(c, r));
    const bool fixed = state & gdFixed;
    canvas.pen = Pen{fixed ? clGray : clSilver, 1};
    if (options() & (fixed ? goFixedHorzLine : goHorzLine)) {
        canvas.moveTo(rect.Left, rect.Bottom - 1);
        canvas.lineTo(rect.Right, rect.Bottom - 1);
    }
    if (options() & (fixed ? goFixedVertLine : goVertLine)) {
        canvas.moveTo(rect.Right - 1, rect.Top);
        canvas.lineTo(rect.Right - 1, rect.Bottom);
    }
}

// --- input -------------------------------------------------------------------------------

bool StringGridView::event(QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && (options() & goTabs)) {
            keyPressEvent(k);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void StringGridView::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    keyDown(key, e->modifiers());
    if (key == 0)
        return;
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        && canEditShow()) {
        showEditor();
        if (editor_) {
            editor_->setText(text);
            editor_->end(false);
        }
    }
}

void StringGridView::keyDown(int& key, Qt::KeyboardModifiers mods)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        const QPoint t = core_.keyTarget(key, mods);
        const bool extend = (mods & Qt::ShiftModifier) && key != Qt::Key_Backtab && key != Qt::Key_Tab;
        if (t.x() != col() || t.y() != row() || extend)
            focusCell(t.x(), t.y(), extend);
        break;
    }
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (canEditShow())
            showEditor();
        break;
    default: break;
    }
}

void StringGridView::wheelEvent(QWheelEvent* e)
{
    const int dy = e->angleDelta().y();
    const QPoint pos = e->position().toPoint();
    if (dy < 0)
        doMouseWheelDown(e->modifiers(), pos);
    else if (dy > 0)
        doMouseWheelUp(e->modifiers(), pos);
    e->accept();
}

bool StringGridView::doMouseWheelDown(Qt::KeyboardModifiers, QPoint)
{
    focusCell(col(), std::min(row() + 1, rowCount() - 1));
    return true;
}

bool StringGridView::doMouseWheelUp(Qt::KeyboardModifiers, QPoint)
{
    focusCell(col(), std::max(row() - 1, fixedRows()));
    return true;
}

void StringGridView::mousePressEvent(QMouseEvent* e)
{
    setFocus(Qt::MouseFocusReason);
    mouseDown(e->button(), e->modifiers(), e->position().toPoint());
}

void StringGridView::mouseMoveEvent(QMouseEvent* e)
{
    mouseMove(e->buttons(), e->modifiers(), e->position().toPoint());
}

void StringGridView::mouseReleaseEvent(QMouseEvent* e)
{
    mouseUp(e->button(), e->modifiers(), e->position().toPoint());
}

void StringGridView::mouseDoubleClickEvent(QMouseEvent* e)
{
    dblClick(e->button(), e->modifiers(), e->position().toPoint());
}

void StringGridView::mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos)
{
    int c, r;
    if (button != Qt::LeftButton || !mouseToCell(pos, c, r) || !core_.isNormalCell(c, r))
        return;
    focusCell(c, r, (mods & Qt::ShiftModifier) && (options() & goRangeSelect));
}

void StringGridView::mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, QPoint pos)
{
    int c, r;
    if (!(buttons & Qt::LeftButton) || !(options() & goRangeSelect) || !mouseToCell(pos, c, r))
        return;
    if (core_.isNormalCell(c, r) && (c != col() || r != row()))
        focusCell(c, r, true);
}

void StringGridView::mouseUp(Qt::MouseButton, Qt::KeyboardModifiers, QPoint) {}

void StringGridView::dblClick(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint pos)
{
    int c, r;
    if (button == Qt::LeftButton && mouseToCell(pos, c, r) && c == col() && r == row() && canEditShow())
        showEditor();
}

// --- inplace editor ----------------------------------------------------------------------

bool StringGridView::canEditShow() const
{
    return (options() & goEditing) && !(options() & goRowSelect) && core_.isNormalCell(col(), row());
}

QLineEdit* StringGridView::createEditor()
{
    auto* e = new QLineEdit(viewport());
    e->setFrame(false);
    return e;
}

bool StringGridView::editorMode() const { return editor_ && editor_->isVisible(); }

void StringGridView::showEditor()
{
    if (!canEditShow())
        return;
    if (!editor_) {
        editor_ = createEditor();
        editor_->installEventFilter(this);
        editor_->hide();
    }
    editCol_ = col();
    editRow_ = row();
    editor_->setText(getEditText(editCol_, editRow_));
    placeEditor();
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
    editor_->selectAll();
}

void StringGridView::placeEditor()
{
    if (!editor_)
        return;
    const Rect r = editorRect(editCol_, editRow_);
    if (r.isEmpty())
        editor_->setGeometry(QRect(-1000, -1000, 1, 1));
    else
        editor_->setGeometry(QRect(r.Left, r.Top, r.width() - 1, r.height() - 1));
}

void StringGridView::hideEditor()
{
    // An open editor writes back even when it no longer shows because its window closes.
    if (!editor_ || editor_->isHidden())
        return;
    const QString text = editor_->text();
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    setEditText(editCol_, editRow_, text);
    invalidateCell(editCol_, editRow_);
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}

void StringGridView::cancelEditor()
{
    if (!editorMode())
        return;
    const bool hadFocus = editor_->hasFocus();
    editor_->hide();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
}

bool StringGridView::eventFilter(QObject* o, QEvent* e)
{
    if (o == editor_ && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: hideEditor(); return true;
        case Qt::Key_Escape: cancelEditor(); return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown: {
            hideEditor();
            int key = k->key();
            keyDown(key, k->modifiers());
            return true;
        }
        default: break;
        }
    }
    if (o == editor_ && e->type() == QEvent::FocusOut && editorMode()) {
        auto* f = static_cast<QFocusEvent*>(e);
        if (f->reason() != Qt::PopupFocusReason)
            hideEditor();
    }
    return QAbstractScrollArea::eventFilter(o, e);
}

} // namespace ui
