#pragma once
// Reading rows of a dataset for display without disturbing it: the cursor is moved with the
// dataset's signals blocked and put back where it was, so no window sees the visit.
#include <functional>

namespace data {
class Dataset;
}

namespace ui::detail {

// Calls `atRow` with the cursor on each of the rows `from` .. `from + count - 1` (0-based) that
// exist. Returns true when the dataset has no row after the last one visited. Does nothing (and
// returns false) while the dataset is closed or being edited.
bool visitRows(data::Dataset& ds, int from, int count, const std::function<void()>& atRow);

} // namespace ui::detail
