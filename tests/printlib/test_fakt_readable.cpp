// Every document printout as a reader sees it, filled with the longest data its fields take: a
// buyer's name of 74 characters, goods names of 40 wrapping over their continuations, three
// lines of remarks, six-digit numbers and amounts, 14-character PKWiU codes, a duplicate marking,
// a long place of issue and telephone line.
#include "printlib/Dokpress.h"

#include "PrintFixture.h"
#include "support/Readable.h"

#include <QApplication>

namespace {

const QString kRemarks = QStringLiteral("Płatne przelewem w terminie 14 dni od daty wystawienia.\n"
                                        "Towar odebrano osobiście w magazynie w Tarnowie.\n"
                                        "Gwarancja 24 miesiące od daty sprzedaży");

TEST_F(PrintFixture, EveryLayoutPrintsLongDataWholeAndApart)
{
    const QString name = QStringLiteral("Wkręt samowiercący ocynkowany łeb płaski");
    document(5, "FV", 123456, "netto", {{name, 1, 123456.78, 23}, {name, 999.5, 1.23, 8}});
    document(6, "FV", 123457, "brutto", {{name, 1, 151851.84, 23}, {name, 999.5, 1.33, 8}});
    document(7, "PFV", 234567, "netto", {{name, 1, 123456.78, 23}});
    document(8, "PFV", 234568, "brutto", {{name, 1, 151851.84, 23}});
    correction(20, 345678, 5, {{1, 0.5}, {2, 1000}});
    correction(21, 345679, 6, {{1, 0.5}});
    note(30, 456789, 5, "Przedsiębiorstwo Produkcyjno-Handlowo-Usługowe Żuraw Spółka Jawna Kowalscy",
         "ul. Generała Władysława Andersa 125 lok. 17");
    c().exec("update Faktura set Klient_Nazwa_Nazwisko=?, Klient_Nazwa_Nazwisko_cd=?, Klient_Adres=?, "
             "Klient_Miasto=?, Uwagi=? where Id<>30",
             {QStringLiteral("Przedsiębiorstwo Produkcyjno-Handlowo-Usługowe Żuraw Spółka Jawna Kowalscy"),
              QStringLiteral("Oddział Zamiejscowy w Bielsku-Białej i Skoczowie"),
              QStringLiteral("ul. Generała Władysława Andersa 125 lok. 17"),
              QStringLiteral("Szczebrzeszyn Wielki Dolny"), kRemarks});
    c().exec("update Faktura set Uwagi=? where Id=30", {kRemarks});
    c().exec("update Faktura set Miejsce_Wyst=?", {QStringLiteral("Szczebrzeszyn Wielki Dolny nad Wieprzem")});
    registry::write(registry::Root::LocalMachine, "Software\\Orlimek\\Tarnex\\", "Tel",
                    QStringLiteral("42 123 45 67, 601 234 567, faks 42 123 45 68 wew. 12"));
    c().exec("update Faktura_Szczegoly set PKWiU='25.94.11-00.00', Towary_Nazwa_cd='do blach stalowych 0,7-2,0 mm, op. "
             "200'");
    c().exec("update Pozycje_Skorygowane set PKWiU='25.94.11-00.00', Towary_Nazwa_cd='do blach stalowych 0,7-2,0 mm, "
             "op. 200'");

    const std::pair<ShowFaktProc, const char*> forms[] = {
        {ShowFaktStdRep, "5"},     {ShowFaktStdBRep, "6"},    {ShowFaktStdRepAng, "5"},  {ShowFaktProFRep, "7"},
        {ShowFaktProFBRep, "8"},   {ShowFaktProFRepAng, "7"}, {ShowFaktKorRep, "20"},    {ShowFaktKorBRep, "21"},
        {ShowFaktKorRepAng, "20"}, {ShowFaktNotaRep, "30"},   {ShowFaktNotaRepAng, "30"}};
    for (const auto& [entry, id] : forms) {
        SCOPED_TRACE(id);
        capture->clear();
        entry(qApp, id, 1, 0, "Duplikat", "2011-06-01");
        ASSERT_TRUE(script.messages().isEmpty()) << script.lastMessage().toStdString();
        ASSERT_EQ(capture->entries().size(), 1u);
        const report::PdfCapture::Entry& e = capture->entries()[0];
        const QStringList problems = pdf::unreadable(e.file, e.pages);
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
        // No rule runs through a word: a row whose name wraps grows for the whole line.
        const QStringList onRules = pdf::overRules(e.file, e.pages);
        EXPECT_TRUE(onRules.isEmpty()) << onRules.join('\n').toStdString();
        for (const pdf::Word& w : pdf::words(e.file)) {
            EXPECT_LE(w.box.right(), 200.25) << "past the right margin: " << w.text.toStdString();
            // A code too wide for its column reads as its two halves, at 6 points or more as a
            // reader's tool measures it (a word's box is 1.117 of the size of Liberation Sans).
            if (w.text.startsWith(QStringLiteral("25.94")) || w.text.startsWith(QStringLiteral("00."))) {
                EXPECT_TRUE(w.text == QStringLiteral("25.94.11-00.00") || w.text == QStringLiteral("25.94.11-")
                            || w.text == QStringLiteral("00.00"))
                    << w.text.toStdString();
                EXPECT_GE(w.box.height() * 72 / 25.4 / 1.117, 5.95) << w.text.toStdString();
            }
        }
        // The last line of the remarks prints, whole (a cut line would be outside its frame above).
        EXPECT_TRUE(hasWords(printed(0), QStringLiteral("Gwarancja 24 miesiące od daty sprzedaży")));
    }
}

} // namespace
