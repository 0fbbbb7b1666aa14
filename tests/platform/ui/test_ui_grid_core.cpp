// The headless string-grid core: counts and fixed counts, the cell store, sizes, the current
// cell and selection, scrolling by whole cells and key navigation.
#include "platform/ui/StringGridCore.h"

#include <gtest/gtest.h>

using namespace ui;

namespace {
struct Probe : CellObject {
    explicit Probe(int* alive) : alive(alive) { ++*alive; }
    ~Probe() override { --*alive; }
    int* alive;
};
} // namespace

TEST(UiGridCore, DefaultsOfThePlatformGrid)
{
    StringGridCore g;
    EXPECT_EQ(g.colCount(), 5);
    EXPECT_EQ(g.rowCount(), 5);
    EXPECT_EQ(g.fixedCols(), 1);
    EXPECT_EQ(g.fixedRows(), 1);
    EXPECT_EQ(g.defaultColWidth(), 64);
    EXPECT_EQ(g.defaultRowHeight(), 24);
    EXPECT_EQ(g.col(), 1);
    EXPECT_EQ(g.row(), 1);
}

TEST(UiGridCore, FixedCountMustStayBelowCount)
{
    StringGridCore g;
    EXPECT_THROW(g.setFixedCols(5), GridError);
    EXPECT_THROW(g.setFixedRows(5), GridError);
    EXPECT_THROW(g.setFixedRows(-1), GridError);
    g.setFixedCols(4);
    EXPECT_EQ(g.fixedCols(), 4);
    EXPECT_EQ(g.col(), 4); // the current cell leaves the fixed area
    // Lowering the count below the fixed count lowers the fixed count.
    g.setColCount(3);
    EXPECT_EQ(g.fixedCols(), 2);
    g.setColCount(0);
    EXPECT_EQ(g.colCount(), 1);
    EXPECT_EQ(g.fixedCols(), 0);
}

TEST(UiGridCore, CellsReadEmptyUntilWrittenAnywhere)
{
    StringGridCore g;
    EXPECT_EQ(g.cell(3, 3), QString());
    EXPECT_EQ(g.cell(-1, 2), QString());
    g.setCell(2, 3, QStringLiteral("x"));
    g.setCell(40, 2, QStringLiteral("far"));
    EXPECT_EQ(g.cell(2, 3), QStringLiteral("x"));
    EXPECT_EQ(g.cell(40, 2), QStringLiteral("far"));
}

TEST(UiGridCore, ColumnsPastALoweredCountKeepTheirCellsRowsDoNot)
{
    int alive = 0;
    StringGridCore g;
    g.setCell(4, 1, QStringLiteral("col4"));
    g.setCell(1, 4, QStringLiteral("row4"));
    g.setObject(1, 4, std::make_unique<Probe>(&alive));
    g.setColCount(3);
    g.setRowCount(3);
    EXPECT_EQ(g.cell(4, 1), QStringLiteral("col4")); // hidden columns live there
    EXPECT_EQ(alive, 0);                             // dropped rows free their objects
    g.setRowCount(5);
    EXPECT_EQ(g.cell(1, 4), QString());
}

TEST(UiGridCore, SlotsOwnTheirObjects)
{
    int alive = 0;
    {
        StringGridCore g;
        g.setObject(1, 1, std::make_unique<Probe>(&alive));
        g.setObject(1, 1, std::make_unique<Probe>(&alive)); // replacing frees the old one
        EXPECT_EQ(alive, 1);
        std::unique_ptr<CellObject> taken = g.takeObject(1, 1);
        EXPECT_EQ(g.object(1, 1), nullptr);
        EXPECT_EQ(alive, 1);
        g.setObject(2, 2, std::move(taken));
        g.setObject(3, 3, std::make_unique<Probe>(&alive));
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 0);
}

TEST(UiGridCore, MovesCarryTextsObjectsAndSizes)
{
    int alive = 0;
    StringGridCore g;
    for (int r = 0; r < 5; ++r)
        g.setCell(1, r, QString::number(r));
    g.setRowHeight(1, 40);
    g.setObject(1, 1, std::make_unique<Probe>(&alive));
    g.moveRow(1, 3);
    EXPECT_EQ(g.cell(1, 1), QStringLiteral("2"));
    EXPECT_EQ(g.cell(1, 3), QStringLiteral("1"));
    EXPECT_EQ(g.rowHeight(3), 40);
    EXPECT_NE(g.object(1, 3), nullptr);
    g.deleteRow(3);
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(alive, 0);
    EXPECT_EQ(g.cell(1, 3), QStringLiteral("4"));

    g.setCell(0, 0, QStringLiteral("a"));
    g.setColWidth(0, 10);
    g.moveCol(0, 2);
    EXPECT_EQ(g.cell(2, 0), QStringLiteral("a"));
    EXPECT_EQ(g.colWidth(2), 10);
}

TEST(UiGridCore, DefaultSizeResetsEverySize)
{
    StringGridCore g;
    g.setColWidth(2, 100);
    g.setDefaultColWidth(30);
    EXPECT_EQ(g.colWidth(2), 30);
    g.setColCount(8);
    EXPECT_EQ(g.colWidth(7), 30);
    g.setRowHeight(1, -5);
    EXPECT_EQ(g.rowHeight(1), 0);
    EXPECT_EQ(g.fixedColsWidth(), 30);
}

TEST(UiGridCore, SelectionFollowsOrExtendsAndRowSelectSpansTheRow)
{
    StringGridCore g;
    g.setColCount(10);
    g.setRowCount(10);
    g.setClientSize(1000, 1000);
    g.moveCurrent(2, 2);
    g.moveCurrent(4, 5, true);
    EXPECT_EQ(g.selection(), (GridRect{2, 2, 4, 5}));
    g.moveCurrent(3, 1, true);
    EXPECT_EQ(g.selection(), (GridRect{2, 1, 3, 2}));
    g.moveCurrent(6, 6);
    EXPECT_EQ(g.selection(), (GridRect{6, 6, 6, 6}));
    g.setOptions(g.options() | goRowSelect);
    EXPECT_EQ(g.selection(), (GridRect{1, 6, 9, 6}));
    // Without range selection an extend is a plain move.
    g.setOptions(goRowSelect & 0);
    g.moveCurrent(2, 2, true);
    EXPECT_EQ(g.selection(), (GridRect{2, 2, 2, 2}));
}

TEST(UiGridCore, ScrollsByWholeCellsToShowTheCurrentCell)
{
    StringGridCore g;
    g.setRowCount(100);
    g.setColCount(20);
    g.setDefaultRowHeight(20);
    g.setDefaultColWidth(50);
    g.setClientSize(260, 210); // fixed 20 + 9 rows of 20 (and a part); fixed 50 + 4 columns
    EXPECT_EQ(g.visibleRowCount(), 9);
    EXPECT_EQ(g.visibleColCount(), 4);
    g.moveCurrent(1, 20);
    EXPECT_EQ(g.topRow(), 12);
    g.moveCurrent(10, 5);
    EXPECT_EQ(g.topRow(), 5);
    EXPECT_EQ(g.leftCol(), 7);
    g.setTopRow(1000);
    EXPECT_EQ(g.topRow(), g.maxTopRow());
    EXPECT_EQ(g.maxTopRow(), 91); // rows 91..99 fill the area
    g.setTopRow(0);
    EXPECT_EQ(g.topRow(), 1);
}

TEST(UiGridCore, CellRectAndHitTest)
{
    StringGridCore g;
    g.setRowCount(50);
    g.setDefaultRowHeight(20);
    g.setDefaultColWidth(50);
    g.setClientSize(200, 100);
    EXPECT_EQ(g.cellRect(0, 0), (Rect{0, 0, 50, 20}));
    EXPECT_EQ(g.cellRect(2, 3), (Rect{100, 60, 150, 80}));
    g.setTopRow(10);
    EXPECT_TRUE(g.cellRect(2, 3).isEmpty()); // scrolled away
    EXPECT_EQ(g.cellRect(2, 10), (Rect{100, 20, 150, 40}));
    EXPECT_EQ(g.cellRect(2, 0), (Rect{100, 0, 150, 20})); // fixed row does not scroll
    int c = -1, r = -1;
    ASSERT_TRUE(g.cellAt(QPoint(120, 45), c, r));
    EXPECT_EQ(c, 2);
    EXPECT_EQ(r, 11);
    EXPECT_TRUE(g.cellAt(QPoint(10, 10), c, r));
    EXPECT_EQ(r, 0);
    EXPECT_FALSE(g.cellAt(QPoint(250, 10), c, r));
}

TEST(UiGridCore, NavigationKeys)
{
    StringGridCore g;
    g.setColCount(6);
    g.setRowCount(30);
    g.setDefaultRowHeight(20);
    g.setClientSize(400, 120); // 5 scrolled rows
    g.moveCurrent(3, 10);
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        QPoint want;
    } cases[] = {
        {Qt::Key_Left, {}, {2, 10}},
        {Qt::Key_Right, {}, {4, 10}},
        {Qt::Key_Up, {}, {3, 9}},
        {Qt::Key_Down, {}, {3, 11}},
        {Qt::Key_Home, {}, {1, 10}},
        {Qt::Key_End, {}, {5, 10}},
        {Qt::Key_Home, Qt::ControlModifier, {1, 1}},
        {Qt::Key_End, Qt::ControlModifier, {5, 29}},
        {Qt::Key_PageDown, {}, {3, 15}},
        {Qt::Key_PageUp, {}, {3, 5}},
        {Qt::Key_Tab, {}, {3, 10}}, // without goTabs Tab does not move
    };
    for (const Case& c : cases)
        EXPECT_EQ(g.keyTarget(c.key, c.mods), c.want) << "key " << c.key;
    g.moveCurrent(1, 1);
    EXPECT_EQ(g.keyTarget(Qt::Key_Left, {}), QPoint(1, 1)); // never into the fixed column
    EXPECT_EQ(g.keyTarget(Qt::Key_Up, {}), QPoint(1, 1));
    g.setOptions(g.options() | goTabs);
    g.moveCurrent(5, 3);
    EXPECT_EQ(g.keyTarget(Qt::Key_Tab, {}), QPoint(1, 4));
    g.moveCurrent(1, 4);
    EXPECT_EQ(g.keyTarget(Qt::Key_Backtab, {}), QPoint(5, 3));
}

namespace {
// Remembers where the store last put it.
struct Placed : CellObject {
    void placedAt(int c, int r) override { at = QPoint(c, r); }
    QPoint at{-1, -1};
};
} // namespace

TEST(UiGridCore, BulkRowsMoveInOneStepAndObjectsLearnTheirPlace)
{
    int alive = 0;
    StringGridCore g;
    g.setRowCount(100000);
    auto* p = new Placed;
    g.setObject(2, 99990, std::unique_ptr<CellObject>(p));
    EXPECT_EQ(p->at, QPoint(2, 99990));
    g.setCell(1, 5, QStringLiteral("five"));
    g.setRowHeight(5, 33);
    g.insertRows(3, 50000);
    EXPECT_EQ(g.rowCount(), 150000);
    EXPECT_EQ(g.cell(1, 50005), QStringLiteral("five"));
    EXPECT_EQ(g.rowHeight(50005), 33);
    EXPECT_EQ(g.rowHeight(3), g.defaultRowHeight());
    EXPECT_EQ(g.object(2, 149990), p);
    EXPECT_EQ(p->at, QPoint(2, 149990));

    g.setObject(1, 10, std::make_unique<Probe>(&alive));
    std::vector<StringGridCore::RowData> out = g.takeRows(4, 200000); // clamped to the grid
    EXPECT_EQ(out.size(), 149996u);
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(alive, 1); // taken out, not freed
    EXPECT_EQ(out[50001].texts.at(1), QStringLiteral("five"));
    EXPECT_EQ(out[50001].height, 33);
    g.insertRows(1, std::move(out));
    EXPECT_EQ(g.rowCount(), 150000);
    EXPECT_EQ(g.cell(1, 50002), QStringLiteral("five"));
    EXPECT_EQ(g.object(2, 149987), p);
    EXPECT_EQ(p->at, QPoint(2, 149987));
    g.removeRows(1, 20);
    EXPECT_EQ(alive, 0);     // removing frees
    g.removeRows(150000, 5); // past the end: nothing
    EXPECT_EQ(g.rowCount(), 149980);
    g.removeRows(0, 200000);
    EXPECT_EQ(g.rowCount(), 1); // a grid keeps one row
    EXPECT_EQ(g.fixedRows(), 0);
}

// Rows written one by one up to the reserved count leave no gap in the store; taking a row
// out then must not empty the rows after it.
TEST(UiGridCore, TakingARowFromAFullStoreKeepsTheRest)
{
    StringGridCore g;
    g.setRowCount(31);
    for (int r = 1; r < 31; ++r)
        g.setCell(4, r, QString::number(r));
    (void)g.takeRow(2);
    EXPECT_EQ(g.cell(4, 2), QStringLiteral("3"));
    EXPECT_EQ(g.cell(4, 29), QStringLiteral("30"));
}

// Rows are set aside only by a list of the store's own rows, ascending: one naming a row past
// the count, or out of order, is refused whole and nothing moves.
TEST(UiGridCore, RowsAreSetAsideOnlyByAListOfTheStoresOwnRows)
{
    StringGridCore g;
    g.setRowCount(10);
    for (int r = 0; r < 10; ++r)
        g.setCell(0, r, QString::number(r));
    const auto list = [](std::initializer_list<int> rows) { return RowList(rows.begin(), rows.end()); };
    const std::uint64_t stamp = g.structureStamp();
    EXPECT_FALSE(g.setAside(list({0, 2, 12}), nullptr));
    EXPECT_FALSE(g.setAside(list({0, 5, 3}), nullptr));
    EXPECT_FALSE(g.setAside(list({0, 3, 3}), nullptr));
    EXPECT_EQ(g.rowCount(), 10);
    EXPECT_EQ(g.structureStamp(), stamp);
    ASSERT_TRUE(g.setAside(list({0, 3, 9}), nullptr));
    EXPECT_EQ(g.rowCount(), 3);
    EXPECT_EQ(g.cell(0, 2), QStringLiteral("9"));
    EXPECT_NE(g.structureStamp(), stamp); // row indexes worked out before no longer hold
    g.showAside();
    EXPECT_EQ(g.cell(0, 5), QStringLiteral("5"));
}

TEST(UiGridCore, DeletingAColumnShiftsHiddenColumnsToo)
{
    StringGridCore g; // 5 displayed columns; real columns 5 and 6 hidden past them
    g.setHiddenCols(2);
    EXPECT_EQ(g.realColCount(), 7);
    auto* p = new Placed;
    g.setObject(6, 1, std::unique_ptr<CellObject>(p));
    g.setCell(5, 1, QStringLiteral("h5"));
    g.setCell(6, 1, QStringLiteral("h6"));
    g.setColWidth(4, 77);
    g.deleteCol(2);
    EXPECT_EQ(g.colCount(), 4);
    EXPECT_EQ(g.cell(4, 1), QStringLiteral("h5"));
    EXPECT_EQ(g.cell(5, 1), QStringLiteral("h6"));
    EXPECT_EQ(g.cell(6, 1), QString());
    EXPECT_EQ(g.object(5, 1), p); // asked for, it learns its new place
    EXPECT_EQ(p->at, QPoint(5, 1));
    EXPECT_EQ(g.colWidth(3), 77);
}

TEST(UiGridCore, FooterRowsAndRightColumnsStayPinnedAndOutOfReach)
{
    StringGridCore g;
    g.setColCount(10);
    g.setRowCount(100);
    g.setDefaultColWidth(50);
    g.setDefaultRowHeight(20);
    g.setClientSize(300, 200);
    g.setFixedRightCols(1);
    g.setFixedFooters(2);
    EXPECT_EQ(g.lastNormalCol(), 8);
    EXPECT_EQ(g.lastNormalRow(), 97);
    // Fixed row 20 + 7 scrolled rows of 20 + two footers at the bottom edge.
    EXPECT_EQ(g.visibleRowCount(), 7);
    EXPECT_EQ(g.visibleColCount(), 4);
    EXPECT_EQ(g.cellRect(3, 99), (Rect{150, 180, 200, 200}));
    EXPECT_EQ(g.cellRect(9, 98), (Rect{250, 160, 300, 180}));
    EXPECT_EQ(g.cellRect(9, 1), (Rect{250, 20, 300, 40}));
    EXPECT_TRUE(g.cellRect(3, 9).isEmpty()); // would stand under the footers
    int c = -1, r = -1;
    ASSERT_TRUE(g.cellAt(QPoint(260, 185), c, r));
    EXPECT_EQ(QPoint(c, r), QPoint(9, 99));
    ASSERT_TRUE(g.cellAt(QPoint(60, 150), c, r));
    EXPECT_EQ(QPoint(c, r), QPoint(1, 7));

    g.moveCurrent(9, 99);
    EXPECT_EQ(QPoint(g.col(), g.row()), QPoint(8, 97)); // clamped to the normal cells
    EXPECT_EQ(g.keyTarget(Qt::Key_Down, {}), QPoint(8, 97));
    EXPECT_EQ(g.keyTarget(Qt::Key_Right, {}), QPoint(8, 97));
    EXPECT_EQ(g.keyTarget(Qt::Key_End, Qt::ControlModifier), QPoint(8, 97));
    EXPECT_EQ(g.topRow(), 91); // scrolled so the last normal row shows above the footers
    EXPECT_EQ(g.maxTopRow(), 91);
    EXPECT_EQ(g.maxLeftCol(), 5);

    // A grid smaller than its window: the trailing cells follow the last normal ones.
    g.setRowCount(4);
    g.setFixedFooters(1);
    EXPECT_EQ(g.cellRect(0, 3), (Rect{0, 60, 50, 80}));
    // Too many trailing ones: one normal row and column remain.
    g.setFixedFooters(10);
    EXPECT_EQ(g.lastNormalRow(), 1);
}
