#include "dictionaries/Form_Lista_Klientow.h"

#include "dictionaries/Form_Nowy_Klient.h"
#include "dictionaries/Form_Popraw_Klient.h"
#include "dictionaries/Konfiguracja.h"
#include "platform/data/Connection.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"
#include "shell/MainForm.h"

TForm_Lista_Klientow* Form_Lista_Klientow = nullptr;

using namespace dictionaries;

namespace {
UstawieniaOknaListy ustawienia()
{
    UstawieniaOknaListy u;
    u.lista = widokKlientow({
        {QStringLiteral("Nr_Klienta"), QStringLiteral("Nr Klienta"), 60},
        {QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("Nazwa / Nazwisko, imię"), 300},
        {QStringLiteral("Nazwa_Nazwisko_cd"), QStringLiteral("Nazwa / Nazwisko, imię cd."), 300},
        ui::whole({QStringLiteral("NIP"), QString(), 95}),
        {QStringLiteral("Kod"), QString(), 70},
        {QStringLiteral("Miasto"), QString(), 180},
        {QStringLiteral("Adres"), QStringLiteral("Adres (ulica, nr domu)"), 300},
        {QStringLiteral("Czy_Firma"), QStringLiteral("Czy firma ?"), 68},
        {QStringLiteral("Tel"), QStringLiteral("Telefon"), 120},
    });
    u.lista.nazwaOkna = QStringLiteral("Form_Lista_Klientow");
    u.lista.tytul = QStringLiteral("Lista Klientów");
    u.lista.nazwaSiatki = QStringLiteral("DBGrid1");
    u.nowy = [] { return Form_Nowy_Klient; };
    u.poprawa = [] { return Form_Popraw_Klient; };
    u.filtrWiersza = filtrWedlug(QStringLiteral("nr_klienta"));
    u.przyZamknieciu = [] {
        if (MainForm)
            MainForm->Ustaw_Czy_Lista_Klientow(false);
    };
    return u;
}
} // namespace

TForm_Lista_Klientow::TForm_Lista_Klientow(QWidget* parent) : ListWindow(ustawienia(), parent)
{
    DBGrid1 = panel()->siatka();
}
