#include "platform/data/RowCache.h"

#include "platform/data/ValueKind.h"

#include <sqlite3.h>

#include <cstring>

namespace data::detail {

namespace {

void setBytes(Row& row, Cell& c, Cell::Type type, const char* p, int len)
{
    c.type = type;
    c.t.off = int(row.bytes.size());
    c.t.len = len;
    row.bytes.append(p, len);
}

} // namespace

QVariant Row::value(size_t at) const
{
    if (at >= cells.size())
        return QVariant();
    const Cell& c = cells[at];
    switch (c.type) {
    case Cell::Int: return QVariant(c.i);
    case Cell::Real: return QVariant(c.d);
    case Cell::Text: return QVariant(QString::fromUtf8(bytes.constData() + c.t.off, c.t.len));
    case Cell::Blob: return QVariant(bytes.mid(c.t.off, c.t.len));
    default: return QVariant();
    }
}

bool Row::sameAs(const Row& o) const
{
    if (cells.size() != o.cells.size())
        return false;
    for (size_t i = 0; i < cells.size(); ++i) {
        const Cell& a = cells[i];
        const Cell& b = o.cells[i];
        if (a.type != b.type)
            return false;
        switch (a.type) {
        case Cell::Null: break;
        case Cell::Int:
            if (a.i != b.i)
                return false;
            break;
        case Cell::Real:
            if (!(a.d == b.d))
                return false;
            break;
        case Cell::Text:
        case Cell::Blob:
            if (a.t.len != b.t.len
                || memcmp(bytes.constData() + a.t.off, o.bytes.constData() + b.t.off, size_t(a.t.len)))
                return false;
            break;
        }
    }
    return true;
}

Row readRow(sqlite3_stmt* st)
{
    const int n = sqlite3_column_count(st);
    Row row;
    row.cells.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        Cell& c = row.cells[size_t(i)];
        switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER:
            c.type = Cell::Int;
            c.i = sqlite3_column_int64(st, i);
            break;
        case SQLITE_FLOAT:
            c.type = Cell::Real;
            c.d = sqlite3_column_double(st, i);
            break;
        case SQLITE_TEXT: {
            // The text first, then its length: the order SQLite asks for.
            const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            setBytes(row, c, Cell::Text, p, sqlite3_column_bytes(st, i));
            break;
        }
        case SQLITE_BLOB: {
            const auto* p = static_cast<const char*>(sqlite3_column_blob(st, i));
            setBytes(row, c, Cell::Blob, p, sqlite3_column_bytes(st, i));
            break;
        }
        default: break;
        }
    }
    return row;
}

Row rowOfValue(sqlite3_value* v)
{
    Row row;
    row.cells.resize(1);
    Cell& c = row.cells[0];
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        c.type = Cell::Int;
        c.i = sqlite3_value_int64(v);
        break;
    case SQLITE_FLOAT:
        c.type = Cell::Real;
        c.d = sqlite3_value_double(v);
        break;
    case SQLITE_TEXT: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
        setBytes(row, c, Cell::Text, p, sqlite3_value_bytes(v));
        break;
    }
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_value_blob(v));
        setBytes(row, c, Cell::Blob, p, sqlite3_value_bytes(v));
        break;
    }
    default: break;
    }
    return row;
}

Row rowFromValues(const std::vector<QVariant>& values)
{
    Row row;
    row.cells.resize(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        const QVariant& x = values[i];
        Cell& c = row.cells[i];
        QByteArray b;
        switch (valueKind(x)) {
        case ValueKind::Null: continue;
        case ValueKind::Boolean:
        case ValueKind::Integer:
            c.type = Cell::Int;
            c.i = x.toLongLong();
            continue;
        case ValueKind::Float:
            c.type = Cell::Real;
            c.d = x.toDouble();
            continue;
        case ValueKind::Date:
            b = dateValue(x).toString(Qt::ISODate).toUtf8();
            setBytes(row, c, Cell::Text, b.constData(), int(b.size()));
            continue;
        case ValueKind::Bytes:
            b = x.toByteArray();
            setBytes(row, c, Cell::Blob, b.constData(), int(b.size()));
            continue;
        case ValueKind::Text:
            b = x.toString().toUtf8();
            setBytes(row, c, Cell::Text, b.constData(), int(b.size()));
            continue;
        }
    }
    return row;
}

} // namespace data::detail
