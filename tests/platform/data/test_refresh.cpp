#include "support/TestDb.h"

#include <sqlite3.h>

#include <functional>

// A refresh right after a reading may skip reading again only when nothing could have changed
// the rows: each way of changing them below must still show up.
TEST(Refresh, SeesEveryKindOfChangeAfterASortOrder)
{
    TestDb db;
    auto t = db.table(QStringLiteral("Klienci"));
    const auto add = [&](data::Connection& c, const QString& nr) {
        c.exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) values (?, ?)"), {nr, nr});
    };
    add(*db.conn, QStringLiteral("K1"));
    add(*db.conn, QStringLiteral("K2"));
    t->open();
    data::Connection other;
    ASSERT_TRUE(other.open(db.path));

    struct Case {
        const char* name;
        std::function<void()> change;
        int rows;
    };
    const std::vector<Case> cases{
        {"nothing", [] {}, 2},
        {"same connection", [&] { add(*db.conn, QStringLiteral("K3")); }, 3},
        {"other connection", [&] { add(other, QStringLiteral("K4")); }, 4},
        {"rolled back",
         [&] {
             data::Transaction tx(*db.conn);
             add(*db.conn, QStringLiteral("K5"));
         },
         4},
        {"deleted by other", [&] { other.exec(QStringLiteral("delete from Klienci where Nr_Klienta = 'K4'")); }, 3},
    };
    bool desc = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        desc = !desc;
        t->setIndexFieldNames(desc ? QStringLiteral("Nr_Klienta desc") : QStringLiteral("Nr_Klienta"));
        c.change();
        int reloads = 0;
        const auto conn = QObject::connect(t.get(), &data::Dataset::dataChanged, [&] { ++reloads; });
        t->refresh();
        QObject::disconnect(conn);
        EXPECT_EQ(reloads, QString::fromLatin1(c.name) == QLatin1String("nothing") ? 0 : 1);
        EXPECT_EQ(t->recordCount(), c.rows);
        int n = 0;
        for (t->first(); !t->eof(); t->next())
            ++n;
        EXPECT_EQ(n, c.rows);
    }

    // Inside a transaction a refresh always reads: a rollback could undo what it read.
    {
        data::Transaction tx(*db.conn);
        add(*db.conn, QStringLiteral("K6"));
        t->refresh();
        EXPECT_EQ(t->recordCount(), 4);
        tx.rollback();
        t->refresh();
        EXPECT_EQ(t->recordCount(), 3);
    }

    // A refresh on an unchanged dataset leaves the cursor as a reading would.
    t->last();
    ASSERT_TRUE(t->eof());
    t->refresh();
    EXPECT_FALSE(t->eof());
    EXPECT_EQ(t->recNo(), 3);
}

// Statements kept for reuse never outlive their database: reopening the connection and reading
// again works, and a search, a count and a far jump give the same answers each time.
TEST(Refresh, KeptStatementsFollowTheConnection)
{
    TestDb db;
    {
        data::Transaction tx(*db.conn);
        for (int i = 0; i < 600; ++i)
            db.conn->exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) values (?, ?)"),
                          {QStringLiteral("K%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("Nazwa %1").arg(i)});
        tx.commit();
    }
    auto t = db.table(QStringLiteral("Klienci"));
    t->setIndexFieldNames(QStringLiteral("Nr_Klienta"));
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        t->open();
        EXPECT_EQ(t->recordCount(), 600);
        ASSERT_TRUE(t->locate(QStringLiteral("Nr_Klienta"), QStringLiteral("k05"),
                              {.caseInsensitive = true, .partialKey = true}));
        EXPECT_EQ(t->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("K0500"));
        EXPECT_EQ(t->recNo(), 501);
        t->setRecNo(590);
        EXPECT_EQ(t->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("K0589"));
        t->first();
        EXPECT_EQ(t->fieldByName(QStringLiteral("Nr_Klienta")).asString(), QStringLiteral("K0000"));
        if (round == 1) {
            db.conn->close();
            EXPECT_FALSE(t->isActive());
            ASSERT_TRUE(db.conn->open(db.path));
        } else {
            t->close();
        }
    }
}

// A reading ended between the user's actions holds no statement of the connection and goes on
// where it was, forwards and backwards, whatever the order lets it find its place by: the keys
// of a table's order, the keys of a query's order shared by many rows (30 names, equal whatever
// their case), or counting where there is no order.
TEST(Refresh, AReadingEndedBetweenActionsGoesOnWhereItWas)
{
    TestDb db;
    {
        data::Transaction tx(*db.conn);
        for (int i = 0; i < 300; ++i)
            db.conn->exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) values (?, ?)"),
                          {QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0')),
                           QStringLiteral("%1 %2").arg(i % 20 < 10 ? "Klient" : "KLIENT").arg(i % 10)});
        tx.commit();
    }
    auto byKey = db.table(QStringLiteral("Klienci"));
    byKey->setIndexFieldNames(QStringLiteral("Nr_Klienta"));
    auto filtered = db.table(QStringLiteral("Klienci")); // no order: it goes on by counting
    filtered->setFilter(QStringLiteral("Nr_Klienta<>'x'"));
    filtered->setFiltered(true);
    data::Query query, byName;
    for (data::Query* q : {&query, &byName}) {
        q->setConnection(db.conn.get());
        q->setSql(QStringLiteral("select Nr_Klienta, Nazwa_Nazwisko from Klienci order by Nr_Klienta"));
    }
    byName.setIndexFieldNames(QStringLiteral("Nazwa_Nazwisko"));
    const auto busy = [&] {
        int n = 0;
        for (sqlite3_stmt* st = sqlite3_next_stmt(db.conn->handle(), nullptr); st;
             st = sqlite3_next_stmt(db.conn->handle(), st))
            n += sqlite3_stmt_busy(st) ? 1 : 0;
        return n;
    };
    // Every row's key, read forwards with the reads released every `every` rows (0: never).
    const auto forwards = [&](data::Dataset& d, int every) {
        QStringList read;
        d.open();
        EXPECT_GT(busy(), 0) << "the reading is under way";
        for (int i = 0; !d.eof(); d.next(), ++i) {
            read << d.fieldByName(QStringLiteral("Nr_Klienta")).asString();
            if (every && i % every == 0) {
                db.conn->releaseReads();
                EXPECT_EQ(busy(), 0);
            }
        }
        d.close();
        return read;
    };
    for (data::Dataset* d : std::initializer_list<data::Dataset*>{byKey.get(), filtered.get(), &query, &byName}) {
        SCOPED_TRACE(d == &query ? "query" : d == &byName ? "by name" : d == filtered.get() ? "filtered" : "ordered");
        const QStringList straight = forwards(*d, 0);
        ASSERT_EQ(straight.size(), 300);
        EXPECT_EQ(forwards(*d, 7), straight);
        if (d != filtered.get()) { // from the end backwards, read in the reverse order
            QStringList back;
            d->open();
            d->last();
            for (int i = 0; i < 100; d->prior(), ++i) {
                back.prepend(d->fieldByName(QStringLiteral("Nr_Klienta")).asString());
                if (i % 7 == 0)
                    db.conn->releaseReads();
            }
            EXPECT_EQ(back, straight.mid(200));
            d->close();
        }
    }
}

// The year list (documents of a year, or of some types in a year, in type and number order) read
// on after a release finds its place in an index: going on at the 400th row takes no more work
// than going on at the 40th, and the rows come as read straight.
TEST(Refresh, AListReadOnFindsItsPlaceByAnIndex)
{
    TestDb db;
    {
        data::Transaction tx(*db.conn);
        for (const char* rok : {"2010", "2011", "2012"})
            for (const char* typ : {"FV", "KFV", "PFV"})
                for (int nr = 1; nr <= 200; ++nr)
                    db.conn->exec(QStringLiteral("insert into Faktura (Typ, Rok, Nr) values (?, ?, ?)"),
                                  {QString::fromLatin1(typ), QString::fromLatin1(rok), nr});
        tx.commit();
    }
    sqlite3* h = db.conn->handle();
    // The steps of every statement of the connection since the last call.
    const auto steps = [&] {
        qint64 n = 0;
        for (sqlite3_stmt* st = sqlite3_next_stmt(h, nullptr); st; st = sqlite3_next_stmt(h, st))
            n += sqlite3_stmt_status(st, SQLITE_STMTSTATUS_VM_STEP, 1);
        return n;
    };
    for (const char* filter :
         {"Rok='2011'", "Rok='2011' and Typ='KFV'", "Rok='2011' and Typ='FV' or (Rok='2011' and Typ='KFV')"}) {
        SCOPED_TRACE(filter);
        auto list = db.table(QStringLiteral("Faktura_Kwerenda"));
        list->setIndexFieldNames(QStringLiteral("typ;rok;nr"));
        list->setFilter(QString::fromLatin1(filter));
        list->setFiltered(true);
        // The rows' type and number; the work of going on after a release at row `at`.
        const auto read = [&](int every, int at, qint64* work) {
            QStringList rows;
            list->open();
            for (int i = 1; !list->eof(); list->next(), ++i) {
                rows << list->fieldByName(QStringLiteral("Typ")).asString()
                        + list->fieldByName(QStringLiteral("Nr")).asString();
                if (i == at) {
                    db.conn->releaseReads();
                    steps();
                    for (int k = 0; k < 10; ++k)
                        list->next(), rows << QString();
                    *work = steps();
                    return rows;
                }
                if (every && i % every == 0)
                    db.conn->releaseReads();
            }
            list->close();
            return rows;
        };
        qint64 unused = 0, early = 0, late = 0;
        const QStringList straight = read(0, 0, &unused);
        EXPECT_EQ(read(7, 0, &unused).join(' ').toStdString(), straight.join(' ').toStdString());
        read(0, 40, &early);
        list->close();
        read(0, 190, &late);
        list->close();
        EXPECT_LT(late, 2 * early) << early << " steps at row 40";
    }
}
