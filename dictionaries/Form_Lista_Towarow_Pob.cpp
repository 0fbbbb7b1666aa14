#include "dictionaries/Form_Lista_Towarow_Pob.h"

#include "dictionaries/Form_Nowy_Towar.h"
#include "dictionaries/Konfiguracja.h"
#include "dictionaries/PickTargets.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/DataModule1.h"

#include <QLineEdit>

TForm_Lista_Towarow_Pob* Form_Lista_Towarow_Pob = nullptr;

using namespace dictionaries;

namespace {
data::Table* towary() { return DataModule1 ? DataModule1->ADOTable_Towary : nullptr; }

UstawieniaWyboru ustawienia()
{
    UstawieniaWyboru u;
    // "Grupa" sorts by the PKWiU classification, the goods' group.
    u.lista = widokTowarow(
        false, {QStringLiteral("Symbol"), QStringLiteral("Nazwa"), QStringLiteral("Grupa")},
        [](int, const QString& tekst) { return tekst == QStringLiteral("Grupa") ? QStringLiteral("PKWIU") : tekst; });
    u.lista.nazwaOkna = QStringLiteral("Form_Lista_Towarow_Pob");
    u.lista.tytul = QStringLiteral("Pobierz towar / usługę");
    u.lista.nazwaSiatki = QStringLiteral("DBGrid1");
    u.nowy = [] { return Form_Nowy_Towar; };
    u.przyPokazaniu = [] {
        if (data::Table* t = towary(); t && t->connection() && t->connection()->isConnected()) {
            t->close();
            t->setFiltered(true);
            t->setFilter(QStringLiteral("arch=false"));
            t->open();
        }
    };
    u.przyZamknieciu = [] {
        if (data::Table* t = towary(); t && t->connection() && t->connection()->isConnected()) {
            t->close();
            t->setFiltered(false);
            t->open();
        }
    };
    return u;
}
} // namespace

TForm_Lista_Towarow_Pob::TForm_Lista_Towarow_Pob(QWidget* owner) : PickDialog(ustawienia(), owner)
{
    DBGrid1 = panel()->siatka();
}

void TForm_Lista_Towarow_Pob::Wstaw_Dane_Towaru()
{
    data::Table* t = towary();
    const std::optional<BlokTowaru> d = Blok_Towaru();
    if (!t || !d)
        return;
    auto tekst = [&](const char* pole) { return t->fieldByName(QString::fromLatin1(pole)).asString(); };
    auto wpisz = [](QLineEdit* e, const QString& s) {
        if (e)
            e->setText(s);
    };
    wpisz(d->LEdit_Symbol, tekst("Symbol"));
    wpisz(d->LEdit_Nazwa, tekst("Nazwa"));
    wpisz(d->LEdit_Nazwa_cd, tekst("Nazwa_cd"));
    wpisz(d->LEdit_PKWIU, tekst("PKWIU"));
    const QString tryb = d->Netto_Brutto ? d->Netto_Brutto() : QString();
    if (tryb == QStringLiteral("netto"))
        wpisz(d->LEdit_Cena, tekst("Cena_Netto_Sprz"));
    else if (tryb == QStringLiteral("brutto"))
        wpisz(d->LEdit_Cena, tekst("Cena_Brutto_Sprz"));
    wpisz(d->LEdit_Jm, tekst("jm"));
    if (d->DBLCBox_Vat)
        d->DBLCBox_Vat->setKeyValue(tekst("Vat_Opis"));
}
