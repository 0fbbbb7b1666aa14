#include "documents/InvoiceSave.h"

#include "documents/InvoiceCheck.h"
#include "documents/LineGridModel.h"
#include "platform/data/Connection.h"
#include "platform/data/Error.h"

#include <QDate>

namespace documents {

namespace {

// Conversions of the window's texts; a text that the checks should have refused stops the save.
qint64 integerOf(const QString& t, const char* what)
{
    if (const auto v = readInteger(t))
        return *v;
    throw data::Error(QStringLiteral("Niepoprawna liczba całkowita (%1): \"%2\"").arg(QLatin1String(what), t));
}

double numberOf(const QString& t, const char* what)
{
    if (const auto v = readNumber(t))
        return double(*v);
    throw data::Error(QStringLiteral("Niepoprawna liczba (%1): \"%2\"").arg(QLatin1String(what), t));
}

QDate dateOf(const QString& t, const char* what)
{
    if (const auto d = readDate(t))
        return *d;
    throw data::Error(QStringLiteral("Niepoprawna data (%1): \"%2\"").arg(QLatin1String(what), t));
}

} // namespace

SaveOutcome saveNumbered(data::Connection& c, const QString& typ, const QString& rok,
                         const FirstNumberPrompt& prompt, const std::function<qint64(qint64 nr)>& write)
{
    SaveOutcome out;
    std::optional<qint64> prompted;
    try {
        // The first pass finds out whether the user must be asked; the question is put outside
        // the transaction, and the number is decided again inside it.
        for (int pass = 0; pass < 2; ++pass) {
            {
                data::Transaction t(c);
                const NextNumber n = nextNumber(c, typ, rok);
                if (!n.askFirst || prompted) {
                    out.nr = n.askFirst ? *prompted : n.nr;
                    out.id = write(out.nr);
                    t.commit();
                    out.status = SaveOutcome::Status::Saved;
                    return out;
                }
            }
            prompted = prompt ? prompt(firstNumberQuestion(typ)) : std::nullopt;
            if (!prompted) {
                out.status = SaveOutcome::Status::Cancelled;
                return out;
            }
        }
    } catch (const data::Error& e) {
        out.error = e.cause();
    } catch (const std::exception& e) {
        out.error = QString::fromLocal8Bit(e.what());
    }
    out.status = SaveOutcome::Status::Failed;
    out.nr = 0;
    out.id = 0;
    return out;
}

namespace {

// One row to insert: the columns written, in order. Columns left out keep the database's
// default (the price column of the other mode, an empty due date, a pro forma's final identity).
class Row {
public:
    Row& set(const char* column, const QVariant& value)
    {
        columns_ << QLatin1String(column);
        values_ << value;
        return *this;
    }
    void insertInto(data::Connection& c, const char* table) const
    {
        QStringList marks;
        for (qsizetype i = 0; i < columns_.size(); ++i)
            marks << QStringLiteral("?");
        c.exec(QStringLiteral("insert into %1 (%2) values (%3)")
                   .arg(QLatin1String(table), columns_.join(QLatin1String(", ")), marks.join(QLatin1Char(','))),
               values_);
    }

private:
    QStringList columns_;
    QVariantList values_;
};

} // namespace

qint64 insertInvoiceHeader(data::Connection& c, const InvoiceDocument& d, qint64 nr)
{
    Row row;
    row.set("Typ", d.typ)
        .set("Nr", nr)
        .set("Rok", d.rok)
        .set("Data_Wyst", dateOf(d.dataWyst, "Data wystawienia"))
        .set("Data_Sprzedarzy", d.dataSprzedarzy)
        .set("Miejsce_Wyst", d.miejsceWyst)
        .set("Klient_Nazwa_Nazwisko", d.nazwa)
        .set("Klient_Nazwa_Nazwisko_cd", d.nazwaCd)
        .set("Klient_Nr", d.klientNr)
        .set("Klient_Czy_Firma", d.czyFirma)
        .set("Klient_Nip", d.nip)
        .set("Klient_Kod", d.kod)
        .set("Klient_Miasto", d.miasto)
        .set("Klient_Adres", d.adres)
        .set("Wart_Netto", numberOf(d.sumaNetto, "Suma netto"))
        .set("Wart_Brutto", numberOf(d.sumaBrutto, "Suma brutto"))
        .set("Forma_Zaplaty", integerOf(d.formaZaplaty, "Sposób zapłaty"));
    if (!d.dataZap.isEmpty())
        row.set("Data_Zaplaty", dateOf(d.dataZap, "Data zapłaty"));
    row.set("Ilosc_Dni", integerOf(d.iloscDni, "Liczba dni"));
    if (d.finalIdentity)
        row.set("Typ_Koncowy", d.typ).set("Nr_Koncowy", nr).set("Rok_Koncowy", d.rok);
    row.set("Uwagi", d.uwagi)
        .set("Netto_Brutto", priceModeText(d.mode))
        .set("Waluta", QStringLiteral("PLN"))
        .set("Wart_Netto_Eu", 0)
        .set("Wart_Brutto_Eu", 0);
    row.insertInto(c, "Faktura");
    return c.lastInsertId();
}

void insertInvoiceLines(data::Connection& c, qint64 id, qint64 nr, const InvoiceDocument& d,
                        const LineGridModel& grid)
{
    const QDate dataWyst = dateOf(d.dataWyst, "Data wystawienia");
    const qint64 rok = integerOf(d.rok, "Rok");
    for (int r = 1; r < grid.rows() - 1; ++r) {
        const qint64 lp = integerOf(grid.cell(r, Col_Lp), "Lp");
        Row row;
        row.set("Id_Fakt", id)
            .set("Lp", lp)
            .set("Towary_Symbol", grid.cell(r, Col_Symbol))
            .set("Towary_Nazwa", grid.cell(r, Col_Nazwa))
            .set("Towary_Nazwa_cd", grid.cell(r, Col_Nazwa_cd))
            .set("PKWiU", grid.cell(r, Col_PKWiU))
            .set("Ilosc", numberOf(grid.cell(r, Col_Ilosc), "Ilość"))
            .set("Jm", grid.cell(r, Col_Jm))
            .set(d.mode == PriceMode::Netto ? "Towary_Cena" : "Towary_Cena_Brutto",
                 numberOf(grid.cell(r, Col_Cena), "Cena"))
            .set("Rabat", numberOf(grid.cell(r, Col_Rabat), "Rabat"))
            .set("Wartosc_Netto", numberOf(grid.cell(r, Col_Netto), "Wartość netto"))
            .set("Towary_Vat_Opis", grid.cell(r, Col_Stawka))
            .set("Kwota_Vat", numberOf(grid.cell(r, Col_Kwota_Vat), "Kwota VAT"))
            .set("Wartosc_Brutto", numberOf(grid.cell(r, Col_Brutto), "Wartość brutto"))
            .set("Towary_Vat_Wart", numberOf(grid.cell(r, Col_Wart), "Stawka VAT"))
            .set("Waluta", QStringLiteral("PLN"))
            .set("Towary_Cena_Eu", 0)
            .set("Wartosc_Netto_Eu", 0)
            .set("Wartosc_Brutto_Eu", 0)
            .set("Kwota_Vat_Eu", 0)
            .set("Faktura_Typ", d.typ)
            .set("Faktura_Nr", nr)
            .set("Faktura_Rok", rok);
        if (d.finalIdentity)
            row.set("Faktura_Nr_Koncowy", nr).set("Faktura_Rok_Koncowy", rok).set("Lp_Koncowe", lp);
        row.set("Faktura_Data_Wyst", dataWyst)
            .set("Klient_Nazwa_Nazwisko", d.nazwa)
            .set("Klient_Nazwa_Nazwisko_cd", d.nazwaCd)
            .set("Klient_Nr", d.klientNr)
            .set("Klient_Nip", d.nip);
        row.insertInto(c, "Faktura_Szczegoly");
    }
}

SaveOutcome saveNewInvoice(data::Connection& c, const InvoiceDocument& doc, const LineGridModel& grid,
                           const FirstNumberPrompt& prompt)
{
    return saveNumbered(c, doc.typ, doc.rok, prompt, [&](qint64 nr) {
        const qint64 id = insertInvoiceHeader(c, doc, nr);
        insertInvoiceLines(c, id, nr, doc, grid);
        return id;
    });
}

} // namespace documents
