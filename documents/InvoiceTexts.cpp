#include "documents/InvoiceTexts.h"

#include "documents/InvoiceCheck.h"
#include "documents/LineGridModel.h"
#include "platform/data/Error.h"
#include "platform/text/Numbers.h"

namespace documents {

namespace {

// Conversions of the window's texts; a text that the checks should have refused stops the save.
int integerOf(const QString& t, const char* what)
{
    if (const auto v = readInteger(t))
        return *v;
    throw data::Error(QStringLiteral("niepoprawna liczba całkowita w polu „%1”: „%2”").arg(QString::fromUtf8(what), t));
}

double numberOf(const QString& t, const char* what)
{
    if (const auto v = readNumber(t))
        return double(*v);
    throw data::Error(QStringLiteral("niepoprawna liczba w polu „%1”: „%2”").arg(QString::fromUtf8(what), t));
}

Money moneyOf(const QString& t, const char* what)
{
    if (const auto v = Money::fromText(t))
        return *v;
    throw data::Error(QStringLiteral("niepoprawna kwota w polu „%1”: „%2”").arg(QString::fromUtf8(what), t));
}

QDate dateOf(const QString& t, const char* what)
{
    if (const auto d = readDate(t))
        return *d;
    throw data::Error(QStringLiteral("niepoprawna data w polu „%1”: „%2”").arg(QString::fromUtf8(what), t));
}

} // namespace

Document toDocument(const InvoiceDocument& t, const LineGridModel& grid)
{
    Document d;
    d.own = Identity{t.typ, t.rok, t.nr.isEmpty() ? 0 : integerOf(t.nr, "Nr")};
    d.dataWyst = dateOf(t.dataWyst, "Data wystawienia");
    d.dataSprzedarzy = t.dataSprzedarzy;
    d.miejsceWyst = t.miejsceWyst;
    d.buyer = Buyer{t.klientNr, t.nazwa, t.nazwaCd, t.czyFirma, t.nip, t.kod, t.miasto, t.adres};
    d.formaZaplaty = integerOf(t.formaZaplaty, "Sposób zapłaty");
    d.iloscDni = integerOf(t.iloscDni, "Liczba dni");
    if (!t.dataZap.isEmpty())
        d.dataZaplaty = dateOf(t.dataZap, "Data zapłaty");
    d.mode = t.mode;
    d.wartNetto = moneyOf(t.sumaNetto, "Suma netto");
    d.wartBrutto = moneyOf(t.sumaBrutto, "Suma brutto");
    d.uwagi = t.uwagi;
    for (int r = 1; r < grid.rows() - 1; ++r) {
        DocumentLine l;
        l.lp = integerOf(grid.cell(r, Col_Lp), "Lp");
        l.symbol = grid.cell(r, Col_Symbol);
        l.nazwa = grid.cell(r, Col_Nazwa);
        l.nazwaCd = grid.cell(r, Col_Nazwa_cd);
        l.pkwiu = grid.cell(r, Col_PKWiU);
        l.ilosc = numberOf(grid.cell(r, Col_Ilosc), "Ilość");
        l.jm = grid.cell(r, Col_Jm);
        const double cena = numberOf(grid.cell(r, Col_Cena), "Cena");
        (t.mode == PriceMode::Netto ? l.cena : l.cenaBrutto) = cena;
        l.rabat = numberOf(grid.cell(r, Col_Rabat), "Rabat");
        l.netto = moneyOf(grid.cell(r, Col_Netto), "Wartość netto");
        l.vatOpis = grid.cell(r, Col_Stawka);
        l.vat = moneyOf(grid.cell(r, Col_Kwota_Vat), "Kwota VAT");
        l.brutto = moneyOf(grid.cell(r, Col_Brutto), "Wartość brutto");
        l.vatWart = numberOf(grid.cell(r, Col_Wart), "Stawka VAT");
        d.lines.push_back(l);
    }
    return d;
}

QStringList gridCells(const DocumentLine& l, PriceMode mode)
{
    const std::optional<double> price = mode == PriceMode::Netto ? l.cena : l.cenaBrutto;
    QStringList c(LineGridModel::InvoiceColumns);
    c[Col_Symbol] = l.symbol;
    c[Col_Nazwa] = l.nazwa;
    c[Col_Nazwa_cd] = l.nazwaCd;
    c[Col_PKWiU] = l.pkwiu;
    c[Col_Ilosc] = text::formatQuantity(l.ilosc);
    c[Col_Jm] = l.jm;
    c[Col_Cena] = text::formatAmount(price.value_or(0.0));
    c[Col_Rabat] = text::formatGeneral(l.rabat);
    c[Col_Netto] = l.netto.text();
    c[Col_Stawka] = l.vatOpis;
    c[Col_Kwota_Vat] = l.vat.text();
    c[Col_Brutto] = l.brutto.text();
    c[Col_Wart] = text::formatAmount(l.vatWart);
    return c;
}

} // namespace documents
