#pragma once
// Internal helpers of the data layer around the SQLite C API.
#include "platform/data/Error.h"

#include <QString>
#include <QVariant>
#include <sqlite3.h>

namespace data::detail {

// Binds a value: bool as 0/1, dates as 'yyyy-MM-dd', null/invalid as NULL.
void bind(sqlite3* db, sqlite3_stmt* st, int index, const QVariant& v);
// Column value as qint64, double, QString, QByteArray or null.
QVariant column(sqlite3_stmt* st, int col);
// Prepares or throws data::Error with SQLite's message and the statement.
sqlite3_stmt* prepare(sqlite3* db, const QString& sql);
// Throws data::Error for the last failure on `db` while running `what` (a statement): the kind
// from SQLite's code, the action told in words from the statement, SQLite's text as the detail.
[[noreturn]] void fail(sqlite3* db, const QString& what);
// The kind of failure for an SQLite result code.
ErrorKind errorKind(int code);
// What a statement was doing, in words: "zapisać danych w tabeli Faktura".
QString actionOf(const QString& sql);

// Owns a prepared statement.
struct Stmt {
    sqlite3_stmt* st = nullptr;
    Stmt(sqlite3* db, const QString& sql) : st(prepare(db, sql)) {}
    ~Stmt() { sqlite3_finalize(st); }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
};

// Registers tarnex_locate(), the row test of Dataset::locate run inside SQLite.
void registerLocate(sqlite3* db);

// Binds positional values (1..n) and named values (":name").
void bindAll(sqlite3* db, sqlite3_stmt* st, const QVariantList& positional, const QVariantMap& named = {});

} // namespace data::detail
