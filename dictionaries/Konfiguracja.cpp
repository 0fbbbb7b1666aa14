#include "dictionaries/Konfiguracja.h"

#include "platform/data/Connection.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/DataModule1.h"

namespace dictionaries {

data::Connection* polaczenie() { return DataModule1 ? DataModule1->ADOConnection1 : nullptr; }

namespace {
std::vector<ui::DbColumn> kolumnyTowarow(bool zArchiwum)
{
    const auto srodek = Qt::AlignCenter;
    const auto prawo = Qt::AlignRight | Qt::AlignVCenter;
    std::vector<ui::DbColumn> k{
        {QStringLiteral("Symbol"), QStringLiteral("Symbol"), 100},
        {QStringLiteral("Nazwa"), QStringLiteral("Nazwa towaru / usługi"), 240},
        {QStringLiteral("Nazwa_cd"), QStringLiteral("Nazwa cd."), 160},
        {QStringLiteral("PKWIU"), QStringLiteral("PKWiU"), 90, srodek},
        {QStringLiteral("jm"), QStringLiteral("J.m."), 50},
        {QStringLiteral("Vat_Opis"), QStringLiteral("Stawka VAT"), 70, srodek},
        {QStringLiteral("Cena_Netto_Sprz"), QStringLiteral("Cena sprzedaży (netto)"), 130, prawo},
        {QStringLiteral("Cena_Brutto_Sprz"), QStringLiteral("Cena sprzedaży (brutto)"), 130, prawo},
        {QStringLiteral("Cena_Netto_Zak"), QStringLiteral("Cena zakupu (netto)"), 120, prawo},
    };
    if (zArchiwum)
        k.push_back({QStringLiteral("Arch"), QStringLiteral("Archiwum"), 70});
    return k;
}

std::vector<Szczegol> szczegolyTowaru()
{
    return {
        {QStringLiteral("DBEdit_Uwagi"), QStringLiteral("Uwagi"), QStringLiteral("Uwagi")},
        {QStringLiteral("DBEdit_Vat_Opis"), QStringLiteral("Stawka VAT"), QStringLiteral("Vat_Opis")},
        {QStringLiteral("DBEdit_Cena_Netto_Sprz"), QStringLiteral("Cena sprzedaży (netto)"),
         QStringLiteral("Cena_Netto_Sprz")},
        {QStringLiteral("DBEdit_Cena_Brutto_Sprz"), QStringLiteral("Cena sprzedaży (brutto)"),
         QStringLiteral("Cena_Brutto_Sprz")},
        {QStringLiteral("DBEdit_Cena_Netto_Zak"), QStringLiteral("Cena zakupu (netto)"),
         QStringLiteral("Cena_Netto_Zak")},
    };
}

UstawieniaPaska pasekTowarow(QStringList sortuj, std::function<QString(int, const QString&)> poleSortu)
{
    UstawieniaPaska p;
    p.nazwaSortuj = QStringLiteral("CBox_Sortuj");
    p.sortuj = std::move(sortuj);
    p.poleSortu = std::move(poleSortu);
    p.szukaj = {QStringLiteral("Symbol"), QStringLiteral("Nazwa towaru / usługi"), QStringLiteral("PKWiU")};
    p.kolumnySzukania = {QStringLiteral("Symbol"), QStringLiteral("Nazwa"), QStringLiteral("PKWIU")};
    p.nieZnaleziono = QStringLiteral("Nie znaleziono takiego towaru / usługi");
    return p;
}

UstawieniaPaska pasekKlientow()
{
    UstawieniaPaska p;
    p.nazwaSortuj = QStringLiteral("ComboBox_Sortuj");
    p.sortuj = {QStringLiteral("Nr Klienta"), QStringLiteral("Nazwa / Nazwisko"), QStringLiteral("NIP")};
    const QStringList kolumny{QStringLiteral("Nr_Klienta"), QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("NIP")};
    p.poleSortu = sortWedlugListy(kolumny, QStringLiteral("Nr_Klienta"));
    p.szukaj = p.sortuj;
    p.kolumnySzukania = kolumny;
    p.nieZnaleziono = QStringLiteral("Nie znaleziono takiego Klienta");
    return p;
}

} // namespace

UstawieniaListy widokTowarow(bool zArchiwum, QStringList sortuj, std::function<QString(int, const QString&)> poleSortu)
{
    UstawieniaListy l;
    l.kolumny = kolumnyTowarow(zArchiwum);
    l.pasek = pasekTowarow(std::move(sortuj), std::move(poleSortu));
    l.szczegoly = szczegolyTowaru();
    l.zrodlo = [] { return DataModule1 ? DataModule1->DataSource_Towary : nullptr; };
    return l;
}

UstawieniaListy widokKlientow(std::vector<ui::DbColumn> kolumny)
{
    UstawieniaListy l;
    l.kolumny = std::move(kolumny);
    l.tytulyPogrubione = true;
    l.pasek = pasekKlientow();
    l.szczegoly = {{QStringLiteral("DBEdit1"), QStringLiteral("Uwagi"), QStringLiteral("Uwagi")}};
    l.zrodlo = [] { return DataModule1 ? DataModule1->DataSource_Klienci : nullptr; };
    return l;
}

std::function<QString(data::Dataset&)> filtrWedlug(QString kolumna)
{
    return [kolumna](data::Dataset& d) {
        return kolumna + QLatin1Char('=') + data::quote(d.fieldByName(kolumna).asString());
    };
}

data::DataSource* stawkiTowaru(QObject* wlasciciel, const QString& filtr, ui::DbLookupCombo* combo, ui::DbEdit* wart,
                               ui::DbCheckBox* podst)
{
    auto* t = new data::Table(wlasciciel);
    t->setObjectName(QStringLiteral("ADOTable_Vat"));
    t->setTableName(QStringLiteral("Vat"));
    t->setFilter(filtr);
    t->setFiltered(true);
    auto* s = new data::DataSource(wlasciciel);
    s->setDataset(t);
    combo->setKeyField(QStringLiteral("Nazwa"));
    combo->setListSource(s);
    wart->setDataSource(s);
    wart->setDataField(QStringLiteral("Wart"));
    podst->setDataSource(s);
    podst->setDataField(QStringLiteral("Czy_Podst"));
    return s;
}

data::Table& otwarta(data::Table* t)
{
    if (!t->isActive())
        t->open();
    return *t;
}

} // namespace dictionaries
