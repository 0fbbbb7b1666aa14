#include "documents/DocumentStore.h"

#include "documents/DocumentRows.h"
#include "platform/data/Connection.h"
#include "platform/data/Error.h"

namespace documents {

using rows::Row;

namespace {

const QString FV = QStringLiteral("FV");

// What a document of a type is called in a failure sentence ("Nie udało się zapisać faktury").
QString documentWord(const QString& typ)
{
    if (typ == QLatin1String("PFV"))
        return QStringLiteral("faktury proforma");
    if (typ == QLatin1String("KFV"))
        return QStringLiteral("korekty faktury");
    if (typ == QLatin1String("NFV"))
        return QStringLiteral("noty korygującej");
    return QStringLiteral("faktury");
}

// The remarks and the fixed currency columns of a header.
void setHeaderTail(Row& row, const QString& uwagi)
{
    row.set("Uwagi", uwagi).set("Waluta", QStringLiteral("PLN")).set("Wart_Netto_Eu", 0).set("Wart_Brutto_Eu", 0);
}

void setOwnIdentity(Row& row, const QString& typ, qint64 nr, const QString& rok)
{
    row.set("Typ", typ).set("Nr", nr).set("Rok", rok);
}

void setFinalIdentity(Row& row, const Identity& f)
{
    row.set("Typ_Koncowy", f.typ).set("Nr_Koncowy", f.nr).set("Rok_Koncowy", f.rok);
}

// Refuses the write when the stored invoice `invoice.id` is no longer the invoice view the window
// loaded: another window or another copy of the program saved a note, a correction or an edit
// of it meanwhile. Runs inside the save's transaction, so nothing can change it until the commit.
// `correctionFlag` tells whether a correction saved meanwhile counts as a change.
void requireLoadedView(data::Connection& c, const Document& invoice, bool correctionFlag)
{
    const QList<QVariantMap> r = c.selectRows(QStringLiteral("select * from Faktura where Id=?"), {invoice.id});
    if (r.isEmpty())
        throw data::Error(QStringLiteral("faktura nie została znaleziona w bazie danych"));
    const Document stored = rows::headerFrom(r.first());
    if (stored.final != invoice.final || (correctionFlag && stored.czyKorekta != invoice.czyKorekta)
        || stored.own != invoice.own || stored.buyer != invoice.buyer || stored.dataWyst != invoice.dataWyst
        || stored.dataSprzedarzy != invoice.dataSprzedarzy || stored.miejsceWyst != invoice.miejsceWyst
        || stored.mode != invoice.mode || stored.wartNetto != invoice.wartNetto
        || stored.wartBrutto != invoice.wartBrutto)
        throw data::Error(changedMeanwhileText(invoice));
}

} // namespace

QString changedMeanwhileText(const Document& invoice)
{
    const Identity& shown = invoice.final && !invoice.final->isEmpty() ? *invoice.final : invoice.own;
    return QStringLiteral("faktura %1 została w międzyczasie zmieniona w innym oknie lub innej kopii programu "
                          "(skorygowana, objęta notą lub poprawiona). Należy wybrać ją ponownie")
        .arg(shown.text());
}

QString saveFailureText(const QString& what, const QString& detail)
{
    QString t = QStringLiteral("Nie udało się zapisać %1").arg(what);
    if (!detail.isEmpty())
        t += QStringLiteral(": ") + detail;
    return t;
}

DocumentStore::DocumentStore(data::Connection& c) : c_(c) {}

void DocumentStore::step(const char* name) const
{
    if (hook_)
        hook_(name);
}

SaveOutcome DocumentStore::numbered(const QString& typ, const QString& rok, const FirstNumberPrompt& prompt,
                                    const QString& what, const std::function<qint64(qint64 nr)>& write)
{
    SaveOutcome out;
    std::optional<qint64> prompted;
    try {
        // The first pass finds out whether the user must be asked; the question is put outside
        // the transaction, and the number is decided again inside it.
        for (int pass = 0; pass < 2; ++pass) {
            {
                data::Transaction t(c_);
                const NextNumber n = nextNumber(c_, typ, rok);
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
        out.error = saveFailureText(what, e.cause());
    } catch (const std::exception& e) {
        out.error = saveFailureText(what, QString::fromLocal8Bit(e.what()));
    }
    out.status = SaveOutcome::Status::Failed;
    out.nr = 0;
    out.id = 0;
    return out;
}

namespace {

// Inserts the lines of a VAT invoice or pro forma written by the document `id` numbered `nr`,
// numbered from 1; `view` tells whether they belong to the document's own final view.
void insertOwnLines(data::Connection& c, qint64 id, qint64 nr, const Document& d, bool ownView)
{
    int lp = 0;
    for (const DocumentLine& l : d.lines) {
        ++lp;
        Row row;
        row.set("Id_Fakt", id).set("Lp", lp);
        rows::setLineValues(row, l);
        rows::setLineWriter(row, d.own.typ, nr, d);
        if (ownView)
            rows::setView(row, ViewPlace{nr, rows::yearNumber(d.own.rok), lp});
        row.insertInto(c, "Faktura_Szczegoly");
    }
}

} // namespace

SaveOutcome DocumentStore::saveNew(const Document& doc, const FirstNumberPrompt& prompt)
{
    const bool ownView = doc.own.typ == FV;
    return numbered(doc.own.typ, doc.own.rok, prompt, documentWord(doc.own.typ), [&](qint64 nr) {
        step("header");
        Row h;
        setOwnIdentity(h, doc.own.typ, nr, doc.own.rok);
        rows::setHeader(h, doc);
        if (ownView)
            setFinalIdentity(h, Identity{doc.own.typ, doc.own.rok, nr});
        setHeaderTail(h, doc.uwagi);
        const qint64 id = h.insertInto(c_, "Faktura");
        step("lines");
        insertOwnLines(c_, id, nr, doc, ownView);
        return id;
    });
}

SaveOutcome DocumentStore::replace(const Document& doc)
{
    SaveOutcome out;
    const QString what = documentWord(doc.own.typ);
    try {
        data::Transaction t(c_);
        const std::optional<Document> stored = loadHeader(doc.id);
        if (!stored || doc.id <= 0)
            throw data::Error(QStringLiteral("nie wybrano faktury do poprawy albo została usunięta"));
        if (!stored->isEditable())
            throw data::Error(QStringLiteral("faktura %1 została w międzyczasie skorygowana lub objęta notą")
                                  .arg(stored->own.text()));
        step("header");
        Row h;
        setOwnIdentity(h, doc.own.typ, doc.own.nr, doc.own.rok);
        rows::setHeader(h, doc);
        setFinalIdentity(h, doc.own);
        setHeaderTail(h, doc.uwagi);
        // Only while the row is still an editable invoice of its own view.
        if (h.update(c_, "Faktura",
                     QStringLiteral("Id=? and Czy_Korekta=0 and Typ_Koncowy=? and Rok_Koncowy=? and Nr_Koncowy=?"),
                     {doc.id, stored->own.typ, stored->own.rok, stored->own.nr})
            != 1)
            throw data::Error(changedMeanwhileText(*stored));
        step("delete");
        c_.exec(QStringLiteral("delete from Faktura_Szczegoly where Id_Fakt=?"), {doc.id});
        step("lines");
        insertOwnLines(c_, doc.id, doc.own.nr, doc, true);
        t.commit();
        out.status = SaveOutcome::Status::Saved;
        out.id = doc.id;
        out.nr = doc.own.nr;
        return out;
    } catch (const data::Error& e) {
        out.error = saveFailureText(what, e.cause());
    } catch (const std::exception& e) {
        out.error = saveFailureText(what, QString::fromLocal8Bit(e.what()));
    }
    out.status = SaveOutcome::Status::Failed;
    return out;
}

SaveOutcome DocumentStore::saveCorrection(const Document& korekta, const Document& invoice,
                                          const std::vector<CorrectedLine>& lines, const FirstNumberPrompt& prompt)
{
    const QString typ = QStringLiteral("KFV");
    return numbered(typ, korekta.own.rok, prompt, documentWord(typ), [&](qint64 nr) {
        if (!invoice.final || invoice.final->isEmpty() || invoice.id <= 0)
            throw data::Error(QStringLiteral("korygowana faktura nie ma już swojego widoku"));
        const Identity& view = *invoice.final;
        requireLoadedView(c_, invoice, false);
        // The correction's own data; the buyer, place and price mode are the invoice's.
        Document header = korekta;
        header.own = Identity{typ, korekta.own.rok, nr};
        header.dataSprzedarzy = invoice.dataSprzedarzy;
        header.miejsceWyst = invoice.miejsceWyst;
        header.buyer = invoice.buyer;
        header.mode = invoice.mode;

        step("header");
        Row h;
        setOwnIdentity(h, typ, nr, header.own.rok);
        rows::setHeader(h, header);
        h.set("Nr_Z_Fakt", view.nr).set("Rok_Z_Fakt", view.rok).set("Id_Z_Fakt", invoice.id);
        setHeaderTail(h, korekta.uwagi);
        const qint64 id = h.insertInto(c_, "Faktura");

        step("flag");
        if (c_.exec(QStringLiteral("update Faktura set Czy_Korekta=1 "
                                   "where Id=? and Typ_Koncowy=? and Rok_Koncowy=? and Nr_Koncowy=?"),
                    {invoice.id, view.typ, view.rok, view.nr})
            != 1)
            throw data::Error(changedMeanwhileText(invoice));

        int lp = 0;
        for (const CorrectedLine& cl : lines) {
            ++lp;
            if (!cl.before.view || cl.before.view->isDetached() || cl.before.id <= 0)
                throw data::Error(QStringLiteral("pozycja %1 nie należy już do faktury").arg(lp));
            const int place = cl.before.view->lpKoncowe;
            auto links = [&](Row& r, const QString& lineTyp) {
                rows::setLineWriter(r, lineTyp, nr, header);
                r.set("Nr_Z_Fakt", view.nr).set("Id_Z_Fakt", invoice.id);
            };
            // The old line's prices as the windows read them: a price never written counts 0.
            DocumentLine old = cl.before;
            old.cena = old.cena.value_or(0.0);
            old.cenaBrutto = old.cenaBrutto.value_or(0.0);

            step("before-image");
            Row b;
            b.set("Id_Fakt", id).set("Lp", lp).set("Lp_Z_Fakt", cl.before.lp);
            rows::setLineValues(b, old);
            links(b, typ);
            const qint64 beforeId = b.insertInto(c_, "Pozycje_Skorygowane");

            step("new line");
            DocumentLine after = cl.after;
            after.cena = after.cena.value_or(0.0);
            after.cenaBrutto = after.cenaBrutto.value_or(0.0);
            Row n;
            n.set("Id_Fakt", id).set("Lp", lp).set("Lp_Z_Fakt", place);
            rows::setLineValues(n, after);
            links(n, typ);
            n.set("Id_Pozyc_Skoryg", beforeId);
            rows::setView(n, ViewPlace{view.nr, rows::yearNumber(view.rok), place});
            n.insertInto(c_, "Faktura_Szczegoly");

            step("reversal");
            DocumentLine reversal = old;
            reversal.ilosc = -old.ilosc;
            reversal.netto = -old.netto;
            reversal.vat = -old.vat;
            reversal.brutto = -old.brutto;
            Row r;
            r.set("Id_Fakt", id).set("Lp", lp).set("Lp_Z_Fakt", cl.before.lp);
            rows::setLineValues(r, reversal);
            links(r, typ + QLatin1Char('b'));
            r.insertInto(c_, "Faktura_Szczegoly");

            step("detach");
            // Only a line still in this view: another copy of the program may have corrected it.
            if (c_.exec(QStringLiteral("update Faktura_Szczegoly set Czy_Korekta=1, Faktura_Nr_Koncowy=0, "
                                       "Faktura_Rok_Koncowy=0, Id_Z_Fakt=0, Lp_Z_Fakt=0, Nr_Z_Fakt=0 "
                                       "where Id=? and Faktura_Nr_Koncowy=? and Faktura_Rok_Koncowy=?"),
                        {cl.before.id, view.nr, rows::yearNumber(view.rok)})
                != 1)
                throw data::Error(QStringLiteral("pozycja %1 została w międzyczasie skorygowana w innym oknie "
                                                 "lub innej kopii programu")
                                      .arg(place));
        }
        return id;
    });
}

SaveOutcome DocumentStore::saveNote(const Document& nota, const Document& invoice, const FirstNumberPrompt& prompt)
{
    const QString typ = QStringLiteral("NFV");
    return numbered(typ, nota.own.rok, prompt, documentWord(typ), [&](qint64 nr) {
        if (!invoice.final || invoice.final->isEmpty() || invoice.id <= 0)
            throw data::Error(QStringLiteral("faktura nie ma już swojego widoku"));
        const Identity& view = *invoice.final;
        requireLoadedView(c_, invoice, true);
        auto refersTo = [&](Row& r) {
            r.set("Nr_Z_Fakt", view.nr).set("Rok_Z_Fakt", view.rok).set("Id_Z_Fakt", invoice.id);
            setFinalIdentity(r, view);
        };

        step("before-image");
        Document old = invoice;
        old.dataWyst = nota.dataWyst;
        Row b;
        setOwnIdentity(b, typ, nr, nota.own.rok);
        rows::setHeader(b, old);
        refersTo(b);
        const qint64 beforeId = b.insertInto(c_, "Faktury_Skorygowane");

        step("note");
        Document changed = invoice;
        changed.dataWyst = nota.dataWyst;
        changed.buyer = nota.buyer;
        Row n;
        setOwnIdentity(n, typ, nr, nota.own.rok);
        rows::setHeader(n, changed);
        refersTo(n);
        n.set("Id_Fakt_Skoryg", beforeId).set("Uwagi", nota.uwagi);
        const qint64 id = n.insertInto(c_, "Faktura");

        step("clear");
        // The invoice must still hold the view the note takes over, with no correction since.
        if (c_.exec(QStringLiteral("update Faktura set Typ_Koncowy='', Rok_Koncowy='', Nr_Koncowy=0 "
                                   "where Id=? and Typ_Koncowy=? and Rok_Koncowy=? and Nr_Koncowy=? "
                                   "and Czy_Korekta=?"),
                    {invoice.id, view.typ, view.rok, view.nr, invoice.czyKorekta ? 1 : 0})
            != 1)
            throw data::Error(changedMeanwhileText(invoice));
        return id;
    });
}

bool DocumentStore::markDuplicate(qint64 id, const QDate& date)
{
    data::Transaction t(c_);
    Row r;
    r.set("Czy_Duplikat", true).set("Data_Duplikatu", date);
    if (r.update(c_, "Faktura", QStringLiteral("Id=?"), {id}) != 1)
        return false;
    t.commit();
    return true;
}

std::optional<Document> DocumentStore::loadHeader(qint64 id) const
{
    const QList<QVariantMap> r = c_.selectRows(QStringLiteral("select * from Faktura where Id=?"), {id});
    if (r.isEmpty())
        return std::nullopt;
    return rows::headerFrom(r.first());
}

std::optional<Document> DocumentStore::load(qint64 id) const
{
    std::optional<Document> d = loadHeader(id);
    if (!d)
        return d;
    for (const QVariantMap& r :
         c_.selectRows(QStringLiteral("select * from Faktura_Szczegoly where Id_Fakt=? order by Lp, Id"), {id}))
        d->lines.push_back(rows::lineFrom(r));
    return d;
}

std::vector<DocumentLine> DocumentStore::viewLines(qint64 nrKoncowy, int rokKoncowy) const
{
    std::vector<DocumentLine> lines;
    if (nrKoncowy == 0 && rokKoncowy == 0)
        return lines; // detached lines belong to no view
    for (const QVariantMap& r : c_.selectRows(
             QStringLiteral("select * from Faktura_Szczegoly where Faktura_Nr_Koncowy=? and Faktura_Rok_Koncowy=? "
                            "order by Lp, Lp_Koncowe, Id"),
             {nrKoncowy, rokKoncowy}))
        lines.push_back(rows::lineFrom(r));
    return lines;
}

} // namespace documents
