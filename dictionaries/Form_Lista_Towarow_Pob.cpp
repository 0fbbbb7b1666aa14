#include "dictionaries/Form_Lista_Towarow_Pob.h"

#include "dictionaries/Form_Nowy_Towar.h"
#include "dictionaries/Konfiguracja.h"
#include "documents/Form_Faktura_Nowa_Pozycja.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/DataModule1.h"

#include <QLineEdit>

TForm_Lista_Towarow_Pob* Form_Lista_Towarow_Pob = nullptr;

using namespace dictionaries;

namespace {
data::Table* towary()
{
    return DataModule1 ? DataModule1->ADOTable_Towary : nullptr;
}

UstawieniaWyboru ustawienia()
{
    UstawieniaWyboru u;
    // "Grupa" sorts by the PKWiU classification, the goods' group.
    u.lista = widokTowarow(false, {QStringLiteral("Symbol"), QStringLiteral("Nazwa"), QStringLiteral("Grupa")},
                           [](int, const QString& tekst) {
                               return tekst == QStringLiteral("Grupa") ? QStringLiteral("PKWIU") : tekst;
                           });
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
    TForm_Faktura_Nowa_Pozycja* d = Form_Faktura_Nowa_Pozycja;
    if (!t || !d)
        return;
    auto tekst = [&](const char* pole) { return t->fieldByName(QString::fromLatin1(pole)).asString(); };
    d->LEdit_Symbol->setText(tekst("Symbol"));
    d->LEdit_Nazwa->setText(tekst("Nazwa"));
    d->LEdit_Nazwa_cd->setText(tekst("Nazwa_cd"));
    d->LEdit_PKWIU->setText(tekst("PKWIU"));
    if (d->Daj_Netto_Brutto() == QStringLiteral("netto"))
        d->LEdit_Cena->setText(tekst("Cena_Netto_Sprz"));
    else if (d->Daj_Netto_Brutto() == QStringLiteral("brutto"))
        d->LEdit_Cena->setText(tekst("Cena_Brutto_Sprz"));
    d->LEdit_Jm->setText(tekst("jm"));
    d->DBLCBox_Vat->setKeyValue(tekst("Vat_Opis"));
}
