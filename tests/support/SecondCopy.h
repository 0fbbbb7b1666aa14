#pragma once
// Two copies of the program on one database file, each in a process of its own. ProgramCopy is
// one copy: the shared tables open as the data module opens them (each has read its first row
// of many) and the document store, acting on words ("save", "numbers", "checkpoint"). SecondCopy
// starts the test program again as such a copy (support/ChildMain.h): it answers each word of
// its input with a line "@@ answer" and between the words waits in its event loop, as the
// program waits for its user.
#include "support/ChildMain.h"
#include "support/TestDb.h"

#include "documents/DocumentStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <sqlite3.h>

#include <functional>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace copies {

// A VAT invoice of one line, numbered at its save.
inline documents::Document invoice()
{
    using namespace documents;
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

// What a checkpoint of a new connection to `path` that may not wait is told ("busy=0": no
// reader of any program holds it back).
inline std::string checkpoint(const QString& path)
{
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
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

struct ProgramCopy {
    data::Connection conn;
    std::vector<std::unique_ptr<data::Table>> shared;
    documents::DocumentStore store{conn};

    explicit ProgramCopy(const QString& path)
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
    // them, and as the shared table shows them once refreshed; "checkpoint": see checkpoint().
    std::string act(const std::string& word)
    {
        if (word == "save") {
            const documents::SaveOutcome r = store.saveNew(invoice(), [](const QString&) { return std::nullopt; });
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
        if (word == "checkpoint")
            return checkpoint(conn.databasePath());
        return "unknown word " + word;
    }
};

// Waits in the event loop, as the program waits for its user, until `done` or 30 s are over.
inline void idleUntil(const std::function<bool()>& done)
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

// The second copy's process: the arguments are the database's path.
inline int secondCopyMain(const QStringList& args)
{
    if (args.isEmpty())
        return 2;
    ProgramCopy copy(args.front());
    std::cout << "@@ ready" << std::endl;
    QSocketNotifier input(0, QSocketNotifier::Read);
    bool woken = false;
    QObject::connect(&input, &QSocketNotifier::activated, [&] { woken = true; });
    for (;;) {
        idleUntil([&] { return woken; });
        woken = false;
        std::string word;
        if (!std::getline(std::cin, word) || word == "quit")
            return 0;
        std::cout << "@@ " << copy.act(word) << std::endl;
    }
}
inline const bool secondCopyRegistered = testmain::addChild("second-copy", secondCopyMain);

// The second copy, started on the file at `path`; it ends when this does.
class SecondCopy {
public:
    explicit SecondCopy(const QString& path)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child=second-copy"), path});
        started_ = process_.waitForStarted() && ask("") == "ready";
    }
    ~SecondCopy()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.write("quit\n");
        if (!process_.waitForFinished(10000))
            process_.kill();
    }
    SecondCopy(const SecondCopy&) = delete;
    SecondCopy& operator=(const SecondCopy&) = delete;

    bool started() const { return started_; }

    // The answer to `word` ("" for none but the next line); this process waits in its event
    // loop meanwhile.
    std::string ask(const QByteArray& word)
    {
        if (!word.isEmpty())
            process_.write(word + "\n");
        std::string answer;
        idleUntil([&] {
            while (answer.empty() && process_.canReadLine()) {
                const QByteArray line = process_.readLine().trimmed();
                if (line.startsWith("@@ "))
                    answer = line.mid(3).toStdString();
            }
            return !answer.empty() || process_.state() == QProcess::NotRunning;
        });
        return answer.empty() ? "no answer" : answer;
    }

    // Ends the copy; whether it ended of itself, well.
    bool quit()
    {
        process_.write("quit\n");
        return process_.waitForFinished(10000) && process_.exitCode() == 0;
    }

private:
    QProcess process_;
    bool started_ = false;
};

} // namespace copies
