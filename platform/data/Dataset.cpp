#include "platform/data/Dataset.h"
#include "platform/data/ValueKind.h"

#include "platform/data/Collation.h"
#include "platform/data/Filter.h"
#include "platform/data/Sqlite.h"

#include <QRegularExpression>

namespace data {

using detail::quoteIdent;

namespace {

// Owns a statement prepared with Dataset::prepareBound.
struct Owned {
    sqlite3_stmt* st;
    ~Owned() { sqlite3_finalize(st); }
};

// Gives a statement of the connection's cache back: reset (no read lock held) and unbound.
struct ReusedStatement {
    sqlite3_stmt* st;
    ~ReusedStatement()
    {
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
};

constexpr size_t kSpares = 4; // statements of earlier readings a dataset keeps

constexpr int kPage = 64; // rows read at once when stepping back before a far window
constexpr int kFar = 256; // rows beyond the read ones that are read by position, not one by one
const char* const kRowid = "__rowid";

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
    if (d.contains("FLOA") || d.contains("REAL") || d.contains("DOUB") || d.contains("NUM")
        || d.contains("DEC") || d.contains("CURR"))
        return FieldKind::Float;
    return FieldKind::Unknown;
}

QStringList splitNames(const QString& names)
{
    QStringList out;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= names.size(); ++i) {
        if (i < names.size() && names[i] != QLatin1Char(';') && names[i] != QLatin1Char(','))
            continue;
        const QString t = names.mid(from, i - from).trimmed();
        if (!t.isEmpty())
            out << t;
        from = i + 1;
    }
    return out;
}

bool isNumeric(const QVariant& v)
{
    const int t = v.typeId();
    return t == QMetaType::LongLong || t == QMetaType::Int || t == QMetaType::Double;
}

} // namespace

Dataset::Dataset(QObject* parent) : QObject(parent) {}

Dataset::~Dataset()
{
    finishStatement();
    dropSpares();
}

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

// --- statement ---------------------------------------------------------------------------------

void Dataset::finishStatement()
{
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        for (auto it = spares_.begin(); it != spares_.end(); ++it)
            if (it->sql == stmtSql_) { // keep one of each text
                sqlite3_finalize(it->st);
                spares_.erase(it);
                break;
            }
        if (spares_.size() >= kSpares) {
            sqlite3_finalize(spares_.front().st);
            spares_.erase(spares_.begin());
        }
        spares_.push_back({std::move(stmtSql_), stmt_});
        stmt_ = nullptr;
        stmtSql_.clear();
    }
    done_ = true;
}

void Dataset::dropSpares()
{
    for (const Spare& s : spares_)
        sqlite3_finalize(s.st);
    spares_.clear();
}

sqlite3_stmt* Dataset::cursorStatement(const QString& sql, const QVariantList& binds)
{
    for (auto it = spares_.begin(); it != spares_.end(); ++it)
        if (it->sql == sql) {
            sqlite3_stmt* st = it->st;
            spares_.erase(it);
            try {
                bindPlan(st, binds);
            } catch (...) {
                sqlite3_finalize(st);
                throw;
            }
            return st;
        }
    return prepareBound(sql, binds);
}

int Dataset::columnOf(const QString& name) const
{
    return fieldIndex_.value(foldCase(name.trimmed()), -1);
}

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

Dataset::Plan Dataset::plan() const
{
    Plan p;
    QStringList& where = p.where;
    QVariantList& binds = p.binds;
    bool* noRows = &p.noRows;
    const detail::Resolver resolve = [this](const QString& name) -> std::optional<detail::ColumnRef> {
        const int c = columnOf(name);
        if (c < 0)
            return std::nullopt;
        return detail::ColumnRef{columns_[size_t(c)].name, columns_[size_t(c)].kind};
    };
    if (filtered_ && !filter_.trimmed().isEmpty())
        where << detail::translateFilter(filter_, resolve, binds);

    QStringList order = splitNames(indexFieldNames_);
    if (master_) {
        const QStringList mf = splitNames(masterFields_);
        QStringList df = splitNames(detailFields_);
        if (df.isEmpty())
            df = order.mid(0, mf.size());
        if (df.size() < mf.size())
            throw Error(QStringLiteral("Brak pól powiązania ze zbiorem nadrzędnym (%1)").arg(masterFields_));
        if (!master_->isActive() || (master_->recNo() == 0 && master_->state() != State::Insert)) {
            *noRows = true;
        } else {
            for (int i = 0; i < mf.size() && !*noRows; ++i) {
                Field* m = master_->findField(mf[i]);
                if (!m)
                    throw Error(QStringLiteral("Brak pola %1 w zbiorze nadrzędnym").arg(mf[i]));
                const int c = columnOf(df[i]);
                if (c < 0)
                    throw Error(QStringLiteral("Brak pola %1 w zbiorze %2").arg(df[i], objectName()));
                const Column& col = columns_[size_t(c)];
                QVariant v = m->value();
                if (!v.isValid() || v.isNull()) {
                    *noRows = true;
                    break;
                }
                switch (col.kind) {
                case FieldKind::Integer:
                case FieldKind::Float:
                case FieldKind::Boolean:
                    if (v.typeId() == QMetaType::Bool) {
                        v = qint64(v.toBool() ? 1 : 0);
                    } else if (!isNumeric(v)) {
                        // A text year against an integer one; empty text never matches 0.
                        const auto n = detail::parseNumber(v.toString());
                        if (!n) {
                            *noRows = true;
                            break;
                        }
                        v = *n;
                    }
                    break;
                case FieldKind::Text:
                    v = Field::toText(v);
                    break;
                case FieldKind::Date:
                    v = v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
                    break;
                default:
                    break;
                }
                if (*noRows)
                    break;
                binds.append(v);
                where << QStringLiteral("%1%2 = %3")
                             .arg(quoteIdent(col.name),
                                  col.kind == FieldKind::Text ? QStringLiteral(" COLLATE POLISH") : QString(),
                                  detail::placeholder(int(binds.size())));
            }
        }
    }

    const size_t off = hasRowid_ ? 1 : 0;
    for (QString name : order) {
        bool desc = false;
        const QStringList parts = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() == 2 && (parts[1].compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0
                                  || parts[1].compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0)) {
            name = parts[0];
            desc = parts[1].compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
        }
        const int c = columnOf(name);
        if (c < 0)
            throw Error(QStringLiteral("Brak pola %1 w zbiorze %2 (porządek)").arg(name, objectName()));
        const Column& col = columns_[size_t(c)];
        p.order.push_back({quoteIdent(col.name) + (col.kind == FieldKind::Text ? QStringLiteral(" COLLATE POLISH") : QString()),
                           int(size_t(c) + off), desc});
    }
    if (!p.order.empty() && hasRowid_)
        p.order.push_back({QString::fromLatin1(kRowid), 0, false}); // a stable order among equal keys
    return p;
}

// The statement of a plan, with an optional extra condition and a tail (LIMIT ...).
QString Dataset::planSql(const Plan& p, const QString& extraWhere, const QString& tail) const
{
    QStringList where = p.where;
    if (!extraWhere.isEmpty())
        where << extraWhere;
    if (where.isEmpty() && p.order.empty() && tail.isEmpty())
        return baseSql();
    QString sql = QStringLiteral("SELECT * FROM (%1) AS __t").arg(baseSql());
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    if (!p.order.empty()) {
        QStringList terms;
        for (const OrderKey& k : p.order)
            terms << k.expr + (k.desc ? QStringLiteral(" DESC") : QString());
        sql += QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
    }
    if (!tail.isEmpty())
        sql += QLatin1Char(' ') + tail;
    return sql;
}

QString Dataset::effectiveSql(QVariantList& binds, bool* noRows) const
{
    const Plan p = plan();
    binds = p.binds;
    *noRows = p.noRows;
    return planSql(p);
}

void Dataset::bindPlan(sqlite3_stmt* st, const QVariantList& binds) const
{
    sqlite3* db = conn_->handle();
    detail::bindAll(db, st, baseBinds(), baseNamedBinds());
    for (int i = 0; i < binds.size(); ++i) {
        const int idx = sqlite3_bind_parameter_index(st, detail::placeholder(i + 1).toUtf8().constData());
        if (idx > 0)
            detail::bind(db, st, idx, binds[i]);
    }
}

sqlite3_stmt* Dataset::prepareBound(const QString& sql, const QVariantList& binds) const
{
    sqlite3_stmt* st = detail::prepare(conn_->handle(), sql);
    try {
        bindPlan(st, binds);
    } catch (...) {
        sqlite3_finalize(st);
        throw;
    }
    return st;
}

sqlite3_stmt* Dataset::cachedBound(const QString& sql, const QVariantList& binds) const
{
    sqlite3_stmt* st = conn_->cachedStatement(sql);
    try {
        bindPlan(st, binds);
    } catch (...) {
        sqlite3_clear_bindings(st);
        throw;
    }
    return st;
}

Dataset::Row Dataset::readRow(sqlite3_stmt* st)
{
    const int n = sqlite3_column_count(st);
    Row row;
    row.cells.resize(size_t(n));
    for (int i = 0; i < n; ++i) {
        Cell& c = row.cells[size_t(i)];
        switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER:
            c.type = Cell::Int;
            c.i = sqlite3_column_int64(st, i);
            break;
        case SQLITE_FLOAT:
            c.type = Cell::Real;
            c.d = sqlite3_column_double(st, i);
            break;
        case SQLITE_TEXT:
        case SQLITE_BLOB: {
            const bool text = sqlite3_column_type(st, i) == SQLITE_TEXT;
            const char* p = text ? reinterpret_cast<const char*>(sqlite3_column_text(st, i))
                                 : static_cast<const char*>(sqlite3_column_blob(st, i));
            c.type = text ? Cell::Text : Cell::Blob;
            c.t.off = int(row.bytes.size());
            c.t.len = sqlite3_column_bytes(st, i);
            row.bytes.append(p, c.t.len);
            break;
        }
        default:
            break;
        }
    }
    return row;
}

Dataset::Row Dataset::rowFromValues(const Values& v)
{
    Row row;
    row.cells.resize(v.size());
    for (size_t i = 0; i < v.size(); ++i) {
        const QVariant& x = v[i];
        Cell& c = row.cells[i];
        // The cache holds what SQLite would store for the value, so the kinds follow the binds.
        const detail::ValueKind kind = detail::valueKind(x);
        QByteArray b;
        switch (kind) {
        case detail::ValueKind::Null:
            continue;
        case detail::ValueKind::Boolean:
        case detail::ValueKind::Integer:
            c.type = Cell::Int;
            c.i = x.toLongLong();
            continue;
        case detail::ValueKind::Float:
            c.type = Cell::Real;
            c.d = x.toDouble();
            continue;
        case detail::ValueKind::Date:
            b = detail::dateValue(x).toString(Qt::ISODate).toUtf8();
            break;
        case detail::ValueKind::Bytes:
            b = x.toByteArray();
            break;
        case detail::ValueKind::Text:
            b = x.toString().toUtf8();
            break;
        }
        c.type = kind == detail::ValueKind::Bytes ? Cell::Blob : Cell::Text;
        c.t.off = int(row.bytes.size());
        c.t.len = int(b.size());
        row.bytes.append(b);
    }
    return row;
}

QVariant Dataset::Row::value(size_t at) const
{
    if (at >= cells.size())
        return QVariant();
    const Cell& c = cells[at];
    switch (c.type) {
    case Cell::Int: return QVariant(c.i);
    case Cell::Real: return QVariant(c.d);
    case Cell::Text: return QVariant(QString::fromUtf8(bytes.constData() + c.t.off, c.t.len));
    case Cell::Blob: return QVariant(bytes.mid(c.t.off, c.t.len));
    default: return QVariant();
    }
}

void Dataset::resetCache()
{
    finishStatement();
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
    hasRowid_ = !writableTable().isEmpty();
    {
        // Only its columns are read; it is never stepped.
        sqlite3_stmt* probe = conn_->cachedStatement(baseSql());
        if (sqlite3_column_count(probe) == 0)
            throw Error(QStringLiteral("Zapytanie nie zwraca wierszy: %1").arg(baseSql()));
        buildFields(probe);
    }
    restart();
    readFrom_ = snapshot(stmt_ ? &stmtSql_ : nullptr);
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
    QString sql = planSql(p);
    stmt_ = cursorStatement(sql, p.binds);
    stmtSql_ = std::move(sql);
    done_ = false;
}

bool Dataset::fetchOne()
{
    while (!done_) {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            Row row = readRow(stmt_);
            if (hasRowid_ && !insertedIds_.isEmpty() && insertedIds_.contains(row.rowid()))
                continue; // already shown at the tail, where append() put it
            const int pos = int(rows_.size()) - pendingInserted_;
            rows_.insert(rows_.begin() + pos, std::move(row));
            if (cur_ >= pos)
                ++cur_;
            return true;
        }
        sqlite3* db = conn_ ? conn_->handle() : nullptr;
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        finishStatement();
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
    while (!done_ && index >= int(rows_.size()) - pendingInserted_)
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
    fields_.clear();
    columns_.clear();
    fieldIndex_.clear();
    readFrom_.reset();
    setState(State::Inactive);
    emit activeChanged(false);
    emit dataChanged();
    emit currentChanged();
}

void Dataset::setActive(bool on)
{
    on ? open() : close();
}

void Dataset::refresh()
{
    requireActive();
    checkBrowseMode();
    if (readFrom_ && !dirty_ && pendingInserted_ == 0 && !farWindow() && (done_ || stmtSql_ == readFrom_->sql)) {
        // Nothing changed since the rows were read (a sort order set just before, say): reading
        // them again would give the same rows and the same current row. The statement is ended
        // first: while it runs it keeps the database as it was when it began.
        const bool more = !done_;
        const int read = int(rows_.size());
        finishStatement();
        if (snapshot() == readFrom_) {
            bool same = true;
            if (more) { // go on where the reading was
                stmt_ = cursorStatement(readFrom_->sql, readFrom_->binds);
                stmtSql_ = readFrom_->sql;
                done_ = false;
                for (int i = 0; i < read && same; ++i)
                    same = sqlite3_step(stmt_) == SQLITE_ROW;
            }
            if (same) {
                bof_ = cur_ <= 0;
                eof_ = cur_ < 0;
                return;
            }
        }
    }
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
                const ReusedStatement st{cachedBound(planSql(p, QStringLiteral("%1 = %2").arg(QLatin1String(kRowid), detail::placeholder(int(binds.size())))), binds)};
                if (sqlite3_step(st.st) == SQLITE_ROW)
                    row = readRow(st.st);
            }
            if (row) {
                jumpTo(p, std::move(*row));
                emit dataChanged();
                emit currentChanged();
                return;
            }
        }
    }
    const int oldIndex = oldCur < 0 ? -1 : (oldPending ? countBefore(oldPending->plan, oldPending->anchor) : oldBase) + oldCur;
    int found = -1;
    if (oldId >= 0) {
        for (int i = 0; i <= oldIndex + 64 && ensureRow(i); ++i)
            if (rows_[size_t(i)].rowid() == oldId) {
                found = i;
                break;
            }
    }
    if (found < 0 && oldIndex >= 0)
        found = ensureRow(oldIndex) ? oldIndex : int(rows_.size()) - 1;
    if (found < 0 && ensureRow(0))
        found = 0;
    cur_ = found;
    bof_ = cur_ <= 0;
    eof_ = cur_ < 0;
    emit dataChanged();
    emit currentChanged();
}

void Dataset::setFilter(const QString& text)
{
    if (text == filter_)
        return;
    filter_ = text;
    if (isActive() && filtered_)
        refresh();
}

void Dataset::setFiltered(bool on)
{
    if (on == filtered_)
        return;
    filtered_ = on;
    if (isActive() && !filter_.trimmed().isEmpty())
        refresh();
}

void Dataset::setIndexFieldNames(const QString& names)
{
    if (names == indexFieldNames_)
        return;
    indexFieldNames_ = names;
    if (isActive())
        refresh();
}

// --- navigation --------------------------------------------------------------------------------

void Dataset::setCurrent(int index, bool emitSignal)
{
    cur_ = index;
    eof_ = bof_ = false;
    if (emitSignal)
        emit currentChanged();
}

void Dataset::first()
{
    requireActive();
    checkBrowseMode();
    if (farWindow())
        restart(); // the window starts far down: read from the top again
    if (ensureRow(0)) {
        setCurrent(0);
        bof_ = true;
    } else {
        eof_ = bof_ = true;
    }
}

void Dataset::last()
{
    requireActive();
    checkBrowseMode();
    while (fetchOne()) {
    }
    if (!rows_.empty()) {
        setCurrent(int(rows_.size()) - 1);
        eof_ = true;
    } else {
        eof_ = bof_ = true;
    }
}

void Dataset::next()
{
    requireActive();
    checkBrowseMode();
    if (cur_ < 0) {
        eof_ = true;
        return;
    }
    const int fetched = int(rows_.size()) - pendingInserted_;
    bool ok;
    if (cur_ >= fetched) // on a row posted by append(): the rows after it are appended ones
        ok = cur_ + 1 < int(rows_.size());
    else
        ok = ensureRow(cur_ + 1);
    if (ok)
        setCurrent(cur_ + 1);
    else
        eof_ = true;
}

void Dataset::prior()
{
    requireActive();
    checkBrowseMode();
    if (cur_ == 0 && base_ > 0)
        prependPage();
    if (cur_ <= 0) {
        bof_ = true;
        return;
    }
    if (cur_ == int(rows_.size()) - pendingInserted_ && !done_) {
        while (fetchOne()) { // the row before the first appended one is the last row of all
        }
    }
    setCurrent(cur_ - 1);
}

int Dataset::moveBy(int distance)
{
    int moved = 0;
    while (distance > 0 && !eof_) {
        const int before = cur_;
        next();
        if (eof_ && cur_ == before)
            break;
        ++moved;
        --distance;
    }
    while (distance < 0 && !bof_) {
        const int before = cur_;
        prior();
        if (bof_ && cur_ == before)
            break;
        --moved;
        ++distance;
    }
    return moved;
}

int Dataset::recNo() const
{
    return isActive() && cur_ >= 0 ? base() + cur_ + 1 : 0;
}

void Dataset::setRecNo(int n)
{
    requireActive();
    checkBrowseMode();
    if (n < 1)
        return;
    if (!dirty_ && pendingInserted_ == 0) {
        // Far from the rows read so far: read the row by its position and start a window there
        // instead of reading every row on the way.
        const int fetchedEnd = base() + int(rows_.size());
        const bool farAhead = !done_ && n - 1 >= fetchedEnd + kFar;
        const bool farBack = n - 1 < base_ - kPage;
        if (farAhead || farBack) {
            const Plan p = plan();
            if (keyed(p)) {
                std::optional<Row> row;
                readByPosition(p, n - 1, 1, [&](const Row& r) { row = r; });
                if (row) {
                    jumpTo(p, std::move(*row), n - 1);
                    emit currentChanged();
                }
                return;
            }
        }
    }
    if (n - 1 < base_) {
        if (base_ - (n - 1) <= kPage) {
            while (n - 1 < base_ && prependPage()) {
            }
        }
        if (n - 1 < base_)
            restart();
    }
    n -= base_;
    const int fetched = int(rows_.size()) - pendingInserted_;
    if (n - 1 >= fetched && !done_) {
        while (!done_ && n - 1 >= int(rows_.size()) - pendingInserted_)
            fetchOne();
    }
    if (n - 1 < int(rows_.size()))
        setCurrent(n - 1);
}

int Dataset::recordCount()
{
    if (!isActive())
        return 0;
    if (done_)
        return base() + int(rows_.size());
    if (!countCache_) {
        const Plan p = plan();
        if (p.noRows)
            return int(rows_.size());
        Plan unordered = p;
        unordered.order.clear();
        // Rows posted by append() are counted once: at the tail where they are shown.
        QStringList ids;
        for (const qint64 id : std::as_const(insertedIds_))
            ids << QString::number(id);
        const QString sql = QStringLiteral("SELECT count(*) FROM (%1)")
                                .arg(planSql(unordered, ids.isEmpty() ? QString()
                                                                      : QStringLiteral("%1 NOT IN (%2)").arg(QLatin1String(kRowid), ids.join(QLatin1Char(',')))));
        // Spliced ids make a text of their own: not worth keeping.
        const auto count = [&](sqlite3_stmt* st) {
            if (sqlite3_step(st) != SQLITE_ROW)
                detail::fail(conn_->handle(), sql);
            return sqlite3_column_int(st, 0);
        };
        if (ids.isEmpty()) {
            const ReusedStatement s{cachedBound(sql, p.binds)};
            countCache_ = count(s.st) + pendingInserted_;
        } else {
            const Owned s{prepareBound(sql, p.binds)};
            countCache_ = count(s.st) + pendingInserted_;
        }
    }
    if (pendingRank_)
        return *countCache_;
    return qMax(*countCache_, base_ + int(rows_.size()));
}

bool Dataset::isEmpty()
{
    return !isActive() || (rows_.empty() && !ensureRow(0) && state_ != State::Insert);
}

int Dataset::visitRows(int from, int count, const std::vector<int>& fields,
                       const std::function<void(int index, const QVariantList& values)>& atRow)
{
    if (!isActive())
        return 0;
    if (from < 0) {
        count += from;
        from = 0;
    }
    const size_t off = hasRowid_ ? 1 : 0;
    QVariantList values;
    int at = from;
    const auto show = [&](const Row& row) {
        values.clear();
        for (const int f : fields)
            values << (f >= 0 && f < int(fields_.size()) ? fields_[size_t(f)]->fromStored(row.value(size_t(f) + off))
                                                         : QVariant());
        atRow(at++, values);
    };
    const int end = from + count;
    // Before a far window: by position, the window stays as it is.
    if (at < end && at < base()) {
        const int upto = qMin(end, base_);
        readByPosition(plan(), at, upto - at, show);
        if (at < upto)
            return at - from; // rows went away meanwhile
    }
    while (at < end) {
        const int local = at - base_;
        const int fetched = int(rows_.size()) - pendingInserted_;
        if (!done_ && !dirty_ && pendingInserted_ == 0 && local >= fetched + kFar) {
            // Far beyond the rows read: by position, without reading (and keeping) those between.
            const Plan p = plan();
            if (keyed(p)) {
                readByPosition(p, at, end - at, show);
                break;
            }
        }
        if (!ensureRow(local))
            break;
        show(rows_[size_t(local)]);
    }
    return at - from;
}

// --- fields ------------------------------------------------------------------------------------

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

// --- editing -----------------------------------------------------------------------------------

bool Dataset::canModify() const
{
    return isActive() && !readOnly_ && hasRowid_;
}

void Dataset::checkBrowseMode()
{
    if (state_ == State::Edit || state_ == State::Insert) {
        if (modified_)
            post();
        else
            cancel();
    }
}

void Dataset::append()
{
    requireActive();
    checkBrowseMode();
    if (!canModify())
        throw Error(QStringLiteral("Zbiór danych %1 jest tylko do odczytu").arg(objectName()));
    buffer_.assign(columns_.size() + (hasRowid_ ? 1 : 0), QVariant());
    changed_.assign(columns_.size(), false);
    modified_ = false;
    setState(State::Insert);
    emit currentChanged();
}

void Dataset::edit()
{
    requireActive();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (!canModify())
        throw Error(QStringLiteral("Zbiór danych %1 jest tylko do odczytu").arg(objectName()));
    if (cur_ < 0) { // editing an empty dataset starts a new row
        append();
        return;
    }
    const Row& row = rows_[size_t(cur_)];
    buffer_.assign(row.cells.size(), QVariant());
    for (size_t i = 0; i < row.cells.size(); ++i)
        buffer_[i] = row.value(i);
    changed_.assign(columns_.size(), false);
    modified_ = false;
    setState(State::Edit);
}

Dataset::Row Dataset::readRowById(qint64 rowid)
{
    sqlite3_stmt* st = conn_->cachedStatement(baseSql() + QStringLiteral(" WHERE rowid = ?"));
    detail::bind(conn_->handle(), st, 1, rowid);
    Row row;
    if (sqlite3_step(st) == SQLITE_ROW)
        row = readRow(st);
    sqlite3_reset(st);
    return row;
}

void Dataset::post()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    sqlite3* db = conn_ ? conn_->handle() : nullptr;
    if (!db)
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    const QString table = quoteIdent(writableTable());
    base(); // the window's position, counted before the write can change it
    QStringList names;
    QVariantList values;
    for (size_t i = 0; i < columns_.size(); ++i)
        if (changed_[i]) {
            names << quoteIdent(columns_[i].name);
            values << buffer_[i + 1];
        }
    if (state_ == State::Insert) {
        QString sql;
        if (names.isEmpty())
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table);
        else
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, names.join(QLatin1Char(',')),
                           QStringList(QList<QString>(names.size(), QStringLiteral("?"))).join(QLatin1Char(',')));
        conn_->exec(sql, values);
        const qint64 id = conn_->lastInsertId();
        lastInsertId_ = id;
        Row row = readRowById(id);
        if (row.empty())
            row = rowFromValues(buffer_);
        rows_.push_back(std::move(row));
        dirty_ = true;
        if (!done_) {
            ++pendingInserted_;
            insertedIds_.insert(id);
        }
        if (countCache_)
            ++*countCache_;
        buffer_.clear();
        modified_ = false;
        setState(State::Browse);
        setCurrent(int(rows_.size()) - 1, false);
    } else {
        const qint64 id = buffer_[0].toLongLong();
        if (!names.isEmpty()) {
            QStringList sets;
            for (const QString& n : names)
                sets << n + QStringLiteral(" = ?");
            values << id;
            conn_->exec(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(table, sets.join(QLatin1Char(','))),
                        values);
            Row row = readRowById(id);
            rows_[size_t(cur_)] = row.empty() ? rowFromValues(buffer_) : std::move(row);
            dirty_ = true;
        }
        buffer_.clear();
        modified_ = false;
        setState(State::Browse);
    }
    emit dataChanged();
    emit currentChanged();
}

void Dataset::cancel()
{
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    buffer_.clear();
    modified_ = false;
    setState(State::Browse);
    emit currentChanged();
}

// --- locate ------------------------------------------------------------------------------------

bool Dataset::rowMatches(const Row& row, const std::vector<int>& cols, const QVariantList& values,
                         LocateOptions opts) const
{
    const size_t off = hasRowid_ ? 1 : 0;
    for (size_t k = 0; k < cols.size(); ++k)
        if (!matchValue(*fields_[size_t(cols[k])], row.value(size_t(cols[k]) + off), values[int(k)], opts))
            return false;
    return true;
}

bool Dataset::matchValue(const Field& f, const QVariant& raw, const QVariant& want, LocateOptions opts)
{
    {
        const QVariant v = f.fromStored(raw);
        const bool vNull = !v.isValid() || v.isNull();
        if (!want.isValid() || want.isNull()) {
            if (!vNull)
                return false;
            return true;
        }
        const QString wantText = Field::toText(want);
        if (opts.partialKey) {
            if (wantText.isEmpty())
                return false; // an empty search text finds nothing
            const QString have = Field::toText(v);
            if (opts.caseInsensitive ? !foldCase(have).startsWith(foldCase(wantText)) : !have.startsWith(wantText))
                return false;
            return true;
        }
        if (vNull) {
            if (!wantText.isEmpty() || f.kind() != FieldKind::Text)
                return false;
            return true;
        }
        if (isNumeric(v)) {
            const auto w = isNumeric(want) ? std::optional<double>(want.toDouble()) : detail::parseNumber(wantText);
            if (!w || *w != v.toDouble())
                return false;
        } else if (v.typeId() == QMetaType::Bool) {
            bool w;
            if (want.typeId() == QMetaType::Bool || isNumeric(want))
                w = want.toBool();
            else if (wantText.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                w = true;
            else if (wantText.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                w = false;
            else
                return false;
            if (w != v.toBool())
                return false;
        } else if (v.typeId() == QMetaType::QDate) {
            const QDate w = want.typeId() == QMetaType::QDate ? want.toDate() : detail::parseDate(wantText);
            if (w != v.toDate())
                return false;
        } else {
            const QString have = Field::toText(v);
            if (opts.caseInsensitive ? comparePolish(have, wantText) != 0 : have != wantText)
                return false;
        }
    }
    return true;
}

// What the SQL function tarnex_locate() compares each row with (passed as a bound pointer).
struct Dataset::LocateRequest {
    const Dataset* ds;
    std::vector<int> cols;
    QVariantList values;
    LocateOptions opts;
    std::vector<QByteArray> wantText; // the texts of the values, for the fast path on text columns
};

// tarnex_locate(request, value1, value2, ...): 1 when the values match the request, with the
// same rules as a locate over cached rows (Dataset::rowMatches).
struct LocateHook {
    static void call(sqlite3_context* ctx, int argc, sqlite3_value** argv);
};

void LocateHook::call(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    auto* r = static_cast<const Dataset::LocateRequest*>(sqlite3_value_pointer(argv[0], "tarnex_locate"));
    if (!r || argc - 1 != int(r->cols.size())) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    sqlite3_result_int(ctx, r->ds->matchesSql(*r, argv + 1) ? 1 : 0);
}

void detail::registerLocate(sqlite3* db)
{
    sqlite3_create_function_v2(db, "tarnex_locate", -1, SQLITE_UTF8, nullptr, &LocateHook::call, nullptr, nullptr,
                               nullptr);
}

bool Dataset::matchesSql(const LocateRequest& r, sqlite3_value** argv) const
{
    for (size_t k = 0; k < r.cols.size(); ++k) {
        sqlite3_value* v = argv[k];
        const QVariant& want = r.values[int(k)];
        const bool wantNull = !want.isValid() || want.isNull();
        // Fast path: text in a text column compared with text, without making QStrings.
        if (!wantNull && fields_[size_t(r.cols[k])]->kind() == FieldKind::Text && sqlite3_value_type(v) == SQLITE_TEXT) {
            const char* have = reinterpret_cast<const char*>(sqlite3_value_text(v));
            const int n = sqlite3_value_bytes(v);
            const QByteArray& w = r.wantText[k];
            bool ok;
            if (r.opts.partialKey)
                ok = !w.isEmpty()
                     && (r.opts.caseInsensitive ? startsWithPolishUtf8(have, n, w.constData(), int(w.size()))
                                                : (n >= w.size() && memcmp(have, w.constData(), size_t(w.size())) == 0));
            else
                ok = r.opts.caseInsensitive ? comparePolishUtf8(have, n, w.constData(), int(w.size())) == 0
                                            : (n == w.size() && memcmp(have, w.constData(), size_t(n)) == 0);
            if (!ok)
                return false;
            continue;
        }
        Row row;
        row.cells.resize(1);
        Cell& c = row.cells[0];
        switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER: c.type = Cell::Int; c.i = sqlite3_value_int64(v); break;
        case SQLITE_FLOAT: c.type = Cell::Real; c.d = sqlite3_value_double(v); break;
        case SQLITE_TEXT:
            c.type = Cell::Text;
            row.bytes = QByteArray(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v));
            c.t = {0, int(row.bytes.size())};
            break;
        case SQLITE_BLOB:
            c.type = Cell::Blob;
            row.bytes = QByteArray(static_cast<const char*>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
            c.t = {0, int(row.bytes.size())};
            break;
        default: break;
        }
        if (!matchValue(*fields_[size_t(r.cols[k])], row.value(0), want, r.opts))
            return false;
    }
    return true;
}

// The order is total (ends with the rowid) and the statement can be rebuilt with extra
// conditions: rows can be found, counted and read from anywhere by their sort keys.
bool Dataset::keyed(const Plan& p) const
{
    return hasRowid_ && !p.noRows && !p.order.empty() && p.order.back().expr == QLatin1String(kRowid)
           && baseBinds().isEmpty() && baseNamedBinds().isEmpty();
}

// Rows strictly after `row` in the plan's order (NULLs sort first, as in SQLite), with a
// redundant range on the first key when that lets SQLite start from the index.
QString Dataset::keyCondition(const Plan& p, const Row& row, QVariantList& binds) const
{
    QStringList alts, eq;
    QString hint;
    for (size_t k = 0; k < p.order.size(); ++k) {
        const OrderKey& key = p.order[k];
        const bool vNull = row.cells[size_t(key.at)].type == Cell::Null;
        QString ph;
        if (!vNull) {
            binds << row.value(size_t(key.at));
            ph = detail::placeholder(int(binds.size()));
        }
        QString greater;
        if (!key.desc)
            greater = vNull ? key.expr + QStringLiteral(" IS NOT NULL") : key.expr + QStringLiteral(" > ") + ph;
        else if (!vNull)
            greater = QStringLiteral("(%1 IS NULL OR %1 < %2)").arg(key.expr, ph);
        if (k == 0 && !key.desc && !vNull)
            hint = key.expr + QStringLiteral(" >= ") + ph;
        if (!greater.isEmpty())
            alts << (eq + QStringList{greater}).join(QStringLiteral(" AND "));
        eq << (vNull ? key.expr + QStringLiteral(" IS NULL") : key.expr + QStringLiteral(" = ") + ph);
    }
    QString cond = alts.isEmpty() ? QStringLiteral("0") : QStringLiteral("(") + alts.join(QStringLiteral(") OR (")) + QStringLiteral(")");
    return hint.isEmpty() ? QStringLiteral("(%1)").arg(cond) : QStringLiteral("%1 AND (%2)").arg(hint, cond);
}

// The position of `row` in the plan's order: the rows before it, counted as a sum of disjoint
// ranges (equal leading keys, then a smaller next key), each of which an index can serve.
int Dataset::countBefore(const Plan& p, const Row& row) const
{
    QVariantList binds = p.binds;
    QStringList terms, eq;
    for (const OrderKey& key : p.order) {
        const bool vNull = row.cells[size_t(key.at)].type == Cell::Null;
        QString ph;
        if (!vNull) {
            binds << row.value(size_t(key.at));
            ph = detail::placeholder(int(binds.size()));
        }
        QStringList less;
        if (!key.desc && !vNull)
            less << key.expr + QStringLiteral(" IS NULL") << key.expr + QStringLiteral(" < ") + ph;
        else if (key.desc)
            less << (vNull ? key.expr + QStringLiteral(" IS NOT NULL") : key.expr + QStringLiteral(" > ") + ph);
        for (const QString& l : less)
            terms << QStringLiteral("(SELECT count(*) FROM (%1) AS __t WHERE %2)")
                         .arg(baseSql(), (p.where + eq + QStringList{l}).join(QStringLiteral(" AND ")));
        eq << (vNull ? key.expr + QStringLiteral(" IS NULL") : key.expr + QStringLiteral(" = ") + ph);
    }
    if (terms.isEmpty())
        return 0;
    const QString sql = QStringLiteral("SELECT ") + terms.join(QStringLiteral(" + "));
    const ReusedStatement st{cachedBound(sql, binds)};
    if (sqlite3_step(st.st) != SQLITE_ROW)
        detail::fail(conn_->handle(), sql);
    return int(sqlite3_column_int64(st.st, 0));
}

// Makes `row` the current row and the first of a new window at its position; the statement
// goes on with the rows after it. Nothing before it is read, and unless the position is given
// the rows before it are counted only when a row number is asked for (a search in a long list
// shows its match without counting half the list first).
void Dataset::jumpTo(const Plan& p, Row row, std::optional<int> rank)
{
    QVariantList binds = p.binds;
    const QString after = keyCondition(p, row, binds);
    QString sql = planSql(p, after);
    sqlite3_stmt* st = cursorStatement(sql, binds);
    resetCache();
    stmt_ = st;
    stmtSql_ = std::move(sql);
    done_ = false;
    if (rank)
        base_ = *rank;
    else
        pendingRank_ = PendingRank{p, row};
    rows_.push_back(std::move(row));
    setCurrent(0, false);
}

int Dataset::base() const
{
    if (pendingRank_) {
        base_ = countBefore(pendingRank_->plan, pendingRank_->anchor);
        pendingRank_.reset();
    }
    return base_;
}

int Dataset::readByPosition(const Plan& p, int from, int count, const std::function<void(const Row&)>& atRow) const
{
    if (p.noRows || count <= 0 || from < 0)
        return 0;
    // Bound, not spliced: one statement serves every page. The rows are handed on only after the
    // statement went back to the cache, so whatever atRow does cannot disturb it.
    QVariantList binds = p.binds;
    binds << count;
    const QString limit = detail::placeholder(int(binds.size()));
    binds << from;
    const QString offset = detail::placeholder(int(binds.size()));
    std::vector<Row> rows;
    {
        const ReusedStatement st{cachedBound(planSql(p, QString(), QStringLiteral("LIMIT %1 OFFSET %2").arg(limit, offset)), binds)};
        int rc;
        while ((rc = sqlite3_step(st.st)) == SQLITE_ROW)
            rows.push_back(readRow(st.st));
        if (rc != SQLITE_DONE)
            detail::fail(conn_->handle(), baseSql());
    }
    for (const Row& r : rows)
        atRow(r);
    return int(rows.size());
}

// Reads up to a page of the rows just before a far window; false when there are none.
bool Dataset::prependPage()
{
    if (base() <= 0)
        return false;
    const Plan p = plan();
    const int from = qMax(0, base_ - kPage);
    std::vector<Row> page;
    readByPosition(p, from, base_ - from, [&](const Row& r) { page.push_back(r); });
    if (page.empty()) { // the rows before went away meanwhile
        base_ = 0;
        return false;
    }
    rows_.insert(rows_.begin(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    cur_ += int(page.size());
    base_ -= int(page.size());
    return true;
}

// Locate done by SQLite: the first matching row in the dataset's order (an index serves a text
// key), then the cursor goes to it directly. No value when the dataset is not keyed.
std::optional<bool> Dataset::locateBySql(const std::vector<int>& cols, const QVariantList& values, LocateOptions opts)
{
    if (dirty_)
        return std::nullopt;
    const Plan p = plan();
    if (p.noRows)
        return false;
    if (!keyed(p))
        return std::nullopt;
    LocateRequest req{this, cols, values, opts, {}};
    QVariantList binds = p.binds;
    QStringList conds, args;
    for (size_t k = 0; k < cols.size(); ++k) {
        const Column& col = columns_[size_t(cols[k])];
        const QVariant& want = values[int(k)];
        const bool wantNull = !want.isValid() || want.isNull();
        const QString text = wantNull ? QString() : Field::toText(want);
        if (opts.partialKey && !wantNull && text.isEmpty())
            return false; // an empty search text finds nothing
        req.wantText.push_back(text.toUtf8());
        const QString ident = quoteIdent(col.name);
        args << ident;
        // A necessary condition on a text column that lets SQLite seek in an index on it: the
        // texts that begin with a prefix (ignoring case) lie between the prefix and the prefix
        // followed by the last code point.
        if (col.kind == FieldKind::Text && !text.isEmpty()) {
            binds << text;
            const QString lo = detail::placeholder(int(binds.size()));
            if (opts.partialKey) {
                binds << text + QString::fromUcs4(U"\U0010FFFF", 1);
                conds << QStringLiteral("%1 COLLATE POLISH >= %2 AND %1 COLLATE POLISH < %3")
                             .arg(ident, lo, detail::placeholder(int(binds.size())));
            } else {
                conds << QStringLiteral("%1 COLLATE POLISH = %2").arg(ident, lo);
            }
        }
    }
    conds << QStringLiteral("tarnex_locate(:__loc, %1)").arg(args.join(QStringLiteral(", ")));
    Row row;
    {
        // The request is bound only while the statement runs: the guard unbinds it.
        const ReusedStatement st{cachedBound(planSql(p, conds.join(QStringLiteral(" AND ")), QStringLiteral("LIMIT 1")), binds)};
        sqlite3_bind_pointer(st.st, sqlite3_bind_parameter_index(st.st, ":__loc"), &req, "tarnex_locate", nullptr);
        const int rc = sqlite3_step(st.st);
        if (rc == SQLITE_DONE)
            return false;
        if (rc != SQLITE_ROW)
            detail::fail(conn_->handle(), QStringLiteral("locate"));
        row = readRow(st.st);
    }
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].rowid() == row.rowid()) { // already in the window
            setCurrent(int(i));
            return true;
        }
    jumpTo(p, std::move(row));
    emit currentChanged();
    return true;
}

bool Dataset::locate(const QString& fields, const QVariantList& values, LocateOptions opts)
{
    requireActive();
    checkBrowseMode();
    const QStringList names = splitNames(fields);
    if (names.size() != values.size())
        throw Error(QStringLiteral("Locate: %1 pól, %2 wartości").arg(names.size()).arg(values.size()));
    std::vector<int> cols;
    for (const QString& n : names) {
        const int c = columnOf(n);
        if (c < 0)
            throw Error(QStringLiteral("%1: nie znaleziono pola '%2'").arg(objectName(), n));
        cols.push_back(c);
    }
    if (dirty_ && farWindow())
        refresh(); // rows appended to a far window: read the rows in their real order first
    if (const auto found = locateBySql(cols, values, opts))
        return *found;
    // Not keyed (a view or query) or with rows posted since reading: search the cached rows
    // from the first one, reading more as needed.
    for (int i = 0;; ++i) {
        if (i >= int(rows_.size()) - pendingInserted_ && !done_) {
            if (!fetchOne())
                continue; // the statement ended; the appended rows follow
        }
        if (i >= int(rows_.size()))
            return false;
        if (rowMatches(rows_[size_t(i)], cols, values, opts)) {
            setCurrent(i);
            return true;
        }
    }
}

bool Dataset::locate(const QString& field, const QVariant& value, LocateOptions opts)
{
    return locate(field, QVariantList{value}, opts);
}

// --- master-detail -----------------------------------------------------------------------------

void Dataset::setMasterSource(Dataset* master, const QString& masterFields, const QString& detailFields)
{
    for (auto& c : masterConn_)
        disconnect(c);
    masterSource_ = nullptr;
    master_ = master;
    masterFields_ = masterFields;
    detailFields_ = detailFields;
    if (master) {
        masterConn_[0] = connect(master, &Dataset::currentChanged, this, &Dataset::masterMoved);
        masterConn_[1] = connect(master, &Dataset::activeChanged, this, &Dataset::masterMoved);
    }
    if (isActive())
        masterMoved();
}

void Dataset::setMasterSource(DataSource* source, const QString& masterFields, const QString& detailFields)
{
    setMasterSource(source ? source->dataset() : nullptr, masterFields, detailFields);
    masterSource_ = source;
    if (source)
        masterConn_[2] = connect(source, &DataSource::datasetChanged, this, [this] {
            DataSource* s = masterSource_;
            setMasterSource(s, masterFields_, detailFields_);
        });
}

Dataset* Dataset::master() const
{
    return master_;
}

void Dataset::masterMoved()
{
    if (!isActive())
        return;
    checkBrowseMode();
    execute();
    if (ensureRow(0)) {
        cur_ = 0;
        bof_ = true;
        eof_ = false;
    }
    emit dataChanged();
    emit currentChanged();
}

// --- Table -------------------------------------------------------------------------------------

void Table::setTableName(const QString& name)
{
    requireInactive("tableName");
    table_ = name;
    isView_.reset();
}

QString Table::writableTable() const
{
    if (!isView_) {
        if (!connection() || !connection()->isConnected())
            return QString();
        const QVariant type = connection()->scalar(
            QStringLiteral("SELECT type FROM sqlite_master WHERE name = ? COLLATE NOCASE"), {table_});
        isView_ = type.toString() != QLatin1String("table");
    }
    return *isView_ ? QString() : table_;
}

QString Table::baseSql() const
{
    if (!writableTable().isEmpty())
        return QStringLiteral("SELECT rowid AS %1, * FROM %2").arg(QLatin1String(kRowid), quoteIdent(table_));
    return QStringLiteral("SELECT * FROM %1").arg(quoteIdent(table_));
}

// --- Query -------------------------------------------------------------------------------------

void Query::setSql(const QString& sql)
{
    close();
    sql_ = sql;
    positional_.clear();
    named_.clear();
}

void Query::addBindValue(const QVariant& v)
{
    positional_.append(v);
}

void Query::bindValue(const QString& name, const QVariant& v)
{
    named_.insert(name, v);
}

void Query::clearBinds()
{
    positional_.clear();
    named_.clear();
}

int Query::execSql()
{
    if (!connection() || !connection()->isConnected())
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    close();
    sqlite3* db = connection()->handle();
    detail::Stmt s(db, sql_);
    detail::bindAll(db, s.st, positional_, named_);
    int rc;
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        detail::fail(db, sql_);
    return sqlite3_changes(db);
}

// --- DataSource --------------------------------------------------------------------------------

void DataSource::setDataset(Dataset* d)
{
    if (d == dataset_)
        return;
    dataset_ = d;
    emit datasetChanged();
}

} // namespace data
