#include "platform/data/Sqlite.h"

#include "platform/data/ValueKind.h"

#include <QDate>
#include <QDateTime>

namespace data::detail {

void fail(sqlite3* db, const QString& what)
{
    throw Error(QStringLiteral("Błąd bazy danych: %1\n%2")
                    .arg(QString::fromUtf8(db ? sqlite3_errmsg(db) : "brak połączenia"), what));
}

sqlite3_stmt* prepare(sqlite3* db, const QString& sql)
{
    if (!db)
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    sqlite3_stmt* st = nullptr;
    const QByteArray u = sql.toUtf8();
    if (sqlite3_prepare_v2(db, u.constData(), int(u.size()), &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        fail(db, sql);
    }
    return st;
}

void bind(sqlite3* db, sqlite3_stmt* st, int index, const QVariant& v)
{
    const auto bindText = [&](const QString& s) {
        const QByteArray t = s.toUtf8();
        return sqlite3_bind_text(st, index, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    };
    int rc = SQLITE_OK;
    switch (valueKind(v)) {
    case ValueKind::Null:
        rc = sqlite3_bind_null(st, index);
        break;
    case ValueKind::Boolean:
        rc = sqlite3_bind_int(st, index, v.toBool() ? 1 : 0);
        break;
    case ValueKind::Integer:
        rc = sqlite3_bind_int64(st, index, v.toLongLong());
        break;
    case ValueKind::Float:
        rc = sqlite3_bind_double(st, index, v.toDouble());
        break;
    case ValueKind::Date:
        rc = bindText(dateValue(v).toString(Qt::ISODate));
        break;
    case ValueKind::Bytes: {
        const QByteArray b = v.toByteArray();
        rc = sqlite3_bind_blob(st, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    case ValueKind::Text:
        rc = bindText(v.toString());
        break;
    }
    if (rc != SQLITE_OK)
        fail(db, QStringLiteral("parametr %1").arg(index));
}

void bindAll(sqlite3* db, sqlite3_stmt* st, const QVariantList& positional, const QVariantMap& named)
{
    for (int i = 0; i < positional.size(); ++i)
        bind(db, st, i + 1, positional[i]);
    for (auto it = named.begin(); it != named.end(); ++it) {
        QString name = it.key();
        if (!name.startsWith(QLatin1Char(':')) && !name.startsWith(QLatin1Char('@'))
            && !name.startsWith(QLatin1Char('$')))
            name.prepend(QLatin1Char(':'));
        const int idx = sqlite3_bind_parameter_index(st, name.toUtf8().constData());
        if (idx == 0)
            throw Error(QStringLiteral("Nieznany parametr zapytania: %1").arg(name));
        bind(db, st, idx, it.value());
    }
}

QVariant column(sqlite3_stmt* st, int col)
{
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(st, col)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, col));
    case SQLITE_TEXT: {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        return QVariant(QString::fromUtf8(t, sqlite3_column_bytes(st, col)));
    }
    case SQLITE_BLOB: {
        const char* b = static_cast<const char*>(sqlite3_column_blob(st, col));
        return QVariant(QByteArray(b, sqlite3_column_bytes(st, col)));
    }
    default:
        return QVariant();
    }
}

} // namespace data::detail
