// The title band, first page only: logo, place and dates, seller, the document's title and number
// with the original/copy mark, the invoice a correction or note refers to, the buyer, the duplicate
// marking, payment and account, and on gross documents the line saying so.
#include "printlib/Fakt_Form.h"
#include "printlib/Layout.h"

#include <tuple>

using report::Align;
using report::BandKind;
using report::pt;

namespace layout {

namespace {

// Where the rows of a title band lie. A negative place means the layout has no such row.
struct TitlePlaces {
    double height;
    double logoX, logoY;
    double placeY, issueY, saleY; // right column
    double sellerY, name1Y, name2Y, addressY, nipY, telY;
    double titleX, titleY, numberX;
    double copyX, copyWidth; // a width: centred in it
    double refersX, refersY, refersNumberX;
    double buyerY, buyerNameY, buyerName2Y, buyerAddressY, buyerNipY, buyerNameWidth;
    double dupRight, dupY, dupDateY;
    double paymentY, accountY;
    double grossX, grossY;
};

// The VAT invoice; the pro forma differs only in its title.
// clang-format off
constexpr TitlePlaces kInvoice{
    .height = 96.0, .logoX = 4.2, .logoY = 0.0,
    .placeY = 18.3, .issueY = 23.0, .saleY = 28.0,
    .sellerY = 20.1, .name1Y = 26.2, .name2Y = 30.7, .addressY = 35.5, .nipY = 40.2, .telY = 44.5,
    .titleX = 59.0, .titleY = 48.2, .numberX = 88.9, .copyX = 132.6, .copyWidth = 0,
    .refersX = -1, .refersY = -1, .refersNumberX = -1,
    .buyerY = 56.9, .buyerNameY = 62.7, .buyerName2Y = 67.5, .buyerAddressY = 72.8, .buyerNipY = 77.5,
    .buyerNameWidth = 0,
    .dupRight = 183.4, .dupY = 63.8, .dupDateY = 69.8,
    .paymentY = 84.1, .accountY = 88.9, .grossX = -1, .grossY = -1};
// clang-format on
// The English twins: each Polish row followed by its caption, the copy mark centred, and the gross
// line (shown for gross documents) beside the account.
// clang-format off
constexpr TitlePlaces kInvoiceEnglish{
    .height = 110.3, .logoX = 4.2, .logoY = 0.0,
    .placeY = 18.3, .issueY = 25.4, .saleY = 32.5,
    .sellerY = 20.1, .name1Y = 27.4, .name2Y = 31.6, .addressY = 35.8, .nipY = 40.0, .telY = 47.1,
    .titleX = 59.0, .titleY = 52.0, .numberX = 88.9, .copyX = 130.2, .copyWidth = 43.1,
    .refersX = -1, .refersY = -1, .refersNumberX = -1,
    .buyerY = 60.8, .buyerNameY = 68.3, .buyerName2Y = 72.6, .buyerAddressY = 76.9, .buyerNipY = 81.2,
    .buyerNameWidth = 0,
    .dupRight = 183.4, .dupY = 67.5, .dupDateY = 74.8,
    .paymentY = 89.0, .accountY = 96.6, .grossX = 110.1, .grossY = 96.6};
constexpr TitlePlaces kCorrection{
    .height = 98.2, .logoX = 4.2, .logoY = 0.0,
    .placeY = 18.3, .issueY = 23.0, .saleY = 28.0,
    .sellerY = 20.1, .name1Y = 26.2, .name2Y = 30.7, .addressY = 35.5, .nipY = 40.2, .telY = 44.5,
    .titleX = 46.8, .titleY = 48.2, .numberX = 94.2, .copyX = 132.6, .copyWidth = 0,
    .refersX = 57.1, .refersY = 55.0, .refersNumberX = 86.8,
    .buyerY = 59.5, .buyerNameY = 65.4, .buyerName2Y = 69.8, .buyerAddressY = 74.3, .buyerNipY = 78.8,
    .buyerNameWidth = 0,
    .dupRight = 181.7, .dupY = 63.8, .dupDateY = 68.8,
    .paymentY = 85.7, .accountY = 91.3, .grossX = -1, .grossY = -1};
constexpr TitlePlaces kCorrectionEnglish{
    .height = 110.9, .logoX = 4.2, .logoY = 0.0,
    .placeY = 18.3, .issueY = 25.4, .saleY = 32.5,
    .sellerY = 20.1, .name1Y = 27.4, .name2Y = 31.6, .addressY = 35.8, .nipY = 40.0, .telY = 47.1,
    .titleX = 46.8, .titleY = 52.0, .numberX = 94.2, .copyX = 130.2, .copyWidth = 43.1,
    .refersX = 57.1, .refersY = 60.3, .refersNumberX = 86.8,
    .buyerY = 68.0, .buyerNameY = 75.3, .buyerName2Y = 79.4, .buyerAddressY = 83.5, .buyerNipY = 87.6,
    .buyerNameWidth = 0,
    .dupRight = 181.7, .dupY = 75.3, .dupDateY = 82.5,
    .paymentY = 95.0, .accountY = 102.2, .grossX = 110.1, .grossY = 102.2};
// clang-format on
// The note: no date of sale, payment or account.
// clang-format off
constexpr TitlePlaces kNote{
    .height = 106.6, .logoX = 4.0, .logoY = 0.8,
    .placeY = 17.5, .issueY = 22.2, .saleY = -1,
    .sellerY = 20.1, .name1Y = 26.2, .name2Y = 30.7, .addressY = 35.5, .nipY = 40.2, .telY = 44.5,
    .titleX = 50.3, .titleY = 50.8, .numberX = 88.6, .copyX = 130.2, .copyWidth = 43.1,
    .refersX = 69.8, .refersY = 58.2, .refersNumberX = 101.6,
    .buyerY = 64.6, .buyerNameY = 69.8, .buyerName2Y = 76.2, .buyerAddressY = 81.0, .buyerNipY = 85.2,
    .buyerNameWidth = 58.2,
    .dupRight = 183.6, .dupY = 66.4, .dupDateY = 71.7,
    .paymentY = -1, .accountY = -1, .grossX = -1, .grossY = -1};
constexpr TitlePlaces kNoteEnglish{
    .height = 106.6, .logoX = 4.0, .logoY = 0.8,
    .placeY = 17.5, .issueY = 24.6, .saleY = -1,
    .sellerY = 20.1, .name1Y = 27.4, .name2Y = 31.6, .addressY = 35.8, .nipY = 40.0, .telY = 47.1,
    .titleX = 50.3, .titleY = 52.0, .numberX = 88.6, .copyX = 130.2, .copyWidth = 43.1,
    .refersX = 62.2, .refersY = 61.9, .refersNumberX = 96.0,
    .buyerY = 69.6, .buyerNameY = 77.0, .buyerName2Y = 81.2, .buyerAddressY = 85.4, .buyerNipY = 89.6,
    .buyerNameWidth = 58.2,
    .dupRight = 183.6, .dupY = 77.0, .dupDateY = 84.3,
    .paymentY = -1, .accountY = -1, .grossX = -1, .grossY = -1};
// clang-format on

TitlePlaces placesFor(const Variant& v)
{
    const bool en = v.english;
    switch (v.kind) {
    case DocumentKind::Note: return en ? kNoteEnglish : kNote;
    case DocumentKind::Correction: {
        TitlePlaces p = en ? kCorrectionEnglish : kCorrection;
        if (v.gross) {
            p.grossX = 110.1;
            p.grossY = 91.0;
        }
        return p;
    }
    case DocumentKind::Invoice: break;
    }
    TitlePlaces p = en ? kInvoiceEnglish : kInvoice;
    if (v.proForma) {
        p.titleX = en ? 59.0 : 48.2;
        p.numberX = en ? 98.7 : 88.4;
        if (en)
            p.height = 110.9;
    }
    if (v.gross) {
        if (v.proForma) {
            p.grossX = 110.1;
            p.grossY = 88.9;
        } else {
            p.height = 100.3;
            p.grossX = 114.3;
            p.grossY = 93.1;
        }
    }
    return p;
}

struct DocumentTitle {
    const char* polish;
    const char* english;
};

DocumentTitle titleOf(const Variant& v)
{
    switch (v.kind) {
    case DocumentKind::Correction: return {"Korekta faktury VAT ", "Correcting invoice"};
    case DocumentKind::Note: return {"Nota korygująca", "Correction note"};
    case DocumentKind::Invoice: break;
    }
    return v.proForma ? DocumentTitle{"Faktura Proforma ", "Pro forma invoice No"}
                      : DocumentTitle{"Faktura VAT ", "VAT invoice No"};
}

QString s(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

void buildTitle(TFakt_Form& f)
{
    const Variant& v = f.variant;
    const TitlePlaces p = placesFor(v);
    const bool plainInvoice = v.kind == DocumentKind::Invoice && !v.proForma;
    report::DatasetSource* header = &f.Naglowek;
    report::Band* t = f.QuickRep1.setBand(BandKind::Title, p.height);
    auto caption = [&](const char* name, double x, double y, const char* text, double points, const char* englishText,
                       bool bold = false) {
        t->addLabel(s(name), x, y, s(text), pt(points, bold));
        english(f, t, s(name) + QStringLiteral("_Ang"), x, y + under(points), s(englishText), 7);
    };
    auto data = [&](const char* name, double x, double y, double width, double points, bool bold,
                    report::RowSource* source, const QString& column) {
        return t->addData(s(name), x, y, width, Align::Left, pt(points, bold), source, column);
    };

    f.QRImage1 = t->addImage(QStringLiteral("QRImage1"), p.logoX, p.logoY, 37.6, 20.4);

    // Place and dates of the document.
    caption("QRLabel29", 117.2, p.placeY, "Miejsce wystawienia : ", 9, "Place of issue");
    // A long place keeps within the right margin.
    oneLine(data("QRDBText7", 153.2, p.placeY, 0, 9, false, header, QStringLiteral("Miejsce_Wyst")),
            kRightEdge - 153.2);
    caption("QRLabel26", 121.4, p.issueY, "Data wystawienia : ", 9, "Date of issue");
    data("QRDBText11", 153.2, p.issueY, 0, 9, false, header, QStringLiteral("Data_Wyst"));
    if (p.saleY >= 0) {
        caption("QRLabel27", 124.9, p.saleY, "Data sprzedaży : ", 9, "Date of sale");
        data("QRDBText12", 153.2, p.saleY, 0, 9, false, header, QStringLiteral("Data_Sprzedarzy"));
    }

    // Seller, from the settings at each page start.
    caption("QRLabel34", 6.3, p.sellerY, "Sprzedawca :", 10, v.proForma ? "Seller" : "Seller :");
    f.QRL_Nazwa_L1 = t->addLabel(QStringLiteral("QRL_Nazwa_L1"), 6.3, p.name1Y, QString(), pt(10, true));
    f.QRL_Nazwa_L2 = t->addLabel(QStringLiteral("QRL_Nazwa_L2"), 6.3, p.name2Y, QString(), pt(10, true));
    f.QRL_Adres = t->addLabel(QStringLiteral("QRL_Adres"), 6.3, p.addressY, QString(), pt(10));
    caption("QRLabel11", 6.3, p.nipY, "NIP :", 10, "Tax Reg. No");
    f.QRL_NIP = t->addLabel(QStringLiteral("QRL_NIP"), 15.6, p.nipY, QString(), pt(10));
    t->addLabel(QStringLiteral("QRLabel13"), 6.3, p.telY, QStringLiteral("tel. :"), pt(10));
    // A long telephone line keeps clear of the document's title, which begins under its end.
    f.QRL_Tel = t->addLabel(QStringLiteral("QRL_Tel"), 14.8, p.telY, QString(), pt(10));
    oneLine(f.QRL_Tel, p.titleX - 1.0 - 14.8);

    // The document, with the original or copy mark.
    const DocumentTitle d = titleOf(v);
    caption("QRLabel23", p.titleX, p.titleY, d.polish, 12, d.english, true);
    f.QRLabel16 = t->addLabel(QStringLiteral("QRLabel16"), p.numberX, p.titleY, QString(), pt(12, true));
    const Align copyAlign = p.copyWidth > 0 ? Align::Center : Align::Left;
    f.QRL_OrgKop =
        t->addLabel(QStringLiteral("QRL_OrgKop"), p.copyX, p.titleY, QString(), pt(12, true), copyAlign, p.copyWidth);
    f.QRL_OrgKop_Ang = english(f, t, QStringLiteral("QRL_OrgKop_Ang"), p.copyX, p.titleY + under(12), QString(), 7,
                               copyAlign, p.copyWidth);
    if (p.refersY >= 0) {
        caption("QRLabel_Dotyczy", p.refersX, p.refersY, "Dotyczy faktury", 10, "Refers to VAT invoice No");
        f.QRL_Z_Fakt = t->addLabel(QStringLiteral("QRL_Z_Fakt"), p.refersNumberX, p.refersY, QString(), pt(10));
    }

    // Buyer.
    caption("QRLabel22", 6.3, p.buyerY, "Nabywca :", 10, "Purchaser :");
    // The buyer's lines are the title's longest texts. Each keeps to one line left of the duplicate
    // marking (which starts near x 140); where the layout gives the name a width, it wraps there
    // instead and moves the rows under it down.
    constexpr double room = 132.0;
    for (auto [name, y, column] : {std::tuple{"QRDBText26", p.buyerNameY, "Klient_Nazwa_Nazwisko"},
                                   std::tuple{"QRDBText1", p.buyerName2Y, "Klient_Nazwa_Nazwisko_cd"}}) {
        report::DataText* d = data(name, 6.3, y, p.buyerNameWidth, 10, true, header, buyerColumn(v, s(column)));
        if (p.buyerNameWidth > 0)
            d->stretch = true;
        else
            oneLine(d, room);
    }
    f.QRLabel_Adres = t->addLabel(QStringLiteral("QRLabel_Adres"), 6.3, p.buyerAddressY, QString(), pt(10));
    oneLine(f.QRLabel_Adres, room);
    caption("QRLabel12", 6.3, p.buyerNipY, "NIP :", 10, plainInvoice ? "Tax Reg No" : "Tax Reg. No");
    data("QRDBText22", 16.9, p.buyerNipY, v.proForma ? 0 : 48.9, 10, false, header,
         buyerColumn(v, QStringLiteral("Klient_Nip")));

    // Duplicate marking (the pro forma has none).
    if (!v.proForma) {
        f.QRL_Duplikat =
            t->addLabel(QStringLiteral("QRL_Duplikat"), p.dupRight, p.dupY, QString(), pt(10), Align::Right);
        f.QRL_Duplikat_Ang = english(f, t, QStringLiteral("QRL_Duplikat_Ang"), p.dupRight, p.dupY + under(10),
                                     QString(), 7, Align::Right);
        f.QRL_Data_Dupl =
            t->addLabel(QStringLiteral("QRL_Data_Dupl"), p.dupRight, p.dupDateY, QString(), pt(9), Align::Right);
        f.QRL_Data_Dupl_Ang = english(f, t, QStringLiteral("QRL_Data_Dupl_Ang"), p.dupRight, p.dupDateY + under(9),
                                      QString(), 7, Align::Right);
    }

    // Payment.
    if (p.paymentY >= 0) {
        caption("QRLabel3", 4.2, p.paymentY, "Sposób zapłaty : ", 10, "Method of payment");
        data("QRDBText31", 38.1, p.paymentY, 0, 10, false, &f.Platnosc, QStringLiteral("Nazwa"));
        caption("QRLabel9", 82.5, p.paymentY, "Termin zapłaty :", 10, "Payment date");
        data("QRDBText5", 114.3, p.paymentY, 0, 10, false, header, QStringLiteral("Data_Zaplaty"));
    }
    if (p.accountY >= 0) {
        caption("QRLabel35", 14.8, p.accountY, plainInvoice && v.english ? "Nr konta :" : "Nr konta : ", 10,
                "Bank account No");
        f.QRL_Konto = t->addLabel(QStringLiteral("QRL_Konto"), 38.1, p.accountY, QString(), pt(10));
    }
    if (p.grossY >= 0)
        f.QRL_Brutto = t->addLabel(QStringLiteral("QRL_Brutto"), p.grossX, p.grossY,
                                   QStringLiteral("Wartość dokumentu wyliczana od brutto"), pt(10, true));
}

} // namespace layout
