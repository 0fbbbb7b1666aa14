#include "platform/ui/StringGridCore.h"

#include <algorithm>

namespace ui {

namespace {
const QString& emptyText()
{
    static const QString e;
    return e;
}
} // namespace

StringGridCore::StringGridCore()
    : colWidths_(std::size_t(colCount_), defColWidth_), rowHeights_(std::size_t(rowCount_), defRowHeight_),
      rows_(std::size_t(rowCount_))
{
}

StringGridCore::~StringGridCore() = default;

// --- counts ------------------------------------------------------------------------------

void StringGridCore::setColCount(int n)
{
    n = std::max(n, 1);
    if (n <= fixedCols_)
        fixedCols_ = n - 1;
    colCount_ = n;
    colWidths_.resize(std::size_t(n), defColWidth_);
    clampCurrent();
    clampScroll();
}

void StringGridCore::setRowCount(int n)
{
    n = std::max(n, 1);
    if (n <= fixedRows_)
        fixedRows_ = n - 1;
    rowCount_ = n;
    rowHeights_.resize(std::size_t(n), defRowHeight_);
    if (rows_.size() > std::size_t(n))
        rows_.resize(std::size_t(n));
    clampCurrent();
    clampScroll();
}

void StringGridCore::setFixedCols(int n)
{
    if (n < 0)
        throw GridError("Fixed column count must not be negative");
    if (n >= colCount_)
        throw GridError("Fixed column count must be less than column count");
    fixedCols_ = n;
    clampCurrent();
    clampScroll();
}

void StringGridCore::setFixedRows(int n)
{
    if (n < 0)
        throw GridError("Fixed row count must not be negative");
    if (n >= rowCount_)
        throw GridError("Fixed row count must be less than row count");
    fixedRows_ = n;
    clampCurrent();
    clampScroll();
}

void StringGridCore::clampCurrent()
{
    auto clamp = [](int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); };
    curCol_ = clamp(curCol_, fixedCols_, colCount_ - 1);
    curRow_ = clamp(curRow_, fixedRows_, rowCount_ - 1);
    anchorCol_ = clamp(anchorCol_, fixedCols_, colCount_ - 1);
    anchorRow_ = clamp(anchorRow_, fixedRows_, rowCount_ - 1);
}

void StringGridCore::clampScroll()
{
    topRow_ = std::max(fixedRows_, std::min(topRow_, maxTopRow()));
    leftCol_ = std::max(fixedCols_, std::min(leftCol_, maxLeftCol()));
}

// --- cells -------------------------------------------------------------------------------

StringGridCore::Row& StringGridCore::rowStore(int row)
{
    if (std::size_t(row) >= rows_.size())
        rows_.resize(std::size_t(row) + 1);
    return rows_[std::size_t(row)];
}

const QString& StringGridCore::cellRef(int col, int row) const
{
    if (row < 0 || col < 0 || std::size_t(row) >= rows_.size())
        return emptyText();
    const Row& r = rows_[std::size_t(row)];
    if (std::size_t(col) >= r.texts.size())
        return emptyText();
    return r.texts[std::size_t(col)];
}

void StringGridCore::setCell(int col, int row, const QString& text)
{
    if (row < 0 || col < 0)
        return;
    if (text.isEmpty() && cellRef(col, row).isEmpty())
        return; // nothing to store, nothing to allocate
    Row& r = rowStore(row);
    if (std::size_t(col) >= r.texts.size())
        r.texts.resize(std::max(std::size_t(col) + 1, std::size_t(colCount_)));
    r.texts[std::size_t(col)] = text;
}

CellObject* StringGridCore::object(int col, int row) const
{
    if (row < 0 || col < 0 || std::size_t(row) >= rows_.size())
        return nullptr;
    const Row& r = rows_[std::size_t(row)];
    if (std::size_t(col) >= r.objects.size())
        return nullptr;
    return r.objects[std::size_t(col)].get();
}

void StringGridCore::setObject(int col, int row, std::unique_ptr<CellObject> obj)
{
    if (row < 0 || col < 0)
        return;
    if (!obj && !object(col, row))
        return;
    Row& r = rowStore(row);
    if (std::size_t(col) >= r.objects.size())
        r.objects.resize(std::max(std::size_t(col) + 1, std::size_t(colCount_)));
    r.objects[std::size_t(col)] = std::move(obj);
}

std::unique_ptr<CellObject> StringGridCore::takeObject(int col, int row)
{
    if (!object(col, row))
        return nullptr;
    return std::move(rows_[std::size_t(row)].objects[std::size_t(col)]);
}

void StringGridCore::clearCells()
{
    for (Row& r : rows_) {
        r.texts.clear();
        r.objects.clear();
    }
}

void StringGridCore::moveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rowCount_ || to >= rowCount_)
        return;
    rowStore(std::max(from, to));
    if (from < to) {
        std::rotate(rows_.begin() + from, rows_.begin() + from + 1, rows_.begin() + to + 1);
        std::rotate(rowHeights_.begin() + from, rowHeights_.begin() + from + 1, rowHeights_.begin() + to + 1);
    } else {
        std::rotate(rows_.begin() + to, rows_.begin() + from, rows_.begin() + from + 1);
        std::rotate(rowHeights_.begin() + to, rowHeights_.begin() + from, rowHeights_.begin() + from + 1);
    }
}

void StringGridCore::moveCol(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= colCount_ || to >= colCount_)
        return;
    const std::size_t need = std::size_t(std::max(from, to)) + 1;
    auto rotate = [&](auto& v) {
        if (v.empty())
            return;
        if (v.size() < need)
            v.resize(need);
        if (from < to)
            std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
        else
            std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
    };
    for (Row& r : rows_) {
        rotate(r.texts);
        rotate(r.objects);
    }
    rotate(colWidths_);
}

void StringGridCore::deleteRow(int row)
{
    if (row < 0 || row >= rowCount_)
        return;
    moveRow(row, rowCount_ - 1);
    if (std::size_t(rowCount_ - 1) < rows_.size())
        rows_[std::size_t(rowCount_ - 1)] = Row{};
    setRowCount(rowCount_ - 1);
}

void StringGridCore::deleteCol(int col)
{
    if (col < 0 || col >= colCount_)
        return;
    moveCol(col, colCount_ - 1);
    for (Row& r : rows_) {
        const std::size_t last = std::size_t(colCount_ - 1);
        if (last < r.texts.size())
            r.texts[last].clear();
        if (last < r.objects.size())
            r.objects[last].reset();
    }
    setColCount(colCount_ - 1);
}

// --- sizes -------------------------------------------------------------------------------

void StringGridCore::setDefaultColWidth(int w)
{
    defColWidth_ = std::max(w, 0);
    std::fill(colWidths_.begin(), colWidths_.end(), defColWidth_);
    clampScroll();
}

void StringGridCore::setDefaultRowHeight(int h)
{
    defRowHeight_ = std::max(h, 0);
    std::fill(rowHeights_.begin(), rowHeights_.end(), defRowHeight_);
    clampScroll();
}

int StringGridCore::colWidth(int col) const
{
    if (col < 0 || col >= int(colWidths_.size()))
        return defColWidth_;
    return colWidths_[std::size_t(col)];
}

int StringGridCore::rowHeight(int row) const
{
    if (row < 0 || row >= int(rowHeights_.size()))
        return defRowHeight_;
    return rowHeights_[std::size_t(row)];
}

void StringGridCore::setColWidth(int col, int w)
{
    if (col < 0 || col >= colCount_)
        return;
    colWidths_[std::size_t(col)] = std::max(w, 0);
}

void StringGridCore::setRowHeight(int row, int h)
{
    if (row < 0 || row >= rowCount_)
        return;
    rowHeights_[std::size_t(row)] = std::max(h, 0);
}

int StringGridCore::fixedColsWidth() const
{
    int w = 0;
    for (int c = 0; c < fixedCols_; ++c)
        w += colWidth(c);
    return w;
}

int StringGridCore::fixedRowsHeight() const
{
    int h = 0;
    for (int r = 0; r < fixedRows_; ++r)
        h += rowHeight(r);
    return h;
}

// --- current cell and selection ----------------------------------------------------------

void StringGridCore::setOptions(GridOptions o)
{
    options_ = o;
    if (options_ & goRowSelect)
        options_ &= ~unsigned(goAlwaysShowEditor);
}

void StringGridCore::moveCurrent(int col, int row, bool extend)
{
    curCol_ = col;
    curRow_ = row;
    if (!extend || !(options_ & goRangeSelect)) {
        anchorCol_ = col;
        anchorRow_ = row;
    }
    clampCurrent();
    scrollIntoView(curCol_, curRow_);
}

GridRect StringGridCore::selection() const
{
    GridRect r{std::min(anchorCol_, curCol_), std::min(anchorRow_, curRow_), std::max(anchorCol_, curCol_),
               std::max(anchorRow_, curRow_)};
    if (options_ & goRowSelect) {
        r.Left = fixedCols_;
        r.Right = colCount_ - 1;
    }
    return r;
}

void StringGridCore::setSelection(const GridRect& r)
{
    anchorCol_ = r.Left;
    anchorRow_ = r.Top;
    curCol_ = r.Right;
    curRow_ = r.Bottom;
    clampCurrent();
}

// --- scrolling ---------------------------------------------------------------------------

void StringGridCore::setTopRow(int row)
{
    topRow_ = row;
    clampScroll();
}

void StringGridCore::setLeftCol(int col)
{
    leftCol_ = col;
    clampScroll();
}

int StringGridCore::maxTopRow() const
{
    const int avail = clientH_ - fixedRowsHeight();
    int r = rowCount_ - 1, used = 0;
    while (r > fixedRows_ && used + rowHeight(r) + rowHeight(r - 1) <= avail) {
        used += rowHeight(r);
        --r;
    }
    return std::max(fixedRows_, r);
}

int StringGridCore::maxLeftCol() const
{
    const int avail = clientW_ - fixedColsWidth();
    int c = colCount_ - 1, used = 0;
    while (c > fixedCols_ && used + colWidth(c) + colWidth(c - 1) <= avail) {
        used += colWidth(c);
        --c;
    }
    return std::max(fixedCols_, c);
}

void StringGridCore::setClientSize(int width, int height)
{
    clientW_ = std::max(width, 0);
    clientH_ = std::max(height, 0);
    clampScroll();
}

int StringGridCore::visibleColCount() const
{
    int x = fixedColsWidth(), n = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        x += colWidth(c);
        if (x > clientW_)
            break;
        ++n;
    }
    return n;
}

int StringGridCore::visibleRowCount() const
{
    int y = fixedRowsHeight(), n = 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        y += rowHeight(r);
        if (y > clientH_)
            break;
        ++n;
    }
    return n;
}

void StringGridCore::scrollIntoView(int col, int row)
{
    if (row >= fixedRows_ && row < rowCount_) {
        if (row < topRow_) {
            topRow_ = row;
        } else {
            const int avail = clientH_ - fixedRowsHeight();
            int used = 0;
            for (int r = topRow_; r <= row; ++r)
                used += rowHeight(r);
            while (used > avail && topRow_ < row) {
                used -= rowHeight(topRow_);
                ++topRow_;
            }
        }
    }
    if (col >= fixedCols_ && col < colCount_) {
        if (col < leftCol_) {
            leftCol_ = col;
        } else {
            const int avail = clientW_ - fixedColsWidth();
            int used = 0;
            for (int c = leftCol_; c <= col; ++c)
                used += colWidth(c);
            while (used > avail && leftCol_ < col) {
                used -= colWidth(leftCol_);
                ++leftCol_;
            }
        }
    }
}

// --- geometry ----------------------------------------------------------------------------

Rect StringGridCore::cellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return {};
    if ((col >= fixedCols_ && col < leftCol_) || (row >= fixedRows_ && row < topRow_))
        return {};
    int x = 0;
    if (col < fixedCols_) {
        for (int c = 0; c < col; ++c)
            x += colWidth(c);
    } else {
        x = fixedColsWidth();
        for (int c = leftCol_; c < col && x < clientW_; ++c)
            x += colWidth(c);
    }
    int y = 0;
    if (row < fixedRows_) {
        for (int r = 0; r < row; ++r)
            y += rowHeight(r);
    } else {
        y = fixedRowsHeight();
        for (int r = topRow_; r < row && y < clientH_; ++r)
            y += rowHeight(r);
    }
    if (x >= clientW_ || y >= clientH_)
        return {};
    return {x, y, x + colWidth(col), y + rowHeight(row)};
}

bool StringGridCore::cellAt(QPoint p, int& col, int& row) const
{
    if (p.x() < 0 || p.y() < 0 || p.x() >= clientW_ || p.y() >= clientH_)
        return false;
    auto find = [](int pos, int fixed, int first, int count, auto size) {
        int edge = 0;
        for (int i = 0; i < fixed; ++i) {
            edge += size(i);
            if (pos < edge)
                return i;
        }
        for (int i = first; i < count; ++i) {
            edge += size(i);
            if (pos < edge)
                return i;
        }
        return -1;
    };
    col = find(p.x(), fixedCols_, leftCol_, colCount_, [this](int c) { return colWidth(c); });
    row = find(p.y(), fixedRows_, topRow_, rowCount_, [this](int r) { return rowHeight(r); });
    return col >= 0 && row >= 0;
}

// --- navigation --------------------------------------------------------------------------

QPoint StringGridCore::keyTarget(int key, Qt::KeyboardModifiers mods) const
{
    int c = curCol_, r = curRow_;
    const bool ctrl = mods & Qt::ControlModifier;
    const int page = std::max(1, visibleRowCount());
    switch (key) {
    case Qt::Key_Left:
        if (!(options_ & goRowSelect))
            c = std::max(fixedCols_, c - 1);
        break;
    case Qt::Key_Right:
        if (!(options_ & goRowSelect))
            c = std::min(colCount_ - 1, c + 1);
        break;
    case Qt::Key_Up: r = std::max(fixedRows_, r - 1); break;
    case Qt::Key_Down: r = std::min(rowCount_ - 1, r + 1); break;
    case Qt::Key_PageUp: r = std::max(fixedRows_, r - page); break;
    case Qt::Key_PageDown: r = std::min(rowCount_ - 1, r + page); break;
    case Qt::Key_Home:
        if (ctrl)
            r = fixedRows_;
        c = fixedCols_;
        break;
    case Qt::Key_End:
        if (ctrl)
            r = rowCount_ - 1;
        c = colCount_ - 1;
        break;
    case Qt::Key_Tab:
        if (options_ & goTabs) {
            if (c < colCount_ - 1)
                ++c;
            else if (r < rowCount_ - 1) {
                c = fixedCols_;
                ++r;
            }
        }
        break;
    case Qt::Key_Backtab:
        if (options_ & goTabs) {
            if (c > fixedCols_)
                --c;
            else if (r > fixedRows_) {
                c = colCount_ - 1;
                --r;
            }
        }
        break;
    default: break;
    }
    return {c, r};
}

} // namespace ui
