#pragma once
// Pieces of configuration that more than one window of a dictionary shows the same way.
#include "dictionaries/ListPanel.h"

namespace data {
class Connection;
class Table;
} // namespace data

namespace dictionaries {

// The shared connection of the data module (nullptr before it exists).
data::Connection* polaczenie();

// Goods: the list's and the pick's columns (the pick has no "Archiwum"), the fields under the
// grid and the search part of the bar.
std::vector<ui::DbColumn> kolumnyTowarow(bool zArchiwum);
std::vector<Szczegol> szczegolyTowaru();
UstawieniaPaska pasekTowarow(QStringList sortuj, std::function<QString(int, const QString&)> poleSortu);

// Clients: the list's and both picks' bar ("Nr Klienta", "Nazwa / Nazwisko", "NIP").
UstawieniaPaska pasekKlientow();

// Opens `t` when it is closed (the dialogs write into the shared tables).
data::Table& otwarta(data::Table* t);

} // namespace dictionaries
