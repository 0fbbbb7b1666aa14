// The document list and the sales statements on the large database (200,000 documents,
// 1,000,000 lines), each through the program's own windows against raw SQLite doing the same
// work in the same run:
//  - "Pokaż" for one year of every type up to the first screen of the grid, and then Ctrl+End to
//    the last row with its screen (the raw side: the same statement to its first rows and the
//    lines of the first document, a count, and the last rows read backwards with the lines of
//    the last document); a raw reading of every row of the year for comparison;
//  - the sums of a statement after its cursor moved to another client or goods item (the raw
//    side: the same sum() with the same bind on a prepared statement), and the whole move with
//    the detail lines and the grids.
#include "platform/data/Collation.h"
#include "platform/data/Dataset.h"
#include "platform/ui/DbEdit.h"
#include "platform/ui/DbGrid.h"
#include "platform/ui/DbLookupCombo.h"
#include "shell/DataModule1.h"
#include "statements/Form_Lista_Faktur_Wg_Roku.h"
#include "statements/Form_Sprzedaz_Wg_Klienta.h"
#include "statements/Form_Sprzedaz_Wg_Towarow.h"
#include "statements/Nawigacja.h"
#include "support/LargeDb.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

constexpr int kEkran = 40; // rows a list shows at once
const char* const kRok = "2011";
const char* const kSumaKlienta =
    "select sum(wartosc_netto), sum(wartosc_brutto) from faktura_szczegoly where klient_nr=?";
const char* const kSumaTowaru =
    "select sum(ilosc), sum(wartosc_netto), sum(wartosc_brutto) from faktura_szczegoly where towary_symbol=?";

const QString& dbPath()
{
    static const QString p = bench::largeDatabase();
    return p;
}

void modul()
{
    if (!DataModule1) {
        TDataModule1::setReporter([](const QString& m) { qFatal("%s", qPrintable(m)); });
        DataModule1 = new TDataModule1(nullptr, dbPath());
    }
}

// --- "Pokaż" and Ctrl+End in the list by year ------------------------------------------------

struct Lista {
    TForm_Lista_Faktur_Wg_Roku okno;
    Lista()
    {
        okno.JvDBLookupCombo_Rok->setKeyValue(QString::fromLatin1(kRok));
        for (QCheckBox* b : {okno.JvCheckBox_FV, okno.JvCheckBox_KFV, okno.JvCheckBox_PFV, okno.JvCheckBox_NFV})
            b->setChecked(false); // every type
        // Not shown: painting is the window system's work, the same with any data layer.
        okno.resize(862, 624);
    }
    // The grid's texts of the screen from `wiersz` on.
    void ekran(int wiersz)
    {
        ui::DatasetModel* m = okno.JvDBUltimGrid1->datasetModel();
        for (int r = wiersz; r < wiersz + kEkran && r < m->rowCount(); ++r)
            benchmark::DoNotOptimize(m->index(r, m->columnCount() - 1).data());
    }
    void koniec()
    {
        QKeyEvent k(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(okno.JvDBUltimGrid1, &k);
        QApplication::processEvents(); // the grid follows the cursor
        const int n = okno.ADOTable_Faktura->recNo();
        if (n != okno.ADOTable_Faktura->recordCount() || okno.JvDBUltimGrid1->selectedRow() != n - 1)
            qFatal("not on the last row");
        ekran(n - kEkran);
    }
};

void BM_Lista_Pokaz(benchmark::State& st)
{
    modul();
    Lista l;
    for (auto _ : st) {
        l.okno.BitBtn_Pokaz->click();
        l.ekran(0);
    }
    st.counters["rows"] = l.okno.ADOTable_Faktura->recordCount();
}

void BM_Lista_Pokaz_I_Koniec(benchmark::State& st)
{
    modul();
    Lista l;
    for (auto _ : st) {
        l.okno.BitBtn_Pokaz->click();
        l.ekran(0);
        l.koniec();
    }
}

const char* const kRokSql = "select * from Faktura_Kwerenda where Rok = ? order by Typ, Rok, Nr, Id";

struct Surowa {
    sqlite3* db = nullptr;
    Surowa()
    {
        sqlite3_open_v2(dbPath().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        data::registerCollation(db);
    }
    ~Surowa() { sqlite3_close(db); }
    sqlite3_stmt* przygotuj(const char* sql)
    {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
            qFatal("%s", sqlite3_errmsg(db));
        return s;
    }
    // Runs the year's statement and reads up to `wiersze` rows (every column as text); the
    // first row's document number goes to `pierwszy`.
    int czytaj(const char* sql, int wiersze, sqlite3_int64* pierwszy = nullptr)
    {
        sqlite3_stmt* s = przygotuj(sql);
        sqlite3_bind_text(s, 1, kRok, -1, SQLITE_STATIC);
        int n = 0, id = -1;
        for (int k = 0; k < sqlite3_column_count(s); ++k)
            if (qstrcmp(sqlite3_column_name(s, k), "Id") == 0)
                id = k;
        for (; (wiersze < 0 || n < wiersze) && sqlite3_step(s) == SQLITE_ROW; ++n) {
            for (int k = 0; k < sqlite3_column_count(s); ++k)
                benchmark::DoNotOptimize(sqlite3_column_text(s, k));
            if (n == 0 && pierwszy && id >= 0)
                *pierwszy = sqlite3_column_int64(s, id);
        }
        sqlite3_finalize(s);
        return n;
    }
    // The lines of one document in their order, as the list's second grid shows them.
    int pozycje(sqlite3_int64 dokument)
    {
        sqlite3_stmt* s = przygotuj("select * from Faktura_Szczegoly where Id_Fakt = ? order by Id_Fakt, lp");
        sqlite3_bind_int64(s, 1, dokument);
        int n = 0;
        for (; sqlite3_step(s) == SQLITE_ROW; ++n)
            for (int k = 0; k < sqlite3_column_count(s); ++k)
                benchmark::DoNotOptimize(sqlite3_column_text(s, k));
        sqlite3_finalize(s);
        return n;
    }
    // The first screen of the list and the lines of its first document.
    void pokaz()
    {
        sqlite3_int64 pierwszy = -1;
        czytaj(kRokSql, kEkran, &pierwszy);
        if (pozycje(pierwszy) == 0)
            qFatal("the first document has no lines");
    }
    // The year's documents counted on their table, as the list counts them for its last row's
    // number (the saved query adds columns, not rows).
    int ile()
    {
        sqlite3_stmt* s = przygotuj("select count(*) from Faktura where Rok = ?");
        sqlite3_bind_text(s, 1, kRok, -1, SQLITE_STATIC);
        sqlite3_step(s);
        const int n = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
        return n;
    }
};

const char* const kRokOdKoncaSql =
    "select * from Faktura_Kwerenda where Rok = ? order by Typ desc, Rok desc, Nr desc, Id desc";

// The list's work it stands for: its first screen and the lines of the document it stands on.
void BM_Surowe_Lista_Pokaz(benchmark::State& st)
{
    Surowa r;
    for (auto _ : st)
        r.pokaz();
}

// The list's work it stands for: "Pokaż" as above, the count that numbers the last row, and
// the last screen read from the end in the reverse order (an index serves both ends) with the
// lines of the last document, which the second grid then shows.
void BM_Surowe_Lista_Pokaz_I_Koniec(benchmark::State& st)
{
    Surowa r;
    for (auto _ : st) {
        r.pokaz();
        benchmark::DoNotOptimize(r.ile());
        sqlite3_int64 ostatni = -1;
        r.czytaj(kRokOdKoncaSql, kEkran, &ostatni);
        r.pozycje(ostatni);
    }
}

// For comparison: what reading every row of the year costs.
void BM_Surowe_Lista_WszystkieWiersze(benchmark::State& st)
{
    Surowa r;
    for (auto _ : st)
        st.counters["rows"] = r.czytaj(kRokSql, -1);
}

// --- the sums after a move of the master row ---------------------------------------------------

// The window's sum step for a changing key, as its after-scroll handler runs it.
template <int Keys>
void sumy(benchmark::State& st, const char* sql, const char* format)
{
    modul();
    data::Query q;
    q.setConnection(DataModule1->ADOConnection1);
    int i = 0;
    for (auto _ : st) {
        statements::Czytaj_Sumy(q, QString::fromLatin1(sql), QString::asprintf(format, i++ % Keys + 1));
        benchmark::DoNotOptimize(q.fieldByName(QStringLiteral("Expr1001")).asString());
    }
}

template <int Keys>
void sumySurowe(benchmark::State& st, const char* sql, const char* format)
{
    Surowa r;
    sqlite3_stmt* s = r.przygotuj(sql);
    int i = 0;
    char klucz[16];
    for (auto _ : st) {
        std::snprintf(klucz, sizeof klucz, format, i++ % Keys + 1);
        sqlite3_reset(s);
        sqlite3_bind_text(s, 1, klucz, -1, SQLITE_TRANSIENT);
        if (sqlite3_step(s) != SQLITE_ROW)
            qFatal("no sum");
        benchmark::DoNotOptimize(sqlite3_column_double(s, 1));
    }
    sqlite3_finalize(s);
}

void BM_Sumy_Klienta(benchmark::State& st) { sumy<5000>(st, kSumaKlienta, "K%05d"); }
void BM_Surowe_Sumy_Klienta(benchmark::State& st) { sumySurowe<5000>(st, kSumaKlienta, "K%05d"); }
void BM_Sumy_Towaru(benchmark::State& st) { sumy<2000>(st, kSumaTowaru, "T%05d"); }
void BM_Surowe_Sumy_Towaru(benchmark::State& st) { sumySurowe<2000>(st, kSumaTowaru, "T%05d"); }

// The whole move in the window: the sums, the detail lines and the grids' screens.
template <class Okno>
void ruch(benchmark::State& st)
{
    modul();
    Okno okno;
    data::Table* m = okno.Glowna;
    for (auto _ : st) {
        m->next();
        if (m->eof())
            m->first();
        QApplication::processEvents();
        benchmark::DoNotOptimize(okno.Suma(QStringLiteral("DBEdit1"))->text());
        benchmark::DoNotOptimize(okno.JvDBUltimGrid2->datasetModel()->index(kEkran - 1, 0).data());
    }
}
void BM_Ruch_Klienta(benchmark::State& st) { ruch<TForm_Sprzedaz_Wg_Klienta>(st); }
void BM_Ruch_Towaru(benchmark::State& st) { ruch<TForm_Sprzedaz_Wg_Towarow>(st); }

} // namespace

BENCHMARK(BM_Lista_Pokaz)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Surowe_Lista_Pokaz)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lista_Pokaz_I_Koniec)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Surowe_Lista_Pokaz_I_Koniec)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Surowe_Lista_WszystkieWiersze)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sumy_Klienta)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Surowe_Sumy_Klienta)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sumy_Towaru)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Surowe_Sumy_Towaru)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Ruch_Klienta)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Ruch_Towaru)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dbPath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete DataModule1;
    DataModule1 = nullptr;
    return 0;
}
