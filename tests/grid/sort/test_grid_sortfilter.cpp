// Sorting and filtering under a Polish desktop's settings (decimal comma, full stop between
// thousands): every sort style and its tie-breaks, blanks, fixed and footer rows, hidden
// columns, index lists built by header clicks, groups, the row cross-reference, a throwing
// handler and the work on large grids; filter runs hidden with one call each, conditions on
// numbers and dates, and the placeholder row when nothing is left.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "support/DesktopSettings.h"

#include <QApplication>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <random>
#include <tuple>
#include <gtest/gtest.h>

using namespace grid;

namespace {
class GridSort : public DesktopSettings {
protected:
    void SetUp() override
    {
        DesktopSettings::SetUp();
        setPolish(QStringLiteral("dd.MM.yyyy"));
    }
};
using GridFilter = GridSort;

struct Probe : ui::CellObject {
    explicit Probe(int* alive) : a(alive) { ++*a; }
    ~Probe() override { --*a; }
    int* a;
};

// Column ACol of rows 1.. from the texts, one row per text, below one header row.
void Put(TTxStringGrid& g, int ACol, const QStringList& texts)
{
    g.SetRowCount(int(texts.size()) + 1);
    for (int i = 0; i < texts.size(); ++i)
        g.setCells(ACol, i + 1, texts[i]);
}

QStringList Col(TTxStringGrid& g, int ACol, int From = 1)
{
    QStringList l;
    for (int r = From; r < g.rowCount(); ++r)
        l << g.cells(ACol, r);
    return l;
}

// Compare of two texts in column 1 under a style.
int Cmp(TTxStringGrid& g, TSortStyle style, const QString& a, const QString& b)
{
    g.OnGetFormat = [style](TTxStringGrid&, int, TSortStyle& s, QString&, QString&) { s = style; };
    Put(g, 1, {a, b});
    return g.Compare(1, 1, 2);
}

void Condition(TTxStringGrid& g, int ACol, const QString& Mask, bool CaseSensitive = true)
{
    TFilterData* d = g.Filter().Add();
    d->Column = short(ACol);
    d->Condition = Mask;
    d->CaseSensitive = CaseSensitive;
}

void Click(QWidget* w, QPoint p, Qt::KeyboardModifiers mods = {})
{
    QMouseEvent press(QEvent::MouseButtonPress, p, w->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, mods);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, w->mapToGlobal(p), Qt::LeftButton, {}, mods);
    QApplication::sendEvent(w, &release);
}
} // namespace

TEST_F(GridSort, AutomaticStyleDecidesFromTheFirstCell)
{
    TTxStringGrid g;
    Put(g, 1, {"10", "9", "100", "1,5"});
    g.QSort();
    EXPECT_EQ(Col(g, 1), QStringList({"1,5", "9", "10", "100"}));
    g.SortSettings().AutoFormat = false;
    g.QSort();
    EXPECT_EQ(Col(g, 1), QStringList({"1,5", "10", "100", "9"}));

    setInternational("sShortDate", QStringLiteral("dd/MM/yyyy"));
    g.SortSettings().AutoFormat = true;
    Put(g, 2, {"13/01/2001", "12/05/2001", "2001/05/12"});
    EXPECT_EQ(g.Compare(2, 1, 2), -1); // dates: January before May
    EXPECT_EQ(g.Compare(2, 3, 1), 1);  // slash at position 5: as texts, "2" after "1"
}

TEST_F(GridSort, EachStyleComparesAsItsKindOfValue)
{
    TTxStringGrid g;
    EXPECT_EQ(Cmp(g, ssNumeric, QString(), QStringLiteral("-1")), 1);            // empty is 0
    EXPECT_EQ(Cmp(g, ssNumeric, QStringLiteral("abc"), QStringLiteral("5")), 1); // texts after numbers
    EXPECT_EQ(Cmp(g, ssNumeric, QStringLiteral("5"), QStringLiteral("abc")), -1);
    EXPECT_EQ(Cmp(g, ssNumeric, QStringLiteral("2,5"), QStringLiteral("12")), -1);
    EXPECT_EQ(Cmp(g, ssNumeric, QStringLiteral("1.234,5"), QStringLiteral("999")), 1); // no thousands: a text
    EXPECT_EQ(Cmp(g, ssFinancial, QStringLiteral("1.234,5"), QStringLiteral("999")), 1);
    EXPECT_EQ(Cmp(g, ssDate, QStringLiteral("05.01.2002"), QStringLiteral("28.12.2001")), 1);
    EXPECT_EQ(Cmp(g, ssDate, QStringLiteral("5.1.2002 9:30"), QStringLiteral("05.01.2002 10:00")), -1);
    EXPECT_EQ(Cmp(g, ssDate, QStringLiteral("jutro"), QStringLiteral("05.01.2002")), -1); // 0
    EXPECT_EQ(Cmp(g, ssShortDateEU, QStringLiteral("1/2/2005"), QStringLiteral("2/1/2005")), 1);
    EXPECT_EQ(Cmp(g, ssShortDateUS, QStringLiteral("1/2/2005"), QStringLiteral("2/1/2005")), -1);
    EXPECT_EQ(Cmp(g, ssAlphabetic, QStringLiteral("a"), QStringLiteral("B")), 1);
    EXPECT_EQ(Cmp(g, ssAlphaNoCase, QStringLiteral("a"), QStringLiteral("B")), -1);
    // Character codes of the 8-bit code page: ś (0x9C) before ó (0xF3).
    EXPECT_EQ(Cmp(g, ssAlphabetic, QStringLiteral("ś"), QStringLiteral("ó")), -1);
    EXPECT_EQ(Cmp(g, ssAnsiAlphaNoCase, QStringLiteral("abc"), QStringLiteral("ABC")), 0);
    EXPECT_EQ(Cmp(g, ssHTML, QStringLiteral("<b>b</b>"), QStringLiteral("a")), 1); // as text "<" comes first

    g.OnGetFormat = [](TTxStringGrid&, int, TSortStyle& s, QString& p, QString& x) {
        s = ssNumeric;
        p = QStringLiteral("$");
        x = QStringLiteral(" zł");
    };
    Put(g, 1, {"$9 zł", "$10 zł"});
    EXPECT_EQ(g.Compare(1, 1, 2), -1);

    // Handlers: the custom one may answer with any magnitude; the raw one gets the rows.
    g.OnCustomCompare = [](TTxStringGrid&, const QString& a, const QString& b, int& res) { res = a.compare(b) * 7; };
    g.OnRawCompare = [](TTxStringGrid&, int, int r1, int r2, int& res) { res = r2 - r1; };
    EXPECT_EQ(Cmp(g, ssCustom, QStringLiteral("a"), QStringLiteral("c")), -1);
    EXPECT_EQ(Cmp(g, ssRaw, QStringLiteral("a"), QStringLiteral("c")), 1);

    TImageList images;
    g.SetImages(&images);
    g.AddImageIdx(1, 1, 4, haLeft, vaTop);
    g.AddImageIdx(1, 2, 2, haLeft, vaTop);
    g.OnGetFormat = [](TTxStringGrid&, int, TSortStyle& s, QString&, QString&) { s = ssImages; };
    EXPECT_EQ(g.Compare(1, 1, 2), 1);
    EXPECT_EQ(g.Compare(1, 3, 2), -1); // no image: -1
    g.SetImages(nullptr);
}

TEST_F(GridSort, BlanksStayAtTheirEndAndTiesGoRightwards)
{
    TTxStringGrid g;
    g.SetColCount(4);
    g.SortSettings().IgnoreBlanks = true;
    g.SortSettings().BlankPos = blLast;
    g.SortSettings().Column = 1;
    Put(g, 1, {"2", "", "1", "2", "2"});
    Put(g, 2, {"b", "x", "y", "a", "c"});
    Put(g, 3, {"1", "2", "3", "4", "5"});
    g.QSort();
    EXPECT_EQ(Col(g, 1), QStringList({"1", "2", "2", "2", ""}));
    EXPECT_EQ(Col(g, 2), QStringList({"y", "a", "b", "c", "x"})); // ties broken by column 2
    g.SortSettings().Direction = sdDescending;
    g.QSort();
    EXPECT_EQ(Col(g, 2), QStringList({"c", "b", "a", "y", "x"}));
    // Without Full the rows of equal keys keep their order.
    g.SortSettings().Full = false;
    g.SortSettings().Direction = sdAscending;
    g.QSort();
    EXPECT_EQ(Col(g, 2), QStringList({"y", "c", "b", "a", "x"}));
}

TEST_F(GridSort, FixedFootersColumnZeroAndTheCurrentRow)
{
    TTxStringGrid g;
    g.SetColCount(3);
    Put(g, 1, {"c", "a", "b", "stopka"});
    Put(g, 0, {"1", "2", "3", "4"});
    g.setCells(1, 0, QStringLiteral("Nagłówek"));
    g.SetFixedFooters(1);
    g.SortSettings().Column = 1;
    g.SortSettings().NormalCellsOnly = true;
    g.Navigation().MoveRowOnSort = true;
    g.moveCurrentRaw(1, 1); // on "c"
    g.QSort();
    EXPECT_EQ(Col(g, 1, 0), QStringList({"Nagłówek", "a", "b", "c", "stopka"}));
    EXPECT_EQ(Col(g, 0), QStringList({"1", "2", "3", "4"})); // column 0 stayed
    EXPECT_EQ(g.row(), 3);                                   // followed "c"
    g.Navigation().MoveRowOnSort = false;
    g.SortSettings().Direction = sdDescending;
    g.SortByColumn(1);
    EXPECT_EQ(Col(g, 1, 0), QStringList({"Nagłówek", "c", "b", "a", "stopka"}));
    EXPECT_EQ(g.row(), 3); // the same row number
}

TEST_F(GridSort, HiddenColumnsTravelAndBreakTies)
{
    TTxStringGrid g;
    g.SetColCount(4);
    Put(g, 1, {"x", "x", "a"});
    Put(g, 2, {"2", "1", "3"});
    g.HideColumn(2);
    g.HideColumn(3);
    g.SortSettings().Column = 1;
    g.QSort();
    EXPECT_EQ(Col(g, 1), QStringList({"a", "x", "x"}));
    EXPECT_EQ(Col(g, 2), QStringList({"3", "1", "2"})); // by the hidden column
}

TEST_F(GridSort, HeaderClicksAndTheIndexList)
{
    TTxStringGrid g;
    g.SetColCount(4);
    g.resize(400, 300);
    g.show();
    g.SortSettings().Show = true;
    Put(g, 1, {"b", "a", "a"});
    Put(g, 2, {"1", "2", "1"});
    Put(g, 3, {"k", "l", "m"});
    int clicks = 0;
    g.OnClickSort = [&](TTxStringGrid&, int) { ++clicks; };
    const TRect c2 = g.platformCellRect(2, 0);
    const QPoint mid((c2.Left + c2.Right) / 2, (c2.Top + c2.Bottom) / 2);
    Click(g.viewport(), mid);
    EXPECT_EQ(g.SortSettings().Column, 2);
    Click(g.viewport(), mid);
    EXPECT_EQ(g.SortSettings().Direction, sdDescending);
    EXPECT_EQ(Col(g, 2), QStringList({"2", "1", "1"}));
    g.ClickSort(3, false);
    EXPECT_EQ(g.SortSettings().Direction, sdAscending);
    EXPECT_EQ(clicks, 3);
    g.OnCanSort = [](TTxStringGrid&, int, bool& DoSort) { DoSort = false; };
    Click(g.viewport(), mid);
    EXPECT_EQ(g.SortSettings().Column, 3);
    g.OnCanSort = nullptr;
    g.setOptions(g.options() | ui::goColSizing);
    Click(g.viewport(), QPoint(c2.Left + 2, mid.y())); // sizes the column instead
    EXPECT_EQ(g.SortSettings().Column, 3);

    g.SortSettings().IndexShow = true;
    g.ClickSort(1, false);
    g.ClickSort(2, true);
    g.ClickSort(2, true); // a second Shift-click turns it round
    g.ClickSort(3, true);
    ASSERT_EQ(g.SortIndexes().Count(), 3);
    EXPECT_TRUE(TSortIndexList::Descending(g.SortIndexes().GetInteger(1)));
    EXPECT_EQ(Col(g, 3), QStringList({"l", "m", "k"})); // a; then 2 before 1; then b
    g.SortSettings().Full = false;
    g.ClickSort(3, false); // a plain click starts the list again
    g.ClickSort(3, false); // and on the only entry turns it round
    EXPECT_EQ(g.SortIndexes().Count(), 1);
    EXPECT_EQ(Col(g, 3), QStringList({"m", "l", "k"}));
    g.SortIndexes().Clear();
    try {
        g.QSortIndexed();
        ADD_FAILURE();
    } catch (const ETxGridError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("No indexes specified for indexed sort"));
    }
}

TEST_F(GridSort, GroupsSortInsideTheirNodes)
{
    TTxStringGrid g;
    Put(g, 1, {"Grupa 1", "c", "a", "Grupa 2", "z", "b", "y"});
    g.AddNode(1, 0);
    g.AddNode(4, 0);
    g.SortSettings().Column = 1;
    g.QSortGroup();
    EXPECT_EQ(Col(g, 1), QStringList({"Grupa 1", "a", "c", "Grupa 2", "b", "y", "z"}));
    EXPECT_TRUE(g.IsNode(1));
    EXPECT_TRUE(g.IsNode(4));
}

TEST_F(GridSort, CrossReferenceAndAThrowingHandler)
{
    TTxStringGrid g;
    Put(g, 1, {"c", "a", "b"});
    g.SortSettings().Column = 1;
    g.InitSortXRef();
    g.QSort();
    EXPECT_EQ(g.SortedRowIndex(1), 2);   // "a" stood at row 2
    EXPECT_EQ(g.UnSortedRowIndex(1), 3); // "c" went from row 1 to row 3
    EXPECT_EQ(g.SortedRowIndex(99), 99);

    g.SortSettings().NormalCellsOnly = true;
    g.setCells(0, 1, QStringLiteral("h"));
    g.OnGetFormat = [](TTxStringGrid&, int, TSortStyle& s, QString&, QString&) { s = ssCustom; };
    g.OnCustomCompare = [](TTxStringGrid&, const QString&, const QString&, int&) { throw std::runtime_error("x"); };
    g.SortSettings().Direction = sdDescending;
    EXPECT_THROW(g.QSort(), std::runtime_error);
    EXPECT_EQ(Col(g, 1), QStringList({"a", "b", "c"}));
    EXPECT_EQ(g.cells(0, 1), QStringLiteral("h"));
    EXPECT_EQ(g.UpdateCount(), 0);
    EXPECT_EQ(g.RowCount(), 4);
}

// Sorted, reversed, equal and saw-tooth columns of 20,000 rows: comparisons stay within
// n log n and every row moves with one swap at most.
TEST_F(GridSort, LargeGridsStayNLogN)
{
    constexpr int n = 20000;
    for (int pattern = 0; pattern < 4; ++pattern) {
        TTxStringGrid g;
        g.SetRowCount(n + 1);
        for (int r = 1; r <= n; ++r) {
            const int v = pattern == 0 ? r : pattern == 1 ? n - r : pattern == 2 ? 7 : (r * 37) % 101;
            g.setCells(1, r, QString::number(v));
        }
        g.SortSettings().Column = 1;
        g.SortSettings().Full = false;
        const int compares = g.CompareCount(), swaps = g.SwapCount();
        g.QSort();
        EXPECT_LE(g.CompareCount() - compares, int(1.1 * n * std::log2(n))) << pattern;
        EXPECT_LT(g.SwapCount() - swaps, n) << pattern;
        for (int r = 2; r <= n; ++r)
            ASSERT_LE(g.cells(1, r - 1).toInt(), g.cells(1, r).toInt()) << pattern << " " << r;
    }
}

// Mixed numbers, texts and empty cells against std::stable_sort of (class, value) keys: empty
// cells first, then numbers by value, then texts by their characters; both directions keep
// equal rows in their order. Columns of numbers alone (equal values written differently, minus
// zero, more digits than a double holds) go the same way. A block merged across rows 5..7 is
// split and its covered cells emptied, so no row shows another row's text.
TEST_F(GridSort, RandomColumnsMatchAStableSortOfTheirKeys)
{
    std::mt19937 rnd(11);
    // clang-format off
    const QStringList mixed{"", "7", "-2", "10", "2,5", "abc", "Abc", "b", "10a", "x y", "0", "7"};
    const QStringList numbers{"7",   "-2",   "10",  "2,5",      "2,50",    "0",    "-0",  "-0,0",
                              "0,1", "0,10", ",5",  "-100000,99", "100000,99", "3,141592653589793",
                              "12345678901234567,5", "-12345678901234567"};
    // clang-format on
    for (int round = 0; round < 10; ++round) {
        const QStringList& pool = round < 6 ? mixed : numbers;
        const int n = 50 + int(rnd() % 150);
        const bool desc = round % 2 == 1;
        TTxStringGrid g;
        g.SetColCount(4);
        QStringList texts;
        for (int i = 0; i < n; ++i)
            texts << pool[int(rnd() % pool.size())];
        Put(g, 1, texts);
        for (int i = 0; i < n; ++i)
            g.setCells(2, i + 1, QString::number(i));
        g.setCells(3, 5, QStringLiteral("M"));
        g.setCells(3, 6, QStringLiteral("covered"));
        g.MergeCells(3, 5, 1, 3);
        g.SortSettings().Column = 1;
        g.SortSettings().Full = false;
        g.SortSettings().Direction = desc ? sdDescending : sdAscending;
        g.QSort();

        auto key = [](const QString& t) {
            bool ok = false;
            const double v = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
            return std::tuple<int, double, QString>(t.isEmpty() ? 0 : ok ? 1 : 3, ok ? v : 0, ok ? QString() : t);
        };
        std::vector<int> want(static_cast<std::size_t>(n));
        std::iota(want.begin(), want.end(), 0);
        std::stable_sort(want.begin(), want.end(), [&](int a, int b) {
            return desc ? key(texts[b]) < key(texts[a]) : key(texts[a]) < key(texts[b]);
        });
        int merged = 0, marks = 0;
        for (int r = 1; r <= n; ++r) {
            ASSERT_EQ(g.cells(2, r).toInt(), want[std::size_t(r - 1)]) << round << " row " << r;
            merged += g.IsMergedCell(3, r) ? 1 : 0;
            marks += g.cells(3, r).isEmpty() ? 0 : 1;
        }
        EXPECT_EQ(merged, 0);
        EXPECT_EQ(marks, 1); // the base's text, on its own row
        EXPECT_EQ(g.cells(3, Col(g, 2).indexOf(QStringLiteral("4")) + 1), QStringLiteral("M"));
    }
}

TEST_F(GridFilter, FailingRowsAreHiddenWithOneCallAndComeBackWithTheirObjects)
{
    int alive = 0;
    TTxStringGrid g;
    Put(g, 1, {"a", "b", "a", "b", "b"});
    auto* p = new Probe(&alive);
    (void)g.SetGridObject(2, 5, std::unique_ptr<ui::CellObject>(p));
    Condition(g, 1, QStringLiteral("a"));
    std::vector<TRect> removed;
    g.OnCellsChanged = [&](TTxStringGrid&, TRect R) { removed.push_back(R); };
    std::vector<short> progress;
    g.OnFilterProgress = [&](TTxStringGrid&, short pc) { progress.push_back(pc); };
    g.SetFilterActive(true);
    g.SetFilterActive(true);       // once only
    ASSERT_EQ(removed.size(), 1u); // rows 2, 4 and 5 together, as displayed before
    EXPECT_EQ(QPoint(removed[0].Top, removed[0].Bottom), QPoint(2, 6));
    EXPECT_EQ(Col(g, 1), QStringList({"a", "a"}));
    EXPECT_EQ(g.RemapRowInv(2), 3);
    ASSERT_EQ(progress.size(), 5u); // each row examined once
    EXPECT_EQ(progress.back(), 100);

    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1), QStringList({"a", "b", "a", "b", "b"}));
    EXPECT_EQ(g.GetGridObject(2, 5), p);
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

TEST_F(GridFilter, ConditionsCombineAndCompareAsNumbersAndDates)
{
    TTxStringGrid g;
    g.SetColCount(4);
    Put(g, 1, {"Apple", "banana", "cherry", "Bob"});
    Put(g, 2, {"2,5", "1,25", "10", "3"});
    Put(g, 3, {"01.02.2011", "15.01.2011", "31.12.2010", "02.02.2011"});
    Condition(g, 1, QStringLiteral("a* | b*"), false);
    g.SetFilterActive(true);
    EXPECT_EQ(Col(g, 1), QStringList({"Apple", "banana", "Bob"}));
    g.SetFilterActive(false);

    Condition(g, 2, QStringLiteral(">1,5"));
    Condition(g, 3, QStringLiteral(">=01.02.2011"));
    g.SetFilterActive(true); // a row goes when either condition fails
    EXPECT_EQ(Col(g, 1), QStringList({"Apple", "Bob"}));
    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1), QStringList({"Apple", "banana", "cherry", "Bob"}));
}

// Rows hidden before (a contracted node) lie between the real indexes of a run: every row
// of the run still goes, and the hidden ones come back too.
TEST_F(GridFilter, ARunAcrossRowsHiddenBefore)
{
    TTxStringGrid g;
    Put(g, 1, {"x", "y", "z", "y", "x"});
    g.HideRow(3);
    Condition(g, 1, QStringLiteral("x"));
    g.SetFilterActive(true);
    EXPECT_EQ(Col(g, 1), QStringList({"x", "x"}));
    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1), QStringList({"x", "y", "z", "y", "x"}));
}

// A grid class with its own row test (here the inherited one, counted) is asked for every row.
class AskingGrid : public TTxStringGrid {
public:
    bool MatchFilter(int ARow) override
    {
        ++Asked;
        return TTxStringGrid::MatchFilter(ARow);
    }
    int Asked = 0;
};

// Tens of thousands of rows, filtered with some hidden before and again with none: the rows
// the grid tests straight from its store, in blocks shared out to other threads, are the ones
// a class with its own row test keeps on this thread, and the percentage comes once per change.
TEST_F(GridFilter, LargeGridsKeepTheSameRowsWhicheverWayTheyAreTested)
{
    constexpr int n = 70001;
    QStringList all, want, wantAll;
    for (int r = 1; r <= n; ++r) {
        all << QString::number(r);
        if (r % 7 >= 3 && r % 7 < 6) {
            wantAll << all.back();
            if (r < 5000 || r > 5010)
                want << all.back();
        }
    }
    TTxStringGrid own;
    AskingGrid asking;
    std::vector<std::vector<short>> progress;
    for (TTxStringGrid* g : {static_cast<TTxStringGrid*>(&own), static_cast<TTxStringGrid*>(&asking)}) {
        g->SetColCount(3);
        Put(*g, 2, all);
        for (int r = 1; r <= n; ++r)
            g->setCells(1, r, QString::number(r % 7));
        g->HideRows(5000, 5010);
        Condition(*g, 1, QStringLiteral(">=3 & <6"));
        std::vector<short>& pc = progress.emplace_back();
        g->OnFilterProgress = [&](TTxStringGrid&, short p) { pc.push_back(p); };
        g->SetFilterActive(true);
        EXPECT_EQ(Col(*g, 2), want);
        g->SetFilterActive(false);
        EXPECT_EQ(Col(*g, 2), all);
        ASSERT_FALSE(pc.empty());
        EXPECT_TRUE(std::adjacent_find(pc.begin(), pc.end(), std::greater_equal<short>()) == pc.end());
        EXPECT_EQ(pc.back(), 100);

        g->OnFilterProgress = nullptr; // no progress asked: the blocks go in one wave
        g->SetFilterActive(true);
        EXPECT_EQ(Col(*g, 2), wantAll);
        EXPECT_EQ(g->RemapRowInv(g->RowCount() - 1), 69998);
        g->SetFilterActive(false);
        EXPECT_EQ(Col(*g, 2), all);
    }
    EXPECT_EQ(asking.Asked, 2 * n - 11); // each row shown then examined once a filter
    EXPECT_EQ(progress[0], progress[1]);
}

TEST_F(GridFilter, NothingLeftGivesOnePlaceholderThatGoesAgain)
{
    TTxStringGrid g;
    Put(g, 1, {"a", "b", "c"});
    g.setCells(1, 0, QStringLiteral("Nazwa"));
    Condition(g, 1, QStringLiteral("z"));
    g.SetFilterActive(true);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.cells(1, 1), QString());
    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1, 0), QStringList({"Nazwa", "a", "b", "c"}));
    EXPECT_EQ(g.fixedRows(), 1);

    // Below it, a footer stays the last row; without fixed rows nothing is left behind.
    Put(g, 1, {"a", "b", "suma"});
    g.SetFixedFooters(1);
    g.SetFilterActive(true);
    EXPECT_EQ(Col(g, 1, 0), QStringList({"Nazwa", "", "suma"}));
    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1, 0), QStringList({"Nazwa", "a", "b", "suma"}));
    g.SetFixedRows(0); // no fixed rows: no empty row above the footer
    g.SetFilterActive(true);
    EXPECT_EQ(Col(g, 1, 0), QStringList({"suma"}));
    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1, 0), QStringList({"Nazwa", "a", "b", "suma"}));
    g.SetFixedFooters(0);
    g.SetFilterActive(true);
    EXPECT_EQ(g.RowCount(), 1);
    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1, 0), QStringList({"Nazwa", "a", "b", "suma"}));
}

// Filtered rows wait in place in the store; a sort, a write to a hidden row and a row hidden
// by hand meanwhile must leave every row where its real index says when all come back.
TEST_F(GridFilter, RowsHiddenInPlaceFollowSortsWritesAndHidingByHand)
{
    TTxStringGrid g;
    Put(g, 1, {"a3", "b1", "a1", "b2", "a2", "b3"});
    Condition(g, 1, QStringLiteral("a*"));
    g.SetFilterActive(true);
    EXPECT_EQ(Col(g, 1), QStringList({"a3", "a1", "a2"}));
    g.SortByColumn(1);
    EXPECT_EQ(Col(g, 1), QStringList({"a1", "a2", "a3"}));
    EXPECT_EQ(g.RemapRowInv(2), 3);
    EXPECT_EQ(g.RemapRow(5), 3);
    EXPECT_TRUE(g.IsHiddenRow(4));
    g.SetCellsEx(2, 4, QStringLiteral("x"));
    EXPECT_EQ(g.GetCellsEx(2, 4), QStringLiteral("x"));
    g.HideRow(3); // "a2"
    EXPECT_EQ(Col(g, 1), QStringList({"a1", "a3"}));
    EXPECT_EQ(g.NumHiddenRows(), 4);
    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1), QStringList({"a1", "b1", "a2", "b2", "a3", "b3"}));
    EXPECT_EQ(g.cells(2, 4), QStringLiteral("x"));
    EXPECT_EQ(g.NumHiddenRows(), 0);
}

// A progress handler that changes the rows at every report leaves the filter nothing to
// apply: FilterActive then reads false, as the grid shows every row, and switching it on
// again filters.
TEST_F(GridFilter, AFilterThatAHandlerKeepsFromApplyingReadsOff)
{
    TTxStringGrid g;
    g.SetColCount(2);
    g.SetRowCount(7);
    for (int r = 1; r < 7; ++r)
        g.setCells(1, r, r % 2 ? QStringLiteral("a") : QStringLiteral("b"));
    Condition(g, 1, QStringLiteral("a"));
    int reports = 0;
    g.OnFilterProgress = [&](TTxStringGrid& grid, short) {
        ++reports;
        grid.InsertRows(grid.RowCount(), 1);
    };
    g.SetFilterActive(true);
    EXPECT_GT(reports, 1);
    EXPECT_FALSE(g.FilterActive());
    EXPECT_EQ(g.NumHiddenRows(), 0);
    g.OnFilterProgress = nullptr;
    g.SetFilterActive(true);
    EXPECT_TRUE(g.FilterActive());
    EXPECT_EQ(Col(g, 1).count(QStringLiteral("b")), 0);
}

// A progress handler that changes the rows while a long filter runs: the filter never hides
// rows by what it worked out before the change. Afterwards the rows shown are the passing
// rows of the grid as the handler left it (or all of them, with the filter switched off),
// every shown row maps to a row that exists, and each can be sized.
TEST_F(GridFilter, AProgressHandlerThatChangesTheRowsLeavesNoStaleRowsBehind)
{
    constexpr int n = 150000; // several waves of blocks, shared out to other threads
    const std::vector<std::pair<const char*, std::function<void(TTxStringGrid&)>>> handlers = {
        {"row count cut", [](TTxStringGrid& g) { g.SetRowCount(g.RowCount() - 100000); }},
        {"rows removed", [](TTxStringGrid& g) { g.RemoveRows(1, 5000); }},
        {"rows inserted", [](TTxStringGrid& g) { g.InsertRows(1, 10); }},
        {"cleared", [](TTxStringGrid& g) { g.Clear(); }},
        {"filter switched off", [](TTxStringGrid& g) { g.SetFilterActive(false); }},
        {"filtered anew", [](TTxStringGrid& g) { g.ApplyFilter(); }},
    };
    for (const auto& handler : handlers) {
        SCOPED_TRACE(handler.first);
        const auto& change = handler.second; // a lambda may not capture a structured binding
        TTxStringGrid g;
        g.SetColCount(2);
        g.SetRowCount(n + 1);
        for (int r = 1; r <= n; ++r)
            g.setCells(1, r, r % 3 == 0 ? QStringLiteral("a") : QStringLiteral("b"));
        Condition(g, 1, QStringLiteral("a"));
        bool changed = false;
        int rowsAfter = 0, passingAfter = 0;
        g.OnFilterProgress = [&](TTxStringGrid& grid, short pc) {
            if (changed || pc < 90)
                return;
            changed = true;
            change(grid);
            rowsAfter = grid.RowCount() + grid.NumHiddenRows();
            for (int r = 1; r < grid.RowCount(); ++r)
                passingAfter += grid.cells(1, r) == QLatin1String("a");
        };
        g.SetFilterActive(true);
        ASSERT_TRUE(changed);
        if (g.FilterActive()) {
            // Nothing passing leaves the one empty row that keeps the fixed row fixed.
            EXPECT_EQ(g.RowCount() - 1, std::max(passingAfter, 1));
            EXPECT_EQ(Col(g, 1).count(QStringLiteral("a")), passingAfter);
        } else {
            EXPECT_EQ(g.NumHiddenRows(), 0);
            EXPECT_EQ(g.RowCount(), rowsAfter);
        }
        EXPECT_LT(g.RemapRowInv(g.RowCount() - 1), g.RowCount() + g.NumHiddenRows());
        for (int r = 0; r < g.RowCount(); ++r)
            g.setRowHeights(r, 19);
        g.SetFilterActive(false);
        EXPECT_EQ(g.RowCount(), rowsAfter);
        EXPECT_EQ(g.NumHiddenRows(), 0);
    }
}
