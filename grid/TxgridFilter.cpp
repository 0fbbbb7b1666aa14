// TTxStringGrid: filtering. Rows that fail the filter conditions are hidden through the
// hidden-row store, and all hidden rows show again when filtering is switched off.
#include "grid/Txgrid.h"
#include "grid/TxgridFiles.h"
#include "grid/Txutil.h"

#include <cmath>
#include <optional>

namespace grid {

namespace {

using UpdateLock = files::TUpdateGuard;

} // namespace

// The conditions of a running filter, each read once at its start with the regional
// settings of that moment.
struct TTxStringGrid::TFilterContext {
    std::vector<std::pair<int, TMatchCondition>> Conditions; // column, condition

    explicit TFilterContext(const TFilter& F)
    {
        const TRegional r = TRegional::Current();
        Conditions.reserve(std::size_t(F.Count()));
        for (int i = 0; i < F.Count(); ++i) {
            const TFilterData* f = F.Items(i);
            Conditions.emplace_back(f->Column, TMatchCondition(f->Condition, f->CaseSensitive, r));
        }
    }
};

bool TTxStringGrid::MatchFilter(int ARow)
{
    std::optional<TFilterContext> own;
    const TFilterContext& ctx = FFilterContext ? *FFilterContext : own.emplace(FFilter);
    // Column is the cell's column in the store, and the text is the stored one.
    for (const auto& [column, condition] : ctx.Conditions)
        if (!condition.Match(core().cellRef(column, ARow)))
            return false;
    return true;
}

void TTxStringGrid::ApplyFilter()
{
    TFilterContext ctx(FFilter);
    const TFilterContext* const outer = FFilterContext;
    FFilterContext = &ctx;
    struct Reset {
        const TFilterContext*& Ptr;
        const TFilterContext* Value;
        ~Reset() { Ptr = Value; }
    } reset{FFilterContext, outer};

    const int fixed = FixedRows();
    const int end = rowCount() - FixedFooters();
    const int total = end - fixed;
    std::vector<int> failing;
    for (int r = fixed; r < end; ++r) {
        if (!MatchFilter(r))
            failing.push_back(r);
        if (OnFilterProgress && total > 0)
            OnFilterProgress(*this, short(std::nearbyint((r - fixed + 1) * 100.0 / total)));
    }
    HideDisplayedRows(failing);
}

// The displayed rows given (ascending) go to the hidden-row store together, in one pass over
// the cell store; the current cell is kept as hiding them one run at a time keeps it.
void TTxStringGrid::HideDisplayedRows(const std::vector<int>& Rows)
{
    if (Rows.empty())
        return;
    std::vector<int> reals(Rows.size());
    for (std::size_t i = 0; i < Rows.size(); ++i)
        reals[i] = RemapRowInv(Rows[i]);
    const int top = topRow(), cur = row(), c = col();
    BeginUpdate();
    FHiddenRows.Reserve(reals.back(), reals.size());
    core().takeRowsAt(Rows, [&](std::size_t i, ui::StringGridCore::RowData&& r) {
        FHiddenRows.Add(reals[i], std::move(r));
    });
    if (FMouseActions.DisjunctRowSelect)
        for (auto it = Rows.rbegin(); it != Rows.rend(); ++it)
            if (std::size_t(*it) < FRowSelect.size())
                FRowSelect.erase(std::size_t(*it), 1);
    ui::StringGridCore& g = core();
    if (cur < rowCount() - FixedFooters()) {
        if (col() != c || row() != cur)
            g.moveCurrent(c, cur);
        if (topRow() != top)
            g.setTopRow(top);
    } else if (fixedRows() < rowCount() - FixedFooters()) {
        g.moveCurrent(c, rowCount() - FixedFooters() - 1);
    } else {
        HideSelection();
    }
    EndUpdate();
    CellsChanged(TRect{0, Rows.front(), colCount() - 1, Rows.back() + 1}); // as displayed before
    if (topRow() >= rowCount() - 1)
        g.setTopRow(rowCount() - 1);
}

void TTxStringGrid::SetFilterActive(bool Value)
{
    if (Value == FFilterActive)
        return;
    FFilterActive = Value;
    UpdateLock lock(*this);
    if (Value) {
        const int fixed = fixedRows();
        const int before = rowCount(), hiddenBefore = NumHiddenRows();
        FFilterPlaceholder = false;
        FFilterRestoreFixed = -1;
        ApplyFilter();
        // When every row went, the store keeps one empty row of its own.
        const bool storeRow = rowCount() > before - (NumHiddenRows() - hiddenBefore);
        if (rowCount() - (storeRow ? 1 : 0) > FixedFooters() + fixed)
            return;
        if (storeRow) {
            FFilterPlaceholder = true;
        } else if (!FixedRowAlways && fixed > 0) {
            // One empty row keeps the fixed rows fixed (and the footers below it footers);
            // without fixed rows nothing needs it, and the grid shows what is left.
            InsertRows(rowCount() - FixedFooters(), 1);
            FFilterPlaceholder = true;
        }
        if (fixedRows() < fixed) {
            if (fixed < rowCount())
                setFixedRows(fixed);
            else
                FFilterRestoreFixed = fixed;
        }
        return;
    }
    // The placeholder is found again by its real index once every hidden row is back.
    int placeholder = -1;
    if (FFilterPlaceholder && rowCount() - FixedFooters() - fixedRows() == 1)
        placeholder = RemapRowInv(fixedRows());
    UnHideRowsAll();
    if (placeholder >= 0)
        RemoveRows(placeholder, 1);
    if (FFilterRestoreFixed > fixedRows() && FFilterRestoreFixed < rowCount())
        setFixedRows(FFilterRestoreFixed);
    FFilterPlaceholder = false;
    FFilterRestoreFixed = -1;
}

} // namespace grid
