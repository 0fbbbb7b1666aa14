// Print layout (bands, pages, repeated fixed rows and columns, fitting, page numbers and header
// texts) as plain arithmetic, and whole printouts read back from PDF.
#include "grid/print/PrintPreviewForm.h"
#include "grid/core/Txgrid.h"
#include "grid/print/TxgridPrintLayout.h"
#include "platform/ui/Modal.h"
#include "tests/support/PdfText.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace grid;

namespace {

TPrintLayoutInput Input(int cols, int rows, int colWidth, int pitch)
{
    TPrintLayoutInput in;
    in.LastCol = cols - 1;
    in.LastRow = rows - 1;
    in.Widths.assign(size_t(cols), colWidth);
    in.PageWidth = 2000;
    in.PageBottom = -1000;
    in.FooterHeight = 100;
    in.RowPitch = [pitch](int) { return pitch; };
    return in;
}

std::vector<int> RowsOf(const TPrintPage& p)
{
    std::vector<int> r;
    for (const TPrintRowPlace& x : p.Rows)
        r.push_back(x.Row);
    return r;
}

} // namespace

TEST(GridPrintLayout, BandsRowsAndRepeatedFixedRowsAndColumns)
{
    // 10 columns of 500 on a 2000 wide page: 4 in the first band, then the fixed one and 3.
    TPrintLayoutInput in = Input(10, 20, 500, 100);
    in.FixedCols = 1;
    in.FixedRows = 1;
    in.RepeatFixedCols = true;
    in.RepeatFixedRows = true;
    const TPrintLayout L = LayoutPrintPages(in);
    ASSERT_EQ(L.Bands.size(), 3u);
    EXPECT_EQ(L.Bands[0].FirstCol, 0);
    EXPECT_EQ(L.Bands[0].LastCol, 3);
    EXPECT_FALSE(L.Bands[0].RepeatCols);
    EXPECT_EQ(L.Bands[1].FirstCol, 4);
    EXPECT_EQ(L.Bands[1].LastCol, 6);
    EXPECT_TRUE(L.Bands[1].RepeatCols);
    EXPECT_EQ(L.Bands[1].Offsets[0], 0);   // the fixed column in front
    EXPECT_EQ(L.Bands[1].Offsets[4], 500); // the band after it
    EXPECT_EQ(L.Bands[2].FirstCol, 7);
    EXPECT_EQ(L.Bands[2].LastCol, 9);
    EXPECT_TRUE(L.MoreBands);

    // Rows: 9 of pitch 100 fit above the footer (y from 0 to -900, next would reach -1000 < -900).
    ASSERT_EQ(L.PageCount(), 3 * 3);
    EXPECT_EQ(RowsOf(L.Pages[0]), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    // Later pages start with the fixed row again.
    const std::vector<int> second = RowsOf(L.Pages[1]);
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(second[0], 0);
    EXPECT_TRUE(L.Pages[1].Rows[0].Repeated);
    EXPECT_EQ(second[1], 9);
    EXPECT_EQ(L.Pages[3].BandNumber, 2);
    EXPECT_EQ(L.Pages[3].PageInBand, 0);
    EXPECT_EQ(RowsOf(L.Pages[3]).front(), 0);
    EXPECT_FALSE(L.Pages[3].Rows[0].Repeated); // the range starts at row 0: printed once

    EXPECT_EQ(PrintPageNumber(L, 1, 9, "/"), "2-1");
    EXPECT_EQ(PrintPageNumber(L, 3, 9, "/"), "1-2");
}

TEST(GridPrintLayout, WideColumnOwnBandRangeBelowFixedRowsAndForcedPage)
{
    TPrintLayoutInput in = Input(3, 3, 500, 100);
    in.Widths[1] = 5000; // wider than the page
    const TPrintLayout L = LayoutPrintPages(in);
    ASSERT_EQ(L.Bands.size(), 3u);
    EXPECT_EQ(L.Bands[1].FirstCol, 1);
    EXPECT_EQ(L.Bands[1].LastCol, 1);
    EXPECT_EQ(L.Bands[1].Offsets[2], 5000); // printed at its full width

    TPrintLayoutInput below = Input(2, 10, 500, 100);
    below.FirstRow = 5;
    below.FixedRows = 1;
    below.RepeatFixedRows = true;
    const TPrintLayout B = LayoutPrintPages(below);
    ASSERT_EQ(B.PageCount(), 1);
    EXPECT_EQ(RowsOf(B.Pages[0]), (std::vector<int>{0, 5, 6, 7, 8, 9}));
    EXPECT_EQ(PrintPageNumber(B, 0, 1, "/"), "1");

    TPrintLayoutInput forced = Input(2, 3, 500, 100);
    forced.NewPage = [](int next) { return next == 3; }; // after the last row
    const TPrintLayout F = LayoutPrintPages(forced);
    ASSERT_EQ(F.PageCount(), 2);
    EXPECT_TRUE(F.Pages[1].Rows.empty());
}

TEST(GridPrintLayout, FitFactorModes)
{
    // Content 4000 (spacing 0) on a 2000 page; and 1000 on it.
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpShrink, 4000, 0, 2000, 0, 0), 0.5);
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpShrink, 1000, 0, 2000, 0, 0), 1.0);
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpGrow, 4000, 0, 2000, 0, 0), 1.0);
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpGrow, 1000, 0, 2000, 0, 0), 2.0);
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpAlways, 1000, 0, 2000, 0, 0), 2.0);
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpNever, 4000, 0, 2000, 0, 0), 1.0);
    // Margins and spacings are left out of the scaled part.
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpAlways, 2100, 100, 2000, 50, 50), 0.9);
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpCustom, 4000, 0, 2000, 0, 0, [](double&, bool& allow) { allow = false; }), 1.0);
    // Spacings alone wider than the page: no negative widths.
    EXPECT_DOUBLE_EQ(PrintFitFactor(fpAlways, 3000, 2500, 2000, 0, 0), 1.0);
}

TEST(GridPrintLayout, HeaderTexts)
{
    TPrintSettings S;
    S.Time = ppTopRight;
    S.PageNr = ppTopRight;
    S.Date = ppTopLeft;
    S.Title = ppTopLeft;
    TPrintHeaderItems items;
    items.Time = "12:30";
    items.Date = "09/12/2026";
    items.Page = QStringLiteral("Page") + u' ' + "2/7" + u' ' + QString();
    items.Title = "Lista";
    const auto t = PrintPositionTexts(S, items);
    EXPECT_EQ(t[ppTopRight], " 12:30 Page 2/7 ");
    EXPECT_EQ(t[ppTopLeft], "Lista 09/12/2026 "); // left: reverse order, trailing blank
    EXPECT_TRUE(t[ppBottomCenter].isEmpty());
    EXPECT_EQ(PrintFormatDateTime("dd/mm/yyyy hh:nn", QDateTime(QDate(2026, 12, 9), QTime(8, 5))), "09/12/2026 08:05");
}

namespace {

struct PrintedGrid {
    PrintedGrid()
    {
        g.SetColCount(14);
        g.SetRowCount(80);
        g.SetFixedRows(1);
        g.SetFixedCols(1);
        for (int c = 0; c < 14; ++c)
            for (int r = 0; r < 80; ++r)
                g.SetCellEx(c, r, r == 0 ? QStringLiteral("Nagl%1").arg(c) : QStringLiteral("k%1w%2").arg(c).arg(r));
        TPrintSettings& S = g.PrintSettings();
        S.Font.size = 14; // columns wide enough for two bands on A4
        S.RepeatFixedRows = true;
        S.RepeatFixedCols = true;
        S.PageNr = ppBottomRight;
        S.PagePrefix = QStringLiteral("Strona");
        S.Title = ppTopCenter;
        S.TitleText = QStringLiteral("Zestawienie próbne");
        path = dir.filePath("out.pdf");
        const QString p = path;
        TTxStringGrid::SetPrintDeviceFactory([p](const QString&) {
            auto w = std::make_unique<QPdfWriter>(p);
            w->setResolution(300);
            return std::unique_ptr<QPagedPaintDevice>(std::move(w));
        });
    }
    ~PrintedGrid() { TTxStringGrid::SetPrintDeviceFactory({}); }
    QStringList Pages() { return pdf::text(path).split(u'\f'); }

    QTemporaryDir dir;
    QString path;
    TTxStringGrid g;
};

} // namespace

TEST(GridPrint, PdfPagesRepeatFixedRowsAndColumns)
{
    PrintedGrid t;
    t.g.Print();
    const TPrintLayout& L = t.g.PrintLayout();
    ASSERT_GE(L.Bands.size(), 2u);
    ASSERT_GE(L.PageCount(), 4);
    ASSERT_EQ(pdf::pages(t.path), L.PageCount());
    const QStringList pages = t.Pages();

    EXPECT_TRUE(pages[0].contains("Zestawienie próbne"));
    EXPECT_TRUE(pages[0].contains("Strona 1-1"));
    EXPECT_TRUE(pages[0].contains("k1w1"));
    // Page 2 of band 1 begins with the header row again.
    EXPECT_TRUE(pages[1].contains("Nagl1"));
    EXPECT_TRUE(pages[1].contains("Strona 2-1"));
    // The first page of band 2: fixed column 0 again in front of the band's columns.
    const int b2 = [&] {
        for (int i = 0; i < L.PageCount(); ++i)
            if (L.Pages[size_t(i)].BandNumber == 2)
                return i;
        return -1;
    }();
    ASSERT_GT(b2, 0);
    const int firstCol = L.Bands[1].FirstCol;
    EXPECT_TRUE(pages[b2].contains(QStringLiteral("k0w1 ")));
    EXPECT_TRUE(pages[b2].contains(QStringLiteral("k%1w1").arg(firstCol)));
    EXPECT_FALSE(pages[b2].contains(QStringLiteral("k%1w1").arg(firstCol - 1)));
    EXPECT_TRUE(pages[b2].contains("Strona 1-2"));
}

TEST(GridPrint, HiddenRowsAreNotPrinted)
{
    PrintedGrid t;
    t.g.SetRowCount(10);
    t.g.HideRow(3);
    t.g.Print();
    const QString page = t.Pages()[0];
    EXPECT_FALSE(page.contains("k1w3"));
    EXPECT_TRUE(page.contains("k1w2"));
    EXPECT_TRUE(page.contains("k1w4"));
    EXPECT_TRUE(page.contains("k1w9"));
}

TEST(GridPrint, FitToPageShrinksToOneBandAndScalesFonts)
{
    PrintedGrid t;
    t.g.Print();
    const int natural = t.g.GetPrintColWidth(3);
    ASSERT_GE(t.g.PrintLayout().Bands.size(), 2u);
    t.g.PrintSettings().FitToPage = fpShrink;
    t.g.Print();
    EXPECT_EQ(t.g.PrintLayout().Bands.size(), 1u);
    EXPECT_LT(t.g.GetPrintColWidth(3), natural);
    const QStringList pages = t.Pages();
    EXPECT_TRUE(pages[0].contains("k13w1")); // the last column is on the first page
    EXPECT_TRUE(pages[0].contains("Strona 1"));
}

TEST(GridPrint, PrintStartChoosesPagesOrCancels)
{
    PrintedGrid t;
    t.g.PrintSettings().PageNumSep = QStringLiteral("/");
    t.g.SetColCount(2); // one band: plain numbers with the separator
    t.g.SetRowCount(200);
    int total = 0;
    t.g.OnPrintStart = [&](TTxStringGrid&, int n, int& from, int& to) {
        total = n;
        from = 2;
        to = 3;
    };
    t.g.Print();
    ASSERT_GE(total, 3);
    EXPECT_EQ(pdf::pages(t.path), 2);
    const QStringList pages = t.Pages();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Strona 2/%1").arg(total)));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Strona 3/%1").arg(total)));

    QFile::remove(t.path);
    t.g.OnPrintStart = [](TTxStringGrid&, int, int& from, int& to) { from = 3, to = 2; };
    t.g.Print();
    EXPECT_FALSE(QFile::exists(t.path));
}

TEST(GridPrint, PreviewDialogStepsPagesWithoutBlocking)
{
    PrintedGrid t;
    ui::Script script;
    int shown = 0, count = 0;
    bool lastWhite = false;
    script.onModal([&](QDialog* d) {
        auto* f = dynamic_cast<TPrintPreviewForm*>(d);
        EXPECT_NE(f, nullptr);
        if (!f)
            return int(QDialog::Rejected);
        count = f->PageCount();
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text() == QStringLiteral("Następna"))
                b->click();
        shown = f->PageNr();
        // A page beyond the count draws nothing.
        const QImage beyond = f->RenderPage(count + 1);
        lastWhite = beyond.convertToFormat(QImage::Format_RGB32) == [&] {
            QImage w(beyond.size(), QImage::Format_RGB32);
            w.fill(Qt::white);
            return w;
        }();
        return int(QDialog::Accepted);
    });
    t.g.ShowPrintPreview();
    EXPECT_GE(count, 4);
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(lastWhite);
}

// The preview shows the pages Print makes: the same orientation, count, bands and rows on
// each page.
TEST(GridPrint, PreviewShowsThePagesPrintMakes)
{
    struct Case {
        TPrinterOrientation orientation;
        int cols, rows;
    };
    for (const Case c : {Case{poLandscape, 3, 150}, Case{poPortrait, 8, 60}}) {
        PrintedGrid t;
        t.g.PrintSettings().Orientation = c.orientation;
        t.g.PrintSettings().PageNumSep = QStringLiteral("/");
        t.g.SetColCount(c.cols);
        t.g.SetRowCount(c.rows);
        t.g.Print();
        const int printed = pdf::pages(t.path);
        auto rowsOfPages = [&] {
            std::vector<std::pair<int, int>> out; // band, rows
            for (const TPrintPage& p : t.g.PrintLayout().Pages)
                out.emplace_back(p.BandNumber, int(p.Rows.size()));
            return out;
        };
        const auto printedPages = rowsOfPages();
        ASSERT_GE(printed, 2) << c.cols;
        ASSERT_EQ(int(printedPages.size()), printed);
        const QString page1 = t.Pages()[0];
        ui::Script script;
        int previewed = 0;
        QSize sheet;
        script.onModal([&](QDialog* d) {
            auto* f = dynamic_cast<TPrintPreviewForm*>(d);
            if (f) {
                previewed = f->PageCount();
                sheet = f->RenderPage(1).size();
            }
            return int(QDialog::Accepted);
        });
        t.g.ShowPrintPreview();
        EXPECT_EQ(previewed, printed) << c.cols;
        EXPECT_EQ(rowsOfPages(), printedPages) << c.cols;
        EXPECT_EQ(sheet.width() > sheet.height(), c.orientation == poLandscape) << c.cols;
        if (t.g.PrintLayout().Bands.size() == 1) {
            EXPECT_TRUE(page1.contains(QStringLiteral("Strona 1/%1").arg(printed))) << c.cols;
        }
    }
}

// A heading merged over two columns widens neither; title lines at the bottom all stand on
// the sheet, under the last row.
TEST(GridPrint, MergedHeadingsAndBottomTitleLines)
{
    PrintedGrid t;
    t.g.SetColCount(4);
    t.g.SetRowCount(6);
    t.g.SetCellEx(1, 0, QStringLiteral("Naglowek scalony nad dwiema kolumnami"));
    t.g.MergeCells(1, 0, 2, 1);
    TPrintSettings& S = t.g.PrintSettings();
    S.TitleText.clear();
    S.Title = ppBottomLeft;
    S.TitleLines = QStringList{QStringLiteral("Pierwsza"), QStringLiteral("Druga"), QStringLiteral("Trzecia")};
    t.g.Print();
    const int heading = t.g.PrintCellSize(1, 0).x();
    EXPECT_LT(t.g.GetPrintColWidth(1), heading / 2);
    EXPECT_LT(t.g.GetPrintColWidth(2), heading / 2);
    const QString page = t.Pages()[0];
    const qsizetype last = page.indexOf(QStringLiteral("k1w5")), first = page.indexOf(QStringLiteral("Pierwsza")),
                    second = page.indexOf(QStringLiteral("Druga")), third = page.indexOf(QStringLiteral("Trzecia"));
    ASSERT_GE(last, 0);
    EXPECT_GT(first, last);
    EXPECT_GT(second, first);
    EXPECT_GT(third, second);
}

TEST(GridPrint, RotatedCellMeasuresTurnedAndPrints)
{
    PrintedGrid t;
    t.g.SetRowCount(5);
    t.g.SetCellEx(2, 3, QStringLiteral("obrocony"));
    const QPoint flat = t.g.PrintCellSize(2, 3);
    t.g.AddRotated(2, 3, 90, QStringLiteral("obrocony"));
    const QPoint turned = t.g.PrintCellSize(2, 3);
    // As tall as the text is wide (font advances may round a unit apart between font loads).
    EXPECT_NEAR(turned.y(), flat.x(), 1);
    EXPECT_NEAR(turned.x(), flat.y(), 1);
    // 0 to 90 degrees, left and top: from the left edge, lowered by the turned text's height.
    EXPECT_EQ(RotatedTextPos(90, 100, 20, 0, 0, 500, 500, 0, 0), QPoint(0, 100));
    EXPECT_EQ(RotatedTextPos(0, 100, 20, 0, 0, 500, 500, 1, 1), QPoint(400, 480));
}

TEST(GridPrint, CalcTextPosAndLineCounts)
{
    ui::setTextMeasurer(std::make_shared<ui::FixedTextMeasurer>(7, 14));
    TTxStringGrid g;
    g.SetColCount(3);
    g.SetRowCount(3);
    g.SetCellEx(1, 1, QStringLiteral("ab\r\ncdef"));
    TRect r{10, 20, 200, 300};
    g.CalcTextPos(r, 90, QStringLiteral("abcd"), taLeftJustify); // 28 wide turned upwards
    EXPECT_EQ(r.Left, 12);
    EXPECT_EQ(r.Top, 20 + 28 + 2);
    EXPECT_EQ(g.MaxLinesInGrid(), 1); // not without Multilinecells
    g.Multilinecells = true;
    EXPECT_EQ(g.MaxLinesInGrid(), 2);
    EXPECT_EQ(g.MaxLinesInRow(1), 2);
    EXPECT_EQ(g.MaxCharsInCol(1), 4);
    ui::setTextMeasurer(nullptr);
}

TEST(GridPrint, CellPicturesTakeRoomOnlyWhenPrinted)
{
    PrintedGrid t;
    t.g.SetRowCount(4);
    TBitmap bmp(96, 192, QImage::Format_RGB32); // one by two inches on a 96 dpi screen
    bmp.fill(Qt::red);
    t.g.AddBitmap(2, 1, &bmp, false, haLeft, vaTop);
    t.g.AddCheckBox(3, 1, true, false);
    const QPoint off = t.g.PrintCellSize(2, 1);
    t.g.PrintSettings().PrintGraphics = true;
    const QPoint on = t.g.PrintCellSize(2, 1);
    const double perPixel = 254.0 / (t.g.logicalDpiX() > 0 ? t.g.logicalDpiX() : 96);
    EXPECT_EQ(on.y(), std::lround(192 * perPixel));
    EXPECT_NEAR(on.x(), off.x() + std::lround(96 * perPixel), 1);
    t.g.Print(); // pictures and check boxes drawn without failing
    EXPECT_TRUE(t.Pages()[0].contains("k1w1"));
}

// A page whose cells are all bordered alike draws backgrounds, contents and each border once;
// any other page draws cell after cell. Both must look the same, and a text wider than its cell
// is cut at the cell's edge either way.
TEST(GridPrint, BordersDrawnOnceLookAsDrawnCellByCell)
{
    TTxStringGrid g;
    g.SetColCount(6);
    g.SetRowCount(12);
    g.Multilinecells = true;
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 12; ++r)
            g.SetCellEx(c, r, QStringLiteral("W%1 k%2").arg(r).arg(c));
    g.SetCellEx(5, 4, QStringLiteral("dwie\r\nlinie"));
    g.SetCellEx(2, 6, QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    g.PrintSettings().Borders = pbSingle;
    g.OnPrintSetColumnWidth = [](TTxStringGrid&, int c, int& w) {
        if (c == 2)
            w = 60; // narrower than its texts
    };
    g.OnGetAlignment = [](TTxStringGrid&, int, int c, TAlignment& h, TVAlignment& v) {
        h = c == 3 ? taRightJustify : c == 4 ? taCenter : h;
        v = c == 5 ? vtaCenter : v;
    };
    g.OnGetCellPrintColor = [](TTxStringGrid&, int r, int c, TGridDrawState, ui::Brush& b, ui::Font&) {
        if (r == 3 && c == 1)
            b.color = ui::clYellow;
    };
    auto shot = [&] {
        QImage img(1000, 700, QImage::Format_RGB32);
        img.setDotsPerMeterX(11811); // 300 dpi
        img.setDotsPerMeterY(11811);
        img.fill(Qt::white);
        QPainter p(&img);
        ui::Canvas canvas(&p);
        g.PrintDraw(canvas, img.rect());
        return img;
    };
    const QImage alike = shot();
    // A red border round the last cell makes the page draw cell by cell.
    g.OnGetCellPrintBorder = [](TTxStringGrid&, int r, int c, ui::Pen& pen, TCellBorders&) {
        if (r == 11 && c == 5)
            pen.color = ui::clRed;
    };
    const QImage byCell = shot();

    const TPrintPage& page = g.PrintLayout().Pages[0];
    const TPrintBand& band = g.PrintLayout().Bands[0];
    const double px = 300.0 / 254.0;
    const int lastRowTop = int(-page.Rows.back().Y * px) - 4;
    ASSERT_GT(lastRowTop, 100);
    EXPECT_EQ(alike.copy(0, 0, alike.width(), lastRowTop), byCell.copy(0, 0, byCell.width(), lastRowTop));
    EXPECT_NE(alike, byCell);

    // The long text stops at its cell's right border: the next cell's empty room stays white.
    const TPrintRowPlace& row6 = page.Rows[6];
    ASSERT_EQ(row6.Row, 6);
    const int right = int(band.Offsets[3] * px);
    const int y = int((-row6.Y + row6.Pitch / 2) * px);
    for (const QImage* img : {&alike, &byCell})
        for (int x = right + 4; x < right + 16; ++x)
            EXPECT_EQ(QColor(img->pixel(x, y)), QColor(Qt::white)) << x;
}
