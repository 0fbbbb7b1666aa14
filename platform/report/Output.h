#pragma once
// Where laid-out pages go: straight to the printer, to a PDF file, or to a modal preview.
//
// "Straight to the printer" uses the system's default printer. A machine without one gets a PDF
// in `wydruki/` of the working directory instead, one file per run, named after the document and
// the run ("FV-12-2009 Oryginał.pdf"). Where the device cannot make copies itself the pages are
// repeated. Tests install a Devices seam (PdfCapture) so that printer and preview output land in
// PDF files and nothing blocks.
//
// A report can also go to the preview or a PDF file page by page as it is laid out
// (preview(Report&), writePdf(Report&)): then no more than one page is held in memory at a time.
#include "platform/report/PageList.h"
#include "platform/report/PageStream.h"

#include <QString>

#include <functional>
#include <stdexcept>
#include <vector>

class QPainter;

namespace report {

class Report;

// A failure to produce output; the text is the user's message (Polish).
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

struct PrintJob {
    QString documentName; // e.g. "FV/12/2009"
    QString runName;      // e.g. "Oryginał", "Kopia"
    int copies = 1;       // below 1: nothing is printed
};

// Draws one page on a painter whose device has `dpi` dots per inch, with the paper's top left
// corner at the painter's origin.
void drawPage(QPainter& painter, const Page& page, double dpi);
// One page as an image (for the preview and for tests).
QImage renderPage(const Page& page, const PageSetup& setup, double dpi);

// Writes the pages (each `copies` times in turn) to a PDF file. Throws Error when the file cannot
// be written.
void writePdf(const PageList& pages, const QString& path, int copies = 1);
// Lays the report out straight into a PDF file, page by page; returns the number of pages.
int writePdf(Report& report, const QString& path);

// The file a printout goes to when there is no printer: `dir`/"<document> <run>.pdf", with a
// number added when such a file exists already. Characters not allowed in file names become '-'.
QString fallbackPdfPath(const QString& dir, const PrintJob& job);

// Straight to the printer (through the installed Devices, if any). Throws Error. Without a
// printer the PDF written in its place is announced to the notice below.
void print(const PageList& pages, const PrintJob& job);
void print(const PageStore& pages, const PrintJob& job);

// Told the path of every PDF written because there was no printer, so the user learns where the
// printout went (the main window shows it in its status bar). Empty: nobody is told.
using PdfNotice = std::function<void(const QString& path)>;
void setPdfNotice(PdfNotice notice);
// Modal preview with the caption (through the installed Devices, if any); returns when it closes.
void preview(const PageList& pages, const QString& caption);
// Lays the report out and shows it in the modal preview; the pages wait in a temporary file, so
// a long report takes no more memory than a short one. Returns when the preview closes.
void preview(Report& report, const QString& caption);

// The seam for tests: receives what would go to the printer or the preview.
class Devices {
public:
    virtual ~Devices() = default;
    virtual void print(const PageList& pages, const PrintJob& job) = 0;
    virtual void preview(const PageList& pages, const QString& caption) = 0;
    // A report for the preview, not laid out yet; by default laid out whole and given to
    // preview() above.
    virtual void previewReport(Report& report, const QString& caption);
};
// Installs a seam (nullptr: the real devices again).
void setDevices(Devices* devices);
Devices* devices();

// Captures printer and preview output as PDF files in a folder, in order, while it lives.
class PdfCapture : public Devices {
public:
    struct Entry {
        bool preview = false;
        QString documentName, runName, caption;
        int copies = 1;
        int pageCount = 0;                  // pages of one copy
        QString file;                       // the PDF written (every copy in turn)
        std::vector<QStringList> pageTexts; // texts of each page of one copy
        PageList pages;                     // one copy as laid out
    };
    explicit PdfCapture(const QString& dir);
    ~PdfCapture() override;

    void print(const PageList& pages, const PrintJob& job) override;
    void preview(const PageList& pages, const QString& caption) override;
    const std::vector<Entry>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

private:
    QString dir_;
    Devices* previous_ = nullptr;
    std::vector<Entry> entries_;
};

} // namespace report
