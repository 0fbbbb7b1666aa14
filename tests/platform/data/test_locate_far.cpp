// Locate on sorted tables jumps straight to the match (SQLite finds it and counts the rows
// before it); these tests hold it to the same answers as a plain scan of the same rows, which a
// read-only query still does.
#include "support/TestDb.h"

using data::LocateOptions;

namespace {

constexpr int kRows = 1500;

// Names in an order unrelated to the numbers, with ties that differ only in case, some empty
// towns (NULL) and every third client a company.
void fill(data::Connection& c)
{
    data::Transaction tx(c);
    for (int i = 0; i < kRows; ++i) {
        const int n = (i * 7919) % kRows;
        QString name = n % 10 == 0 ? QStringLiteral("Nowak Łukasz") : QStringLiteral("Kowalski %1").arg(n);
        if (n % 20 == 0)
            name = name.toUpper(); // a tie with the other spelling
        const QVariant town = i % 7 == 0 ? QVariant() : QVariant(QStringLiteral("Miasto %1").arg(i % 5));
        c.exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko, Miasto, Czy_Firma) values (?,?,?,?)"),
               {QStringLiteral("K%1").arg(i, 5, 10, QLatin1Char('0')), name, town, i % 3 == 0});
    }
    tx.commit();
}

struct Pair {
    std::unique_ptr<data::Table> table;
    data::Query scan; // the same rows and order, read row by row
};

std::unique_ptr<Pair> open(TestDb& db, const QString& order, const QString& orderSql, bool firms = false)
{
    auto p = std::make_unique<Pair>();
    p->table = db.table(QStringLiteral("Klienci"));
    p->table->setIndexFieldNames(order);
    if (firms) {
        p->table->setFilter(QStringLiteral("Czy_Firma=true"));
        p->table->setFiltered(true);
    }
    p->table->open();
    p->scan.setConnection(db.conn.get());
    p->scan.setSql(QStringLiteral("select * from Klienci %1 order by %2, rowid")
                       .arg(firms ? QStringLiteral("where Czy_Firma=1") : QString(), orderSql));
    p->scan.open();
    return p;
}

QString nr(data::Dataset& d) { return d.fieldByName(QStringLiteral("Nr_Klienta")).asString(); }

} // namespace

TEST(LocateFar, SameRowAndPositionAsAScanForEveryKindOfSearch)
{
    TestDb db;
    fill(*db.conn);
    const LocateOptions prefix{.caseInsensitive = true, .partialKey = true};
    const LocateOptions exactCi{.caseInsensitive = true, .partialKey = false};
    const struct {
        const char* field;
        QVariant value;
        LocateOptions opts;
    } cases[] = {
        {"Nazwa_Nazwisko", QStringLiteral("kowalski 1499"), prefix},
        {"Nazwa_Nazwisko", QStringLiteral("KOWALSKI 7"), prefix}, // many matches: the first in order
        {"Nazwa_Nazwisko", QStringLiteral("nowak ł"), prefix},    // ties in the sort key
        {"Nazwa_Nazwisko", QStringLiteral("NOWAK ŁUKASZ"), exactCi},
        {"Nazwa_Nazwisko", QStringLiteral("Kowalski 733"), {}}, // exact, case-sensitive
        {"Nr_Klienta", QStringLiteral("k01234"), prefix},       // not the sort field
        {"Miasto", QVariant(), {}},                             // a NULL town
        {"Czy_Firma", true, {}},
    };
    for (const char* order : {"Nazwa_Nazwisko", "Miasto desc;Nazwa_Nazwisko"}) {
        for (bool firms : {false, true}) {
            const QString o = QString::fromLatin1(order);
            const QString sql = o.startsWith(QLatin1String("Miasto"))
                ? QStringLiteral("Miasto collate polish desc, Nazwa_Nazwisko collate polish")
                : QStringLiteral("Nazwa_Nazwisko collate polish");
            auto p = open(db, o, sql, firms);
            for (const auto& c : cases) {
                SCOPED_TRACE(QStringLiteral("%1 / %2 / %3").arg(o, c.value.toString()).arg(firms).toStdString());
                const bool a = p->table->locate(QString::fromLatin1(c.field), c.value, c.opts);
                const bool b = p->scan.locate(QString::fromLatin1(c.field), c.value, c.opts);
                ASSERT_EQ(a, b);
                if (!a)
                    continue;
                EXPECT_EQ(nr(*p->table), nr(p->scan));
                EXPECT_EQ(p->table->recNo(), p->scan.recNo());
                EXPECT_EQ(p->table->recordCount(), p->scan.recordCount());
            }
        }
    }
}

TEST(LocateFar, WalkingBothWaysFromAFarMatchAndBackToTheTop)
{
    TestDb db;
    fill(*db.conn);
    auto p = open(db, QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("Nazwa_Nazwisko collate polish"));
    ASSERT_TRUE(p->table->locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("nowak"), {true, true}));
    ASSERT_TRUE(p->scan.locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("nowak"), {true, true}));
    // Straight back from the match, before its position is known.
    ASSERT_FALSE(p->table->recNoKnown());
    p->table->prior();
    p->scan.prior();
    EXPECT_FALSE(p->table->bof());
    EXPECT_EQ(nr(*p->table), nr(p->scan));
    p->table->next();
    p->scan.next();
    const int at = p->table->recNo();
    ASSERT_GT(at, 200) << "the match should lie well beyond the first rows read";

    // forwards to the end, over the ties
    for (int i = 0; i < 300 && !p->scan.eof(); ++i) {
        ASSERT_FALSE(p->table->eof());
        ASSERT_EQ(nr(*p->table), nr(p->scan));
        ASSERT_EQ(p->table->recNo(), p->scan.recNo());
        p->table->next();
        p->scan.next();
    }
    // backwards past the row the locate landed on (rows before it are read a page at a time)
    p->table->setRecNo(at);
    p->scan.setRecNo(at);
    for (int i = 0; i < 150; ++i) {
        p->table->prior();
        p->scan.prior();
        ASSERT_EQ(nr(*p->table), nr(p->scan));
        ASSERT_EQ(p->table->recNo(), p->scan.recNo());
    }
    p->table->setRecNo(3);
    p->scan.setRecNo(3);
    EXPECT_EQ(nr(*p->table), nr(p->scan));
    EXPECT_EQ(p->table->moveBy(-5), -2);
    EXPECT_TRUE(p->table->bof());
    p->table->last();
    EXPECT_EQ(p->table->recNo(), kRows);
    EXPECT_EQ(p->table->recordCount(), kRows);
    p->table->first();
    EXPECT_EQ(p->table->recNo(), 1);
    p->scan.first();
    EXPECT_EQ(nr(*p->table), nr(p->scan));
}

TEST(LocateFar, NotFoundLeavesTheCursorAndEmptyPrefixFindsNothing)
{
    TestDb db;
    fill(*db.conn);
    auto t = db.table(QStringLiteral("Klienci"));
    t->setIndexFieldNames(QStringLiteral("Nazwa_Nazwisko"));
    t->open();
    ASSERT_TRUE(t->locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("kowalski 999"), {true, true}));
    const int at = t->recNo();
    const QString here = nr(*t);
    for (const QVariant& v :
         {QVariant(QStringLiteral("zzz")), QVariant(QStringLiteral("")), QVariant(QStringLiteral("kowalski 1500"))}) {
        EXPECT_FALSE(t->locate(QStringLiteral("Nazwa_Nazwisko"), v, {true, true}));
        EXPECT_EQ(t->recNo(), at);
        EXPECT_EQ(nr(*t), here);
    }
}

TEST(LocateFar, RefreshEditAndAppendAfterAFarLocate)
{
    TestDb db;
    fill(*db.conn);
    auto t = db.table(QStringLiteral("Klienci"));
    t->setIndexFieldNames(QStringLiteral("Nazwa_Nazwisko"));
    t->open();
    data::Field& number = t->fieldByName(QStringLiteral("Nr_Klienta"));
    ASSERT_TRUE(t->locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("kowalski 999"), {true, true}));
    const int at = t->recNo();
    const QString here = number.asString();

    t->refresh(); // keeps the row and its position; the field references stay valid
    EXPECT_EQ(t->recNo(), at);
    EXPECT_EQ(number.asString(), here);

    t->edit();
    t->fieldByName(QStringLiteral("NIP")).setAsString(QStringLiteral("123"));
    t->post();
    EXPECT_EQ(t->recNo(), at);
    EXPECT_EQ(t->fieldByName(QStringLiteral("NIP")).asString(), QStringLiteral("123"));

    t->append();
    number.setAsString(QStringLiteral("K99999"));
    t->fieldByName(QStringLiteral("Nazwa_Nazwisko")).setAsString(QStringLiteral("Aaaa"));
    t->post();
    EXPECT_EQ(number.asString(), QStringLiteral("K99999")); // the new row is shown

    // A later locate finds the new row in its real place (at the top of the order).
    ASSERT_TRUE(t->locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("aaaa"), {true, true}));
    EXPECT_EQ(number.asString(), QStringLiteral("K99999"));
    EXPECT_EQ(t->recNo(), 1);
    EXPECT_EQ(t->recordCount(), kRows + 1);

    // Sorting again keeps the field objects.
    t->setIndexFieldNames(QStringLiteral("Nr_Klienta"));
    t->first();
    EXPECT_EQ(number.asString(), QStringLiteral("K00000"));
}

// Rows read for display (a grid) by position: before a far window, inside it, far beyond the
// rows read so far and past the end, with the same values as a scan, and the cursor left alone.
TEST(LocateFar, VisitRowsReadsAnyRangeWithoutMovingTheCursor)
{
    TestDb db;
    fill(*db.conn);
    auto p = open(db, QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("Nazwa_Nazwisko collate polish"));
    data::Dataset& t = *p->table;
    ASSERT_TRUE(t.locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("nowak"), {true, true}));
    EXPECT_FALSE(t.recNoKnown()); // the rows before the match are not counted yet
    const QString here = nr(t);
    int notices = 0;
    QObject::connect(&t, &data::Dataset::currentChanged, [&] { ++notices; });
    QObject::connect(&t, &data::Dataset::dataChanged, [&] { ++notices; });
    const std::vector<int> fields{t.fieldByName(QStringLiteral("Nr_Klienta")).index(),
                                  t.fieldByName(QStringLiteral("Czy_Firma")).index(), -1};
    const auto check = [&](int from, int count) {
        SCOPED_TRACE(QStringLiteral("rows %1+%2").arg(from).arg(count).toStdString());
        int expected = qMax(from, 0);
        const int n = t.visitRows(from, count, fields, [&](int index, const QVariantList& v) {
            ASSERT_EQ(index, expected++);
            ASSERT_EQ(v.size(), 3);
            p->scan.setRecNo(index + 1);
            EXPECT_EQ(v[0].toString(), nr(p->scan));
            EXPECT_EQ(v[1], p->scan.fieldByName(QStringLiteral("Czy_Firma")).value()); // bool, as value()
            EXPECT_FALSE(v[2].isValid());
        });
        EXPECT_EQ(n, qBound(0, qMin(from + count, kRows) - qMax(from, 0), count));
    };
    const int at = [&] {
        p->scan.locate(QStringLiteral("Nazwa_Nazwisko"), QStringLiteral("nowak"), {true, true});
        return p->scan.recNo() - 1;
    }();
    ASSERT_GT(at, 400);
    for (auto [from, count] : {std::pair{0, 10}, {at - 70, 140}, {at + 350, 64}, {kRows - 20, 64}, {kRows, 5}, {-3, 5}})
        check(from, count);
    EXPECT_EQ(notices, 0);
    EXPECT_EQ(nr(t), here);
    EXPECT_EQ(t.recNo(), at + 1);
    EXPECT_FALSE(t.eof());

    // Jumping to a far row number reads that row by its position; walking on from it agrees.
    for (int n : {1400, 30, 900}) {
        t.setRecNo(n);
        p->scan.setRecNo(n);
        EXPECT_EQ(t.recNo(), n);
        EXPECT_EQ(nr(t), nr(p->scan));
        t.prior();
        p->scan.prior();
        EXPECT_EQ(nr(t), nr(p->scan));
    }

    // A row appended while rows remain unread is shown after all the others.
    t.first();
    t.append();
    t.fieldByName(QStringLiteral("Nr_Klienta")).setAsString(QStringLiteral("K99999"));
    t.fieldByName(QStringLiteral("Nazwa_Nazwisko")).setAsString(QStringLiteral("Aaaa"));
    t.post();
    QStringList tail;
    t.visitRows(t.recordCount() - 2, 5, fields, [&](int, const QVariantList& v) { tail << v[0].toString(); });
    ASSERT_EQ(tail.size(), 2);
    EXPECT_EQ(tail.last(), QStringLiteral("K99999"));
    EXPECT_EQ(nr(t), QStringLiteral("K99999"));
}
