// The data layer against raw SQLite doing the same work, on a large database
// (5,000 clients, 2,000 goods, 200,000 documents, 1,000,000 lines).
#include "platform/data/Collation.h"
#include "platform/data/Dataset.h"
#include "shell/DataModule1.h"
#include "support/LargeDb.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cctype>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

const QString& dbPath()
{
    static const QString p = bench::largeDatabase();
    return p;
}

sqlite3* rawOpen()
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(dbPath().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    data::registerCollation(db);
    sqlite3_busy_timeout(db, 5000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    return db;
}

int nextNr = 0; // documents inserted by the benchmarks go into year 2099 and are removed at the end

// --- open the data module ---------------------------------------------------------------------

void BM_OpenDataModule(benchmark::State& state)
{
    TDataModule1::setReporter([](const QString& m) { qFatal("%s", qPrintable(m)); });
    for (auto _ : state) {
        TDataModule1 dm(nullptr, dbPath());
        benchmark::DoNotOptimize(dm.ADOTable_Faktura_Szczegoly->recNo());
    }
}
BENCHMARK(BM_OpenDataModule)->Unit(benchmark::kMillisecond);

// What the program's schema holds, as names: every table and view with each of its columns
// ("table.column"), and every index. Read once from the schema file in a database in memory,
// as the module reads its copy once per run.
struct ExpectedSchema {
    std::vector<std::string> columns, indexes;
};

// Each table and view of db with its columns, and its indexes, from one read of sqlite_schema.
ExpectedSchema readSchema(sqlite3* db)
{
    ExpectedSchema out;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "select m.type, m.name, p.name from sqlite_schema m left join pragma_table_info(m.name) p "
                       "where m.type in ('table','view','index') and m.name not like 'sqlite_%'",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
        const std::string type = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        std::string name = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
        if (type == "index") {
            out.indexes.push_back(std::move(name));
        } else if (const unsigned char* col = sqlite3_column_text(st, 2)) {
            for (char& ch : name)
                ch = char(std::tolower(static_cast<unsigned char>(ch)));
            out.columns.push_back(name + '.' + reinterpret_cast<const char*>(col));
        }
    }
    sqlite3_finalize(st);
    std::sort(out.columns.begin(), out.columns.end());
    std::sort(out.indexes.begin(), out.indexes.end());
    return out;
}

const ExpectedSchema& expectedSchema()
{
    static const ExpectedSchema e = [] {
        QFile f(QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql"));
        if (!f.open(QIODevice::ReadOnly))
            qFatal("no schema file");
        sqlite3* db = nullptr;
        sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        data::registerCollation(db);
        if (sqlite3_exec(db, f.readAll().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("%s", sqlite3_errmsg(db));
        ExpectedSchema s = readSchema(db);
        sqlite3_close(db);
        return s;
    }();
    return e;
}

void BM_OpenRaw(benchmark::State& state)
{
    const ExpectedSchema& expected = expectedSchema();
    const char* sql[] = {"select rowid, * from Klienci order by Nr_Klienta, rowid",
                         "select rowid, * from Towary order by Symbol, rowid",
                         "select rowid, * from Vat",
                         "select rowid, * from Faktura",
                         "select rowid, * from Faktura_Szczegoly",
                         "select rowid, * from Forma_Zaplaty"};
    for (auto _ : state) {
        sqlite3* db = rawOpen();
        // The checks the module makes on opening: every table, view and column of the schema
        // there, and every index (none is missing here, so none is made).
        const ExpectedSchema found = readSchema(db);
        if (!std::includes(found.columns.begin(), found.columns.end(), expected.columns.begin(), expected.columns.end())
            || !std::includes(found.indexes.begin(), found.indexes.end(), expected.indexes.begin(),
                              expected.indexes.end()))
            state.SkipWithError("schema differs");
        for (const char* s : sql) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, s, -1, &st, nullptr);
            benchmark::DoNotOptimize(sqlite3_step(st));
            sqlite3_finalize(st);
        }
        sqlite3_close(db);
    }
}
BENCHMARK(BM_OpenRaw)->Unit(benchmark::kMillisecond);

// --- filter the document list by one year and walk it -----------------------------------------

void BM_FilterYear_Dataset(benchmark::State& state)
{
    data::Connection c;
    c.open(dbPath());
    for (auto _ : state) {
        data::Table t;
        t.setConnection(&c);
        t.setTableName(QStringLiteral("Faktura_Kwerenda"));
        t.setFilter(QStringLiteral("Rok=2011"));
        t.setFiltered(true);
        t.open();
        data::Field& f = t.fieldByName(QStringLiteral("Wart_Brutto"));
        double sum = 0;
        int n = 0;
        for (t.first(); !t.eof(); t.next()) {
            sum += f.asFloat();
            ++n;
        }
        benchmark::DoNotOptimize(sum);
        state.counters["rows"] = n;
    }
}
BENCHMARK(BM_FilterYear_Dataset)->Unit(benchmark::kMillisecond);

// The data set's work it stands for: the year's rows of the saved query, every column of each
// read as its kind of value (the data set keeps whole rows), and the sum of one.
void BM_FilterYear_Raw(benchmark::State& state)
{
    sqlite3* db = rawOpen();
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "select * from Faktura_Kwerenda where Rok = ?", -1, &st, nullptr);
        sqlite3_bind_text(st, 1, "2011", -1, SQLITE_STATIC);
        const int col = 16; // Wart_Brutto
        const int cols = sqlite3_column_count(st);
        double sum = 0;
        int n = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int k = 0; k < cols; ++k)
                switch (sqlite3_column_type(st, k)) {
                case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(st, k)); break;
                case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(st, k)); break;
                case SQLITE_TEXT:
                    benchmark::DoNotOptimize(QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(st, k)), sqlite3_column_bytes(st, k)));
                    break;
                default: break;
                }
            sum += sqlite3_column_double(st, col);
            ++n;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sum);
        state.counters["rows"] = n;
    }
    sqlite3_close(db);
}
BENCHMARK(BM_FilterYear_Raw)->Unit(benchmark::kMillisecond);

// --- locate a client by a name prefix ---------------------------------------------------------

QString clientPrefix()
{
    data::Connection c;
    c.open(dbPath());
    return c.scalar(QStringLiteral("select Nazwa_Nazwisko from Klienci where Nr_Klienta='K02500'")).toString().left(14);
}

void BM_LocatePrefix_Dataset(benchmark::State& state)
{
    const QString prefix = clientPrefix().toUpper();
    data::Connection c;
    c.open(dbPath());
    for (auto _ : state) {
        data::Table t;
        t.setConnection(&c);
        t.setTableName(QStringLiteral("Klienci"));
        t.setIndexFieldNames(QStringLiteral("Nr_Klienta"));
        t.open();
        if (!t.locate(QStringLiteral("Nazwa_Nazwisko"), prefix, {true, true}))
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(t.recNo());
    }
}
BENCHMARK(BM_LocatePrefix_Dataset)->Unit(benchmark::kMillisecond);

void BM_LocatePrefix_OpenDataset(benchmark::State& state)
{
    const QString prefix = clientPrefix().toUpper();
    data::Connection c;
    c.open(dbPath());
    data::Table t;
    t.setConnection(&c);
    t.setTableName(QStringLiteral("Klienci"));
    t.setIndexFieldNames(QStringLiteral("Nr_Klienta"));
    t.open();
    for (auto _ : state) {
        t.first();
        if (!t.locate(QStringLiteral("Nazwa_Nazwisko"), prefix, {true, true}))
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(t.recNo());
    }
}
BENCHMARK(BM_LocatePrefix_OpenDataset)->Unit(benchmark::kMillisecond);

void BM_LocatePrefix_Raw(benchmark::State& state)
{
    const QByteArray like = (clientPrefix() + QLatin1Char('%')).toUtf8(); // LIKE folds ASCII only
    sqlite3* db = rawOpen();
    for (auto _ : state) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "select rowid from Klienci where Nazwa_Nazwisko like ? order by Nr_Klienta limit 1", -1,
                           &st, nullptr);
        sqlite3_bind_text(st, 1, like.constData(), -1, SQLITE_STATIC);
        if (sqlite3_step(st) != SQLITE_ROW)
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
}
BENCHMARK(BM_LocatePrefix_Raw)->Unit(benchmark::kMillisecond);

// --- open the document list over every year and jump to its last document -------------------
// The list by year asks for the order "typ;rok;nr" and, with "Wszystkie" and no type ticked, the
// filter "Rok>0", which compares the year text as a number. Jumping to the last document makes
// it current with its fields; its number (the grid's row) is a count: the table's count less
// the rows the filter leaves out, found through the index on the year as a number.

void openList(data::Table& t, data::Connection& c, const QString& order, const QString& filter)
{
    t.setConnection(&c);
    t.setTableName(QStringLiteral("Faktura_Kwerenda"));
    t.setIndexFieldNames(order);
    t.setFilter(filter);
    t.setFiltered(!filter.isEmpty());
    t.open();
}

const char* const kByYear = "typ;rok;nr";
const char* const kEveryYear = "Rok>0";
// What the filter layer makes of "Rok>0" and of the order, for the raw statements.
const char* const kEveryYearSql = "cast(Rok AS NUMERIC) > 0";
// The rows it leaves out, as the list writes them (the index serves the cast only as written
// in the index, "AS NUMERIC" in capitals).
const char* const kEveryYearLeftOut = "Rok is null or cast(Rok AS NUMERIC) collate binary <= ?1";
const char* const kByYearDesc = " order by Typ desc, Rok desc, Nr desc";

void lastDocument(benchmark::State& state, const QString& filter, bool number)
{
    data::Connection c;
    c.open(dbPath());
    for (auto _ : state) {
        data::Table t;
        openList(t, c, QString::fromLatin1(kByYear), filter);
        t.last();
        if (t.fieldByName(QStringLiteral("Typ")).asString() != QLatin1String("PFV") || (number && t.recNo() != 200000))
            state.SkipWithError("not the last document");
        benchmark::DoNotOptimize(t.fieldByName(QStringLiteral("Nr")).asInteger());
    }
}

// The list's work it stands for: opening it (its statement in the list's order prepared and
// its first row read), the last document read from the end, and with `number` its count (the
// same count the list makes).
void lastDocumentRaw(benchmark::State& state, const QString& where, bool number)
{
    sqlite3* db = rawOpen();
    const QByteArray first = ("select * from Faktura_Kwerenda" + where + " order by Typ, Rok, Nr").toUtf8();
    const QByteArray last = ("select * from Faktura_Kwerenda" + where + QString::fromLatin1(kByYearDesc)).toUtf8();
    const QByteArray count = where.isEmpty() ? QByteArray("select count(*) from Faktura")
                                             : QByteArray("select (select count(*) from Faktura) - "
                                                          "(select count(*) from Faktura where ")
            + kEveryYearLeftOut + ")";
    for (auto _ : state) {
        sqlite3_stmt *f = nullptr, *l = nullptr, *n = nullptr;
        sqlite3_prepare_v2(db, first.constData(), -1, &f, nullptr);
        if (sqlite3_step(f) != SQLITE_ROW)
            state.SkipWithError("no document");
        sqlite3_prepare_v2(db, last.constData(), -1, &l, nullptr);
        if (sqlite3_step(l) != SQLITE_ROW)
            state.SkipWithError("no document");
        if (number) {
            sqlite3_prepare_v2(db, count.constData(), -1, &n, nullptr);
            if (!where.isEmpty())
                sqlite3_bind_int(n, 1, 0);
            if (sqlite3_step(n) != SQLITE_ROW || sqlite3_column_int(n, 0) != 200000)
                state.SkipWithError("not the last document");
        }
        benchmark::DoNotOptimize(sqlite3_column_int(l, 3));
        sqlite3_finalize(f);
        sqlite3_finalize(l);
        sqlite3_finalize(n);
    }
    sqlite3_close(db);
}

const QString everyYearWhere = QStringLiteral(" where ") + QString::fromLatin1(kEveryYearSql);

void BM_LastDocument_Dataset(benchmark::State& state) { lastDocument(state, QString::fromLatin1(kEveryYear), false); }
void BM_LastDocument_Raw(benchmark::State& state) { lastDocumentRaw(state, everyYearWhere, false); }
BENCHMARK(BM_LastDocument_Dataset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastDocument_Raw)->Unit(benchmark::kMillisecond);

// The same with the last document's number.
void BM_LastDocumentNumber_Dataset(benchmark::State& state)
{
    lastDocument(state, QString::fromLatin1(kEveryYear), true);
}
void BM_LastDocumentNumber_Raw(benchmark::State& state) { lastDocumentRaw(state, everyYearWhere, true); }
BENCHMARK(BM_LastDocumentNumber_Dataset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastDocumentNumber_Raw)->Unit(benchmark::kMillisecond);

// Unfiltered: the number is a count of the table's rows.
void BM_LastDocumentNumberUnfiltered_Dataset(benchmark::State& state) { lastDocument(state, QString(), true); }
void BM_LastDocumentNumberUnfiltered_Raw(benchmark::State& state) { lastDocumentRaw(state, QString(), true); }
BENCHMARK(BM_LastDocumentNumberUnfiltered_Dataset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LastDocumentNumberUnfiltered_Raw)->Unit(benchmark::kMillisecond);

// The list by period asks for no order (the saved query's own): the last row is read by its
// position, after a count.
void BM_LastDocumentByPeriod_Dataset(benchmark::State& state)
{
    data::Connection c;
    c.open(dbPath());
    for (auto _ : state) {
        data::Table t;
        openList(t, c, QString(), QStringLiteral("data_wyst>=2005-01-01 and data_wyst<=2014-12-31"));
        t.last();
        if (t.recNo() != 200000)
            state.SkipWithError("not the last document");
        benchmark::DoNotOptimize(t.fieldByName(QStringLiteral("Nr")).asInteger());
    }
}
BENCHMARK(BM_LastDocumentByPeriod_Dataset)->Unit(benchmark::kMillisecond);

void BM_LastDocumentByPeriod_Raw(benchmark::State& state)
{
    sqlite3* db = rawOpen();
    for (auto _ : state) {
        sqlite3_stmt *count = nullptr, *last = nullptr;
        sqlite3_prepare_v2(db,
                           "select count(*) from Faktura where Data_Wyst >= '2005-01-01' and Data_Wyst <= '2014-12-31'",
                           -1, &count, nullptr);
        sqlite3_prepare_v2(
            db,
            "select * from Faktura_Kwerenda where Data_Wyst >= '2005-01-01' and Data_Wyst <= '2014-12-31' "
            "limit 1 offset ?",
            -1, &last, nullptr);
        if (sqlite3_step(count) != SQLITE_ROW)
            state.SkipWithError("no count");
        sqlite3_bind_int(last, 1, sqlite3_column_int(count, 0) - 1);
        if (sqlite3_step(last) != SQLITE_ROW)
            state.SkipWithError("not the last document");
        benchmark::DoNotOptimize(sqlite3_column_int(last, 3));
        sqlite3_finalize(count);
        sqlite3_finalize(last);
    }
    sqlite3_close(db);
}
BENCHMARK(BM_LastDocumentByPeriod_Raw)->Unit(benchmark::kMillisecond);

// --- insert one 20-line document in one transaction --------------------------------------------

void BM_InsertDocument_Dataset(benchmark::State& state)
{
    data::Connection c;
    c.open(dbPath());
    data::Table head, lines;
    head.setConnection(&c);
    head.setTableName(QStringLiteral("Faktura"));
    lines.setConnection(&c);
    lines.setTableName(QStringLiteral("Faktura_Szczegoly"));
    head.open();
    lines.open();
    for (auto _ : state) {
        const int nr = ++nextNr;
        data::Transaction tx(c);
        head.append();
        head.fieldByName(QStringLiteral("Typ")).setAsString(QStringLiteral("FV"));
        head.fieldByName(QStringLiteral("Rok")).setAsString(QStringLiteral("2099"));
        head.fieldByName(QStringLiteral("Nr")).setAsInteger(nr);
        head.fieldByName(QStringLiteral("Data_Wyst")).setAsString(QStringLiteral("2099-01-02"));
        head.fieldByName(QStringLiteral("Klient_Nr")).setAsString(QStringLiteral("K00001"));
        head.fieldByName(QStringLiteral("Klient_Nazwa_Nazwisko")).setAsString(QStringLiteral("O'Brien"));
        head.fieldByName(QStringLiteral("Netto_Brutto")).setAsString(QStringLiteral("netto"));
        head.fieldByName(QStringLiteral("Wart_Netto")).setAsFloat(100);
        head.fieldByName(QStringLiteral("Wart_Brutto")).setAsFloat(123);
        head.post();
        const qint64 id = head.lastInsertId();
        for (int lp = 1; lp <= 20; ++lp) {
            lines.append();
            lines.fieldByName(QStringLiteral("Id_Fakt")).setAsInteger(id);
            lines.fieldByName(QStringLiteral("Lp")).setAsInteger(lp);
            lines.fieldByName(QStringLiteral("Towary_Symbol")).setAsString(QStringLiteral("T00001"));
            lines.fieldByName(QStringLiteral("Towary_Nazwa")).setAsString(QStringLiteral("Towar nr 1"));
            lines.fieldByName(QStringLiteral("Ilosc")).setAsString(QStringLiteral("2,5"));
            lines.fieldByName(QStringLiteral("Towary_Cena")).setAsFloat(10);
            lines.fieldByName(QStringLiteral("Wartosc_Netto")).setAsFloat(25);
            lines.fieldByName(QStringLiteral("Kwota_Vat")).setAsFloat(5.75);
            lines.fieldByName(QStringLiteral("Wartosc_Brutto")).setAsFloat(30.75);
            lines.fieldByName(QStringLiteral("Faktura_Typ")).setAsString(QStringLiteral("FV"));
            lines.fieldByName(QStringLiteral("Faktura_Nr")).setAsInteger(nr);
            lines.fieldByName(QStringLiteral("Faktura_Rok")).setAsInteger(2099);
            lines.fieldByName(QStringLiteral("Faktura_Nr_Koncowy")).setAsInteger(nr);
            lines.fieldByName(QStringLiteral("Faktura_Rok_Koncowy")).setAsInteger(2099);
            lines.post();
        }
        tx.commit();
    }
}
BENCHMARK(BM_InsertDocument_Dataset)->Unit(benchmark::kMicrosecond);

void BM_InsertDocument_Raw(benchmark::State& state)
{
    sqlite3* db = rawOpen();
    sqlite3_stmt *h = nullptr, *l = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into Faktura (Typ, Rok, Nr, Data_Wyst, Klient_Nr, Klient_Nazwa_Nazwisko, "
                       "Netto_Brutto, Wart_Netto, Wart_Brutto) values (?,?,?,?,?,?,?,?,?)",
                       -1, &h, nullptr);
    sqlite3_prepare_v2(db,
                       "insert into Faktura_Szczegoly (Id_Fakt, Lp, Towary_Symbol, Towary_Nazwa, Ilosc, "
                       "Towary_Cena, Wartosc_Netto, Kwota_Vat, Wartosc_Brutto, Faktura_Typ, Faktura_Nr, "
                       "Faktura_Rok, Faktura_Nr_Koncowy, Faktura_Rok_Koncowy) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &l, nullptr);
    for (auto _ : state) {
        const int nr = ++nextNr;
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_bind_text(h, 1, "FV", -1, SQLITE_STATIC);
        sqlite3_bind_text(h, 2, "2099", -1, SQLITE_STATIC);
        sqlite3_bind_int(h, 3, nr);
        sqlite3_bind_text(h, 4, "2099-01-02", -1, SQLITE_STATIC);
        sqlite3_bind_text(h, 5, "K00001", -1, SQLITE_STATIC);
        sqlite3_bind_text(h, 6, "O'Brien", -1, SQLITE_STATIC);
        sqlite3_bind_text(h, 7, "netto", -1, SQLITE_STATIC);
        sqlite3_bind_double(h, 8, 100);
        sqlite3_bind_double(h, 9, 123);
        sqlite3_step(h);
        sqlite3_reset(h);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(db);
        for (int lp = 1; lp <= 20; ++lp) {
            sqlite3_bind_int64(l, 1, id);
            sqlite3_bind_int(l, 2, lp);
            sqlite3_bind_text(l, 3, "T00001", -1, SQLITE_STATIC);
            sqlite3_bind_text(l, 4, "Towar nr 1", -1, SQLITE_STATIC);
            sqlite3_bind_double(l, 5, 2.5);
            sqlite3_bind_double(l, 6, 10);
            sqlite3_bind_double(l, 7, 25);
            sqlite3_bind_double(l, 8, 5.75);
            sqlite3_bind_double(l, 9, 30.75);
            sqlite3_bind_text(l, 10, "FV", -1, SQLITE_STATIC);
            sqlite3_bind_int(l, 11, nr);
            sqlite3_bind_int(l, 12, 2099);
            sqlite3_bind_int(l, 13, nr);
            sqlite3_bind_int(l, 14, 2099);
            sqlite3_step(l);
            sqlite3_reset(l);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(h);
    sqlite3_finalize(l);
    sqlite3_close(db);
}
BENCHMARK(BM_InsertDocument_Raw)->Unit(benchmark::kMicrosecond);

void removeInserted()
{
    sqlite3* db = rawOpen();
    sqlite3_exec(db,
                 "delete from Faktura_Szczegoly where Faktura_Rok=2099; delete from Faktura where Rok='2099';"
                 "PRAGMA wal_checkpoint(TRUNCATE)",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// --- a long list read screen by screen between the user's actions -----------------------------

// 50 screens of 40 rows of a list, the connection releasing its reads after each screen as it
// does whenever the program waits for the user (each reading then goes on where it was by its
// sort keys, which an index finds: the lines' index on Id_Fakt, Lp; the year's documents by Rok,
// Typ, Nr), against the same screens read with no pause between them.
void screens(benchmark::State& state, const char* table, const char* order, const char* filter, bool release)
{
    data::Connection c;
    c.open(dbPath());
    for (auto _ : state) {
        data::Table t;
        t.setConnection(&c);
        t.setTableName(QString::fromLatin1(table));
        t.setIndexFieldNames(QString::fromLatin1(order));
        t.setFilter(QString::fromLatin1(filter));
        t.setFiltered(true);
        t.open();
        for (int screen = 0; screen < 50; ++screen) {
            for (int row = 0; row < 40 && !t.eof(); ++row)
                t.next();
            if (release)
                c.releaseReads();
        }
        benchmark::DoNotOptimize(t.recNo());
    }
}
void BM_LinesScreens_Released(benchmark::State& s) { screens(s, "Faktura_Szczegoly", "Id_Fakt;Lp", "", true); }
void BM_LinesScreens_Straight(benchmark::State& s) { screens(s, "Faktura_Szczegoly", "Id_Fakt;Lp", "", false); }
void BM_YearListScreens_Released(benchmark::State& s)
{
    screens(s, "Faktura_Kwerenda", "typ;rok;nr", "Rok=2011", true);
}
void BM_YearListScreens_Straight(benchmark::State& s)
{
    screens(s, "Faktura_Kwerenda", "typ;rok;nr", "Rok=2011", false);
}
BENCHMARK(BM_LinesScreens_Released)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinesScreens_Straight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearListScreens_Released)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearListScreens_Straight)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    dbPath(); // generate before timing
    removeInserted();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    removeInserted();
    return 0;
}
