// Column widths and print settings kept between runs: the INI layout, the registry layout,
// hidden columns, defaults and the range rules of reading.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridPersist.h"
#include "platform/registry/Registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace grid;

namespace {

QString fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

void sameStore(TTxStringGrid& to, TTxStringGrid& from)
{
    to.ColumnSize().Location = from.ColumnSize().Location;
    to.ColumnSize().Key = from.ColumnSize().Key;
    to.ColumnSize().Section = from.ColumnSize().Section;
}

void shape(TTxStringGrid& g, std::initializer_list<int> widths)
{
    g.SetColCount(int(widths.size()));
    int c = 0;
    for (int w : widths)
        g.setColWidths(c++, w);
}

} // namespace

TEST(GridPersist, ColumnWidthsThroughIniFileWithHiddenColumn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.ini"));
    {
        QFile f(path); // another section of the file survives
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Other]\r\nA=1\r\n");
    }
    TTxStringGrid g;
    shape(g, {30, 40, 50, 60});
    g.HideColumn(1); // displayed: 30, 50, 60
    g.ColumnSize().Location = clIniFile;
    g.ColumnSize().Key = path;
    g.ColumnSize().Section = QStringLiteral("Widths");
    g.SaveColSizes();
    EXPECT_EQ(fileText(path), QStringLiteral("[Other]\r\nA=1\r\n\r\n[Widths]\r\nCol0=30\r\nCol1=50\r\nCol2=60\r\n"));

    TTxStringGrid h;
    shape(h, {1, 2, 3, 4, 5});
    h.HideColumn(4);
    sameStore(h, g);
    h.LoadColSizes();
    EXPECT_EQ(h.colWidths(0), 30);
    EXPECT_EQ(h.colWidths(1), 50);
    EXPECT_EQ(h.colWidths(2), 60);
    EXPECT_EQ(h.colWidths(3), h.defaultColWidth()); // no Col3 stored
    h.UnHideColumn(4);
    EXPECT_EQ(h.colWidths(4), 5); // the hidden column kept its own width
}

TEST(GridPersist, ColumnWidthsThroughRegistryAndEmptyKey)
{
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("rejestr.ini"));
    registry::setStorePath(store);
    TTxStringGrid g;
    shape(g, {11, 22, 33});
    g.ColumnSize().Key = QStringLiteral("Software\\Orlimek\\Tarnex\\");
    g.ColumnSize().Section = QString();
    g.SaveColSizes(); // no section: nothing written
    EXPECT_FALSE(QFile::exists(store));
    g.ColumnSize().Section = QStringLiteral("Faktury");
    g.SaveColSizes();
    const QString key = QStringLiteral("Software\\Orlimek\\Tarnex\\Faktury");
    EXPECT_EQ(registry::read(registry::Root::CurrentUser, key, QStringLiteral("Col2")), QStringLiteral("33"));
    EXPECT_TRUE(registry::read(registry::Root::CurrentUser, key, QStringLiteral("Col3")).isEmpty());

    TTxStringGrid h;
    shape(h, {5, 5, 5});
    sameStore(h, g);
    h.LoadColSizes();
    EXPECT_EQ(h.colWidths(0), 11);
    EXPECT_EQ(h.colWidths(2), 33);
    registry::setStorePath(QString());
}

TEST(GridPersist, UnwritableStoreRaisesButDestructorSwallows)
{
    QTemporaryDir dir;
    auto g = std::make_unique<TTxStringGrid>();
    g->ColumnSize().Location = clIniFile;
    g->ColumnSize().Key = dir.filePath(QStringLiteral("missing/dir/grid.ini"));
    g->ColumnSize().Section = QStringLiteral("W");
    EXPECT_THROW(g->SaveColSizes(), ETxGridError);
    g->ColumnSize().Save = true;
    EXPECT_NO_THROW(g.reset());
}

TEST(GridPersist, PrintSettingsRoundTrip)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("print.ini"));
    TTxStringGrid g;
    TPrintSettings& p = g.PrintSettings();
    p.TitleLines = {QStringLiteral("A"), QStringLiteral("B")};
    p.HeaderFont.style = ui::fsBold | ui::fsItalic;
    p.HeaderFont.color = ui::clWindowText; // a system colour: stored negative
    p.Borders = pbAroundVertical;
    p.BorderStyle = Qt::DotLine;
    p.Orientation = poLandscape;
    p.TitleText = QStringLiteral("Faktury zaległe");
    g.SavePrintSettings(path, QStringLiteral("Druk"));
    const QString text = fileText(path);
    EXPECT_TRUE(text.startsWith(QStringLiteral("[Druk]\r\nColumnSpacing=0\r\nRowSpacing=0\r\nTitleSpacing=0\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nTitleLines=A\\nB\\n\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nHeaderFontColor=-")));
    EXPECT_FALSE(text.contains(QStringLiteral("JobName")));

    TTxStringGrid h;
    TPrintSettings& q = h.PrintSettings();
    q.HeaderFont.style = ui::fsUnderline; // not stored: must not survive the load
    h.LoadPrintSettings(path, QStringLiteral("Druk"));
    EXPECT_EQ(q.TitleLines, p.TitleLines);
    EXPECT_EQ(q.HeaderFont.style, ui::fsBold | ui::fsItalic);
    EXPECT_EQ(q.HeaderFont.color, ui::clWindowText);
    EXPECT_EQ(q.Borders, pbAroundVertical);
    EXPECT_EQ(q.BorderStyle, Qt::DotLine);
    EXPECT_EQ(q.Orientation, poLandscape);
    EXPECT_EQ(q.TitleText, p.TitleText);
    EXPECT_FALSE(q.Centered);
}

TEST(GridPersist, PrintSettingsDefaultsAndRanges)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("print.ini"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[P]\nBorders=12\nDate=9\nPageNr=6\nNoAutoSize=y\nFitToPage=-1\nOrientation=2\n");
    }
    TPrintSettings p;
    p.Borders = pbDouble;
    p.FitToPage = fpShrink;
    p.Orientation = poLandscape;
    p.Date = ppTopLeft;
    ReadPrintSettings(TIniFile(path), QStringLiteral("P"), p);
    EXPECT_EQ(p.Borders, pbDouble); // out of range: unchanged
    EXPECT_EQ(p.FitToPage, fpShrink);
    EXPECT_EQ(p.Orientation, poLandscape);
    EXPECT_EQ(p.Date, ppNone); // a position out of range
    EXPECT_EQ(p.PageNr, ppBottomCenter);
    EXPECT_FALSE(p.NoAutoSize); // only "Y" is yes
    EXPECT_TRUE(p.Centered);    // missing: yes
    EXPECT_EQ(p.ColumnSpacing, 20);
    EXPECT_EQ(p.FooterSize, 100);
    EXPECT_EQ(p.Font.name, QStringLiteral("Arial"));
    EXPECT_EQ(p.Font.size, 10);
    EXPECT_TRUE(p.TitleLines.isEmpty());
}
