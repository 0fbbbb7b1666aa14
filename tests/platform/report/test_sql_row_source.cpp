// Reading report rows forward from SQL: typed values, a detail that follows its master's current
// row, bound values with apostrophes, and a connection that goes away under the source.
#include "platform/report/SqlRowSource.h"
#include "platform/data/Error.h"

#include "support/TestDb.h"

#include <QDate>
#include <gtest/gtest.h>

using report::SqlRowSource;

namespace {

TEST(SqlRowSource, DetailFollowsItsMasterAndValuesComeAsDeclared)
{
    TestDb db;
    db.conn->exec("insert into Faktura (Id, Typ, Nr, Rok, Data_Wyst, Wart_Netto, Klient_Nr) values "
                  "(1, 'FV', 7, '2011', '2011-03-01', 12.5, 'O''Brien'), (2, 'FV', 8, '2011', '2011-03-02', 0, 'K2')");
    db.conn->exec("insert into Faktura_Szczegoly (Id_Fakt, Lp, Towary_Nazwa, Rabat) values "
                  "(1, 2, 'B', 2.5), (1, 1, 'A', 0), (2, 1, 'C', 10)");
    SqlRowSource docs(db.conn.get()), lines(db.conn.get());
    docs.setSql("select * from Faktura where Klient_Nr=? or Klient_Nr=? order by Id", {"O'Brien", "K2"});
    lines.setSql("select * from Faktura_Szczegoly where Id_Fakt=? order by Lp");
    lines.link(&docs, "Id");

    docs.first();
    ASSERT_FALSE(docs.eof());
    EXPECT_EQ(docs.value("nr").typeId(), QMetaType::LongLong);
    EXPECT_EQ(docs.value("Data_Wyst").toDate(), QDate(2011, 3, 1));
    EXPECT_EQ(docs.text("Wart_Netto"), "12,5");
    EXPECT_EQ(docs.text("Klient_Nr"), "O'Brien");
    EXPECT_FALSE(docs.value("Brak").isValid());
    QStringList seen;
    for (lines.first(); !lines.eof(); lines.next())
        seen << lines.text("Towary_Nazwa") + lines.text("Rabat");
    EXPECT_EQ(seen, QStringList({"A0", "B2,5"}));
    docs.next();
    lines.first();
    EXPECT_EQ(lines.text("Towary_Nazwa"), "C");
    docs.next();
    EXPECT_TRUE(docs.eof());
    EXPECT_TRUE(docs.text("Klient_Nr").isEmpty());
    EXPECT_EQ(docs.rowsRead(), 2);
}

TEST(SqlRowSource, ClosedConnectionIsAnErrorNotACrash)
{
    TestDb db;
    SqlRowSource src(db.conn.get());
    src.setSql("select * from Klienci");
    src.first();
    EXPECT_TRUE(src.eof());
    db.conn->close();
    EXPECT_THROW(src.first(), data::Error);
    src.setSql("select * from Brak_Tabeli");
    EXPECT_TRUE(db.conn->open(db.path));
    try {
        src.first();
        FAIL();
    } catch (const data::Error& e) {
        EXPECT_FALSE(e.message().contains("select")) << e.message().toStdString(); // no statement shown
    }
}

} // namespace
