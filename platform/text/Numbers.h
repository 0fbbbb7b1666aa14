#pragma once
// Number texts of the windows: fixed-point amounts and quantities, the shortest general form
// kept in working grids, and strict parsing of what the user typed. The decimal separator is the
// desktop's (text::decimalSeparator), read at each call.
#include <QString>

namespace text {

// `value` rounded to `decimals` places and always written with them: 18 significant digits,
// half away from zero, no thousands separator, never a negative zero ("-0,001" gives "0,00").
QString formatFixed(long double value, int decimals);
// Amounts and prices: 2 decimals ("12,50").
QString formatAmount(long double value);
// Quantities: 3 decimals ("1,500").
QString formatQuantity(long double value);

// The shortest form with up to 15 significant digits: "12,5", "-30,75", "0"; very large or
// very small values in exponent form ("1E20", "1,5E-6").
QString formatGeneral(double value);

// A whole number: an optional sign and decimal digits only, within the 32-bit range. Anything
// else (blanks, hex, separators, empty text) sets *ok to false and gives 0.
int parseInt(const QString& text, bool* ok = nullptr);

// A number: an optional sign, digits, at most one decimal separator of the desktop's settings,
// digits, and an optional exponent ("1,5E-6", as the general form writes it). No blanks, no
// thousands separators, no hex, no "inf"/"nan", nothing out of range; at least one digit.
long double parseFloat(const QString& text, bool* ok = nullptr);

// A text the user or a caller gave, as a message quotes it: whole when short, otherwise its first
// `length` characters and "…", so a huge argument cannot flood the message dialog.
QString quotedExcerpt(const QString& text, int length = 60);

} // namespace text
