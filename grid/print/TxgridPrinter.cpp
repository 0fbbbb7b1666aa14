// TGridPrinter's making.
#include "grid/print/TxgridPrinter.h"
#include "grid/print/TxgridPrintRun.h"

namespace grid {

TGridPrinter::TGridPrinter(std::unique_ptr<TPrintHost> Host) : FHost(std::move(Host)) {}

TGridPrinter::~TGridPrinter() = default;

} // namespace grid
