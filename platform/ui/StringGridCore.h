#pragma once
// The headless part of a string grid: the cell store (a text and an owned object per cell),
// the counts of columns, rows and fixed ones, column widths and row heights, the current cell
// and the selection, the scroll position in whole cells and the navigation rules. The widget
// (StringGridView) paints and routes input; everything that can be tested without a screen
// lives here.
#include "platform/ui/Canvas.h"

#include <QPoint>
#include <QString>
#include <memory>
#include <stdexcept>
#include <vector>

namespace ui {

// The base of whatever a cell slot holds. The slot owns it.
class CellObject {
public:
    virtual ~CellObject() = default;
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

class StringGridCore {
public:
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

    // --- cells ---------------------------------------------------------------------------
    // Any column and row at or above 0 may be addressed; cells never written read as empty.
    const QString& cellRef(int col, int row) const;
    QString cell(int col, int row) const { return cellRef(col, row); }
    void setCell(int col, int row, const QString& text);
    CellObject* object(int col, int row) const;
    // Stores obj, freeing what the slot held before.
    void setObject(int col, int row, std::unique_ptr<CellObject> obj);
    // Empties the slot and hands its object to the caller.
    std::unique_ptr<CellObject> takeObject(int col, int row);
    // Every text emptied and every object freed.
    void clearCells();

    // Structural moves: texts, objects and the row height (column width) move together.
    void moveRow(int from, int to);
    void moveCol(int from, int to);
    void deleteRow(int row);
    void deleteCol(int col);

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
    int fixedColsWidth() const;   // sum of the fixed columns' widths
    int fixedRowsHeight() const;  // sum of the fixed rows' heights

    // --- current cell and selection ------------------------------------------------------
    int col() const { return curCol_; }
    int row() const { return curRow_; }
    GridOptions options() const { return options_; }
    void setOptions(GridOptions o);
    // Moves the current cell (clamped into the non-fixed cells); the selection anchor stays
    // when extend is true, else it follows. The view is scrolled so that the cell shows.
    void moveCurrent(int col, int row, bool extend = false);
    GridRect selection() const;
    // Sets the selection rectangle; the current cell goes to its bottom-right corner.
    void setSelection(const GridRect& r);

    // --- scrolling by whole cells --------------------------------------------------------
    int topRow() const { return topRow_; }
    int leftCol() const { return leftCol_; }
    void setTopRow(int row);   // clamped to fixedRows .. maxTopRow
    void setLeftCol(int col);  // clamped to fixedCols .. maxLeftCol
    int maxTopRow() const;
    int maxLeftCol() const;
    void setClientSize(int width, int height);
    int clientWidth() const { return clientW_; }
    int clientHeight() const { return clientH_; }
    // Non-fixed columns (rows) wholly visible from the left column (top row).
    int visibleColCount() const;
    int visibleRowCount() const;
    void scrollIntoView(int col, int row);

    // --- geometry ------------------------------------------------------------------------
    // Pixel rectangle of a cell that is on screen; an empty rectangle when it is not.
    Rect cellRect(int col, int row) const;
    // The cell under a point of the client area; false when none.
    bool cellAt(QPoint p, int& col, int& row) const;

    // --- navigation ----------------------------------------------------------------------
    // The cell a navigation key moves the current cell to (the current cell when it does not
    // move): arrows, Home/End (with Ctrl: first/last row too), Page Up/Down, Tab/Backtab with
    // goTabs.
    QPoint keyTarget(int key, Qt::KeyboardModifiers mods) const;

private:
    struct Row {
        std::vector<QString> texts;
        std::vector<std::unique_ptr<CellObject>> objects;
    };
    Row& rowStore(int row);
    void clampCurrent();
    void clampScroll();

    int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
    int defColWidth_ = 64, defRowHeight_ = 24;
    std::vector<int> colWidths_, rowHeights_;
    std::vector<Row> rows_;
    int curCol_ = 1, curRow_ = 1, anchorCol_ = 1, anchorRow_ = 1;
    int topRow_ = 1, leftCol_ = 1;
    int clientW_ = 0, clientH_ = 0;
    GridOptions options_ = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
};

} // namespace ui
