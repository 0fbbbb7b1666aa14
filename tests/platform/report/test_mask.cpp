#include "platform/report/Mask.h"

#include <gtest/gtest.h>

using report::formatNumber;
using report::formatValue;

namespace {

const QString nbsp = QString(QChar(0x00A0));

struct MaskCase {
    double value;
    const char* mask;
    QString expected;
};

TEST(Mask, FormatsNumbersLikeTheLayoutsExpect)
{
    const MaskCase cases[] = {
        {1234.5, "0.00", "1234,50"},
        {0, "0.00", "0,00"},
        {12.05, "0.00", "12,05"},
        {0.125, "0.00", "0,13"},    // halves away from zero on the decimal form
        {2.675, "0.00", "2,68"},    // binary 2.67499… still rounds as written
        {99.995, "0.00", "100,00"}, // the carry reaches the integer part
        {-0.001, "0.00", "0,00"},   // no "-0,00"
        {-12.34, "0.00 zł", "-12,34 zł"},
        {1500, "0.00 zł", "1500,00 zł"},
        {3, "0.000", "3,000"},
        {2.0005, "0.000", "2,001"},
        {1234567.891, "#,##0.00", "1" + nbsp + "234" + nbsp + "567,89"},
        {0.5, "#.##", ",5"},
        {7, "0", "7"},
        {1e12 + 0.25, "0.00", "1000000000000,25"},
        // The largest line amounts a document stores, and their sums, keep their grosze.
        {89999999999999.91, "0.00", "89999999999999,91"},
        {-134999999999999.78, "0.00 zł", "-134999999999999,78 zł"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, QString::fromUtf8(c.mask)), c.expected) << c.value << " " << c.mask;
}

TEST(Mask, FieldValuesUnderMasks)
{
    EXPECT_EQ(formatValue(QVariant(), "0.00"), "");
    EXPECT_EQ(formatValue(QVariant(QString("12,5")), "0.00"), "12,50");
    EXPECT_EQ(formatValue(QVariant(QString("12.5")), "0.00"), "12,50");
    EXPECT_EQ(formatValue(QVariant(QString("abc")), "0.00"), "abc");
    EXPECT_EQ(formatValue(QVariant(12.5), QString()), "12.5"); // no mask: the value's own text
    EXPECT_EQ(formatValue(QVariant(qint64(3)), "0.000"), "3,000");
}

} // namespace
