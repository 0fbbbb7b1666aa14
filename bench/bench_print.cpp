// Printing a VAT invoice to PDF through the invoice printout (data sets, two layout passes for the
// page count, the PDF writer) against drawing the same texts on the same number of pages with a
// bare QPainter on a QPdfWriter, for a 20-line and a 500-line invoice. Pages per second of each,
// and at the end the ratio of the printout's time to the bare drawing's.
#include "printlib/Dokpress.h"
#include "printlib/Functions.h"
#include "platform/data/Connection.h"
#include "platform/data/Schema.h"
#include "platform/registry/Registry.h"
#include "platform/report/Output.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"

#include "support/WallRate.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Line {
    QString name;
    double qty, price;
    int rate;
    double net() const { return qty * price; }
    double vat() const { return net() * rate / 100.0; }
};

struct Invoice {
    int id = 0;
    std::vector<Line> lines;
    double netto = 0, vat = 0, brutto = 0;
};

const int kRates[] = {23, 8, 5};

Invoice makeInvoice(int id, int count)
{
    Invoice inv;
    inv.id = id;
    for (int i = 1; i <= count; ++i) {
        Line l{QStringLiteral("Towar nr %1").arg(i), double(1 + i % 10), 10.0 + i % 97, kRates[i % 3]};
        inv.netto += l.net();
        inv.vat += l.vat();
        inv.lines.push_back(l);
    }
    inv.brutto = inv.netto + inv.vat;
    return inv;
}

// The working directory, the database, the data module and the seller's settings, for the run.
struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<TDataModule1> module;
    Invoice small = makeInvoice(1, 20), large = makeInvoice(2, 500);

    Fixture()
    {
        if (!dir.isValid())
            qFatal("no temporary directory");
        QDir::setCurrent(dir.path());
        const QString db = dir.filePath(QStringLiteral("db.mdb"));
        const QString err = data::createDatabase(db, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql"));
        if (!err.isEmpty())
            qFatal("%s", qPrintable(err));
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
        const char* seller[][2] = {{"Nazwa_L1", "Przedsiębiorstwo Handlowe Żółw"},
                                   {"Nazwa_L2", "Sp. z o.o."},
                                   {"Adres", "ul. Długa 5"},
                                   {"Kod", "33-100"},
                                   {"Miasto", "Tarnów"},
                                   {"Nip", "123-456-32-18"},
                                   {"Konto", "12 3456 7890 1234 5678 9012 3456"},
                                   {"Tel", "14 123 45 67"},
                                   {"Logo", ""}};
        for (const auto& kv : seller)
            registry::write(registry::Root::LocalMachine, QStringLiteral("Software\\Orlimek\\Tarnex\\"),
                            QString::fromUtf8(kv[0]), QString::fromUtf8(kv[1]));
        TDataModule1::setReporter([](const QString& m) { qFatal("%s", qPrintable(m)); });
        module = std::make_unique<TDataModule1>(nullptr, db);
        module->ADOConnection1->exec(
            QStringLiteral("insert into Forma_Zaplaty (Id, Nazwa, Opis) values (1, 'przelew', '14 dni')"));
        insert(small, 1);
        insert(large, 2);
    }

    void insert(const Invoice& inv, int nr)
    {
        data::Connection& c = *module->ADOConnection1;
        data::Transaction tx(c);
        int lp = 0;
        for (const Line& l : inv.lines)
            c.exec(
                QStringLiteral("insert into Faktura_Szczegoly (Id_Fakt, Lp, Towary_Nazwa, Towary_Nazwa_cd, PKWiU, Jm, "
                               "Ilosc, Towary_Cena, Rabat, Towary_Vat_Opis, Towary_Vat_Wart, Wartosc_Netto, Kwota_Vat, "
                               "Wartosc_Brutto) values (?, ?, ?, '', '22.22.11', 'szt.', ?, ?, 0, ?, ?, ?, ?, ?)"),
                {inv.id, ++lp, l.name, l.qty, l.price, QStringLiteral("%1%").arg(l.rate), l.rate, l.net(), l.vat(),
                 l.net() + l.vat()});
        c.exec(
            QStringLiteral("insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Data_Sprzedarzy, Miejsce_Wyst, "
                           "Forma_Zaplaty, Data_Zaplaty, Netto_Brutto, Wart_Netto, Wart_Brutto, Uwagi, "
                           "Klient_Nazwa_Nazwisko, Klient_Nazwa_Nazwisko_cd, Klient_Adres, Klient_Kod, Klient_Miasto, "
                           "Klient_Nip) values (?, 'FV', '2011', ?, '2011-03-01', '2011-03-01', 'Tarnów', 1, "
                           "'2011-03-15', 'netto', ?, ?, 'Płatne w terminie', 'Nabywca Ćma', 'i Syn', 'ul. Krótka 1', "
                           "'31-000', 'Kraków', '987-654-32-10')"),
            {inv.id, nr, inv.netto, inv.brutto});
        tx.commit();
    }
};

Fixture* g_fixture = nullptr;

// Stands in for the printer: the pages of each print go to one PDF file, as they do on a machine
// without a printer, and their number is kept.
class PdfDevice : public report::Devices {
public:
    explicit PdfDevice(QString path) : path_(std::move(path)) { report::setDevices(this); }
    ~PdfDevice() override { report::setDevices(nullptr); }
    void print(const report::PageList& pages, const report::PrintJob& job) override
    {
        report::writePdf(pages, path_, job.copies);
        printedPages += pages.pageCount() * std::max(job.copies, 0);
    }
    void preview(const report::PageList& pages, const QString&) override { report::writePdf(pages, path_, 1); }
    int printedPages = 0;

private:
    QString path_;
};

// Pages of one print of the invoice through the printout (1 original, 0 copies); 0 on failure.
int printPages(const Invoice& inv, PdfDevice& device, ui::Script& script)
{
    device.printedPages = 0;
    const QByteArray id = QByteArray::number(inv.id);
    ShowFaktStdRep(qApp, id.constData(), 1, 0, "", "");
    return script.messages().isEmpty() ? device.printedPages : 0;
}

void BM_Print_Printout(benchmark::State& state, const Invoice* inv)
{
    ui::Script script;
    PdfDevice device(g_fixture->dir.filePath(QStringLiteral("wydruk.pdf")));
    int pages = 0;
    bench::WallRate wall;
    for (auto _ : state) {
        pages = printPages(*inv, device, script);
        if (pages == 0) {
            state.SkipWithError(qPrintable(QStringLiteral("printout failed: ") + script.lastMessage()));
            break;
        }
    }
    state.counters["pages"] = pages;
    state.counters["pages/s"] = wall.per(double(pages) * double(state.iterations()));
}

// ---- the baseline: the same texts, drawn straight on a QPdfWriter ---------------------------

QString money(double v) { return QString::number(v, 'f', 2).replace(u'.', u','); }

struct Painter {
    QPainter& p;
    double k; // dots per millimetre
    void text(double x, double y, double w, int flags, const QString& t)
    {
        p.drawText(QRectF(x * k, y * k, (w > 0 ? w : 150) * k, 8 * k), flags | Qt::AlignTop, t);
    }
    void line(double x1, double y1, double x2, double y2)
    {
        p.drawLine(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k));
    }
};

// Writes the invoice as the printout lays it out: the same band heights and page breaks, the same
// texts at about the same places. Returns the pages written.
int drawBaseline(const Invoice& inv, const QString& path, const QString& inWords)
{
    constexpr double kMargin = 10, kBody = 277, kFooter = 10.6, kTitle = 96, kHead = 6.6, kRow = 7.4, kTotals = 8.5,
                     kVatRow = 3.4, kSummary = 63;
    constexpr double kLimit = kBody - kFooter;
    // Vat summary rows by rate name, as the statement groups them.
    std::map<QString, std::array<double, 3>> byRate;
    for (const Line& l : inv.lines) {
        auto& s = byRate[QStringLiteral("%1%").arg(l.rate)];
        s[0] += l.net(), s[1] += l.vat(), s[2] += l.net() + l.vat();
    }
    // Where every body band goes: page and top.
    enum Kind { Head, Row, Totals, VatRow, Summary };
    struct Placed {
        Kind kind;
        int index, page;
        double top;
    };
    std::vector<Placed> placed;
    int page = 1;
    double y = kTitle;
    auto place = [&](Kind kind, int index, double h) {
        if (y + h > kLimit + 1e-9 && !placed.empty() && placed.back().page == page) {
            ++page;
            y = 0;
        }
        placed.push_back({kind, index, page, y});
        y += h;
    };
    place(Head, 0, kHead);
    for (int i = 0; i < int(inv.lines.size()); ++i)
        place(Row, i, kRow);
    place(Totals, 0, kTotals);
    for (int i = 0; i < int(byRate.size()); ++i)
        place(VatRow, i, kVatRow);
    place(Summary, 0, kSummary);
    const int pageCount = page;

    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter));
    QPainter p(&writer);
    Painter d{p, 1200 / 25.4};
    auto font = [&](double size, bool bold = false) {
        QFont f(QStringLiteral("Arial"));
        f.setPointSizeF(size);
        f.setBold(bold);
        f.setStyleHint(QFont::SansSerif);
        p.setFont(f);
    };
    QPen pen(Qt::black);
    pen.setWidthF(1200 / 72.0);
    p.setPen(pen);
    const double L = kMargin, T = kMargin;
    const double colX[] = {2.1, 8.5, 59.0, 73.0, 87.3, 95.5, 112.4, 123.6, 140.8, 153.5, 171.7};
    const double colW[] = {4.5, 48.9, 13.0, 10.8, 6.9, 15.1, 9.3, 14.3, 9.8, 14.3, 16.7};
    const Qt::Alignment colA[] = {Qt::AlignRight,   Qt::AlignLeft,  Qt::AlignHCenter, Qt::AlignRight,
                                  Qt::AlignHCenter, Qt::AlignRight, Qt::AlignHCenter, Qt::AlignRight,
                                  Qt::AlignHCenter, Qt::AlignRight, Qt::AlignRight};
    const char* heads[] = {"Lp.",          "Nazwa towaru/usługi", "PKWIU/ SWW",    "Ilość",
                           "J.m.",         "Cena jedn. netto",    "Rabat %",       "Wartość netto",
                           "Stawka VAT %", "Kwota VAT",           "Wartość brutto"};
    auto footer = [&](int n) {
        font(7);
        d.text(L + 35.2, T + kBody - kFooter, 150, Qt::AlignRight,
               QStringLiteral("Strona %1 z %2").arg(n).arg(pageCount));
        d.text(L + 65.6, T + kBody - kFooter + 5.6, 0, Qt::AlignLeft,
               QStringLiteral("Wydrukowano z programu Orlimek - Tarnex"));
    };
    // Page 1's title block.
    font(9);
    d.text(L + 117.2, T + 18.3, 0, Qt::AlignLeft, QStringLiteral("Miejsce wystawienia : Tarnów"));
    d.text(L + 121.4, T + 23.0, 0, Qt::AlignLeft, QStringLiteral("Data wystawienia : 2011-03-01"));
    d.text(L + 124.9, T + 28.0, 0, Qt::AlignLeft, QStringLiteral("Data sprzedaży : 2011-03-01"));
    font(10);
    d.text(L + 6.3, T + 20.1, 0, Qt::AlignLeft, QStringLiteral("Sprzedawca :"));
    d.text(L + 6.3, T + 35.5, 0, Qt::AlignLeft, QStringLiteral("ul. Długa 5, 33-100 Tarnów"));
    d.text(L + 6.3, T + 40.2, 0, Qt::AlignLeft, QStringLiteral("NIP : 123-456-32-18"));
    d.text(L + 6.3, T + 44.5, 0, Qt::AlignLeft, QStringLiteral("tel. : 14 123 45 67"));
    d.text(L + 6.3, T + 56.9, 0, Qt::AlignLeft, QStringLiteral("Nabywca :"));
    d.text(L + 6.3, T + 72.8, 0, Qt::AlignLeft, QStringLiteral("ul. Krótka 1, 31-000 Kraków"));
    d.text(L + 6.3, T + 77.5, 0, Qt::AlignLeft, QStringLiteral("NIP : 987-654-32-10"));
    d.text(L + 4.2, T + 84.1, 0, Qt::AlignLeft, QStringLiteral("Sposób zapłaty : przelew"));
    d.text(L + 82.5, T + 84.1, 0, Qt::AlignLeft, QStringLiteral("Termin zapłaty : 2011-03-15"));
    d.text(L + 14.8, T + 88.9, 0, Qt::AlignLeft, QStringLiteral("Nr konta : 12 3456 7890 1234 5678 9012 3456"));
    font(10, true);
    d.text(L + 6.3, T + 26.2, 0, Qt::AlignLeft, QStringLiteral("Przedsiębiorstwo Handlowe Żółw"));
    d.text(L + 6.3, T + 30.7, 0, Qt::AlignLeft, QStringLiteral("Sp. z o.o."));
    d.text(L + 6.3, T + 62.7, 0, Qt::AlignLeft, QStringLiteral("Nabywca Ćma"));
    d.text(L + 6.3, T + 67.5, 0, Qt::AlignLeft, QStringLiteral("i Syn"));
    font(12, true);
    d.text(L + 59.0, T + 48.2, 0, Qt::AlignLeft, QStringLiteral("Faktura VAT  FV/%1/2011").arg(inv.id));
    d.text(L + 132.6, T + 48.2, 0, Qt::AlignLeft, QStringLiteral("Oryginał"));

    int current = 1;
    auto vatIt = byRate.begin();
    for (const Placed& b : placed) {
        if (b.page != current) {
            footer(current);
            writer.newPage();
            current = b.page;
        }
        const double top = T + b.top;
        switch (b.kind) {
        case Head:
            font(7);
            for (int c = 0; c < 11; ++c)
                d.text(L + colX[c], top, colW[c], colA[c] | Qt::TextWordWrap, QString::fromUtf8(heads[c]));
            d.line(L, top + kHead, L + 190, top + kHead);
            break;
        case Row: {
            const Line& l = inv.lines[size_t(b.index)];
            // clang-format off
            const QString cells[] = {QString::number(b.index + 1), l.name, QStringLiteral("22.22.11"),
                                     QString::number(l.qty, 'f', 3).replace(u'.', u','), QStringLiteral("szt."),
                                     money(l.price), QStringLiteral("0"), money(l.net()),
                                     QStringLiteral("%1%").arg(l.rate), money(l.vat()), money(l.net() + l.vat())};
            // clang-format on
            font(7);
            for (int c = 0; c < 11; ++c)
                d.text(L + colX[c], top, colW[c], int(colA[c]), cells[c]);
            d.line(L, top + kRow, L + 190, top + kRow);
            break;
        }
        case Totals:
            font(7);
            d.line(L + 103.7, top, L + 188.6, top);
            d.line(L + 103.7, top + 4, L + 188.6, top + 4);
            d.text(L + 106.4, top + 0.4, 0, Qt::AlignLeft, QStringLiteral("Razem : "));
            d.text(L + 122.5, top + 0.4, 15.1, Qt::AlignRight, money(inv.netto));
            d.text(L + 145.3, top + 0.4, 0, Qt::AlignLeft, QStringLiteral("X"));
            d.text(L + 153.7, top + 0.4, 14.0, Qt::AlignRight, money(inv.vat));
            d.text(L + 171.4, top + 0.4, 16.7, Qt::AlignRight, money(inv.brutto));
            d.text(L + 107.7, top + 4.8, 0, Qt::AlignLeft, QStringLiteral("w tym :"));
            break;
        case VatRow: {
            font(7);
            const auto& [name, s] = *vatIt++;
            d.text(L + 122.2, top, 15.3, Qt::AlignRight, money(s[0]));
            d.text(L + 140.8, top, 10.1, Qt::AlignHCenter, name);
            d.text(L + 153.7, top, 14.0, Qt::AlignRight, money(s[1]));
            d.text(L + 170.9, top, 17.2, Qt::AlignRight, money(s[2]));
            break;
        }
        case Summary:
            d.line(L + 103.7, top - 0.8, L + 188.6, top - 0.8);
            font(13, true);
            d.text(L + 4.2, top + 6.3, 0, Qt::AlignLeft, QStringLiteral("Do zapłaty : %1 zł").arg(money(inv.brutto)));
            font(10);
            d.text(L + 4.2, top + 14.8, 0, Qt::AlignLeft, QStringLiteral("Słownie złotych : ") + inWords);
            d.text(L + 6.3, top + 48.2, 118.8, Qt::AlignLeft, QStringLiteral("Płatne w terminie"));
            font(8);
            d.text(L + 16.7, top + 36.5, 0, Qt::AlignLeft, QStringLiteral("Podpis osoby upoważnionej"));
            d.text(L + 16.1, top + 41.3, 0, Qt::AlignLeft, QStringLiteral("do wystawienia faktury VAT"));
            d.text(L + 133.6, top + 36.8, 0, Qt::AlignLeft, QStringLiteral("Podpis osoby upoważnionej"));
            d.text(L + 136.5, top + 41.0, 0, Qt::AlignLeft, QStringLiteral("do odbioru faktury VAT"));
            p.save();
            QPen dots(pen);
            dots.setStyle(Qt::DotLine);
            p.setPen(dots);
            d.line(L + 3.7, top + 34.7, L + 63.2, top + 34.7);
            d.line(L + 122.0, top + 34.7, L + 181.5, top + 34.7);
            p.restore();
            break;
        }
    }
    footer(current);
    p.end();
    return pageCount;
}

void BM_Print_QPainter(benchmark::State& state, const Invoice* inv)
{
    const QString path = g_fixture->dir.filePath(QStringLiteral("baseline.pdf"));
    const QString inWords = Kwota_Slownie(inv->brutto);
    int pages = 0;
    bench::WallRate wall;
    for (auto _ : state)
        pages = drawBaseline(*inv, path, inWords);
    state.counters["pages"] = pages;
    state.counters["pages/s"] = wall.per(double(pages) * double(state.iterations()));
}

// Keeps each benchmark's time per iteration for the closing ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred)
                seconds[r.benchmark_name()] = r.real_accumulated_time / double(r.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fixture fixture;
    g_fixture = &fixture;
    benchmark::RegisterBenchmark("BM_Print_Printout/20", BM_Print_Printout, &fixture.small)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Print_QPainter/20", BM_Print_QPainter, &fixture.small)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Print_Printout/500", BM_Print_Printout, &fixture.large)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Print_QPainter/500", BM_Print_QPainter, &fixture.large)
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* lines : {"20", "500"}) {
        const auto a = reporter.seconds.find(std::string("BM_Print_Printout/") + lines);
        const auto b = reporter.seconds.find(std::string("BM_Print_QPainter/") + lines);
        if (a != reporter.seconds.end() && b != reporter.seconds.end() && b->second > 0)
            std::printf("%s lines: printout %.2f ms, QPainter alone %.2f ms, ratio %.2f\n", lines, a->second * 1e3,
                        b->second * 1e3, a->second / b->second);
    }
    benchmark::Shutdown();
    g_fixture = nullptr;
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
