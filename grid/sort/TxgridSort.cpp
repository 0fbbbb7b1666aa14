// TGridSorting: comparing two cells by the column's sort style, sorting the rows by one
// column, by the sort index list or within groups, the row cross-reference, and sorting by a
// click on a header cell; and the grid's functions that forward to it.
//
// Every sort reads each cell of its sort column once into a key (TxgridSortKeys.h), orders
// the keys with a merge sort (the keys of tie-breaking columns are read when a tie first
// needs them; a column of numbers is ordered by their values alone, with no comparison, and
// the tie-breaking columns order only the runs of equal values), and then moves each row to its place with one SortSwapRows at most. Keys
// compare as a strict weak order, so both directions give one consistent order, equal rows
// keep their order, and a handler that throws leaves the rows as they were.
#include "grid/sort/TxgridSortHost.h"
#include "grid/controls/TxgridError.h"
#include "grid/sort/TxgridSortKeys.h"
#include "grid/sort/TxgridSorting.h"
#include "platform/ui/Application.h"

#include <QElapsedTimer>
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <numeric>
#include <utility>
#include <optional>

namespace grid {

namespace {

using UpdateLock = TSortUpdateLock;

// Sets a value for a scope and puts the old one back whatever happens.
template <class T>
struct TScoped {
    T& Ref;
    T Old;
    TScoped(T& R, T Value) : Ref(R), Old(R) { Ref = Value; }
    ~TScoped() { Ref = Old; }
    TScoped(const TScoped&) = delete;
    TScoped& operator=(const TScoped&) = delete;
};

// The running sort's context for a scope: the one already set, or one of its own.
struct TSortContextScope {
    std::optional<TSortContext> Own;
    TScoped<TSortContext*> Set;
    explicit TSortContextScope(TSortContext*& Running) : Set(Running, Running ? Running : &Own.emplace()) {}
};

// A merge sort of Items by Less (true when the first goes before the second), stable, and
// safe with any comparison a handler gives: short runs by insertion, then merged pairwise;
// a pair of runs already in order costs one comparison.
template <class Item, class LessFn>
void MergeSort(std::vector<Item>& A, LessFn Less)
{
    const std::size_t n = A.size(), run = 16;
    for (std::size_t s = 0; s < n; s += run)
        for (std::size_t i = s + 1; i < std::min(s + run, n); ++i)
            for (std::size_t j = i; j > s && Less(A[j], A[j - 1]); --j)
                std::swap(A[j], A[j - 1]);
    if (n <= run)
        return;
    std::vector<Item> B(n);
    for (std::size_t w = run; w < n; w *= 2) {
        for (std::size_t s = 0; s < n; s += 2 * w) {
            const std::size_t m = std::min(s + w, n), e = std::min(s + 2 * w, n);
            if (m >= e || !Less(A[m], A[m - 1])) {
                std::move(A.begin() + std::ptrdiff_t(s), A.begin() + std::ptrdiff_t(e), B.begin() + std::ptrdiff_t(s));
                continue;
            }
            std::size_t i = s, j = m, k = s;
            while (i < m && j < e)
                B[k++] = Less(A[j], A[i]) ? std::move(A[j++]) : std::move(A[i++]);
            while (i < m)
                B[k++] = std::move(A[i++]);
            while (j < e)
                B[k++] = std::move(A[j++]);
        }
        A.swap(B);
    }
}

// Order[k] = Lo + the index of the key that goes to place k: the keys by their numbers,
// ascending or descending, equal numbers in their order (a stable sort). A radix sort of the
// indexes by the numbers' bits, turned so that their order as unsigned integers is the
// numbers' order; the digits go from the lowest, each pass stable, and a pass where every
// key has the same digit is skipped. Zero and minus zero are one number. Only the indexes
// move: a million rows sort in the memory of two lists of indexes.
void StableOrderOfValues(const std::vector<double>& Values, bool Descending, int Lo, std::vector<int>& Order)
{
    constexpr int digitBits = 11, passes = (64 + digitBits - 1) / digitBits;
    constexpr std::size_t buckets = std::size_t(1) << digitBits;
    const std::size_t n = Values.size();
    const auto bitsOf = [&](std::size_t I) {
        double v = Values[I];
        if (v == 0)
            v = 0; // minus zero
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
        const std::uint64_t up = bits >> 63 ? ~bits : bits | (std::uint64_t(1) << 63);
        return Descending ? ~up : up;
    };
    const auto digit = [](std::uint64_t Bits, int Pass) {
        return std::size_t(Bits >> (Pass * digitBits)) & (buckets - 1);
    };
    std::vector<std::array<std::uint32_t, buckets>> counts(passes);
    for (auto& c : counts)
        c.fill(0);
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t bits = bitsOf(i);
        for (int p = 0; p < passes; ++p)
            ++counts[std::size_t(p)][digit(bits, p)];
    }
    std::vector<int> from(n);
    std::iota(from.begin(), from.end(), 0);
    Order.resize(n);
    const std::uint64_t firstBits = bitsOf(0);
    for (int p = 0; p < passes; ++p) {
        auto& c = counts[std::size_t(p)];
        if (c[digit(firstBits, p)] == n)
            continue;
        std::uint32_t sum = 0;
        for (std::uint32_t& x : c)
            sum += std::exchange(x, sum);
        for (const int i : from)
            Order[c[digit(bitsOf(std::size_t(i)), p)]++] = i;
        from.swap(Order);
    }
    from.swap(Order);
    for (int& i : Order)
        i += Lo;
}

// Each run of rows in Order whose first-column values are equal is ordered by the
// tie-breaking columns (Cols[1] on), equal rows keeping their order. The first of those
// columns is read for the tied rows alone, in the order of the rows (reading them in the
// order of the values would wait on memory at every row); the further ones, which decide
// only among rows tied on that one too, for the rows that need them. A handler reads the
// column's own keys, which are kept for the whole column.
template <class Column>
void BreakTies(std::vector<int>& Order, const std::vector<double>& Values, int Lo, std::vector<Column>& Cols,
               bool Handlers)
{
    struct TKeyed {
        TSortKey Key;
        QString Text;
        bool Read = false;
    };
    const std::size_t n = Order.size();
    // The runs, as places in Order, and the tied rows in their order.
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    std::vector<std::pair<int, std::size_t>> tied; // row, its place among the tied ones
    for (std::size_t s = 0, e; s < n; s = e) {
        const double v = Values[std::size_t(Order[s] - Lo)];
        for (e = s + 1; e < n && Values[std::size_t(Order[e] - Lo)] == v;)
            ++e;
        if (e - s < 2)
            continue;
        runs.emplace_back(s, e);
        for (std::size_t i = s; i < e; ++i)
            tied.emplace_back(Order[i] - Lo, tied.size());
    }
    if (runs.empty())
        return;
    std::vector<TKeyed> first(Handlers ? 0 : tied.size());
    if (!Handlers) {
        std::sort(tied.begin(), tied.end());
        for (const auto& [row, at] : tied) {
            first[at].Key = Cols[1].ReadKey(row, first[at].Text);
            first[at].Read = true;
        }
    }
    std::vector<std::vector<TKeyed>> more(Cols.size());
    std::size_t s = 0, firstAt = 0; // the run at hand begins at Order[s] and first[firstAt]
    // P and Q are places in the run at hand.
    const auto less = [&](std::size_t P, std::size_t Q) {
        const int x = Order[s + P] - Lo, y = Order[s + Q] - Lo;
        int c = 0;
        for (std::size_t k = 1; c == 0 && k < Cols.size(); ++k) {
            if (Handlers) {
                c = Cols[k].Order(x, y);
                continue;
            }
            TKeyed* keys = k == 1 ? first.data() + firstAt : more[k].data();
            for (const auto& [at, row] : {std::pair{P, x}, std::pair{Q, y}}) {
                if (!keys[at].Read) {
                    keys[at].Key = Cols[k].ReadKey(row, keys[at].Text);
                    keys[at].Read = true;
                }
            }
            c = Cols[k].Order(keys[P].Key, keys[P].Text, x, keys[Q].Key, keys[Q].Text, y);
        }
        return c < 0;
    };
    std::vector<std::size_t> run;
    std::vector<int> rows;
    for (const auto& [rs, re] : runs) {
        s = rs;
        run.resize(re - rs);
        std::iota(run.begin(), run.end(), std::size_t(0));
        for (std::size_t k = 2; k < Cols.size() && !Handlers; ++k)
            more[k].assign(run.size(), TKeyed());
        if (Handlers)
            MergeSort(run, less);
        else
            std::stable_sort(run.begin(), run.end(), less);
        rows.assign(Order.begin() + std::ptrdiff_t(rs), Order.begin() + std::ptrdiff_t(re));
        for (std::size_t i = 0; i < run.size(); ++i)
            Order[rs + i] = rows[run[i]];
        firstAt += run.size();
    }
}

} // namespace

// The keys of one column over the rows Lo..Lo + n - 1 of a sort, read when first needed, and
// their order as the sort shows it (Sign -1 for descending; empty cells placed by BlankPos).
struct TGridSorting::TSortColumn {
    TSortHost& G;
    TGridSorting& S;
    int Col, Lo, Sign;
    TSortStyle Style;
    bool IgnoreBlanks = false, BlankLast = false; // read once: a comparison asks no setting
    QString Prefix, Suffix;
    std::vector<TSortKey> Keys;
    std::vector<QString> Texts; // sized when a key first needs its text
    std::vector<char> Have;     // which keys a tie-breaking column has read; empty once all are
    bool All = false;
    std::size_t Count;

    TSortColumn(TGridSorting& Sorting, int ACol, int ALo, int N, int ASign)
        : G(Sorting.G), S(Sorting), Col(ACol), Lo(ALo), Sign(ASign)
    {
        const TSortSettings& settings = G.SortSettings();
        Style = settings.AutoFormat ? ssAutomatic : ssAlphabetic;
        IgnoreBlanks = settings.IgnoreBlanks;
        BlankLast = settings.BlankPos == blLast;
        G.GetColFormat(Col, Style, Prefix, Suffix);
        Count = std::size_t(N);
    }
    const TSortKey& Key(int I)
    {
        if (!All) {
            if (Have.empty()) { // a tie-breaking column may never be needed
                Keys.resize(Count);
                Have.assign(Count, 0);
            }
            if (!Have[std::size_t(I)]) {
                ReadCell(I);
                Have[std::size_t(I)] = 1;
            }
        }
        return Keys[std::size_t(I)];
    }
    // Visit(I, cell) for the cells in order until it gives false. Without objects in the
    // store no merged block sends a cell to its base, and the cells are read down the column
    // straight from the store.
    template <class F>
    void ForCells(F Visit)
    {
        if (G.core().mayHoldObjects() || Style == ssImages || (G.HasDisplTextHandler() && Lo < G.DisplTextRowLimit())) {
            for (int i = 0; i < int(Count); ++i) {
                QString buffer;
                if (!Visit(i, G.SortCellRef(Col, Lo + i, buffer)))
                    return;
            }
        } else {
            G.core().forColumnCells(Col, Lo, Lo + int(Count),
                                    [&](int R, const QString& Cell) { return Visit(R - Lo, Cell); });
        }
    }
    // Every key at once.
    void ReadAll()
    {
        Keys.resize(Count);
        Have = {};
        All = true;
        ForCells([&](int I, const QString& Cell) {
            Read(I, Cell);
            return true;
        });
    }
    // The values alone, when every cell is a number (or every one a date) and, with Blanks,
    // all are empty or none is: then nothing else decides their order. False at the first
    // cell that is not (a column of texts gives up at its first cell).
    bool ReadValues(std::vector<double>& Values, bool Blanks)
    {
        Values.reserve(Count);
        TSortKey k0;
        bool same = true;
        ForCells([&](int I, const QString& Cell) {
            QString text;
            const TSortKey k = KeyOf(I, Cell, text);
            if (I == 0)
                k0 = k;
            same =
                (k.Class == scNumber || k.Class == scDate) && k.Class == k0.Class && (!Blanks || k.Blank == k0.Blank);
            Values.push_back(k.Number);
            return same;
        });
        return same;
    }
    void ReadCell(int I)
    {
        QString buffer;
        Read(I, G.SortCellRef(Col, Lo + I, buffer));
    }
    // The key of row Lo + I read alone, its text to Text.
    TSortKey ReadKey(int I, QString& Text)
    {
        QString buffer;
        if (G.core().mayHoldObjects() || Style == ssImages || (G.HasDisplTextHandler() && Lo < G.DisplTextRowLimit()))
            return KeyOf(I, G.SortCellRef(Col, Lo + I, buffer), Text);
        return KeyOf(I, G.core().cellRef(Col, Lo + I), Text); // as ForCells reads them
    }
    TSortKey KeyOf(int I, const QString& Cell, QString& Text)
    {
        TSortKey k = MakeSortKey(Style, Cell, Prefix, Suffix, *S.FContext, Text);
        if (Style == ssImages)
            k.Number = G.GetCellImageIdx(Col, Lo + I);
        return k;
    }
    void Read(int I, const QString& Cell)
    {
        QString text;
        Keys[std::size_t(I)] = KeyOf(I, Cell, text);
        if (!text.isNull()) {
            if (Texts.empty())
                Texts.resize(Count);
            Texts[std::size_t(I)] = std::move(text);
        }
    }
    const QString& Text(int I) const
    {
        static const QString none;
        return Texts.empty() ? none : Texts[std::size_t(I)];
    }
    // -1 when row Lo + I shows before row Lo + J, +1 after, 0 for a tie.
    int Order(int I, int J) { return Order(Key(I), I, Key(J), J); }
    int Order(const TSortKey& A, int I, const TSortKey& B, int J) { return Order(A, Text(I), I, B, Text(J), J); }
    int Order(const TSortKey& A, const QString& TextA, int I, const TSortKey& B, const QString& TextB, int J)
    {
        ++S.FCompareCount;
        // Empty cells go to the chosen end of the displayed order, whichever the direction.
        if (IgnoreBlanks && A.Blank != B.Blank)
            return A.Blank == BlankLast ? 1 : -1;
        int c = CompareSortKeys(Style, A, TextA, B, TextB, *S.FContext);
        if (c == 0 && A.Class == scHandler && B.Class == scHandler)
            c = Handler(I, J);
        return Sign * c;
    }
    int Handler(int I, int J)
    {
        int res = 0;
        if (Style == ssCustom && G.Events().OnCustomCompare)
            G.Raise(G.Events().OnCustomCompare, Text(I), Text(J), res);
        else if (Style == ssRaw && G.Events().OnRawCompare)
            G.Raise(G.Events().OnRawCompare, Col, Lo + I, Lo + J, res);
        return res > 0 ? 1 : (res < 0 ? -1 : 0); // a handler may answer with any magnitude
    }
};

TGridSorting::TGridSorting(std::unique_ptr<TSortHost> Host) : FHost(std::move(Host)), G(*FHost) {}

TGridSorting::~TGridSorting() = default;

// --- comparing ---------------------------------------------------------------------------

int TGridSorting::Compare(int ACol, int ARow1, int ARow2)
{
    return CompareDir(ACol, ARow1, ARow2, G.SortSettings().Direction == sdDescending);
}

int TGridSorting::CompareDir(int ACol, int ARow1, int ARow2, bool Descending)
{
    TSortContextScope ctx(FContext);
    const int lo = std::min(ARow1, ARow2);
    const int sign = Descending ? -1 : 1;
    TSortColumn c(*this, ACol, lo, std::abs(ARow2 - ARow1) + 1, sign);
    // The order shown, turned back into the ascending sense.
    return sign * c.Order(ARow1 - lo, ARow2 - lo);
}

int TGridSorting::SortColLimit() const { return G.ColCount() + (FWithHidden ? G.NumHiddenColumns() : 0); }

int TGridSorting::CompareLine(int ACol, int ARow1, int ARow2)
{
    const int last = SortColLimit() - 1;
    for (int c = ACol;; ++c) {
        const int res = Compare(c, ARow1, ARow2);
        if (res != 0 || !G.SortSettings().Full || c >= last)
            return res;
    }
}

int TGridSorting::CompareLineIndexed(int Idx, int ARow1, int ARow2)
{
    for (int i = std::max(Idx, 0); i < FIndexes.Count(); ++i) {
        const int entry = FIndexes.GetInteger(i);
        const bool desc = TSortIndexList::Descending(entry);
        // The entry's own direction also places the empty cells.
        const int res = CompareDir(TSortIndexList::Column(entry), ARow1, ARow2, desc);
        if (res != 0 || !G.SortSettings().Full)
            return desc ? -res : res;
    }
    return 0;
}

bool TGridSorting::SortLine(int ACol, int ARow1, int ARow2)
{
    const int last = G.ColCount() + G.NumHiddenColumns() - 1;
    for (int c = ACol;; ++c) {
        const int res = Compare(c, ARow1, ARow2);
        if (res == FFactor) {
            G.SortSwapRows(ARow1, ARow2);
            return true;
        }
        if (res != 0 || c >= last)
            return false;
    }
}


// --- ordering and moving rows ------------------------------------------------------------

void TGridSorting::SortRowRange(int Lo, int Hi, const std::vector<TSortLink>& Chain)
{
    G.HideInplaceEdit(); // a control left open would write its value into the row moved there
    Lo = std::max(Lo, 0);
    Hi = std::min(Hi, G.RowCount() - 1);
    if (Hi <= Lo || Chain.empty())
        return;
    TSortContextScope ctx(FContext);
    const int n = Hi - Lo + 1;
    std::vector<TSortColumn> cols;
    cols.reserve(Chain.size());
    for (const TSortLink& l : Chain)
        cols.emplace_back(*this, l.Col, Lo, n, l.Sign);

    // The first column's keys are read at once and travel with the row numbers; the keys of
    // the tie-breaking columns stay in their columns. Without handlers the comparison is a
    // strict weak order and the library's stable sort serves; a handler's answers may not be,
    // and the merge sort above stays safe with them.
    TSortColumn& first = cols.front();
    const bool handlers = std::any_of(cols.begin(), cols.end(),
                                      [](const TSortColumn& c) { return c.Style == ssCustom || c.Style == ssRaw; });
    const bool blanks = G.SortSettings().IgnoreBlanks, blankLast = G.SortSettings().BlankPos == blLast;
    const int sign = first.Sign;
    std::vector<int> order;
    std::vector<double> values;
    if (first.ReadValues(values, blanks)) {
        // A column of numbers (or dates): the values decide with no comparison at all, and
        // the tie-breaking columns are read only for the runs of equal values.
        StableOrderOfValues(values, sign < 0, Lo, order);
        if (cols.size() > 1)
            BreakTies(order, values, Lo, cols, handlers);
        cols.clear();
    } else {
        values = {};
        struct Item {
            double Number;
            int Index;
            TSortClass Class;
            bool Blank;
            QString Text;
        };
        std::vector<Item> items(static_cast<std::size_t>(n));
        if (handlers) { // a handler reads the column's own keys and texts
            first.ReadAll();
            for (int i = 0; i < n; ++i) {
                const TSortKey& k = first.Keys[std::size_t(i)];
                items[std::size_t(i)] = {k.Number, i, k.Class, k.Blank, first.Text(i)};
            }
        } else {
            first.ForCells([&](int I, const QString& Cell) {
                QString text;
                const TSortKey k = first.KeyOf(I, Cell, text);
                items[std::size_t(I)] = {k.Number, I, k.Class, k.Blank, std::move(text)};
                return true;
            });
        }
        order.resize(std::size_t(n));
        const auto less = [&](const Item& x, const Item& y) {
            ++FCompareCount;
            int c;
            if (blanks && x.Blank != y.Blank) {
                c = x.Blank == blankLast ? 1 : -1;
            } else {
                c = sign
                    * CompareSortKeys(first.Style, {x.Number, x.Class, x.Blank}, x.Text, {y.Number, y.Class, y.Blank},
                                      y.Text, *FContext);
                if (c == 0 && x.Class == scHandler && y.Class == scHandler)
                    c = sign * first.Handler(x.Index, y.Index);
            }
            for (std::size_t k = 1; c == 0 && k < cols.size(); ++k)
                c = cols[k].Order(x.Index, y.Index);
            return c < 0;
        };
        if (handlers)
            MergeSort(items, less);
        else
            std::stable_sort(items.begin(), items.end(), less);
        for (int i = 0; i < n; ++i)
            order[std::size_t(i)] = Lo + items[std::size_t(i)].Index;
        items = {};
        cols.clear();
    }
    SplitRowMerges(Lo, Hi);
    ApplyRowOrder(Lo, order);
}

std::vector<TSortLink> TGridSorting::SortChain(int ACol, int Sign)
{
    std::vector<TSortLink> chain{{ACol, Sign}};
    if (G.SortSettings().Full)
        for (int c = ACol + 1; c < SortColLimit(); ++c)
            chain.push_back({c, Sign});
    return chain;
}

// Blocks merged across rows cannot follow rows that part: each one in Lo..Hi (or reaching
// into it) is split and its covered cells emptied, so that none shows another row's text.
void TGridSorting::SplitRowMerges(int Lo, int Hi)
{
    if (!G.core().mayHoldObjects())
        return; // merged cells are cell objects
    const int cols = G.ColCount() + G.NumHiddenColumns();
    for (int r = Lo; r <= Hi; ++r)
        for (int c = 0; c < cols; ++c) {
            if (!G.IsMergedCell(c, r) || G.CellSpan(c, r).y() == 0)
                continue;
            const TPoint b = G.BaseCell(c, r), span = G.CellSpan(c, r);
            G.SplitCells(c, r);
            for (int y = b.y(); y <= b.y() + span.y(); ++y)
                for (int x = b.x(); x <= b.x() + span.x(); ++x)
                    if (x != b.x() || y != b.y())
                        G.core().setCell(x, y, QString());
        }
}

// Order[k] is the row that goes to Lo + k. The rows of the store move at once; a single
// column sort, a disjunct row selection or a cross-reference shorter than the rows take the
// rows one swap at a time, each swap putting one row at its place for good.
void TGridSorting::ApplyRowOrder(int Lo, const std::vector<int>& Order)
{
    const int n = int(Order.size());
    const bool xref = FCrossReference.Count() > Lo;
    if (!G.SortSettings().SingleColumn && !G.MouseActions().DisjunctRowSelect
        && (!xref || FCrossReference.Count() >= Lo + n) && Lo >= 0 && Lo + n <= G.RowCount()) {
        if (xref) {
            std::vector<int> old(static_cast<std::size_t>(n));
            for (int i = 0; i < n; ++i)
                old[std::size_t(i)] = FCrossReference.GetInteger(Lo + i);
            for (int i = 0; i < n; ++i)
                FCrossReference.SetInteger(Lo + i, old[std::size_t(Order[std::size_t(i)] - Lo)]);
        }
        if (FCurrentRow >= Lo && FCurrentRow < Lo + n)
            for (int i = 0; i < n; ++i)
                if (Order[std::size_t(i)] == FCurrentRow) {
                    FCurrentRow = Lo + i;
                    break;
                }
        FSwapCount += G.core().permuteRows(Lo, Order); // as many as the swaps would count
        if (G.UpdateCount() == 0)
            G.Invalidate();
        return;
    }
    std::vector<int> at(std::size_t(n), 0), where(std::size_t(n), 0); // relative to Lo
    std::iota(at.begin(), at.end(), 0);
    std::iota(where.begin(), where.end(), 0);
    for (int i = 0; i < n; ++i) {
        const int want = Order[std::size_t(i)] - Lo;
        const int src = where[std::size_t(want)];
        if (src == i)
            continue;
        G.SortSwapRows(Lo + i, Lo + src);
        const int displaced = at[std::size_t(i)];
        at[std::size_t(i)] = want;
        at[std::size_t(src)] = displaced;
        where[std::size_t(want)] = i;
        where[std::size_t(displaced)] = src;
    }
}

void TGridSorting::QuickSortRows(int ACol, int Lo, int Hi)
{
    FFactor = G.SortSettings().Direction == sdDescending ? -1 : 1;
    SortRowRange(Lo, Hi, SortChain(ACol, FFactor));
}

void TGridSorting::QuickSortRowsIndexed(int Idx, int Lo, int Hi)
{
    FFactor = G.SortSettings().Direction == sdDescending ? -1 : 1;
    std::vector<TSortLink> chain;
    for (int i = std::max(Idx, 0); i < FIndexes.Count(); ++i) {
        const int entry = FIndexes.GetInteger(i);
        chain.push_back({TSortIndexList::Column(entry), TSortIndexList::Descending(entry) ? -1 : 1});
        if (!G.SortSettings().Full)
            break;
    }
    SortRowRange(Lo, Hi, chain);
}

// --- the sorts ---------------------------------------------------------------------------

void TGridSorting::SortByColumn(int ACol)
{
    if (G.RowCount() < 2)
        return;
    FFactor = G.SortSettings().Direction == sdDescending ? -1 : 1;
    UpdateLock lock(G);
    SortRowRange(G.FixedRows(), G.RowCount() - G.FixedFooters() - 1, {{ACol, FFactor}});
}

void TGridSorting::QuickSort(int ACol, int Lo, int Hi)
{
    TScoped<bool> hidden(FWithHidden, true);
    QuickSortRows(ACol, Lo, Hi);
}

void TGridSorting::QuickSortIndexed(int Lo, int Hi)
{
    if (FIndexes.Count() == 0)
        throw ETxGridError(QStringLiteral("No indexes specified for indexed sort"));
    TScoped<bool> hidden(FWithHidden, true);
    QuickSortRowsIndexed(0, Lo, Hi);
}

// The frame of the full sorts: one update, hidden columns in the tie-breaks, the current
// row's data tracked, column 0 kept with NormalCellsOnly. Whatever Run throws, column 0, the
// flags and the update lock are restored.
template <class Body>
void TGridSorting::FullSort(bool KeepCol0, bool FollowRow, Body Run)
{
    G.HideInplaceEdit(); // a control left open would write its value into the row moved there
    const bool keep0 = KeepCol0 && G.SortSettings().NormalCellsOnly && G.fixedCols() > 0;
    std::vector<QString> col0;
    if (keep0) {
        col0.reserve(std::size_t(G.RowCount()));
        for (int r = 0; r < G.RowCount(); ++r)
            col0.push_back(G.cells(0, r));
    }
    TSortContextScope ctx(FContext);
    G.BeginUpdate();
    struct Restore {
        TGridSorting& S;
        const std::vector<QString>& Col0;
        ~Restore()
        {
            S.FWithHidden = false;
            S.FCurrentRow = -1;
            for (int r = 0; r < int(Col0.size()) && r < S.G.RowCount(); ++r)
                S.G.core().setCell(0, r, Col0[std::size_t(r)]);
            S.G.EndUpdate();
        }
    } restore{*this, col0};
    G.SetDisplTextRowLimit(G.RowCount());
    FWithHidden = true;
    FCurrentRow = G.row();
    Run();
    if (FollowRow && FCurrentRow >= 0 && FCurrentRow != G.row())
        G.moveCurrentRaw(G.col(), FCurrentRow);
}

void TGridSorting::QSort()
{
    FIndexes.Clear();
    FullSort(true, G.Navigation().MoveRowOnSort,
             [this] { QuickSortRows(G.SortSettings().Column, G.FixedRows(), G.RowCount() - G.FixedFooters() - 1); });
}

void TGridSorting::QSortIndexed()
{
    if (FIndexes.Count() == 0)
        throw ETxGridError(QStringLiteral("No indexes specified for indexed sort"));
    FullSort(false, G.Navigation().MoveRowOnSort,
             [this] { QuickSortRowsIndexed(0, G.FixedRows(), G.RowCount() - G.FixedFooters() - 1); });
}

void TGridSorting::QSortGroup()
{
    FullSort(true, true, [this] {
        const int last = G.RowCount() - G.FixedFooters() - 1;
        std::vector<int> nodes;
        for (int r = G.FixedRows(); r <= last; ++r)
            if (G.IsNode(r))
                nodes.push_back(r);
        // A group runs from below its node row to the row before the next one; the rows
        // above the first node row and the node rows themselves stay.
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            const int first = nodes[k] + 1;
            const int end = k + 1 < nodes.size() ? nodes[k + 1] - 1 : last;
            if (end > first)
                QuickSortRows(G.SortSettings().Column, first, end);
        }
    });
}

// --- the row cross-reference -------------------------------------------------------------

void TGridSorting::InitSortXRef()
{
    FCrossReference.Clear();
    for (int r = 0; r < G.RowCount(); ++r)
        FCrossReference.Add(r);
}

int TGridSorting::SortedRowIndex(int ARow) const
{
    return ARow >= 0 && ARow < FCrossReference.Count() ? FCrossReference.GetInteger(ARow) : ARow;
}

int TGridSorting::UnSortedRowIndex(int ARow) const
{
    if (FCrossReference.Count() == 0)
        return ARow;
    for (int p = 0; p < FCrossReference.Count(); ++p)
        if (FCrossReference.GetInteger(p) == ARow)
            return p;
    return FCrossReference.Count();
}

// --- header clicks -----------------------------------------------------------------------

void TGridSorting::UndoColumnMerge()
{
    for (int i = 0; i < G.MergedColumns().Count(); ++i)
        G.SplitColumnCells(G.MergedColumns().GetInteger(i));
}

void TGridSorting::ApplyColumnMerge() { G.MergedColumnsChanged(); }

bool TGridSorting::CanClickSort(int ACol, int ARow, int PressRow, QPoint Pos)
{
    const int sortRow = G.SortSettings().Row();
    if (ARow != sortRow || PressRow != sortRow || G.fixedRows() < 1 || !G.SortSettings().Show || G.RowCount() <= 2)
        return false;
    if (ACol < G.fixedCols() && !G.SortSettings().FixedCols)
        return false;
    const TRect r = G.platformCellRect(ACol, ARow);
    // Near a side edge of a header cell the press sizes the column.
    if ((G.options() & ui::goColSizing) && ARow == 0 && (Pos.x() - r.Left < 4 || r.Right - Pos.x() < 4))
        return false;
    const int real = G.RemapCol(ACol);
    if (G.GetFilter(real) && Pos.x() >= r.Right - 16) // the filter button
        return false;
    bool doSort = true;
    if (G.Events().OnCanSort)
        G.Raise(G.Events().OnCanSort, real, doSort);
    return doSort;
}

void TGridSorting::ClickSort(int ACol, bool Shift)
{
    QElapsedTimer timer;
    timer.start();
    G.hideEditor();
    if (G.SortSettings().AutoColumnMerge)
        UndoColumnMerge();
    if (G.SortSettings().IndexShow) {
        if (Shift) {
            if (FIndexes.FindIndex(ACol) < 0)
                FIndexes.AddIndex(ACol, true);
            else
                FIndexes.ToggleIndex(ACol);
        } else if (FIndexes.Count() == 1 && FIndexes.FindIndex(ACol) == 0) {
            FIndexes.ToggleIndex(ACol);
        } else {
            FIndexes.Clear();
            FIndexes.AddIndex(ACol, true);
        }
        QSortIndexed();
    } else {
        if (ACol == G.SortSettings().Column) {
            G.SortSettings().Direction = G.SortSettings().Direction == sdAscending ? sdDescending : sdAscending;
        } else {
            G.SortSettings().Direction = sdAscending;
            G.SortSettings().Column = ACol;
        }
        if (G.HasNodes())
            QSortGroup();
        else
            QSort();
    }
    FTime = timer.elapsed();
    if (G.SortSettings().AutoColumnMerge)
        ApplyColumnMerge();
    if (G.Events().OnClickSort)
        G.Raise(G.Events().OnClickSort, G.SortSettings().Column);
}

void TGridSorting::RowsSwapped(int ARow1, int ARow2)
{
    ++FSwapCount;
    if (ARow1 < FCrossReference.Count() && ARow2 < FCrossReference.Count()) {
        const int a = FCrossReference.GetInteger(ARow1);
        FCrossReference.SetInteger(ARow1, FCrossReference.GetInteger(ARow2));
        FCrossReference.SetInteger(ARow2, a);
    }
}

void TGridSorting::CurrentRowSwapped(int ARow1, int ARow2)
{
    if (FCurrentRow == ARow1)
        FCurrentRow = ARow2;
    else if (FCurrentRow == ARow2)
        FCurrentRow = ARow1;
}

// --- the grid's forwards -----------------------------------------------------------------


} // namespace grid
