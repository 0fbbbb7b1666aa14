// TGridFinder: finding cells by their text, and the typing-to-find navigation on the key
// column, through sorting's host.
#include "grid/sort/TxgridFind.h"
#include "grid/sort/TxgridSortHost.h"
#include "grid/text/TxgridStrings.h"
#include "grid/controls/Txutil.h"

#include <QLocale>
#include <algorithm>
#include <array>
#include <vector>

namespace grid {

namespace {
QString Upper(const QString& S) { return QLocale::system().toUpper(S); }

// Text found in S: anywhere, at its start (fnMatchStart) or as all of it (fnMatchFull), with
// or without case. An empty text stands nowhere in a cell, so it matches nothing.
bool MatchPlain(const QString& S, const QString& Text, TFindParams P)
{
    // Case folding keeps lengths, so a shorter cell holds the text in no form.
    if (Text.isEmpty() || S.size() < Text.size())
        return false;
    const Qt::CaseSensitivity cs = (P & fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (P & fnMatchFull)
        return S.compare(Text, cs) == 0;
    if (P & fnMatchStart)
        return S.startsWith(Text, cs);
    return S.contains(Text, cs);
}
// The cells a search walks: columns c0..c1 by rows r0..r1, forward (step 1) or backward
// (step -1), row by row or column by column.
struct TWalk {
    int c0, c1, r0, r1, step;
    bool byRow;
};

// The first cell from (cs, rs) on in the walk's order that passes Test(col, row, rowData);
// (-1, -1) when none. The rows are read a block at a time and each block is tried for every
// column still in question before the next: a column by column walk then reads the store
// once instead of once per column. A hit ends the columns after it; the ones before it go on
// in the next blocks, as a hit there comes first in the walk.
template <class Test>
TPoint ScanPlain(const ui::StringGridCore& Store, const TWalk& W, int cs, int rs, Test Match)
{
    constexpr int kBlock = 256;
    const int step = W.step;
    const int cEnd = step > 0 ? W.c1 : W.c0;
    const int rEnd = step > 0 ? W.r1 : W.r0;
    // The first row read: by columns, the start's column may be the only one left.
    const int rFirst = W.byRow || cs == cEnd ? rs : (step > 0 ? W.r0 : W.r1);
    auto before = [step](int a, int b) { return step > 0 ? a < b : a > b; };
    std::array<const ui::StringGridCore::RowData*, kBlock> rows{};
    TPoint best(-1, -1);
    int cLast = cEnd; // the last column still in question
    for (int b = rFirst; !before(rEnd, b) && !before(cLast, cs); b += step * kBlock) {
        const int e = step > 0 ? std::min(b + kBlock - 1, rEnd) : std::max(b - kBlock + 1, rEnd);
        const int lo = std::min(b, e);
        int got = 0; // rows past the grid are not handed out
        Store.forRows(lo, std::max(b, e) + 1,
                      [&](int, const ui::StringGridCore::RowData& d) { rows[std::size_t(got++)] = &d; });
        auto row = [&](int r) -> const ui::StringGridCore::RowData& {
            return r - lo < got ? *rows[std::size_t(r - lo)] : ui::StringGridCore::emptyRow();
        };
        if (W.byRow) {
            for (int r = b; !before(e, r); r += step)
                for (int c = r == rs ? cs : (step > 0 ? W.c0 : W.c1); !before(cEnd, c); c += step)
                    if (Match(c, r, row(r)))
                        return TPoint(c, r);
            continue;
        }
        for (int r = b; !before(e, r) && !before(cLast, cs); r += step) {
            const auto& d = row(r);
            for (int c = before(r, rs) ? cs + step : cs; !before(cLast, c); c += step)
                if (Match(c, r, d)) {
                    best = TPoint(c, r);
                    cLast = c - step;
                    break;
                }
        }
    }
    return best;
}

} // namespace

TPoint TGridFinder::FindFirst(const QString& AText, TFindParams Params)
{
    FPos = Find(TPoint(-1, -1), AText, Params);
    return FPos;
}

TPoint TGridFinder::FindNext()
{
    FPos = Find(FPos, FText, FParams);
    return FPos;
}

bool TGridFinder::MatchCell(int ACol, int ARow)
{
    const TFindParams P = FParams;
    const bool caseSensitive = (P & fnMatchCase) != 0;
    if (P & (fnIgnoreHTMLTags | fnMatchRegular)) {
        QString S = G.GetCellEx(G.RemapCol(ACol), ARow);
        if (!caseSensitive)
            S = Upper(S);
        if (P & fnIgnoreHTMLTags)
            S = StripTags(S);
        if (P & fnMatchRegular)
            return MatchStrEx(FText, S, caseSensitive);
        return MatchPlain(S, FText, P);
    }
    QString own; // the text GetCellEx gives, read in place when no handler changes it
    return MatchPlain(G.SortCellRef(G.RemapCol(ACol), ARow, own), FText, P);
}

TPoint TGridFinder::Find(TPoint Start, const QString& AText, TFindParams Params)
{
    TPoint Res(-1, -1);
    FParams = Params;
    FText = (Params & fnMatchCase) ? AText : Upper(AText);
    if (G.ColCount() <= G.FixedCols() || G.RowCount() <= G.FixedRows())
        return Res;

    int c0, c1, r0, r1;
    if (Params & fnIncludeFixed) {
        c0 = 0, c1 = G.ColCount() - 1, r0 = 0, r1 = G.RowCount() - 1;
    } else {
        c0 = G.FixedCols(), c1 = G.ColCount() - G.FixedRightCols() - 1;
        r0 = G.FixedRows(), r1 = G.RowCount() - G.FixedFooters() - 1;
    }
    const bool fromTop = Start.x() == -1 && Start.y() == -1;
    if (Params & fnFindInCurrentRow) {
        r0 = r1 = G.row();
        Start.setY(G.row());
    }
    if (Params & fnFindInCurrentCol) {
        c0 = c1 = G.col();
        Start.setX(G.col());
    }
    if (c0 > c1 || r0 > r1)
        return Res;

    // The walk as one sequence: column by column (rows within), or row by row.
    const bool byRow = Params & fnDirectionLeftRight;
    const int nc = c1 - c0 + 1, nr = r1 - r0 + 1;
    const long long count = (long long)nc * nr;
    auto inRange = [&](int c, int r) { return c >= c0 && c <= c1 && r >= r0 && r <= r1; };
    auto index = [&](int c, int r) {
        return byRow ? (long long)(r - r0) * nc + (c - c0) : (long long)(c - c0) * nr + (r - r0);
    };
    const int step = (Params & fnBackward) ? -1 : 1;
    const long long first = step > 0 ? 0 : count - 1;
    long long k = first;
    if (!fromTop) {
        const int sc = Start.x() + (byRow ? step : 0), sr = Start.y() + (byRow ? 0 : step);
        if (inRange(Start.x(), Start.y()))
            k = index(Start.x(), Start.y()) + step;
        else if (inRange(sc, sr))
            k = index(sc, sr);
        // Otherwise the start lies outside the range: the walk begins at its first cell.
    }
    const bool plain = !(Params & (fnIgnoreHTMLTags | fnMatchRegular)) && !G.HasDisplTextHandler();
    const int cs = int(byRow ? c0 + k % nc : c0 + k / nr);
    const int rs = int(byRow ? r0 + k / nc : r0 + k % nr);
    if (k < 0 || k >= count) {
        // Nothing left to walk.
    } else if (plain) {
        // A plain search reads a cell without properties (no merge to follow) straight from
        // the rows of the store.
        std::vector<std::size_t> storeCols(static_cast<std::size_t>(nc));
        for (int c = c0; c <= c1; ++c)
            storeCols[std::size_t(c - c0)] = std::size_t(G.RemapCol(c));
        Res = ScanPlain(G.core(), TWalk{c0, c1, r0, r1, step, byRow}, cs, rs,
                        [&](int c, int r, const ui::StringGridCore::RowData& d) {
                            const std::size_t sc = storeCols[std::size_t(c - c0)];
                            return d.hasObject(sc) ? MatchCell(c, r) : MatchPlain(d.text(sc), FText, Params);
                        });
    } else {
        int c = cs, r = rs;
        for (; k >= 0 && k < count; k += step) {
            if (MatchCell(c, r)) {
                Res = TPoint(c, r);
                break;
            }
            int& inner = byRow ? c : r;
            int& outer = byRow ? r : c;
            const int lo = byRow ? c0 : r0, hi = byRow ? c1 : r1;
            inner += step;
            if (inner > hi || inner < lo) {
                inner = step > 0 ? lo : hi;
                outer += step;
            }
        }
    }
    FPos = Res;
    if (Res.x() >= 0 && (Params & fnAutoGoto)) {
        G.focusCell(G.col(), Res.y());
        G.focusCell(Res.x(), G.row());
    }
    return Res;
}

int TGridFinder::Search(const QString& AText)
{
    if (G.RowCount() <= 1)
        return -1;
    const int key = G.SortSettings().Show ? G.SortSettings().Column : 1;
    if (key < 0 || key >= G.ColCount() + G.NumHiddenColumns())
        return -1;
    for (int r = G.FixedRows(); r < G.RowCount(); ++r)
        if (Upper(G.GetCellEx(key, r).left(AText.size())) == AText)
            return r;
    return -1;
}

void TGridFinder::SearchKey(const QString& Typed)
{
    if (Typed == QLatin1String("\b"))
        FTyped.chop(1);
    else if (G.Navigation().AutoGotoIncremental)
        FTyped += Typed;
    else
        FTyped = Typed;
    // With every character erased there is nothing to look for: the current row stays.
    if (FTyped.isEmpty())
        return;
    const int r = Search(Upper(FTyped));
    if (r >= 0)
        G.focusCell(G.col(), r);
}

} // namespace grid
