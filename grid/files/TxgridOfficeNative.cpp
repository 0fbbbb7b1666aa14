// The native office bridge: a workbook held in memory between opening and saving, read and
// written by the workbook readers and writer; a document table written as RTF.
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/controls/Txutil.h"

#include <QDate>
#include <QTime>
#include <QFile>
#include <cmath>
#include <cstring>

namespace grid {

// --- values, sheets, column names --------------------------------------------------------

namespace {
constexpr double k2To53 = 9007199254740992.0; // whole numbers up to it are exact in a double
}

QString TOfficeValue::ToText(QChar DecimalSeparator) const
{
    switch (Kind) {
    case ovText: return Text;
    // Booleans come into the grid as integers, from .xls and .xlsx files alike.
    case ovBool: return Number != 0 ? QStringLiteral("1") : QStringLiteral("0");
    case ovNumber: {
        if (DateForm() != dfNone)
            return Text;
        // Whole numbers up to 2^53 with every digit, as the writers take them back.
        if (Number == std::trunc(Number) && std::fabs(Number) <= k2To53 && std::fabs(Number) >= 1e15)
            return QString::number(qint64(Number));
        QString s = QString::number(Number, 'g', 15);
        if (DecimalSeparator != QLatin1Char('.'))
            s.replace(QLatin1Char('.'), DecimalSeparator);
        return s;
    }
    default: return QString();
    }
}

namespace {

// The texts that are dates, by form: d a digit, any other character itself; where year,
// month, day, hours, minutes and seconds stand (-1: not there).
struct TDatePattern {
    const char* Pattern;
    TOfficeValue::TDateForm Form;
    int Year, Month, Day, Hour, Minute, Second;
};
constexpr TDatePattern kDatePatterns[] = {
    {"dddd-dd-dd", TOfficeValue::dfDate, 0, 5, 8, -1, -1, -1},
    {"dddd-dd-dd dd:dd:dd", TOfficeValue::dfDateTime, 0, 5, 8, 11, 14, 17},
    {"dd.dd.dddd", TOfficeValue::dfDayFirst, 6, 3, 0, -1, -1, -1},
    {"dd.dd.dddd dd:dd", TOfficeValue::dfDayFirstTime, 6, 3, 0, 11, 14, -1},
    {"dd.dd.dddd dd:dd:dd", TOfficeValue::dfDayFirstSeconds, 6, 3, 0, 11, 14, 17},
    {"dd:dd", TOfficeValue::dfTime, -1, -1, -1, 0, 3, -1},
    {"dd:dd:dd", TOfficeValue::dfTimeSeconds, -1, -1, -1, 0, 3, 6},
};

const TDatePattern* datePattern(const QString& Text)
{
    for (const TDatePattern& p : kDatePatterns) {
        if (Text.size() != qsizetype(std::strlen(p.Pattern)))
            continue;
        bool match = true;
        for (qsizetype i = 0; i < Text.size() && match; ++i) {
            const char16_t c = Text.at(i).unicode();
            match = p.Pattern[i] == 'd' ? c >= u'0' && c <= u'9' : c == char16_t(p.Pattern[i]);
        }
        if (match)
            return &p;
    }
    return nullptr;
}

// An elapsed time as the readers give a [h]:mm or [h]:mm:ss cell: 24 hours or more (fewer
// are a time of day), two digits of minutes and seconds below 60; its serial in Serial.
TOfficeValue::TDateForm elapsedForm(const QString& Text, double* Serial = nullptr)
{
    const qsizetype colon = Text.indexOf(QLatin1Char(':'));
    if (colon < 2 || colon > 7 || Text.at(0) == QLatin1Char('0'))
        return TOfficeValue::dfNone;
    const bool seconds = Text.size() == colon + 6;
    if (Text.size() != colon + 3 && !(seconds && Text.at(colon + 3) == QLatin1Char(':')))
        return TOfficeValue::dfNone;
    qint64 parts[3] = {0, 0, 0};
    for (qsizetype i = 0, k = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c == QLatin1Char(':'))
            ++k;
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            parts[k] = parts[k] * 10 + (c.unicode() - u'0');
        else
            return TOfficeValue::dfNone;
    }
    if (parts[0] < 24 || parts[1] > 59 || parts[2] > 59)
        return TOfficeValue::dfNone;
    if (Serial)
        *Serial = double(parts[0] * 3600 + parts[1] * 60 + parts[2]) / 86400.0;
    return seconds ? TOfficeValue::dfElapsedSeconds : TOfficeValue::dfElapsed;
}

// A date or time of one of the patterns, or an elapsed time, as a serial of the 1900 system;
// false for any other text, a day or time that does not exist and days before 1900-01-01.
// The 29 February 1900 that system counts is its serial 60, as spreadsheets show it.
bool dateSerial(const QString& Text, double& Serial)
{
    if (elapsedForm(Text, &Serial) != TOfficeValue::dfNone)
        return true;
    const TDatePattern* p = datePattern(Text);
    if (!p)
        return false;
    auto number = [&](int From, int Length) { return From < 0 ? 0 : QStringView(Text).mid(From, Length).toInt(); };
    qint64 days = 0;
    if (p->Year >= 0) {
        const QDate date(number(p->Year, 4), number(p->Month, 2), number(p->Day, 2));
        const bool leapDay = number(p->Year, 4) == 1900 && number(p->Month, 2) == 2 && number(p->Day, 2) == 29;
        if (!leapDay && (!date.isValid() || date.year() < 1900))
            return false;
        // The 1900 system counts a 29 February 1900 that never was: days before it are one less.
        days = leapDay                 ? 60
            : date < QDate(1900, 3, 1) ? QDate(1899, 12, 31).daysTo(date)
                                       : QDate(1899, 12, 30).daysTo(date);
    }
    int seconds = 0;
    if (p->Hour >= 0) {
        const QTime time(number(p->Hour, 2), number(p->Minute, 2), number(p->Second, 2));
        if (!time.isValid())
            return false;
        seconds = QTime(0, 0).secsTo(time);
    }
    Serial = double(days) + seconds / 86400.0;
    return true;
}

// Whether a thousand separator stands there: the regional one, and where that is a space of
// any kind, a plain space or a no-break space alike (as users type "1 234,50").
bool isThousand(QChar C, QChar Regional)
{
    auto space = [](QChar c) { return c == u' ' || c == u'\u00A0' || c == u'\u202F'; };
    return C == Regional || (space(Regional) && space(C));
}

// A grid text as a number a spreadsheet shows back as the same digits: a minus first, the
// regional decimal separator, thousand separators only between whole groups of three digits
// ("1 234,5", not "12.5" read as 125 where "." separates thousands), no leading zeros ("007",
// "00,5"), at most 15 significant digits, or a whole number up to 2^53 with every digit, and
// an exponent as the workbook readers give one ("1e-06", "-1,5e-07", "1e+300").
bool numberOfText(const QString& Text, const TRegional& R, double& Number)
{
    QString plain;
    int digits = 0, intDigits = 0, group = -1; // group: digits since the last thousand separator
    bool leadingZero = false, point = false, exponent = false;
    qsizetype i = 0;
    for (; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c == QLatin1Char('-')) {
            if (i != 0)
                return false;
            plain += c;
        } else if (c == R.DecimalSeparator) {
            if (intDigits == 0 || i + 1 == Text.size() || point || (group >= 0 && group != 3))
                return false;
            point = true;
            plain += QLatin1Char('.');
        } else if (isThousand(c, R.ThousandSeparator)) {
            if (point || intDigits == 0 || (intDigits > 3 && group < 0) || (group >= 0 && group != 3))
                return false;
            group = 0;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && intDigits > 0 && group < 0
                   && !plain.endsWith(QLatin1Char('.'))) {
            exponent = true;
            break;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (group >= 0 && !point)
                ++group;
            if (!point) {
                if (intDigits == 1 && leadingZero)
                    return false; // "007", "00,5"
                leadingZero = intDigits == 0 && c == QLatin1Char('0');
                ++intDigits;
            }
            if (digits > 0 || c != QLatin1Char('0'))
                ++digits;
            plain += c;
        } else {
            return false;
        }
    }
    if (intDigits == 0 || (!point && group >= 0 && group != 3))
        return false;
    if (exponent) { // "e", a sign and one to three digits
        const QStringView e = QStringView(Text).mid(i + 1);
        qsizetype k = e.startsWith(u'-') || e.startsWith(u'+') ? 1 : 0;
        const qsizetype expDigits = e.size() - k;
        if (expDigits < 1 || expDigits > 3)
            return false;
        for (; k < e.size(); ++k)
            if (e.at(k) < u'0' || e.at(k) > u'9')
                return false;
        plain += QLatin1Char('e') + e.toString();
    }
    bool ok = false;
    const double n = plain.toDouble(&ok);
    if (!ok || !std::isfinite(n))
        return false;
    const bool whole = !point && !exponent && std::fabs(n) <= k2To53;
    if (digits > 15 && !(whole && digits <= 16))
        return false;
    Number = n;
    return true;
}

} // namespace

TOfficeValue::TDateForm TOfficeValue::DateForm() const
{
    if (Kind != ovNumber || Text.isEmpty())
        return dfNone;
    if (const TDateForm elapsed = elapsedForm(Text); elapsed != dfNone)
        return elapsed;
    const TDatePattern* p = datePattern(Text);
    return p ? p->Form : dfNone;
}

const char* DateFormatCode(TOfficeValue::TDateForm Form)
{
    static const char* const kCodes[TOfficeValue::dfCount] = {"General",    "yyyy-mm-dd",       "yyyy-mm-dd hh:mm:ss",
                                                              "dd.mm.yyyy", "dd.mm.yyyy hh:mm", "dd.mm.yyyy hh:mm:ss",
                                                              "hh:mm",      "hh:mm:ss",         "[h]:mm",
                                                              "[h]:mm:ss"};
    return kCodes[Form < TOfficeValue::dfCount ? Form : TOfficeValue::dfNone];
}

TOfficeValue TOfficeValue::FromCellText(const QString& Text, const TRegional& R)
{
    TOfficeValue v;
    if (Text.isEmpty())
        return v;
    v.Kind = ovText;
    v.Text = Text;
    if (dateSerial(Text, v.Number)) {
        v.Kind = ovNumber;
        return v;
    }
    double number = 0;
    if (!numberOfText(Text, R, number))
        return v;
    v.Kind = ovNumber;
    v.Number = number;
    v.Text.clear();
    return v;
}

const TOfficeValue* TOfficeSheet::At(int Row, int Col) const
{
    const auto r = Rows.find(Row);
    if (r == Rows.end())
        return nullptr;
    const auto c = std::lower_bound(r->second.begin(), r->second.end(), Col,
                                    [](const TOfficeCell& a, int b) { return a.Col < b; });
    return c != r->second.end() && c->Col == Col ? &c->Value : nullptr;
}

void TOfficeSheet::Set(int Row, int Col, TOfficeValue Value)
{
    const bool empty = Value.Kind == TOfficeValue::ovEmpty;
    auto r = Rows.find(Row);
    if (r == Rows.end()) {
        if (empty)
            return;
        r = Rows.emplace(Row, std::vector<TOfficeCell>()).first;
    }
    std::vector<TOfficeCell>& cells = r->second;
    if (!empty && (cells.empty() || cells.back().Col < Col)) { // cells mostly come in order
        cells.push_back({Col, std::move(Value)});
        return;
    }
    const auto c =
        std::lower_bound(cells.begin(), cells.end(), Col, [](const TOfficeCell& a, int b) { return a.Col < b; });
    if (c != cells.end() && c->Col == Col) {
        if (empty)
            cells.erase(c);
        else
            c->Value = std::move(Value);
    } else if (!empty) {
        cells.insert(c, {Col, std::move(Value)});
    }
    if (cells.empty())
        Rows.erase(r);
}

std::size_t TOfficeSheet::CellCount() const
{
    std::size_t n = 0;
    for (const auto& [row, cells] : Rows)
        n += cells.size();
    return n;
}

QString TOfficeSheet::UsedRangeAddress() const
{
    int top = -1, bottom = -1, left = -1, right = -1;
    for (const auto& [r, cells] : Rows)
        for (const TOfficeCell& c : cells)
            if (c.Value.Kind != TOfficeValue::ovEmpty) {
                if (top < 0)
                    top = r;
                bottom = r;
                left = left < 0 ? c.Col : std::min(left, c.Col);
                right = std::max(right, c.Col);
            }
    if (Declared.Row2 >= Declared.Row1 && Declared.Col2 >= Declared.Col1) {
        const bool none = top < 0;
        top = none ? Declared.Row1 : std::min(top, Declared.Row1);
        bottom = std::max(bottom, Declared.Row2);
        left = none ? Declared.Col1 : std::min(left, Declared.Col1);
        right = std::max(right, Declared.Col2);
    }
    if (top < 0)
        return QStringLiteral("$A$1");
    auto cell = [](int c, int r) {
        return QLatin1Char('$') + ColumnLetters(c + 1) + QLatin1Char('$') + QString::number(r + 1);
    };
    if (top == bottom && left == right)
        return cell(left, top);
    return cell(left, top) + QLatin1Char(':') + cell(right, bottom);
}

QString ColumnLetters(int Col)
{
    QString s;
    for (int n = Col; n > 0; n = (n - 1) / 26)
        s.prepend(QChar(u'A' + (n - 1) % 26));
    return s;
}

int ColumnNumber(const QString& Letters)
{
    int n = 0;
    for (const QChar ch : Letters) {
        const char16_t u = QChar::toUpper(ch.unicode());
        if (u < u'A' || u > u'Z' || n > 1'000'000)
            return 0;
        n = n * 26 + (u - u'A' + 1);
    }
    return n;
}

// --- document table ------------------------------------------------------------------------

namespace {

void appendRtfText(QByteArray& Out, const QString& Text)
{
    for (const QChar ch : Text) {
        const char16_t u = ch.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            Out += '\\';
            Out += char(u);
        } else if (u == u'\n') {
            Out += "\\line ";
        } else if (u == u'\t') {
            Out += "\\tab ";
        } else if (u == u'\r') {
            continue;
        } else if (u < 0x80) {
            Out += char(u);
        } else {
            Out += "\\u" + QByteArray::number(int(qint16(u))) + '?';
        }
    }
}

} // namespace

QByteArray RtfTable(const std::vector<std::vector<QString>>& Cells, const std::vector<std::vector<int>>& Align)
{
    constexpr int kTableWidth = 9638; // twips: an A4 page less 2 cm margins
    QByteArray out = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n";
    for (std::size_t r = 0; r < Cells.size(); ++r) {
        const std::size_t cols = Cells[r].size();
        const int width = cols ? std::max(1, kTableWidth / int(cols)) : 1;
        out += "\\trowd\\trgaph108";
        for (std::size_t c = 1; c <= cols; ++c)
            out += "\\cellx" + QByteArray::number(width * int(c));
        out += '\n';
        for (std::size_t c = 0; c < cols; ++c) {
            const int a = r < Align.size() && c < Align[r].size() ? Align[r][c] : 0;
            out += a == 2 ? "\\pard\\intbl\\qr " : a == 1 ? "\\pard\\intbl\\qc " : "\\pard\\intbl ";
            appendRtfText(out, Cells[r][c]);
            out += "\\cell\n";
        }
        out += "\\row\n";
    }
    out += "}\n";
    return out;
}

// --- the bridge ----------------------------------------------------------------------------

namespace {

// "B2:D5" (or "B2") as 0-based corners.
bool parseRange(const QString& Range, int& C1, int& R1, int& C2, int& R2)
{
    auto corner = [](const QString& s, int& c, int& r) {
        qsizetype i = 0;
        while (i < s.size() && s.at(i).isLetter())
            ++i;
        bool ok = false;
        c = ColumnNumber(s.left(i)) - 1;
        r = s.mid(i).toInt(&ok) - 1;
        return ok && c >= 0 && r >= 0;
    };
    const QStringList parts = Range.split(QLatin1Char(':'));
    return corner(parts.first(), C1, R1) && corner(parts.last(), C2, R2) && C2 >= C1 && R2 >= R1;
}

class TNativeOfficeBridge : public TOfficeBridge {
public:
    bool WorkbooksOpen(const QString& FileName) override
    {
        if (!QFile::exists(FileName))
            return false;
        FBook = ReadWorkbook(FileName);
        FFileName = FileName;
        FSheet = FBook.ActiveSheet;
        FOpened = true;
        FWritten = {};
        return true;
    }
    void WorkbooksAdd() override
    {
        FBook = {};
        FSheet = -1;
        FOpened = false;
    }
    int SheetsCount() override { return int(FBook.Sheets.size()); }
    QString SheetName(int Index) override { return FBook.Sheets.at(std::size_t(Index - 1)).Name; }
    void SelectSheet(int Index) override { FSheet = Index - 1; }
    void SelectActiveSheet() override { FSheet = FBook.ActiveSheet; }
    void WorksheetsAdd(const QString& Name) override
    {
        TOfficeSheet s;
        s.Name = Name.isEmpty() ? QStringLiteral("Sheet%1").arg(FBook.Sheets.size() + 1) : Name;
        FBook.Sheets.push_back(std::move(s));
        FSheet = int(FBook.Sheets.size()) - 1;
    }
    QString UsedRangeAddress() override { return Sheet().UsedRangeAddress(); }
    std::vector<TOfficeRow> RangeValue(const QString& Range) override
    {
        int c1, r1, c2, r2;
        std::vector<TOfficeRow> out;
        if (!parseRange(Range, c1, r1, c2, r2))
            return out;
        if (qint64(r2 - r1 + 1) * (c2 - c1 + 1) > kGridMaxRangeCells)
            throw ETxGridError(RangeTooLargeMessage(Range));
        const TOfficeSheet& s = Sheet();
        out.resize(std::size_t(r2 - r1 + 1));
        for (auto r = s.Rows.lower_bound(r1); r != s.Rows.end() && r->first <= r2; ++r) {
            TOfficeRow& dst = out[std::size_t(r->first - r1)];
            for (const TOfficeCell& c : r->second)
                if (c.Col >= c1 && c.Col <= c2) {
                    if (dst.empty())
                        dst.resize(std::size_t(c2 - c1 + 1));
                    dst[std::size_t(c.Col - c1)] = c.Value;
                }
        }
        return out;
    }
    void SetRangeValue(const QString& Range, const std::vector<std::vector<QString>>& Values) override
    {
        int c1, r1, c2, r2;
        if (!parseRange(Range, c1, r1, c2, r2))
            return;
        TOfficeSheet& s = Sheet();
        // The format's limit, for a new book and a sheet saved into one alike, before
        // anything changes.
        for (int r = 0; r < int(Values.size()) && r1 + r <= r2; ++r)
            for (int c = 0; c < int(Values[std::size_t(r)].size()) && c1 + c <= c2; ++c)
                if (const qsizetype n = Values[std::size_t(r)][std::size_t(c)].size(); n > kWorkbookMaxCellText)
                    throw ETxGridError(CellTooLongMessage(s.Name, r1 + r, c1 + c, n));
        FWritten = {r1, c1, r2, c2};
        const TRegional regional = TRegional::Current();
        for (int r = 0; r < int(Values.size()) && r1 + r <= r2; ++r)
            for (int c = 0; c < int(Values[std::size_t(r)].size()) && c1 + c <= c2; ++c)
                s.Set(r1 + r, c1 + c, TOfficeValue::FromCellText(Values[std::size_t(r)][std::size_t(c)], regional));
    }
    // An opened workbook changes only in the sheet in hand; the rest of its file stays as it is.
    void WorkbookSave() override
    {
        if (FOpened)
            SaveSheetIntoPackage(FFileName, Sheet(), FWritten);
        else
            WriteXlsx(FFileName, Book());
    }
    void WorkbookSaveAs(const QString& FileName) override { WriteXlsx(FileName, Book()); }
    void WorkbookClose(bool) override { FBook = {}; }
    void Quit() override {}

    void DocumentsAdd() override
    {
        FCells.clear();
        FAlign.clear();
    }
    void TablesAdd(int Rows, int Cols) override
    {
        FCells.assign(std::size_t(std::max(Rows, 0)), std::vector<QString>(std::size_t(std::max(Cols, 0))));
        FAlign.assign(FCells.size(), std::vector<int>(std::size_t(std::max(Cols, 0))));
    }
    void CellInsertAfter(int Row, int Col, const QString& Text) override
    {
        FCells.at(std::size_t(Row - 1)).at(std::size_t(Col - 1)) += Text;
    }
    void CellAlignment(int Row, int Col, int Alignment) override
    {
        FAlign.at(std::size_t(Row - 1)).at(std::size_t(Col - 1)) = Alignment;
    }
    void DocumentSaveAs(const QString& FileName) override { TSaveFile::Write(FileName, RtfTable(FCells, FAlign)); }

private:
    TOfficeSheet& Sheet()
    {
        if (FSheet < 0 || FSheet >= int(FBook.Sheets.size()))
            throw ETxGridError(QStringLiteral("File contains no data or corrupt file ") + FFileName);
        return FBook.Sheets[std::size_t(FSheet)];
    }
    const TOfficeWorkbook& Book()
    {
        FBook.ActiveSheet = std::max(FSheet, 0);
        return FBook;
    }

    TOfficeWorkbook FBook;
    QString FFileName;
    int FSheet = -1;
    bool FOpened = false;  // FBook was read from FFileName
    TOfficeRange FWritten; // the block SetRangeValue set
    std::vector<std::vector<QString>> FCells;
    std::vector<std::vector<int>> FAlign;
};

} // namespace

std::unique_ptr<TOfficeBridge> NewNativeOfficeBridge() { return std::make_unique<TNativeOfficeBridge>(); }

} // namespace grid
