#include "grid/core/TxgridHiddenRows.h"

#include <algorithm>
#include <utility>

namespace grid {

THiddenRows::~THiddenRows()
{
    // The store outlives this one: it must not hand rows to it any more.
    if (FAside)
        FAside->showAside();
}

bool THiddenRows::SetAside(ui::StringGridCore& Store, ui::RowList Shown)
{
    if (FAside || FCount > 0)
        return false;
    if (!Store.setAside(std::move(Shown),
                        [this](std::vector<int>&& Reals, std::vector<ui::StringGridCore::RowData>&& Rows) {
                            Released(std::move(Reals), std::move(Rows));
                        }))
        return false;
    FAside = &Store;
    return true;
}

void THiddenRows::ShowAside()
{
    if (ui::StringGridCore* store = std::exchange(FAside, nullptr))
        store->showAside();
}

void THiddenRows::Release()
{
    if (FAside)
        FAside->releaseAside(); // hands the rows to Released
}

void THiddenRows::Released(std::vector<int>&& Reals, std::vector<ui::StringGridCore::RowData>&& Rows)
{
    FAside = nullptr;
    if (Reals.empty())
        return;
    Grow(Reals.back());
    FItems.reserve(FItems.size() + Reals.size());
    for (std::size_t i = 0; i < Reals.size(); ++i) {
        FSlot[std::size_t(Reals[i])] = int(FItems.size());
        FItems.push_back(TGridItem{Reals[i], std::move(Rows[i])});
    }
    FCount += int(Reals.size());
    Recount();
}

int THiddenRows::HiddenBefore(int Real) const
{
    if (FAside)
        return Real <= 0 ? 0 : Real - FAside->shownBefore(Real);
    if (FCount == 0 || Real <= 0)
        return 0;
    int i = std::min(Real, int(FSlot.size()));
    int sum = 0;
    for (; i > 0; i &= i - 1)
        sum += FTree[std::size_t(i)];
    return sum;
}

int THiddenRows::DisplayToReal(int Display) const
{
    if (FAside)
        return FAside->storeRowOf(Display);
    if (FCount == 0 || Display < 0)
        return Display;
    // The largest p with p - hidden(0 .. p - 1) < Display + 1: real row p is the one sought.
    const int n = int(FSlot.size());
    int pos = 0, hidden = 0;
    for (int step = n; step > 0; step >>= 1) {
        const int np = pos + step;
        if (np <= n && np - (hidden + FTree[std::size_t(np)]) < Display + 1) {
            pos = np;
            hidden += FTree[std::size_t(np)];
        }
    }
    return pos < n ? pos : Display + FCount;
}

void THiddenRows::Grow(int Real)
{
    std::size_t n = std::max<std::size_t>(FSlot.size(), 1024);
    while (n <= std::size_t(Real))
        n *= 2;
    if (n == FSlot.size())
        return;
    FSlot.resize(n, -1);
    Recount();
}

void THiddenRows::Recount()
{
    // Node i counts the slots (i - lowest bit of i, i]: the running counts first, then each
    // node less the running count where its span begins, from the top down so that the
    // counts it needs are still the running ones (no step waits on the one before).
    const std::size_t n = FSlot.size();
    FTree.resize(n + 1);
    int* t = FTree.data();
    const int* slot = FSlot.data();
    int sum = 0;
    t[0] = 0;
    for (std::size_t i = 1; i <= n; ++i)
        t[i] = sum += slot[i - 1] >= 0 ? 1 : 0;
    for (std::size_t i = n; i > 0; --i)
        t[i] -= t[i - (i & (~i + 1))];
}

void THiddenRows::TreeAdd(int Real, int Delta)
{
    const std::size_t n = FSlot.size();
    for (std::size_t i = std::size_t(Real) + 1; i <= n; i += i & (~i + 1))
        FTree[i] += Delta;
}

void THiddenRows::Add(int Real, ui::StringGridCore::RowData Row)
{
    Release();
    if (Real < 0 || IsHidden(Real))
        return;
    if (std::size_t(Real) >= FSlot.size())
        Grow(Real);
    FSlot[std::size_t(Real)] = int(FItems.size());
    FItems.push_back(TGridItem{Real, std::move(Row)});
    TreeAdd(Real, 1);
    ++FCount;
}

std::vector<int> THiddenRows::DisplayToReal(std::span<const int> Displayed) const
{
    std::vector<int> out(Displayed.begin(), Displayed.end());
    if (FAside) {
        for (int& d : out)
            d = FAside->storeRowOf(d);
        return out;
    }
    if (FCount == 0 || out.empty())
        return out;
    // A search per row costs a few dozen steps; walking the slots from the first row costs
    // one step per real row passed. Take the cheaper.
    const std::size_t span = std::size_t(std::max(Displayed.back() - Displayed.front(), 0)) + std::size_t(FCount);
    if (span > Displayed.size() * 32) {
        for (int& d : out)
            d = DisplayToReal(d);
        return out;
    }
    int real = DisplayToReal(Displayed.front()), display = Displayed.front();
    for (int& d : out) {
        while (display < d) {
            ++display;
            do
                ++real;
            while (IsHidden(real));
        }
        d = real;
    }
    return out;
}

void THiddenRows::HideFrom(ui::StringGridCore& Store, std::span<const int> Displayed)
{
    if (Displayed.empty())
        return;
    Release();
    std::vector<int> mapped; // with nothing hidden yet the displayed rows are the real ones
    const std::span<const int> reals =
        FCount == 0 ? Displayed : std::span<const int>(mapped = DisplayToReal(Displayed));
    if (reals.back() >= 0 && std::size_t(reals.back()) >= FSlot.size())
        Grow(reals.back());
    FItems.reserve(FItems.size() + reals.size());
    std::size_t added = 0;
    Store.takeRowsAt(Displayed, [&](std::size_t i, ui::StringGridCore::RowData&& row) {
        const int real = reals[i];
        if (real < 0 || IsHidden(real))
            return; // as Add drops it
        FSlot[std::size_t(real)] = int(FItems.size());
        FItems.push_back(TGridItem{real, std::move(row)});
        ++added;
    });
    FCount += int(added);
    // Counting each row in costs a path up the tree; past a point one pass over all is less.
    if (added * 16 > FSlot.size()) {
        Recount();
    } else {
        for (std::size_t i = FItems.size() - added; i < FItems.size(); ++i)
            TreeAdd(FItems[i].Idx, 1);
    }
}

ui::StringGridCore::RowData THiddenRows::Take(int Real)
{
    Release();
    if (!IsHidden(Real))
        return {};
    const std::size_t pos = std::size_t(FSlot[std::size_t(Real)]);
    ui::StringGridCore::RowData row = std::move(FItems[pos].Items);
    FItems[pos].Items = {};
    FItems[pos].Idx = -1;
    FSlot[std::size_t(Real)] = -1;
    TreeAdd(Real, -1);
    --FCount;
    ++FDead;
    while (FHead < FItems.size() && FItems[FHead].Idx < 0)
        ++FHead;
    if (FCount == 0) {
        FItems.clear();
        FHead = 0;
        FDead = 0;
    } else if (FDead > 64 && std::size_t(FDead) > FItems.size() / 2) {
        Compact();
    }
    return row;
}

void THiddenRows::Compact()
{
    std::size_t out = 0;
    for (std::size_t i = FHead; i < FItems.size(); ++i) {
        if (FItems[i].Idx < 0)
            continue;
        if (out != i)
            FItems[out] = std::move(FItems[i]);
        FSlot[std::size_t(FItems[out].Idx)] = int(out);
        ++out;
    }
    FItems.resize(out);
    FHead = 0;
    FDead = 0;
}

template <class F>
void THiddenRows::Renumber(F Map)
{
    Compact();
    int top = -1;
    for (TGridItem& item : FItems)
        top = std::max(top, item.Idx = Map(item.Idx));
    std::fill(FSlot.begin(), FSlot.end(), -1);
    std::size_t n = std::max<std::size_t>(FSlot.size(), 1024);
    while (n <= std::size_t(top))
        n *= 2;
    FSlot.resize(n, -1);
    for (std::size_t i = 0; i < FItems.size(); ++i)
        FSlot[std::size_t(FItems[i].Idx)] = int(i);
    Recount();
}

void THiddenRows::Inserted(int Real, int Count)
{
    Release();
    if (FCount == 0 || Count <= 0 || HiddenIn(Real, Capacity() - 1) == 0)
        return;
    Renumber([Real, Count](int Idx) { return Idx >= Real ? Idx + Count : Idx; });
}

void THiddenRows::Removed(std::span<const int> Reals)
{
    Release();
    if (FCount == 0 || Reals.empty() || HiddenIn(Reals.front(), Capacity() - 1) == 0)
        return;
    Renumber([Reals](int Idx) { return Idx - int(std::lower_bound(Reals.begin(), Reals.end(), Idx) - Reals.begin()); });
}

ui::StringGridCore::RowData* THiddenRows::Find(int Real)
{
    if (FAside)
        return FAside->asideRow(Real);
    if (!IsHidden(Real))
        return nullptr;
    return &FItems[std::size_t(FSlot[std::size_t(Real)])].Items;
}

void THiddenRows::Clear()
{
    Release();
    FTree.clear();
    FSlot.clear();
    FItems.clear();
    FHead = 0;
    FCount = 0;
    FDead = 0;
}

int THiddenRows::Next(int Pos) const
{
    if (FAside)
        return FAside->nextAside(Pos + 1);
    for (std::size_t i = std::size_t(Pos + 1); i < FItems.size(); ++i)
        if (FItems[i].Idx >= 0)
            return int(i);
    return -1;
}

} // namespace grid
