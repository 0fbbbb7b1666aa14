// The lines of an invoice or a correction: the column header once before them, one band per line
// (a correction's band holds the line as it was, "było", over the line as it should be, "winno
// być"), the totals after them and the VAT summary by rate. Both layouts share one column table;
// a correction's totals and VAT rows are the differences, new minus old.
#include "printlib/Fakt_Form.h"
#include "printlib/Layout.h"

#include <algorithm>

using report::Align;
using report::pt;

namespace layout {

namespace {

constexpr Align L = Align::Left, C = Align::Center, R = Align::Right;

// A column's header (x, width, alignment) and its line field (x, width, alignment) on one layout;
// x < 0: the layout has no such column.
struct Place {
    double hx, hw;
    Align ha;
    double x, w;
    Align a;
};

struct Column {
    const char* header;
    const char* english;
    const char* field; // the line's column; a correction reads it from both tables
    const char* mask;
    Place invoice, correction;
    // Corrections only: other columns for the old and the new line ("" prints nothing).
    const char* oldField = nullptr;
    const char* newField = nullptr;
};

const QString kOld = QStringLiteral("Pozycje_Skorygowane.");
const QString kNew = QStringLiteral("Faktura_Szczegoly.");
const char* const kPrice = "Towary_Cena";

// clang-format off
const Column kColumns[] = {
    {"Lp.", "No", "Lp", "", {2.6, 0, L, 2.1, 4.5, R}, {1.6, 0, L, 0.8, 5.8, R}, "Pozycje_Skorygowane.Lp", ""},
    // The number of the line on the corrected invoice; under it the new line's own number.
    {"Lp. z fakt.", "Item No on invoice", nullptr, "", {-1, 0, L, -1, 0, L}, {7.7, 10.8, C, 9.0, 8.2, R},
     "LP_z_Fakt", "Faktura_Szczegoly.Lp"},
    {"Nazwa towaru/usługi", "Description", "Towary_Nazwa", "", {20.4, 0, L, 8.5, 48.9, L}, {25.4, 0, L, 19.1, 44.7, L}},
    // On corrections the code keeps clear of the quantity, which starts at 78.1.
    {"PKWIU/ SWW", "Symbol", "PKWiU", "", {60.1, 10.8, C, 59.0, 13.0, C}, {66.4, 10.8, C, 65.9, 12.0, C}},
    {"Ilość", "Quantity", "Ilosc", "0.000", {75.1, 0, L, 73.0, 10.8, R}, {82.3, 0, L, 78.1, 10.8, R}},
    {"J.m.", "Unit measure", "Jm", "", {87.6, 0, L, 87.3, 6.9, C}, {93.1, 0, L, 92.1, 6.9, C}},
    {"Cena jedn. netto", "Unit net price", kPrice, "0.00", {95.2, 15.1, C, 95.5, 15.1, R}, {100.3, 15.1, C, 100.3, 15.1, R}},
    {"Rabat %", "Discount", "Rabat", "", {112.2, 8.7, C, 112.4, 9.3, C}, {118.0, 8.7, C, 117.7, 9.3, C}},
    {"Wartość netto", "Net amount", "Wartosc_Netto", "0.00", {124.6, 12.7, C, 123.6, 14.3, R}, {129.6, 12.7, C, 128.3, 14.3, R}},
    {"Stawka VAT %", "VAT rate", "Towary_Vat_Opis", "", {139.4, 10.3, C, 140.8, 9.8, C}, {144.7, 10.3, C, 145.0, 9.8, C}},
    {"Kwota VAT", "VAT amount", "Kwota_Vat", "0.00", {153.2, 13.5, C, 153.5, 14.3, R}, {156.4, 13.5, C, 156.1, 14.3, R}},
    {"Wartość brutto", "Gross amount", "Wartosc_Brutto", "0.00", {173.0, 14.3, C, 171.7, 16.7, R}, {173.0, 14.3, C, 173.3, 16.7, R}},
};
// clang-format on

// One printed line of a line band: where it lies and which table its fields come from.
struct LineRow {
    const char* name;
    double y;
    QString prefix;
    bool old;
};

// Totals and VAT rows: net, rate, VAT and gross columns.
struct SumPlaces {
    double ruleFrom, ruleTo, xMark;
    double netX, netW, rateX, rateW, vatX, vatW, grossX, grossW; // VAT rows
    double sumNetX, sumNetW, sumVatX, sumVatW, sumGrossX, sumGrossW;
};
constexpr SumPlaces kInvoiceSums{103.7, 188.6, 145.3, 122.2, 15.3,  140.8, 10.1,  153.7, 14.0,
                                 170.9, 17.2,  122.5, 15.1,  153.7, 14.0,  171.4, 16.7};
constexpr SumPlaces kCorrectionSums{105.0, 189.9, 148.7, 131.2, 11.4,  146.1, 9.8,   158.8, 11.8,
                                    174.4, 15.1,  128.3, 14.3,  156.6, 14.0,  172.8, 16.7};

double number(const report::RowSource& source, const QString& field)
{
    const QVariant v = source.value(field);
    if (v.typeId() == QMetaType::QString) {
        QString t = v.toString().trimmed();
        t.replace(u',', u'.');
        return t.toDouble();
    }
    return v.toDouble();
}

QString s(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

void buildLines(TFakt_Form& f)
{
    const Variant& v = f.variant;
    const bool correction = v.kind == DocumentKind::Correction;
    report::Report& r = f.QuickRep1;
    report::SubDetail* lines = r.addSubDetail(&f.Pozycje, correction ? (v.english ? 20.6 : 21.7) : 7.4);
    report::Band* head = lines->setHeader(v.english ? 13.2 : 6.6);
    head->bottomRule = true;
    report::Band* row = lines->detail();
    row->bottomRule = true;

    std::vector<LineRow> rows;
    if (correction) {
        row->addLabel(QStringLiteral("Bylo"), 12.7, 0,
                      v.english ? QStringLiteral("było (there was)") : QStringLiteral("było"), pt(7, true));
        row->addLabel(QStringLiteral("Winno_Byc"), 12.7, 11.1,
                      v.english ? QStringLiteral("winno być (there should be)") : QStringLiteral("winno być"),
                      pt(7, true));
        rows = {{"Bylo_", 4.2, kOld, true}, {"Winno_", 14.3, kNew, false}};
    } else {
        rows = {{"Poz_", 0, QString(), false}};
    }

    for (const Column& c : kColumns) {
        Place p = correction ? c.correction : c.invoice;
        if (p.x < 0)
            continue;
        const QString field = c.field ? s(c.field) : QString();
        if (v.proForma && field == QLatin1String("Lp")) {
            p.a = L;
            p.w = 8.7;
        } else if (v.proForma && field == QLatin1String("Towary_Nazwa")) {
            p.x = 12.7;
            p.w = 44.7;
        } else if (v.proForma && field == QLatin1String("PKWiU")) {
            p.a = L;
        }
        const QString key = field.isEmpty() ? QStringLiteral("Lp_Z_Fakt") : field;
        report::Label* h = head->addLabel(QStringLiteral("Naglowek_") + key, p.hx, 0, s(c.header), pt(7), p.ha, p.hw);
        // An English caption wraps within its column (the Polish header's width, or the line's).
        report::Label* e = english(f, head, QStringLiteral("Naglowek_Ang_") + key, p.hx, 6.2, s(c.english), 5, p.ha,
                                   p.hw > 0 ? p.hw : p.w);
        const bool price = field == QLatin1String(kPrice);
        if (price) {
            f.priceCaptions.push_back({h, h->caption, QStringLiteral("Cena jedn. brutto")});
            if (e)
                f.priceCaptions.push_back({e, e->caption, QStringLiteral("Unit gross price")});
        }
        for (const LineRow& lr : rows) {
            QString column = lr.prefix + field;
            if (correction && (lr.old ? c.oldField : c.newField))
                column = s(lr.old ? c.oldField : c.newField);
            if (column.isEmpty())
                continue;
            // A name that wraps grows the line (and moves down what is under it), a code or a
            // number too wide for its column prints smaller, then over lines.
            report::DataText* t = report::asCell(row->addData(QString::fromLatin1(lr.name) + key, p.x, lr.y, p.w, p.a,
                                                              pt(7), &f.Pozycje, column, s(c.mask)));
            if (price)
                f.priceFields.push_back({t, column, column + QStringLiteral("_Brutto")});
            if (field == QLatin1String("Towary_Nazwa"))
                report::asCell(row->addData(QString::fromLatin1(lr.name) + QStringLiteral("Towary_Nazwa_cd"), p.x,
                                            lr.y + (correction ? 3.2 : 3.4), p.w, p.a, pt(7), &f.Pozycje,
                                            lr.prefix + QStringLiteral("Towary_Nazwa_cd")));
        }
    }

    // Totals of the printed lines (corrections: of new minus old).
    const SumPlaces& sp = correction ? kCorrectionSums : kInvoiceSums;
    report::Band* totals = lines->setFooter(v.english ? 8.7 : 8.5);
    totals->addLine(QStringLiteral("Razem_Kreska1"), sp.ruleFrom, 0, sp.ruleTo, 0, 2);
    totals->addLine(QStringLiteral("Razem_Kreska2"), sp.ruleFrom, 4.0, sp.ruleTo, 4.0, 2);
    const QString razem = v.english ? QStringLiteral("Razem (Total) : ") : QStringLiteral("Razem : ");
    totals->addLabel(QStringLiteral("Razem"), 106.4, 0.4, razem, pt(7));
    // A net sum as wide as its column begins where the caption ends (the English one is longer).
    const double captionEnd = 106.4 + report::measureText(pt(7), razem.trimmed(), 0, false).width() + 0.5;
    const double netX = std::max(sp.sumNetX, captionEnd);
    auto sum = [&](const char* name) -> const report::Sum* {
        const QString column = s(name);
        if (!correction)
            return r.addFieldSum(row, &f.Pozycje, column);
        const report::RowSource* src = &f.Pozycje;
        return r.addSum(row, [src, column] { return number(*src, kNew + column) - number(*src, kOld + column); });
    };
    const QString mask = QStringLiteral("0.00");
    // The sums fit their columns as the line cells do: smaller, then over lines (the rule under
    // them and what follows move down).
    report::asCell(totals->addSumText(QStringLiteral("Suma_Netto"), netX, 0.4, sp.sumNetX + sp.sumNetW - netX, R, pt(7),
                                      sum("Wartosc_Netto"), mask));
    totals->addLabel(QStringLiteral("Razem_X"), sp.xMark, 0.4, QStringLiteral("X"), pt(7));
    report::asCell(
        totals->addSumText(QStringLiteral("Suma_Vat"), sp.sumVatX, 0.4, sp.sumVatW, R, pt(7), sum("Kwota_Vat"), mask));
    report::asCell(totals->addSumText(QStringLiteral("Suma_Brutto"), sp.sumGrossX, 0.4, sp.sumGrossW, R, pt(7),
                                      sum("Wartosc_Brutto"), mask));
    totals->addLabel(QStringLiteral("W_tym"), 107.7, 4.8,
                     v.english ? QStringLiteral("w tym (VAT analysis) :") : QStringLiteral("w tym :"), pt(7));

    // The VAT summary, one row per rate.
    report::Band* vatRow = r.addSubDetail(&f.Podsumowanie, v.english ? 3.7 : 3.4)->detail();
    report::FontSpec arial = pt(7);
    arial.family = QStringLiteral("Arial");
    report::RowSource* q = &f.Podsumowanie;
    // A net or VAT amount too long for its column even at the smallest size takes the free room
    // beside it on its row (left of the net nothing prints; the rate is short), as every cell of
    // the printouts does, rather than going over lines.
    report::asCell(
        vatRow->addData(QStringLiteral("Vat_Netto"), sp.netX, 0, sp.netW, R, arial, q, QStringLiteral("netto"), mask));
    report::asCell(vatRow->addData(QStringLiteral("Vat_Opis"), sp.rateX, 0, sp.rateW, C, arial, q,
                                   QStringLiteral("towary_vat_opis")));
    report::asCell(
        vatRow->addData(QStringLiteral("Vat_Vat"), sp.vatX, 0, sp.vatW, R, arial, q, QStringLiteral("vat"), mask));
    report::asCell(vatRow->addData(QStringLiteral("Vat_Brutto"), sp.grossX, 0, sp.grossW, R, arial, q,
                                   QStringLiteral("brutto"), mask));
}

} // namespace layout
