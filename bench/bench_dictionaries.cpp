// Dictionaries on a large database (50,000 clients, 20,000 goods): opening the client list and
// the goods pick, sorting the clients by name and searching a name prefix, each through the
// program's own layers (dataset + data grid showing its first screen) against the same query on
// raw SQLite in the same run.
#include "platform/data/Collation.h"
#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"
#include "platform/ui/DbGrid.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kKlienci = 50000;
constexpr int kTowary = 20000;
constexpr int kEkran = 40; // rows a list shows at once

QString baza()
{
    static const QString path = [] {
        const QString p = QDir::temp().filePath(QStringLiteral("tarnex_bench_dictionaries.mdb"));
        QFile::remove(p);
        QFile::remove(p + QStringLiteral("-wal"));
        QFile::remove(p + QStringLiteral("-shm"));
        const QString err = data::createDatabase(p, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql"));
        if (!err.isEmpty())
            qFatal("%s", qPrintable(err));
        data::Connection c;
        c.open(p);
        c.exec(QStringLiteral("begin"));
        for (int i = 0; i < kKlienci; ++i) {
            // Names in an order unrelated to the numbers.
            const int n = int((i * 7919LL) % kKlienci);
            c.exec(QStringLiteral(
                       "insert into Klienci (Nr_Klienta, Nazwa_Nazwisko, NIP, Miasto, Czy_Firma) values (?,?,?,?,?)"),
                   {QStringLiteral("K%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("Łukasz Nazwisko %1").arg(n),
                    QString::number(1000000000LL + i), QStringLiteral("Kraków"), i % 2});
        }
        for (int i = 0; i < kTowary; ++i)
            c.exec(QStringLiteral("insert into Towary (Symbol, Nazwa, PKWIU, Jm, Vat_Opis, Vat_Wart, Cena_Netto_Sprz, "
                                  "Cena_Brutto_Sprz, Arch) values (?,?,?,?,?,?,?,?,?)"),
                   {QStringLiteral("T%1").arg(i, 6, 10, QLatin1Char('0')),
                    QStringLiteral("Towar %1").arg((i * 31) % kTowary), QString(), QStringLiteral("szt"),
                    QStringLiteral("23"), 23, i * 1.5, i * 1.845, i % 10 == 0});
        c.exec(QStringLiteral("commit"));
        return p;
    }();
    return path;
}

// --- the program's layers ---------------------------------------------------------------------

struct Lista {
    data::Connection c;
    data::Table t;
    data::DataSource s;
    ui::DbGrid g;
    Lista(const char* tabela, const char* indeks, const char* kolumna)
    {
        c.open(baza());
        t.setConnection(&c);
        t.setTableName(QString::fromLatin1(tabela));
        t.setIndexFieldNames(QString::fromLatin1(indeks));
        s.setDataset(&t);
        g.addColumn(QString::fromLatin1(indeks));
        g.addColumn(QString::fromLatin1(kolumna));
        g.setDataSource(&s);
    }
    void ekran() { benchmark::DoNotOptimize(g.datasetModel()->index(kEkran - 1, 1).data()); }
};

void BM_ListaKlientow_Otwarcie(benchmark::State& st)
{
    Lista l("Klienci", "Nr_Klienta", "Nazwa_Nazwisko");
    for (auto _ : st) {
        l.t.close();
        l.t.open();
        l.ekran();
    }
}

void BM_WyborTowaru_Otwarcie(benchmark::State& st)
{
    Lista l("Towary", "Symbol", "Nazwa");
    for (auto _ : st) {
        l.t.close();
        l.t.setFiltered(true);
        l.t.setFilter(QStringLiteral("arch=false"));
        l.t.open();
        l.ekran();
    }
}

void BM_Klienci_SortujWgNazwy(benchmark::State& st)
{
    Lista l("Klienci", "Nr_Klienta", "Nazwa_Nazwisko");
    l.t.open();
    bool nazwa = false;
    for (auto _ : st) {
        nazwa = !nazwa;
        l.t.setIndexFieldNames(nazwa ? QStringLiteral("Nazwa_Nazwisko") : QStringLiteral("Nr_Klienta"));
        l.t.refresh();
        l.ekran();
    }
}

void BM_Klienci_Szukaj(benchmark::State& st)
{
    Lista l("Klienci", "Nazwa_Nazwisko", "Nr_Klienta");
    l.t.open();
    int i = 0;
    for (auto _ : st) {
        l.t.first();
        const QString tekst = QStringLiteral("łukasz nazwisko %1").arg((i++ * 104729) % kKlienci);
        if (!l.t.locate(QStringLiteral("Nazwa_Nazwisko"), tekst, {.caseInsensitive = true, .partialKey = true}))
            st.SkipWithError("not found");
        benchmark::DoNotOptimize(l.t.fieldByName(QStringLiteral("Nr_Klienta")).asString());
    }
}

// --- raw SQLite ---------------------------------------------------------------------------------

struct Surowa {
    sqlite3* db = nullptr;
    Surowa()
    {
        sqlite3_open_v2(baza().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        data::registerCollation(db);
    }
    ~Surowa() { sqlite3_close(db); }
    // Runs `sql` and reads `wiersze` rows (all columns as text).
    void czytaj(const char* sql, int wiersze, const QString& wartosc = QString())
    {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
        QByteArray w = wartosc.toUtf8();
        if (!wartosc.isNull())
            sqlite3_bind_text(s, 1, w.constData(), int(w.size()), SQLITE_TRANSIENT);
        for (int n = 0; n < wiersze && sqlite3_step(s) == SQLITE_ROW; ++n)
            for (int k = 0; k < sqlite3_column_count(s); ++k)
                benchmark::DoNotOptimize(sqlite3_column_text(s, k));
        sqlite3_finalize(s);
    }
};

void BM_Surowe_ListaKlientow_Otwarcie(benchmark::State& st)
{
    Surowa r;
    for (auto _ : st)
        r.czytaj("select rowid, * from Klienci order by Nr_Klienta", kEkran);
}

void BM_Surowe_WyborTowaru_Otwarcie(benchmark::State& st)
{
    Surowa r;
    for (auto _ : st)
        r.czytaj("select rowid, * from Towary where Arch=0 order by Symbol", kEkran);
}

void BM_Surowe_Klienci_SortujWgNazwy(benchmark::State& st)
{
    Surowa r;
    bool nazwa = false;
    for (auto _ : st) {
        nazwa = !nazwa;
        r.czytaj(nazwa ? "select rowid, * from Klienci order by Nazwa_Nazwisko"
                       : "select rowid, * from Klienci order by Nr_Klienta",
                 kEkran);
    }
}

void BM_Surowe_Klienci_Szukaj(benchmark::State& st)
{
    Surowa r;
    int i = 0;
    for (auto _ : st) {
        const QString tekst = QStringLiteral("łukasz nazwisko %1").arg((i++ * 104729) % kKlienci);
        r.czytaj("select rowid, * from Klienci where Nazwa_Nazwisko >= ? order by Nazwa_Nazwisko", 1, tekst);
    }
}

} // namespace

BENCHMARK(BM_ListaKlientow_Otwarcie)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Surowe_ListaKlientow_Otwarcie)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WyborTowaru_Otwarcie)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Surowe_WyborTowaru_Otwarcie)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Klienci_SortujWgNazwy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Surowe_Klienci_SortujWgNazwy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Klienci_Szukaj)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Surowe_Klienci_Szukaj)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    baza();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

namespace {
// The dataset alone, without the grid: where the opening time goes.
void BM_ListaKlientow_SamoOtwarcieTabeli(benchmark::State& st)
{
    data::Connection c;
    c.open(baza());
    data::Table t;
    t.setConnection(&c);
    t.setTableName(QStringLiteral("Klienci"));
    t.setIndexFieldNames(QStringLiteral("Nr_Klienta"));
    for (auto _ : st) {
        t.close();
        t.open();
        for (int i = 0; i < kEkran && !t.eof(); ++i)
            t.next();
    }
}
} // namespace
BENCHMARK(BM_ListaKlientow_SamoOtwarcieTabeli)->Unit(benchmark::kMillisecond);
