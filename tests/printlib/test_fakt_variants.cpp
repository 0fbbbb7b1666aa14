// The variations of the invoice layout (pro forma, gross unit prices, English captions), checked
// as PDF text, and the eleven entry points the print dialog can choose, looked up in the built
// library.
#include "documents/Form_Drukuj_Fakt.h"
#include "printlib/Dokpress.h"
#include "platform/system/Library.h"

#include "PrintFixture.h"

#include <QApplication>

#include <set>
#include <string>

namespace {

const QString kGrossLine = QStringLiteral("Wartość dokumentu wyliczana od brutto");

class FaktVariants : public PrintFixture {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        document(5, "FV", 12, "netto", {{"Śruba M6", 1, 100, 23}});
        document(6, "FV", 13, "brutto", {{"Farba", 2, 61.5, 23}});
        document(7, "PFV", 3, "netto", {{"Nakrętka", 1, 50, 23}});
        document(8, "PFV", 4, "brutto", {{"Klej", 1, 24.6, 23}});
    }
    // The originals and copies of one call, as text.
    std::pair<QString, QString> print(ShowFaktProc entry, const char* id, const char* duplicate = "")
    {
        capture->clear();
        entry(qApp, id, 1, 1, duplicate, *duplicate ? "2011-06-01" : "");
        EXPECT_TRUE(script.messages().isEmpty()) << script.lastMessage().toStdString();
        EXPECT_EQ(capture->entries().size(), 2u);
        return {printed(0), printed(1)};
    }
};

TEST_F(FaktVariants, ProFormaHasItsTitleAndNoDuplicateMarking)
{
    for (auto [entry, id] : {std::pair<ShowFaktProc, const char*>{ShowFaktProFRep, "7"}, {ShowFaktProFBRep, "8"}}) {
        const QString t = print(entry, id, "Duplikat").first;
        EXPECT_TRUE(t.contains(QStringLiteral("Faktura Proforma"))) << t.toStdString();
        EXPECT_TRUE(t.contains(entry == ShowFaktProFRep ? QStringLiteral("PFV/3/2011") : QStringLiteral("PFV/4/2011")));
        EXPECT_TRUE(t.contains(QStringLiteral("ul. Krótka 1, 31-000 Kraków")));
        EXPECT_FALSE(t.contains(QStringLiteral("Duplikat")));
        EXPECT_FALSE(t.contains(QStringLiteral("wystawiono dnia")));
        EXPECT_FALSE(t.contains(QStringLiteral("Faktura VAT")));
        EXPECT_EQ(hasWords(t, kGrossLine), entry == ShowFaktProFBRep);
    }
}

TEST_F(FaktVariants, GrossLayoutsPrintTheGrossUnitPriceAndSaySo)
{
    const QString stdB = print(ShowFaktStdBRep, "6", "Duplikat").first;
    EXPECT_TRUE(hasWords(stdB, QStringLiteral("Cena jedn. brutto"))) << stdB.toStdString();
    EXPECT_TRUE(hasWords(stdB, QStringLiteral("Farba 2,000 szt. 61,50 0 100,00 23% 23,00 123,00")));
    EXPECT_TRUE(hasWords(stdB, kGrossLine));
    EXPECT_TRUE(stdB.contains(QStringLiteral("Duplikat")));
    EXPECT_TRUE(hasWords(print(ShowFaktProFBRep, "8").first, QStringLiteral("Klej 1,000 szt. 24,60")));
    // The net layouts neither print gross prices nor the line.
    const QString net = print(ShowFaktStdRep, "5").first;
    EXPECT_TRUE(hasWords(net, QStringLiteral("Cena jedn. netto")));
    EXPECT_FALSE(hasWords(net, kGrossLine));
    EXPECT_FALSE(hasWords(print(ShowFaktProFRep, "7").first, kGrossLine));
}

// The English captions each layout adds, and those it must not have.
struct EnglishForm {
    ShowFaktProc entry;
    const char* id;
    std::vector<const char*> captions;
    std::vector<const char*> absent;
};

TEST_F(FaktVariants, EnglishLayoutsCarryTheirCaptionsOriginalThenCopy)
{
    correction(20, 1, 5, {{1, 0.9}});
    note(30, 1, 6, "Nowy Nabywca", "ul. Nowa 2");
    // clang-format off
    const std::vector<const char*> invoice = {
        "Place of issue", "Date of issue", "Purchaser :", "Method of payment", "Payment date", "Bank account No",
        "No", "Description", "Symbol", "Quantity", "Unit measure", "Unit net price", "Discount", "Net amount",
        "VAT rate", "VAT amount", "Gross amount", "Razem (Total) :", "w tym (VAT analysis) :", "Amount due",
        "In words", "Seller's signature", "Buyer's signature"};
    // clang-format on
    auto with = [&](std::vector<const char*> extra) {
        extra.insert(extra.end(), invoice.begin(), invoice.end());
        return extra;
    };
    const EnglishForm forms[] = {
        {ShowFaktStdRepAng,
         "5",
         with({"Seller :", "Tax Reg. No", "Tax Reg No", "Date of sale", "VAT invoice No"}),
         {"Pro forma", "Refers to"}},
        {ShowFaktProFRepAng,
         "7",
         with({"Seller", "Tax Reg. No", "Date of sale", "Pro forma invoice No"}),
         {"Seller :", "Tax Reg No", "Duplikat", "wystawiono"}},
        {ShowFaktKorRepAng,
         "20",
         with({"Seller :", "Tax Reg. No", "Date of sale", "Correcting invoice", "Refers to VAT invoice No",
               "Item No on invoice", "było (there was)", "winno być (there should be)",
               "Do zwrotu :", "minus dwanaście 30/100"}),
         {"Tax Reg No", "Do zapłaty"}},
        {ShowFaktNotaRepAng,
         "30",
         {"Seller :", "Tax Reg. No", "Place of issue", "Date of issue", "Correction note", "Refers to VAT invoice No",
          "Purchaser :", "było (there was)", "winno być (there should be)", "Seller's signature", "Buyer's signature"},
         {"Date of sale", "Tax Reg No", "Amount due", "Method of payment", "Strona"}},
    };
    for (const EnglishForm& f : forms) {
        const auto [original, copy] = print(f.entry, f.id);
        for (const char* caption : f.captions)
            EXPECT_TRUE(hasWords(original, QString::fromUtf8(caption))) << f.id << ": " << caption << "\n"
                                                                        << original.toStdString();
        for (const char* absent : f.absent)
            EXPECT_FALSE(original.contains(QString::fromUtf8(absent))) << f.id << ": " << absent;
        EXPECT_TRUE(hasWords(original, QStringLiteral("Oryginał Original"))) << f.id;
        EXPECT_TRUE(hasWords(copy, QStringLiteral("Kopia Copy"))) << f.id;
        EXPECT_FALSE(original.contains(QStringLiteral("Copy")) || copy.contains(QStringLiteral("Original"))) << f.id;
        for (const QString& run : {original, copy})
            EXPECT_FALSE(run.contains(QStringLiteral("Duplicate")) || run.contains(QStringLiteral("date of issue")))
                << f.id;
    }
    // With a duplicate: both languages' marking; the pro forma still has none.
    const QString dup = print(ShowFaktStdRepAng, "5", "Duplikat").first;
    EXPECT_TRUE(hasWords(dup, QStringLiteral("Duplikat Duplicate wystawiono dnia :2011-06-01 date of issue")))
        << dup.toStdString();
    EXPECT_FALSE(print(ShowFaktProFRepAng, "7", "Duplikat").first.contains(QStringLiteral("Duplicate")));
}

TEST_F(FaktVariants, GrossDocumentInEnglishPrintsItsGrossUnitPrice)
{
    const QString gross = print(ShowFaktStdRepAng, "6").first;
    EXPECT_TRUE(hasWords(gross, QStringLiteral("Farba 2,000 szt. 61,50 0 100,00"))) << gross.toStdString();
    EXPECT_TRUE(hasWords(gross, QStringLiteral("Cena jedn. brutto")));
    EXPECT_TRUE(hasWords(gross, kGrossLine));
    EXPECT_TRUE(hasWords(print(ShowFaktProFRepAng, "8").first, QStringLiteral("Klej 1,000 szt. 24,60")));
    const QString net = print(ShowFaktStdRepAng, "5").first;
    EXPECT_TRUE(hasWords(net, QStringLiteral("Cena jedn. netto")));
    EXPECT_FALSE(hasWords(net, kGrossLine));
}

TEST(Dokpress, EveryEntryPointTheDialogChoosesIsExportedAndKeepsItsErrors)
{
    std::set<std::string> names;
    for (const char* typ : {"FV", "PFV", "KFV", "NFV"})
        for (const char* tryb : {"netto", "brutto"})
            for (Jezyk_Faktury j : {Jezyk_Faktury::Polski, Jezyk_Faktury::Polski_Angielski})
                if (const char* n = Wybierz_Wydruk(QLatin1String(typ), QLatin1String(tryb), j))
                    names.insert(n);
    ASSERT_EQ(names.size(), 11u);
    sys::LibraryHandle h = sys::loadLibrary(TARNEX_BINARY_DIR "/bin/Dokpress.so");
    ASSERT_NE(h, nullptr) << sys::lastErrorText().toStdString();
    ui::Script script;
    for (const std::string& name : names) {
        auto* entry = reinterpret_cast<ShowFaktProc>(sys::findEntry(h, name.c_str()));
        ASSERT_NE(entry, nullptr) << name;
        // Without the host's database every call fails; the error is shown, nothing leaves the call.
        entry(qApp, "1", 1, 0, "", "");
        EXPECT_EQ(script.messages().size(), 1) << name;
        script.clearMessages();
    }
    sys::freeLibrary(h);
}

} // namespace
