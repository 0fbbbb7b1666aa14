#include "corrections/CorrectionRows.h"

#include "documents/LineMath.h"
#include "platform/text/Numbers.h"

namespace corrections {

using documents::DocumentLine;
using documents::Money;

QStringList correctionGridHeader()
{
    // clang-format off
    return {QStringLiteral("Lp."),         QStringLiteral("Lp. z fakt."),   QStringLiteral("Symbol"),
            QStringLiteral("Nazwa"),       QStringLiteral("Nazwa cd."),     QStringLiteral("PKWiU"),
            QStringLiteral("Ilość"),       QStringLiteral("J.m."),          QStringLiteral("Cena netto"),
            QStringLiteral("Cena brutto"), QStringLiteral("Stawka VAT"),    QStringLiteral("Rabat"),
            QStringLiteral("Wartość Netto"), QStringLiteral("Kwota VAT"),   QStringLiteral("Wartość Brutto"),
            QString(),                     QString()};
    // clang-format on
}

std::array<int, KolumnyKorekty> correctionGridWidths()
{
    return {50, 70, 90, 135, 135, 60, 60, 60, 65, 70, 80, 100, 86, 100, 100, 0, 0};
}

QVector<Qt::Alignment> correctionGridAlignments()
{
    const Qt::Alignment r = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment l = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment c = Qt::AlignCenter;
    return {r, r, l, l, l, c, r, c, r, r, c, c, r, r, r, r, r};
}

namespace {

// Zero stays "0": 0 - x never gives a negative zero.
double negated(double v) { return 0.0 - v; }

// A row of a hidden grid for the old line: its reversal (quantity and amounts negated; prices
// and the rate not) or its copy. Numbers in the shortest general form.
QStringList oldLineCells(int row, const DocumentLine& l, bool reversal)
{
    auto sign = [reversal](double v) { return reversal ? negated(v) : v; };
    QStringList c(KolumnyPozycji);
    c[P_Lp] = QString::number(row);
    c[P_Lp_Own] = QString::number(l.lp);
    c[P_Symbol] = l.symbol;
    c[P_Nazwa] = l.nazwa;
    c[P_Nazwa_cd] = l.nazwaCd;
    c[P_PKWiU] = l.pkwiu;
    c[P_Ilosc] = text::formatGeneral(sign(l.ilosc));
    c[P_Jm] = l.jm;
    // A price never written reads as 0.
    c[P_Cena] = text::formatGeneral(l.cena.value_or(0));
    c[P_Cena_Brutto] = text::formatGeneral(l.cenaBrutto.value_or(0));
    c[P_Stawka] = l.vatOpis;
    c[P_Rabat] = QString::number(qRound64(l.rabat));
    c[P_Netto] = text::formatGeneral(sign(l.netto.toDouble()));
    c[P_Kwota_Vat] = text::formatGeneral(sign(l.vat.toDouble()));
    c[P_Brutto] = text::formatGeneral(sign(l.brutto.toDouble()));
    c[P_Wart] = text::formatGeneral(l.vatWart);
    return c;
}

Money shown(const documents::LineGridModel& g, int row, int col)
{
    return Money::fromText(g.cell(row, col)).value_or(Money());
}

double number(const QString& text) { return double(documents::readNumber(text).value_or(0)); }

} // namespace

UkryteWiersze::UkryteWiersze() { rows_ = {QStringList(KolumnyPozycji), QStringList(KolumnyPozycji)}; }

QString UkryteWiersze::cell(int row, int col) const
{
    return row >= 0 && row < rows() ? rows_[row].value(col) : QString();
}

CorrectionRows::CorrectionRows(documents::LineGridModel& visible) : visible_(visible)
{
    visible_.setHeader(correctionGridHeader());
    visible_.setAlignments(correctionGridAlignments());
}

bool CorrectionRows::contains(int lpKoncowe) const
{
    const QString lp = QString::number(lpKoncowe);
    for (int r = 1; r < visible_.rows(); ++r)
        if (visible_.cell(r, K_Lp_Z_Fakt) == lp)
            return true;
    return false;
}

int CorrectionRows::append(const QStringList& cells, const DocumentLine& before)
{
    const int n = visible_.appendLine(cells);
    for (auto [grid, reversal] : {std::pair{&storno_, true}, std::pair{&kopie_, false}}) {
        grid->rows_[n] = oldLineCells(n, before, reversal);
        grid->rows_.append(QStringList(KolumnyPozycji));
    }
    before_.push_back(before);
    return n;
}

bool CorrectionRows::remove(int row)
{
    const bool line = visible_.isLine(row);
    if (line) {
        visible_.removeLine(row);
        storno_.rows_.removeAt(row);
        kopie_.rows_.removeAt(row);
        before_.erase(before_.begin() + (row - 1));
    }
    renumber();
    return line;
}

void CorrectionRows::clear()
{
    visible_.clearLines();
    storno_ = UkryteWiersze();
    kopie_ = UkryteWiersze();
    before_.clear();
}

void CorrectionRows::renumber()
{
    // The visible grid renumbers itself; the hidden ones follow it.
    for (UkryteWiersze* g : {&storno_, &kopie_})
        for (int r = 1; r + 1 < g->rows(); ++r)
            g->rows_[r][P_Lp] = QString::number(r);
}

Money CorrectionRows::sumaNetto() const
{
    Money s;
    for (int r = 1; r <= lineCount(); ++r)
        s += shown(visible_, r, K_Netto) - before_[size_t(r - 1)].netto;
    return s;
}

Money CorrectionRows::sumaBrutto() const
{
    Money s;
    for (int r = 1; r <= lineCount(); ++r)
        s += shown(visible_, r, K_Brutto) - before_[size_t(r - 1)].brutto;
    return s;
}

bool CorrectionRows::withinBound(const QStringList& cells, const documents::DocumentLine& before) const
{
    const auto roznica = [](const QStringList& c, const documents::DocumentLine& b) {
        const auto n = [&c](int col) { return Money::fromText(c.value(col)).value_or(Money()); };
        return documents::LineAmounts{c.value(K_Stawka), (n(K_Netto) - b.netto).toDouble(),
                                      (n(K_Kwota_Vat) - b.vat).toDouble(), (n(K_Brutto) - b.brutto).toDouble()};
    };
    std::vector<documents::LineAmounts> linie{roznica(cells, before)};
    for (int r = 1; r <= lineCount(); ++r)
        linie.push_back(roznica(visible_.row(r), before_[size_t(r - 1)]));
    return documents::totalsWithinBound(linie);
}

std::vector<documents::CorrectedLine> CorrectionRows::correctedLines() const
{
    std::vector<documents::CorrectedLine> out;
    for (int r = 1; r <= lineCount(); ++r) {
        const QStringList c = visible_.row(r);
        DocumentLine after;
        after.symbol = c[K_Symbol];
        after.nazwa = c[K_Nazwa];
        after.nazwaCd = c[K_Nazwa_cd];
        after.pkwiu = c[K_PKWiU];
        after.ilosc = number(c[K_Ilosc]);
        after.jm = c[K_Jm];
        // Both prices, whatever the mode: the one not typed is the old line's.
        after.cena = number(c[K_Cena]);
        after.cenaBrutto = number(c[K_Cena_Brutto]);
        after.vatOpis = c[K_Stawka];
        after.rabat = number(c[K_Rabat]);
        after.netto = shown(visible_, r, K_Netto);
        after.vat = shown(visible_, r, K_Kwota_Vat);
        after.brutto = shown(visible_, r, K_Brutto);
        after.vatWart = number(c[K_Wart]);
        out.push_back({before_[size_t(r - 1)], after});
    }
    return out;
}

} // namespace corrections
