#include "platform/codepage/Cp1250.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1250, PolishTextRoundTrip)
{
    for (const QString& s : {QStringLiteral("zażółć gęślą jaźń"), QStringLiteral("ZAŻÓŁĆ GĘŚLĄ JAŹŃ"),
                             QStringLiteral("Faktura Vat nr 1/2011 – „Gotówka” 100 €")}) {
        const QByteArray bytes = text::toCp1250(s);
        EXPECT_EQ(bytes.size(), s.size());
        EXPECT_EQ(text::fromCp1250(bytes.constData()), s);
    }
    EXPECT_EQ(text::toCp1250(QStringLiteral("zażółć gęślą jaźń")),
              QByteArray("za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1"));
}

TEST(Cp1250, EveryByteMatchesTheCodePage)
{
    // The code page's characters for 0x80..0xFF (U+FFFD: unassigned).
    const QString reference = QStringLiteral(
        "\u20AC\uFFFD\u201A\uFFFD\u201E\u2026\u2020\u2021\uFFFD\u2030\u0160\u2039\u015A\u0164\u017D\u0179\uFFFD\u2018"
        "\u2019\u201C\u201D\u2022\u2013\u2014\uFFFD\u2122\u0161\u203A\u015B\u0165\u017E\u017A\u00A0\u02C7\u02D8\u0141"
        "\u00A4\u0104\u00A6\u00A7\u00A8\u00A9\u015E\u00AB\u00AC\u00AD\u00AE\u017B\u00B0\u00B1\u02DB\u0142\u00B4\u00B5"
        "\u00B6\u00B7\u00B8\u0105\u015F\u00BB\u013D\u02DD\u013E\u017C\u0154\u00C1\u00C2\u0102\u00C4\u0139\u0106\u00C7"
        "\u010C\u00C9\u0118\u00CB\u011A\u00CD\u00CE\u010E\u0110\u0143\u0147\u00D3\u00D4\u0150\u00D6\u00D7\u0158\u016E"
        "\u00DA\u0170\u00DC\u00DD\u0162\u00DF\u0155\u00E1\u00E2\u0103\u00E4\u013A\u0107\u00E7\u010D\u00E9\u0119\u00EB"
        "\u011B\u00ED\u00EE\u010F\u0111\u0144\u0148\u00F3\u00F4\u0151\u00F6\u00F7\u0159\u016F\u00FA\u0171\u00FC\u00FD"
        "\u0163\u02D9");
    ASSERT_EQ(reference.size(), 128);
    for (int b = 0x80; b <= 0xFF; ++b) {
        const QByteArray one(1, static_cast<char>(b));
        const QString decoded = text::fromCp1250(one);
        ASSERT_EQ(decoded.size(), 1);
        if (reference[b - 0x80] != QChar(0xFFFD)) {
            EXPECT_EQ(decoded[0], reference[b - 0x80]) << std::hex << b;
        }
        EXPECT_EQ(text::toCp1250(decoded), one) << std::hex << b; // every byte survives
    }
    QByteArray ascii;
    for (int b = 1; b < 0x80; ++b)
        ascii += static_cast<char>(b);
    EXPECT_EQ(text::toCp1250(text::fromCp1250(ascii)), ascii);
}

TEST(Cp1250, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    EXPECT_EQ(text::toCp1250(QStringLiteral("日本")), QByteArray("??"));
    EXPECT_EQ(text::toCp1250(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    EXPECT_EQ(text::toCp1250(QStringLiteral("ñã")), QByteArray("??"));
    EXPECT_EQ(text::fromCp1250(static_cast<const char*>(nullptr)), QString());
    EXPECT_EQ(text::fromCp1250(""), QString());
}

} // namespace
