#pragma once
// The printed elements of a band: fixed labels, data-bound texts with number masks, computed
// texts (sums, page numbers), images, lines and rules, rich text in a frame. Positions and sizes
// are millimetres from the band's top left corner; font sizes are points.
#include "platform/report/PageList.h"

#include <QPointF>
#include <QString>

#include <functional>
#include <vector>

class QPaintDevice;
class QTextDocument;

namespace report {

class RowSource;
class Report;

// What an element may ask while it is laid out.
struct LayoutContext {
    int pageNumber = 0;     // the page being filled, from 1
    int pageCount = 0;      // pages of the previous run of the same report (0 before any)
    QString baseFont;       // the report's font family, for elements that name none
    QString title;          // the report's title
    bool continued = false; // a header repeated on a page where its group's rows continue
    double width = 0;       // the band's printable width (the page's body); 0 when not known
    // Free room beside the element being laid out on its row (millimetres to its left and to its
    // right), found by its band: up to where the row's other elements print.
    double roomLeft = 0;
    double roomRight = 0;
    // The largest size the element being laid out prints in (0: its own), set by its band where a
    // neighbour too wide for the free room beside it needs room this one gives by printing smaller.
    double maxSize = 0;
};

class Element {
public:
    explicit Element(QString name = {}) : name(std::move(name)) {}
    virtual ~Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    QString name;
    double x = 0, y = 0;          // millimetres within the band
    double width = 0, height = 0; // 0 = sized by the content
    bool visible = true;
    // The band grows to hold all of this element (a text that wraps to more lines), and what lies
    // under it in the band moves down by as much as it grew. Bands keep their designed heights
    // otherwise, so the page breaks are the designed ones.
    bool stretch = false;
    // Printed only in a header repeated on a page where its group continues (a "continued" mark).
    bool onlyWhenContinued = false;

    bool shows(const LayoutContext& ctx) const { return visible && (!onlyWhenContinued || ctx.continued); }
    // Lowest point the element reaches, in millimetres from the band's top.
    virtual double bottom(const LayoutContext& ctx) const { return y + height; }
    // Where it ends as designed, before it stretched (a text: its first line).
    virtual double designedBottom(const LayoutContext&) const { return y + height; }
    // Appends the element's draw items; `origin` is the band's top left corner on the paper.
    virtual void layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const = 0;
    // Both at once: appends the draw items and gives bottom() (texts are made and measured once).
    virtual double layOutAndMeasure(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const
    {
        layOut(ctx, origin, out);
        return visible ? bottom(ctx) : 0.0;
    }

protected:
    // A draw item of the given kind named after the element, over `rect` (band millimetres)
    // placed on the paper at `origin`; without a rect, over the element's own box.
    DrawItem drawItem(DrawItem::Kind kind, QPointF origin, const QRectF& rect) const;
    DrawItem drawItem(DrawItem::Kind kind, QPointF origin) const
    {
        return drawItem(kind, origin, QRectF(x, y, width, height));
    }
};

// A text of one font and alignment. With a width it is that wide and wraps within it; without one
// it grows with its text and x is its left edge (Left), centre (Center) or right edge (Right).
class TextElement : public Element {
public:
    using Element::Element;
    Align align = Align::Left;
    FontSpec font;        // an empty family means the report's font
    bool wordWrap = true; // only with a width
    // With a width: a word wider than the width (a long number or code) prints in a smaller size
    // that fits it, down to `minSize` points, on the baseline the designed size has. A word still
    // too wide at that size breaks over lines (a code after a "." or "-" where it has one) and
    // the text grows downwards; so does a text kept to one line (no word wrap) that does not fit.
    bool shrinkToFit = false;
    double minSize = kMinTextSize;
    // Free room beside the box (millimetres to the left and to the right) that a text too wide at
    // the smallest size takes before it would break: a number is read whole, not over lines.
    // Besides this fixed room, a cell takes the room its band finds free on its row
    // (LayoutContext::roomLeft, roomRight), whichever is more.
    double widenLeft = 0;
    double widenRight = 0;

    // The smallest size a text is made to print in: smaller is not readable on paper.
    static constexpr double kMinTextSize = 6;

    // A text as it prints: the font (the element's, made smaller to fit where it must), the text
    // (broken over lines where even the smallest size is too wide) and the box's left edge and
    // width (wider than designed where the text takes the room beside it).
    struct Fitted {
        FontSpec font;
        QString text;
        double x = 0;
        double width = 0;
    };

    virtual QString text(const LayoutContext& ctx) const = 0;
    double bottom(const LayoutContext& ctx) const override;
    double designedBottom(const LayoutContext& ctx) const override;
    Fitted fitted(const LayoutContext& ctx, const QString& text) const;
    void layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const override;
    double layOutAndMeasure(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const override;
    // The rectangle (band millimetres) the text occupies.
    QRectF textRect(const LayoutContext& ctx, const QString& text) const;
    // Where the printed text stands across (band millimetres, from left to right), and whether it
    // is too wide for its box even at the smallest size, so that it would go over lines.
    struct Reach {
        double left = 0;
        double right = 0;
        bool tooWide = false;
        bool prints = true; // false for an empty text, which leaves all of its box free
    };
    Reach reach(const LayoutContext& ctx) const;

private:
    QRectF rectIn(const FontSpec& designed, const Fitted& fitted) const;
};

// A text kept within its width as a table's cell is: a word too wide prints smaller, down to the
// smallest size, then over lines; a text that goes over lines grows its band.
template <class T>
T* asCell(T* text)
{
    text->stretch = true;
    text->shrinkToFit = true;
    return text;
}

// A fixed text that the code may change (between runs, or in a page-start hook).
class Label : public TextElement {
public:
    using TextElement::TextElement;
    QString caption;
    void setText(const QString& t) { caption = t; }
    QString text(const LayoutContext&) const override { return caption; }
};

// A field of a row source's current row, optionally under a number mask ("0.00", "0.00 zł").
class DataText : public TextElement {
public:
    using TextElement::TextElement;
    RowSource* source = nullptr;
    QString field;
    QString mask;
    QString text(const LayoutContext& ctx) const override;
};

// A text computed when the band is laid out (sums, page numbers, joined fields).
class ExprText : public TextElement {
public:
    using TextElement::TextElement;
    std::function<QString(const LayoutContext&)> expression;
    QString text(const LayoutContext& ctx) const override { return expression ? expression(ctx) : QString(); }
};

// A picture stretched to its frame; a null image draws nothing.
class ImageBox : public Element {
public:
    using Element::Element;
    QImage image;
    void layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const override;
};

// A straight line from (x, y) to (x + width, y + height): rules are horizontal lines (height 0).
class LineElement : public Element {
public:
    using Element::Element;
    double penWidth = 1; // points
    Qt::PenStyle penStyle = Qt::SolidLine;
    double bottom(const LayoutContext&) const override { return y + std::max(height, 0.0); }
    void layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const override;
};

// Formatted text (HTML) or plain text in a frame, clipped to it; a stretching frame grows to hold
// all of its text. Bound to a field when a source is set, otherwise shows `text`.
class RichTextBox : public Element {
public:
    using Element::Element;
    FontSpec font;
    QString text;
    RowSource* source = nullptr;
    QString field;
    QString content() const;
    double bottom(const LayoutContext& ctx) const override;
    void layOut(const LayoutContext& ctx, QPointF origin, std::vector<DrawItem>& out) const override;
};

// A running total: each time its counting band is laid out the value of the current row is added;
// after its reset band is laid out it starts again from 0.
class Sum {
public:
    std::function<double()> value;
    double total() const { return total_; }
    void add() { total_ += value ? value() : 0.0; }
    void reset() { total_ = 0; }

private:
    double total_ = 0;
};

// Measures text as it will print: millimetres, at a fixed high resolution (no screen involved).
QSizeF measureText(const FontSpec& font, const QString& text, double widthMm, bool wrap);
// The height in millimetres of formatted (HTML) or plain text set in a frame of the given width.
double measureRichText(const FontSpec& font, const QString& text, double widthMm);
// Fills `doc` with formatted (HTML) or plain text in `font`, without margins, laid out for
// `device`: as the text is both measured and printed, so the two agree.
void setUpRichText(QTextDocument& doc, QPaintDevice* device, const FontSpec& font, const QString& text);

} // namespace report
