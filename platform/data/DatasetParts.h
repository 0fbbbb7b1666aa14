#pragma once
// What the parts of the dataset unit (Dataset*.cpp) share; not for use outside platform/data.
#include <QStringList>
#include <QVariant>

namespace data::detail {

constexpr size_t kSpares = 4;               // statements of earlier readings a dataset keeps
constexpr int kPage = 64;                   // rows read at once when stepping back before a far window
constexpr int kFar = 256;                   // rows beyond the read ones that are read by position, not one by one
inline constexpr char kRowid[] = "__rowid"; // the hidden rowid column of a table's rows

// "a;b" or "a,b" -> {"a", "b"}, blanks trimmed, empty names left out.
QStringList splitNames(const QString& names);
bool isNumeric(const QVariant& v);

} // namespace data::detail
