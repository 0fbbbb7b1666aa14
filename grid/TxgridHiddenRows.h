#pragma once
// The one place that knows which rows are hidden and translates between real and displayed
// row indexes. A real index is the place a row has when nothing is hidden; a displayed index
// its place among the rows shown. Hidden rows leave the cell store and wait here, in the
// order they were hidden, each under its own real index; everything that takes row numbers
// from outside (sorting, filtering, grouping, editing, printing) asks this store.
//
// The translation counts hidden rows below a real index with a binary indexed tree, so both
// directions cost a few dozen steps at a million rows, and hiding or showing a row costs the
// same; items that were shown again are dropped from the order lazily.
#include "platform/ui/StringGridCore.h"

#include <cstddef>
#include <span>
#include <vector>

namespace grid {

// Storage for the store's lists, which reach tens of megabytes at a million rows: a list that
// large is laid on whole huge pages where the system offers them, so that its first filling
// takes a few page faults instead of thousands. Smaller ones come from the usual heap.
void* AllocateLarge(std::size_t Bytes);
void FreeLarge(void* P, std::size_t Bytes);
template <class T>
struct TLargeAllocator {
    using value_type = T;
    TLargeAllocator() = default;
    template <class U>
    TLargeAllocator(const TLargeAllocator<U>&) noexcept
    {
    }
    T* allocate(std::size_t N) { return static_cast<T*>(AllocateLarge(N * sizeof(T))); }
    void deallocate(T* P, std::size_t N) noexcept { FreeLarge(P, N * sizeof(T)); }
    template <class U>
    bool operator==(const TLargeAllocator<U>&) const noexcept
    {
        return true;
    }
};

// A hidden row: its real index and its cells with their objects (and its height).
struct TGridItem {
    int Idx = -1;
    ui::StringGridCore::RowData Items;
};

class THiddenRows {
public:
    int Count() const { return FCount; }
    bool IsHidden(int Real) const
    {
        return Real >= 0 && std::size_t(Real) < FSlot.size() && FSlot[std::size_t(Real)] >= 0;
    }
    // Hidden rows whose real index is below Real.
    int HiddenBefore(int Real) const;
    // Hidden rows among the real rows R1 .. R2.
    int HiddenIn(int R1, int R2) const { return R2 < R1 ? 0 : HiddenBefore(R2 + 1) - HiddenBefore(R1); }
    // Real → displayed: Real less the hidden rows below it.
    int RealToDisplay(int Real) const { return FCount == 0 ? Real : Real - HiddenBefore(Real); }
    // Displayed → real: the real row at which the count of rows not hidden reaches
    // Display + 1 (past the last displayed row the count goes on over rows that do not exist).
    int DisplayToReal(int Display) const;
    // The largest real index that can be hidden here (the store grows as needed).
    int Capacity() const { return int(FSlot.size()); }

    // Real must not be hidden already.
    void Add(int Real, ui::StringGridCore::RowData Row);
    // The displayed rows given (ascending) leave Store in one pass and are hidden under their
    // real indexes: room is made once, and the counts are brought up to date at the end.
    void HideFrom(ui::StringGridCore& Store, std::span<const int> Displayed);
    // DisplayToReal of each of the ascending displayed rows given.
    std::vector<int> DisplayToReal(std::span<const int> Displayed) const;
    // The row of a hidden real index leaves the store.
    ui::StringGridCore::RowData Take(int Real);
    // The cells of a hidden row; nullptr when the row is not hidden.
    ui::StringGridCore::RowData* Find(int Real);
    void Clear();

    // The items in the order they were hidden: First() and Next() give positions (-1 at the
    // end); a position stays valid until Take or Add.
    int First() const { return Next(int(FHead) - 1); }
    int Next(int Pos) const;
    int IdxAt(int Pos) const { return FItems[std::size_t(Pos)].Idx; }

private:
    void Grow(int Real);
    void Recount(); // the tree from FSlot, in linear time
    void TreeAdd(int Real, int Delta);
    void Compact();

    std::vector<int, TLargeAllocator<int>> FTree; // 1-based binary indexed tree over FSlot, power-of-two size
    std::vector<int, TLargeAllocator<int>> FSlot; // real index → position in FItems, -1 when shown
    std::vector<TGridItem, TLargeAllocator<TGridItem>> FItems; // hiding order; shown ones are left with Idx -1
    std::size_t FHead = 0;         // no live item before this position
    int FCount = 0;
    int FDead = 0;
};

} // namespace grid
