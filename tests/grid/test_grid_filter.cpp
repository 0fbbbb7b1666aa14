// Filtering under a Polish desktop's settings: runs of failing rows hidden with one call each,
// conditions combined and compared as numbers and dates, the placeholder row when nothing is
// left, and every row coming back with its objects when filtering is switched off.
#include "grid/Txgrid.h"
#include "platform/registry/Registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace grid;

namespace {
class GridFilter : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
        set("sDecimal", QStringLiteral(","));
        set("sThousand", QStringLiteral("."));
        set("sShortDate", QStringLiteral("dd.MM.yyyy"));
    }
    void TearDown() override { registry::setStorePath(QString()); }
    void set(const char* name, const QString& value)
    {
        ASSERT_TRUE(registry::write(registry::Root::CurrentUser, QStringLiteral("Control Panel\\International"),
                                    QLatin1String(name), value));
    }
    QTemporaryDir dir;
};

struct Probe : ui::CellObject {
    explicit Probe(int* alive) : a(alive) { ++*a; }
    ~Probe() override { --*a; }
    int* a;
};

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

void Condition(TTxStringGrid& g, int ACol, const QString& Mask, bool CaseSensitive = true)
{
    TFilterData* f = g.Filter().Add();
    f->Column = short(ACol);
    f->Condition = Mask;
    f->CaseSensitive = CaseSensitive;
}
} // namespace

TEST_F(GridFilter, RunsAreHiddenWithOneCallAndComeBackWithTheirObjects)
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
    g.SetFilterActive(true); // once only
    ASSERT_EQ(removed.size(), 2u); // real row 2, then real rows 4..5
    EXPECT_EQ(removed[0].Top, 2);
    EXPECT_EQ(removed[0].Bottom, 3);
    EXPECT_EQ(removed[1].Top, 3);
    EXPECT_EQ(removed[1].Bottom, 5);
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
    g.SetFixedFooters(0);
    g.SetFixedRows(0);
    g.SetFilterActive(true);
    EXPECT_EQ(g.RowCount(), 1);
    g.SetFilterActive(false);
    EXPECT_EQ(Col(g, 1, 0), QStringList({"Nazwa", "a", "b", "suma"}));
}
