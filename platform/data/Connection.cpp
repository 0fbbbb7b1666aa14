#include "platform/data/Connection.h"

#include "platform/data/Collation.h"
#include "platform/data/Error.h"
#include "platform/data/Sqlite.h"
#include "platform/data/ValueKind.h"

#include <QAbstractEventDispatcher>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QScopeGuard>
#include <QThread>
#include <QUrl>

#include <iterator>
#include <sys/stat.h>

namespace data {

namespace {

QList<QPointer<Connection>>& connections()
{
    static QList<QPointer<Connection>> list;
    return list;
}

QList<QPointer<QObject>>& roots()
{
    static QList<QPointer<QObject>> list;
    return list;
}

} // namespace

Connection::Connection(QObject* parent) : QObject(parent) { connections().append(this); }

Connection::~Connection()
{
    close();
    connections().removeAll(this);
}

void Connection::setConnectionString(const QString& s) { connectionString_ = s; }

QString Connection::connectionString() const { return connectionString_; }

QString Connection::connectionProperty(const QString& name) const
{
    for (const QString& part : connectionString_.split(QLatin1Char(';'))) {
        const qsizetype eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        if (part.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            QString v = part.mid(eq + 1).trimmed();
            if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
                v = v.mid(1, v.size() - 2);
            return v;
        }
    }
    return QString();
}

bool Connection::open() { return open(connectionProperty(QStringLiteral("Data Source"))); }

namespace {

// Whether the program may write `fi`: the system must allow it, and the owner must not have taken
// every write permission away (a file marked read-only stays so even for the administrator).
bool mayWrite(const QFileInfo& fi)
{
    const QFile::Permissions any = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return fi.isWritable() && (fi.permissions() & any);
}

// Whether the file's header marks it as kept in WAL mode (read and write versions 2).
bool walMode(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(20);
    return head.size() == 20 && head[18] == 2 && head[19] == 2;
}

// A WAL file's side files ("-wal", "-shm") left without write permission by a session that could
// not write (SQLite gives them the database file's permissions) make every later save fail. The
// write permission the database file has is given back to them; a side file that cannot take it
// (another user's) is named, and the database opens read-only. Changing permissions leaves the
// contents alone, so another program that has the database open is not disturbed.
QString blockingSideFile(const QString& abs)
{
    for (const char* suffix : {"-wal", "-shm"}) {
        const QFileInfo side(abs + QLatin1String(suffix));
        if (!side.exists() || mayWrite(side))
            continue;
        const QFile::Permissions owner = QFile::permissions(abs) & (QFile::WriteOwner | QFile::WriteUser);
        QFile::setPermissions(side.absoluteFilePath(), side.permissions() | owner | QFile::WriteOwner);
        if (!mayWrite(QFileInfo(side.absoluteFilePath())))
            return QStringLiteral("Plik pomocniczy \"%1\" bazy danych jest tylko do odczytu (pozostał po pracy bez "
                                  "prawa zapisu). Usuń go, gdy program jest zamknięty, albo przywróć mu prawo zapisu.")
                .arg(QDir::toNativeSeparators(side.absoluteFilePath()));
    }
    return QString();
}

// Opens `abs` for reading. A WAL file needs its side files beside it: in a folder that may not
// be written, where they cannot be made, the file is read as it stands (no other program can
// change it there either) instead of failing.
int openForReading(const QString& abs, bool folderWritable, sqlite3** db)
{
    const bool sideFiles =
        QFileInfo::exists(abs + QStringLiteral("-wal")) || QFileInfo::exists(abs + QStringLiteral("-shm"));
    if (!folderWritable && !sideFiles && walMode(abs)) {
        const QByteArray uri = QUrl::fromLocalFile(abs).toEncoded() + "?immutable=1";
        return sqlite3_open_v2(uri.constData(), db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    }
    return sqlite3_open_v2(abs.toUtf8().constData(), db, SQLITE_OPEN_READONLY, nullptr);
}

} // namespace

bool Connection::open(const QString& path)
{
    close();
    lastError_.clear();
    warning_.clear();
    readOnly_ = false;
    schemaNames_.clear();
    const QFileInfo fi(path.isEmpty() ? QStringLiteral("db.mdb") : path);
    const QString abs = fi.absoluteFilePath();
    const QString shown = QDir::toNativeSeparators(abs);
    tried_ = abs;
    if (!fi.exists() || !fi.isFile()) {
        lastError_ = QStringLiteral("Nie znaleziono pliku bazy danych \"%1\".").arg(shown);
        return false;
    }
    if (!fi.isReadable()) {
        lastError_ = QStringLiteral("Nie można odczytać pliku bazy danych \"%1\".").arg(shown);
        return false;
    }
    const QString foreign = QStringLiteral("Plik \"%1\" nie jest bazą danych programu.").arg(shown);
    // An empty file holds no database; SQLite would take it for a new one and write into it.
    if (fi.size() == 0) {
        lastError_ = foreign;
        return false;
    }
    // The journal files are made beside the database, so a folder that may not be written makes
    // the database read-only as much as the file's own permissions do.
    QString readOnly;
    const bool folderWritable = mayWrite(QFileInfo(fi.absolutePath()));
    if (!mayWrite(fi))
        readOnly = QStringLiteral("Plik bazy danych \"%1\" jest tylko do odczytu.").arg(shown);
    else if (!folderWritable)
        readOnly = QStringLiteral("Folder \"%1\" z bazą danych jest tylko do odczytu.")
                       .arg(QDir::toNativeSeparators(fi.absolutePath()));
    else
        readOnly = blockingSideFile(abs);
    sqlite3* db = nullptr;
    // Without SQLITE_OPEN_CREATE: a missing file is never replaced by an empty one.
    const int rc = readOnly.isEmpty() ? sqlite3_open_v2(abs.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr)
                                      : openForReading(abs, folderWritable, &db);
    if (rc != SQLITE_OK) {
        const QString why = readOnly.isEmpty() ? Error::reason(detail::errorKind(rc)) : readOnly;
        lastError_ = QStringLiteral("Nie można otworzyć bazy danych \"%1\": %2\nSzczegóły: %3")
                         .arg(shown, why, QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_close_v2(db);
        return false;
    }
    // Another copy of the program adding indexes or saving holds the file for a while: a save
    // waits for it, and the user is told while it does.
    sqlite3_busy_handler(db, &Connection::busyWait, this);
    registerCollation(db);
    detail::registerLocate(db);
    // Reading the schema proves the file is a database (opening alone reads nothing), and
    // another program's database is left as it was: checked before the first write.
    QString missing;
    if (!readSchemaNames(db, required_, schemaNames_, missing)) {
        const ErrorKind kind = detail::errorKind(sqlite3_extended_errcode(db));
        if (kind == ErrorKind::NotDatabase)
            lastError_ = foreign;
        else
            lastError_ = QStringLiteral("Nie można odczytać bazy danych \"%1\": %2\nSzczegóły: %3")
                             .arg(shown, readOnly.isEmpty() ? Error::reason(kind) + QLatin1Char('.') : readOnly,
                                  QString::fromUtf8(sqlite3_errmsg(db)));
        sqlite3_close_v2(db);
        return false;
    }
    if (!missing.isEmpty()) {
        lastError_ = foreign + QStringLiteral("\nSzczegóły: ") + missing;
        sqlite3_close_v2(db);
        return false;
    }
    // Only a file recognised as the program's own is changed (its journal mode is kept in it);
    // a connection told of no schema leaves the file as it found it.
    if (readOnly.isEmpty() && !required_.empty())
        sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    if (readOnly.isEmpty())
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA foreign_keys=OFF", nullptr, nullptr, nullptr);
    db_ = db;
    path_ = abs;
    // The file now open, by what the system knows it by: a file put in its place later has
    // another identity, though it has the same name.
    struct stat st {};
    device_ = inode_ = 0;
    if (::stat(QFile::encodeName(abs).constData(), &st) == 0) {
        device_ = qulonglong(st.st_dev);
        inode_ = qulonglong(st.st_ino);
    }
    // Readings end whenever the program waits for the user (see releaseReads).
    if (QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance(thread()))
        connect(loop, &QAbstractEventDispatcher::aboutToBlock, this, &Connection::releaseReads, Qt::UniqueConnection);
    readOnly_ = !readOnly.isEmpty() || sqlite3_db_readonly(db, "main") == 1;
    if (readOnly_)
        warning_ =
            (readOnly.isEmpty() ? QStringLiteral("Baza danych \"%1\" jest tylko do odczytu.").arg(shown) : readOnly)
            + QStringLiteral("\nDane można przeglądać, ale żadnej zmiany nie da się zapisać.");
    emit connectedChanged(true);
    return true;
}

void Connection::releaseReads()
{
    if (db_)
        emit readsReleasing();
}

bool Connection::fileStillThere(QString* why) const
{
    if (!db_)
        return false;
    struct stat st {};
    QString reason;
    if (::stat(QFile::encodeName(path_).constData(), &st) != 0)
        reason = QStringLiteral("pliku nie ma już w folderze (został usunięty albo przeniesiony)");
    else if (qulonglong(st.st_dev) != device_ || qulonglong(st.st_ino) != inode_)
        reason = QStringLiteral("pod tą nazwą jest teraz inny plik niż ten, który program otworzył");
    if (why)
        *why = reason;
    return reason.isEmpty();
}

void Connection::beforeWrite()
{
    requireOpen();
    releaseReads();
    QString why;
    if (!readOnly_ && !fileStillThere(&why))
        throw Error(ErrorKind::Replaced, QStringLiteral("zapisać zmian w bazie danych"),
                    why
                        + QStringLiteral(". Dane zapisane po tej chwili nie trafiłyby do pliku; należy zamknąć program "
                                         "i uruchomić go ponownie"),
                    QString(), QDir::toNativeSeparators(path_));
}

bool Connection::holdsObject(const QString& name) const { return schemaNames_.contains(name.toLower()); }

namespace {

Connection::BusyNotice& busyNotice()
{
    static Connection::BusyNotice notice;
    return notice;
}

constexpr int kBusyWaitMs = 60000; // how long a statement waits for another program's lock
constexpr int kBusyTellMs = 300;   // a wait this long is told to the user
// The pauses between tries: short at first, as another copy's save is over in a millisecond or
// two, then at most 20 ms.
constexpr int kBusySteps[] = {1, 2, 5, 10, 20};

} // namespace

void Connection::setBusyNotice(BusyNotice notice) { busyNotice() = std::move(notice); }

int Connection::busyWait(void* self, int count)
{
    auto* c = static_cast<Connection*>(self);
    if (count == 0)
        c->busySince_.start();
    const qint64 waited = c->busySince_.elapsed();
    if (waited >= kBusyWaitMs)
        return 0;
    if (!c->busyTold_ && waited >= kBusyTellMs) {
        c->busyTold_ = true;
        if (busyNotice())
            busyNotice()(QStringLiteral("Baza danych jest zajęta przez inny program (np. drugą kopię programu). "
                                        "Zapis czeka, aż zostanie zwolniona…"));
    }
    constexpr int steps = int(std::size(kBusySteps));
    QThread::msleep(kBusySteps[qMin(count, steps - 1)]);
    return 1;
}

void Connection::endBusyWait()
{
    if (!busyTold_)
        return;
    busyTold_ = false;
    if (busyNotice())
        busyNotice()(QString());
}

bool Connection::isReadOnly() const { return db_ && readOnly_; }

QString Connection::warning() const { return db_ ? warning_ : QString(); }

void Connection::close()
{
    if (!db_)
        return;
    emit aboutToClose();
    clearCache();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    path_.clear();
    emit connectedChanged(false);
}

bool Connection::isConnected() const { return db_ != nullptr; }

QString Connection::lastError() const { return lastError_; }

QString Connection::databasePath() const { return path_; }

void Connection::requireOpen() const
{
    // Told with the file that could not be opened and why (a save refused for want of a
    // database names the file, as every refusal does).
    if (!db_)
        throw Error(ErrorKind::NoConnection, QString(), lastError_, QString(),
                    tried_.isEmpty() ? QString() : QDir::toNativeSeparators(tried_));
}

void Connection::clearCache()
{
    for (sqlite3_stmt* st : std::as_const(cache_))
        sqlite3_finalize(st);
    cache_.clear();
}

sqlite3_stmt* Connection::cachedStatement(const QString& sql)
{
    requireOpen();
    if (sqlite3_stmt* st = cache_.value(sql)) {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
        return st;
    }
    if (cache_.size() >= 64)
        clearCache();
    sqlite3_stmt* st = detail::prepare(db_, sql);
    cache_.insert(sql, st);
    return st;
}

namespace {
// Leaves a cached statement reset, so it holds no read lock between uses.
struct Reset {
    sqlite3_stmt* st;
    ~Reset() { sqlite3_reset(st); }
};
} // namespace

int Connection::exec(const QString& sql, const QVariantList& binds)
{
    sqlite3_stmt* st = cachedStatement(sql);
    Reset r{st};
    // A write outside a transaction is a transaction of its own.
    if (!inTransaction() && !sqlite3_stmt_readonly(st))
        beforeWrite();
    const auto told = qScopeGuard([this] { endBusyWait(); });
    detail::bindAll(db_, st, binds);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {}
    if (rc != SQLITE_DONE)
        detail::fail(db_, sql);
    return sqlite3_changes(db_);
}

QVariant Connection::scalar(const QString& sql, const QVariantList& binds)
{
    sqlite3_stmt* st = cachedStatement(sql);
    Reset r{st};
    const auto told = qScopeGuard([this] { endBusyWait(); });
    detail::bindAll(db_, st, binds);
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        return detail::column(st, 0);
    if (rc != SQLITE_DONE)
        detail::fail(db_, sql);
    return QVariant();
}

qint64 Connection::lastInsertId() const { return db_ ? sqlite3_last_insert_rowid(db_) : 0; }

bool Connection::inTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

sqlite3* Connection::handle() const { return db_; }

Connection* Connection::find(const QString& name)
{
    for (const QPointer<Connection>& c : connections())
        if (c && c->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

// --- Transaction ---

Transaction::Transaction(Connection& c) : c_(c)
{
    static int counter = 0;
    if (c_.inTransaction()) {
        savepoint_ = QStringLiteral("tx%1").arg(++counter);
        c_.exec(QStringLiteral("SAVEPOINT ") + savepoint_);
    } else {
        // The write transaction begins before anything it depends on is read (the highest number
        // of a type, say), and waits for another program's write to end (busyWait).
        c_.beforeWrite();
        c_.exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
}

Transaction::~Transaction()
{
    if (!done_) {
        try {
            rollback();
        } catch (...) {
            // the connection is gone or already rolled back: nothing left to undo
        }
    }
}

void Transaction::commit()
{
    if (done_)
        return;
    done_ = true;
    c_.exec(savepoint_.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE ") + savepoint_);
}

void Transaction::rollback()
{
    if (done_)
        return;
    done_ = true;
    if (!c_.isConnected())
        return;
    if (savepoint_.isEmpty()) {
        if (c_.inTransaction())
            c_.exec(QStringLiteral("ROLLBACK"));
    } else {
        c_.exec(QStringLiteral("ROLLBACK TO ") + savepoint_);
        c_.exec(QStringLiteral("RELEASE ") + savepoint_);
    }
}

// --- quoting and components ---

QString quote(const QVariant& v)
{
    switch (detail::valueKind(v)) {
    case detail::ValueKind::Null: return QStringLiteral("NULL");
    case detail::ValueKind::Boolean: return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case detail::ValueKind::Integer: return QString::number(v.toLongLong());
    case detail::ValueKind::Float: return QString::number(v.toDouble(), 'g', 17);
    case detail::ValueKind::Date:
        return QLatin1Char('\'') + detail::dateValue(v).toString(Qt::ISODate) + QLatin1Char('\'');
    case detail::ValueKind::Bytes:
    case detail::ValueKind::Text: break;
    }
    QString s = v.toString();
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

void registerComponent(QObject* root)
{
    roots().removeAll(nullptr);
    if (root && !roots().contains(root))
        roots().append(root);
}

namespace {
QObject* findChildNamed(QObject* parent, const QString& name)
{
    for (QObject* c : parent->children()) {
        if (c->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    for (QObject* c : parent->children())
        if (QObject* f = findChildNamed(c, name))
            return f;
    return nullptr;
}
} // namespace

QObject* findComponent(const QString& ownerName, const QString& name)
{
    for (const QPointer<QObject>& r : roots()) {
        if (r && r->objectName().compare(ownerName, Qt::CaseInsensitive) == 0)
            return name.isEmpty() ? r.data() : findChildNamed(r, name);
    }
    return nullptr;
}

} // namespace data
