// Finding cells by their text, and the typing-to-find navigation on the key column.
#include "grid/Txgrid.h"
#include "grid/TxgridStrings.h"
#include "grid/Txutil.h"

#include <QLocale>

namespace grid {

namespace {
QString Upper(const QString& S) { return QLocale::system().toUpper(S); }

// Text found in S: anywhere, at its start (fnMatchStart) or as all of it (fnMatchFull), with
// or without case. An empty text stands nowhere in a cell, so it matches nothing.
bool MatchPlain(const QString& S, const QString& Text, TFindParams P)
{
    if (Text.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = (P & fnMatchCase) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    if (P & fnMatchFull)
        return S.compare(Text, cs) == 0;
    if (P & fnMatchStart)
        return S.startsWith(Text, cs);
    return S.contains(Text, cs);
}
} // namespace

TPoint TTxStringGrid::FindFirst(const QString& AText, TFindParams Params)
{
    FFind.Pos = Find(TPoint(-1, -1), AText, Params);
    return FFind.Pos;
}

TPoint TTxStringGrid::FindNext()
{
    FFind.Pos = Find(FFind.Pos, FFind.Text, FFind.Params);
    return FFind.Pos;
}

bool TTxStringGrid::MatchCell(int ACol, int ARow)
{
    const TFindParams P = FFind.Params;
    const bool caseSensitive = (P & fnMatchCase) != 0;
    if (P & (fnIgnoreHTMLTags | fnMatchRegular)) {
        QString S = GetCellEx(RemapCol(ACol), ARow);
        if (!caseSensitive)
            S = Upper(S);
        if (P & fnIgnoreHTMLTags)
            S = StripTags(S);
        if (P & fnMatchRegular)
            return MatchStrEx(FFind.Text, S, caseSensitive);
        return MatchPlain(S, FFind.Text, P);
    }
    QString own; // the text GetCellEx gives, read in place when no handler changes it
    return MatchPlain(SortCellRef(RemapCol(ACol), ARow, own), FFind.Text, P);
}

TPoint TTxStringGrid::Find(TPoint Start, const QString& AText, TFindParams Params)
{
    TPoint Res(-1, -1);
    FFind.Params = Params;
    FFind.Text = (Params & fnMatchCase) ? AText : Upper(AText);
    if (colCount() <= FixedCols() || rowCount() <= FixedRows())
        return Res;

    int c0, c1, r0, r1;
    if (Params & fnIncludeFixed) {
        c0 = 0, c1 = colCount() - 1, r0 = 0, r1 = rowCount() - 1;
    } else {
        c0 = FixedCols(), c1 = colCount() - FixedRightCols() - 1;
        r0 = FixedRows(), r1 = rowCount() - FixedFooters() - 1;
    }
    const bool fromTop = Start.x() == -1 && Start.y() == -1;
    if (Params & fnFindInCurrentRow) {
        r0 = r1 = row();
        Start.setY(row());
    }
    if (Params & fnFindInCurrentCol) {
        c0 = c1 = col();
        Start.setX(col());
    }
    if (c0 > c1 || r0 > r1)
        return Res;

    // The walk as one sequence: column by column (rows within), or row by row.
    const bool byRow = Params & fnDirectionLeftRight;
    const int nc = c1 - c0 + 1, nr = r1 - r0 + 1;
    const long long count = (long long)nc * nr;
    auto inRange = [&](int c, int r) { return c >= c0 && c <= c1 && r >= r0 && r <= r1; };
    auto index = [&](int c, int r) { return byRow ? (long long)(r - r0) * nc + (c - c0)
                                                  : (long long)(c - c0) * nr + (r - r0); };
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
    // A plain search reads a cell without properties (no merge to follow) straight from the
    // store; the place moves a cell at a time instead of being divided out of k.
    const bool plain = !(Params & (fnIgnoreHTMLTags | fnMatchRegular)) && !OnGetDisplText;
    int c = int(byRow ? c0 + k % nc : c0 + k / nr);
    int r = int(byRow ? r0 + k / nc : r0 + k % nr);
    int storeCol = RemapCol(c);
    const ui::StringGridCore& store = core();
    for (; k >= 0 && k < count; k += step) {
        const bool hit = plain && !store.object(storeCol, r)
                             ? MatchPlain(store.cellRef(storeCol, r), FFind.Text, Params)
                             : MatchCell(c, r);
        if (hit) {
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
        if (byRow || inner == (step > 0 ? lo : hi))
            storeCol = RemapCol(c);
    }
    FFind.Pos = Res;
    if (Res.x() >= 0 && (Params & fnAutoGoto)) {
        focusCell(col(), Res.y());
        focusCell(Res.x(), row());
    }
    return Res;
}

int TTxStringGrid::Search(const QString& AText)
{
    if (rowCount() <= 1)
        return -1;
    const int key = FSortSettings.Show ? FSortSettings.Column : 1;
    if (key < 0 || key >= colCount() + NumHiddenColumns())
        return -1;
    for (int r = FixedRows(); r < rowCount(); ++r)
        if (Upper(GetCellEx(key, r).left(AText.size())) == AText)
            return r;
    return -1;
}

void TTxStringGrid::SearchKey(const QString& Typed)
{
    if (Typed == QLatin1String("\b"))
        FFind.Typed.chop(1);
    else if (FNavigation.AutoGotoIncremental)
        FFind.Typed += Typed;
    else
        FFind.Typed = Typed;
    // With every character erased there is nothing to look for: the current row stays.
    if (FFind.Typed.isEmpty())
        return;
    const int r = Search(Upper(FFind.Typed));
    if (r >= 0)
        focusCell(col(), r);
}

} // namespace grid
