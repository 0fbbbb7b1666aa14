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
//
// A filter hides many rows at once and usually shows them all again: for that the rows are
// set aside in the cell store itself (SetAside), where they stay in place behind the list
// of the rows shown, and no row moves either way. Their real index is then their place in
// the store. Anything that hides or shows single rows, or changes the rows' structure, first
// takes them out of the store into this one (Release), where they go on as above.
#include "platform/ui/StringGridCore.h"

#include <cstddef>
#include <span>
#include <vector>

namespace grid {

// A hidden row: its real index and its cells with their objects (and its height).
struct TGridItem {
    int Idx = -1;
    ui::StringGridCore::RowData Items;
};

class THiddenRows {
public:
    THiddenRows() = default;
    THiddenRows(const THiddenRows&) = delete;
    THiddenRows& operator=(const THiddenRows&) = delete;
    ~THiddenRows();

    int Count() const { return FAside ? FAside->asideCount() : FCount; }
    bool IsHidden(int Real) const
    {
        if (FAside)
            return FAside->isAside(Real);
        return Real >= 0 && std::size_t(Real) < FSlot.size() && FSlot[std::size_t(Real)] >= 0;
    }
    // Hidden rows whose real index is below Real.
    int HiddenBefore(int Real) const;
    // Hidden rows among the real rows R1 .. R2.
    int HiddenIn(int R1, int R2) const { return R2 < R1 ? 0 : HiddenBefore(R2 + 1) - HiddenBefore(R1); }
    // Real → displayed: Real less the hidden rows below it.
    int RealToDisplay(int Real) const { return Count() == 0 ? Real : Real - HiddenBefore(Real); }
    // Displayed → real: the real row at which the count of rows not hidden reaches
    // Display + 1 (past the last displayed row the count goes on over rows that do not exist).
    int DisplayToReal(int Display) const;
    // The largest real index that can be hidden here (the store grows as needed).
    int Capacity() const { return FAside ? FAside->storeRowCount() : int(FSlot.size()); }

    // Every displayed row of Store not in Shown (ascending, at least one) hidden in place, in
    // the store; only while nothing is hidden. False when nothing was set aside.
    bool SetAside(ui::StringGridCore& Store, ui::RowList Shown);
    // True while the hidden rows are set aside in the cell store.
    bool InStore() const { return FAside != nullptr; }
    // The rows set aside shown again where they were, in one step.
    void ShowAside();
    // The rows set aside taken out of the cell store into this one.
    void Release();

    // Real must not be hidden already.
    void Add(int Real, ui::StringGridCore::RowData Row);
    // The displayed rows given (ascending) leave Store in one pass and are hidden under their
    // real indexes: room is made once, and the counts are brought up to date at the end.
    void HideFrom(ui::StringGridCore& Store, std::span<const int> Displayed);
    // DisplayToReal of each of the ascending displayed rows given.
    std::vector<int> DisplayToReal(std::span<const int> Displayed) const;
    // The row of a hidden real index leaves the store.
    ui::StringGridCore::RowData Take(int Real);
    // Rows came or went among the displayed ones: the hidden rows after them keep their places
    // among the rows shown. Inserted: Count rows now stand at real index Real and after, so
    // every hidden row from Real on moves up by Count. Removed: the (displayed, ascending)
    // real indexes given are gone, and every hidden row after one moves down by one for each.
    void Inserted(int Real, int Count);
    void Removed(std::span<const int> Reals);
    // The cells of a hidden row; nullptr when the row is not hidden.
    ui::StringGridCore::RowData* Find(int Real);
    void Clear();

    // The items in the order they were hidden (rows set aside in the store: by real index):
    // First() and Next() give positions (-1 at the end); a position stays valid until Take or
    // Add.
    int First() const { return FAside ? FAside->nextAside(0) : Next(int(FHead) - 1); }
    int Next(int Pos) const;
    int IdxAt(int Pos) const { return FAside ? Pos : FItems[std::size_t(Pos)].Idx; }

private:
    void Grow(int Real);
    void Recount(); // the tree from FSlot, in linear time
    void TreeAdd(int Real, int Delta);
    void Compact();
    // Every hidden row's real index through Map (which keeps their order), the lookup and
    // the counts made anew.
    template <class F>
    void Renumber(F Map);
    // The rows the cell store hands out of its rows set aside, under their real indexes.
    void Released(std::vector<int>&& Reals, std::vector<ui::StringGridCore::RowData>&& Rows);

    ui::StringGridCore* FAside = nullptr; // the store holding the hidden rows set aside, if any
    std::vector<int> FTree;               // 1-based binary indexed tree over FSlot, power-of-two size
    std::vector<int> FSlot;               // real index → position in FItems, -1 when shown
    std::vector<TGridItem> FItems;        // hiding order; shown ones are left with Idx -1
    std::size_t FHead = 0;                // no live item before this position
    int FCount = 0;
    int FDead = 0;
};

} // namespace grid
