// TGridSorting: filtering. Rows that fail the filter conditions are hidden through the
// hidden-row store, and all hidden rows show again when filtering is switched off. With
// nothing hidden before, the failing rows are set aside in the cell store where they are,
// behind the list of the rows shown: filtering costs little more than testing the rows, and
// switching it off costs nothing per row.
#include "grid/core/Txgrid.h"
#include "grid/files/TxgridFiles.h"
#include "grid/sort/TxgridSorting.h"
#include "grid/controls/Txutil.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <typeinfo>
#include <vector>

namespace grid {

namespace {

using UpdateLock = files::TUpdateGuard;

} // namespace

// The conditions of a running filter, each read once at its start with the regional
// settings of that moment.
struct TGridSorting::TFilterContext {
    std::vector<std::pair<std::size_t, TMatchCondition>> Conditions; // column, condition

    explicit TFilterContext(const TFilter& F)
    {
        const TRegional r = TRegional::Current();
        Conditions.reserve(std::size_t(F.Count()));
        for (int i = 0; i < F.Count(); ++i) {
            const TFilterData* f = F.Items(i);
            // A negative column names no cell: it reads as empty, as the store reads it.
            Conditions.emplace_back(f->Column < 0 ? SIZE_MAX : std::size_t(f->Column),
                                    TMatchCondition(f->Condition, f->CaseSensitive, r));
        }
    }
    // The first condition's cell of a row that is soon to be tested is asked for ahead, and
    // a little later its text, which only the cell knows where to find.
    void Prefetch(const ui::StringGridCore::RowData& Row) const
    {
        if (!Conditions.empty() && Conditions.front().first < Row.texts.size())
            __builtin_prefetch(&Row.texts[Conditions.front().first]);
    }
    void PrefetchText(const ui::StringGridCore::RowData& Row) const
    {
        if (!Conditions.empty() && Conditions.front().first < Row.texts.size())
            __builtin_prefetch(Row.texts[Conditions.front().first].constData());
    }
    bool Match(const ui::StringGridCore::RowData& Row) const
    {
        // Column is the cell's column in the store, and the text is the stored one.
        for (const auto& [column, condition] : Conditions)
            if (!condition.Match(Row.text(column)))
                return false;
        return true;
    }
};

bool TGridSorting::MatchFilter(int ARow)
{
    const ui::StringGridCore::RowData* row = &ui::StringGridCore::emptyRow(); // a row past the grid reads as empty
    G.core().forRows(ARow, ARow + 1, [&](int, const ui::StringGridCore::RowData& r) { row = &r; });
    if (FFilterContext)
        return FFilterContext->Match(*row);
    return TFilterContext(G.Filter()).Match(*row);
}

void TGridSorting::ApplyFilter()
{
    TFilterContext ctx(G.Filter());
    const TFilterContext* const outer = FFilterContext;
    FFilterContext = &ctx;
    struct Reset {
        const TFilterContext*& Ptr;
        const TFilterContext* Value;
        ~Reset() { Ptr = Value; }
    } reset{FFilterContext, outer};

    const int fixed = G.FixedRows();
    const int end = G.rowCount() - G.FixedFooters();
    const int total = end - fixed;

    // The percentage is reported when it changes: next is the first count of rows examined
    // at which it does.
    auto percent = [total](int steps) { return short(std::nearbyint(steps * 100.0 / total)); };
    short reported = -1;
    int next = 1;
    auto report = [&](int examined) {
        while (G.OnFilterProgress && next <= examined) {
            reported = percent(next);
            G.OnFilterProgress(G, reported);
            // The next change lies near where the percentage passes the half after it.
            int s = std::max(next + 1, int((reported + 0.5) * total / 100.0));
            while (s > next + 1 && percent(s - 1) != reported)
                --s;
            while (s <= total && percent(s) == reported)
                ++s;
            next = s;
        }
    };

    // The rows are kept in place when nothing is hidden yet and no disjunct row selection has
    // to follow them: then the rows shown are listed (the fixed rows and footers with them),
    // else the failing ones.
    const bool inPlace = G.NumHiddenRows() == 0 && !G.MouseActions().DisjunctRowSelect && G.FRowSelect.empty();
    std::vector<int> listed;
    listed.reserve(std::size_t(inPlace ? G.rowCount() : std::max(total, 0)));
    if (inPlace)
        for (int r = 0; r < fixed; ++r)
            listed.push_back(r);
    int firstFailing = -1, lastFailing = -1;
    const auto result = [&](int r, bool shown) {
        if (!shown) {
            if (firstFailing < 0)
                firstFailing = r;
            lastFailing = r;
        }
        if (shown == inPlace)
            listed.push_back(r);
    };

    // A block of rows at a time is tested, then its progress reported: the handler never runs
    // while the store is being read.
    constexpr int kBlock = 4096, kAhead = 16;
    std::vector<const ui::StringGridCore::RowData*> rows(kBlock);
    const bool own = G.OwnMatchFilter();
    for (int b = fixed; b < end; b += kBlock) {
        const int e = std::min(b + kBlock, end);
        if (own) {
            int got = 0; // every row of the block: the ones never written come empty
            G.core().forRows(b, e, [&](int, const ui::StringGridCore::RowData& d) { rows[std::size_t(got++)] = &d; });
            for (int i = 0; i < got; ++i) {
                if (i + kAhead < got)
                    ctx.Prefetch(*rows[std::size_t(i + kAhead)]);
                if (i + kAhead / 2 < got)
                    ctx.PrefetchText(*rows[std::size_t(i + kAhead / 2)]);
                result(b + i, ctx.Match(*rows[std::size_t(i)]));
            }
        } else {
            for (int r = b; r < e; ++r)
                result(r, G.MatchFilter(r));
        }
        report(e - fixed);
    }
    if (firstFailing < 0)
        return;
    if (inPlace) {
        for (int r = std::max(end, fixed); r < G.rowCount(); ++r)
            listed.push_back(r);
        const int top = G.topRow(), cur = G.row(), c = G.col();
        G.BeginUpdate();
        if (G.FHiddenRows.SetAside(G.core(), std::move(listed))) {
            G.RowsLeft(top, cur, c, false, TRect{0, firstFailing, G.colCount() - 1, lastFailing + 1}); // as displayed before
            return;
        }
        G.EndUpdate();
        // Nothing shown is left (the store keeps a row of its own then): the failing rows
        // leave the store.
        listed.clear();
        for (int r = firstFailing; r <= lastFailing; ++r)
            listed.push_back(r);
    }
    HideDisplayedRows(listed);
}

// The displayed rows given (ascending) go to the hidden-row store together, in one pass over
// the cell store; the current cell is kept as hiding them one run at a time keeps it.
void TGridSorting::HideDisplayedRows(std::span<const int> Rows)
{
    if (Rows.empty())
        return;
    const int top = G.topRow(), cur = G.row(), c = G.col();
    G.BeginUpdate();
    G.FHiddenRows.HideFrom(G.core(), Rows);
    if (G.MouseActions().DisjunctRowSelect)
        for (auto it = Rows.rbegin(); it != Rows.rend(); ++it)
            if (std::size_t(*it) < G.FRowSelect.size())
                G.FRowSelect.erase(std::size_t(*it), 1);
    G.RowsLeft(top, cur, c, false, TRect{0, Rows.front(), G.colCount() - 1, Rows.back() + 1}); // as displayed before
}

void TTxStringGrid::SetFilterActive(bool Value)
{
    if (Value == FFilterActive)
        return;
    FFilterActive = Value;
    FSorting->FilterActiveChanged(Value);
}

void TGridSorting::FilterActiveChanged(bool Value)
{
    UpdateLock lock(G);
    if (Value) {
        const int fixed = G.fixedRows();
        const int before = G.rowCount(), hiddenBefore = G.NumHiddenRows();
        FFilterPlaceholder = false;
        FFilterRestoreFixed = -1;
        ApplyFilter();
        // When every row went, the store keeps one empty row of its own.
        const bool storeRow = G.rowCount() > before - (G.NumHiddenRows() - hiddenBefore);
        if (G.rowCount() - (storeRow ? 1 : 0) > G.FixedFooters() + fixed)
            return;
        if (storeRow) {
            FFilterPlaceholder = true;
        } else if (!G.FixedRowAlways && fixed > 0) {
            // One empty row keeps the fixed rows fixed (and the footers below it footers);
            // without fixed rows nothing needs it, and the grid shows what is left.
            G.InsertRows(G.rowCount() - G.FixedFooters(), 1);
            FFilterPlaceholder = true;
        }
        if (G.fixedRows() < fixed) {
            if (fixed < G.rowCount())
                G.setFixedRows(fixed);
            else
                FFilterRestoreFixed = fixed;
        }
        return;
    }
    // The placeholder is found again by its real index once every hidden row is back.
    int placeholder = -1;
    if (FFilterPlaceholder && G.rowCount() - G.FixedFooters() - G.fixedRows() == 1)
        placeholder = G.RemapRowInv(G.fixedRows());
    G.UnHideRowsAll();
    if (placeholder >= 0)
        G.RemoveRows(placeholder, 1);
    if (FFilterRestoreFixed > G.fixedRows() && FFilterRestoreFixed < G.rowCount())
        G.setFixedRows(FFilterRestoreFixed);
    FFilterPlaceholder = false;
    FFilterRestoreFixed = -1;
}

bool TTxStringGrid::MatchFilter(int ARow) { return FSorting->MatchFilter(ARow); }

void TTxStringGrid::ApplyFilter() { FSorting->ApplyFilter(); }

bool TTxStringGrid::OwnMatchFilter() const { return typeid(*this) == typeid(TTxStringGrid); }

} // namespace grid
