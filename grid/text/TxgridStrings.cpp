#include "grid/text/TxgridStrings.h"

#include "grid/controls/Txutil.h"

#include <QFile>
#include <QWidget>

namespace grid {

namespace {
const QString kCRLF = QStringLiteral("\r\n");
} // namespace

QString StripTags(const QString& Text)
{
    QString r;
    r.reserve(Text.size());
    qsizetype i = 0;
    while (i < Text.size()) {
        const qsizetype open = Text.indexOf(QLatin1Char('<'), i);
        if (open < 0) {
            r += QStringView(Text).mid(i);
            break;
        }
        const qsizetype close = Text.indexOf(QLatin1Char('>'), open);
        if (close < 0) {
            r += QStringView(Text).mid(i);
            break;
        }
        r += QStringView(Text).mid(i, open - i);
        i = close + 1;
    }
    return r;
}

QString HTMLToPlainText(const QString& Text)
{
    QString s = Text;
    s.replace(QLatin1String("<BR>"), kCRLF, Qt::CaseInsensitive);
    s.replace(QLatin1String("<HR>"), kCRLF, Qt::CaseInsensitive);
    return StripTags(s);
}

int PlainPosToHTMLPos(const QString& Text, int N)
{
    if (N < 1)
        return 0;
    int visible = 0;
    qsizetype tagStart = -1; // a tag run directly before the current character
    qsizetype i = 0;
    while (i < Text.size()) {
        if (Text.at(i) == QLatin1Char('<')) {
            const qsizetype close = Text.indexOf(QLatin1Char('>'), i);
            if (close >= 0) {
                if (tagStart < 0)
                    tagStart = i;
                i = close + 1;
                continue;
            }
        }
        ++visible;
        if (visible == N)
            return int(tagStart >= 0 ? tagStart : i) + 1;
        tagStart = -1;
        ++i;
    }
    if (N == visible + 1)
        return int(tagStart >= 0 ? tagStart : Text.size()) + 1;
    return 0;
}

int PosFrom(const QString& Sub, const QString& Text, int Offset, int& Pos, bool CaseSensitive)
{
    Pos = 0;
    if (Sub.isEmpty() || Offset < 0 || Offset >= Text.size())
        return 0;
    const qsizetype p = Text.indexOf(Sub, Offset, CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
    Pos = p < 0 ? 0 : int(p) + 1;
    return Pos;
}

QString HTMLHilight(const QString& Text, const QString& Find, const QString& Tag, bool CaseSensitive)
{
    if (Find.isEmpty())
        return Text;
    const QString open = QLatin1Char('<') + Tag + QLatin1Char('>');
    const QString close = QStringLiteral("</") + Tag + QLatin1Char('>');
    const QString plain = StripTags(Text);
    QString r = Text;
    const Qt::CaseSensitivity cs = CaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    qsizetype from = 0;
    for (;;) {
        const qsizetype hit = plain.indexOf(Find, from, cs);
        if (hit < 0)
            break;
        const int start = int(hit) + 1, end = start + int(Find.size());
        const int p = PlainPosToHTMLPos(r, start);
        if (p <= 0)
            break;
        r.insert(p - 1, open);
        const int e = PlainPosToHTMLPos(r, end);
        if (e <= 0)
            break;
        r.insert(e - 1, close);
        from = hit + Find.size();
    }
    return r;
}

QString HTMLUnHilight(const QString& Text, const QString& Tag)
{
    QString s = Text;
    const QString t = Tag.toUpper();
    s.remove(QLatin1Char('<') + t + QLatin1Char('>'), Qt::CaseInsensitive);
    s.remove(QStringLiteral("</") + t + QLatin1Char('>'), Qt::CaseInsensitive);
    return s;
}

bool ReplaceFirst(const QString& Old, const QString& New, QString& Text)
{
    if (Old.isEmpty())
        return false;
    const qsizetype p = Text.indexOf(Old, 0, Qt::CaseInsensitive);
    if (p < 0)
        return false;
    Text.replace(p, Old.size(), New);
    return true;
}

void MakeWindowTransparent(QWidget* Window)
{
    if (Window)
        Window->setAttribute(Qt::WA_TransparentForMouseEvents);
}

qint64 ModuleFileVersion(const QString& FileName)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray data = f.readAll();
    // The fixed file-information block: signature 0xFEEF04BD, structure version, then the
    // most significant half of the file version (all little-endian).
    static const char sig[4] = {char(0xBD), char(0x04), char(0xEF), char(0xFE)};
    const qsizetype at = data.indexOf(QByteArray(sig, 4));
    if (at < 0 || at + 12 > data.size())
        return -1;
    const auto* p = reinterpret_cast<const unsigned char*>(data.constData() + at + 8);
    return qint64(quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24));
}

int IPos(const QString& Sub, const QString& Text)
{
    if (Sub.isEmpty())
        return 0;
    return int(Text.toUpper().indexOf(Sub.toUpper())) + 1;
}

int LeadingInt(const QString& Text)
{
    qsizetype n = 0;
    while (n < Text.size() && Text.at(n).isDigit() && Text.at(n).unicode() < 128)
        ++n;
    return n == 0 ? 0 : Text.left(n).toInt();
}

} // namespace grid
