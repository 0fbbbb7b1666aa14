// Header checks of a document save, the due date and the payment kind rule.
#include "documents/InvoiceCheck.h"

#include <functional>
#include <gtest/gtest.h>

using namespace documents;

namespace {

HeaderEntry goodHeader()
{
    HeaderEntry e;
    e.dataWyst = "2011-03-05";
    e.rok = "2011";
    e.dataSprzedarzy = "marzec 2011";
    e.miejsceWyst = "Kraków";
    e.nazwa = "Jan Kowalski";
    e.kod = "30-001";
    e.miasto = "Kraków";
    e.adres = "Długa 1";
    e.lineCount = 1;
    e.formaZaplaty = "Przelew";
    e.iloscDni = "14";
    return e;
}

} // namespace

TEST(InvoiceCheck, GoodHeaderPasses)
{
    EXPECT_FALSE(checkInvoiceHeader(goodHeader()));
    auto e = goodHeader();
    e.dataZap = "2011-03-19";
    e.iloscDni = "-3";
    EXPECT_FALSE(checkInvoiceHeader(e));
}

// Each case breaks one field and everything after it: the earliest check must win.
TEST(InvoiceCheck, ChecksRunInOrder)
{
    // clang-format off
    struct Case {
        const char* what;
        std::function<void(HeaderEntry&)> change;
        HeaderField field;
        const char* message;
        bool plain = false;
    } cases[] = {
        {"empty issue date", [](HeaderEntry& e) { e.dataWyst.clear(); e.rok.clear(); }, HeaderField::Data_Wyst,
         "Pole 'Data Wystawienia' musi być wypełnione !", true},
        {"9 characters", [](HeaderEntry& e) { e.dataWyst = "2009-1-05"; e.rok.clear(); }, HeaderField::Data_Wyst,
         "Niepoprawny format daty w polu 'Data wystawienia'\nPoprawny format to rrrr-mm-dd"},
        {"slashes", [](HeaderEntry& e) { e.dataWyst = "2009/01/05"; }, HeaderField::Data_Wyst,
         "Niepoprawny format daty w polu 'Data wystawienia'\nPoprawny format to rrrr-mm-dd"},
        {"30 February", [](HeaderEntry& e) { e.dataWyst = "2011-02-30"; e.rok.clear(); }, HeaderField::Data_Wyst,
         "Niepoprawna data wystawienia"},
        {"empty year", [](HeaderEntry& e) { e.rok.clear(); e.nazwa.clear(); }, HeaderField::Rok,
         "Pole 'Rok' musi być wypełnione !"},
        {"year differs", [](HeaderEntry& e) { e.rok = "2008"; e.dataWyst = "2009-01-05"; }, HeaderField::Rok,
         "Niepoprawna wartość w polu 'Rok'"},
        {"sale date", [](HeaderEntry& e) { e.dataSprzedarzy.clear(); e.miejsceWyst.clear(); },
         HeaderField::Data_Sprzedarzy, "Pole 'Data Sprzedaży' musi być wypełnione !"},
        {"place", [](HeaderEntry& e) { e.miejsceWyst.clear(); e.nazwa.clear(); }, HeaderField::Miejsce_Wyst,
         "Pole 'Miejsce Wystawienia' musi być wypełnione !"},
        {"name", [](HeaderEntry& e) { e.nazwa.clear(); e.czyFirma = true; }, HeaderField::Nazwa,
         "Pole 'Nazwa/Nazwisko Imię Klienta' musi być wypełnione !"},
        {"company NIP", [](HeaderEntry& e) { e.czyFirma = true; e.kod.clear(); }, HeaderField::NIP,
         "Pole 'NIP' dla Klienta firmowego musi być wypełnione !"},
        {"code", [](HeaderEntry& e) { e.kod.clear(); e.miasto.clear(); }, HeaderField::Kod,
         "Pole 'Kod' musi być wypełnione !"},
        {"town", [](HeaderEntry& e) { e.miasto.clear(); e.adres.clear(); }, HeaderField::Miasto,
         "Pole 'Miasto' musi być wypełnione !"},
        {"address", [](HeaderEntry& e) { e.adres.clear(); e.lineCount = 0; }, HeaderField::Adres,
         "Pole 'Adres' musi być wypełnione !"},
        {"no lines", [](HeaderEntry& e) { e.lineCount = 0; e.formaZaplaty.clear(); }, HeaderField::Dodaj,
         "Nie dodano żadnych pozycji do faktury"},
        {"payment", [](HeaderEntry& e) { e.formaZaplaty.clear(); e.dataZap = "x"; }, HeaderField::Forma_Zaplaty,
         "Należy podać sposób zapłaty"},
        {"due shape", [](HeaderEntry& e) { e.dataZap = "2011-3-19"; e.iloscDni = "x"; }, HeaderField::Data_Zap,
         "Niepoprawny format daty w polu 'Data zapłaty'\nPoprawny format to rrrr-mm-dd"},
        {"due date", [](HeaderEntry& e) { e.dataZap = "2009-02-30"; e.iloscDni = "x"; }, HeaderField::Data_Zap,
         "Niepoprawna data"},
        {"days", [](HeaderEntry& e) { e.iloscDni = "1,5"; }, HeaderField::Ilosc_Dni,
         "Pole 'Liczba dni' musi być liczbą całkowitą"},
        {"days hex", [](HeaderEntry& e) { e.iloscDni = "0x1"; }, HeaderField::Ilosc_Dni,
         "Pole 'Liczba dni' musi być liczbą całkowitą"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto e = goodHeader();
        c.change(e);
        const auto f = checkInvoiceHeader(e);
        ASSERT_TRUE(f);
        EXPECT_EQ(f->field, c.field);
        EXPECT_EQ(f->message, QString::fromUtf8(c.message));
        EXPECT_EQ(f->plainDialog, c.plain);
    }
}

TEST(InvoiceCheck, PrivateBuyerMayHaveNoNip)
{
    auto e = goodHeader();
    e.czyFirma = false;
    e.nip.clear();
    EXPECT_FALSE(checkInvoiceHeader(e));
}

TEST(InvoiceCheck, DueDate)
{
    struct Case {
        const char* issue;
        const char* days;
        const char* due;
    } cases[] = {
        {"2011-03-05", "30", "2011-04-04"},   {"2012-02-28", "1", "2012-02-29"},    {"2011-03-05", "0", "2011-03-05"},
        {"2011-03-05", "3650", "2021-03-02"}, {"2011-03-05", "-3", "2011-03-02"}, // before the issue date
        {"2011-03-01", "-1", "2011-02-28"},   {"2011-03-05", "3651", "2021-03-03"}, {"2011-12-31", "1", "2012-01-01"},
    };
    for (const auto& c : cases) {
        const auto r = computeDueDate(c.issue, c.days);
        ASSERT_TRUE(std::holds_alternative<QString>(r)) << c.issue;
        EXPECT_EQ(std::get<QString>(r), c.due);
    }
    auto failOf = [](const char* issue, const char* days) {
        return std::get<HeaderFailure>(computeDueDate(issue, days));
    };
    EXPECT_EQ(failOf("2011-02-30", "1").message, "Niepoprawna data !");
    EXPECT_EQ(failOf("", "1").field, HeaderField::Data_Wyst);
    EXPECT_EQ(failOf("2011-03-05", "abc").message, QString::fromUtf8("Pole 'Ilość dni' musi być liczbą całkowitą"));
    EXPECT_EQ(failOf("2011-03-05", "abc").field, HeaderField::Ilosc_Dni);
    // Days beyond the four-digit years are no date the save could read back.
    for (const char* days : {"2147483647", "-2147483648", "3000000", "-735000"}) {
        EXPECT_EQ(failOf("2011-03-05", days).message, "Niepoprawna data") << days;
        EXPECT_EQ(failOf("2011-03-05", days).field, HeaderField::Ilosc_Dni);
    }
}

TEST(InvoiceCheck, CashMakesTheDueDateTheIssueDate)
{
    const auto cash = choosePaymentKind(QString::fromUtf8("Gotówka"), "2011-03-05");
    EXPECT_EQ(cash.iloscDni, "0");
    ASSERT_TRUE(cash.dataZap);
    EXPECT_EQ(*cash.dataZap, "2011-03-05");
    EXPECT_FALSE(cash.failure);

    const auto transfer = choosePaymentKind("Przelew", "2011-03-05");
    EXPECT_EQ(transfer.iloscDni, "0");
    ASSERT_TRUE(transfer.dataZap);
    EXPECT_TRUE(transfer.dataZap->isEmpty());
    EXPECT_EQ(transfer.focus, HeaderField::Ilosc_Dni);

    // Only the exact name is cash.
    EXPECT_TRUE(choosePaymentKind(QString::fromUtf8("gotówka"), "2011-03-05").dataZap->isEmpty());

    const auto bad = choosePaymentKind(QString::fromUtf8("Gotówka"), "2011-13-05");
    ASSERT_TRUE(bad.failure);
    EXPECT_EQ(bad.failure->field, HeaderField::Data_Wyst);
    EXPECT_FALSE(bad.dataZap);
}
