// Saving a 20-line VAT invoice through the document store (numbering, header, lines, one
// transaction) against raw SQLite doing the same statements, on a fresh database; and the same
// saves while another process writes into the file, against the saves alone.
#include "documents/DocumentStore.h"
#include "platform/data/Collation.h"
#include "platform/data/Connection.h"
#include "platform/data/Dataset.h"
#include "platform/data/Schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Db {
    QTemporaryDir dir;
    QString path;
    Db()
    {
        path = dir.filePath(QStringLiteral("db.mdb"));
        data::createDatabase(path, QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql"));
    }
};

documents::Document invoice()
{
    using namespace documents;
    Document d;
    d.own = Identity{QStringLiteral("FV"), QStringLiteral("2011"), 0};
    d.dataWyst = QDate(2011, 3, 5);
    d.buyer.nr = QStringLiteral("K00001");
    d.buyer.nazwa = QStringLiteral("O'Brien");
    d.formaZaplaty = 1;
    for (int lp = 1; lp <= 20; ++lp) {
        DocumentLine l;
        l.symbol = QStringLiteral("T00001");
        l.nazwa = QStringLiteral("Towar nr 1");
        l.ilosc = 2.5;
        l.cena = 10;
        l.vatOpis = QStringLiteral("23");
        l.vatWart = 23;
        l.netto = Money::fromGrosze(2500);
        l.vat = Money::fromGrosze(575);
        l.brutto = Money::fromGrosze(3075);
        d.lines.push_back(l);
    }
    d.wartNetto = Money::fromGrosze(50000);
    d.wartBrutto = Money::fromGrosze(61500);
    return d;
}

// Saves the invoice with the store as the program does: on the program's file, with the shared
// tables open over more rows than they have read.
void storeSaves(benchmark::State& state, const Db& db)
{
    // Opened as the data module opens the program's file: told the schema it must hold, so
    // that the file is switched to WAL as the baseline's is.
    QFile schema(QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql"));
    schema.open(QIODevice::ReadOnly);
    data::Connection c;
    c.setRequiredSchema(data::schemaObjects(schema.readAll()));
    if (!c.open(db.path)) {
        state.SkipWithError(qPrintable(c.lastError()));
        return;
    }
    if (c.scalar(QStringLiteral("PRAGMA journal_mode")).toString() != QLatin1String("wal")) {
        state.SkipWithError("the store's file is not in WAL mode");
        return;
    }
    data::Table clients, lines;
    for (auto [t, name] : {std::pair{&clients, "Klienci"}, {&lines, "Faktura_Szczegoly"}}) {
        t->setConnection(&c);
        t->setTableName(QString::fromLatin1(name));
        t->open();
    }
    documents::DocumentStore store(c);
    const documents::Document d = invoice();
    const documents::FirstNumberPrompt first = [](const QString&) { return std::optional<qint64>(1); };
    for (auto _ : state) {
        const documents::SaveOutcome r = store.saveNew(d, first);
        if (!r.saved())
            state.SkipWithError(qPrintable(r.error));
        lines.next(); // the list is read on between the saves
    }
}

void BM_SaveDocument_Store(benchmark::State& state)
{
    Db db;
    storeSaves(state, db);
}
BENCHMARK(BM_SaveDocument_Store)->Unit(benchmark::kMicrosecond);

// The same saves while another copy of the program saves invoices of its own into the file, one
// every few milliseconds (far more often than any user), against the saves alone above.
void BM_SaveDocument_Store_WhileAnotherCopyWrites(benchmark::State& state)
{
    Db db;
    // The other copy is forked before this process opens the file (SQLite must not see a
    // connection of the parent's in the child).
    const pid_t other = ::fork();
    if (other == 0) {
        sqlite3* s = nullptr;
        sqlite3_open_v2(db.path.toUtf8().constData(), &s, SQLITE_OPEN_READWRITE, nullptr);
        // It tries again at once when this process holds the file, so that it does write.
        sqlite3_busy_handler(
            s,
            [](void*, int) {
                ::usleep(200);
                return 1;
            },
            nullptr);
        data::registerCollation(s);
        sqlite3_exec(s, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
        QByteArray save = "BEGIN IMMEDIATE;";
        for (int lp = 1; lp <= 20; ++lp)
            save += " insert into Faktura_Szczegoly (Id_Fakt, Lp, Towary_Symbol, Faktura_Typ) values (0, "
                + QByteArray::number(lp) + ", 'T00002', 'PFV');";
        save += " COMMIT";
        for (;;) {
            if (sqlite3_exec(s, save.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                sqlite3_exec(s, "ROLLBACK", nullptr, nullptr, nullptr);
            ::usleep(2000);
        }
    }
    storeSaves(state, db);
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    // The other copy's saves meanwhile: none would make this the saves alone again.
    sqlite3* s = nullptr;
    sqlite3_open_v2(db.path.toUtf8().constData(), &s, SQLITE_OPEN_READONLY, nullptr);
    data::registerCollation(s);
    sqlite3_stmt* n = nullptr;
    sqlite3_prepare_v2(s, "select count(*) from Faktura_Szczegoly where Faktura_Typ = 'PFV'", -1, &n, nullptr);
    const double saves = sqlite3_step(n) == SQLITE_ROW ? sqlite3_column_int(n, 0) / 20.0 : 0;
    sqlite3_finalize(n);
    sqlite3_close(s);
    if (saves < 1)
        state.SkipWithError("the other copy saved nothing");
    state.counters["other_saves"] = saves;
}
BENCHMARK(BM_SaveDocument_Store_WhileAnotherCopyWrites)->Unit(benchmark::kMicrosecond);

void BM_SaveDocument_Raw(benchmark::State& state)
{
    Db db;
    sqlite3* s = nullptr;
    sqlite3_open_v2(db.path.toUtf8().constData(), &s, SQLITE_OPEN_READWRITE, nullptr);
    data::registerCollation(s);
    sqlite3_exec(s, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    sqlite3_stmt *mx = nullptr, *h = nullptr, *l = nullptr;
    sqlite3_prepare_v2(s, "select max(nr) from Faktura where typ=? and rok=?", -1, &mx, nullptr);
    sqlite3_prepare_v2(s,
                       "insert into Faktura (Typ, Nr, Rok, Data_Wyst, Data_Sprzedarzy, Miejsce_Wyst, Klient_Nr, "
                       "Klient_Nazwa_Nazwisko, Klient_Nazwa_Nazwisko_cd, Klient_Czy_Firma, Klient_Nip, Klient_Kod, "
                       "Klient_Miasto, Klient_Adres, Forma_Zaplaty, Ilosc_Dni, Wart_Netto, Wart_Brutto, "
                       "Netto_Brutto, Typ_Koncowy, Nr_Koncowy, Rok_Koncowy, Uwagi, Waluta, Wart_Netto_Eu, "
                       "Wart_Brutto_Eu) values (?,?,?,?,'','',?,?,'',0,'','','','',1,0,500,615,'netto',?,?,?,'',"
                       "'PLN',0,0)",
                       -1, &h, nullptr);
    sqlite3_prepare_v2(s,
                       "insert into Faktura_Szczegoly (Id_Fakt, Lp, Towary_Symbol, Towary_Nazwa, Towary_Nazwa_cd, "
                       "PKWiU, Ilosc, Jm, Towary_Cena, Rabat, Towary_Vat_Opis, Towary_Vat_Wart, Wartosc_Netto, "
                       "Kwota_Vat, Wartosc_Brutto, Waluta, Towary_Cena_Eu, Wartosc_Netto_Eu, Kwota_Vat_Eu, "
                       "Wartosc_Brutto_Eu, Faktura_Typ, Faktura_Nr, Faktura_Rok, Faktura_Data_Wyst, Klient_Nr, "
                       "Klient_Nazwa_Nazwisko, Klient_Nazwa_Nazwisko_cd, Klient_Nip, Faktura_Nr_Koncowy, "
                       "Faktura_Rok_Koncowy, Lp_Koncowe) values (?,?,?,?,'','',2.5,'',10,0,'23',23,25,5.75,30.75,"
                       "'PLN',0,0,0,0,'FV',?,2011,'2011-03-05',?,?,'','',?,2011,?)",
                       -1, &l, nullptr);
    int nr = 0;
    for (auto _ : state) {
        sqlite3_exec(s, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_bind_text(mx, 1, "FV", -1, SQLITE_STATIC);
        sqlite3_bind_text(mx, 2, "2011", -1, SQLITE_STATIC);
        sqlite3_step(mx);
        nr = sqlite3_column_int(mx, 0) + 1;
        sqlite3_reset(mx);
        sqlite3_bind_text(h, 1, "FV", -1, SQLITE_STATIC);
        sqlite3_bind_int(h, 2, nr);
        sqlite3_bind_text(h, 3, "2011", -1, SQLITE_STATIC);
        sqlite3_bind_text(h, 4, "2011-03-05", -1, SQLITE_STATIC);
        sqlite3_bind_text(h, 5, "K00001", -1, SQLITE_STATIC);
        sqlite3_bind_text(h, 6, "O'Brien", -1, SQLITE_STATIC);
        sqlite3_bind_text(h, 7, "FV", -1, SQLITE_STATIC);
        sqlite3_bind_int(h, 8, nr);
        sqlite3_bind_text(h, 9, "2011", -1, SQLITE_STATIC);
        sqlite3_step(h);
        sqlite3_reset(h);
        const sqlite3_int64 id = sqlite3_last_insert_rowid(s);
        for (int lp = 1; lp <= 20; ++lp) {
            sqlite3_bind_int64(l, 1, id);
            sqlite3_bind_int(l, 2, lp);
            sqlite3_bind_text(l, 3, "T00001", -1, SQLITE_STATIC);
            sqlite3_bind_text(l, 4, "Towar nr 1", -1, SQLITE_STATIC);
            sqlite3_bind_int(l, 5, nr);
            sqlite3_bind_text(l, 6, "K00001", -1, SQLITE_STATIC);
            sqlite3_bind_text(l, 7, "O'Brien", -1, SQLITE_STATIC);
            sqlite3_bind_int(l, 8, nr);
            sqlite3_bind_int(l, 9, lp);
            sqlite3_step(l);
            sqlite3_reset(l);
        }
        sqlite3_exec(s, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(mx);
    sqlite3_finalize(h);
    sqlite3_finalize(l);
    sqlite3_close(s);
}
BENCHMARK(BM_SaveDocument_Raw)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
