#pragma once
// Reading printouts back in tests: the text of a PDF (pdftotext -layout; pages split by '\f')
// and its page count (pdfinfo).
#include <QProcess>
#include <QString>
#include <QStringList>

namespace pdf {

inline QString text(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline QString info(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {file});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline int pages(const QString& file)
{
    for (const QString& line : info(file).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

} // namespace pdf
