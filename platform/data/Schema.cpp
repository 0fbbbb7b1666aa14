#include "platform/data/Schema.h"

#include "platform/data/Collation.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
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

namespace {

// The object's type ("table", "view") and its columns; an empty type when `db` lacks it or it
// cannot be read (a view over a missing table).
QString objectColumns(sqlite3* db, const QString& name, QStringList& columns)
{
    columns.clear();
    QString type;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT type FROM sqlite_master WHERE name = ?1 COLLATE NOCASE", -1, &st, nullptr)
        == SQLITE_OK) {
        const QByteArray n = name.toUtf8();
        sqlite3_bind_text(st, 1, n.constData(), int(n.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(st) == SQLITE_ROW)
            type = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    if (type.isEmpty())
        return type;
    // Preparing the select reads the object's shape (a view is compiled) without running it.
    st = nullptr;
    const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\"").arg(name).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return QString();
    }
    for (int i = 0; i < sqlite3_column_count(st); ++i)
        columns << QString::fromUtf8(sqlite3_column_name(st, i));
    sqlite3_finalize(st);
    return type;
}

} // namespace

std::vector<SchemaObject> schemaObjects(const QByteArray& sql, QString* error, QStringList* indexes)
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
    QStringList names;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name FROM sqlite_master WHERE type IN ('table','view') "
                       "AND name NOT LIKE 'sqlite_%' ORDER BY type, name",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (indexes) {
        sqlite3_prepare_v2(db, "SELECT sql FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name", -1,
                           &st, nullptr);
        static const QRegularExpression create(QStringLiteral("^\\s*CREATE\\s+(UNIQUE\\s+)?INDEX\\s+"),
                                               QRegularExpression::CaseInsensitiveOption);
        while (sqlite3_step(st) == SQLITE_ROW)
            *indexes << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
                            .replace(create, QStringLiteral("CREATE \\1INDEX IF NOT EXISTS "));
        sqlite3_finalize(st);
    }
    for (const QString& name : names) {
        SchemaObject o;
        o.name = name;
        o.view = objectColumns(db, name, o.columns) == QLatin1String("view");
        out.push_back(std::move(o));
    }
    sqlite3_close(db);
    return out;
}

QString missingSchemaObject(sqlite3* db, const std::vector<SchemaObject>& required)
{
    QStringList have;
    for (const SchemaObject& o : required) {
        const QString type = objectColumns(db, o.name, have);
        if (type != (o.view ? QLatin1String("view") : QLatin1String("table")))
            return (o.view ? QStringLiteral("brak kwerendy %1") : QStringLiteral("brak tabeli %1")).arg(o.name);
        for (const QString& c : o.columns)
            if (!have.contains(c, Qt::CaseInsensitive))
                return QStringLiteral("brak kolumny %1.%2").arg(o.name, c);
    }
    return QString();
}

} // namespace data
