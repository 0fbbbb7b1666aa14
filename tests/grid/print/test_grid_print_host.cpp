// Printing driven through a small fake host instead of the grid, checked as the PDF's text:
// the pages show the cells the host gives by their real columns, the fixed row repeated, and
// nothing of a hidden column.
#include "grid/print/TxgridPrintHost.h"
#include "grid/print/TxgridPrinter.h"
#include "grid/text/Picturecontainer.h"
#include "tests/grid/FakeGridHost.h"
#include "tests/support/PdfText.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace grid;

namespace {

class FakePrintHost : public FakeGridHost<TPrintHost> {
public:
    using FakeGridHost::FakeGridHost;
    TPrintSettings Settings;
    TControlLook LookSettings{*this};
    THTMLPictureCache Pictures;
    int Shown = 0; // the columns shown, the hidden ones kept past them

    int ColCount() const override { return Shown; }

    int RemapColInv(int ACol) const override
    {
        for (int c = 0; c < int(ColMap.size()); ++c)
            if (ColMap[std::size_t(c)] == ACol)
                return c;
        return ACol;
    }
    int colWidths(int) const override { return 120; }
    int logicalDpiX() const override { return 96; }
    bool IsBaseCell(int, int) const override { return true; }
    const TPrintSettings& PrintSettings() override { return Settings; }
    TControlLook& ControlLook() override { return LookSettings; }
    ui::Font controlFont() const override { return {}; }
    bool URLShow() const override { return false; }
    bool URLFull() const override { return false; }
    TColor URLColor() const override { return {}; }
    TImageList* GridImages() const override { return nullptr; }
    THTMLPictureCache& PictureCache() override { return Pictures; }
    void CalcCell(int, int, QString&) override {}
    bool HasDataCheckBox(int, int) override { return false; }
    bool GetCheckBoxState(int, int, bool&) override { return false; }
    bool IsRotated(int, int, int&) override { return false; }
    TCellGraphic* GetCellGraphic(int, int) override { return nullptr; }
    TPoint GetPrintGraphicSize(int, int, int, int, double) override { return {0, 0}; }
    void GetCellPrintBorder(int, int, ui::Pen&, TCellBorders&) override {}
};

} // namespace

TEST(GridPrintHost, PagesShowTheHostsCellsByRealColumnAndRepeatTheFixedRow)
{
    // Real column 1 is hidden: the three columns shown are real 0, 2 and 3.
    auto owned = std::make_unique<FakePrintHost>(4, 120);
    FakePrintHost& h = *owned;
    h.Shown = 3;
    h.ColMap = {0, 2, 3};
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 4; ++c)
            h.Store.setCell(c, r, r == 0 ? QStringLiteral("Kol%1").arg(c) : QStringLiteral("k%1w%2").arg(c).arg(r));
    h.Settings.RepeatFixedRows = true;
    QTemporaryDir dir;
    const QString path = dir.filePath("host.pdf");
    TGridPrinter::SetDeviceFactory([path](const QString&) {
        auto w = std::make_unique<QPdfWriter>(path);
        w->setResolution(300);
        return std::unique_ptr<QPagedPaintDevice>(std::move(w));
    });
    TGridPrinter printer(std::move(owned));
    printer.Print();
    TGridPrinter::SetDeviceFactory({});

    const QStringList pages = pdf::text(path).split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    ASSERT_EQ(pdf::pages(path), printer.PageCount());
    for (const QString& page : pages) {
        EXPECT_TRUE(page.contains("Kol2") && page.contains("Kol3")) << page.toStdString();
        EXPECT_FALSE(page.contains("Kol1") || page.contains("k1w")) << page.toStdString();
    }
    EXPECT_TRUE(pages.front().contains("k2w1") && pages.front().contains("k3w1"));
    EXPECT_TRUE(pages.back().contains("k2w119"));
}
