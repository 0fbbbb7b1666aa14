#include "statements/Form_Sprzedaz_Wg_Klienta.h"

#include "shell/MainForm.h"

TForm_Sprzedaz_Wg_Klienta* Form_Sprzedaz_Wg_Klienta = nullptr;

namespace {

statements::Ustawienia_Zestawienia ustawienia()
{
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    statements::Ustawienia_Zestawienia u;
    u.nazwa = s("Form_Sprzedaz_Wg_Klienta");
    u.tytul = s("Sprzedaż wg. Klientów");
    u.obszar = QSize(824, 515);
    u.nazwaTabeli = s("ADOTable_Klienci");
    u.tabela = s("Klienci");
    u.indeks = s("Nr_Klienta");
    u.klucz = s("Nr_Klienta");
    u.kolumny = {
        {s("Nr_Klienta"), s("Nr Klienta"), 65},
        {s("Nazwa_Nazwisko"), s("Nazwa / Nazwisko, imię"), 300},
        {s("Nazwa_Nazwisko_cd"), s("Nazwa / Nazwisko, imię cd."), 300},
        ui::whole({s("NIP"), {}, 75}),
        {s("Kod"), {}, 45},
        {s("Miasto"), {}, 180},
        {s("Adres"), s("Adres (ulica, nr domu)"), 300},
        {s("Czy_Firma"), s("Czy firma?"), 65},
    };
    u.indeksSzczegolow = s("Klient_Nr;Faktura_Data_Wyst");
    u.kolumnySzczegolow = {
        {s("Faktura_Typ"), s("Typ dokumentu"), 100},
        {s("Faktura_Nr"), s("Nr faktury"), 65},
        ui::whole({s("Faktura_Rok"), s("Rok"), 30}),
        {s("Lp"), {}, 45},
        {s("Towary_Symbol"), s("Symbol"), 80},
        {s("Towary_Nazwa"), s("Nazwa towaru / usługi"), 185},
        {s("Towary_Nazwa_cd"), s("Nazwa towaru / usługi cd."), 185},
        {s("PKWiU"), {}, 80},
        {s("Towary_Cena"), s("Cena netto"), 65},
        {s("Towary_Cena_Brutto"), s("Cena brutto"), 70},
        {s("Jm"), s("J.m."), 50},
        {s("Ilosc"), s("Ilość"), 55},
        {s("Rabat"), {}, 55},
        {s("Wartosc_Netto"), s("Wartość netto"), 90},
        {s("Towary_Vat_Opis"), s("Stawka VAT"), 80},
        {s("Kwota_Vat"), s("Kwota VAT"), 70},
        {s("Wartosc_Brutto"), s("Wartość brutto"), 95},
    };
    const QStringList pozycje{s("Nr Klienta"), s("Nazwa / Nazwisko, imię"), s("NIP")};
    const QStringList kolumny{s("Nr_Klienta"), s("Nazwa_Nazwisko"), s("NIP")};
    u.pasek.sortuj = pozycje;
    u.pasek.poleSortu = dictionaries::sortWedlugListy(kolumny, s("Nr_Klienta"));
    u.pasek.szukaj = pozycje;
    u.pasek.kolumnySzukania = kolumny;
    u.pasek.nieZnaleziono = s("Nie znaleziono takiego Klienta");
    u.podpisSortu = s("Sortuj wg :");
    u.sqlSumy = s("select sum(wartosc_netto), sum(wartosc_brutto) from faktura_szczegoly where klient_nr=?");
    u.sumy = {{s("DBEdit1"), s("Wartość netto (suma)"), s("Expr1000")},
              {s("DBEdit2"), s("Wartość brutto (suma)"), s("Expr1001")}};
    u.nazwaZamknij = s("BitBtn_Zamknij");
    u.napisZamknij = s("Zamknij");
    u.przyZamknieciu = [] {
        if (MainForm)
            MainForm->Ustaw_Czy_Sprzedaz_Wg_Klienta(false);
    };
    return u;
}

} // namespace

TForm_Sprzedaz_Wg_Klienta::TForm_Sprzedaz_Wg_Klienta(QWidget* parent) : Zestawienie(ustawienia(), parent)
{
    ADOTable_Klienci = Glowna;
    CBox_Sortuj = Pasek->CBox_Sortuj;
    CBox_Szukaj = Pasek->CBox_Szukaj;
    Edit_Szukaj = Pasek->Edit_Szukaj;
    BitBtn_Szukaj = Pasek->BitBtn_Szukaj;
    DBEdit1 = Suma(QStringLiteral("DBEdit1"));
    DBEdit2 = Suma(QStringLiteral("DBEdit2"));
    BitBtn_Zamknij = Zamknij;
}
