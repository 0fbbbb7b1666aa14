#include "statements/Form_Wydruki_Dla_Klienta.h"

#include "dictionaries/Konfiguracja.h"

TForm_Wydruki_Dla_Klienta* Form_Wydruki_Dla_Klienta = nullptr;

namespace {
statements::Ustawienia_Wiersza klienci()
{
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    statements::Ustawienia_Wiersza w;
    w.nazwaTabeli = s("ADOTable_Klienci");
    w.tabela = s("Klienci");
    w.indeks = s("Nr_Klienta");
    w.klucz = s("Nr_Klienta");
    // The clients' bar of the dictionary ("Nr Klienta", "Nazwa / Nazwisko", "NIP").
    w.lista = dictionaries::widokKlientow({
        {s("Nr_Klienta"), s("Nr Klienta"), 65},
        {s("Nazwa_Nazwisko"), s("Nazwa / Nazwisko, imię"), 300},
        {s("Nazwa_Nazwisko_cd"), s("Nazwa / Nazwisko, imię cd."), 200},
        {s("NIP"), {}, 80},
        {s("Kod"), {}, 45},
        {s("Miasto"), {}, 150},
        {s("Adres"), s("Adres (ulica, nr domu)"), 300},
    });
    w.lista.tytulyPogrubione = false;
    w.lista.szczegoly.clear();
    w.lista.nazwaSiatki = s("JvDBUltimGrid1");
    w.podpisSortu = s("Sortuj wg. :");
    return w;
}
} // namespace

TForm_Wydruki_Dla_Klienta::TForm_Wydruki_Dla_Klienta(QWidget* owner)
    : Wydruk_Dla_Wiersza({QStringLiteral("Form_Wydruki_Dla_Klienta"), QStringLiteral("Sprzedaż dla Klienta - wydruk"),
                          "_ShowSprzDlaKlienta", QStringLiteral("Jv_Od_Daty"), QStringLiteral("Jv_Do_Daty")},
                         klienci(), owner)
{
    Jv_Od_Daty = Od;
    Jv_Do_Daty = Do;
    ADOTable_Klienci = Tabela;
    ComboBox_Sortuj = Lista->pasek()->CBox_Sortuj;
    CBox_Szukaj = Lista->pasek()->CBox_Szukaj;
    Edit_Szukaj = Lista->pasek()->Edit_Szukaj;
    BitBtn_Szukaj = Lista->pasek()->BitBtn_Szukaj;
}
