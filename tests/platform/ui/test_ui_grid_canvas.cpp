// Colours, fonts and the canvas with its replaceable text measurer.
#include "platform/ui/Canvas.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Font.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

using namespace ui;

TEST(UiGridColors, ValuesKeepBlueGreenRedOrder)
{
    EXPECT_EQ(rgb(255, 0, 0), clRed);
    EXPECT_EQ(rgb(0, 0, 255), clBlue);
    EXPECT_EQ(toQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(fromQColor(QColor(0, 128, 0)), clGreen);
    EXPECT_EQ(colorToRGB(clSilver), 0xC0C0C0u);
    EXPECT_EQ(colorToRGB(clNone), clNone);
    EXPECT_EQ(toQColor(clNone).alpha(), 0);
}

TEST(UiGridColors, SystemColoursComeFromThePalette)
{
    EXPECT_TRUE(isSystemColor(clWindow));
    EXPECT_FALSE(isSystemColor(clNone));
    EXPECT_EQ(toQColor(clWindow), QApplication::palette().color(QPalette::Base));
    EXPECT_EQ(toQColor(clHighlight), QApplication::palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_EQ(toQColor(clInfoBk), QApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_FALSE(isSystemColor(colorToRGB(clBtnFace)));
}

TEST(UiGridFont, CarriesColourAndStyleBits)
{
    Font f;
    f.setStyle(fsBold, true);
    f.setStyle(fsUnderline, true);
    f.color = clRed;
    const QFont q = f.toQFont();
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.italic());
    const Font back = Font::fromQFont(q, clRed);
    EXPECT_EQ(back.style, f.style);
    EXPECT_EQ(back.color, clRed);
    Font copy = f;
    f.setStyle(fsBold, false);
    EXPECT_TRUE(copy.bold()); // assignment copies
}

TEST(UiGridCanvas, MeasurerIsReplaceable)
{
    Canvas c;
    c.setMeasurer(std::make_shared<FixedTextMeasurer>(6, 13));
    EXPECT_EQ(c.textWidth(QStringLiteral("abcd")), 24);
    EXPECT_EQ(c.textHeight(), 13);
    setTextMeasurer(std::make_shared<FixedTextMeasurer>(5, 10));
    Canvas d;
    EXPECT_EQ(d.textWidth(QStringLiteral("ab")), 10);
    setTextMeasurer(nullptr);
    EXPECT_GT(Canvas().textHeight(), 0);
}

TEST(UiGridCanvas, FillsLinesAndClips)
{
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        Canvas c(&p);
        c.brush = Brush{clRed};
        c.fillRect(Rect{0, 0, 10, 10});
        c.pen = Pen{clBlue, 1};
        c.moveTo(0, 15);
        c.lineTo(10, 15); // end point excluded
        c.setClipRect(Rect{12, 0, 20, 20});
        c.brush = Brush{clGreen};
        c.fillRect(Rect{0, 0, 20, 5});
        c.clearClip();
    }
    EXPECT_EQ(QColor(img.pixel(9, 9)), QColor(Qt::red));
    EXPECT_EQ(QColor(img.pixel(10, 10)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(9, 15)), QColor(Qt::blue));
    EXPECT_EQ(QColor(img.pixel(10, 15)), QColor(Qt::white));
    EXPECT_EQ(QColor(img.pixel(5, 2)), QColor(Qt::red)); // outside the clip
    EXPECT_EQ(QColor(img.pixel(15, 2)), toQColor(clGreen));
}
