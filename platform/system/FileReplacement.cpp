#include "platform/system/FileReplacement.h"

#include <QFile>

#include <acl/libacl.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace sys {

namespace {

// What the temporary files are called: "<name>.tarnex-XXXXXX.tmp" beside the file.
constexpr char kTempMark[] = ".tarnex-";
constexpr char kTempEnd[] = ".tmp";
constexpr int kTempRandom = 6;
constexpr qsizetype kTempExtra = sizeof kTempMark - 1 + kTempRandom + sizeof kTempEnd - 1;
// The copy of the old content a save in place keeps beside the file: "<name>.tarnex-kopia".
constexpr char kCopyEnd[] = "kopia";

// Where an error number was met, for the words that name its cause.
enum class Where { File, Folder, Content };


QString folderCause(int code, const QString& folder)
{
    switch (code) {
    case EACCES:
    case EPERM: return QStringLiteral("brak uprawnień do zapisu w folderze %1").arg(folder);
    case ENOENT:
    case ENOTDIR: return QStringLiteral("folder %1 nie istnieje").arg(folder);
    default: return saveFailureCause(code);
    }
}

// `path` with the symbolic links of its last part followed; a missing end is a new file.
QByteArray followLinks(QByteArray path, int& error)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0)
            return errno == ENOENT ? path : (error = errno, QByteArray());
        if (!S_ISLNK(st.st_mode))
            return path;
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), buf, sizeof buf);
        if (n < 0 || n == ssize_t(sizeof buf)) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return QByteArray();
        }
        const QByteArray to(buf, qsizetype(n));
        const qsizetype slash = path.lastIndexOf('/');
        path = to.startsWith('/') || slash < 0 ? to : path.left(slash + 1) + to;
    }
    error = ELOOP;
    return QByteArray();
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// "<name>.tarnex-": the name cut, at a whole UTF-8 letter, so that the temporary name fits.
QByteArray tempPrefix(const QByteArray& target)
{
    QByteArray name = target.mid(target.lastIndexOf('/') + 1);
    if (name.size() > NAME_MAX - kTempExtra) {
        qsizetype cut = NAME_MAX - kTempExtra;
        while (cut > 0 && (uchar(name.at(cut)) & 0xC0) == 0x80)
            --cut;
        name.truncate(cut);
    }
    return name + kTempMark;
}

bool isTempName(const char* entry, const QByteArray& prefix)
{
    const qsizetype n = qsizetype(std::strlen(entry));
    if (n != prefix.size() + kTempRandom + qsizetype(sizeof kTempEnd - 1)
        || std::strncmp(entry, prefix.constData(), std::size_t(prefix.size())) != 0
        || std::strcmp(entry + prefix.size() + kTempRandom, kTempEnd) != 0)
        return false;
    for (int i = 0; i < kTempRandom; ++i) {
        const char c = entry[prefix.size() + i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// What stands under a name that is no file, in the user's words; empty for a regular file.
QString kindCause(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return QStringLiteral("pod tą nazwą jest folder");
    if (S_ISFIFO(mode))
        return QStringLiteral("pod tą nazwą jest kolejka FIFO, a nie plik");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("pod tą nazwą jest urządzenie, a nie plik");
    if (S_ISSOCK(mode))
        return QStringLiteral("pod tą nazwą jest gniazdo, a nie plik");
    return QStringLiteral("to nie jest zwykły plik");
}

QByteArray besideIn(const QByteArray& folder, const QByteArray& name)
{
    return (folder == "/" ? folder : folder + '/') + name;
}

// The copy a save in place of `target` keeps of the old content.
QByteArray copyPathOf(const QByteArray& target) { return besideIn(folderOf(target), tempPrefix(target) + kCopyEnd); }

// Why `target` may not be touched while a copy of its old content stands beside it: a save in
// place of it runs (it holds the copy's lock) or was cut off. Empty when there is no copy.
QString copyCause(const QByteArray& target)
{
    const QByteArray copy = copyPathOf(target);
    struct stat st {};
    if (::lstat(copy.constData(), &st) != 0)
        return QString();
    const QString name = QFile::decodeName(copy);
    const int fd = ::open(copy.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    const bool running = fd >= 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (fd >= 0)
        ::close(fd);
    if (running)
        return QStringLiteral("ten plik jest właśnie zapisywany (kopia jego poprzedniej treści jest w pliku %1)")
            .arg(name);
    return QStringLiteral("zapis tego pliku został przerwany i plik może być niepełny; jego poprzednia treść "
                          "jest w pliku %1 (przywróć ją albo usuń tę kopię)")
        .arg(name);
}

// Removes the temporary files of `prefix` in the folder that no save holds any more: a save
// holds its file's lock from the moment it makes it until it is done, and the system drops the
// lock of a process that was killed.
void removeStale(const QByteArray& folder, const QByteArray& prefix)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dfd = ::dirfd(dir);
    while (const dirent* e = ::readdir(dir)) {
        if (!isTempName(e->d_name, prefix))
            continue;
        const int fd = ::openat(dfd, e->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        struct stat held {};
        struct stat now {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0
            && ::fstatat(dfd, e->d_name, &now, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(held, now))
            ::unlinkat(dfd, e->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// Copies what is left to read of `in` to `out`; the error number of a failure, 0 when done.
int copyContent(int in, int out)
{
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buf + done, std::size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w <= 0)
                return w < 0 ? errno : ENOSPC;
            done += w;
        }
    }
}

// The cause of a failed write: the error number when it says one, else what the file system
// shows (full or read-only), else the error number as it is.
int causeOf(int code, int fd)
{
    switch (code) {
    case ENOSPC:
    case EDQUOT:
    case EROFS:
    case EACCES:
    case EPERM:
    case EFBIG:
    case EIO: return code;
    default: break;
    }
    struct statvfs v {};
    if (::fstatvfs(fd, &v) != 0)
        return code;
    if (v.f_flag & ST_RDONLY)
        return EROFS;
    return qint64(v.f_bavail) * qint64(v.f_frsize) < 64 * 1024 ? ENOSPC : code;
}

// The new content's device: the temporary file, unbuffered, opened for appending (so that a
// writer sees what it continues: a copy of the old file when the save appends). A failed write
// keeps its cause and names it, in Polish, as the device's error text.
class ContentDevice : public QFile {
public:
    int error = 0;

protected:
    qint64 writeData(const char* data, qint64 size) override
    {
        errno = 0;
        const qint64 n = QFile::writeData(data, size);
        if (n != size) {
            error = causeOf(errno ? errno : ENOSPC, int(handle()));
            setErrorString(saveFailureCause(error));
        }
        return n;
    }
};

} // namespace

SaveError::SaveError(const QString& message, int code)
    : std::runtime_error(message.toStdString()), message_(message), code_(code)
{}

QString saveSentence(const QString& path, const QString& cause)
{
    return QStringLiteral("Nie udało się zapisać pliku %1: %2.").arg(path, cause);
}

QString saveFailureCause(int code)
{
    switch (code) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("brak miejsca na dysku");
    case EROFS: return QStringLiteral("system plików jest tylko do odczytu");
    case EACCES:
    case EPERM: return QStringLiteral("brak uprawnień do zapisu");
    case EFBIG: return QStringLiteral("plik jest za duży dla systemu plików");
    case EIO: return QStringLiteral("błąd odczytu lub zapisu na urządzeniu");
    case EISDIR: return QStringLiteral("pod tą nazwą jest folder");
    case ENOENT:
    case ENOTDIR: return QStringLiteral("folder pliku nie istnieje");
    case ELOOP: return QStringLiteral("zbyt wiele dowiązań symbolicznych");
    case ENAMETOOLONG: return QStringLiteral("nazwa pliku jest za długa");
    case 0: return QStringLiteral("wystąpił błąd zapisu");
    default: return QStringLiteral("błąd systemu (%1)").arg(QString::fromLocal8Bit(std::strerror(code)));
    }
}

QString fileKindProblem(const QString& path)
{
    int error = 0;
    const QByteArray target = followLinks(QFile::encodeName(path), error);
    struct stat st {};
    if (error || ::stat(target.constData(), &st) != 0)
        return QString();
    if (QString kind = kindCause(st.st_mode); !kind.isEmpty())
        return kind;
    return copyCause(target);
}

QString readRefusal(const QString& path)
{
    const QString cause = fileKindProblem(path);
    return cause.isEmpty() ? cause : QStringLiteral("Nie można odczytać pliku %1: %2.").arg(path, cause);
}

QString saveRefusal(const QString& path)
{
    const QString cause = fileKindProblem(path);
    return cause.isEmpty() ? cause : saveSentence(path, cause);
}

struct FileReplacement::Private {
    QString path; // as the caller named it, for the messages
    QByteArray target, folder, temp;
    int fd = -1;
    bool existed = false;
    bool committed = false;
    struct stat old {};
    acl_t acl = nullptr; // the old file's access list, when it has one beyond its mode
    ContentDevice device;

    ~Private()
    {
        if (!committed && !temp.isEmpty())
            ::unlink(temp.constData());
        if (fd >= 0)
            ::close(fd);
        if (acl)
            ::acl_free(acl);
    }

    [[noreturn]] void refuse(int code, Where where) const
    {
        QString cause;
        if (where == Where::Folder) {
            cause = folderCause(code, QFile::decodeName(folder));
        } else if (where == Where::File && (code == EACCES || code == EPERM)) {
            cause = old.st_uid == ::geteuid() && !(old.st_mode & S_IWUSR)
                ? QStringLiteral("plik jest tylko do odczytu")
                : QStringLiteral("brak uprawnień do zapisu tego pliku");
        } else {
            cause = saveFailureCause(code);
        }
        throw SaveError(saveSentence(path, cause), code);
    }

    void check()
    {
        int error = 0;
        target = followLinks(QFile::encodeName(path), error);
        folder = folderOf(QFile::encodeName(path));
        if (error)
            refuse(error, Where::Folder);
        folder = folderOf(target);
        if (::stat(target.constData(), &old) != 0) {
            if (errno != ENOENT)
                refuse(errno, Where::Folder);
            return; // a new file
        }
        existed = true;
        if (const QString kind = kindCause(old.st_mode); !kind.isEmpty())
            throw SaveError(saveSentence(path, kind), S_ISDIR(old.st_mode) ? EISDIR : 0);
        if (const QString copy = copyCause(target); !copy.isEmpty())
            throw SaveError(saveSentence(path, copy), 0);
        if (old.st_nlink > 1)
            throw SaveError(saveSentence(path,
                                         QStringLiteral("plik ma też inne nazwy (dowiązania twarde), które "
                                                        "po zapisie wskazywałyby starą treść")),
                            0);
        if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
            refuse(errno, Where::File);
        // An access list beyond the mode goes to the new file with it.
        if (::acl_extended_file(target.constData()) == 1) {
            acl = ::acl_get_file(target.constData(), ACL_TYPE_ACCESS);
            if (!acl)
                aclRefused(errno, "odczytać");
        }
    }

    [[noreturn]] void aclRefused(int code, const char* what) const
    {
        throw SaveError(saveSentence(path,
                                     QStringLiteral("nie można %1 listy uprawnień (ACL) pliku: %2")
                                         .arg(QLatin1String(what), saveFailureCause(code))),
                        code);
    }

    void open(Start start)
    {
        const QByteArray prefix = tempPrefix(target);
        removeStale(folder, prefix);
        const QByteArray base = folder == "/" ? folder : folder + '/';
        // A cleaner of another save may take the new file between its making and its lock; a
        // file no longer under its name is left and another one made.
        for (int attempt = 0; fd < 0; ++attempt) {
            QByteArray name = base + prefix + QByteArray(kTempRandom, 'X') + kTempEnd;
            const int made = ::mkostemps(name.data(), int(sizeof kTempEnd - 1), O_CLOEXEC);
            if (made < 0)
                refuse(errno, Where::Folder);
            temp = name;
            while (::flock(made, LOCK_EX) != 0 && errno == EINTR) {}
            struct stat mine {};
            struct stat named {};
            if (::fstat(made, &mine) == 0 && ::stat(name.constData(), &named) == 0 && sameFile(mine, named)) {
                fd = made;
            } else {
                ::close(made);
                temp.clear();
                if (attempt == 5)
                    refuse(EAGAIN, Where::Content);
            }
        }
        if (start == Start::OldContent && existed)
            copyOld();
        device.setFileName(QFile::decodeName(temp));
        struct stat mine {};
        struct stat opened {};
        if (!device.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered) || ::fstat(fd, &mine) != 0
            || ::fstat(int(device.handle()), &opened) != 0 || !sameFile(mine, opened))
            refuse(EAGAIN, Where::Content);
    }

    void copyOld()
    {
        const int in = ::open(target.constData(), O_RDONLY | O_CLOEXEC);
        if (in < 0)
            refuse(errno, Where::File);
        const int error = copyContent(in, fd);
        ::close(in);
        if (error)
            refuse(error, Where::Content);
    }

    // The old file's owner, group, mode and access list on the new one. False when the owner or
    // the group cannot be given to it: the file is then saved in place.
    bool keepAttributes()
    {
        if (!existed) {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(fd, 0666 & ~mask);
            return true;
        }
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            return false;
        ::fchmod(fd, old.st_mode & 07777);
        if (acl && ::acl_set_fd(fd, acl) != 0)
            aclRefused(errno, "nadać nowej treści");
        return true;
    }

    // The new content written into the file itself, which keeps its owner, group, mode and
    // access list. The old content is first copied beside it, complete and on the disk, under
    // the copy's name; the copy goes once the file holds the new content on the disk. A failure
    // on the way puts the old content back (a disk too full for the new content is found
    // before the file is touched).
    void saveInPlace()
    {
        // The copy: made as a temporary file (which a killed save leaves to the next save's
        // cleaner) and named only when whole, locked for as long as this save runs.
        const QByteArray prefix = tempPrefix(target);
        QByteArray made = besideIn(folder, prefix + QByteArray(kTempRandom, 'X') + kTempEnd);
        const int copy = ::mkostemps(made.data(), int(sizeof kTempEnd - 1), O_CLOEXEC);
        if (copy < 0)
            refuse(errno, Where::Folder);
        struct Held {
            int fd;
            QByteArray name;
            ~Held()
            {
                if (!name.isEmpty())
                    ::unlink(name.constData());
                ::close(fd);
            }
        } held{copy, made};
        while (::flock(copy, LOCK_EX) != 0 && errno == EINTR) {}
        // Those who may read the file may read the copy, and nobody else.
        if (::fchown(copy, uid_t(-1), old.st_gid) != 0 || ::fchmod(copy, old.st_mode & 0777) != 0
            || (acl && ::acl_set_fd(copy, acl) != 0)) {
            ::fchmod(copy, 0600); // the saver's alone, then
        }
        const int out = ::open(target.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
        if (out < 0)
            refuse(errno, Where::File);
        struct Closed {
            int fd;
            ~Closed() { ::close(fd); }
        } closed{out};
        struct stat now {};
        if (::fstat(out, &now) != 0 || !sameFile(now, old) || now.st_nlink > 1)
            throw SaveError(saveSentence(path, QStringLiteral("plik został w tym czasie zastąpiony innym")), 0);
        if (int error = copyContent(out, copy); error || ::fsync(copy) != 0)
            refuse(causeOf(error ? error : errno, copy), Where::Content);
        const QByteArray copyName = besideIn(folder, prefix + kCopyEnd);
        if (::renameat2(AT_FDCWD, made.constData(), AT_FDCWD, copyName.constData(), RENAME_NOREPLACE) != 0)
            refuse(errno, Where::Folder);
        held.name = copyName;
        syncFolder();

        struct stat fresh {};
        if (::fstat(fd, &fresh) != 0)
            fail(errno);
        const off_t oldSize = now.st_size;
        if (fresh.st_size > oldSize) {
            if (const int error = ::posix_fallocate(out, 0, fresh.st_size)) {
                if (::ftruncate(out, oldSize) != 0) {}
                refuse(causeOf(error, out), Where::Content);
            }
        }
        int error = 0;
        if (::lseek(fd, 0, SEEK_SET) != 0 || ::lseek(out, 0, SEEK_SET) != 0)
            error = errno;
        if (!error)
            error = copyContent(fd, out);
        if (!error && (::ftruncate(out, fresh.st_size) != 0 || ::fsync(out) != 0))
            error = errno;
        if (error) {
            // The old content back from the copy; where even that fails the copy stays, and the
            // message says where it is.
            const bool restored = ::lseek(copy, 0, SEEK_SET) == 0 && ::lseek(out, 0, SEEK_SET) == 0
                && copyContent(copy, out) == 0 && ::ftruncate(out, oldSize) == 0 && ::fsync(out) == 0;
            if (!restored) {
                held.name.clear();
                throw SaveError(saveSentence(path,
                                             saveFailureCause(causeOf(error, out))
                                                 + QStringLiteral("; plik może być niepełny, jego poprzednia "
                                                                  "treść jest w pliku %1")
                                                       .arg(QFile::decodeName(copyName))),
                                error);
            }
            refuse(causeOf(error, out), Where::Content);
        }
        // Done: the copy goes (Held), and the temporary file with the new content.
        ::unlink(temp.constData());
    }

    void syncFolder() const
    {
        // A file system that cannot sync a folder has the content in place all the same.
        const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }

    [[noreturn]] void fail(int code) const { refuse(causeOf(code, fd), Where::Content); }
};

FileReplacement::FileReplacement(const QString& path, Start start) : d_(std::make_unique<Private>())
{
    d_->path = path;
    if (path.isEmpty())
        throw SaveError(saveSentence(path, QStringLiteral("brak nazwy pliku")), ENOENT);
    d_->check();
    d_->open(start);
}

FileReplacement::~FileReplacement() = default;

QIODevice& FileReplacement::device() { return d_->device; }

int FileReplacement::handle() const { return d_->fd; }

QString FileReplacement::temporaryPath() const { return QFile::decodeName(d_->temp); }

int FileReplacement::lastWriteError() const { return d_->device.error; }

void FileReplacement::commit()
{
    if (d_->committed)
        return;
    const bool kept = d_->keepAttributes();
    if (::fsync(d_->fd) != 0)
        fail(errno);
    if (!kept) {
        d_->saveInPlace();
        d_->committed = true;
        d_->device.close();
        return;
    }
    if (::rename(d_->temp.constData(), d_->target.constData()) != 0)
        d_->refuse(errno, Where::Folder);
    d_->committed = true;
    d_->device.close();
    d_->syncFolder(); // the new name reaches the disk too
}

void FileReplacement::fail(int code) const { d_->fail(code); }

void FileReplacement::replace(const QString& path, const QByteArray& bytes)
{
    FileReplacement r(path);
    if (r.device().write(bytes) != bytes.size())
        r.fail(r.lastWriteError());
    r.commit();
}

} // namespace sys
