#include "grid/settings/TxgridIniFile.h"

#include "grid/controls/TxgridLines.h"
#include "grid/controls/TxgridSaveFile.h"

#include <QFile>

namespace grid {

namespace {

bool isSectionLine(const QString& line) { return line.trimmed().startsWith(QLatin1Char('[')); }

QString sectionName(const QString& line)
{
    const QString t = line.trimmed();
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

// The name of a "Name=Value" line; empty for a line without "=".
QString valueName(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

} // namespace

TIniFile::TIniFile(const QString& FileName) : FFileName(FileName)
{
    CheckFileKind(FileName);
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        return; // a missing file reads as empty
    FLines = SplitLines(QString::fromUtf8(f.readAll()));
}

int TIniFile::FindSection(const QString& Section) const
{
    for (int i = 0; i < FLines.size(); ++i)
        if (isSectionLine(FLines.at(i)) && sectionName(FLines.at(i)).compare(Section, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TIniFile::SectionEnd(int SectionLine) const
{
    int end = SectionLine + 1;
    int last = SectionLine + 1;
    for (; end < FLines.size() && !isSectionLine(FLines.at(end)); ++end)
        if (!FLines.at(end).trimmed().isEmpty())
            last = end + 1;
    return last; // blank lines before the next section stay there
}

int TIniFile::FindValue(int SectionLine, const QString& Ident) const
{
    for (int i = SectionLine + 1; i < FLines.size() && !isSectionLine(FLines.at(i)); ++i) {
        const QString name = valueName(FLines.at(i));
        if (!name.isEmpty() && name.compare(Ident, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

bool TIniFile::ValueExists(const QString& Section, const QString& Ident) const
{
    const int s = FindSection(Section);
    return s >= 0 && FindValue(s, Ident) >= 0;
}

QString TIniFile::ReadString(const QString& Section, const QString& Ident, const QString& Default) const
{
    const int s = FindSection(Section);
    const int v = s < 0 ? -1 : FindValue(s, Ident);
    if (v < 0)
        return Default;
    const QString& line = FLines.at(v);
    return line.mid(line.indexOf(QLatin1Char('=')) + 1);
}

int TIniFile::ReadInteger(const QString& Section, const QString& Ident, int Default) const
{
    const QString s = ReadString(Section, Ident, QString()).trimmed();
    bool ok = false;
    const int v = s.toInt(&ok, 10);
    return ok ? v : Default;
}

void TIniFile::WriteString(const QString& Section, const QString& Ident, const QString& Value)
{
    // A line break in a value would start a line of its own in the file.
    QString value = Value;
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = Ident + QLatin1Char('=') + value;
    int s = FindSection(Section);
    if (s < 0) {
        if (!FLines.isEmpty() && !FLines.last().trimmed().isEmpty())
            FLines.append(QString());
        FLines.append(QLatin1Char('[') + Section + QLatin1Char(']'));
        s = int(FLines.size()) - 1;
    }
    const int v = FindValue(s, Ident);
    if (v >= 0)
        FLines[v] = line;
    else
        FLines.insert(SectionEnd(s), line);
    FModified = true;
}

void TIniFile::WriteInteger(const QString& Section, const QString& Ident, int Value)
{
    WriteString(Section, Ident, QString::number(Value));
}

void TIniFile::UpdateFile()
{
    QByteArray bytes;
    for (const QString& l : FLines)
        bytes += l.toUtf8() + "\r\n";
    TSaveFile::Write(FFileName, bytes);
    FModified = false;
}

} // namespace grid
