#include "support/DesktopSettings.h"
#include "platform/text/Numbers.h"

#include <cmath>

namespace {

using NumbersFormat = DesktopSettings;

TEST_F(NumbersFormat, FixedPointTable)
{
    struct Case {
        long double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {0.0L, 2, "0,00"},
        {12.5L, 2, "12,50"},
        {-30.75L, 2, "-30,75"},
        {0.125L, 2, "0,13"}, // exact half: away from zero
        {-0.125L, 2, "-0,13"},
        {1.005L, 2, "1,01"},
        {2.675L, 2, "2,68"},
        {1.004999L, 2, "1,00"},
        {0.995L, 2, "1,00"},
        {9.995L, 2, "10,00"}, // carry into a new digit
        {-9.995L, 2, "-10,00"},
        {99999.995L, 2, "100000,00"},
        {1234567.895L, 2, "1234567,90"},
        {1234567.894L, 2, "1234567,89"},
        {1000000.0L, 2, "1000000,00"}, // no thousands separator
        {-0.001L, 2, "0,00"},          // never a negative zero
        {-0.004999L, 2, "0,00"},
        {-0.005L, 2, "-0,01"},
        {0.0004L, 2, "0,00"},
        {1.5L, 3, "1,500"},
        {1.0005L, 3, "1,001"},
        {-0.0004L, 3, "0,000"},
        {2.5L, 0, "3"},
        {-2.5L, 0, "-3"},
        {0.4L, 0, "0"},
        {123456789012345678.0L, 2, "123456789012345678,00"},
        {1e-30L, 2, "0,00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text::formatFixed(c.value, c.decimals), QString::fromUtf8(c.expected))
            << static_cast<double>(c.value) << " with " << c.decimals;
    EXPECT_EQ(text::formatAmount(1234567.895L), QStringLiteral("1234567,90"));
    EXPECT_EQ(text::formatQuantity(2.0L), QStringLiteral("2,000"));
}

TEST_F(NumbersFormat, DoublesRoundFromTheir18SignificantDigits)
{
    // Line values are doubles: their 18-digit decimal form is what gets rounded.
    EXPECT_EQ(text::formatAmount(1234567.895), QStringLiteral("1234567,90")); // ...8950000000186
    EXPECT_EQ(text::formatAmount(0.995), QStringLiteral("0,99"));             // 0.994999999999999996
    EXPECT_EQ(text::formatAmount(1.005), QStringLiteral("1,00"));             // 1.00499999999999989
    EXPECT_EQ(text::formatAmount(0.1 + 0.2), QStringLiteral("0,30"));
    EXPECT_EQ(text::formatAmount(3 * 33.33), QStringLiteral("99,99"));
}

TEST_F(NumbersFormat, GeneralForm)
{
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {12.5, "12,5"},
        {-30.75, "-30,75"},
        {100.0, "100"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3.0, "0,333333333333333"},
        {2.0 / 3.0, "0,666666666666667"},
        {123456789012345.0, "123456789012345"},
        {1234567.895, "1234567,895"},
        {1e15, "1E15"},
        {-1.5e20, "-1,5E20"},
        {0.00001, "0,00001"},
        {0.000015, "0,000015"},
        {1.5e-6, "1,5E-6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text::formatGeneral(c.value), QString::fromUtf8(c.expected)) << c.value;
}

TEST_F(NumbersFormat, GeneralFormReadsBackToTheSameValue)
{
    for (double v : {12.5, -30.75, 1.0 / 3.0, 1e15, 1.5e-6, 99.99, 1234567.895}) {
        bool ok = false;
        const long double back = text::parseFloat(text::formatGeneral(v), &ok);
        ASSERT_TRUE(ok) << v;
        EXPECT_EQ(text::formatGeneral(static_cast<double>(back)), text::formatGeneral(v));
    }
}

TEST_F(NumbersFormat, SeparatorComesFromTheSettingsAtEachCall)
{
    EXPECT_EQ(text::formatAmount(1.5L), QStringLiteral("1,50"));
    setInternational("sDecimal", QStringLiteral("."));
    EXPECT_EQ(text::formatAmount(1.5L), QStringLiteral("1.50"));
    EXPECT_EQ(text::formatGeneral(1.5), QStringLiteral("1.5"));
    bool ok = false;
    EXPECT_EQ(text::parseFloat(QStringLiteral("1.5"), &ok), 1.5L);
    EXPECT_TRUE(ok);
    text::parseFloat(QStringLiteral("1,5"), &ok);
    EXPECT_FALSE(ok);
}

TEST_F(NumbersFormat, StrictIntegers)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"-5", true, -5},
        {"+7", true, 7},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"+", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"$FF", false, 0},
        {"0x10", false, 0},
        {"1,5", false, 0},
        {"1.5", false, 0},
        {"1\xC2\xA0"
         "000",
         false, 0},
        {"--1", false, 0},
        {"\xD9\xA3", false, 0}, // an Arabic-Indic digit
    };
    for (const Case& c : cases) {
        bool ok = !c.ok;
        EXPECT_EQ(text::parseInt(QString::fromUtf8(c.text), &ok), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
}

TEST_F(NumbersFormat, StrictFloats)
{
    struct Case {
        const char* text;
        bool ok;
        long double value;
    };
    const Case cases[] = {
        {"12,5", true, 12.5L},
        {"-30,75", true, -30.75L},
        {"+1", true, 1.0L},
        {"0", true, 0.0L},
        {",5", true, 0.5L},
        {"5,", true, 5.0L},
        {"1,5E-6", true, 1.5e-6L},
        {"1e3", true, 1000.0L},
        {"1234567,895", true, 1234567.895L},
        {"", false, 0},
        {",", false, 0},
        {"-", false, 0},
        {"1.5", false, 0},
        {"1,2,3", false, 0},
        {"1 000,00", false, 0},
        {"1\xC2\xA0"
         "000",
         false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"inf", false, 0},
        {"-INF", false, 0},
        {"nan", false, 0},
        {"0x1p3", false, 0},
        {"$10", false, 0},
        {"1e", false, 0},
        {"1e+", false, 0},
        {"e5", false, 0},
        {"1e99999", false, 0},
        {"12zł", false, 0},
    };
    for (const Case& c : cases) {
        bool ok = !c.ok;
        const long double v = text::parseFloat(QString::fromUtf8(c.text), &ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        EXPECT_EQ(v, c.value) << c.text;
    }
}

} // namespace
