// The largest amounts the program takes, printed on every layout that prints amounts: the amount
// in words whole within the margins, sums that fit their columns (smaller, then over lines), no
// text smaller than 6 points and shrunk codes standing on their row's baseline.
#include "printlib/Dokpress.h"
#include "printlib/Functions.h"

#include "PrintFixture.h"
#include "support/Readable.h"

#include <QApplication>

namespace {

// The invoice and correction layouts, with the document each prints (ids of the fixture below).
const std::pair<ShowFaktProc, const char*> kLayouts[] = {
    {ShowFaktStdRep, "5"},  {ShowFaktStdBRep, "6"},  {ShowFaktStdRepAng, "5"},
    {ShowFaktProFRep, "7"}, {ShowFaktProFBRep, "8"}, {ShowFaktProFRepAng, "7"},
    {ShowFaktKorRep, "20"}, {ShowFaktKorBRep, "21"}, {ShowFaktKorRepAng, "20"}};

class FaktFit : public PrintFixture {
protected:
    // One document of each kind whose lines are the given ones (the correction halves them).
    void documents(const std::vector<Line>& net, const std::vector<Line>& gross)
    {
        document(5, "FV", 1, "netto", net);
        document(6, "FV", 2, "brutto", gross);
        document(7, "PFV", 1, "netto", net);
        document(8, "PFV", 2, "brutto", gross);
        std::vector<Change> half;
        for (size_t i = 0; i < net.size(); ++i)
            half.push_back({int(i) + 1, net[i].qty / 2});
        correction(20, 1, 5, half);
        correction(21, 2, 6, {{1, gross[0].qty / 2}});
    }
    const report::PdfCapture::Entry& print(ShowFaktProc entry, const char* id)
    {
        capture->clear();
        entry(qApp, id, 1, 0, "", "");
        EXPECT_TRUE(script.messages().isEmpty()) << script.lastMessage().toStdString();
        EXPECT_EQ(capture->entries().size(), 1u);
        return capture->entries().front();
    }
    // Nothing of the printout is smaller than 6 points but the English column captions, which
    // are designed at 5.
    static void expectReadableSizes(const report::PdfCapture::Entry& e)
    {
        for (const report::Page& p : e.pages.pages)
            for (const report::DrawItem& item : p.items)
                if (item.kind == report::DrawItem::Kind::Text && !item.text.isEmpty()
                    && !item.name.startsWith(QStringLiteral("Naglowek_Ang_"))) {
                    EXPECT_GE(item.font.size, 6.0) << item.name.toStdString() << " " << item.text.toStdString();
                }
    }
};

// The baseline of a word of Liberation Sans (Arial) from its box, whatever its size.
double baseline(const pdf::Word& w)
{
    constexpr double ascent = 0.905, descent = 0.212;
    return w.box.top() + w.box.height() * ascent / (ascent + descent);
}

TEST_F(FaktFit, AmountInWordsPrintsWholeWithinTheMarginsOnEveryLayout)
{
    documents({{"Towar", 1, 100, 23}}, {{"Towar", 1, 123, 23}});
    const double total = 77777776.04;
    c().exec("update Faktura set Wart_Brutto=?", {total});
    const QString words = Kwota_Slownie(total).simplified();
    ASSERT_TRUE(words.endsWith(QStringLiteral(" 4/100"))) << words.toStdString();
    for (const auto& [entry, id] : kLayouts) {
        SCOPED_TRACE(id);
        const auto& e = print(entry, id);
        ASSERT_FALSE(e.pages.pages.empty());
        const report::DrawItem* item = nullptr;
        int page = 0;
        for (; page < e.pages.pageCount() && !item; ++page)
            item = e.pages.pages[size_t(page)].find(QStringLiteral("slownie"));
        ASSERT_NE(item, nullptr);
        --page;
        // The words of the PDF in the amount's box read the whole amount, and none is past the
        // right margin (10 mm from the paper's edge).
        QStringList printed;
        for (const pdf::Word& w : pdf::words(e.file))
            if (w.page == page && item->rect.adjusted(-0.3, -0.3, 0.3, 0.3).contains(w.box)) {
                printed << w.text;
                EXPECT_LE(w.box.right(), 200.0 + 0.25) << w.text.toStdString();
            }
        EXPECT_EQ(printed.join(u' '), words);
        const QStringList problems = pdf::unreadable(e.file, e.pages);
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    }
}

// Line amounts at the limit a document stores, at three rates: line cells, totals and VAT rows,
// the amount and its words stay apart and in their boxes, and nothing prints below 6 points.
TEST_F(FaktFit, LargestAmountsPrintApartInReadableSizes)
{
    documents({{"Towar A", 1, 73170731707317.0, 23},
               {"Towar B", 1, 83333333333333.0, 8},
               {"Towar C", 1, 89999999999999.99, 0}},
              {{"Towar A", 1, 89999999999999.99, 23}, {"Towar B", 1, 89999999999999.99, 8}});
    for (const auto& [entry, id] : kLayouts) {
        SCOPED_TRACE(id);
        const auto& e = print(entry, id);
        const QStringList problems = pdf::unreadable(e.file, e.pages);
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
        expectReadableSizes(e);
        const QString t = printed(0);
        EXPECT_TRUE(t.contains(QStringLiteral("Razem"))) << t.toStdString();
    }
}

// A net difference of eight digits is read whole on the corrections, in the totals and under
// "w tym" alike: smaller, then in the free room beside its column, never over lines.
TEST_F(FaktFit, EightDigitNetDifferencePrintsWhole)
{
    documents({{"Towar", 1, 31387318.82, 23}}, {{"Towar", 1, 38606402.15, 23}});
    for (const auto& [entry, id] : {kLayouts[6], kLayouts[7], kLayouts[8]}) {
        SCOPED_TRACE(id);
        const auto& e = print(entry, id);
        int whole = 0;
        for (const pdf::Word& w : pdf::words(e.file)) {
            whole += w.text == QLatin1String("-15693659,41");
            EXPECT_FALSE(w.text.startsWith(u',')) << w.text.toStdString();
        }
        EXPECT_GE(whole, 2);
        const QStringList problems = pdf::unreadable(e.file, e.pages);
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    }
}

// A code shrunk to fit its column stands on the baseline of its row, not raised above it.
TEST_F(FaktFit, ShrunkCodeKeepsItsRowsBaseline)
{
    documents({{"Towar", 1, 100, 23}}, {{"Towar", 1, 123, 23}});
    c().exec("update Faktura_Szczegoly set PKWiU='25.94.11-000'"); // smaller than 7 pt, not yet 6 pt
    for (const auto& [entry, id] : {kLayouts[0], kLayouts[3]}) {
        SCOPED_TRACE(id);
        const auto& e = print(entry, id);
        const std::vector<pdf::Word> all = pdf::words(e.file);
        int rows = 0;
        for (const pdf::Word& code : all) {
            if (code.text != QLatin1String("25.94.11-000"))
                continue;
            ++rows;
            // The unit of the same line is printed at the designed 7 points.
            const pdf::Word* unit = nullptr;
            for (const pdf::Word& w : all)
                if (w.text == QLatin1String("szt.") && w.page == code.page
                    && (!unit || std::abs(w.box.top() - code.box.top()) < std::abs(unit->box.top() - code.box.top())))
                    unit = &w;
            ASSERT_NE(unit, nullptr);
            EXPECT_LT(code.box.height(), unit->box.height() - 0.1); // it is smaller
            EXPECT_NEAR(baseline(code), baseline(*unit), 0.1);
        }
        EXPECT_GE(rows, 1);
    }
}

} // namespace

// At the amounts a business writes, up to the largest the program takes (a quantity of
// 9 999 999,999, totals of 999 999 999,99 zł), every number on every layout reads as one word: no
// digits over a comma, no amount in two pieces, nothing on a rule, nothing over another word.
// A correction halves the lines; a note changes the buyer of the net invoice.
TEST_F(FaktFit, AmountsAtTheBoundPrintWholeAndClearOfTheRules)
{
    const struct {
        const char* what;
        std::vector<Line> net, gross;
        const char* shown; // a number every layout of lines prints
    } cases[] = {
        {"9 999 999,999 x 0,05 zl",
         {{"Towar", 9999999.999, 0.05, 23}},
         {{"Towar", 9999999.999, 0.05, 23}},
         "9999999,999"},
        {"1 x 800 000 000,00 zl", {{"Towar", 1, 800000000, 23}}, {{"Towar", 1, 800000000, 23}}, "800000000,00"},
        {"totals at the bound, at three rates",
         {{"Towar A", 1, 400000000, 23},
          {"Towar B", 1, 460000000, 8},
          {"Towar C", 1, 11076999.99, 0},
          {"Towar D", 9999999.999, 0.01, 23}},
         {{"Towar D", 9999999.999, 0.01, 23}, {"Towar A", 1, 999899999.99, 23}},
         "9999999,999"},
    };
    std::vector<std::pair<ShowFaktProc, const char*>> layouts(std::begin(kLayouts), std::end(kLayouts));
    layouts.insert(layouts.end(), {{ShowFaktNotaRep, "30"}, {ShowFaktNotaRepAng, "30"}});
    static const QRegularExpression number(QStringLiteral(R"(^-?\d+(,\d+)?$)"));
    static const QRegularExpression amount(QStringLiteral(R"(^-?\d+,\d{2,3}$)"));
    for (const auto& c : cases) {
        for (const char* table : {"Faktura", "Faktura_Szczegoly", "Pozycje_Skorygowane", "Faktury_Skorygowane"})
            this->c().exec(QStringLiteral("delete from ") + QLatin1String(table));
        documents(c.net, c.gross);
        note(30, 1, 5, "Nabywca Nowy", "ul. Nowa 1");
        for (const auto& [entry, id] : layouts) {
            SCOPED_TRACE(std::string(c.what) + ", document " + id);
            const auto& e = print(entry, id);
            bool shown = false;
            const std::vector<pdf::Word> all = pdf::words(e.file);
            for (const pdf::Word& w : all) {
                if (!number.match(w.text).hasMatch())
                    continue;
                // A number is an amount or quantity with its decimals, or a short whole number (a
                // line number, a rate, a discount, a year, a document number): never long digits alone.
                EXPECT_TRUE(amount.match(w.text).hasMatch() || w.text.size() <= 4) << w.text.toStdString();
                shown = shown || w.text == QLatin1String(c.shown);
            }
            EXPECT_TRUE(shown || QLatin1String(id) == QLatin1String("30")) << c.shown;
            const QStringList problems = pdf::unreadable(all, e.pages) + pdf::overRules(all, e.pages);
            EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
            expectReadableSizes(e);
        }
    }
}
