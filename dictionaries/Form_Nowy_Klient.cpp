#include "dictionaries/Form_Nowy_Klient.h"

#include "dictionaries/Konfiguracja.h"
#include "dictionaries/Lookups.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"

TForm_Nowy_Klient* Form_Nowy_Klient = nullptr;

using namespace dictionaries;

namespace {
UstawieniaNowego ustawienia()
{
    UstawieniaNowego u;
    u.nazwa = QStringLiteral("Form_Nowy_Klient");
    u.tytul = QStringLiteral("Nowy Klient");
    u.pola = {
        {QStringLiteral("LEdit_Nr_Klienta"), QStringLiteral("Nr Klienta"), {}, 10},
        {QStringLiteral("LEdit_Nazwa"), QStringLiteral("Nazwa / Nazwisko, imię"), {}, 75},
        {QStringLiteral("LEdit_Nazwa_cd"), QStringLiteral("Nazwa / Nazwisko, imię cd."), {}, 75},
        {QStringLiteral("CheckBox_Czy"), QStringLiteral("Czy firma?"), {}, 0, Rodzaj::Zaznaczenie},
        {QStringLiteral("LEdit_NIP"), QStringLiteral("NIP"), {}, 16},
        {QStringLiteral("LEdit_Kod"), QStringLiteral("Kod"), {}, 15},
        {QStringLiteral("LEdit_Miasto"), QStringLiteral("Miasto"), {}, 30},
        {QStringLiteral("LEdit_Adres"), QStringLiteral("Adres (ulica, nr domu)"), {}, 50},
        {QStringLiteral("LEdit_Tel"), QStringLiteral("Telefon"), {}, 50},
        {QStringLiteral("LEdit_Uwagi"), QStringLiteral("Uwagi"), {}, 255},
    };
    u.przyciski.nowy = QStringLiteral("BitBtn_Nowy");
    u.przyciski.nowyNapis = QStringLiteral("Nowy");
    u.reguly = [] {
        auto zajety = [](const char* kolumna) {
            return [kolumna](const QString& s) {
                return czyZajety(*polaczenie(), QStringLiteral("Klienci"), QString::fromLatin1(kolumna), s);
            };
        };
        return regulyNowegoKlienta(zajety("Nr_Klienta"), zajety("NIP"));
    };
    u.zapisz = [](const Wpis& w) {
        data::Table& k = otwarta(DataModule1->ADOTable_Klienci);
        k.append();
        const std::pair<const char*, const char*> pola[] = {{"Nr_Klienta", "LEdit_Nr_Klienta"},
                                                            {"Nazwa_Nazwisko", "LEdit_Nazwa"},
                                                            {"Nazwa_Nazwisko_cd", "LEdit_Nazwa_cd"},
                                                            {"NIP", "LEdit_NIP"},
                                                            {"Kod", "LEdit_Kod"},
                                                            {"Miasto", "LEdit_Miasto"},
                                                            {"Adres", "LEdit_Adres"},
                                                            {"Tel", "LEdit_Tel"}};
        for (const auto& [kolumna, pole] : pola)
            k.fieldByName(QString::fromLatin1(kolumna)).setAsString(tekst(w, QString::fromLatin1(pole)));
        k.fieldByName(QStringLiteral("Czy_Firma")).setAsBoolean(zaznaczone(w, QStringLiteral("CheckBox_Czy")));
        k.fieldByName(QStringLiteral("Uwagi")).setAsString(tekst(w, QStringLiteral("LEdit_Uwagi")));
        k.post();
        k.refresh();
    };
    return u;
}
} // namespace

TForm_Nowy_Klient::TForm_Nowy_Klient(QWidget* owner) : NewRecordDialog(ustawienia(), owner) {}
