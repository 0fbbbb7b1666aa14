#include "corrections/Form_Do_Noty.h"

#include "platform/data/Dataset.h"

TForm_Do_Noty* Form_Do_Noty = nullptr;

using namespace corrections;

namespace {

UstawieniaFaktur ustawienia()
{
    UstawieniaFaktur u;
    u.nazwaOkna = QStringLiteral("Form_Do_Noty");
    u.tytul = QStringLiteral("Faktura do noty korygującej ...");
    u.nazwaSiatki = QStringLiteral("JvDBUltimGrid1");
    u.nazwaSortu = QStringLiteral("JvCBox_Sortuj");
    u.kolumny = {
        {QStringLiteral("Typ_Koncowy"), QStringLiteral("Typ"), 35},
        {QStringLiteral("Nr_Koncowy"), QStringLiteral("Nr"), 45},
        {QStringLiteral("Rok_Koncowy"), QStringLiteral("Rok"), 40},
        {QStringLiteral("Data_Wyst"), QStringLiteral("Data wystawienia"), 90},
        {QStringLiteral("Klient_Nr"), QStringLiteral("Nr Klienta"), 65},
        {QStringLiteral("Klient_Nazwa_Nazwisko"), QStringLiteral("Nazwa / Nazwisko, imię"), 180},
        {QStringLiteral("Klient_Nazwa_Nazwisko_cd"), QStringLiteral("Nazwa / Nazwisko, imię cd."), 150},
        {QStringLiteral("Klient_Nip"), QStringLiteral("NIP"), 95},
        {QStringLiteral("Klient_Kod"), QStringLiteral("Kod"), 60},
        {QStringLiteral("Klient_Miasto"), QStringLiteral("Miasto"), 100},
        {QStringLiteral("Klient_Adres"), QStringLiteral("Adres (ulica ,nr domu)"), 150},
        {QStringLiteral("Data_Sprzedarzy"), QStringLiteral("Data sprzedaży"), 90},
        {QStringLiteral("Data_Zaplaty"), QStringLiteral("Data zapłaty"), 90},
        {QStringLiteral("Wart_Netto"), QStringLiteral("Wartość netto fakt."), 110},
        {QStringLiteral("Wart_Brutto"), QStringLiteral("Wartość brutto fakt."), 110},
    };
    return u;
}

} // namespace

TForm_Do_Noty::TForm_Do_Noty(QWidget* owner) : InvoicePicker(ustawienia(), false, owner)
{
    JvDBUltimGrid1 = panel()->siatka();
    JvCBox_Sortuj = panel()->pasek()->CBox_Sortuj;
}
