#include "support/TestDb.h"

namespace {

// Documents of several kinds, years and dates; the filters below select them by Nr.
void fill(data::Connection& c)
{
    c.exec(QStringLiteral("insert into Forma_Zaplaty (Nazwa) values ('Gotówka'), ('Przelew')"));
    const char* rows[][7] = {
        // Typ, Rok, Nr, Data_Wyst, Typ_Koncowy, Rok_Koncowy, Nr_Koncowy
        {"FV", "2011", "1", "2011-03-01", "FV", "2011", "1"},
        {"FV", "2011", "2", "2011-06-15", "FV", "2011", "2"},
        {"KFV", "2011", "3", "2011-07-01", nullptr, nullptr, nullptr},
        {"PFV", "2010", "4", "2010-12-31", nullptr, nullptr, nullptr},
        {"NFV", "2012", "5", "2012-01-10", "FV", "2011", "1"},
        {"FV", "2012", "6", "2012-02-01", "", "", "0"},
    };
    for (auto& r : rows) {
        QVariantList v;
        for (int i = 0; i < 7; ++i)
            v << (r[i] ? QVariant(QString::fromUtf8(r[i])) : QVariant());
        v[2] = v[2].toInt();
        if (v[6].isValid())
            v[6] = v[6].toInt();
        c.exec(QStringLiteral("insert into Faktura (Typ, Rok, Nr, Data_Wyst, Typ_Koncowy, Rok_Koncowy, Nr_Koncowy, "
                              "Forma_Zaplaty, Czy_Duplikat) values (?,?,?,?,?,?,?,1,?)"),
               v << (v[2].toInt() % 2));
    }
    c.exec(QStringLiteral("insert into Towary (Symbol, Arch) values ('A', 0), ('b', 1), ('C', 0)"));
}

QStringList values(data::Dataset& d, const QString& field)
{
    QStringList out;
    for (d.first(); !d.eof(); d.next())
        out << d.fieldByName(field).asString();
    return out;
}

} // namespace

TEST(Filter, EveryFormTheWindowsUse)
{
    TestDb db;
    fill(*db.conn);
    struct Case {
        const char* table;
        const char* filter;
        const char* expected; // Nr (or Symbol) in table order, space separated
    } cases[] = {
        {"Faktura", "typ='FV' and rok='2011'", "1 2"},
        {"Faktura", "TYP='fv' AND ROK='2011'", "1 2"},
        {"Faktura_Kwerenda", "Rok=2011", "1 2 3"},
        {"Faktura_Kwerenda", "Rok>0", "1 2 3 4 5 6"},
        {"Faktura_Kwerenda", "Rok=2011 and Typ='FV' or (Rok=2011 and Typ='KFV')", "1 2 3"},
        {"Faktura_Kwerenda", "Rok>0 and Typ='NFV'", "5"},
        {"Faktura_Kwerenda", "data_wyst>=2011-03-01 and data_wyst<=2011-06-30", "1 2"},
        {"Faktura_Kwerenda",
         "data_wyst>=2011-01-01 and data_wyst<=2012-12-31 and Typ='FV' or (data_wyst>=2011-01-01 and "
         "data_wyst<=2012-12-31 and Typ='PFV')",
         "1 2 6"},
        {"Faktura_Kwerenda", "Data_Wyst>='2012-01-01'", "5 6"},
        {"Faktura", "typ_koncowy='FV'and rok_Koncowy='2011'", "1 2 5"},
        {"Faktura", "Typ_Koncowy='FV' and Rok_Koncowy='2011' and Nr_Koncowy='1'", "1 5"},
        {"Faktura", "Nr_Koncowy=0", "6"},
        {"Faktura", "Typ_Koncowy=''", "6"},
        {"Faktura", "id='3'", "3"},
        {"Faktura", "ID=3", "3"},
        {"Faktura", "nr<>1 and not (nr>=3)", "2"},
        {"Faktura", "(typ='FV' or typ='PFV') and nr<5", "1 2 4"},
        {"Faktura", "Czy_Duplikat=true", "1 3 5"},
        {"Faktura", "[Czy_Duplikat]=False", "2 4 6"},
        {"Faktura_Kwerenda", "Nazwa='gotówka'", "1 2 3 4 5 6"},
        {"Towary", "arch=false", "A C"},
        {"Towary", "Arch=true", "b"},
        {"Towary", "symbol='B'", "b"},
    };
    for (const Case& c : cases) {
        auto t = db.table(QString::fromUtf8(c.table));
        const QString key =
            QString::fromUtf8(c.table) == QLatin1String("Towary") ? QStringLiteral("Symbol") : QStringLiteral("Nr");
        t->setIndexFieldNames(key);
        t->setFilter(QString::fromUtf8(c.filter));
        t->setFiltered(true);
        t->open();
        EXPECT_EQ(values(*t, key).join(QLatin1Char(' ')).toStdString(), std::string(c.expected))
            << c.table << ": " << c.filter;
        EXPECT_EQ(t->recordCount(), QString::fromUtf8(c.expected).split(QLatin1Char(' ')).size()) << c.filter;
    }
}

// A year against a number is counted as the table's rows less the rows it leaves out: the
// count must be the rows shown, whatever the year holds.
TEST(Filter, YearAgainstANumberCountsTheRowsShown)
{
    TestDb db;
    int nr = 0;
    for (const QVariant& rok :
         {QVariant(), QVariant(QString()), QVariant(QStringLiteral("0")), QVariant(QStringLiteral("abc")),
          QVariant(QStringLiteral("-3")), QVariant(QStringLiteral("7")), QVariant(QStringLiteral("2011")),
          QVariant(QStringLiteral("2011,5")), QVariant(QStringLiteral(" 12"))})
        db.conn->exec(QStringLiteral("insert into Faktura (Typ, Rok, Nr) values ('FV', ?, ?)"), {rok, ++nr});
    for (const char* filter : {"Rok>0", "Rok>=0", "Rok<5", "Rok<=-1", "Rok>2010", "0<Rok", "Rok>-5"}) {
        auto t = db.table(QStringLiteral("Faktura_Kwerenda"));
        t->setFilter(QString::fromUtf8(filter));
        t->setFiltered(true);
        t->open();
        EXPECT_EQ(t->recordCount(), values(*t, QStringLiteral("Nr")).size()) << filter;
    }
}

TEST(Filter, BadTextsAreReported)
{
    TestDb db;
    auto t = db.table(QStringLiteral("Faktura"));
    t->open();
    for (const char* bad : {"typ='FV", "nosuch=1", "typ=", "typ 'FV'", "(typ='FV'", "typ='FV' and", "rok=20x1"}) {
        EXPECT_THROW(
            {
                t->setFilter(QString::fromUtf8(bad));
                t->setFiltered(true);
            },
            data::Error)
            << bad;
        t->setFiltered(false);
        t->setFilter(QString());
    }
}

TEST(Filter, NestingHasALimitAndIsAFilterError)
{
    TestDb db;
    db.conn->exec(QStringLiteral("insert into Faktura (Typ, Nr) values ('FV', 1)"));
    auto t = db.table(QStringLiteral("Faktura"));
    t->open();
    t->setFilter(QString(60, '(') + QStringLiteral("typ='FV'") + QString(60, ')'));
    t->setFiltered(true);
    EXPECT_EQ(t->recordCount(), 1) << "a deep but sane filter works";
    t->setFiltered(false);
    for (const QString& deep : {QString(65, '(') + "typ='FV'" + QString(65, ')'), QString(200000, '(') + "typ='FV'",
                                QStringLiteral("not ").repeated(100000) + "typ='FV'"}) {
        try {
            t->setFilter(deep);
            t->setFiltered(true);
            ADD_FAILURE() << "taken";
        } catch (const data::Error& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("Błędny filtr"))) << e.message().left(200).toStdString();
            EXPECT_TRUE(e.message().contains(QStringLiteral("zagnieżdżenie")));
            EXPECT_LT(e.message().size(), 300) << "the message quotes only the beginning";
        }
        t->setFiltered(false);
    }
}

TEST(Filter, IndexFieldsSortAndSwitching)
{
    TestDb db;
    fill(*db.conn);
    auto t = db.table(QStringLiteral("Faktura_Kwerenda"));
    t->setIndexFieldNames(QStringLiteral("typ;rok;nr"));
    t->open();
    EXPECT_EQ(values(*t, QStringLiteral("Nr")).join(QLatin1Char(' ')), QStringLiteral("1 2 6 3 5 4"));
    t->setIndexFieldNames(QStringLiteral("rok,Data_Wyst"));
    EXPECT_EQ(values(*t, QStringLiteral("Nr")).join(QLatin1Char(' ')), QStringLiteral("4 1 2 3 5 6"));
    t->setFilter(QStringLiteral("Rok=2012"));
    EXPECT_EQ(t->recordCount(), 6); // not filtered until switched on
    t->setFiltered(true);
    EXPECT_EQ(values(*t, QStringLiteral("Nr")).join(QLatin1Char(' ')), QStringLiteral("5 6"));
    EXPECT_THROW(t->setIndexFieldNames(QStringLiteral("nosuch")), data::Error);
}

TEST(MasterDetail, TextYearMatchesIntegerYearButEmptyNeverMatchesZero)
{
    TestDb db;
    fill(*db.conn);
    // Lines: two of invoice 1/2011, one detached line (0/0), one of invoice 2/2011.
    db.conn->exec(QStringLiteral(
        "insert into Faktura_Szczegoly (Id_Fakt, Lp, Faktura_Nr_Koncowy, Faktura_Rok_Koncowy, Lp_Koncowe) values "
        "(1, 2, 1, 2011, 2), (1, 1, 1, 2011, 1), (1, 3, 0, 0, 0), (2, 1, 2, 2011, 1)"));
    auto master = db.table(QStringLiteral("Faktura"));
    data::DataSource src;
    src.setDataset(master.get());
    auto detail = db.table(QStringLiteral("Faktura_Szczegoly"));
    detail->setIndexFieldNames(QStringLiteral("Faktura_Nr_Koncowy;Faktura_Rok_Koncowy;lp"));
    detail->setMasterSource(&src, QStringLiteral("Nr_Koncowy;Rok_Koncowy"));
    master->setIndexFieldNames(QStringLiteral("Nr"));
    master->open();
    detail->open();
    EXPECT_EQ(values(*detail, QStringLiteral("Lp")), (QStringList{"1", "2"})); // invoice 1: text '2011' vs 2011
    int moves = 0;
    QObject::connect(detail.get(), &data::Dataset::dataChanged, [&] { ++moves; });
    master->next();
    EXPECT_GT(moves, 0);
    EXPECT_EQ(values(*detail, QStringLiteral("Lp")), (QStringList{"1"}));
    ASSERT_TRUE(master->locate(QStringLiteral("Nr"), 6)); // final identity taken: '' and 0
    EXPECT_TRUE(detail->isEmpty());
    EXPECT_EQ(detail->recordCount(), 0);
    ASSERT_TRUE(master->locate(QStringLiteral("Nr"), 3)); // no final identity at all (null)
    EXPECT_TRUE(detail->isEmpty());
    master->close();
    EXPECT_TRUE(detail->isEmpty());

    // A link on one field takes the detail field from the first index field.
    auto lines = db.table(QStringLiteral("Faktura_Szczegoly"));
    lines->setIndexFieldNames(QStringLiteral("Id_Fakt;lp"));
    lines->setMasterSource(master.get(), QStringLiteral("Id"));
    master->open();
    lines->open();
    EXPECT_EQ(values(*lines, QStringLiteral("Lp")), (QStringList{"1", "2", "3"}));
}

TEST(MasterDetail, AFailureWhileTheMasterMovesIsReportedNotThrownThroughQt)
{
    TestDb db;
    fill(*db.conn);
    auto master = db.table(QStringLiteral("Faktura"));
    auto detail = db.table(QStringLiteral("Faktura_Szczegoly"));
    // A link on a field the master lacks: harmless while the master is closed.
    detail->setMasterSource(master.get(), QStringLiteral("Nie_Ma"), QStringLiteral("Id_Fakt"));
    detail->open();
    QStringList reported;
    data::setSignalFailureHandler([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const data::Error& err) {
            reported << err.message();
        }
    });
    EXPECT_NO_THROW(master->open());
    ASSERT_FALSE(reported.isEmpty());
    EXPECT_TRUE(reported[0].contains(QStringLiteral("Nie_Ma"))) << reported[0].toStdString();
    data::setSignalFailureHandler({});
}
