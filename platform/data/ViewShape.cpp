#include "platform/data/ViewShape.h"

#include "platform/data/Sqlite.h"

#include <QSet>

namespace data::detail {

namespace {

struct Token {
    enum Kind { Word, Ident, Punct, Other, End } kind = End;
    QString text; // as written; an identifier or a string without its quotes
};

// SQL tokens, with comments left out. Enough of SQLite's syntax to tell the shape apart; anything
// it does not know becomes Other, which the shape test never accepts where it matters.
std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    const auto closing = [&](QChar open) { return open == QLatin1Char('[') ? QLatin1Char(']') : open; };
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            while (i < n && s[i] != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            const qsizetype e = s.indexOf(QStringLiteral("*/"), i + 2);
            i = e < 0 ? n : e + 2;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            const qsizetype b = i;
            while (i < n && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_') || s[i] == QLatin1Char('$')))
                ++i;
            out.push_back({Token::Word, s.mid(b, i - b)});
        } else if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[') || c == QLatin1Char('\'')) {
            // Quoted: an identifier, or a string ('...'); a doubled quote stands for itself.
            const QChar end = closing(c);
            QString text;
            ++i;
            while (i < n) {
                if (s[i] == end) {
                    if (end != QLatin1Char(']') && i + 1 < n && s[i + 1] == end) {
                        text += end;
                        i += 2;
                        continue;
                    }
                    break;
                }
                text += s[i++];
            }
            ++i;
            out.push_back({c == QLatin1Char('\'') ? Token::Other : Token::Ident, text});
        } else if (QStringLiteral("(),.=;").contains(c)) {
            out.push_back({Token::Punct, QString(c)});
            ++i;
        } else {
            out.push_back({Token::Other, QString(c)});
            ++i;
        }
    }
    out.push_back({Token::End, QString()});
    return out;
}

// Words that end a table's name in FROM (they are never taken for its alias).
bool clauseWord(const QString& w)
{
    static const QSet<QString> words{
        QStringLiteral("left"),   QStringLiteral("right"),     QStringLiteral("full"),    QStringLiteral("inner"),
        QStringLiteral("outer"),  QStringLiteral("cross"),     QStringLiteral("natural"), QStringLiteral("join"),
        QStringLiteral("on"),     QStringLiteral("using"),     QStringLiteral("where"),   QStringLiteral("group"),
        QStringLiteral("having"), QStringLiteral("order"),     QStringLiteral("limit"),   QStringLiteral("union"),
        QStringLiteral("except"), QStringLiteral("intersect"), QStringLiteral("window"),  QStringLiteral("indexed"),
        QStringLiteral("not"),    QStringLiteral("as")};
    return words.contains(w.toLower());
}

class Parser {
public:
    explicit Parser(const QString& sql) : t_(tokenize(sql)) {}

    std::optional<ViewJoins> parse()
    {
        if (!word("create"))
            return std::nullopt;
        if (!word("temp"))
            word("temporary");
        if (!word("view"))
            return std::nullopt;
        if (word("if") && !(word("not") && word("exists")))
            return std::nullopt;
        if (!name())
            return std::nullopt;
        if (punct("(") && !skipGroup())
            return std::nullopt;
        if (!word("as") || !word("select") || at("distinct"))
            return std::nullopt;
        word("all");
        // The column list, up to the FROM outside any parentheses.
        int depth = 0;
        while (!(depth == 0 && at("from"))) {
            const Token& k = t_[i_];
            if (k.kind == Token::End)
                return std::nullopt;
            if (k.kind == Token::Punct && k.text == QLatin1String("("))
                ++depth;
            else if (k.kind == Token::Punct && k.text == QLatin1String(")"))
                --depth;
            ++i_;
        }
        ++i_;
        ViewJoins v;
        struct Source {
            QString table, alias;
        };
        std::vector<Source> sources;
        auto table = [&]() -> std::optional<Source> {
            auto n = name();
            if (!n)
                return std::nullopt;
            Source s{*n, *n};
            if (word("as")) {
                auto a = ident();
                if (!a)
                    return std::nullopt;
                s.alias = *a;
            } else if (t_[i_].kind == Token::Ident || (t_[i_].kind == Token::Word && !clauseWord(t_[i_].text))) {
                s.alias = t_[i_++].text;
            }
            return s;
        };
        const auto first = table();
        if (!first)
            return std::nullopt;
        v.table = first->table;
        sources.push_back(*first);
        const auto findSource = [&](const QString& q) {
            for (const Source& s : sources)
                if (s.alias.compare(q, Qt::CaseInsensitive) == 0)
                    return true;
            return false;
        };
        for (;;) {
            if (punct(";"))
                return t_[i_].kind == Token::End ? std::optional<ViewJoins>(v) : std::nullopt;
            if (t_[i_].kind == Token::End)
                return v;
            if (!word("left"))
                return std::nullopt;
            word("outer");
            if (!word("join"))
                return std::nullopt;
            const auto joined = table();
            if (!joined || !word("on"))
                return std::nullopt;
            const auto a = columnRef();
            if (!a || !punct("="))
                return std::nullopt;
            const auto b = columnRef();
            if (!b)
                return std::nullopt;
            // One side is a column of the joined table, the other one of a table before it.
            const auto isJoined = [&](const QString& q) { return q.compare(joined->alias, Qt::CaseInsensitive) == 0; };
            QString key;
            if (isJoined(a->first) && !isJoined(b->first) && findSource(b->first))
                key = a->second;
            else if (isJoined(b->first) && !isJoined(a->first) && findSource(a->first))
                key = b->second;
            else
                return std::nullopt;
            v.joins.push_back({joined->table, key});
            sources.push_back(*joined);
        }
    }

private:
    bool at(const char* w) const
    {
        return t_[i_].kind == Token::Word && t_[i_].text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
    }
    bool word(const char* w)
    {
        if (!at(w))
            return false;
        ++i_;
        return true;
    }
    bool punct(const char* p)
    {
        if (t_[i_].kind != Token::Punct || t_[i_].text != QLatin1String(p))
            return false;
        ++i_;
        return true;
    }
    std::optional<QString> ident()
    {
        const Token& k = t_[i_];
        if (k.kind == Token::Ident || (k.kind == Token::Word && !clauseWord(k.text))) {
            ++i_;
            return k.text;
        }
        return std::nullopt;
    }
    // name or schema.name: a main-schema name only
    std::optional<QString> name()
    {
        auto n = ident();
        if (n && punct(".")) {
            if (n->compare(QLatin1String("main"), Qt::CaseInsensitive) != 0)
                return std::nullopt;
            n = ident();
        }
        return n;
    }
    // qualifier.column, both given
    std::optional<std::pair<QString, QString>> columnRef()
    {
        const auto q = ident();
        if (!q || !punct("."))
            return std::nullopt;
        const auto c = ident();
        if (!c)
            return std::nullopt;
        return std::pair{*q, *c};
    }
    bool skipGroup() // after "(": up to the matching ")"
    {
        for (int depth = 1; depth > 0; ++i_) {
            const Token& k = t_[i_];
            if (k.kind == Token::End)
                return false;
            if (k.kind == Token::Punct && k.text == QLatin1String("("))
                ++depth;
            else if (k.kind == Token::Punct && k.text == QLatin1String(")"))
                --depth;
        }
        return true;
    }

    std::vector<Token> t_;
    size_t i_ = 0;
};

// The type of the schema object named `name` ("table", "view", ...), "" when there is none.
QString objectType(sqlite3* db, const QString& name, QString* sql = nullptr)
{
    Stmt s(db, QStringLiteral("SELECT type, sql FROM sqlite_master WHERE name = ? COLLATE NOCASE"));
    bind(db, s.st, 1, name);
    if (sqlite3_step(s.st) != SQLITE_ROW)
        return QString();
    if (sql)
        *sql = column(s.st, 1).toString();
    return column(s.st, 0).toString();
}

// `column` is the integer primary key of the table `table`: unique, so a join on it finds at
// most one row.
bool isIntegerKey(sqlite3* db, const QString& table, const QString& column)
{
    Stmt s(db, QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"));
    bind(db, s.st, 1, table);
    int keys = 0;
    bool match = false;
    while (sqlite3_step(s.st) == SQLITE_ROW) {
        if (sqlite3_column_int(s.st, 2) == 0)
            continue;
        ++keys;
        match = detail::column(s.st, 0).toString().compare(column, Qt::CaseInsensitive) == 0
            && detail::column(s.st, 1).toString().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
    }
    return keys == 1 && match;
}

} // namespace

std::optional<ViewJoins> parseViewJoins(const QString& createView) { return Parser(createView).parse(); }

std::optional<CountSource> viewCountSource(sqlite3* db, const QString& view, sqlite3_stmt* probe)
{
    QString sql;
    if (objectType(db, view, &sql) != QLatin1String("view"))
        return std::nullopt;
    const auto shape = parseViewJoins(sql);
    if (!shape || objectType(db, shape->table) != QLatin1String("table"))
        return std::nullopt;
    QSet<QString> tables{shape->table.toLower()};
    for (const ViewJoins::Join& j : shape->joins) {
        // A table twice would make the origin of a column ambiguous.
        if (tables.contains(j.table.toLower()) || objectType(db, j.table) != QLatin1String("table")
            || !isIntegerKey(db, j.table, j.keyColumn))
            return std::nullopt;
        tables.insert(j.table.toLower());
    }
    CountSource src;
    src.table = shape->table;
    const int n = sqlite3_column_count(probe);
    for (int i = 0; i < n; ++i) {
        const char* table = sqlite3_column_table_name(probe, i);
        const char* origin = sqlite3_column_origin_name(probe, i);
        const bool own = table && origin && QString::fromUtf8(table).compare(shape->table, Qt::CaseInsensitive) == 0;
        src.columns.push_back(own ? QString::fromUtf8(origin) : QString());
    }
    return src;
}

} // namespace data::detail
