#pragma once
// Parts of a test that run in a child process: as a user who is not root (root's rights
// override a file's permissions, and the tests and CI run as root), in a mount namespace of its
// own (a tiny file system), or to be killed in the middle of its work.
//
// The child's work returns a report: empty when all was as expected, otherwise what was not, or
// "SKIP: why" when the child could not set itself up. A child that crashes reports how it ended.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sched.h>
#include <unistd.h>

namespace child {

// The unprivileged user the tests become: ids with no account behind them, so that nothing on
// the machine is theirs; Group is a second group the user belongs to.
inline constexpr uid_t User = 4242;
inline constexpr gid_t UserGroup = 4242;
inline constexpr gid_t Group = 4243;
// A colleague of the user's: another owner, whose files the user reaches through Group.
inline constexpr uid_t Colleague = User + 2;

inline bool isRoot() { return ::geteuid() == 0; }

// Runs Work in a forked child and returns its report.
inline std::string run(const std::function<std::string()>& Work)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "pipe failed";
    const pid_t pid = ::fork();
    if (pid < 0)
        return "fork failed";
    if (pid == 0) {
        ::close(pipeFds[0]);
        std::string report;
        try {
            report = Work();
        } catch (const std::exception& e) {
            report = std::string("exception: ") + e.what();
        }
        for (std::size_t done = 0; done < report.size();) {
            const ssize_t n = ::write(pipeFds[1], report.data() + done, report.size() - done);
            if (n <= 0)
                break;
            done += std::size_t(n);
        }
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string report;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0 || (n < 0 && errno == EINTR))
        if (n > 0)
            report.append(buf, std::size_t(n));
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFSIGNALED(status))
        report += "child ended by signal " + std::to_string(WTERMSIG(status));
    return report;
}

// Runs Work in a forked child and kills it after Us microseconds, wherever it is then, and
// waits for it to end. False when no child could be forked.
inline bool killAfter(useconds_t Us, const std::function<void()>& Work)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        try {
            Work();
        } catch (...) {}
        ::_exit(1);
    }
    ::usleep(Us);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return true;
}

// A folder of its own for the unprivileged user, where it may write: under /tmp, which every
// user can pass through whatever TMPDIR says.
inline QString makeUserFolder()
{
    char name[] = "/tmp/tarnex-test-XXXXXX";
    if (!::mkdtemp(name))
        return QString();
    if (isRoot() && ::chown(name, User, UserGroup) != 0)
        return QString();
    return QString::fromLocal8Bit(name);
}

// In the child: becomes the unprivileged user (in its two groups). Empty when done (or when the
// test does not run as root, as that user already is one), else "SKIP: why".
inline std::string becomeUser()
{
    if (!isRoot())
        return std::string();
    const gid_t groups[] = {UserGroup, Group};
    if (::setgroups(2, groups) != 0 || ::setgid(UserGroup) != 0 || ::setuid(User) != 0)
        return std::string("SKIP: cannot become an unprivileged user: ") + std::strerror(errno);
    return std::string();
}

// Work run in a child as the unprivileged user, in a folder of its own that the user may
// write (removed afterwards); its report.
inline std::string asUser(const std::function<std::string(const QString& Folder)>& Work)
{
    const QString folder = makeUserFolder();
    if (folder.isEmpty())
        return "cannot make a folder for the user";
    const std::string report = run([&] {
        const std::string skip = becomeUser();
        return skip.empty() ? Work(folder) : skip;
    });
    QDir(folder).removeRecursively();
    return report;
}

// Whether a child could not set itself up (its report is the reason).
inline bool skipped(const std::string& Report) { return Report.rfind("SKIP: ", 0) == 0; }

// The group the user may give a file besides its own: Group as root's tests make it, else the
// user's second group, or -1 when it has none.
inline gid_t secondGroup()
{
    if (::getuid() == User)
        return Group;
    gid_t groups[64];
    const int n = ::getgroups(64, groups);
    for (int i = 0; i < n; ++i)
        if (groups[i] != ::getegid())
            return groups[i];
    return gid_t(-1);
}

// In the child: a tmpfs of Size bytes mounted over Folder in a mount namespace of the child's
// own (gone with it). Empty when done, else "SKIP: why".
inline std::string mountTiny(const QString& Folder, const char* Size)
{
    if (!isRoot())
        return "SKIP: mounting a small file system needs root";
    const QByteArray at = QFile::encodeName(Folder);
    const std::string options = std::string("size=") + Size;
    if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
        || ::mount("tarnex-test", at.constData(), "tmpfs", 0, options.c_str()) != 0)
        return std::string("SKIP: cannot mount a small file system: ") + std::strerror(errno);
    return std::string();
}

// Work run in a forked child on a tmpfs of Size bytes over Folder (mountTiny); its report.
inline std::string onTinyDisk(const QString& Folder, const char* Size, const std::function<std::string()>& Work)
{
    return run([&] {
        const std::string skip = mountTiny(Folder, Size);
        return skip.empty() ? Work() : skip;
    });
}

// A colleague's file: File given to Colleague and Group, which may read and write it. False
// when it cannot be given.
inline bool giveToColleague(const QString& File)
{
    const QByteArray name = QFile::encodeName(File);
    return ::chown(name.constData(), Colleague, Group) == 0 && ::chmod(name.constData(), 0660) == 0;
}

// Fills the file system of Folder with the file "wypelnienie" in it, then gives back Leave
// bytes of it: so much room is left (to the page). Empty when done, else what failed.
inline std::string fillDisk(const QString& Folder, off_t Leave)
{
    const QByteArray name = QFile::encodeName(Folder + QStringLiteral("/wypelnienie"));
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::string("cannot make the filler: ") + std::strerror(errno);
    static const char block[4096] = {};
    off_t size = 0;
    for (ssize_t n; (n = ::write(fd, block, sizeof block)) > 0;)
        size += n;
    const bool ok = ::ftruncate(fd, size > Leave ? size - Leave : 0) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    return ok ? std::string() : std::string("cannot shorten the filler: ") + std::strerror(errno);
}

// In the child: the tmpfs over Folder made read-only.
inline std::string remountReadOnly(const QString& Folder)
{
    if (::mount(nullptr, QFile::encodeName(Folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return std::string("cannot remount read-only: ") + std::strerror(errno);
    return std::string();
}

} // namespace child
