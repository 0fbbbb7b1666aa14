#include "grid/settings/TxgridSettings.h"

#include "grid/controls/TxgridError.h"

namespace grid {

void TColumnSize::SetStretch(bool Value)
{
    FStretch = Value;
    FOwner.StretchRightColumn();
}

void TCellNode::SetNodeType(TNodeType Value)
{
    if (Value == FNodeType)
        return;
    FNodeType = Value;
    FOwner.RepaintGrid();
}

void TCellNode::SetShowTree(bool Value)
{
    if (Value == FShowTree)
        return;
    FShowTree = Value;
    FOwner.RepaintGrid();
}

void TPrintColumns::Check(int i)
{
    if (i < 0 || i >= MaxColumns)
        throw ETxGridError(QStringLiteral("Columns is not in valid range"));
}

int TPrintColumns::GetPrintColWidth(int i) const
{
    Check(i);
    return FWidths[std::size_t(i)];
}

int TPrintColumns::GetPrintColOffset(int i) const
{
    Check(i);
    return FOffsets[std::size_t(i)];
}

void TPrintColumns::SetPrintColWidth(int i, int Value)
{
    Check(i);
    FWidths[std::size_t(i)] = Value;
}

void TPrintColumns::SetPrintColOffset(int i, int Value)
{
    Check(i);
    FOffsets[std::size_t(i)] = Value;
}

} // namespace grid
