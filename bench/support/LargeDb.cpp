#include "support/LargeDb.h"

#include "platform/data/Collation.h"
#include "platform/data/Schema.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <random>
#include <sqlite3.h>

namespace bench {

namespace {

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "generator: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

struct Insert {
    sqlite3* db;
    sqlite3_stmt* st = nullptr;
    Insert(sqlite3* d, const char* sql) : db(d) { check(sqlite3_prepare_v2(db, sql, -1, &st, nullptr), db); }
    ~Insert() { sqlite3_finalize(st); }
    Insert& text(int i, const QByteArray& v)
    {
        sqlite3_bind_text(st, i, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Insert& num(int i, qint64 v)
    {
        sqlite3_bind_int64(st, i, v);
        return *this;
    }
    Insert& real(int i, double v)
    {
        sqlite3_bind_double(st, i, v);
        return *this;
    }
    void run()
    {
        check(sqlite3_step(st), db);
        sqlite3_reset(st);
    }
};

void generate(const QString& path)
{
    sqlite3* db = nullptr;
    check(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    data::registerCollation(db);
    sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr, nullptr, nullptr);
    std::mt19937 rng(2011);
    const char* surnames[] = {"Kowalski",    "Nowak",     "Wiśniewski", "Wójcik",      "Kamiński",
                              "Lewandowski", "Zieliński", "Szymański",  "Woźniak",     "Dąbrowski",
                              "Kozłowski",   "Jankowski", "Mazur",      "Kwiatkowski", "Krawczyk",
                              "Piotrowski",  "Grabowski", "Nowakowski", "Pawłowski",   "Michalski"};
    const char* names[] = {"Jan",    "Anna",      "Piotr", "Maria",   "Krzysztof", "Katarzyna", "Andrzej", "Małgorzata",
                           "Tomasz", "Agnieszka", "Paweł", "Barbara", "Łukasz",    "Ewa",       "Michał",  "Żaneta"};
    {
        Insert ins(db,
                   "insert into Klienci (Nr_Klienta, Nazwa_Nazwisko, NIP, Kod, Miasto, Adres, Czy_Firma) "
                   "values (?,?,?,?,?,?,?)");
        for (int i = 1; i <= 5000; ++i)
            ins.text(1, QStringLiteral("K%1").arg(i, 5, 10, QLatin1Char('0')).toUtf8())
                .text(2,
                      QStringLiteral("%1 %2 %3")
                          .arg(QString::fromUtf8(surnames[rng() % 20]), QString::fromUtf8(names[rng() % 16]))
                          .arg(i)
                          .toUtf8())
                .text(3, QByteArray::number(1000000000 + i))
                .text(4, "33-100")
                .text(5, "Tarnów")
                .text(6, QStringLiteral("ul. Krakowska %1").arg(i % 300).toUtf8())
                .num(7, i % 3 == 0)
                .run();
    }
    {
        Insert ins(db,
                   "insert into Towary (Symbol, Nazwa, PKWIU, Jm, Vat_Opis, Vat_Wart, Cena_Netto_Zak, "
                   "Cena_Netto_Sprz, Cena_Brutto_Sprz, Waluta, Arch) values (?,?,?,?,?,?,?,?,?,'PLN',?)");
        for (int i = 1; i <= 2000; ++i)
            ins.text(1, QStringLiteral("T%1").arg(i, 5, 10, QLatin1Char('0')).toUtf8())
                .text(2, QStringLiteral("Towar nr %1").arg(i).toUtf8())
                .text(3, "22.22.11")
                .text(4, "szt")
                .text(5, "23%")
                .real(6, 23)
                .real(7, i * 0.8)
                .real(8, i)
                .real(9, i * 1.23)
                .num(10, i % 20 == 0)
                .run();
    }
    sqlite3_exec(db,
                 "insert into Vat (Nazwa, Wart, Czy_Podst) values ('23%',23,1),('8%',8,0),('5%',5,0),('zw',0,0);"
                 "insert into Forma_Zaplaty (Nazwa, Opis) values ('Gotówka',''),('Przelew','14 dni')",
                 nullptr, nullptr, nullptr);
    Insert doc(db,
               "insert into Faktura (Id, Typ, Rok, Nr, Data_Wyst, Data_Sprzedarzy, Miejsce_Wyst, Forma_Zaplaty, "
               "Ilosc_Dni, Netto_Brutto, Waluta, Wart_Netto, Wart_Brutto, Klient_Nr, Klient_Nazwa_Nazwisko, "
               "Klient_Nip, Typ_Koncowy, Rok_Koncowy, Nr_Koncowy) values (?,?,?,?,?,?,'Tarnów',?,0,'netto','PLN',"
               "?,?,?,?,?,?,?,?)");
    Insert line(db,
                "insert into Faktura_Szczegoly (Id_Fakt, Lp, Towary_Symbol, Towary_Nazwa, PKWiU, Jm, Ilosc, "
                "Towary_Cena, Rabat, Towary_Vat_Opis, Towary_Vat_Wart, Wartosc_Netto, Kwota_Vat, Wartosc_Brutto, "
                "Waluta, Faktura_Typ, Faktura_Nr, Faktura_Rok, Faktura_Data_Wyst, Klient_Nr, "
                "Klient_Nazwa_Nazwisko, Klient_Nip, Faktura_Nr_Koncowy, Faktura_Rok_Koncowy, Lp_Koncowe) values "
                "(?,?,?,?,'22.22.11','szt',?,?,0,'23%',23,?,?,?,'PLN',?,?,?,?,?,?,?,?,?,?)");
    const char* types[] = {"FV", "FV", "FV", "FV", "FV", "FV", "PFV", "KFV"};
    for (int id = 1; id <= 200000; ++id) {
        const int year = 2005 + (id - 1) / 20000;
        const int nr = (id - 1) % 20000 + 1;
        const QByteArray typ = types[nr % 8];
        const int client = int(rng() % 5000) + 1;
        const QByteArray kl = QStringLiteral("K%1").arg(client, 5, 10, QLatin1Char('0')).toUtf8();
        const QByteArray date = QDate(year, 1, 1).addDays((nr - 1) * 365 / 20000).toString(Qt::ISODate).toUtf8();
        const QByteArray yr = QByteArray::number(year);
        const bool fv = typ == "FV";
        double netto = 0;
        for (int lp = 1; lp <= 5; ++lp) {
            const int towar = int(rng() % 2000) + 1;
            const double qty = 1 + rng() % 10, price = towar;
            const double n = qty * price;
            netto += n;
            line.num(1, id)
                .num(2, lp)
                .text(3, QStringLiteral("T%1").arg(towar, 5, 10, QLatin1Char('0')).toUtf8())
                .text(4, QStringLiteral("Towar nr %1").arg(towar).toUtf8())
                .real(5, qty)
                .real(6, price)
                .real(7, n)
                .real(8, n * 0.23)
                .real(9, n * 1.23)
                .text(10, typ)
                .num(11, nr)
                .num(12, year)
                .text(13, date)
                .text(14, kl)
                .text(15, "Klient")
                .text(16, "1234567890")
                .num(17, fv ? nr : 0)
                .num(18, fv ? year : 0)
                .num(19, fv ? lp : 0)
                .run();
        }
        doc.num(1, id)
            .text(2, typ)
            .text(3, yr)
            .num(4, nr)
            .text(5, date)
            .text(6, date)
            .num(7, 1 + id % 2)
            .real(8, netto)
            .real(9, netto * 1.23)
            .text(10, kl)
            .text(11, "Klient")
            .text(12, "1234567890");
        if (fv)
            doc.text(13, typ).text(14, yr).num(15, nr);
        else
            sqlite3_bind_null(doc.st, 13), sqlite3_bind_null(doc.st, 14), sqlite3_bind_null(doc.st, 15);
        doc.run();
    }
    check(sqlite3_exec(db, "COMMIT; ANALYZE", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

} // namespace

QString largeDatabase()
{
    const QString schemaFile = QStringLiteral(TARNEX_SOURCE_DIR "/db/schema.sql");
    QFile f(schemaFile);
    f.open(QIODevice::ReadOnly);
    const QByteArray hash = QCryptographicHash::hash(f.readAll() + "gen1", QCryptographicHash::Sha1).toHex().left(12);
    const QString path = QDir::temp().filePath(QStringLiteral("tarnex_bench_%1.mdb").arg(QString::fromLatin1(hash)));
    if (QFileInfo::exists(path))
        return path;
    const QString tmp = path + QStringLiteral(".tmp");
    QFile::remove(tmp);
    std::fprintf(stderr, "Generating %s (once)...\n", path.toUtf8().constData());
    const QString err = data::createDatabase(tmp, schemaFile);
    if (!err.isEmpty()) {
        std::fprintf(stderr, "generator: %s\n", err.toUtf8().constData());
        std::abort();
    }
    generate(tmp);
    QFile::rename(tmp, path);
    return path;
}

} // namespace bench
