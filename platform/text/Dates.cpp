#include "platform/text/Dates.h"

#include "platform/text/Regional.h"

namespace text {

bool isValidDateText(const QString& text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-'))
        return false;
    // The converter would let a blank stand in for a digit ("2011-03- 5").
    for (qsizetype i = 0; i < text.size(); ++i)
        if (i != 4 && i != 7 && (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')))
            return false;
    return textToDate(text).isValid();
}

QString dateToText(const QDate& date) { return date.isValid() ? date.toString(shortDateFormat()) : QString(); }

QDate textToDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    // Every short date format begins with a digit; Qt would read "-2011-01-01" as a year before
    // the common era.
    if (trimmed.isEmpty() || !trimmed.front().isDigit())
        return QDate();
    const QString format = shortDateFormat();
    QDate date = QDate::fromString(trimmed, format);
    if (!date.isValid()) {
        // "2011-3-5" in a yyyy-MM-dd setting: single-digit day and month are accepted too.
        QString lenient = format;
        lenient.replace(QLatin1String("MM"), QLatin1String("M"));
        lenient.replace(QLatin1String("dd"), QLatin1String("d"));
        date = QDate::fromString(trimmed, lenient);
    }
    return date;
}

} // namespace text
