// TTxStringGrid: filtering. Rows that fail the filter conditions are hidden through the
// hidden-row store, and all hidden rows show again when filtering is switched off. With
// nothing hidden before, the failing rows are set aside in the cell store where they are,
// behind the list of the rows shown: filtering costs little more than testing the rows, and
// switching it off costs nothing per row.
#include "grid/columngrid/TxColumnGrid.h"
#include "grid/core/Txgrid.h"
#include "grid/files/TxgridFiles.h"
#include "grid/controls/Txutil.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace grid {

namespace {

using UpdateLock = files::TUpdateGuard;

} // namespace

// The conditions of a running filter, each read once at its start with the regional
// settings of that moment.
struct TTxStringGrid::TFilterContext {
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

namespace {

// The grid classes whose MatchFilter is the one above: for them the walk tests the rows
// straight from the store instead of asking MatchFilter row by row. Any other class is
// asked for every row, as it may have its own test.
static_assert(std::is_same_v<decltype(&TTxColumnGrid::MatchFilter), bool (TTxStringGrid::*)(int)>,
              "a grid class with its own row test must not be listed below");
bool OwnRowTest(const TTxStringGrid& G)
{
    const std::type_info& t = typeid(G);
    return t == typeid(TTxStringGrid) || t == typeid(TTxColumnGrid);
}

} // namespace

bool TTxStringGrid::MatchFilter(int ARow)
{
    const ui::StringGridCore::RowData* row = &ui::StringGridCore::emptyRow(); // a row past the grid reads as empty
    core().forRows(ARow, ARow + 1, [&](int, const ui::StringGridCore::RowData& r) { row = &r; });
    if (FFilterContext)
        return FFilterContext->Match(*row);
    return TFilterContext(FFilter).Match(*row);
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

    // The percentage is reported when it changes: next is the first count of rows examined
    // at which it does.
    auto percent = [total](int steps) { return short(std::nearbyint(steps * 100.0 / total)); };
    short reported = -1;
    int next = 1;
    auto report = [&](int examined) {
        while (OnFilterProgress && next <= examined) {
            reported = percent(next);
            OnFilterProgress(*this, reported);
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
    const bool inPlace = NumHiddenRows() == 0 && !FMouseActions.DisjunctRowSelect && FRowSelect.empty();
    std::vector<int> listed;
    listed.reserve(std::size_t(inPlace ? rowCount() : std::max(total, 0)));
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
    const bool own = OwnRowTest(*this);
    for (int b = fixed; b < end; b += kBlock) {
        const int e = std::min(b + kBlock, end);
        if (own) {
            int got = 0; // every row of the block: the ones never written come empty
            core().forRows(b, e, [&](int, const ui::StringGridCore::RowData& d) { rows[std::size_t(got++)] = &d; });
            for (int i = 0; i < got; ++i) {
                if (i + kAhead < got)
                    ctx.Prefetch(*rows[std::size_t(i + kAhead)]);
                if (i + kAhead / 2 < got)
                    ctx.PrefetchText(*rows[std::size_t(i + kAhead / 2)]);
                result(b + i, ctx.Match(*rows[std::size_t(i)]));
            }
        } else {
            for (int r = b; r < e; ++r)
                result(r, MatchFilter(r));
        }
        report(e - fixed);
    }
    if (firstFailing < 0)
        return;
    if (inPlace) {
        for (int r = std::max(end, fixed); r < rowCount(); ++r)
            listed.push_back(r);
        const int top = topRow(), cur = row(), c = col();
        BeginUpdate();
        if (FHiddenRows.SetAside(core(), std::move(listed))) {
            RowsLeft(top, cur, c, false, TRect{0, firstFailing, colCount() - 1, lastFailing + 1}); // as displayed before
            return;
        }
        EndUpdate();
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
void TTxStringGrid::HideDisplayedRows(std::span<const int> Rows)
{
    if (Rows.empty())
        return;
    const int top = topRow(), cur = row(), c = col();
    BeginUpdate();
    FHiddenRows.HideFrom(core(), Rows);
    if (FMouseActions.DisjunctRowSelect)
        for (auto it = Rows.rbegin(); it != Rows.rend(); ++it)
            if (std::size_t(*it) < FRowSelect.size())
                FRowSelect.erase(std::size_t(*it), 1);
    RowsLeft(top, cur, c, false, TRect{0, Rows.front(), colCount() - 1, Rows.back() + 1}); // as displayed before
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
