#pragma once
// Date texts in the desktop's short date format (text::shortDateFormat), which the program
// expects to be yyyy-MM-dd.
#include <QDate>
#include <QString>

namespace text {

// A date text as the windows accept it: exactly 10 characters, "-" at the 5th and 8th, and it
// converts to a date in the short date format.
bool isValidDateText(const QString& text);

// The date in the short date format; empty text for an invalid date.
QString dateToText(const QDate& date);

// The date a text stands for in the short date format (a day or month may also be written with
// one digit); an invalid QDate when it does not convert.
QDate textToDate(const QString& text);

} // namespace text
