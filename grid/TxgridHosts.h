#pragma once
// The hosts that answer for the grid to the features that see it only through a narrow
// interface (printing, sorting), made with the grid.
#include <memory>

namespace grid {

class TTxStringGrid;
class TPrintHost;
class TSortHost;

std::unique_ptr<TPrintHost> MakePrintHost(TTxStringGrid& Grid);
std::unique_ptr<TSortHost> MakeSortHost(TTxStringGrid& Grid);

} // namespace grid
