#pragma once
// Making an empty database from the schema file (the build's db.mdb, test and benchmark
// databases). The program itself never creates a database.
#include <QString>
#include <QSet>
#include <QStringList>

#include <vector>

struct sqlite3;

namespace data {

// Creates a new database file at path from the SQL in schemaFile (with the POLISH collation
// registered). Fails, touching nothing, when the file already exists. Returns "" or the error.
QString createDatabase(const QString& path, const QString& schemaFile);

// A table or saved query (view) a database must hold, with the columns the program reads of it.
struct SchemaObject {
    QString name;
    bool view = false;
    QStringList columns;
};

// An index of the schema: its name and its statement, as "CREATE [UNIQUE] INDEX IF NOT EXISTS ...".
struct SchemaIndex {
    QString name;
    QString sql;
};

// The tables and views that the schema SQL creates, each with all its columns. Made in a
// database in memory; nothing when the SQL fails (`error` tells why). `indexes` receives its
// indexes.
std::vector<SchemaObject> schemaObjects(const QByteArray& sql, QString* error = nullptr,
                                        std::vector<SchemaIndex>* indexes = nullptr);

// Reads the names of the open database's tables, views and indexes (lower case) into `names`
// with one read of its schema, and what it lacks of `required` into `missing` as a sentence
// ("brak tabeli Klienci", "brak kolumny Faktura.Nr"; "" when it holds everything). False when
// the schema cannot be read at all (not a database, unreadable): SQLite's error tells why.
// Only reads.
bool readSchemaNames(sqlite3* db, const std::vector<SchemaObject>& required, QSet<QString>& names, QString& missing);

} // namespace data
