// Calculations over cells: sums, averages, minima and maxima of a column or a row; whether a
// cell is selected; numbering a column or a row.
#include "grid/core/Txgrid.h"

#include <algorithm>
#include <cmath>

namespace grid {

// --- calculations ------------------------------------------------------------------------

double TTxStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    double sum = 0;
    for (int r = FromRow; r <= ToRow; ++r)
        sum += GetFloats(ACol, r);
    return sum;
}

double TTxStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    if (ToRow < FromRow)
        return 0;
    return ColumnSum(ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

double TTxStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    double m = GetFloats(ACol, FromRow);
    for (int r = FromRow + 1; r <= ToRow; ++r)
        m = std::min(m, GetFloats(ACol, r));
    return m;
}

double TTxStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    double m = GetFloats(ACol, FromRow);
    for (int r = FromRow + 1; r <= ToRow; ++r)
        m = std::max(m, GetFloats(ACol, r));
    return m;
}

double TTxStringGrid::RowSum(int ARow, int FromCol, int ToCol)
{
    double sum = 0;
    for (int c = FromCol; c <= ToCol; ++c)
        sum += GetFloats(c, ARow);
    return sum;
}

double TTxStringGrid::RowAvg(int ARow, int FromCol, int ToCol)
{
    if (ToCol < FromCol)
        return 0;
    return RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

// The smallest and the largest value of the range, as for a column.
double TTxStringGrid::RowMin(int ARow, int FromCol, int ToCol)
{
    double m = GetFloats(FromCol, ARow);
    for (int c = FromCol + 1; c <= ToCol; ++c)
        m = std::min(m, GetFloats(c, ARow));
    return m;
}

double TTxStringGrid::RowMax(int ARow, int FromCol, int ToCol)
{
    double m = GetFloats(FromCol, ARow);
    for (int c = FromCol + 1; c <= ToCol; ++c)
        m = std::max(m, GetFloats(c, ARow));
    return m;
}

// --- selection and numbering -------------------------------------------------------------

bool TTxStringGrid::IsSelected(int ACol, int ARow)
{
    if (ACol < fixedCols() || ARow < fixedRows())
        return false;
    if (FMouseActions.DisjunctRowSelect)
        return ARow < rowCount() && GetRowSelect(ARow);
    return selection().contains(ACol, ARow);
}

void TTxStringGrid::AutoNumberCol(int ACol)
{
    int n = 1;
    for (int r = fixedRows(); r < rowCount() - FixedFooters(); ++r)
        SetInts(ACol, r, n++);
}

void TTxStringGrid::AutoNumberRow(int ARow)
{
    int n = 1;
    for (int c = fixedCols(); c < colCount() - FixedRightCols(); ++c)
        SetInts(c, ARow, n++);
}

} // namespace grid
