#pragma once
// The headless part of a string grid: the cell store (a text and an owned object per cell),
// the counts of columns, rows and fixed ones, column widths and row heights, the current cell
// and the selection, the scroll position in whole cells and the navigation rules. The widget
// (StringGridView) paints and routes input; everything that can be tested without a screen
// lives here.
#include "platform/ui/Canvas.h"

#include <QPoint>
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <QString>
#include <memory>
#include <span>
#include <stdexcept>
#include <functional>
#include <vector>

namespace ui {

// The base of whatever a cell slot holds. The slot owns it.
class CellObject {
public:
    // kind tells the slot's user what it holds without a run-time type query (0: unspecified).
    explicit CellObject(int kind = 0) : kind_(kind) {}
    virtual ~CellObject() = default;
    int objectKind() const { return kind_; }
    // Called by the store whenever the object is put into a slot or its cell moves.
    virtual void placedAt(int /*col*/, int /*row*/) {}

private:
    int kind_;
};

// A range of cells, all four bounds inclusive (Left/Right columns, Top/Bottom rows).
struct GridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool contains(int col, int row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
    bool operator==(const GridRect&) const = default;
};

enum GridOption : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goRangeSelect = 1u << 4,
    goDrawFocusSelected = 1u << 5,
    goRowSizing = 1u << 6,
    goColSizing = 1u << 7,
    goRowMoving = 1u << 8,
    goColMoving = 1u << 9,
    goEditing = 1u << 10,
    goTabs = 1u << 11,
    goRowSelect = 1u << 12,
    goAlwaysShowEditor = 1u << 13,
    goThumbTracking = 1u << 14,
};
using GridOptions = unsigned;

enum DrawStateFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using DrawState = unsigned;

// A rule of the grid was broken (a fixed count not below the count, a negative count).
class GridError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A sequence with a movable gap: inserting or erasing next to where the last change happened
// costs no more than the elements moved, so runs of single-row changes that walk through the
// rows (hiding every other row, showing them again) stay linear overall. Elements inside the
// gap are kept empty.
template <class T>
class GapVector {
public:
    std::size_t size() const { return d_.size() - gl_; }
    bool empty() const { return size() == 0; }
    T& operator[](std::size_t i) { return d_[i < gs_ ? i : i + gl_]; }
    const T& operator[](std::size_t i) const { return d_[i < gs_ ? i : i + gl_]; }

    void reserve(std::size_t n)
    {
        if (n > size())
            growGap(n - size());
    }
    void resize(std::size_t n)
    {
        const std::size_t s = size();
        if (n < s)
            erase(n, s - n);
        else if (n > s)
            insertDefault(s, n - s);
    }
    void resize(std::size_t n, const T& v)
    {
        const std::size_t s = size();
        if (n < s)
            erase(n, s - n);
        else if (n > s)
            insert(s, n - s, v);
    }
    void insertDefault(std::size_t pos, std::size_t n)
    {
        openAt(pos, n);
        for (std::size_t i = 0; i < n; ++i)
            d_[gs_ + i] = T();
        gs_ += n;
        gl_ -= n;
    }
    void assign(std::size_t n, const T& v)
    {
        d_.assign(n, v);
        gs_ = n;
        gl_ = 0;
    }
    void insert(std::size_t pos, std::size_t n, const T& v)
    {
        openAt(pos, n);
        for (std::size_t i = 0; i < n; ++i)
            d_[gs_ + i] = v;
        gs_ += n;
        gl_ -= n;
    }
    template <class It>
    void insertMove(std::size_t pos, It first, It last)
    {
        const std::size_t n = std::size_t(std::distance(first, last));
        openAt(pos, n);
        for (std::size_t i = 0; first != last; ++first, ++i)
            d_[gs_ + i] = std::move(*first);
        gs_ += n;
        gl_ -= n;
    }
    // Erased elements are emptied (whatever they own is released).
    void erase(std::size_t pos, std::size_t n)
    {
        n = std::min(n, size() - std::min(pos, size()));
        if (n == 0)
            return;
        moveGap(pos + n);
        for (std::size_t i = pos; i < pos + n; ++i)
            d_[i] = T();
        gs_ = pos;
        gl_ += n;
    }
    // Elements [pos, pos + n) the caller has already emptied (moved from) leave: only the
    // gap grows, nothing is written.
    void dropEmptied(std::size_t pos, std::size_t n)
    {
        n = std::min(n, size() - std::min(pos, size()));
        if (n == 0)
            return;
        moveGap(pos + n);
        gs_ = pos;
        gl_ += n;
    }
    // f(index, element) for the elements [from, to).
    template <class F>
    void forRange(std::size_t from, std::size_t to, F f)
    {
        to = std::min(to, size());
        for (std::size_t i = from; i < to && i < gs_; ++i)
            f(i, d_[i]);
        for (std::size_t i = std::max(from, gs_); i < to; ++i)
            f(i, d_[i + gl_]);
    }
    template <class F>
    void forRange(std::size_t from, std::size_t to, F f) const
    {
        to = std::min(to, size());
        for (std::size_t i = from; i < to && i < gs_; ++i)
            f(i, d_[i]);
        for (std::size_t i = std::max(from, gs_); i < to; ++i)
            f(i, d_[i + gl_]);
    }
    // Elements [from, to) as one contiguous run (the gap is moved out of the way).
    T* contiguous(std::size_t from, std::size_t to)
    {
        if (gs_ > from && gs_ < to)
            moveGap(to);
        return d_.data() + (from < gs_ ? from : from + gl_);
    }

private:
    void moveGap(std::size_t pos)
    {
        // Without a gap nothing moves; moving the elements onto themselves would empty the
        // ones that own something (a vector moved into itself is left empty).
        if (gl_ == 0) {
            gs_ = pos;
            return;
        }
        if (pos < gs_)
            std::move_backward(d_.begin() + std::ptrdiff_t(pos), d_.begin() + std::ptrdiff_t(gs_),
                               d_.begin() + std::ptrdiff_t(gs_ + gl_));
        else if (pos > gs_)
            std::move(d_.begin() + std::ptrdiff_t(gs_ + gl_), d_.begin() + std::ptrdiff_t(pos + gl_),
                      d_.begin() + std::ptrdiff_t(gs_));
        gs_ = pos;
    }
    void growGap(std::size_t need)
    {
        if (gl_ >= need)
            return;
        const std::size_t s = size();
        const std::size_t newGap = std::max(need, s / 4 + 16);
        std::vector<T> nd(s + newGap);
        std::move(d_.begin(), d_.begin() + std::ptrdiff_t(gs_), nd.begin());
        std::move(d_.begin() + std::ptrdiff_t(gs_ + gl_), d_.end(), nd.begin() + std::ptrdiff_t(gs_ + newGap));
        d_.swap(nd);
        gl_ = newGap;
    }
    void openAt(std::size_t pos, std::size_t n)
    {
        pos = std::min(pos, size());
        growGap(n);
        moveGap(pos);
    }

    std::vector<T> d_;
    std::size_t gs_ = 0, gl_ = 0;
};

// An allocator that leaves the elements a vector grows by unset, for a list that is written
// in full right after it grows: a million rows' list is then not first filled with zeros,
// and its fresh memory is first touched by the threads that write it.
template <class T>
struct UninitAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitAllocator<U>;
    };
    UninitAllocator() = default;
    template <class U>
    UninitAllocator(const UninitAllocator<U>&) noexcept
    {}
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... A>
    void construct(U* p, A&&... a)
    {
        ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
    }
};
// Displayed rows' store rows, ascending.
using RowList = std::vector<int, UninitAllocator<int>>;

class StringGridCore {
public:
    // One row of the store as it is taken out and put back: its texts and objects (indexed by
    // real column, hidden columns included) and its height.
    struct RowData {
        std::vector<QString> texts;
        std::vector<std::unique_ptr<CellObject>> objects;
        int height = 0;

        // The text of a real column; a cell never written reads as empty.
        const QString& text(std::size_t col) const
        {
            static const QString none;
            return col < texts.size() ? texts[col] : none;
        }
        bool hasObject(std::size_t col) const { return col < objects.size() && objects[col]; }
    };
    // One column or row as laid out on screen: its index, its position and its size.
    struct Band {
        int index, pos, size;
    };

    StringGridCore();
    ~StringGridCore();
    StringGridCore(const StringGridCore&) = delete;
    StringGridCore& operator=(const StringGridCore&) = delete;

    // --- counts --------------------------------------------------------------------------
    int colCount() const { return colCount_; }
    int rowCount() const { return rowCount_; }
    int fixedCols() const { return fixedCols_; }
    int fixedRows() const { return fixedRows_; }
    // A count below 1 becomes 1; a count not above the fixed count lowers the fixed count.
    // Cells of columns past a lowered column count stay in the store (hidden columns live
    // there); rows past a lowered row count are dropped with their objects.
    void setColCount(int n);
    void setRowCount(int n);
    // The fixed count must be at least 0 and less than the count (GridError otherwise).
    void setFixedCols(int n);
    void setFixedRows(int n);
    // Columns kept in the store past the column count (hidden ones). Whole-row operations and
    // column removal act on all real columns.
    int hiddenCols() const { return hiddenCols_; }
    void setHiddenCols(int n) { hiddenCols_ = std::max(n, 0); }
    int realColCount() const { return colCount_ + hiddenCols_; }
    // Fixed columns at the right and footer rows at the bottom: they stay at the right and
    // bottom edge while the normal cells scroll, and the current cell never enters them. At
    // least one normal column and row always remains: larger values count as the largest
    // that leaves one.
    int fixedRightCols() const { return fixedRightCols_; }
    int fixedFooters() const { return fixedFooters_; }
    void setFixedRightCols(int n);
    void setFixedFooters(int n);
    int lastNormalCol() const { return colCount_ - trailCols() - 1; }
    int lastNormalRow() const { return rowCount_ - trailRows() - 1; }
    bool isTrailingCol(int col) const { return col > lastNormalCol() && col < colCount_; }
    bool isTrailingRow(int row) const { return row > lastNormalRow() && row < rowCount_; }
    // Neither fixed at the top or left nor trailing.
    bool isNormalCell(int col, int row) const
    {
        return col >= fixedCols_ && col <= lastNormalCol() && row >= fixedRows_ && row <= lastNormalRow();
    }

    // --- cells ---------------------------------------------------------------------------
    // Any column and row at or above 0 may be addressed; cells never written read as empty.
    const QString& cellRef(int col, int row) const;
    QString cell(int col, int row) const { return cellRef(col, row); }
    void setCell(int col, int row, const QString& text)
    {
        // A cell of a row already stored is written in place (negative indexes fail the test).
        if (const std::size_t s = storeRow(row); s < rows_.size()) {
            Row& r = rows_[s];
            if (std::size_t(col) < r.texts.size()) {
                r.texts[std::size_t(col)] = text;
                return;
            }
        }
        setCellSlow(col, row, text);
    }
    // f(row, rowData) for the rows [from, to) in order, without a call per cell: scans that
    // read many cells (filtering, finding) take the texts straight from the row. Rows never
    // written come as an empty row. The objects are the stored ones, which may not know
    // their place yet; ask object() for one before using it.
    template <class F>
    void forRows(int from, int to, F f) const
    {
        from = std::max(from, 0);
        to = std::min(to, rowCount_);
        if (!shown_.empty()) {
            for (int i = from; i < to; ++i) {
                const std::size_t s = std::size_t(shown_[std::size_t(i)]);
                f(i, s < rows_.size() ? rows_[s] : emptyRow());
            }
            return;
        }
        rows_.forRange(std::size_t(from), std::size_t(std::max(from, to)),
                       [&](std::size_t i, const RowData& r) { f(int(i), r); });
        for (int i = std::max(from, int(rows_.size())); i < to; ++i)
            f(i, emptyRow());
    }
    // The row a row never written reads as.
    static const RowData& emptyRow();
    // Objects learn where they are (placedAt) when they are next asked for through the store
    // after rows moved, so that moving many rows costs no walk over the objects.
    CellObject* object(int col, int row) const;
    // Stores obj, freeing what the slot held before.
    void setObject(int col, int row, std::unique_ptr<CellObject> obj);
    // Empties the slot and hands its object to the caller.
    std::unique_ptr<CellObject> takeObject(int col, int row);
    // False when no cell of the store holds an object, so that a walk over many cells can
    // skip asking for them (true only says one may: the flag is not lowered per cell).
    bool mayHoldObjects() const { return mayHoldObjects_; }
    // f(row, text) for the cells of column col in rows from .. to - 1, in order (cells never
    // written read as empty), until f gives false. The rows ahead are asked for early: the
    // texts of each row live apart in memory, and a long walk should not wait on every row.
    template <class F>
    void forColumnCells(int col, int from, int to, F f) const
    {
        const std::size_t stored = rows_.size(), c = std::size_t(col), ahead = 16;
        const std::size_t end = std::size_t(std::max(to, 0));
        if (shown_.empty()) {
            for (std::size_t r = std::size_t(std::max(from, 0)); r < end; ++r) {
                if (r + ahead < stored && c < rows_[r + ahead].texts.size())
                    __builtin_prefetch(rows_[r + ahead].texts.data() + c);
                if (r + ahead / 2 < stored && c < rows_[r + ahead / 2].texts.size())
                    __builtin_prefetch(rows_[r + ahead / 2].texts[c].constData());
                if (!f(int(r), r < stored && c < rows_[r].texts.size() ? rows_[r].texts[c] : emptyCell()))
                    return;
            }
            return;
        }
        for (std::size_t r = std::size_t(std::max(from, 0)); r < end; ++r) {
            const std::size_t far = r + ahead < end ? storeRow(int(r + ahead)) : SIZE_MAX;
            const std::size_t near = r + ahead / 2 < end ? storeRow(int(r + ahead / 2)) : SIZE_MAX;
            const std::size_t s = storeRow(int(r));
            if (far < stored && c < rows_[far].texts.size())
                __builtin_prefetch(rows_[far].texts.data() + c);
            if (near < stored && c < rows_[near].texts.size())
                __builtin_prefetch(rows_[near].texts[c].constData());
            if (!f(int(r), s < stored && c < rows_[s].texts.size() ? rows_[s].texts[c] : emptyCell()))
                return;
        }
    }
    // Every text emptied and every object freed.
    void clearCells();
    // Every object freed (of the rows set aside too); the texts stay.
    void clearObjects();

    // Structural moves: texts, objects and the row height (column width) move together.
    void moveRow(int from, int to);
    // Exchanges two rows (texts, objects and heights) in place.
    void swapRows(int a, int b);
    // Rows lo .. lo + order.size() - 1 rearranged at once: order[k] is the row that goes to
    // lo + k (a permutation of that range; anything else leaves the rows as they were).
    // Gives the swaps the same rearrangement takes (a cycle of L rows takes L - 1).
    int permuteRows(int lo, const std::vector<int>& order);
    void moveCol(int from, int to);
    void deleteRow(int row);
    // Deletes a displayed column; the columns after it, hidden ones included, move left.
    void deleteCol(int col);
    // Columns of the store, hidden ones included: the texts and objects of every row move
    // (removed cells free what they hold); counts and widths are left to the caller.
    void insertStoreCols(int at, int count);
    void removeStoreCols(int at, int count);
    // The texts and objects of store column from moved to to, the columns between one place
    // over; both below the real column count.
    void moveStoreCol(int from, int to);
    // Many rows at once, in one move of the rows after them. The row count follows.
    // Empty rows of the default height before row at (at may equal the row count).
    void insertRows(int at, int count);
    // The given rows before row at.
    void insertRows(int at, std::vector<RowData> rows);
    // Rows at .. at + count - 1 (clamped to the grid) leave the grid with their objects.
    [[nodiscard]] std::vector<RowData> takeRows(int at, int count);
    // The same, freeing what they hold.
    void removeRows(int at, int count);
    // The rows at the given indexes (ascending; others are passed over) leave the grid in
    // one pass over the store, handed to take in that order with their place in the list.
    void takeRowsAt(std::span<const int> rows, const std::function<void(std::size_t, RowData&&)>& take);
    // One row out and one row in (at may equal the row count), without the lists of the bulk
    // forms.
    [[nodiscard]] RowData takeRow(int at);
    void insertRow(int at, RowData row);

    // --- rows set aside ------------------------------------------------------------------
    // Rows can be set aside in place: they stay where they are in the store, out of the
    // displayed rows, which are then found through the list of the store rows shown (a store
    // row is a row's place counting the rows set aside). Setting any number of rows aside
    // and showing them all again moves no row. Whatever changes the rows' structure or the
    // store as a whole (rows inserted, removed or moved, the row count, the store's columns,
    // emptying the cells, the default height) first takes the rows set aside out of the
    // store and hands them, with their store rows, to the release given with them.
    using ReleaseAside = std::function<void(std::vector<int>&& storeRows, std::vector<RowData>&& rows)>;
    // Every displayed row not in shown (ascending displayed rows; at least one) is set aside.
    // Nothing may be set aside yet; false when nothing was.
    bool setAside(RowList shown, ReleaseAside release);
    bool hasAside() const { return !shown_.empty(); }
    int asideCount() const { return shown_.empty() ? 0 : storeRows_ - rowCount_; }
    int storeRowCount() const { return shown_.empty() ? rowCount_ : storeRows_; }
    // The store row of a displayed row (past the last one, the rows that would follow).
    int storeRowOf(int row) const { return row < 0 ? row : int(storeRow(row)); }
    // The displayed rows whose store row lies below storeRow.
    int shownBefore(int storeRow) const;
    bool isAside(int storeRow) const;
    // The cells of a row set aside; nullptr when the store row is not one.
    RowData* asideRow(int storeRow);
    // The first row set aside at or after storeRow; -1 when there is none.
    int nextAside(int storeRow) const;
    // Every row set aside shown again at its place.
    void showAside();
    // The rows set aside taken out and handed to the release.
    void releaseAside();
    // Changes whenever the rows' structure may have changed (everything that first takes the
    // rows set aside out of the store, and setting rows aside or showing them again): a row
    // index worked out before holds only while it stays the same.
    std::uint64_t structureStamp() const { return structureStamp_; }

    // --- sizes ---------------------------------------------------------------------------
    int defaultColWidth() const { return defColWidth_; }
    int defaultRowHeight() const { return defRowHeight_; }
    // Setting a default size gives every column (row) that size.
    void setDefaultColWidth(int w);
    void setDefaultRowHeight(int h);
    int colWidth(int col) const;
    int rowHeight(int row) const;
    void setColWidth(int col, int w);
    void setRowHeight(int row, int h);
    int fixedColsWidth() const;  // sum of the fixed columns' widths
    int fixedRowsHeight() const; // sum of the fixed rows' heights
    int fixedRightColsWidth() const;
    int fixedFootersHeight() const;

    // --- current cell and selection ------------------------------------------------------
    int col() const { return curCol_; }
    int row() const { return curRow_; }
    GridOptions options() const { return options_; }
    void setOptions(GridOptions o);
    // Moves the current cell (clamped into the normal cells); the selection anchor stays
    // when extend is true, else it follows. The view is scrolled so that the cell shows.
    void moveCurrent(int col, int row, bool extend = false);
    GridRect selection() const;
    // Sets the selection rectangle; the current cell goes to its bottom-right corner.
    void setSelection(const GridRect& r);

    // --- scrolling by whole cells --------------------------------------------------------
    int topRow() const { return topRow_; }
    int leftCol() const { return leftCol_; }
    void setTopRow(int row);  // clamped to fixedRows .. maxTopRow
    void setLeftCol(int col); // clamped to fixedCols .. maxLeftCol
    int maxTopRow() const;
    int maxLeftCol() const;
    void setClientSize(int width, int height);
    int clientWidth() const { return clientW_; }
    int clientHeight() const { return clientH_; }
    // Normal columns (rows) wholly visible from the left column (top row).
    int visibleColCount() const;
    int visibleRowCount() const;
    void scrollIntoView(int col, int row);

    // --- geometry ------------------------------------------------------------------------
    // Where the fixed right columns (footer rows) begin: at the right (bottom) edge of the
    // client area, or right after the last normal column (row) when the grid is smaller.
    int trailingColsLeft() const;
    int trailingRowsTop() const;
    // The columns (rows) on screen from left to right (top to bottom): fixed, scrolled normal
    // ones, then the trailing ones.
    std::vector<Band> layoutCols() const;
    std::vector<Band> layoutRows() const;
    // Pixel rectangle of a cell that is on screen; an empty rectangle when it is not.
    Rect cellRect(int col, int row) const;
    // The cell under a point of the client area; false when none.
    bool cellAt(QPoint p, int& col, int& row) const;

    // --- navigation ----------------------------------------------------------------------
    // The cell a navigation key moves the current cell to (the current cell when it does not
    // move): arrows, Home/End (with Ctrl: first/last row too), Page Up/Down, Tab/Backtab with
    // goTabs. The target stays among the normal cells.
    QPoint keyTarget(int key, Qt::KeyboardModifiers mods) const;

private:
    using Row = RowData;
    static const QString& emptyCell();
    // The store row of a displayed row (SIZE_MAX for a negative one).
    std::size_t storeRow(int row) const
    {
        if (shown_.empty() || row < 0)
            return row < 0 ? SIZE_MAX : std::size_t(row);
        return row < rowCount_ ? std::size_t(shown_[std::size_t(row)])
                               : std::size_t(storeRows_) + std::size_t(row - rowCount_);
    }
    Row& rowStore(int row);
    void setCellSlow(int col, int row, const QString& text);
    void clampCurrent();
    void clampScroll();
    // permuteRows over rows and heights reached through rowAt(k) and heightAt(k), k from 0.
    template <class RowAt, class HeightAt>
    int permute(const std::vector<int>& order, int lo, RowAt rowAt, HeightAt heightAt);
    void clampRows();
    void rowsTaken(int from);
    // The trailing counts in effect (one normal column and row always remain).
    int trailCols() const;
    int trailRows() const;
    // The objects of rows from on may have moved: they learn their place when next asked for.
    void replaceRows(int from, int to);
    // Tells the objects of the rows up to row where they are, if they may have moved.
    void ensurePlaced(int row) const;
    void replaceCols(int from, int to);
    std::vector<Band> layout(int fixed, int first, int lastNormal, int count, int limit, int trailStart,
                             bool cols) const;

    int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
    int hiddenCols_ = 0, fixedRightCols_ = 0, fixedFooters_ = 0;
    int defColWidth_ = 64, defRowHeight_ = 24;
    std::vector<int> colWidths_;
    GapVector<int> rowHeights_;
    GapVector<Row> rows_; // may be shorter than the row count: rows never written
    // With rows set aside: the store row of each displayed row (ascending), the count of
    // store rows, and where the rows set aside go when they must leave the store. Heights
    // and rows stay in store order.
    RowList shown_;
    int storeRows_ = 0;
    ReleaseAside release_;
    std::uint64_t structureStamp_ = 0;
    bool mayHoldObjects_ = false;
    mutable std::size_t staleFrom_ = SIZE_MAX; // objects of rows from here may not know their place
    int curCol_ = 1, curRow_ = 1, anchorCol_ = 1, anchorRow_ = 1;
    int topRow_ = 1, leftCol_ = 1;
    int clientW_ = 0, clientH_ = 0;
    GridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
};

} // namespace ui
