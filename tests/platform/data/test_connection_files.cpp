// Database files the program is given that are not what it expects (an empty file, a read-only
// file or folder), and the sentences the user is shown when the database refuses a statement.
#include "platform/data/Dataset.h"
#include "platform/data/Error.h"
#include "tests/support/TestDb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList filesIn(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

// Restores the permissions of a file or folder when the test ends, however it ends.
struct Permissions {
    QString path;
    QFile::Permissions saved;
    Permissions(const QString& p, QFile::Permissions now) : path(p), saved(QFile::permissions(p))
    {
        QFile::setPermissions(path, now);
    }
    ~Permissions() { QFile::setPermissions(path, saved); }
};

const QFile::Permissions kReadOnlyFile = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
const QFile::Permissions kReadOnlyDir = kReadOnlyFile | QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther;

} // namespace

TEST(ConnectionFiles, EmptyFileIsRefusedLikeAnyForeignFileAndStaysUntouched)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("db.mdb"));
    const QString junk = dir.filePath(QStringLiteral("inny.mdb"));
    QFile(empty).open(QIODevice::WriteOnly);
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    data::Connection c;
    EXPECT_FALSE(c.open(junk));
    const QString foreign = c.lastError();
    EXPECT_FALSE(c.open(empty));
    EXPECT_FALSE(c.isConnected());
    EXPECT_EQ(c.lastError(), QString(foreign).replace(QStringLiteral("inny.mdb"), QStringLiteral("db.mdb")));
    EXPECT_TRUE(c.lastError().contains(QStringLiteral("nie jest bazą danych programu"))) << c.lastError().toStdString();
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"db.mdb", "inny.mdb"})) << "no -wal or -shm files";
}

TEST(ConnectionFiles, ReadOnlyFileOrFolderOpensForReadingAndSaysSo)
{
    TestDb db;
    db.conn->exec(QStringLiteral("insert into Vat (Nazwa, Wart, Czy_Podst, Arch) values ('23', 23, 1, 0)"));
    db.conn->close();
    const QString folder = QFileInfo(db.path).absolutePath();
    struct Case {
        const char* what;
        QString path;
        QFile::Permissions perms;
        const char* told;
    } cases[] = {
        {"file", db.path, kReadOnlyFile, "Plik bazy danych"},
        {"folder", folder, kReadOnlyDir, "Folder"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const Permissions p(k.path, k.perms);
        data::Connection c;
        ASSERT_TRUE(c.open(db.path)) << c.lastError().toStdString();
        EXPECT_TRUE(c.isReadOnly());
        EXPECT_TRUE(c.warning().startsWith(QString::fromUtf8(k.told))) << c.warning().toStdString();
        EXPECT_TRUE(c.warning().contains(QStringLiteral("tylko do odczytu"))) << c.warning().toStdString();
        EXPECT_EQ(c.scalar(QStringLiteral("select count(*) from Vat")).toInt(), 1) << "reading works";
        try {
            c.exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('8', 8)"));
            ADD_FAILURE() << "a read-only database took a row";
        } catch (const data::Error& e) {
            EXPECT_EQ(e.kind(), data::ErrorKind::ReadOnly);
            EXPECT_TRUE(e.message().startsWith(QStringLiteral(
                "Nie udało się zapisać danych w tabeli Vat: plik bazy danych lub jego folder jest tylko do odczytu.")))
                << e.message().toStdString();
            EXPECT_FALSE(e.message().contains(QStringLiteral("insert"), Qt::CaseInsensitive)) << "no SQL shown";
        }
    }
    data::Connection c;
    ASSERT_TRUE(c.open(db.path));
    EXPECT_FALSE(c.isReadOnly()) << "writable again";
    EXPECT_TRUE(c.warning().isEmpty());
}

TEST(ConnectionFiles, RefusalsAreToldInWordsNeverAsTheStatement)
{
    TestDb db;
    db.conn->exec(QStringLiteral("create unique index Vat_Nazwa on Vat (Nazwa)"));
    db.conn->exec(QStringLiteral("insert into Vat (Nazwa, Wart) values ('23', 23)"));
    const QString insert = QStringLiteral("insert into Vat (Nazwa, Wart) values (?, ?)");
    try {
        db.conn->exec(insert, {QStringLiteral("23"), 23});
        FAIL() << "the key is taken";
    } catch (const data::Error& e) {
        EXPECT_EQ(e.kind(), data::ErrorKind::Constraint);
        EXPECT_TRUE(e.message().startsWith(
            QStringLiteral("Nie udało się zapisać danych w tabeli Vat: dane naruszają regułę bazy danych.\nSzczegóły: ")))
            << e.message().toStdString();
        EXPECT_FALSE(e.message().contains(insert));
        EXPECT_EQ(e.statement(), insert) << "kept for diagnosis";
    }
    auto t = db.table(QStringLiteral("Brak_Takiej"));
    try {
        t->open();
        FAIL() << "no such table";
    } catch (const data::Error& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Nie udało się odczytać danych z tabeli Brak_Takiej: ")))
            << e.message().toStdString();
        EXPECT_FALSE(e.message().contains(QStringLiteral("select"), Qt::CaseInsensitive));
    }
    // The caller that knows what the user was doing says it.
    const data::Error busy(data::ErrorKind::Busy, QStringLiteral("zapisać danych w tabeli Faktura"),
                           QStringLiteral("database is locked"));
    EXPECT_EQ(busy.sentence(QStringLiteral("zapisać faktury")),
              QStringLiteral("Nie udało się zapisać faktury: baza danych jest zablokowana przez inny program.\n"
                             "Szczegóły: database is locked"));
    EXPECT_EQ(data::Error(QStringLiteral("Niepoprawna liczba")).sentence(QStringLiteral("zapisać faktury")),
              QStringLiteral("Nie udało się zapisać faktury: niepoprawna liczba."));
}
