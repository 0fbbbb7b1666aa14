// The sales reports through the library as the program loads it ("Salvista.dll" found by name,
// entry points by their exported names), read back as PDF text: group sums per client and per
// item, the sums of the printed lines, the page footer, an empty period, and bad arguments
// that end in a message instead of a crash.
#include "reportlib/Salvista.h"
#include "platform/data/Schema.h"
#include "platform/registry/Registry.h"
#include "platform/report/Output.h"
#include "platform/system/Library.h"
#include "platform/codepage/Cp1250.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"

#include <QApplication>
#include <QTemporaryDir>

#include "support/PdfText.h"
#include "support/Readable.h"
#include "support/SecondCopy.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class Salvista : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const QString db = dir.filePath("db.mdb");
        ASSERT_EQ(data::createDatabase(db, TARNEX_SOURCE_DIR "/db/schema.sql"), QString());
        registry::setStorePath(dir.filePath("rejestr.ini"));
        module = std::make_unique<TDataModule1>(nullptr, db);
        lib = sys::loadLibrary("Salvista.dll");
        ASSERT_NE(lib, nullptr) << sys::lastErrorText().toStdString();
        wgDok = reinterpret_cast<ShowSprzWgDokProc>(sys::findEntry(lib, "_ShowSprzWgDok"));
        wgKlientow = reinterpret_cast<ShowSprzOkresProc>(sys::findEntry(lib, "_ShowSprzWgKlientow"));
        dlaKlienta = reinterpret_cast<ShowSprzDlaProc>(sys::findEntry(lib, "_ShowSprzDlaKlienta"));
        wgTowarow = reinterpret_cast<ShowSprzOkresProc>(sys::findEntry(lib, "_ShowSprzWgTowarow"));
        dlaTowaru = reinterpret_cast<ShowSprzDlaProc>(sys::findEntry(lib, "_ShowSprzDlaTowaru"));
        ASSERT_TRUE(wgDok && wgKlientow && dlaKlienta && wgTowarow && dlaTowaru);
        capture = std::make_unique<report::PdfCapture>(dir.filePath("wydruki"));

        data::Connection& c = *module->ADOConnection1;
        c.exec("insert into Forma_Zaplaty (Id, Nazwa, Opis) values (1, 'przelew', '')");
        c.exec("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko, NIP, Kod, Miasto, Adres) values "
               "('K1', 'Alfa Sp. z o.o.', '111-111-11-11', '33-100', 'Tarnów', 'ul. Długa 1'), "
               "('K2', 'Beta Żaneta', '', '31-000', 'Kraków', 'ul. Krótka 2')");
        c.exec("insert into Towary (Symbol, Nazwa, PKWIU, Jm, Vat_Opis, Cena_Netto_Zak, Cena_Netto_Sprz) values "
               "('S1', 'Śruba', '25.94', 'szt.', '23%', 40, 50), ('S''2', 'Nakrętka', '', 'kg', '23%', 30, 50)");
        // FV/1 and the note NFV/1 of K1, PFV/1 of K2 in March; FV/2 of K2 in April.
        document(1, "FV", 1, "2011-03-01", "K1", 150, {{"S1", "Śruba", 2, 100}, {"S'2", "Nakrętka", 1, 50}});
        document(2, "PFV", 1, "2011-03-31", "K2", 30, {{"S1", "Śruba", 3, 30}});
        document(3, "NFV", 1, "2011-03-15", "K1", 150, {});
        document(4, "FV", 2, "2011-04-01", "K2", 999, {{"S1", "Śruba", 1, 999}});
    }
    void TearDown() override
    {
        capture.reset();
        sys::freeLibrary(lib);
        module.reset();
        registry::setStorePath(QString());
    }

    struct Line {
        const char* symbol;
        const char* name;
        double qty, net;
    };
    void document(int id, const char* typ, int nr, const char* date, const char* client, double netto,
                  const std::vector<Line>& lines)
    {
        data::Connection& c = *module->ADOConnection1;
        int lp = 0;
        for (const Line& l : lines)
            c.exec("insert into Faktura_Szczegoly (Id_Fakt, Lp, Towary_Symbol, Towary_Nazwa, Jm, Ilosc, Towary_Cena, "
                   "Rabat, Towary_Vat_Opis, Wartosc_Netto, Kwota_Vat, Wartosc_Brutto, Faktura_Typ, Faktura_Nr, "
                   "Faktura_Rok, Faktura_Data_Wyst, Klient_Nr, Klient_Nazwa_Nazwisko) "
                   "values (?, ?, ?, ?, 'szt.', ?, ?, 0, '23%', ?, ?, ?, ?, ?, 2011, ?, ?, 'Nabywca')",
                   {id, ++lp, QString::fromUtf8(l.symbol), QString::fromUtf8(l.name), l.qty, l.net / l.qty, l.net,
                    l.net * 0.23, l.net * 1.23, typ, nr, date, client});
        c.exec("insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Data_Sprzedarzy, Forma_Zaplaty, Wart_Netto, "
               "Wart_Brutto, Klient_Nr, Klient_Nazwa_Nazwisko) values (?, ?, '2011', ?, ?, ?, 1, ?, ?, ?, 'Nabywca')",
               {id, typ, nr, date, date, netto, netto * 1.23, client});
    }

    // The one preview of the last call, as PDF text.
    QString previewText()
    {
        EXPECT_TRUE(script.messages().isEmpty()) << script.lastMessage().toStdString();
        EXPECT_EQ(capture->entries().size(), 1u);
        if (capture->entries().empty())
            return {};
        EXPECT_TRUE(capture->entries().back().preview);
        return pdf::text(capture->entries().back().file);
    }

    // The lines of the text that contain `what`, in order.
    static QStringList linesWith(const QString& text, const QString& what)
    {
        QStringList out;
        for (const QString& l : text.split('\n'))
            if (l.contains(what))
                out << l.simplified();
        return out;
    }

    QTemporaryDir dir;
    ui::Script script;
    std::unique_ptr<TDataModule1> module;
    std::unique_ptr<report::PdfCapture> capture;
    sys::LibraryHandle lib = nullptr;
    ShowSprzWgDokProc wgDok = nullptr;
    ShowSprzOkresProc wgKlientow = nullptr, wgTowarow = nullptr;
    ShowSprzDlaProc dlaKlienta = nullptr, dlaTowaru = nullptr;
};

TEST_F(Salvista, ClientsReportSumsEachClientOnItsOwnAndKeepsThePeriodAsGiven)
{
    wgKlientow(qApp, "2011-3-1", "2011-03-31");
    const QString t = previewText();
    EXPECT_EQ(capture->entries()[0].caption, "Sprzedaż wg. Klientów");
    for (const char* expected :
         {"Sprzedaż wg. Klientów", "W okresie od 2011-3-1 do 2011-03-31", "Nr Klienta", "Alfa Sp. z o.o.",
          "Beta Żaneta", "V AT", "Nakrętka", "Strona 1", "Wydrukowano z programu Orlimek - Tarnex"})
        EXPECT_TRUE(t.contains(QString::fromUtf8(expected))) << expected << "\n" << t.toStdString();
    EXPECT_FALSE(t.contains("999,00")); // April is outside; the last day of March is inside
    const QStringList sums = linesWith(t, "Suma :");
    ASSERT_EQ(sums.size(), 2) << t.toStdString();
    EXPECT_TRUE(sums[0].contains("150,00") && sums[0].contains("184,50")) << sums[0].toStdString();
    EXPECT_TRUE(sums[1].contains("30,00") && sums[1].contains("36,90")) << sums[1].toStdString(); // not 180,00

    capture->clear();
    dlaKlienta(qApp, "2011-03-01", "2011-03-31", "K2");
    const QString one = previewText();
    EXPECT_EQ(capture->entries()[0].caption, "Sprzedaż dla Klienta nr K2");
    EXPECT_TRUE(one.contains("Sprzedaż dla Klienta nr K2"));
    EXPECT_FALSE(one.contains("Alfa"));
    EXPECT_EQ(linesWith(one, "Suma :").size(), 1);
}

// A block whose lines continue on the next page is headed there by its document, client or item,
// marked as continued; its sums come whole after its last line.
TEST_F(Salvista, ContinuationPageNamesItsBlock)
{
    std::vector<Line> many;
    for (int i = 0; i < 40; ++i)
        many.push_back({"S1", "Śruba", 1, 10});
    document(5, "FV", 3, "2011-05-10", "K1", 400, many);
    struct Case {
        std::function<void()> call;
        const char* names; // the block's header as the continuation page shows it
    };
    const Case cases[] = {
        {[&] { wgDok(qApp, "2011-05-01", "2011-05-31", false, false, false, false); }, "FV 3 2011 2011-05-10"},
        {[&] { wgKlientow(qApp, "2011-05-01", "2011-05-31"); }, "K1 Alfa Sp. z o.o."},
        {[&] { wgTowarow(qApp, "2011-05-01", "2011-05-31"); }, "S1 Śruba 25.94"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names);
        capture->clear();
        c.call();
        previewText();
        const auto& e = capture->entries()[0];
        ASSERT_GE(e.pageCount, 2);
        const QString page2 = e.pageTexts[1].join(' ');
        EXPECT_TRUE(page2.contains(QString::fromUtf8(c.names))) << page2.toStdString();
        EXPECT_TRUE(page2.contains(QStringLiteral("(ciąg dalszy)")));
        EXPECT_FALSE(e.pageTexts[0].join(' ').contains(QStringLiteral("(ciąg dalszy)")));
        EXPECT_TRUE(page2.contains(QStringLiteral("400,00")) && page2.contains(QStringLiteral("492,00")));
    }
}

// Every report filled with the longest data its columns take: names and addresses that wrap,
// six-digit numbers, 14-character PKWiU codes, 20-character symbols, line amounts at the limit a
// document stores; no word over another, none out of its box, none smaller than 6 points.
TEST_F(Salvista, LongDataPrintsWholeAndApartOnEveryReport)
{
    data::Connection& c = *module->ADOConnection1;
    const QString name = QStringLiteral("Przedsiębiorstwo Produkcyjno-Handlowo-Usługowe Żuraw Spółka Jawna Kowalscy");
    const QString address = QStringLiteral("ul. Generała Władysława Andersa 125 lok. 17");
    c.exec("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko, NIP, Kod, Miasto, Adres) values ('K123456', ?, "
           "'123-456-78-90', '43-300', 'Szczebrzeszyn Wielki Dolny', ?)",
           {name, address});
    c.exec("insert into Towary (Symbol, Nazwa, PKWIU, Jm, Vat_Opis, Cena_Netto_Zak, Cena_Netto_Sprz) values "
           "('WKR-123456-OC.ABCDEF', 'Wkręt samowiercący ocynkowany łeb płaski', '25.94.11-00.00', 'opak.', '23%', "
           "123456.78, 234567.89)");
    const double most = 73170731707317.0; // its gross value is the largest a line may have
    document(6, "KFV", 123456, "2011-06-01", "K123456", 2 * most,
             {{"WKR-123456-OC.ABCDEF", "Wkręt samowiercący ocynkowany łeb płaski", 999999, most},
              {"WKR-123456-OC.ABCDEF", "Wkręt samowiercący ocynkowany łeb płaski", 999999, most}});
    c.exec("update Faktura set Klient_Nazwa_Nazwisko=?, Klient_Adres=?, Klient_Miasto='Szczebrzeszyn Wielki Dolny', "
           "Klient_Nip='123-456-78-90', Klient_Kod='43-300' where Id=6",
           {name, address});
    c.exec("update Faktura_Szczegoly set PKWiU='25.94.11-00.00', Klient_Nazwa_Nazwisko=?, Klient_Nip='123-456-78-90' "
           "where Id_Fakt=6",
           {name});
    const std::function<void()> calls[] = {
        [&] { wgDok(qApp, "2011-06-01", "2011-06-30", false, false, false, false); },
        [&] { wgKlientow(qApp, "2011-06-01", "2011-06-30"); },
        [&] { wgTowarow(qApp, "2011-06-01", "2011-06-30"); },
    };
    for (const auto& call : calls) {
        capture->clear();
        call();
        const QString t = previewText();
        ASSERT_FALSE(capture->entries().empty());
        const auto& e = capture->entries()[0];
        const QStringList problems = pdf::unreadable(e.file, e.pages);
        EXPECT_TRUE(problems.isEmpty()) << e.caption.toStdString() << '\n' << problems.join('\n').toStdString();
        EXPECT_TRUE(t.contains(QStringLiteral("123456"))) << t.toStdString();
        for (const pdf::Word& w : pdf::words(e.file)) // a number is never broken over lines
            EXPECT_NE(w.text, QStringLiteral("12345")) << e.caption.toStdString();
        for (const report::Page& p : e.pages.pages)
            for (const report::DrawItem& item : p.items)
                if (item.kind == report::DrawItem::Kind::Text && !item.text.isEmpty()) {
                    EXPECT_GE(item.font.size, 6.0) << item.name.toStdString() << " " << item.text.toStdString();
                }
    }
}

TEST_F(Salvista, DocumentsReportSumsThePrintedLinesOfTheChosenTypes)
{
    wgDok(qApp, "2011-03-01", "2011-03-31", true, false, false, true); // FV and NFV
    const QString t = previewText();
    EXPECT_TRUE(t.contains("Sprzedaż wg. dokumentów"));
    EXPECT_TRUE(t.contains("NFV"));
    EXPECT_FALSE(t.contains("PFV"));
    EXPECT_EQ(linesWith(t, "Lp.").size(), 1);    // the note has no lines and no line header...
    EXPECT_EQ(linesWith(t, "Suma :").size(), 2); // ...but its totals band
    // The grand total is the sum of the printed lines (150), not of the documents' totals (300).
    const QStringList total = linesWith(t, "Suma ogólna:");
    ASSERT_EQ(total.size(), 1);
    EXPECT_TRUE(total[0].contains("150,00") && total[0].contains("184,50")) << total[0].toStdString();

    capture->clear();
    wgDok(qApp, "2010-01-01", "2010-01-31", false, false, false, false); // an empty period
    const QString empty = previewText();
    EXPECT_TRUE(empty.contains("Data wystawienia"));
    EXPECT_FALSE(empty.contains("FV"));
    EXPECT_EQ(linesWith(empty, "Suma ogólna:").value(0), "Suma ogólna: 0,00 0,00");
}

TEST_F(Salvista, GoodsReportSumsEachItemAndNumbersPagesWithoutABlank)
{
    wgTowarow(qApp, "2011-01-01", "2011-12-31");
    const QString t = previewText();
    EXPECT_TRUE(t.contains("Sprzedaż wg. towarów / usług"));
    EXPECT_TRUE(t.contains("Strona1")) << t.toStdString();
    EXPECT_TRUE(t.contains("Kwota Vat"));
    const QStringList sums = linesWith(t, "Suma :");
    ASSERT_EQ(sums.size(), 2) << t.toStdString();
    EXPECT_EQ(sums.filter("6,000").size(), 1);   // S1: 2 + 3 + 1
    EXPECT_EQ(sums.filter("1129,00").size(), 1); // S1: 100 + 30 + 999
    EXPECT_EQ(sums.filter("1,000").size(), 1);   // S'2

    // A symbol with an apostrophe is a value like any other.
    capture->clear();
    dlaTowaru(qApp, "2011-01-01", "2011-12-31", "S'2");
    const QString one = previewText();
    EXPECT_TRUE(one.contains("Sprzedaż dla towaru / usługi symbol S'2"));
    EXPECT_TRUE(one.contains("Nakrętka"));
    EXPECT_FALSE(one.contains("Śruba"));

    capture->clear();
    wgTowarow(qApp, "2012-01-01", "2012-12-31"); // an empty period: titles and headers only
    const QString empty = previewText();
    EXPECT_TRUE(empty.contains("W okresie od 2012-01-01 do 2012-12-31"));
    EXPECT_TRUE(empty.contains("Cena netto zakupu"));
    EXPECT_TRUE(linesWith(empty, "Suma :").isEmpty());
}

TEST_F(Salvista, BadArgumentsEndInAMessageAndTheNextCallWorks)
{
    wgKlientow(qApp, "2011-13-01", "2011-03-31");
    ASSERT_EQ(script.messages().size(), 1);
    EXPECT_TRUE(script.lastMessage().contains("2011-13-01")) << script.lastMessage().toStdString();
    wgDok(qApp, "jutro", "2011-03-31", true, true, true, true);
    dlaTowaru(qApp, nullptr, nullptr, nullptr);
    // A sign before the year is no date of the short date format.
    wgKlientow(qApp, "2011-01-01", "-2011-01-01");
    EXPECT_TRUE(script.lastMessage().contains(QString::fromUtf8("„-2011-01-01” nie jest poprawną datą")))
        << script.lastMessage().toStdString();
    EXPECT_EQ(script.messages().size(), 4);
    EXPECT_TRUE(capture->entries().empty());

    // Without the program's connection there is nothing to read: a message, no report.
    module.reset();
    script.clearMessages();
    wgTowarow(qApp, "2011-01-01", "2011-12-31");
    EXPECT_EQ(script.messages().size(), 1);
    EXPECT_TRUE(script.lastMessage().contains(QString::fromUtf8("Brak połączenia z bazą danych programu")))
        << script.lastMessage().toStdString();
    EXPECT_TRUE(capture->entries().empty());
}

} // namespace

// The amounts a business writes, up to the largest a document takes, read as one word in every
// report cell: 9 999 999,999 x 0,05 zl, 1 x 800 000 000,00 zl at 23 % and a correction's
// reversal of a line at the bound, -999 999 999,99 zl. Smaller, then in the free room beside their
// columns (a neighbouring number printing smaller to leave it some), never split; so do the
// sums of such lines.
TEST_F(Salvista, LargeNumbersReadWholeInEveryReportCell)
{
    data::Connection& c = *module->ADOConnection1;
    document(7, "FV", 7, "2011-07-01", "K1", 499999.99995, {{"S1", "Śruba", 9999999.999, 499999.99995}});
    document(8, "FV", 8, "2011-07-02", "K1", 800000000.0, {{"S1", "Śruba", 1, 800000000.0}});
    document(9, "KFV", 9, "2011-07-03", "K1", -813008130.07, {{"S1", "Śruba", -9999999.999, -813008130.07}});
    c.exec("update Faktura_Szczegoly set Kwota_Vat=-186991869.92, Wartosc_Brutto=-999999999.99, "
           "Towary_Cena_Brutto=99.99 where Id_Fakt=9");
    c.exec("update Faktura set Wart_Brutto=-999999999.99 where Id=9");
    const std::function<void()> calls[] = {
        [&] { wgDok(qApp, "2011-07-01", "2011-07-31", false, false, false, false); },
        [&] { wgKlientow(qApp, "2011-07-01", "2011-07-31"); },
        [&] { dlaKlienta(qApp, "2011-07-01", "2011-07-31", "K1"); },
        [&] { wgTowarow(qApp, "2011-07-01", "2011-07-31"); },
        [&] { dlaTowaru(qApp, "2011-07-01", "2011-07-31", "S1"); },
    };
    static const QRegularExpression number(QStringLiteral(R"(^-?\d+(,\d+)?$)"));
    static const QRegularExpression amount(QStringLiteral(R"(^-?\d+,\d{2,3}$)"));
    for (const auto& call : calls) {
        capture->clear();
        call();
        previewText();
        ASSERT_FALSE(capture->entries().empty());
        const auto& e = capture->entries()[0];
        SCOPED_TRACE(e.caption.toStdString());
        const std::vector<pdf::Word> words = pdf::words(e.file);
        QStringList slowa;
        for (const pdf::Word& w : words) {
            slowa << w.text;
            // An amount or quantity with its decimals, or a whole number of a document, a year, a
            // rate, a discount: never digits alone or a comma with digits alone.
            if (number.match(w.text).hasMatch()) {
                EXPECT_TRUE(amount.match(w.text).hasMatch() || w.text.size() <= 4) << w.text.toStdString();
            }
            EXPECT_FALSE(w.text.startsWith(u',')) << w.text.toStdString();
        }
        for (const char* liczba : {"9999999,999", "-9999999,999", "500000,00", "800000000,00", "184000000,00",
                                   "984000000,00", "-813008130,07", "-186991869,92", "-999999999,99"})
            EXPECT_TRUE(slowa.contains(QLatin1String(liczba))) << liczba;
        const QStringList problems = pdf::unreadable(words, e.pages);
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
        for (const report::Page& p : e.pages.pages)
            for (const report::DrawItem& item : p.items)
                if (item.kind == report::DrawItem::Kind::Text && !item.text.isEmpty()) {
                    EXPECT_GE(item.font.size, 6.0) << item.name.toStdString() << " " << item.text.toStdString();
                }
    }
}

// A document row never stands alone at the foot of a page to be repeated at the top of the next:
// it goes over with its lines, and each row prints once (where its lines continue, the next page
// heads them with it again, marked as continued). Documents of one to six lines each bring a row
// to every place at a page's foot.
TEST_F(Salvista, DocumentsReportPrintsEachRowOnce)
{
    data::Connection& c = *module->ADOConnection1;
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        c.exec("delete from Faktura_Szczegoly where Id_Fakt >= 100");
        c.exec("delete from Faktura where Id >= 100");
        for (int i = 0; i < 30; ++i)
            document(100 + i, "FV", 100 + i, "2011-08-10", "K1", 10.0 * k,
                     std::vector<Line>(size_t(k), Line{"S1", "Śruba", 1, 10}));
        capture->clear();
        wgDok(qApp, "2011-08-01", "2011-08-31", false, false, false, false);
        previewText();
        ASSERT_FALSE(capture->entries().empty());
        const auto& e = capture->entries()[0];
        ASSERT_GE(e.pages.pageCount(), 2);
        int rows = 0;
        for (const report::Page& p : e.pages.pages) {
            double last = -1;
            for (const report::DrawItem& item : p.items)
                if (item.name == QLatin1String("QRDBText_Typ")) {
                    last = std::max(last, item.rect.top());
                    ++rows;
                }
            bool follows = false; // the last row's line header, lines or totals after it on its page
            for (const report::DrawItem& item : p.items)
                follows = follows
                    || (item.rect.top() > last + 1
                        && (item.name == QLatin1String("QRDBText_Lp") || item.name == QLatin1String("QRLabel_Suma")));
            EXPECT_TRUE(last < 0 || follows) << "page " << p.number;
        }
        // Each row once, and again only over the lines it continues on a page.
        int continued = 0;
        for (const report::Page& p : e.pages.pages)
            for (const report::DrawItem& item : p.items)
                continued += item.name == QLatin1String("QRLabel_Ciag_Dalszy");
        EXPECT_EQ(rows, 30 + continued);
    }
}

// The documents report reads a document's number whole and apart from its year, after a type of
// two or three letters alike (a number right against the year read "12026" for 1/2026), with its
// caption over it.
TEST_F(Salvista, DocumentsReportKeepsTheNumberApartFromItsYear)
{
    const std::pair<const char*, int> numbers[] = {{"FV", 5},      {"KFV", 15},     {"NFV", 4567},
                                                   {"FV", 123456}, {"KFV", 999999}, {"PFV", 99999}};
    int id = 20;
    for (const auto& [typ, nr] : numbers)
        document(++id, typ, nr, "2011-09-01", "K1", 10, {{"S1", "Śruba", 1, 10}});
    wgDok(qApp, "2011-09-01", "2011-09-30", false, false, false, false);
    previewText();
    ASSERT_FALSE(capture->entries().empty());
    const auto& e = capture->entries()[0];
    const std::vector<pdf::Word> words = pdf::words(e.file);
    const pdf::Word* caption = nullptr;
    for (const pdf::Word& w : words)
        if (w.text == QLatin1String("Nr") && (!caption || w.box.top() < caption->box.top()))
            caption = &w;
    ASSERT_NE(caption, nullptr);
    for (const auto& [typ, nr] : numbers) {
        SCOPED_TRACE(nr);
        const QString number = QString::number(nr);
        const pdf::Word* printed = nullptr;
        for (const pdf::Word& w : words)
            if (w.text == number && w.box.left() < 30)
                printed = &w;
        ASSERT_NE(printed, nullptr); // whole, as one word
        const pdf::Word *type = nullptr, *year = nullptr;
        for (const pdf::Word& w : words)
            if (std::abs(w.box.center().y() - printed->box.center().y()) < 1 && w.box.left() < 40) {
                if (w.text == QLatin1String(typ))
                    type = &w;
                else if (w.text == QLatin1String("2011"))
                    year = &w;
            }
        ASSERT_TRUE(type && year);
        EXPECT_GE(year->box.left() - printed->box.right(), 0.99); // 1 mm, as pdftotext rounds
        EXPECT_GE(printed->box.left() - type->box.right(), 0.5);
        EXPECT_GE(printed->box.height() * 72 / 25.4 / 1.117, 5.95); // 6 points at the least
        // The caption stands over the numbers: it ends where they end.
        EXPECT_NEAR(caption->box.right(), printed->box.right(), 0.3);
    }
    const QStringList problems = pdf::unreadable(e.file, e.pages);
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

// While a report's preview shows, another copy of the program on the file saves, and a
// checkpoint that may not wait goes through: no statement of the report holds the database.
TEST_F(Salvista, PreviewHoldsNoReadingOfTheDatabase)
{
    capture.reset(); // the preview itself, as the user sees it
    copies::SecondCopy second(module->ADOConnection1->databasePath());
    ASSERT_TRUE(second.started());
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"by documents", [&] { wgDok(qApp, "2011-01-01", "2011-12-31", false, false, false, false); }},
        {"by clients", [&] { wgKlientow(qApp, "2011-01-01", "2011-12-31"); }},
        {"for a client", [&] { dlaKlienta(qApp, "2011-01-01", "2011-12-31", "K1"); }},
        {"by goods", [&] { wgTowarow(qApp, "2011-01-01", "2011-12-31"); }},
        {"for an item", [&] { dlaTowaru(qApp, "2011-01-01", "2011-12-31", "S1"); }},
    };
    int nr = 0;
    for (const auto& [name, call] : calls) {
        SCOPED_TRACE(name);
        std::string saved, busy;
        script.onModal([&](QDialog* preview) {
            EXPECT_TRUE(preview->isVisible());
            saved = second.ask("save");
            busy = second.ask("checkpoint");
            return int(QDialog::Rejected);
        });
        call();
        EXPECT_EQ(script.pending(), 0);
        EXPECT_EQ(saved, "saved " + std::to_string(++nr));
        EXPECT_EQ(busy, "busy=0");
    }
    EXPECT_TRUE(script.messages().isEmpty()) << script.lastMessage().toStdString();
    EXPECT_TRUE(second.quit());
}
