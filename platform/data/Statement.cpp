#include "platform/data/Statement.h"

#include <sqlite3.h>

namespace data::detail {

Statement& Statement::operator=(Statement&& o) noexcept
{
    if (this != &o) {
        reset();
        st_ = o.st_;
        o.st_ = nullptr;
    }
    return *this;
}

void Statement::reset()
{
    sqlite3_finalize(st_); // a no-op on nullptr
    st_ = nullptr;
}

void Statement::rewind()
{
    if (st_) {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
}

Borrowed::~Borrowed()
{
    sqlite3_reset(st_);
    sqlite3_clear_bindings(st_);
}

Statement StatementPool::take(const QString& sql)
{
    for (auto it = kept_.begin(); it != kept_.end(); ++it)
        if (it->sql == sql) {
            Statement st = std::move(it->st);
            kept_.erase(it);
            return st;
        }
    return Statement();
}

void StatementPool::keep(Cursor& c)
{
    if (!c.st) {
        c.sql.clear();
        return;
    }
    c.st.rewind();
    for (auto it = kept_.begin(); it != kept_.end(); ++it)
        if (it->sql == c.sql) { // one of each text
            kept_.erase(it);
            break;
        }
    if (capacity_ == 0) {
        c.st.reset();
    } else {
        if (kept_.size() >= capacity_)
            kept_.erase(kept_.begin());
        kept_.push_back({std::move(c.sql), std::move(c.st)});
    }
    c.sql.clear();
}

void StatementPool::clear() { kept_.clear(); }

} // namespace data::detail
