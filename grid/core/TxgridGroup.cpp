// Grouping, group calculations and footer calculations.
#include "grid/core/TxgridGroup.h"

#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"

namespace grid {

namespace {

// The calculation of type (TColumnCalcType numbering) over displayed rows From .. To; 0 over
// no rows (a folded group, a grid without data rows).
double Calculate(TTxStringGrid& g, int Type, int ACol, int From, int To)
{
    if (To < From)
        return 0;
    switch (Type) {
    case acSUM: return g.ColumnSum(ACol, From, To);
    case acAVG: return g.ColumnAvg(ACol, From, To);
    case acCOUNT: return To - From + 1;
    case acMIN: return g.ColumnMin(ACol, From, To);
    default: return g.ColumnMax(ACol, From, To);
    }
}

} // namespace

TTxStringGrid& TGridGrouping::Self() { return static_cast<TTxStringGrid&>(*this); }

void TGridGrouping::Group(int ACol)
{
    TTxStringGrid& g = Self();
    if (ACol <= g.FixedCols())
        return;
    if (FGroupColumn > 0)
        UnGroup();
    g.BeginUpdate();
    FGroupColumn = ACol;
    FGroupWidth = g.colWidths(g.RemapColInv(ACol));
    FGroupCaption = g.FixedRows() > 0 ? g.cells(ACol, 0) : QString();
    int h = g.FixedCols() + 1;
    g.SortSettings().Column = ACol;
    g.QSort();
    if (h == ACol)
        ++h;
    // Node spans count real rows, so that rows hidden inside a group fold with it.
    const auto addNode = [&g](int Header, int End) {
        const int real = g.RemapRowInv(Header);
        g.AddNode(real, g.RemapRowInv(End) - real);
    };
    const QString none = QString(QChar(0xFF)) + QChar(0xFE); // equal to no cell text
    QString prev = none;
    int lastHeader = -1;
    for (int i = g.FixedRows(); i < g.RowCount() - g.FixedFooters(); ++i) {
        if (g.cells(ACol, i) != prev) {
            if (lastHeader >= 0)
                addNode(lastHeader, i);
            g.InsertRows(i, 1);
            g.setCells(h, i, g.cells(ACol, i + 1));
            lastHeader = i++;
        }
        prev = g.cells(ACol, i);
    }
    if (lastHeader >= 0) // a grid without data rows gets no node
        addNode(lastHeader, g.RowCount() - g.FixedFooters());
    g.RemoveCols(ACol, 1);
    if (g.FixedRows() < g.RowCount())
        g.focusCell(std::max(g.col(), g.FixedCols()), g.FixedRows());
    g.EndUpdate();
}

void TGridGrouping::UnGroup()
{
    if (FGroupColumn <= 0)
        return;
    TTxStringGrid& g = Self();
    const int gc = FGroupColumn;
    g.BeginUpdate();
    g.ExpandAll();
    g.InsertCols(gc, 1);
    g.setColWidths(g.RemapColInv(gc), FGroupWidth);
    if (g.FixedRows() > 0)
        g.setCells(gc, 0, FGroupCaption);
    const int s = g.FixedCols() + (gc == g.FixedCols() + 1 ? 2 : 1);
    QString value;
    for (int i = g.FixedRows(); i < g.RowCount() - g.FixedFooters();) {
        if (g.IsNode(i)) {
            value = g.cells(s, i);
            g.RemoveNode(g.RemapRowInv(i));
            g.RemoveRows(i, 1);
        } else {
            g.setCells(gc, i, value);
            ++i;
        }
    }
    FGroupColumn = -1;
    g.EndUpdate();
}

void TGridGrouping::SetGroupColumn(int ACol)
{
    if (ACol == -1)
        UnGroup();
    else if (ACol > 0)
        Group(ACol);
}

void TGridGrouping::GroupCalc(int ACol, int Type)
{
    TTxStringGrid& g = Self();
    const int end = g.RowCount() - g.FixedFooters();
    for (int b = g.FixedRows(); b < end; ++b) {
        if (!g.IsNode(b))
            continue;
        int e = b + 1;
        while (e < end && !g.IsNode(e))
            ++e;
        g.SetFloats(ACol, b, Calculate(g, Type, ACol, b + 1, e - 1));
        b = e - 1;
    }
}

void TGridGrouping::CalcFooter(int ACol)
{
    TTxStringGrid& g = Self();
    TFloatingFooter& f = g.FloatingFooter();
    if (!f.Visible() || f.FooterStyle() != fsFixedLastRow || FInFooterCalc || g.RowCount() < 1)
        return;
    FInFooterCalc = true;
    const int last = g.RowCount() - 1;
    const int from = ACol < 0 ? 0 : ACol;
    const int to = ACol < 0 ? g.ColCount() - 1 : ACol;
    for (int c = from; c <= to; ++c) {
        const TColumnCalcType type = f.ColumnCalc(c);
        if (type == acNONE)
            continue;
        try {
            g.SetFloats(c, last, Calculate(g, type, c, g.FixedRows(), last - 1));
        } catch (const ETxGridError&) {
            // A text among the numbers: the footer keeps what it showed; the cell being
            // edited must not fail for it.
        }
    }
    FInFooterCalc = false;
    UpdateFooter();
}

void TGridGrouping::UpdateFooter() { Self().FloatingFooter().Invalidate(); }

} // namespace grid
