#include "support/TestDb.h"

#include "platform/data/Collation.h"

#include <QFile>

using data::LocateOptions;

namespace {

void addClient(data::Table& t, const QString& nr, const QString& name, const QString& nip = QString())
{
    t.append();
    t.fieldByName(QStringLiteral("Nr_Klienta")).setAsString(nr);
    t.fieldByName(QStringLiteral("nazwa_nazwisko")).setAsString(name);
    t.fieldByName(QStringLiteral("NIP")).setAsString(nip);
    t.post();
}

QStringList column(data::Dataset& d, const QString& field)
{
    QStringList out;
    for (d.first(); !d.eof(); d.next())
        out << d.fieldByName(field).asString();
    return out;
}

} // namespace

TEST(Connection, MissingOrForeignFileIsReportedAndNeverCreated)
{
    QTemporaryDir dir;
    data::Connection c;
    const QString missing = dir.filePath(QStringLiteral("db.mdb"));
    EXPECT_FALSE(c.open(missing));
    EXPECT_FALSE(c.isConnected());
    EXPECT_TRUE(c.lastError().contains(QStringLiteral("Nie znaleziono")));
    EXPECT_FALSE(QFile::exists(missing));

    const QString junk = dir.filePath(QStringLiteral("junk.mdb"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    EXPECT_FALSE(c.open(junk));
    EXPECT_FALSE(c.lastError().isEmpty());
}

TEST(Connection, ConnectionStringDataSourceAndLookupByName)
{
    TestDb db;
    data::Connection c;
    c.setObjectName(QStringLiteral("ADOConnection_Test"));
    c.setConnectionString(QStringLiteral("Provider=X;Data Source=%1;Mode=Share Deny None").arg(db.path));
    EXPECT_EQ(c.connectionProperty(QStringLiteral("mode")), QStringLiteral("Share Deny None"));
    ASSERT_TRUE(c.open());
    EXPECT_EQ(data::Connection::find(QStringLiteral("adoconnection_test")), &c);
    // A confirmed save survives a power cut: every commit of the WAL is synced (FULL = 2).
    EXPECT_EQ(c.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_EQ(c.scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
}

TEST(Dataset, NavigationFieldsAndConversions)
{
    TestDb db;
    auto t = db.table(QStringLiteral("Towary"));
    t->open();
    EXPECT_TRUE(t->isEmpty());
    EXPECT_TRUE(t->eof());
    EXPECT_TRUE(t->bof());
    t->append();
    t->fieldByName(QStringLiteral("Symbol")).setAsString(QStringLiteral("A1"));
    t->fieldByName(QStringLiteral("Cena_Netto_Sprz")).setAsString(QStringLiteral("12,5"));
    t->fieldByName(QStringLiteral("Vat_Wart")).setAsFloat(0.1 + 0.2);
    t->post();
    EXPECT_EQ(t->state(), data::State::Browse);
    EXPECT_EQ(t->fieldByName(QStringLiteral("symbol")).asString(), QStringLiteral("A1"));
    EXPECT_EQ(t->fieldByName(QStringLiteral("Cena_Netto_Sprz")).asString(), QStringLiteral("12,5"));
    EXPECT_EQ(t->fieldByName(QStringLiteral("Vat_Wart")).asString(), QStringLiteral("0,3"));
    EXPECT_EQ(t->fieldByName(QStringLiteral("Arch")).asString(), QStringLiteral("False")); // default 0
    EXPECT_EQ(t->fieldByName(QStringLiteral("Cena_Netto_Zak_Eu")).asFloat(), 0.0);
    EXPECT_TRUE(t->fieldByName(QStringLiteral("Nazwa")).isNull());
    EXPECT_EQ(t->fieldByName(QStringLiteral("Nazwa")).asString(), QString());
    EXPECT_THROW(t->fieldByName(QStringLiteral("NoSuch")), data::Error);
    EXPECT_THROW(t->fieldByName(QStringLiteral("Nazwa")).setAsString(QStringLiteral("x")), data::Error);

    t->edit();
    t->fieldByName(QStringLiteral("Arch")).setAsBoolean(true);
    EXPECT_THROW(t->fieldByName(QStringLiteral("Cena_Netto_Zak")).setAsString(QStringLiteral("12a")), data::Error);
    t->post();
    EXPECT_EQ(t->fieldByName(QStringLiteral("Arch")).asString(), QStringLiteral("True"));
    EXPECT_EQ(db.conn->scalar(QStringLiteral("select Arch from Towary")).toInt(), 1);

    auto f = db.table(QStringLiteral("Faktura"));
    f->open();
    f->append();
    f->fieldByName(QStringLiteral("Data_Wyst")).setAsString(QStringLiteral("2011-03-01"));
    f->fieldByName(QStringLiteral("Nr")).setAsString(QStringLiteral("12"));
    f->post();
    EXPECT_EQ(f->lastInsertId(), 1);
    EXPECT_EQ(f->fieldByName(QStringLiteral("Id")).asInteger(), 1);
    EXPECT_EQ(f->fieldByName(QStringLiteral("Data_Wyst")).asDate(), QDate(2011, 3, 1));
    EXPECT_EQ(f->fieldByName(QStringLiteral("Data_Wyst")).asString(), QStringLiteral("2011-03-01"));
    EXPECT_EQ(db.conn->scalar(QStringLiteral("select Data_Wyst from Faktura")).toString(),
              QStringLiteral("2011-03-01"));
    EXPECT_THROW(f->fieldByName(QStringLiteral("Data_Wyst")).asInteger(), data::Error);
}

TEST(Dataset, ReadsRowsLazilyAndCounts)
{
    TestDb db;
    {
        data::Transaction tx(*db.conn);
        for (int i = 1; i <= 500; ++i)
            db.conn->exec(QStringLiteral("insert into Faktura_Szczegoly (Id_Fakt, Lp) values (?, ?)"), {i / 10, i});
        tx.commit();
    }
    auto t = db.table(QStringLiteral("Faktura_Szczegoly"));
    t->open();
    EXPECT_EQ(t->recNo(), 1);
    EXPECT_EQ(t->recordCount(), 500);
    t->setRecNo(250);
    EXPECT_EQ(t->fieldByName(QStringLiteral("Lp")).asInteger(), 250);
    EXPECT_EQ(t->moveBy(-10), -10);
    EXPECT_EQ(t->recNo(), 240);
    t->last();
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->fieldByName(QStringLiteral("Lp")).asInteger(), 500);
    t->next();
    EXPECT_EQ(t->recNo(), 500);
    t->first();
    t->prior();
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(t->recNo(), 1);

    // A row appended while most rows are unread shows once, at the end.
    t->refresh();
    t->append();
    t->fieldByName(QStringLiteral("Lp")).setAsInteger(501);
    t->post();
    EXPECT_EQ(t->fieldByName(QStringLiteral("Lp")).asInteger(), 501);
    EXPECT_EQ(column(*t, QStringLiteral("Lp")).size(), 501);
    t->last();
    EXPECT_EQ(t->fieldByName(QStringLiteral("Lp")).asInteger(), 501);
}

TEST(Dataset, UnnamedAggregatesAreExprColumns)
{
    TestDb db;
    db.conn->exec(QStringLiteral(
        "insert into Faktura_Szczegoly (Klient_Nr, Wartosc_Netto, Wartosc_Brutto) values ('K1', 10.5, 12.92)"));
    data::Query q;
    q.setConnection(db.conn.get());
    q.setSql(QStringLiteral(
        "select sum(wartosc_netto), sum(wartosc_brutto) as razem, count(*) from faktura_szczegoly where klient_nr=?"));
    q.addBindValue(QStringLiteral("k1"));
    q.open();
    EXPECT_EQ(q.fieldNames(), (QStringList{"Expr1000", "razem", "Expr1001"}));
    EXPECT_EQ(q.fieldByName(QStringLiteral("Expr1000")).asString(), QStringLiteral("10,5"));
    EXPECT_EQ(q.fieldByName(QStringLiteral("expr1001")).asInteger(), 1);

    data::Query m;
    m.setConnection(db.conn.get());
    m.setSql(QStringLiteral("select max(nr) from Faktura where typ=:typ and rok=:rok"));
    m.bindValue(QStringLiteral("typ"), QStringLiteral("FV"));
    m.bindValue(QStringLiteral(":rok"), QStringLiteral("2011"));
    m.open();
    EXPECT_TRUE(m.fieldByName(QStringLiteral("Expr1000")).isNull());
    EXPECT_EQ(m.fieldByName(QStringLiteral("Expr1000")).asString(), QString());
}

TEST(Dataset, SortsInPolishOrderIgnoringCase)
{
    TestDb db;
    auto t = db.table(QStringLiteral("Klienci"));
    t->open();
    for (const char* n : {"Zenon", "łucja", "Lech", "Ćma", "cyprian", "Żaneta", "źdźbło", "Adam", "ąbc"})
        addClient(*t, QString::fromUtf8(n).left(3), QString::fromUtf8(n));
    t->setIndexFieldNames(QStringLiteral("Nazwa_Nazwisko"));
    EXPECT_EQ(column(*t, QStringLiteral("Nazwa_Nazwisko")),
              QString::fromUtf8("Adam ąbc cyprian Ćma Lech łucja Zenon źdźbło Żaneta").split(QLatin1Char(' ')));
    EXPECT_EQ(data::comparePolish(QString::fromUtf8("ŁÓDŹ"), QString::fromUtf8("łódź")), 0);
    EXPECT_LT(data::comparePolish(QStringLiteral("lz"), QString::fromUtf8("ła")), 0);
}

TEST(Locate, OptionsAndCursor)
{
    TestDb db;
    auto t = db.table(QStringLiteral("Klienci"));
    t->setIndexFieldNames(QStringLiteral("Nr_Klienta"));
    t->open();
    addClient(*t, QStringLiteral("K001"), QStringLiteral("Kowalski Jan"), QStringLiteral("111"));
    addClient(*t, QStringLiteral("K002"), QString::fromUtf8("Łukasz Nowak"), QStringLiteral("222"));
    addClient(*t, QStringLiteral("K003"), QStringLiteral("kowalska Anna"), QStringLiteral("333"));
    t->refresh();

    struct Case {
        const char* field;
        const char* value;
        LocateOptions opts;
        const char* expected; // Nr_Klienta found, or nullptr
    } cases[] = {
        {"Nazwa_Nazwisko", "kowal", {true, true}, "K001"},
        {"Nazwa_Nazwisko", "kowal", {false, true}, "K003"},
        {"Nazwa_Nazwisko", "KOWALSKA ANNA", {true, false}, "K003"},
        {"Nazwa_Nazwisko", "KOWALSKA ANNA", {false, false}, nullptr},
        {"Nazwa_Nazwisko", "kowal", {true, false}, nullptr},
        {"nazwa_nazwisko", "łuk", {true, true}, "K002"},
        {"Nazwa_Nazwisko", "", {true, true}, nullptr},
        {"NIP", "22", {false, true}, "K002"},
        {"Nr_Klienta", "k00", {false, true}, nullptr},
        {"Nr_Klienta", "k003", {true, false}, "K003"},
    };
    for (const Case& c : cases) {
        t->first();
        t->next(); // start on K002: a failed locate must leave the cursor here
        const bool found = t->locate(QString::fromUtf8(c.field), QString::fromUtf8(c.value), c.opts);
        EXPECT_EQ(found, c.expected != nullptr) << c.field << " " << c.value;
        EXPECT_EQ(t->fieldByName(QStringLiteral("Nr_Klienta")).asString(),
                  QString::fromUtf8(c.expected ? c.expected : "K002"))
            << c.field << " " << c.value;
    }

    auto f = db.table(QStringLiteral("Faktura"));
    f->open();
    db.conn->exec(QStringLiteral("insert into Faktura (Typ, Rok, Nr, Typ_Koncowy, Rok_Koncowy, Nr_Koncowy) values "
                                 "('FV','2011',12,'FV','2011',12), ('FV','2011',2,'FV','2011',2)"));
    f->refresh();
    EXPECT_TRUE(
        f->locate(QStringLiteral("Typ_Koncowy;Rok_Koncowy;Nr_Koncowy"), QVariantList{"fv", "2011", 2}, {true, false}));
    EXPECT_EQ(f->fieldByName(QStringLiteral("Nr")).asInteger(), 2);
    EXPECT_TRUE(f->locate(QStringLiteral("Id"), QStringLiteral("1")));
    EXPECT_EQ(f->fieldByName(QStringLiteral("Nr")).asInteger(), 12);
    EXPECT_FALSE(f->locate(QStringLiteral("Nr_Koncowy"), 1));
    EXPECT_EQ(f->fieldByName(QStringLiteral("Nr")).asInteger(), 12);
}

TEST(Apostrophe, StoredFoundAndNeverInjected)
{
    TestDb db;
    auto t = db.table(QStringLiteral("Klienci"));
    t->open();
    addClient(*t, QStringLiteral("K1"), QStringLiteral("O'Brien"));
    addClient(*t, QStringLiteral("K2"), QStringLiteral("Smith"));

    t->setFilter(QStringLiteral("Nazwa_Nazwisko=") + data::quote(QStringLiteral("o'brien")));
    t->setFiltered(true);
    EXPECT_EQ(column(*t, QStringLiteral("Nr_Klienta")), QStringList{"K1"});

    // A value spliced without quoting is a bad filter, reported, and matches nothing it shouldn't.
    EXPECT_THROW(t->setFilter(QStringLiteral("Nazwa_Nazwisko='O'Brien'")), data::Error);
    t->setFilter(QStringLiteral("Nazwa_Nazwisko=") + data::quote(QStringLiteral("x' or '1'='1")));
    EXPECT_TRUE(t->isEmpty());
    t->setFiltered(false);

    EXPECT_EQ(
        db.conn
            ->scalar(QStringLiteral("select count(*) from klienci where nazwa_nazwisko=?"), {QStringLiteral("O'Brien")})
            .toInt(),
        1);
    EXPECT_EQ(db.conn->exec(QStringLiteral("update klienci set tel='1' where nazwa_nazwisko=")
                            + data::quote(QStringLiteral("O'Brien"))),
              1);
    EXPECT_EQ(data::quote(QStringLiteral("a'b")), QStringLiteral("'a''b'"));
    EXPECT_EQ(data::quote(QVariant()), QStringLiteral("NULL"));
    EXPECT_EQ(data::quote(true), QStringLiteral("1"));
    EXPECT_EQ(data::quote(QDate(2011, 3, 1)), QStringLiteral("'2011-03-01'"));
    EXPECT_TRUE(t->locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("o'b"), {true, true}));
}

TEST(Transaction, FailedThirdLineLeavesNothing)
{
    TestDb db;
    auto head = db.table(QStringLiteral("Faktura"));
    auto lines = db.table(QStringLiteral("Faktura_Szczegoly"));
    head->open();
    lines->open();
    const QStringList quantities{"1", "2", "trzy"};
    try {
        data::Transaction tx(*db.conn);
        head->append();
        head->fieldByName(QStringLiteral("Typ")).setAsString(QStringLiteral("FV"));
        head->post();
        const qint64 id = head->lastInsertId();
        for (int i = 0; i < quantities.size(); ++i) {
            lines->append();
            lines->fieldByName(QStringLiteral("Id_Fakt")).setAsInteger(id);
            lines->fieldByName(QStringLiteral("Lp")).setAsInteger(i + 1);
            lines->fieldByName(QStringLiteral("Ilosc")).setAsString(quantities[i]);
            lines->post();
        }
        tx.commit();
        FAIL() << "the third line must fail";
    } catch (const data::Error&) {
        lines->cancel();
    }
    EXPECT_EQ(db.conn->scalar(QStringLiteral("select count(*) from Faktura")).toInt(), 0);
    EXPECT_EQ(db.conn->scalar(QStringLiteral("select count(*) from Faktura_Szczegoly")).toInt(), 0);
    EXPECT_FALSE(db.conn->inTransaction());

    {
        data::Transaction tx(db.conn.get());
        db.conn->exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('23%', 23)"));
        {
            data::Transaction inner(*db.conn); // nested: a savepoint
            db.conn->exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('8%', 8)"));
        }
        tx.commit();
    }
    EXPECT_EQ(db.conn->scalar(QStringLiteral("select count(*) from Vat")).toInt(), 1);
}
