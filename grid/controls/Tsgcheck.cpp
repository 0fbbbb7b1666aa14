#include "grid/controls/Tsgcheck.h"

namespace grid {

QString TTxStringGridCheck::ReplaceOnce(const QString& S, const QString& OldPattern, const QString& NewPattern)
{
    if (OldPattern.isEmpty())
        return S;
    const qsizetype p = S.indexOf(OldPattern);
    if (p < 0)
        return S;
    QString r = S;
    return r.replace(p, OldPattern.size(), NewPattern);
}

namespace {

bool isLineTag(const QString& name)
{
    return name.compare(QLatin1String("BR"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("HR"), Qt::CaseInsensitive) == 0;
}

// The visible text: "<BR>" and "<HR>" as CR LF, other tags removed; an unclosed "<" and the
// rest stay as text.
QString visibleText(const QString& s)
{
    QString r;
    qsizetype i = 0;
    while (i < s.size()) {
        if (s.at(i) == QLatin1Char('<')) {
            const qsizetype close = s.indexOf(QLatin1Char('>'), i);
            if (close < 0) {
                r += QStringView(s).mid(i);
                break;
            }
            if (isLineTag(s.mid(i + 1, close - i - 1)))
                r += QLatin1String("\r\n");
            i = close + 1;
            continue;
        }
        r += s.at(i++);
    }
    return r;
}

// Index in s (0-based) where the visible character at visible index v (0-based) stands,
// skipping tags; a line-break tag counts as the two characters it shows as. Past the end:
// s.size().
qsizetype mapVisible(const QString& s, qsizetype v)
{
    qsizetype seen = 0, i = 0;
    while (i < s.size()) {
        if (s.at(i) == QLatin1Char('<')) {
            const qsizetype close = s.indexOf(QLatin1Char('>'), i);
            if (close >= 0) {
                if (isLineTag(s.mid(i + 1, close - i - 1))) {
                    if (v < seen + 2)
                        return i;
                    seen += 2;
                }
                i = close + 1;
                continue;
            }
        }
        if (seen == v)
            return i;
        ++seen;
        ++i;
    }
    return s.size();
}

} // namespace

QString TTxStringGridCheck::HiLight(const QString& S, const QString& Word, const QString& Tag, bool CaseSensitive)
{
    if (Word.isEmpty())
        return S;
    const QString open = QLatin1Char('<') + Tag + QLatin1Char('>');
    const QString close = QStringLiteral("</") + Tag + QLatin1Char('>');
    QString vis = visibleText(S);
    QString word = Word;
    if (!CaseSensitive) {
        vis = vis.toUpper();
        word = word.toUpper();
    }
    QString r = S;
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = vis.indexOf(word, from);
        if (p < 0)
            break;
        const qsizetype e = p + word.size();
        r.insert(mapVisible(r, p), open);
        r.insert(mapVisible(r, e), close);
        from = e;
    }
    return r;
}

QString TCapitalCheck::Correct(int, int, const QString& Value)
{
    // Any lower-case letter, Polish ones too, begins a sentence in capitals.
    QString r = Value;
    QChar before2 = QLatin1Char('.'), before1 = QLatin1Char(' ');
    for (qsizetype i = 0; i < r.size(); ++i) {
        const QChar c = r.at(i);
        if (before1 == QLatin1Char(' ')
            && (before2 == QLatin1Char('.') || before2 == QLatin1Char('!') || before2 == QLatin1Char('?'))
            && c.isLower())
            r[i] = c.toUpper();
        before2 = before1;
        before1 = c;
    }
    return r;
}

} // namespace grid
