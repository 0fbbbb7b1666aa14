#pragma once
// The host that answers for the grid to its editing, made with the grid.
#include <memory>

namespace grid {

class TTxStringGrid;
class TEditingHost;

std::unique_ptr<TEditingHost> MakeEditingHost(TTxStringGrid& Grid);

} // namespace grid
