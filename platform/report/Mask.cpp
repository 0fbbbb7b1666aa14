#include "platform/report/Mask.h"

#include "platform/text/Regional.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace report {

namespace {

const Formats* g_formats = nullptr; // the running report's (runs happen on the one GUI thread)

} // namespace

Formats Formats::read()
{
    return Formats{text::decimalSeparator(), text::thousandSeparator(), text::shortDateFormat()};
}

Formats Formats::current() { return g_formats ? *g_formats : read(); }

FormatsScope::FormatsScope() : formats_(g_formats ? *g_formats : Formats::read()), previous_(g_formats)
{
    g_formats = &formats_;
}

FormatsScope::~FormatsScope() { g_formats = previous_; }

QString plainText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float: {
        const double v = value.toDouble();
        if (v == 0)
            return QStringLiteral("0"); // never "-0"
        QString s = QString::number(v, 'g', 15);
        const QChar sep = g_formats ? g_formats->decimal : text::decimalSeparator();
        if (sep != QLatin1Char('.'))
            s.replace(QLatin1Char('.'), sep);
        return s;
    }
    case QMetaType::QDate: return value.toDate().toString(g_formats ? g_formats->shortDate : text::shortDateFormat());
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QByteArray: return QString::fromUtf8(value.toByteArray());
    default: return value.toString();
    }
}

namespace {

bool isDigitMark(QChar c) { return c == u'0' || c == u'#'; }

// |value| rounded half away from zero to `decimals` places, as integer digits and fraction digits.
void roundDecimal(double value, int decimals, QString& intPart, QString& fracPart)
{
    // 15 significant digits, as the desktop's number formatting takes them; an amount whose whole
    // part and decimals need more (10 000 000 000 000,00 and up) takes as many as a double holds,
    // so that its grosze print as stored.
    int significant = 15;
    if (std::fabs(value) >= 1.0)
        significant = std::clamp(int(std::floor(std::log10(std::fabs(value)))) + 1 + decimals, 15, 17);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
    // buf: d.dddddddddddddde[+-]xx
    QString digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += QLatin1Char(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    int intDigits = exponent + 1; // digits before the decimal point in `digits`
    int keep = intDigits + decimals;
    if (keep < 0) {
        intPart = QStringLiteral("0");
        fracPart = QString(decimals, u'0');
        return;
    }
    if (keep < digits.size()) {
        const bool up = digits[keep] >= u'5';
        digits.truncate(keep);
        if (up) {
            int i = keep - 1;
            for (; i >= 0; --i) {
                if (digits[i] == u'9') {
                    digits[i] = u'0';
                } else {
                    digits[i] = QChar(digits[i].unicode() + 1);
                    break;
                }
            }
            if (i < 0) {
                digits.prepend(u'1');
                ++intDigits;
            }
        }
    }
    // Pad to reach the decimal point and the wanted decimals.
    if (intDigits < 0) {
        digits.prepend(QString(-intDigits, u'0'));
        intDigits = 0;
    }
    while (digits.size() < intDigits + decimals)
        digits += u'0';
    intPart = digits.left(intDigits);
    fracPart = digits.mid(intDigits, decimals);
    // Strip leading zeros of the integer part (the mask decides the minimum).
    int lead = 0;
    while (lead < intPart.size() && intPart[lead] == u'0')
        ++lead;
    intPart = intPart.mid(lead);
}

} // namespace

QString formatNumber(double value, const QString& mask)
{
    if (std::isnan(value) || std::isinf(value))
        return QString::number(value);
    // Split the mask into the literal text before the digits, the digit pattern and the rest.
    int start = 0;
    while (start < mask.size() && !isDigitMark(mask[start]) && mask[start] != u'.')
        ++start;
    int end = start;
    while (end < mask.size() && (isDigitMark(mask[end]) || mask[end] == u'.' || mask[end] == u','))
        ++end;
    const QString prefix = mask.left(start);
    const QString pattern = mask.mid(start, end - start);
    const QString suffix = mask.mid(end);
    if (pattern.isEmpty())
        return QString::number(value, 'g', 15);

    const int dot = pattern.indexOf(u'.');
    const QString intPattern = dot < 0 ? pattern : pattern.left(dot);
    const QString fracPattern = dot < 0 ? QString() : pattern.mid(dot + 1);
    const bool thousands = intPattern.contains(u',');
    const int minInt = int(intPattern.count(u'0'));
    const int minDec = int(fracPattern.count(u'0'));
    const int maxDec = minDec + int(fracPattern.count(u'#'));

    QString intPart, fracPart;
    roundDecimal(value, maxDec, intPart, fracPart);
    while (fracPart.size() > minDec && fracPart.endsWith(u'0'))
        fracPart.chop(1);
    while (intPart.size() < minInt)
        intPart.prepend(u'0');
    const auto hasNonZeroDigit = [](const QString& digits) {
        return std::any_of(digits.begin(), digits.end(),
                           [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });
    };
    const bool zero = !hasNonZeroDigit(intPart) && !hasNonZeroDigit(fracPart);
    if (thousands) {
        const QChar sep = g_formats ? g_formats->thousand : text::thousandSeparator();
        for (int i = int(intPart.size()) - 3; i > 0; i -= 3)
            intPart.insert(i, sep);
    }
    QString out;
    if (value < 0 && !zero)
        out += u'-';
    out += prefix;
    out += intPart;
    if (!fracPart.isEmpty()) {
        out += g_formats ? g_formats->decimal : text::decimalSeparator();
        out += fracPart;
    }
    out += suffix;
    return out;
}

QString formatValue(const QVariant& value, const QString& mask)
{
    if (value.isNull() || !value.isValid())
        return {};
    if (mask.isEmpty())
        return value.toString();
    bool ok = false;
    double d = 0;
    if (value.typeId() == QMetaType::QString) {
        QString s = value.toString().trimmed();
        s.replace(u',', u'.');
        s.remove(QChar(0x00A0));
        s.remove(u' ');
        d = s.toDouble(&ok);
        if (!ok)
            return value.toString();
    } else {
        d = value.toDouble(&ok);
        if (!ok)
            return value.toString();
    }
    return formatNumber(d, mask);
}

} // namespace report
