#include "statements/Form_Wydruki_Dla_Towaru.h"

#include "dictionaries/Konfiguracja.h"

TForm_Wydruki_Dla_Towaru* Form_Wydruki_Dla_Towaru = nullptr;

namespace {
statements::Ustawienia_Wiersza towary()
{
    const auto s = [](const char* t) { return QString::fromUtf8(t); };
    const auto srodek = Qt::AlignCenter;
    statements::Ustawienia_Wiersza w;
    w.nazwaTabeli = s("ADOTable_Towary");
    w.tabela = s("Towary");
    w.indeks = s("Symbol");
    w.filtr = s("arch=false");
    w.klucz = s("Symbol");
    // The goods bar of the dictionary, with this dialog's sort items.
    w.lista = dictionaries::widokTowarow(
        false, {s("Symbol"), s("Nazwa towaru / usługi"), s("PKWiU"), s("Cena sprzedaży")},
        dictionaries::sortWedlugListy({s("Symbol"), s("Nazwa"), s("PKWIU"), s("Cena_Netto_Sprz")}, s("Symbol")));
    w.lista.kolumny = {
        {s("Symbol"), {}, 80},
        {s("Nazwa"), s("Nazwa towaru / usługi"), 200},
        {s("Nazwa_cd"), s("Nazwa towaru / usługi cd."), 200},
        {s("PKWIU"), {}, 60, srodek},
        {s("jm"), s("j.m."), 50, srodek},
        {s("Cena_Netto_Zak"), s("Cena netto zakupu"), 120},
        {s("Cena_Netto_Sprz"), s("Cena netto sprzedaży"), 130},
        {s("Vat_Opis"), s("VAT"), 50, srodek},
    };
    w.lista.szczegoly.clear();
    w.lista.nazwaSiatki = s("JvDBUltimGrid1");
    w.podpisSortu = s("Sortuj wg. :");
    return w;
}
} // namespace

TForm_Wydruki_Dla_Towaru::TForm_Wydruki_Dla_Towaru(QWidget* owner)
    : Wydruk_Dla_Wiersza({QStringLiteral("Form_Wydruki_Dla_Towaru"),
                          QStringLiteral("Sprzedaż dla towaru / usługi - wydruk"), "_ShowSprzDlaTowaru",
                          QStringLiteral("Jv_Od_Daty"), QStringLiteral("Jv_Do_Daty")},
                         towary(), owner)
{
    Jv_Od_Daty = Od;
    Jv_Do_Daty = Do;
    ADOTable_Towary = Tabela;
    CBox_Sortuj = Lista->pasek()->CBox_Sortuj;
    CBox_Szukaj = Lista->pasek()->CBox_Szukaj;
    Edit_Szukaj = Lista->pasek()->Edit_Szukaj;
    BitBtn_Szukaj = Lista->pasek()->BitBtn_Szukaj;
}
