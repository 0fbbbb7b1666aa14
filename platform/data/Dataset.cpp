// The dataset: its connection, fields and current row, and the reading of rows into the cache
// (opening, closing, refreshing). The other concerns live beside it: DatasetPlan.cpp (filter,
// order, the statement text, counting), DatasetCursor.cpp (navigation and the row window),
// DatasetLocate.cpp, DatasetEdit.cpp and DatasetMaster.cpp.
#include "platform/data/Dataset.h"

#include "platform/data/Collation.h"
#include "platform/data/DatasetParts.h"
#include "platform/data/Filter.h"
#include "platform/data/Sqlite.h"

#include <QRegularExpression>

namespace data {

namespace {

FieldKind kindOf(const char* decl)
{
    if (!decl)
        return FieldKind::Unknown;
    const QByteArray d = QByteArray(decl).toUpper();
    if (d.contains("BOOL") || d.contains("BIT") || d.contains("YESNO"))
        return FieldKind::Boolean;
    if (d.contains("DATE") || d.contains("TIME"))
        return FieldKind::Date;
    if (d.contains("INT") || d.contains("COUNTER") || d.contains("AUTOINC"))
        return FieldKind::Integer;
    if (d.contains("CHAR") || d.contains("TEXT") || d.contains("CLOB") || d.contains("MEMO"))
        return FieldKind::Text;
    if (d.contains("FLOA") || d.contains("REAL") || d.contains("DOUB") || d.contains("NUM") || d.contains("DEC")
        || d.contains("CURR"))
        return FieldKind::Float;
    return FieldKind::Unknown;
}

} // namespace

Dataset::Dataset(QObject* parent) : QObject(parent), spares_(detail::kSpares) {}

// The statements go with their owners (fwd_, back_, spares_).
Dataset::~Dataset() = default;

void Dataset::setConnection(Connection* c)
{
    if (c == conn_)
        return;
    close();
    dropSpares();
    if (conn_)
        disconnect(conn_, nullptr, this, nullptr);
    conn_ = c;
    if (c) {
        connect(c, &Connection::aboutToClose, this, &Dataset::close);
        // No statement may outlive the database handle it was prepared on.
        connect(c, &Connection::aboutToClose, this, &Dataset::dropSpares);
        connect(c, &Connection::readsReleasing, this, &Dataset::parkReading);
    }
}

void Dataset::requireInactive(const char* what) const
{
    if (isActive())
        throw Error(QStringLiteral("Operacja niedozwolona na otwartym zbiorze danych: %1").arg(QLatin1String(what)));
}

void Dataset::requireActive() const
{
    if (!isActive())
        throw Error(QStringLiteral("Zbiór danych %1 jest zamknięty").arg(objectName()));
}

void Dataset::setState(State s)
{
    if (state_ == s)
        return;
    state_ = s;
    emit stateChanged(s);
}

// --- fields ------------------------------------------------------------------------------------

int Dataset::columnOf(const QString& name) const { return fieldIndex_.value(foldCase(name.trimmed()), -1); }

void Dataset::buildFields(sqlite3_stmt* st)
{
    static const QRegularExpression plain(QStringLiteral("^[\\w][\\w. ]*$"));
    const int n = sqlite3_column_count(st);
    const int first = hasRowid_ ? 1 : 0;
    int expr = 1000;
    std::vector<Column> cols;
    for (int i = first; i < n; ++i) {
        Column c;
        c.name = QString::fromUtf8(sqlite3_column_name(st, i));
        const char* decl = sqlite3_column_decltype(st, i);
        c.kind = kindOf(decl);
        // Unnamed computed columns get the names Jet gives them: Expr1000, Expr1001, ...
        if (!decl && (!plain.match(c.name).hasMatch() || c.name.at(0).isDigit()))
            c.name = QStringLiteral("Expr%1").arg(expr++);
        cols.push_back(c);
    }
    // The same columns as before (a refresh): the fields stay, so references to them stay valid.
    const auto same = [&] {
        if (cols.size() != columns_.size() || fields_.size() != cols.size())
            return false;
        for (size_t i = 0; i < cols.size(); ++i)
            if (cols[i].name != columns_[i].name || cols[i].kind != columns_[i].kind)
                return false;
        return true;
    };
    if (same())
        return;
    columns_.clear();
    fields_.clear();
    fieldIndex_.clear();
    for (const Column& c : cols) {
        const int idx = int(columns_.size());
        columns_.push_back(c);
        fields_.push_back(std::make_unique<Field>(this, idx, c.name, c.kind));
        const QString key = foldCase(c.name);
        if (!fieldIndex_.contains(key))
            fieldIndex_.insert(key, idx);
    }
}

Field* Dataset::findField(const QString& name)
{
    const int c = columnOf(name);
    return c < 0 ? nullptr : fields_[size_t(c)].get();
}

Field& Dataset::fieldByName(const QString& name)
{
    if (Field* f = findField(name))
        return *f;
    throw Error(QStringLiteral("%1: nie znaleziono pola '%2'").arg(objectName(), name));
}

Field& Dataset::field(int i)
{
    if (i < 0 || i >= int(fields_.size()))
        throw Error(QStringLiteral("%1: nie ma pola numer %2").arg(objectName()).arg(i));
    return *fields_[size_t(i)];
}

QStringList Dataset::fieldNames() const
{
    QStringList out;
    for (const Column& c : columns_)
        out << c.name;
    return out;
}

QVariant Dataset::cell(int field) const
{
    const size_t at = size_t(field + (hasRowid_ ? 1 : 0));
    if (state_ == State::Edit || state_ == State::Insert)
        return at < buffer_.size() ? buffer_[at] : QVariant();
    if (cur_ >= 0 && cur_ < int(rows_.size()))
        return rows_[size_t(cur_)].value(at);
    return QVariant();
}

void Dataset::setCell(int field, const QVariant& v)
{
    if (state_ != State::Edit && state_ != State::Insert)
        throw Error(QStringLiteral("Zbiór danych %1 nie jest w trybie edycji ani wstawiania").arg(objectName()));
    const size_t at = size_t(field + (hasRowid_ ? 1 : 0));
    buffer_[at] = v;
    changed_[size_t(field)] = true;
    modified_ = true;
    emit fieldChanged(field);
}

// --- reading -----------------------------------------------------------------------------------

void Dataset::endForward()
{
    spares_.keep(fwd_);
    fwdGiven_ = 0;
    fwdLastKept_ = false;
    fwdParked_ = false;
    fwdAfter_.reset();
}

std::optional<Dataset::ReadPlace> Dataset::lastReadKeys(const Plan& p) const
{
    const int last = int(rows_.size()) - pendingInserted_ - 1;
    if (dirty_ || !fwdLastKept_ || last < 0 || p.noRows || p.order.empty())
        return std::nullopt;
    ReadPlace place{rows_[size_t(last)], 0};
    if (!keyed(p)) // the rows read with the same keys, all at the end of those read
        for (int i = last; i >= 0 && sameKeys(p, rows_[size_t(i)], place.row); --i)
            ++place.ties;
    return place;
}

void Dataset::parkReading()
{
    // A reading from the end is made again past the window's first row (readBackward).
    endBackward();
    if (!fwd_ || fwdParked_ || !sqlite3_stmt_busy(fwd_.st.get()))
        return;
    sqlite3_reset(fwd_.st.get()); // its values stay bound
    fwdParked_ = true;
    // Runs from the event loop: nothing may be thrown from here. Without the keys the reading
    // goes on by counting.
    try {
        fwdAfter_ = lastReadKeys(plan());
    } catch (...) {
        fwdAfter_.reset();
    }
}

// Goes on after the rows read before the reading was parked: after the last of them by the sort
// keys (an index finds the place), or, where the order does not say, past as many rows again.
// Where the order is not total, the reading goes on from the first row with the last row's keys,
// past the rows with those keys already read; should they not come as they came before (the
// statement found them in another order), it goes on by counting after all.
void Dataset::resumeForward()
{
    fwdParked_ = false;
    int given = fwdGiven_;
    if (fwdAfter_) {
        const Plan p = plan();
        QVariantList binds = p.binds;
        const ReadPlace place = std::move(*fwdAfter_);
        const QString from = keyCondition(p, place.row, binds, place.ties > 0);
        detail::Cursor c = cursorOn(planSql(p, from), binds);
        endForward();
        fwd_ = std::move(c);
        const int first = int(rows_.size()) - pendingInserted_ - place.ties;
        bool same = true;
        for (int i = 0; i < place.ties && same; ++i) {
            const int rc = sqlite3_step(fwd_.st.get());
            same = rc == SQLITE_ROW && detail::readRow(fwd_.st.get()).sameAs(rows_[size_t(first + i)]);
            if (rc != SQLITE_ROW && rc != SQLITE_DONE)
                detail::fail(conn_->handle(), objectName());
        }
        fwdGiven_ = place.ties;
        fwdLastKept_ = true;
        if (same)
            return;
        // From the first row: a reading whose order is not total is one from the top, all of
        // it in the cache.
        endForward();
        fwd_ = cursorOn(planSql(p), p.binds);
        given = int(rows_.size());
        fwdLastKept_ = true;
    }
    fwdGiven_ = given;
    for (int i = 0; i < given; ++i) {
        const int rc = sqlite3_step(fwd_.st.get());
        if (rc == SQLITE_ROW)
            continue;
        const QString msg = QString::fromUtf8(sqlite3_errmsg(conn_->handle()));
        endForward(); // fewer rows than before: the reading is at its end
        pendingInserted_ = 0;
        insertedIds_.clear();
        if (rc != SQLITE_DONE)
            throw Error(QStringLiteral("Błąd odczytu zbioru %1: %2").arg(objectName(), msg));
        return;
    }
}

void Dataset::endBackward() { spares_.keep(back_); }

void Dataset::dropSpares() { spares_.clear(); }

void Dataset::resetCache()
{
    endForward();
    endBackward();
    backRead_ = 0;
    rows_.clear();
    pendingInserted_ = 0;
    insertedIds_.clear();
    cur_ = -1;
    base_ = 0;
    pendingRank_.reset();
    dirty_ = false;
    eof_ = bof_ = true;
}

void Dataset::execute()
{
    if (!conn_ || !conn_->isConnected())
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    resetCache();
    countCache_.reset();
    countSource_.reset();
    hasRowid_ = !writableTable().isEmpty();
    {
        // Only its columns are read; it is never stepped.
        sqlite3_stmt* probe = conn_->cachedStatement(baseSql());
        if (sqlite3_column_count(probe) == 0)
            throw Error(QStringLiteral("Zapytanie nie zwraca wierszy: %1").arg(baseSql()));
        buildFields(probe);
    }
    restart();
    readFrom_ = snapshot(fwd_ ? &fwd_.sql : nullptr);
}

std::optional<Dataset::Snapshot> Dataset::snapshot(const QString* sql) const
{
    if (!conn_ || !conn_->isConnected() || conn_->inTransaction())
        return std::nullopt;
    const Plan p = plan();
    Snapshot s;
    s.sql = p.noRows ? QString() : sql ? *sql : planSql(p);
    s.binds = p.binds;
    s.baseBinds = baseBinds();
    s.namedBinds = baseNamedBinds();
    // Changes on this connection (rows), by other connections (data_version) and of tables
    // (schema_version, which the other two do not see).
    s.changes = sqlite3_total_changes64(conn_->handle());
    s.dataVersion = conn_->scalar(QStringLiteral("PRAGMA data_version")).toLongLong();
    s.schemaVersion = conn_->scalar(QStringLiteral("PRAGMA schema_version")).toLongLong();
    return s;
}

void Dataset::restart()
{
    resetCache();
    const Plan p = plan();
    if (p.noRows)
        return; // an empty detail: no statement at all
    fwd_ = cursorOn(planSql(p), p.binds);
}

bool Dataset::fetchOne()
{
    if (fwd_ && fwdParked_)
        resumeForward();
    while (fwd_) {
        const int rc = sqlite3_step(fwd_.st.get());
        if (rc == SQLITE_ROW) {
            ++fwdGiven_;
            Row row = detail::readRow(fwd_.st.get());
            fwdLastKept_ = false;
            if (hasRowid_ && !insertedIds_.isEmpty() && insertedIds_.contains(row.rowid()))
                continue; // already shown at the tail, where append() put it
            fwdLastKept_ = true;
            const int pos = int(rows_.size()) - pendingInserted_;
            rows_.insert(rows_.begin() + pos, std::move(row));
            if (cur_ >= pos)
                ++cur_;
            return true;
        }
        sqlite3* db = conn_ ? conn_->handle() : nullptr;
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        endForward();
        pendingInserted_ = 0;
        insertedIds_.clear();
        if (rc != SQLITE_DONE)
            throw Error(QStringLiteral("Błąd odczytu zbioru %1: %2").arg(objectName(), msg));
    }
    return false;
}

bool Dataset::ensureRow(int index)
{
    if (index < 0)
        return false;
    while (fwd_ && index >= int(rows_.size()) - pendingInserted_)
        if (!fetchOne())
            break;
    return index < int(rows_.size());
}

// --- opening -----------------------------------------------------------------------------------

void Dataset::open()
{
    if (isActive())
        return;
    execute();
    state_ = State::Browse;
    if (ensureRow(0)) {
        cur_ = 0;
        bof_ = true;
        eof_ = false;
    }
    emit stateChanged(state_);
    emit activeChanged(true);
    emit dataChanged();
    emit currentChanged();
}

void Dataset::close()
{
    if (!isActive())
        return;
    resetCache();
    buffer_.clear();
    modified_ = false;
    countCache_.reset();
    countSource_.reset();
    fields_.clear();
    columns_.clear();
    fieldIndex_.clear();
    readFrom_.reset();
    setState(State::Inactive);
    emit activeChanged(false);
    emit dataChanged();
    emit currentChanged();
}

void Dataset::setActive(bool on) { on ? open() : close(); }

// Nothing changed since the rows were read (a sort order set just before, say): reading them
// again would give the same rows and the same current row, so the window stays. It must be one
// that the same reading gives: from the first row, or read from the end.
bool Dataset::refreshUnchanged()
{
    if (!readFrom_ || dirty_ || pendingInserted_ != 0)
        return false;
    const bool fromTop = !farWindow();
    const bool fromEnd = !fwd_ && backRead_ > 0 && !(pendingRank_ && pendingRank_->anchor);
    if (!(fromTop || fromEnd))
        return false;
    // The place of a reading from the top: after its last row by the sort keys, or (for a
    // reading of the statement itself) past as many rows.
    const bool more = bool(fwd_);
    std::optional<ReadPlace> after = more ? lastReadKeys(plan()) : std::nullopt;
    if (more && !after && fwd_.sql != readFrom_->sql)
        return false;
    const int read = int(rows_.size());
    // The statements are ended first: while one runs it keeps the database as it was when it
    // began. The one from the end is made again when it is needed (readBackward).
    endForward();
    endBackward();
    if (snapshot() != readFrom_)
        return false;
    if (more) { // goes on where the reading was, when more rows are needed
        fwd_ = cursorOn(readFrom_->sql, readFrom_->binds);
        fwdParked_ = true;
        fwdAfter_ = std::move(after);
        fwdGiven_ = read;
    }
    bof_ = cur_ < 0 || (cur_ == 0 && fromTop);
    eof_ = cur_ < 0;
    return true;
}

void Dataset::refresh()
{
    requireActive();
    checkBrowseMode();
    if (refreshUnchanged())
        return;
    if (pendingRank_ && !pendingRank_->anchor)
        base(); // a window read from the end, placed by a count before the rows are read again
    const int oldCur = cur_;
    const int oldBase = base_;
    const std::optional<PendingRank> oldPending = pendingRank_;
    const qint64 oldId = (hasRowid_ && cur_ >= 0) ? rows_[size_t(cur_)].rowid() : -1;
    const bool wasFar = farWindow();
    execute();
    if (wasFar && oldId >= 0) {
        // Far down a long result: find the row by its key instead of reading every row before it.
        const Plan p = plan();
        if (keyed(p)) {
            QVariantList binds = p.binds;
            binds << oldId;
            std::optional<Row> row;
            {
                const QString cond = QStringLiteral("%1 = %2").arg(QLatin1String(detail::kRowid),
                                                                   detail::placeholder(int(binds.size())));
                const detail::Borrowed st{cachedBound(planSql(p, cond), binds)};
                if (sqlite3_step(st.get()) == SQLITE_ROW)
                    row = detail::readRow(st.get());
            }
            if (row) {
                jumpTo(p, std::move(*row));
                emit dataChanged();
                emit currentChanged();
                return;
            }
        }
    }
    const int oldIndex =
        oldCur < 0 ? -1 : (oldPending ? countBefore(oldPending->plan, *oldPending->anchor) : oldBase) + oldCur;
    int found = -1;
    if (oldId >= 0 && !wasFar) {
        for (int i = 0; i <= oldIndex + 64 && ensureRow(i); ++i)
            if (rows_[size_t(i)].rowid() == oldId) {
                found = i;
                break;
            }
    }
    if (found >= 0)
        cur_ = found;
    else if (oldIndex >= 0 && !seek(oldIndex)) // the same position, or the last row when it is gone
        seekLast();
    if (cur_ < 0 && ensureRow(0))
        cur_ = 0;
    bof_ = cur_ < 0 || (cur_ == 0 && !farWindow());
    eof_ = cur_ < 0;
    emit dataChanged();
    emit currentChanged();
}

} // namespace data
