// Two copies of the program on one database file, each in a process of its own: both hold the
// shared tables open over more rows than they have read, both save, and neither blocks the other.
// The second copy is this test program started again, driven word by word through its input.
#include "support/TestDb.h"

#include "documents/DocumentStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <iostream>
#include <string>

using namespace documents;

namespace {

const char* const SecondCopyPath = "TARNEX_SECOND_COPY";

Document invoice()
{
    Document d;
    d.own = Identity{"FV", "2026", 0};
    d.dataWyst = QDate(2026, 1, 15);
    d.miejsceWyst = "Kraków";
    d.buyer = Buyer{"K1", "Nabywca", "", true, "111", "30-001", "Kraków", "Długa 1"};
    d.formaZaplaty = 1;
    DocumentLine l;
    l.symbol = "T1";
    l.nazwa = "Towar";
    l.jm = "szt.";
    l.ilosc = 1;
    l.cena = 100;
    l.vatOpis = "23";
    l.vatWart = 23;
    l.netto = Money::fromGrosze(10000);
    l.vat = Money::fromGrosze(2300);
    l.brutto = l.netto + l.vat;
    d.lines.push_back(l);
    d.wartNetto = l.netto;
    d.wartBrutto = l.brutto;
    return d;
}

// One copy of the program: the shared tables open as the data module opens them (each has read
// its first row of many), and the document store.
struct Copy {
    data::Connection conn;
    std::vector<std::unique_ptr<data::Table>> shared;
    DocumentStore store{conn};

    explicit Copy(const QString& path)
    {
        conn.setRequiredSchema(programObjects());
        if (!conn.open(path))
            throw std::runtime_error(conn.lastError().toStdString());
        for (const char* name : {"Klienci", "Towary", "Faktura", "Faktura_Szczegoly"}) {
            auto t = std::make_unique<data::Table>();
            t->setConnection(&conn);
            t->setTableName(QString::fromLatin1(name));
            t->open();
            shared.push_back(std::move(t));
        }
    }

    // "save": a new VAT invoice; "numbers": the invoices' numbers as a table opened again shows
    // them, and as the shared table shows them once refreshed; "checkpoint": what a checkpoint
    // of another connection that may not wait is told (busy 0: no reader holds it back).
    std::string act(const std::string& word)
    {
        if (word == "save") {
            const SaveOutcome r = store.saveNew(invoice(), [](const QString&) { return std::nullopt; });
            return r.saved() ? "saved " + std::to_string(r.nr) : "failed " + r.error.toStdString();
        }
        if (word == "numbers") {
            data::Table f;
            f.setConnection(&conn);
            f.setTableName(QStringLiteral("Faktura"));
            f.setIndexFieldNames(QStringLiteral("Nr"));
            f.open();
            std::string out;
            for (; !f.eof(); f.next())
                out += std::to_string(f.fieldByName(QStringLiteral("Nr")).asInteger()) + " ";
            data::Table& held = *shared[2];
            held.refresh();
            return out + "/ " + std::to_string(held.recordCount());
        }
        if (word == "checkpoint") {
            sqlite3* raw = nullptr;
            sqlite3_open_v2(conn.databasePath().toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
            std::string busy = "no answer";
            char* err = nullptr;
            sqlite3_exec(
                raw, "PRAGMA wal_checkpoint(TRUNCATE)",
                [](void* out, int, char** values, char**) {
                    *static_cast<std::string*>(out) = std::string("busy=") + (values[0] ? values[0] : "?");
                    return 0;
                },
                &busy, &err);
            if (err)
                busy += std::string(" ") + err;
            sqlite3_free(err);
            sqlite3_close(raw);
            return busy;
        }
        return "unknown word " + word;
    }
};

// Waits in the event loop, as the program waits for its user, until `done` or 30 s are over.
void idleUntil(const std::function<bool()>& done)
{
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, &QEventLoop::quit);
    look.start(5);
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 30000)
        loop.exec();
}

} // namespace

// The second copy: answers each word of its input with a line "@@ answer", and between the
// words waits in its event loop.
TEST(TwoCopies, SecondCopy)
{
    const QByteArray path = qgetenv(SecondCopyPath);
    if (path.isEmpty())
        GTEST_SKIP() << "the second copy of TwoCopies.BothSaveAndSeeEachOthersDocuments";
    Copy copy(QString::fromLocal8Bit(path));
    std::cout << "@@ ready" << std::endl;
    QSocketNotifier input(0, QSocketNotifier::Read);
    bool woken = false;
    QObject::connect(&input, &QSocketNotifier::activated, [&] { woken = true; });
    for (;;) {
        idleUntil([&] { return woken; });
        woken = false;
        std::string word;
        if (!std::getline(std::cin, word) || word == "quit")
            break;
        std::cout << "@@ " << copy.act(word) << std::endl;
    }
}

TEST(TwoCopies, BothSaveAndSeeEachOthersDocuments)
{
    TestDb db;
    data::Transaction fill(*db.conn);
    for (int i = 0; i < 300; ++i) { // more rows than any copy reads at its start
        db.conn->exec(QStringLiteral("insert into Klienci (Nr_Klienta, Nazwa_Nazwisko) values (?, ?)"),
                      {QStringLiteral("K%1").arg(i), QStringLiteral("Klient %1").arg(i)});
        db.conn->exec(QStringLiteral("insert into Towary (Symbol, Nazwa) values (?, ?)"),
                      {QStringLiteral("T%1").arg(i), QStringLiteral("Towar %1").arg(i)});
    }
    fill.commit();
    {
        DocumentStore first(*db.conn);
        ASSERT_TRUE(first.saveNew(invoice(), [](const QString&) { return std::optional<qint64>(1); }).saved());
    }
    db.conn->close();

    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(SecondCopyPath), db.path);
    second.setProcessEnvironment(env);
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=TwoCopies.SecondCopy")});
    ASSERT_TRUE(second.waitForStarted());
    // The answer to `word` ("" for none); this copy waits in its event loop meanwhile.
    const auto ask = [&](const QByteArray& word) -> std::string {
        if (!word.isEmpty())
            second.write(word + "\n");
        std::string answer;
        idleUntil([&] {
            while (answer.empty() && second.canReadLine()) {
                const QByteArray line = second.readLine().trimmed();
                if (line.startsWith("@@ "))
                    answer = line.mid(3).toStdString();
            }
            return !answer.empty() || second.state() == QProcess::NotRunning;
        });
        return answer.empty() ? "no answer" : answer;
    };
    ASSERT_EQ(ask(""), "ready");

    Copy first(db.path);
    EXPECT_EQ(ask("save"), "saved 2");
    EXPECT_EQ(ask("checkpoint"), "busy=0") << "neither idle copy holds a reading open";
    EXPECT_EQ(first.act("save"), "saved 3");
    EXPECT_EQ(ask("save"), "saved 4");
    EXPECT_EQ(first.act("save"), "saved 5");
    EXPECT_EQ(ask("numbers"), "1 2 3 4 5 / 5");
    EXPECT_EQ(first.act("numbers"), "1 2 3 4 5 / 5");

    second.write("quit\n");
    EXPECT_TRUE(second.waitForFinished(10000));
}
