// Line arithmetic and line checks of the line dialogs.
#include "documents/LineGridModel.h"
#include "documents/LineMath.h"

#include <gtest/gtest.h>

using namespace documents;

namespace {

LineEntry entry(QString cena, QString ilosc, QString rabat, QString wart = QStringLiteral("23"))
{
    LineEntry e;
    e.symbol = QStringLiteral("T1");
    e.nazwa = QStringLiteral("Śruba");
    e.cena = cena;
    e.jm = QStringLiteral("szt.");
    e.ilosc = ilosc;
    e.rabat = rabat;
    e.vatNazwa = wart;
    e.vatWart = wart;
    e.czyPodst = true;
    return e;
}

LineResult ok(const std::variant<LineFailure, LineResult>& v)
{
    if (const auto* f = std::get_if<LineFailure>(&v)) {
        ADD_FAILURE() << f->message.toStdString();
        return {};
    }
    return std::get<LineResult>(v);
}

} // namespace

TEST(LineMath, ValuesAsShown)
{
    struct Case {
        const char* cena;
        const char* ilosc;
        const char* rabat;
        const char* wart;
        PriceMode mode;
        const char* net;
        const char* vat;
        const char* gross;
    } cases[] = {
        {"12,35", "3", "5", "23", PriceMode::Netto, "35,20", "8,10", "43,29"},
        {"10", "3", "10", "23", PriceMode::Netto, "27,00", "6,21", "33,21"},
        {"10", "3", "10", "23", PriceMode::Brutto, "21,95", "5,05", "27,00"},
        {"10", "3", "100", "23", PriceMode::Netto, "0,00", "0,00", "0,00"},
        {"10", "3", "100", "23", PriceMode::Brutto, "0,00", "0,00", "0,00"},
        {"0,125", "1", "0", "0", PriceMode::Netto, "0,13", "0,00", "0,13"},
        {"1234567,89", "1", "0", "23", PriceMode::Netto, "1234567,89", "283950,61", "1518518,50"},
        {"100", "1", "0", "-50", PriceMode::Brutto, "200,00", "-100,00", "100,00"},
        // What a business writes: 100 000 screws, a year of kWh, a machine; up to the bounds.
        {"0,05", "100000", "0", "23", PriceMode::Netto, "5000,00", "1150,00", "6150,00"},
        {"0,62", "250000", "0", "23", PriceMode::Brutto, "126016,26", "28983,74", "155000,00"},
        {"0,05", "9999999,999", "0", "23", PriceMode::Netto, "500000,00", "115000,00", "615000,00"},
        {"800000000", "1", "0", "23", PriceMode::Netto, "800000000,00", "184000000,00", "984000000,00"},
        {"800000000", "1", "0", "23", PriceMode::Brutto, "650406504,07", "149593495,93", "800000000,00"},
        {"999999999,99", "1", "0", "0", PriceMode::Netto, "999999999,99", "0,00", "999999999,99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.cena) + " x " + c.ilosc + " -" + c.rabat + "% @" + c.wart);
        const auto r = ok(evaluateLine(entry(c.cena, c.ilosc, c.rabat, c.wart), c.mode));
        ASSERT_EQ(r.cells.size(), LineGridModel::InvoiceColumns);
        EXPECT_EQ(r.cells[Col_Netto], QString::fromUtf8(c.net));
        EXPECT_EQ(r.cells[Col_Kwota_Vat], QString::fromUtf8(c.vat));
        EXPECT_EQ(r.cells[Col_Brutto], QString::fromUtf8(c.gross));
    }
}

TEST(LineMath, CellsOfALine)
{
    auto e = entry(QStringLiteral("12,345"), QStringLiteral("2,5"), QStringLiteral("05"));
    e.nazwaCd = QStringLiteral("M6");
    e.pkwiu = QStringLiteral("25.94");
    const auto r = ok(evaluateLine(e, PriceMode::Netto));
    const QStringList expected{QString(), "T1",    QString::fromUtf8("Śruba"),
                               "M6",      "25.94", "2,500",
                               "szt.",    "12,35", "05",
                               "29,32",   "23",    "6,74",
                               "36,06",   "23"};
    EXPECT_EQ(r.cells, expected);
    // The values come from the typed price, not from the rounded cell: 12,345 × 2,5 × 0,95.
    EXPECT_NEAR(double(r.values.net), 29.319375, 1e-12);
}

TEST(LineMath, ChecksInOrder)
{
    struct Case {
        const char* what;
        std::function<void(LineEntry&)> change;
        LineField field;
        const char* message;
    } cases[] = {
        {"no name",
         [](LineEntry& e) {
             e.nazwa.clear();
             e.vatNazwa.clear();
         },
         LineField::Nazwa, "Należy podać nazwę towaru / usługi"},
        {"no rate",
         [](LineEntry& e) {
             e.vatNazwa.clear();
             e.cena = "x";
         },
         LineField::Vat, "Należy podać stawkę VAT"},
        {"reduced rate without PKWiU",
         [](LineEntry& e) {
             e.czyPodst = false;
             e.cena = "x";
         },
         LineField::PKWIU, "Jeżeli 'Towar/Usługa' ma obniżoną stawkę VAT \nnależy podać jej klasyfikację PKWiU"},
        {"price letters",
         [](LineEntry& e) {
             e.cena = "abc";
             e.jm.clear();
         },
         LineField::Cena, "Niepoprawny format ceny \n Cena musi być liczbą rzeczywistą większą od 0"},
        {"price full stop", [](LineEntry& e) { e.cena = "10.5"; }, LineField::Cena,
         "Niepoprawny format ceny \n Cena musi być liczbą rzeczywistą większą od 0"},
        {"price hex", [](LineEntry& e) { e.cena = "0x10"; }, LineField::Cena,
         "Niepoprawny format ceny \n Cena musi być liczbą rzeczywistą większą od 0"},
        {"price inf", [](LineEntry& e) { e.cena = "inf"; }, LineField::Cena,
         "Niepoprawny format ceny \n Cena musi być liczbą rzeczywistą większą od 0"},
        {"price nan", [](LineEntry& e) { e.cena = "nan"; }, LineField::Cena,
         "Niepoprawny format ceny \n Cena musi być liczbą rzeczywistą większą od 0"},
        {"price thousands", [](LineEntry& e) { e.cena = "1\u00a0000"; }, LineField::Cena,
         "Niepoprawny format ceny \n Cena musi być liczbą rzeczywistą większą od 0"},
        {"price zero",
         [](LineEntry& e) {
             e.cena = "0";
             e.jm.clear();
         },
         LineField::Cena, "Cena musi być większa od 0"},
        {"price negative", [](LineEntry& e) { e.cena = "-1"; }, LineField::Cena, "Cena musi być większa od 0"},
        {"no unit",
         [](LineEntry& e) {
             e.jm.clear();
             e.ilosc = "x";
         },
         LineField::Jm, "Należy podać jednostkę miary"},
        {"quantity letters",
         [](LineEntry& e) {
             e.ilosc = "x";
             e.rabat = "x";
         },
         LineField::Ilosc, "Niepoprawny foramt ilości \n Ilość musi być liczbą rzeczywistą większą od 0"},
        {"quantity zero", [](LineEntry& e) { e.ilosc = "0,000"; }, LineField::Ilosc, "Ilość musi być większa od 0"},
        {"discount decimal", [](LineEntry& e) { e.rabat = "5,5"; }, LineField::Rabat,
         "Rabat musi być liczbą calkowitą"},
        {"discount blank", [](LineEntry& e) { e.rabat = " 5"; }, LineField::Rabat, "Rabat musi być liczbą calkowitą"},
        {"discount 101", [](LineEntry& e) { e.rabat = "101"; }, LineField::Rabat,
         "Rabat nie może być mniejszy od 0% ani większy niż 100%"},
        {"discount -1", [](LineEntry& e) { e.rabat = "-1"; }, LineField::Rabat,
         "Rabat nie może być mniejszy od 0% ani większy niż 100%"},
        // Amounts beyond what prints whole: the price itself, or the quantity multiplying it, or
        // the quantity itself; a grosz over the bound already, once rounded as shown.
        {"price over the amount limit", [](LineEntry& e) { e.cena = "100000000000000"; }, LineField::Cena,
         "Cena nie może przekroczyć 999 999 999,99 zł"},
        {"price a grosz over", [](LineEntry& e) { e.cena = "1000000000"; }, LineField::Cena,
         "Cena nie może przekroczyć 999 999 999,99 zł"},
        {"quantity over the amount limit",
         [](LineEntry& e) {
             e.cena = "1000000";
             e.ilosc = "1000000000";
         },
         LineField::Ilosc, "Ilość nie może przekroczyć 9 999 999,999"},
        {"value over the bound",
         [](LineEntry& e) {
             e.cena = "999999999,99";
             e.ilosc = "2";
         },
         LineField::Ilosc, "Wartość pozycji nie może przekroczyć 999 999 999,99 zł"},
        {"gross over the bound",
         [](LineEntry& e) {
             e.cena = "900000000";
             e.vatWart = "23";
         },
         LineField::Ilosc, "Wartość pozycji nie może przekroczyć 999 999 999,99 zł"},
        {"quantity over its bound", [](LineEntry& e) { e.ilosc = "9999999,9996"; }, LineField::Ilosc,
         "Ilość nie może przekroczyć 9 999 999,999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto e = entry("10", "1", "0");
        c.change(e);
        const auto v = evaluateLine(e, PriceMode::Netto);
        ASSERT_TRUE(std::holds_alternative<LineFailure>(v));
        EXPECT_EQ(std::get<LineFailure>(v).field, c.field);
        EXPECT_EQ(std::get<LineFailure>(v).message, QString::fromUtf8(c.message));
    }
}

TEST(LineMath, ReducedRateWithPkwiuAndSignedDiscountPass)
{
    auto e = entry("10", "1", "+0", "8");
    e.czyPodst = false;
    e.pkwiu = "10.71";
    EXPECT_TRUE(std::holds_alternative<LineResult>(evaluateLine(e, PriceMode::Netto)));
}

TEST(LineMath, GrossModeRefusesMinus100Percent)
{
    const auto v = evaluateLine(entry("10", "1", "0", "-100"), PriceMode::Brutto);
    ASSERT_TRUE(std::holds_alternative<LineFailure>(v));
    EXPECT_EQ(std::get<LineFailure>(v).field, LineField::Vat);
    // Net mode has nothing to divide.
    EXPECT_TRUE(std::holds_alternative<LineResult>(evaluateLine(entry("10", "1", "0", "-100"), PriceMode::Netto)));
}

TEST(LineMath, PriceModeTexts)
{
    EXPECT_EQ(priceModeFromText("netto"), PriceMode::Netto);
    EXPECT_EQ(priceModeFromText("brutto"), PriceMode::Brutto);
    EXPECT_FALSE(priceModeFromText("Netto"));
    EXPECT_EQ(priceModeFromSetting("1"), PriceMode::Brutto);
    for (const char* bad : {"0", "", "2", "-1", "abc", " 1", "1,0"})
        EXPECT_EQ(priceModeFromSetting(bad), PriceMode::Netto) << bad;
}

// A document's totals and its VAT rows by rate stay within the bound its printouts keep whole;
// a correction's differences of opposite signs may cancel in the totals, not within a rate.
TEST(LineMath, TotalsAndRatesWithinTheBound)
{
    const auto line = [](const char* rate, long double net) { return LineAmounts{rate, net, 0, net}; };
    const struct {
        std::vector<LineAmounts> lines;
        bool within;
    } cases[] = {
        {{line("23", 999999999.99L)}, true},
        {{line("23", 500000000), line("8", 499999999.99L)}, true},
        {{line("23", 500000000), line("8", 500000000)}, false}, // a grosz over, in all
        {{line("23", -999999999.99L)}, true},
        {{line("23", -600000000), line("23", -400000000)}, false},
        {{line("23", 999999999.99L), line("8", -999999999.99L), line("23", 1)}, false}, // one rate over
        {{line("23", 999999999.99L), line("8", -999999999.99L)}, true},
        {{LineAmounts{"23", 900000000, 207000000, 1107000000}}, false}, // the gross
    };
    for (const auto& c : cases)
        EXPECT_EQ(totalsWithinBound(c.lines), c.within) << c.lines.size() << " " << double(c.lines[0].net);
}
