#include "corrections/Form_Do_Korekty.h"
#include "documents/AmountColumns.h"

#include "shell/DataModule1.h"

#include <QBoxLayout>

TForm_Do_Korekty* Form_Do_Korekty = nullptr;

using namespace corrections;

namespace {

UstawieniaFaktur ustawienia()
{
    UstawieniaFaktur u;
    u.nazwaOkna = QStringLiteral("Form_Do_Korekty");
    u.tytul = QStringLiteral("Faktura do korekty...");
    u.nazwaSiatki = QStringLiteral("DBGrid1");
    u.nazwaSortu = QStringLiteral("JvCBox_Sort");
    u.kolumny = {
        {QStringLiteral("Typ_Koncowy"), QStringLiteral("Typ"), 35},
        {QStringLiteral("Nr_Koncowy"), QStringLiteral("Nr"), 45},
        {QStringLiteral("Rok_Koncowy"), QStringLiteral("Rok"), 40},
        {QStringLiteral("Data_Wyst"), QStringLiteral("Data wystawienia"), 90},
        {QStringLiteral("Data_Sprzedarzy"), QStringLiteral("Data sprzedaży"), 90},
        {QStringLiteral("Klient_Nr"), QStringLiteral("Nr Klienta"), 65},
        {QStringLiteral("Klient_Nazwa_Nazwisko"), QStringLiteral("Nazwa Klienta"), 180},
        {QStringLiteral("Klient_Nazwa_Nazwisko_cd"), QStringLiteral("Nazwa Klienta cd."), 150},
        {QStringLiteral("Klient_Nip"), QStringLiteral("NIP Klienta"), 95},
        {QStringLiteral("Klient_Kod"), QStringLiteral("Kod"), 60},
        {QStringLiteral("Klient_Miasto"), QStringLiteral("Miasto"), 100},
        {QStringLiteral("Klient_Adres"), QStringLiteral("Adres"), 150},
        {QStringLiteral("Klient_Czy_Firma"), QStringLiteral("Czy firma?"), 65},
        {QStringLiteral("Data_Zaplaty"), QStringLiteral("Data zapłaty"), 90},
        {QStringLiteral("Wart_Netto"), QStringLiteral("Wartość faktury (netto)"), 130},
        {QStringLiteral("Wart_Brutto"), QStringLiteral("Wartość faktury (brutto)"), 130},
        {QStringLiteral("Netto_Brutto"), QStringLiteral("Wyliczana od..."), 90},
    };
    return u;
}

} // namespace

TForm_Do_Korekty::TForm_Do_Korekty(QWidget* owner) : InvoicePicker(ustawienia(), true, owner)
{
    DBGrid1 = panel()->siatka();
    JvCBox_Sort = panel()->pasek()->CBox_Sortuj;

    // The chosen invoice's current lines, between the list and the buttons.
    DBGrid2 = new ui::DbGrid(panel());
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setColumns(documents::amountColumns({
        {QStringLiteral("Lp_Koncowe"), QStringLiteral("Lp"), 35},
        {QStringLiteral("Towary_Symbol"), QStringLiteral("Symbol"), 75},
        {QStringLiteral("Towary_Nazwa"), QStringLiteral("Nazwa"), 150},
        {QStringLiteral("Towary_Nazwa_cd"), QStringLiteral("Nazwa cd."), 150},
        {QStringLiteral("PKWiU"), QStringLiteral("PKWiU"), 65},
        {QStringLiteral("Towary_Cena"), QStringLiteral("Cena netto"), 70},
        {QStringLiteral("Towary_Cena_Brutto"), QStringLiteral("Cena brutto"), 70},
        {QStringLiteral("Jm"), QStringLiteral("Jm."), 45},
        {QStringLiteral("Ilosc"), QStringLiteral("Ilość"), 60},
        {QStringLiteral("Wartosc_Netto"), QStringLiteral("Wartość netto"), 90},
        {QStringLiteral("Rabat"), QStringLiteral("Rabat"), 55},
        {QStringLiteral("Towary_Vat_Opis"), QStringLiteral("Stawka VAT"), 70},
        {QStringLiteral("Kwota_Vat"), QStringLiteral("Kwota VAT"), 70},
        {QStringLiteral("Wartosc_Brutto"), QStringLiteral("Wartość brutto"), 90},
    }));
    DBGrid2->setMinimumHeight(120);
    if (auto* col = qobject_cast<QBoxLayout*>(panel()->layout()))
        col->insertWidget(col->indexOf(DBGrid1) + 1, DBGrid2);
    resize(width(), height() + DBGrid2->minimumHeight());
}

void TForm_Do_Korekty::showing()
{
    InvoicePicker::showing();
    DBGrid2->setDataSource(DataModule1 ? DataModule1->DataSource_Faktura_Szczegol_Korekta : nullptr);
}
