#pragma once
// Cell access that sees through hidden rows and columns and through sorting, the list of
// disjunctly selected cells, text without tags, a cell read as a number, colours, and cells
// to and from a rich-text editor; part of the grid (TTxStringGrid derives from it).
// Columns are real (store) columns; "Ex" accessors take a real row.
#include "platform/ui/Colors.h"

#include <QCursor>
#include <QPoint>
#include <QString>
#include <vector>

class QTextEdit;

namespace ui {
class CellObject;
}

namespace grid {

class TTxStringGrid;
class TGridDatePicker;

class TGridCellAccess {
public:
    // --- selected cells: packed column | row << 16, in selection order, each once. Cells
    // beyond 65535 in either direction cannot be packed and are never listed.
    void ClearSelectedCells();
    int GetSelectedCellsCount() const { return int(FSelectedCells.size()); }
    QPoint GetSelectedCell(int Index) const; // (-1, -1) outside the list
    int GetSelectedCellPacked(int Index) const;
    bool GetSelectedCells(int ACol, int ARow) const;
    void SetSelectedCells(int ACol, int ARow, bool Value);

    // --- through hidden rows: a hidden row's cell is read and written in its stored row.
    QString GetCellsEx(int ACol, int ARow);
    void SetCellsEx(int ACol, int ARow, const QString& Value);
    ui::CellObject* GetObjectsEx(int ACol, int ARow);
    void SetObjectsEx(int ACol, int ARow, ui::CellObject* Obj); // not owned

    // --- through sorting: ARow is the row's number before the sort (the cross-reference).
    // Outside the grid the text is empty and a write does nothing.
    QString GetUnSortedCell(int ACol, int ARow);
    void SetUnSortedCell(int ACol, int ARow, const QString& Value);

    QString GetStrippedCell(int ACol, int ARow); // formatting tags removed
    int GetAllColWidths(int ACol);               // hidden columns give their kept width
    void SetAllColWidths(int ACol, int Width);
    ui::Color GetColors(int ACol, int ARow); // clNone without cell properties
    void SetColors(int ACol, int ARow, ui::Color Value);
    QCursor GetCursorEx() const;
    void SetCursorEx(const QCursor& Value); // also the grid's own cursor, put back after hovering
    const QCursor& OwnCursor() const { return FOwnCursor; }
    // Stores IntegralHeight and places the grid again, so that its height is fitted anew.
    void SetIntegralHeight(bool Value);
    TGridDatePicker* GetDateTimePicker() const; // the date editor control, once made

    // The cell as a number with a full stop as decimal separator; 0 when empty. Else
    // ETxGridError "Error at position: p in Cell [c, r]." with p the first bad character.
    double CellToReal(int ACol, int ARow);
    // The cell's rich text into Edit (an empty cell empties it) and back.
    void CellToRich(int ACol, int ARow, QTextEdit& Edit);
    void RichToCell(int ACol, int ARow, QTextEdit& Edit);

private:
    // What only the grid holds, answered by it: a hidden column's width, kept while it is
    // hidden (ACol 0 .. 255).
    virtual quint16& KeptColWidth(int ACol) = 0;
    TTxStringGrid& Self();
    const TTxStringGrid& Self() const;
    int UnSortedDisplayRow(int ARow); // -1 outside the grid
    std::vector<int> FSelectedCells;
    QCursor FOwnCursor;
};

// The text GetCellEx gives for a cell (real column, displayed row), read in place from the
// store when no handler changes it (Buffer holds it otherwise): what sorting and find compare.
const QString& DisplayedCellRef(TTxStringGrid& Grid, int ACol, int ARow, QString& Buffer);

// The 1-based position of the first character of Text that is not part of a number in
// full-stop notation; 0 when the whole text is one.
int RealErrorPosition(const QString& Text);

} // namespace grid
