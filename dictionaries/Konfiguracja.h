#pragma once
// Pieces of configuration that more than one window of a dictionary shows the same way.
#include "dictionaries/ListPanel.h"

namespace data {
class Connection;
class DataSource;
class Dataset;
class Table;
} // namespace data

namespace ui {
class DbCheckBox;
class DbEdit;
class DbLookupCombo;
} // namespace ui

namespace dictionaries {

// The shared connection of the data module (nullptr before it exists).
data::Connection* polaczenie();

// Goods as the list and the pick show the shared goods table: the columns (the pick has no
// "Archiwum"), the fields under the grid and the bar with the window's own sort items.
UstawieniaListy widokTowarow(bool zArchiwum, QStringList sortuj, std::function<QString(int, const QString&)> poleSortu);

// Clients as the list and both picks show the shared client table: bold titles, the bar ("Nr
// Klienta", "Nazwa / Nazwisko", "NIP") and "Uwagi" under the grid; the columns are each window's.
UstawieniaListy widokKlientow(std::vector<ui::DbColumn> kolumny);

// The filter of a list's edit dialog: the row whose `kolumna` holds the current row's value.
std::function<QString(data::Dataset&)> filtrWedlug(QString kolumna);

// The goods dialogs' own table of the rates not archived (`filtr`; closed, on no connection
// yet) bound to the rate combo (key "Nazwa") and to the hidden edit and check box that show the
// chosen rate's percent and whether it is the basic one. Returns the table's source.
data::DataSource* stawkiTowaru(QObject* wlasciciel, const QString& filtr, ui::DbLookupCombo* combo, ui::DbEdit* wart,
                               ui::DbCheckBox* podst);

// Opens `t` when it is closed (the dialogs write into the shared tables).
data::Table& otwarta(data::Table* t);

} // namespace dictionaries
