#include "platform/data/Connection.h"
#include "platform/data/Sqlite.h"

namespace data {

QList<QVariantMap> Connection::selectRows(const QString& sql, const QVariantList& binds)
{
    requireOpen();
    sqlite3_stmt* st = cachedStatement(sql);
    struct Reset {
        sqlite3_stmt* st;
        ~Reset()
        {
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
        }
    } reset{st};
    detail::bindAll(handle(), st, binds);
    const int columns = sqlite3_column_count(st);
    QStringList names;
    for (int i = 0; i < columns; ++i)
        names << QString::fromUtf8(sqlite3_column_name(st, i));
    QList<QVariantMap> rows;
    for (;;) {
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            detail::fail(handle(), sql);
        QVariantMap row;
        for (int i = 0; i < columns; ++i)
            row.insert(names[i], detail::column(st, i));
        rows << row;
    }
    return rows;
}

} // namespace data
