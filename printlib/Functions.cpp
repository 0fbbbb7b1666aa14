#include "printlib/Functions.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const char16_t* const kUnits[10] = {u"",      u" jeden", u" dwa",    u" trzy",  u" cztery",
                                    u" pięć", u" sześć", u" siedem", u" osiem", u" dziewięć"};
const char16_t* const kTeens[10] = {u" dziesięć",    u" jedenaście",    u" dwanaście",  u" trzynaście",
                                    u" czternaście", u" piętnaście",    u" szesnaście", u" siedemnaście",
                                    u" osiemnaście", u" dziewiętnaście"};
const char16_t* const kTens[10] = {u"",
                                   u" dziesięć",
                                   u" dwadzieścia",
                                   u" trzydzieści",
                                   u" czterdzieści",
                                   u" pięćdziesiąt",
                                   u" sześćdziesiąt",
                                   u" siedemdziesiąt",
                                   u" osiemdziesiąt",
                                   u" dziewięćdziesiąt"};
const char16_t* const kHundreds[10] = {u"",         u" sto",      u" dwieście",  u" trzysta",  u" czterysta",
                                       u" pięćset", u" sześćset", u" siedemset", u" osiemset", u" dziewięćset"};
// 10^0, 10^3, … 10^18: the last one is needed only above 999 biliard (64-bit totals).
const char16_t* const kGroups[7] = {u"", u" tys.", u" mln.", u" mld.", u" bln.", u" bld.", u" tryl."};

QString groupWords(unsigned v)
{
    const unsigned h = v / 100, t = v / 10 % 10, u = v % 10;
    QString s = QString::fromUtf16(kHundreds[h]);
    if (t == 1)
        s += QString::fromUtf16(kTeens[u]);
    else
        s += QString::fromUtf16(kTens[t]) + QString::fromUtf16(kUnits[u]);
    return s;
}

} // namespace

QString Liczba_Slownie(qint64 n)
{
    if (n == 0)
        return QStringLiteral("zero ");
    // The magnitude as unsigned, so that the most negative number has one too.
    std::uint64_t m = n < 0 ? std::uint64_t(0) - std::uint64_t(n) : std::uint64_t(n);
    QString words;
    for (int g = 0; m > 0; ++g, m /= 1000) {
        const unsigned v = unsigned(m % 1000);
        if (v != 0)
            words.prepend(groupWords(v) + QString::fromUtf16(kGroups[g]));
    }
    if (n < 0)
        words.prepend(QStringLiteral("minus"));
    return words + QLatin1Char(' ');
}

QString Kwota_Slownie(double total)
{
    if (!std::isfinite(total))
        return {};
    qint64 whole = 0;
    qint64 grosze = 0;
    // Whole grosze are exact in a 64-bit count up to about 9·10^16 zł; above that a double holds
    // no grosze anyway.
    if (std::fabs(total) < 9.0e16) {
        const qint64 cents = std::llround(total * 100.0);
        whole = cents / 100;
        grosze = cents % 100;
        if (grosze < 0)
            grosze = -grosze;
        if (cents < 0 && whole == 0)
            return QStringLiteral("minus zero ") + QString::number(grosze) + QStringLiteral("/100");
    } else if (std::fabs(total) < 9.2e18) {
        whole = qint64(std::trunc(total));
    } else {
        return {};
    }
    return Liczba_Slownie(whole) + QString::number(grosze) + QStringLiteral("/100");
}
