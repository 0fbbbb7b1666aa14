#include "dictionaries/Form_Nowa_Stawka.h"

#include "dictionaries/Konfiguracja.h"
#include "dictionaries/Lookups.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"

TForm_Nowa_Stawka* Form_Nowa_Stawka = nullptr;

using namespace dictionaries;

namespace {
UstawieniaNowego ustawienia()
{
    UstawieniaNowego u;
    u.nazwa = QStringLiteral("Form_Nowa_Stawka");
    u.tytul = QStringLiteral("Nowa stawka VAT");
    u.pola = {
        {QStringLiteral("LEdit_Nazwa"), QStringLiteral("Nazwa"), {}, 10},
        {QStringLiteral("LEdit_Wart"), QStringLiteral("Wartość %")},
        {QStringLiteral("CBox_Czy_Podst"), QStringLiteral("Czy podstawowa stawka?"), {}, 0, Rodzaj::Zaznaczenie},
    };
    u.przyciski.nowy = QStringLiteral("BitBtn_Nowa");
    u.przyciski.nowyNapis = QStringLiteral("Nowa");
    u.reguly = [] {
        return regulyNowejStawki(
            [](const QString& n) {
                return czyZajety(*polaczenie(), QStringLiteral("Vat"), QStringLiteral("Nazwa"), n,
                                 QStringLiteral("Arch=0"));
            },
            [] { return liczbaPodstawowych(*polaczenie()); });
    };
    u.zapisz = [](const Wpis& w) {
        data::Table& t = otwarta(DataModule1->ADOTable_Stawki_Vat);
        t.append();
        t.fieldByName(QStringLiteral("Nazwa")).setAsString(tekst(w, QStringLiteral("LEdit_Nazwa")));
        t.fieldByName(QStringLiteral("Wart")).setAsInteger(*naCalkowita(tekst(w, QStringLiteral("LEdit_Wart"))));
        t.fieldByName(QStringLiteral("Czy_Podst")).setAsBoolean(zaznaczone(w, QStringLiteral("CBox_Czy_Podst")));
        t.post();
    };
    u.wylaczZapiszPoZapisie = false;
    return u;
}
} // namespace

TForm_Nowa_Stawka::TForm_Nowa_Stawka(QWidget* owner) : NewRecordDialog(ustawienia(), owner) {}
