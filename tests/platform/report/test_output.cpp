// Drawing the page list: PDF files (checked with pdftotext), copies, the printer seam, the
// fallback file of a machine without a printer, and pictures.
#include "platform/report/Output.h"
#include "platform/report/Picture.h"
#include "platform/report/Preview.h"
#include "platform/report/Report.h"
#include "platform/report/RowSource.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPrinterInfo>
#include <QScreen>
#include <QScrollArea>
#include <QTemporaryDir>

#include "support/ChildProcess.h"
#include "support/PdfText.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace report;

namespace {

// Two pages: a title with Polish letters, 50 rows, a page line.
struct TwoPager {
    Report r;
    ListRowSource rows{{"Nazwa"}, {}};
    explicit TwoPager(PageOrientation o = PageOrientation::Portrait)
    {
        for (int i = 1; i <= 50; ++i)
            rows.appendRow({QStringLiteral("Wiersz %1").arg(i)});
        r.page = PageSetup::a4(o, 10);
        r.title = "Tarnex";
        r.setBand(BandKind::Title, 20)->addLabel("T", 10, 0, "Zażółć gęślą jaźń", pt(12, true));
        r.addSubDetail(&rows, 7.4)->detail()->addData("N", 10, 0, 80, Align::Left, pt(10), &rows, "Nazwa");
        r.setBand(BandKind::PageFooter, 10)->addExpr("S", 185, 0, 0, Align::Right, pt(7), [](const LayoutContext& c) {
            return "Strona " + QString::number(c.pageNumber);
        });
        Band* s = r.setBand(BandKind::Summary, 20);
        s->addLine("kropki", 3.7, 10, 63.2, 10, 1, Qt::DotLine);
        s->addRichText("Uwagi", 6.3, 12, 118.8, 10.8, pt(10), nullptr);
        static_cast<RichTextBox*>(s->find("Uwagi"))->text = "<b>Uwagi</b> do faktury";
    }
};

TEST(Output, PdfHoldsThePagesTexts)
{
    QTemporaryDir dir;
    TwoPager rep;
    const PageList pl = rep.r.prepare();
    ASSERT_EQ(pl.pageCount(), 2);
    const QString file = dir.filePath("a.pdf");
    writePdf(pl, file);
    EXPECT_EQ(pdf::pages(file), 2);
    const QString text = pdf::text(file);
    EXPECT_TRUE(text.contains("Zażółć gęślą jaźń")) << text.toStdString();
    EXPECT_TRUE(text.contains("Wiersz 1\n") || text.contains("Wiersz 1 "));
    EXPECT_TRUE(text.contains("Wiersz 50"));
    EXPECT_TRUE(text.contains("Strona 1"));
    EXPECT_TRUE(text.contains("Strona 2"));
    EXPECT_TRUE(text.contains("Uwagi do faktury"));
    // Pages are split by form feeds: page 2 holds the end of the rows.
    const QStringList pages = text.split('\f');
    ASSERT_GE(pages.size(), 2);
    EXPECT_FALSE(pages[0].contains("Wiersz 50"));
    EXPECT_TRUE(pages[1].contains("Wiersz 50"));
}

TEST(Output, CopiesRepeatThePagesInAFileAndZeroCopiesWriteNothing)
{
    QTemporaryDir dir;
    TwoPager rep;
    const PageList pl = rep.r.prepare();
    writePdf(pl, dir.filePath("k.pdf"), 3);
    EXPECT_EQ(pdf::pages(dir.filePath("k.pdf")), 6);
    writePdf(pl, dir.filePath("zero.pdf"), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("zero.pdf")));
}

TEST(Output, LandscapePagesAreLandscape)
{
    QTemporaryDir dir;
    TwoPager rep(PageOrientation::Landscape);
    writePdf(rep.r.prepare(), dir.filePath("l.pdf"));
    const QString info = pdf::info(dir.filePath("l.pdf"));
    EXPECT_TRUE(info.contains("841.89 x 595.276") || info.contains("842 x 595")) << info.toStdString();
}

TEST(Output, UnwritablePdfIsReported)
{
    TwoPager rep;
    EXPECT_THROW(writePdf(rep.r.prepare(), "/proc/nie/ma/tu/miejsca.pdf"), Error);
}

TEST(Output, CaptureSeamTakesPrinterAndPreviewOutput)
{
    QTemporaryDir dir;
    TwoPager rep;
    const PageList pl = rep.r.prepare();
    {
        PdfCapture capture(dir.path());
        EXPECT_EQ(devices(), &capture);
        print(pl, PrintJob{"FV/1/2011", "Oryginał", 2});
        print(pl, PrintJob{"FV/1/2011", "Kopia", 0}); // no copies: nothing
        preview(pl, "Podgląd");
        ASSERT_EQ(capture.entries().size(), 2u);
        const auto& e = capture.entries()[0];
        EXPECT_FALSE(e.preview);
        EXPECT_EQ(e.runName, "Oryginał");
        EXPECT_EQ(e.copies, 2);
        EXPECT_EQ(e.pageCount, 2);
        EXPECT_EQ(pdf::pages(e.file), 4);
        EXPECT_TRUE(e.pageTexts[0].contains("Zażółć gęślą jaźń"));
        EXPECT_TRUE(capture.entries()[1].preview);
        EXPECT_EQ(capture.entries()[1].caption, "Podgląd");
    }
    EXPECT_EQ(devices(), nullptr);
}

TEST(Output, FallbackFileIsNamedAfterDocumentAndRunAndNeverOverwritten)
{
    QTemporaryDir dir;
    const PrintJob job{"FV/12/2009", "Oryginał", 1};
    const QString first = fallbackPdfPath(dir.path(), job);
    EXPECT_EQ(QFileInfo(first).fileName(), "FV-12-2009 Oryginał.pdf");
    QFile(first).open(QIODevice::WriteOnly);
    EXPECT_EQ(QFileInfo(fallbackPdfPath(dir.path(), job)).fileName(), "FV-12-2009 Oryginał (2).pdf");
    EXPECT_EQ(QFileInfo(fallbackPdfPath(dir.path(), {"", "", 1})).fileName(), "wydruk.pdf");
}

TEST(Output, WithoutAPrinterThePrintoutGoesToWydruki)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    TwoPager rep;
    const PageList pl = rep.r.prepare();
    QStringList told;
    setPdfNotice([&](const QString& path) { told << path; });
    print(pl, PrintJob{"FV/3/2011", "Kopia", 2});
    setPdfNotice({});
    QDir::setCurrent(old);
    const QString file = dir.filePath("wydruki/FV-3-2011 Kopia.pdf");
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(pdf::pages(file), 4);
    EXPECT_EQ(told, QStringList{QFileInfo(file).absoluteFilePath()}) << "the user is told where it went";
}

TEST(Output, RenderedPageShowsInk)
{
    TwoPager rep;
    const PageList pl = rep.r.prepare();
    const QImage img = renderPage(pl.pages[0], pl.setup, 50);
    EXPECT_EQ(img.width(), int(210 / 25.4 * 50 + 0.5));
    bool ink = false;
    for (int y = 0; y < img.height() && !ink; ++y)
        for (int x = 0; x < img.width() && !ink; ++x)
            ink = qGray(img.pixel(x, y)) < 128;
    EXPECT_TRUE(ink);
}

TEST(Output, PreviewWindowTurnsPagesWithinTheReport)
{
    TwoPager rep;
    const PageList pl = rep.r.prepare();
    PreviewDialog dlg(pl, "Sprzedaż");
    EXPECT_EQ(dlg.windowTitle(), "Sprzedaż");
    EXPECT_EQ(dlg.currentPage(), 0);
    dlg.showPage(5);
    EXPECT_EQ(dlg.currentPage(), 1);
    dlg.showPage(-1);
    EXPECT_EQ(dlg.currentPage(), 0);
}

// The preview opens within its screen, the page drawn as wide as the window has room for from
// the first showing on, not only after a resize.
TEST(Output, PreviewOpensWithinTheScreenWithThePageFittedToItsWidth)
{
    TwoPager rep;
    const PageList pl = rep.r.prepare();
    PreviewDialog dlg(pl, "Sprzedaż");
    dlg.show();
    QApplication::processEvents();
    const QRect ekran = dlg.screen()->availableGeometry();
    EXPECT_LE(dlg.frameGeometry().height(), ekran.height());
    EXPECT_LE(dlg.frameGeometry().width(), ekran.width());
    auto* przewijanie = dlg.findChild<QScrollArea*>();
    ASSERT_NE(przewijanie, nullptr);
    const QWidget* strona = przewijanie->widget();
    const int miejsce = przewijanie->viewport()->width();
    EXPECT_GT(strona->width(), miejsce - 40) << strona->width() << " of " << miejsce;
    EXPECT_LE(strona->width(), miejsce);
    dlg.hide();
}

TEST(Picture, LoadsJpegAndBitmapAndReportsBadFiles)
{
    QTemporaryDir dir;
    QImage src(40, 20, QImage::Format_RGB32);
    src.fill(QColor(200, 30, 30));
    const QString bmp = dir.filePath("logo.bmp");
    ASSERT_TRUE(src.save(bmp, "BMP"));
    EXPECT_EQ(loadPicture(bmp).size(), QSize(40, 20));

    const QString jpg = dir.filePath("logo.JPG");
    if (src.save(jpg, "JPG")) {
        const QImage img = loadPicture(jpg);
        ASSERT_EQ(img.size(), QSize(40, 20));
        const QColor c = img.pixelColor(20, 10);
        EXPECT_NEAR(c.red(), 200, 12);
        EXPECT_NEAR(c.green(), 30, 12);
    }
    // A broken JPEG, a missing file, an unknown kind.
    const QString broken = dir.filePath("zly.jpeg");
    QFile f(broken);
    f.open(QIODevice::WriteOnly);
    f.write("not a picture");
    f.close();
    EXPECT_THROW(loadPicture(broken), Error);
    EXPECT_THROW(loadPicture(dir.filePath("brak.jpg")), Error);
    EXPECT_THROW(loadPicture(dir.filePath("brak.bmp")), Error);
    try {
        loadPicture(dir.filePath("logo.xyz"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(".xyz"));
    }
    // A FIFO, a device or a folder under a picture's name is refused at once, naming it and what
    // it is (in a child an alarm ends, so that an open waiting on the FIFO fails, not hangs).
    const QString fifo = dir.filePath("kolejka.jpg"), device = dir.filePath("zera.bmp"), folder = dir.filePath("f.bmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), device));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(child::run([&] {
                  ::alarm(20);
                  std::string out;
                  for (const auto& [path, kind] :
                       {std::pair{fifo, "kolejka FIFO"}, {device, "urządzenie"}, {folder, "folder"}})
                      try {
                          loadPicture(path);
                          out += path.toStdString() + ": read\n";
                      } catch (const Error& e) {
                          if (!e.message().startsWith(QStringLiteral("Nie można odczytać pliku ") + path)
                              || !e.message().contains(QString::fromUtf8(kind)))
                              out += e.message().toStdString() + "\n";
                      }
                  return out;
              }),
              "");
}

} // namespace

namespace {

// A long report laid out straight into a spool or a PDF, page by page: the same pages as a whole
// layout, the spool reads them back in any order, a run that fails leaves no file.
TEST(PageStream, SpooledPagesReadBackAsLaidOutAndFeedThePreview)
{
    TwoPager rep;
    const PageList whole = rep.r.prepare();
    PageSpool spool;
    EXPECT_EQ(rep.r.run(spool), whole.pageCount());
    ASSERT_EQ(spool.pageCount(), whole.pageCount());
    EXPECT_EQ(spool.setup().orientation, PageOrientation::Portrait);
    for (int i = spool.pageCount() - 1; i >= 0; --i) { // backwards: any order
        const Page back = spool.page(i);
        const Page& orig = whole.pages[size_t(i)];
        EXPECT_EQ(back.number, orig.number);
        EXPECT_EQ(back.texts(), orig.texts());
        ASSERT_EQ(back.items.size(), orig.items.size());
        for (size_t k = 0; k < orig.items.size(); ++k) {
            EXPECT_EQ(back.items[k].name, orig.items[k].name);
            EXPECT_EQ(back.items[k].kind, orig.items[k].kind);
            EXPECT_EQ(back.items[k].font, orig.items[k].font);
            EXPECT_EQ(back.items[k].penStyle, orig.items[k].penStyle);
            EXPECT_NEAR(back.items[k].rect.top(), orig.items[k].rect.top(), 1e-4);
            EXPECT_NEAR(back.items[k].rect.right(), orig.items[k].rect.right(), 1e-4);
        }
    }
    PreviewDialog dlg(spool, "Sprzedaż");
    dlg.showPage(1);
    EXPECT_EQ(dlg.currentPage(), 1);
}

TEST(PageStream, PdfOfAFailedRunIsNotLeftBehind)
{
    QTemporaryDir dir;
    TwoPager rep;
    const QString ok = dir.filePath("dobry.pdf");
    EXPECT_EQ(writePdf(rep.r, ok), 2);
    EXPECT_EQ(pdf::pages(ok), 2);
    EXPECT_TRUE(pdf::text(ok).contains("Wiersz 50"));

    rep.r.onStartPage = [](int page) {
        if (page == 2)
            throw Error("Nie można wczytać logo");
    };
    const QString bad = dir.filePath("zly.pdf");
    EXPECT_THROW(writePdf(rep.r, bad), Error);
    EXPECT_FALSE(QFile::exists(bad));
}

// A printout on a disk with 8 KiB left (a small file system of its own): a PDF over an earlier
// one, a report laid out straight into a new PDF, and a printout of a machine without a printer
// (into wydruki/) each fail saying why, naming the file, and so do the preview's spooled pages;
// the earlier PDF stays as it was and nothing else is left on the disk.
TEST(PageStream, APrintoutOnAFullDiskSaysWhyAndLeavesThePreviousFile)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const std::string report = child::onTinyDisk(folder, "1m", [&] {
        std::string out;
        TwoPager rep;
        const PageList pl = rep.r.prepare();
        const QString earlier = folder + QStringLiteral("/faktura.pdf");
        writePdf(pl, earlier);
        QDir(folder).mkdir(QStringLiteral("wydruki"));
        const QByteArray before = [&] {
            QFile f(earlier);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        if (std::string full = child::fillDisk(folder, 8192); !full.empty())
            return full;
        const auto refused = [&](const QString& file, const std::function<void()>& write) {
            try {
                write();
            } catch (const Error& e) {
                if (e.message() == QStringLiteral("Nie udało się zapisać pliku %1: brak miejsca na dysku.").arg(file))
                    return;
                out += file.toStdString() + ": " + e.message().toStdString() + "\n";
                return;
            }
            out += file.toStdString() + ": reported as written\n";
        };
        refused(earlier, [&] { writePdf(pl, earlier); });
        const QString fresh = folder + QStringLiteral("/raport.pdf");
        refused(fresh, [&] { writePdf(rep.r, fresh); });
        if (QPrinterInfo::defaultPrinter().isNull()) {
            QDir::setCurrent(folder);
            refused(QDir(folder).filePath(QStringLiteral("wydruki/FV-1-2024 Oryginał.pdf")), [&] {
                print(pl, PrintJob{"FV/1/2024", "Oryginał", 1});
            });
        }
        // The preview's pages spooled to a temporary folder on that disk, filled up: the same
        // cause.
        out += child::fillDisk(folder, 0);
        qputenv("TMPDIR", QFile::encodeName(folder));
        try {
            PageSpool spool;
            spool.begin(pl.setup, pl.title);
            for (int i = 0; i < 1000; ++i)
                spool.page(Page(pl.pages.front()));
            spool.end();
            out += "the spool was written on a full disk\n";
        } catch (const Error& e) {
            if (!e.message().endsWith(QStringLiteral("w folderze %1: brak miejsca na dysku.").arg(folder)))
                out += "spool: " + e.message().toStdString() + "\n";
        }
        QFile f(earlier);
        if (!f.open(QIODevice::ReadOnly) || f.readAll() != before)
            out += "the earlier printout changed\n";
        QStringList left;
        for (QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            left << QDir(folder).relativeFilePath(it.next());
        left.sort();
        if (left != QStringList({"faktura.pdf", "wydruki", "wypelnienie"}))
            out += "left: " + left.join(u' ').toStdString() + "\n";
        return out;
    });
    if (child::skipped(report))
        GTEST_SKIP() << report;
    EXPECT_EQ(report, "");
}

} // namespace
