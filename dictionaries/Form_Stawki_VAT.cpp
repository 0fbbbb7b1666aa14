#include "dictionaries/Form_Stawki_VAT.h"

#include "dictionaries/Form_Nowa_Stawka.h"
#include "dictionaries/Form_Stawka_Vat_Popraw.h"
#include "platform/data/Connection.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"

TForm_Stawki_VAT* Form_Stawki_VAT = nullptr;

namespace {
dictionaries::UstawieniaOknaListy ustawienia()
{
    dictionaries::UstawieniaOknaListy u;
    u.lista.nazwaOkna = QStringLiteral("Form_Stawki_VAT");
    u.lista.tytul = QStringLiteral("Stawki VAT");
    u.lista.nazwaSiatki = QStringLiteral("JvDBUltimGrid_Stawki");
    u.lista.kolumny = {
        {QStringLiteral("Nazwa"), QStringLiteral("Nazwa"), 90, Qt::AlignCenter},
        {QStringLiteral("Wart"), QStringLiteral("Wartość %"), 90},
        {QStringLiteral("Czy_Podst"), QStringLiteral("Czy podstawowa?"), 110},
        {QStringLiteral("Arch"), QStringLiteral("Czy archiwum?"), 100},
    };
    u.lista.zrodlo = [] { return DataModule1 ? DataModule1->DataSource_Stawki_Vat : nullptr; };
    u.zamknij = QStringLiteral("Button_Zamknij");
    u.nowy = [] { return Form_Nowa_Stawka; };
    u.poprawa = [] { return Form_Stawka_Vat_Popraw; };
    // The name alone may match an archived and a current rate: the archive flag tells them apart.
    u.filtrWiersza = [](data::Dataset& d) {
        return QStringLiteral("Nazwa=%1 and Arch=%2")
            .arg(data::quote(d.fieldByName(QStringLiteral("Nazwa")).asString()),
                 d.fieldByName(QStringLiteral("Arch")).asBoolean() ? QStringLiteral("true") : QStringLiteral("false"));
    };
    return u;
}
} // namespace

TForm_Stawki_VAT::TForm_Stawki_VAT(QWidget* owner) : ListDialog(ustawienia(), owner)
{
    JvDBUltimGrid_Stawki = panel()->siatka();
}
