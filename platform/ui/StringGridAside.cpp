// StringGridCore: rows set aside in place, behind the list of the rows shown, and taken out
// of the store when its structure changes.
#include "platform/ui/StringGridCore.h"

#include <algorithm>
#include <functional>

namespace ui {

// --- rows set aside ----------------------------------------------------------------------

bool StringGridCore::setAside(RowList shown, ReleaseAside release)
{
    if (!shown_.empty() || shown.empty() || int(shown.size()) >= rowCount_)
        return false;
    // A list of rows that are not this store's (past the last row, or out of order) is
    // refused whole: the rows shown are found through it.
    if (shown.front() < 0 || shown.back() >= rowCount_
        || std::adjacent_find(shown.begin(), shown.end(), std::greater_equal<int>()) != shown.end())
        return false;
    ++structureStamp_;
    // The first displayed row whose place changes: the objects from there on learn theirs anew.
    std::size_t first = 0;
    while (first < shown.size() && shown[first] == int(first))
        ++first;
    storeRows_ = rowCount_;
    rowCount_ = int(shown.size());
    shown_ = std::move(shown);
    release_ = std::move(release);
    if (rowCount_ <= fixedRows_)
        fixedRows_ = rowCount_ - 1;
    replaceRows(int(first), rowCount_);
    clampCurrent();
    clampScroll();
    return true;
}

int StringGridCore::shownBefore(int storeRow) const
{
    if (shown_.empty() || storeRow <= 0)
        return storeRow;
    if (storeRow >= storeRows_)
        return rowCount_ + (storeRow - storeRows_);
    return int(std::lower_bound(shown_.begin(), shown_.end(), storeRow) - shown_.begin());
}

bool StringGridCore::isAside(int storeRow) const
{
    return !shown_.empty() && storeRow >= 0 && storeRow < storeRows_
        && !std::binary_search(shown_.begin(), shown_.end(), storeRow);
}

StringGridCore::RowData* StringGridCore::asideRow(int storeRow)
{
    if (!isAside(storeRow))
        return nullptr;
    if (std::size_t(storeRow) >= rows_.size())
        rows_.resize(std::size_t(storeRow) + 1);
    Row& r = rows_[std::size_t(storeRow)];
    r.height = rowHeights_[std::size_t(storeRow)];
    mayHoldObjects_ = true; // the caller may put an object into it
    return &r;
}

int StringGridCore::nextAside(int storeRow) const
{
    if (shown_.empty())
        return -1;
    int r = std::max(storeRow, 0);
    auto it = std::lower_bound(shown_.begin(), shown_.end(), r);
    for (; r < storeRows_; ++r, ++it)
        if (it == shown_.end() || *it != r)
            return r;
    return -1;
}

void StringGridCore::showAside()
{
    if (shown_.empty())
        return;
    ++structureStamp_;
    std::size_t first = 0;
    while (first < shown_.size() && shown_[first] == int(first))
        ++first;
    rowCount_ = storeRows_;
    RowList().swap(shown_);
    release_ = nullptr;
    replaceRows(int(first), rowCount_);
    clampCurrent();
    clampScroll();
}

void StringGridCore::releaseAside()
{
    ++structureStamp_; // called first by everything that changes the rows' structure
    if (shown_.empty())
        return;
    const RowList shown = std::move(shown_);
    shown_.clear();
    ReleaseAside release = std::move(release_);
    release_ = nullptr;
    const std::size_t total = std::size_t(storeRows_);
    // Cells written past the last row keep their distance from it.
    std::vector<Row> beyond;
    if (rows_.size() > total) {
        rows_.forRange(total, rows_.size(), [&](std::size_t, Row& r) { beyond.push_back(std::move(r)); });
        rows_.dropEmptied(total, rows_.size() - total);
    }
    const std::size_t stored = rows_.size();
    Row* store = stored ? rows_.contiguous(0, stored) : nullptr;
    int* heights = rowHeights_.contiguous(0, total);
    std::vector<int> at;
    std::vector<RowData> out;
    at.reserve(total - shown.size());
    out.reserve(total - shown.size());
    // The rows shown close up in store order; the others leave with their heights.
    std::size_t write = 0, next = 0, keptStored = 0;
    int first = -1;
    for (std::size_t i = 0; i < total; ++i) {
        if (next < shown.size() && std::size_t(shown[next]) == i) {
            ++next;
            if (write != i) {
                heights[write] = heights[i];
                if (i < stored)
                    store[write] = std::move(store[i]);
            }
            if (i < stored)
                keptStored = write + 1;
            ++write;
            continue;
        }
        RowData r;
        r.height = heights[i];
        if (i < stored) {
            r.texts = std::move(store[i].texts);
            r.objects = std::move(store[i].objects);
        }
        if (first < 0)
            first = int(write);
        at.push_back(int(i));
        out.push_back(std::move(r));
    }
    rowHeights_.erase(write, total - write);
    rows_.dropEmptied(keptStored, stored - keptStored);
    if (!beyond.empty()) {
        rows_.resize(write);
        rows_.insertMove(write, beyond.begin(), beyond.end());
    }
    rowCount_ = int(write);
    storeRows_ = 0;
    replaceRows(std::max(first, 0), rowCount_);
    if (release)
        release(std::move(at), std::move(out));
}

} // namespace ui
