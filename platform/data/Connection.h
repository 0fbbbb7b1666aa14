#pragma once
// The database connection (in place of the ADO connection): one SQLite file, opened read-write,
// never created. See Dataset.h for the overview of the layer.
#include "platform/data/Schema.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>

struct sqlite3;
struct sqlite3_stmt;

namespace data {

class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    // Connection-string properties ("Provider=...;Data Source=db.mdb;...") are kept as a
    // descriptor; only "Data Source" has a meaning here (relative to the current directory).
    void setConnectionString(const QString& s);
    QString connectionString() const;
    QString connectionProperty(const QString& name) const; // case-insensitive name, "" if absent

    // Opens "Data Source" of the connection string / the given file. Never creates a missing
    // file and never writes into one that is not a database (an empty file is not one). Returns
    // false and sets lastError() (a Polish message) when the file is missing, unreadable or not a
    // database; nothing is thrown. A file or folder that may not be written is opened read-only:
    // isReadOnly() and warning() tell so.
    bool open();
    bool open(const QString& path);
    // The tables and saved queries a file must hold to be opened at all. A file that lacks one
    // is refused as not the program's, before anything is written to it (the journal mode
    // included), so that it stays byte for byte as it was. Only a file that holds them all is
    // switched to WAL; with none given (the default) any database opens, and its journal mode
    // is left as the file has it.
    void setRequiredSchema(std::vector<SchemaObject> objects) { required_ = std::move(objects); }
    // Whether the file held a table, view or index of this name (any case) when it was opened.
    bool holdsObject(const QString& name) const;
    bool isReadOnly() const;
    // What the user must be told about the open database (read-only), or empty text.
    QString warning() const;
    void close(); // closes every dataset on the connection first
    bool isConnected() const;
    QString lastError() const;
    QString databasePath() const; // absolute path of the open file

    // Statements with bound values ('?' placeholders, or ':name' bound by position).
    // Throw data::Error on failure. exec returns the number of changed rows.
    int exec(const QString& sql, const QVariantList& binds = {});
    // First column of the first row; a null QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& binds = {});
    qint64 lastInsertId() const;
    // Every row of a query, each as column name -> value (for small reads such as one document).
    QList<QVariantMap> selectRows(const QString& sql, const QVariantList& binds = {});
    bool inTransaction() const;

    sqlite3* handle() const;
    // A prepared statement kept for reuse (reset, bindings cleared); owned by the connection.
    sqlite3_stmt* cachedStatement(const QString& sql);

    // The connection with this objectName (case-insensitive), or nullptr. The print libraries
    // reach the program's connection through programConnection() (ProgramConnection.h).
    static Connection* find(const QString& name);

    // Told, with a sentence, when a statement has waited a moment for another program's lock
    // (it goes on waiting up to a minute), and with an empty text when the wait is over. One
    // for the process: the main window shows it.
    using BusyNotice = std::function<void(const QString&)>;
    static void setBusyNotice(BusyNotice notice);

    // Ends every reading of the connection's datasets that is under way (each goes on where it
    // was when it is next needed), so that the connection holds no read transaction: it would
    // keep the database as it was when the reading began, hiding what other programs wrote
    // since, refusing this connection's next write and holding back their checkpoints. Runs by
    // itself before every write transaction and whenever the thread's event loop waits for the
    // user.
    void releaseReads();

    // Whether the file at the path the database was opened from is still the open one; false
    // with the reason in `why` when it was deleted, renamed or replaced by another file meanwhile.
    bool fileStillThere(QString* why = nullptr) const;
    // Before a write that is a transaction of its own (BEGIN IMMEDIATE, or a statement run
    // outside a transaction): releaseReads(), then the file is checked to be the one opened;
    // throws data::Error (ErrorKind::Replaced, naming the file) when it is not.
    void beforeWrite();

signals:
    void connectedChanged(bool connected);
    void aboutToClose();
    void readsReleasing(); // datasets end their readings (see releaseReads)

private:
    void requireOpen() const;
    void clearCache();
    static int busyWait(void* self, int count);
    void endBusyWait();
    sqlite3* db_ = nullptr;
    QHash<QString, sqlite3_stmt*> cache_;
    QString connectionString_;
    QString lastError_;
    QString warning_;
    bool readOnly_ = false;
    QString path_;
    QString tried_;                     // absolute path of the last file open() was asked for
    qulonglong device_ = 0, inode_ = 0; // of the file that was opened
    std::vector<SchemaObject> required_;
    QSet<QString> schemaNames_; // lower case
    QElapsedTimer busySince_;
    bool busyTold_ = false;
};

// A write transaction (BEGIN IMMEDIATE; a SAVEPOINT when one is already running).
// commit() makes it permanent; destruction without commit() rolls everything back.
class Transaction {
public:
    explicit Transaction(Connection& c);
    explicit Transaction(Connection* c) : Transaction(*c) {}
    ~Transaction();
    void commit();
    void rollback();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

private:
    Connection& c_;
    QString savepoint_; // empty for the outermost transaction
    bool done_ = false;
};

// SQL literal for a value: text in apostrophes with embedded apostrophes doubled ("O'Brien" ->
// 'O''Brien'), numbers bare, booleans 1/0, dates 'yyyy-MM-dd', null NULL. The same quoting is
// understood by filter texts. Prefer bound values; use this only where text must be spliced.
QString quote(const QVariant& value);

// Component registry: roots (objects with an objectName such as "DataModule1") register here;
// findComponent("DataModule1", "ADOConnection1") finds a named child of a named root.
void registerComponent(QObject* root);
QObject* findComponent(const QString& ownerName, const QString& name);

} // namespace data
