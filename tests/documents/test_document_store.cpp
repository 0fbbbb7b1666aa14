// The document store's identity rules and its all-or-nothing writes: editing in place,
// corrections with their before-images, reversals and detached lines, and correction notes.
#include "support/TestDb.h"

#include "documents/DocumentStore.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

DocumentLine line(const QString& nazwa, double ilosc, double cena, qint64 nettoGr)
{
    DocumentLine l;
    l.symbol = nazwa.left(3).toUpper();
    l.nazwa = nazwa;
    l.jm = "szt.";
    l.ilosc = ilosc;
    l.cena = cena;
    l.vatOpis = "23";
    l.vatWart = 23;
    l.netto = Money::fromGrosze(nettoGr);
    l.vat = Money::fromValue(nettoGr * 0.23L / 100);
    l.brutto = l.netto + l.vat;
    return l;
}

Document invoice(int lines = 3)
{
    Document d;
    d.own = Identity{"FV", "2011", 0};
    d.dataWyst = QDate(2011, 3, 5);
    d.dataSprzedarzy = "marzec";
    d.miejsceWyst = "Kraków";
    d.buyer = Buyer{"K1", "Stary Nabywca", "", true, "111", "30-001", "Kraków", "Długa 1"};
    d.formaZaplaty = 1;
    for (int i = 1; i <= lines; ++i)
        d.lines.push_back(line(QString("Towar %1").arg(i), 1, 100 * i, 10000 * i));
    for (const auto& l : d.lines) {
        d.wartNetto += l.netto;
        d.wartBrutto += l.brutto;
    }
    return d;
}

FirstNumberPrompt number(qint64 nr)
{
    return [nr](const QString&) { return std::optional<qint64>(nr); };
}

struct Fixture {
    TestDb db;
    DocumentStore store{*db.conn};

    Document saved(const Document& d, qint64 first = 1)
    {
        const SaveOutcome r = store.saveNew(d, number(first));
        EXPECT_TRUE(r.saved()) << r.error.toStdString();
        return *store.load(r.id);
    }
    // The invoice as a picker shows it: the view's header row with the view's lines.
    Document picked(qint64 id)
    {
        Document d = *store.loadHeader(id);
        d.lines = store.viewLines(d.final->nr, d.final->rok.toInt());
        return d;
    }
    // Corrects the view line at `place` to a net value of `nettoGr`.
    CorrectedLine correction(const Document& inv, int place, qint64 nettoGr)
    {
        for (const auto& l : inv.lines)
            if (l.view && l.view->lpKoncowe == place) {
                DocumentLine after = l;
                after.netto = Money::fromGrosze(nettoGr);
                after.ilosc = 0.8;
                return CorrectedLine{l, after};
            }
        ADD_FAILURE() << "no line at " << place;
        return {};
    }
    Document korektaHeader()
    {
        Document k;
        k.own.rok = "2011";
        k.dataWyst = QDate(2011, 4, 1);
        k.formaZaplaty = 1;
        return k;
    }
    // Everything stored, as text, to compare before and after a failed write.
    QString snapshot()
    {
        QString s;
        for (const char* t : {"Faktura", "Faktura_Szczegoly", "Pozycje_Skorygowane", "Faktury_Skorygowane"})
            for (const auto& r : db.conn->selectRows(QString("select * from %1 order by Id").arg(t)))
                for (auto it = r.begin(); it != r.end(); ++it)
                    s += it.key() + "=" + it.value().toString() + ";";
        return s;
    }
    QVariant value(const QString& sql, const QVariantList& binds = {}) { return db.conn->scalar(sql, binds); }
};

} // namespace

TEST(Money, RoundsHalfAwayFromZeroAndRefusesWhatItCannotHold)
{
    EXPECT_EQ(Money::fromValue(3.335L), Money::fromGrosze(334));
    EXPECT_EQ(Money::fromValue(-3.335L), Money::fromGrosze(-334));
    EXPECT_EQ(Money::fromText("12,5"), Money::fromGrosze(1250));
    EXPECT_FALSE(Money::fromText("1E300"));
    EXPECT_FALSE(Money::fromText("abc"));
    EXPECT_EQ(Money::fromGrosze(-1).text(), "-0,01");
}

TEST(DocumentStore, ProFormaHasNoFinalIdentityAndLoadsBack)
{
    Fixture f;
    Document pro = invoice(2);
    pro.own.typ = "PFV";
    pro.mode = PriceMode::Brutto;
    const Document back = f.saved(pro, 40);
    EXPECT_EQ(back.own, (Identity{"PFV", "2011", 40}));
    EXPECT_FALSE(back.final);
    ASSERT_EQ(back.lines.size(), 2u);
    EXPECT_FALSE(back.lines[1].view);
    EXPECT_EQ(back.lines[1].lp, 2);
    EXPECT_EQ(back.lines[1].netto, Money::fromGrosze(20000));
    EXPECT_EQ(back.mode, PriceMode::Brutto);
    EXPECT_EQ(f.value("select count(*) from Faktura_Szczegoly where Faktura_Nr_Koncowy is not null").toInt(), 0);
}

TEST(DocumentStore, ReplaceRewritesHeaderAndLinesInOneStep)
{
    Fixture f;
    Document inv = f.saved(invoice(3), 5);
    inv.lines.erase(inv.lines.begin() + 1); // the user removed line 2 of 3
    inv.buyer.nazwa = "Nowy";
    const SaveOutcome r = f.store.replace(inv);
    ASSERT_TRUE(r.saved()) << r.error.toStdString();
    const Document back = *f.store.load(inv.id);
    EXPECT_EQ(back.buyer.nazwa, "Nowy");
    ASSERT_EQ(back.lines.size(), 2u);
    EXPECT_EQ(back.lines[0].lp, 1);
    EXPECT_EQ(back.lines[1].lp, 2);
    EXPECT_EQ(back.lines[1].nazwa, "Towar 3");
    EXPECT_EQ(back.lines[1].view->lpKoncowe, 2);
    EXPECT_EQ(*back.final, back.own);

    // A failure after the delete leaves the stored invoice whole.
    const QString before = f.snapshot();
    f.store.setStepHook([](const char* s) {
        if (std::string(s) == "lines")
            throw data::Error("awaria");
    });
    inv.lines.pop_back();
    EXPECT_EQ(f.store.replace(inv).status, SaveOutcome::Status::Failed);
    EXPECT_EQ(f.snapshot(), before);
}

TEST(DocumentStore, ReplaceRefusesMissingAndCorrectedInvoices)
{
    Fixture f;
    Document none = invoice(1);
    none.id = 999;
    const QString empty = f.snapshot();
    EXPECT_EQ(f.store.replace(none).status, SaveOutcome::Status::Failed);
    EXPECT_EQ(f.snapshot(), empty);

    Document inv = f.saved(invoice(2));
    ASSERT_TRUE(
        f.store
            .saveCorrection(f.korektaHeader(), f.picked(inv.id), {f.correction(f.picked(inv.id), 1, 8000)}, number(1))
            .saved());
    const SaveOutcome r = f.store.replace(inv);
    EXPECT_EQ(r.status, SaveOutcome::Status::Failed);
    EXPECT_TRUE(r.error.startsWith("Nie udało się zapisać faktury")) << r.error.toStdString();
}

TEST(DocumentStore, CorrectionWritesEveryIdentityColumn)
{
    Fixture f;
    const Document inv = f.saved(invoice(2), 7);
    const Document view = f.picked(inv.id);
    Document k = f.korektaHeader();
    k.wartNetto = Money::fromGrosze(-2000);
    const CorrectedLine cl = f.correction(view, 2, 18000);
    const SaveOutcome r = f.store.saveCorrection(k, view, {cl}, number(3));
    ASSERT_TRUE(r.saved()) << r.error.toStdString();
    EXPECT_EQ(r.nr, 3);

    const Document kfv = *f.store.load(r.id);
    EXPECT_EQ(kfv.own, (Identity{"KFV", "2011", 3}));
    EXPECT_FALSE(kfv.final);
    EXPECT_EQ(kfv.idZFakt, inv.id);
    EXPECT_EQ(kfv.nrZFakt, 7);
    EXPECT_EQ(kfv.rokZFakt, "2011");
    EXPECT_EQ(kfv.buyer.nazwa, "Stary Nabywca");
    EXPECT_EQ(kfv.wartNetto, Money::fromGrosze(-2000));
    EXPECT_TRUE(f.store.loadHeader(inv.id)->czyKorekta);

    ASSERT_EQ(kfv.lines.size(), 2u); // the new line and its reversal
    const DocumentLine& nowa = kfv.lines[0].fakturaTyp == "KFV" ? kfv.lines[0] : kfv.lines[1];
    const DocumentLine& storno = kfv.lines[0].fakturaTyp == "KFVb" ? kfv.lines[0] : kfv.lines[1];
    EXPECT_EQ(nowa.lp, 1);
    EXPECT_EQ(nowa.lpZFakt, 2);
    EXPECT_EQ(nowa.view->nrKoncowy, 7);
    EXPECT_EQ(nowa.view->rokKoncowy, 2011);
    EXPECT_EQ(nowa.view->lpKoncowe, 2);
    EXPECT_EQ(nowa.netto, Money::fromGrosze(18000));
    EXPECT_EQ(storno.fakturaTyp, "KFVb");
    EXPECT_FALSE(storno.view);
    EXPECT_EQ(storno.netto, Money::fromGrosze(-20000));
    EXPECT_DOUBLE_EQ(storno.ilosc, -1);
    EXPECT_EQ(storno.lpZFakt, cl.before.lp);

    EXPECT_EQ(f.value("select Id from Pozycje_Skorygowane where Id_Fakt=?", {r.id}).toLongLong(), nowa.idPozycSkoryg);
    EXPECT_EQ(f.value("select Wartosc_Netto from Pozycje_Skorygowane where Id_Fakt=?", {r.id}).toDouble(), 200.0);
    EXPECT_EQ(f.value("select Lp_Z_Fakt from Pozycje_Skorygowane where Id_Fakt=?", {r.id}).toInt(), 2);

    // The replaced line is detached; the view now holds line 1 and the new line at place 2.
    EXPECT_EQ(f.value("select Czy_Korekta from Faktura_Szczegoly where Id=?", {cl.before.id}).toInt(), 1);
    EXPECT_EQ(f.value("select Faktura_Nr_Koncowy from Faktura_Szczegoly where Id=?", {cl.before.id}).toInt(), 0);
    const auto lines = f.store.viewLines(7, 2011);
    ASSERT_EQ(lines.size(), 2u);
    // Plain sums over all lines count the corrected line at its new amount: 100 + (200 - 200 + 180).
    EXPECT_DOUBLE_EQ(f.value("select sum(Wartosc_Netto) from Faktura_Szczegoly").toDouble(), 280.0);
}

TEST(DocumentStore, FailedCorrectionLeavesTheDatabaseUnchangedAndARetryWritesOne)
{
    for (const char* at : {"new line", "detach"}) {
        Fixture f;
        const Document inv = f.saved(invoice(2));
        const Document view = f.picked(inv.id);
        const std::vector<CorrectedLine> lines{f.correction(view, 1, 5000), f.correction(view, 2, 5000)};
        const QString before = f.snapshot();
        int seen = 0;
        f.store.setStepHook([&](const char* s) {
            if (std::string(s) == at && ++seen == 2)
                throw data::Error("awaria");
        });
        EXPECT_EQ(f.store.saveCorrection(f.korektaHeader(), view, lines, number(1)).status, SaveOutcome::Status::Failed)
            << at;
        EXPECT_EQ(f.snapshot(), before) << at;
        f.store.setStepHook({});
        EXPECT_TRUE(f.store.saveCorrection(f.korektaHeader(), view, lines, number(1)).saved());
        EXPECT_EQ(f.value("select count(*) from Faktura where Typ='KFV'").toInt(), 1);
    }
}

TEST(DocumentStore, ALineCorrectedElsewhereStopsTheSave)
{
    Fixture f;
    const Document inv = f.saved(invoice(1));
    const Document view = f.picked(inv.id);
    const CorrectedLine cl = f.correction(view, 1, 5000);
    ASSERT_TRUE(f.store.saveCorrection(f.korektaHeader(), view, {cl}, number(1)).saved());
    // The same stale line again, as another window still holding it would send it.
    const SaveOutcome again = f.store.saveCorrection(f.korektaHeader(), view, {cl}, number(1));
    EXPECT_EQ(again.status, SaveOutcome::Status::Failed);
    EXPECT_EQ(f.value("select count(*) from Faktura where Typ='KFV'").toInt(), 1);
}

TEST(DocumentStore, ReCorrectingALineOfAnEarlierCorrection)
{
    Fixture f;
    const Document inv = f.saved(invoice(2), 9);
    ASSERT_TRUE(
        f.store
            .saveCorrection(f.korektaHeader(), f.picked(inv.id), {f.correction(f.picked(inv.id), 2, 15000)}, number(1))
            .saved());
    const Document view = f.picked(inv.id);
    const CorrectedLine cl = f.correction(view, 2, 12000);
    EXPECT_EQ(cl.before.fakturaTyp, "KFV");
    const SaveOutcome r = f.store.saveCorrection(f.korektaHeader(), view, {cl}, number(1));
    ASSERT_TRUE(r.saved()) << r.error.toStdString();
    EXPECT_EQ(r.nr, 2);
    const auto lines = f.store.viewLines(9, 2011);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(f.value("select Lp_Z_Fakt from Pozycje_Skorygowane where Id_Fakt=?", {r.id}).toInt(), 1);
    EXPECT_DOUBLE_EQ(f.value("select sum(Wartosc_Netto) from Faktura_Szczegoly where Faktura_Typ<>'PFV'").toDouble(),
                     220.0);
}

TEST(DocumentStore, NoteTakesOverTheFinalIdentity)
{
    Fixture f;
    const Document inv = f.saved(invoice(2), 4);
    Document nota;
    nota.own.rok = "2011";
    nota.dataWyst = QDate(2011, 5, 2);
    nota.buyer = Buyer{"", "Nowy Nabywca", "cd", false, "", "00-950", "Warszawa", "Krótka 2"};
    nota.uwagi = "zmiana nabywcy";
    const SaveOutcome r = f.store.saveNote(nota, f.picked(inv.id), number(1));
    ASSERT_TRUE(r.saved()) << r.error.toStdString();

    const Document n = *f.store.loadHeader(r.id);
    EXPECT_EQ(n.own, (Identity{"NFV", "2011", 1}));
    EXPECT_EQ(*n.final, (Identity{"FV", "2011", 4}));
    EXPECT_EQ(n.buyer.nazwa, "Nowy Nabywca");
    EXPECT_EQ(n.idZFakt, inv.id);
    EXPECT_EQ(n.wartNetto, inv.wartNetto);
    EXPECT_EQ(n.uwagi, "zmiana nabywcy");
    EXPECT_EQ(f.value("select Klient_Nazwa_Nazwisko from Faktury_Skorygowane where Id=?", {n.idFaktSkoryg}).toString(),
              "Stary Nabywca");
    EXPECT_EQ(f.value("select Data_Wyst from Faktury_Skorygowane where Id=?", {n.idFaktSkoryg}).toString(),
              "2011-05-02");
    EXPECT_TRUE(f.store.loadHeader(inv.id)->final->isEmpty());
    EXPECT_EQ(f.store.viewLines(4, 2011).size(), 2u); // the lines now show under the note

    // A second note of the same stale invoice finds its view gone and writes nothing.
    const QString before = f.snapshot();
    EXPECT_EQ(f.store.saveNote(nota, inv, number(1)).status, SaveOutcome::Status::Failed);
    EXPECT_EQ(f.snapshot(), before);

    // A correction of the noted invoice goes through the note's row.
    const Document view = f.picked(r.id);
    const SaveOutcome k = f.store.saveCorrection(f.korektaHeader(), view, {f.correction(view, 1, 9000)}, number(1));
    ASSERT_TRUE(k.saved()) << k.error.toStdString();
    EXPECT_EQ(f.store.loadHeader(k.id)->idZFakt, r.id);
    EXPECT_TRUE(f.store.loadHeader(r.id)->czyKorekta);
}

TEST(DocumentStore, FailedNoteWritesNothing)
{
    Fixture f;
    const Document inv = f.saved(invoice(1));
    Document nota;
    nota.own.rok = "2011";
    nota.dataWyst = QDate(2011, 5, 2);
    const QString before = f.snapshot();
    f.store.setStepHook([](const char* s) {
        if (std::string(s) == "clear")
            throw data::Error("awaria");
    });
    EXPECT_EQ(f.store.saveNote(nota, f.picked(inv.id), number(1)).status, SaveOutcome::Status::Failed);
    EXPECT_EQ(f.snapshot(), before);
}

namespace {

enum class Kind { Correction, Note, Edit };

// The invoice as a window of the kind loads it: the editing window with its own lines, the
// correction windows as the picker shows the view.
Document loadedFor(Kind kind, DocumentStore& store, qint64 id)
{
    if (kind == Kind::Edit)
        return *store.load(id);
    Document d = *store.loadHeader(id);
    d.lines = store.viewLines(d.final->nr, d.final->rok.toInt());
    return d;
}

// One save of the kind against `inv` as `store` loaded it.
SaveOutcome saveOf(Kind kind, Fixture& f, DocumentStore& store, const Document& inv)
{
    switch (kind) {
    case Kind::Correction: return store.saveCorrection(f.korektaHeader(), inv, {f.correction(inv, 1, 5000)}, number(1));
    case Kind::Note: {
        Document nota;
        nota.own.rok = "2011";
        nota.dataWyst = QDate(2011, 5, 2);
        nota.buyer.nazwa = "Nowy Nabywca";
        return store.saveNote(nota, inv, number(1));
    }
    case Kind::Edit: {
        Document d = inv;
        d.buyer.nazwa = "Poprawiony";
        return store.replace(d);
    }
    }
    return {};
}

} // namespace

TEST(DocumentStore, ASaveAgainstAnInvoiceAnotherCopyChangedMeanwhileWritesNothing)
{
    const std::pair<Kind, Kind> pairs[] = {
        {Kind::Note, Kind::Correction}, {Kind::Correction, Kind::Note}, {Kind::Edit, Kind::Correction},
        {Kind::Edit, Kind::Note},       {Kind::Correction, Kind::Edit}, {Kind::Note, Kind::Edit},
        {Kind::Note, Kind::Note},
    };
    for (const auto& [first, second] : pairs) {
        SCOPED_TRACE(int(first) * 10 + int(second));
        Fixture f;
        data::Connection other;
        ASSERT_TRUE(other.open(f.db.path));
        DocumentStore otherStore(other);
        const Document inv = f.saved(invoice(2), 6);
        // Both copies load the invoice view; the other one saves first.
        const Document mine = loadedFor(second, f.store, inv.id);
        const Document theirs = loadedFor(first, otherStore, inv.id);
        ASSERT_TRUE(saveOf(first, f, otherStore, theirs).saved());

        const QString before = f.snapshot();
        const SaveOutcome r = saveOf(second, f, f.store, mine);
        EXPECT_EQ(r.status, SaveOutcome::Status::Failed);
        EXPECT_TRUE(r.error.contains("w międzyczasie")) << r.error.toStdString();
        EXPECT_EQ(f.snapshot(), before);
    }
}
