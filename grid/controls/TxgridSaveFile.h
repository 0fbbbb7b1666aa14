#pragma once
// A file the grid writes over, saved as sys::FileReplacement saves one: complete and on the disk
// before it takes the old file's place (a link's target saved, mode, owner and group kept, a
// file the user may not write or one with other hard links refused, nothing left behind). Its
// refusals and failures come as ETxGridError saying why, in Polish.
#include "grid/controls/TxgridError.h"

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

namespace sys {
class FileReplacement;
}

namespace grid {

class TSaveFile {
public:
    // Append: the new content starts as the old file's (a missing one starts empty).
    explicit TSaveFile(const QString& FileName, bool Append = false);
    ~TSaveFile(); // not committed: the old file stays as it was
    TSaveFile(const TSaveFile&) = delete;
    TSaveFile& operator=(const TSaveFile&) = delete;

    // Where the new content is written; a failed write returns -1 and names its cause in
    // errorString().
    QIODevice& Device();
    // For libraries that write by themselves: the temporary file's descriptor and name.
    sys::FileReplacement& Replacement() { return *FFile; }
    // The system's error number of the last failed write through Device(), 0 when none.
    int LastWriteError() const;
    void Commit();
    // ETxGridError for a failure while the new content was written (Code: the system's error
    // number, 0 when unknown).
    [[noreturn]] void Fail(int Code) const;

    // The whole new content at once.
    static void Write(const QString& FileName, const QByteArray& Bytes);

private:
    std::unique_ptr<sys::FileReplacement> FFile;
};

// Refuses at once, as ETxGridError, a name under which there is no file to read (Saving: to
// save over): a folder, a FIFO, a device, a socket, or a file whose save in place was cut off
// (the copy of its old content named). Every reader of the grid calls it before it opens
// anything, and so does a save that reads the old file first; a missing file passes.
void CheckFileKind(const QString& FileName, bool Saving = false);

// A refusal of a save of FileName as the user is told it: Message as it is when it names the
// file, else "Nie udało się zapisać pliku <name>: <Message, as the cause>.".
QString SaveRefusal(const QString& FileName, const QString& Message);

// Runs Save, the save of FileName, so that each of its refusals names the file (SaveRefusal):
// the checks of cells, sheets and texts deep in a format say what is wrong, not where.
template <class TSave>
void SavingFile(const QString& FileName, TSave&& Save)
{
    try {
        Save();
    } catch (const ETxGridError& e) {
        const QString told = SaveRefusal(FileName, e.message());
        if (told == e.message())
            throw;
        throw ETxGridError(told);
    }
}

} // namespace grid
