#pragma once
// Counting the rows of a saved query on its base table.
//
// A saved query of the shape
//     SELECT <columns> FROM T [alias] [LEFT [OUTER] JOIN U [alias] ON U.<integer key> = X.<column>]...
// (no WHERE, grouping, DISTINCT, set operation or limit; each joined table found by its integer
// primary key, so it adds at most one match and never a row) has exactly the rows of T, one for
// one. COUNT(*) over the query visits every joined row, while a count on T with the same
// conditions is answered from T's own b-tree or an index on it, several times faster. Columns of
// the query that are plain columns of T can be compared on T; a condition on any other column
// (one of U, an expression) needs the query itself.
#include <QString>

#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace data::detail {

struct CountSource {
    QString table;                // T
    std::vector<QString> columns; // per column of the query: the column of T it shows, "" when none
};

// The count source of the saved query `view`, whose columns the prepared statement `probe`
// (SELECT * FROM the view) has; none when the query is not of the shape above.
std::optional<CountSource> viewCountSource(sqlite3* db, const QString& view, sqlite3_stmt* probe);

// The shape test alone, on the text of a CREATE VIEW statement: T and the joins found.
struct ViewJoins {
    QString table;
    struct Join {
        QString table;
        QString keyColumn; // the column of the joined table compared with a column before it
    };
    std::vector<Join> joins;
};
std::optional<ViewJoins> parseViewJoins(const QString& createView);

} // namespace data::detail
