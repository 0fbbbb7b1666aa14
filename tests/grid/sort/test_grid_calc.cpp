// Typed access under a comma locale, calculations over rows and columns, the selected text and
// sizing with fixed metrics.
#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "support/DesktopSettings.h"

using namespace grid;

namespace {
// The desktop's settings of a Polish desktop: decimal comma, full stop between thousands.
class GridTyped : public DesktopSettings {
protected:
    void SetUp() override
    {
        DesktopSettings::SetUp();
        setPolish(QStringLiteral("dd.MM.yyyy"));
    }
    void TearDown() override
    {
        DesktopSettings::TearDown();
        ui::setTextMeasurer(nullptr);
    }
};

QString ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const ETxGridError& e) {
        return e.message();
    }
    return QString();
}
} // namespace

TEST_F(GridTyped, NumbersAndDatesInTheDesktopsFormats)
{
    TTxStringGrid g;
    g.SetFloats(1, 1, 3.14159);
    EXPECT_EQ(g.cells(1, 1), QStringLiteral("3,14"));
    g.setCells(1, 2, QStringLiteral("(1.234,50)"));
    EXPECT_DOUBLE_EQ(g.GetFloats(1, 2), -1234.5);
    EXPECT_EQ(g.GetInts(2, 2), 0); // empty
    g.setCells(2, 3, QStringLiteral("12a"));
    EXPECT_EQ(ErrorOf([&] { g.GetInts(2, 3); }), QStringLiteral("Cell does not contain integer value"));
    g.setCells(2, 4, QStringLiteral("1,2,3"));
    EXPECT_EQ(ErrorOf([&] { g.GetFloats(2, 4); }), QStringLiteral("Cell does not contain a float value"));

    // Dates count days from 30 December 1899.
    g.SetDates(1, 3, 40603.75); // 1 March 2011, the time part is not written
    EXPECT_EQ(g.cells(1, 3), QStringLiteral("01.03.2011"));
    EXPECT_DOUBLE_EQ(g.GetDates(1, 3), 40603.0);
    g.setCells(1, 4, QStringLiteral("31.02.2011"));
    EXPECT_THROW(g.GetDates(1, 4), EConvertError);
    g.SetTimes(3, 1, 0.5);
    EXPECT_EQ(g.cells(3, 1), QStringLiteral("12:00:00"));
    EXPECT_DOUBLE_EQ(g.GetTimes(3, 1), 0.5);
}

TEST_F(GridTyped, SumsAveragesMinimaAndMaxima)
{
    TTxStringGrid g;
    const char* v[] = {"3", "1", "2"};
    for (int i = 0; i < 3; ++i) {
        g.setCells(i + 1, 1, QLatin1String(v[i]));
        g.setCells(1, i + 1, QLatin1String(v[i]));
    }
    EXPECT_EQ(g.RowMin(1, 1, 3), 1.0); // the smallest, as for a column
    EXPECT_EQ(g.RowMax(1, 1, 3), 3.0);
    EXPECT_EQ(g.ColumnMin(1, 1, 3), 1.0);
    EXPECT_EQ(g.ColumnMax(1, 1, 3), 3.0);
    EXPECT_EQ(g.ColumnSum(1, 1, 3), 6.0);
    EXPECT_EQ(g.ColumnSum(1, 3, 2), 0.0);
    EXPECT_EQ(g.ColumnAvg(1, 3, 2), 0.0);
    EXPECT_EQ(g.ColumnMin(1, 3, 2), 2.0); // an empty range: the value of FromRow
    g.setCells(2, 2, QStringLiteral("2,5"));
    g.setCells(3, 2, QStringLiteral("6,5"));
    EXPECT_EQ(g.RowAvg(2, 1, 3), (1 + 2.5 + 6.5) / 3);
    g.setCells(4, 1, QStringLiteral("1,2,3"));
    EXPECT_THROW(g.RowSum(1, 1, 4), ETxGridError);
}

TEST_F(GridTyped, SelectedTextNumberingAndSizing)
{
    TTxStringGrid g;
    g.setCells(1, 1, QStringLiteral("a"));
    g.setCells(2, 1, QStringLiteral("b"));
    g.setCells(1, 2, QStringLiteral("c"));
    g.setCells(2, 2, QStringLiteral("d"));
    g.SelectRange(1, 2, 1, 2);
    EXPECT_EQ(g.SelectedText(), QStringLiteral("a\tb\r\nc\td\r\n"));

    g.SetFixedFooters(1);
    g.AutoNumberCol(0);
    EXPECT_EQ(g.cells(0, 1), QStringLiteral("1"));
    EXPECT_EQ(g.cells(0, 3), QStringLiteral("3"));
    EXPECT_EQ(g.cells(0, 4), QString()); // the footer row

    ui::setTextMeasurer(std::make_shared<ui::FixedTextMeasurer>(7, 13));
    g.SizeToLines(2, 2, 4);
    EXPECT_EQ(g.rowHeights(2), 4 + 2 * (13 + 3));
    g.setCells(3, 2, QStringLiteral("abcdefgh")); // the widest: 56 pixels
    g.SizeToWidth(3, false);
    EXPECT_EQ(g.colWidths(3), 56 + 2 * g.GridLineWidth() + 4);
    g.AddCheckBox(4, 1, true, false);
    g.setCells(4, 1, QStringLiteral("ab"));
    g.AutoSizeCells(true, 0, 0);
    EXPECT_EQ(g.colWidths(4), 14 + g.ControlLook().CheckSize());
    EXPECT_EQ(g.rowHeights(1), 13 + g.ControlLook().CheckSize());
}
