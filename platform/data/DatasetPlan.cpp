// The dataset's filter and sort order, and the statements made of them: the plan (conditions,
// order, binds), its SQL text, binding, and counting its rows.
#include "platform/data/Dataset.h"

#include "platform/data/DatasetParts.h"
#include "platform/data/Filter.h"
#include "platform/data/Sqlite.h"

namespace data {

using detail::quoteIdent;

QStringList detail::splitNames(const QString& names)
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

bool detail::isNumeric(const QVariant& v)
{
    const int t = v.typeId();
    return t == QMetaType::LongLong || t == QMetaType::Int || t == QMetaType::Double;
}

// --- filter and order --------------------------------------------------------------------------

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

// --- the plan ----------------------------------------------------------------------------------

Dataset::Plan Dataset::Plan::reversed() const
{
    // SQLite sorts NULLs first ascending and last descending: flipping every key reverses the
    // order exactly, NULLs included.
    Plan r = *this;
    for (OrderKey& k : r.order)
        k.desc = !k.desc;
    return r;
}

Dataset::Plan Dataset::plan() const
{
    Plan p;
    addConditions(p, [this](int c) -> std::optional<QString> { return columns_[size_t(c)].name; });
    addOrder(p);
    return p;
}

bool Dataset::addConditions(Plan& p, const Naming& naming) const
{
    bool unnamed = false;
    const detail::Resolver resolve = [&](const QString& name) -> std::optional<detail::ColumnRef> {
        const int c = columnOf(name);
        if (c < 0)
            return std::nullopt;
        const Column& col = columns_[size_t(c)];
        const std::optional<QString> n = naming(c);
        if (!n)
            unnamed = true;
        return detail::ColumnRef{n ? *n : col.name, col.kind};
    };
    if (filtered_ && !filter_.trimmed().isEmpty())
        p.where << detail::translateFilter(filter_, resolve, p.binds, &p.filterComplement, &p.fixed);
    addLinkConditions(p, naming, unnamed);
    if (p.where.size() != 1) // the complement stands for the filter alone
        p.filterComplement.clear();
    return !unnamed;
}

void Dataset::addOrder(Plan& p) const
{
    const size_t off = hasRowid_ ? 1 : 0;
    for (QString name : detail::splitNames(indexFieldNames_)) {
        bool desc = false;
        const QStringList parts = name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() == 2
            && (parts[1].compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0
                || parts[1].compare(QLatin1String("asc"), Qt::CaseInsensitive) == 0)) {
            name = parts[0];
            desc = parts[1].compare(QLatin1String("desc"), Qt::CaseInsensitive) == 0;
        }
        const int c = columnOf(name);
        if (c < 0)
            throw Error(QStringLiteral("Brak pola %1 w zbiorze %2 (porządek)").arg(name, objectName()));
        const Column& col = columns_[size_t(c)];
        p.order.push_back(
            {quoteIdent(col.name) + (col.kind == FieldKind::Text ? QStringLiteral(" COLLATE POLISH") : QString()),
             int(size_t(c) + off), desc});
    }
    // The rowid last makes the order total (stable among equal keys). A whole table without an
    // order comes in rowid order anyway; saying so costs nothing and lets the cursor seek in it.
    if (!p.order.empty() && hasRowid_)
        p.order.push_back({QString::fromLatin1(detail::kRowid), 0, false});
    else if (hasRowid_ && p.where.isEmpty() && !p.noRows)
        p.order.push_back({QString::fromLatin1(detail::kRowid), 0, false, true});
}

// The statement of a plan, with an optional extra condition and a tail (LIMIT ...).
QString Dataset::planSql(const Plan& p, const QString& extraWhere, const QString& tail) const
{
    QStringList where = p.where;
    if (!extraWhere.isEmpty())
        where << extraWhere;
    if (where.isEmpty() && tail.isEmpty()) {
        if (p.order.empty())
            return baseSql();
        // A whole table in rowid order: said on the table's own select (a table's base select
        // is a plain one), which prepares faster than the same wrapped.
        if (p.order.size() == 1 && p.order[0].implicit && !p.order[0].desc)
            return baseSql() + QStringLiteral(" ORDER BY ") + p.order[0].expr;
    }
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

// --- statements --------------------------------------------------------------------------------

namespace {

// The values of a plan, named :__pN; a statement that lacks one of the names does not need it.
void bindPlaceholders(sqlite3* db, sqlite3_stmt* st, const QVariantList& binds)
{
    for (int i = 0; i < binds.size(); ++i) {
        const int idx = sqlite3_bind_parameter_index(st, detail::placeholder(i + 1).toUtf8().constData());
        if (idx > 0)
            detail::bind(db, st, idx, binds[i]);
    }
}

} // namespace

void Dataset::bindPlan(sqlite3_stmt* st, const QVariantList& binds) const
{
    sqlite3* db = conn_->handle();
    detail::bindAll(db, st, baseBinds(), baseNamedBinds());
    bindPlaceholders(db, st, binds);
}

detail::Statement Dataset::prepareBound(const QString& sql, const QVariantList& binds) const
{
    detail::Statement st(detail::prepare(conn_->handle(), sql));
    bindPlan(st.get(), binds);
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

detail::Cursor Dataset::cursorOn(QString sql, const QVariantList& binds)
{
    detail::Cursor c;
    c.st = spares_.take(sql);
    if (c.st)
        bindPlan(c.st.get(), binds);
    else
        c.st = prepareBound(sql, binds);
    c.sql = std::move(sql);
    return c;
}

// --- counting ----------------------------------------------------------------------------------

int Dataset::countRows(const Plan& p) const
{
    if (p.noRows)
        return 0;
    sqlite3* db = conn_->handle();
    const auto count = [&](sqlite3_stmt* st, const QString& sql) {
        if (sqlite3_step(st) != SQLITE_ROW)
            detail::fail(db, sql);
        return sqlite3_column_int(st, 0);
    };
    if (!hasRowid_) {
        // A saved query over one base table: counted on the table, with the same conditions on
        // the table's own columns.
        if (!countSource_)
            countSource_ = countSource();
        if (const auto& src = *countSource_) {
            Plan q;
            const bool named = addConditions(q, [&](int c) -> std::optional<QString> {
                if (size_t(c) >= src->columns.size() || src->columns[size_t(c)].isEmpty())
                    return std::nullopt;
                return src->columns[size_t(c)];
            });
            if (named && !q.noRows) {
                const QString table = quoteIdent(src->table);
                QString sql = QStringLiteral("SELECT count(*) FROM %1").arg(table);
                if (!q.filterComplement.isEmpty())
                    sql = QStringLiteral("SELECT (%1) - (SELECT count(*) FROM %2 WHERE %3)")
                              .arg(sql, table, q.filterComplement);
                else if (!q.where.isEmpty())
                    sql += QStringLiteral(" WHERE ") + q.where.join(QStringLiteral(" AND "));
                const detail::Borrowed st{conn_->cachedStatement(sql)};
                bindPlaceholders(db, st.get(), q.binds);
                return count(st.get(), sql);
            }
        }
    }
    Plan unordered = p;
    unordered.order.clear();
    // Rows posted by append() are counted once: at the tail where they are shown.
    QStringList ids;
    for (const qint64 id : std::as_const(insertedIds_))
        ids << QString::number(id);
    const QString exclude = ids.isEmpty()
        ? QString()
        : QStringLiteral("%1 NOT IN (%2)").arg(QLatin1String(detail::kRowid), ids.join(QLatin1Char(',')));
    const QString sql = QStringLiteral("SELECT count(*) FROM (%1)").arg(planSql(unordered, exclude));
    if (ids.isEmpty()) {
        const detail::Borrowed st{cachedBound(sql, p.binds)};
        return count(st.get(), sql);
    }
    // Spliced ids make a text of their own: not worth keeping.
    const detail::Statement st = prepareBound(sql, p.binds);
    return count(st.get(), sql);
}

int Dataset::recordCount()
{
    if (!isActive())
        return 0;
    if (!fwd_)
        return base() + int(rows_.size());
    if (!countCache_) {
        const Plan p = plan();
        if (p.noRows)
            return int(rows_.size());
        countCache_ = countRows(p) + pendingInserted_;
    }
    if (pendingRank_)
        return *countCache_;
    return qMax(*countCache_, base_ + int(rows_.size()));
}

} // namespace data
