// Numbering and the save of a new invoice: one transaction, the columns written, the prompt.
#include "support/TestDb.h"

#include "documents/DocumentStore.h"
#include "documents/InvoiceTexts.h"
#include "documents/LineGridModel.h"
#include "documents/Numbering.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

InvoiceDocument invoice(const QString& typ = "FV", const QString& rok = "2011")
{
    InvoiceDocument d;
    d.typ = typ;
    d.rok = rok;
    d.dataWyst = rok + "-03-05";
    d.dataSprzedarzy = "marzec";
    d.miejsceWyst = "Kraków";
    d.klientNr = "K1";
    d.nazwa = "O'Brien Sp. z o.o.";
    d.nazwaCd = "oddział";
    d.czyFirma = true;
    d.nip = "123-456-78-90";
    d.kod = "30-001";
    d.miasto = "Kraków";
    d.adres = "Długa 1";
    d.sumaNetto = "62,20";
    d.sumaBrutto = "76,50";
    d.formaZaplaty = "2";
    d.iloscDni = "14";
    d.uwagi = "linia 1\nlinia 2";
    return d;
}

void twoLines(LineGridModel& g)
{
    QStringList a{QString(), "S1", "Śruba", "M6", "25.94", "3,000", "szt.",
                  "12,35",   "5",  "35,20", "23", "8,10",  "43,29", "23"};
    QStringList b{QString(), "", "Usługa", "", "", "1,000", "h", "27,00", "0", "27,00", "23", "6,21", "33,21", "23"};
    g.appendLine(a);
    g.appendLine(b);
}

FirstNumberPrompt answer(std::optional<qint64> nr, int* asked = nullptr, QString* question = nullptr)
{
    return [=](const QString& q) {
        if (asked)
            ++*asked;
        if (question)
            *question = q;
        return nr;
    };
}

SaveOutcome save(TestDb& db, const InvoiceDocument& d, const FirstNumberPrompt& p = {})
{
    LineGridModel g;
    twoLines(g);
    return DocumentStore(*db.conn).saveNew(toDocument(d, g), p);
}

} // namespace

TEST(Numbering, FirstAsksThenCountsOnPerTypeAndYear)
{
    TestDb db;
    int asked = 0;
    QString question;
    auto first = save(db, invoice(), answer(120, &asked, &question));
    ASSERT_TRUE(first.saved()) << first.error.toStdString();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(question, "Podaj numer dla pierwszej faktury:");
    EXPECT_EQ(first.nr, 120);

    auto second = save(db, invoice(), answer(999, &asked));
    EXPECT_EQ(second.nr, 121);
    EXPECT_EQ(asked, 1);

    // A new year starts at 1 without asking.
    auto nextYear = save(db, invoice("FV", "2012"), answer(999, &asked));
    EXPECT_EQ(nextYear.nr, 1);
    EXPECT_EQ(asked, 1);

    // Pro formas are a series of their own: the first asks its own question even though VAT
    // invoices exist, and they never count for "FV".
    auto pro = save(db, invoice("PFV", "2011"), answer(500, &asked, &question));
    EXPECT_EQ(pro.nr, 500);
    EXPECT_EQ(question, "Podaj numer dla pierwszej faktury proforma:");
    EXPECT_EQ(nextNumber(*db.conn, "FV", "2011").nr, 122);
    EXPECT_EQ(nextNumber(*db.conn, "PFV", "2011").nr, 501);
}

TEST(Numbering, Questions)
{
    EXPECT_EQ(firstNumberQuestion("KFV"), "Podaj numer dla pierwszej korekty faktury:");
    EXPECT_EQ(firstNumberQuestion("NFV"), QString::fromUtf8("Podaj numer dla pierwszej noty korygującej:"));
}

TEST(Numbering, CancelledPromptWritesNothing)
{
    TestDb db;
    int asked = 0;
    auto r = save(db, invoice(), answer(std::nullopt, &asked));
    EXPECT_EQ(r.status, SaveOutcome::Status::Cancelled);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(db.count("select count(*) from Faktura"), 0);
    EXPECT_EQ(db.count("select count(*) from Faktura_Szczegoly"), 0);
}

TEST(InvoiceSave, WritesHeaderAndLines)
{
    TestDb db;
    auto r = save(db, invoice(), answer(7));
    ASSERT_TRUE(r.saved()) << r.error.toStdString();
    EXPECT_EQ(r.id, db.count("select Id from Faktura where Nr=7"));

    auto& c = *db.conn;
    auto h = [&](const char* col) {
        return c.scalar(QStringLiteral("select %1 from Faktura where Id=?").arg(col), {r.id});
    };
    EXPECT_EQ(h("Typ").toString(), "FV");
    EXPECT_EQ(h("Rok").toString(), "2011");
    EXPECT_EQ(h("Data_Wyst").toString(), "2011-03-05");
    EXPECT_TRUE(h("Data_Zaplaty").isNull());
    EXPECT_EQ(h("Klient_Nazwa_Nazwisko").toString(), "O'Brien Sp. z o.o.");
    EXPECT_EQ(h("Klient_Czy_Firma").toInt(), 1);
    EXPECT_DOUBLE_EQ(h("Wart_Netto").toDouble(), 62.20);
    EXPECT_DOUBLE_EQ(h("Wart_Brutto").toDouble(), 76.50);
    EXPECT_EQ(h("Forma_Zaplaty").toInt(), 2);
    EXPECT_EQ(h("Ilosc_Dni").toInt(), 14);
    EXPECT_EQ(h("Typ_Koncowy").toString(), "FV");
    EXPECT_EQ(h("Nr_Koncowy").toInt(), 7);
    EXPECT_EQ(h("Rok_Koncowy").toString(), "2011");
    EXPECT_EQ(h("Uwagi").toString(), "linia 1\nlinia 2");
    EXPECT_EQ(h("Netto_Brutto").toString(), "netto");
    EXPECT_EQ(h("Waluta").toString(), "PLN");
    EXPECT_EQ(h("Wart_Netto_Eu").toDouble(), 0);

    EXPECT_EQ(db.count("select count(*) from Faktura_Szczegoly where Id_Fakt=?", {r.id}), 2);
    auto l = [&](const char* col, int lp) {
        return c.scalar(QStringLiteral("select %1 from Faktura_Szczegoly where Id_Fakt=? and Lp=?").arg(col),
                        {r.id, lp});
    };
    EXPECT_EQ(l("Towary_Nazwa", 1).toString(), QString::fromUtf8("Śruba"));
    EXPECT_DOUBLE_EQ(l("Ilosc", 1).toDouble(), 3.0);
    EXPECT_DOUBLE_EQ(l("Towary_Cena", 1).toDouble(), 12.35);
    EXPECT_TRUE(l("Towary_Cena_Brutto", 1).isNull());
    EXPECT_DOUBLE_EQ(l("Rabat", 1).toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(l("Wartosc_Netto", 1).toDouble(), 35.20);
    EXPECT_EQ(l("Towary_Vat_Opis", 1).toString(), "23");
    EXPECT_DOUBLE_EQ(l("Towary_Vat_Wart", 1).toDouble(), 23.0);
    EXPECT_EQ(l("Waluta", 2).toString(), "PLN");
    EXPECT_EQ(l("Faktura_Typ", 2).toString(), "FV");
    EXPECT_EQ(l("Faktura_Nr", 2).toInt(), 7);
    EXPECT_EQ(l("Faktura_Rok", 2).toInt(), 2011);
    EXPECT_EQ(l("Faktura_Nr_Koncowy", 2).toInt(), 7);
    EXPECT_EQ(l("Faktura_Rok_Koncowy", 2).toInt(), 2011);
    EXPECT_EQ(l("Lp_Koncowe", 2).toInt(), 2);
    EXPECT_EQ(l("Faktura_Data_Wyst", 2).toString(), "2011-03-05");
    EXPECT_EQ(l("Klient_Nr", 2).toString(), "K1");
    EXPECT_EQ(l("Klient_Nip", 2).toString(), "123-456-78-90");
}

TEST(InvoiceSave, GrossModeAndProFormaColumns)
{
    TestDb db;
    auto d = invoice("PFV");
    d.mode = PriceMode::Brutto;
    d.dataZap = "2011-03-19";
    auto r = save(db, d, answer(1));
    ASSERT_TRUE(r.saved()) << r.error.toStdString();
    EXPECT_EQ(db.conn->scalar("select Netto_Brutto from Faktura where Id=?", {r.id}).toString(), "brutto");
    EXPECT_EQ(db.conn->scalar("select Data_Zaplaty from Faktura where Id=?", {r.id}).toString(), "2011-03-19");
    EXPECT_TRUE(db.conn->scalar("select Nr_Koncowy from Faktura where Id=?", {r.id}).isNull());
    EXPECT_EQ(db.count("select count(*) from Faktura_Szczegoly where Towary_Cena is null and Towary_Cena_Brutto=12.35"),
              1);
    EXPECT_EQ(db.count("select count(*) from Faktura_Szczegoly where Lp_Koncowe is not null"), 0);
}

TEST(InvoiceSave, KeyIsTheInsertedRowsOwn)
{
    TestDb db;
    // A stray row that a search by number, year and type would also find.
    db.conn->exec("insert into Faktura (Typ, Rok, Nr) values ('FVx', '2011', 1)");
    auto a = save(db, invoice(), answer(1));
    ASSERT_TRUE(a.saved());
    auto b = save(db, invoice("FV", "2012"), answer(1));
    ASSERT_TRUE(b.saved());
    EXPECT_EQ(b.nr, 1);
    EXPECT_NE(a.id, b.id);
    EXPECT_EQ(db.count("select count(*) from Faktura_Szczegoly where Id_Fakt=?", {b.id}), 2);
    EXPECT_EQ(db.conn->scalar("select Rok from Faktura where Id=?", {b.id}).toString(), "2012");
}

TEST(InvoiceSave, FailingSecondLineLeavesNothing)
{
    TestDb db;
    save(db, invoice(), answer(10));
    db.conn->exec("create trigger awaria before insert on Faktura_Szczegoly when new.Lp = 2 "
                  "begin select raise(abort, 'awaria dysku'); end");
    auto r = save(db, invoice(), answer(99));
    EXPECT_EQ(r.status, SaveOutcome::Status::Failed);
    EXPECT_TRUE(r.error.contains("awaria dysku")) << r.error.toStdString();
    EXPECT_EQ(db.count("select count(*) from Faktura"), 1);
    EXPECT_EQ(db.count("select count(*) from Faktura_Szczegoly"), 2);
    EXPECT_FALSE(db.conn->inTransaction());
}
