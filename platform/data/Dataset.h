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
// Rows are read from SQLite as the cursor needs them; recordCount() counts with COUNT(*) (on the
// base table of a saved query that shows one table's rows) until every row has been read, and
// last() reads the last row in the reverse order, so neither reads the rows on the way.
// A reading left part way is ended whenever the connection releases its reads (before a write,
// and while the program waits for the user): the rows read stay in the cache and the reading
// goes on after the last of them when more are needed, so no dataset keeps the database as it
// was when it opened (another program's rows stay hidden, this connection's writes refused).
// Every failure throws data::Error.
// ---------------------------------------------------------------------------------------------
#include "platform/data/Connection.h"
#include "platform/data/Error.h"
#include "platform/data/Field.h"
#include "platform/data/RowCache.h"
#include "platform/data/Statement.h"
#include "platform/data/ViewShape.h"

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
    // Whether recNo() answers without a query: false right after locate(), last() (or refresh())
    // moved the cursor far down a long result, until the first recNo() counts the rows before it.
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
    void setMasterSource(DataSource* master, const QString& masterFields, const QString& detailFields = QString());
    void setMasterSource(Dataset* master, const QString& masterFields, const QString& detailFields = QString());
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
    // For a saved query that shows the rows of one base table one for one: that table, on which
    // the rows are counted (see ViewShape.h). None for anything else.
    virtual std::optional<detail::CountSource> countSource() const { return std::nullopt; }
    void requireInactive(const char* what) const;

private:
    friend class Field;
    friend struct LocateHook;
    using Row = detail::Row;
    using Values = std::vector<QVariant>; // the edit buffer
    struct Column {
        QString name;
        FieldKind kind = FieldKind::Unknown;
    };
    // One term of the effective ORDER BY (the hidden rowid last when the order is total).
    struct OrderKey {
        QString expr; // column with its collation, or the rowid
        int at = 0;   // index in a cached row
        bool desc = false;
        bool implicit = false; // the rowid order of a whole table, which no index field asked for
    };
    // The effective statement in parts, so that locate can add conditions and count.
    struct Plan {
        QStringList where;
        QVariantList binds; // named :__pN, N = position + 1
        std::vector<OrderKey> order;
        QStringList fixed; // columns of one value in every row (compared equal to it by the filter)
        bool noRows = false;
        // With the filter as the only condition: the condition of the rows it leaves out, when
        // the filter gives one (see translateFilter).
        QString filterComplement;
        Plan reversed() const; // the same rows in the opposite order
    };
    // How a column is written into a condition: the dataset's own name, or the name of the
    // column of a count source it shows. No value: the column has no such counterpart.
    using Naming = std::function<std::optional<QString>(int column)>;
    struct LocateRequest;
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
    // The rows before the window are counted when a row number is first needed: those before
    // the anchor (the window's first row) in the plan's order, or, for a window read from the
    // end (no anchor), all rows but the window's.
    struct PendingRank {
        Plan plan;
        std::optional<Row> anchor;
    };

    // --- fields and the current row (Dataset.cpp) ---
    void buildFields(sqlite3_stmt* st);
    int columnOf(const QString& name) const; // -1 when absent
    QVariant cell(int field) const;
    void setCell(int field, const QVariant& v);
    void requireActive() const;
    void setState(State s);

    // --- reading (Dataset.cpp) ---
    void execute(); // (re)runs the statement, empties the cache
    void restart(); // reads from the first row again (the fields stay)
    void resetCache();
    bool fetchOne();           // false at the end
    bool ensureRow(int index); // fetch until row index exists
    void endForward();         // the forward reading ends (its statement is kept for reuse)
    void endBackward();
    // Ends the readings under way between the user's actions (Connection::releaseReads); the
    // forward one is parked: it goes on (resumeForward) from where it was when rows are needed.
    void parkReading();
    void resumeForward();
    // The parked reading's place by the sort keys, when the plan has an order: the last row read
    // and, where the order is not total, how many rows read last share its keys (the reading
    // goes on from the first row with those keys, past that many).
    struct ReadPlace {
        Row row;
        int ties = 0;
    };
    std::optional<ReadPlace> lastReadKeys(const Plan& p) const;
    void dropSpares();
    std::optional<Snapshot> snapshot(const QString* sql = nullptr) const; // sql: planSql() if known
    bool refreshUnchanged(); // refresh() when nothing changed: true when the rows stay as they are

    // --- filter, order and statements (DatasetPlan.cpp) ---
    Plan plan() const;
    // Adds the filter and the master link to p with the columns named by `naming`; false when a
    // column has no name there.
    bool addConditions(Plan& p, const Naming& naming) const;
    void addLinkConditions(Plan& p, const Naming& naming, bool& unnamed) const; // DatasetMaster.cpp
    void addOrder(Plan& p) const;
    QString planSql(const Plan& p, const QString& extraWhere = QString(), const QString& tail = QString()) const;
    void bindPlan(sqlite3_stmt* st, const QVariantList& binds) const;
    detail::Statement prepareBound(const QString& sql, const QVariantList& binds) const;
    // A statement of the connection's cache, bound; it is rewound when the Borrowed goes.
    sqlite3_stmt* cachedBound(const QString& sql, const QVariantList& binds) const;
    // The dataset's own cursor on `sql`: a statement kept from an earlier reading when there is
    // one (bound again), else a new one.
    detail::Cursor cursorOn(QString sql, const QVariantList& binds);
    // The rows of the plan in the database, rows posted by append() while rows remained unread
    // left out; counted on the count source when the plan's conditions allow.
    int countRows(const Plan& p) const;

    // --- cursor and navigation (DatasetCursor.cpp) ---
    void setCurrent(int index, bool emitSignal = true);
    // Moves to row `index` (0-based) without a signal; false (and no move) when there is none.
    bool seek(int index);
    // Makes the last row current, reading it from the end when many rows are unread.
    void seekLast();
    bool keyed(const Plan& p) const;
    // orEqual: the rows with the same keys as `row` too (where the order is not total).
    QString keyCondition(const Plan& p, const Row& row, QVariantList& binds, bool orEqual = false) const;
    // Whether two rows have equal sort keys, as SQLite compares them (collations included).
    bool sameKeys(const Plan& p, const Row& a, const Row& b) const;
    int countBefore(const Plan& p, const Row& row) const;
    void jumpTo(const Plan& p, Row row, std::optional<int> rank = std::nullopt);
    // The last row becomes current, a window of its own; false when there is no row. `total`:
    // the plan's rows, when counted already.
    bool jumpToTail(const Plan& p, std::optional<int> total = std::nullopt);
    bool prependPage();
    int readBackward(int count, std::vector<Row>& page);
    int base() const; // the window's first row index (counts the rows before it when pending)
    bool farWindow() const { return pendingRank_ || base_ > 0; }
    // Reads `count` rows from row index `from` of the plan with LIMIT/OFFSET (outside the cache).
    int readByPosition(const Plan& p, int from, int count, const std::function<void(const Row&)>& atRow) const;

    // --- editing (DatasetEdit.cpp) ---
    void checkBrowseMode();
    Row readRowById(qint64 rowid);

    // --- locate (DatasetLocate.cpp) ---
    bool rowMatches(const Row& row, const std::vector<int>& cols, const QVariantList& values, LocateOptions opts) const;
    static bool matchValue(const Field& f, const QVariant& raw, const QVariant& want, LocateOptions opts);
    bool matchesSql(const LocateRequest& r, sqlite3_value** argv) const;
    std::optional<bool> locateBySql(const std::vector<int>& cols, const QVariantList& values, LocateOptions opts);
    std::optional<int> scanFromTop(const std::vector<int>& cols, const QVariantList& values, LocateOptions opts,
                                   int upto);

    // --- master-detail (DatasetMaster.cpp) ---
    void masterMoved();

    QPointer<Connection> conn_;
    State state_ = State::Inactive;
    bool readOnly_ = false;
    QString filter_;
    bool filtered_ = false;
    QString indexFieldNames_;
    QPointer<Dataset> master_;
    QPointer<DataSource> masterSource_;
    QString masterFields_, detailFields_;
    detail::ScopedConnection masterConn_[3];

    bool hasRowid_ = false; // hidden column 0 of every row is the rowid
    std::vector<Column> columns_;
    std::vector<std::unique_ptr<Field>> fields_;
    QHash<QString, int> fieldIndex_;                                        // folded name -> field
    mutable std::optional<std::optional<detail::CountSource>> countSource_; // of the last execute()

    // The row cache: rows_ is a window of the ordered result starting at row base_ (0 unless the
    // cursor jumped far ahead); fwd_ goes on after the window's last row, and for a window read
    // from the end back_ goes on before its first row, in the reverse order. After a far jump the
    // rows before the window are counted only when a row number is first needed.
    detail::Cursor fwd_;
    int fwdGiven_ = 0;                  // rows fwd_ gave since it began
    bool fwdLastKept_ = false;          // the last of them is the last row read into the cache
    bool fwdParked_ = false;            // fwd_ was reset between the user's actions: resumeForward() first
    std::optional<ReadPlace> fwdAfter_; // parked: go on from here by the sort keys (else skip fwdGiven_)
    detail::Cursor back_;
    int backRead_ = 0; // rows back_ (or an earlier one on the same rows) gave, from the last row
    detail::StatementPool spares_;
    std::vector<Row> rows_;
    int pendingInserted_ = 0; // rows posted by append() at the tail while rows remain unread
    QSet<qint64> insertedIds_;
    int cur_ = -1;
    mutable int base_ = 0;
    mutable std::optional<PendingRank> pendingRank_;
    bool dirty_ = false; // the cache holds appended or edited rows (its order may differ from SQL)
    bool eof_ = true, bof_ = true;
    mutable std::optional<int> countCache_;
    std::optional<Snapshot> readFrom_; // of the last execute()
    Values buffer_;                    // edit/insert buffer
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
    std::optional<detail::CountSource> countSource() const override;

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
