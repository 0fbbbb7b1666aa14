#pragma once
// The sales statements by client and by goods: one window shape, read-only. The master grid
// lists the clients (or the goods not archived), the detail grid every stored line of the row
// under the cursor, and the sum fields that row's totals, read again by one aggregate statement
// each time the cursor lands on a row (a click, a key, a search, a new sort order).
#include "dictionaries/ListPanel.h"
#include "platform/data/Dataset.h"

#include <QSize>
#include <QVariant>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace ui {
class DbEdit;
class DbGrid;
} // namespace ui

namespace statements {

// A sum field: object name, caption and the column of the sum statement it shows; amounts with
// two decimals, the quantity with three.
struct Pole_Sumy {
    QString nazwa;
    QString etykieta;
    QString pole;
    bool ilosc = false;
};

// How a sum field shows a sum: an amount as money ("5215,17"), a quantity with three decimals.
QString Tekst_Sumy(const QVariant& suma, bool ilosc);

struct Ustawienia_Zestawienia {
    QString nazwa;                              // object name of the window
    QString tytul;                              // caption
    QSize obszar;                               // designed client area
    QString nazwaTabeli, tabela, indeks, filtr; // the master table
    QString klucz;                              // its key column, compared with the first index field of the lines
    std::vector<ui::DbColumn> kolumny;
    QString indeksSzczegolow; // the lines' order, led by the column matching the key
    std::vector<ui::DbColumn> kolumnySzczegolow;
    dictionaries::UstawieniaPaska pasek;
    QString podpisSortu; // caption of the sort combo
    QString sqlSumy;     // the aggregate statement, with one '?' for the key
    std::vector<Pole_Sumy> sumy;
    QString nazwaZamknij, napisZamknij;
    std::function<void()> przyZamknieciu; // clears the main window's flag
};

// Reads the sums of one master row: `sql` (an aggregate with one '?') run on `suma` for `klucz`.
void Czytaj_Sumy(data::Query& suma, const QString& sql, const QString& klucz);

class Zestawienie : public QWidget {
    Q_OBJECT
public:
    Zestawienie(Ustawienia_Zestawienia u, QWidget* parent);
    ~Zestawienie() override;

    data::Table* Glowna;                    // ADOTable_Klienci / ADOTable_Towary
    data::Table* ADOTable_Faktura_Szczegol; // the lines of the current row
    data::Query* ADOQuery_Suma;
    data::DataSource* DataSource_Glowna;
    data::DataSource* DataSource_Szczegol;
    data::DataSource* DataSource_Suma;
    ui::DbGrid* JvDBUltimGrid1;
    ui::DbGrid* JvDBUltimGrid2;
    dictionaries::SortSearchBar* Pasek;
    QPushButton* Zamknij;

    // The sum field by object name ("DBEdit1").
    ui::DbEdit* Suma(const QString& nazwa) const;

    QSize sizeHint() const override { return u_.obszar; }

    // The after-scroll handler: the cursor landed on a row (or the rows were read again).
    void AfterScroll();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Przelicz_Sumy();

    Ustawienia_Zestawienia u_;
    std::vector<ui::DbEdit*> sumy_;
    QVariant klucz_;   // key of the row the sums were read for
    QString porzadek_; // the master's order at that time
};

} // namespace statements
