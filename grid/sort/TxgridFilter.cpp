// TGridSorting: filtering. Rows that fail the filter conditions are hidden through the
// hidden-row store, and all hidden rows show again when filtering is switched off. With
// nothing hidden before, the failing rows are set aside in the cell store where they are,
// behind the list of the rows shown: filtering costs little more than testing the rows, and
// switching it off costs nothing per row. A million rows are tested by a few threads at once,
// each block writing its part of that list straight into it.
#include "grid/sort/TxgridSortHost.h"
#include "grid/sort/TxgridSorting.h"
#include "grid/controls/Txutil.h"

#include <QSemaphore>
#include <QThreadPool>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <tuple>
#include <typeinfo>
#include <vector>

namespace grid {

namespace {

using UpdateLock = TSortUpdateLock;

constexpr int kFilterBlock = 4096; // rows tested together

// Testing a block of rows: the rows listed (the shown ones when the rows stay in place, else
// the failing ones) are written from Out on, and the first and last failing row noted.
struct TFilterBlock {
    int* Out = nullptr;
    int Count = 0;
    int FirstFailing = -1, LastFailing = -1;

    void Start(int* At)
    {
        Out = At;
        Count = 0;
        FirstFailing = LastFailing = -1;
    }
    void Add(int Row, bool Shown, bool ListShown)
    {
        if (!Shown) {
            if (FirstFailing < 0)
                FirstFailing = Row;
            LastFailing = Row;
        }
        if (Shown == ListShown)
            Out[Count++] = Row;
    }
};

// The threads that may help test Blocks blocks besides this one: none for a short filter,
// where starting them costs more than they save, and never more than the pool allows (a
// pool of one thread keeps the filter on this thread).
int FilterHelpers(int Blocks)
{
    const int pool = QThreadPool::globalInstance()->maxThreadCount();
    return std::max(0, std::min({3, pool - 1, Blocks / 2 - 1}));
}

// Runs Test(i) for every i in [0, Count) on this thread and on up to Helpers idle threads of
// the pool, and returns when every call has ended. Only threads idle at once are asked, so
// that another user of the pool can never hold the filter up; a failure is thrown here.
void RunShared(int Count, int Helpers, const std::function<void(int)>& Test)
{
    std::atomic<int> next{0};
    std::mutex failedLock;
    std::exception_ptr failed;
    const auto work = [&] {
        try {
            for (int i; (i = next.fetch_add(1, std::memory_order_relaxed)) < Count;)
                Test(i);
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failedLock);
            if (!failed)
                failed = std::current_exception();
            next.store(Count);
        }
    };
    QSemaphore done;
    int started = 0;
    for (; started < Helpers; ++started)
        if (!QThreadPool::globalInstance()->tryStart([&] {
                work();
                done.release();
            }))
            break;
    work();
    done.acquire(started);
    if (failed)
        std::rethrow_exception(failed);
}

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
    bool Match(const ui::StringGridCore::RowData& Row) const
    {
        // Column is the cell's column in the store, and the text is the stored one.
        for (const auto& [column, condition] : Conditions)
            if (!condition.Match(Row.text(column)))
                return false;
        return true;
    }
    // Tests the rows From .. To - 1 straight from the store. The first condition's cell of a
    // row soon to be tested is asked for ahead, and a little later its text, which only the
    // cell knows where to find.
    void TestRows(const ui::StringGridCore& Core, int From, int To, bool ListShown, TFilterBlock& Out) const
    {
        constexpr std::size_t kAhead = 16;
        std::array<const ui::StringGridCore::RowData*, kFilterBlock> rows;
        std::size_t got = 0; // every row of the block comes, the ones never written empty
        Core.forRows(From, std::min(To, From + kFilterBlock),
                     [&](int, const ui::StringGridCore::RowData& d) { rows[got++] = &d; });
        const std::size_t first = Conditions.empty() ? SIZE_MAX : Conditions.front().first;
        for (std::size_t i = 0; i < got; ++i) {
            if (i + kAhead < got && first < rows[i + kAhead]->texts.size())
                __builtin_prefetch(&rows[i + kAhead]->texts[first]);
            if (i + kAhead / 2 < got && first < rows[i + kAhead / 2]->texts.size())
                __builtin_prefetch(rows[i + kAhead / 2]->texts[first].constData());
            Out.Add(From + int(i), Match(*rows[i]), ListShown);
        }
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

// A progress handler runs between waves and may change the rows (remove, insert, clear
// them, tell of changed cells, switch the filter off or filter anew): the rows worked out before it are then no
// longer the grid's. A pass that meets such a change hides nothing; the filter starts again
// over the rows as they are, unless the handler switched it off or a filter of its own has
// done the work. A handler that changes the rows at every call does not keep it going.
void TGridSorting::ApplyFilter()
{
    constexpr int kPasses = 4;
    const int run = ++FFilterRuns;
    const bool active = G.FilterActive();
    FFilterStopped = false;
    for (int pass = 0; pass < kPasses; ++pass) {
        if (FilterPass())
            return;
        if (FFilterRuns != run || (active && !G.FilterActive()))
            break;
    }
    FFilterStopped = true;
}

bool TGridSorting::FilterPass()
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
    const int end = G.RowCount() - G.FixedFooters();
    const int total = end - fixed;
    FPassRows = G.RowCount();
    FPassHidden = G.NumHiddenRows();
    // What the rows worked out below hold to: the handler must leave it as it is.
    const auto structure = [this, run = FFilterRuns] {
        return std::tuple(G.core().structureStamp(), G.CellsChanges(), G.RowCount(), G.fixedRows(), G.FixedFooters(),
                          G.NumHiddenRows(), G.FilterActive(), FFilterRuns == run);
    };
    const auto before = structure();

    // The percentage is reported when it changes: next is the first count of rows examined
    // at which it does.
    auto percent = [total](int steps) { return short(std::nearbyint(steps * 100.0 / total)); };
    short reported = -1;
    int next = 1;
    // False when the handler changed the rows.
    auto report = [&](int examined) {
        while (G.Events().OnFilterProgress && next <= examined) {
            reported = percent(next);
            const TProgressEvent handler = G.Events().OnFilterProgress; // it may set another
            G.Raise(handler, reported);
            if (structure() != before)
                return false;
            // The next change lies near where the percentage passes the half after it.
            int s = std::max(next + 1, int((reported + 0.5) * total / 100.0));
            while (s > next + 1 && percent(s - 1) != reported)
                --s;
            while (s <= total && percent(s) == reported)
                ++s;
            next = s;
        }
        return true;
    };

    // The rows are kept in place when nothing is hidden yet and no disjunct row selection has
    // to follow them: then the rows shown are listed (the fixed rows and footers with them),
    // else the failing ones.
    const bool inPlace = G.NumHiddenRows() == 0 && !G.MouseActions().DisjunctRowSelect && G.RowSelect().empty();
    const bool own = G.OwnMatchFilter();
    const int blocks = total > 0 ? (total + kFilterBlock - 1) / kFilterBlock : 0;
    const int helpers = own ? FilterHelpers(blocks) : 0;

    // Each block writes its listed rows at its own place in the list, and the list closes up
    // after each wave of blocks. The fixed rows (and the footers at the end) are listed with
    // the rows shown.
    const std::size_t head = inPlace ? std::size_t(fixed) : 0;
    ui::RowList listed;
    listed.reserve(head + std::size_t(blocks) * kFilterBlock + std::size_t(G.RowCount() - std::max(end, fixed)));
    listed.resize(head + std::size_t(blocks) * kFilterBlock);
    for (std::size_t r = 0; r < head; ++r)
        listed[r] = int(r);
    std::size_t kept = head;
    int firstFailing = -1, lastFailing = -1;

    // The blocks are tested a wave at a time, and the wave's progress reported after it: the
    // handler never runs while the store is being read. The grid's own test reads nothing but
    // the store and the conditions, so a long filter shares its blocks with idle threads; a
    // descendant's test runs on this thread only, as it always did.
    const int wave = helpers == 0 ? 1 : (G.Events().OnFilterProgress ? 4 * (helpers + 1) : blocks);
    std::vector<TFilterBlock> found(std::size_t(std::max(std::min(wave, blocks), 1)));
    for (int w = 0; w < blocks; w += wave) {
        const int n = std::min(wave, blocks - w);
        const auto test = [&](int i) {
            const int b = fixed + (w + i) * kFilterBlock, e = std::min(b + kFilterBlock, end);
            TFilterBlock& out = found[std::size_t(i)];
            out.Start(listed.data() + head + std::size_t(w + i) * kFilterBlock);
            if (own) {
                ctx.TestRows(G.core(), b, e, inPlace, out);
            } else {
                for (int r = b; r < e; ++r)
                    out.Add(r, G.MatchFilter(r), inPlace);
            }
        };
        if (helpers > 0) {
            RunShared(n, helpers, test);
        } else {
            for (int i = 0; i < n; ++i)
                test(i);
        }
        for (int i = 0; i < n; ++i) {
            const TFilterBlock& f = found[std::size_t(i)];
            if (f.Out != listed.data() + kept) // it only ever moves down
                std::copy(f.Out, f.Out + f.Count, listed.data() + kept);
            kept += std::size_t(f.Count);
            if (f.FirstFailing >= 0) {
                if (firstFailing < 0)
                    firstFailing = f.FirstFailing;
                lastFailing = f.LastFailing;
            }
        }
        if (!report(std::min((w + n) * kFilterBlock, total)))
            return false;
    }
    listed.resize(kept);
    if (firstFailing < 0)
        return true;
    if (inPlace) {
        for (int r = std::max(end, fixed); r < G.RowCount(); ++r)
            listed.push_back(r);
        if (!listed.empty()) {
            const int top = G.topRow(), cur = G.row(), c = G.col();
            G.BeginUpdate();
            if (G.HiddenRowStore().SetAside(G.core(), std::move(listed)))
                G.RowsLeft(top, cur, c, false,
                           TRect{0, firstFailing, G.ColCount() - 1, lastFailing + 1}); // as displayed before
            else
                G.EndUpdate(); // a list the store refuses hides nothing
            return true;
        }
        // Nothing shown is left (the store keeps a row of its own then): the failing rows
        // leave the store.
        for (int r = firstFailing; r <= lastFailing; ++r)
            listed.push_back(r);
    }
    HideDisplayedRows(listed);
    return true;
}

// The displayed rows given (ascending) go to the hidden-row store together, in one pass over
// the cell store; the current cell is kept as hiding them one run at a time keeps it.
void TGridSorting::HideDisplayedRows(std::span<const int> Rows)
{
    if (Rows.empty())
        return;
    const int top = G.topRow(), cur = G.row(), c = G.col();
    G.BeginUpdate();
    G.HiddenRowStore().HideFrom(G.core(), Rows);
    if (G.MouseActions().DisjunctRowSelect)
        for (auto it = Rows.rbegin(); it != Rows.rend(); ++it)
            if (std::size_t(*it) < G.RowSelect().size())
                G.RowSelect().erase(std::size_t(*it), 1);
    G.RowsLeft(top, cur, c, false, TRect{0, Rows.front(), G.ColCount() - 1, Rows.back() + 1}); // as displayed before
}


void TGridSorting::FilterActiveChanged(bool Value)
{
    UpdateLock lock(G);
    if (Value) {
        const int fixed = G.fixedRows();
        FFilterPlaceholder = false;
        FFilterRestoreFixed = -1;
        ApplyFilter();
        if (FFilterStopped || !G.FilterActive())
            return; // a progress handler changed the rows, or switched the filter off
        // When every row went, the store keeps one empty row of its own.
        const bool storeRow = G.RowCount() > FPassRows - (G.NumHiddenRows() - FPassHidden);
        if (G.RowCount() - (storeRow ? 1 : 0) > G.FixedFooters() + fixed)
            return;
        if (storeRow) {
            FFilterPlaceholder = true;
        } else if (!G.FixedRowAlways() && fixed > 0) {
            // One empty row keeps the fixed rows fixed (and the footers below it footers);
            // without fixed rows nothing needs it, and the grid shows what is left.
            G.InsertRows(G.RowCount() - G.FixedFooters(), 1);
            FFilterPlaceholder = true;
        }
        if (G.fixedRows() < fixed) {
            if (fixed < G.RowCount())
                G.setFixedRows(fixed);
            else
                FFilterRestoreFixed = fixed;
        }
        return;
    }
    // The placeholder is found again by its real index once every hidden row is back.
    int placeholder = -1;
    if (FFilterPlaceholder && G.RowCount() - G.FixedFooters() - G.fixedRows() == 1)
        placeholder = G.RemapRowInv(G.fixedRows());
    G.UnHideRowsAll();
    if (placeholder >= 0)
        G.RemoveRows(placeholder, 1);
    if (FFilterRestoreFixed > G.fixedRows() && FFilterRestoreFixed < G.RowCount())
        G.setFixedRows(FFilterRestoreFixed);
    FFilterPlaceholder = false;
    FFilterRestoreFixed = -1;
}


} // namespace grid
