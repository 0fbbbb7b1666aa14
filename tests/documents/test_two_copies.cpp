// Two copies of the program on one database file, each in a process of its own: both hold the
// shared tables open over more rows than they have read, both save, and neither blocks the other.
// The second copy is this test program started again (support/SecondCopy.h).
#include "support/SecondCopy.h"

#include <gtest/gtest.h>

using namespace documents;

TEST(TwoCopies, BothSaveAndSeeEachOthersDocuments)
{
    TestDb db;
    data::Transaction fill(*db.conn);
    for (int i = 0; i < 300; ++i) { // more rows than any copy reads at its start
        db.conn->exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) values (?, ?)"),
                      {QStringLiteral("K%1").arg(i), QStringLiteral("Klient %1").arg(i)});
        db.conn->exec(QStringLiteral("insert into Towary (Symbol, Nazwa) values (?, ?)"),
                      {QStringLiteral("T%1").arg(i), QStringLiteral("Towar %1").arg(i)});
    }
    fill.commit();
    {
        DocumentStore first(*db.conn);
        ASSERT_TRUE(first.saveNew(copies::invoice(), [](const QString&) { return std::optional<qint64>(1); }).saved());
    }
    db.conn->close();

    copies::SecondCopy second(db.path);
    ASSERT_TRUE(second.started());
    copies::ProgramCopy first(db.path);
    EXPECT_EQ(second.ask("save"), "saved 2");
    EXPECT_EQ(second.ask("checkpoint"), "busy=0") << "neither idle copy holds a reading open";
    EXPECT_EQ(first.act("save"), "saved 3");
    EXPECT_EQ(second.ask("save"), "saved 4");
    EXPECT_EQ(first.act("save"), "saved 5");
    EXPECT_EQ(second.ask("numbers"), "1 2 3 4 5 / 5");
    EXPECT_EQ(first.act("numbers"), "1 2 3 4 5 / 5");
    EXPECT_TRUE(second.quit());
}
