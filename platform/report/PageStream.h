#pragma once
// Pages as a stream. A report run hands each page to a sink as soon as the page is full
// (Report::run), so a report of tens of thousands of pages never holds more than one page in
// memory: the sink writes it to a PDF file, spools it to a temporary file for the preview, or
// (Report::prepare) keeps it in a PageList.
#include "platform/report/PageList.h"

#include <QString>

#include <memory>
#include <vector>

class QFile;
class QPainter;
class QPdfWriter;

namespace sys {
class FileReplacement;
}

namespace report {

// Receives the pages of one run in order: begin, every page, end. A run that fails stops
// without end(); the sink's destructor drops what it has.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void begin(const PageSetup& setup, const QString& title) {}
    virtual void page(Page&& page) = 0;
    virtual void end() {}
};

// Laid-out pages to read in any order (the preview, printing from the preview).
class PageStore {
public:
    virtual ~PageStore() = default;
    virtual int pageCount() const = 0;
    virtual Page page(int index) const = 0; // 0-based
    virtual const PageSetup& setup() const = 0;
    virtual QString title() const = 0;
};

// A PageList as a store (not owned; it must outlive the view).
class PageListView : public PageStore {
public:
    explicit PageListView(const PageList& pages) : pages_(pages) {}
    int pageCount() const override { return pages_.pageCount(); }
    Page page(int index) const override { return pages_.pages.at(size_t(index)); }
    const PageSetup& setup() const override { return pages_.setup; }
    QString title() const override { return pages_.title; }

private:
    const PageList& pages_;
};

// Keeps every page in memory (what Report::prepare gives).
class PageCollector : public PageSink {
public:
    void begin(const PageSetup& setup, const QString& title) override;
    void page(Page&& page) override { list_.pages.push_back(std::move(page)); }
    PageList take() { return std::move(list_); }

private:
    PageList list_;
};

// Pages spooled to a temporary file as they come, read back one at a time: memory stays the
// same however many pages a run makes. (Pages read back keep their items' names and everything
// they draw.) Throws Error when the temporary file cannot be written.
class PageSpool : public PageSink, public PageStore {
public:
    PageSpool();
    ~PageSpool() override;
    void begin(const PageSetup& setup, const QString& title) override;
    void page(Page&& page) override;
    void end() override;

    int pageCount() const override { return int(offsets_.size()); }
    Page page(int index) const override;
    const PageSetup& setup() const override { return setup_; }
    QString title() const override { return title_; }
    // The size of the spool file.
    qint64 bytes() const { return bytes_; }

private:
    std::unique_ptr<QFile> file_;
    std::vector<qint64> offsets_; // where each page starts in the file
    qint64 bytes_ = 0;
    PageSetup setup_;
    QString title_;
};

// Writes the pages into a PDF file as they come, as sys::FileReplacement saves a file: beside
// it, put in its place after end() only when whole and on the disk. A run that fails leaves no
// file behind, and a file that was there before stays as it was. Throws Error when the file
// cannot be written, saying why ("... brak miejsca na dysku.").
class PdfStream : public PageSink {
public:
    explicit PdfStream(QString path);
    ~PdfStream() override;
    void begin(const PageSetup& setup, const QString& title) override;
    void page(Page&& page) override;
    void end() override;
    // One page more, for a caller that keeps its pages (copies of a PageList).
    void draw(const Page& page);
    int pagesWritten() const { return pages_; }

private:
    [[noreturn]] void failed(); // the replacement's failure as Error

    QString path_;
    std::unique_ptr<sys::FileReplacement> file_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QPainter> painter_;
    int pages_ = 0;
};

} // namespace report
