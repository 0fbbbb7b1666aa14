#include "platform/data/Schema.h"

#include "platform/data/Collation.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace data {

QString createDatabase(const QString& path, const QString& schemaFile)
{
    if (QFileInfo::exists(path))
        return QStringLiteral("Plik \"%1\" już istnieje").arg(path);
    QFile f(schemaFile);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("Nie można odczytać pliku \"%1\"").arg(schemaFile);
    const QByteArray sql = f.readAll();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString e = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close(db);
        return e;
    }
    registerCollation(db);
    char* err = nullptr;
    QString error;
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK
        || sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err) != SQLITE_OK
        || sqlite3_exec(db, "COMMIT", nullptr, nullptr, &err) != SQLITE_OK) {
        error = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
    }
    sqlite3_close(db);
    if (!error.isEmpty())
        QFile::remove(path);
    return error;
}

} // namespace data
