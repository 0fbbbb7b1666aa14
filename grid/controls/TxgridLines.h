#pragma once
// Line ends of every text the grid reads (delimited and fixed-width files, its own cell
// files, the clipboard, drops): CR LF, a lone LF and a lone CR end a line alike, and a line
// end at the very end of a text adds no line. A field quoted the way the grid and spreadsheets
// quote it (a double quote opening the line or standing right after a separator, inner quotes
// doubled, the first quote that is not doubled closing it) keeps the line ends inside it; a
// quote that is never closed, or one in the middle of a field, is an ordinary character.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace grid {

// Whether fields may be quoted, and the characters after which a field begins.
struct TQuoting {
    bool Quotes = false;
    QString Separators;
};

namespace lines {

inline char16_t Unit(const QString& T, qsizetype I) { return T.at(I).unicode(); }
inline char16_t Unit(const QByteArray& T, qsizetype I) { return char16_t(uchar(T.at(I))); }
inline bool IsLineEnd(char16_t U) { return U == u'\r' || U == u'\n'; }

// Where the quoted field whose opening quote stands before From closes: at the first quote
// that is not doubled, whatever follows it; -1 when there is none.
template <class Text>
qsizetype ClosingQuote(const Text& T, qsizetype From)
{
    const qsizetype n = T.size();
    for (qsizetype j = From; j < n; ++j) {
        if (Unit(T, j) != u'"')
            continue;
        if (j + 1 < n && Unit(T, j + 1) == u'"') {
            ++j; // a doubled quote is one quote of the text
            continue;
        }
        return j;
    }
    return -1;
}

} // namespace lines

// The length of the line end at Pos: 2 for CR LF, 1 for a lone CR or LF, 0 for anything else.
template <class Text>
int LineEndLength(const Text& T, qsizetype Pos)
{
    if (Pos >= T.size())
        return 0;
    const char16_t u = lines::Unit(T, Pos);
    if (u == u'\n')
        return 1;
    if (u != u'\r')
        return 0;
    return Pos + 1 < T.size() && lines::Unit(T, Pos + 1) == u'\n' ? 2 : 1;
}

// Where the line that begins at From ends (the index of its line end, or the text's size)
// and where the next line begins (Next; the text's size after the last line). Unclosed
// carries, from call to call over one text, where a quote was found never to close: a
// later opening quote is then taken as a character without searching again.
template <class Text>
qsizetype FindLineEnd(const Text& T, qsizetype From, qsizetype& Next, const TQuoting& Q, qsizetype& Unclosed)
{
    const qsizetype n = T.size();
    bool fieldStart = true;
    for (qsizetype i = From; i < n; ++i) {
        const char16_t u = lines::Unit(T, i);
        if (lines::IsLineEnd(u)) {
            Next = i + LineEndLength(T, i);
            return i;
        }
        if (Q.Quotes && fieldStart && u == u'"' && i < Unclosed) {
            const qsizetype close = lines::ClosingQuote(T, i + 1);
            if (close >= 0) {
                i = close;
                fieldStart = false;
                continue;
            }
            Unclosed = i;
        }
        fieldStart = Q.Quotes && Q.Separators.contains(QChar(u));
    }
    Next = n;
    return n;
}

template <class Text>
qsizetype FindLineEnd(const Text& T, qsizetype From, qsizetype& Next)
{
    qsizetype unclosed = T.size();
    return FindLineEnd(T, From, Next, TQuoting{}, unclosed);
}

// The lines of a text; a line end at its very end adds no empty line.
QStringList SplitLines(const QString& Text, const TQuoting& Quoting = {});
// The fields of one line between the separators outside quoted fields, quotes kept.
QStringList SplitQuotedFields(const QString& Line, QChar Separator);
// Whether a field is one quoted field from its first character to its last.
bool IsQuotedField(const QString& Field);
bool HasLineEnd(const QString& Text);
// Every line end as CR LF, the cell's own form.
QString LineEndsToCRLF(const QString& Text);
// A multi-line cell as a quoted field: line ends as LF, inner quotes doubled.
QString QuoteMultiline(const QString& Text);
// Whether a cell must go quoted into tab-separated text to come back as one cell: it holds a
// tab or a line end (a lone CR ends a line too when the text is read), or it begins with a
// quote and is not simply a text between two quotes (which comes back as it is).
bool NeedsTabQuotes(const QString& Text);
// A field of tab-separated text back into a cell: a quoted field that holds a tab, a line end
// or a quote is unquoted (UnquoteMultiline); any other field stays as it is, but for its line
// ends made CR LF.
QString UnquoteTabField(const QString& Field);
// A quoted field back into the cell's text: without its quotes, doubled quotes single, line
// ends CR LF. A text that is not enclosed in quotes only gets its line ends made CR LF.
QString UnquoteMultiline(const QString& Text);

} // namespace grid
