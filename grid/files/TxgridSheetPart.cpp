// A worksheet part's places in its bytes, walked tag by tag; what a formula can refer to.
#include "grid/files/TxgridSheetPart.h"
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridXmlScanner.h"

#include <QRegularExpression>

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace grid {

namespace {

[[noreturn]] void malformed() { throw std::runtime_error("sheet part"); }

struct TTag {
    std::int32_t Begin = 0, End = 0; // from "<" to just after ">"
    std::string_view QName;
    bool Closing = false, Empty = false;
    std::string_view Local() const
    {
        const std::size_t colon = QName.find(':');
        return colon == std::string_view::npos ? QName : QName.substr(colon + 1);
    }
};

class TTagWalk {
public:
    explicit TTagWalk(const QByteArray& Xml) : D(Xml.constData()), N(Xml.size())
    {
        if (N >= INT32_MAX)
            malformed();
    }
    // The next tag from Pos on; comments, processing instructions and CDATA passed over.
    bool Next(TTag& T)
    {
        for (;;) {
            const void* lt = Pos < N ? std::memchr(D + Pos, '<', std::size_t(N - Pos)) : nullptr;
            if (!lt)
                return false;
            const qsizetype b = static_cast<const char*>(lt) - D;
            if (startsAt(b, "<!--")) {
                Pos = after(b + 4, "-->");
                continue;
            }
            if (startsAt(b, "<![CDATA[")) {
                Pos = after(b + 9, "]]>");
                continue;
            }
            if (startsAt(b, "<?")) {
                Pos = after(b + 2, "?>");
                continue;
            }
            if (startsAt(b, "<!"))
                malformed();
            qsizetype i = b + 1;
            char quote = 0;
            for (; i < N; ++i) {
                const char c = D[i];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            if (i >= N)
                malformed();
            T.Begin = std::int32_t(b);
            T.End = std::int32_t(i + 1);
            T.Closing = D[b + 1] == '/';
            T.Empty = !T.Closing && D[i - 1] == '/';
            qsizetype s = b + 1 + (T.Closing ? 1 : 0), e = s;
            while (e < i && D[e] != ' ' && D[e] != '\t' && D[e] != '\r' && D[e] != '\n' && D[e] != '/' && D[e] != '>')
                ++e;
            if (e == s)
                malformed();
            T.QName = std::string_view(D + s, std::size_t(e - s));
            Pos = i + 1;
            return true;
        }
    }
    std::string_view Tag(const TTag& T) const { return {D + T.Begin, std::size_t(T.End - T.Begin)}; }
    std::string_view Between(qsizetype From, qsizetype To) const { return {D + From, std::size_t(To - From)}; }

private:
    bool startsAt(qsizetype At, const char* S) const
    {
        const qsizetype n = qsizetype(std::strlen(S));
        return At + n <= N && std::memcmp(D + At, S, std::size_t(n)) == 0;
    }
    qsizetype after(qsizetype From, std::string_view S) const
    {
        const std::string_view rest(D + From, std::size_t(N - From));
        const std::size_t at = rest.find(S);
        if (at == std::string_view::npos)
            malformed();
        return From + qsizetype(at + S.size());
    }
    const char* D;
    qsizetype N;

public:
    qsizetype Pos = 0;
};

bool toInt(std::string_view V, int& Out)
{
    if (V.empty() || V.size() > 9)
        return false;
    int n = 0;
    for (const char c : V) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    Out = n;
    return true;
}

void decodeInto(std::string_view Raw, std::string& Out)
{
    Out.clear();
    for (std::size_t i = 0; i < Raw.size(); ++i) {
        if (Raw[i] != '&') {
            Out += Raw[i];
            continue;
        }
        const std::size_t semi = Raw.find(';', i);
        if (semi == std::string_view::npos)
            malformed();
        if (!AppendXmlEntity(Raw.substr(i + 1, semi - i - 1), Out))
            malformed();
        i = semi;
    }
}

} // namespace

bool TagAttribute(std::string_view Tag, std::string_view Name, std::size_t& ValueAt, std::size_t& ValueLen)
{
    std::size_t i = 1;
    while (i < Tag.size() && Tag[i] != ' ' && Tag[i] != '\t' && Tag[i] != '\r' && Tag[i] != '\n' && Tag[i] != '>'
           && Tag[i] != '/')
        ++i;
    for (;;) {
        while (i < Tag.size() && (Tag[i] == ' ' || Tag[i] == '\t' || Tag[i] == '\r' || Tag[i] == '\n'))
            ++i;
        const std::size_t nameAt = i;
        while (i < Tag.size() && Tag[i] != '=' && Tag[i] != ' ' && Tag[i] != '\t' && Tag[i] != '\r' && Tag[i] != '\n'
               && Tag[i] != '>' && Tag[i] != '/')
            ++i;
        if (i == nameAt)
            return false;
        const std::string_view name = Tag.substr(nameAt, i - nameAt);
        while (i < Tag.size() && Tag[i] != '=')
            ++i;
        ++i;
        while (i < Tag.size() && Tag[i] != '"' && Tag[i] != '\'')
            ++i;
        if (i >= Tag.size())
            return false;
        const char quote = Tag[i];
        const std::size_t valueAt = ++i;
        while (i < Tag.size() && Tag[i] != quote)
            ++i;
        if (i >= Tag.size())
            return false;
        if (name == Name) {
            ValueAt = valueAt;
            ValueLen = i - valueAt;
            return true;
        }
        ++i;
    }
}

namespace {

// The cells of a range "A1:C2" (or "A1").
TFormulaBlock blockOf(std::string_view Ref)
{
    TFormulaBlock b;
    const std::size_t colon = Ref.find(':');
    const std::string_view first = Ref.substr(0, colon),
                           last = colon == std::string_view::npos ? Ref : Ref.substr(colon + 1);
    if (!CellReference(first, b.Col1, b.Row1) || !CellReference(last, b.Col2, b.Row2))
        malformed();
    return b;
}

// The merged ranges after the cells (<mergeCell ref="A1:C2"/>).
template <class A>
TSheetPart& withMerges(TTagWalk& W, TTag& T, A& Attr, TSheetPart& Part)
{
    while (W.Next(T)) {
        std::string_view ref;
        if (T.Closing || T.Local() != "mergeCell" || !Attr("ref", ref))
            continue;
        Part.Merges.push_back(blockOf(ref));
    }
    return Part;
}

} // namespace

TSheetPart ScanSheetPart(const QByteArray& Xml, bool FormulasOnly)
{
    TSheetPart part;
    TTagWalk w(Xml);
    TTag t;
    auto attr = [&](std::string_view Name, std::string_view& Value, std::size_t* At = nullptr) {
        const std::string_view tag = w.Tag(t);
        std::size_t at = 0, len = 0;
        if (!TagAttribute(tag, Name, at, len))
            return false;
        Value = tag.substr(at, len);
        if (At)
            *At = at;
        return true;
    };
    // Before the cells: where the used range is and where one would go.
    while (w.Next(t)) {
        const std::string_view local = t.Local();
        if (t.Closing) {
            if (local == "sheetPr")
                part.DimensionAt = t.End;
            continue;
        }
        if (local == "worksheet") {
            part.DimensionAt = t.End;
        } else if (local == "sheetPr" && t.Empty) {
            part.DimensionAt = t.End;
        } else if (local == "dimension") {
            part.DimensionBegin = t.Begin;
            part.DimensionEnd = t.End;
            if (!t.Empty) {
                if (!w.Next(t) || !t.Closing)
                    malformed();
                part.DimensionEnd = t.End;
            }
        } else if (local == "sheetData") {
            part.DataBegin = t.Begin;
            part.DataTagEnd = t.End;
            const std::size_t colon = t.QName.find(':');
            part.Prefix =
                colon == std::string_view::npos ? QByteArray() : QByteArray(t.QName.data(), qsizetype(colon + 1));
            if (t.Empty) {
                part.DataEmpty = true;
                part.DataEnd = t.End;
                return withMerges(w, t, attr, part);
            }
            break;
        }
    }
    if (part.DataBegin < 0)
        malformed();
    // The elements open below <sheetData>: r a row, c a cell, o anything else.
    std::string open;
    int row = -1, nextCol = 0;
    std::string text;
    while (w.Next(t)) {
        if (t.Closing) {
            if (open.empty()) {
                part.DataEnd = t.End;
                return withMerges(w, t, attr, part);
            }
            if (open.back() == 'r') {
                part.Rows.back().End = t.End;
            } else if (open.back() == 'c') {
                part.Rows.back().Cells.back().End = t.End;
                if (FormulasOnly && part.Rows.back().Cells.back().Formula < 0)
                    part.Rows.back().Cells.pop_back();
            }
            open.pop_back();
            continue;
        }
        const std::size_t level = open.size();
        const bool inRow = level == 1 && open.back() == 'r', inCell = level == 2 && open.back() == 'c';
        const std::string_view local = t.Local();
        if (level == 0 && local == "row") {
            std::string_view r;
            int n = 0;
            row = attr("r", r) && toInt(r, n) && n > 0 ? n - 1 : row + 1;
            nextCol = 0;
            part.Rows.push_back({row, t.Begin, t.End, t.End, {}});
            if (!t.Empty)
                open += 'r';
            continue;
        } else if (inRow && local == "c") {
            TPartCell c;
            c.Col = nextCol;
            std::string_view v;
            if (attr("r", v)) {
                int r = 0;
                if (!CellReference(v, c.Col, r) || r != row)
                    malformed();
            }
            nextCol = c.Col + 1;
            c.Begin = t.Begin;
            c.End = t.End;
            std::size_t at = 0;
            if (attr("s", v, &at)) {
                c.StyleAt = std::int32_t(t.Begin + qsizetype(at));
                c.StyleLen = std::int32_t(v.size());
            }
            if (attr("t", v, &at)) {
                // Back from the opening quote over "=", the name and the blanks before it.
                auto blank = [&](qsizetype i) {
                    const char ch = Xml.at(i);
                    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
                };
                qsizetype b = t.Begin + qsizetype(at) - 1;
                while (b > t.Begin && (blank(b - 1) || Xml.at(b - 1) == '='))
                    --b;
                while (b > t.Begin && !blank(b - 1))
                    --b;
                while (b > t.Begin && blank(b - 1))
                    --b;
                c.TypeBegin = std::int32_t(b);
                c.TypeEnd = std::int32_t(t.Begin + qsizetype(at + v.size()) + 1);
            }
            if (!t.Empty) {
                part.Rows.back().Cells.push_back(c);
                open += 'c';
            } else if (!FormulasOnly) {
                part.Rows.back().Cells.push_back(c);
            }
            continue;
        } else if (inCell && local == "f") {
            TPartCell& c = part.Rows.back().Cells.back();
            std::string_view ref, type, si;
            const bool hasRef = attr("ref", ref);
            attr("t", type);
            int shared = -1;
            if (type == "shared" && attr("si", si) && !toInt(si, shared))
                shared = -1;
            c.Shared = shared;
            c.Master = ref.find(':') != std::string_view::npos || (type == "shared" && hasRef);
            c.FormulaBegin = t.Begin;
            text.clear();
            if (!t.Empty) {
                const qsizetype from = t.End;
                if (!w.Next(t) || !t.Closing)
                    malformed();
                decodeInto(w.Between(from, t.Begin), text);
            }
            c.FormulaEnd = t.End;
            c.Formula = std::int32_t(part.Formulas.size());
            part.Formulas.push_back(text);
            if (c.Master) {
                TFormulaBlock b = blockOf(ref);
                b.Row = row;
                b.Col = c.Col;
                b.Shared = shared;
                b.Formula = c.Formula;
                part.Blocks.push_back(b);
            }
            continue;
        } else if (inCell && local == "v") {
            TPartCell& c = part.Rows.back().Cells.back();
            c.ValueBegin = t.Begin;
            if (!t.Empty && (!w.Next(t) || !t.Closing))
                malformed();
            c.ValueEnd = t.End;
            continue;
        }
        if (!t.Empty)
            open += 'o';
    }
    malformed();
}

namespace {

// A formula's text in the pieces that matter to what it refers to.
struct TFormulaToken {
    enum TKind : unsigned char {
        ftText,    // "..." ("" inside is one quote)
        ftQuoted,  // '...', a quoted sheet name ('' inside is one quote), without its "!"
        ftError,   // #REF!, #N/A, #DIV/0!
        ftBracket, // [...] with what it holds: a table's columns, another book
        ftNumber,  // 12, 1.5, 1E+3
        ftWord,    // a name, a function, a cell (A1, $B$2), a column, a sheet before its "!"
        ftOther    // one character: an operator, a parenthesis, "!", ":", a blank
    } Kind;
    qsizetype Begin, End;
};

class TFormulaLexer {
public:
    explicit TFormulaLexer(const QString& Formula) : f(Formula), n(Formula.size()) {}
    const QString& f;
    const qsizetype n;
    bool Next(TFormulaToken& T)
    {
        if (i >= n)
            return false;
        T.Begin = i;
        const QChar c = f.at(i);
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            T.Kind = c == QLatin1Char('"') ? TFormulaToken::ftText : TFormulaToken::ftQuoted;
            for (++i; i < n; ++i)
                if (f.at(i) == c) {
                    if (i + 1 < n && f.at(i + 1) == c)
                        ++i;
                    else
                        break;
                }
            i = std::min(i + 1, n);
        } else if (c == QLatin1Char('#')) {
            T.Kind = TFormulaToken::ftError;
            for (++i; i < n
                 && (f.at(i).isLetterOrNumber() || f.at(i) == QLatin1Char('/') || f.at(i) == QLatin1Char('!')
                     || f.at(i) == QLatin1Char('?') || f.at(i) == QLatin1Char('_'));
                 ++i) {}
        } else if (c == QLatin1Char('[')) {
            T.Kind = TFormulaToken::ftBracket;
            for (int depth = 0; i < n; ++i) {
                if (f.at(i) == QLatin1Char('['))
                    ++depth;
                else if (f.at(i) == QLatin1Char(']') && --depth == 0)
                    break;
            }
            i = std::min(i + 1, n);
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && f.at(i + 1).isDigit())) {
            T.Kind = TFormulaToken::ftNumber;
            while (i < n && (f.at(i).isDigit() || f.at(i) == QLatin1Char('.')))
                ++i;
            if (i < n && (f.at(i) == QLatin1Char('E') || f.at(i) == QLatin1Char('e')) && i + 1 < n
                && (f.at(i + 1).isDigit() || f.at(i + 1) == QLatin1Char('+') || f.at(i + 1) == QLatin1Char('-'))) {
                i += 2;
                while (i < n && f.at(i).isDigit())
                    ++i;
            }
        } else if (c.isLetter() || c == QLatin1Char('_') || c == QLatin1Char('\\') || c == QLatin1Char('$')) {
            T.Kind = TFormulaToken::ftWord;
            while (i < n
                   && (f.at(i).isLetterOrNumber() || f.at(i) == QLatin1Char('_') || f.at(i) == QLatin1Char('.')
                       || f.at(i) == QLatin1Char('\\') || f.at(i) == QLatin1Char('$') || f.at(i) == QLatin1Char('?')))
                ++i;
        } else {
            T.Kind = TFormulaToken::ftOther;
            ++i;
        }
        T.End = i;
        return true;
    }
    // The character before Pos and the one from Pos on, blanks passed over.
    QChar Previous(qsizetype Pos) const
    {
        while (Pos > 0 && f.at(Pos - 1).isSpace())
            --Pos;
        return Pos > 0 ? f.at(Pos - 1) : QChar();
    }
    QChar Following(qsizetype Pos) const
    {
        while (Pos < n && f.at(Pos).isSpace())
            ++Pos;
        return Pos < n ? f.at(Pos) : QChar();
    }
    // The character right after a token (no blank passed over).
    QChar After(const TFormulaToken& T) const { return T.End < n ? f.at(T.End) : QChar(); }
    bool NextToColon(const TFormulaToken& T) const
    {
        return Previous(T.Begin) == QLatin1Char(':') || Following(T.End) == QLatin1Char(':');
    }
    QString Text(const TFormulaToken& T) const { return f.mid(T.Begin, T.End - T.Begin); }

private:
    qsizetype i = 0;
};

const QRegularExpression& cellPattern()
{
    static const QRegularExpression cell(QStringLiteral("^(\\$?)([A-Za-z]{1,3})(\\$?)([0-9]{1,7})$"));
    return cell;
}
const QRegularExpression& columnPattern()
{
    static const QRegularExpression column(QStringLiteral("^(\\$?)([A-Za-z]{1,3})$"));
    return column;
}
const QRegularExpression& rowPattern()
{
    static const QRegularExpression row(QStringLiteral("^(\\$?)([0-9]{1,7})$"));
    return row;
}

} // namespace

TFormulaRefs FormulaRefs(const std::string& Text)
{
    TFormulaRefs refs;
    const QString f = QString::fromUtf8(Text.data(), qsizetype(Text.size()));
    TFormulaLexer lex(f);
    auto sheet = [&](const QString& Name) {
        if (Name.contains(QLatin1Char(':')) || Name.contains(QLatin1Char('[')))
            refs.Anywhere = true; // a range of sheets, or another book
        refs.Refs = true;
        refs.Sheets << Name;
    };
    TFormulaToken t;
    while (lex.Next(t)) {
        switch (t.Kind) {
        case TFormulaToken::ftQuoted:
            if (lex.After(t) == QLatin1Char('!'))
                sheet(f.mid(t.Begin + 1, t.End - t.Begin - 2).replace(QLatin1String("''"), QLatin1String("'")));
            else
                refs.Refs = refs.Anywhere = true;
            break;
        case TFormulaToken::ftBracket: refs.Refs = refs.Anywhere = true; break; // a table's columns, another book
        case TFormulaToken::ftNumber:
            if (lex.NextToColon(t))
                refs.Refs = true; // rows 1:3
            else if (const QChar a = lex.After(t); a.isLetter() || a == QLatin1Char('_') || a == QLatin1Char('!'))
                refs.Refs = refs.Anywhere = true; // a name or sheet that starts with a digit
            break;
        case TFormulaToken::ftWord: {
            const QString token = lex.Text(t);
            if (lex.After(t) == QLatin1Char('!')) {
                if (lex.Previous(t.Begin) == QLatin1Char(':'))
                    refs.Anywhere = true; // Jan:Mar!A1
                sheet(token);
                break;
            }
            if (lex.Following(t.End) == QLatin1Char('(')) {
                QString name = token.toUpper();
                name.remove(QLatin1String("_XLFN.")).remove(QLatin1String("_XLWS."));
                if (name == QLatin1String("INDIRECT") || name == QLatin1String("CELL") || name == QLatin1String("INFO"))
                    refs.Refs = refs.Anywhere = true;
                break;
            }
            if (lex.After(t) == QLatin1Char('[')) {
                refs.Refs = refs.Anywhere = true; // Table1[Kwota]
                break;
            }
            const QString upper = token.toUpper();
            if (upper == QLatin1String("TRUE") || upper == QLatin1String("FALSE"))
                break;
            refs.Refs = true;
            // A cell (A1, $B$2), or a column next to a colon (A:C); anything else is a name,
            // which may stand for cells of any sheet.
            if (!cellPattern().match(token).hasMatch()
                && !(lex.NextToColon(t) && columnPattern().match(token).hasMatch()))
                refs.Anywhere = true;
            break;
        }
        default: break;
        }
    }
    return refs;
}

std::string MovedFormula(const std::string& Text, int Rows, int Cols)
{
    constexpr int kMaxRow = 1048576, kMaxCol = 16384;
    const QString f = QString::fromUtf8(Text.data(), qsizetype(Text.size()));
    TFormulaLexer lex(f);
    QString out;
    bool off = false; // a reference moved off the sheet
    auto moved = [&](const QString& Dollar, int N, int By, int Max) {
        if (Dollar.isEmpty())
            N += By;
        off = off || N < 1 || N > Max;
        return N;
    };
    TFormulaToken t;
    while (lex.Next(t)) {
        QString token = lex.Text(t);
        const bool word = t.Kind == TFormulaToken::ftWord, colon = lex.NextToColon(t);
        const QChar after = lex.After(t);
        // A function's name stands right before its parenthesis.
        if ((word || t.Kind == TFormulaToken::ftNumber) && after != QLatin1Char('!') && after != QLatin1Char('[')
            && after != QLatin1Char('(')) {
            off = false;
            QString to;
            if (const QRegularExpressionMatch m = cellPattern().match(token); word && m.hasMatch()) {
                const int col = ColumnNumber(m.captured(2)), row = m.captured(4).toInt();
                if (col >= 1 && col <= kMaxCol && row >= 1 && row <= kMaxRow)
                    to = m.captured(1) + ColumnLetters(moved(m.captured(1), col, Cols, kMaxCol)) + m.captured(3)
                        + QString::number(moved(m.captured(3), row, Rows, kMaxRow));
            } else if (const QRegularExpressionMatch c = columnPattern().match(token); word && colon && c.hasMatch()) {
                const int col = ColumnNumber(c.captured(2));
                if (col >= 1 && col <= kMaxCol)
                    to = c.captured(1) + ColumnLetters(moved(c.captured(1), col, Cols, kMaxCol));
            } else if (const QRegularExpressionMatch r = rowPattern().match(token); colon && r.hasMatch()) {
                const int row = r.captured(2).toInt();
                if (row >= 1 && row <= kMaxRow)
                    to = r.captured(1) + QString::number(moved(r.captured(1), row, Rows, kMaxRow));
            }
            if (!to.isEmpty())
                token = off ? QStringLiteral("#REF!") : to;
        }
        out += token;
    }
    return out.toStdString();
}

void AppendEscaped(QByteArray& Out, const QString& Text)
{
    const qsizetype n = Text.size();
    const char16_t* s = reinterpret_cast<const char16_t*>(Text.constData());
    auto hex = [&Out](char16_t U) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04X", unsigned(U));
        Out += "_x";
        Out += buf;
        Out += '_';
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = s[i];
        if (u < 0x80) {
            if (u == u'&')
                Out += "&amp;";
            else if (u == u'<')
                Out += "&lt;";
            else if (u == u'>')
                Out += "&gt;";
            else if (u == u'"')
                Out += "&quot;";
            else if (u < 0x20 && u != u'\t' && u != u'\n')
                hex(u);
            else if (u == u'_' && i + 6 < n && s[i + 1] == u'x' && s[i + 6] == u'_')
                Out += "_x005F_";
            else
                Out += char(u);
        } else if (u < 0x800) {
            Out += char(0xC0 | (u >> 6));
            Out += char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(s[i + 1])) {
            const char32_t c = QChar::surrogateToUcs4(u, s[i + 1]);
            ++i;
            Out += char(0xF0 | (c >> 18));
            Out += char(0x80 | ((c >> 12) & 0x3F));
            Out += char(0x80 | ((c >> 6) & 0x3F));
            Out += char(0x80 | (c & 0x3F));
        } else if (QChar::isSurrogate(u) || u == 0xFFFE || u == 0xFFFF) {
            hex(u);
        } else {
            Out += char(0xE0 | (u >> 12));
            Out += char(0x80 | ((u >> 6) & 0x3F));
            Out += char(0x80 | (u & 0x3F));
        }
    }
}

} // namespace grid
