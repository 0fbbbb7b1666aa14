#pragma once
// What the status bar says after a printout went to PDF files because there was no printer:
// how many files went to which folder ("Zapisano 2 pliki w folderze wydruki: FV-1-2011
// Oryginał.pdf, FV-1-2011 Kopia.pdf").
#include <QString>
#include <QStringList>

namespace shell {

// The noun after a count of files: 1 "plik"; 2–4, 22–24, ... "pliki"; 0, 5–21, 25–31, ... "plików".
QString filesWord(int count);

// The message for the files `paths` of one printout. A folder inside `workDir` is named relative
// to it, any other one in full; files in several folders are told folder by folder.
QString savedFilesMessage(const QStringList& paths, const QString& workDir);

} // namespace shell
