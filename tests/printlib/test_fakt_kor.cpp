// The correction invoice and correction note printouts from the rows a correction and a note
// write, checked as PDF text: old and new line per corrected line (never the reversal lines), the
// differences, a refund, a total that is zero within rounding, and both buyers of a note.
#include "printlib/Dokpress.h"
#include "printlib/Fakt_Forms.h"

#include "PrintFixture.h"

#include <QApplication>

namespace {

class FaktKor : public PrintFixture {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        document(5, "FV", 12, "netto",
                 {{"Śruba M6", 1, 100, 23}, {"Usługa montażu", 1, 10, 8}, {"Nakrętka", 4, 1, 23}});
    }
};

TEST_F(FaktKor, TwoCorrectedLinesPrintTwoBandsAndARefund)
{
    correction(20, 1, 5, {{1, 0.9}, {2, 1.5}}); // -10 net at 23 %, +5 net at 8 %
    ShowFaktKorRep(qApp, "20", 1, 1, "", "");
    ASSERT_TRUE(script.messages().isEmpty()) << script.lastMessage().toStdString();
    ASSERT_EQ(capture->entries().size(), 2u);
    EXPECT_EQ(capture->entries()[0].documentName, "KFV/1/2011");
    const QString t = printed(0);
    for (const char* expected :
         {"Korekta faktury VAT", "KFV/1/2011", "Oryginał", "Dotyczy faktury", "FV/12/2011", "Lp. z fakt.",
          "Nabywca Ćma", "przelew", "Do zwrotu :", "-6,90 zł", "minus sześć 90/100", "Strona 1 z 1"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(expected))) << expected << "\n" << t.toStdString();
    // One band per corrected line; the reversal lines and the third, untouched line are not printed.
    EXPECT_EQ(t.count(QStringLiteral("winno być")), 2);
    EXPECT_EQ(t.count(QStringLiteral("było")), 2);
    EXPECT_FALSE(t.contains(QStringLiteral("Nakrętka")));
    EXPECT_FALSE(t.contains(QStringLiteral("-1,000")));
    EXPECT_FALSE(t.contains(QStringLiteral("Do zapłaty")));
    EXPECT_FALSE(t.contains(QStringLiteral("Cena jedn. brutto")));
    EXPECT_FALSE(hasWords(t, QStringLiteral("Wartość dokumentu wyliczana od brutto")));
    // Totals and VAT rows are the differences, new minus old, by rate.
    EXPECT_TRUE(hasWords(t, QStringLiteral("Razem : -5,00 X -1,90 -6,90"))) << t.toStdString();
    EXPECT_TRUE(hasWords(t, QStringLiteral("-10,00 23% -2,30 -12,30")));
    EXPECT_TRUE(hasWords(t, QStringLiteral("5,00 8% 0,40 5,40")));
    EXPECT_TRUE(printed(1).contains(QStringLiteral("Kopia")));
}

TEST_F(FaktKor, TotalZeroWithinRoundingIsToPayNotARefund)
{
    correction(20, 1, 5, {{1, 1}}); // the same quantity: a difference of 0
    c().exec("update Faktura set Wart_Netto=-1e-15, Wart_Brutto=-1e-15 where Id=20");
    c().exec("update Faktura_Szczegoly set Wartosc_Brutto=Wartosc_Brutto-1e-12, Kwota_Vat=Kwota_Vat-1e-12 "
             "where Id_Fakt=20 and Faktura_Typ='KFV'");
    ShowFaktKorRep(qApp, "20", 1, 0, "", "");
    const QString t = printed(0);
    EXPECT_TRUE(t.contains(QStringLiteral("Do zapłaty :"))) << t.toStdString();
    EXPECT_TRUE(t.contains(QStringLiteral("0,00 zł")));
    EXPECT_TRUE(t.contains(QStringLiteral("zero 0/100")));
    EXPECT_FALSE(t.contains(QStringLiteral("Do zwrotu")));
    EXPECT_FALSE(t.contains(QStringLiteral("-0,00")));
    EXPECT_FALSE(t.contains(QStringLiteral("minus")));
}

TEST_F(FaktKor, GrossCorrectionPrintsGrossUnitPricesOldAndNew)
{
    document(6, "FV", 13, "brutto", {{"Farba", 2, 61.5, 23}});
    correction(21, 1, 6, {{1, 1}});
    ShowFaktKorBRep(qApp, "21", 1, 0, "Duplikat", "2011-06-01");
    const QString t = printed(0);
    EXPECT_TRUE(hasWords(t, QStringLiteral("Cena jedn. brutto"))) << t.toStdString();
    EXPECT_TRUE(hasWords(t, QStringLiteral("Wartość dokumentu wyliczana od brutto")));
    EXPECT_TRUE(hasWords(t, QStringLiteral("było 1 1 Farba 2,000 szt. 61,50 0 100,00 23% 23,00 123,00")))
        << t.toStdString();
    EXPECT_TRUE(hasWords(t, QStringLiteral("winno być 1 Farba 1,000 szt. 61,50 0 50,00 23% 11,50 61,50")));
    EXPECT_TRUE(t.contains(QStringLiteral("Duplikat")));
    EXPECT_TRUE(t.contains(QStringLiteral("Do zwrotu :"))); // -61,50
}

TEST_F(FaktKor, LineRecorrectedLaterKeepsItsPlaceOnTheInvoice)
{
    correction(20, 1, 5, {{2, 3}});
    // A later correction of the new line detaches it, clearing its own reference to the invoice.
    c().exec("update Faktura_Szczegoly set Czy_Korekta=1, Faktura_Nr_Koncowy=0, Faktura_Rok_Koncowy=0, Id_Z_Fakt=0, "
             "Lp_Z_Fakt=0, Nr_Z_Fakt=0 where Id_Fakt=20 and Faktura_Typ='KFV'");
    TForm_Fakt_Kor form(qApp);
    form.openHeader(20);
    form.openVatSummary(20);
    form.openDetails();
    const report::PageList pages = form.layOut();
    const report::DrawItem* place = pages.pages.at(0).find(QStringLiteral("Bylo_Lp_Z_Fakt"));
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->text, QStringLiteral("2"));
}

TEST_F(FaktKor, NotePrintsBothBuyersOnOnePageOriginalThenCopy)
{
    note(30, 1, 5, "Nowy Nabywca", "ul. Nowa 2");
    ShowFaktNotaRep(qApp, "30", 1, 1, "", "");
    ASSERT_TRUE(script.messages().isEmpty()) << script.lastMessage().toStdString();
    ASSERT_EQ(capture->entries().size(), 2u);
    for (size_t run = 0; run < 2; ++run) {
        const auto& e = capture->entries()[run];
        EXPECT_EQ(e.documentName, "NFV/1/2011");
        EXPECT_EQ(e.pageCount, 1); // no page break before the old buyer
        const QString t = printed(run);
        for (const char* expected : {"Nota korygująca", "NFV/1/2011", run ? "Kopia" : "Oryginał", "Dotyczy faktury",
                                     "FV/12/2011", "Nabywca :", "ul. Nowa 2, 30-001 Kraków", "111-222-33-44", "było",
                                     "winno być", "Nazwa odbiorcy :", "Adres :", "Kraków", "Podpis osoby upoważnionej",
                                     "Zmiana nabywcy", "Wydrukowano z programu Orlimek - Tarnex"})
            EXPECT_TRUE(t.contains(QString::fromUtf8(expected))) << expected << "\n" << t.toStdString();
        // The old buyer block and the new one.
        EXPECT_TRUE(
            hasWords(t,
                     QStringLiteral("było Nazwa odbiorcy : Nabywca Ćma i Syn Adres : ul. Krótka 1 31-000 Kraków "
                                    "NIP : 987-654-32-10 winno być Nazwa odbiorcy : Nowy Nabywca Adres : "
                                    "ul. Nowa 2 30-001 Kraków NIP : 111-222-33-44")))
            << t.toStdString();
        for (const char* absent : {"Strona", "Do zapłaty", "Słownie", "Nr konta", "Data sprzedaży", "Duplikat"})
            EXPECT_FALSE(t.contains(QString::fromUtf8(absent))) << absent;
    }
}

} // namespace
