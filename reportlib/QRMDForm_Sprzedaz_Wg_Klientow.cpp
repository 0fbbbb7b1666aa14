#include "reportlib/QRMDForm_Sprzedaz_Wg_Klientow.h"

using report::Align;
using report::BandKind;
using report::pt;

TQRMDForm_Sprzedaz_Wg_Klientow* QRMDForm_Sprzedaz_Wg_Klientow = nullptr;

namespace {

const Kolumna kKlient[] = {
    {"Nr Klienta", "Nr_Klienta", 2.1, 16.1, Align::Left, "", false},
    {"Nazwa / Nazwisko, imię", "Nazwa_Nazwisko", 21.2, 76.5, Align::Left, "", false},
    {"NIP", "NIP", 99.5, 23.3, Align::Left, "", false},
    {"Kod", "Kod", 124.9, 13.0, Align::Left, "", false},
    {"Miasto", "Miasto", 139.7, 46.8, Align::Left, "", false},
    {"Adres (ulica, nr domu)", "Adres", 188.4, 78.6, Align::Left, "", false},
};

const Kolumna kPozycja[] = {
    {"Typ", "Faktura_Typ", 6.3, 8.7, Align::Left, "", false},
    {"Nr", "Faktura_Nr", 16.9, 8.7, Align::Left, "", false},
    {"Rok", "Faktura_Rok", 27.5, 8.7, Align::Left, "", false},
    {"Data wystawienia", "Faktura_Data_Wyst", 38.1, 23.5, Align::Center, "", false},
    {"Symbol", "Towary_Symbol", 63.5, 22.5, Align::Left, "", false},
    {"Nazwa towaru / usługi", "Towary_Nazwa", 86.8, 46.8, Align::Left, "", false},
    {"PKWiU", "PKWiU", 136.5, 11.6, Align::Center, "", false},
    {"j.m.", "Jm", 150.3, 8.7, Align::Center, "", false},
    {"Cena netto", "Towary_Cena", 160.9, 13.0, Align::Right, "0.00", false},
    {"Cena brutto", "Towary_Cena_Brutto", 176.2, 15.1, Align::Right, "", false},
    {"Ilość", "Ilosc", 194.7, 9.5, Align::Right, "0.000", false},
    {"Rabat %", "Rabat", 205.3, 9.3, Align::Center, "", true},
    {"Wartość netto", "Wartosc_Netto", 215.4, 15.1, Align::Right, "0.00", true},
    {"Stawka V AT", "Towary_Vat_Opis", 231.8, 8.7, Align::Center, "", true},
    {"Kwota VAT", "Kwota_Vat", 241.3, 10.8, Align::Right, "0.00", true},
    {"Wartość brutto", "Wartosc_Brutto", 253.2, 17.2, Align::Right, "0.00", true},
};

} // namespace

TQRMDForm_Sprzedaz_Wg_Klientow::TQRMDForm_Sprzedaz_Wg_Klientow(QObject* owner)
    : TSprzedaz_Form(owner, QStringLiteral("Sprzedaż wg. Klientów"), 17.5, true, QStringLiteral("Strona "))
{
    ADOTable1.setConnection(Polaczenie());
    report::Report& r = QuickRep1;
    r.setDataSource(&ADOTable1);

    report::Band* kolumny = r.setBand(BandKind::ColumnHeader, 6.1);
    kolumny->bottomRule = true;
    // A client's block: its data, the line captions, its lines, its sums.
    report::Group* klient = r.addGroup([this] { return ADOTable1.text(QStringLiteral("Nr_Klienta")); }, 7.9);
    Dodaj_Kolumny(kolumny, klient->header(), &ADOTable1, kKlient, int(std::size(kKlient)), pt(8));
    // A client whose lines continue on the next page heads them there again, marked.
    klient->reprintOnNewPage = true;
    Znacznik_Ciagu(klient->header(), 2.1, 4.2, pt(7));
    report::Group* podpisy = r.addGroup(nullptr, 9.3);
    podpisy->header()->bottomRule = true;
    podpisy->reprintOnNewPage = true;
    report::Band* wiersz = r.setBand(BandKind::Detail, 5.6);
    Dodaj_Kolumny(podpisy->header(), wiersz, &ADOTable1, kPozycja, int(std::size(kPozycja)), pt(8));
    // A PKWiU code of 14 characters takes the free space up to the name's and the unit's columns.
    Poszerz_Pole(wiersz, QStringLiteral("PKWiU"), 134.1, 16.2, Align::Center);

    report::Band* suma = klient->setFooter(10.6);
    Kreska(suma);
    const report::Sum* netto = r.addFieldSum(wiersz, &ADOTable1, QStringLiteral("Wartosc_Netto"), suma);
    const report::Sum* brutto = r.addFieldSum(wiersz, &ADOTable1, QStringLiteral("Wartosc_Brutto"), suma);
    suma->addLabel(QStringLiteral("QRLabel_Suma"), 186.3, 1.5, QStringLiteral("Suma :"), pt(10));
    report::asCell(suma->addSumText(QStringLiteral("QRExpr_Netto"), 207.4, 1.5, 23.0, Align::Right, pt(10), netto,
                                    QStringLiteral("0.00")));
    report::asCell(suma->addSumText(QStringLiteral("QRExpr_Brutto"), 247.7, 1.5, 22.0, Align::Right, pt(10), brutto,
                                    QStringLiteral("0.00")));
}

void TQRMDForm_Sprzedaz_Wg_Klientow::Otworz(const Okres& okres, const std::optional<QString>& klient)
{
    QString warunek = QStringLiteral("Faktura_Data_Wyst>=? and Faktura_Data_Wyst<=?");
    QVariantList wartosci{okres.od, okres.do_};
    if (klient) {
        warunek.prepend(QStringLiteral("Nr_Klienta=? and "));
        wartosci.prepend(*klient);
    }
    ADOTable1.close();
    ADOTable1.setSql(QStringLiteral("select * from Klient_Sprzedaz where ") + warunek
                         + QStringLiteral(" order by Nr_Klienta, Faktura_Data_Wyst, Id_Pozycji"),
                     wartosci);
}
