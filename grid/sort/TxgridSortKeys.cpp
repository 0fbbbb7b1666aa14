// The sort keys of cells and their comparison (see TxgridSortKeys.h).
#include "grid/sort/TxgridSortKeys.h"
#include "grid/controls/TxgridError.h"
#include "grid/text/TxgridStrings.h"
#include "platform/codepage/Cp1250.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <vector>

namespace grid {

QCollator& TSortContext::Collator(bool CaseSensitive)
{
    std::optional<QCollator>& c = CaseSensitive ? Case : NoCase;
    if (!c) {
        c.emplace(QLocale::system());
        c->setCaseSensitivity(CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    }
    return *c;
}

namespace {

int Sign(double V) { return V > 0 ? 1 : (V < 0 ? -1 : 0); }

bool IsDigit(QChar C) { return C >= QLatin1Char('0') && C <= QLatin1Char('9'); }

// The 8-bit code of a character in the platform's code page (Windows-1250), which byte-wise
// comparisons follow. Characters the code page lacks come after every byte.
int ByteCode(QChar C)
{
    const char16_t u = C.unicode();
    if (u < 0x80)
        return u;
    static const std::vector<quint16> table = [] {
        std::vector<quint16> t(0x10000, 0);
        QByteArray bytes;
        for (int b = 0x80; b < 0x100; ++b)
            bytes.append(char(b));
        const QString s = text::fromCp1250(bytes);
        for (qsizetype i = 0; i < s.size(); ++i)
            t[s.at(i).unicode()] = quint16(0x80 + i);
        return t;
    }();
    const quint16 b = table[u];
    return b ? b : 0x100 + u;
}

QString UpperAZ(QString S)
{
    for (qsizetype i = 0; i < S.size(); ++i)
        if (S.at(i) >= QLatin1Char('a') && S.at(i) <= QLatin1Char('z'))
            S[i] = QChar(S.at(i).unicode() - 32);
    return S;
}

// The whole text as a number in point notation, blanks before it allowed ("12", "-1.5",
// ".5", "2e3"); anything after the number fails.
bool PointNumber(const char* S, int N, double& V)
{
    int i = 0;
    while (i < N && S[i] == ' ')
        ++i;
    int start = i;
    if (i < N && S[i] == '+')
        start = ++i; // the converter below takes no plus sign
    else if (i < N && S[i] == '-')
        ++i;
    int digits = 0;
    while (i < N && S[i] >= '0' && S[i] <= '9')
        ++i, ++digits;
    if (i < N && S[i] == '.') {
        ++i;
        while (i < N && S[i] >= '0' && S[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < N && (S[i] == 'e' || S[i] == 'E')) {
        ++i;
        if (i < N && (S[i] == '+' || S[i] == '-'))
            ++i;
        int exp = 0;
        while (i < N && S[i] >= '0' && S[i] <= '9')
            ++i, ++exp;
        if (exp == 0)
            return false;
    }
    if (i != N)
        return false;
    const std::from_chars_result r = std::from_chars(S + start, S + N, V);
    return r.ec == std::errc() && r.ptr == S + N;
}

// A numeric style's value of a cell text: prefix and suffix removed once, thousand
// separators removed for the financial style, the first decimal separator made a point. An
// empty cell is 0. The text is read into a byte buffer: every comparison of a sort comes
// here twice, and a number has only ASCII characters.
bool NumericValue(const QString& Text, const QString& Prefix, const QString& Suffix, bool Financial, const TRegional& R,
                  double& V)
{
    V = 0;
    const bool empty = Text.isEmpty();
    QString cut;
    const QString* s = &Text;
    if (!Prefix.isEmpty() || !Suffix.isEmpty()) {
        cut = Text;
        if (!Prefix.isEmpty())
            if (const qsizetype p = cut.indexOf(Prefix); p >= 0)
                cut.remove(p, Prefix.size());
        if (!Suffix.isEmpty())
            if (const qsizetype p = cut.indexOf(Suffix); p >= 0)
                cut.remove(p, Suffix.size());
        s = &cut;
    }
    std::array<char, 128> buf;
    int n = 0;
    bool pointMade = R.DecimalSeparator == QLatin1Char('.');
    for (const QChar c : *s) {
        if (Financial && c == R.ThousandSeparator && !R.ThousandSeparator.isNull())
            continue;
        char16_t u = c.unicode();
        if (!pointMade && c == R.DecimalSeparator) {
            u = u'.';
            pointMade = true;
        }
        if (u >= 0x80 || n == int(buf.size()))
            return empty; // no number
        buf[std::size_t(n++)] = char(u);
    }
    return PointNumber(buf.data(), n, V) || empty;
}

// The common shape of a number read straight from the cell: a minus sign or none, then
// digits with one decimal separator at most, 15 digits at most in all. Such a text is a
// number under the automatic and the numeric styles, and its value is the one the general
// reading above gives: the digits make an exact integer and one division by an exact power
// of ten rounds correctly, as the conversion of the decimal text does.
bool PlainNumber(const QString& Text, const TRegional& R, double& V)
{
    const QChar sep = R.DecimalSeparator, thousand = R.ThousandSeparator;
    if (sep.isNull() || sep == QLatin1Char('-') || IsDigit(sep) || thousand == sep || thousand == QLatin1Char('-')
        || IsDigit(thousand))
        return false;
    const QChar* c = Text.constData();
    const QChar* const end = c + Text.size();
    const bool minus = c != end && *c == QLatin1Char('-');
    c += minus ? 1 : 0;
    std::uint64_t digits = 0;
    int count = 0, fraction = -1;
    for (; c != end; ++c) {
        const char16_t u = c->unicode();
        if (u >= u'0' && u <= u'9') {
            digits = digits * 10 + (u - u'0');
            ++count;
            fraction += fraction >= 0 ? 1 : 0;
        } else if (*c == sep && fraction < 0) {
            fraction = 0;
        } else {
            return false;
        }
    }
    if (count == 0 || count > 15)
        return false;
    static constexpr std::array<double, 16> tens{1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double v = fraction > 0 ? double(digits) / tens[std::size_t(fraction)] : double(digits);
    V = minus ? -v : v;
    return true;
}

// A date, a time or a date and a time in the desktop's short date format (a day or month
// may have one digit) and H:mm[:ss]; 0 when the text is none of these.
TDateTime DateTimeValue(const QString& Text, const TRegional& R)
{
    const QString s = Text.trimmed();
    if (s.isEmpty())
        return 0;
    auto date = [&](const QString& t) {
        QDate d = QDate::fromString(t, R.ShortDateFormat);
        if (!d.isValid()) {
            QString lenient = R.ShortDateFormat;
            lenient.replace(QLatin1String("MM"), QLatin1String("M"));
            lenient.replace(QLatin1String("dd"), QLatin1String("d"));
            d = QDate::fromString(t, lenient);
        }
        return d;
    };
    auto time = [](const QString& t, double& v) {
        QTime x = QTime::fromString(t, QStringLiteral("H:mm:ss"));
        if (!x.isValid())
            x = QTime::fromString(t, QStringLiteral("H:mm"));
        v = x.isValid() ? x.msecsSinceStartOfDay() / 86400000.0 : 0;
        return x.isValid();
    };
    double t = 0;
    const qsizetype blank = s.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        const QDate d = date(s);
        if (d.isValid())
            return DateToDateTime(d);
        return time(s, t) ? t : 0;
    }
    const QDate d = date(s.left(blank));
    if (!d.isValid() || !time(s.mid(blank + 1).trimmed(), t))
        return 0;
    return DateToDateTime(d) + t;
}

template <class F>
TDateTime ShortDateValue(F Convert, const QString& Text)
{
    try {
        return Convert(Text);
    } catch (const EConvertError&) {
        return 0;
    }
}

// The automatic style, from one cell: a number, a date (a "/" as the 2nd or 3rd character
// between two digits) or text.
TSortStyle AutomaticStyle(const QString& S, const TRegional& R)
{
    if (IsType(S, R) < 2)
        return ssNumeric;
    const qsizetype p = S.indexOf(QLatin1Char('/')) + 1; // 1-based, 0 when absent
    if (p >= 2 && p <= 3 && p < S.size() && IsDigit(S.at(p - 2)) && IsDigit(S.at(p)))
        return ssDate;
    return ssAlphabetic;
}

} // namespace

int ByteCompare(const QString& A, const QString& B)
{
    const char16_t* a = reinterpret_cast<const char16_t*>(A.constData());
    const char16_t* b = reinterpret_cast<const char16_t*>(B.constData());
    const qsizetype n = std::min(A.size(), B.size());
    const auto d = std::mismatch(a, a + n, b);
    if (d.first != a + n)
        return ByteCode(QChar(*d.first)) < ByteCode(QChar(*d.second)) ? -1 : 1;
    return A.size() < B.size() ? -1 : (A.size() > B.size() ? 1 : 0);
}

TSortKey MakeSortKey(TSortStyle Style, const QString& Cell, const QString& Prefix, const QString& Suffix,
                     TSortContext& Ctx, QString& Text)
{
    TSortKey k;
    k.Blank = Cell.isEmpty();
    if ((Style == ssAutomatic || Style == ssNumeric || Style == ssFinancial) && Prefix.isEmpty() && Suffix.isEmpty()
        && PlainNumber(Cell, Ctx.R, k.Number)) {
        k.Class = scNumber;
        return k;
    }
    if (Style == ssAutomatic) {
        if (k.Blank) {
            k.Class = scEmpty;
            return k;
        }
        const TSortStyle seen = AutomaticStyle(Cell, Ctx.R);
        // A cell that looks like a number but does not convert is read as text.
        if (seen == ssNumeric && NumericValue(Cell, Prefix, Suffix, false, Ctx.R, k.Number)) {
            k.Class = scNumber;
            return k;
        }
        if (seen == ssDate) {
            k.Class = scDate;
            k.Number = DateTimeValue(Cell, Ctx.R);
            return k;
        }
        Style = ssAlphabetic;
    }
    switch (Style) {
    case ssAutomatic:
    case ssAlphabetic:
    case ssAlphaCase:
    case ssAnsiAlphaCase:
    case ssAnsiAlphaNoCase: Text = Cell; break;
    case ssAlphaNoCase: Text = UpperAZ(Cell); break;
    case ssHTML: Text = StripTags(Cell); break;
    case ssNumeric:
    case ssFinancial:
        if (NumericValue(Cell, Prefix, Suffix, Style == ssFinancial, Ctx.R, k.Number))
            k.Class = scNumber;
        else
            Text = Cell; // after the numbers, by its text
        break;
    case ssDate:
        k.Class = scNumber;
        k.Number = DateTimeValue(Cell, Ctx.R);
        break;
    case ssShortDateEU:
        k.Class = scNumber;
        k.Number = ShortDateValue(StrToShortDateEU, Cell);
        break;
    case ssShortDateUS:
        k.Class = scNumber;
        k.Number = ShortDateValue(StrToShortdateUS, Cell);
        break;
    case ssImages: k.Class = scNumber; break;
    case ssCustom:
        k.Class = scHandler;
        Text = Cell;
        break;
    case ssRaw: k.Class = scHandler; break;
    }
    return k;
}

int CompareSortKeys(TSortStyle Style, const TSortKey& A, const QString& TextA, const TSortKey& B, const QString& TextB,
                    TSortContext& Ctx)
{
    if (A.Class != B.Class)
        return A.Class < B.Class ? -1 : 1;
    switch (A.Class) {
    case scNumber:
    case scDate: return A.Number < B.Number ? -1 : (B.Number < A.Number ? 1 : 0);
    case scText:
        if (Style == ssAnsiAlphaCase || Style == ssAnsiAlphaNoCase)
            return Sign(Ctx.Collator(Style == ssAnsiAlphaCase).compare(TextA, TextB));
        return ByteCompare(TextA, TextB);
    case scEmpty:
    case scHandler: break;
    }
    return 0;
}

} // namespace grid
