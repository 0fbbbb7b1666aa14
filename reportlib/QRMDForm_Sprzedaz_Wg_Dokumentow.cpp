#include "reportlib/QRMDForm_Sprzedaz_Wg_Dokumentow.h"

using report::Align;
using report::BandKind;
using report::pt;

TQRMDForm_Sprzedaz_Wg_Dokumentow* QRMDForm_Sprzedaz_Wg_Dokumentow = nullptr;

namespace {

// Where the year starts, and where the number ends, 1 mm before it.
constexpr double kRok = 18.7;
constexpr double kKoniecNr = kRok - 1.0;

const Kolumna kDokument[] = {
    {"Typ", "Typ", 4.2, 6.6, Align::Left, "", false},
    {"Nr", "Nr", 13.0, 3.2, Align::Left, "", false},
    // The year stands a little right of its designed place, within its column, so that a number of
    // six digits fits between the type and the year (see below).
    {"Rok", "Rok", kRok, 25.7 - kRok, Align::Left, "", false},
    {"Data wystawienia", "Data_Wyst", 27.0, 24.1, Align::Center, "", false},
    {"Data sprzedaży", "Data_Sprzedarzy", 52.1, 22.8, Align::Center, "", false},
    {"Nazwa / Nazwisko, imię", "Klient_Nazwa_Nazwisko", 76.2, 37.0, Align::Left, "", false},
    {"NIP", "Klient_Nip", 114.3, 23.3, Align::Left, "", false},
    {"Kod", "Klient_Kod", 138.4, 12.7, Align::Right, "", false},
    {"Miasto", "Klient_Miasto", 152.4, 27.8, Align::Left, "", false},
    {"Adres (ulica, nr domu)", "Klient_Adres", 182.0, 40.5, Align::Left, "", false},
    {"Sposób zapłaty", "Nazwa", 224.6, 19.3, Align::Left, "", false},
    {"Data zapłaty", "Data_Zaplaty", 248.4, 17.2, Align::Center, "", false},
};

const Kolumna kPozycja[] = {
    {"Lp.", "Lp", 7.1, 3.4, Align::Left, "", false},
    {"Symbol", "Towary_Symbol", 13.8, 20.9, Align::Left, "", false},
    {"Nazwa towaru / usługi", "Towary_Nazwa", 39.2, 48.9, Align::Left, "", false},
    {"PKWiU", "PKWiU", 91.8, 11.1, Align::Center, "", false},
    {"j.m.", "Jm", 105.6, 7.9, Align::Center, "", false},
    {"Cena netto", "Towary_Cena", 114.8, 16.7, Align::Right, "0.00", false},
    {"Cena brutto", "Towary_Cena_Brutto", 133.6, 17.2, Align::Right, "0.00", false},
    {"Ilość", "Ilosc", 152.4, 9.5, Align::Right, "0.000", false},
    {"Rabat %", "Rabat", 163.2, 14.0, Align::Center, "", false},
    {"Wartość netto", "Wartosc_Netto", 179.9, 19.3, Align::Right, "0.00", false},
    {"Stawka VAT", "Towary_Vat_Opis", 205.3, 17.2, Align::Center, "", false},
    {"Kwota VAT", "Kwota_Vat", 226.5, 14.8, Align::Right, "0.00", false},
    {"Wartość brutto", "Wartosc_Brutto", 245.5, 20.4, Align::Right, "0.00", false},
};

} // namespace

Warunek Warunek_Dokumentow(const Okres& okres, const Rodzaje_Dokumentow& rodzaje)
{
    // The period, and when any type is chosen, one of the chosen types (in the order FV, KFV,
    // PFV, NFV); no type chosen means every type.
    Warunek w{QStringLiteral("Data_Wyst>=? and Data_Wyst<=?"), {okres.od, okres.do_}};
    QStringList typy;
    const std::pair<bool, const char*> rodzaj[] = {
        {rodzaje.FV, "FV"}, {rodzaje.KFV, "KFV"}, {rodzaje.PFV, "PFV"}, {rodzaje.NFV, "NFV"}};
    for (const auto& [wybrany, kod] : rodzaj)
        if (wybrany) {
            typy << QStringLiteral("?");
            w.wartosci << QString::fromLatin1(kod);
        }
    if (!typy.isEmpty())
        w.sql += QStringLiteral(" and Typ in (") + typy.join(u',') + u')';
    return w;
}

TQRMDForm_Sprzedaz_Wg_Dokumentow::TQRMDForm_Sprzedaz_Wg_Dokumentow(QObject* owner)
    : TSprzedaz_Form(owner, QStringLiteral("Sprzedaż wg. dokumentów"), 19.3, false, QStringLiteral("Strona "))
{
    ADOTable_Faktura.setConnection(Polaczenie());
    ADOTable_Faktura_Szczegoly.setConnection(Polaczenie());
    ADOTable_Faktura_Szczegoly.setSql(
        QStringLiteral("select * from Faktura_Szczegoly where Id_Fakt=? order by Id_Fakt, Lp, Id"));
    ADOTable_Faktura_Szczegoly.link(&ADOTable_Faktura, QStringLiteral("Id"));

    report::Report& r = QuickRep1;
    r.setDataSource(&ADOTable_Faktura);

    report::Band* kolumny = r.setBand(BandKind::ColumnHeader, 6.1);
    kolumny->bottomRule = true;
    report::Band* dokument = r.setBand(BandKind::Detail, 5.8);
    Dodaj_Kolumny(kolumny, dokument, &ADOTable_Faktura, kDokument, int(std::size(kDokument)), pt(8));
    // The number's column is narrower than two digits: the number takes the free space between
    // the type and the year, right-aligned 1 mm before the year, so that it never reads as one
    // with it; six digits fit there at 6 points after a type of three letters ("KFV", ending at
    // 9.7), and a longer number takes the room the band finds beside it. Its caption ends where
    // the numbers end, over them.
    Poszerz_Pole(dokument, QStringLiteral("Nr"), 10.4, kKoniecNr - 10.4, Align::Right);
    if (auto* naglowek = dynamic_cast<report::Label*>(kolumny->find(QStringLiteral("Naglowek_Nr")))) {
        naglowek->x = kKoniecNr;
        naglowek->align = Align::Right;
    }
    // A document whose lines continue on the next page heads them there again, marked.
    Znacznik_Ciagu(dokument, 4.2, 3.9, pt(7, false));

    // The lines: a header only when the document has lines, and after them the document's totals.
    report::SubDetail* pozycje = r.addSubDetail(&ADOTable_Faktura_Szczegoly, 4.5);
    pozycje->printHeaderIfEmpty = false;
    pozycje->printFooterIfEmpty = true;
    pozycje->reprintOnNewPage = true;
    report::Band* naglowek = pozycje->setHeader(5.3);
    naglowek->bottomRule = true;
    Dodaj_Kolumny(naglowek, pozycje->detail(), &ADOTable_Faktura_Szczegoly, kPozycja, int(std::size(kPozycja)), pt(8));
    // A PKWiU code of 14 characters is wider than its column: it takes the free space up to the
    // name's and the unit's columns.
    Poszerz_Pole(pozycje->detail(), QStringLiteral("PKWiU"), 88.6, 17.0, Align::Center);

    report::Band* suma = pozycje->setFooter(5.8);
    Kreska(suma);
    suma->addLabel(QStringLiteral("QRLabel_Suma"), 160.9, 0.8, QStringLiteral("Suma :"), pt(8));
    // The sums keep within their columns as the lines' values do (the gross one ends at 265.4).
    report::asCell(suma->addData(QStringLiteral("QRDBText_Wart_Netto"), 173.6, 0.8, 25.1, Align::Right, pt(8),
                                 &ADOTable_Faktura, QStringLiteral("Wart_Netto"), QStringLiteral("0.00")));
    report::asCell(suma->addData(QStringLiteral("QRDBText_Wart_Brutto"), 265.4 - 25.1, 0.8, 25.1, Align::Right, pt(8),
                                 &ADOTable_Faktura, QStringLiteral("Wart_Brutto"), QStringLiteral("0.00")));

    // The sums of every printed line.
    report::Band* podsumowanie = r.setBand(BandKind::Summary, 8.5);
    Kreska(podsumowanie);
    const report::Sum* netto =
        r.addFieldSum(pozycje->detail(), &ADOTable_Faktura_Szczegoly, QStringLiteral("Wartosc_Netto"));
    const report::Sum* brutto =
        r.addFieldSum(pozycje->detail(), &ADOTable_Faktura_Szczegoly, QStringLiteral("Wartosc_Brutto"));
    podsumowanie->addLabel(QStringLiteral("QRLabel_Suma_Ogolna"), 146.1, 1.5, QStringLiteral("Suma ogólna:"),
                           pt(10, true));
    report::asCell(podsumowanie->addSumText(QStringLiteral("QRExpr_Netto"), 173.6, 1.5, 25.7, Align::Right,
                                            pt(10, true), netto, QStringLiteral("0.00")));
    report::asCell(podsumowanie->addSumText(QStringLiteral("QRExpr_Brutto"), 239.2, 1.5, 25.9, Align::Right,
                                            pt(10, true), brutto, QStringLiteral("0.00")));
}

void TQRMDForm_Sprzedaz_Wg_Dokumentow::Otworz(const Okres& okres, const Rodzaje_Dokumentow& rodzaje)
{
    const Warunek w = Warunek_Dokumentow(okres, rodzaje);
    ADOTable_Faktura.close();
    ADOTable_Faktura_Szczegoly.close();
    ADOTable_Faktura.setSql(QStringLiteral("select * from Faktura_Kwerenda where ") + w.sql
                                + QStringLiteral(" order by Data_Wyst, Id"),
                            w.wartosci);
}
