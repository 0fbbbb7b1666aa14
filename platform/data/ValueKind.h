#pragma once
// The kinds of value the data layer writes: one sorting of QVariant types for everything that
// turns a value into storage (bound parameters, SQL literals, field assignment), so that they all
// agree on which types are whole numbers, fractions, dates and so on.
#include <QDate>
#include <QVariant>

namespace data::detail {

enum class ValueKind {
    Null, // invalid or null
    Boolean,
    Integer, // any whole-number type, read with toLongLong()
    Float,   // double or float, read with toDouble()
    Date,    // a date or a date-time (its date only), read with dateValue()
    Bytes,   // a byte array
    Text,    // anything else, read with toString()
};

ValueKind valueKind(const QVariant& v);

// The date of a Date value; a date-time gives its date part.
QDate dateValue(const QVariant& v);

} // namespace data::detail
