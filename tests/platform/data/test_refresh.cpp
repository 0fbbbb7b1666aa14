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
// where it was, forwards and backwards, whatever the order lets it find its place by.
TEST(Refresh, AReadingEndedBetweenActionsGoesOnWhereItWas)
{
    TestDb db;
    QStringList all;
    {
        data::Transaction tx(*db.conn);
        for (int i = 0; i < 300; ++i) {
            all << QStringLiteral("K%1").arg(i, 3, 10, QLatin1Char('0'));
            db.conn->exec(QStringLiteral("insert into Klienci (Nr_Klienta) values (?)"), {all.last()});
        }
        tx.commit();
    }
    auto byKey = db.table(QStringLiteral("Klienci"));
    byKey->setIndexFieldNames(QStringLiteral("Nr_Klienta"));
    auto filtered = db.table(QStringLiteral("Klienci")); // no order: it goes on by counting
    filtered->setFilter(QStringLiteral("Nr_Klienta<>'x'"));
    filtered->setFiltered(true);
    data::Query query;
    query.setConnection(db.conn.get());
    query.setSql(QStringLiteral("select Nr_Klienta from Klienci order by Nr_Klienta"));
    const auto busy = [&] {
        int n = 0;
        for (sqlite3_stmt* st = sqlite3_next_stmt(db.conn->handle(), nullptr); st;
             st = sqlite3_next_stmt(db.conn->handle(), st))
            n += sqlite3_stmt_busy(st) ? 1 : 0;
        return n;
    };
    for (data::Dataset* d : std::initializer_list<data::Dataset*>{byKey.get(), filtered.get(), &query}) {
        SCOPED_TRACE(d == &query ? "query" : d == filtered.get() ? "filtered" : "ordered");
        d->open();
        EXPECT_GT(busy(), 0) << "the reading is under way";
        QStringList read;
        for (int i = 0; !d->eof(); d->next(), ++i) {
            read << d->fieldByName(QStringLiteral("Nr_Klienta")).asString();
            if (i % 7 == 0) {
                db.conn->releaseReads();
                EXPECT_EQ(busy(), 0);
            }
        }
        EXPECT_EQ(read, all);
        if (d != filtered.get()) { // from the end backwards, read in the reverse order
            QStringList back;
            d->close();
            d->open();
            d->last();
            for (int i = 0; i < 100; d->prior(), ++i) {
                back.prepend(d->fieldByName(QStringLiteral("Nr_Klienta")).asString());
                if (i % 7 == 0)
                    db.conn->releaseReads();
            }
            EXPECT_EQ(back, all.mid(200));
        }
        d->close();
    }
}
