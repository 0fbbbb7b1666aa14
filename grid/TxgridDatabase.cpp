// A query's result read into the grid from a database file: SQLite files directly, Access
// files through the ODBC driver of MDB Tools. The kind of file is told by its first bytes.
#include "grid/Txgrid.h"
#include "grid/TxgridError.h"
#include "grid/TxgridExchange.h"
#include "grid/TxgridFiles.h"
#include "grid/TxgridOffice.h"
#include "grid/Txutil.h"

#include <QAtomicInt>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace grid {

namespace {

// The Qt driver for a database file and its connection's database name.
void chooseDriver(const QString& FileName, QString& Driver, QString& Database)
{
    QFile f(FileName);
    if (!f.exists())
        throw ETxGridError(QStringLiteral("File %1 not found").arg(FileName));
    if (!f.open(QIODevice::ReadOnly))
        throw ETxGridError(QStringLiteral("Cannot open file ") + FileName);
    const QByteArray head = f.read(32);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0"))) {
        Driver = QStringLiteral("QSQLITE");
        Database = FileName;
    } else if (head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB") {
        Driver = QStringLiteral("QODBC");
        Database = QStringLiteral("Driver={MDBTools};DBQ=") + FileName;
    } else {
        throw ETxGridError(QStringLiteral("Plik %1 nie jest bazą danych SQLite ani Access").arg(FileName));
    }
    if (!QSqlDatabase::isDriverAvailable(Driver))
        throw ETxGridError(QStringLiteral("Brak sterownika bazy danych %1 potrzebnego do odczytu pliku %2")
                               .arg(Driver, FileName));
}

// A connection of its own for one import, removed afterwards.
class TImportConnection {
public:
    TImportConnection(const QString& Driver, const QString& Database)
        : FName(QStringLiteral("txgrid-import-%1").arg(Counter().fetchAndAddRelaxed(1)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Driver, FName);
        db.setDatabaseName(Database);
        if (Driver == QLatin1String("QSQLITE"))
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

} // namespace

void TGridExchange::LoadFromMDBTable(const QString& FileName, const QString& Table)
{
    LoadFromMDBSQL(FileName, QStringLiteral("SELECT * FROM ") + Table);
}

void TGridExchange::LoadFromMDBSQL(const QString& FileName, const QString& SQL)
{
    QString driver, database;
    chooseDriver(FileName, driver, database);
    const TImportConnection connection(driver, database);
    {
        QSqlDatabase db = QSqlDatabase::database(connection.Name(), false);
        if (!db.open())
            throw ETxGridError(QStringLiteral("Nie można otworzyć bazy danych %1: %2")
                                   .arg(FileName, db.lastError().text()));
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(SQL))
            throw ETxGridError(QStringLiteral("Błąd zapytania do bazy danych %1: %2").arg(FileName, q.lastError().text()));
        const QSqlRecord rec = q.record();
        const int n = rec.count();
        const int FC = FGrid.FixedCols(), FR = FGrid.FixedRows();
        FGrid.SetColCount(FC + n);
        if (FR > 0)
            for (int i = 0; i < n; ++i)
                FGrid.setCells(FC + i, FR - 1, rec.fieldName(i));
        if (q.size() > 0)
            FGrid.SetRowCount(FR + q.size());
        const files::TUpdateGuard lock(FGrid);
        const QChar sep = TRegional::Current().DecimalSeparator;
        for (int row = FR; q.next(); ++row) {
            if (row >= FGrid.RowCount())
                FGrid.SetRowCount(row + 1);
            for (int i = 0; i < n; ++i) {
                const QVariant v = q.value(i);
                QString text;
                if (v.typeId() == QMetaType::Double) // with the regional decimal separator
                    text = TOfficeValue{TOfficeValue::ovNumber, v.toDouble(), {}}.ToText(sep);
                else if (!v.isNull())
                    text = v.toString();
                FGrid.setCells(FC + i, row, text);
            }
        }
        if (q.lastError().isValid())
            throw ETxGridError(QStringLiteral("Błąd odczytu bazy danych %1: %2").arg(FileName, q.lastError().text()));
    }
}

} // namespace grid
