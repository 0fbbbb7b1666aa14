#include "shell/PrintNotice.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

namespace shell {

QString filesWord(int count)
{
    if (count == 1)
        return QStringLiteral("plik");
    const int ones = count % 10;
    const int tens = count % 100;
    if (ones >= 2 && ones <= 4 && !(tens >= 12 && tens <= 14))
        return QStringLiteral("pliki");
    return QStringLiteral("plików");
}

QString savedFilesMessage(const QStringList& paths, const QString& workDir)
{
    // The folders in the order their first file was written.
    std::vector<std::pair<QString, QStringList>> folders;
    for (const QString& p : paths) {
        const QFileInfo f(p);
        const QString folder = f.absolutePath();
        auto it = std::find_if(folders.begin(), folders.end(), [&](const auto& x) { return x.first == folder; });
        if (it == folders.end())
            it = folders.insert(folders.end(), {folder, {}});
        it->second << f.fileName();
    }
    const QDir work(workDir);
    QStringList parts;
    for (const auto& [folder, names] : folders) {
        QString shown = work.relativeFilePath(folder);
        if (shown.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(shown))
            shown = folder;
        else if (shown.isEmpty())
            shown = QStringLiteral(".");
        parts << QStringLiteral("%1 %2 w folderze %3: %4")
                     .arg(names.size())
                     .arg(filesWord(int(names.size())), QDir::toNativeSeparators(shown),
                          names.join(QStringLiteral(", ")));
    }
    return QStringLiteral("Zapisano ") + parts.join(QStringLiteral("; "));
}

} // namespace shell
