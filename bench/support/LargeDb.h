#pragma once
// A large database for benchmarks: 5,000 clients, 2,000 goods, 200,000 documents and 1,000,000
// lines, made once from db/schema.sql and kept in /tmp under a name keyed by the schema's hash.
#include <QString>

namespace bench {

QString largeDatabase();

} // namespace bench
