// Pictures of formatted text: loading from files, streams, resources and addresses, GIF
// frames (count, times, stepping, a frame cut short, frame numbers outside the file), the
// named collection and the address cache, and the picture control's placement.
#include "grid/paint/HTMLImage.h"
#include "grid/text/Picturecontainer.h"
#include "grid/controls/TxgridError.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace grid;

namespace {

struct GifFrame {
    int left, top, w, h;
    int colour; // palette index: 0 white, 1 red, 2 green, 3 blue
    int delay;  // hundredths of a second
    bool control = true;
};

void le16(QByteArray& d, int v)
{
    d.append(char(v & 0xFF));
    d.append(char((v >> 8) & 0xFF));
}

// A GIF file whose frames are blocks of one colour. The pixel codes are written without
// compression: a clear code before every two pixels keeps the codes 3 bits wide.
QByteArray makeGif(int sw, int sh, const std::vector<GifFrame>& frames)
{
    QByteArray d("GIF89a");
    le16(d, sw);
    le16(d, sh);
    d.append(char(0x91)).append(char(0)).append(char(0));
    const unsigned char palette[12] = {255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255};
    d.append(reinterpret_cast<const char*>(palette), 12);
    for (const GifFrame& f : frames) {
        if (f.control) {
            d.append("\x21\xF9\x04", 3).append(char(0));
            le16(d, f.delay);
            d.append(char(0)).append(char(0));
        }
        d.append(char(0x2C));
        le16(d, f.left);
        le16(d, f.top);
        le16(d, f.w);
        le16(d, f.h);
        d.append(char(0)).append(char(2)); // no local palette; minimum code size 2
        std::vector<int> codes;
        for (int i = 0; i < f.w * f.h; ++i) {
            if (i % 2 == 0)
                codes.push_back(4);
            codes.push_back(f.colour);
        }
        codes.push_back(5);
        QByteArray bits;
        unsigned acc = 0;
        int n = 0;
        for (int c : codes) {
            acc |= unsigned(c) << n;
            n += 3;
            while (n >= 8) {
                bits.append(char(acc & 0xFF));
                acc >>= 8;
                n -= 8;
            }
        }
        if (n > 0)
            bits.append(char(acc & 0xFF));
        for (qsizetype i = 0; i < bits.size(); i += 255) {
            const QByteArray block = bits.mid(i, 255);
            d.append(char(block.size())).append(block);
        }
        d.append(char(0));
    }
    d.append(char(0x3B));
    return d;
}

void loadBytes(THTMLPicture& p, const QByteArray& bytes)
{
    QByteArray copy = bytes;
    QBuffer b(&copy);
    b.open(QIODevice::ReadOnly);
    p.LoadFromStream(&b);
}

const std::vector<GifFrame> kThree = {{0, 0, 4, 4, 1, 10}, {1, 1, 2, 2, 2, 20}, {0, 0, 4, 4, 3, 30}};

} // namespace

TEST(GridPicture, GifFramesCountTimeAndBadNumbers)
{
    THTMLPicture p;
    int frameChanges = 0;
    p.OnFrameChange = [&](THTMLPicture&) { ++frameChanges; };
    loadBytes(p, makeGif(4, 4, kThree));
    ASSERT_FALSE(p.GetEmpty());
    EXPECT_TRUE(p.IsGIFFile());
    EXPECT_EQ(p.GetFrameCount(), 3);
    EXPECT_EQ(p.GetFrameTime(2), 20);
    EXPECT_EQ(p.GetFrameTime(4), -1);
    EXPECT_EQ(p.GetMaxWidth(), 4);
    EXPECT_EQ(p.Image().pixelColor(0, 0), QColor(255, 0, 0));

    p.SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(p.FrameXPos(), 1);
    EXPECT_EQ(p.FrameYPos(), 1);
    EXPECT_EQ(p.GetWidth(), 2); // the frame alone, drawn at its offset
    EXPECT_EQ(p.GetMaxHeight(), 4);
    EXPECT_EQ(p.Image().pixelColor(0, 0), QColor(0, 255, 0));

    // Frame numbers outside the file change nothing and raise nothing.
    for (int bad : {0, -1, 4, 1000}) {
        EXPECT_NO_THROW(p.SetFrame(bad));
        EXPECT_EQ(p.Frame(), 2);
    }
    EXPECT_EQ(frameChanges, 1);

    p.SetFrame(3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);
    EXPECT_EQ(p.Image().pixelColor(3, 3), QColor(0, 0, 255));
}

TEST(GridPicture, GifFrameCutShortIsNoFrame)
{
    const QByteArray full = makeGif(4, 4, kThree);
    // Cut inside the third frame's image descriptor.
    qsizetype third = -1;
    for (int k = 0, i = 0; i < full.size(); ++i)
        if (full.mid(i, 3) == QByteArray("\x21\xF9\x04", 3) && ++k == 3)
            third = i;
    ASSERT_GT(third, 0);
    THTMLPicture p;
    loadBytes(p, full.left(third + 12));
    EXPECT_EQ(p.GetFrameCount(), 2);
    p.SetFrame(3);
    EXPECT_EQ(p.Frame(), 1);
    EXPECT_EQ(p.GetFrameTime(3), -1);
}

TEST(GridPicture, GifStepsAfterTheFrameDelay)
{
    THTMLPicture p;
    loadBytes(p, makeGif(4, 4, kThree));
    // Frame 1 lasts 10 hundredths: the third tick of a tenth of a second moves on.
    EXPECT_FALSE(p.Step());
    EXPECT_FALSE(p.Step());
    EXPECT_TRUE(p.Step());
    EXPECT_EQ(p.Frame(), 2);

    THTMLPicture single;
    loadBytes(single, makeGif(2, 2, {{0, 0, 2, 2, 1, 5}}));
    EXPECT_EQ(single.GetFrameCount(), 1);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(single.Step());

    THTMLPicture plain; // no control blocks: no frames, decoded whole
    loadBytes(plain, makeGif(3, 2, {{0, 0, 3, 2, 3, 0, false}}));
    EXPECT_EQ(plain.GetFrameCount(), 0);
    EXPECT_EQ(plain.GetWidth(), 3);
    EXPECT_FALSE(plain.Step());
}

TEST(GridPicture, FormatsFilesAndStreams)
{
    QTemporaryDir dir;
    QImage img(5, 3, QImage::Format_RGB32);
    img.fill(Qt::red);
    for (const char* fmt : {"png", "bmp", "jpg", "ico"}) {
        const QString path = dir.filePath(QStringLiteral("Obraz.") + QLatin1String(fmt));
        ASSERT_TRUE(img.save(path, fmt)) << fmt;
        THTMLPicture p;
        p.LoadFromFile(path);
        EXPECT_FALSE(p.GetEmpty()) << fmt;
        EXPECT_EQ(p.GetWidth(), 5) << fmt;
        EXPECT_EQ(p.GetHeight(), 3) << fmt;
        EXPECT_EQ(p.GetFrameCount(), -1) << fmt;
    }

    // Undecodable or missing files leave the picture empty without an error.
    const QString junk = dir.filePath(QStringLiteral("junk.png"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture at all");
    f.close();
    THTMLPicture p;
    EXPECT_NO_THROW(p.LoadFromFile(junk));
    EXPECT_TRUE(p.GetEmpty());
    EXPECT_NO_THROW(p.LoadFromFile(dir.filePath(QStringLiteral("none.png"))));
    EXPECT_TRUE(p.GetEmpty());

    // A stream raises; exactly "GIF8" is no GIF file.
    try {
        loadBytes(p, QByteArray("GIF8"));
        FAIL() << "no error";
    } catch (const ETxGridError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Could not load image. Invalid format"));
    }
    EXPECT_FALSE(p.IsGIFFile());
    EXPECT_TRUE(p.GetEmpty());

    // The picture keeps the file's own bytes.
    const QByteArray gif = makeGif(4, 4, kThree);
    loadBytes(p, gif);
    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    p.SaveToStream(&out);
    EXPECT_EQ(saved, gif);

    THTMLPicture copy;
    int changes = 0;
    copy.OnChange = [&](THTMLPicture&) { ++changes; };
    copy.Assign(&p);
    EXPECT_EQ(copy.Data(), gif);
    EXPECT_EQ(copy.GetFrameCount(), 3);
    EXPECT_EQ(changes, 1);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.GetEmpty());
    EXPECT_TRUE(copy.Data().isEmpty());
}

TEST(GridPicture, AddressesKeepTheirCase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Logo_Firmy.png"));
    QImage img(7, 2, QImage::Format_RGB32);
    img.fill(Qt::blue);
    ASSERT_TRUE(img.save(path));

    THTMLPictureCache cache;
    THTMLPicture& p = cache.AddPicture();
    const QString url = QStringLiteral("file://") + path;
    p.LoadFromURL(url);
    EXPECT_FALSE(p.GetEmpty());
    EXPECT_EQ(p.GetWidth(), 7);
    EXPECT_EQ(cache.FindPicture(url), &p);
    EXPECT_EQ(cache.FindPicture(url.toUpper()), nullptr);

    // Resources: the prefix in any case, the name as given or in another case.
    const QString res = QStringLiteral("qt-project.org/styles/commonstyle/images/standardbutton-open-16.png");
    if (!QFile::exists(QStringLiteral(":/") + res))
        GTEST_SKIP() << "no built-in resource to load";
    for (const QString& address : {QStringLiteral("res://") + res, QStringLiteral("RES://") + res.toUpper()}) {
        THTMLPicture r;
        r.LoadFromURL(address);
        EXPECT_FALSE(r.GetEmpty()) << address.toStdString();
        EXPECT_EQ(r.GetWidth(), 16);
        EXPECT_EQ(r.ID(), address);
    }

    // Remote addresses are recorded, never fetched.
    THTMLPicture sync, async;
    sync.Asynchronous = false;
    sync.LoadFromURL(QStringLiteral("http://example.org/a.gif"));
    EXPECT_EQ(sync.ID(), QStringLiteral("http://example.org/a.gif"));
    EXPECT_TRUE(sync.GetEmpty());
    async.LoadFromURL(QStringLiteral("http://example.org/a.gif"));
    EXPECT_TRUE(async.ThreadBusy());
    EXPECT_TRUE(async.ID().isEmpty());
}

TEST(GridPicture, CollectionAndCache)
{
    TPictureContainer c;
    c.Items().Add().Name = QStringLiteral("Logo");
    c.Items().Add().Name = QStringLiteral("b");
    c.Items().Insert(1).Name = QStringLiteral("mid");
    c.Items().Insert(99).Name = QStringLiteral("last");
    c.Items().Insert(-3).Name = QStringLiteral("first");
    QStringList names;
    for (int i = 0; i < c.Items().Count(); ++i)
        names << c.Items().GetItem(i).Name;
    EXPECT_EQ(names.join(QLatin1Char(',')), QStringLiteral("first,Logo,mid,b,last"));
    EXPECT_EQ(c.FindPicture(QStringLiteral("LOGO")), &c.Items().GetItem(1).Picture());
    EXPECT_EQ(c.FindPicture(QStringLiteral("Logo")), nullptr); // callers pass upper case
    EXPECT_EQ(c.Items().GetOwner(), &c);
    EXPECT_THROW(c.Items().GetItem(5), ETxGridError);

    THTMLPictureCache cache;
    THTMLPicture& a = cache.AddPicture();
    a.Asynchronous = false;
    a.LoadFromURL(QStringLiteral("x://a"));
    loadBytes(cache.AddPicture(), makeGif(4, 4, kThree));
    EXPECT_EQ(cache.FindPicture(QStringLiteral("x://a")), &a);
    for (int i = 0; i < 3; ++i)
        cache.Animate();
    EXPECT_EQ(cache.GetPicture(1).Frame(), 2);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.FindPicture(QStringLiteral("x://a")), nullptr);
}

TEST(GridPicture, ImageControlPlacesItsPicture)
{
    THTMLImage image;
    image.resize(10, 8);
    loadBytes(image.HTMLPicture(), makeGif(2, 2, {{0, 0, 2, 2, 1, 0, false}}));
    auto grab = [&] {
        QImage out(10, 8, QImage::Format_RGB32);
        out.fill(Qt::white);
        image.render(&out);
        return out;
    };
    image.SetPicturePosition(bpBottomRight);
    QImage out = grab();
    EXPECT_EQ(out.pixelColor(9, 7), QColor(255, 0, 0));
    EXPECT_NE(out.pixelColor(7, 5), QColor(255, 0, 0));
    image.SetPicturePosition(bpTiled);
    out = grab();
    EXPECT_EQ(out.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(out.pixelColor(9, 7), QColor(255, 0, 0));
}
