#pragma once
// The laid-out pages of one report run: plain positioned draw items in millimetres from the
// paper's top left corner. A run is laid out once into this structure; printing, PDF output
// and the preview only draw it, and tests read it directly.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace report {

enum class Align { Left, Center, Right };

// A font by the names the layouts use ("Arial", "Arial Unicode MS"); fontconfig substitutes a
// missing family when it is drawn. An empty family means the report's font (in draw items the
// family is always filled in).
struct FontSpec {
    QString family;
    double size = 10; // points
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;

    QFont toQFont() const;
    bool operator==(const FontSpec&) const = default;
};

enum class PageOrientation { Portrait, Landscape };

// Paper and margins in millimetres (A4 only: every printout of the system is A4).
struct PageSetup {
    PageOrientation orientation = PageOrientation::Portrait;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;

    double paperWidth() const;  // 210 or 297
    double paperHeight() const; // 297 or 210
    double bodyWidth() const { return paperWidth() - marginLeft - marginRight; }
    double bodyHeight() const { return paperHeight() - marginTop - marginBottom; }
    static PageSetup a4(PageOrientation o, double margins)
    {
        PageSetup p;
        p.orientation = o;
        p.marginLeft = p.marginTop = p.marginRight = p.marginBottom = margins;
        return p;
    }
};

struct DrawItem {
    enum class Kind { Text, Line, Image, RichText };
    Kind kind = Kind::Text;
    QString name; // the element's name, for tests and debugging
    QRectF rect;  // millimetres on the paper; for lines the two end points are its corners
    QString text; // Text: the text; RichText: HTML or plain text
    FontSpec font;
    Align align = Align::Left;
    bool wrap = false;   // Text: word wrap within rect's width
    double penWidth = 1; // Line: points
    Qt::PenStyle penStyle = Qt::SolidLine;
    QImage image;
};

struct Page {
    int number = 0; // 1-based
    std::vector<DrawItem> items;

    // Every text on the page (text and rich text items, rich text as plain text), in reading
    // order: top to bottom, then left to right.
    QStringList texts() const;
    // The first item with the given element name, or nullptr.
    const DrawItem* find(const QString& name) const;
};

struct PageList {
    PageSetup setup;
    QString title; // the print job's name
    std::vector<Page> pages;

    int pageCount() const { return int(pages.size()); }
};

} // namespace report
