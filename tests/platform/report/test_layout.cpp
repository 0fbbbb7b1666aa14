// Layout of banded reports into the page list: pagination, page count, groups and their sums,
// sub-details, page footers and the page-start hook.
#include "platform/report/Report.h"
#include "platform/report/RowSource.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace report;

namespace {

// Rows "Lp, Nazwa, Netto" 1..n.
ListRowSource lines(int n)
{
    ListRowSource src({"Lp", "Nazwa", "Netto"}, {});
    for (int i = 1; i <= n; ++i)
        src.appendRow({i, QStringLiteral("Towar %1").arg(i), 10.0 * i});
    return src;
}

int countText(const PageList& pl, const QString& text)
{
    int n = 0;
    for (const Page& p : pl.pages)
        n += int(p.texts().count(text));
    return n;
}

// An invoice-like report: no data of its own, a title, the lines as a sub-detail with a header
// printed once and a totals footer, a summary and a page footer with "Strona n z m".
struct InvoiceLike {
    Report r;
    ListRowSource rows;
    Label* pageLine = nullptr;
    Label* countCarrier = nullptr;
    Sum* netSum = nullptr;
    std::vector<int> startedPages;

    explicit InvoiceLike(int n) : rows(lines(n))
    {
        r.page = PageSetup::a4(PageOrientation::Portrait, 10);
        r.title = "Tarnex";
        Band* title = r.setBand(BandKind::Title, 96.0);
        title->addLabel("Tytul", 59.0, 48.2, "Faktura VAT ", pt(12, true));
        SubDetail* sd = r.addSubDetail(&rows, 7.4);
        Band* header = sd->setHeader(6.6);
        header->addLabel("NaglowekLp", 2.6, 0, "Lp.", pt(7));
        sd->detail()->addData("Lp", 2.1, 0, 4.5, Align::Right, pt(7), &rows, "Lp");
        sd->detail()->addData("Nazwa", 8.5, 0, 48.9, Align::Left, pt(7), &rows, "Nazwa");
        sd->detail()->addData("Netto", 123.6, 0, 14.3, Align::Right, pt(7), &rows, "Netto", "0.00");
        sd->detail()->bottomRule = true;
        Band* totals = sd->setFooter(8.5);
        netSum = r.addFieldSum(sd->detail(), &rows, "Netto");
        totals->addLabel("Razem", 106.4, 0, "Razem : ", pt(7));
        totals->addSumText("SumaNetto", 122.5, 0, 15.1, Align::Right, pt(7), netSum, "0.00");
        Band* summary = r.setBand(BandKind::Summary, 63.0);
        summary->addLabel("Podpis", 16.7, 36.5, "Podpis osoby upoważnionej", pt(8));
        Band* footer = r.setBand(BandKind::PageFooter, 10.6);
        pageLine = footer->addLabel("QRL_Strona_Cala", 185.2, 0, "", pt(7), Align::Right);
        countCarrier = footer->addLabel("QRL_Strona", 36.0, 2.1, "", pt(7));
        countCarrier->font.color = Qt::white;
        footer->addLabel("Stopka", 65.6, 5.6, "Wydrukowano z programu Orlimek - Tarnex", pt(7));
        r.onStartPage = [this](int page) {
            startedPages.push_back(page);
            pageLine->setText(QStringLiteral("Strona %1 z %2").arg(page).arg(countCarrier->caption));
        };
    }

    // Prepare, put the page count into its carrier, prepare again.
    PageList twoPass()
    {
        const PageList first = r.prepare();
        countCarrier->setText(QString::number(first.pageCount()));
        startedPages.clear();
        return r.prepare();
    }
};

TEST(Layout, ShortReportFitsOnePageWithFooterAtTheFoot)
{
    InvoiceLike inv(3);
    const PageList pl = inv.twoPass();
    ASSERT_EQ(pl.pageCount(), 1);
    const Page& p = pl.pages[0];
    const QStringList t = p.texts();
    EXPECT_TRUE(t.contains("Faktura VAT "));
    EXPECT_TRUE(t.contains("Towar 3"));
    EXPECT_TRUE(t.contains("60,00")) << t.join("|").toStdString(); // 10 + 20 + 30
    EXPECT_TRUE(t.contains("Strona 1 z 1"));
    // The footer sits at the foot of the page: 297 - 10 margin - 10.6 band.
    const DrawItem* footer = p.find("Stopka");
    ASSERT_NE(footer, nullptr);
    EXPECT_NEAR(footer->rect.top(), 297.0 - 10.0 - 10.6 + 5.6, 1e-6);
    // The first line follows the title (10 mm margin + 96 title + 6.6 header).
    EXPECT_NEAR(p.find("Nazwa")->rect.top(), 10.0 + 96.0 + 6.6, 1e-6);
    // Each line has its rule.
    int rules = 0;
    for (const auto& item : p.items)
        rules += item.kind == DrawItem::Kind::Line;
    EXPECT_EQ(rules, 3);
}

TEST(Layout, ManyLinesContinueOnLaterPagesWithThePageCountOfTheFirstPass)
{
    InvoiceLike inv(40);
    const PageList pl = inv.twoPass();
    ASSERT_GE(pl.pageCount(), 2);
    const int n = pl.pageCount();
    EXPECT_EQ(inv.startedPages.size(), size_t(n)); // the hook runs once per page, in order
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(inv.startedPages[size_t(i)], i + 1);
        const QStringList t = pl.pages[size_t(i)].texts();
        EXPECT_TRUE(t.contains(QStringLiteral("Strona %1 z %2").arg(i + 1).arg(n))) << i;
        EXPECT_TRUE(t.contains("Wydrukowano z programu Orlimek - Tarnex")) << i;
    }
    // Title and the sub-detail's header once, every line once, totals of all lines once.
    EXPECT_EQ(countText(pl, "Faktura VAT "), 1);
    EXPECT_EQ(countText(pl, "Lp."), 1);
    for (int i = 1; i <= 40; ++i)
        EXPECT_EQ(countText(pl, QStringLiteral("Towar %1").arg(i)), 1) << i;
    EXPECT_EQ(countText(pl, "8200,00"), 1); // 10 * (1 + … + 40)
    // Nothing is placed over the page footer.
    for (const Page& p : pl.pages) {
        for (const auto& item : p.items) {
            if (item.name == "Nazwa") {
                EXPECT_LE(item.rect.top() + 7.4, 297.0 - 10.0 - 10.6 + 1e-6);
            }
        }
    }
    // Preparing again gives the same pages (sums start from zero every run).
    const PageList again = inv.r.prepare();
    EXPECT_EQ(again.pageCount(), n);
    EXPECT_EQ(countText(again, "8200,00"), 1);
}

TEST(Layout, FirstPassHasNoPageCountYet)
{
    InvoiceLike inv(2);
    const PageList first = inv.r.prepare();
    EXPECT_TRUE(first.pages[0].texts().contains("Strona 1 z ")); // as the page line then reads
    EXPECT_EQ(inv.r.lastPageCount(), 1);
}

TEST(Layout, EmptySubDetailPrintsHeaderAndFooterOnlyWhenAsked)
{
    InvoiceLike inv(0);
    PageList pl = inv.r.prepare();
    EXPECT_EQ(countText(pl, "Lp."), 1);
    EXPECT_EQ(countText(pl, "0,00"), 1); // totals with sum 0,00

    inv.r.subDetails()[0]->printHeaderIfEmpty = false;
    inv.r.subDetails()[0]->printFooterIfEmpty = true;
    pl = inv.r.prepare();
    EXPECT_EQ(countText(pl, "Lp."), 0);
    EXPECT_EQ(countText(pl, "Razem : "), 1);

    inv.r.subDetails()[0]->printFooterIfEmpty = false;
    pl = inv.r.prepare();
    EXPECT_EQ(countText(pl, "Razem : "), 0);
}

TEST(Layout, PageFooterCanBeLeftOffTheLastPage)
{
    InvoiceLike inv(40);
    inv.r.pageFooterOnLastPage = false;
    const PageList pl = inv.r.prepare();
    ASSERT_GE(pl.pageCount(), 2);
    EXPECT_TRUE(pl.pages.front().texts().contains("Wydrukowano z programu Orlimek - Tarnex"));
    EXPECT_FALSE(pl.pages.back().texts().contains("Wydrukowano z programu Orlimek - Tarnex"));
}

TEST(Layout, HookFailureEndsTheRun)
{
    InvoiceLike inv(2);
    inv.r.onStartPage = [](int) { throw std::runtime_error("logo"); };
    EXPECT_THROW(inv.r.prepare(), std::runtime_error);
}

TEST(Layout, OnlyAStretchingTextGrowsItsBand)
{
    for (const bool stretch : {false, true}) {
        SCOPED_TRACE(stretch ? "stretching" : "fixed");
        ListRowSource rows({"Nazwa"},
                           {{QString("krótka")},
                            {QString("bardzo długa nazwa towaru, która nie mieści się w "
                                     "jednym wierszu wąskiej kolumny i zawija się kilka razy")},
                            {QString("ostatnia")}});
        Report r;
        SubDetail* sd = r.addSubDetail(&rows, 3.0);
        sd->detail()->addData("Nazwa", 0, 0, 20.0, Align::Left, pt(7), &rows, "Nazwa")->stretch = stretch;
        // A text a little taller than its band (7 pt in 2 mm) never moves the next band.
        sd->detail()->addData("Wysoki", 30, 0, 0, Align::Left, pt(7), &rows, "Nazwa")->height = 2.0;
        // Under the name: its continuation, and in another column a text of the same row.
        sd->detail()->addLabel("Pod", 5, 2.9, "cd.", pt(5));
        sd->detail()->addLabel("Obok", 150, 2.9, "obok", pt(5));
        const PageList pl = r.prepare();
        std::vector<QRectF> name, under, beside;
        for (const auto& item : pl.pages[0].items)
            (item.name == QLatin1String("Nazwa")     ? name
                 : item.name == QLatin1String("Pod") ? under
                                                     : beside)
                .push_back(item.rect);
        ASSERT_EQ(name.size(), 3u);
        EXPECT_NEAR(name[1].top() - name[0].top(), 3.0, 1e-6);
        if (stretch) {
            EXPECT_GT(name[2].top() - name[1].top(), 6.0); // several lines of 7 pt
            EXPECT_GE(under[1].top(), name[1].bottom() - 1e-6) << "moved down under the wrapped name";
            EXPECT_NEAR(beside[3].top(), under[1].top(), 1e-6) << "its row moves with it";
        } else {
            EXPECT_NEAR(name[2].top() - name[1].top(), 3.0, 1e-6) << "the band keeps its designed height";
            EXPECT_NEAR(under[1].top() - name[1].top(), 2.9, 1e-6);
        }
    }
}

// Sales by client: groups on the client with a sum per client, a header band without an
// expression repeated per client, and a grand total of a per-row value.
struct ClientsReport {
    Report r;
    ListRowSource rows;
    Sum* perClient = nullptr;
    Sum* all = nullptr;
    Group* client = nullptr;

    explicit ClientsReport(int perClientRows)
    {
        rows.setRows({"Nr_Klienta", "Towar", "Netto", "Stare"}, {});
        for (int c = 1; c <= 3; ++c)
            for (int i = 1; i <= perClientRows; ++i)
                rows.appendRow(
                    {QStringLiteral("K%1").arg(c), QStringLiteral("T%1.%2").arg(c).arg(i), double(c * 100 + i), 1.0});
        r.page = PageSetup::a4(PageOrientation::Landscape, 12.7);
        r.setDataSource(&rows);
        r.setBand(BandKind::Title, 17.5)->addLabel("Tytul", 120, 0, "Sprzedaż wg. Klientów", pt(18), Align::Center);
        r.setBand(BandKind::ColumnHeader, 6.1)->addLabel("KolNr", 2.1, 0, "Nr Klienta", pt(8));
        client = r.addGroup([this] { return rows.value("Nr_Klienta").toString(); }, 7.9);
        client->header()->addData("Klient", 2.1, 0, 16.1, Align::Left, pt(8), &rows, "Nr_Klienta");
        Group* lineHeader = r.addGroup({}, 9.3);
        lineHeader->header()->addLabel("KolTowar", 6.3, 0, "Towar", pt(8));
        r.setBand(BandKind::Detail, 5.6)->addData("Towar", 6.3, 0, 20, Align::Left, pt(8), &rows, "Towar");
        Band* footer = client->setFooter(10.6);
        perClient = r.addFieldSum(r.band(BandKind::Detail), &rows, "Netto", footer);
        footer->addLabel("Suma", 186.3, 0, "Suma :", pt(10));
        footer->addSumText("SumaNetto", 207.4, 0, 23.0, Align::Right, pt(10), perClient, "0.00");
        all = r.addSum(r.band(BandKind::Detail),
                       [this] { return rows.value("Netto").toDouble() - rows.value("Stare").toDouble(); });
        r.setBand(BandKind::Summary, 8.5)
            ->addSumText("Ogolem", 173.6, 0, 25.7, Align::Right, pt(10, true), all, "0.00");
        r.setBand(BandKind::PageFooter, 8.5)
            ->addExpr("Strona", 250, 0, 0, Align::Right, pt(8),
                      [](const LayoutContext& c) { return "Strona " + QString::number(c.pageNumber); });
    }
};

TEST(Layout, GroupSumsResetPerGroupAndHeadersRepeatPerGroup)
{
    ClientsReport rep(2);
    const PageList pl = rep.r.prepare();
    ASSERT_EQ(pl.pageCount(), 1);
    EXPECT_EQ(pl.setup.paperWidth(), 297.0);
    const QStringList t = pl.pages[0].texts();
    // Each client: its header, the line header, its rows, its sum.
    const QStringList expected = {"Sprzedaż wg. Klientów",
                                  "Nr Klienta",
                                  "K1",
                                  "Towar",
                                  "T1.1",
                                  "T1.2",
                                  "Suma :",
                                  "203,00",
                                  "K2",
                                  "Towar",
                                  "T2.1",
                                  "T2.2",
                                  "Suma :",
                                  "403,00",
                                  "K3",
                                  "Towar",
                                  "T3.1",
                                  "T3.2",
                                  "Suma :",
                                  "603,00",
                                  "1203,00",
                                  "Strona 1"};
    EXPECT_EQ(t, expected);
}

TEST(Layout, GroupOnNewPageWithItsHeaderReprintedOnContinuationPages)
{
    ClientsReport rep(30); // 30 rows of 5.6 mm do not fit one landscape page
    rep.client->newPage = true;
    rep.client->reprintOnNewPage = true;
    const PageList pl = rep.r.prepare();
    ASSERT_GE(pl.pageCount(), 6);
    // The column header is on every page, the title on the first only.
    EXPECT_EQ(countText(pl, "Nr Klienta"), pl.pageCount());
    EXPECT_EQ(countText(pl, "Sprzedaż wg. Klientów"), 1);
    // Every page after the first starts (after the column header) with its client's header.
    for (size_t i = 0; i < pl.pages.size(); ++i) {
        const QStringList t = pl.pages[i].texts();
        const int at = i == 0 ? 2 : 1;
        ASSERT_GT(t.size(), at);
        EXPECT_TRUE(t[at].startsWith('K')) << i << ": " << t.join("|").toStdString();
        EXPECT_TRUE(t.contains(QStringLiteral("Strona %1").arg(i + 1)));
    }
    // Clients 2 and 3 each start a page: no page holds rows of two clients.
    for (const Page& p : pl.pages) {
        QSet<QChar> clients;
        for (const QString& s : p.texts())
            if (s.startsWith('T') && s.size() > 1 && s[1].isDigit())
                clients.insert(s[1]);
        EXPECT_LE(clients.size(), 1);
    }
    EXPECT_EQ(countText(pl, "Suma :"), 3);
    EXPECT_EQ(countText(pl, QStringLiteral("%1,00").arg(100 * 30 + 465)), 1); // client 1
}

TEST(Layout, EmptyReportStillPrintsTitleAndSummary)
{
    ClientsReport rep(0);
    const PageList pl = rep.r.prepare();
    ASSERT_EQ(pl.pageCount(), 1);
    const QStringList t = pl.pages[0].texts();
    EXPECT_EQ(t, (QStringList{"Sprzedaż wg. Klientów", "Nr Klienta", "0,00", "Strona 1"}));
}

TEST(Layout, FindsElementsByNameAcrossBands)
{
    InvoiceLike inv(1);
    EXPECT_EQ(inv.r.findAs<Label>("qrl_strona"), inv.countCarrier);
    EXPECT_NE(inv.r.find("SumaNetto"), nullptr);
    EXPECT_EQ(inv.r.find("nic"), nullptr);
}

} // namespace
