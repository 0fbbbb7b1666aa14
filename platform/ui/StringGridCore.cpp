#include "platform/ui/StringGridCore.h"

#include <algorithm>
#include <climits>

namespace ui {

namespace {
const QString& emptyText()
{
    static const QString e;
    return e;
}
} // namespace

const QString& StringGridCore::emptyCell() { return emptyText(); }

const StringGridCore::RowData& StringGridCore::emptyRow()
{
    static const RowData none;
    return none;
}

StringGridCore::StringGridCore() : colWidths_(std::size_t(colCount_), defColWidth_)
{
    rowHeights_.assign(std::size_t(rowCount_), defRowHeight_);
    rows_.resize(std::size_t(rowCount_));
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
    releaseAside();
    n = std::max(n, 1);
    if (n <= fixedRows_)
        fixedRows_ = n - 1;
    rowCount_ = n;
    rowHeights_.resize(std::size_t(n), defRowHeight_);
    if (rows_.size() > std::size_t(n))
        rows_.resize(std::size_t(n));
    else
        rows_.reserve(std::size_t(n)); // rows written one by one do not move the store

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

void StringGridCore::setFixedRightCols(int n)
{
    fixedRightCols_ = std::max(n, 0);
    clampCurrent();
    clampScroll();
}

void StringGridCore::setFixedFooters(int n)
{
    fixedFooters_ = std::max(n, 0);
    clampCurrent();
    clampScroll();
}

int StringGridCore::trailCols() const { return std::min(fixedRightCols_, colCount_ - fixedCols_ - 1); }
int StringGridCore::trailRows() const { return std::min(fixedFooters_, rowCount_ - fixedRows_ - 1); }

void StringGridCore::clampCurrent()
{
    auto clamp = [](int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); };
    curCol_ = clamp(curCol_, fixedCols_, lastNormalCol());
    curRow_ = clamp(curRow_, fixedRows_, lastNormalRow());
    anchorCol_ = clamp(anchorCol_, fixedCols_, lastNormalCol());
    anchorRow_ = clamp(anchorRow_, fixedRows_, lastNormalRow());
}

void StringGridCore::clampRows()
{
    // Only the rows changed: the columns' clamps stay as they were.
    curRow_ = std::max(fixedRows_, std::min(curRow_, lastNormalRow()));
    anchorRow_ = std::max(fixedRows_, std::min(anchorRow_, lastNormalRow()));
    topRow_ = std::max(fixedRows_, std::min(topRow_, maxTopRow()));
}

void StringGridCore::clampScroll()
{
    topRow_ = std::max(fixedRows_, std::min(topRow_, maxTopRow()));
    leftCol_ = std::max(fixedCols_, std::min(leftCol_, maxLeftCol()));
}

// --- cells -------------------------------------------------------------------------------

StringGridCore::Row& StringGridCore::rowStore(int row)
{
    const std::size_t s = storeRow(row);
    if (s >= rows_.size())
        rows_.resize(s + 1);
    return rows_[s];
}

const QString& StringGridCore::cellRef(int col, int row) const
{
    const std::size_t s = storeRow(row);
    if (col < 0 || s >= rows_.size())
        return emptyText();
    const Row& r = rows_[s];
    if (std::size_t(col) >= r.texts.size())
        return emptyText();
    return r.texts[std::size_t(col)];
}

void StringGridCore::setCellSlow(int col, int row, const QString& text)
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
    const std::size_t s = storeRow(row);
    if (col < 0 || s >= rows_.size())
        return nullptr;
    const Row& r = rows_[s];
    if (std::size_t(col) >= r.objects.size())
        return nullptr;
    CellObject* o = r.objects[std::size_t(col)].get();
    if (o && std::size_t(row) >= staleFrom_)
        o->placedAt(col, row); // rows before it may have moved
    return o;
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
    if (obj) {
        obj->placedAt(col, row);
        mayHoldObjects_ = true;
    }
    r.objects[std::size_t(col)] = std::move(obj);
}

std::unique_ptr<CellObject> StringGridCore::takeObject(int col, int row)
{
    if (!object(col, row))
        return nullptr;
    return std::move(rows_[storeRow(row)].objects[std::size_t(col)]);
}

void StringGridCore::clearCells()
{
    releaseAside();
    rows_.forRange(0, rows_.size(), [](std::size_t, Row& r) {
        r.texts.clear();
        r.objects.clear();
    });
    staleFrom_ = SIZE_MAX;
    mayHoldObjects_ = false;
}

void StringGridCore::clearObjects()
{
    rows_.forRange(0, rows_.size(), [](std::size_t, Row& r) {
        if (!r.objects.empty())
            r.objects.clear();
    });
    mayHoldObjects_ = false;
}

void StringGridCore::replaceRows(int from, int) { staleFrom_ = std::min(staleFrom_, std::size_t(std::max(from, 0))); }

void StringGridCore::replaceCols(int, int) { staleFrom_ = 0; }

void StringGridCore::moveRow(int from, int to)
{
    releaseAside();
    if (from == to || from < 0 || to < 0 || from >= rowCount_ || to >= rowCount_)
        return;
    rowStore(std::max(from, to));
    const std::size_t lo = std::size_t(std::min(from, to)), hi = std::size_t(std::max(from, to)) + 1;
    Row* rows = rows_.contiguous(lo, hi);
    int* heights = rowHeights_.contiguous(lo, hi);
    if (from < to) {
        std::rotate(rows, rows + 1, rows + (hi - lo));
        std::rotate(heights, heights + 1, heights + (hi - lo));
    } else {
        std::rotate(rows, rows + (hi - lo) - 1, rows + (hi - lo));
        std::rotate(heights, heights + (hi - lo) - 1, heights + (hi - lo));
    }
    replaceRows(int(lo), int(hi));
}

void StringGridCore::swapRows(int a, int b)
{
    if (a == b || a < 0 || b < 0 || a >= rowCount_ || b >= rowCount_)
        return;
    rowStore(std::max(a, b));
    std::swap(rows_[storeRow(a)], rows_[storeRow(b)]);
    std::swap(rowHeights_[storeRow(a)], rowHeights_[storeRow(b)]);
    replaceRows(std::min(a, b), std::max(a, b) + 1);
}

int StringGridCore::permuteRows(int lo, const std::vector<int>& order)
{
    const std::size_t n = order.size();
    if (n < 2 || lo < 0 || lo + int(n) > rowCount_)
        return 0;
    std::vector<bool> seen(n, false);
    for (const int o : order) {
        const std::size_t k = std::size_t(o - lo);
        if (o < lo || k >= n || seen[k])
            return 0;
        seen[k] = true;
    }
    rowStore(lo + int(n) - 1);
    // With rows set aside the displayed rows are reached through their store rows (the rows
    // set aside keep their places).
    if (!shown_.empty()) {
        const int* at = shown_.data() + lo;
        return permute(
            order, lo, [&](std::size_t k) -> Row& { return rows_[std::size_t(at[k])]; },
            [&](std::size_t k) -> int& { return rowHeights_[std::size_t(at[k])]; });
    }
    Row* rows = rows_.contiguous(std::size_t(lo), std::size_t(lo) + n);
    int* heights = rowHeights_.contiguous(std::size_t(lo), std::size_t(lo) + n);
    return permute(
        order, lo, [rows](std::size_t k) -> Row& { return rows[k]; },
        [heights](std::size_t k) -> int& { return heights[k]; });
}

template <class RowAt, class HeightAt>
int StringGridCore::permute(const std::vector<int>& order, int lo, RowAt rowAt, HeightAt heightAt)
{
    // Along each cycle of the permutation, each row moved once; seen marks the rows placed.
    // A runner goes a few rows ahead along the cycle and asks for them early, so that a long
    // cycle does not wait on every row in turn.
    const std::size_t n = order.size();
    std::vector<bool> seen(n, false);
    constexpr int ahead = 8;
    const auto next = [&](std::size_t k) { return std::size_t(order[k] - lo); };
    int swaps = 0;
    for (std::size_t start = 0; start < n; ++start) {
        if (seen[start])
            continue;
        seen[start] = true;
        std::size_t src = next(start);
        if (src == start)
            continue;
        std::size_t runner = src;
        for (int j = 0; j < ahead && runner != start; ++j)
            runner = next(runner);
        Row row = std::move(rowAt(start));
        const int height = heightAt(start);
        std::size_t k = start;
        while (src != start) {
            if (runner != start) {
                Row* ahead = &rowAt(runner);
                __builtin_prefetch(ahead, 1);
                __builtin_prefetch(reinterpret_cast<const char*>(ahead + 1) - 1, 1);
                __builtin_prefetch(&heightAt(runner), 1);
                runner = next(runner);
            }
            rowAt(k) = std::move(rowAt(src));
            heightAt(k) = heightAt(src);
            seen[src] = true;
            k = src;
            src = next(k);
            ++swaps;
        }
        rowAt(k) = std::move(row);
        heightAt(k) = height;
    }
    replaceRows(lo, lo + int(n));
    return swaps;
}

namespace {

// The element at from moved to to, those between one place over; v grows to reach both.
template <class V>
void rotateOne(V& v, int from, int to)
{
    if (v.empty())
        return;
    const std::size_t need = std::size_t(std::max(from, to)) + 1;
    if (v.size() < need)
        v.resize(need);
    if (from < to)
        std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
    else
        std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}

} // namespace

void StringGridCore::moveCol(int from, int to)
{
    releaseAside();
    if (from == to || from < 0 || to < 0 || from >= colCount_ || to >= colCount_)
        return;
    moveStoreCol(from, to);
    rotateOne(colWidths_, from, to);
}

void StringGridCore::moveStoreCol(int from, int to)
{
    releaseAside();
    if (from == to || from < 0 || to < 0 || from >= realColCount() || to >= realColCount())
        return;
    rows_.forRange(0, rows_.size(), [&](std::size_t, Row& r) {
        rotateOne(r.texts, from, to);
        rotateOne(r.objects, from, to);
    });
    replaceCols(std::min(from, to), std::max(from, to) + 1);
}

void StringGridCore::deleteRow(int row) { removeRows(row, 1); }

void StringGridCore::deleteCol(int col)
{
    releaseAside();
    if (col < 0 || col >= colCount_)
        return;
    if (colCount_ == 1) {
        // The last column stays; only its cells go.
        rows_.forRange(0, rows_.size(), [&](std::size_t, Row& r) {
            if (std::size_t(col) < r.texts.size())
                r.texts[std::size_t(col)].clear();
            if (std::size_t(col) < r.objects.size())
                r.objects[std::size_t(col)].reset();
        });
        return;
    }
    rows_.forRange(0, rows_.size(), [&](std::size_t, Row& r) {
        if (std::size_t(col) < r.texts.size())
            r.texts.erase(r.texts.begin() + col);
        if (std::size_t(col) < r.objects.size())
            r.objects.erase(r.objects.begin() + col);
    });
    colWidths_.erase(colWidths_.begin() + col);
    --colCount_;
    if (colCount_ <= fixedCols_)
        fixedCols_ = colCount_ - 1;
    replaceCols(col, realColCount() + 1);
    clampCurrent();
    clampScroll();
}

void StringGridCore::insertStoreCols(int at, int count)
{
    releaseAside();
    if (at < 0 || count <= 0)
        return;
    rows_.forRange(0, rows_.size(), [&](std::size_t, Row& r) {
        if (std::size_t(at) < r.texts.size())
            r.texts.insert(r.texts.begin() + at, std::size_t(count), QString());
        if (std::size_t(at) < r.objects.size()) {
            std::vector<std::unique_ptr<CellObject>> empty(static_cast<std::size_t>(count));
            r.objects.insert(r.objects.begin() + at, std::make_move_iterator(empty.begin()),
                             std::make_move_iterator(empty.end()));
        }
    });
    replaceCols(at, INT_MAX);
}

void StringGridCore::removeStoreCols(int at, int count)
{
    releaseAside();
    if (at < 0 || count <= 0)
        return;
    rows_.forRange(0, rows_.size(), [&](std::size_t, Row& r) {
        auto cut = [&](auto& v) {
            if (std::size_t(at) < v.size())
                v.erase(v.begin() + at, v.begin() + std::ptrdiff_t(std::min(v.size(), std::size_t(at + count))));
        };
        cut(r.texts);
        cut(r.objects);
    });
    replaceCols(at, INT_MAX);
}

void StringGridCore::insertRows(int at, int count)
{
    releaseAside();
    if (count <= 0)
        return;
    at = std::max(0, std::min(at, rowCount_));
    rowHeights_.insert(std::size_t(at), std::size_t(count), defRowHeight_);
    if (std::size_t(at) < rows_.size()) {
        rows_.insertDefault(std::size_t(at), std::size_t(count));
        replaceRows(at + count, int(rows_.size()));
    }
    rowCount_ += count;
    clampCurrent();
    clampScroll();
}

void StringGridCore::insertRows(int at, std::vector<RowData> rows)
{
    releaseAside();
    if (rows.empty())
        return;
    const int count = int(rows.size());
    at = std::max(0, std::min(at, rowCount_));
    std::vector<int> heights;
    heights.reserve(rows.size());
    for (const RowData& r : rows) {
        heights.push_back(r.height > 0 ? r.height : defRowHeight_);
        mayHoldObjects_ = mayHoldObjects_ || !r.objects.empty();
    }
    rowHeights_.insertMove(std::size_t(at), heights.begin(), heights.end());
    if (rows_.size() < std::size_t(at))
        rows_.resize(std::size_t(at));
    rows_.insertMove(std::size_t(at), rows.begin(), rows.end());
    rowCount_ += count;
    replaceRows(at, int(rows_.size()));
    clampCurrent();
    clampScroll();
}

// After rows from row `from` on left the store: one row always remains, the fixed rows
// stay fewer than the rows, and the objects after them learn their new places.
void StringGridCore::rowsTaken(int from)
{
    if (rowCount_ < 1) {
        rowCount_ = 1;
        rowHeights_.assign(1, defRowHeight_);
    }
    if (rowCount_ <= fixedRows_)
        fixedRows_ = rowCount_ - 1;
    replaceRows(from, int(rows_.size()));
    clampCurrent();
    clampScroll();
}

std::vector<StringGridCore::RowData> StringGridCore::takeRows(int at, int count)
{
    releaseAside();
    std::vector<RowData> out;
    if (at < 0 || at >= rowCount_ || count <= 0)
        return out;
    count = std::min(count, rowCount_ - at);
    out.resize(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        out[std::size_t(i)].height = rowHeights_[std::size_t(at + i)];
        if (std::size_t(at + i) < rows_.size()) {
            out[std::size_t(i)].texts = std::move(rows_[std::size_t(at + i)].texts);
            out[std::size_t(i)].objects = std::move(rows_[std::size_t(at + i)].objects);
        }
    }
    rowHeights_.erase(std::size_t(at), std::size_t(count));
    if (std::size_t(at) < rows_.size())
        rows_.erase(std::size_t(at), std::size_t(count));
    rowCount_ -= count;
    rowsTaken(at);
    return out;
}

void StringGridCore::removeRows(int at, int count) { (void)takeRows(at, count); }

void StringGridCore::takeRowsAt(std::span<const int> rows, const std::function<void(std::size_t, RowData&&)>& take)
{
    releaseAside();
    const std::size_t stored = rows_.size(), count = std::size_t(rowCount_);
    Row* store = stored ? rows_.contiguous(0, stored) : nullptr;
    int* heights = rowHeights_.contiguous(0, count);
    std::size_t write = 0, next = 0, taken = 0, takenStored = 0;
    int first = -1;
    for (std::size_t i = 0; i < count; ++i) {
        while (next < rows.size() && rows[next] < int(i))
            ++next;
        if (next < rows.size() && rows[next] == int(i)) {
            ++next;
            if (i < stored) {
                // Handed over in place; what take leaves behind is released here, so that the
                // end of the store is left empty.
                Row& r = store[i];
                r.height = heights[i];
                take(taken++, std::move(r));
                if (!r.texts.empty() || !r.objects.empty())
                    r = Row();
                ++takenStored;
            } else {
                RowData r;
                r.height = heights[i];
                take(taken++, std::move(r));
            }
            if (first < 0)
                first = int(i);
            continue;
        }
        if (write != i) {
            heights[write] = heights[i];
            if (i < stored)
                store[write] = std::move(store[i]);
        }
        ++write;
    }
    if (taken == 0)
        return;
    rowHeights_.erase(write, count - write);
    rowCount_ = int(write);
    // The rows at the end were all moved from: taken, or moved up over the taken ones.
    rows_.dropEmptied(stored - takenStored, takenStored);
    rowsTaken(first);
}

StringGridCore::RowData StringGridCore::takeRow(int at)
{
    releaseAside();
    RowData out;
    if (at < 0 || at >= rowCount_)
        return out;
    out.height = rowHeights_[std::size_t(at)];
    if (std::size_t(at) < rows_.size()) {
        out.texts = std::move(rows_[std::size_t(at)].texts);
        out.objects = std::move(rows_[std::size_t(at)].objects);
        rows_.erase(std::size_t(at), 1);
    }
    rowHeights_.erase(std::size_t(at), 1);
    if (--rowCount_ < 1) {
        rowCount_ = 1;
        rowHeights_.assign(1, defRowHeight_);
    }
    if (rowCount_ <= fixedRows_)
        fixedRows_ = rowCount_ - 1;
    replaceRows(at, int(rows_.size()));
    clampRows();
    return out;
}

void StringGridCore::insertRow(int at, RowData row)
{
    releaseAside();
    at = std::max(0, std::min(at, rowCount_));
    const int h = row.height > 0 ? row.height : defRowHeight_;
    mayHoldObjects_ = mayHoldObjects_ || !row.objects.empty();
    rowHeights_.insert(std::size_t(at), 1, h);
    if (rows_.size() < std::size_t(at))
        rows_.resize(std::size_t(at));
    rows_.insertMove(std::size_t(at), &row, &row + 1);
    ++rowCount_;
    replaceRows(at, int(rows_.size()));
    clampRows();
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
    releaseAside();
    defRowHeight_ = std::max(h, 0);
    rowHeights_.forRange(0, rowHeights_.size(), [this](std::size_t, int& h) { h = defRowHeight_; });
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
    const std::size_t s = storeRow(row);
    if (s >= rowHeights_.size() || (!shown_.empty() && row >= rowCount_))
        return defRowHeight_;
    return rowHeights_[s];
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
    rowHeights_[storeRow(row)] = std::max(h, 0);
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

int StringGridCore::fixedRightColsWidth() const
{
    int w = 0;
    for (int c = lastNormalCol() + 1; c < colCount_; ++c)
        w += colWidth(c);
    return w;
}

int StringGridCore::fixedFootersHeight() const
{
    int h = 0;
    for (int r = lastNormalRow() + 1; r < rowCount_; ++r)
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
        // Whole rows of normal cells: the right fixed columns are no part of them.
        r.Left = fixedCols_;
        r.Right = std::max(fixedCols_, colCount_ - fixedRightCols_ - 1);
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
    const int avail = clientH_ - fixedRowsHeight() - fixedFootersHeight();
    int r = lastNormalRow(), used = 0;
    while (r > fixedRows_ && used + rowHeight(r) + rowHeight(r - 1) <= avail) {
        used += rowHeight(r);
        --r;
    }
    return std::max(fixedRows_, r);
}

int StringGridCore::maxLeftCol() const
{
    const int avail = clientW_ - fixedColsWidth() - fixedRightColsWidth();
    int c = lastNormalCol(), used = 0;
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
    const int limit = clientW_ - fixedRightColsWidth();
    int x = fixedColsWidth(), n = 0;
    for (int c = leftCol_; c <= lastNormalCol(); ++c) {
        x += colWidth(c);
        if (x > limit)
            break;
        ++n;
    }
    return n;
}

int StringGridCore::visibleRowCount() const
{
    const int limit = clientH_ - fixedFootersHeight();
    int y = fixedRowsHeight(), n = 0;
    for (int r = topRow_; r <= lastNormalRow(); ++r) {
        y += rowHeight(r);
        if (y > limit)
            break;
        ++n;
    }
    return n;
}

void StringGridCore::scrollIntoView(int col, int row)
{
    if (row >= fixedRows_ && row <= lastNormalRow()) {
        if (row < topRow_) {
            topRow_ = row;
        } else {
            const int avail = clientH_ - fixedRowsHeight() - fixedFootersHeight();
            int used = 0;
            for (int r = topRow_; r <= row; ++r)
                used += rowHeight(r);
            while (used > avail && topRow_ < row) {
                used -= rowHeight(topRow_);
                ++topRow_;
            }
        }
    }
    if (col >= fixedCols_ && col <= lastNormalCol()) {
        if (col < leftCol_) {
            leftCol_ = col;
        } else {
            const int avail = clientW_ - fixedColsWidth() - fixedRightColsWidth();
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

int StringGridCore::trailingColsLeft() const
{
    int x = fixedColsWidth();
    const int pinned = std::max(x, clientW_ - fixedRightColsWidth());
    for (int c = leftCol_; c <= lastNormalCol(); ++c) {
        x += colWidth(c);
        if (x >= pinned)
            return pinned;
    }
    return x;
}

int StringGridCore::trailingRowsTop() const
{
    int y = fixedRowsHeight();
    const int pinned = std::max(y, clientH_ - fixedFootersHeight());
    for (int r = topRow_; r <= lastNormalRow(); ++r) {
        y += rowHeight(r);
        if (y >= pinned)
            return pinned;
    }
    return y;
}

std::vector<StringGridCore::Band> StringGridCore::layout(int fixed, int first, int lastNormal, int count, int limit,
                                                         int trailStart, bool cols) const
{
    auto size = [&](int i) { return cols ? colWidth(i) : rowHeight(i); };
    std::vector<Band> v;
    int pos = 0;
    for (int i = 0; i < fixed && pos < limit; ++i) {
        v.push_back({i, pos, size(i)});
        pos += size(i);
    }
    const int normalEnd = lastNormal + 1 < count ? trailStart : limit;
    for (int i = first; i <= lastNormal && pos < normalEnd; ++i) {
        v.push_back({i, pos, size(i)});
        pos += size(i);
    }
    if (lastNormal + 1 < count)
        pos = trailStart; // trailing bands lie over a normal one reaching under them
    for (int i = lastNormal + 1; i < count && pos < limit; ++i) {
        v.push_back({i, pos, size(i)});
        pos += size(i);
    }
    return v;
}

std::vector<StringGridCore::Band> StringGridCore::layoutCols() const
{
    const int trail = lastNormalCol() + 1 < colCount_ ? trailingColsLeft() : 0;
    return layout(fixedCols_, leftCol_, lastNormalCol(), colCount_, clientW_, trail, true);
}

std::vector<StringGridCore::Band> StringGridCore::layoutRows() const
{
    const int trail = lastNormalRow() + 1 < rowCount_ ? trailingRowsTop() : 0;
    return layout(fixedRows_, topRow_, lastNormalRow(), rowCount_, clientH_, trail, false);
}

Rect StringGridCore::cellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return {};
    // Position along one axis; -1 when the index is off screen.
    auto place = [](int i, int fixed, int first, int lastNormal, int count, int client, auto size, auto trailStart) {
        int p = 0;
        if (i < fixed) {
            for (int k = 0; k < i; ++k)
                p += size(k);
            return p < client ? p : -1;
        }
        if (i > lastNormal) {
            p = trailStart();
            for (int k = lastNormal + 1; k < i; ++k)
                p += size(k);
            return p < client ? p : -1;
        }
        if (i < first)
            return -1;
        const int limit = lastNormal + 1 < count ? trailStart() : client;
        for (int k = 0; k < fixed; ++k)
            p += size(k);
        for (int k = first; k < i && p < limit; ++k)
            p += size(k);
        return p < limit ? p : -1;
    };
    const int x = place(
        col, fixedCols_, leftCol_, lastNormalCol(), colCount_, clientW_, [this](int c) { return colWidth(c); },
        [this] { return trailingColsLeft(); });
    const int y = place(
        row, fixedRows_, topRow_, lastNormalRow(), rowCount_, clientH_, [this](int r) { return rowHeight(r); },
        [this] { return trailingRowsTop(); });
    if (x < 0 || y < 0)
        return {};
    return {x, y, x + colWidth(col), y + rowHeight(row)};
}

bool StringGridCore::cellAt(QPoint p, int& col, int& row) const
{
    if (p.x() < 0 || p.y() < 0 || p.x() >= clientW_ || p.y() >= clientH_)
        return false;
    auto find = [](const std::vector<Band>& bands, int pos) {
        // Trailing bands come last and lie over whatever normal band reaches under them.
        for (auto b = bands.rbegin(); b != bands.rend(); ++b)
            if (pos >= b->pos && pos < b->pos + b->size)
                return b->index;
        return -1;
    };
    col = find(layoutCols(), p.x());
    row = find(layoutRows(), p.y());
    return col >= 0 && row >= 0;
}

// --- navigation --------------------------------------------------------------------------

QPoint StringGridCore::keyTarget(int key, Qt::KeyboardModifiers mods) const
{
    int c = curCol_, r = curRow_;
    const bool ctrl = mods & Qt::ControlModifier;
    const int page = std::max(1, visibleRowCount());
    const int lastCol = lastNormalCol(), lastRow = lastNormalRow();
    switch (key) {
    case Qt::Key_Left:
        if (!(options_ & goRowSelect))
            c = std::max(fixedCols_, c - 1);
        break;
    case Qt::Key_Right:
        if (!(options_ & goRowSelect))
            c = std::min(lastCol, c + 1);
        break;
    case Qt::Key_Up: r = std::max(fixedRows_, r - 1); break;
    case Qt::Key_Down: r = std::min(lastRow, r + 1); break;
    case Qt::Key_PageUp: r = std::max(fixedRows_, r - page); break;
    case Qt::Key_PageDown: r = std::min(lastRow, r + page); break;
    case Qt::Key_Home:
        if (ctrl)
            r = fixedRows_;
        c = fixedCols_;
        break;
    case Qt::Key_End:
        if (ctrl)
            r = lastRow;
        c = lastCol;
        break;
    case Qt::Key_Tab:
        if (options_ & goTabs) {
            if (c < lastCol)
                ++c;
            else if (r < lastRow) {
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
                c = lastCol;
                --r;
            }
        }
        break;
    default: break;
    }
    return {c, r};
}

} // namespace ui
