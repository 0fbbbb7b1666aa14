#include "platform/text/Regional.h"

namespace text {

QString shortDateFormat() { return QStringLiteral("yyyy-MM-dd"); }
QChar decimalSeparator() { return QLatin1Char(','); }
QChar thousandSeparator() { return QChar(0x00A0); }

QChar dateSeparator()
{
    for (QChar c : shortDateFormat())
        if (!c.isLetter())
            return c;
    return QLatin1Char('-');
}

} // namespace text
