#pragma once
// ---------------------------------------------------------------------------------------------
// The dataset layer (in place of ADO datasets). Summary of the API:
//
//   data::Connection c;  c.open("db.mdb");        // never creates the file; false + lastError()
//   c.exec(sql, {binds}); c.scalar(sql, {binds}); // '?' placeholders; throw data::Error
//   { data::Transaction t(c); ...; t.commit(); }  // rolls back unless committed
//   data::quote(v)                                // safe SQL literal when text must be spliced
//   data::Connection::find("ADOConnection1"); data::findComponent("DataModule1", "ADOConnection1")
//
//   data::Table t; t.setConnection(&c); t.setTableName("Klienci");  // tables and saved queries
//   data::Query q; q.setConnection(&c); q.setSql("select max(nr) from Faktura where typ=?");
//       q.addBindValue("FV"); q.open(); q.fieldByName("Expr1000").asInteger(); q.execSql();
//   open()/close()/isActive()/setActive()/refresh()
//   first()/last()/next()/prior()/moveBy(n)/eof()/bof()/recNo()/setRecNo(n)/recordCount()/isEmpty()
//   fieldByName("nr_klienta") -> data::Field& (asString/asInteger/asFloat/asBoolean/asDate,
//       setAsString/...); findField(name) -> Field* or nullptr; fieldNames()
//   append()/insert()/edit()/post()/cancel()/state(); lastInsertId() after posting an insert
//   setFilter("typ='FV' and rok='2011'") + setFiltered(true)  (the filter syntax of the system:
//       = <> < > <= >=, and/or/not, parentheses, 'text' with '' for an apostrophe, bare numbers,
//       bare yyyy-mm-dd dates, true/false; values are bound, never spliced)
//   setIndexFieldNames("Id_Fakt;lp")             (sort order; ';' or ',' between names)
//   locate("Nazwa_Nazwisko", "kow", {.caseInsensitive = true, .partialKey = true})
//   locate("Typ_Koncowy;Rok_Koncowy;Nr_Koncowy", QVariantList{"FV", "2011", 12})
//   setMasterSource(masterDataSourceOrDataset, "Nr_Koncowy;Rok_Koncowy",
//                   "Faktura_Nr_Koncowy;Faktura_Rok_Koncowy")  (detail fields default to the
//                   first index fields)
//   data::DataSource ds; ds.setDataset(&t);      // what data-aware widgets bind to
//
// Signals of a dataset: activeChanged(bool), stateChanged(State), currentChanged() (the cursor
// moved or the row set was reloaded: the "after scroll" moment), dataChanged() (rows reloaded or a
// row posted), fieldChanged(int) (a field of the edit buffer was set).
// Field references stay valid while the dataset is open; close()/open() makes new ones.
// Rows are read from SQLite as the cursor needs them; recordCount() counts with COUNT(*) until
// every row has been read. Every failure throws data::Error.
// ---------------------------------------------------------------------------------------------
#include "platform/data/Connection.h"
#include "platform/data/Error.h"
#include "platform/data/Field.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3_stmt;
struct sqlite3_value;

namespace data {

enum class State { Inactive, Browse, Edit, Insert };

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // the field begins with the value (an empty value matches nothing)
};

class DataSource;
struct LocateHook;

class Dataset : public QObject {
    Q_OBJECT
public:
    explicit Dataset(QObject* parent = nullptr);
    ~Dataset() override;

    void setConnection(Connection* c);
    Connection* connection() const { return conn_; }

    // --- opening ---
    void open();
    void close();
    void setActive(bool on);
    bool isActive() const { return state_ != State::Inactive; }
    void refresh(); // reads the rows again, keeping the current row where it still exists

    // --- navigation ---
    void first();
    void last();
    void next();
    void prior();
    int moveBy(int distance); // returns how far it moved
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    int recNo() const; // 1-based; 0 when empty or closed
    void setRecNo(int n);
    int recordCount();
    bool isEmpty();
    // Whether recNo() answers without a query: false right after locate() (or refresh()) moved
    // the cursor far down a long result, until the first recNo() counts the rows before it.
    bool recNoKnown() const { return !pendingRank_; }

    // --- reading rows for display: the cursor does not move and no signal is emitted ---
    // Calls atRow(index, values) for each existing row of index from .. from + count - 1
    // (0-based, in the dataset's order), values[k] being what field(fields[k]).value() gives on
    // that row (the stored row: an edit in progress is not shown). Returns the rows read.
    int visitRows(int from, int count, const std::vector<int>& fields,
                  const std::function<void(int index, const QVariantList& values)>& atRow);

    // --- fields ---
    Field& fieldByName(const QString& name); // throws data::Error when absent
    Field* findField(const QString& name);
    Field& field(int i);
    int fieldCount() const { return int(fields_.size()); }
    QStringList fieldNames() const;

    // --- editing (tables only; queries and views are read-only) ---
    void append();
    void insert() { append(); }
    void edit();
    void post();
    void cancel();
    State state() const { return state_; }
    bool isModified() const { return modified_; }
    bool canModify() const;
    void setReadOnly(bool ro) { readOnly_ = ro; }
    bool isReadOnly() const { return readOnly_; }
    qint64 lastInsertId() const { return lastInsertId_; }

    // --- filter and order ---
    void setFilter(const QString& text); // applied when filtered() is on
    QString filter() const { return filter_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    void setIndexFieldNames(const QString& names); // "a;b" or "a,b"
    QString indexFieldNames() const { return indexFieldNames_; }

    // --- locate: searches from the first row; moves only on a match ---
    bool locate(const QString& fields, const QVariantList& values, LocateOptions opts = {});
    bool locate(const QString& field, const QVariant& value, LocateOptions opts = {});

    // --- master-detail: the dataset shows the rows whose detail fields equal the master's
    // current values (a text year matches an integer year; empty text never matches 0) ---
    void setMasterSource(DataSource* master, const QString& masterFields,
                         const QString& detailFields = QString());
    void setMasterSource(Dataset* master, const QString& masterFields,
                         const QString& detailFields = QString());
    Dataset* master() const;
    QString masterFields() const { return masterFields_; }

signals:
    void activeChanged(bool active);
    void stateChanged(data::State state);
    void currentChanged();
    void dataChanged();
    void fieldChanged(int field);

protected:
    // The statement whose rows the dataset shows, before filter/link/order, and its binds.
    virtual QString baseSql() const = 0;
    virtual QVariantList baseBinds() const { return {}; }
    virtual QVariantMap baseNamedBinds() const { return {}; }
    // Base table that edits write to ("" = read-only); tables select rowid as hidden column 0.
    virtual QString writableTable() const { return QString(); }
    void requireInactive(const char* what) const;

private:
    friend class Field;
    struct Column {
        QString name;
        FieldKind kind = FieldKind::Unknown;
    };
    // A cached row keeps SQLite's values compactly (numbers inline, all texts of the row in one
    // byte array); a QVariant/QString is made only when a field of the row is read.
    struct Cell {
        enum Type : unsigned char { Null, Int, Real, Text, Blob } type = Null;
        union {
            qint64 i;
            double d;
            struct {
                int off, len;
            } t;
        };
        Cell() : i(0) {}
    };
    struct Row {
        std::vector<Cell> cells;
        QByteArray bytes; // texts and blobs of the row
        bool empty() const { return cells.empty(); }
        QVariant value(size_t at) const;
        qint64 rowid() const { return cells.empty() ? -1 : cells[0].i; }
    };
    using Values = std::vector<QVariant>; // the edit buffer
    // One term of the effective ORDER BY (the hidden rowid last when the order is total).
    struct OrderKey {
        QString expr; // column with its collation, or the rowid
        int at = 0;   // index in a cached row
        bool desc = false;
    };
    // The effective statement in parts, so that locate can add conditions and count.
    struct Plan {
        QStringList where;
        QVariantList binds; // named :__pN, N = position + 1
        std::vector<OrderKey> order;
        bool noRows = false;
    };
    struct LocateRequest;
    friend struct LocateHook;

    void buildFields(sqlite3_stmt* st);
    Plan plan() const;
    QString planSql(const Plan& p, const QString& extraWhere = QString(), const QString& tail = QString()) const;
    QString effectiveSql(QVariantList& binds, bool* noRows) const;
    sqlite3_stmt* prepareBound(const QString& sql, const QVariantList& binds) const;
    // The same from the connection's statement cache, for a statement stepped to its end (or
    // reset) before anything else can run on the connection; pair it with a ReusedStatement.
    sqlite3_stmt* cachedBound(const QString& sql, const QVariantList& binds) const;
    void bindPlan(sqlite3_stmt* st, const QVariantList& binds) const;
    // The dataset's own cursor on `sql`: a statement kept from an earlier reading when there is
    // one (reset, bound again), else a new one.
    sqlite3_stmt* cursorStatement(const QString& sql, const QVariantList& binds);
    void dropSpares();
    // What a reading depends on: the statement with its values and the state of the database.
    // Two equal snapshots read the same rows. None inside a transaction (a rollback could undo
    // what was read without anything counting it).
    struct Snapshot {
        QString sql;
        QVariantList binds, baseBinds;
        QVariantMap namedBinds;
        qint64 changes = 0, dataVersion = 0, schemaVersion = 0;
        bool operator==(const Snapshot&) const = default;
    };
    std::optional<Snapshot> snapshot(const QString* sql = nullptr) const; // sql: planSql() if known
    static Row readRow(sqlite3_stmt* st);
    static Row rowFromValues(const Values& v);
    void resetCache();
    void execute(); // (re)runs the statement, empties the cache
    void restart(); // reads from the first row again (the fields stay)
    bool fetchOne(); // false at the end
    bool ensureRow(int index); // fetch until row index exists
    void finishStatement();
    void setCurrent(int index, bool emitSignal = true);
    void checkBrowseMode();
    void requireActive() const;
    void setState(State s);
    Row readRowById(qint64 rowid);
    QVariant cell(int field) const;
    void setCell(int field, const QVariant& v);
    int columnOf(const QString& name) const; // -1 when absent
    void masterMoved();
    bool rowMatches(const Row& row, const std::vector<int>& cols, const QVariantList& values,
                    LocateOptions opts) const;
    static bool matchValue(const Field& f, const QVariant& raw, const QVariant& want, LocateOptions opts);
    bool matchesSql(const LocateRequest& r, sqlite3_value** argv) const;
    bool keyed(const Plan& p) const;
    QString keyCondition(const Plan& p, const Row& row, QVariantList& binds) const;
    int countBefore(const Plan& p, const Row& row) const;
    void jumpTo(const Plan& p, Row row, std::optional<int> rank = std::nullopt);
    bool prependPage();
    int base() const; // the window's first row index (counts the rows before it when pending)
    bool farWindow() const { return pendingRank_ || base_ > 0; }
    // Reads `count` rows from row index `from` of the plan with LIMIT/OFFSET (outside the cache).
    int readByPosition(const Plan& p, int from, int count, const std::function<void(const Row&)>& atRow) const;
    std::optional<bool> locateBySql(const std::vector<int>& cols, const QVariantList& values, LocateOptions opts);

    QPointer<Connection> conn_;
    State state_ = State::Inactive;
    bool readOnly_ = false;
    QString filter_;
    bool filtered_ = false;
    QString indexFieldNames_;
    QPointer<Dataset> master_;
    QPointer<DataSource> masterSource_;
    QString masterFields_, detailFields_;
    QMetaObject::Connection masterConn_[3];

    sqlite3_stmt* stmt_ = nullptr;
    QString stmtSql_; // the text of stmt_
    // Statements of earlier readings, reset, kept for the next reading with the same text (a
    // reopen, a refresh, the other of two sort orders, a search's jump); most recent last.
    struct Spare {
        QString sql;
        sqlite3_stmt* st;
    };
    std::vector<Spare> spares_;
    bool done_ = true;
    bool hasRowid_ = false; // hidden column 0 of every row is the rowid
    std::vector<Column> columns_;
    std::vector<std::unique_ptr<Field>> fields_;
    QHash<QString, int> fieldIndex_; // folded name -> field
    std::vector<Row> rows_;
    int pendingInserted_ = 0; // rows posted by append() at the tail while rows remain unread
    QSet<qint64> insertedIds_;
    int cur_ = -1;
    // rows_ is a window of the ordered result starting at row base_ (0 unless locate jumped
    // far ahead); the statement continues after the window's last row. After a far jump the
    // rows before the window are counted only when a row number is first needed.
    mutable int base_ = 0;
    struct PendingRank {
        Plan plan;
        Row anchor; // the window's first row
    };
    mutable std::optional<PendingRank> pendingRank_;
    bool dirty_ = false; // the cache holds appended or edited rows (its order may differ from SQL)
    bool eof_ = true, bof_ = true;
    std::optional<int> countCache_;
    std::optional<Snapshot> readFrom_; // of the last execute()
    Values buffer_; // edit/insert buffer
    std::vector<bool> changed_;
    bool modified_ = false;
    qint64 lastInsertId_ = 0;
};

// A base table or saved query (view) opened by name.
class Table : public Dataset {
    Q_OBJECT
public:
    explicit Table(QObject* parent = nullptr) : Dataset(parent) {}
    void setTableName(const QString& name);
    QString tableName() const { return table_; }

protected:
    QString baseSql() const override;
    QString writableTable() const override;

private:
    QString table_;
    mutable std::optional<bool> isView_;
};

// A statement: a select opened like a table, or any statement run with execSql().
// Parameters: '?' bound in order by addBindValue, or ':name' bound by bindValue(name, v).
class Query : public Dataset {
    Q_OBJECT
public:
    explicit Query(QObject* parent = nullptr) : Dataset(parent) {}
    void setSql(const QString& sql); // closes the query; keeps no old binds
    QString sql() const { return sql_; }
    void addBindValue(const QVariant& v);
    void bindValue(const QString& name, const QVariant& v);
    void clearBinds();
    int execSql(); // runs a statement that returns no rows; returns changed rows

protected:
    QString baseSql() const override { return sql_; }
    QVariantList baseBinds() const override { return positional_; }
    QVariantMap baseNamedBinds() const override { return named_; }

private:
    QString sql_;
    QVariantList positional_;
    QVariantMap named_;
};

// What data-aware widgets (and master-detail links) point at.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject* parent = nullptr) : QObject(parent) {}
    void setDataset(Dataset* d);
    Dataset* dataset() const { return dataset_; }
signals:
    void datasetChanged();

private:
    QPointer<Dataset> dataset_;
};

} // namespace data
