#include "grid/controls/TxgridLines.h"

namespace grid {

QStringList SplitLines(const QString& Text, const TQuoting& Quoting)
{
    QStringList out;
    qsizetype unclosed = Text.size();
    for (qsizetype p = 0, next = 0; p < Text.size(); p = next) {
        const qsizetype end = FindLineEnd(Text, p, next, Quoting, unclosed);
        out << Text.mid(p, end - p);
    }
    return out;
}

QStringList SplitQuotedFields(const QString& Line, QChar Separator)
{
    QStringList out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= Line.size(); ++i) {
        if (i == start && i < Line.size() && Line.at(i) == QLatin1Char('"')) {
            const qsizetype close = lines::ClosingQuote(Line, i + 1);
            if (close >= 0)
                i = close + 1;
        }
        if (i >= Line.size() || Line.at(i) == Separator) {
            out << Line.mid(start, std::min(i, Line.size()) - start);
            start = i + 1;
        }
    }
    return out;
}

bool IsQuotedField(const QString& Field)
{
    return Field.size() >= 2 && Field.startsWith(QLatin1Char('"')) && lines::ClosingQuote(Field, 1) == Field.size() - 1;
}

bool HasLineEnd(const QString& Text)
{
    for (const QChar ch : Text)
        if (lines::IsLineEnd(ch.unicode()))
            return true;
    return false;
}

namespace {

QString LineEndsAs(const QString& Text, QStringView End)
{
    if (!HasLineEnd(Text))
        return Text;
    QString out;
    out.reserve(Text.size() + Text.size() / 8);
    for (qsizetype i = 0; i < Text.size();) {
        if (const int n = LineEndLength(Text, i)) {
            out += End;
            i += n;
        } else {
            out += Text.at(i++);
        }
    }
    return out;
}

} // namespace

QString LineEndsToCRLF(const QString& Text) { return LineEndsAs(Text, u"\r\n"); }

QString QuoteMultiline(const QString& Text)
{
    QString t = LineEndsAs(Text, u"\n");
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString UnquoteMultiline(const QString& Text)
{
    if (Text.size() < 2 || !Text.startsWith(QLatin1Char('"')) || !Text.endsWith(QLatin1Char('"')))
        return LineEndsToCRLF(Text);
    QString t = Text.mid(1, Text.size() - 2);
    t.replace(QLatin1String("\"\""), QLatin1String("\""));
    return LineEndsToCRLF(t);
}

bool NeedsTabQuotes(const QString& Text)
{
    const QChar quote = QLatin1Char('"');
    if (Text.contains(QLatin1Char('\t')) || HasLineEnd(Text))
        return true;
    const bool betweenTwo = Text.size() >= 2 && Text.endsWith(quote) && Text.count(quote) == 2;
    return Text.startsWith(quote) && !betweenTwo;
}

QString UnquoteTabField(const QString& Field)
{
    if (!IsQuotedField(Field))
        return LineEndsToCRLF(Field);
    const QStringView inside = QStringView(Field).mid(1, Field.size() - 2);
    for (const QChar ch : inside)
        if (ch == QLatin1Char('\t') || ch == QLatin1Char('"') || lines::IsLineEnd(ch.unicode()))
            return UnquoteMultiline(Field);
    return Field;
}

} // namespace grid
