#include "shell/DataModule1.h"

#include "platform/data/Collation.h"
#include "platform/data/Schema.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Runs `sql` on the file at `path` (made when missing) with SQLite alone; "" or the error.
QString makeForeignDatabase(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &err);
    const QString e = rc == SQLITE_OK ? QString() : QString::fromUtf8(err);
    sqlite3_free(err);
    sqlite3_close(db);
    return e;
}

QStringList reported;

struct ReporterGuard {
    ReporterGuard()
    {
        reported.clear();
        TDataModule1::setReporter([](const QString& m) { reported << m; });
    }
    ~ReporterGuard() { TDataModule1::setReporter({}); }
};

} // namespace

TEST(DataModule1, OpensTheSixSharedTablesAndIsFoundByName)
{
    ReporterGuard guard;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    ASSERT_TRUE(data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql")).isEmpty());

    // The connection string's relative Data Source: db.mdb in the current directory.
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        TDataModule1 dm;
        QDir::setCurrent(old);
        EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(DataModule1, &dm);
        EXPECT_TRUE(dm.ADOConnection1->isConnected());
        for (data::Table* t : {dm.ADOTable_Klienci, dm.ADOTable_Towary, dm.ADOTable_Stawki_Vat, dm.ADOTable_Faktura,
                               dm.ADOTable_Faktura_Szczegoly, dm.ADOTable_Rodzaje_Platnosci})
            EXPECT_TRUE(t->isActive()) << t->objectName().toStdString();
        EXPECT_FALSE(dm.ADOTable_Faktura_Korekta->isActive());
        EXPECT_FALSE(dm.ADOTable_Faktura_Szczegol_Korekta->isActive());
        EXPECT_EQ(dm.DataSource_Klienci->dataset(), dm.ADOTable_Klienci);
        EXPECT_EQ(data::findComponent(QStringLiteral("DataModule1"), QStringLiteral("ADOConnection1")),
                  dm.ADOConnection1);
        EXPECT_EQ(data::Connection::find(QStringLiteral("ADOConnection1")), dm.ADOConnection1);
        EXPECT_EQ(dm.ADOConnection1->connectionProperty(QStringLiteral("Jet OLEDB:Database Password")),
                  QStringLiteral("Kestrel47m_owl"));

        // The correction datasets: a filtered invoice list with its lines by final identity.
        dm.ADOConnection1->exec(QStringLiteral("insert into Faktura (Typ, Rok, Nr, Typ_Koncowy, Rok_Koncowy, "
                                               "Nr_Koncowy) values ('FV','2011',1,'FV','2011',1)"));
        dm.ADOConnection1->exec(QStringLiteral("insert into Faktura_Szczegoly (Lp, Faktura_Nr_Koncowy, "
                                               "Faktura_Rok_Koncowy) values (1, 1, 2011), (1, 1, 2012)"));
        dm.ADOTable_Faktura_Korekta->setFilter(QStringLiteral("typ_koncowy='FV' and rok_Koncowy='2011'"));
        dm.ADOTable_Faktura_Korekta->setFiltered(true);
        dm.ADOTable_Faktura_Korekta->open();
        dm.ADOTable_Faktura_Szczegol_Korekta->open();
        EXPECT_EQ(dm.ADOTable_Faktura_Szczegol_Korekta->recordCount(), 1);
    }
    EXPECT_EQ(DataModule1, nullptr);
    EXPECT_EQ(data::findComponent(QStringLiteral("DataModule1"), QStringLiteral("ADOConnection1")), nullptr);
}

TEST(DataModule1, MissingDatabaseIsReportedNotCreated)
{
    ReporterGuard guard;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    TDataModule1 dm(nullptr, path);
    ASSERT_EQ(reported.size(), 1);
    EXPECT_TRUE(reported[0].contains(QStringLiteral("db.mdb")));
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(dm.ADOConnection1->isConnected());
    EXPECT_FALSE(dm.ADOTable_Klienci->isActive());
    EXPECT_THROW(dm.ADOTable_Klienci->open(), data::Error);
}

TEST(DataModule1, ForeignDatabaseIsRefusedAndLeftByteForByte)
{
    // Another program's files: no tables of ours, one table named like ours, one already in WAL;
    // and the program's own file lacking one saved query.
    const char* foreign[] = {
        "create table Notatki (Id integer primary key, Tekst text);",
        "create table Faktura (Id integer primary key, Nr integer); insert into Faktura values (1, 7);",
        "pragma journal_mode=WAL; create table Klienci (Id integer primary key);",
        nullptr,
    };
    for (const char* sql : foreign) {
        SCOPED_TRACE(sql ? sql : "schema without Kwerenda_Nota");
        ReporterGuard guard;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db.mdb"));
        if (sql) {
            ASSERT_EQ(makeForeignDatabase(path, sql), QString());
        } else {
            ASSERT_TRUE(data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql")).isEmpty());
            ASSERT_EQ(makeForeignDatabase(path, "drop view Kwerenda_Nota;"), QString());
        }
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();
        {
            TDataModule1 dm(nullptr, path);
            EXPECT_FALSE(dm.ADOConnection1->isConnected());
            ASSERT_EQ(reported.size(), 1);
            EXPECT_TRUE(reported[0].contains(QStringLiteral("nie jest bazą danych programu")))
                << reported[0].toStdString();
        }
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
        EXPECT_FALSE(QFile::exists(path + QStringLiteral("-wal")));
        EXPECT_FALSE(QFile::exists(path + QStringLiteral("-shm")));
    }
}

// A file made before an index joined the schema gets it on opening; the file's rows decide
// whether a unique one can be made, and one that cannot leaves the file working as before.
TEST(DataModule1, AFileFromBeforeGetsTheSchemasNewIndexes)
{
    ReporterGuard guard;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("db.mdb"));
    ASSERT_TRUE(data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql")).isEmpty());
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    data::registerCollation(db);
    ASSERT_EQ(sqlite3_exec(db,
                           "drop index ix_Faktura_Rok_Liczba; drop index ix_Faktura_Typ_Rok_Nr;"
                           "insert into Faktura (Typ, Rok, Nr) values ('FV', '2011', 1), ('FV', '2011', 1);",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    QStringList told;
    TDataModule1::setNotice([&](const QString& text) { told << text; });
    {
        TDataModule1 dm(nullptr, path);
        EXPECT_TRUE(reported.isEmpty()) << reported.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(dm.ADOTable_Faktura->isActive());
    }
    // The user sees each index being made, and the notice goes when they are done; a file that
    // has them all is opened without a word.
    EXPECT_EQ(told,
              (QStringList{QStringLiteral("Uzupełnianie indeksów bazy danych (1 z 2)…"),
                           QStringLiteral("Uzupełnianie indeksów bazy danych (2 z 2)…"), QString()}));
    told.clear();
    {
        TDataModule1 again(nullptr, path);
    }
    TDataModule1::setNotice({});
    EXPECT_EQ(told, (QStringList{QStringLiteral("Uzupełnianie indeksów bazy danych (1 z 1)…"), QString()}))
        << "the unique index the rows break is tried again";
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "select group_concat(name, ' ') from (select name from sqlite_master where name in "
                       "('ix_Faktura_Rok_Liczba', 'ix_Faktura_Typ_Rok_Nr') order by name)",
                       -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ix_Faktura_Rok_Liczba");
    sqlite3_finalize(st);
    sqlite3_close(db);
}
