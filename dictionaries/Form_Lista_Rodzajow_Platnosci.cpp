#include "dictionaries/Form_Lista_Rodzajow_Platnosci.h"

#include "dictionaries/Form_Nowy_Rodzaj_Platnosci.h"
#include "dictionaries/Form_Popraw_Rodzaj_Platnosci.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"
#include "shell/MainForm.h"

TForm_Lista_Rodzajow_Platnosci* Form_Lista_Rodzajow_Platnosci = nullptr;

using namespace dictionaries;

namespace {
UstawieniaOknaListy ustawienia()
{
    UstawieniaOknaListy u;
    u.lista.nazwaOkna = QStringLiteral("Form_Lista_Rodzajow_Platnosci");
    u.lista.tytul = QStringLiteral("Rodzaje płatności");
    u.lista.nazwaSiatki = QStringLiteral("JvDBUltimGrid1");
    u.lista.kolumny = {{QStringLiteral("Nazwa"), QString(), 160}, {QStringLiteral("Opis"), QString(), 320}};
    u.lista.zmiennaSzerokosc = true;
    u.lista.zrodlo = [] { return DataModule1 ? DataModule1->DataSource_Rodzaje_Platnosci : nullptr; };
    u.popraw = QStringLiteral("BitBtn_Poraw");
    u.nowy = [] { return Form_Nowy_Rodzaj_Platnosci; };
    u.poprawa = [] { return Form_Popraw_Rodzaj_Platnosci; };
    u.filtrWiersza = [](data::Dataset& d) {
        return QStringLiteral("id=") + QString::number(d.fieldByName(QStringLiteral("id")).asInteger());
    };
    u.przyZamknieciu = [] {
        if (MainForm)
            MainForm->Ustaw_Czy_Lista_Rodzajow_Platnosci(false);
    };
    return u;
}
} // namespace

TForm_Lista_Rodzajow_Platnosci::TForm_Lista_Rodzajow_Platnosci(QWidget* parent) : ListWindow(ustawienia(), parent)
{
    JvDBUltimGrid1 = panel()->siatka();
}
