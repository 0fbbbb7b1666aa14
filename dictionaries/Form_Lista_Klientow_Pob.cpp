#include "dictionaries/Form_Lista_Klientow_Pob.h"

#include "dictionaries/Form_Nowy_Klient.h"
#include "dictionaries/Konfiguracja.h"
#include "dictionaries/PickTargets.h"
#include "platform/data/Dataset.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"

TForm_Lista_Klientow_Pob* Form_Lista_Klientow_Pob = nullptr;

using namespace dictionaries;

UstawieniaWyboru TForm_Lista_Klientow_Pob::ustawienia(bool nota)
{
    UstawieniaWyboru u;
    u.lista = widokKlientow({
        {QStringLiteral("Nr_Klienta"), QStringLiteral("Nr Klienta"), 65},
        {QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("Nazwa / Nazwisko, imię"), 200},
        {QStringLiteral("Nazwa_Nazwisko_cd"), QStringLiteral("Nazwa / Nazwisko, imię cd."), 200},
        ui::whole({QStringLiteral("NIP"), QString(), 95}),
        {QStringLiteral("Kod"), QString(), 70},
        {QStringLiteral("Miasto"), QString(), 100},
        {QStringLiteral("Adres"), QStringLiteral("Adres (ulica, nr domu)"), 150},
        {QStringLiteral("Tel"), QStringLiteral("Telefon"), 115},
        {QStringLiteral("Czy_Firma"), QStringLiteral("Czy firma?"), nota ? 70 : 65},
    });
    u.lista.nazwaOkna =
        nota ? QStringLiteral("Form_Lista_Klientow_Pob_Nota") : QStringLiteral("Form_Lista_Klientow_Pob");
    u.lista.tytul = QStringLiteral("Pobierz Klienta...");
    u.lista.nazwaSiatki = QStringLiteral("JvDBUltimGrid1");
    u.lista.zmiennaSzerokosc = nota;
    u.nowy = [] { return Form_Nowy_Klient; };
    return u;
}

TForm_Lista_Klientow_Pob::TForm_Lista_Klientow_Pob(QWidget* owner) : PickDialog(ustawienia(false), owner)
{
    JvDBUltimGrid1 = panel()->siatka();
    // Every use of the pick leaves the clients ordered by number for every other window.
    u_.przyZamknieciu = [this] {
        panel()->pasek()->Wyczysc();
        if (DataModule1 && DataModule1->ADOTable_Klienci) {
            DataModule1->ADOTable_Klienci->setIndexFieldNames(QStringLiteral("Nr_Klienta"));
            if (DataModule1->ADOTable_Klienci->isActive())
                DataModule1->ADOTable_Klienci->refresh();
        }
    };
}

void TForm_Lista_Klientow_Pob::Wstaw_Dane_Klienta()
{
    const auto blok = Blok_Klienta(Typ_Faktury);
    if (blok && DataModule1)
        Wpisz_Klienta(*DataModule1->ADOTable_Klienci, *blok);
}

void Pobierz_Klienta(const QString& typ)
{
    if (!Form_Lista_Klientow_Pob)
        return;
    Form_Lista_Klientow_Pob->Ustaw_Typ_Faktury(typ);
    ui::showModal(Form_Lista_Klientow_Pob);
}
