#include "platform/data/Filter.h"

#include "platform/data/Error.h"
#include "platform/text/Regional.h"

#include <QDate>
#include <QRegularExpression>

namespace data::detail {

QString placeholder(int index) { return QStringLiteral(":__p%1").arg(index); }

QString quoteIdent(const QString& name)
{
    QString n = name;
    n.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

std::optional<double> parseNumber(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)$"));
    QString t = text.trimmed();
    if (!re.match(t).hasMatch())
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

QDate parseDate(const QString& text)
{
    const QString t = text.trimmed();
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const auto m = iso.match(t);
    if (m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return QDate::fromString(t, text::shortDateFormat());
}

namespace {

enum class Tok { End, LParen, RParen, Op, Text, Number, Date, Ident, And, Or, Not, True, False };

struct Token {
    Tok type = Tok::End;
    QString text; // operator, identifier, text literal or number text
    QDate date;
    int pos = 0;
};

[[noreturn]] void syntax(const QString& filter, int pos, const QString& what)
{
    // A text of any length may come in; the message quotes only its beginning.
    constexpr qsizetype kShown = 120;
    const QString shown = filter.size() > kShown ? filter.left(kShown) + QStringLiteral("…") : filter;
    throw Error(QStringLiteral("Błędny filtr \"%1\" (znak %2): %3").arg(shown).arg(pos + 1).arg(what));
}

std::vector<Token> tokenize(const QString& f)
{
    std::vector<Token> out;
    int i = 0;
    const int n = int(f.size());
    while (i < n) {
        const QChar c = f[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.pos = i;
        if (c == QLatin1Char('(')) {
            t.type = Tok::LParen;
            ++i;
        } else if (c == QLatin1Char(')')) {
            t.type = Tok::RParen;
            ++i;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('!')) {
            QString op(c);
            if (i + 1 < n && (f[i + 1] == QLatin1Char('=') || (c == QLatin1Char('<') && f[i + 1] == QLatin1Char('>'))))
                op += f[i + 1];
            if (op == QLatin1String("!"))
                syntax(f, i, QStringLiteral("nieznany operator"));
            if (op == QLatin1String("!=") || op == QLatin1String("=="))
                op = op == QLatin1String("!=") ? QStringLiteral("<>") : QStringLiteral("=");
            t.type = Tok::Op;
            t.text = op;
            i += int(op.size() == 2 ? 2 : 1);
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const QChar q = c;
            ++i;
            QString s;
            for (;;) {
                if (i >= n)
                    syntax(f, t.pos, QStringLiteral("brak zamykającego apostrofu"));
                if (f[i] == q) {
                    if (i + 1 < n && f[i + 1] == q) { // doubled quote stands for itself
                        s += q;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                s += f[i++];
            }
            t.type = Tok::Text;
            t.text = s;
        } else if (c == QLatin1Char('#')) {
            const int end = int(f.indexOf(QLatin1Char('#'), i + 1));
            if (end < 0)
                syntax(f, i, QStringLiteral("brak zamykającego znaku #"));
            t.type = Tok::Date;
            t.date = parseDate(f.mid(i + 1, end - i - 1));
            if (!t.date.isValid())
                syntax(f, i, QStringLiteral("niepoprawna data"));
            i = end + 1;
        } else if (c.isDigit()
                   || ((c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('.')) && i + 1 < n
                       && f[i + 1].isDigit())) {
            int j = i + 1;
            while (
                j < n
                && (f[j].isDigit() || f[j] == QLatin1Char('.') || f[j] == QLatin1Char('-') || f[j] == QLatin1Char('/')))
                ++j;
            const QString lit = f.mid(i, j - i);
            if (parseNumber(lit) && !lit.contains(QLatin1Char(','))) {
                t.type = Tok::Number;
                t.text = lit;
            } else {
                t.date = parseDate(lit);
                if (!t.date.isValid())
                    syntax(f, i, QStringLiteral("niepoprawna liczba lub data \"%1\"").arg(lit));
                t.type = Tok::Date;
            }
            i = j;
        } else if (c == QLatin1Char('[')) {
            const int end = int(f.indexOf(QLatin1Char(']'), i + 1));
            if (end < 0)
                syntax(f, i, QStringLiteral("brak zamykającego nawiasu ]"));
            t.type = Tok::Ident;
            t.text = f.mid(i + 1, end - i - 1);
            i = end + 1;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i + 1;
            while (j < n && (f[j].isLetterOrNumber() || f[j] == QLatin1Char('_') || f[j] == QLatin1Char('.')))
                ++j;
            t.text = f.mid(i, j - i);
            const QString low = t.text.toLower();
            t.type = low == QLatin1String("and") ? Tok::And
                : low == QLatin1String("or")     ? Tok::Or
                : low == QLatin1String("not")    ? Tok::Not
                : low == QLatin1String("true")   ? Tok::True
                : low == QLatin1String("false")  ? Tok::False
                                                 : Tok::Ident;
            i = j;
        } else {
            syntax(f, i, QStringLiteral("nieoczekiwany znak '%1'").arg(c));
        }
        out.push_back(t);
    }
    Token end;
    end.pos = n;
    out.push_back(end);
    return out;
}

struct Operand {
    enum Kind { Field, Text, Number, Date, Bool } kind = Text;
    ColumnRef col;
    QString text;
    double number = 0;
    QDate date;
    bool flag = false;
};

QVariant numberValue(double v)
{
    if (v == double(qint64(v)) && v > -9.2e18 && v < 9.2e18)
        return QVariant(qint64(v));
    return QVariant(v);
}

class Parser {
public:
    Parser(const QString& f, const Resolver& r, QVariantList& b)
        : filter_(f), resolve_(r), binds_(b), toks_(tokenize(f))
    {}

    QString parse()
    {
        QString s = orExpr();
        if (peek().type != Tok::End)
            syntax(filter_, peek().pos, QStringLiteral("nadmiarowy tekst"));
        return s;
    }
    // The complement of a filter that is one comparison of a year kept as text with a number.
    QString complement() const { return comparisons_ == 1 && !negated_ ? complement_ : QString(); }
    // The columns every row the filter leaves in has one value of (see translateFilter).
    QStringList fixed() const
    {
        QStringList names;
        for (const auto& [name, value] : fixed_)
            names << name;
        return names;
    }

private:
    const Token& peek() const { return toks_[pos_]; }
    Token take() { return toks_[pos_++]; }

    // Each part leaves in fixed_ the columns it compares equal to a value, with the value: those
    // of any term of a conjunction, those of every alternative alike, none of a negation.
    QString orExpr()
    {
        QString s = andExpr();
        Fixed fixed = fixed_;
        while (peek().type == Tok::Or) {
            take();
            s = QStringLiteral("(%1 OR %2)").arg(s, andExpr());
            fixed.removeIf([this](const Fixed::value_type& f) { return !fixed_.contains(f); });
        }
        fixed_ = fixed;
        return s;
    }
    QString andExpr()
    {
        QString s = notExpr();
        Fixed fixed = fixed_;
        while (peek().type == Tok::And) {
            take();
            s = QStringLiteral("(%1 AND %2)").arg(s, notExpr());
            fixed += fixed_;
        }
        fixed_ = fixed;
        return s;
    }
    // Each "(" and "not" is one level of the parser's recursion; a text nested deeper than any
    // filter of the program is refused before it can exhaust the stack.
    static constexpr int kMaxDepth = 64;
    struct Level {
        Parser& p;
        explicit Level(Parser& parser, int pos) : p(parser)
        {
            if (++p.depth_ > kMaxDepth)
                syntax(p.filter_, pos, QStringLiteral("zbyt głębokie zagnieżdżenie nawiasów"));
        }
        ~Level() { --p.depth_; }
    };

    QString notExpr()
    {
        if (peek().type == Tok::Not) {
            const Level level(*this, peek().pos);
            take();
            negated_ = true;
            const QString s = QStringLiteral("(NOT %1)").arg(notExpr());
            fixed_.clear();
            return s;
        }
        if (peek().type == Tok::LParen) {
            const Level level(*this, peek().pos);
            take();
            QString s = orExpr();
            if (peek().type != Tok::RParen)
                syntax(filter_, peek().pos, QStringLiteral("brak nawiasu zamykającego"));
            take();
            return QStringLiteral("(%1)").arg(s);
        }
        return comparison();
    }

    Operand operand()
    {
        const Token t = take();
        Operand o;
        switch (t.type) {
        case Tok::Ident: {
            const auto col = resolve_(t.text);
            if (!col)
                throw Error(QStringLiteral("Nieznane pole \"%1\" w filtrze \"%2\"").arg(t.text, filter_));
            o.kind = Operand::Field;
            o.col = *col;
            break;
        }
        case Tok::Text:
            o.kind = Operand::Text;
            o.text = t.text;
            break;
        case Tok::Number:
            o.kind = Operand::Number;
            o.text = t.text;
            o.number = *parseNumber(t.text);
            break;
        case Tok::Date:
            o.kind = Operand::Date;
            o.date = t.date;
            break;
        case Tok::True:
        case Tok::False:
            o.kind = Operand::Bool;
            o.flag = t.type == Tok::True;
            break;
        default: syntax(filter_, t.pos, QStringLiteral("oczekiwano pola lub wartości"));
        }
        return o;
    }

    QString bind(const QVariant& v)
    {
        binds_.append(v);
        return placeholder(int(binds_.size()));
    }

    // A literal as a value of the given kind of column.
    QVariant convert(const Operand& lit, FieldKind kind)
    {
        switch (kind) {
        case FieldKind::Text:
            switch (lit.kind) {
            case Operand::Number: return numberValue(lit.number).toString();
            case Operand::Date: return lit.date.toString(Qt::ISODate);
            case Operand::Bool: return lit.flag ? QStringLiteral("True") : QStringLiteral("False");
            default: return lit.text;
            }
        case FieldKind::Integer:
        case FieldKind::Float:
        case FieldKind::Boolean:
            switch (lit.kind) {
            case Operand::Number: return numberValue(lit.number);
            case Operand::Bool: return qint64(lit.flag ? 1 : 0);
            case Operand::Date: return lit.date.toString(Qt::ISODate);
            default: {
                if (const auto n = parseNumber(lit.text))
                    return kind == FieldKind::Boolean ? qint64(*n != 0) : numberValue(*n);
                if (kind == FieldKind::Boolean) {
                    if (lit.text.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                        return qint64(1);
                    if (lit.text.trimmed().compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                        return qint64(0);
                }
                return lit.text; // a number never equals this text
            }
            }
        case FieldKind::Date:
            switch (lit.kind) {
            case Operand::Date: return lit.date.toString(Qt::ISODate);
            case Operand::Number: return numberValue(lit.number);
            case Operand::Bool: return qint64(lit.flag ? 1 : 0);
            default: {
                const QDate d = parseDate(lit.text);
                return d.isValid() ? QVariant(d.toString(Qt::ISODate)) : QVariant(lit.text);
            }
            }
        case FieldKind::Unknown:
        default:
            switch (lit.kind) {
            case Operand::Number: return numberValue(lit.number);
            case Operand::Date: return lit.date.toString(Qt::ISODate);
            case Operand::Bool: return qint64(lit.flag ? 1 : 0);
            default: return lit.text;
            }
        }
    }

    // Whether 0 op v holds, for an ordering operator.
    static bool holdsForZero(const QString& op, double v)
    {
        if (op == QLatin1String("<"))
            return 0 < v;
        if (op == QLatin1String(">"))
            return 0 > v;
        if (op == QLatin1String("<="))
            return 0 <= v;
        if (op == QLatin1String(">="))
            return 0 >= v;
        return true;
    }

    // The operator that holds exactly where op fails, for an ordering operator.
    static QString negate(const QString& op)
    {
        if (op == QLatin1String("<"))
            return QStringLiteral(">=");
        if (op == QLatin1String(">"))
            return QStringLiteral("<=");
        if (op == QLatin1String("<="))
            return QStringLiteral(">");
        return QStringLiteral("<");
    }

    static QString flip(const QString& op)
    {
        if (op == QLatin1String("<"))
            return QStringLiteral(">");
        if (op == QLatin1String(">"))
            return QStringLiteral("<");
        if (op == QLatin1String("<="))
            return QStringLiteral(">=");
        if (op == QLatin1String(">="))
            return QStringLiteral("<=");
        return op;
    }

    QString fieldVsLiteral(const ColumnRef& col, const QString& op, const Operand& lit)
    {
        const QString f = quoteIdent(col.name);
        if (col.kind == FieldKind::Text) {
            const bool ordering = op != QLatin1String("=") && op != QLatin1String("<>");
            if (lit.kind == Operand::Number && ordering) { // a year kept as text against a bare number
                // An empty text reads as 0 and never matches; where 0 fails the comparison
                // anyway the guard is left out, so that the number alone can use its index.
                const QString value = bind(numberValue(lit.number));
                const QString number = QStringLiteral("CAST(%1 AS NUMERIC) %2 %3").arg(f, op, value);
                const bool guard = holdsForZero(op, lit.number);
                // The rows that fail it, in terms an index on the number serves (the number
                // compares the same under any collation; without COLLATE BINARY the column's own
                // collation would keep the index out).
                complement_ = QStringLiteral("(%1 IS NULL%2 OR CAST(%1 AS NUMERIC) COLLATE BINARY %3 %4)")
                                  .arg(f, guard ? QStringLiteral(" OR %1 = ''").arg(f) : QString(), negate(op), value);
                if (!guard)
                    return QStringLiteral("(%1)").arg(number);
                return QStringLiteral("(%1 <> '' AND %2)").arg(f, number);
            }
            return QStringLiteral("%1 COLLATE POLISH %2 %3").arg(f, op, bind(convert(lit, col.kind)));
        }
        return QStringLiteral("%1 %2 %3").arg(f, op, bind(convert(lit, col.kind)));
    }

    QString comparison()
    {
        ++comparisons_;
        const Operand a = operand();
        if (peek().type != Tok::Op)
            syntax(filter_, peek().pos, QStringLiteral("oczekiwano operatora porównania"));
        const QString op = take().text;
        const Operand b = operand();
        fixed_.clear();
        if (op == QLatin1String("=") && (a.kind == Operand::Field) != (b.kind == Operand::Field)) {
            const Operand& field = a.kind == Operand::Field ? a : b;
            fixed_.append({field.col.name, convert(a.kind == Operand::Field ? b : a, field.col.kind)});
        }
        if (a.kind == Operand::Field && b.kind == Operand::Field) {
            const bool text = a.col.kind == FieldKind::Text || b.col.kind == FieldKind::Text;
            return QStringLiteral("%1%2 %3 %4")
                .arg(quoteIdent(a.col.name), text ? QStringLiteral(" COLLATE POLISH") : QString(), op,
                     quoteIdent(b.col.name));
        }
        if (a.kind == Operand::Field)
            return fieldVsLiteral(a.col, op, b);
        if (b.kind == Operand::Field)
            return fieldVsLiteral(b.col, flip(op), a);
        return QStringLiteral("%1 %2 %3")
            .arg(bind(convert(a, FieldKind::Unknown)), op, bind(convert(b, FieldKind::Unknown)));
    }

    const QString& filter_;
    const Resolver& resolve_;
    QVariantList& binds_;
    std::vector<Token> toks_;
    size_t pos_ = 0;
    int depth_ = 0;
    int comparisons_ = 0;
    bool negated_ = false;
    QString complement_;
    using Fixed = QList<QPair<QString, QVariant>>;
    Fixed fixed_;
};

} // namespace

QString translateFilter(const QString& filter, const Resolver& resolve, QVariantList& binds, QString* complement,
                        QStringList* fixed)
{
    if (filter.trimmed().isEmpty())
        return QString();
    Parser p(filter, resolve, binds);
    QString sql = p.parse();
    if (complement)
        *complement = p.complement();
    if (fixed)
        *fixed = p.fixed();
    return sql;
}

} // namespace data::detail
