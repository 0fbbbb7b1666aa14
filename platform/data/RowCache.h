#pragma once
// The rows a dataset keeps: SQLite's values held compactly (numbers inline, all texts of a row in
// one byte array); a QVariant/QString is made only when a field of the row is read.
#include <QByteArray>
#include <QVariant>

#include <vector>

struct sqlite3_stmt;
struct sqlite3_value;

namespace data::detail {

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
    bool isNull(size_t at) const { return at >= cells.size() || cells[at].type == Cell::Null; }
    QVariant value(size_t at) const;
    // Hidden column 0 of a table's rows.
    qint64 rowid() const { return cells.empty() ? -1 : cells[0].i; }
    // The same values, byte for byte.
    bool sameAs(const Row& o) const;
};

// The current row of a statement.
Row readRow(sqlite3_stmt* st);
// One SQL function argument as a one-cell row.
Row rowOfValue(sqlite3_value* v);
// A row of values as SQLite would store them when bound (the value kinds of the binds).
Row rowFromValues(const std::vector<QVariant>& values);

} // namespace data::detail
