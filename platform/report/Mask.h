#pragma once
// Number masks of data-bound report texts: "0.00" (two decimals, the system's decimal
// separator, no thousands), "0.000", "0.00 zł" (literal text around the digits), "#,##0.00"
// (thousands separated), "#.##" (optional decimals). Halves round away from zero on the
// number's 15-digit decimal form, so 0.125 prints 0,13 and 2.675 prints 2,68.
#include <QString>
#include <QVariant>

namespace report {

QString formatNumber(double value, const QString& mask);

// A field value under a mask: empty text for a null value; numbers and numeric texts (with
// either '.' or ',' as decimal point) are formatted; other texts print as they are. An empty mask
// prints the value's text.
QString formatValue(const QVariant& value, const QString& mask);

} // namespace report
