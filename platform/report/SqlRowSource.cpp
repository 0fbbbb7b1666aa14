#include "platform/report/SqlRowSource.h"

#include "platform/data/Connection.h"
#include "platform/data/Sqlite.h"
#include "platform/report/Mask.h"

#include <QDate>

namespace report {

SqlRowSource::SqlRowSource(data::Connection* connection) { setConnection(connection); }

SqlRowSource::~SqlRowSource()
{
    QObject::disconnect(closing_);
    finalize();
}

void SqlRowSource::setConnection(data::Connection* connection)
{
    if (connection == conn_)
        return;
    QObject::disconnect(closing_);
    finalize();
    conn_ = connection;
    // A statement must not outlive its connection.
    if (conn_)
        closing_ = QObject::connect(conn_, &data::Connection::aboutToClose, conn_, [this] { finalize(); });
}

void SqlRowSource::setSql(const QString& sql, const QVariantList& binds)
{
    if (sql != sql_)
        finalize();
    sql_ = sql;
    binds_ = binds;
    eof_ = true;
}

void SqlRowSource::link(const RowSource* master, const QString& masterField)
{
    master_ = master;
    masterField_ = masterField;
}

void SqlRowSource::close()
{
    if (st_)
        sqlite3_reset(st_);
    eof_ = true;
}

void SqlRowSource::fail(const QString& what) const
{
    sqlite3* db = conn_ ? conn_->handle() : nullptr;
    const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("brak połączenia z bazą danych");
    throw data::Error(QStringLiteral("%1: %2").arg(what, reason));
}

void SqlRowSource::prepare()
{
    if (st_)
        return;
    sqlite3* db = conn_ && conn_->isConnected() ? conn_->handle() : nullptr;
    if (!db)
        throw data::Error(QStringLiteral("Nie można odczytać danych raportu: brak połączenia z bazą danych."));
    const QByteArray u = sql_.toUtf8();
    if (sqlite3_prepare_v3(db, u.constData(), int(u.size()), SQLITE_PREPARE_PERSISTENT, &st_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st_);
        st_ = nullptr;
        fail(QStringLiteral("Nie można odczytać danych raportu"));
    }
    const int n = sqlite3_column_count(st_);
    names_.clear();
    kinds_.clear();
    asked_.clear();
    for (int i = 0; i < n; ++i) {
        names_.push_back(QString::fromUtf8(sqlite3_column_name(st_, i)));
        const QByteArray decl = QByteArray(sqlite3_column_decltype(st_, i)).toUpper();
        Kind k = Kind::Native;
        if (decl.startsWith("INT"))
            k = Kind::Integer;
        else if (decl.startsWith("FLOAT") || decl.startsWith("REAL") || decl.startsWith("DOUBLE"))
            k = Kind::Float;
        else if (decl.startsWith("DATE"))
            k = Kind::Date;
        else if (decl.startsWith("BOOL"))
            k = Kind::Boolean;
        else if (decl.startsWith("TEXT") || decl.startsWith("CHAR") || decl.startsWith("VARCHAR"))
            k = Kind::Text;
        kinds_.push_back(k);
    }
}

void SqlRowSource::finalize()
{
    if (st_)
        sqlite3_finalize(st_);
    st_ = nullptr;
    eof_ = true;
}

void SqlRowSource::first()
{
    prepare();
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
    QVariantList binds = binds_;
    if (master_)
        binds << master_->value(masterField_);
    data::detail::bindAll(conn_->handle(), st_, binds);
    rows_ = 0;
    eof_ = false;
    step();
}

void SqlRowSource::next()
{
    if (!eof_)
        step();
}

void SqlRowSource::step()
{
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) {
        ++rows_;
        return;
    }
    eof_ = true;
    if (rc != SQLITE_DONE) {
        sqlite3_reset(st_);
        fail(QStringLiteral("Błąd odczytu danych raportu"));
    }
}

int SqlRowSource::column(const QString& field) const
{
    const auto it = asked_.constFind(field);
    if (it != asked_.constEnd())
        return *it;
    int found = -1;
    for (size_t i = 0; i < names_.size() && found < 0; ++i)
        if (names_[i].compare(field.trimmed(), Qt::CaseInsensitive) == 0)
            found = int(i);
    asked_.insert(field, found);
    return found;
}

QVariant SqlRowSource::columnValue(int col) const
{
    const int type = sqlite3_column_type(st_, col);
    if (type == SQLITE_NULL)
        return {};
    switch (kinds_[size_t(col)]) {
    case Kind::Integer:
        if (type == SQLITE_INTEGER)
            return QVariant(qint64(sqlite3_column_int64(st_, col)));
        break;
    case Kind::Float:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return QVariant(sqlite3_column_double(st_, col));
        break;
    case Kind::Boolean:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return QVariant(sqlite3_column_double(st_, col) != 0);
        break;
    case Kind::Date:
        if (type == SQLITE_TEXT) {
            const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st_, col));
            const QDate d =
                QDate::fromString(QString::fromUtf8(t, std::min(sqlite3_column_bytes(st_, col), 10)), Qt::ISODate);
            if (d.isValid())
                return d;
        }
        break;
    case Kind::Text:
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT)
            return plainText(data::detail::column(st_, col)); // a number kept in a text column
        break;
    case Kind::Native: break;
    }
    return data::detail::column(st_, col);
}

QVariant SqlRowSource::value(const QString& field) const
{
    if (eof_ || !st_)
        return {};
    const int col = column(field);
    return col < 0 ? QVariant() : columnValue(col);
}

QString SqlRowSource::text(const QString& field) const
{
    if (eof_ || !st_)
        return {};
    const int col = column(field);
    if (col < 0)
        return {};
    if (kinds_[size_t(col)] == Kind::Text && sqlite3_column_type(st_, col) == SQLITE_TEXT) {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st_, col));
        return QString::fromUtf8(t, sqlite3_column_bytes(st_, col));
    }
    return plainText(columnValue(col));
}

QStringList SqlRowSource::fieldNames() const
{
    QStringList out;
    for (const QString& n : names_)
        out << n;
    return out;
}

} // namespace report
