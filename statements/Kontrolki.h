#pragma once
// Small builders the statement windows and report dialogs share.
#include <QString>

#include <vector>

class QDateEdit;
class QHBoxLayout;
class QObject;
class QWidget;

namespace data {
class Dataset;
class DataSource;
class Table;
} // namespace data
namespace dictionaries {
class SortSearchBar;
}
namespace ui {
class DbGrid;
struct DbColumn;
} // namespace ui

namespace statements {

// A date picker (drop-down calendar, the short date format) with its caption before it in
// `wiersz`, at `przed` (-1: at the end); the caption is also its accessible name.
QDateEdit* Pole_Daty(QWidget* okno, const QString& nazwa, const QString& podpis, QHBoxLayout* wiersz, int przed = -1);

// Captions a sort/search bar's sort combo `podpis` (and gives the combo that accessible name).
void Podpisz_Sortowanie(dictionaries::SortSearchBar* pasek, const QString& podpis);

// A table of the window's own, read-only, on the data module's connection (when there is one
// yet), in the order of `indeks` and filtered by `filtr` (none when empty).
data::Table* Tabela_Do_Odczytu(QObject* wlasciciel, const QString& nazwa, const QString& tabela, const QString& indeks,
                               const QString& filtr = QString());
// The data source of a dataset, owned by `wlasciciel`.
data::DataSource* Zrodlo(QObject* wlasciciel, data::Dataset* ds);
// A data grid of `kolumny` over `zrodlo`.
ui::DbGrid* Siatka(QWidget* okno, const QString& nazwa, const std::vector<ui::DbColumn>& kolumny,
                   data::DataSource* zrodlo);
// Opens the dataset, or reads it again when it is open (keeping its current row): what a dialog
// shown again does, so that rows written meanwhile are offered.
void Czytaj_Na_Nowo(data::Dataset& ds);

} // namespace statements
