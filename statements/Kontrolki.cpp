#include "statements/Kontrolki.h"
#include "documents/AmountColumns.h"

#include "dictionaries/Konfiguracja.h"
#include "dictionaries/SortSearchBar.h"
#include "platform/data/Dataset.h"
#include "platform/text/Regional.h"
#include "platform/ui/DateEdit.h"
#include "platform/ui/DbGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>

namespace statements {

QDateEdit* Pole_Daty(QWidget* okno, const QString& nazwa, const QString& podpis, QHBoxLayout* wiersz, int przed)
{
    auto* etykieta = new QLabel(podpis, okno);
    auto* d = new ui::DateEdit(okno);
    d->setObjectName(nazwa);
    d->setAccessibleName(podpis);
    d->setCalendarPopup(true);
    d->setDisplayFormat(text::shortDateFormat());
    etykieta->setBuddy(d);
    if (przed < 0) {
        wiersz->addWidget(etykieta);
        wiersz->addWidget(d);
    } else {
        wiersz->insertWidget(przed, etykieta);
        wiersz->insertWidget(przed + 1, d);
    }
    return d;
}

void Podpisz_Sortowanie(dictionaries::SortSearchBar* pasek, const QString& podpis)
{
    for (QLabel* l : pasek->findChildren<QLabel*>())
        if (l->buddy() == pasek->CBox_Sortuj)
            l->setText(podpis);
    pasek->CBox_Sortuj->setAccessibleName(podpis);
}

data::Table* Tabela_Do_Odczytu(QObject* wlasciciel, const QString& nazwa, const QString& tabela, const QString& indeks,
                               const QString& filtr)
{
    auto* t = new data::Table(wlasciciel);
    t->setObjectName(nazwa);
    t->setTableName(tabela);
    t->setIndexFieldNames(indeks);
    if (!filtr.isEmpty()) {
        t->setFilter(filtr);
        t->setFiltered(true);
    }
    t->setReadOnly(true);
    t->setConnection(dictionaries::polaczenie());
    return t;
}

data::DataSource* Zrodlo(QObject* wlasciciel, data::Dataset* ds)
{
    auto* s = new data::DataSource(wlasciciel);
    s->setDataset(ds);
    return s;
}

ui::DbGrid* Siatka(QWidget* okno, const QString& nazwa, const std::vector<ui::DbColumn>& kolumny,
                   data::DataSource* zrodlo)
{
    auto* g = new ui::DbGrid(okno);
    g->setObjectName(nazwa);
    g->setColumns(documents::amountColumns(kolumny));
    g->setDataSource(zrodlo);
    return g;
}

void Czytaj_Na_Nowo(data::Dataset& ds)
{
    if (!ds.connection())
        ds.setConnection(dictionaries::polaczenie());
    if (ds.isActive())
        ds.refresh();
    else
        ds.open();
}

} // namespace statements
