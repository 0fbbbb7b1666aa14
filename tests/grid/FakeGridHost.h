#pragma once
// A small host over a cell store, for driving one feature of the grid without the grid: the
// counts and cells come from the store, the current cell and the fixed counts are plain
// values, displayed columns map to real ones through ColMap, and the calls that change the
// grid's state are noted in Calls, in order. No event is set, so no feature asks for the
// sender; the settings objects that want an owner get this fake, which repaints nothing.
#include "grid/core/TxgridHost.h"
#include "platform/ui/StringGridCore.h"

#include <QStringList>
#include <stdexcept>
#include <vector>

template <class Host>
class FakeGridHost : public Host, public grid::TSettingsHost {
public:
    ui::StringGridCore Store;
    grid::TGridPlainProperties Props;
    grid::TTxStringGridEvents NoEvents;
    grid::TNavigation Nav;
    grid::TMouseActions Mouse;
    std::vector<int> ColMap; // displayed → real; empty: the same
    int Col = 1, Row = 1, Footers = 0;
    QStringList Calls;

    FakeGridHost(int Cols, int Rows)
    {
        Store.setColCount(Cols);
        Store.setRowCount(Rows);
        Store.setFixedCols(1);
        Store.setFixedRows(1);
    }
    void note(const QString& Call) { Calls << Call; }
    static QString at(int ACol, int ARow) { return QStringLiteral("(%1,%2)").arg(ACol).arg(ARow); }

    const grid::TTxStringGridEvents& Events() const override { return NoEvents; }
    QWidget* Widget() override { return nullptr; }
    const grid::TGridPlainProperties& Plain() const override { return Props; }
    grid::TNavigation& Navigation() override { return Nav; }
    grid::TMouseActions& MouseActions() override { return Mouse; }
    grid::TVAlignment VAlignment() const override { return grid::vtaTop; }

    int ColCount() const override { return Store.colCount(); }
    int RowCount() const override { return Store.rowCount(); }
    int fixedCols() const override { return Store.fixedCols(); }
    int fixedRows() const override { return Store.fixedRows(); }
    int FixedCols() const override { return Store.fixedCols(); }
    int FixedRows() const override { return Store.fixedRows(); }
    int FixedRightCols() const override { return 0; }
    int FixedFooters() const override { return Footers; }
    int col() const override { return Col; }
    int row() const override { return Row; }
    ui::GridOptions options() const override { return Store.options(); }
    grid::TRect platformCellRect(int ACol, int ARow) const override
    {
        return {ACol * 64, ARow * 24, ACol * 64 + 64, ARow * 24 + 24};
    }
    bool focusCell(int ACol, int ARow) override
    {
        note("focusCell " + at(ACol, ARow));
        Col = ACol, Row = ARow;
        return true;
    }
    void hideEditor() override { note("hideEditor"); }
    void Invalidate() override { note("Invalidate"); }
    int RemapCol(int ACol) const override
    {
        return ACol >= 0 && ACol < int(ColMap.size()) ? ColMap[std::size_t(ACol)] : ACol;
    }

    grid::TPoint BaseCell(int ACol, int ARow) const override { return {ACol, ARow}; }
    grid::TPoint CellSpan(int, int) const override { return {0, 0}; }
    bool IsMergedCell(int, int) const override { return false; }
    bool HasNodes() override { return false; }

    QString cells(int ACol, int ARow) const override { return Store.cell(ACol, ARow); }
    QString GetCellEx(int ACol, int ARow) override { return Store.cell(ACol, ARow); }
    void GetVisualProperties(int, int, grid::TGridDrawState&, bool, bool, ui::Brush&, ui::Font&, grid::TAlignment&,
                             grid::TVAlignment&, bool&) override
    {}

    // The settings objects' owner.
    grid::TBaseGrid& HostGrid() override { throw std::logic_error("the fake host has no platform grid"); }
    void RepaintGrid() override {}
    void RepaintGridCell(int, int) override {}
    void StretchRightColumn() override {}
    void SetFooterPanelHeight(int) override {}
    void SetFooterPanelVisible(bool) override {}
    void RepaintFooterPanel() override {}
    void SetFixedFooters(int Count) override { Footers = Count; }
    int HostFixedRows() override { return Store.fixedRows(); }
    void HostSetLastRowInFooter(bool) override {}
    quint8 FooterCalc(int) override { return 0; }
    void SetFooterCalc(int, quint8) override {}
    bool IsDesigning() const override { return false; }
    bool RegisterDropTarget() override { return false; }
    void RevokeDropTarget() override {}

private:
    grid::TGridSender Sender() override { throw std::logic_error("the fake host sets no events"); }
};
