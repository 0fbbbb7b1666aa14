// Database files that are not what the program expects (an empty file, a read-only file or
// folder), and the sentences the user is shown when the database refuses a statement.
#include "platform/data/Error.h"
#include "tests/support/TestDb.h"

#include <QDir>
#include <QFile>

TEST(ConnectionFiles, EmptyFileIsRefusedLikeAnyForeignFileAndStaysUntouched)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("db.mdb"));
    const QString junk = dir.filePath(QStringLiteral("inny.mdb"));
    QFile(empty).open(QIODevice::WriteOnly);
    QFile j(junk);
    ASSERT_TRUE(j.open(QIODevice::WriteOnly));
    j.write(QByteArray(4096, 'x'));
    j.close();
    data::Connection c;
    EXPECT_FALSE(c.open(junk));
    const QString foreign = c.lastError();
    EXPECT_FALSE(c.open(empty));
    EXPECT_EQ(c.lastError(), QString(foreign).replace(QStringLiteral("inny.mdb"), QStringLiteral("db.mdb")));
    EXPECT_TRUE(c.lastError().contains(QStringLiteral("nie jest bazą danych programu"))) << c.lastError().toStdString();
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"db.mdb", "inny.mdb"})) << "no -wal or -shm";
}

TEST(ConnectionFiles, ReadOnlyFileOrFolderOpensForReadingAndSaysSo)
{
    TestDb db;
    db.conn->exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('23', 23)"));
    db.conn->close();
    const QFile::Permissions r = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions x = QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther;
    const QString folder = QFileInfo(db.path).absolutePath();
    for (const auto& [path, perms, told] : {std::tuple{db.path, r, "Plik bazy danych"}, {folder, r | x, "Folder"}}) {
        SCOPED_TRACE(told);
        const QFile::Permissions saved = QFile::permissions(path);
        QFile::setPermissions(path, perms);
        data::Connection c;
        // Without the administrator's rights a read-only folder may keep SQLite from reading a
        // journalled file at all; then the refusal says the same.
        const bool opened = c.open(db.path);
        const QString said = opened ? c.warning() : c.lastError();
        EXPECT_TRUE(!opened || c.isReadOnly());
        EXPECT_TRUE(said.contains(QString::fromUtf8(told)) && said.contains(QStringLiteral("tylko do odczytu")))
            << said.toStdString();
        if (opened) {
            EXPECT_EQ(c.scalar(QStringLiteral("select count(*) from Vat")).toInt(), 1) << "reading works";
            try {
                c.exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('8', 8)"));
                ADD_FAILURE() << "a read-only database took a row";
            } catch (const data::Error& e) {
                EXPECT_EQ(e.kind(), data::ErrorKind::ReadOnly);
                EXPECT_TRUE(e.message().startsWith(QStringLiteral("Nie udało się zapisać danych w tabeli Vat: plik "
                                                                  "bazy danych lub jego folder jest tylko do odczytu.")))
                    << e.message().toStdString();
            }
        }
        c.close();
        QFile::setPermissions(path, saved);
    }
    data::Connection c;
    ASSERT_TRUE(c.open(db.path));
    EXPECT_FALSE(c.isReadOnly());
    EXPECT_TRUE(c.warning().isEmpty());
}

TEST(ConnectionFiles, RefusalsAreToldInWordsNeverAsTheStatement)
{
    TestDb db;
    db.conn->exec(QStringLiteral("create unique index Vat_Nazwa on Vat (Nazwa)"));
    const QString insert = QStringLiteral("insert into Vat (Nazwa, Wart) values (?, ?)");
    db.conn->exec(insert, {QStringLiteral("23"), 23});
    try {
        db.conn->exec(insert, {QStringLiteral("23"), 23});
        FAIL() << "the key is taken";
    } catch (const data::Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Nie udało się zapisać danych w tabeli Vat: dane naruszają regułę bazy "
                                              "danych.\nSzczegóły: UNIQUE constraint failed: Vat.Nazwa"));
        EXPECT_EQ(e.statement(), insert) << "kept for diagnosis, never shown";
    }
    // The caller that knows what the user was doing says it.
    const data::Error busy(data::ErrorKind::Busy, QStringLiteral("zapisać danych w tabeli Faktura"),
                           QStringLiteral("database is locked"));
    EXPECT_EQ(busy.sentence(QStringLiteral("zapisać faktury")),
              QStringLiteral("Nie udało się zapisać faktury: baza danych jest zablokowana przez inny program.\n"
                             "Szczegóły: database is locked"));
}
