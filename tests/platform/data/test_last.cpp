// last() on a long result reads the last row from the end, and a saved query over one table is
// counted on the table: these tests hold both to what a plain reading of the same rows gives.
#include "support/TestDb.h"

#include "platform/data/ViewShape.h"

namespace {

constexpr int kDocs = 1500;

// Documents of three types and several years, with NULL types and years among them (they sort
// first), payment kinds that exist and one that does not (the join finds nothing), and none to
// three lines each.
void fill(data::Connection& c)
{
    data::Transaction tx(c);
    c.exec(QStringLiteral("insert into Forma_Zaplaty (Id, Nazwa) values (1, 'Gotówka'), (2, 'Przelew')"));
    const char* types[] = {"FV", "KFV", "PFV"};
    for (int i = 1; i <= kDocs; ++i) {
        const QVariant typ = i % 97 == 0 ? QVariant() : QVariant(QString::fromLatin1(types[(i * 7) % 3]));
        const QVariant rok = i % 89 == 0 ? QVariant() : QVariant(QString::number(2005 + (i * 13) % 8));
        c.exec(
            QStringLiteral(
                "insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Forma_Zaplaty, Id_Z_Fakt) values (?,?,?,?,?,?,?)"),
            {i, typ, rok, (i * 31) % 500, QStringLiteral("2011-%1-01").arg(1 + i % 12, 2, 10, QLatin1Char('0')),
             1 + i % 3, i % 5 == 0 ? QVariant(i - 1) : QVariant()});
        for (int lp = 1; lp <= i % 4; ++lp)
            c.exec(QStringLiteral("insert into Faktura_Szczegoly (Id_Fakt, Lp) values (?, ?)"), {i, lp});
    }
    tx.commit();
}

QList<qint64> ids(data::Dataset& d)
{
    QList<qint64> out;
    for (d.first(); !d.eof(); d.next())
        out << d.fieldByName(QStringLiteral("Id")).asLargeInt();
    return out;
}

qint64 id(data::Dataset& d) { return d.fieldByName(QStringLiteral("Id")).asLargeInt(); }

// A dataset opened on `name`, having read its first row only; `all` gets the ids of every row
// as a reading from the first row gives them (by a dataset of its own).
std::unique_ptr<data::Table> openFresh(TestDb& db, const QString& name, const QString& order, const QString& filter,
                                       QList<qint64>& all)
{
    std::unique_ptr<data::Table> t;
    for (int round = 0; round < 2; ++round) {
        t = db.table(name);
        t->setIndexFieldNames(order);
        t->setFilter(filter);
        t->setFiltered(!filter.isEmpty());
        t->open();
        if (round == 0)
            all = ids(*t);
    }
    return t;
}

} // namespace

// The document list: a saved query, sorted both ways, filtered; every way of moving from the
// last row agrees with a reading from the first row.
TEST(Last, SavedQueryFromTheEndAgreesWithAReadingFromTheTop)
{
    TestDb db;
    fill(*db.conn);
    for (const char* order : {"typ;rok;nr", "Typ desc;Rok;Nr desc;Id"}) {
        for (const char* filter : {"", "Rok>0 and Typ<>'KFV'"}) {
            SCOPED_TRACE(std::string(order) + " / " + filter);
            QList<qint64> all;
            auto t = openFresh(db, QStringLiteral("Faktura_Kwerenda"), QString::fromLatin1(order),
                               QString::fromLatin1(filter), all);
            const int n = int(all.size());
            ASSERT_GT(n, 500);
            EXPECT_EQ(t->recordCount(), n); // counted, not read
            t->last();
            EXPECT_TRUE(t->eof());
            EXPECT_EQ(id(*t), all.last());
            EXPECT_EQ(t->recNo(), n);
            EXPECT_EQ(t->recordCount(), n);
            for (int i = n - 2; i >= n - 300; --i) { // back over several pages
                t->prior();
                ASSERT_EQ(id(*t), all[i]) << i;
            }
            EXPECT_EQ(t->recNo(), n - 299);

            // Rows just before the window and far before it, for a grid, without moving.
            QList<qint64> seen;
            const int field = t->fieldByName(QStringLiteral("Id")).index();
            t->visitRows(n - 340, 60, {field}, [&](int, const QVariantList& v) { seen << v[0].toLongLong(); });
            t->visitRows(10, 5, {field}, [&](int, const QVariantList& v) { seen << v[0].toLongLong(); });
            EXPECT_EQ(seen, all.mid(n - 340, 60) + all.mid(10, 5));
            EXPECT_EQ(t->recNo(), n - 299);

            t->setRecNo(n - 5);
            EXPECT_EQ(id(*t), all[n - 6]);
            t->setRecNo(3); // far back: read from the top again
            EXPECT_EQ(id(*t), all[2]);
            t->setRecNo(n - 400); // nearer the end than the rows read: from the end backwards
            EXPECT_EQ(id(*t), all[n - 401]);
            EXPECT_EQ(t->moveBy(500), 400);
            EXPECT_TRUE(t->eof());

            t->refresh(); // nothing changed: stays, and still goes back from the end
            EXPECT_EQ(t->recNo(), n);
            t->moveBy(-100);
            EXPECT_EQ(id(*t), all[n - 101]);
        }
    }
}

TEST(Last, RefreshAndLocateFromAWindowAtTheEnd)
{
    TestDb db;
    fill(*db.conn);
    QList<qint64> all;
    auto t = openFresh(db, QStringLiteral("Faktura_Kwerenda"), QStringLiteral("typ;rok;nr"), QString(), all);
    t->last();
    const qint64 last = id(*t);
    ASSERT_EQ(last, all.last());

    // Not found: the cursor stays on the last row; found before the window or in it: moves.
    EXPECT_FALSE(t->locate(QStringLiteral("Id"), 99999));
    EXPECT_EQ(id(*t), last);
    EXPECT_EQ(t->recNo(), kDocs);
    ASSERT_TRUE(t->locate(QStringLiteral("Id"), all[40]));
    EXPECT_EQ(t->recNo(), 41);
    t->last();
    t->prior();
    ASSERT_TRUE(t->locate(QStringLiteral("Id"), last));
    EXPECT_EQ(t->recNo(), kDocs);

    // A document added that sorts last: a refresh keeps the position, the new row follows.
    db.conn->exec(QStringLiteral("insert into Faktura (Id, Typ, Rok, Nr) values (5000, 'ZZ', '2099', 1)"));
    t->refresh();
    EXPECT_EQ(t->recNo(), kDocs);
    EXPECT_EQ(id(*t), last);
    EXPECT_EQ(t->recordCount(), kDocs + 1);
    t->next();
    EXPECT_EQ(id(*t), 5000);

    // Rows deleted under the window: a refresh lands on the last row that is left.
    db.conn->exec(QStringLiteral("delete from Faktura where Id in (5000, ?)"), {last});
    t->refresh();
    EXPECT_EQ(t->recNo(), kDocs - 1);
    EXPECT_EQ(id(*t), all[kDocs - 2]);
}

// A table without an order comes in rowid order: its last row is found by the rowid, and rows
// posted at the end show after it.
TEST(Last, TableWithoutOrderAndPostsAtTheEnd)
{
    TestDb db;
    fill(*db.conn);
    QList<qint64> all;
    auto t = openFresh(db, QStringLiteral("Faktura"), QString(), QString(), all);
    t->last();
    EXPECT_EQ(id(*t), kDocs);
    EXPECT_EQ(t->recNo(), kDocs);
    t->prior();
    EXPECT_EQ(id(*t), kDocs - 1);
    t->append();
    t->fieldByName(QStringLiteral("Typ")).setAsString(QStringLiteral("FV"));
    t->post();
    EXPECT_EQ(t->recNo(), kDocs + 1);
    t->moveBy(-70); // back past the rows read from the end, after a write
    EXPECT_EQ(id(*t), kDocs + 1 - 70);
    EXPECT_EQ(t->recordCount(), kDocs + 1);

    // Filtered (no order of its own to reverse): the last row by its position.
    QList<qint64> fv;
    t = openFresh(db, QStringLiteral("Faktura"), QString(), QStringLiteral("Typ='FV'"), fv);
    t->last();
    EXPECT_EQ(id(*t), fv.last());
    EXPECT_EQ(t->recNo(), fv.size());
    t->prior();
    EXPECT_EQ(id(*t), fv[fv.size() - 2]);
}

// The count on the base table must equal the count of the query itself, whatever the query's
// shape: only a query that shows each row of one table once may be counted on that table.
TEST(Count, OnTheBaseTableOnlyWhereTheQueryShowsItsRowsOneForOne)
{
    TestDb db;
    fill(*db.conn);
    for (const char* v : {
             "create view V_Inner as select f.*, z.Nazwa from Faktura f join Forma_Zaplaty z on z.Id = f.Forma_Zaplaty",
             "create view V_Lines as select f.Id, f.Typ, s.Lp from Faktura f left join Faktura_Szczegoly s on "
             "s.Id_Fakt = f.Id",
             "create view V_Where as select * from Faktura f where f.Typ = 'FV'",
             "create view V_Self as select f.Id, f.Typ, g.Typ as Typ2 from Faktura f left join Faktura g on g.Id = "
             "f.Id_Z_Fakt",
             "create view V_Sub as select f.Id, f.Typ, (select count(*) from Faktura_Szczegoly s where s.Id_Fakt = "
             "f.Id) as Ile "
             "from Faktura f left join Forma_Zaplaty z on z.Id = f.Forma_Zaplaty",
         })
        db.conn->exec(QString::fromLatin1(v));
    const struct {
        const char* view;
        const char* filter;
    } cases[] = {
        {"Faktura_Kwerenda", ""},
        {"Faktura_Kwerenda", "Rok>0"},
        {"Faktura_Kwerenda", "Typ='FV' or Typ='PFV'"},
        {"Faktura_Kwerenda", "Nazwa='gotówka'"}, // a column of the joined table
        {"V_Inner", ""},
        {"V_Lines", "Typ='FV'"},
        {"V_Where", ""},
        {"V_Self", "Typ2='FV'"},
        {"V_Sub", "Ile=2"},
        {"V_Sub", "Typ='KFV'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.view) + " / " + c.filter);
        QList<qint64> all;
        auto t = openFresh(db, QString::fromLatin1(c.view), QStringLiteral("Id"), QString::fromUtf8(c.filter), all);
        const int rows = int(all.size());
        ASSERT_GT(rows, 1);
        EXPECT_EQ(t->recordCount(), rows); // the first row read, the rest counted
        t->last();
        EXPECT_EQ(t->recNo(), rows);
    }
}

TEST(ViewShape, OnlyLeftJoinsOnAnIntegerKeyOverOneTable)
{
    using data::detail::parseViewJoins;
    const auto joins = parseViewJoins(QStringLiteral(
        "CREATE VIEW Faktura_Kwerenda AS\n-- documents\nSELECT f.Id, (SELECT max(x) FROM t WHERE y = 1) AS m, z.Nazwa\n"
        "FROM main.Faktura AS f LEFT OUTER JOIN \"Forma Zaplaty\" z ON f.Forma_Zaplaty = z.[Id] /* by key */;"));
    ASSERT_TRUE(joins);
    EXPECT_EQ(joins->table, QStringLiteral("Faktura"));
    ASSERT_EQ(joins->joins.size(), 1u);
    EXPECT_EQ(joins->joins[0].table, QStringLiteral("Forma Zaplaty"));
    EXPECT_EQ(joins->joins[0].keyColumn, QStringLiteral("Id"));
    EXPECT_TRUE(parseViewJoins(QStringLiteral("create view v(a) as select x from t")));
    for (const char* no : {
             "create view v as select distinct x from t",
             "create view v as select x from t where x > 0",
             "create view v as select x from t group by x",
             "create view v as select x from t order by x",
             "create view v as select x from t limit 5",
             "create view v as select x from t union select x from u",
             "create view v as select x from t a join u b on b.id = a.u",
             "create view v as select x from t a inner join u b on b.id = a.u",
             "create view v as select x from t a, u b",
             "create view v as select x from t a left join u b using (id)",
             "create view v as select x from t a natural left join u b",
             "create view v as select x from t a left join u b on b.id = a.u and b.k = 1",
             "create view v as select x from t a left join u b on b.id = b.u",
             "create view v as select x from t a left join u b on b.id = c.u",
             "create view v as select x from t a left join u b on (b.id = a.u)",
             "create view v as select x from (select x from t)",
             "create view v as select x from other.t",
         })
        EXPECT_FALSE(parseViewJoins(QString::fromLatin1(no))) << no;
}

// The document query of the lists is counted on Faktura; the editing picker's query keeps only
// some invoices (a WHERE), so it is counted as it is.
TEST(ViewShape, DocumentQueriesCountOnFaktura)
{
    TestDb db;
    const auto source = [&](const char* view) {
        const QString name = QString::fromLatin1(view);
        return data::detail::viewCountSource(
            db.conn->handle(), name, db.conn->cachedStatement(QStringLiteral("SELECT * FROM \"%1\"").arg(name)));
    };
    const auto src = source("Faktura_Kwerenda");
    ASSERT_TRUE(src);
    EXPECT_EQ(src->table.toLower(), QStringLiteral("faktura"));
    ASSERT_FALSE(src->columns.empty());
    EXPECT_EQ(src->columns.front(), QStringLiteral("Id"));
    EXPECT_EQ(src->columns.back(), QString()); // Nazwa, of the payment kinds
    EXPECT_FALSE(source("Kwerenda_Faktura_Poprawa"));
    EXPECT_FALSE(source("Faktura_Rok")); // DISTINCT
}
