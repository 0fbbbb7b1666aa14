// Grouping, group calculations and footer calculations.
#include "grid/core/TxgridGroup.h"

#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/controls/Txutil.h"

#include <algorithm>
#include <memory>

namespace grid {

namespace {

// A calculation's running values.
struct TFooterTotal {
    double Sum = 0, Min = 0, Max = 0;
    int Count = 0;
    void Add(double V)
    {
        Min = Count == 0 ? V : std::min(Min, V);
        Max = Count == 0 ? V : std::max(Max, V);
        Sum += V;
        ++Count;
    }
    double Value(int Type) const
    {
        switch (Type) {
        case acSUM: return Sum;
        case acAVG: return Count > 0 ? Sum / Count : 0;
        case acCOUNT: return Count;
        case acMIN: return Min;
        default: return Max;
        }
    }
};

// A hidden row's cell as a number, read as GetFloats reads a shown one.
double HiddenFloat(const QString& Text)
{
    QString s = RemoveSeps(Text);
    if (s.isEmpty())
        return 0;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok)
        throw ETxGridError(QStringLiteral("Cell does not contain a float value"));
    return v;
}

// The value of the group whose node is displayed row ARow: as the node keeps it, else the
// cell of column ACol.
QString GroupValue(TTxStringGrid& g, int ARow, int ACol)
{
    const TCellGraphic* node = g.GetCellGraphic(0, ARow);
    if (node && node->CellType == ctNode && node->Strings && !node->Strings->isEmpty())
        return node->Strings->front();
    return g.cells(ACol, ARow);
}

bool IsNodeRow(const ui::StringGridCore::RowData& Row)
{
    if (!Row.hasObject(0) || Row.objects[0]->objectKind() != okCellProperties)
        return false;
    const ui::CellObject* o = static_cast<const TCellProperties&>(*Row.objects[0]).Graphic();
    return o && o->objectKind() == okCellGraphic && static_cast<const TCellGraphic*>(o)->CellType == ctNode;
}

// What a grand total or a group's calculation of column ACol counts over the displayed rows
// From .. To: the data rows shown and those folded away under a contracted node, since
// folding a group changes what shows and not what it holds. A node row is never counted: it
// carries its group's subtotals. Rows a filter or HideRows hid stay out.
TFooterTotal FooterTotal(TTxStringGrid& g, int ACol, int From, int To)
{
    TFooterTotal t;
    const bool nodes = g.NodeCount() > 0;
    for (int r = From; r <= To; ++r) {
        if (!nodes || !g.IsNode(r)) {
            t.Add(g.GetFloats(ACol, r));
            continue;
        }
        if (!g.GetNodeState(r))
            continue;
        // A contracted node's rows lie hidden between it and the next displayed row.
        for (int q = g.RemapRowInv(r) + 1, next = g.RemapRowInv(r + 1); q < next; ++q)
            if (const ui::StringGridCore::RowData* d = g.HiddenRow(q); d && !IsNodeRow(*d))
                t.Add(HiddenFloat(d->text(std::size_t(ACol))));
    }
    return t;
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
    // Node spans count real rows, so that rows hidden inside a group fold with it. The node
    // keeps its group's value too: a group calculation may write over the cell showing it.
    const auto addNode = [&g, &h](int Header, int End) {
        const int real = g.RemapRowInv(Header);
        g.AddNode(real, g.RemapRowInv(End) - real);
        if (TCellGraphic* node = g.GetCellGraphic(0, Header); node && node->CellType == ctNode)
            node->Strings.own(std::make_unique<QStringList>(QStringList{g.cells(h, Header)}));
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
            value = GroupValue(g, i, s);
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
    // The node rows show their group's value in the column right of the first normal one; a
    // calculation going there moves the value into the first normal column, so that a node
    // row always shows which group it heads.
    const int shown = g.FixedCols() + 1, spare = g.FixedCols();
    const bool moveNames = FGroupColumn > 0 && ACol == shown && spare < g.ColCount();
    for (int b = g.FixedRows(); b < end; ++b) {
        if (!g.IsNode(b))
            continue;
        if (moveNames && g.cells(spare, b).isEmpty())
            g.setCells(spare, b, GroupValue(g, b, shown));
        int e = b + 1;
        while (e < end && !g.IsNode(e))
            ++e;
        // From the node row itself, so that a folded group counts the rows it hides.
        g.SetFloats(ACol, b, FooterTotal(g, ACol, b, e - 1).Value(Type));
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
    // Every real column, the hidden ones (stored past the displayed count) too.
    const int to = ACol < 0 ? g.ColCount() + g.NumHiddenColumns() - 1 : ACol;
    for (int c = from; c <= to; ++c) {
        const TColumnCalcType type = f.ColumnCalc(c);
        if (type == acNONE)
            continue;
        try {
            const TFooterTotal t = FooterTotal(g, c, g.FixedRows(), last - 1);
            g.SetFloats(c, last, t.Value(type));
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
