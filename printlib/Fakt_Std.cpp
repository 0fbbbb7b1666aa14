#include "printlib/Fakt_Std.h"

using report::Align;
using report::BandKind;
using report::pt;

TForm_Fakt_Std* Form_Fakt_Std = nullptr;

namespace {

struct Column {
    const char* header;
    double hx, hw;
    Align ha;
    const char* field;
    double x, w;
    Align a;
    const char* mask;
};

} // namespace

TForm_Fakt_Std::TForm_Fakt_Std(QObject* owner) : TFakt_Form(owner)
{
    report::Report& r = QuickRep1;
    r.page = report::PageSetup::a4(report::PageOrientation::Portrait, 10);
    r.baseFont = QStringLiteral("Arial Unicode MS");
    r.title = QStringLiteral("Tarnex");
    r.pageFooterOnLastPage = true;

    // Title band, first page only.
    report::Band* t = r.setBand(BandKind::Title, 96.0);
    QRImage1 = t->addImage(QStringLiteral("QRImage1"), 4.2, 0.0, 37.6, 20.4);
    t->addLabel(QStringLiteral("QRLabel29"), 117.2, 18.3, QStringLiteral("Miejsce wystawienia : "), pt(9));
    t->addData(QStringLiteral("QRDBText7"), 153.2, 18.3, 0, Align::Left, pt(9), &Naglowek, QStringLiteral("Miejsce_Wyst"));
    t->addLabel(QStringLiteral("QRLabel34"), 6.3, 20.1, QStringLiteral("Sprzedawca :"), pt(10));
    t->addLabel(QStringLiteral("QRLabel26"), 121.4, 23.0, QStringLiteral("Data wystawienia : "), pt(9));
    t->addData(QStringLiteral("QRDBText11"), 153.2, 23.0, 0, Align::Left, pt(9), &Naglowek, QStringLiteral("Data_Wyst"));
    QRL_Nazwa_L1 = t->addLabel(QStringLiteral("QRL_Nazwa_L1"), 6.3, 26.2, QString(), pt(10, true));
    t->addLabel(QStringLiteral("QRLabel27"), 124.9, 28.0, QStringLiteral("Data sprzedaży : "), pt(9));
    t->addData(QStringLiteral("QRDBText12"), 153.2, 28.0, 0, Align::Left, pt(9), &Naglowek, QStringLiteral("Data_Sprzedarzy"));
    QRL_Nazwa_L2 = t->addLabel(QStringLiteral("QRL_Nazwa_L2"), 6.3, 30.7, QString(), pt(10, true));
    QRL_Adres = t->addLabel(QStringLiteral("QRL_Adres"), 6.3, 35.5, QString(), pt(10));
    t->addLabel(QStringLiteral("QRLabel11"), 6.3, 40.2, QStringLiteral("NIP :"), pt(10));
    QRL_NIP = t->addLabel(QStringLiteral("QRL_NIP"), 15.6, 40.2, QString(), pt(10));
    t->addLabel(QStringLiteral("QRLabel13"), 6.3, 44.5, QStringLiteral("tel. :"), pt(10));
    QRL_Tel = t->addLabel(QStringLiteral("QRL_Tel"), 14.8, 44.5, QString(), pt(10));
    t->addLabel(QStringLiteral("QRLabel23"), 59.0, 48.2, QStringLiteral("Faktura VAT "), pt(12, true));
    QRLabel16 = t->addLabel(QStringLiteral("QRLabel16"), 88.9, 48.2, QString(), pt(12, true));
    QRL_OrgKop = t->addLabel(QStringLiteral("QRL_OrgKop"), 132.6, 48.2, QString(), pt(12, true));
    t->addLabel(QStringLiteral("QRLabel22"), 6.3, 56.9, QStringLiteral("Nabywca :"), pt(10));
    t->addData(QStringLiteral("QRDBText26"), 6.3, 62.7, 0, Align::Left, pt(10, true), &Naglowek, QStringLiteral("Klient_Nazwa_Nazwisko"));
    QRL_Duplikat = t->addLabel(QStringLiteral("QRL_Duplikat"), 183.4, 63.8, QString(), pt(10), Align::Right);
    t->addData(QStringLiteral("QRDBText1"), 6.3, 67.5, 0, Align::Left, pt(10, true), &Naglowek, QStringLiteral("Klient_Nazwa_Nazwisko_cd"));
    QRL_Data_Dupl = t->addLabel(QStringLiteral("QRL_Data_Dupl"), 183.4, 69.8, QString(), pt(9), Align::Right);
    QRLabel_Adres = t->addLabel(QStringLiteral("QRLabel_Adres"), 6.3, 72.8, QString(), pt(10));
    t->addLabel(QStringLiteral("QRLabel12"), 6.3, 77.5, QStringLiteral("NIP :"), pt(10));
    t->addData(QStringLiteral("QRDBText22"), 16.9, 77.5, 48.9, Align::Left, pt(10), &Naglowek, QStringLiteral("Klient_Nip"));
    t->addLabel(QStringLiteral("QRLabel3"), 4.2, 84.1, QStringLiteral("Sposób zapłaty : "), pt(10));
    t->addData(QStringLiteral("QRDBText31"), 38.1, 84.1, 0, Align::Left, pt(10), &Platnosc, QStringLiteral("Nazwa"));
    t->addLabel(QStringLiteral("QRLabel9"), 82.5, 84.1, QStringLiteral("Termin zapłaty :"), pt(10));
    t->addData(QStringLiteral("QRDBText5"), 114.3, 84.1, 0, Align::Left, pt(10), &Naglowek, QStringLiteral("Data_Zaplaty"));
    t->addLabel(QStringLiteral("QRLabel35"), 14.8, 88.9, QStringLiteral("Nr konta : "), pt(10));
    QRL_Konto = t->addLabel(QStringLiteral("QRL_Konto"), 38.1, 88.9, QString(), pt(10));

    // The lines: a header once before them, one band per line, the totals once after them.
    report::SubDetail* lines = r.addSubDetail(&Pozycje, 7.4);
    report::Band* head = lines->setHeader(6.6);
    head->bottomRule = true;
    report::Band* row = lines->detail();
    row->bottomRule = true;
    const Column columns[] = {
        {"Lp.", 2.6, 0, Align::Left, "Lp", 2.1, 4.5, Align::Right, ""},
        {"Nazwa towaru/usługi", 20.4, 0, Align::Left, "Towary_Nazwa", 8.5, 48.9, Align::Left, ""},
        {"PKWIU/ SWW", 60.1, 10.8, Align::Center, "PKWiU", 59.0, 13.0, Align::Center, ""},
        {"Ilość", 75.1, 0, Align::Left, "Ilosc", 73.0, 10.8, Align::Right, "0.000"},
        {"J.m.", 87.6, 0, Align::Left, "Jm", 87.3, 6.9, Align::Center, ""},
        {"Cena jedn. netto", 95.2, 15.1, Align::Center, "Towary_Cena", 95.5, 15.1, Align::Right, "0.00"},
        {"Rabat %", 112.2, 8.7, Align::Center, "Rabat", 112.4, 9.3, Align::Center, ""},
        {"Wartość netto", 124.6, 12.7, Align::Center, "Wartosc_Netto", 123.6, 14.3, Align::Right, "0.00"},
        {"Stawka VAT %", 139.4, 10.3, Align::Center, "Towary_Vat_Opis", 140.8, 9.8, Align::Center, ""},
        {"Kwota VAT", 153.2, 13.5, Align::Center, "Kwota_Vat", 153.5, 14.3, Align::Right, "0.00"},
        {"Wartość brutto", 173.0, 14.3, Align::Center, "Wartosc_Brutto", 171.7, 16.7, Align::Right, "0.00"},
    };
    for (const Column& c : columns) {
        const QString f = QString::fromUtf8(c.field);
        head->addLabel(QStringLiteral("Naglowek_") + f, c.hx, 0, QString::fromUtf8(c.header), pt(7), c.ha, c.hw);
        row->addData(QStringLiteral("Poz_") + f, c.x, 0, c.w, c.a, pt(7), &Pozycje, f, QString::fromUtf8(c.mask));
    }
    row->addData(QStringLiteral("Poz_Towary_Nazwa_cd"), 8.5, 3.4, 48.9, Align::Left, pt(7), &Pozycje,
                 QStringLiteral("Towary_Nazwa_cd"));

    report::Band* totals = lines->setFooter(8.5);
    totals->addLine(QStringLiteral("Razem_Kreska1"), 103.7, 0, 188.6, 0, 2);
    totals->addLine(QStringLiteral("Razem_Kreska2"), 103.7, 4.0, 188.6, 4.0, 2);
    totals->addLabel(QStringLiteral("Razem"), 106.4, 0.4, QStringLiteral("Razem : "), pt(7));
    const report::Sum* netto = r.addFieldSum(row, &Pozycje, QStringLiteral("Wartosc_Netto"));
    const report::Sum* vat = r.addFieldSum(row, &Pozycje, QStringLiteral("Kwota_Vat"));
    const report::Sum* brutto = r.addFieldSum(row, &Pozycje, QStringLiteral("Wartosc_Brutto"));
    totals->addSumText(QStringLiteral("Suma_Netto"), 122.5, 0.4, 15.1, Align::Right, pt(7), netto, QStringLiteral("0.00"));
    totals->addLabel(QStringLiteral("Razem_X"), 145.3, 0.4, QStringLiteral("X"), pt(7));
    totals->addSumText(QStringLiteral("Suma_Vat"), 153.7, 0.4, 14.0, Align::Right, pt(7), vat, QStringLiteral("0.00"));
    totals->addSumText(QStringLiteral("Suma_Brutto"), 171.4, 0.4, 16.7, Align::Right, pt(7), brutto, QStringLiteral("0.00"));
    totals->addLabel(QStringLiteral("W_tym"), 107.7, 4.8, QStringLiteral("w tym :"), pt(7));

    // The VAT summary, one row per rate.
    report::Band* vatRow = r.addSubDetail(&Podsumowanie, 3.4)->detail();
    report::FontSpec arial = pt(7);
    arial.family = QStringLiteral("Arial");
    vatRow->addData(QStringLiteral("Vat_Netto"), 122.2, 0, 15.3, Align::Right, arial, &Podsumowanie, QStringLiteral("netto"), QStringLiteral("0.00"));
    vatRow->addData(QStringLiteral("Vat_Opis"), 140.8, 0, 10.1, Align::Center, arial, &Podsumowanie, QStringLiteral("towary_vat_opis"));
    vatRow->addData(QStringLiteral("Vat_Vat"), 153.7, 0, 14.0, Align::Right, arial, &Podsumowanie, QStringLiteral("vat"), QStringLiteral("0.00"));
    vatRow->addData(QStringLiteral("Vat_Brutto"), 170.9, 0, 17.2, Align::Right, arial, &Podsumowanie, QStringLiteral("brutto"), QStringLiteral("0.00"));

    // Summary, once at the end.
    report::Band* s = r.setBand(BandKind::Summary, 63.0);
    s->addLine(QStringLiteral("Suma_Kreska"), 103.7, 0, 188.6, 0, 2); // on the band's edge: above it would cross the last VAT row
    s->addLabel(QStringLiteral("QRLabel5"), 4.2, 6.3, QStringLiteral("Do zapłaty : "), pt(13, true));
    s->addData(QStringLiteral("QRDBText_Suma"), 35.5, 6.3, 0, Align::Left, pt(13, true), &Naglowek,
               QStringLiteral("Wart_Brutto"), QStringLiteral("0.00 zł"));
    s->addLabel(QStringLiteral("QRLabel_Slownie"), 4.2, 14.8, QStringLiteral("Słownie złotych : "), pt(10));
    slownie = s->addLabel(QStringLiteral("slownie"), 33.9, 14.8, QString(), pt(10, true));
    s->addLine(QStringLiteral("Podpis_Kropki1"), 3.7, 34.7, 3.7 + 59.5, 34.7, 1, Qt::DotLine);
    s->addLine(QStringLiteral("Podpis_Kropki2"), 122.0, 34.7, 122.0 + 59.5, 34.7, 1, Qt::DotLine);
    s->addLabel(QStringLiteral("Podpis1"), 16.7, 36.5, QStringLiteral("Podpis osoby upoważnionej"), pt(8));
    s->addLabel(QStringLiteral("Podpis2"), 16.1, 41.3, QStringLiteral("do wystawienia faktury VAT"), pt(8));
    s->addLabel(QStringLiteral("Podpis3"), 133.6, 36.8, QStringLiteral("Podpis osoby upoważnionej"), pt(8));
    s->addLabel(QStringLiteral("Podpis4"), 136.5, 41.0, QStringLiteral("do odbioru faktury VAT"), pt(8));
    s->addRichText(QStringLiteral("QRDBRichText1"), 6.3, 48.2, 118.8, 10.8, pt(10), &Naglowek, QStringLiteral("Uwagi"));

    // Page footer, every page.
    report::Band* f = r.setBand(BandKind::PageFooter, 10.6);
    QRL_Strona_Cala = f->addLabel(QStringLiteral("QRL_Strona_Cala"), 185.2, 0, QString(), pt(7), Align::Right);
    QRL_Strona = f->addLabel(QStringLiteral("QRL_Strona"), 36.0, 2.1, QString(), pt(7));
    QRL_Strona->font.color = Qt::white;
    f->addLabel(QStringLiteral("QRLabel_Stopka"), 65.6, 5.6, QStringLiteral("Wydrukowano z programu Orlimek - Tarnex"), pt(7));
}
