#include "support/DesktopSettings.h"
#include "platform/text/Dates.h"
#include "platform/text/Regional.h"

namespace {

using DatesAndSettings = DesktopSettings;

TEST_F(DatesAndSettings, DefaultsOfAPolishDesktop)
{
    EXPECT_EQ(text::shortDateFormat(), QStringLiteral("yyyy-MM-dd"));
    EXPECT_EQ(text::decimalSeparator(), QLatin1Char(','));
    EXPECT_EQ(text::thousandSeparator(), QChar(0x00A0));
    EXPECT_EQ(text::dateSeparator(), QLatin1Char('-'));
}

TEST_F(DatesAndSettings, DesktopShortDateNotationIsTranslated)
{
    const struct {
        const char* desktop;
        const char* qt;
    } cases[] = {
        {"yyyy-MM-dd", "yyyy-MM-dd"},     {"dd.MM.yyyy", "dd.MM.yyyy"}, {"d/M/yy", "d/M/yy"},
        {"yyyy-mm-dd", "yyyy-MM-dd"},     {"y-M-d", "yy-M-d"},          {"yyyyy.MM.dd", "yyyy.MM.dd"},
        {"gg yyyy-MM-dd", " yyyy-MM-dd"}, {"dd 'de' MM", "dd 'de' MM"},
    };
    for (const auto& c : cases) {
        setInternational("sShortDate", QString::fromUtf8(c.desktop));
        EXPECT_EQ(text::shortDateFormat(), QString::fromUtf8(c.qt)) << c.desktop;
    }
    setInternational("sShortDate", QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(text::dateSeparator(), QLatin1Char('.'));
    setInternational("sThousand", QStringLiteral("."));
    EXPECT_EQ(text::thousandSeparator(), QLatin1Char('.'));
}

TEST_F(DatesAndSettings, DateTextCheck)
{
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"2011-03-05", true},  {"2024-02-29", true},  {"2023-02-29", false},  {"2011-02-30", false},
        {"2011-13-01", false}, {"2011-00-10", false}, {"2011-3-5", false}, // converts, but is not 10 characters
        {"2011-03-5 ", false}, {"2011-03- 5", false}, {"+011-03-05", false},  {"2011/03/05", false},
        {"05-03-2011", false}, {"abcd-ef-gh", false}, {"2011-03-051", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text::isValidDateText(QString::fromUtf8(c.text)), c.valid) << c.text;

    // The text must also convert in the desktop's format: with dots it does not.
    setInternational("sShortDate", QStringLiteral("dd.MM.yyyy"));
    EXPECT_FALSE(text::isValidDateText(QStringLiteral("2011-03-05")));
}

TEST_F(DatesAndSettings, DatesToAndFromText)
{
    const QDate d(2011, 3, 5);
    EXPECT_EQ(text::dateToText(d), QStringLiteral("2011-03-05"));
    EXPECT_EQ(text::textToDate(QStringLiteral("2011-03-05")), d);
    EXPECT_EQ(text::textToDate(QStringLiteral("2011-3-5")), d);
    EXPECT_FALSE(text::textToDate(QString()).isValid());
    EXPECT_FALSE(text::textToDate(QStringLiteral("jutro")).isValid());
    EXPECT_EQ(text::dateToText(QDate()), QString());

    setInternational("sShortDate", QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(text::dateToText(d), QStringLiteral("05.03.2011"));
    EXPECT_EQ(text::textToDate(QStringLiteral("05.03.2011")), d);
    EXPECT_FALSE(text::textToDate(QStringLiteral("2011-03-05")).isValid());
}

} // namespace
