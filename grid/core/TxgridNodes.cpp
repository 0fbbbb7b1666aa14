// TTxStringGrid: tree nodes, kept as cell objects in column 0. Contracting a node hides the
// rows under it and expanding shows them, through the grid's hidden rows.
#include "grid/core/Txgrid.h"

namespace grid {

void TTxStringGrid::AddNode(int ARow, int Span)
{
    TCellGraphic* g = NewGraphic(0, RemapRow(ARow), ctNode, haBeforeText, vaCenter);
    if (!g)
        return;
    g->State = false; // expanded
    g->Value = Span;
    g->SecondValue = ARow;
    if (++FNodeCount == 1)
        RepaintColumn(0);
    if (col() == 0)
        moveCurrentRaw(1, row());
}

void TTxStringGrid::RemoveNode(int ARow)
{
    ExpandNode(ARow);
    // The count follows the nodes that really go.
    if (RemoveCellGraphic(0, RemapRow(ARow), ctNode) && FNodeCount > 0)
        --FNodeCount;
}

bool TTxStringGrid::GetNodeState(int ARow)
{
    const TCellGraphic* g = GetCellGraphic(0, ARow);
    return g && g->CellType == ctNode && g->State;
}

void TTxStringGrid::SetNodeState(int ARow, bool Contracted)
{
    const TCellGraphic* g = GetCellGraphic(0, ARow);
    if (!g || g->CellType != ctNode || g->State == Contracted)
        return;
    if (Contracted)
        ContractNode(RemapRowInv(ARow));
    else
        ExpandNode(RemapRowInv(ARow));
}

int TTxStringGrid::GetNodeSpan(int ARow)
{
    const TCellGraphic* g = GetCellGraphic(0, ARow);
    return g && g->CellType == ctNode ? g->Value : -1;
}

bool TTxStringGrid::IsNode(int ARow) { return GetCellType(0, ARow) == ctNode; }

int TTxStringGrid::NextNodeRow(int ADisplayRow)
{
    for (int r = ADisplayRow + 1; r < rowCount(); ++r)
        if (IsNode(r))
            return r;
    return rowCount();
}

void TTxStringGrid::ExpandNode(int ARow)
{
    const int b = RemapRow(ARow);
    TCellGraphic* g = GetCellGraphic(0, b);
    if (!g || g->CellType != ctNode || !g->State)
        return;
    g->State = false;
    // While contracted, the rows under the node lie hidden before the next displayed row.
    const int e = g->Value != 0 ? b + 1 : NextNodeRow(b);
    const int first = RemapRowInv(b) + 1, last = RemapRowInv(e) - 1;
    if (first <= last)
        UnHideRows(first, last);
    RepaintCell(0, b);
}

void TTxStringGrid::ContractNode(int ARow)
{
    hideEditor();
    const int b = RemapRow(ARow);
    TCellGraphic* g = GetCellGraphic(0, b);
    if (!g || g->CellType != ctNode || g->State)
        return;
    g->State = true;
    // A span reaching past the last row ends at the last row.
    const int e = std::min(g->Value > 0 ? b + g->Value : NextNodeRow(b), rowCount());
    const int first = RemapRowInv(b) + 1, last = RemapRowInv(e) - 1;
    if (first <= last)
        HideRows(first, last);
    RepaintCell(0, b);
}

void TTxStringGrid::ExpandAll()
{
    BeginUpdate();
    for (int r = 1; r < rowCount() + NumHiddenRows(); ++r)
        ExpandNode(r);
    EndUpdate();
}

void TTxStringGrid::ContractAll()
{
    BeginUpdate();
    for (int r = rowCount() + NumHiddenRows() - 1; r >= 1; --r)
        ContractNode(r);
    EndUpdate();
}

int TTxStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow))
        return 0;
    int n = ARow - 1;
    while (n >= 0 && !IsNode(n))
        --n;
    if (n < 0)
        return 0;
    if (ARow == rowCount() - FixedFooters() - 1)
        return 1;
    const TCellGraphic* g = GetCellGraphic(0, n);
    if (g->Value == ARow - n + 1 && !g->State)
        return 1;
    return 2;
}

void TTxStringGrid::RepaintColumn(int ACol)
{
    const TRect c = GetCellRect(ACol, 0);
    invalidateRect(TRect{c.Left, 0, c.Right, clientHeight()});
}

} // namespace grid
