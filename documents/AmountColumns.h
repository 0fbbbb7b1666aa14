#pragma once
// The amount columns of the data grids: a document's totals and a line's values show two
// decimals, as Money writes them ("5215,17", "80,00"), whatever binary noise the stored number
// carries.
#include "platform/ui/DbGrid.h"

#include <vector>

namespace documents {

// `columns` with the amount fields among them (Wart_Netto, Wart_Brutto, Wartosc_Netto,
// Kwota_Vat, Wartosc_Brutto; any case) set to two decimals.
std::vector<ui::DbColumn> amountColumns(std::vector<ui::DbColumn> columns);

} // namespace documents
