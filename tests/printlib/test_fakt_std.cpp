// The VAT invoice printout from the database, checked as PDF text: the seller and buyer blocks,
// the lines, the totals, the VAT summary by rate, the amount, the originals then the copies, the
// page line and the duplicate marking; failures are shown and print nothing.
#include "printlib/Dokpress.h"
#include "printlib/Fakt_Forms.h"
#include "platform/data/Schema.h"
#include "platform/registry/Registry.h"
#include "platform/report/Output.h"
#include "platform/system/Library.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "PrintFixture.h"

#include <tuple>

namespace {

class FaktStd : public PrintFixture {
protected:
    // A VAT invoice of one piece of each of the given lines (net, VAT rate name, VAT percent).
    void invoice(int id, int nr, const std::vector<std::tuple<QString, double, int>>& lines)
    {
        std::vector<Line> l;
        for (const auto& [name, net, rate] : lines)
            l.push_back({name, 1, net, rate});
        document(id, "FV", nr, "netto", l);
    }
    void seller(const char* name, const char* value)
    {
        registry::write(registry::Root::LocalMachine, "Software\\Orlimek\\Tarnex\\", name, QString::fromUtf8(value));
    }
};

TEST_F(FaktStd, PrintsOriginalsThenCopiesWithEverythingOnThem)
{
    invoice(5, 12, {{"Śruba M6", 100, 23}, {"Nakrętka", 50, 23}, {"Usługa montażu", 200, 8}});
    ShowFaktStdRep(qApp, "5", 1, 2, "Duplikat", "2011-03-10");
    EXPECT_TRUE(script.messages().isEmpty()) << script.lastMessage().toStdString();
    EXPECT_EQ(Form_Fakt_Std, nullptr);
    ASSERT_EQ(capture->entries().size(), 2u);
    const auto& org = capture->entries()[0];
    const auto& kop = capture->entries()[1];
    EXPECT_EQ(org.runName, "Oryginał");
    EXPECT_EQ(org.copies, 1);
    EXPECT_EQ(org.documentName, "FV/12/2011");
    EXPECT_EQ(kop.runName, "Kopia");
    EXPECT_EQ(kop.copies, 2);
    EXPECT_EQ(pdf::pages(kop.file), 2);

    const QString t = pdf::text(org.file);
    // clang-format off
    for (const char* expected :
         {"Przedsiębiorstwo Żółw", "Sp. z o.o.", "ul. Długa 5, 00-950 Łódź", "123-456-32-18", "12 3456 7890",
          "42 123 45 67", "Faktura VAT", "FV/12/2011", "Oryginał", "Nabywca Ćma", "i Syn",
          "ul. Krótka 1, 31-000 Kraków", "987-654-32-10", "przelew", "2011-03-15", "Miejsce wystawienia",
          "Kraków", "Duplikat", "wystawiono dnia :2011-03-10", "Śruba M6", "Nakrętka", "Usługa montażu",
          "Razem", "350,00", "50,50", "400,50", "w tym :", "Do zapłaty :", "400,50 zł",
          "Słownie złotych :", "czterysta 50/100", "Płatne w terminie", "Strona 1 z 1",
          "Wydrukowano z programu Orlimek - Tarnex", "Podpis osoby upoważnionej"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(expected))) << expected << "\n" << t.toStdString();
    // clang-format on
    EXPECT_FALSE(t.contains("Kopia"));
    // One VAT summary row per rate with its sums.
    const QStringList rows = t.split('\n');
    auto rowWith = [&](const QString& a, const QString& b) {
        for (const QString& r : rows)
            if (r.contains(a) && r.contains(b) && !r.contains("Usługa") && !r.contains("Śruba")
                && !r.contains("Nakrętka"))
                return r;
        return QString();
    };
    EXPECT_FALSE(rowWith("150,00", "184,50").isEmpty()) << t.toStdString(); // 23%: 150 + 34.50
    EXPECT_FALSE(rowWith("200,00", "216,00").isEmpty()) << t.toStdString(); // 8%: 200 + 16
    EXPECT_TRUE(pdf::text(kop.file).contains("Kopia"));
}

TEST_F(FaktStd, LongInvoiceNumbersItsPagesFromTheFirstLayout)
{
    std::vector<std::tuple<QString, double, int>> lines;
    for (int i = 1; i <= 40; ++i)
        lines.emplace_back(QStringLiteral("Towar %1").arg(i), 10, 23);
    invoice(7, 1, lines);
    ShowFaktStdRep(qApp, "7", 1, 0, "", "");
    ASSERT_EQ(capture->entries().size(), 1u); // copies 0: originals only
    const auto& e = capture->entries()[0];
    ASSERT_GE(e.pageCount, 2);
    for (int p = 1; p <= e.pageCount; ++p)
        EXPECT_TRUE(e.pageTexts[size_t(p - 1)].contains(QStringLiteral("Strona %1 z %2").arg(p).arg(e.pageCount)));
    const QString t = pdf::text(e.file);
    EXPECT_EQ(t.count("Nazwa towaru/usługi"), 1); // the column header is not repeated
    EXPECT_TRUE(t.contains("Towar 40"));
    EXPECT_TRUE(t.contains("400,00")); // 40 × 10 net
}

TEST_F(FaktStd, NonIntegerIdPrintsNothingAndTheNextCallWorks)
{
    invoice(5, 12, {{"Śruba", 100, 23}});
    ShowFaktStdRep(qApp, "5x", 1, 1, "", "");
    EXPECT_TRUE(capture->entries().empty());
    ASSERT_EQ(script.messages().size(), 1);
    EXPECT_TRUE(script.lastMessage().contains("5x"));
    EXPECT_EQ(Form_Fakt_Std, nullptr);
    // A huge id is quoted by its beginning only.
    const std::string huge(100000, '7');
    ShowFaktStdRep(qApp, (huge + "x").c_str(), 1, 1, "", "");
    ASSERT_EQ(script.messages().size(), 2);
    EXPECT_TRUE(script.lastMessage().contains(QString::fromStdString(huge.substr(0, 60)) + QChar(0x2026)))
        << script.lastMessage().left(200).toStdString();
    EXPECT_LT(script.lastMessage().size(), 200);
    ShowFaktStdRep(qApp, "5", 1, 0, "", "");
    EXPECT_EQ(capture->entries().size(), 1u);
}

TEST_F(FaktStd, NoDocumentAnotherTypeOrCountsOutOfRangeAreRefusedWithNothingPrinted)
{
    invoice(5, 12, {{"Śruba", 100, 23}});
    const struct {
        ShowFaktProc entry;
        const char* id;
        qint32 originals, copies;
        const char* message;
    } cases[] = {
        {ShowFaktStdRep, "0", 1, 0, "Nie znaleziono dokumentu o identyfikatorze 0."},
        {ShowFaktStdRep, "-5", 1, 0, "Nie znaleziono dokumentu o identyfikatorze -5."},
        {ShowFaktStdRep, "999999", 1, 0, "Nie znaleziono dokumentu o identyfikatorze 999999."},
        {ShowFaktKorRep, "5", 1, 0, "Dokument o identyfikatorze 5 nie jest korektą faktury VAT."},
        {ShowFaktProFRep, "5", 1, 0, "Dokument o identyfikatorze 5 nie jest fakturą proforma."},
        {ShowFaktStdRep, "5", 0, 0, "Niepoprawna liczba oryginałów: 0. Dozwolone są liczby od 1 do 99."},
        {ShowFaktStdRep, "5", 1, 2147483647, "Niepoprawna liczba kopii: 2147483647. Dozwolone są liczby od 0 do 99."},
        {ShowFaktStdRep, "5", 1, -1, "Niepoprawna liczba kopii: -1. Dozwolone są liczby od 0 do 99."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        script.clearMessages();
        c.entry(qApp, c.id, c.originals, c.copies, "", "");
        EXPECT_TRUE(capture->entries().empty());
        ASSERT_EQ(script.messages().size(), 1);
        EXPECT_TRUE(script.lastMessage().contains(QString::fromUtf8(c.message))) << script.lastMessage().toStdString();
    }
    ShowFaktStdRep(qApp, "5", 99, 0, "", "");
    EXPECT_EQ(capture->entries().size(), 1u);
}

TEST_F(FaktStd, AClosedProgramConnectionIsReportedAndNothingPrinted)
{
    invoice(5, 12, {{"Śruba", 100, 23}});
    c().close();
    ShowFaktStdRep(qApp, "5", 1, 0, "", "");
    EXPECT_TRUE(capture->entries().empty());
    ASSERT_EQ(script.messages().size(), 1);
    EXPECT_TRUE(script.lastMessage().contains(QString::fromUtf8("Brak połączenia z bazą danych programu")))
        << script.lastMessage().toStdString();
    EXPECT_EQ(Form_Fakt_Std, nullptr);
}

TEST_F(FaktStd, WithoutDuplicateTheDateLineShowsTheArgumentAsGiven)
{
    invoice(5, 12, {{"Śruba", 100, 23}});
    ShowFaktStdRep(qApp, "5", 1, 0, "", "");
    ASSERT_EQ(capture->entries().size(), 1u);
    EXPECT_FALSE(capture->entries()[0].pageTexts[0].join("|").contains("wystawiono dnia"));
}

TEST_F(FaktStd, LogoIsPrintedAndABrokenLogoIsReported)
{
    invoice(5, 12, {{"Śruba", 100, 23}});
    QImage logo(60, 30, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    const QString logoFile = db.dir.filePath("logo.jpg");
    ASSERT_TRUE(logo.save(logoFile, "JPG"));
    seller("Logo", logoFile.toUtf8().constData());
    ShowFaktStdRep(qApp, "5", 1, 0, "", "");
    ASSERT_EQ(capture->entries().size(), 1u);
    EXPECT_TRUE(script.messages().isEmpty());

    seller("Logo", db.dir.filePath("brak.jpg").toUtf8().constData());
    ShowFaktStdRep(qApp, "5", 1, 1, "", "");
    EXPECT_EQ(capture->entries().size(), 1u); // nothing more printed
    ASSERT_EQ(script.messages().size(), 1);
    EXPECT_TRUE(script.lastMessage().contains("brak.jpg"));
}

TEST(Dokpress, EntryPointIsExportedUnderItsName)
{
    sys::LibraryHandle h = sys::loadLibrary(TARNEX_BINARY_DIR "/bin/Dokpress.so");
    ASSERT_NE(h, nullptr) << sys::lastErrorText().toStdString();
    EXPECT_NE(sys::findEntry(h, "_ShowFaktStdRep"), nullptr);
    EXPECT_NE(sys::findEntry(h, "_Form_Fakt_Std"), nullptr);
    EXPECT_EQ(sys::findEntry(h, "ShowFaktStdRep"), nullptr);
    sys::freeLibrary(h);
}

} // namespace
