#pragma once
// Translation of the system's filter texts into an SQL condition with bound values.
//
//   typ='FV' and rok='2011'        Rok=2011          arch=false        data_wyst>=2011-03-01
//   Rok>0 and Typ='NFV' or (Rok>0 and Typ='KFV')    Nr_Koncowy='12'   typ_koncowy='FV'and rok='2011'
//
// Comparisons (= <> != < > <= >=) of a field with a literal, a literal with a field or two fields;
// and/or/not with "and" binding before "or"; parentheses; 'text' ('' is an apostrophe inside);
// #date#; bare numbers; bare dates (yyyy-mm-dd or the short date format); true/false.
// Field names ignore case and may be written [in brackets]. A literal is converted to the kind of
// the field it is compared with (a quoted number against a number column, a bare year against a
// text column), text compares in Polish order ignoring case, and every value is bound, never
// spliced into the SQL.
#include "platform/data/Field.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <optional>

namespace data::detail {

struct ColumnRef {
    QString name; // exact column name
    FieldKind kind = FieldKind::Unknown;
};
using Resolver = std::function<std::optional<ColumnRef>(const QString& name)>;

// Appends the values to binds and refers to them as :__pN (N = position in binds).
// Throws data::Error for a syntax error or an unknown field. When the filter is one comparison
// of a text field with a number ("Rok>0"), complement receives the condition of exactly the
// rows it leaves out (over the same binds), else "": a count can then be the table's count,
// which needs no walk over the rows, less the few rows left out. `fixed` receives the columns
// the filter compares equal to a value whichever way it is met (Rok in "Rok=2011 and Typ='FV' or
// (Rok=2011 and Typ='KFV')"): every row it leaves in has the one value there.
QString translateFilter(const QString& filter, const Resolver& resolve, QVariantList& binds,
                        QString* complement = nullptr, QStringList* fixed = nullptr);

QString placeholder(int index);
QString quoteIdent(const QString& name);

// Literal conversions shared with the fields and locate.
std::optional<double> parseNumber(const QString& text); // optional sign, '.' or the decimal separator
QDate parseDate(const QString& text);                   // yyyy-MM-dd, then the short date format

} // namespace data::detail
