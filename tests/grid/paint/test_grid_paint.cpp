// Cell painting probed by pixels: band and cell colours, borders, alignment, the soft look of
// fixed cells, and the looks of check boxes, progress bars and comment marks.
#include "grid/core/Txgrid.h"
#include "support/Keyboard.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>
#include <gtest/gtest.h>

using namespace grid;

namespace {
QColor C(ui::Color c) { return ui::toQColor(c); }

struct Shown {
    Shown()
    {
        g.setColCount(4);
        g.setRowCount(8);
        g.setDefaultColWidth(80);
        g.resize(400, 260);
        g.show();
        QApplication::processEvents();
    }
    QImage grab() { return g.viewport()->grab().toImage(); }
    // A pixel inside cell (c, r), dx/dy from its top-left corner.
    QColor at(const QImage& img, int c, int r, int dx, int dy)
    {
        const TRect rc = g.CellRect(c, r);
        return QColor(img.pixel(rc.Left + dx, rc.Top + dy));
    }
    TTxStringGrid g;
};
} // namespace

TEST(GridPaint, BandsCellColoursAndFixedCells)
{
    Shown s;
    s.g.Bands().SetPrimaryColor(ui::rgb(200, 0, 0));
    s.g.Bands().SetSecondaryColor(ui::rgb(0, 0, 200));
    s.g.Bands().SetPrimaryLength(2);
    s.g.Bands().SetSecondaryLength(1);
    s.g.Bands().SetActive(true);
    s.g.SetFixedFooters(1);
    s.g.GetCellProperties(2, 4)->SetBrushColor(ui::rgb(0, 200, 0));
    s.g.SetShowSelection(false);
    const QImage img = s.grab();
    EXPECT_EQ(s.at(img, 2, 1, 40, 10), QColor(200, 0, 0));
    EXPECT_EQ(s.at(img, 2, 2, 40, 10), QColor(200, 0, 0));
    EXPECT_EQ(s.at(img, 2, 3, 40, 10), QColor(0, 0, 200));
    EXPECT_EQ(s.at(img, 2, 4, 40, 10), QColor(0, 200, 0)); // the cell's own colour wins
    EXPECT_EQ(s.at(img, 2, 5, 40, 10), QColor(200, 0, 0));
    EXPECT_EQ(s.at(img, 2, 0, 40, 10), C(s.g.FixedColor));                        // header
    EXPECT_EQ(s.at(img, 2, 7, 40, 10), C(s.g.FixedColor));                        // footer row
    EXPECT_EQ(s.at(img, 0, 3, 40, 10), C(s.g.FixedColor));                        // fixed column
    EXPECT_EQ(s.at(img, 2, 0, 40, s.g.rowHeights(0) - 2), QColor(128, 128, 128)); // soft look's shadow
}

TEST(GridPaint, BordersAlignmentAndTextBesideACheckBox)
{
    Shown s;
    s.g.SetShowSelection(false);
    s.g.OnGetCellBorder = [](TTxStringGrid&, int ARow, int ACol, ui::Pen& Pen, TCellBorders& Borders) {
        if (ARow == 2 && ACol == 1) {
            Pen = ui::Pen{ui::rgb(255, 0, 255), 1};
            Borders = cbLeft | cbTop;
        }
    };
    s.g.OnGetAlignment = [](TTxStringGrid&, int ARow, int, TAlignment& H, TVAlignment&) {
        if (ARow == 3)
            H = taRightJustify;
    };
    s.g.setCells(2, 3, QStringLiteral("WWW"));
    s.g.setCells(2, 4, QStringLiteral("WWW"));
    s.g.AddCheckBox(3, 3, true, false);
    s.g.setCells(3, 3, QStringLiteral("WWWW"));
    const QImage img = s.grab();
    const TRect b = s.g.CellRect(1, 2);
    EXPECT_EQ(QColor(img.pixel(b.Left + 1, b.Top + 10)), QColor(255, 0, 255)); // inside the grid lines
    EXPECT_EQ(QColor(img.pixel(b.Left + 30, b.Top + 1)), QColor(255, 0, 255));
    EXPECT_NE(QColor(img.pixel(b.Right - 2, b.Top + 10)), QColor(255, 0, 255));

    // Ink of right-aligned text lies in the right half, of left-aligned in the left half.
    auto ink = [&](int c, int r, bool right) {
        const TRect rc = s.g.CellRect(c, r);
        const int from = right ? rc.Left + rc.width() / 2 : rc.Left,
                  to = right ? rc.Right - 1 : rc.Left + rc.width() / 2;
        for (int x = from; x < to; ++x)
            for (int y = rc.Top + 2; y < rc.Bottom - 2; ++y)
                if (qGray(img.pixel(x, y)) < 100)
                    return true;
        return false;
    };
    EXPECT_TRUE(ink(2, 3, true));
    EXPECT_FALSE(ink(2, 3, false));
    EXPECT_TRUE(ink(2, 4, false));
    EXPECT_FALSE(ink(2, 4, true));
    // A check box before right-aligned text stands left of the text, not over it.
    const TRect cb = s.g.CellRect(3, 3);
    int firstInk = -1;
    for (int x = cb.Right - 3; x > cb.Left && firstInk < 0; --x)
        for (int y = cb.Top + 3; y < cb.Bottom - 3; ++y)
            if (qGray(img.pixel(x, y)) < 100) {
                firstInk = x;
                break;
            }
    EXPECT_GT(firstInk, cb.Right - 45); // text ends at the right
    bool boxLeftOfText = false;
    for (int x = cb.Left; x < cb.Right - 40; ++x)
        if (QColor(img.pixel(x, cb.Top + 2 + (cb.height() - 15) / 2)) == QColor(128, 128, 128))
            boxLeftOfText = true;
    EXPECT_TRUE(boxLeftOfText);
}

TEST(GridPaint, CheckBoxLooksProgressAndComments)
{
    Shown s;
    s.g.SetShowSelection(false);
    s.g.ControlLook().SetControlStyle(csBorland);
    s.g.ControlLook().SetColor(ui::rgb(0, 0, 255));
    s.g.AddCheckBox(1, 1, true, false);
    s.g.AddCheckBox(1, 2, true, false);
    s.g.OnCanEditCell = [](TTxStringGrid&, int ARow, int, bool& CanEdit) { CanEdit = ARow != 2; };
    s.g.AddProgress(2, 1, ui::rgb(0, 160, 0), ui::rgb(255, 255, 255));
    s.g.SetInts(2, 1, 50);
    s.g.AddComment(3, 1, QStringLiteral("uwaga"));
    s.g.CommentColor = ui::rgb(255, 0, 0);
    const QImage img = s.grab();
    auto count = [&](int c, int r, const QColor& col) {
        const TRect rc = s.g.CellRect(c, r);
        int n = 0;
        for (int x = rc.Left; x < rc.Right; ++x)
            for (int y = rc.Top; y < rc.Bottom; ++y)
                n += QColor(img.pixel(x, y)) == col;
        return n;
    };
    EXPECT_GT(count(1, 1, QColor(0, 0, 255)), 5);   // enabled: the tick in the look's colour
    EXPECT_EQ(count(1, 2, QColor(0, 0, 255)), 0);   // read-only: drawn disabled, a grey tick
    EXPECT_GT(count(1, 2, C(ui::clBtnShadow)), 20); // on the shadow face
    // Progress 50 %: the left half in the bar colour, the right half in the rest colour.
    const TRect p = s.g.CellRect(2, 1);
    EXPECT_EQ(QColor(img.pixel(p.Left + 8, p.Top + 4)), QColor(0, 160, 0));
    EXPECT_EQ(QColor(img.pixel(p.Right - 8, p.Top + 4)), QColor(255, 255, 255));
    EXPECT_GT(count(3, 1, QColor(255, 0, 0)), 5);
    s.g.CommentColor = ui::clNone;
    EXPECT_EQ(
        [&] {
            const QImage again = s.grab();
            const TRect rc = s.g.CellRect(3, 1);
            return QColor(again.pixel(rc.Right - 4, rc.Top + 3));
        }(),
        QColor(Qt::white));
}

// A check box draws the same whatever was painted before it in the painter: a sort indicator
// in its header cell, a comment mark in its cell, or nothing. Unchecked, it is white inside.
TEST(GridPaint, CheckBoxesLookTheSameWhateverWasPaintedBefore)
{
    struct Case {
        const char* Name;
        std::function<void(TTxStringGrid&)> Before;
        bool MarkInCell; // the mark itself takes some of the data cell's white away
    };
    const Case cases[] = {
        {"nothing", [](TTxStringGrid&) {}, false},
        {"sort indicator",
         [](TTxStringGrid& g) {
             g.SortSettings().Show = true;
             g.SortSettings().Column = 1;
         },
         false},
        {"comment mark",
         [](TTxStringGrid& g) {
             g.CommentColor = ui::rgb(255, 0, 0);
             g.AddComment(1, 1, QStringLiteral("uwaga"));
         },
         true},
    };
    std::vector<int> plain;
    for (const Case& t : cases) {
        SCOPED_TRACE(t.Name);
        Shown s;
        s.g.SetShowSelection(false);
        s.g.ControlLook().SetControlStyle(csFlat);
        t.Before(s.g);
        s.g.AddCheckBox(1, 0, false, false);
        s.g.AddCheckBox(1, 1, false, false);
        const QImage img = s.grab();
        const int inside = (s.g.ControlLook().CheckSize() - 2) * (s.g.ControlLook().CheckSize() - 2);
        std::vector<int> white;
        for (int r : {0, 1}) {
            const QRect rc = s.g.CellRect(1, r).toQRect() & img.rect();
            int n = 0;
            for (int x = rc.left(); x <= rc.right(); ++x)
                for (int y = rc.top(); y <= rc.bottom(); ++y)
                    n += QColor(img.pixel(x, y)) == QColor(Qt::white);
            white.push_back(n);
        }
        EXPECT_GE(white[0], inside); // the header cell is grey: only the box is white
        if (plain.empty())
            plain = white;
        EXPECT_EQ(white[0], plain[0]);
        if (t.MarkInCell)
            EXPECT_GT(white[1], plain[1] - inside);
        else
            EXPECT_EQ(white[1], plain[1]);
    }
}

// The ink of a cell: the box around its dark pixels, empty when it has none.
static QRect Ink(const QImage& img, const TRect& rc)
{
    QRect ink;
    const QRect seen = rc.toQRect() & img.rect();
    for (int x = seen.left(); x <= seen.right(); ++x)
        for (int y = seen.top(); y <= seen.bottom(); ++y)
            if (qGray(img.pixel(x, y)) < 100)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// A 30 pt rich cell fitted by AutoSizeCells and AutoSizeRow paints whole: its ink ends inside
// the cell, short of where the cell cuts its text off.
TEST(GridPaint, RichCellsFitToTheirOwnFonts)
{
    Shown s;
    s.g.SetShowSelection(false);
    const QString big = QStringLiteral("{\\rtf1\\ansi\\fs60 Duzy tekst}");
    s.g.setCells(2, 2, big); // away from the current cell and its focus frame
    s.g.AutoSizeCells(false, 8, 4);
    QImage img = s.grab();
    TRect rc = s.g.CellRect(2, 2);
    QRect ink = Ink(img, rc);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.height(), 20);
    EXPECT_LT(ink.right(), rc.Right - 4);
    EXPECT_LT(ink.bottom(), rc.Bottom - 2);

    s.g.setCells(3, 4, big);
    s.g.setColWidths(3, 300);
    s.g.AutoSizeRow(4);
    img = s.grab();
    rc = s.g.CellRect(3, 4);
    ink = Ink(img, rc);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.height(), 20);
    EXPECT_LT(ink.bottom(), rc.Bottom - 2);
}

// The application's draw-cell event draws over the painted cell; with disjunct row marks the
// rows a plain mouse selection covers show selected while the button is held; a new text
// offset repaints the cells with the text moved.
TEST(GridPaint, DrawCellEventMouseSelectionOfMarkedRowsAndTheTextOffset)
{
    Shown s;
    std::vector<QPoint> drawn;
    TRect given;
    s.g.OnDrawCell = [&](TTxStringGrid&, ui::Canvas& c, int ACol, int ARow, TRect R, TGridDrawState) {
        drawn.emplace_back(ACol, ARow);
        if (ACol == 2 && ARow == 5) {
            given = R;
            c.painter()->fillRect(R.Left, R.Top, 8, 8, QColor(255, 0, 255));
        }
    };
    QImage img = s.grab();
    EXPECT_EQ(s.at(img, 2, 5, 3, 3), QColor(255, 0, 255));
    // Inside the cell: one pixel in from the painted rectangle's left and top, the grid
    // line's width from its right and bottom (the painted rectangle is the cell less its lines).
    const TRect cell = s.g.CellRect(2, 5);
    const int gl = s.g.GridLineWidth();
    EXPECT_EQ(given, (TRect{cell.Left + gl + 1, cell.Top + gl + 1, cell.Right - 2 * gl, cell.Bottom - 2 * gl}));
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), QPoint(0, 0)), drawn.end()); // fixed cells too
    s.g.OnDrawCell = nullptr;

    s.g.MouseActions().DisjunctRowSelect = true;
    s.g.SetSelectionColor(ui::rgb(0, 0, 160));
    const auto centre = [&](int c, int r) { return s.g.CellRect(c, r).toQRect().center(); };
    QTest::mousePress(s.g.viewport(), Qt::LeftButton, {}, centre(1, 2));
    QTest::mouseMove(s.g.viewport(), centre(1, 3));
    QTest::mouseMove(s.g.viewport(), centre(1, 4));
    ASSERT_EQ(s.g.GetRowSelectCount(), 0); // marked only on release
    img = s.grab();
    for (int r : {2, 3})
        EXPECT_EQ(s.at(img, 1, r, 40, 10), QColor(0, 0, 160)) << r;
    EXPECT_NE(s.at(img, 1, 5, 40, 10), QColor(0, 0, 160));
    QTest::mouseRelease(s.g.viewport(), Qt::LeftButton, {}, centre(1, 4));
    EXPECT_EQ(s.g.GetRowSelectCount(), 3);
    img = s.grab();
    EXPECT_EQ(s.at(img, 2, 3, 40, 10), QColor(0, 0, 160));

    s.g.setCells(3, 6, QStringLiteral("IIII"));
    int paints = 0;
    struct Count : QObject {
        int& n;
        explicit Count(int& N) : n(N) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    s.g.viewport()->installEventFilter(&counter);
    QApplication::processEvents();
    paints = 0;
    s.g.SetXYOffset(QPoint(40, 1));
    QApplication::processEvents();
    EXPECT_GT(paints, 0);
    EXPECT_EQ(s.g.XYOffset(), QPoint(40, 1));
    s.g.viewport()->removeEventFilter(&counter);
    img = s.grab();
    const TRect rc = s.g.CellRect(3, 6);
    EXPECT_GE(Ink(img, rc).left(), rc.Left + 40);
}

// The soft look draws the frame as a grey line one pixel inside the grid's edge.
TEST(GridPaint, SoftLookFrame)
{
    Shown s;
    ASSERT_GE(s.g.frameWidth(), 1);
    const int x = std::min(1, s.g.frameWidth() - 1); // a frame of one pixel is all grey
    const auto inner = [&] {
        const QImage img = s.g.grab().toImage();
        return QColor(img.pixel(x, img.height() / 2));
    };
    EXPECT_EQ(inner(), QColor(128, 128, 128));
    s.g.SetLook(glStandard);
    EXPECT_NE(inner(), QColor(128, 128, 128));
}

// The dark pixels of a cell.
static int DarkPixels(const QImage& img, const TRect& rc)
{
    int n = 0;
    const QRect seen = rc.toQRect() & img.rect();
    for (int x = seen.left(); x <= seen.right(); ++x)
        for (int y = seen.top(); y <= seen.bottom(); ++y)
            n += qGray(img.pixel(x, y)) < 100;
    return n;
}

// Turned text lies whole inside its cell at every angle, at the side its alignment names;
// turned runs of formatted text stay inside their cell too.
TEST(GridPaint, TurnedTextInsideItsCell)
{
    Shown s;
    s.g.SetShowSelection(false);
    s.g.setColWidths(2, 130);
    s.g.setRowHeights(2, 130);
    s.g.setRowHeights(3, 130);
    s.g.resize(400, 440);
    QApplication::processEvents();
    const TRect rc = s.g.CellRect(2, 2);
    const TRect inner{rc.Left + 1, rc.Top + 1, rc.Right - 1, rc.Bottom - 1};
    s.g.AddRotated(2, 2, 0, QStringLiteral("Wzmocnienie"));
    const int upright = DarkPixels(s.grab(), rc);
    ASSERT_GT(upright, 40);
    struct Case {
        int angle;
        TAlignment align;
    };
    for (const Case c :
         {Case{45, taLeftJustify}, Case{90, taLeftJustify}, Case{135, taLeftJustify}, Case{180, taLeftJustify},
          Case{270, taLeftJustify}, Case{0, taRightJustify}, Case{90, taRightJustify}, Case{90, taCenter}}) {
        s.g.OnGetAlignment = [&](TTxStringGrid&, int, int, TAlignment& H, TVAlignment&) { H = c.align; };
        s.g.AddRotated(2, 2, c.angle, QStringLiteral("Wzmocnienie"));
        const QImage img = s.grab();
        const QRect ink = Ink(img, rc);
        ASSERT_FALSE(ink.isEmpty()) << c.angle << " " << c.align;
        // All of it: as many dark pixels as upright, give or take the smoothing of a turn.
        EXPECT_GT(DarkPixels(img, inner), upright * 7 / 10) << c.angle << " " << c.align;
        EXPECT_LT(ink.top(), rc.Top + 8) << c.angle << " " << c.align; // the grid aligns to the top
        if (c.align == taLeftJustify)
            EXPECT_LT(ink.left(), rc.Left + 8) << c.angle;
        else if (c.align == taRightJustify)
            EXPECT_GT(ink.right(), rc.Right - 9) << c.angle;
        else
            EXPECT_LE(std::abs(ink.center().x() - rc.toQRect().center().x()), 4);
    }
    s.g.OnGetAlignment = nullptr;
    s.g.RemoveRotated(2, 2);

    // Formatted text turned up and down reaches neither the heading above nor the cell to its left.
    // It shows in its cell, whole where the row is tall enough, its foot cut off where not.
    s.g.setRowHeights(1, 40);
    s.g.setCells(2, 1, QStringLiteral("<R a=\"90\">Wzmocnienie</R>"));
    s.g.setCells(3, 2, QStringLiteral("<R a=\"90\">Wzmocnienie</R>"));
    s.g.setCells(2, 3, QStringLiteral("<R a=\"270\">Wzmocnienie</R>"));
    const QImage img = s.grab();
    EXPECT_TRUE(Ink(img, s.g.CellRect(2, 0)).isEmpty());
    EXPECT_TRUE(Ink(img, s.g.CellRect(3, 1)).isEmpty());
    EXPECT_TRUE(Ink(img, s.g.CellRect(1, 3)).isEmpty());
    const TRect cut = s.g.CellRect(2, 1);
    EXPECT_GT(DarkPixels(img, cut), upright / 5);
    EXPECT_LT(Ink(img, cut).top(), cut.Top + 8); // the word's end at the top, as in a tall row
    for (const TPoint at : {TPoint{3, 2}, TPoint{2, 3}}) {
        const TRect cell = s.g.CellRect(at.x(), at.y());
        EXPECT_GT(DarkPixels(img, {cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1}), upright * 7 / 10)
            << at.y();
        const QRect ink = Ink(img, cell);
        EXPECT_LT(ink.top(), cell.Top + 8) << at.y();
        EXPECT_LT(ink.left(), cell.Left + 8) << at.y();
        EXPECT_GT(ink.height(), 3 * ink.width()) << at.y();
    }
}

// A new row mark repaints the current row's first cell; without goDrawFocusSelected the
// focused cell keeps its own colours inside the selection; a stretched picture stays inside
// its cell's grid lines.
TEST(GridPaint, RowMarkFocusedCellAndStretchedPicture)
{
    Shown s;
    keyboard::showFocused(s.g);
    ASSERT_TRUE(s.g.hasFocus());
    ASSERT_GT(s.g.fixedCols(), 0);
    QRegion painted;
    struct Seen : QObject {
        QRegion& r;
        explicit Seen(QRegion& R) : r(R) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint)
                r += static_cast<QPaintEvent*>(e)->region();
            return false;
        }
    } seen(painted);
    s.g.viewport()->installEventFilter(&seen);
    QApplication::processEvents();
    painted = QRegion();
    QImage mark(8, 8, QImage::Format_RGB32);
    mark.fill(Qt::red);
    s.g.SetRowIndicator(mark);
    QApplication::processEvents();
    EXPECT_TRUE(painted.intersects(s.g.CellRect(0, s.g.row()).toQRect()));
    s.g.viewport()->removeEventFilter(&seen);

    s.g.SetSelectionColor(ui::rgb(0, 0, 160));
    s.g.setOptions((s.g.options() | ui::goRangeSelect) & ~ui::GridOptions(ui::goDrawFocusSelected));
    s.g.focusCell(1, 1);
    s.g.setSelection({1, 1, 2, 2}); // from (1, 1) to the current cell (2, 2)
    ASSERT_EQ(s.g.col(), 2);
    QImage img = s.grab();
    EXPECT_EQ(s.at(img, 1, 1, 40, 10), QColor(0, 0, 160));
    EXPECT_EQ(s.at(img, 2, 2, 40, 10), C(s.g.controlColor()));

    TPicture red(300, 300, QImage::Format_RGB32);
    red.fill(Qt::red);
    s.g.AddPicture(3, 5, &red, false, Stretch, 0, haLeft, vaTop);
    img = s.grab();
    const TRect rc = s.g.CellRect(3, 5);
    const QPoint mid = rc.toQRect().center();
    EXPECT_EQ(QColor(img.pixel(mid)), QColor(Qt::red));
    EXPECT_NE(QColor(img.pixel(rc.Right - 1, mid.y())), QColor(Qt::red));
    EXPECT_NE(QColor(img.pixel(mid.x(), rc.Bottom - 1)), QColor(Qt::red));
}
