// Printing and print preview: the run of BuildPages (measuring, fitting, laying out) and the
// devices pages go to. What is drawn on a page is in TxgridPrintDraw.cpp.
#include "grid/print/TxgridPrinter.h"
#include "grid/controls/TxgridError.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/print/TxgridPrintRich.h"
#include "grid/print/TxgridPrintRun.h"
#include "grid/controls/Txutil.h"
#include "platform/report/Output.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

namespace grid {

namespace {

TPrintDeviceFactory& DeviceFactory()
{
    static TPrintDeviceFactory factory;
    return factory;
}

// A printout into a PDF file, saved as every file the grid writes is (TSaveFile): put in the
// file's place only when whole and on the disk, so that a failed write leaves no broken PDF.
struct TPdfFileHolder {
    explicit TPdfFileHolder(const QString& FileName) : FFile(FileName) {}
    TSaveFile FFile;
};

class TPdfPrintFile : private TPdfFileHolder, public QPdfWriter {
public:
    explicit TPdfPrintFile(const QString& FileName) : TPdfFileHolder(FileName), QPdfWriter(&FFile.Device()) {}
    // After the painter's end: ETxGridError with the cause when the file could not be written.
    void Finish(bool Ended)
    {
        const int error = FFile.LastWriteError();
        if (!Ended || error)
            FFile.Fail(error);
        FFile.Commit();
    }
};

std::unique_ptr<QPagedPaintDevice> DefaultDevice(const QString& JobName)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setDocName(JobName);
        return printer;
    }
    // No printer on this machine: the printout becomes a PDF file.
    const QString dir = QDir::current().filePath(QStringLiteral("wydruki"));
    QDir().mkpath(dir);
    report::PrintJob job;
    job.documentName = JobName;
    auto writer = std::make_unique<TPdfPrintFile>(report::fallbackPdfPath(dir, job));
    writer->setTitle(JobName);
    writer->setResolution(600);
    return writer;
}

// Restores the font scale factor (1.0 between runs) however a run ends.
struct FontScaleReset {
    double& Scale;
    ~FontScaleReset() { Scale = 1.0; }
};

int ToPaper(double pixels, double dpi) { return int(std::lround(pixels * 254.0 / dpi)); }

// The printable area of a page of Device in the orientation the settings ask, in tenths of a
// millimetre.
QRect PaperRect(QPagedPaintDevice& Device, const TPrintSettings& S)
{
    Device.setPageOrientation(S.Orientation == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const double dpiX = Device.logicalDpiX() > 0 ? Device.logicalDpiX() : 72;
    const double dpiY = Device.logicalDpiY() > 0 ? Device.logicalDpiY() : 72;
    return {QPoint(0, 0), QPoint(ToPaper(Device.width(), dpiX), ToPaper(Device.height(), dpiY))};
}

// A device with the page Print would print on, for its measures only: nothing is drawn on it
// and no file is made.
std::unique_ptr<QPagedPaintDevice> MeasureDevice(const QString& JobName, QBuffer& Sink)
{
    if (const TPrintDeviceFactory& factory = DeviceFactory())
        return factory(JobName);
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (!info.isNull())
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    auto writer = std::make_unique<QPdfWriter>(&Sink);
    writer->setResolution(600);
    return writer;
}

} // namespace

void TGridPrinter::SetDeviceFactory(TPrintDeviceFactory Factory) { DeviceFactory() = std::move(Factory); }

int TGridPrinter::MapFontHeight(int Size) const { return -int(std::trunc(Size * 254.0 / 72.0 * FFontScale)); }

int TGridPrinter::MapFontSize(int Height) { return int(std::trunc(Height * 72.0 / 254.0)); }

QFont PaperFont(const TGridPrinter& Printer, const ui::Font& F)
{
    QFont q = F.toQFont();
    q.setPixelSize(std::max(1, std::abs(Printer.MapFontHeight(F.size))));
    return q;
}

int TGridPrinter::TPrintRun::TextHeight(const QFont& F) { return int(std::lround(QFontMetricsF(F).height())); }

int TGridPrinter::TPrintRun::TextWidth(const QFont& F, const QString& S)
{
    return int(std::lround(QFontMetricsF(F).horizontalAdvance(S)));
}

int TGridPrinter::TPrintRun::TPaperFont::Width(const QString& S)
{
    if (const auto it = Measured.constFind(S); it != Measured.cend())
        return *it;
    const int w = TextWidth(Q, S);
    // Bounded: a very long grid measures its later cells each time rather than hold them all.
    if (Measured.size() < (1 << 18))
        Measured.insert(S, w);
    return w;
}

TGridPrinter::TPrintRun::TPaperFont& TGridPrinter::TPrintRun::FontFor(const TGridPrinter& Printer, const ui::Font& F)
{
    const int px = std::max(1, std::abs(Printer.MapFontHeight(F.size)));
    if (LastFont && LastFont->PixelSize == px && LastFont->Font == F)
        return *LastFont;
    for (TPaperFont& f : Fonts)
        if (f.PixelSize == px && f.Font == F)
            return *(LastFont = &f);
    TPaperFont& f = Fonts.emplace_back();
    f.Font = F;
    f.PixelSize = px;
    f.Q = PaperFont(Printer, F);
    f.Height = TextHeight(f.Q);
    const QFontMetricsF m(f.Q);
    f.Ascent = m.ascent();
    f.MinLeft = std::min<qreal>(0, m.minLeftBearing());
    f.MinRight = std::min<qreal>(0, m.minRightBearing());
    return *(LastFont = &f);
}

std::optional<QRectF> TGridPrinter::TPrintRun::TPaperFont::Ink(const QString& S)
{
    if (const auto it = Inked.constFind(S); it != Inked.cend())
        return *it;
    const QFontMetricsF m(Q);
    std::optional<QRectF> ink;
    // A glyph from a fallback font can move the line's baseline; such text is not predicted.
    if (std::all_of(S.cbegin(), S.cend(), [&](QChar c) { return !c.isSurrogate() && m.inFont(c); }))
        ink = m.tightBoundingRect(S);
    if (Inked.size() < (1 << 18))
        Inked.insert(S, ink);
    return ink;
}

bool TGridPrinter::TPrintRun::TPaperFont::Plain(const QString& S, qreal& InkTop, qreal& InkBottom)
{
    InkTop = InkBottom = 0;
    for (const QChar c : S) {
        const char16_t u = c.unicode();
        // Controls, the soft hyphen, combining marks and everything from Hebrew on stay with the
        // full layout.
        if (u < 0x20 || (u >= 0x7f && u < 0xa0) || u == 0xad || (u >= 0x300 && u < 0x370) || u >= Glyphs.size())
            return false;
        TGlyph& g = Glyphs[u];
        if (g.State == 0) {
            const QFontMetricsF m(Q);
            g.State = m.inFont(c) ? 1 : 2;
            const QRectF r = m.boundingRect(c);
            g.Top = float(r.top());
            g.Bottom = float(r.bottom());
        }
        if (g.State != 1)
            return false;
        InkTop = std::min<qreal>(InkTop, g.Top);
        InkBottom = std::max<qreal>(InkBottom, g.Bottom);
    }
    return true;
}

void TGridPrinter::Print() { PrintRect({0, 0, FHost->ColCount() - 1, FHost->RowCount() - 1}); }

void TGridPrinter::PrintRect(TGridRect GridRect)
{
    FRange = GridRect;
    const TPrintSettings& S = FHost->PrintSettings();
    const TPrintDeviceFactory& factory = DeviceFactory();
    std::unique_ptr<QPagedPaintDevice> device = factory ? factory(S.JobName) : DefaultDevice(S.JobName);
    if (!device)
        throw ETxGridError(QStringLiteral("Nie można rozpocząć wydruku: brak drukarki."));
    FPageRect = PaperRect(*device, S);

    // One layout serves the count and the drawing: the page extent is the device's in both.
    TPrintRun run;
    const int pages = BuildPages(run, nullptr, prCalcPrint, -1, false);
    FFromPage = 1;
    FToPage = pages;
    FPageCount = pages;
    if (FHost->Events().OnPrintStart) {
        FHost->Raise(FHost->Events().OnPrintStart, pages, FFromPage, FToPage);
        if (FFromPage == 0 || FToPage == 0 || FToPage < FFromPage)
            return;
    }
    FPageCount = FToPage;
    QPainter painter;
    if (!painter.begin(device.get())) {
        if (auto* file = dynamic_cast<TPdfPrintFile*>(device.get()))
            file->Finish(false); // the PDF file's name and the cause
        throw ETxGridError(QStringLiteral("Nie można rozpocząć wydruku na drukarce."));
    }
    ui::Canvas canvas(&painter);
    BuildPages(run, &canvas, prPrint, pages, true);
    const bool ended = painter.end();
    if (auto* file = dynamic_cast<TPdfPrintFile*>(device.get()))
        file->Finish(ended);
}

void TGridPrinter::PrintPreview(ui::Canvas& Canvas, QRect Rect)
{
    PrintPreviewRect(Canvas, Rect, {0, 0, FHost->ColCount() - 1, FHost->RowCount() - 1});
}

void TGridPrinter::PrintPreviewRect(ui::Canvas& Canvas, QRect Rect, TGridRect GridRect)
{
    FRange = GridRect;
    FPageRect = Rect;
    TPrintRun run;
    FPageCount = BuildPages(run, &Canvas, prCalcPreview, -1, false);
    BuildPages(run, &Canvas, prPreview, FPageCount, true);
}

int TGridPrinter::LayOutPreview()
{
    FRange = {0, 0, FHost->ColCount() - 1, FHost->RowCount() - 1};
    const TPrintSettings& S = FHost->PrintSettings();
    QBuffer sink;
    const std::unique_ptr<QPagedPaintDevice> device = MeasureDevice(S.JobName, sink);
    FPageRect = device ? PaperRect(*device, S) : QRect(0, 0, 2100, 2970);
    FPreviewPaper = FPageRect.size();
    FPreviewRun = std::make_unique<TPrintRun>();
    FPageCount = BuildPages(*FPreviewRun, nullptr, prCalcPrint, -1, false);
    return FPageCount;
}

void TGridPrinter::DrawPreviewPage(ui::Canvas& Canvas, int PageNr)
{
    if (!FPreviewRun)
        LayOutPreview();
    FFromPage = FToPage = PageNr;
    // Drawn as Print draws its pages, the canvas's device taken for the sheet.
    BuildPages(*FPreviewRun, &Canvas, prPrint, FPageCount, true);
}

void TGridPrinter::SetPreviewPage(int PageNr)
{
    FFromPage = PageNr;
    FToPage = PageNr;
}

void TGridPrinter::PrintDraw(ui::Canvas& Canvas, QRect Rect)
{
    PrintDrawRect(Canvas, Rect, {0, 0, FHost->ColCount() - 1, FHost->RowCount() - 1});
}

void TGridPrinter::PrintDrawRect(ui::Canvas& Canvas, QRect Rect, TGridRect GridRect)
{
    FRange = GridRect;
    FPageRect = Rect;
    FFromPage = FToPage = FPageCount = 1;
    BuildPages(&Canvas, prPrint, 1);
}

int TGridPrinter::PrintRowHeight(TPrintRun& Run, int ARow)
{
    const TPrintSettings& S = FHost->PrintSettings();
    if (S.UseFixedHeight)
        return S.FixedHeight;
    if (FHost->Events().OnPrintSetRowHeight) {
        int h = S.FixedHeight;
        FHost->Raise(FHost->Events().OnPrintSetRowHeight, ARow, h);
        return h;
    }
    // The column widths measured the range's cells; at the same font scale their heights stand.
    const TGridRect& g = Run.Range;
    const bool known = Run.HeightsScale == FFontScale && ARow >= g.Top && ARow <= g.Bottom;
    const int cols = g.Right - g.Left + 1;
    auto height = [&](int c) {
        return known ? Run.Heights[size_t(ARow - g.Top) * size_t(cols) + size_t(c - g.Left)]
                     : PrintCellSize(Run, FHost->RemapCol(c), ARow).y();
    };
    int h = 0;
    for (int c = g.Left; c <= g.Right; ++c)
        if (!FHost->IsMergedCell(c, ARow))
            h = std::max(h, height(c));
    if (h == 0)
        h = height(g.Right);
    return h;
}

int TGridPrinter::BuildPages(ui::Canvas* Canvas, TPrintMethod Method, int TotalPages)
{
    TPrintRun run;
    return BuildPages(run, Canvas, Method, TotalPages, false);
}

int TGridPrinter::BuildPages(TPrintRun& run, ui::Canvas* Canvas, TPrintMethod Method, int TotalPages, bool LaidOut)
{
    FontScaleReset reset{FFontScale};
    FFontScale = LaidOut ? run.Fit : 1.0;

    run.Canvas = Canvas;
    run.Method = Method;
    run.TotalPages = TotalPages;
    if (!LaidOut) {
        // The range within the grid; a range outside it prints nothing.
        run.Range = FRange;
        run.Range.Left = std::max(run.Range.Left, 0);
        run.Range.Top = std::max(run.Range.Top, 0);
        run.Range.Right = std::min(run.Range.Right, FHost->ColCount() - 1);
        run.Range.Bottom = std::min(run.Range.Bottom, FHost->RowCount() - 1);
    }

    const int gridDpi = FHost->logicalDpiX() > 0 ? FHost->logicalDpiX() : 96;
    QPainter* painter = Canvas ? Canvas->painter() : nullptr;
    QPaintDevice* target = painter ? painter->device() : nullptr;
    double dpi = 254.0;
    if (target && target->logicalDpiX() > 0)
        dpi = target->logicalDpiX();
    run.Dpi = dpi;
    run.ResolutionRatio = dpi / gridDpi;
    run.ScreenToPaper = 254.0 / gridDpi;

    // Page extent.
    switch (Method) {
    case prPrint: {
        QRectF clip = painter && painter->hasClipping() ? painter->clipBoundingRect() : QRectF();
        if (clip.isEmpty() && target)
            clip = QRectF(0, 0, target->width(), target->height());
        run.PageWidth = ToPaper(clip.width(), dpi);
        run.PageBottom = -ToPaper(clip.height(), dpi);
        run.Origin = clip.topLeft();
        break;
    }
    case prCalcPrint:
        run.PageWidth = FPageRect.width();
        run.PageBottom = -FPageRect.height();
        break;
    case prPreview:
    case prCalcPreview:
        run.PageWidth = ToPaper(FPageRect.width(), dpi);
        run.PageBottom = -ToPaper(FPageRect.height(), dpi);
        run.Origin = FPageRect.topLeft();
        break;
    }

    if (!LaidOut)
        LayOutPrint(run);

    if (Method == prPreview || Method == prPrint) {
        auto* paged = Method == prPrint ? dynamic_cast<QPagedPaintDevice*>(target) : nullptr;
        bool first = true;
        for (int i = 0; i < FLayout.PageCount(); ++i) {
            const bool inRange = i + 1 >= FFromPage && i + 1 <= FToPage;
            if (inRange && painter) {
                if (!first && paged)
                    paged->newPage();
                first = false;
                if (FHost->Events().OnPrintPage)
                    FHost->Raise(FHost->Events().OnPrintPage, *Canvas, i + 1, run.PageWidth, run.PageBottom);
                DrawPrintPage(run, i);
            }
            const TPrintPage& page = FLayout.Pages[size_t(i)];
            if (FHost->Events().OnPrintPageDone && Canvas && !page.Rows.empty()) {
                const int nextRow = page.Rows.back().Row + 1;
                FHost->Raise(FHost->Events().OnPrintPageDone, *Canvas, nextRow, page.EndY, i, run.PageWidth,
                             run.PageBottom);
            }
        }
    }
    return FLayout.PageCount();
}

// Measures the cells, fits the columns and lays out the pages for the extent in Run.
void TGridPrinter::LayOutPrint(TPrintRun& run)
{
    const TPrintSettings& S = FHost->PrintSettings();
    run.HeaderFont = PaperFont(*this, S.HeaderFont);
    run.FooterFont = PaperFont(*this, S.FooterFont);
    run.HeaderTextHeight = TPrintRun::TextHeight(run.HeaderFont);
    run.FooterTextHeight = TPrintRun::TextHeight(run.FooterFont);
    const QFont printFont = PaperFont(*this, S.Font);
    run.PrintTextHeight = TPrintRun::TextHeight(printFont);
    run.LineGap = run.PrintTextHeight / 8;
    run.TextIndent = TPrintRun::TextWidth(printFont, QStringLiteral("a"));
    run.ColumnSpacing = S.UseFixedWidth ? 0 : S.ColumnSpacing + 20;

    // Column widths: every column up to the range's last, so that repeated fixed columns have theirs.
    const int lastCol = std::max(run.Range.Right, -1);
    run.Widths.assign(size_t(lastCol + 1), 0);
    auto widthCols = [&](auto fn) {
        for (int c = 0; c <= lastCol; ++c)
            if ((c >= run.Range.Left) || c < FHost->FixedCols())
                fn(c);
    };
    if (S.NoAutoSize) {
        widthCols(
            [&](int c) { run.Widths[size_t(c)] = int(std::lround((FHost->colWidths(c) - 4) * run.ScreenToPaper)); });
    } else {
        const TGridRect& g = run.Range;
        const size_t cols = size_t(std::max(0, g.Right - g.Left + 1));
        const size_t rows = size_t(std::max(0, g.Bottom - g.Top + 1));
        const bool keep = !S.UseFixedWidth && cols * rows <= (size_t(1) << 22);
        if (keep) {
            run.Heights.assign(cols * rows, 0);
            run.HeightsScale = FFontScale;
        }
        widthCols([&](int c) {
            int& w = run.Widths[size_t(c)];
            for (int r = g.Top; r <= g.Bottom; ++r) {
                int cw = S.FixedWidth;
                if (!S.UseFixedWidth) {
                    const TPoint size = PrintCellSize(run, FHost->RemapCol(c), r);
                    cw = size.x();
                    if (keep && c >= g.Left)
                        run.Heights[size_t(r - g.Top) * cols + size_t(c - g.Left)] = size.y();
                }
                // A block merged across sets no column's width, whatever columns it spans.
                const TPoint base = FHost->BaseCell(c, r);
                if (cw > w && FHost->CellSpan(base.x(), base.y()).x() == 0)
                    w = cw;
            }
        });
    }
    auto total = [&] {
        int t = 0;
        for (int c = run.Range.Left; c <= run.Range.Right; ++c)
            t += run.Widths[size_t(c)] + run.ColumnSpacing;
        return t;
    };
    const int cols = std::max(0, run.Range.Right - run.Range.Left + 1);
    run.Fit = PrintFitFactor(S.FitToPage, total(), cols * run.ColumnSpacing, run.PageWidth, S.LeftSize, S.RightSize,
                             [&](double& f, bool& allow) {
                                 if (FHost->Events().OnFitToPage)
                                     FHost->Raise(FHost->Events().OnFitToPage, f, allow);
                             });
    if (run.Fit != 1.0)
        for (int& w : run.Widths)
            w = int(std::trunc(w * run.Fit));
    if (FHost->Events().OnPrintSetColumnWidth)
        widthCols([&](int c) { FHost->Raise(FHost->Events().OnPrintSetColumnWidth, c, run.Widths[size_t(c)]); });

    run.HeaderHeight = PrintHeaderHeight(S, run.LineGap, run.HeaderTextHeight);
    run.FooterHeight = PrintFooterHeight(S, run.LineGap, run.FooterTextHeight);

    // Cell fonts are scaled with the columns while rows are measured and printed.
    FFontScale = run.Fit;
    TPrintLayoutInput in;
    in.FirstCol = run.Range.Left;
    in.FirstRow = run.Range.Top;
    in.LastCol = run.Range.Right;
    in.LastRow = run.Range.Bottom;
    in.Widths = run.Widths;
    in.ColumnSpacing = run.ColumnSpacing;
    in.PageWidth = run.PageWidth;
    in.PageBottom = run.PageBottom;
    in.HeaderHeight = run.HeaderHeight;
    in.FooterHeight = run.FooterHeight;
    in.TitleSpacing = S.TitleSpacing;
    in.LeftSize = S.LeftSize;
    in.RightSize = S.RightSize;
    in.Centered = S.Centered;
    in.FixedCols = FHost->FixedCols();
    in.FixedRows = FHost->FixedRows();
    in.RepeatFixedCols = S.RepeatFixedCols;
    in.RepeatFixedRows = S.RepeatFixedRows;
    in.RowPitch = [&](int r) { return run.Pitch(PrintRowHeight(run, r), S.RowSpacing); };
    if (FHost->Events().OnPrintNewPage)
        in.NewPage = [&](int r) {
            bool np = false;
            FHost->Raise(FHost->Events().OnPrintNewPage, r, np);
            return np;
        };
    FLayout = LayoutPrintPages(in);
    run.Heights = {};
    run.HeightsScale = 0;

    // The tables keep the widths and the offsets of the last band for event handlers.
    for (int c = 0; c < int(run.Widths.size()) && c < TPrintColumns::MaxColumns; ++c)
        FColumns.SetPrintColWidth(c, run.Widths[size_t(c)]);
    if (!FLayout.Bands.empty()) {
        const std::vector<int>& off = FLayout.Bands.back().Offsets;
        for (int c = 0; c < int(off.size()) && c < TPrintColumns::MaxColumns; ++c)
            FColumns.SetPrintColOffset(c, off[size_t(c)]);
    }
}

} // namespace grid
