// The dataset's cursor and the window of rows it moves in.
//
// rows_ is a window of the ordered result starting at row base_. A reading from the first row
// makes a window at 0 that grows as the cursor moves on. A far jump (a search's match, a row
// number far ahead) starts a window at the row it lands on, the statement going on after it by
// the sort keys; last() starts one at the last row, read in the reverse order, whose statement
// goes on backwards. Rows before a window are read a page at a time when the cursor goes back.
// None of these reads the rows on the way, so a long result opens, searches and goes to its end
// at once.
#include "platform/data/Dataset.h"

#include "platform/data/Collation.h"
#include "platform/data/DatasetParts.h"
#include "platform/data/Filter.h"
#include "platform/data/Sqlite.h"

#include <algorithm>
#include <cstring>

namespace data {

using detail::kFar;
using detail::kPage;

void Dataset::setCurrent(int index, bool emitSignal)
{
    cur_ = index;
    eof_ = bof_ = false;
    if (emitSignal)
        emit currentChanged();
}

// --- navigation --------------------------------------------------------------------------------

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
    seekLast();
    if (cur_ >= 0) {
        setCurrent(cur_);
        eof_ = true;
    } else {
        eof_ = bof_ = true;
    }
}

void Dataset::seekLast()
{
    if (fwd_ && !dirty_ && pendingInserted_ == 0) {
        // A few rows more are read on; when still more follow, the last one is read from the
        // end instead of every row on the way (and counted only when its number is asked for).
        for (int i = 0; i < kFar && fetchOne(); ++i) {}
        if (fwd_) {
            const Plan p = plan();
            if (!p.noRows && jumpToTail(p))
                return;
        }
    }
    while (fetchOne()) {}
    cur_ = int(rows_.size()) - 1;
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
    if (cur_ == 0 && farWindow())
        prependPage();
    if (cur_ <= 0) {
        bof_ = true;
        return;
    }
    if (cur_ == int(rows_.size()) - pendingInserted_ && fwd_) {
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

int Dataset::recNo() const { return isActive() && cur_ >= 0 ? base() + cur_ + 1 : 0; }

void Dataset::setRecNo(int n)
{
    requireActive();
    checkBrowseMode();
    if (n >= 1 && seek(n - 1))
        emit currentChanged();
}

bool Dataset::seek(int target)
{
    if (target < 0)
        return false;
    if (!dirty_ && pendingInserted_ == 0) {
        const int fetchedEnd = base() + int(rows_.size());
        const bool farAhead = fwd_ && target >= fetchedEnd + kFar;
        const bool farBack = target < base_ - kPage;
        if (farAhead || farBack) {
            const Plan p = plan();
            if (keyed(p)) {
                // Far from the rows read so far: read the row by its position and start a window
                // there instead of reading every row on the way.
                std::optional<Row> row;
                readByPosition(p, target, 1, [&](const Row& r) { row = r; });
                if (!row)
                    return false;
                jumpTo(p, std::move(*row), target);
                return true;
            }
            if (farAhead && !p.noRows && !p.order.empty()) {
                // Nearer the last row than the rows read: from the end backwards.
                const int total = countRows(p);
                countCache_ = total;
                if (target >= total)
                    return false;
                if (total - 1 - target < target - fetchedEnd)
                    jumpToTail(p, total);
            }
        }
    }
    if (target < base()) {
        const int back = base_ - target;
        const bool fromEnd = !dirty_ && (back_ || backRead_ > 0);
        if (back <= kPage || (fromEnd && back <= target)) {
            while (target < base_ && prependPage()) {}
        }
        if (target < base_)
            restart();
    }
    const int local = target - base_;
    if (!ensureRow(local))
        return false;
    setCurrent(local, false);
    return true;
}

bool Dataset::isEmpty() { return !isActive() || (rows_.empty() && !ensureRow(0) && state_ != State::Insert); }

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
    // Just before a window read from the end: it grows back to them, cheaper than by position.
    if (at < end && at < base() && base_ - at <= kFar && !dirty_ && (back_ || backRead_ > 0)) {
        while (at < base_ && prependPage()) {}
    }
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
        if (fwd_ && !dirty_ && pendingInserted_ == 0 && local >= fetched + kFar) {
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

// --- the window --------------------------------------------------------------------------------

// The order is total (ends with the rowid) and the statement can be rebuilt with extra
// conditions: rows can be found, counted and read from anywhere by their sort keys.
bool Dataset::keyed(const Plan& p) const
{
    return hasRowid_ && !p.noRows && !p.order.empty() && p.order.back().expr == QLatin1String(detail::kRowid)
        && baseBinds().isEmpty() && baseNamedBinds().isEmpty();
}

// Rows strictly after `row` in the plan's order (NULLs sort first, as in SQLite), with a
// redundant range on the first key when that lets SQLite start from the index.
QString Dataset::keyCondition(const Plan& p, const Row& row, QVariantList& binds, bool orEqual) const
{
    static const QString polish = QStringLiteral(" COLLATE POLISH");
    QStringList alts, eq;
    QString hint;
    // An index on the keys finds the place itself when the keys after the columns of one value
    // are compared at once, their collation on the values' side: ("Typ", "Nr") >= (? COLLATE
    // POLISH, ?) after Rok=2011 seeks in an index on Rok, Typ, Nr, where "Typ >= ?" would read
    // every row of the type again.
    QStringList seekKeys, seekValues;
    bool seeking = true;
    for (size_t k = 0; k < p.order.size(); ++k) {
        const OrderKey& key = p.order[k];
        const bool vNull = row.isNull(size_t(key.at));
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
        const bool collated = key.expr.endsWith(polish);
        const QString column = collated ? key.expr.chopped(polish.size()) : key.expr;
        if (!seeking || std::any_of(p.fixed.begin(), p.fixed.end(), [&](const QString& f) {
                return detail::quoteIdent(f) == column;
            }))
            continue;
        seeking = !key.desc && !vNull;
        if (seeking) {
            seekKeys << column;
            seekValues << ph + (collated ? polish : QString());
        }
    }
    if (seekKeys.size() == 1)
        hint = seekKeys[0] + QStringLiteral(" >= ") + seekValues[0];
    else if (seekKeys.size() > 1)
        hint = QStringLiteral("(%1) >= (%2)")
                   .arg(seekKeys.join(QStringLiteral(", ")), seekValues.join(QStringLiteral(", ")));
    if (orEqual)
        alts << eq.join(QStringLiteral(" AND "));
    QString cond = alts.isEmpty() ? QStringLiteral("0")
                                  : QStringLiteral("(") + alts.join(QStringLiteral(") OR (")) + QStringLiteral(")");
    return hint.isEmpty() ? QStringLiteral("(%1)").arg(cond) : QStringLiteral("%1 AND (%2)").arg(hint, cond);
}

bool Dataset::sameKeys(const Plan& p, const Row& a, const Row& b) const
{
    using detail::Cell;
    for (const OrderKey& key : p.order) {
        const size_t at = size_t(key.at);
        if (a.isNull(at) || b.isNull(at)) {
            if (a.isNull(at) != b.isNull(at))
                return false;
            continue;
        }
        const Cell& x = a.cells[at];
        const Cell& y = b.cells[at];
        const bool numX = x.type == Cell::Int || x.type == Cell::Real;
        const bool numY = y.type == Cell::Int || y.type == Cell::Real;
        if (numX || numY) {
            if (!(numX && numY))
                return false;
            if (x.type == Cell::Int && y.type == Cell::Int
                    ? x.i != y.i
                    : (x.type == Cell::Int ? double(x.i) : x.d) != (y.type == Cell::Int ? double(y.i) : y.d))
                return false;
            continue;
        }
        if (x.type != y.type)
            return false;
        const char* tx = a.bytes.constData() + x.t.off;
        const char* ty = b.bytes.constData() + y.t.off;
        const bool polish = x.type == Cell::Text && key.expr.endsWith(QLatin1String(" COLLATE POLISH"));
        if (polish ? comparePolishUtf8(tx, x.t.len, ty, y.t.len) != 0
                   : (x.t.len != y.t.len || memcmp(tx, ty, size_t(x.t.len)) != 0))
            return false;
    }
    return true;
}

// The position of `row` in the plan's order: the rows before it, counted as a sum of disjoint
// ranges (equal leading keys, then a smaller next key), each of which an index can serve.
int Dataset::countBefore(const Plan& p, const Row& row) const
{
    QVariantList binds = p.binds;
    QStringList terms, eq;
    for (const OrderKey& key : p.order) {
        const bool vNull = row.isNull(size_t(key.at));
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
    const detail::Borrowed st{cachedBound(sql, binds)};
    if (sqlite3_step(st.get()) != SQLITE_ROW)
        detail::fail(conn_->handle(), sql);
    return int(sqlite3_column_int64(st.get(), 0));
}

// Makes `row` the current row and the first of a new window at its position; the statement
// goes on with the rows after it. Nothing before it is read, and unless the position is given
// the rows before it are counted only when a row number is asked for (a search in a long list
// shows its match without counting half the list first).
void Dataset::jumpTo(const Plan& p, Row row, std::optional<int> rank)
{
    QVariantList binds = p.binds;
    const QString after = keyCondition(p, row, binds);
    detail::Cursor c = cursorOn(planSql(p, after), binds);
    resetCache();
    fwd_ = std::move(c);
    if (rank)
        base_ = *rank;
    else
        pendingRank_ = PendingRank{p, row};
    rows_.push_back(std::move(row));
    setCurrent(0, false);
}

// The last row becomes the current one and a window of its own: read first in the reverse
// order (an index on the sort keys serves it from its end), or, with no order to reverse, by its
// position, which needs the count first.
bool Dataset::jumpToTail(const Plan& p, std::optional<int> total)
{
    std::optional<Row> row;
    detail::Cursor back;
    if (p.order.empty()) {
        if (!total)
            total = countCache_ = countRows(p);
        if (*total <= 0)
            return false;
        readByPosition(p, *total - 1, 1, [&](const Row& r) { row = r; });
    } else {
        const Plan r = p.reversed();
        back = cursorOn(planSql(r), r.binds);
        const int rc = sqlite3_step(back.st.get());
        if (rc == SQLITE_ROW)
            row = detail::readRow(back.st.get());
        else if (rc != SQLITE_DONE)
            detail::fail(conn_->handle(), QStringLiteral("last"));
    }
    if (!row) { // the rows went away meanwhile
        spares_.keep(back);
        return false;
    }
    resetCache();
    if (back) {
        back_ = std::move(back);
        backRead_ = 1;
    }
    rows_.push_back(std::move(*row));
    if (total) {
        base_ = *total - 1;
    } else {
        pendingRank_ = PendingRank{p, std::nullopt};
        countCache_.reset(); // counted afresh once, for the row count and the row number alike
    }
    setCurrent(0, false);
    return true;
}

int Dataset::base() const
{
    if (pendingRank_) {
        if (pendingRank_->anchor) {
            base_ = countBefore(pendingRank_->plan, *pendingRank_->anchor);
        } else {
            // The count a row count already made serves (a grid asks for both after Ctrl+End).
            const int total = countCache_ && pendingInserted_ == 0 ? *countCache_ : countRows(pendingRank_->plan);
            countCache_ = total;
            base_ = qMax(0, total - int(rows_.size()));
        }
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
        const detail::Borrowed st{
            cachedBound(planSql(p, QString(), QStringLiteral("LIMIT %1 OFFSET %2").arg(limit, offset)), binds)};
        int rc;
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW)
            rows.push_back(detail::readRow(st.get()));
        if (rc != SQLITE_DONE)
            detail::fail(conn_->handle(), baseSql());
    }
    for (const Row& r : rows)
        atRow(r);
    return int(rows.size());
}

// Up to `count` rows before a window read from the end, nearest first, from back_ (made again,
// past the rows the window has, after a refresh that kept them). -1 when there is no such
// reading; fewer than asked when the first row was reached.
int Dataset::readBackward(int count, std::vector<Row>& page)
{
    if (!back_) {
        const Plan p = plan();
        if (backRead_ <= 0 || dirty_ || p.noRows || p.order.empty())
            return -1;
        const Plan r = p.reversed();
        if (keyed(r) && !rows_.empty()) { // before the window's first row, found by its keys
            QVariantList binds = r.binds;
            const QString before = keyCondition(r, rows_.front(), binds);
            back_ = cursorOn(planSql(r, before), binds);
        } else {
            back_ = cursorOn(planSql(r), r.binds);
            for (int i = 0; i < backRead_; ++i)
                if (sqlite3_step(back_.st.get()) != SQLITE_ROW) {
                    endBackward();
                    return -1;
                }
        }
    }
    int n = 0;
    while (n < count) {
        const int rc = sqlite3_step(back_.st.get());
        if (rc != SQLITE_ROW) {
            const QString msg = QString::fromUtf8(sqlite3_errmsg(conn_->handle()));
            endBackward();
            if (rc != SQLITE_DONE)
                throw Error(QStringLiteral("Błąd odczytu zbioru %1: %2").arg(objectName(), msg));
            break;
        }
        page.push_back(detail::readRow(back_.st.get()));
        ++backRead_;
        ++n;
    }
    return n;
}

// Reads up to a page of the rows just before a far window; false when there are none.
bool Dataset::prependPage()
{
    if (base() <= 0)
        return false;
    const int want = qMin(kPage, base_);
    std::vector<Row> page;
    bool reachedTop = false;
    const int n = dirty_ ? -1 : readBackward(want, page);
    if (n >= 0) {
        std::reverse(page.begin(), page.end());
        reachedTop = n < want;
    } else {
        readByPosition(plan(), base_ - want, want, [&](const Row& r) { page.push_back(r); });
        reachedTop = page.empty();
    }
    rows_.insert(rows_.begin(), std::make_move_iterator(page.begin()), std::make_move_iterator(page.end()));
    cur_ += int(page.size());
    // Fewer rows than counted: the rows before went away meanwhile, the window starts at the top.
    base_ = reachedTop ? 0 : base_ - int(page.size());
    return !page.empty();
}

} // namespace data
