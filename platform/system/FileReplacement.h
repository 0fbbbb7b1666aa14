#pragma once
// Saving over a file the way a careful editor does. The new content is written into a
// temporary file beside the real one and put in its place by a rename only when it is
// complete and on the disk, so that a failure, a killed program or a power cut leaves the old
// file or the new one, whole:
// - a file the user may not write is refused before anything is written;
// - a symbolic link stays a link: the file it leads to is saved (its temporary file beside it);
// - a file with other hard links is refused (a rename would leave the other names on the old
//   content, and writing into it in place would not survive a power cut);
// - a folder, a FIFO, a device or a socket under the name is refused before anything is opened;
// - the new file keeps the old one's mode, owner, group and access list (ACL); an access list
//   that cannot be given to it refuses the save, the file as it was;
// - where the new file could not keep the owner or the group (a colleague's file the user may
//   write), the new content is written into the file itself instead, after a copy of the old
//   content is made beside it, "<name>.tarnex-kopia", and synced; the copy is removed once the
//   file holds the new content whole and on the disk. A save killed in between leaves the copy,
//   and every later save or read of the file (readRefusal) is refused, naming it, until the user
//   has moved it away;
// - the temporary file, "<name>.tarnex-XXXXXX.tmp", is removed on every failure, and one left by
//   a killed save (no process holds its lock any more) is removed by the next save of that file;
// - the content reaches the disk before the rename and the folder's entry after it;
// - every refusal and failure says why, in Polish: no space left, no permission, a read-only
//   file system, ...
#include <QByteArray>
#include <QString>

#include <memory>
#include <stdexcept>

class QIODevice;

namespace sys {

// A save refused or failed. message() is the sentence for the user: "Nie udało się zapisać
// pliku <name>: brak miejsca na dysku."; code() the system's error number behind it, 0 when the
// refusal is the helper's own (other hard links, not a regular file).
class SaveError : public std::runtime_error {
public:
    SaveError(const QString& message, int code);
    QString message() const { return message_; }
    int code() const { return code_; }

private:
    QString message_;
    int code_;
};

// The sentence refusing a save of `path` for `cause`: "Nie udało się zapisać pliku <name>:
// <cause>.".
QString saveSentence(const QString& path, const QString& cause);

// The user's words for a system error number met while saving (0: unknown): "brak miejsca na
// dysku", "system plików jest tylko do odczytu", ...
QString saveFailureCause(int code);

// What keeps `path` from being read or saved over as a file, found without opening it (an open
// of a FIFO waits for a writer, a device never ends): a folder, a FIFO, a device or a socket
// under the name, or a save in place of it that is running or was cut off (the copy of its old
// content beside it, named). Empty when nothing does; a missing file is left to the caller.
QString fileKindProblem(const QString& path);
// The sentence refusing to read `path` for fileKindProblem: "Nie można odczytać pliku <name>:
// pod tą nazwą jest kolejka FIFO, a nie plik."; empty when the file may be read.
QString readRefusal(const QString& path);
// The same for a save that looks at the old file before it is replaced: "Nie udało się zapisać
// pliku <name>: ...".
QString saveRefusal(const QString& path);

class FileReplacement {
public:
    enum class Start {
        Empty,      // the new content is written from nothing
        OldContent, // the new content starts as a copy of the old file (appending)
    };
    // Checks that `path` may be replaced, removes the temporary files killed saves of it left,
    // and opens a new temporary file. SaveError when the file cannot be saved.
    explicit FileReplacement(const QString& path, Start start = Start::Empty);
    ~FileReplacement(); // a replacement not committed removes its temporary file
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Where the new content goes: the temporary file as a QFile open for appending, unbuffered,
    // so that a writer that looks at what it continues sees the old content a save that
    // appends starts from. A failed write writes less than asked, with the cause
    // (saveFailureCause) as the device's errorString().
    QIODevice& device();
    // The temporary file's descriptor and name, for libraries that write by themselves.
    int handle() const;
    QString temporaryPath() const;
    // The error number of the last failed write through device(), 0 when none.
    int lastWriteError() const;

    // Puts the new content in the file's place. SaveError when it cannot; the old file is then
    // unchanged.
    void commit();
    // The SaveError for a failure while writing the new content (code 0: unknown, looked for
    // in the state of the file system, such as a full one).
    [[noreturn]] void fail(int code) const;

    // The whole new content at once.
    static void replace(const QString& path, const QByteArray& bytes);

private:
    struct Private;
    std::unique_ptr<Private> d_;
};

} // namespace sys
