#pragma once
// Ownership of the SQLite statements a dataset uses: each one is given back by a destructor on
// every path, an error in a bind or a failed step included.
#include <QObject>
#include <QString>

#include <vector>

struct sqlite3_stmt;

namespace data::detail {

// A statement of its own, finalized when its owner goes.
class Statement {
public:
    Statement() = default;
    explicit Statement(sqlite3_stmt* st) : st_(st) {}
    ~Statement() { reset(); }
    Statement(Statement&& o) noexcept : st_(o.st_) { o.st_ = nullptr; }
    Statement& operator=(Statement&& o) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return st_; }
    explicit operator bool() const { return st_ != nullptr; }
    void reset(); // finalizes it
    // Ends its reading (so that it holds no read lock) and unbinds it, to be run again.
    void rewind();

private:
    sqlite3_stmt* st_ = nullptr;
};

// A statement of the connection's cache lent for one use: rewound and unbound when the use ends,
// so it never holds the database as it was after the rows it gave were read.
class Borrowed {
public:
    explicit Borrowed(sqlite3_stmt* st) : st_(st) {}
    ~Borrowed();
    Borrowed(const Borrowed&) = delete;
    Borrowed& operator=(const Borrowed&) = delete;
    sqlite3_stmt* get() const { return st_; }

private:
    sqlite3_stmt* st_;
};

// A statement stepped through the rows of a reading, with its text (under which it is kept for
// reuse). Empty when there is no such reading.
struct Cursor {
    Statement st;
    QString sql;
    explicit operator bool() const { return bool(st); }
};

// Statements of earlier readings, rewound, kept for a later reading with the same text (a
// reopen, a refresh, the other of two sort orders, a search's jump); the oldest goes first.
class StatementPool {
public:
    explicit StatementPool(size_t capacity) : capacity_(capacity) {}
    Statement take(const QString& sql); // empty when none has that text
    void keep(Cursor& c);               // leaves the cursor empty
    void clear();

private:
    struct Kept {
        QString sql;
        Statement st;
    };
    std::vector<Kept> kept_;
    size_t capacity_;
};

// A signal connection that ends with its owner, or when another one takes its place.
class ScopedConnection {
public:
    ScopedConnection() = default;
    ~ScopedConnection() { QObject::disconnect(c_); }
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;
    ScopedConnection& operator=(QMetaObject::Connection c)
    {
        QObject::disconnect(c_);
        c_ = std::move(c);
        return *this;
    }
    void reset() { *this = QMetaObject::Connection(); }

private:
    QMetaObject::Connection c_;
};

} // namespace data::detail
