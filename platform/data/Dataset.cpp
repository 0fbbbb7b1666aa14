#include "platform/data/Dataset.h"

#include "platform/data/Collation.h"
#include "platform/data/Filter.h"
#include "platform/data/Sqlite.h"

#include <QRegularExpression>

namespace data {

using detail::quoteIdent;

namespace {

const QVariant kNull;
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
    for (const QString& n : names.split(QRegularExpression(QStringLiteral("[;,]")))) {
        const QString t = n.trimmed();
        if (!t.isEmpty())
            out << t;
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
}

void Dataset::setConnection(Connection* c)
{
    if (c == conn_)
        return;
    close();
    if (conn_)
        disconnect(conn_, nullptr, this, nullptr);
    conn_ = c;
    if (c)
        connect(c, &Connection::aboutToClose, this, &Dataset::close);
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
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
    done_ = true;
}

int Dataset::columnOf(const QString& name) const
{
    return fieldIndex_.value(foldCase(name.trimmed()), -1);
}

void Dataset::buildFields(sqlite3_stmt* st)
{
    static const QRegularExpression plain(QStringLiteral("^[\\w][\\w. ]*$"));
    columns_.clear();
    fields_.clear();
    fieldIndex_.clear();
    const int n = sqlite3_column_count(st);
    const int first = hasRowid_ ? 1 : 0;
    int expr = 1000;
    for (int i = first; i < n; ++i) {
        Column c;
        c.name = QString::fromUtf8(sqlite3_column_name(st, i));
        const char* decl = sqlite3_column_decltype(st, i);
        c.kind = kindOf(decl);
        // Unnamed computed columns get the names Jet gives them: Expr1000, Expr1001, ...
        if (!decl && (!plain.match(c.name).hasMatch() || c.name.at(0).isDigit()))
            c.name = QStringLiteral("Expr%1").arg(expr++);
        const int idx = int(columns_.size());
        columns_.push_back(c);
        fields_.push_back(std::make_unique<Field>(this, idx, c.name, c.kind));
        const QString key = foldCase(c.name);
        if (!fieldIndex_.contains(key))
            fieldIndex_.insert(key, idx);
    }
}

QString Dataset::effectiveSql(QVariantList& binds, bool* noRows) const
{
    *noRows = false;
    QStringList where;
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

    QStringList orderSql;
    for (QString name : order) {
        QString dir;
        const QStringList parts = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() == 2 && (parts[1].compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0
                                  || parts[1].compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0)) {
            name = parts[0];
            dir = QLatin1Char(' ') + parts[1].toUpper();
        }
        const int c = columnOf(name);
        if (c < 0)
            throw Error(QStringLiteral("Brak pola %1 w zbiorze %2 (porządek)").arg(name, objectName()));
        const Column& col = columns_[size_t(c)];
        orderSql << quoteIdent(col.name) + (col.kind == FieldKind::Text ? QStringLiteral(" COLLATE POLISH") : QString())
                        + dir;
    }
    if (!orderSql.isEmpty() && hasRowid_)
        orderSql << QString::fromLatin1(kRowid); // a stable order among equal keys

    if (where.isEmpty() && orderSql.isEmpty())
        return baseSql();
    QString sql = QStringLiteral("SELECT * FROM (%1) AS __t").arg(baseSql());
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    if (!orderSql.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + orderSql.join(QStringLiteral(", "));
    return sql;
}

void Dataset::execute()
{
    if (!conn_ || !conn_->isConnected())
        throw Error(QStringLiteral("Brak połączenia z bazą danych"));
    sqlite3* db = conn_->handle();
    finishStatement();
    rows_.clear();
    pendingInserted_ = 0;
    insertedIds_.clear();
    countCache_.reset();
    cur_ = -1;
    eof_ = bof_ = true;
    hasRowid_ = !writableTable().isEmpty();
    {
        detail::Stmt probe(db, baseSql());
        if (sqlite3_column_count(probe.st) == 0)
            throw Error(QStringLiteral("Zapytanie nie zwraca wierszy: %1").arg(baseSql()));
        buildFields(probe.st);
    }
    QVariantList extra;
    bool noRows = false;
    const QString sql = effectiveSql(extra, &noRows);
    if (noRows)
        return; // an empty detail: no statement at all
    sqlite3_stmt* st = detail::prepare(db, sql);
    try {
        detail::bindAll(db, st, baseBinds(), baseNamedBinds());
        for (int i = 0; i < extra.size(); ++i)
            detail::bind(db, st, sqlite3_bind_parameter_index(st, detail::placeholder(i + 1).toUtf8().constData()),
                         extra[i]);
    } catch (...) {
        sqlite3_finalize(st);
        throw;
    }
    stmt_ = st;
    done_ = false;
}

bool Dataset::fetchOne()
{
    while (!done_) {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) {
            const int n = sqlite3_column_count(stmt_);
            Row row(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                row[size_t(i)] = detail::column(stmt_, i);
            if (hasRowid_ && !insertedIds_.isEmpty() && insertedIds_.contains(row[0].toLongLong()))
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
    finishStatement();
    rows_.clear();
    buffer_.clear();
    modified_ = false;
    pendingInserted_ = 0;
    insertedIds_.clear();
    countCache_.reset();
    cur_ = -1;
    eof_ = bof_ = true;
    fields_.clear();
    columns_.clear();
    fieldIndex_.clear();
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
    const int oldIndex = cur_;
    const qint64 oldId = (hasRowid_ && cur_ >= 0) ? rows_[size_t(cur_)][0].toLongLong() : -1;
    execute();
    int found = -1;
    if (oldId >= 0) {
        for (int i = 0; i <= oldIndex + 64 && ensureRow(i); ++i)
            if (rows_[size_t(i)][0].toLongLong() == oldId) {
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
    return isActive() && cur_ >= 0 ? cur_ + 1 : 0;
}

void Dataset::setRecNo(int n)
{
    requireActive();
    checkBrowseMode();
    if (n < 1)
        return;
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
        return int(rows_.size());
    if (!countCache_) {
        QVariantList binds;
        bool noRows = false;
        QString sql = effectiveSql(binds, &noRows);
        if (noRows)
            return int(rows_.size());
        detail::Stmt s(conn_->handle(), QStringLiteral("SELECT count(*) FROM (%1)").arg(sql));
        detail::bindAll(conn_->handle(), s.st, baseBinds(), baseNamedBinds());
        for (int i = 0; i < binds.size(); ++i)
            detail::bind(conn_->handle(), s.st,
                         sqlite3_bind_parameter_index(s.st, detail::placeholder(i + 1).toUtf8().constData()),
                         binds[i]);
        if (sqlite3_step(s.st) != SQLITE_ROW)
            detail::fail(conn_->handle(), sql);
        countCache_ = sqlite3_column_int(s.st, 0) + pendingInserted_;
    }
    return qMax(*countCache_, int(rows_.size()));
}

bool Dataset::isEmpty()
{
    return !isActive() || (rows_.empty() && !ensureRow(0) && state_ != State::Insert);
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

const QVariant& Dataset::cell(int field) const
{
    const size_t at = size_t(field + (hasRowid_ ? 1 : 0));
    if (state_ == State::Edit || state_ == State::Insert)
        return at < buffer_.size() ? buffer_[at] : kNull;
    if (cur_ >= 0 && cur_ < int(rows_.size()) && at < rows_[size_t(cur_)].size())
        return rows_[size_t(cur_)][at];
    return kNull;
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
    buffer_ = rows_[size_t(cur_)];
    changed_.assign(columns_.size(), false);
    modified_ = false;
    setState(State::Edit);
}

Dataset::Row Dataset::readRowById(qint64 rowid)
{
    sqlite3_stmt* st = conn_->cachedStatement(baseSql() + QStringLiteral(" WHERE rowid = ?"));
    detail::bind(conn_->handle(), st, 1, rowid);
    Row row;
    if (sqlite3_step(st) == SQLITE_ROW) {
        const int n = sqlite3_column_count(st);
        row.resize(size_t(n));
        for (int i = 0; i < n; ++i)
            row[size_t(i)] = detail::column(st, i);
    }
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
            row = buffer_;
        rows_.push_back(std::move(row));
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
            rows_[size_t(cur_)] = row.empty() ? buffer_ : std::move(row);
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
    for (size_t k = 0; k < cols.size(); ++k) {
        const Field& f = *fields_[size_t(cols[k])];
        const QVariant v = f.fromStored(row[size_t(cols[k]) + off]);
        const QVariant& want = values[int(k)];
        const bool vNull = !v.isValid() || v.isNull();
        if (!want.isValid() || want.isNull()) {
            if (!vNull)
                return false;
            continue;
        }
        const QString wantText = Field::toText(want);
        if (opts.partialKey) {
            if (wantText.isEmpty())
                return false; // an empty search text finds nothing
            const QString have = Field::toText(v);
            if (opts.caseInsensitive ? !foldCase(have).startsWith(foldCase(wantText)) : !have.startsWith(wantText))
                return false;
            continue;
        }
        if (vNull) {
            if (!wantText.isEmpty() || f.kind() != FieldKind::Text)
                return false;
            continue;
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
