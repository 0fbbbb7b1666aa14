#include "platform/data/Schema.h"

#include "platform/data/Collation.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
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
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
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

namespace {

// The columns of a table or view; none when it cannot be read (a view over a missing table).
// Preparing the select reads the object's shape (a view is compiled) without running it.
QStringList objectColumns(sqlite3* db, const QString& name)
{
    QStringList columns;
    sqlite3_stmt* st = nullptr;
    const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\"").arg(name).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK)
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            columns << QString::fromUtf8(sqlite3_column_name(st, i));
    sqlite3_finalize(st);
    return columns;
}

} // namespace

std::vector<SchemaObject> schemaObjects(const QByteArray& sql, QString* error, std::vector<SchemaIndex>* indexes)
{
    std::vector<SchemaObject> out;
    sqlite3* db = nullptr;
    sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    registerCollation(db);
    char* err = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        sqlite3_free(err);
        sqlite3_close(db);
        return out;
    }
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name, type = 'view' FROM sqlite_master WHERE type IN ('table','view') "
                       "AND name NOT LIKE 'sqlite_%' ORDER BY type, name",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        SchemaObject o;
        o.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        o.view = sqlite3_column_int(st, 1) != 0;
        out.push_back(std::move(o));
    }
    sqlite3_finalize(st);
    for (SchemaObject& o : out)
        o.columns = objectColumns(db, o.name);
    if (indexes) {
        sqlite3_prepare_v2(db,
                           "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name",
                           -1, &st, nullptr);
        static const QRegularExpression create(QStringLiteral("^\\s*CREATE\\s+(UNIQUE\\s+)?INDEX\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        while (sqlite3_step(st) == SQLITE_ROW)
            indexes->push_back({QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))),
                                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)))
                                    .replace(create, QStringLiteral("CREATE \\1INDEX IF NOT EXISTS "))});
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return out;
}

bool readSchemaNames(sqlite3* db, const std::vector<SchemaObject>& required, QSet<QString>& names, QString& missing)
{
    names.clear();
    missing.clear();
    QHash<QString, QString> types; // lower-case name -> type
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT type, name FROM sqlite_schema", -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        const QString type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1))).toLower();
        types.insert(name, type);
        names.insert(name);
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        return false;
    for (const SchemaObject& o : required) {
        if (types.value(o.name.toLower()) != (o.view ? QLatin1String("view") : QLatin1String("table"))) {
            missing = (o.view ? QStringLiteral("brak kwerendy %1") : QStringLiteral("brak tabeli %1")).arg(o.name);
            return true;
        }
        const QStringList have = objectColumns(db, o.name);
        for (const QString& c : o.columns)
            if (!have.contains(c, Qt::CaseInsensitive)) {
                missing = have.isEmpty() && o.view ? QStringLiteral("brak kwerendy %1").arg(o.name)
                                                   : QStringLiteral("brak kolumny %1.%2").arg(o.name, c);
                return true;
            }
    }
    return true;
}

} // namespace data
