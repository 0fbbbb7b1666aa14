#include "statements/Form_Sprzedaz_Wg_Towarow.h"

#include "shell/MainForm.h"

TForm_Sprzedaz_Wg_Towarow* Form_Sprzedaz_Wg_Towarow = nullptr;

namespace {

statements::Ustawienia_Zestawienia ustawienia()
{
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    statements::Ustawienia_Zestawienia u;
    u.nazwa = s("Form_Sprzedaz_Wg_Towarow");
    u.tytul = s("Sprzedaż wg towrów / usług");
    u.obszar = QSize(825, 500);
    u.nazwaTabeli = s("ADOTable_Towary");
    u.tabela = s("Towary");
    u.indeks = s("Symbol");
    u.filtr = s("arch=false");
    u.klucz = s("Symbol");
    u.kolumny = {
        {s("Symbol"), {}, 100},
        {s("Nazwa"), s("Nazwa towar / usługi"), 200},
        {s("Nazwa_cd"), s("Nazwa towar / usługi cd."), 200},
        {s("PKWIU"), s("PKWiU"), 80},
        {s("jm"), s("J.m.")},
        {s("Cena_Netto_Sprz"), s("Cena netto sprzedaży"), 130},
        {s("Cena_Brutto_Sprz"), s("Cena brutto sprzedaży"), 130},
        {s("Vat_Opis"), s("Stawka VAT"), 80},
        {s("Cena_Netto_Zak"), s("Cena netto zakupu"), 112},
        {s("Uwagi"), {}, 480},
        {s("Arch"), s("Czy archiwum ?"), 95},
    };
    u.indeksSzczegolow = s("Towary_Symbol;Faktura_Typ;faktura_rok;Faktura_Nr;");
    u.kolumnySzczegolow = {
        {s("Faktura_Typ"), s("Typ"), 35},
        ui::whole({s("Faktura_Rok"), s("Rok"), 30}),
        {s("Faktura_Nr"), s("Nr"), 40},
        {s("Faktura_Data_Wyst"), s("Data wystawienia"), 105},
        {s("Klient_Nr"), s("Nr Klienta"), 65},
        {s("Klient_Nazwa_Nazwisko"), s("Nazwa / Nazwisko, imię"), 300},
        {s("Klient_Nazwa_Nazwisko_cd"), s("Nazwa / Nazwisko, imię cd."), 300},
        ui::whole({s("Klient_Nip"), s("NIP"), 80}),
        {s("Ilosc"), s("Ilość"), 55},
        {s("Jm"), s("J.m.")},
        {s("Towary_Cena"), s("Cena"), 65},
        {s("Rabat"), {}, 65},
        {s("Wartosc_Netto"), s("Wartość netto"), 90},
        {s("Kwota_Vat"), s("Kwota VAT"), 70},
        {s("Wartosc_Brutto"), s("Wartość brutto"), 90},
    };
    const QStringList pozycje{s("Symbol"), s("Nazwa towaru / usługi"), s("PKWiU")};
    const QStringList kolumny{s("Symbol"), s("Nazwa"), s("PKWIU")};
    u.pasek.sortuj = pozycje;
    u.pasek.poleSortu = dictionaries::sortWedlugListy(kolumny, s("Symbol"));
    u.pasek.szukaj = pozycje;
    u.pasek.kolumnySzukania = kolumny;
    u.pasek.nieZnaleziono = s("Nie znaleziono takiego towaru / usługi");
    u.podpisSortu = s("Sortuj wg. :");
    u.sqlSumy = s("select sum(ilosc), sum(wartosc_netto), sum(wartosc_brutto) from faktura_szczegoly "
                  "where towary_symbol=?");
    u.sumy = {{s("DBEdit3"), s("Ilość (suma)"), s("Expr1000"), true},
              {s("DBEdit1"), s("Wartość netto (suma)"), s("Expr1001")},
              {s("DBEdit2"), s("Wartość brutto (suma)"), s("Expr1002")}};
    u.nazwaZamknij = s("BitBtn_Zamknj");
    u.napisZamknij = s("Zamknj");
    u.przyZamknieciu = [] {
        if (MainForm)
            MainForm->Ustaw_Czy_Sprzedaz_Wg_Towarow(false);
    };
    return u;
}

} // namespace

TForm_Sprzedaz_Wg_Towarow::TForm_Sprzedaz_Wg_Towarow(QWidget* parent) : Zestawienie(ustawienia(), parent)
{
    ADOTable_Towary = Glowna;
    CBox_Sortuj = Pasek->CBox_Sortuj;
    CBox_Szukaj = Pasek->CBox_Szukaj;
    Edit_Szukaj = Pasek->Edit_Szukaj;
    BitBtn_Szukaj = Pasek->BitBtn_Szukaj;
    DBEdit3 = Suma(QStringLiteral("DBEdit3"));
    DBEdit1 = Suma(QStringLiteral("DBEdit1"));
    DBEdit2 = Suma(QStringLiteral("DBEdit2"));
    BitBtn_Zamknj = Zamknij;
}
