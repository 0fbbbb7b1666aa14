// The line grid: header row, lines, the empty last row, renumbering and totals from the cells.
#include "documents/LineGrid.h"
#include "documents/LineGridModel.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

using namespace documents;

namespace {

QStringList line(const char* net, const char* gross)
{
    QStringList c(LineGridModel::InvoiceColumns);
    c[Col_Nazwa] = QStringLiteral("x");
    c[Col_Netto] = QString::fromUtf8(net);
    c[Col_Brutto] = QString::fromUtf8(gross);
    return c;
}

} // namespace

TEST(LineGrid, AppendRemoveRenumber)
{
    LineGridModel g;
    EXPECT_EQ(g.rows(), 2);
    EXPECT_FALSE(g.isLine(1));
    EXPECT_EQ(g.appendLine(line("1,00", "1,23")), 1);
    EXPECT_EQ(g.rows(), 3);
    EXPECT_EQ(g.cell(1, Col_Lp), "1");
    g.appendLine(line("2,00", "2,46"));
    g.appendLine(line("3,00", "3,69"));
    EXPECT_EQ(g.cell(3, Col_Lp), "3");
    EXPECT_TRUE(g.row(4).join(QString()).isEmpty()); // the last row stays empty

    EXPECT_FALSE(g.removeLine(4)); // the empty row is not a line
    EXPECT_FALSE(g.removeLine(0));
    EXPECT_EQ(g.lineCount(), 3);
    EXPECT_TRUE(g.removeLine(2));
    EXPECT_EQ(g.lineCount(), 2);
    EXPECT_EQ(g.cell(1, Col_Lp), "1");
    EXPECT_EQ(g.cell(2, Col_Lp), "2");
    EXPECT_EQ(g.cell(2, Col_Netto), "3,00");
    EXPECT_EQ(g.sumText(Col_Netto), "4,00");
    EXPECT_EQ(g.sumText(Col_Brutto), "4,92");

    g.clearLines();
    EXPECT_EQ(g.rows(), 2);
    EXPECT_EQ(g.sumText(Col_Netto), "0,00");
}

TEST(LineGrid, ReplaceKeepsNumberAndSymbol)
{
    LineGridModel g;
    auto c = line("100,00", "123,00");
    c[Col_Symbol] = "S1";
    g.appendLine(c);
    auto n = line("150,00", "184,50");
    n[Col_Symbol] = "other";
    ASSERT_TRUE(g.replaceLine(1, n, Col_Nazwa));
    EXPECT_EQ(g.cell(1, Col_Lp), "1");
    EXPECT_EQ(g.cell(1, Col_Symbol), "S1");
    EXPECT_EQ(g.sumText(Col_Netto), "150,00");
    EXPECT_FALSE(g.replaceLine(2, n, Col_Nazwa));
}

TEST(LineGrid, TotalsAreTheSumOfTheShownCells)
{
    LineGridModel g;
    // Three lines whose unrounded values would add up to a different cent.
    for (int i = 0; i < 3; ++i)
        g.appendLine(line("0,01", "0,01"));
    EXPECT_EQ(g.sumText(Col_Netto), "0,03");
    g.appendLine(line("1234567,89", "1518518,50"));
    EXPECT_EQ(g.sumText(Col_Netto), "1234567,92");
    // Deleting lines back to nothing never leaves a negative zero.
    while (g.hasLines())
        g.removeLine(1);
    EXPECT_EQ(g.sumText(Col_Netto), "0,00");
    EXPECT_EQ(g.sumText(Col_Brutto), "0,00");
}

TEST(LineGrid, LayoutOfTheModes)
{
    const auto net = invoiceGridHeader(PriceMode::Netto);
    const auto gross = invoiceGridHeader(PriceMode::Brutto);
    ASSERT_EQ(net.size(), 14);
    EXPECT_EQ(net[Col_Cena], "Cena");
    EXPECT_EQ(net[Col_Netto], QString::fromUtf8("Wartość netto"));
    EXPECT_EQ(gross[Col_Cena], "Cena brutto");
    EXPECT_TRUE(gross[Col_Netto].isEmpty());
    EXPECT_EQ(invoiceGridWidths(PriceMode::Netto)[Col_Netto], 90);
    EXPECT_EQ(invoiceGridWidths(PriceMode::Brutto)[Col_Netto], 0);
    EXPECT_EQ(invoiceGridWidths(PriceMode::Brutto)[Col_Cena], 100);
    EXPECT_EQ(invoiceGridWidths(PriceMode::Brutto, true)[Col_Cena], 110);
    EXPECT_EQ(invoiceGridWidths(PriceMode::Netto)[Col_Wart], 0);
}

TEST(LineGrid, HeaderCaptionsArePaintedInTheTextColour)
{
    // The header row cannot be selected; that must not paint its captions in the disabled grey.
    LineGrid g(LineGridModel::InvoiceColumns);
    g.layOutInvoice(PriceMode::Netto);
    g.resize(500, 100);
    const QImage img = g.grab().toImage();
    const QColor text = g.palette().color(QPalette::Active, QPalette::ButtonText);
    int darkest = 255;
    const int headerHeight = g.horizontalHeader()->height();
    ASSERT_GT(headerHeight, 4);
    for (int y = 2; y < headerHeight - 2; ++y)
        for (int x = 2; x < 480; ++x)
            darkest = std::min(darkest, qGray(img.pixel(x, y)));
    EXPECT_LE(darkest, qGray(text.rgb()) + 60) << "darkest header pixel " << darkest;
}

TEST(LineGrid, ScrolledLinesKeepTheHeaderRowAndTheNumberColumn)
{
    LineGrid g(LineGridModel::InvoiceColumns);
    g.layOutInvoice(PriceMode::Netto);
    for (int i = 0; i < 30; ++i)
        g.lines().appendLine(line("1,00", "1,23"));
    g.resize(821, 220); // as the invoice window places it
    g.show();
    g.scrollToBottom();
    g.horizontalScrollBar()->setValue(g.horizontalScrollBar()->maximum());
    QCoreApplication::processEvents();
    ASSERT_GT(g.verticalScrollBar()->value(), 0) << "30 lines do not fit: the grid scrolls";
    ASSERT_GT(g.horizontalScrollBar()->value(), 0);

    // The header row is fixed above the lines, with the captions of row 0.
    const QHeaderView* top = g.horizontalHeader();
    EXPECT_TRUE(top->isVisible());
    EXPECT_LE(top->geometry().bottom(), g.viewport()->geometry().top());
    EXPECT_EQ(g.model()->headerData(Col_Nazwa, Qt::Horizontal).toString(), QString::fromUtf8("Nazwa towaru / usługi"));
    EXPECT_TRUE(g.isRowHidden(0)) << "the header is not a line that scrolls away";
    // The line numbers stay at the left, whatever is scrolled.
    const QHeaderView* left = g.verticalHeader();
    EXPECT_TRUE(left->isVisible());
    EXPECT_EQ(g.columnWidthOf(Col_Lp), 40);
    EXPECT_EQ(g.model()->headerData(30, Qt::Vertical).toString(), "30");
    EXPECT_EQ(left->logicalIndexAt(left->height() - 25), 30) << "the last line's number is beside it";

    // Renumbering after a removal reaches the fixed column.
    g.lines().removeLine(1);
    EXPECT_EQ(g.model()->headerData(29, Qt::Vertical).toString(), "29");
    EXPECT_EQ(g.RowCount(), 31);
}

TEST(LineGrid, ModelKeepsQtsContractThroughEveryChange)
{
    LineGridModel g;
    g.setHeader(invoiceGridHeader(PriceMode::Netto));
    QAbstractItemModelTester tester(&g, QAbstractItemModelTester::FailureReportingMode::Fatal);
    g.appendLine(line("10,00", "12,30"));
    g.appendLine(line("20,00", "24,60"));
    g.replaceLine(1, line("11,00", "13,53"), 1);
    g.setCell(2, Col_Nazwa, QStringLiteral("y"));
    EXPECT_TRUE(g.removeLine(1));
    g.clearLines();
    EXPECT_EQ(g.rows(), 2);
}
