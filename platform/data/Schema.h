#pragma once
// Making an empty database from the schema file (the build's db.mdb, test and benchmark
// databases). The program itself never creates a database.
#include <QString>
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

// The tables and views that the schema SQL creates, each with all its columns. Made in a
// database in memory; nothing when the SQL fails (`error` tells why). `indexes` receives the
// statements of its indexes, each as "CREATE [UNIQUE] INDEX IF NOT EXISTS ...".
std::vector<SchemaObject> schemaObjects(const QByteArray& sql, QString* error = nullptr,
                                        QStringList* indexes = nullptr);

// What the open database `db` lacks of `required`, as a sentence ("brak tabeli Klienci",
// "brak kolumny Faktura.Nr"), or "" when it holds every object and column. Only reads.
QString missingSchemaObject(sqlite3* db, const std::vector<SchemaObject>& required);

} // namespace data
