// Locate: the first row (in the dataset's order) whose fields match given values. On a sorted
// table SQLite finds it (tarnex_locate() applies the same row test inside the statement) and the
// cursor jumps there; otherwise the rows are searched in order.
#include "platform/data/Dataset.h"

#include "platform/data/Collation.h"
#include "platform/data/DatasetParts.h"
#include "platform/data/Filter.h"
#include "platform/data/Sqlite.h"

#include <cstring>

namespace data {

using detail::isNumeric;
using detail::quoteIdent;

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
    const QVariant v = f.fromStored(raw);
    const bool vNull = !v.isValid() || v.isNull();
    if (!want.isValid() || want.isNull())
        return vNull;
    const QString wantText = Field::toText(want);
    if (opts.partialKey) {
        if (wantText.isEmpty())
            return false; // an empty search text finds nothing
        const QString have = Field::toText(v);
        return opts.caseInsensitive ? foldCase(have).startsWith(foldCase(wantText)) : have.startsWith(wantText);
    }
    if (vNull)
        return wantText.isEmpty() && f.kind() == FieldKind::Text;
    if (isNumeric(v)) {
        const auto w = isNumeric(want) ? std::optional<double>(want.toDouble()) : detail::parseNumber(wantText);
        return w && *w == v.toDouble();
    }
    if (v.typeId() == QMetaType::Bool) {
        bool w;
        if (want.typeId() == QMetaType::Bool || isNumeric(want))
            w = want.toBool();
        else if (wantText.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            w = true;
        else if (wantText.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            w = false;
        else
            return false;
        return w == v.toBool();
    }
    if (v.typeId() == QMetaType::QDate) {
        const QDate w = want.typeId() == QMetaType::QDate ? want.toDate() : detail::parseDate(wantText);
        return w == v.toDate();
    }
    const QString have = Field::toText(v);
    return opts.caseInsensitive ? comparePolish(have, wantText) == 0 : have == wantText;
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
        if (!wantNull && fields_[size_t(r.cols[k])]->kind() == FieldKind::Text
            && sqlite3_value_type(v) == SQLITE_TEXT) {
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
        if (!matchValue(*fields_[size_t(r.cols[k])], detail::rowOfValue(v).value(0), want, r.opts))
            return false;
    }
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
        const detail::Borrowed st{
            cachedBound(planSql(p, conds.join(QStringLiteral(" AND ")), QStringLiteral("LIMIT 1")), binds)};
        sqlite3_bind_pointer(st.get(), sqlite3_bind_parameter_index(st.get(), ":__loc"), &req, "tarnex_locate",
                             nullptr);
        const int rc = sqlite3_step(st.get());
        if (rc == SQLITE_DONE)
            return false;
        if (rc != SQLITE_ROW)
            detail::fail(conn_->handle(), QStringLiteral("locate"));
        row = detail::readRow(st.get());
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

// The index of the first of the rows 0 .. upto - 1 that matches, read by a statement of its own
// (the cache and the cursor stay as they are).
std::optional<int> Dataset::scanFromTop(const std::vector<int>& cols, const QVariantList& values, LocateOptions opts,
                                        int upto)
{
    const Plan p = plan();
    if (p.noRows || upto <= 0)
        return std::nullopt;
    QVariantList binds = p.binds;
    binds << upto;
    const QString sql = planSql(p, QString(), QStringLiteral("LIMIT %1").arg(detail::placeholder(int(binds.size()))));
    const detail::Borrowed st{cachedBound(sql, binds)};
    int rc, i = 0;
    while ((rc = sqlite3_step(st.get())) == SQLITE_ROW) {
        if (rowMatches(detail::readRow(st.get()), cols, values, opts))
            return i;
        ++i;
    }
    if (rc != SQLITE_DONE)
        detail::fail(conn_->handle(), QStringLiteral("locate"));
    return std::nullopt;
}

bool Dataset::locate(const QString& fields, const QVariantList& values, LocateOptions opts)
{
    requireActive();
    checkBrowseMode();
    const QStringList names = detail::splitNames(fields);
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
    // Not keyed (a view or query) or with rows posted since reading: search the rows from the
    // first one. Before a window read from the end the rows are searched by a reading of their
    // own, so that the cursor stays where it is when nothing matches.
    if (farWindow()) {
        if (const auto i = scanFromTop(cols, values, opts, base())) {
            restart();
            ensureRow(*i);
            setCurrent(*i);
            return true;
        }
    }
    for (int i = 0;; ++i) {
        if (i >= int(rows_.size()) - pendingInserted_ && fwd_) {
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

} // namespace data
