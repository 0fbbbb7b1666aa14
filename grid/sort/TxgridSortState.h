#pragma once
// What the grid keeps for sorting besides its sort settings: the sort index list, the row
// cross-reference, the running sort's shared readings, the tracked row and the counters.
#include "grid/controls/Txobj.h"

#include <QtGlobal>
#include <vector>

namespace grid {

struct TSortContext; // the regional settings and collators one sort reads once (TxgridSortKeys.h)

// One column of a sort's order: Sign -1 sorts it descending.
struct TSortLink {
    int Col, Sign;
};

struct TSortState {
    TSortIndexList Indexes;
    TIntList CrossReference;         // entry p: the row number the row now at p had
    TSortContext* Context = nullptr; // set while a sort runs
    int Factor = 1;                  // +1 ascending, -1 descending
    bool WithHidden = false;         // a full sort: hidden columns break ties too
    int CurrentRow = -1;             // the current row's data, followed through the row swaps
    int CompareCount = 0;
    int SwapCount = 0;
    qint64 Time = 0; // the last header-click sort, ms
};

} // namespace grid
