#pragma once
// Making an empty database from the schema file (the build's db.mdb, test and benchmark
// databases). The program itself never creates a database.
#include <QString>

namespace data {

// Creates a new database file at path from the SQL in schemaFile (with the POLISH collation
// registered). Fails, touching nothing, when the file already exists. Returns "" or the error.
QString createDatabase(const QString& path, const QString& schemaFile);

} // namespace data
