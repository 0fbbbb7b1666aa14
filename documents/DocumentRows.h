#pragma once
// The columns of the document tables as the store writes and reads them: one place that knows
// which column holds which value of a Document or a DocumentLine.
#include "documents/Document.h"

#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

namespace data {
class Connection;
}

namespace documents::rows {

// One row to insert: the columns written, in order. Columns left out keep the database's
// default (NULL for the price of the other mode, an empty due date, a missing final identity).
class Row {
public:
    Row& set(const char* column, const QVariant& value);
    Row& set(const char* column, Money value) { return set(column, value.toDouble()); }
    Row& setOptional(const char* column, const std::optional<double>& value);
    Row& setOptional(const char* column, const std::optional<QDate>& value);
    // Inserts the row and returns its key.
    qint64 insertInto(data::Connection& c, const char* table) const;
    // "update <table> set a=?, b=? where <where>" with the where clause's binds after the values;
    // returns the number of rows changed.
    int update(data::Connection& c, const char* table, const QString& where, const QVariantList& whereBinds) const;

private:
    QStringList columns_;
    QVariantList values_;
};

// The header columns every document type shares (dates, place, buyer, payment, totals, mode).
void setHeader(Row& row, const Document& d);
// The goods and amount columns of a line (both price columns as the line holds them).
void setLineValues(Row& row, const DocumentLine& l);
// The writing document's columns of a line: type, number, year, issue date and buyer.
void setLineWriter(Row& row, const QString& typ, qint64 nr, const Document& writer);
void setView(Row& row, const ViewPlace& v);

Document headerFrom(const QVariantMap& r);
DocumentLine lineFrom(const QVariantMap& r);

// Years are text in Faktura and integers in the line tables.
int yearNumber(const QString& rok);

} // namespace documents::rows
