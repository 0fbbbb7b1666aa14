#include "platform/text/Regional.h"

#include "platform/registry/Registry.h"

namespace text {

namespace {

const QString kInternational = QStringLiteral("Control Panel\\International");

QString userValue(const char* name)
{
    return registry::read(registry::Root::CurrentUser, kInternational, QLatin1String(name));
}

// The desktop writes the short date in its own notation: d/dd, M/MM (some tools write m/mm,
// which in a date can only be the month), y/yy/yyyy, g for the era and '...' for literal text.
// Qt's notation agrees except for the year lengths, the lower-case month and the era.
QString toQtDateFormat(const QString& desktop)
{
    QString out;
    for (qsizetype i = 0; i < desktop.size();) {
        const QChar c = desktop[i];
        if (c == QLatin1Char('\'')) { // literal text, copied with its quotes
            const qsizetype end = desktop.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? desktop.size() : end + 1;
            out += desktop.mid(i, stop - i);
            i = stop;
            continue;
        }
        qsizetype run = 1;
        while (i + run < desktop.size() && desktop[i + run] == c)
            ++run;
        if (c == QLatin1Char('y') || c == QLatin1Char('Y'))
            out += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
        else if (c == QLatin1Char('m') || c == QLatin1Char('M'))
            out += QString(qMin<qsizetype>(run, 4), QLatin1Char('M'));
        else if (c == QLatin1Char('d') || c == QLatin1Char('D'))
            out += QString(qMin<qsizetype>(run, 4), QLatin1Char('d'));
        else if (c == QLatin1Char('g'))
            ; // the era is not shown
        else
            out += QString(run, c);
        i += run;
    }
    return out;
}

QChar firstCharOr(const QString& value, QChar fallback) { return value.isEmpty() ? fallback : value.front(); }

} // namespace

QString shortDateFormat()
{
    const QString desktop = userValue("sShortDate");
    if (desktop.trimmed().isEmpty())
        return QStringLiteral("yyyy-MM-dd");
    return toQtDateFormat(desktop);
}

QChar decimalSeparator() { return firstCharOr(userValue("sDecimal"), QLatin1Char(',')); }

QChar thousandSeparator() { return firstCharOr(userValue("sThousand"), QChar(0x00A0)); }

QChar dateSeparator()
{
    for (QChar c : shortDateFormat())
        if (!c.isLetter())
            return c;
    return QLatin1Char('-');
}

} // namespace text
