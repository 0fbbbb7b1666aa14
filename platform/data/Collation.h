#pragma once
// Polish alphabetical order, ignoring case: a < ą < b < c < ć < ... < z < ź < ż. Registered on every
// connection as the SQL collation "POLISH" (the schema declares it on text columns), and used by
// the layer itself wherever it compares text (locate, filters on computed columns).
#include <QString>

struct sqlite3;

namespace data {

// <0, 0, >0 like strcmp; "ŁÓDŹ" equals "łódź".
int comparePolish(const QString& a, const QString& b);
// The same on UTF-8 bytes, without making QStrings (the row tests of locate).
int comparePolishUtf8(const char* a, int na, const char* b, int nb);
// `s` begins with `prefix` ignoring case (equal under comparePolish letter by letter).
bool startsWithPolishUtf8(const char* s, int ns, const char* prefix, int np);
// Text folded so that two texts equal under comparePolish fold to the same text (case folding).
QString foldCase(const QString& s);
// Registers "POLISH" on a raw SQLite handle (used by Connection, the database builder and
// benchmarks that talk to SQLite directly).
void registerCollation(sqlite3* db);

} // namespace data
