#pragma once
// Polish alphabetical order, ignoring case: a < ą < b < c < ć < ... < z < ź < ż. Registered on every
// connection as the SQL collation "POLISH" (the schema declares it on text columns), and used by
// the layer itself wherever it compares text (locate, filters on computed columns).
#include <QString>

struct sqlite3;

namespace data {

// <0, 0, >0 like strcmp; "ŁÓDŹ" equals "łódź".
int comparePolish(const QString& a, const QString& b);
// Text folded so that two texts equal under comparePolish fold to the same text (case folding).
QString foldCase(const QString& s);
// Registers "POLISH" on a raw SQLite handle (used by Connection, the database builder and
// benchmarks that talk to SQLite directly).
void registerCollation(sqlite3* db);

} // namespace data
