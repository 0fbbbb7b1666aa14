// The formatted-text renderer measured and hit-tested with a fake measurer: every character
// 7 pixels wide (9 in bold), every line 14 high. Layout starts one pixel right of the left
// edge of the bounds.
#include "grid/text/TxgridHTML.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace grid;

namespace {

class RecordingMeasurer : public ui::TextMeasurer {
public:
    int width(const ui::Font& font, const QString& text) const override
    {
        if (text != QLatin1String(" "))
            runs.push_back({font, text});
        return int(text.size()) * (font.bold() ? 9 : 7);
    }
    int height(const ui::Font&) const override { return 14; }
    int ascent(const ui::Font&) const override { return 11; }

    struct Run {
        ui::Font font;
        QString text;
    };
    mutable std::vector<Run> runs;

    // The font the run of this text was measured with (the first time).
    ui::Font fontOf(const QString& text) const
    {
        for (const Run& r : runs)
            if (r.text == text)
                return r.font;
        ADD_FAILURE() << "not measured: " << text.toStdString();
        return {};
    }
};

struct Html : ::testing::Test {
    std::shared_ptr<RecordingMeasurer> m = std::make_shared<RecordingMeasurer>();
    ui::Canvas canvas;
    THTMLRenderOptions opt;
    THTMLRenderResult res;
    ui::Rect bounds{0, 0, 200, 100};

    Html() { canvas.setMeasurer(m); }

    THTMLRenderResult measure(const QString& text, int width = 200)
    {
        opt.MeasureOnly = true;
        RenderHTMLText(canvas, text, {0, 0, width, 100}, opt, res);
        return res;
    }
    bool hit(const QString& text, int x, int y, int width = 200)
    {
        opt.MeasureOnly = false;
        opt.HitTestOnly = true;
        opt.HitX = x;
        opt.HitY = y;
        return RenderHTMLText(canvas, text, {0, 0, width, 100}, opt, res);
    }
};

} // namespace

TEST_F(Html, MeasuresRunsEntitiesAndEmptyText)
{
    EXPECT_EQ(measure(QStringLiteral("<b>ab</b>cd")).MaxLineWidth, 2 * 9 + 2 * 7);
    EXPECT_EQ(res.PlainText, QStringLiteral("abcd"));
    EXPECT_EQ(res.TotalHeight, 14);
    EXPECT_EQ(measure(QStringLiteral("<b>x</B>y")).MaxLineWidth, 9 + 7); // lower-case tags

    EXPECT_EQ(measure(QStringLiteral("a&amp;b")).MaxLineWidth, 21);
    EXPECT_EQ(res.PlainText, QStringLiteral("a&b"));
    measure(QStringLiteral("x &lt;b&gt; y"));
    EXPECT_EQ(res.PlainText, QStringLiteral("x <b> y"));
    EXPECT_FALSE(m->fontOf(QStringLiteral("x <b> y")).bold());
    EXPECT_EQ(measure(QStringLiteral("a&b")).MaxLineWidth, 14); // "&" only underlines b
    EXPECT_EQ(measure(QStringLiteral("<#FF0000> <b>x</b>")).PlainText, QStringLiteral("#FF0000 x"));

    EXPECT_EQ(measure(QString()).TotalHeight, 14);
    EXPECT_EQ(res.MaxLineWidth, 0);
    measure(QStringLiteral("a\r\nb"));
    EXPECT_EQ(res.TotalHeight, 28);
    EXPECT_EQ(res.PlainText, QStringLiteral("a\rb"));
}

TEST_F(Html, FontSizesAndColours)
{
    measure(QStringLiteral("<font size=\"3\">a</font><FONT SIZE=20>b</FONT><font size=\"0\">c</font>"));
    EXPECT_EQ(m->fontOf(QStringLiteral("a")).size, 12);
    EXPECT_EQ(m->fontOf(QStringLiteral("b")).size, 20);
    EXPECT_EQ(m->fontOf(QStringLiteral("c")).size, 8);

    measure(QStringLiteral("<font color=\"#FF0000\">r</font><font color=\"clRed\">s</font>t"));
    EXPECT_EQ(m->fontOf(QStringLiteral("r")).color, ui::clRed);
    EXPECT_EQ(m->fontOf(QStringLiteral("s")).color, ui::clRed);
    EXPECT_EQ(m->fontOf(QStringLiteral("t")).color, canvas.font.color);
    EXPECT_EQ(HTMLColorByName(QStringLiteral("red")), ui::Color(0)); // names carry the prefix
    EXPECT_EQ(HTMLColorByName(QStringLiteral("clbtnface")), ui::clBtnFace);
    EXPECT_EQ(HexToColor(QStringLiteral("#0080")), ui::Color(0x8000)); // short: missing bytes 0
    EXPECT_EQ(HexByte(QStringLiteral("F")), 0);
}

TEST_F(Html, UnbalancedAndUnclosedTags)
{
    const ui::Font start = canvas.font;
    // Closing tags with nothing open, an anchor closed twice, a lone "<" at the end.
    measure(QStringLiteral("</b></u></i></a></r></hi>x</a><"));
    EXPECT_EQ(res.PlainText, QStringLiteral("x"));
    EXPECT_EQ(res.AnchorCount, 0);
    // A tag without ">" ends the text.
    EXPECT_EQ(measure(QStringLiteral("ab<font size=\"3\" cd")).PlainText, QStringLiteral("ab"));
    EXPECT_EQ(res.TotalHeight, 14);
    // Open tags do not outlive the call.
    measure(QStringLiteral("<b><i><u><r a=\"30\"><font face=\"Serif\" size=\"5\">x"));
    EXPECT_EQ(canvas.font, start);
}

TEST_F(Html, RotationTagsNestAndStrayClosesAreIgnored)
{
    measure(QStringLiteral("<b><r a=\"90\">x<r a=\"45\">y</r>z</r>w</r></r>v</b>"));
    EXPECT_EQ(m->fontOf(QStringLiteral("x")).orientation, 900);
    EXPECT_EQ(m->fontOf(QStringLiteral("y")).orientation, 450);
    EXPECT_EQ(m->fontOf(QStringLiteral("z")).orientation, 900);
    EXPECT_EQ(m->fontOf(QStringLiteral("w")).orientation, 0);
    EXPECT_TRUE(m->fontOf(QStringLiteral("v")).bold());
    EXPECT_EQ(m->fontOf(QStringLiteral("v")).orientation, 0);
    // A turned run takes the box of its turned glyphs: at 90 degrees one line high wide and
    // its length tall, at 45 (9 + 14) / sqrt(2) each way; the line is as tall as its boxes.
    EXPECT_EQ(res.MaxLineWidth, 14 + 16 + 14 + 9 + 9);
    EXPECT_EQ(res.TotalHeight, 16);
    EXPECT_EQ(measure(QStringLiteral("<r a=\"270\">Wzmocnienie</r>")).MaxLineWidth, 14);
    EXPECT_EQ(res.TotalHeight, 11 * 7);
    opt.WordWrap = true; // a space ending a run turned upright adds nothing to the line's width
    EXPECT_EQ(measure(QStringLiteral("<r a=\"90\">ab </r>")).MaxLineWidth, 14);
    opt.WordWrap = false;

    // The anchor on a turned run is hit all along the run's box, and only there.
    const QString link = QStringLiteral("<a href=\"v\"><r a=\"90\">abcdefgh</r></a>");
    EXPECT_TRUE(hit(link, 5, 30)); // well above the foot of the line
    EXPECT_EQ(res.HitAnchorRect, (ui::Rect{1, 0, 15, 56}));
    EXPECT_FALSE(hit(link, 20, 10));
}

TEST_F(Html, WrappingAndCutLines)
{
    opt.WordWrap = true;
    EXPECT_EQ(measure(QStringLiteral("aaaaaa bbbbbb"), 30).TotalHeight, 28);
    EXPECT_EQ(res.MaxLineWidth, 42); // the space ending the first line is not counted
    EXPECT_EQ(measure(QStringLiteral("aaaaaaaaaa"), 30).TotalHeight, 14);      // one word stays
    EXPECT_EQ(measure(QStringLiteral("aa<b>aa</b>aa x"), 30).TotalHeight, 28); // split by tags only

    opt.WordWrap = false; // one run per line; a run too wide ends the text
    measure(QStringLiteral("abcdefghij<br>x"), 30);
    EXPECT_EQ(res.TotalHeight, 14);
    EXPECT_EQ(res.PlainText, QStringLiteral("abcdefghij"));
}

TEST_F(Html, ListItemsStartLinesIndentedByLevel)
{
    measure(QStringLiteral("<ul><li>a<li>bb</ul>"));
    EXPECT_EQ(res.TotalHeight, 28);
    EXPECT_EQ(res.MaxLineWidth, 12 + 14);
    measure(QStringLiteral("<ul><li>a<ul><li>b</ul></ul>c"));
    EXPECT_EQ(res.TotalHeight, 28);
    EXPECT_EQ(res.MaxLineWidth, 24 + 14); // "b" and then "c" on the second item's line
}

TEST_F(Html, AnchorsHitTest)
{
    const QString text = QStringLiteral("x <a href=\"one\">aa</a> <A HREF=\"Two\">bb</A>");
    // "x " 1..15, "aa" 15..29, " " 29..36, "bb" 36..50
    EXPECT_TRUE(hit(text, 40, 7));
    EXPECT_EQ(res.HitAnchorIndex, 2);
    EXPECT_EQ(res.HitAnchorHref, QStringLiteral("Two"));
    EXPECT_EQ(res.AnchorCount, 2);
    EXPECT_EQ(res.HitAnchorRect, (ui::Rect{36, 0, 50, 14}));
    EXPECT_FALSE(hit(text, 8, 7));
    EXPECT_EQ(res.HitAnchorIndex, -1);
    EXPECT_FALSE(hit(text, 40, 0)); // on the line's top edge, outside the text band

    // An anchor wrapped onto a second line: its rectangle there starts at the line's left.
    opt.WordWrap = true;
    EXPECT_TRUE(hit(QStringLiteral("<a href=\"u\">one two</a>"), 5, 20, 40));
    EXPECT_EQ(res.HitAnchorRect, (ui::Rect{1, 14, 22, 28}));
    EXPECT_EQ(res.HitAnchorIndex, 1);

    // An anchor never closed still reports its number.
    opt.WordWrap = false;
    EXPECT_TRUE(hit(QStringLiteral("<a href=\"z\">abc"), 10, 7));
    EXPECT_EQ(res.HitAnchorIndex, 1);
    EXPECT_EQ(res.HitAnchorRect, (ui::Rect{1, 0, 22, 14}));

    // Measuring alone never hits.
    opt.HitX = 10;
    opt.HitY = 7;
    opt.MeasureOnly = true;
    EXPECT_FALSE(RenderHTMLText(canvas, QStringLiteral("<a href=\"z\">abc</a>"), bounds, opt, res));
}

TEST_F(Html, PicturesTakeTheirPlace)
{
    TPictureContainer pictures;
    QImage img(20, 30, QImage::Format_RGB32);
    img.fill(Qt::green);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zielony.png"));
    ASSERT_TRUE(img.save(path));
    TPictureItem& item = pictures.Items().Add();
    item.Name = QStringLiteral("Logo");
    item.Picture().LoadFromFile(path);
    opt.Pictures = &pictures;

    EXPECT_EQ(measure(QStringLiteral("a<img src=\"logo\">b")).MaxLineWidth, 7 + 20 + 7);
    EXPECT_EQ(res.TotalHeight, 30);
    EXPECT_EQ(measure(QStringLiteral("<img src=\"logo\" width=\"8\" height=\"9\">")).MaxLineWidth, 8);
    EXPECT_EQ(res.TotalHeight, 14);
    EXPECT_EQ(measure(QStringLiteral("a<img src=\"nothing\">b")).MaxLineWidth, 14);
    // A picture that does not fit goes to the next line.
    EXPECT_EQ(measure(QStringLiteral("aaa<img src=\"logo\">"), 30).TotalHeight, 14 + 30);

    TImageList images;
    images.Images.assign(5, QImage(16, 16, QImage::Format_RGB32));
    opt.Images = &images;
    EXPECT_EQ(measure(QStringLiteral("<img src=\"idx:4\">")).MaxLineWidth, 16);
    EXPECT_EQ(measure(QStringLiteral("<img src=\"IDX:5\">")).MaxLineWidth, 0);

    // Text beside a tall picture sits at the bottom, or at the top with ALIGN "TOP".
    EXPECT_FALSE(hit(QStringLiteral("<a href=\"t\">a</a><img src=\"logo\">"), 4, 7));
    EXPECT_TRUE(hit(QStringLiteral("<a href=\"t\">a</a><img src=\"logo\">"), 4, 23));
    EXPECT_TRUE(hit(QStringLiteral("<a href=\"t\">a</a><img src=\"logo\" align=\"top\">"), 4, 7));
    // A picture inside an anchor is hit anywhere on it.
    EXPECT_TRUE(hit(QStringLiteral("<a href=\"pic\"><img src=\"logo\"></a>"), 10, 2));
    EXPECT_EQ(res.HitAnchorHref, QStringLiteral("pic"));

    // Addresses are read into the cache once, in their own case.
    THTMLPictureCache cache;
    opt.PictureCache = &cache;
    const QString text = QStringLiteral("<img src=\"FILE://") + path + QStringLiteral("\">");
    EXPECT_EQ(measure(text).MaxLineWidth, 20);
    measure(text);
    EXPECT_EQ(cache.Count(), 1);
}
