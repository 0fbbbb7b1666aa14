// The sales reports on the large database (200,000 documents, 1,000,000 lines), through the
// library's entry points, against a baseline in the same run:
//  - BM_Reports_Klienci_Pdf / BM_Reports_Towary_Pdf: a report of about 1,000 pages laid out and
//    written to PDF, pages per second;
//  - BM_Reports_Baseline_Klienci: raw SQLite reading the same rows and a bare QPainter drawing the
//    same texts on the same pages of a QPdfWriter (a client going on over a page headed there
//    again, as the report heads it);
//  - BM_Reports_Klienci_Podglad: the same report into the preview's temporary page file (the
//    preview window itself is not opened), with the size of that file;
//  - BM_Reports_Pamiec/<period>: the clients report over one month and over every year, laid out
//    (the pages dropped as they are made), with the growth of the resident memory during the run,
//    against raw SQLite stepping through the same rows.
// At the end the ratios of report to baseline.
#include "reportlib/Salvista.h"
#include "platform/data/Collation.h"
#include "platform/registry/Registry.h"
#include "platform/report/Output.h"
#include "platform/report/Report.h"
#include "platform/ui/Modal.h"
#include "shell/DataModule1.h"
#include "support/LargeDb.h"
#include "support/WallRate.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// About 1,000 pages of the clients report and of the goods report on the large database.
const char* const kKlienciOd = "2011-01-01";
const char* const kKlienciDo = "2011-03-04";
const char* const kTowaryOd = "2011-01-01";
const char* const kTowaryDo = "2011-03-16";

double residentMb()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Where the preview's pages go in the benchmarks: into a PDF file or nowhere, with the peak of
// the resident memory seen while they come.
class Sink : public report::PageSink {
public:
    explicit Sink(report::PageSink* inner) : inner_(inner) {}
    void begin(const report::PageSetup& s, const QString& t) override
    {
        if (inner_)
            inner_->begin(s, t);
    }
    void page(report::Page&& p) override
    {
        ++pages;
        if (pages % 25 == 1)
            peakMb = std::max(peakMb, residentMb());
        if (inner_)
            inner_->page(std::move(p));
    }
    void end() override
    {
        peakMb = std::max(peakMb, residentMb());
        if (inner_)
            inner_->end();
    }
    int pages = 0;
    double peakMb = 0;

private:
    report::PageSink* inner_;
};

class Device : public report::Devices {
public:
    Device() { report::setDevices(this); }
    ~Device() override { report::setDevices(nullptr); }
    void print(const report::PageList&, const report::PrintJob&) override {}
    void preview(const report::PageList&, const QString&) override {}
    void previewReport(report::Report& r, const QString&) override
    {
        std::unique_ptr<report::PdfStream> pdf;
        std::unique_ptr<report::PageSpool> spool;
        report::PageSink* inner = nullptr;
        if (!pdfPath.isEmpty())
            inner = (pdf = std::make_unique<report::PdfStream>(pdfPath)).get();
        else if (toSpool)
            inner = (spool = std::make_unique<report::PageSpool>()).get();
        Sink sink(inner);
        startMb = residentMb();
        r.run(sink);
        pages = sink.pages;
        peakMb = sink.peakMb;
        if (spool)
            spoolMb = double(spool->bytes()) / (1024.0 * 1024.0);
    }
    QString pdfPath;      // the pages into this PDF file, or
    bool toSpool = false; // into the preview's page file, or else dropped
    double spoolMb = 0;
    int pages = 0;
    double startMb = 0, peakMb = 0;
};

struct Fixture {
    QTemporaryDir dir;
    QString db = bench::largeDatabase();
    std::unique_ptr<TDataModule1> module;
    Fixture()
    {
        QDir::setCurrent(dir.path());
        registry::setStorePath(dir.filePath(QStringLiteral("rejestr.ini")));
        TDataModule1::setReporter([](const QString& m) { qFatal("%s", qPrintable(m)); });
        module = std::make_unique<TDataModule1>(nullptr, db);
    }
};
Fixture* g_fixture = nullptr;

void reportPages(benchmark::State& state, const bench::WallRate& wall, int pages)
{
    state.counters["pages"] = pages;
    state.counters["pages/s"] = wall.per(double(pages) * double(state.iterations()));
}

void BM_Reports_Klienci_Pdf(benchmark::State& state)
{
    ui::Script script;
    Device device;
    device.pdfPath = g_fixture->dir.filePath(QStringLiteral("klienci.pdf"));
    bench::WallRate wall;
    for (auto _ : state) {
        ShowSprzWgKlientow(qApp, kKlienciOd, kKlienciDo);
        if (!script.messages().isEmpty()) {
            state.SkipWithError(qPrintable(script.lastMessage()));
            break;
        }
    }
    reportPages(state, wall, device.pages);
}

void BM_Reports_Towary_Pdf(benchmark::State& state)
{
    ui::Script script;
    Device device;
    device.pdfPath = g_fixture->dir.filePath(QStringLiteral("towary.pdf"));
    bench::WallRate wall;
    for (auto _ : state) {
        ShowSprzWgTowarow(qApp, kTowaryOd, kTowaryDo);
        if (!script.messages().isEmpty()) {
            state.SkipWithError(qPrintable(script.lastMessage()));
            break;
        }
    }
    reportPages(state, wall, device.pages);
}

void BM_Reports_Klienci_Podglad(benchmark::State& state)
{
    ui::Script script;
    Device device;
    device.toSpool = true;
    bench::WallRate wall;
    for (auto _ : state) {
        ShowSprzWgKlientow(qApp, kKlienciOd, kKlienciDo);
        if (!script.messages().isEmpty()) {
            state.SkipWithError(qPrintable(script.lastMessage()));
            break;
        }
    }
    reportPages(state, wall, device.pages);
    state.counters["spool_MB"] = device.spoolMb;
}

// ---- the baseline: the same rows by raw SQLite, the same texts by a bare QPainter -----------

sqlite3* rawOpen()
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(g_fixture->db.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    data::registerCollation(db);
    return db;
}

QString col(sqlite3_stmt* st, int i)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)), sqlite3_column_bytes(st, i));
}

QString fixed(double v, int decimals) { return QString::number(v, 'f', decimals).replace(u'.', u','); }

int drawClientsBaseline(const QString& path)
{
    sqlite3* db = rawOpen();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "select * from Klient_Sprzedaz where Faktura_Data_Wyst>=? and Faktura_Data_Wyst<=? "
                       "order by Nr_Klienta, Faktura_Data_Wyst, Id_Pozycji",
                       -1, &st, nullptr);
    sqlite3_bind_text(st, 1, kKlienciOd, -1, SQLITE_STATIC);
    sqlite3_bind_text(st, 2, kKlienciDo, -1, SQLITE_STATIC);

    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(), QPageLayout::Millimeter));
    QPainter p(&writer);
    const double k = 1200 / 25.4, L = 12.7, T = 12.7, body = 210 - 25.4, footer = 8.5, width = 297 - 25.4;
    QFont f8(QStringLiteral("Arial"));
    f8.setPointSizeF(8);
    QFont f10 = f8, f18 = f8;
    f10.setPointSizeF(10);
    f18.setPointSizeF(18);
    auto text = [&](double x, double y, double w, int align, const QString& t) {
        p.drawText(QRectF((L + x) * k, (T + y) * k, (w > 0 ? w : 60) * k, 6 * k), align | Qt::AlignTop, t);
    };
    auto rule = [&](double y) { p.drawLine(QPointF(L * k, (T + y) * k), QPointF((L + width) * k, (T + y) * k)); };
    const double lineX[] = {6.3,   16.9,  27.5,  38.1,  63.5,  86.8,  136.5, 150.3,
                            160.9, 176.2, 194.7, 205.3, 215.4, 231.8, 241.3, 253.2};
    const double lineW[] = {8.7, 8.7, 8.7, 23.5, 22.5, 46.8, 11.6, 8.7, 13.0, 15.1, 9.5, 9.3, 15.1, 8.7, 10.8, 17.2};
    const int lineA[] = {Qt::AlignLeft,  Qt::AlignLeft,    Qt::AlignLeft,    Qt::AlignHCenter,
                         Qt::AlignLeft,  Qt::AlignLeft,    Qt::AlignHCenter, Qt::AlignHCenter,
                         Qt::AlignRight, Qt::AlignRight,   Qt::AlignRight,   Qt::AlignHCenter,
                         Qt::AlignRight, Qt::AlignHCenter, Qt::AlignRight,   Qt::AlignRight};
    const char* captions[] = {
        "Typ",           "Nr",          "Rok",        "Data wystawienia", "Symbol", "Nazwa towaru / usługi",
        "PKWiU",         "j.m.",        "Cena netto", "Cena brutto",      "Ilość",  "Rabat %",
        "Wartość netto", "Stawka V AT", "Kwota VAT",  "Wartość brutto"};
    const double clientX[] = {2.1, 21.2, 99.5, 124.9, 139.7, 188.4};
    const char* clientCaptions[] = {"Nr Klienta", "Nazwa / Nazwisko, imię", "NIP", "Kod",
                                    "Miasto",     "Adres (ulica, nr domu)"};
    int page = 1;
    double y = 0;
    // A client whose lines go on over a page is headed there again: its data marked as
    // continued, and the line captions when its lines (not its sums) go on.
    QString clientCells[6];
    int open = 0; // 0 between clients, 1 in a client's block, 2 among its lines
    QFont f7 = f8;
    f7.setPointSizeF(7);
    auto clientHeader = [&](bool continued) {
        p.setFont(f8);
        for (int i = 0; i < 6; ++i)
            text(clientX[i], y + 0.5, 0, Qt::AlignLeft, clientCells[i]);
        if (continued) {
            p.setFont(f7);
            text(2.1, y + 4.2, 0, Qt::AlignLeft, QStringLiteral("(ciąg dalszy)"));
        }
        y += 7.9;
    };
    auto lineCaptions = [&] {
        p.setFont(f8);
        for (int i = 0; i < 16; ++i)
            text(lineX[i], y + 0.5, i >= 11 ? lineW[i] : 0,
                 i >= 11 ? Qt::AlignHCenter | Qt::TextWordWrap : Qt::AlignLeft, QString::fromUtf8(captions[i]));
        y += 9.3;
        rule(y);
    };
    auto startPage = [&] {
        y = 0;
        p.setFont(f18);
        if (page == 1) {
            text(0, 0, width, Qt::AlignHCenter, QStringLiteral("Sprzedaż wg. Klientów"));
            p.setFont(f10);
            text(0, 9.8, width, Qt::AlignHCenter, QStringLiteral("W okresie od %1 do %2").arg(kKlienciOd, kKlienciDo));
            y = 17.5;
        }
        p.setFont(f8);
        for (int i = 0; i < 6; ++i)
            text(clientX[i], y + 0.5, 0, Qt::AlignLeft, QString::fromUtf8(clientCaptions[i]));
        y += 6.1;
        rule(y);
        if (open >= 1)
            clientHeader(true);
        if (open >= 2)
            lineCaptions();
    };
    auto endPage = [&] {
        p.setFont(f8);
        text(width / 2 - 30, body - footer + 2.1, 60, Qt::AlignHCenter,
             QStringLiteral("Wydrukowano z programu Orlimek - Tarnex"));
        text(width - 60, body - footer + 2.1, 60, Qt::AlignRight, QStringLiteral("Strona %1").arg(page));
    };
    auto room = [&](double h) {
        if (y + h > body - footer) {
            endPage();
            writer.newPage();
            ++page;
            startPage();
        }
    };
    startPage();
    QString client;
    double netto = 0, brutto = 0;
    bool any = false;
    auto groupFooter = [&] {
        open = 1;
        room(10.6);
        p.setFont(f10);
        rule(y + 0.3);
        text(186.3, y + 1.5, 0, Qt::AlignLeft, QStringLiteral("Suma :"));
        text(207.4, y + 1.5, 23.0, Qt::AlignRight, fixed(netto, 2));
        text(247.7, y + 1.5, 22.0, Qt::AlignRight, fixed(brutto, 2));
        y += 10.6;
        netto = brutto = 0;
        open = 0;
    };
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString nr = col(st, 0);
        if (!any || nr != client) {
            if (any)
                groupFooter();
            any = true;
            client = nr;
            room(7.9);
            for (int i = 0; i < 6; ++i)
                clientCells[i] = col(st, i);
            clientHeader(false);
            open = 1;
            room(9.3);
            lineCaptions();
            open = 2;
        }
        room(5.6);
        p.setFont(f8);
        // clang-format off
        const QString cells[] = {col(st, 6), col(st, 7), col(st, 8), col(st, 9), col(st, 10), col(st, 11), col(st, 12),
                                 col(st, 13), fixed(sqlite3_column_double(st, 15), 2), col(st, 16),
                                 fixed(sqlite3_column_double(st, 14), 3), col(st, 17),
                                 fixed(sqlite3_column_double(st, 18), 2), col(st, 19),
                                 fixed(sqlite3_column_double(st, 20), 2), fixed(sqlite3_column_double(st, 21), 2)};
        // clang-format on
        for (int i = 0; i < 16; ++i)
            text(lineX[i], y + 0.5, lineW[i], lineA[i], cells[i]);
        netto += sqlite3_column_double(st, 18);
        brutto += sqlite3_column_double(st, 21);
        y += 5.6;
    }
    if (any)
        groupFooter();
    endPage();
    p.end();
    sqlite3_finalize(st);
    sqlite3_close(db);
    return page;
}

void BM_Reports_Baseline_Klienci(benchmark::State& state)
{
    const QString path = g_fixture->dir.filePath(QStringLiteral("baseline.pdf"));
    int pages = 0;
    bench::WallRate wall;
    for (auto _ : state)
        pages = drawClientsBaseline(path);
    reportPages(state, wall, pages);
}

// ---- memory as the period grows ----------------------------------------------------------

void BM_Reports_Pamiec(benchmark::State& state, const char* from, const char* to)
{
    ui::Script script;
    Device device; // the pages are dropped as they come: reading and layout alone
    for (auto _ : state) {
        malloc_trim(0);
        ShowSprzWgKlientow(qApp, from, to);
        if (!script.messages().isEmpty()) {
            state.SkipWithError(qPrintable(script.lastMessage()));
            break;
        }
    }
    state.counters["pages"] = device.pages;
    state.counters["rss_start_MB"] = device.startMb;
    state.counters["rss_growth_MB"] = device.peakMb - device.startMb;
}

void BM_Reports_Pamiec_Raw(benchmark::State& state, const char* from, const char* to)
{
    double start = 0, peak = 0;
    qint64 rows = 0;
    for (auto _ : state) {
        malloc_trim(0);
        start = residentMb();
        peak = start;
        sqlite3* db = rawOpen();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "select * from Klient_Sprzedaz where Faktura_Data_Wyst>=? and Faktura_Data_Wyst<=? "
                           "order by Nr_Klienta, Faktura_Data_Wyst, Id_Pozycji",
                           -1, &st, nullptr);
        sqlite3_bind_text(st, 1, from, -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 2, to, -1, SQLITE_STATIC);
        rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            if (++rows % 1000 == 0)
                peak = std::max(peak, residentMb());
        peak = std::max(peak, residentMb());
        sqlite3_finalize(st);
        sqlite3_close(db);
    }
    state.counters["rows"] = double(rows);
    state.counters["rss_growth_MB"] = peak - start;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
    std::map<std::string, double> seconds;
    std::map<std::string, double> pages;
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred) {
                seconds[r.run_name.function_name] = r.real_accumulated_time / double(r.iterations);
                if (const auto it = r.counters.find("pages"); it != r.counters.end())
                    pages[r.run_name.function_name] = it->second;
            }
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
    benchmark::RegisterBenchmark("BM_Reports_Klienci_Pdf", BM_Reports_Klienci_Pdf)
        ->Unit(benchmark::kSecond)
        ->MinTime(5);
    benchmark::RegisterBenchmark("BM_Reports_Baseline_Klienci", BM_Reports_Baseline_Klienci)
        ->Unit(benchmark::kSecond)
        ->MinTime(5);
    benchmark::RegisterBenchmark("BM_Reports_Towary_Pdf", BM_Reports_Towary_Pdf)->Unit(benchmark::kSecond)->MinTime(5);
    benchmark::RegisterBenchmark("BM_Reports_Klienci_Podglad", BM_Reports_Klienci_Podglad)
        ->Unit(benchmark::kSecond)
        ->MinTime(5);
    for (const auto& [name, from, to] : {std::tuple{"Miesiac", "2011-03-01", "2011-03-31"},
                                         std::tuple{"Wszystkie_Lata", "2005-01-01", "2014-12-31"}}) {
        benchmark::RegisterBenchmark((std::string("BM_Reports_Pamiec/") + name).c_str(), BM_Reports_Pamiec, from, to)
            ->Unit(benchmark::kSecond)
            ->Iterations(1);
        benchmark::RegisterBenchmark((std::string("BM_Reports_Pamiec_Raw/") + name).c_str(), BM_Reports_Pamiec_Raw,
                                     from, to)
            ->Unit(benchmark::kSecond)
            ->Iterations(1);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto a = reporter.seconds.find("BM_Reports_Klienci_Pdf");
    const auto b = reporter.seconds.find("BM_Reports_Baseline_Klienci");
    if (a != reporter.seconds.end() && b != reporter.seconds.end() && b->second > 0)
        std::printf("clients report, %.0f pages: %.2f s (%.0f pages/s), raw SQLite + QPainter %.0f pages: %.2f s, "
                    "ratio %.2f\n",
                    reporter.pages["BM_Reports_Klienci_Pdf"], a->second,
                    reporter.pages["BM_Reports_Klienci_Pdf"] / a->second, reporter.pages["BM_Reports_Baseline_Klienci"],
                    b->second, a->second / b->second);
    benchmark::Shutdown();
    g_fixture = nullptr;
    QDir::setCurrent(QDir::tempPath());
    return 0;
}
