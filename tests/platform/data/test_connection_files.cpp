// Database files that are not what the program expects (an empty file, a read-only file or
// folder), and the sentences the user is shown when the database refuses a statement.
#include "platform/data/Error.h"
#include "tests/support/TestDb.h"

#include <QDir>
#include <QFile>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <vector>

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
        const QStringList before = QDir(folder).entryList(QDir::Files);
        data::Connection c;
        // The file was left in WAL mode by the writing session; SQLite cannot make the side
        // files WAL reading needs in a folder that may not be written, yet the file opens.
        const bool opened = c.open(db.path);
        const QString said = opened ? c.warning() : c.lastError();
        EXPECT_TRUE(opened && c.isReadOnly()) << said.toStdString();
        EXPECT_TRUE(said.contains(QString::fromUtf8(told)) && said.contains(QStringLiteral("tylko do odczytu")))
            << said.toStdString();
        if (perms & QFile::ExeOwner) { // nothing new in a folder that may not be written
            EXPECT_EQ(QDir(folder).entryList(QDir::Files), before);
        }
        if (opened) {
            EXPECT_EQ(c.scalar(QStringLiteral("select count(*) from Vat")).toInt(), 1) << "reading works";
            try {
                c.exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('8', 8)"));
                ADD_FAILURE() << "a read-only database took a row";
            } catch (const data::Error& e) {
                EXPECT_EQ(e.kind(), data::ErrorKind::ReadOnly);
                EXPECT_TRUE(
                    e.message().startsWith(QStringLiteral("Nie udało się zapisać danych w tabeli Vat: plik "
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
        EXPECT_EQ(e.message(),
                  QStringLiteral("Nie udało się zapisać danych w tabeli Vat: dane naruszają regułę bazy "
                                 "danych.\nPlik bazy danych: \"%1\"\nSzczegóły: UNIQUE constraint "
                                 "failed: Vat.Nazwa")
                      .arg(QDir::toNativeSeparators(QFileInfo(db.path).absoluteFilePath())));
        EXPECT_EQ(e.statement(), insert) << "kept for diagnosis, never shown";
    }
    // The caller that knows what the user was doing says it.
    const data::Error busy(data::ErrorKind::Busy, QStringLiteral("zapisać danych w tabeli Faktura"),
                           QStringLiteral("database is locked"));
    EXPECT_EQ(busy.sentence(QStringLiteral("zapisać faktury")),
              QStringLiteral("Nie udało się zapisać faktury: baza danych jest zablokowana przez inny program.\n"
                             "Szczegóły: database is locked"));
}

// A read-only session leaves the WAL's side files behind with the file's read-only permissions;
// once the file may be written again, saving must work without anyone deleting them by hand.
TEST(ConnectionFiles, SideFilesOfAReadOnlySessionNeverBlockTheNextWritableOne)
{
    TestDb db;
    db.conn->close();
    const QString side[] = {db.path + QStringLiteral("-wal"), db.path + QStringLiteral("-shm")};
    const QFile::Permissions writable = QFile::permissions(db.path);
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(db.path, readOnly);
    {
        data::Connection c;
        ASSERT_TRUE(c.open(db.path)) << c.lastError().toStdString();
        EXPECT_TRUE(c.isReadOnly());
        EXPECT_EQ(c.scalar(QStringLiteral("select count(*) from Vat")).toInt(), 0);
    }
    for (const QString& f : side) { // as SQLite leaves them when it may not delete them
        if (!QFile::exists(f))
            QFile(f).open(QIODevice::WriteOnly);
        QFile::setPermissions(f, readOnly);
    }
    QFile::setPermissions(db.path, writable);
    data::Connection c;
    ASSERT_TRUE(c.open(db.path)) << c.lastError().toStdString();
    EXPECT_FALSE(c.isReadOnly()) << c.warning().toStdString();
    EXPECT_NO_THROW(c.exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('23', 23)")));
    for (const QString& f : side)
        EXPECT_TRUE(!QFile::exists(f) || (QFile::permissions(f) & QFile::WriteOwner)) << f.toStdString();
}

// Another program's SQLite file is read as it is: a connection that was told of no schema of
// its own does not switch the file to WAL, nor leave anything beside it.
TEST(ConnectionFiles, AForeignFileKeepsItsJournalMode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("inna.db"));
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    ASSERT_EQ(sqlite3_exec(raw, "create table Notatki (Tekst text)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
    {
        data::Connection c;
        ASSERT_TRUE(c.open(path)) << c.lastError().toStdString();
        EXPECT_EQ(c.scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("delete"));
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(20).mid(18, 2), QByteArray("\x01\x01", 2)) << "the header's journal versions";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("inna.db")});
}

// While another copy of the program holds the database (adding indexes, saving), a save waits
// for it and the user is told, instead of the save failing as locked.
TEST(ConnectionFiles, ASaveWaitsForAnotherCopysLockAndSaysSo)
{
    TestDb db;
    data::Connection other;
    ASSERT_TRUE(other.open(db.path));
    other.exec(QStringLiteral("BEGIN IMMEDIATE"));
    QStringList told;
    data::Connection::setBusyNotice([&](const QString& text) {
        told << text;
        if (!text.isEmpty() && other.inTransaction())
            other.exec(QStringLiteral("COMMIT")); // the other copy finishes while this one waits
    });
    EXPECT_NO_THROW(db.conn->exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('23', 23)")));
    data::Connection::setBusyNotice({});
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0].contains(QStringLiteral("zajęta przez inny program"))) << told[0].toStdString();
    EXPECT_EQ(told[1], QString()) << "the notice goes when the wait is over";
    EXPECT_EQ(other.scalar(QStringLiteral("select count(*) from Vat")).toInt(), 1);
}

// As an ordinary user the permissions are the system's own: a folder that may not be written
// keeps SQLite from making the side files a WAL file needs (root would make them anyway).
TEST(ConnectionFiles, AWalFileInAFolderNoUserMayWriteOpensForBrowsing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";
    TestDb db;
    db.conn->exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('23', 23)"));
    db.conn->close();
    const QString folder = QFileInfo(db.path).absolutePath();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    data::Connection c;
    const bool opened = c.open(db.path);
    const QString said = opened ? c.warning() : c.lastError();
    const int rows = opened ? c.scalar(QStringLiteral("select count(*) from Vat")).toInt() : -1;
    c.close();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(opened) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("tylko do odczytu"))) << said.toStdString();
    EXPECT_EQ(rows, 1);
}

// A database file deleted or replaced under the running program: writing on would go into the
// file that is gone, so every write is refused, naming the file and the cause.
TEST(ConnectionFiles, AWriteIntoAFileNoLongerAtItsPathIsRefused)
{
    for (const bool replaced : {false, true}) {
        SCOPED_TRACE(replaced ? "replaced" : "deleted");
        TestDb db;
        const QString shown = QDir::toNativeSeparators(QFileInfo(db.path).absoluteFilePath());
        ASSERT_TRUE(db.conn->fileStillThere());
        if (replaced) {
            const QString copy = db.path + QStringLiteral(".kopia");
            ASSERT_TRUE(QFile::copy(db.path, copy));
            ASSERT_EQ(::rename(QFile::encodeName(copy).constData(), QFile::encodeName(db.path).constData()), 0);
        } else {
            ASSERT_TRUE(QFile::remove(db.path));
        }
        QString why;
        EXPECT_FALSE(db.conn->fileStillThere(&why));
        for (const auto& write : std::vector<std::function<void()>>{
                 [&] { data::Transaction t(*db.conn); },
                 [&] { db.conn->exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('23', 23)")); }}) {
            try {
                write();
                ADD_FAILURE() << "written into a file that is gone";
            } catch (const data::Error& e) {
                EXPECT_EQ(e.kind(), data::ErrorKind::Replaced);
                EXPECT_TRUE(e.cause().contains(QStringLiteral("usunięty lub zastąpiony innym plikiem"))
                            && e.cause().contains(shown) && e.cause().contains(why))
                    << e.cause().toStdString();
            }
        }
        EXPECT_FALSE(db.conn->inTransaction());
    }
}
