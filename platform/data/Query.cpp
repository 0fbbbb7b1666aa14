// A statement: a select opened like a table, or any statement run with execSql().
#include "platform/data/Query.h"

#include "platform/data/Sqlite.h"

namespace data {

void Query::setSql(const QString& sql)
{
    close();
    sql_ = sql;
    positional_.clear();
    named_.clear();
}

void Query::addBindValue(const QVariant& v) { positional_.append(v); }

void Query::bindValue(const QString& name, const QVariant& v) { named_.insert(name, v); }

void Query::clearBinds()
{
    positional_.clear();
    named_.clear();
}

int Query::execSql()
{
    if (!connection() || !connection()->isConnected())
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    close();
    sqlite3* db = connection()->handle();
    detail::Stmt s(db, sql_);
    if (!connection()->inTransaction() && !sqlite3_stmt_readonly(s.st))
        connection()->beforeWrite();
    detail::bindAll(db, s.st, positional_, named_);
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {}
    if (rc != SQLITE_DONE)
        detail::fail(db, sql_);
    return sqlite3_changes(db);
}

} // namespace data
