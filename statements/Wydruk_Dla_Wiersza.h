#pragma once
// The report dialogs on one client or one goods item, chosen in a grid of the dialog's own table.
#include "dictionaries/ListPanel.h"
#include "platform/data/Dataset.h"
#include "statements/Wydruk_Sprzedazy.h"

namespace statements {

// The dialogs that report on one client or one goods item: the row is chosen in a grid of their
// own table, with sorting and searching; each showing reads the table again in its first order.
struct Ustawienia_Wiersza {
    QString nazwaTabeli, tabela, indeks, filtr;
    QString klucz; // the column passed to the report
    dictionaries::UstawieniaListy lista;
    QString podpisSortu;
};

class Wydruk_Dla_Wiersza : public Wydruk_Sprzedazy {
    Q_OBJECT
public:
    Wydruk_Dla_Wiersza(Ustawienia_Wydruku u, Ustawienia_Wiersza w, QWidget* owner);

    data::Table* Tabela;
    data::DataSource* DataSource1;
    dictionaries::ListPanel* Lista;
    ui::DbGrid* JvDBUltimGrid1;

    // The key of the current row as the report gets it; empty text for an empty list.
    QString Klucz() const;

protected:
    void Wywolaj(void* raport, QApplication* aplikacja, const QByteArray& od, const QByteArray& do_) override;
    void przyPokazaniu() override;

private:
    Ustawienia_Wiersza w_;
};

} // namespace statements
