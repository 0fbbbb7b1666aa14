#pragma once
// A drawing surface in the manner the grid library draws: a brush, a pen and a font that the
// drawing calls use, over a QPainter. Text is measured by a replaceable measurer so that
// layout can be tested without real glyph metrics.
#include "platform/ui/Colors.h"
#include "platform/ui/Font.h"

#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <memory>

namespace ui {

// A rectangle with exclusive right and bottom edges (Right - Left is the width), as the grid
// computes cell rectangles; also used for ranges of cells (Left/Right columns, Top/Bottom rows).
struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    bool isEmpty() const { return Right <= Left || Bottom <= Top; }
    bool contains(QPoint p) const { return p.x() >= Left && p.x() < Right && p.y() >= Top && p.y() < Bottom; }
    QRect toQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static Rect fromQRect(const QRect& r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }
    bool operator==(const Rect&) const = default;
};

// Measures text for layout. The default one asks Qt's font metrics.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int width(const Font& font, const QString& text) const = 0;
    virtual int height(const Font& font) const = 0; // line height
    virtual int ascent(const Font& font) const = 0; // baseline below the line's top
    // The Qt font text is drawn in; a measurer for another device (paper) gives fonts sized
    // for it. False: the font's own (font.toQFont()).
    virtual bool deviceFont(const Font& font, QFont& out) const
    {
        (void)font;
        (void)out;
        return false;
    }
};

class QtTextMeasurer : public TextMeasurer {
public:
    int width(const Font& font, const QString& text) const override;
    int height(const Font& font) const override;
    int ascent(const Font& font) const override;
};

// Every character is charWidth pixels wide and a line lineHeight pixels high.
class FixedTextMeasurer : public TextMeasurer {
public:
    FixedTextMeasurer(int charWidth = 7, int lineHeight = 14) : cw_(charWidth), lh_(lineHeight) {}
    int width(const Font&, const QString& text) const override { return int(text.size()) * cw_; }
    int height(const Font&) const override { return lh_; }
    int ascent(const Font&) const override { return lh_ * 3 / 4; }

private:
    int cw_, lh_;
};

// The process-wide measurer that canvases use unless given their own; tests replace it.
// Passing nullptr restores the Qt one.
void setTextMeasurer(std::shared_ptr<TextMeasurer> m);
std::shared_ptr<TextMeasurer> textMeasurer();

enum class BrushStyle { Solid, Clear };

struct Brush {
    Color color = clWhite;
    BrushStyle style = BrushStyle::Solid;
};

struct Pen {
    Color color = clBlack;
    int width = 1;
    Qt::PenStyle style = Qt::SolidLine;
    bool operator==(const Pen&) const = default;
};

class Canvas {
public:
    // A canvas that only measures (no painter).
    Canvas();
    explicit Canvas(QPainter* painter);

    QPainter* painter() const { return painter_; }

    Brush brush;
    Pen pen;
    Font font;

    void setMeasurer(std::shared_ptr<TextMeasurer> m) { measurer_ = std::move(m); }
    const TextMeasurer& measurer() const;

    void fillRect(const Rect& r);           // with the brush, no outline
    void rectangle(const Rect& r);          // brush inside, pen outline
    void frameRect(const Rect& r, Color c); // one-pixel frame
    void moveTo(int x, int y) { pos_ = QPoint(x, y); }
    void lineTo(int x, int y); // pen line, the end point excluded
    QPoint penPos() const { return pos_; }
    void polygon(const QPolygon& points); // brush inside, pen outline

    // Text with its top-left corner at (x, y), in the font's colour.
    void textOut(int x, int y, const QString& text);
    // The same, clipped to r.
    void textRect(const Rect& r, int x, int y, const QString& text);
    // Text laid out in r by Qt alignment flags (Qt::AlignLeft, Qt::TextWordWrap, ...).
    void drawText(const Rect& r, int flags, const QString& text);

    int textWidth(const QString& text) const { return measurer().width(font, text); }
    int textHeight(const QString& = QString()) const { return measurer().height(font); }

    void drawImage(int x, int y, const QImage& img);
    void stretchDraw(const Rect& r, const QImage& img);

    // Clipping: only inside r until clearClip.
    void setClipRect(const Rect& r);
    void clearClip();
    bool hasClip() const { return clipped_; }
    Rect clipRect() const { return clip_; }

private:
    void applyPen() const;
    void applyBrush() const;
    void applyFont() const;

    QPainter* painter_ = nullptr;
    std::shared_ptr<TextMeasurer> measurer_;
    QPoint pos_;
    bool clipped_ = false;
    Rect clip_;
};

} // namespace ui
