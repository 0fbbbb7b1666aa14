// TTxStringGrid: comparing two cells by the column's sort style, sorting the rows by one
// column, by the sort index list or within groups, the row cross-reference, and sorting by a
// click on a header cell.
//
// Every sort first puts the row numbers of its range in order (a merge sort over the rows as
// they stand, so the comparisons see unmoved rows and any comparison the handlers give ends
// in n log n steps) and then moves each row to its place with one SortSwapRows at most.
#include "grid/Txgrid.h"
#include "grid/TxgridFiles.h"
#include "grid/TxgridError.h"
#include "grid/TxgridStrings.h"
#include "grid/Txutil.h"
#include "platform/text/Cp1250.h"
#include "platform/ui/Application.h"

#include <QCollator>
#include <QElapsedTimer>
#include <QTime>
#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>
#include <optional>

namespace grid {

// What one sort reads once instead of at every comparison: the desktop's regional settings
// and the locale's collators.
struct TTxStringGrid::TSortContext {
    TRegional R = TRegional::Current();
    std::optional<QCollator> Case, NoCase;

    QCollator& Collator(bool CaseSensitive)
    {
        std::optional<QCollator>& c = CaseSensitive ? Case : NoCase;
        if (!c) {
            c.emplace(QLocale::system());
            c->setCaseSensitivity(CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
        }
        return *c;
    }
};

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

// Character by character, the shorter text first when one begins the other.
int ByteCompare(const QString& A, const QString& B)
{
    const qsizetype n = std::min(A.size(), B.size());
    for (qsizetype i = 0; i < n; ++i)
        if (A.at(i) != B.at(i))
            return ByteCode(A.at(i)) < ByteCode(B.at(i)) ? -1 : 1;
    return A.size() < B.size() ? -1 : (A.size() > B.size() ? 1 : 0);
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
bool NumericValue(const QString& Text, const QString& Prefix, const QString& Suffix, bool Financial,
                  const TRegional& R, double& V)
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

using UpdateLock = files::TUpdateGuard;

} // namespace

// --- comparing ---------------------------------------------------------------------------

int TTxStringGrid::Compare(int ACol, int ARow1, int ARow2)
{
    return CompareDir(ACol, ARow1, ARow2, FSortSettings.Direction == sdDescending);
}

int TTxStringGrid::CompareDir(int ACol, int ARow1, int ARow2, bool Descending)
{
    std::optional<TSortContext> own;
    TSortContext& ctx = FSortContext ? *FSortContext : own.emplace();
    ++FCompareCount;
    TSortStyle style = FSortSettings.AutoFormat ? ssAutomatic : ssAlphabetic;
    QString prefix, suffix;
    GetColFormat(ACol, style, prefix, suffix);
    // The texts GetCellEx gives, read in place when no handler changes them: a sort reads
    // cells all over the store, and a copy of each would write to every text it touches.
    QString own1, own2;
    const QString& s1 = SortCellRef(ACol, ARow1, own1);
    const QString& s2 = SortCellRef(ACol, ARow2, own2);
    if (style == ssAutomatic)
        style = AutomaticStyle(s1, ctx.R);
    int res = 1;
    switch (style) {
    case ssAutomatic:
    case ssAlphabetic:
    case ssAlphaCase: res = ByteCompare(s1, s2); break;
    case ssAlphaNoCase: res = ByteCompare(UpperAZ(s1), UpperAZ(s2)); break;
    case ssAnsiAlphaCase: res = Sign(ctx.Collator(true).compare(s1, s2)); break;
    case ssAnsiAlphaNoCase: res = Sign(ctx.Collator(false).compare(s1, s2)); break;
    case ssNumeric:
    case ssFinancial: {
        double v1 = 0, v2 = 0;
        const bool fin = style == ssFinancial;
        const bool ok1 = NumericValue(s1, prefix, suffix, fin, ctx.R, v1);
        const bool ok2 = NumericValue(s2, prefix, suffix, fin, ctx.R, v2);
        res = ok1 && ok2 ? Sign(v1 - v2) : 0;
        break;
    }
    case ssDate: res = Sign(DateTimeValue(s1, ctx.R) - DateTimeValue(s2, ctx.R)); break;
    case ssShortDateEU:
        res = Sign(ShortDateValue(StrToShortDateEU, s1) - ShortDateValue(StrToShortDateEU, s2));
        break;
    case ssShortDateUS:
        res = Sign(ShortDateValue(StrToShortdateUS, s1) - ShortDateValue(StrToShortdateUS, s2));
        break;
    case ssCustom:
        res = 0;
        if (OnCustomCompare)
            OnCustomCompare(*this, s1, s2, res);
        res = Sign(res); // a handler may answer with any magnitude
        break;
    case ssRaw:
        res = 0;
        if (OnRawCompare)
            OnRawCompare(*this, ACol, ARow1, ARow2, res);
        res = Sign(res);
        break;
    case ssHTML: res = ByteCompare(StripTags(s1), StripTags(s2)); break;
    case ssImages: res = Sign(double(GetCellImageIdx(ACol, ARow1)) - GetCellImageIdx(ACol, ARow2)); break;
    }
    // Empty cells go to the chosen end of the displayed order, whichever the direction.
    if (FSortSettings.IgnoreBlanks && s1.isEmpty() != s2.isEmpty()) {
        const int after = FSortSettings.BlankPos == blLast ? 1 : -1;
        res = s1.isEmpty() ? after : -after;
        if (Descending)
            res = -res;
    }
    return res;
}

const QString& TTxStringGrid::SortCellRef(int ACol, int ARow, QString& Buffer)
{
    const TPoint b = BaseCell(ACol, ARow);
    if (OnGetDisplText && b.y() < DisplTextRowLimit()) {
        Buffer = GetCellEx(ACol, ARow);
        return Buffer;
    }
    return core().cellRef(b.x(), b.y());
}

int TTxStringGrid::SortColLimit() const { return colCount() + (FSortWithHidden ? NumHiddenColumns() : 0); }

int TTxStringGrid::CompareLine(int ACol, int ARow1, int ARow2)
{
    const int last = SortColLimit() - 1;
    for (int c = ACol;; ++c) {
        const int res = Compare(c, ARow1, ARow2);
        if (res != 0 || !FSortSettings.Full || c >= last)
            return res;
    }
}

int TTxStringGrid::CompareLineIndexed(int Idx, int ARow1, int ARow2)
{
    for (int i = std::max(Idx, 0); i < FSortIndexes.Count(); ++i) {
        const int entry = FSortIndexes.GetInteger(i);
        const bool desc = TSortIndexList::Descending(entry);
        // The entry's own direction also places the empty cells.
        const int res = CompareDir(TSortIndexList::Column(entry), ARow1, ARow2, desc);
        if (res != 0 || !FSortSettings.Full)
            return desc ? -res : res;
    }
    return 0;
}

bool TTxStringGrid::SortLine(int ACol, int ARow1, int ARow2)
{
    const int last = colCount() + NumHiddenColumns() - 1;
    for (int c = ACol;; ++c) {
        const int res = Compare(c, ARow1, ARow2);
        if (res == FSortFactor) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (res != 0 || c >= last)
            return false;
    }
}

int TTxStringGrid::GetCellImageIdx(int ACol, int ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && (g->CellType == ctImageList || g->CellType == ctDataImage || g->CellType == ctImages))
        return g->Value;
    return -1;
}

// --- ordering and moving rows ------------------------------------------------------------

// Out(A, B): row A must come after row B. Equal rows keep their order.
template <class OutOfOrder>
void TTxStringGrid::SortRowRange(int Lo, int Hi, OutOfOrder Out)
{
    Lo = std::max(Lo, 0);
    Hi = std::min(Hi, rowCount() - 1);
    if (Hi <= Lo)
        return;
    std::optional<TSortContext> own;
    TSortContext* const outer = FSortContext;
    if (!outer)
        FSortContext = &own.emplace();
    struct Reset {
        TSortContext*& Ptr;
        TSortContext* Value;
        ~Reset() { Ptr = Value; }
    } reset{FSortContext, outer};

    const int n = Hi - Lo + 1;
    std::vector<int> a(std::size_t(n), 0), b(std::size_t(n), 0);
    std::iota(a.begin(), a.end(), Lo);
    // Runs merged pairwise, from single rows up; a pair already in order costs one comparison.
    for (int w = 1; w < n; w *= 2) {
        for (int s = 0; s < n; s += 2 * w) {
            const int m = std::min(s + w, n), e = std::min(s + 2 * w, n);
            if (m >= e || !Out(a[std::size_t(m - 1)], a[std::size_t(m)])) {
                std::copy(a.begin() + s, a.begin() + e, b.begin() + s);
                continue;
            }
            int i = s, j = m, k = s;
            while (i < m && j < e)
                b[std::size_t(k++)] = Out(a[std::size_t(i)], a[std::size_t(j)]) ? a[std::size_t(j++)] : a[std::size_t(i++)];
            while (i < m)
                b[std::size_t(k++)] = a[std::size_t(i++)];
            while (j < e)
                b[std::size_t(k++)] = a[std::size_t(j++)];
        }
        a.swap(b);
    }
    ApplyRowOrder(Lo, a);
}

// Order[k] is the row that goes to Lo + k; each swap puts one row at its place for good.
void TTxStringGrid::ApplyRowOrder(int Lo, const std::vector<int>& Order)
{
    const int n = int(Order.size());
    std::vector<int> at(std::size_t(n), 0), where(std::size_t(n), 0); // relative to Lo
    std::iota(at.begin(), at.end(), 0);
    std::iota(where.begin(), where.end(), 0);
    for (int i = 0; i < n; ++i) {
        const int want = Order[std::size_t(i)] - Lo;
        const int src = where[std::size_t(want)];
        if (src == i)
            continue;
        SortSwapRows(Lo + i, Lo + src);
        const int displaced = at[std::size_t(i)];
        at[std::size_t(i)] = want;
        at[std::size_t(src)] = displaced;
        where[std::size_t(want)] = i;
        where[std::size_t(displaced)] = src;
    }
}

void TTxStringGrid::QuickSortRows(int ACol, int Lo, int Hi)
{
    FSortFactor = FSortSettings.Direction == sdDescending ? -1 : 1;
    const int f = FSortFactor;
    SortRowRange(Lo, Hi, [this, ACol, f](int A, int B) { return CompareLine(ACol, A, B) == f; });
}

void TTxStringGrid::QuickSortRowsIndexed(int Idx, int Lo, int Hi)
{
    FSortFactor = FSortSettings.Direction == sdDescending ? -1 : 1;
    SortRowRange(Lo, Hi, [this, Idx](int A, int B) { return CompareLineIndexed(Idx, A, B) == 1; });
}

// --- the sorts ---------------------------------------------------------------------------

void TTxStringGrid::SortByColumn(int ACol)
{
    if (rowCount() < 2)
        return;
    FSortFactor = FSortSettings.Direction == sdDescending ? -1 : 1;
    const int f = FSortFactor;
    UpdateLock lock(*this);
    SortRowRange(FixedRows(), rowCount() - FixedFooters() - 1,
                 [this, ACol, f](int A, int B) { return Compare(ACol, A, B) == f; });
}

void TTxStringGrid::QuickSort(int ACol, int Lo, int Hi)
{
    const bool outer = FSortWithHidden;
    FSortWithHidden = true;
    struct Reset {
        bool& Flag;
        bool Value;
        ~Reset() { Flag = Value; }
    } reset{FSortWithHidden, outer};
    QuickSortRows(ACol, Lo, Hi);
}

void TTxStringGrid::QuickSortIndexed(int Lo, int Hi)
{
    if (FSortIndexes.Count() == 0)
        throw ETxGridError(QStringLiteral("No indexes specified for indexed sort"));
    const bool outer = FSortWithHidden;
    FSortWithHidden = true;
    struct Reset {
        bool& Flag;
        bool Value;
        ~Reset() { Flag = Value; }
    } reset{FSortWithHidden, outer};
    QuickSortRowsIndexed(0, Lo, Hi);
}

// The frame of the full sorts: one update, hidden columns in the tie-breaks, the current
// row's data tracked, column 0 kept with NormalCellsOnly. Whatever Run throws, column 0, the
// flags and the update lock are restored.
template <class Body>
void TTxStringGrid::FullSort(bool KeepCol0, bool FollowRow, Body Run)
{
    const bool keep0 = KeepCol0 && FSortSettings.NormalCellsOnly && fixedCols() > 0;
    std::vector<QString> col0;
    if (keep0) {
        col0.reserve(std::size_t(rowCount()));
        for (int r = 0; r < rowCount(); ++r)
            col0.push_back(cells(0, r));
    }
    std::optional<TSortContext> own;
    TSortContext* const outer = FSortContext;
    if (!outer)
        FSortContext = &own.emplace();
    BeginUpdate();
    struct Restore {
        TTxStringGrid& G;
        const std::vector<QString>& Col0;
        TSortContext* Outer;
        ~Restore()
        {
            G.FSortWithHidden = false;
            G.FSortCurrentRow = -1;
            for (int r = 0; r < int(Col0.size()) && r < G.rowCount(); ++r)
                G.core().setCell(0, r, Col0[std::size_t(r)]);
            G.FSortContext = Outer;
            G.EndUpdate();
        }
    } restore{*this, col0, outer};
    SetDisplTextRowLimit(rowCount());
    FSortWithHidden = true;
    FSortCurrentRow = row();
    Run();
    if (FollowRow && FSortCurrentRow >= 0 && FSortCurrentRow != row())
        moveCurrentRaw(col(), FSortCurrentRow);
}

void TTxStringGrid::QSort()
{
    FSortIndexes.Clear();
    FullSort(true, FNavigation.MoveRowOnSort,
             [this] { QuickSortRows(FSortSettings.Column, FixedRows(), rowCount() - FixedFooters() - 1); });
}

void TTxStringGrid::QSortIndexed()
{
    if (FSortIndexes.Count() == 0)
        throw ETxGridError(QStringLiteral("No indexes specified for indexed sort"));
    FullSort(false, FNavigation.MoveRowOnSort,
             [this] { QuickSortRowsIndexed(0, FixedRows(), rowCount() - FixedFooters() - 1); });
}

void TTxStringGrid::QSortGroup()
{
    FullSort(true, true, [this] {
        const int last = rowCount() - FixedFooters() - 1;
        std::vector<int> nodes;
        for (int r = FixedRows(); r <= last; ++r)
            if (IsNode(r))
                nodes.push_back(r);
        // A group runs from below its node row to the row before the next one; the rows
        // above the first node row and the node rows themselves stay.
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            const int first = nodes[k] + 1;
            const int end = k + 1 < nodes.size() ? nodes[k + 1] - 1 : last;
            if (end > first)
                QuickSortRows(FSortSettings.Column, first, end);
        }
    });
}

// --- the row cross-reference -------------------------------------------------------------

void TTxStringGrid::InitSortXRef()
{
    FCrossReference.Clear();
    for (int r = 0; r < rowCount(); ++r)
        FCrossReference.Add(r);
}

int TTxStringGrid::SortedRowIndex(int ARow) const
{
    return ARow >= 0 && ARow < FCrossReference.Count() ? FCrossReference.GetInteger(ARow) : ARow;
}

int TTxStringGrid::UnSortedRowIndex(int ARow) const
{
    if (FCrossReference.Count() == 0)
        return ARow;
    for (int p = 0; p < FCrossReference.Count(); ++p)
        if (FCrossReference.GetInteger(p) == ARow)
            return p;
    return FCrossReference.Count();
}

// --- header clicks -----------------------------------------------------------------------

void TTxStringGrid::UndoColumnMerge()
{
    for (int i = 0; i < FMergedColumns.Count(); ++i)
        SplitColumnCells(FMergedColumns.GetInteger(i));
}

void TTxStringGrid::ApplyColumnMerge() { MergedColumnsChanged(); }

bool TTxStringGrid::CanClickSort(int ACol, int ARow, int PressRow, QPoint Pos)
{
    const int sortRow = FSortSettings.Row();
    if (ARow != sortRow || PressRow != sortRow || fixedRows() < 1 || !FSortSettings.Show || rowCount() <= 2)
        return false;
    if (ACol < fixedCols() && !FSortSettings.FixedCols)
        return false;
    const TRect r = platformCellRect(ACol, ARow);
    // Near a side edge of a header cell the press sizes the column.
    if ((options() & ui::goColSizing) && ARow == 0 && (Pos.x() - r.Left < 4 || r.Right - Pos.x() < 4))
        return false;
    const int real = RemapCol(ACol);
    if (GetFilter(real) && Pos.x() >= r.Right - 16) // the filter button
        return false;
    bool doSort = true;
    if (OnCanSort)
        OnCanSort(*this, real, doSort);
    return doSort;
}

void TTxStringGrid::ClickSort(int ACol, bool Shift)
{
    QElapsedTimer timer;
    timer.start();
    hideEditor();
    if (FSortSettings.AutoColumnMerge)
        UndoColumnMerge();
    if (FSortSettings.IndexShow) {
        if (Shift) {
            if (FSortIndexes.FindIndex(ACol) < 0)
                FSortIndexes.AddIndex(ACol, true);
            else
                FSortIndexes.ToggleIndex(ACol);
        } else if (FSortIndexes.Count() == 1 && FSortIndexes.FindIndex(ACol) == 0) {
            FSortIndexes.ToggleIndex(ACol);
        } else {
            FSortIndexes.Clear();
            FSortIndexes.AddIndex(ACol, true);
        }
        QSortIndexed();
    } else {
        if (ACol == FSortSettings.Column) {
            FSortSettings.Direction = FSortSettings.Direction == sdAscending ? sdDescending : sdAscending;
        } else {
            FSortSettings.Direction = sdAscending;
            FSortSettings.Column = ACol;
        }
        if (HasNodes())
            QSortGroup();
        else
            QSort();
    }
    FSortTime = timer.elapsed();
    if (FSortSettings.AutoColumnMerge)
        ApplyColumnMerge();
    if (OnClickSort)
        OnClickSort(*this, FSortSettings.Column);
}

} // namespace grid
