// The formatted-text renderer drawing into an image: the colours that tags and options
// name, probed through pixels. Layout uses a fixed measurer (12 x 14, room for any glyph of
// the 8-point font), glyphs the real font.
#include "grid/text/TxgridHTML.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace grid;

namespace {

struct HtmlPaint : ::testing::Test {
    QImage img{120, 100, QImage::Format_RGB32};
    THTMLRenderOptions opt;
    THTMLRenderResult res;

    HtmlPaint()
    {
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
    }

    void draw(const QString& text, const ui::Rect& bounds = {0, 0, 100, 40},
              ui::Brush brush = {ui::clWhite, ui::BrushStyle::Clear})
    {
        img.fill(Qt::white);
        QPainter p(&img);
        ui::Canvas c(&p);
        c.setMeasurer(std::make_shared<ui::FixedTextMeasurer>(12, 14));
        c.font.color = ui::clBlack;
        c.brush = brush;
        RenderHTMLText(c, text, bounds, opt, res);
    }

    int count(const QRect& area, const std::function<bool(const QColor&)>& pred) const
    {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (pred(img.pixelColor(x, y)))
                    ++n;
        return n;
    }
    static bool reddish(const QColor& c) { return c.red() > 150 && c.green() < 110 && c.blue() < 110; }
    static bool bluish(const QColor& c) { return c.blue() > 150 && c.red() < 110 && c.green() < 110; }
    static bool dark(const QColor& c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; }
};

} // namespace

TEST_F(HtmlPaint, TextColoursOfFontAndAnchor)
{
    // "#FF0000" and the name clRed are the same red; the text after the tag is black again.
    for (const char* c : {"#FF0000", "clRed"}) {
        draw(QStringLiteral("<font color=\"%1\">MMMM</font>MMMM").arg(QLatin1String(c)));
        EXPECT_GT(count({1, 0, 48, 14}, reddish), 5) << c;
        EXPECT_EQ(count({49, 0, 48, 14}, reddish), 0) << c;
        EXPECT_GT(count({49, 0, 48, 14}, dark), 5) << c;
    }
    opt.URLColor = ui::clBlue;
    draw(QStringLiteral("<a href=\"x\">MMMM</a>"));
    EXPECT_GT(count({1, 0, 48, 14}, bluish), 5);
}

TEST_F(HtmlPaint, BackgroundsRuleAndHighlight)
{
    draw(QStringLiteral("<body bgcolor=\"clYellow\">x"), {0, 0, 100, 20});
    EXPECT_EQ(img.pixelColor(0, 0), QColor(255, 255, 0));
    EXPECT_EQ(img.pixelColor(99, 19), QColor(255, 255, 0));
    EXPECT_EQ(img.pixelColor(100, 0), QColor(255, 255, 255));

    // The rule: black, one pixel below the line, across the bounds.
    draw(QStringLiteral("a<hr>b"));
    EXPECT_EQ(img.pixelColor(50, 15), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(99, 15), QColor(0, 0, 0));
    EXPECT_EQ(img.pixelColor(50, 14), QColor(255, 255, 255));

    // Highlighted text stands on the highlight colour.
    draw(QStringLiteral("<hi>..</hi>.."));
    EXPECT_EQ(img.pixelColor(2, 0), ui::toQColor(ui::clHighlight));
    EXPECT_EQ(img.pixelColor(40, 0), QColor(255, 255, 255));

    // A paragraph colour fills its lines across the bounds.
    draw(QStringLiteral("<p bgcolor=\"#00FF00\">a<br>b</p>c"));
    EXPECT_EQ(img.pixelColor(99, 1), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(99, 27), QColor(0, 255, 0));
    EXPECT_EQ(img.pixelColor(99, 29), QColor(255, 255, 255));
}

TEST_F(HtmlPaint, ErrorUnderlineBlinkAndRotation)
{
    draw(QStringLiteral("<e>MMMM</e>"));
    EXPECT_GT(count({1, 13, 48, 3}, reddish), 20);
    EXPECT_EQ(count({1, 0, 48, 12}, reddish), 0);

    // Blinking text in its off phase takes the colour of the brush found on entry.
    opt.BlinkOn = false;
    draw(QStringLiteral("<bl>MMMM</bl>"), {0, 0, 100, 40}, {ui::clWhite, ui::BrushStyle::Solid});
    EXPECT_EQ(count({0, 0, 100, 20}, dark), 0);
    opt.BlinkOn = true;
    draw(QStringLiteral("<bl>MMMM</bl>"), {0, 0, 100, 40}, {ui::clWhite, ui::BrushStyle::Solid});
    EXPECT_GT(count({0, 0, 100, 20}, dark), 5);

    // A turned run is drawn inside the box its turned glyphs take, standing on its line: at 90
    // degrees rising from the box's bottom-left, at 270 falling from its top-right, at 45 within.
    struct Case {
        int angle;
        QRect box;
    };
    for (const Case c : {Case{90, {1, 10, 14, 72}}, Case{270, {1, 10, 14, 72}}, Case{45, {1, 10, 61, 61}}}) {
        draw(QStringLiteral("<r a=\"%1\">MMM   </r>").arg(c.angle), {0, 10, 100, 100});
        QRect ink;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (dark(img.pixelColor(x, y)))
                    ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty()) << c.angle;
        EXPECT_TRUE(c.box.adjusted(-1, -1, 1, 1).contains(ink)) << c.angle;
        if (c.angle == 90) { // the first letters at the foot
            EXPECT_GT(ink.top(), c.box.center().y());
        } else if (c.angle == 270) {
            EXPECT_LT(ink.bottom(), c.box.center().y());
        }
    }
}
