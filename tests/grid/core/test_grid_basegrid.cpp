// The base grid: cell properties, merged cells (rules, navigation, painting) and the wheel.
#include "grid/core/Basegrid.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace grid;

namespace {

// A grid whose base cells of merged blocks paint red, and which counts cell paints.
class ProbeGrid : public TBaseGrid {
public:
    ProbeGrid()
    {
        setDefaultColWidth(40);
        setDefaultRowHeight(20);
        setFrameShape(QFrame::NoFrame);
        resize(300, 200);
        show();
    }
    void GetVisualProperties(int ACol, int ARow, TGridDrawState&, bool, bool, ui::Brush& Brush, ui::Font&, TAlignment&,
                             TVAlignment&, bool&) override
    {
        if (IsMergedCell(ACol, ARow))
            Brush.color = ui::clRed;
    }
    void DrawGridCell(ui::Canvas& c, int ACol, int ARow, TRect r, TGridDrawState s) override
    {
        ++painted[{ACol, ARow}];
        TBaseGrid::DrawGridCell(c, ACol, ARow, r, s);
    }
    QImage shot()
    {
        painted.clear();
        return viewport()->grab().toImage();
    }
    void key(int k)
    {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(this, &e);
    }
    void wheel(int dy)
    {
        QWheelEvent e(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, dy), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &e);
    }
    std::map<std::pair<int, int>, int> painted;
};

bool isRed(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)) == QColor(Qt::red); }

} // namespace

TEST(GridBase, ConstructionDefaults)
{
    TBaseGrid g;
    EXPECT_EQ(g.GridLineWidth(), 1);
    EXPECT_EQ(g.GridLineColor(), ui::clSilver);
    EXPECT_FALSE(g.DefaultDrawing());
    EXPECT_TRUE(g.options() & ui::goDrawFocusSelected);
    EXPECT_FALSE(g.HasCellProperties(1, 1));
}

TEST(GridBase, CellPropertiesAreCreatedOnDemandAndOwned)
{
    TBaseGrid g;
    EXPECT_EQ(g.GetObjectEx(1, 1), nullptr);
    EXPECT_FALSE(g.HasCellProperties(1, 1)); // reading creates nothing
    TCellProperties* p = g.GetCellProperties(2, 3);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Col(), 2);
    EXPECT_EQ(p->Row(), 3);
    EXPECT_EQ(p->BrushColor(), ui::clNone);
    EXPECT_EQ(p->RowSpan(), -1);
    EXPECT_EQ(p->ColSpan(), -1);
    EXPECT_TRUE(p->IsBaseCell());
    EXPECT_EQ(g.GetCellProperties(2, 3), p);

    ui::CellObject free;
    g.SetObjectEx(1, 4, &free);
    EXPECT_EQ(g.GetObjectEx(1, 4), &free);
    EXPECT_EQ(g.cells(1, 4), QString()); // the text stays empty
    g.SetGraphicObjectEx(1, 4, std::make_unique<ui::CellObject>());
    EXPECT_NE(g.GetGraphicObjectEx(1, 4), nullptr);
    EXPECT_TRUE(g.GetCellProperties(1, 4)->OwnsGraphic());

    std::unique_ptr<ui::CellObject> taken = g.NilCell(2, 3);
    EXPECT_EQ(taken.get(), p); // handed over, not freed
    EXPECT_FALSE(g.HasCellProperties(2, 3));
}

TEST(GridBase, MergeRulesOfABlock)
{
    TBaseGrid g;
    g.setColCount(6);
    g.setRowCount(6);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r)
            g.setCells(c, r, QStringLiteral("%1/%2").arg(c).arg(r));
    g.MergeCells(1, 1, 3, 2);
    EXPECT_EQ(g.BaseCell(3, 2), QPoint(1, 1));
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r) {
            EXPECT_EQ(g.CellSpan(c, r), QPoint(2, 1));
            EXPECT_EQ(g.IsBaseCell(c, r), c == 1 && r == 1);
            EXPECT_TRUE(g.IsMergedCell(c, r));
        }
    EXPECT_FALSE(g.IsMergedCell(4, 1));
    EXPECT_EQ(g.GetCellEx(3, 2), QStringLiteral("1/1"));
    g.SetCellEx(3, 2, QStringLiteral("new"));
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("new"));
    EXPECT_EQ(g.cells(3, 2), QStringLiteral("3/2"));
    EXPECT_EQ(g.FullCell(2, 2), (TGridRect{1, 1, 3, 2}));
    int bc = -1, br = -1;
    EXPECT_FALSE(g.IsBaseCellEx(2, 2, bc, br));
    EXPECT_EQ(QPoint(bc, br), QPoint(1, 1));
    EXPECT_EQ(g.CellSize(2, 2), QPoint(3 * g.defaultColWidth(), 2 * g.defaultRowHeight()));
    EXPECT_TRUE(g.IsXMergedCell(2, 2));
    EXPECT_EQ(g.MaxRowSpan(1), 1);
    EXPECT_EQ(g.MinRowSpan(1), 1);
    EXPECT_EQ(g.MinRowSpan(4), g.rowCount());

    g.SplitCells(3, 2);
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 2; ++r) {
            EXPECT_FALSE(g.IsMergedCell(c, r));
            EXPECT_TRUE(g.IsBaseCell(c, r));
            EXPECT_EQ(g.GetCellEx(c, r), g.cells(c, r));
        }
    EXPECT_EQ(g.GetCellEx(3, 2), QStringLiteral("3/2"));
}

TEST(GridBase, OneByOneAndTwoColumnBlocks)
{
    TBaseGrid g;
    g.setColCount(8);
    g.MergeCells(1, 1, 1, 1);
    EXPECT_TRUE(g.IsMergedCell(1, 1));
    EXPECT_EQ(g.CellSpan(1, 1), QPoint(0, 0));
    g.MergeCells(2, 2, 2, 1);
    EXPECT_FALSE(g.IsXMergedCell(2, 2)); // two columns are not reported
    g.MergeCells(4, 2, 3, 1);
    EXPECT_TRUE(g.IsXMergedCell(5, 2));
}

TEST(GridBase, SpanComparisons)
{
    TBaseGrid g;
    g.setColCount(6);
    g.setRowCount(8);
    g.MergeCells(1, 1, 1, 3); // rows 1..3 in column 1
    EXPECT_TRUE(g.RowSpanIdentical(1, 3));
    EXPECT_FALSE(g.RowSpanIdentical(1, 5)); // no common block
    g.MergeCells(2, 1, 2, 1);
    EXPECT_TRUE(g.ColSpanIdentical(2, 3));
    EXPECT_FALSE(g.ColSpanIdentical(1, 2));
    EXPECT_TRUE(g.ColSpanIdentical(4, 5));
}

TEST(GridBase, DisplayTextEvent)
{
    TBaseGrid g;
    g.setCells(1, 2, QStringLiteral("x"));
    int asked = 0;
    g.OnGetDisplText = [&](TBaseGrid&, int c, int r, QString& v) {
        ++asked;
        v = QStringLiteral("%1:%2:%3").arg(c).arg(r).arg(v);
    };
    EXPECT_EQ(g.GetCellEx(1, 2), QStringLiteral("1:2:x"));
    g.SetDisplTextRowLimit(2);
    EXPECT_EQ(g.GetCellEx(1, 2), QStringLiteral("x"));
    EXPECT_EQ(asked, 1);
}

TEST(GridBase, CopiesMoveObjects)
{
    TBaseGrid g;
    g.setCells(1, 1, QStringLiteral("a"));
    g.GetCellProperties(1, 1);
    g.CopyRows(3, 1);
    EXPECT_EQ(g.cells(1, 3), QStringLiteral("a"));
    EXPECT_TRUE(g.HasCellProperties(1, 3));
    EXPECT_FALSE(g.HasCellProperties(1, 1));
    g.CopyCols(4, 1);
    EXPECT_EQ(g.cells(4, 3), QStringLiteral("a"));
    EXPECT_TRUE(g.HasCellProperties(4, 3));
    (void)g.NilCol(4); // the cells' objects it hands back are freed here
    EXPECT_EQ(g.cells(4, 3), QString());
    EXPECT_FALSE(g.HasCellProperties(4, 3));
}

TEST(GridBase, CellRectOfScrolledCellsIsNegative)
{
    ProbeGrid g;
    g.setColCount(20);
    g.setLeftCol(3);
    EXPECT_EQ(g.GetCellRect(3, 0), (TRect{40, 0, 80, 20}));
    EXPECT_EQ(g.GetCellRect(1, 0), (TRect{-40, 0, 0, 20}));
    EXPECT_EQ(g.GetCellRect(0, 0), (TRect{0, 0, 40, 20}));
    g.MergeCells(1, 1, 4, 1);
    EXPECT_EQ(g.CellRect(2, 1), (TRect{-40, 20, 120, 40}));
}

TEST(GridBase, MergedBlockPaintsOnceAsOneRectangle)
{
    ProbeGrid g;
    g.setColCount(6);
    g.setRowCount(6);
    g.MergeCells(1, 1, 3, 2);
    const QImage img = g.shot();
    EXPECT_EQ((g.painted[{1, 1}]), 1);
    EXPECT_EQ(g.painted.count({2, 1}), 0u);
    EXPECT_EQ(g.painted.count({3, 2}), 0u);
    // Red through the block, across the inner cell borders.
    EXPECT_TRUE(isRed(img, 45, 25));
    EXPECT_TRUE(isRed(img, 79, 30));  // where the line between columns 1 and 2 would be
    EXPECT_TRUE(isRed(img, 100, 39)); // where the line between rows 1 and 2 would be
    EXPECT_TRUE(isRed(img, 150, 55));
    EXPECT_FALSE(isRed(img, 165, 30)); // column 4
    EXPECT_FALSE(isRed(img, 45, 65));  // row 3
}

TEST(GridBase, BlockWithBaseOffScreenPaintsOnTheFirstPassClippedAtFixedColumns)
{
    ProbeGrid g;
    g.setColCount(20);
    g.MergeCells(1, 1, 4, 1); // columns 1..4
    g.setLeftCol(3);          // column 1 and 2 scrolled away; 3 and 4 show from x = 40
    const QImage img = g.shot();
    EXPECT_TRUE(isRed(img, 45, 30));
    EXPECT_TRUE(isRed(img, 115, 30));
    EXPECT_FALSE(isRed(img, 20, 30));  // the fixed column is not painted over
    EXPECT_FALSE(isRed(img, 125, 30)); // column 5
    EXPECT_EQ((g.painted[{1, 1}]), 1);
}

TEST(GridBase, KeysStepOverMergedBlocks)
{
    ProbeGrid g;
    g.setColCount(8);
    g.setRowCount(8);
    g.MergeCells(2, 2, 3, 2); // columns 2..4, rows 2..3
    // clang-format off
    struct Step {
        QPoint from;
        int key;
        QPoint to;
    } steps[] = {
        {{2, 2}, Qt::Key_Right, {5, 2}}, {{5, 2}, Qt::Key_Left, {2, 2}}, {{2, 2}, Qt::Key_Left, {1, 2}},
        {{2, 2}, Qt::Key_Down, {2, 4}},  {{2, 4}, Qt::Key_Up, {2, 2}},   {{2, 2}, Qt::Key_Up, {2, 1}},
        // From a covered cell (reached by a click) the move lands just before the block.
        {{4, 3}, Qt::Key_Left, {1, 3}},  {{4, 3}, Qt::Key_Up, {4, 1}},   {{3, 3}, Qt::Key_Right, {5, 3}},
        {{3, 2}, Qt::Key_Down, {3, 4}},
    };
    // clang-format on
    for (const Step& s : steps) {
        g.focusCell(s.from.x(), s.from.y());
        g.key(s.key);
        EXPECT_EQ(QPoint(g.col(), g.row()), s.to) << "from " << s.from.x() << "," << s.from.y() << " key " << s.key;
    }
}

TEST(GridBase, LeftAndUpNeverLeaveTheNonFixedCells)
{
    ProbeGrid g;
    g.setColCount(8);
    g.setRowCount(8);
    g.MergeCells(1, 1, 3, 3); // the block starts at the first non-fixed cell
    g.focusCell(3, 2);
    g.key(Qt::Key_Left);
    EXPECT_EQ(QPoint(g.col(), g.row()), QPoint(1, 1));
    g.focusCell(2, 3);
    g.key(Qt::Key_Up);
    EXPECT_EQ(QPoint(g.col(), g.row()), QPoint(1, 1));
}

TEST(GridBase, WheelMovesTheRowAndKeepsTheFooterRowOutOfView)
{
    ProbeGrid g;
    g.setRowCount(10);
    g.resize(300, 100); // fixed row + 4 rows
    QApplication::processEvents();
    g.viewport()->grab();
    ASSERT_EQ(g.visibleRowCount(), 4);
    g.focusCell(1, 3);
    g.wheel(-120);
    EXPECT_EQ(g.row(), 4);
    EXPECT_EQ(g.topRow(), 1);
    g.wheel(120);
    EXPECT_EQ(g.row(), 3);

    g.SetLastRowInFooter(true);
    g.wheel(-120);
    EXPECT_EQ(g.row(), 4);
    EXPECT_EQ(g.topRow(), 2); // scrolled one more so the last visible row is not the footer's
}

TEST(GridBase, WheelLandsOnTheBaseCell)
{
    ProbeGrid g;
    g.setRowCount(8);
    g.MergeCells(1, 2, 1, 3);
    g.focusCell(1, 1);
    g.wheel(-120);
    EXPECT_EQ(g.row(), 2);
    g.focusCell(1, 5);
    g.wheel(120);
    EXPECT_EQ(g.row(), 2);
}

TEST(GridBase, PageDownStopsBeforeTheFooterRow)
{
    ProbeGrid g;
    g.setRowCount(6);
    g.resize(300, 160);
    QApplication::processEvents();
    g.viewport()->grab();
    ASSERT_EQ(g.visibleRowCount(), 5);
    g.SetLastRowInFooter(true);
    g.focusCell(1, 1);
    g.key(Qt::Key_PageDown);
    EXPECT_EQ(g.row(), 4);
}

TEST(GridBase, LastRowInFooterPaintsEmpty)
{
    ProbeGrid g;
    g.setRowCount(4);
    g.MergeCells(1, 3, 2, 1);
    g.SetLastRowInFooter(true);
    const QImage img = g.shot();
    EXPECT_FALSE(isRed(img, 45, 65));
    EXPECT_EQ(g.painted.count({1, 3}), 0u);
}

TEST(GridBase, IsSelectedCoversTheCurrentBlock)
{
    ProbeGrid g;
    g.setColCount(6);
    g.setRowCount(6);
    g.MergeCells(2, 2, 2, 2);
    g.focusCell(2, 2);
    EXPECT_TRUE(g.IsSelected(3, 3));
    EXPECT_FALSE(g.IsSelected(4, 4));
    g.focusCell(5, 5);
    EXPECT_FALSE(g.IsSelected(3, 3));
}
