#include "grid/controls/Txutil.h"

#include "grid/controls/TxgridError.h"
#include "grid/controls/TxgridLines.h"
#include "platform/text/Regional.h"

#include <QPainter>
#include <array>
#include <cmath>

namespace grid {

TRegional TRegional::Current()
{
    return {text::decimalSeparator(), text::thousandSeparator(), text::dateSeparator(), text::shortDateFormat()};
}

// --- classification ----------------------------------------------------------------------

int TextType(const QString& Text, bool HTML)
{
    const QString s = Text + QLatin1Char(' ');
    if (s.startsWith(QLatin1Char('=')))
        return 3;
    if (s.startsWith(QLatin1String("{\\")))
        return 2;
    if (HTML && (s.contains(QLatin1String("</")) || s.contains(QLatin1String("<B")) || s.contains(QLatin1String("<I"))))
        return 1;
    return 0;
}

int IsType(const QString& Text) { return IsType(Text, TRegional::Current()); }

int IsType(const QString& Text, const TRegional& R)
{
    if (Text.isEmpty())
        return 2;
    if (Text.count(QLatin1Char('-')) > 1 || Text.count(R.DecimalSeparator) > 1)
        return 2;
    bool integer = true;
    for (QChar c : Text)
        if (c != QLatin1Char('-') && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            integer = false;
    if (integer)
        return 0;
    int lastThousand = 0;
    for (int i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        const int pos = i + 1;
        if (c == R.ThousandSeparator) {
            if (pos == 1 || (lastThousand > 0 && pos - lastThousand < 3))
                return 2;
            lastThousand = pos;
        } else if (c != R.DecimalSeparator && c != QLatin1Char('-')
                   && !(c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            return 2;
        }
    }
    return 1;
}

bool IsURL(const QString& Text)
{
    return Text.contains(QLatin1String("://")) || Text.contains(QLatin1String("mailto:"));
}

bool IsInGridRect(const TGridRect& Rect, int Col, int Row)
{
    return Rect.Left <= Col && Col <= Rect.Right && Rect.Top <= Row && Row <= Rect.Bottom;
}

bool NameToCell(const QString& Name, QPoint& Point)
{
    const QString s = Name.toUpper();
    if (s.size() <= 3 || !s.startsWith(QLatin1Char('R')))
        return false;
    const int c = s.indexOf(QLatin1Char('C'), 1);
    if (c < 2)
        return false;
    bool okRow = false, okCol = false;
    const int row = s.mid(1, c - 1).toInt(&okRow);
    const int col = s.mid(c + 1).toInt(&okCol);
    if (!okRow || !okCol)
        return false;
    Point = QPoint(col, row);
    return true;
}

QChar FirstChar(const QString& CharSet, const QString& Text)
{
    for (QChar c : Text)
        if (CharSet.contains(c))
            return c;
    return QChar(0);
}

// --- searching and counting --------------------------------------------------------------

int VarPos(const QString& Sub, const QString& Text, int& Pos)
{
    Pos = Sub.isEmpty() ? 0 : int(Text.indexOf(Sub)) + 1;
    return Pos;
}

int FIPos(const QString& Sub, const QString& Text)
{
    if (Sub.isEmpty())
        return 0;
    return int(Text.toUpper().indexOf(Sub)) + 1;
}

int SinglePos(QChar Ch, const QString& Text, int& Pos)
{
    Pos = 0;
    const int n = int(Text.size());
    for (int i = 0; i < n; ++i) {
        if (Text.at(i) != Ch)
            continue;
        if (i == n - 1 || ((i == 0 || Text.at(i - 1) != Ch) && Text.at(i + 1) != Ch)) {
            Pos = i + 1;
            break;
        }
    }
    return Pos;
}

int NumSingleChar(QChar Ch, const QString& Text)
{
    QString s = Text;
    int n = 0, p = 0;
    while (SinglePos(Ch, s, p) > 0) {
        ++n;
        s = s.mid(p);
    }
    return n;
}

int NumChar(QChar Ch, const QString& Text) { return int(Text.count(Ch)); }

bool GetToken(QString& Text, const QString& Separator, QString& Token)
{
    if (Separator.isEmpty())
        return false;
    const qsizetype p = Text.indexOf(Separator);
    if (p < 0)
        return false;
    Token = Text.left(p);
    Text = Text.mid(p + Separator.size());
    return true;
}

// --- line breaks -------------------------------------------------------------------------

void GetNextLine(QString& Text, bool Multi, QString& Line)
{
    const qsizetype p = Text.indexOf(CR);
    if (p < 0) {
        Line = Text;
        Text.clear();
        return;
    }
    Line = Text.left(p);
    if (!Multi) {
        Text.clear();
        return;
    }
    qsizetype rest = p + 1;
    if (rest < Text.size() && Text.at(rest) == LF)
        ++rest;
    Text = Text.mid(rest);
}

int LinesInText(const QString& Text, bool Multi) { return Multi ? 1 + int(Text.count(CR)) : 1; }

QString StringListToText(const QStringList& List) { return List.join(QString()); }

void LineFeedsToCSV(QString& Text) { Text = QuoteMultiline(Text); }

void CSVToLineFeeds(QString& Text)
{
    if (Text.contains(LF))
        Text.replace(LF, QString(CR) + LF);
}

void LineFeedsToJava(QString& Text)
{
    Text.remove(LF);
    Text.replace(CR, QLatin1Char('~'));
}

void JavaToLineFeeds(QString& Text) { Text.replace(QLatin1Char('~'), QString(CR) + LF); }

QString LineFeedsToXLS(const QString& Text)
{
    QString s = Text;
    return s.remove(CR);
}

QString CLFToLF(const QString& Text)
{
    QString s = Text;
    return s.replace(QLatin1String("\\n"), QString(CR));
}

QString LFToCLF(const QString& Text)
{
    QString s = Text;
    s.remove(LF);
    return s.replace(CR, QLatin1String("\\n"));
}

QString LfToFile(const QString& Text)
{
    // A lone LF would end the line as well as CR LF does.
    if (!HasLineEnd(Text))
        return Text;
    QString s = Text;
    s.replace(CR, QChar(9));
    s.replace(LF, QChar(8));
    return s;
}

QString FileToLf(const QString& Text, bool Multi)
{
    if (!Text.contains(QChar(8)))
        return Text;
    QString s = Text;
    s.replace(QChar(9), CR);
    s.replace(QChar(8), LF);
    if (Multi)
        return s;
    QString line;
    GetNextLine(s, false, line);
    return line;
}

QString HTMLLineBreaks(const QString& Text)
{
    if (!Text.contains(CR))
        return Text;
    QString s = Text;
    return s.replace(CR, QLatin1String("<br>"));
}

// --- other conversions -------------------------------------------------------------------

QString HTMLColor(TColor Color)
{
    const TColor c = ui::colorToRGB(Color);
    return QStringLiteral("%1%2%3")
        .arg(ui::redOf(c), 2, 16, QLatin1Char('0'))
        .arg(ui::greenOf(c), 2, 16, QLatin1Char('0'))
        .arg(ui::blueOf(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString RemoveSeps(const QString& Text) { return RemoveSeps(Text, TRegional::Current()); }

QString RemoveSeps(const QString& Text, const TRegional& R)
{
    QString s = Text.trimmed();
    bool negative = s.size() >= 2 && s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'));
    auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    while (s.size() >= 2 && !isDigit(s.at(0)) && s.at(0) != R.ThousandSeparator && s.at(0) != R.DecimalSeparator) {
        if (s.at(0) == QLatin1Char('-'))
            negative = true;
        s.remove(0, 1);
    }
    QString r;
    for (QChar c : s) {
        if (c == R.ThousandSeparator)
            continue;
        if (c == R.DecimalSeparator)
            r += QLatin1Char('.');
        else if (isDigit(c) || c == QLatin1Char('-') || c == QLatin1Char('.'))
            r += c;
        else
            break;
    }
    if (negative && !r.startsWith(QLatin1Char('-')))
        r.prepend(QLatin1Char('-'));
    return r;
}

QString FixDecimalSeparator(const QString& Text) { return FixDecimalSeparator(Text, TRegional::Current()); }

QString FixDecimalSeparator(const QString& Text, const TRegional& R)
{
    if (R.DecimalSeparator != QLatin1Char(','))
        return Text;
    QString s = Text;
    const qsizetype p = s.indexOf(QLatin1Char(','));
    if (p >= 0)
        s[p] = QLatin1Char('.');
    return s;
}

QString DoubleToSingleChar(QChar Ch, const QString& Text)
{
    if (!Text.contains(Ch))
        return Text;
    QString r;
    r.reserve(Text.size());
    for (QChar c : Text)
        if (!(c == Ch && !r.isEmpty() && r.back() == Ch))
            r += c;
    return r;
}

void StringToPassword(QString& Text, QChar Ch) { Text.fill(Ch); }

namespace {
// The upper half (0x80..0xFF) of code page 852.
constexpr std::array<char16_t, 128> kCp852 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7, 0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE,
    0x0179, 0x00C4, 0x0106, 0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A, 0x015B, 0x00D6,
    0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D,
    0x017E, 0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x011A, 0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE, 0x011B, 0x2518, 0x250C,
    0x2588, 0x2584, 0x0162, 0x016E, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161,
    0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4, 0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0};
} // namespace

bool StringToOem(QString& Text)
{
    QString r;
    r.reserve(Text.size());
    bool all = true;
    for (QChar c : Text) {
        if (c.unicode() < 0x80) {
            r += c;
            continue;
        }
        char16_t byte = '?'; // a character the code page lacks
        for (std::size_t i = 0; i < kCp852.size(); ++i)
            if (kCp852[i] == c.unicode()) {
                byte = char16_t(0x80 + i);
                break;
            }
        all = all && byte != '?';
        r += QChar(byte);
    }
    Text = r;
    return all;
}

void OemToString(QString& Text)
{
    for (QChar& c : Text)
        if (c.unicode() >= 0x80 && c.unicode() <= 0xFF)
            c = QChar(kCp852[c.unicode() - 0x80]);
}

QString ShiftCase(const QString& Text)
{
    QString r = Text.toLower();
    const QString marks = QStringLiteral(" ',-.");
    for (int i = 0; i < r.size(); ++i)
        if (i == 0 || marks.contains(r.at(i - 1)))
            r[i] = r.at(i).toUpper();
    if (r.size() > 2 && r.startsWith(QLatin1String("Mc")))
        r[2] = r.at(2).toUpper();
    const qsizetype mc = r.indexOf(QLatin1String(" Mc"));
    if (mc >= 0 && mc + 3 < r.size())
        r[mc + 3] = r.at(mc + 3).toUpper();
    // Roman numerals at the end: "John III".
    for (int i = std::max(0, int(r.size()) - 3); i < r.size(); ++i) {
        const QString before = r.left(i);
        if (before.endsWith(QLatin1String(" I")) || before.endsWith(QLatin1String(" II")))
            r[i] = r.at(i).toUpper();
    }
    return r;
}

QString RectString(const TRect& Rect)
{
    return QStringLiteral("[%1:%2][%3:%4]").arg(Rect.Left).arg(Rect.Top).arg(Rect.Right).arg(Rect.Bottom);
}

namespace {
const QDate& dayZero()
{
    static const QDate d(1899, 12, 30);
    return d;
}

// The whole days and the time of day (0 <= time < 1) of a date number.
void splitDateTime(TDateTime Value, qint64& days, double& time)
{
    days = qint64(std::trunc(Value));
    time = std::fabs(Value - double(days));
}

TDateTime joinDateTime(qint64 days, double time) { return days >= 0 ? double(days) + time : double(days) - time; }
} // namespace

QDate DateTimeToDate(TDateTime Value) { return dayZero().addDays(qint64(std::trunc(Value))); }

TDateTime DateToDateTime(const QDate& Date) { return Date.isValid() ? double(dayZero().daysTo(Date)) : 0; }

TDateTime EncodeDate(int Year, int Month, int Day)
{
    const QDate dt(Year, Month, Day);
    if (!dt.isValid() || Year < 1 || Year > 9999)
        throw EConvertError(QStringLiteral("Invalid argument to date encode"));
    return DateToDateTime(dt);
}

TDateTime GetNextDate(TDateTime Date, int Years, int Months, int Days, int Step)
{
    qint64 days;
    double time;
    splitDateTime(Date, days, time);
    const QDate d = dayZero().addDays(days);
    if (Days != 0 && Years == 0 && Months == 0)
        return joinDateTime(days + Days, time);
    if (Years != 0 && Months == 0 && Days == 0)
        return joinDateTime(qint64(EncodeDate(d.year() + Years, d.month(), d.day())), time);
    if (Months != 0 && Years == 0 && Days == 0) {
        int y = d.year(), m = d.month() + Months;
        if (m < 1) {
            m += 12;
            --y;
        } else if (m > 12) {
            m -= 12;
            ++y;
        }
        return joinDateTime(qint64(EncodeDate(y, m, d.day())), time);
    }
    return joinDateTime(days + Step, time);
}

// --- dates -------------------------------------------------------------------------------

namespace {
// Splits a short date at the first of "/", "." or "-" (in that order of preference); the
// second separator must be the same. Three whole numbers or false.
bool splitShortDate(const QString& Text, int& a, int& b, int& c)
{
    QChar sep;
    for (QChar s : {QLatin1Char('/'), QLatin1Char('.'), QLatin1Char('-')})
        if (Text.contains(s)) {
            sep = s;
            break;
        }
    if (sep.isNull())
        return false;
    const QStringList parts = Text.split(sep);
    if (parts.size() != 3)
        return false;
    bool ok1, ok2, ok3;
    a = parts[0].trimmed().toInt(&ok1);
    b = parts[1].trimmed().toInt(&ok2);
    c = parts[2].trimmed().toInt(&ok3);
    return ok1 && ok2 && ok3;
}

// Two-digit years: above 25 in the 1900s, else in the 2000s. A full year stays.
int fullYear(int y)
{
    if (y >= 0 && y < 100)
        return y > 25 ? y + 1900 : y + 2000;
    return y;
}
} // namespace

TDateTime StrToShortdateUS(const QString& Text)
{
    int m, d, y;
    if (!splitShortDate(Text, m, d, y))
        return 0;
    return EncodeDate(fullYear(y), m, d);
}

TDateTime StrToShortDateEU(const QString& Text)
{
    int d, m, y;
    if (!splitShortDate(Text, d, m, y))
        return 0;
    return EncodeDate(fullYear(y), m, d);
}

TDateTime RegionalDate(const QString& Text, const TRegional& R)
{
    if (R.DateSeparator.isNull())
        return 0;
    const QStringList parts = Text.split(R.DateSeparator);
    if (parts.size() != 3)
        return 0;
    int n[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        n[i] = parts[i].toInt(&ok);
        if (!ok)
            return 0;
    }
    const QString fmt = R.ShortDateFormat.toUpper();
    const qsizetype pd = fmt.indexOf(QLatin1Char('D')), pm = fmt.indexOf(QLatin1Char('M')),
                    py = fmt.indexOf(QLatin1Char('Y'));
    if (pd < 0 || pm < 0 || py < 0)
        return 0;
    auto rank = [&](qsizetype p) { return int(p > pd) + int(p > pm) + int(p > py); };
    const int d = n[rank(pd)], m = n[rank(pm)], y = n[rank(py)];
    if (d > 31 || m > 12)
        return 0;
    const QDate dt(y, m, d);
    return dt.isValid() ? DateToDateTime(dt) : 0;
}

// --- matching ----------------------------------------------------------------------------

namespace {

// A wildcard pattern against the whole text: "*" any run, "?" one character.
bool wildMatch(const QChar* p, const QChar* pe, const QChar* t, const QChar* te)
{
    while (p < pe) {
        if (*p == QLatin1Char('*')) {
            while (p < pe && *p == QLatin1Char('*'))
                ++p;
            if (p == pe)
                return true;
            // The rest of the pattern against every suffix, from the shortest.
            for (const QChar* s = te;; --s) {
                if (wildMatch(p, pe, s, te))
                    return true;
                if (s == t)
                    return false;
            }
        }
        if (t == te)
            return false;
        if (*p != QLatin1Char('?') && *p != *t)
            return false;
        ++p;
        ++t;
    }
    return t == te;
}

// The operand after an operator: leading blanks skipped, up to a blank, "&", "|" or the end.
QString operandAt(const QString& mask, qsizetype from)
{
    while (from < mask.size() && mask.at(from) == QLatin1Char(' '))
        ++from;
    qsizetype end = from;
    while (end < mask.size() && mask.at(end) != QLatin1Char(' ') && mask.at(end) != QLatin1Char('&')
           && mask.at(end) != QLatin1Char('|'))
        ++end;
    return mask.mid(from, end - from);
}

bool toNumber(const QString& s, const TRegional& R, double& v)
{
    QString t = s.trimmed();
    if (t.isEmpty())
        return false;
    t.remove(R.ThousandSeparator);
    t.replace(R.DecimalSeparator, QLatin1Char('.'));
    bool ok = false;
    v = t.toDouble(&ok);
    return ok;
}

} // namespace

TMatchTerm::TOperand::TOperand(const QString& S, const TRegional& R)
    : Text(S.left(255)), IsNumber(toNumber(S, R, Number)), Date(RegionalDate(S, R))
{}

// <0, 0, >0: as numbers when both are numbers, as dates when both are dates, else as text.
int TMatchTerm::CompareTo(const QString& A, const TOperand& B) const
{
    double x;
    if (B.IsNumber && toNumber(A, FR, x))
        return x < B.Number ? -1 : (x > B.Number ? 1 : 0);
    if (B.Date != 0) {
        const TDateTime da = RegionalDate(A, FR);
        if (da != 0)
            return da < B.Date ? -1 : (da > B.Date ? 1 : 0);
    }
    return QStringView(A).left(255).compare(B.Text, Qt::CaseSensitive);
}

TMatchTerm::TMatchTerm(const QString& Mask, const TRegional& R) : FR(R)
{
    const qsizetype gt = Mask.indexOf(QLatin1Char('>'));
    const qsizetype lt = Mask.indexOf(QLatin1Char('<'));
    FComparison = gt >= 0 || lt >= 0;
    if (!FComparison) {
        // A wildcard pattern; "!" anywhere negates.
        FPattern = Mask;
        FNegate = FPattern.contains(QLatin1Char('!'));
        FPattern.remove(QLatin1Char('!'));
        return;
    }
    // Comparisons. "!" followed by an operand is "not equal" and stands in for a missing
    // side, so ">5 & !7" means above 5 and not 7.
    auto side = [&](qsizetype at, TSide& S) {
        S.Present = at >= 0;
        if (!S.Present)
            return;
        S.OrEqual = at + 1 < Mask.size() && Mask.at(at + 1) == QLatin1Char('=');
        S.Operand = TOperand(operandAt(Mask, at + (S.OrEqual ? 2 : 1)), R);
    };
    side(gt, FGreater);
    side(lt, FLess);
    const qsizetype bang = Mask.indexOf(QLatin1Char('!'));
    if (bang >= 0) {
        FNotEqual.Present = true;
        FNotEqual.Operand = TOperand(operandAt(Mask, bang + 1), R);
    }
    FEither = Mask.contains(QLatin1Char('^'));
    FBoth = Mask.contains(QLatin1Char('&'));
}

bool TMatchTerm::Match(const QString& Text) const
{
    if (!FComparison) {
        const bool m = wildMatch(FPattern.constData(), FPattern.constData() + FPattern.size(), Text.constData(),
                                 Text.constData() + Text.size());
        return FNegate ? !m : m;
    }
    bool hasGT = FGreater.Present, hasLT = FLess.Present, resGT = false, resLT = false;
    if (hasGT) {
        const int c = CompareTo(Text, FGreater.Operand);
        resGT = FGreater.OrEqual ? c >= 0 : c > 0;
    }
    if (hasLT) {
        const int c = CompareTo(Text, FLess.Operand);
        resLT = FLess.OrEqual ? c <= 0 : c < 0;
    }
    if (FNotEqual.Present) {
        const bool notEqual = CompareTo(Text, FNotEqual.Operand) != 0;
        if (!hasGT) {
            hasGT = true;
            resGT = notEqual;
        } else if (!hasLT) {
            hasLT = true;
            resLT = notEqual;
        }
    }
    if (FEither)
        return resGT || resLT;
    if (FBoth && hasGT && hasLT)
        return resGT && resLT;
    return (hasGT && resGT) || (hasLT && resLT);
}

TMatchCondition::TMatchCondition(const QString& Mask, bool CaseSensitive, const TRegional& R)
    : FCaseSensitive(CaseSensitive)
{
    const QString ops = QStringLiteral("&;^|");
    QString m = Mask.trimmed();
    // Blanks around the combining characters carry no meaning.
    QString tight;
    for (int i = 0; i < m.size(); ++i) {
        const QChar c = m.at(i);
        if (c == QLatin1Char(' ')) {
            int j = i;
            while (j < m.size() && m.at(j) == QLatin1Char(' '))
                ++j;
            const bool beforeOp = j < m.size() && ops.contains(m.at(j));
            const bool afterOp = !tight.isEmpty() && ops.contains(tight.back());
            if (beforeOp || afterOp) {
                i = j - 1;
                continue;
            }
        }
        tight += c;
    }
    if (!CaseSensitive)
        tight = tight.toUpper();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= tight.size(); ++i) {
        if (i < tight.size() && !ops.contains(tight.at(i)))
            continue;
        FTerms.emplace_back(tight.mid(start, i - start), R);
        FAnd.push_back(i < tight.size() && tight.at(i) == QLatin1Char('&'));
        start = i + 1;
    }
}

bool TMatchCondition::Match(const QString& Text) const
{
    const QString upper = FCaseSensitive ? QString() : Text.toUpper();
    const QString& t = FCaseSensitive ? Text : upper;
    bool result = false;
    for (std::size_t k = 0; k < FTerms.size(); ++k) {
        const bool r = FTerms[k].Match(t);
        // Each term joins the result so far by the operator before it.
        result = k == 0 ? r : (FAnd[k - 1] ? result && r : result || r);
    }
    return result;
}

bool Matches(const QString& Mask, const QString& Text) { return Matches(Mask, Text, TRegional::Current()); }

bool Matches(const QString& Mask, const QString& Text, const TRegional& R) { return TMatchTerm(Mask, R).Match(Text); }

bool MatchStr(const QString& Mask, const QString& Text, bool CaseSensitive)
{
    return MatchStr(Mask, Text, CaseSensitive, TRegional::Current());
}

bool MatchStr(const QString& Mask, const QString& Text, bool CaseSensitive, const TRegional& R)
{
    if (CaseSensitive)
        return Matches(Mask, Text, R);
    return Matches(Mask.toUpper(), Text.toUpper(), R);
}

bool MatchStrEx(const QString& Mask, const QString& Text, bool CaseSensitive)
{
    return MatchStrEx(Mask, Text, CaseSensitive, TRegional::Current());
}

bool MatchStrEx(const QString& Mask, const QString& Text, bool CaseSensitive, const TRegional& R)
{
    return TMatchCondition(Mask, CaseSensitive, R).Match(Text);
}

// --- drawing -----------------------------------------------------------------------------

void DrawBitmapTransp(ui::Canvas& Canvas, const QImage& Bitmap, TColor Color, const TRect& Rect)
{
    if (Bitmap.isNull())
        return;
    QImage img = Bitmap.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = img.pixel(0, 0);
    const QRgb fill = ui::toQColor(Color).rgba();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (line[x] == key)
                line[x] = fill;
    }
    Canvas.drawImage(Rect.Left, Rect.Top, img);
}

void DrawBitmapResourceTransp(ui::Canvas& Canvas, TColor Color, const TRect& Rect, const QString& Name)
{
    const QImage img(QStringLiteral(":/") + Name);
    DrawBitmapTransp(Canvas, img, Color, Rect);
}

void DrawErrorLines(ui::Canvas& Canvas, const QString& Text, const TRect& Rect, int Length, int Position,
                    int LineHeight)
{
    if (Text.isEmpty() || Length <= 0)
        return;
    // The left edge of a character as the text lies in the rectangle; past the end, four
    // pixels right of the last character's left edge.
    auto charX = [&](int pos) {
        if (pos >= Text.size())
            return Rect.Left + Canvas.textWidth(Text.left(Text.size() - 1)) + 4;
        return Rect.Left + Canvas.textWidth(Text.left(pos));
    };
    const int x0 = charX(Position), x1 = charX(Position + Length);
    ui::Pen saved = Canvas.pen;
    Canvas.pen = ui::Pen{ui::clRed, 2};
    bool low = true;
    Canvas.moveTo(x0, Rect.Top + LineHeight + 3);
    for (int x = x0 + 3; x <= x1; x += 3) {
        low = !low;
        Canvas.lineTo(x, Rect.Top + LineHeight + (low ? 3 : 0));
    }
    Canvas.pen = saved;
}

} // namespace grid
