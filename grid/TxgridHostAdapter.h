#pragma once
// TGridHostAdapter: the grid answering the functions every host shares (TGridHost), once for
// the three hosts; each host's own adapter derives from it for the host it answers.
#include "grid/core/Txgrid.h"
#include "grid/core/TxgridHost.h"

namespace grid {

template <class Host>
class TGridHostAdapter : public Host {
public:
    explicit TGridHostAdapter(TTxStringGrid& Grid) : G(Grid) {}

    const TTxStringGridEvents& Events() const override { return G; }
    QWidget* Widget() override { return &G; }
    const TGridPlainProperties& Plain() const override { return G; }
    TNavigation& Navigation() override { return G.Navigation(); }
    TMouseActions& MouseActions() override { return G.MouseActions(); }
    TVAlignment VAlignment() const override { return G.VAlignment(); }

    int ColCount() const override { return G.ColCount(); }
    int RowCount() const override { return G.RowCount(); }
    int fixedCols() const override { return G.fixedCols(); }
    int fixedRows() const override { return G.fixedRows(); }
    int FixedCols() const override { return G.FixedCols(); }
    int FixedRows() const override { return G.FixedRows(); }
    int FixedRightCols() const override { return G.FixedRightCols(); }
    int FixedFooters() const override { return G.FixedFooters(); }
    int col() const override { return G.col(); }
    int row() const override { return G.row(); }
    ui::GridOptions options() const override { return G.options(); }
    TRect platformCellRect(int ACol, int ARow) const override { return G.platformCellRect(ACol, ARow); }
    bool focusCell(int ACol, int ARow) override { return G.focusCell(ACol, ARow); }
    void hideEditor() override { G.hideEditor(); }
    void Invalidate() override { G.Invalidate(); }
    int RemapCol(int ACol) const override { return G.RemapCol(ACol); }

    TPoint BaseCell(int ACol, int ARow) const override { return G.BaseCell(ACol, ARow); }
    TPoint CellSpan(int ACol, int ARow) const override { return G.CellSpan(ACol, ARow); }
    bool IsMergedCell(int ACol, int ARow) const override { return G.IsMergedCell(ACol, ARow); }
    bool HasNodes() override { return G.HasNodes(); }

    QString cells(int ACol, int ARow) const override { return G.cells(ACol, ARow); }
    QString GetCellEx(int ACol, int ARow) override { return G.GetCellEx(ACol, ARow); }
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select, ui::Brush& Brush,
                             ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap) override
    {
        G.GetVisualProperties(ACol, ARow, State, Print, Select, Brush, Font, HAlign, VAlign, WordWrap);
    }

protected:
    TTxStringGrid& G;

private:
    TGridSender Sender() override { return G; }
};

} // namespace grid
