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
    const int total = rowCount() - FixedFooters() - fixed;
    int steps = 0;
    bool open = false;
    int first = 0, last = 0, start = 0;
    // The row count shrinks with every run hidden, so the end is read again at each step.
    for (int r = fixed; r < rowCount() - FixedFooters();) {
        if (!MatchFilter(r)) {
            // A run's rows follow one another on screen; between their real indexes there
            // may be rows hidden before, which HideRows passes over.
            const int real = RemapRowInv(r);
            if (!open) {
                open = true;
                first = real;
                start = r;
            }
            last = real;
            ++r;
        } else if (open) {
            HideRows(first, last);
            open = false;
            r = start + 1; // the matching row now stands where the run began
        } else {
            ++r;
        }
        ++steps;
        if (OnFilterProgress && total > 0)
            OnFilterProgress(*this, short(std::nearbyint(steps * 100.0 / total)));
    }
    if (open)
        HideRows(first, last);
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
