#pragma once
// Regional settings of the desktop (the user's "Control Panel\International" values in the
// registry store). Read at each call: the user may change them while the program runs.
#include <QChar>
#include <QString>

namespace text {

// Short date format in Qt's notation, e.g. "yyyy-MM-dd" (the default).
QString shortDateFormat();
// Decimal separator (default ',').
QChar decimalSeparator();
// Thousand separator (default non-breaking space U+00A0).
QChar thousandSeparator();
// Date separator: the first non-letter character of the short date format ('-' by default).
QChar dateSeparator();

} // namespace text
