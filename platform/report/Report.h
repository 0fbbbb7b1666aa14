#pragma once
// A banded report: title, page header, column header, groups, detail rows of the report's own
// row source, sub-details (each with its own header and footer), summary and page footer, on A4
// paper measured in millimetres. prepare() lays the whole report out once into a PageList; that
// list is then printed, written to PDF or previewed (Output.h). run() hands each page to a sink
// as soon as it is full instead, for reports too long to keep in memory.
//
// Order on the paper:
//   page 1:      page header, title, column header
//   later pages: page header, column header, group headers marked to reprint (and, within
//                a sub-detail marked so, the detail band of its master row and its header),
//                laid out as continued (LayoutContext::continued)
//   per row:     group footers/headers where a group's expression changed, detail, sub-details
//   at the end:  the open group footers, summary
//   every page:  page footer at the foot of the page
// Without a row source of its own the report runs once: detail (if any) and sub-details once.
#include "platform/report/Elements.h"
#include "platform/report/PageList.h"
#include "platform/report/PageStream.h"

#include <functional>
#include <memory>
#include <vector>

namespace report {

class RowSource;

enum class BandKind {
    Title,
    PageHeader,
    ColumnHeader,
    Detail,
    Summary,
    PageFooter,
    GroupHeader,
    GroupFooter,
    SubDetailHeader,
    SubDetail,
    SubDetailFooter
};

class Band {
public:
    Band(BandKind kind, double height) : kind(kind), height(height) {}
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    const BandKind kind;
    QString name;
    double height; // millimetres; grows only for a stretching element that reaches lower
    bool visible = true;
    bool bottomRule = false; // a rule under the band, across the page's width

    template <class T>
    T* add(std::unique_ptr<T> element)
    {
        T* raw = element.get();
        elements_.push_back(std::move(element));
        return raw;
    }
    Label* addLabel(const QString& name, double x, double y, const QString& caption, const FontSpec& font,
                    Align align = Align::Left, double width = 0);
    DataText* addData(const QString& name, double x, double y, double width, Align align, const FontSpec& font,
                      RowSource* source, const QString& field, const QString& mask = {});
    ExprText* addExpr(const QString& name, double x, double y, double width, Align align, const FontSpec& font,
                      std::function<QString(const LayoutContext&)> expression);
    // A sum under a number mask.
    ExprText* addSumText(const QString& name, double x, double y, double width, Align align, const FontSpec& font,
                         const Sum* sum, const QString& mask);
    ImageBox* addImage(const QString& name, double x, double y, double width, double height);
    LineElement* addLine(const QString& name, double x1, double y1, double x2, double y2, double penWidth = 1,
                         Qt::PenStyle style = Qt::SolidLine);
    RichTextBox* addRichText(const QString& name, double x, double y, double width, double height, const FontSpec& font,
                             RowSource* source = nullptr, const QString& field = {});

    Element* find(const QString& name) const;
    const std::vector<std::unique_ptr<Element>>& elements() const { return elements_; }
    // The band's height with its content laid out now: its own, or more where a stretching
    // element needs it.
    double layoutHeight(const LayoutContext& ctx) const;
    // Lays the content out at `origin` (appending to `out`) and gives the band's height; each
    // element's text is made and measured once.
    double layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const;

    // What one element of a row may take beside its box (millimetres to the left and to the
    // right), and the largest size it prints in where it gives room to a neighbour (0: its own).
    struct Room {
        double left = 0;
        double right = 0;
        double maxSize = 0;
    };
    // The free room of each element of one row of the band.
    static std::vector<Room> freeRoom(const LayoutContext& ctx, const std::vector<const Element*>& row);

private:
    std::vector<std::unique_ptr<Element>> elements_;
};

// A group of consecutive rows of the report's row source with the same expression value. A group
// without an expression breaks only when an outer group does (a header repeated per outer group).
class Group {
public:
    std::function<QString()> expression;
    bool newPage = false;          // start each group (but the first) on a new page
    bool reprintOnNewPage = false; // repeat the header at the top of each page the group spans
    Band* header() const { return header_.get(); }
    Band* footer() const { return footer_.get(); }
    Band* setFooter(double height);

private:
    friend class Report;
    std::unique_ptr<Band> header_;
    std::unique_ptr<Band> footer_;
};

// Rows of another source printed after each detail row of the report (or once, when the report
// has no row source of its own), between an optional header and footer. The source is expected to
// follow its master's current row (a detail dataset does).
class SubDetail {
public:
    RowSource* source = nullptr;
    bool printHeaderIfEmpty = true;
    bool printFooterIfEmpty = true;
    // Rows (or the footer) continuing on a new page are headed again by the report's detail band
    // of their master row, marked as continued, and by this header.
    bool reprintOnNewPage = false;
    Band* detail() const { return detail_.get(); }
    Band* header() const { return header_.get(); }
    Band* footer() const { return footer_.get(); }
    Band* setHeader(double height);
    Band* setFooter(double height);

private:
    friend class Report;
    std::unique_ptr<Band> detail_;
    std::unique_ptr<Band> header_;
    std::unique_ptr<Band> footer_;
};

class Report {
public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    PageSetup page;
    QString title; // the print job's name
    QString baseFont = QStringLiteral("Arial");
    bool pageFooterOnFirstPage = true;
    bool pageFooterOnLastPage = true;
    // Runs at the start of every page of every run, before anything is placed on the page; the
    // argument is the page number. Labels changed here print on that page. An exception thrown
    // here ends prepare() and nothing of the run is kept.
    std::function<void(int page)> onStartPage;

    // One band of each of these kinds: Title, PageHeader, ColumnHeader, Detail, Summary, PageFooter.
    Band* setBand(BandKind kind, double height);
    Band* band(BandKind kind) const;

    void setDataSource(RowSource* source) { source_ = source; }
    RowSource* dataSource() const { return source_; }

    // Groups nest in the order they are added (the first is the outermost).
    Group* addGroup(std::function<QString()> expression, double headerHeight);
    SubDetail* addSubDetail(RowSource* source, double detailHeight);
    const std::vector<std::unique_ptr<Group>>& groups() const { return groups_; }
    const std::vector<std::unique_ptr<SubDetail>>& subDetails() const { return subDetails_; }

    // A sum counted each time `countOn` is laid out, reset after `resetAfter` is (never if null).
    Sum* addSum(const Band* countOn, std::function<double()> value, const Band* resetAfter = nullptr);
    // The same over a numeric field of a source (a null or non-numeric value counts 0).
    Sum* addFieldSum(const Band* countOn, RowSource* source, const QString& field, const Band* resetAfter = nullptr);

    // Any element of any band by name.
    Element* find(const QString& name) const;
    template <class T>
    T* findAs(const QString& name) const
    {
        return dynamic_cast<T*>(find(name));
    }

    // Lays the whole report out. The page count of this run is kept and offered to the elements of
    // the next run (LayoutContext::pageCount) and by lastPageCount().
    PageList prepare();
    // The same, handing each page to `sink` as soon as it is full; returns the page count.
    int run(PageSink& sink);
    int lastPageCount() const { return lastPageCount_; }

private:
    friend class Layouter;
    struct SumEntry {
        std::unique_ptr<Sum> sum;
        const Band* countOn;
        const Band* resetAfter;
    };
    std::vector<std::unique_ptr<Band>> bands_; // the one-per-report kinds
    std::vector<std::unique_ptr<Group>> groups_;
    std::vector<std::unique_ptr<SubDetail>> subDetails_;
    std::vector<SumEntry> sums_;
    RowSource* source_ = nullptr;
    int lastPageCount_ = 0;
};

// A font of the report's family at a size: pt(7), pt(12, true).
inline FontSpec pt(double size, bool bold = false)
{
    FontSpec f;
    f.family.clear();
    f.size = size;
    f.bold = bold;
    return f;
}

} // namespace report
