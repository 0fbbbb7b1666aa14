#pragma once
// The hosts that answer for the grid to the features that see it only through a narrow
// interface (printing), made with the grid.
#include <memory>

namespace grid {

class TTxStringGrid;
class TPrintHost;

std::unique_ptr<TPrintHost> MakePrintHost(TTxStringGrid& Grid);

} // namespace grid
