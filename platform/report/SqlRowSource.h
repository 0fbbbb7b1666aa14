#pragma once
// The rows of one SELECT, read forward as the report lays them out. Only the current row is
// held, so a report over a million lines reads in the memory of one row (a dataset keeps the
// rows it has read, for going back). Values are always bound, never spliced into the text.
//
// A detail source follows a master source: link() names the master's field whose current value
// is bound after the fixed values each time the detail starts again (first()), as the report
// does for every master row.
//
// Values come as the columns are declared: INTEGER as qint64, FLOAT as double, DATE as QDate,
// BOOLEAN as bool, TEXT as QString (computed columns keep SQLite's own kinds). Every failure
// throws data::Error with a Polish message.
#include "platform/report/RowSource.h"

#include <QHash>
#include <QMetaObject>
#include <QString>
#include <QVariantList>

#include <vector>

struct sqlite3_stmt;

namespace data {
class Connection;
}

namespace report {

class SqlRowSource : public RowSource {
public:
    explicit SqlRowSource(data::Connection* connection = nullptr);
    ~SqlRowSource() override;
    SqlRowSource(const SqlRowSource&) = delete;
    SqlRowSource& operator=(const SqlRowSource&) = delete;

    void setConnection(data::Connection* connection);
    // '?' placeholders, bound in order by `binds` (then by the linked master value).
    void setSql(const QString& sql, const QVariantList& binds = {});
    void link(const RowSource* master, const QString& masterField);
    // Ends the reading; the next first() runs the statement again.
    void close();

    void first() override; // runs the statement from its first row
    void next() override;
    bool eof() const override { return eof_; }
    QVariant value(const QString& field) const override;
    QString text(const QString& field) const override;

    // Rows read since the last first().
    qint64 rowsRead() const { return rows_; }
    QStringList fieldNames() const;

private:
    enum class Kind : unsigned char { Native, Integer, Float, Text, Date, Boolean };
    void prepare();
    void finalize();
    void step();
    int column(const QString& field) const; // -1 when the statement has no such column
    QVariant columnValue(int col) const;
    [[noreturn]] void fail(const QString& what) const;

    data::Connection* conn_ = nullptr;
    QMetaObject::Connection closing_;
    QString sql_;
    QVariantList binds_;
    const RowSource* master_ = nullptr;
    QString masterField_;
    sqlite3_stmt* st_ = nullptr;
    std::vector<QString> names_;
    std::vector<Kind> kinds_;
    mutable QHash<QString, int> asked_; // field names as the report asks for them -> column
    bool eof_ = true;
    qint64 rows_ = 0;
};

} // namespace report
