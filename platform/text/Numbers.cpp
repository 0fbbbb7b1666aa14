#include "platform/text/Numbers.h"

#include "platform/text/Regional.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace text {

namespace {

// The decimal digits and the exponent of |value| rounded to `significant` digits:
// |value| = d0.d1d2... x 10^exponent.
struct Digits {
    std::string digits;
    int exponent = 0;
};

template <typename T>
Digits significantDigits(T value, int significant)
{
    char buf[128];
    const auto res = std::to_chars(buf, buf + sizeof buf, value < 0 ? -value : value, std::chars_format::scientific,
                                   significant - 1);
    const std::string s(buf, res.ptr);
    Digits d;
    const auto e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (s[i] >= '0' && s[i] <= '9')
            d.digits += s[i];
    d.exponent = std::stoi(s.substr(e + 1));
    return d;
}

QString special(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

bool asciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

} // namespace

QString formatFixed(long double value, int decimals)
{
    if (!std::isfinite(value))
        return special(value);
    decimals = qBound(0, decimals, 30);
    constexpr int kPrecision = 18;
    const Digits d = significantDigits(value, kPrecision);

    // value x 10^decimals = D x 10^shift, D being the 18 digits as an integer.
    const int shift = d.exponent - (kPrecision - 1) + decimals;
    std::string n;
    if (shift >= 0) {
        n = d.digits + std::string(static_cast<std::size_t>(shift), '0');
    } else {
        const int keep = kPrecision + shift;
        if (keep >= 0) {
            n = keep > 0 ? d.digits.substr(0, static_cast<std::size_t>(keep)) : std::string("0");
            if (d.digits[static_cast<std::size_t>(keep)] >= '5') { // half away from zero
                int i = static_cast<int>(n.size()) - 1;
                while (i >= 0 && n[static_cast<std::size_t>(i)] == '9')
                    n[static_cast<std::size_t>(i--)] = '0';
                if (i < 0)
                    n.insert(n.begin(), '1');
                else
                    ++n[static_cast<std::size_t>(i)];
            }
        } else {
            n = "0";
        }
    }
    const auto firstNonZero = n.find_first_not_of('0');
    const bool zero = firstNonZero == std::string::npos;
    n = zero ? std::string("0") : n.substr(firstNonZero);
    if (n.size() < static_cast<std::size_t>(decimals) + 1)
        n.insert(0, static_cast<std::size_t>(decimals) + 1 - n.size(), '0');

    QString out;
    if (value < 0 && !zero)
        out += QLatin1Char('-');
    const std::size_t intLen = n.size() - static_cast<std::size_t>(decimals);
    out += QLatin1String(n.data(), static_cast<qsizetype>(intLen));
    if (decimals > 0) {
        out += decimalSeparator();
        out += QLatin1String(n.data() + intLen, decimals);
    }
    return out;
}

QString formatAmount(long double value) { return formatFixed(value, 2); }

QString formatQuantity(long double value) { return formatFixed(value, 3); }

QString formatGeneral(double value)
{
    if (!std::isfinite(value))
        return special(value);
    if (value == 0)
        return QStringLiteral("0");
    constexpr int kPrecision = 15;
    Digits d = significantDigits(value, kPrecision);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    const QChar sep = decimalSeparator();
    QString out;
    if (value < 0)
        out += QLatin1Char('-');
    const int e = d.exponent;
    const int len = static_cast<int>(d.digits.size());
    if (e >= kPrecision || e < -5) {
        out += QLatin1Char(d.digits[0]);
        if (len > 1) {
            out += sep;
            out += QLatin1String(d.digits.data() + 1, len - 1);
        }
        out += QLatin1Char('E') + QString::number(e);
    } else if (e >= 0) {
        if (len <= e + 1) {
            out += QLatin1String(d.digits.data(), len);
            out += QString(e + 1 - len, QLatin1Char('0'));
        } else {
            out += QLatin1String(d.digits.data(), e + 1);
            out += sep;
            out += QLatin1String(d.digits.data() + e + 1, len - e - 1);
        }
    } else {
        out += QLatin1Char('0');
        out += sep;
        out += QString(-e - 1, QLatin1Char('0'));
        out += QLatin1String(d.digits.data(), len);
    }
    return out;
}

int parseInt(const QString& text, bool* ok)
{
    if (ok)
        *ok = false;
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return 0;
    long long v = 0;
    for (; i < text.size(); ++i) {
        if (!asciiDigit(text[i]))
            return 0;
        v = v * 10 + (text[i].unicode() - '0');
        if (v > 2147483648LL)
            return 0;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        return 0;
    if (ok)
        *ok = true;
    return static_cast<int>(v);
}

long double parseFloat(const QString& text, bool* ok)
{
    if (ok)
        *ok = false;
    const QChar sep = decimalSeparator();
    std::string plain;
    plain.reserve(static_cast<std::size_t>(text.size()));
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        if (text[i] == QLatin1Char('-'))
            plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenSeparator = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (asciiDigit(c)) {
            plain += static_cast<char>(c.unicode());
            ++mantissaDigits;
        } else if (c == sep && !seenSeparator) {
            plain += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    if (i < text.size()) {
        if (text[i] != QLatin1Char('e') && text[i] != QLatin1Char('E'))
            return 0;
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            plain += static_cast<char>(text[i++].unicode());
        int expDigits = 0;
        for (; i < text.size(); ++i) {
            if (!asciiDigit(text[i]))
                return 0;
            plain += static_cast<char>(text[i].unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            return 0;
    }
    long double value = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size() || !std::isfinite(value))
        return 0;
    if (ok)
        *ok = true;
    return value;
}

QString quotedExcerpt(const QString& text, int length)
{
    if (text.size() <= length)
        return text;
    // A character outside the basic plane is never cut in half.
    qsizetype cut = length;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

} // namespace text
