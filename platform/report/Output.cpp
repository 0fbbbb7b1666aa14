#include "platform/report/Output.h"

#include "platform/report/Preview.h"
#include "platform/report/Report.h"
#include "platform/ui/Modal.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include <optional>

namespace report {

namespace {

Devices* g_devices = nullptr;

QPageLayout pageLayout(const PageSetup& setup)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       setup.orientation == PageOrientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

Qt::Alignment alignment(Align a)
{
    switch (a) {
    case Align::Left: return Qt::AlignLeft;
    case Align::Center: return Qt::AlignHCenter;
    case Align::Right: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

// Draws every copy of the pages on a paged device that is already being painted.
void drawAll(QPainter& painter, QPagedPaintDevice& device, const PageStore& pages, int copies)
{
    const double dpi = device.logicalDpiX();
    bool firstPage = true;
    for (int c = 0; c < copies; ++c)
        for (int i = 0; i < pages.pageCount(); ++i) {
            if (!firstPage)
                device.newPage();
            firstPage = false;
            drawPage(painter, pages.page(i), dpi);
        }
}

} // namespace

void drawPage(QPainter& painter, const Page& page, double dpi)
{
    const double k = dpi / 25.4; // device dots per millimetre
    auto px = [k](const QRectF& r) { return QRectF(r.left() * k, r.top() * k, r.width() * k, r.height() * k); };
    // Consecutive texts mostly share their font and colour: they are set only when they change.
    const FontSpec* lastFont = nullptr;
    std::optional<QColor> lastColor;
    for (const DrawItem& item : page.items) {
        switch (item.kind) {
        case DrawItem::Kind::Text: {
            if (item.text.isEmpty())
                break;
            if (!lastFont || !(*lastFont == item.font)) {
                painter.setFont(item.font.toQFont());
                lastFont = &item.font;
            }
            if (lastColor != item.font.color) {
                painter.setPen(item.font.color);
                lastColor = item.font.color;
            }
            // The box is the text's own measured size: clipping to it would only cost time.
            int flags = int(alignment(item.align)) | Qt::AlignTop | Qt::TextDontClip;
            if (item.wrap)
                flags |= Qt::TextWordWrap;
            painter.drawText(px(item.rect), flags, item.text);
            break;
        }
        case DrawItem::Kind::Line: {
            lastColor.reset();
            QPen pen(Qt::black);
            pen.setWidthF(std::max(item.penWidth, 0.1) * dpi / 72.0);
            pen.setStyle(item.penStyle);
            painter.setPen(pen);
            const QRectF r = item.rect;
            painter.drawLine(QPointF(r.left() * k, r.top() * k),
                             QPointF((r.left() + r.width()) * k, (r.top() + r.height()) * k));
            break;
        }
        case DrawItem::Kind::Image: painter.drawImage(px(item.rect), item.image); break;
        case DrawItem::Kind::RichText: {
            lastFont = nullptr;
            lastColor.reset();
            QTextDocument doc;
            setUpRichText(doc, painter.device(), item.font, item.text);
            const QRectF r = px(item.rect);
            doc.setTextWidth(r.width());
            painter.save();
            painter.translate(r.topLeft());
            doc.drawContents(&painter, QRectF(0, 0, r.width(), r.height()));
            painter.restore();
            break;
        }
        }
    }
}

QImage renderPage(const Page& page, const PageSetup& setup, double dpi)
{
    const double k = dpi / 25.4;
    QImage img(int(setup.paperWidth() * k + 0.5), int(setup.paperHeight() * k + 0.5), QImage::Format_RGB32);
    const int dpm = int(dpi / 0.0254 + 0.5);
    img.setDotsPerMeterX(dpm);
    img.setDotsPerMeterY(dpm);
    img.fill(Qt::white);
    QPainter painter(&img);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawPage(painter, page, dpi);
    return img;
}

void writePdf(const PageList& pages, const QString& path, int copies)
{
    if (copies < 1)
        return;
    PdfStream out(path);
    out.begin(pages.setup, pages.title);
    for (int c = 0; c < copies; ++c)
        for (const Page& page : pages.pages)
            out.draw(page);
    out.end();
}

int writePdf(Report& report, const QString& path)
{
    PdfStream out(path);
    report.run(out);
    return out.pagesWritten();
}

QString fallbackPdfPath(const QString& dir, const PrintJob& job)
{
    QString base = job.documentName.trimmed();
    if (!job.runName.isEmpty())
        base += (base.isEmpty() ? QString() : QStringLiteral(" ")) + job.runName;
    if (base.isEmpty())
        base = QStringLiteral("wydruk");
    static const QString bad = QStringLiteral("/\\:*?\"<>|");
    for (QChar& c : base)
        if (bad.contains(c) || c.unicode() < 32)
            c = u'-';
    const QDir d(dir);
    QString path = d.filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = d.filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    return path;
}

namespace {
PdfNotice& pdfNotice()
{
    static PdfNotice notice;
    return notice;
}
} // namespace

void setPdfNotice(PdfNotice notice) { pdfNotice() = std::move(notice); }

void print(const PageList& pages, const PrintJob& job)
{
    if (g_devices) {
        g_devices->print(pages, job);
        return;
    }
    print(PageListView(pages), job);
}

void print(const PageStore& pages, const PrintJob& job)
{
    if (g_devices) {
        // The seam takes whole page lists: the few pages a test prints.
        PageList list;
        list.setup = pages.setup();
        list.title = pages.title();
        for (int i = 0; i < pages.pageCount(); ++i)
            list.pages.push_back(pages.page(i));
        g_devices->print(list, job);
        return;
    }
    if (job.copies < 1)
        return;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QString path = fallbackPdfPath(QDir::current().filePath(QStringLiteral("wydruki")), job);
        PdfStream out(path);
        out.begin(pages.setup(), pages.title());
        for (int c = 0; c < job.copies; ++c)
            for (int i = 0; i < pages.pageCount(); ++i)
                out.draw(pages.page(i));
        out.end();
        if (pdfNotice())
            pdfNotice()(QFileInfo(path).absoluteFilePath());
        return;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageLayout(pageLayout(pages.setup()));
    printer.setDocName(pages.title().isEmpty() ? job.documentName : pages.title());
    int repeat = job.copies;
    if (printer.supportsMultipleCopies()) {
        printer.setCopyCount(job.copies);
        if (printer.copyCount() == job.copies)
            repeat = 1;
    }
    QPainter painter;
    if (!painter.begin(&printer))
        throw Error(QStringLiteral("Nie można drukować na drukarce „%1”.").arg(info.printerName()));
    drawAll(painter, printer, pages, repeat);
    if (!painter.end())
        throw Error(QStringLiteral("Wydruk na drukarce „%1” nie powiódł się.").arg(info.printerName()));
}

void preview(const PageList& pages, const QString& caption)
{
    if (g_devices) {
        g_devices->preview(pages, caption);
        return;
    }
    const PageListView view(pages);
    PreviewDialog dialog(view, caption);
    ui::showModal(&dialog);
}

void preview(Report& report, const QString& caption)
{
    if (g_devices) {
        g_devices->previewReport(report, caption);
        return;
    }
    PageSpool spool;
    report.run(spool);
    PreviewDialog dialog(spool, caption);
    ui::showModal(&dialog);
}

void Devices::previewReport(Report& report, const QString& caption) { preview(report.prepare(), caption); }

void setDevices(Devices* devices) { g_devices = devices; }
Devices* devices() { return g_devices; }

// ---- PdfCapture -------------------------------------------------------------------------------

PdfCapture::PdfCapture(const QString& dir) : dir_(dir), previous_(g_devices)
{
    QDir().mkpath(dir_);
    g_devices = this;
}

PdfCapture::~PdfCapture()
{
    if (g_devices == this)
        g_devices = previous_;
}

namespace {
std::vector<QStringList> textsOf(const PageList& pages)
{
    std::vector<QStringList> out;
    for (const Page& p : pages.pages)
        out.push_back(p.texts());
    return out;
}
} // namespace

void PdfCapture::print(const PageList& pages, const PrintJob& job)
{
    if (job.copies < 1)
        return;
    Entry e;
    e.documentName = job.documentName;
    e.runName = job.runName;
    e.copies = job.copies;
    e.pageCount = pages.pageCount();
    e.pageTexts = textsOf(pages);
    e.pages = pages;
    e.file = QDir(dir_).filePath(QStringLiteral("%1.pdf").arg(entries_.size() + 1, 3, 10, QLatin1Char('0')));
    writePdf(pages, e.file, job.copies);
    entries_.push_back(std::move(e));
}

void PdfCapture::preview(const PageList& pages, const QString& caption)
{
    Entry e;
    e.preview = true;
    e.caption = caption;
    e.pageCount = pages.pageCount();
    e.pageTexts = textsOf(pages);
    e.pages = pages;
    e.file = QDir(dir_).filePath(QStringLiteral("%1.pdf").arg(entries_.size() + 1, 3, 10, QLatin1Char('0')));
    writePdf(pages, e.file, 1);
    entries_.push_back(std::move(e));
}

} // namespace report
