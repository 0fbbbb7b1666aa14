#include "reportlib/QRMDForm_Sprzedaz_Wg_Towarow.h"

using report::Align;
using report::BandKind;
using report::pt;

TQRMDForm_Sprzedaz_Wg_Towarow* QRMDForm_Sprzedaz_Wg_Towarow = nullptr;

namespace {

const Kolumna kTowar[] = {
    {"Symbol", "Symbol", 1.3, 21.4, Align::Left, "", false},
    {"Nazwa towaru / usługi", "Nazwa", 24.6, 51.1, Align::Left, "", false},
    {"PKWiU", "PKWIU", 77.5, 19.3, Align::Center, "", false},
    {"j.m.", "Towary.Jm", 100.8, 16.7, Align::Center, "", false},
    {"Cena netto zakupu", "Cena_Netto_Zak", 126.2, 25.7, Align::Right, "0.00", false},
    {"Cena netto sprzedaży", "Cena_Netto_Sprz", 159.5, 28.6, Align::Right, "0.00", false},
    {"Stawka VAT", "Vat_Opis", 198.2, 14.6, Align::Center, "", false},
};

const Kolumna kPozycja[] = {
    {"Typ", "Faktura_Typ", 4.2, 8.7, Align::Left, "", false},
    {"Nr", "Faktura_Nr", 14.8, 8.2, Align::Right, "", false},
    {"Rok", "Faktura_Rok", 24.6, 6.6, Align::Center, "", false},
    {"Data wyst.", "Faktura_Data_Wyst", 32.3, 19.3, Align::Center, "", false},
    {"Nr Klienta", "Klient_Nr", 53.4, 12.7, Align::Right, "", false},
    {"Nazwa / Nazwisko, imię", "Klient_Nazwa_Nazwisko", 68.0, 35.7, Align::Left, "", false},
    {"NIP", "Klient_Nip", 104.2, 22.2, Align::Left, "", false},
    {"Cena netto", "Towary_Cena", 127.0, 13.0, Align::Right, "0.00", false},
    {"Cena brutto", "Towary_Cena_Brutto", 141.3, 15.1, Align::Right, "", false},
    {"j.m.", "Faktura_Szczegoly.Jm", 157.4, 8.7, Align::Center, "", false},
    {"Ilość", "Ilosc", 167.2, 15.1, Align::Right, "0.000", false},
    {"Rabat %", "Rabat", 184.2, 10.8, Align::Center, "", true},
    {"Wartość netto", "Wartosc_Netto", 196.8, 20.4, Align::Right, "0.00", false},
    {"Stawka VAT", "Towary_Vat_Opis", 220.1, 8.7, Align::Center, "", true},
    {"Kwota Vat", "Kwota_Vat", 230.7, 15.1, Align::Right, "0.00", true},
    {"Wartość brutto", "Wartosc_Brutto", 247.7, 21.4, Align::Right, "0.00", false},
};

} // namespace

TQRMDForm_Sprzedaz_Wg_Towarow::TQRMDForm_Sprzedaz_Wg_Towarow(QObject* owner)
    : TSprzedaz_Form(owner, QStringLiteral("Sprzedaż wg. towarów / usług"), 17.5, true, QStringLiteral("Strona"))
{
    ADOTable1.setConnection(Polaczenie());
    report::Report& r = QuickRep1;
    r.setDataSource(&ADOTable1);

    report::Band* kolumny = r.setBand(BandKind::ColumnHeader, 5.0);
    kolumny->bottomRule = true;
    // An item's block: its data, the line captions, its lines, its sums.
    report::Group* towar = r.addGroup([this] { return ADOTable1.text(QStringLiteral("Symbol")); }, 5.8);
    Dodaj_Kolumny(kolumny, towar->header(), &ADOTable1, kTowar, int(std::size(kTowar)), pt(8, true));
    for (const auto& e : towar->header()->elements())
        if (auto* t = dynamic_cast<report::TextElement*>(e.get()))
            t->font.bold = true;
    // An item whose lines continue on the next page heads them there again, marked (beside the
    // item's columns, where its row has room).
    towar->reprintOnNewPage = true;
    Znacznik_Ciagu(towar->header(), 220.0, 0.5, pt(8, true));
    report::Group* podpisy = r.addGroup(nullptr, 8.7);
    podpisy->header()->bottomRule = true;
    podpisy->reprintOnNewPage = true;
    report::Band* wiersz = r.setBand(BandKind::Detail, 5.3);
    Dodaj_Kolumny(podpisy->header(), wiersz, &ADOTable1, kPozycja, int(std::size(kPozycja)), pt(8));

    report::Band* suma = towar->setFooter(10.6);
    Kreska(suma);
    const report::Sum* ilosc = r.addFieldSum(wiersz, &ADOTable1, QStringLiteral("Ilosc"), suma);
    const report::Sum* netto = r.addFieldSum(wiersz, &ADOTable1, QStringLiteral("Wartosc_Netto"), suma);
    const report::Sum* brutto = r.addFieldSum(wiersz, &ADOTable1, QStringLiteral("Wartosc_Brutto"), suma);
    suma->addLabel(QStringLiteral("QRLabel_Suma"), 143.9, 1.5, QStringLiteral("Suma :"), pt(10));
    report::asCell(suma->addSumText(QStringLiteral("QRExpr_Ilosc"), 160.3, 1.5, 22.0, Align::Right, pt(10), ilosc,
                                    QStringLiteral("0.000")));
    report::asCell(suma->addSumText(QStringLiteral("QRExpr_Netto"), 190.5, 1.5, 27.3, Align::Right, pt(10), netto,
                                    QStringLiteral("0.00")));
    report::asCell(suma->addSumText(QStringLiteral("QRExpr_Brutto"), 243.4, 1.5, 26.2, Align::Right, pt(10), brutto,
                                    QStringLiteral("0.00")));
}

void TQRMDForm_Sprzedaz_Wg_Towarow::Otworz(const Okres& okres, const std::optional<QString>& symbol)
{
    QString warunek = QStringLiteral("Faktura_Data_Wyst>=? and Faktura_Data_Wyst<=?");
    QVariantList wartosci{okres.od, okres.do_};
    if (symbol) {
        warunek.prepend(QStringLiteral("Symbol=? and "));
        wartosci.prepend(*symbol);
    }
    ADOTable1.close();
    ADOTable1.setSql(QStringLiteral("select * from Towary_Sprzedaz where ") + warunek
                         + QStringLiteral(" order by Symbol, Faktura_Data_Wyst, Id_Pozycji"),
                     wartosci);
}
