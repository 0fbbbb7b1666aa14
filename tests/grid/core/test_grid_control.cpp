// The grid control: defaults after construction, the per-cell hooks with their events and
// parameter order, the window life cycle (timer, footer panel, owner form), IntegralHeight,
// start-up registration and the pinned footer rows as painted.
#include "grid/core/Txgrid.h"
#include "grid/TxgridStartup.h"

#include <QApplication>
#include <QImage>
#include <QStyle>
#include <QVariant>
#include <QSet>
#include <gtest/gtest.h>

using namespace grid;

TEST(GridControl, DefaultsAfterConstruction)
{
    TTxStringGrid g;
    const struct {
        const char* name;
        QVariant got, want;
    } table[] = {
        {"DefaultRowHeight", g.defaultRowHeight(), 21},
        {"FloatFormat", g.FloatFormat, QStringLiteral("%.2f")},
        {"Look", int(g.Look()), int(glSoft)},
        {"EnableHTML", g.EnableHTML, true},
        {"EnableWheel", g.EnableWheel, true},
        {"IntelliZoom", g.IntelliZoom, true},
        {"IntelliPan", int(g.IntelliPan), int(ipVertical)},
        {"HintColor", g.HintColor, ui::clInfoBk},
        {"Font", g.controlFont().name, QStringLiteral("Tahoma")},
        {"FixedFont", g.FixedFont().name, QStringLiteral("Tahoma")},
        {"ActiveCellFont bold", g.ActiveCellFont().bold(), true},
        {"ActiveCellShow", g.ActiveCellShow, false},
        {"SelectionColor", g.SelectionColor(), ui::clHighlight},
        {"SelectionTextColor", g.SelectionTextColor(), ui::clHighlightText},
        {"ShowSelection", g.ShowSelection(), true},
        {"HideFocusRect", g.HideFocusRect, false},
        {"URLColor", g.URLColor(), ui::clBlue},
        {"URLShow", g.URLShow(), false},
        {"VAlignment", int(g.VAlignment()), int(vtaTop)},
        {"ScrollType", int(g.ScrollType), int(ssNormal)},
        {"ScrollColor", g.ScrollColor, ui::clNone},
        {"ScrollHints", int(g.ScrollHints), int(shNone)},
        {"ScrollWidth", g.ScrollWidth > 0, true},
        {"PasswordChar", QString(g.PasswordChar), QStringLiteral("*")},
        {"CheckTrue", g.CheckTrue, QStringLiteral("Y")},
        {"CheckFalse", g.CheckFalse, QStringLiteral("N")},
        {"Zoom", g.Zoom, 0},
        {"FixedFooters", g.FixedFooters(), 0},
        {"FixedRightCols", g.FixedRightCols(), 0},
        {"IntegralHeight", g.IntegralHeight, false},
        {"FilterActive", g.FilterActive(), false},
        {"MaxEditLength", g.MaxEditLength, 0},
        {"NumHiddenColumns", g.NumHiddenColumns(), 0},
        {"FloatingFooter.Height", g.FloatingFooter().Height(), 21},
        {"GridImages", g.GridImages() == nullptr, true},
        {"PictureContainer", g.PictureContainer == nullptr, true},
        {"CellChecker", g.CellChecker == nullptr, true},
        {"GetVersionNr", g.GetVersionNr(), 2},
        {"GetFilter", g.GetFilter(1), false},
    };
    for (const auto& t : table)
        EXPECT_EQ(t.got, t.want) << t.name;
    EXPECT_FALSE(g.TimerActive()); // until the window exists
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
    EXPECT_FALSE(g.HasCellProperties(1, 1));
}

TEST(GridControl, HooksHandTheirQuestionToTheEventsRowBeforeColumnWhereTheEventSaysSo)
{
    TTxStringGrid g;
    g.setColCount(6);
    g.setRowCount(6);
    std::vector<QString> log;
    g.OnCanEditCell = [&](TTxStringGrid&, int r, int c, bool& can) {
        log.push_back(QStringLiteral("edit r%1 c%2 %3").arg(r).arg(c).arg(can));
        can = false;
    };
    g.OnGetCheckTrue = [&](TTxStringGrid&, int c, int r, QString& v) {
        log.push_back(QStringLiteral("true c%1 r%2 %3").arg(c).arg(r).arg(v));
        v = QStringLiteral("Tak");
    };
    g.OnGetCellColor = [&](TTxStringGrid&, int r, int c, TGridDrawState, ui::Brush& b, ui::Font&) {
        log.push_back(QStringLiteral("color r%1 c%2 %3").arg(r).arg(c).arg(b.color, 0, 16));
    };
    g.OnUpdateColumnSize = [&](TTxStringGrid&, int c, int& w) {
        log.push_back(QStringLiteral("size c%1 %2").arg(c).arg(w));
        w = 99;
    };
    g.OnEllipsClick = [&](TTxStringGrid&, int c, int r, QString& s) {
        log.push_back(QStringLiteral("ellips c%1 r%2 %3").arg(c).arg(r).arg(s));
        s += QStringLiteral("!");
    };
    g.OnCellsChanged = [&](TTxStringGrid&, TRect r) {
        log.push_back(QStringLiteral("changed %1 %2 %3 %4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom));
    };

    bool can = true;
    g.GetCellReadOnly(2, 4, can);
    EXPECT_FALSE(can);
    EXPECT_EQ(g.GetCheckTrue(2, 4), QStringLiteral("Tak"));
    EXPECT_EQ(g.GetCheckFalse(2, 4), QStringLiteral("N"));
    g.GetCellProperties(3, 5)->SetBrushColor(ui::clRed);
    ui::Brush brush{ui::clWhite};
    ui::Font font;
    g.GetCellColor(3, 5, 0, brush, font); // the cell's own colour first, then the event
    EXPECT_EQ(brush.color, ui::clRed);
    int w = 40;
    g.UpdateColSize(2, w);
    EXPECT_EQ(w, 99);
    g.focusCell(2, 3);
    QString result;
    g.EllipsClick(QStringLiteral("abc"), result);
    EXPECT_EQ(result, QStringLiteral("abc!"));
    g.setCells(1, 1, QStringLiteral("x"));
    g.ClearRect(1, 1, 2, 2);
    EXPECT_EQ(g.cells(1, 1), QString());
    const std::vector<QString> want = {QStringLiteral("edit r4 c2 1"),     QStringLiteral("true c2 r4 Y"),
                                       QStringLiteral("color r5 c3 ff"),   QStringLiteral("size c2 40"),
                                       QStringLiteral("edit r3 c2 0"), // moving asks whether the cell is editable
                                       QStringLiteral("ellips c2 r3 abc"), QStringLiteral("changed 1 1 2 2")};
    EXPECT_EQ(log, want);
}

TEST(GridControl, FixedCellsAndTheActiveCellFont)
{
    TTxStringGrid g;
    g.setFixedRows(0);
    g.setRowCount(1);
    bool fixed = false;
    g.GetCellFixed(1, 0, fixed);
    EXPECT_FALSE(fixed);
    g.FixedRowAlways = true;
    g.GetCellFixed(1, 0, fixed);
    EXPECT_TRUE(fixed); // the single row counts as fixed
    int asked = 0;
    g.OnIsFixedCell = [&](TTxStringGrid&, int, int, bool& f) {
        ++asked;
        f = true;
    };
    g.GetCellFixed(0, 0, fixed); // a fixed column: the event is not asked
    EXPECT_EQ(asked, 0);
    g.FixedRowAlways = false;
    g.GetCellFixed(2, 0, fixed);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(fixed);

    TTxStringGrid h;
    h.ActiveCellShow = true;
    h.focusCell(2, 3);
    auto fontAt = [&h](int c, int r) {
        ui::Brush b;
        ui::Font f;
        h.GetCellColor(c, r, 0, b, f);
        return f.bold();
    };
    EXPECT_TRUE(fontAt(0, 3)); // the row header of the current row
    EXPECT_TRUE(fontAt(2, 0)); // the column header of the current column
    EXPECT_FALSE(fontAt(0, 2));
    EXPECT_FALSE(fontAt(2, 3)); // the current cell itself
}

TEST(GridControl, IntegralHeightFitsWholeRows)
{
    // With a horizontal scroll bar the height shrinks to whole rows (and one pixel less).
    EXPECT_EQ(TTxStringGrid::IntegralBoundsHeight(100, 21, true, 17), 83);
    // Without one it grows by what a row leaves over, less the bar's height and a pixel.
    EXPECT_EQ(TTxStringGrid::IntegralBoundsHeight(100, 21, false, 17), 87);
    TTxStringGrid g;
    g.setColCount(2);
    g.show();
    g.SetBounds(0, 0, 300, 100);
    QApplication::processEvents();
    EXPECT_EQ(g.height(), 100); // off: as given
    g.IntegralHeight = true;
    g.SetBounds(0, 0, 300, 100); // both columns fit: no horizontal bar
    const int bar = g.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &g);
    EXPECT_EQ(g.height(), 100 + 21 - 100 % 21 - bar - 1);
    g.setColCount(20);
    g.SetBounds(0, 0, 300, 100);
    EXPECT_EQ(g.height(), 83);
}

TEST(GridControl, WindowLifeCycleTimerFooterPanelAndOwnerForm)
{
    QWidget form;
    form.resize(400, 300);
    auto* g = new TTxStringGrid(&form);
    EXPECT_EQ(g->OwnerForm(), &form);
    EXPECT_EQ(g->OwnerFormSize(), QSize(400, 300));
    g->setGeometry(0, 0, 300, 200);
    g->FloatingFooter().SetVisible(true);
    EXPECT_FALSE(g->FooterPanel()->isVisibleTo(g)); // no window yet
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(g->TimerActive());
    EXPECT_TRUE(g->FooterPanel()->isVisibleTo(g));
    EXPECT_EQ(g->FooterPanel()->height(), 20); // the row height less one
    EXPECT_EQ(g->FixedFooters(), 1);
    g->FloatingFooter().SetVisible(false);
    EXPECT_FALSE(g->FooterPanel()->isVisibleTo(g));
    delete g;
    form.resize(500, 300); // the form goes on without the grid
    QApplication::processEvents();
    EXPECT_EQ(form.width(), 500);
}

TEST(GridControl, FloatingFooterPaintsTheLastRowsTexts)
{
    QWidget form;
    form.resize(400, 300);
    auto* g = new TTxStringGrid(&form);
    g->setGeometry(0, 0, 350, 200);
    g->SetColCount(4);
    g->SetRowCount(5);
    const char* amounts[][2] = {{"100,00", "10,00"}, {"60,00", "6,00"}, {"50,00", "5,00"}};
    for (int r = 1; r <= 3; ++r) {
        g->setCells(1, r, QString::fromLatin1(amounts[r - 1][0]));
        g->setCells(2, r, QString::fromLatin1(amounts[r - 1][1]));
    }
    g->setCells(0, 4, QStringLiteral("Razem"));
    g->FloatingFooter().SetFooterStyle(fsFixedLastRow);
    g->FloatingFooter().SetColumnCalc(1, acSUM);
    g->FloatingFooter().SetColumnCalc(2, acSUM);
    g->FloatingFooter().SetVisible(true);
    g->CellsChanged(TRect{0, 0, 4, 5}); // the footer sums follow
    form.show();
    QApplication::processEvents();
    ASSERT_TRUE(g->FooterPanel()->isVisibleTo(g));
    EXPECT_EQ(g->cells(1, 4), QStringLiteral("210,00"));
    EXPECT_EQ(g->cells(2, 4), QStringLiteral("21,00"));

    // Each of the three texts leaves pixels of its own in the panel; the empty cell none.
    const QImage img = g->FooterPanel()->grab().toImage();
    auto colours = [&](int col) {
        QSet<QRgb> seen;
        const int left = col * g->colWidths(0) + 3;
        for (int y = 3; y < img.height() - 3; ++y)
            for (int x = left; x < left + g->colWidths(col) - 6; ++x)
                seen.insert(img.pixel(x, y));
        return seen.size();
    };
    EXPECT_GT(colours(0), 1);
    EXPECT_GT(colours(1), 1);
    EXPECT_GT(colours(2), 1);
    EXPECT_EQ(colours(3), 1);
}

TEST(GridControl, StartUpRegistersTheGrid)
{
    LibraryStartUp();
    TComponentFactory f = FindClass(QStringLiteral("TTxStringGrid"));
    ASSERT_TRUE(f);
    std::unique_ptr<QWidget> w(f(nullptr));
    EXPECT_NE(qobject_cast<TTxStringGrid*>(w.get()), nullptr);
    LibraryShutDown();
}

TEST(GridControl, FooterRowsPaintFixedAtTheBottomEdge)
{
    TTxStringGrid g;
    g.setFrameShape(QFrame::NoFrame);
    g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    g.setRowCount(100);
    g.setDefaultRowHeight(20);
    g.setControlColor(ui::clWhite);
    g.resize(300, 200);
    g.SetFixedFooters(1);
    g.show();
    QApplication::processEvents();
    EXPECT_TRUE(g.IsFixed(2, 99));
    const QImage img = g.viewport()->grab().toImage();
    const QColor face = ui::toQColor(ui::clBtnFace);
    EXPECT_EQ(QColor(img.pixel(150, 190)), face);              // row 99 at the bottom
    EXPECT_EQ(QColor(img.pixel(150, 170)), QColor(Qt::white)); // a normal row above it
    g.focusCell(2, 99);
    EXPECT_EQ(g.row(), 98); // the footer is out of the cursor's reach
}

TEST(GridControl, HeaderListsWriteTheFixedRowAndColumn)
{
    TTxStringGrid g;
    g.setColCount(3);
    g.setCells(2, 0, QStringLiteral("old"));
    g.SetColumnHeaders({QStringLiteral("A"), QStringLiteral("B\\nC"), QStringLiteral("D"), QStringLiteral("E")});
    EXPECT_EQ(g.cells(0, 0), QStringLiteral("A"));
    EXPECT_EQ(g.cells(1, 0), QStringLiteral("B\rC")); // "\\n" in a header is a line break
    EXPECT_EQ(g.cells(2, 0), QStringLiteral("D"));
    EXPECT_EQ(g.cells(3, 0), QString()); // entries past the columns are left out
    g.SetRowHeaders({QString(), QStringLiteral("1")});
    EXPECT_EQ(g.cells(0, 1), QStringLiteral("1"));
    EXPECT_EQ(g.cells(0, 0), QString()); // every entry is written, the empty one too
}
