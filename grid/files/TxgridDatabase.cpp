// A query's result read into the grid from a database file: SQLite files through Qt's SQLite
// driver, Access files through MDB Tools' own libraries (libmdb, libmdbsql) in this process,
// without an ODBC driver manager in between. The kind of file is told by its first bytes.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/core/TxgridUpdateGuard.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridExchange.h"
#include "grid/files/TxgridFiles.h"
#include "grid/files/TxgridOffice.h"
#include "grid/controls/Txutil.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <mdbsql.h>

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

namespace grid {

namespace {

enum class TDatabaseKind { SQLite, Access };

// Where the rows of a query go: the field names once, then each record's values as cell text.
struct TRowSink {
    std::function<void(const QStringList& Names)> Header;
    std::function<void(const QStringList& Values)> Row;
};

TDatabaseKind databaseKind(const QString& FileName)
{
    CheckFileKind(FileName);
    QFile f(FileName);
    if (!f.exists())
        throw ETxGridError(QStringLiteral("File %1 not found").arg(FileName));
    if (!f.open(QIODevice::ReadOnly))
        throw ETxGridError(QStringLiteral("Cannot open file ") + FileName);
    const QByteArray head = f.read(32);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return TDatabaseKind::SQLite;
    if (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB")
        return TDatabaseKind::Access;
    throw ETxGridError(QStringLiteral("Plik %1 nie jest bazą danych SQLite ani Access").arg(FileName));
}

// A number as the grid shows it: with the regional decimal separator.
QString numberText(double Value)
{
    return TOfficeValue{TOfficeValue::ovNumber, Value, {}}.ToText(TRegional::Current().DecimalSeparator);
}

// A connection of its own for one import, removed afterwards.
class TImportConnection {
public:
    explicit TImportConnection(const QString& FileName)
        : FName(QStringLiteral("txgrid-import-%1").arg(Counter().fetchAndAddRelaxed(1)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), FName);
        db.setDatabaseName(FileName);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    }
    ~TImportConnection() { QSqlDatabase::removeDatabase(FName); }
    QString Name() const { return FName; }

private:
    static QAtomicInt& Counter()
    {
        static QAtomicInt n;
        return n;
    }
    QString FName;
};

void readSQLite(const QString& FileName, const QString& SQL, const TRowSink& Sink)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        throw ETxGridError(
            QStringLiteral("Brak sterownika bazy danych QSQLITE potrzebnego do odczytu pliku %1").arg(FileName));
    const TImportConnection connection(FileName);
    QSqlDatabase db = QSqlDatabase::database(connection.Name(), false);
    if (!db.open())
        throw ETxGridError(
            QStringLiteral("Nie można otworzyć bazy danych %1: %2").arg(FileName, db.lastError().text()));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(SQL))
        throw ETxGridError(QStringLiteral("Błąd zapytania do bazy danych %1: %2").arg(FileName, q.lastError().text()));
    const QSqlRecord rec = q.record();
    const int n = rec.count();
    QStringList names;
    for (int i = 0; i < n; ++i)
        names << rec.fieldName(i);
    Sink.Header(names);
    QStringList values;
    while (q.next()) {
        values.clear();
        for (int i = 0; i < n; ++i) {
            const QVariant v = q.value(i);
            if (v.typeId() == QMetaType::Double)
                values << numberText(v.toDouble());
            else
                values << (v.isNull() ? QString() : v.toString());
        }
        Sink.Row(values);
    }
    if (q.lastError().isValid())
        throw ETxGridError(QStringLiteral("Błąd odczytu bazy danych %1: %2").arg(FileName, q.lastError().text()));
}

// MDB Tools' SQL parser keeps its state in globals: one Access query at a time in the process.
std::mutex& accessLock()
{
    static std::mutex m;
    return m;
}

// The parser's state with the open file, released however the import ends.
struct TAccessQuery {
    MdbSQL* Sql = mdb_sql_init();
    ~TAccessQuery() { mdb_sql_exit(Sql); }
    TAccessQuery() = default;
    TAccessQuery(const TAccessQuery&) = delete;
    TAccessQuery& operator=(const TAccessQuery&) = delete;
};

bool isFloatColumn(MdbTableDef* Table, const char* Name)
{
    for (unsigned i = 0; Table && Table->columns && i < Table->columns->len; ++i) {
        const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(Table->columns, i));
        if (g_ascii_strcasecmp(col->name, Name) == 0)
            return col->col_type == MDB_FLOAT || col->col_type == MDB_DOUBLE || col->col_type == MDB_MONEY
                || col->col_type == MDB_NUMERIC;
    }
    return false;
}

void readAccess(const QString& FileName, const QString& SQL, const TRowSink& Sink)
{
    const std::lock_guard<std::mutex> lock(accessLock());
    TAccessQuery query;
    MdbSQL* sql = query.Sql;
    // Opened here rather than by the SQL library, which tries the name again with ".mdb" added.
    sql->mdb = mdb_open(QFile::encodeName(FileName).constData(), MDB_NOFLAGS);
    if (!sql->mdb)
        throw ETxGridError(QStringLiteral("Nie można otworzyć bazy danych %1: plik Access jest uszkodzony "
                                          "lub w nieobsługiwanej wersji")
                               .arg(FileName));
    mdb_set_date_fmt(sql->mdb, "%Y-%m-%d %H:%M:%S");
    const QByteArray text = SQL.toUtf8();
    if (!mdb_sql_run_query(sql, text.constData()) || mdb_sql_has_error(sql) || !sql->cur_table)
        throw ETxGridError(QStringLiteral("Błąd zapytania do bazy danych %1: %2")
                               .arg(FileName, QString::fromUtf8(mdb_sql_last_error(sql))));
    const unsigned n = sql->num_columns;
    QStringList names;
    std::vector<bool> isFloat(n);
    for (unsigned i = 0; i < n; ++i) {
        const auto* col = static_cast<const MdbSQLColumn*>(g_ptr_array_index(sql->columns, i));
        names << QString::fromUtf8(col->name);
        isFloat[i] = isFloatColumn(sql->cur_table, col->name);
    }
    Sink.Header(names);
    QStringList values;
    while (mdb_sql_fetch_row(sql, sql->cur_table)) {
        values.clear();
        for (unsigned i = 0; i < n; ++i) {
            const char* v = i < sql->bound_values->len
                ? static_cast<const char*>(g_ptr_array_index(sql->bound_values, i))
                : nullptr;
            QString cell = v ? QString::fromUtf8(v) : QString();
            bool ok = false;
            const double d = isFloat[i] ? cell.toDouble(&ok) : 0; // MDB Tools writes numbers in the C locale
            values << (ok ? numberText(d) : cell);
        }
        Sink.Row(values);
    }
    if (mdb_sql_has_error(sql))
        throw ETxGridError(QStringLiteral("Błąd odczytu bazy danych %1: %2")
                               .arg(FileName, QString::fromUtf8(mdb_sql_last_error(sql))));
}

} // namespace

void TGridExchange::LoadFromMDBTable(const QString& FileName, const QString& Table)
{
    LoadFromMDBSQL(FileName, QStringLiteral("SELECT * FROM ") + Table);
}

void TGridExchange::LoadFromMDBSQL(const QString& FileName, const QString& SQL)
{
    const TDatabaseKind kind = databaseKind(FileName);
    // The result is read whole aside first: a query that fails part-way (a damaged file, an
    // error in a later record) leaves the grid as it was, not part-replaced.
    QStringList names;
    std::vector<QString> values; // record by record, names.size() a record
    TRowSink sink;
    sink.Header = [&](const QStringList& Names) { names = Names; };
    sink.Row = [&](const QStringList& Values) { values.insert(values.end(), Values.begin(), Values.end()); };
    if (kind == TDatabaseKind::SQLite)
        readSQLite(FileName, SQL, sink);
    else
        readAccess(FileName, SQL, sink);

    const int FC = FGrid.FixedCols(), FR = FGrid.FixedRows();
    const int n = int(names.size());
    const int records = n > 0 ? int(values.size() / std::size_t(n)) : 0;
    FGrid.SetColCount(FC + n);
    if (FR > 0)
        for (int i = 0; i < n; ++i)
            FGrid.setCells(FC + i, FR - 1, names.at(i));
    const TUpdateGuard lock(FGrid);
    // The grid ends with the last record: rows of an earlier, longer content go. An empty result
    // keeps one empty row below the fixed ones.
    FGrid.SetRowCount(FR + std::max(records, 1));
    for (int r = 0; r < records; ++r)
        for (int i = 0; i < n; ++i)
            FGrid.setCells(FC + i, FR + r, values[std::size_t(r) * std::size_t(n) + std::size_t(i)]);
    if (records == 0)
        for (int i = 0; i < n; ++i)
            FGrid.setCells(FC + i, FR, QString());
}

} // namespace grid
