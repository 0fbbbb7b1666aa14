#include "grid/print/TxgridPrintLayout.h"

#include <QDateTime>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

int WidthOf(const TPrintLayoutInput& In, int ACol)
{
    return ACol >= 0 && ACol < int(In.Widths.size()) ? In.Widths[size_t(ACol)] : 0;
}

TPrintBand MakeBand(const TPrintLayoutInput& In, int First)
{
    TPrintBand b;
    b.FirstCol = First;
    const int sp = In.ColumnSpacing;
    b.RepeatCols = First != In.FirstCol && In.FixedCols > 0 && In.RepeatFixedCols;
    if (b.RepeatCols)
        for (int i = 0; i < In.FixedCols; ++i)
            b.RepeatWidth += WidthOf(In, i) + sp;

    const int limit = In.PageWidth - In.RightSize;
    int used = b.RepeatWidth;
    int c = First;
    while (used <= limit && c <= In.LastCol) {
        used += WidthOf(In, c) + sp;
        if (used <= limit)
            ++c;
    }
    int last = In.LastCol;
    if (c <= In.LastCol) { // stopped on a column that does not fit
        used -= WidthOf(In, c) + sp;
        last = c - 1;
    }
    if (last < First) { // a column wider than the page still forms a band, at full width
        last = First;
        used += WidthOf(In, First) + sp;
    }
    b.LastCol = std::min(last, In.LastCol);
    b.UsedWidth = used;

    // Offsets: indexes 0 .. LastCol + 1 (the fixed columns share the table when repeated).
    b.Offsets.assign(size_t(std::max(b.LastCol, In.FixedCols) + 2), 0);
    const int base = In.Centered ? 0 : In.LeftSize;
    b.Offsets[size_t(First)] = base;
    b.Offsets[0] = base;
    for (int col = First; col <= b.LastCol; ++col)
        b.Offsets[size_t(col + 1)] = b.Offsets[size_t(col)] + WidthOf(In, col) + sp;
    if (b.RepeatCols)
        for (int i = 1; i <= In.FixedCols; ++i)
            b.Offsets[size_t(i)] = b.Offsets[size_t(i - 1)] + WidthOf(In, i - 1) + sp;
    if (In.Centered && used < In.PageWidth) {
        const int shift = (In.PageWidth - used) / 2;
        for (int col = First; col <= b.LastCol + 1; ++col)
            b.Offsets[size_t(col)] += shift;
        if (b.RepeatCols)
            for (int i = 0; i <= In.FixedCols && i < First; ++i)
                b.Offsets[size_t(i)] += shift;
    }
    for (int col = First; col <= b.LastCol + 1; ++col)
        b.Offsets[size_t(col)] += b.RepeatWidth;
    return b;
}

} // namespace

TPrintLayout LayoutPrintPages(const TPrintLayoutInput& In)
{
    TPrintLayout L;
    // A cache of the last row asked: the look-ahead and the print that follows ask twice.
    int cachedRow = -1, cachedPitch = 0;
    auto pitch = [&](int r) {
        if (r != cachedRow) {
            cachedRow = r;
            cachedPitch = In.RowPitch ? In.RowPitch(r) : 0;
        }
        return cachedPitch;
    };

    int first = In.FirstCol;
    int bandNumber = 0;
    int lastBreak = -1;
    while (first <= In.LastCol) {
        ++bandNumber;
        int pageInBand = 0;
        L.Bands.push_back(MakeBand(In, first));
        const TPrintBand& band = L.Bands.back();
        const int bandIndex = int(L.Bands.size()) - 1;
        if (band.LastCol < In.LastCol)
            L.MoreBands = true;

        auto newPage = [&] {
            TPrintPage p;
            p.Band = bandIndex;
            p.BandNumber = bandNumber;
            p.PageInBand = pageInBand;
            L.Pages.push_back(p);
        };
        newPage();
        int rowsOnPage = 0;
        int row = In.FirstRow;
        int y = 0;
        while (row <= In.LastRow) {
            TPrintPage& page = L.Pages.back();
            if (rowsOnPage == 0)
                y = -In.HeaderHeight - In.TitleSpacing;
            if (rowsOnPage == 0 && row > 0 && In.RepeatFixedRows && In.FixedRows > 0
                && (L.Pages.size() > 1 || In.FirstRow >= In.FixedRows)) {
                for (int r = 0; r < In.FixedRows; ++r) {
                    const int h = pitch(r);
                    page.Rows.push_back({r, y, h, true});
                    y -= h;
                }
                ++rowsOnPage;
            }
            const int h = pitch(row);
            page.Rows.push_back({row, y, h, false});
            y -= h;
            ++row;
            ++rowsOnPage;
            page.EndY = y;

            const bool forced = In.NewPage && In.NewPage(row);
            const bool remain = row <= In.LastRow;
            // The next row must fit above the footer; its full printed height counts.
            const int next = remain ? pitch(row) : 0;
            const bool full = y - next < In.PageBottom + In.FooterHeight;
            if ((full && remain) || forced) {
                page.Framed = true;
                rowsOnPage = 0;
                lastBreak = row;
                ++pageInBand;
                newPage();
            }
        }
        if (lastBreak != row)
            L.Pages.back().Framed = true;
        first = band.LastCol + 1;
    }
    return L;
}

double PrintFitFactor(TFitToPage Mode, int Total, int Spacing, int PageWidth, int LeftSize, int RightSize,
                      const std::function<void(double&, bool&)>& Custom)
{
    if (Mode == fpNever)
        return 1.0;
    double f = 1.0;
    if (Total != Spacing)
        f = double(PageWidth - RightSize - LeftSize - Spacing) / double(Total - Spacing);
    if (Mode == fpShrink && f > 1.0)
        f = 1.0;
    if (Mode == fpGrow && f < 1.0)
        f = 1.0;
    // A page too narrow for even the spacings would give a negative width: print at natural size.
    if (f <= 0.0)
        f = 1.0;
    if (Mode == fpCustom && f != 1.0) {
        bool allow = true;
        if (Custom)
            Custom(f, allow);
        if (!allow)
            f = 1.0;
    }
    return f;
}

QString PrintPageNumber(const TPrintLayout& Layout, int PageIndex, int TotalPages, const QString& PageNumSep)
{
    if (Layout.MoreBands && PageIndex >= 0 && PageIndex < Layout.PageCount()) {
        const TPrintPage& p = Layout.Pages[size_t(PageIndex)];
        return QString::number(p.PageInBand + 1) + u'-' + QString::number(p.BandNumber);
    }
    if (!PageNumSep.isEmpty() && TotalPages > 1)
        return QString::number(PageIndex + 1) + PageNumSep + QString::number(TotalPages);
    return QString::number(PageIndex + 1);
}

std::array<QString, 7> PrintPositionTexts(const TPrintSettings& S, const TPrintHeaderItems& Items)
{
    std::array<QString, 7> t;
    auto add = [&](TPrintPosition pos, const QString& item) {
        if (pos == ppNone || item.isNull())
            return;
        QString& s = t[size_t(pos)];
        if (pos == ppTopLeft || pos == ppBottomLeft)
            s = item + u' ' + s;
        else
            s = s + u' ' + item;
    };
    add(S.Time, Items.Time);
    add(S.Date, Items.Date);
    add(S.PageNr, Items.Page);
    if (!Items.Title.isEmpty())
        add(S.Title, Items.Title);
    return t;
}

namespace {
bool IsTop(TPrintPosition p) { return p >= ppTopLeft && p <= ppTopCenter; }
bool IsBottom(TPrintPosition p) { return p >= ppBottomLeft && p <= ppBottomCenter; }
} // namespace

int PrintHeaderHeight(const TPrintSettings& S, int LineGap, int HeaderTextHeight)
{
    if (!(IsTop(S.Time) || IsTop(S.Date) || IsTop(S.PageNr) || IsTop(S.Title)))
        return S.HeaderSize;
    int h = LineGap + HeaderTextHeight + S.HeaderSize;
    if (!S.TitleLines.isEmpty() && IsTop(S.Title))
        h += int(S.TitleLines.size() - 1) * HeaderTextHeight;
    return h;
}

int PrintFooterHeight(const TPrintSettings& S, int LineGap, int FooterTextHeight)
{
    if (!(IsBottom(S.Time) || IsBottom(S.Date) || IsBottom(S.PageNr) || IsBottom(S.Title)))
        return LineGap + FooterTextHeight + S.FooterSize;
    int h = 2 * (LineGap + FooterTextHeight) + S.FooterSize;
    if (!S.TitleLines.isEmpty() && IsBottom(S.Title))
        h += int(S.TitleLines.size() - 1) * FooterTextHeight;
    return h;
}

QPoint RotatedTextPos(int Angle, int W, int H, int L, int T, int R, int B, int HAlign, int VAlign)
{
    int a = Angle % 360;
    if (a < 0)
        a += 360;
    const double rad = a * M_PI / 180.0;
    const double cs = std::abs(std::cos(rad)), sn = std::abs(std::sin(rad));
    const int c = int(cs * H), e = int(sn * W), f = int(sn * H), g = int(cs * W);
    int x = 0, y = 0;
    auto pick = [](int align, int first, int second, int centre) {
        return align == 0 ? first : align == 1 ? second : centre;
    };
    if (a <= 90) {
        x = pick(HAlign, L, R - g - f, L + (R - L - f - g) / 2);
        y = pick(VAlign, T + e, B - c, T + e + (B - T - c - e) / 2);
    } else if (a <= 180) {
        x = pick(HAlign, L + g, R - f, R - (R + f - L - g) / 2);
        y = pick(VAlign, T + c + e, B, T + c + e + (B - T - c - e) / 2);
    } else if (a <= 270) {
        x = pick(HAlign, L + f + g, R, R - (R - L - f - g) / 2);
        y = pick(VAlign, T + c, B - e, T + c + (B - T - c - e) / 2);
    } else {
        x = pick(HAlign, L + f, R - g, L + (R + f - L - g) / 2);
        y = pick(VAlign, T, B - c - e, T + (B - T - c - e) / 2);
    }
    return {x, y};
}

QSize RotatedTextBox(int Angle, int W, int H)
{
    const double rad = Angle * M_PI / 180.0;
    const double cs = std::abs(std::cos(rad)), sn = std::abs(std::sin(rad));
    return {int(std::lround(cs * W + sn * H)), int(std::lround(sn * W + cs * H))};
}

QString PrintFormatDateTime(const QString& Format, const QDateTime& When)
{
    // The settings' letters: m is the month, n the minutes. Qt's: M the month, m the minutes.
    QString q;
    for (const QChar ch : Format) {
        switch (ch.toLower().unicode()) {
        case 'm': q += u'M'; break;
        case 'n': q += u'm'; break;
        case 'd': q += u'd'; break;
        case 'y': q += u'y'; break;
        case 'h': q += u'h'; break;
        case 's': q += u's'; break;
        default:
            if (ch.isLetter())
                q += u'\'' + QString(ch) + u'\'';
            else
                q += ch;
        }
    }
    return When.toString(q);
}

} // namespace grid
