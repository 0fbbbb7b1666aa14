#include "dictionaries/Form_Nowy_Rodzaj_Platnosci.h"

#include "dictionaries/Konfiguracja.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"

TForm_Nowy_Rodzaj_Platnosci* Form_Nowy_Rodzaj_Platnosci = nullptr;

using namespace dictionaries;

namespace {
UstawieniaNowego ustawienia()
{
    UstawieniaNowego u;
    u.nazwa = QStringLiteral("Form_Nowy_Rodzaj_Platnosci");
    u.tytul = QStringLiteral("Nowy rodzaj płatności");
    u.pola = {{QStringLiteral("LEdit_Nazwa"), QStringLiteral("Nazwa"), {}, 20},
              {QStringLiteral("LEdit_Opis"), QStringLiteral("Opis"), {}, 50}};
    u.przyciski.nowy = QStringLiteral("BitBtn_Nowy");
    u.przyciski.nowyNapis = QStringLiteral("Nowy");
    u.przyciski.zamknij = QStringLiteral("BitBtn_Zamknij");
    u.przyciski.zamknijNapis = QStringLiteral("Zamknij");
    u.reguly = [] { return Reguly{}; };
    u.zapisz = [](const Wpis& w) {
        data::Table& t = otwarta(DataModule1->ADOTable_Rodzaje_Platnosci);
        t.append();
        t.fieldByName(QStringLiteral("Nazwa")).setAsString(tekst(w, QStringLiteral("LEdit_Nazwa")));
        t.fieldByName(QStringLiteral("Opis")).setAsString(tekst(w, QStringLiteral("LEdit_Opis")));
        t.post();
    };
    return u;
}
} // namespace

TForm_Nowy_Rodzaj_Platnosci::TForm_Nowy_Rodzaj_Platnosci(QWidget* owner) : NewRecordDialog(ustawienia(), owner) {}
