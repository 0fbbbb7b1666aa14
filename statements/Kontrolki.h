#pragma once
// Small builders the statement windows and report dialogs share.
#include <QString>

class QDateEdit;
class QHBoxLayout;
class QWidget;

namespace dictionaries {
class SortSearchBar;
}

namespace statements {

// A date picker (drop-down calendar, the short date format) with its caption before it in
// `wiersz`, at `przed` (-1: at the end); the caption is also its accessible name.
QDateEdit* Pole_Daty(QWidget* okno, const QString& nazwa, const QString& podpis, QHBoxLayout* wiersz, int przed = -1);

// Captions a sort/search bar's sort combo `podpis` (and gives the combo that accessible name).
void Podpisz_Sortowanie(dictionaries::SortSearchBar* pasek, const QString& podpis);

} // namespace statements
