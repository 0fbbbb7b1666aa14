// The report settings and the bands after the lines: the note's old and new buyer, the summary
// (amount due, amount in words, signatures, remarks) and the page footer; and the whole layout of
// a variant put together.
#include "printlib/Fakt_Form.h"
#include "printlib/Layout.h"

using report::Align;
using report::BandKind;
using report::pt;

namespace layout {

namespace {

// The amount in words starts here and, as every text of the layouts, ends at the right margin.
constexpr double kWordsX = 33.9;

// The summary's rows; amountY < 0: no amount (the note), ruleFrom < 0: no rule on its top edge.
struct SummaryPlaces {
    double height;
    double ruleFrom, ruleTo;
    double amountY, amountX, wordsY;
    double signY, remarksY;
};

constexpr SummaryPlaces kInvoiceSummary{63.0, 103.7, 188.6, 6.3, 35.5, 14.8, 34.7, 48.2};
constexpr SummaryPlaces kProFormaSummary{58.7, 103.7, 188.6, 6.3, 35.5, 14.8, 33.6, 45.2};
constexpr SummaryPlaces kCorrectionSummary{58.7, -1, -1, 6.3, 36.0, 14.8, 33.6, 45.2};
constexpr SummaryPlaces kNoteSummary{48.7, -1, -1, -1, 0, 0, 19.1, 33.6};
constexpr SummaryPlaces kInvoiceSummaryEnglish{71.2, 103.7, 188.6, 6.3, 35.5, 16.0, 38.6, 55.0};
constexpr SummaryPlaces kProFormaSummaryEnglish{70.6, 103.7, 188.6, 6.3, 35.5, 16.0, 38.0, 54.4};
constexpr SummaryPlaces kCorrectionSummaryEnglish{71.4, -1, -1, 6.3, 36.0, 16.0, 38.8, 55.2};
constexpr SummaryPlaces kNoteSummaryEnglish{50.8, -1, -1, -1, 0, 0, 19.1, 33.6};

SummaryPlaces summaryFor(const Variant& v)
{
    switch (v.kind) {
    case DocumentKind::Note: return v.english ? kNoteSummaryEnglish : kNoteSummary;
    case DocumentKind::Correction: return v.english ? kCorrectionSummaryEnglish : kCorrectionSummary;
    case DocumentKind::Invoice: break;
    }
    if (v.proForma)
        return v.english ? kProFormaSummaryEnglish : kProFormaSummary;
    return v.english ? kInvoiceSummaryEnglish : kInvoiceSummary;
}

// One buyer of a note: the caption ("było", "winno być") and name, address, code and city, NIP at
// the given rows, from the columns of `table` ("Faktury_Skorygowane." for the old buyer).
void buyerBlock(TFakt_Form& f, report::Band* b, const QString& table, const QString& caption, double captionX,
                const double (&rows)[5])
{
    report::RowSource* h = &f.Naglowek;
    const QString n = table.left(table.size() - 1) + u'_';
    b->addLabel(n + QStringLiteral("Opis"), captionX, 4.2, caption, pt(10, true));
    b->addLabel(n + QStringLiteral("Nazwa_Opis"), 36.0, rows[0], QStringLiteral("Nazwa odbiorcy :"), pt(10));
    // Name and address end at the right margin.
    constexpr double room = kRightEdge - 67.7;
    oneLine(b->addData(n + QStringLiteral("Nazwa"), 67.7, rows[0], 0, Align::Left, pt(10), h,
                       table + QStringLiteral("Klient_Nazwa_Nazwisko")),
            room);
    oneLine(b->addData(n + QStringLiteral("Nazwa_cd"), 67.7, rows[1], 0, Align::Left, pt(10), h,
                       table + QStringLiteral("Klient_Nazwa_Nazwisko_cd")),
            room);
    b->addLabel(n + QStringLiteral("Adres_Opis"), 51.3, rows[2], QStringLiteral("Adres :"), pt(10));
    oneLine(b->addData(n + QStringLiteral("Adres"), 67.7, rows[2], 0, Align::Left, pt(10), h,
                       table + QStringLiteral("Klient_Adres")),
            room);
    b->addData(n + QStringLiteral("Kod"), 67.7, rows[3], 10.8, Align::Left, pt(10), h,
               table + QStringLiteral("Klient_Kod"));
    b->addData(n + QStringLiteral("Miasto"), 79.9, rows[3], 0, Align::Left, pt(10), h,
               table + QStringLiteral("Klient_Miasto"));
    b->addLabel(n + QStringLiteral("Nip_Opis"), 54.8, rows[4], QStringLiteral("NIP :"), pt(10));
    b->addData(n + QStringLiteral("Nip"), 67.7, rows[4], 0, Align::Left, pt(10), h,
               table + QStringLiteral("Klient_Nip"));
}

} // namespace

report::TextElement* oneLine(report::TextElement* text, double room)
{
    text->width = room;
    text->wordWrap = false;
    text->shrinkToFit = true;
    // Too long even in the smallest size, it goes over lines and moves down what is under it.
    text->stretch = true;
    return text;
}

report::Label* english(const TFakt_Form& form, report::Band* band, const QString& name, double x, double y,
                       const QString& text, double points, Align align, double width)
{
    if (!form.variant.english)
        return nullptr;
    return band->addLabel(name, x, y, text, pt(points), align, width);
}

void buildNoteBuyers(TFakt_Form& f)
{
    report::Report& r = f.QuickRep1;
    r.setDataSource(&f.Wiersze);
    // The old buyer heads each group of one old client; a later group starts a new page, the first
    // one follows the title on the first page.
    HeaderSource* h = &f.Naglowek;
    report::Group* g = r.addGroup([h] { return h->text(QStringLiteral("Faktury_Skorygowane.Klient_Nr")); }, 44.5);
    g->newPage = true;
    g->reprintOnNewPage = true;
    const bool en = f.variant.english;
    buyerBlock(f, g->header(), QStringLiteral("Faktury_Skorygowane."),
               en ? QStringLiteral("było (there was)") : QStringLiteral("było"), 12.7, {10.6, 16.4, 22.8, 29.1, 36.2});
    buyerBlock(f, r.setBand(BandKind::Detail, en ? 50.8 : 46.6), QStringLiteral("Faktura."),
               en ? QStringLiteral("winno być (there should be)") : QStringLiteral("winno być"), 10.6,
               {10.6, 16.9, 23.8, 30.2, 36.8});
}

void buildSummary(TFakt_Form& f)
{
    const SummaryPlaces p = summaryFor(f.variant);
    report::Band* s = f.QuickRep1.setBand(BandKind::Summary, p.height);
    if (p.ruleFrom >= 0) // on the band's edge: above it would cross the last VAT row
        s->addLine(QStringLiteral("Suma_Kreska"), p.ruleFrom, 0, p.ruleTo, 0, 2);
    if (p.amountY >= 0) {
        f.QRLabel5 =
            s->addLabel(QStringLiteral("QRLabel5"), 4.2, p.amountY, QStringLiteral("Do zapłaty : "), pt(13, true));
        english(f, s, QStringLiteral("QRLabel5_Ang"), 4.2, p.amountY + under(13), QStringLiteral("Amount due"), 8);
        s->addData(QStringLiteral("QRDBText_Suma"), p.amountX, p.amountY, 0, Align::Left, pt(13, true), &f.Naglowek,
                   QStringLiteral("Wart_Brutto"), QStringLiteral("0.00 zł"));
        s->addLabel(QStringLiteral("QRLabel_Slownie"), 4.2, p.wordsY, QStringLiteral("Słownie złotych : "), pt(10));
        english(f, s, QStringLiteral("QRLabel_Slownie_Ang"), 4.2, p.wordsY + under(10), QStringLiteral("In words"), 8);
        // The words wrap under themselves within the margins and push down what lies under them.
        f.slownie = s->addLabel(QStringLiteral("slownie"), kWordsX, p.wordsY, QString(), pt(10, true), Align::Left,
                                kRightEdge - kWordsX);
        f.slownie->stretch = true;
    }
    const double y = p.signY;
    s->addLine(QStringLiteral("Podpis_Kropki1"), 3.7, y, 3.7 + 59.5, y, 1, Qt::DotLine);
    s->addLine(QStringLiteral("Podpis_Kropki2"), 122.0, y, 122.0 + 59.5, y, 1, Qt::DotLine);
    s->addLabel(QStringLiteral("Podpis1"), 16.7, y + 1.8, QStringLiteral("Podpis osoby upoważnionej"), pt(8));
    s->addLabel(QStringLiteral("Podpis2"), 16.1, y + 6.6, QStringLiteral("do wystawienia faktury VAT"), pt(8));
    english(f, s, QStringLiteral("Podpis_Ang1"), 16.7, y + 6.6 + under(8), QStringLiteral("Seller's signature"), 8);
    s->addLabel(QStringLiteral("Podpis3"), 133.6, y + 2.1, QStringLiteral("Podpis osoby upoważnionej"), pt(8));
    s->addLabel(QStringLiteral("Podpis4"), 136.5, y + 6.3, QStringLiteral("do odbioru faktury VAT"), pt(8));
    english(f, s, QStringLiteral("Podpis_Ang2"), 133.6, y + 6.3 + under(8), QStringLiteral("Buyer's signature"), 8);
    // Three lines of remarks are taller than the frame: it grows to hold them all.
    s->addRichText(QStringLiteral("QRDBRichText1"), 6.3, p.remarksY, 118.8, 10.8, pt(10), &f.Naglowek,
                   QStringLiteral("Uwagi"))
        ->stretch = true;
}

void buildPageFooter(TFakt_Form& f)
{
    const bool note = f.variant.kind == DocumentKind::Note;
    report::Band* b = f.QuickRep1.setBand(BandKind::PageFooter, note ? 3.4 : 10.6);
    if (!note) {
        // The page line, and the page count of the first layout run: a carrier only, never printed
        // (a white text would still be found by a search in the PDF and copied with its text).
        f.QRL_Strona_Cala = b->addLabel(QStringLiteral("QRL_Strona_Cala"), 185.2, 0, QString(), pt(7), Align::Right);
        f.QRL_Strona = b->addLabel(QStringLiteral("QRL_Strona"), 36.0, 2.1, QString(), pt(7));
        f.QRL_Strona->visible = false;
    }
    b->addLabel(QStringLiteral("QRLabel_Stopka"), 65.6, note ? 0 : 5.6,
                QStringLiteral("Wydrukowano z programu Orlimek - Tarnex"), pt(7));
}

} // namespace layout

void buildLayout(TFakt_Form& f)
{
    report::Report& r = f.QuickRep1;
    r.page = report::PageSetup::a4(report::PageOrientation::Portrait, 10);
    r.baseFont = QStringLiteral("Arial Unicode MS");
    r.title = f.variant.kind == DocumentKind::Invoice ? QStringLiteral("Tarnex") : QString();
    r.pageFooterOnLastPage = true;
    layout::buildTitle(f);
    if (f.variant.kind == DocumentKind::Note)
        layout::buildNoteBuyers(f);
    else
        layout::buildLines(f);
    layout::buildSummary(f);
    layout::buildPageFooter(f);
    f.setGrossPrices(f.variant.gross);
}
