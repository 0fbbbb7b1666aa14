#pragma once
// Ctrl+Home and Ctrl+End in a data grid move its dataset to the first and the last row, as the
// list grids always did; the last row is reached by its position, without reading the rows
// before it (the grid then reads only the screen it shows).
namespace data {
class Dataset;
}
namespace ui {
class DbGrid;
}

namespace statements {

// The dataset's last row; nothing on a closed or empty dataset.
void Na_Ostatni_Wiersz(data::Dataset& ds);

// Gives the grid the two keys.
void Skoki_Klawiszami(ui::DbGrid* siatka);

} // namespace statements
