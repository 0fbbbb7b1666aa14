#include "platform/system/Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace sys {

bool shellOpen(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool startCalculator()
{
    static const char* const kCalculators[] = {"gnome-calculator", "kcalc",         "galculator",
                                               "mate-calc",        "qalculate-gtk", "xcalc"};
    for (const char* name : kCalculators) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(name));
        if (!program.isEmpty())
            return QProcess::startDetached(program, {});
    }
    return false;
}

} // namespace sys
