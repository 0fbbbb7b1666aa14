#include "platform/data/Sqlite.h"

#include "platform/data/ValueKind.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QRegularExpression>

namespace data::detail {

ErrorKind errorKind(int code)
{
    if (code == SQLITE_READONLY_DBMOVED) // the file was renamed or deleted under the connection
        return ErrorKind::Replaced;
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ErrorKind::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM: return ErrorKind::ReadOnly;
    case SQLITE_CONSTRAINT: return ErrorKind::Constraint;
    case SQLITE_NOTADB: return ErrorKind::NotDatabase;
    case SQLITE_CORRUPT: return ErrorKind::Corrupt;
    case SQLITE_FULL: return ErrorKind::DiskFull;
    case SQLITE_CANTOPEN: return ErrorKind::CantOpen;
    case SQLITE_IOERR: return ErrorKind::Io;
    default: return ErrorKind::Refused;
    }
}

namespace {

// The name after a keyword of the statement ("from", "into", "update"), without its quotes.
QString nameAfter(const QString& sql, const QString& keyword)
{
    static const QString quotes = QStringLiteral("\"[`");
    qsizetype at = 0;
    for (;;) {
        at = sql.indexOf(keyword, at, Qt::CaseInsensitive);
        if (at < 0)
            return QString();
        const bool startOk = at == 0 || !sql[at - 1].isLetterOrNumber();
        const qsizetype end = at + keyword.size();
        if (startOk && end < sql.size() && sql[end].isSpace())
            break;
        at = end;
    }
    qsizetype i = at + keyword.size();
    while (i < sql.size() && sql[i].isSpace())
        ++i;
    if (sql.mid(i, 3).compare(QLatin1String("or "), Qt::CaseInsensitive) == 0) // "update or ..."
        return QString();
    QString name;
    const bool quoted = i < sql.size() && quotes.contains(sql[i]);
    if (quoted)
        ++i;
    while (i < sql.size()) {
        const QChar c = sql[i++];
        if (quoted ? (c == QLatin1Char('"') || c == QLatin1Char(']') || c == QLatin1Char('`'))
                   : !(c.isLetterOrNumber() || c == QLatin1Char('_')))
            break;
        name += c;
    }
    return name;
}

} // namespace

QString actionOf(const QString& sql)
{
    const QString t = sql.trimmed();
    const QString verb = t.section(QRegularExpression(QStringLiteral("\\s+")), 0, 0).toLower();
    auto inTable = [&](const char* what, const char* prep, const QString& table) {
        return table.isEmpty()
            ? QStringLiteral("%1 w bazie danych").arg(QString::fromUtf8(what))
            : QStringLiteral("%1 %2 tabeli %3").arg(QString::fromUtf8(what), QString::fromUtf8(prep), table);
    };
    if (verb == QLatin1String("select") || verb == QLatin1String("with"))
        return inTable("odczytać danych", "z", nameAfter(t, QStringLiteral("from")));
    if (verb == QLatin1String("insert") || verb == QLatin1String("replace"))
        return inTable("zapisać danych", "w", nameAfter(t, QStringLiteral("into")));
    if (verb == QLatin1String("update"))
        return inTable("zmienić danych", "w", nameAfter(t, QStringLiteral("update")));
    if (verb == QLatin1String("delete"))
        return inTable("usunąć danych", "z", nameAfter(t, QStringLiteral("from")));
    if (verb == QLatin1String("begin") || verb == QLatin1String("commit") || verb == QLatin1String("end")
        || verb == QLatin1String("savepoint") || verb == QLatin1String("release") || verb == QLatin1String("rollback"))
        return QStringLiteral("zapisać zmian w bazie danych");
    return QStringLiteral("wykonać operacji na bazie danych");
}

void fail(sqlite3* db, const QString& what)
{
    // The user is told what failed and why, in words; the statement stays out of the message.
    if (!db)
        throw Error(ErrorKind::NoConnection, actionOf(what), QString(), what);
    const char* file = sqlite3_db_filename(db, "main");
    throw Error(errorKind(sqlite3_extended_errcode(db)), actionOf(what), QString::fromUtf8(sqlite3_errmsg(db)), what,
                file && *file ? QDir::toNativeSeparators(QString::fromUtf8(file)) : QString());
}

sqlite3_stmt* prepare(sqlite3* db, const QString& sql)
{
    if (!db)
        throw Error(ErrorKind::NoConnection, actionOf(sql), QString(), sql);
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
    case ValueKind::Null: rc = sqlite3_bind_null(st, index); break;
    case ValueKind::Boolean: rc = sqlite3_bind_int(st, index, v.toBool() ? 1 : 0); break;
    case ValueKind::Integer: rc = sqlite3_bind_int64(st, index, v.toLongLong()); break;
    case ValueKind::Float: rc = sqlite3_bind_double(st, index, v.toDouble()); break;
    case ValueKind::Date: rc = bindText(dateValue(v).toString(Qt::ISODate)); break;
    case ValueKind::Bytes: {
        const QByteArray b = v.toByteArray();
        rc = sqlite3_bind_blob(st, index, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    case ValueKind::Text: rc = bindText(v.toString()); break;
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
    case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(st, col)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, col));
    case SQLITE_TEXT: {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        return QVariant(QString::fromUtf8(t, sqlite3_column_bytes(st, col)));
    }
    case SQLITE_BLOB: {
        const char* b = static_cast<const char*>(sqlite3_column_blob(st, col));
        return QVariant(QByteArray(b, sqlite3_column_bytes(st, col)));
    }
    default: return QVariant();
    }
}

} // namespace data::detail
