// Editing a dataset's rows: the edit buffer, append/edit/post/cancel. Only tables can be edited
// (queries and views are read-only); a posted row is read back so the cache shows what the
// database stored.
#include "platform/data/Dataset.h"

#include "platform/data/Filter.h"
#include "platform/data/Sqlite.h"

namespace data {

using detail::quoteIdent;

bool Dataset::canModify() const { return isActive() && !readOnly_ && hasRowid_; }

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
    const detail::Borrowed st{conn_->cachedStatement(baseSql() + QStringLiteral(" WHERE rowid = ?"))};
    detail::bind(conn_->handle(), st.get(), 1, rowid);
    Row row;
    if (sqlite3_step(st.get()) == SQLITE_ROW)
        row = detail::readRow(st.get());
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
    // After a write the rows before a window read from the end are read by position; the
    // reading from the end ends before the write.
    endBackward();
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
            row = detail::rowFromValues(buffer_);
        rows_.push_back(std::move(row));
        dirty_ = true;
        if (fwd_) {
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
            rows_[size_t(cur_)] = row.empty() ? detail::rowFromValues(buffer_) : std::move(row);
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

} // namespace data
