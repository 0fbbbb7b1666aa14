#include "printlib/Functions.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct WordsCase {
    qint64 n;
    const char* words;
};

TEST(Liczba_Slownie, WordsOfWholeNumbers)
{
    const WordsCase cases[] = {
        {0, "zero "},
        {5, " pięć "},
        {10, " dziesięć "},
        {11, " jedenaście "},
        {19, " dziewiętnaście "},
        {20, " dwadzieścia "},
        {21, " dwadzieścia jeden "},
        {90, " dziewięćdziesiąt "},
        {99, " dziewięćdziesiąt dziewięć "},
        {100, " sto "},
        {110, " sto dziesięć "},
        {119, " sto dziewiętnaście "},
        {205, " dwieście pięć "},
        {999, " dziewięćset dziewięćdziesiąt dziewięć "},
        {1000, " jeden tys. "},
        {2000, " dwa tys. "},
        {1005000, " jeden mln. pięć tys. "},
        {1001000, " jeden mln. jeden tys. "},
        {2000000, " dwa mln. "},
        {12019, " dwanaście tys. dziewiętnaście "},
        {90000090, " dziewięćdziesiąt mln. dziewięćdziesiąt "},
        {2147483647,
         " dwa mld. sto czterdzieści siedem mln. czterysta osiemdziesiąt trzy tys. "
         "sześćset czterdzieści siedem "},
        {-12, "minus dwanaście "},
        {-1000, "minus jeden tys. "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Liczba_Slownie(c.n), QString::fromUtf8(c.words)) << c.n;
}

TEST(Liczba_Slownie, EveryDecadeAndTeen)
{
    const char* tens[] = {"dwadzieścia",   "trzydzieści",    "czterdzieści",  "pięćdziesiąt",
                          "sześćdziesiąt", "siedemdziesiąt", "osiemdziesiąt", "dziewięćdziesiąt"};
    for (int t = 2; t <= 9; ++t)
        EXPECT_EQ(Liczba_Slownie(t * 10), " " + QString::fromUtf8(tens[t - 2]) + " ");
    const char* teens[] = {"dziesięć",   "jedenaście", "dwanaście",    "trzynaście",  "czternaście",
                           "piętnaście", "szesnaście", "siedemnaście", "osiemnaście", "dziewiętnaście"};
    for (int u = 0; u <= 9; ++u)
        EXPECT_EQ(Liczba_Slownie(10 + u), " " + QString::fromUtf8(teens[u]) + " ");
}

TEST(Liczba_Slownie, SixtyFourBitNumbers)
{
    // Above 2^31 nothing wraps.
    EXPECT_EQ(Liczba_Slownie(Q_INT64_C(3000000000)), QString::fromUtf8(" trzy mld. "));
    EXPECT_EQ(Liczba_Slownie(Q_INT64_C(1000000000000)), QString::fromUtf8(" jeden bln. "));
    EXPECT_EQ(Liczba_Slownie(Q_INT64_C(2000000000000000)), QString::fromUtf8(" dwa bld. "));
    EXPECT_EQ(Liczba_Slownie(std::numeric_limits<qint64>::max()),
              QString::fromUtf8(" dziewięć tryl. dwieście dwadzieścia trzy bld. trzysta "
                                "siedemdziesiąt dwa bln. trzydzieści sześć mld. osiemset "
                                "pięćdziesiąt cztery mln. siedemset siedemdziesiąt pięć tys. "
                                "osiemset siedem "));
    EXPECT_TRUE(Liczba_Slownie(std::numeric_limits<qint64>::min()).endsWith(QString::fromUtf8(" osiemset osiem ")));
    EXPECT_TRUE(Liczba_Slownie(std::numeric_limits<qint64>::min()).startsWith("minus dziewięć tryl."));
}

struct AmountCase {
    double total;
    const char* line;
};

TEST(Kwota_Slownie, AmountLine)
{
    const AmountCase cases[] = {
        {123.45, " sto dwadzieścia trzy 45/100"},
        {0.45, "zero 45/100"},
        {12.05, " dwanaście 5/100"},
        {12.29, " dwanaście 29/100"}, // 12.29 * 100 is 1228.999… in binary
        {1000, " jeden tys. 0/100"},
        {0, "zero 0/100"},
        {-12.34, "minus dwanaście 34/100"},
        {-0.45, "minus zero 45/100"},
        {99.996, " sto 0/100"}, // grosze rounding to 100 carry into the złoty
        {19.999, " dwadzieścia 0/100"},
        {3000000000.5, " trzy mld. 50/100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Kwota_Slownie(c.total), QString::fromUtf8(c.line)) << c.total;
    EXPECT_EQ(Kwota_Slownie(std::numeric_limits<double>::quiet_NaN()), "");
    EXPECT_EQ(Kwota_Slownie(1e300), "");
}

} // namespace
