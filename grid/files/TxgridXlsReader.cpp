// .xls files are read in the helper program txgrid-xls (grid/xls/), a process of its own under
// memory, processor-time and wall-clock limits: libgsf opens the compound file and the helper
// reads the workbook stream's records, and a fault of either on a damaged file can only end
// its own process. The sheets and cells come back through a pipe in the helper's small
// format (grid/xls/TxgridBiff.h), read here under the workbook limits.
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridWorkbook.h"
#include "grid/xls/TxgridBiff.h"
#include "grid/xls/TxgridCompound.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace grid {

namespace {

constexpr rlim_t kHelperMemory = rlim_t(1) << 30; // address space of the helper
constexpr rlim_t kHelperCpuSeconds = 20;
constexpr qint64 kMaxOutput = qint64(128) << 20;

struct THelperSettings {
    QString Program; // empty: beside the library
    int TimeoutMs = 30000;
};

THelperSettings& settings()
{
    static THelperSettings s;
    return s;
}

// The folder the library was loaded from: the helper is installed beside it. The loader
// keeps the path the library was loaded by, which may be relative to the working folder of
// that moment: it is made absolute once, as the library loads, before the folder can change.
QString libraryFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ReadWorkbook), &info) && info.dli_fname)
        return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
    return QString();
}
const QString kLibraryFolder = libraryFolder();

QString helperFailed(const QString& FileName, const QString& Why)
{
    return QStringLiteral("Nie udało się odczytać pliku %1: %2").arg(FileName, Why);
}

QString timeoutMessage()
{
    return QStringLiteral("czytanie trwało dłużej niż %1 s; plik jest uszkodzony lub za duży.")
        .arg(settings().TimeoutMs / 1000.0);
}

// Runs the helper on FileName; its whole output (at most kMaxOutput) and its exit status.
QByteArray runHelper(const QString& FileName, int& Status)
{
    const QByteArray program = QFile::encodeName(XlsHelperProgram());
    const QByteArray file = QFile::encodeName(QFileInfo(FileName).absoluteFilePath());
    if (!QFileInfo(QFile::decodeName(program)).isExecutable())
        throw ETxGridError(helperFailed(
            FileName, QStringLiteral("brak programu czytającego pliki .xls (%1).").arg(QFile::decodeName(program))));
    char* const argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(file.constData()), nullptr};
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw ETxGridError(
            helperFailed(FileName, QStringLiteral("nie można uruchomić programu czytającego pliki .xls.")));
    const pid_t pid = fork();
    if (pid == 0) {
        // Only calls safe between fork and exec in a process with threads.
        dup2(fds[1], STDOUT_FILENO);
        const int none = open("/dev/null", O_RDONLY);
        if (none >= 0)
            dup2(none, STDIN_FILENO);
        rlimit cpu{kHelperCpuSeconds, kHelperCpuSeconds + 1}, zero{0, 0};
        setrlimit(RLIMIT_CPU, &cpu);
        setrlimit(RLIMIT_CORE, &zero);
        setrlimit(RLIMIT_FSIZE, &zero);
#if !defined(__SANITIZE_ADDRESS__) // the sanitizer's shadow memory needs an unlimited address space
        rlimit mem{kHelperMemory, kHelperMemory};
        setrlimit(RLIMIT_AS, &mem);
#endif
        execv(argv[0], argv);
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        throw ETxGridError(
            helperFailed(FileName, QStringLiteral("nie można uruchomić programu czytającego pliki .xls.")));
    }
    QByteArray out;
    QString failure;
    QElapsedTimer clock;
    clock.start();
    char buf[65536];
    for (;;) {
        const qint64 left = settings().TimeoutMs - clock.elapsed();
        if (left <= 0) {
            failure = timeoutMessage();
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            continue; // the clock decides
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (out.size() + n > kMaxOutput) {
            failure = QStringLiteral("plik daje więcej niż %1 MiB komórek.").arg(kMaxOutput >> 20);
            break;
        }
        out.append(buf, qsizetype(n));
    }
    close(fds[0]);
    // A helper that has closed its output may still be running: the clock goes on until it
    // has ended.
    for (int pause = 1; failure.isEmpty();) {
        const pid_t done = waitpid(pid, &Status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return out;
        if (clock.elapsed() >= settings().TimeoutMs) {
            failure = timeoutMessage();
            break;
        }
        const timespec nap{0, long(std::min<qint64>(pause, settings().TimeoutMs - clock.elapsed())) * 1000000L};
        nanosleep(&nap, nullptr);
        pause = std::min(pause * 2, 50);
    }
    kill(pid, SIGKILL);
    while (waitpid(pid, &Status, 0) < 0 && errno == EINTR) {}
    throw ETxGridError(helperFailed(FileName, failure));
}

// Reads the helper's records, each length checked against what is left and the limits.
class TRecords {
public:
    TRecords(const QByteArray& Data, const QString& FileName) : FData(Data), FFileName(FileName) {}
    bool AtEnd() const { return FPos >= FData.size(); }
    char Byte()
    {
        Need(1);
        return FData[FPos++];
    }
    quint32 U32()
    {
        Need(4);
        const auto* b = reinterpret_cast<const unsigned char*>(FData.constData() + FPos);
        FPos += 4;
        return quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24;
    }
    double F64()
    {
        Need(8);
        double v;
        std::memcpy(&v, FData.constData() + FPos, 8);
        FPos += 8;
        return v;
    }
    QString Text()
    {
        const quint32 n = U32();
        Need(n);
        const QString s = QString::fromUtf8(FData.constData() + FPos, qsizetype(n));
        FPos += n;
        return s;
    }
    void Need(qint64 N)
    {
        if (N > FData.size() - FPos)
            Corrupt(FFileName);
    }

private:
    const QByteArray& FData;
    const QString& FFileName;
    qint64 FPos = 0;
};

} // namespace

void SetXlsHelperProgram(const QString& Path, int TimeoutMs)
{
    settings().Program = Path;
    settings().TimeoutMs = TimeoutMs;
}

QString XlsHelperProgram()
{
    return settings().Program.isEmpty() ? kLibraryFolder + QStringLiteral("/txgrid-xls") : settings().Program;
}

TOfficeWorkbook ReadXlsInHelper(const QString& FileName)
{
    int status = 0;
    const QByteArray out = runHelper(FileName, status);
    // Stopped at its processor-time limit: SIGXCPU at the soft limit, SIGKILL at the hard one.
    if (WIFSIGNALED(status) && (WTERMSIG(status) == SIGXCPU || WTERMSIG(status) == SIGKILL))
        throw ETxGridError(helperFailed(FileName,
                                        QStringLiteral("czytanie przekroczyło limit %1 s czasu procesora; plik "
                                                       "jest uszkodzony lub za duży.")
                                            .arg(kHelperCpuSeconds)));
    if (WIFSIGNALED(status))
        throw ETxGridError(
            helperFailed(FileName,
                         QStringLiteral("program czytający pliki .xls przerwał pracę (sygnał %1); plik jest uszkodzony "
                                        "lub nietypowy.")
                             .arg(WTERMSIG(status))));
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 2)
        Corrupt(FileName);
    if (WEXITSTATUS(status) == 5)
        throw ETxGridError(helperFailed(FileName,
                                        QStringLiteral("czytanie przekroczyło limit %1 MiB pamięci; plik jest "
                                                       "uszkodzony lub za duży.")
                                            .arg(GroupedNumber(qint64(kHelperMemory >> 20)))));
    if (WEXITSTATUS(status) == 6)
        TooManyCells(FileName); // as the .xlsx reader refuses such a table
    if (WEXITSTATUS(status) == 7 || WEXITSTATUS(status) == 8)
        throw ETxGridError(
            helperFailed(FileName,
                         WEXITSTATUS(status) == 7
                             ? QStringLiteral("katalog pliku złożonego sięga głębiej niż %1 poziomów; plik jest "
                                              "uszkodzony lub nietypowy.")
                                   .arg(GroupedNumber(xls::kCompoundMaxDepth))
                             : QStringLiteral("katalog pliku złożonego zapętla się; plik jest uszkodzony.")));
    if (WEXITSTATUS(status) == 4)
        throw ETxGridError(helperFailed(
            FileName, QStringLiteral("skoroszyt jest chroniony hasłem; zapisz go bez hasła i wczytaj ponownie.")));
    if (WEXITSTATUS(status) != 0)
        throw ETxGridError(helperFailed(
            FileName,
            QStringLiteral("program czytający pliki .xls zakończył się błędem %1.").arg(WEXITSTATUS(status))));
    static_assert(xls::kBiffMaxStrings == kWorkbookMaxCells);
    TReadBudget budget{FileName};
    TOfficeWorkbook book;
    TSheetFiller fill;
    TRecords in(out, FileName);
    auto place = [&](quint32& Row, quint32& Col) {
        Row = in.U32();
        Col = in.U32();
        if (book.Sheets.empty() || Row >= 1048576 || Col >= 16384)
            Corrupt(FileName);
    };
    quint32 active = 0;
    for (;;) {
        const char kind = in.Byte();
        quint32 row = 0, col = 0;
        if (kind == 'E' && in.AtEnd()) {
            fill.Finish();
            book.ActiveSheet = active < book.Sheets.size() ? int(active) : 0;
            return book;
        }
        if (kind == 'A') {
            active = in.U32();
        } else if (kind == 'S' && book.Sheets.size() < 4096) {
            fill.Finish(); // before the vector moves its sheets
            book.Sheets.emplace_back();
            book.Sheets.back().Name = in.Text();
            fill.Start(book.Sheets.back());
        } else if (kind == 'R') {
            quint32 row2 = 0, col2 = 0;
            place(row, col);
            place(row2, col2);
            if (row2 < row || col2 < col)
                Corrupt(FileName);
            book.Sheets.back().Declared = {int(row), int(col), int(row2), int(col2)};
        } else if (kind == 'U') {
            // A value left out would leave a hole, or with the sheet's range, a wrong cell.
            place(row, col);
            throw ETxGridError(
                helperFailed(FileName,
                             QStringLiteral("wartości komórki %1%2 arkusza \"%3\" nie da się odczytać; plik jest "
                                            "uszkodzony lub nietypowy.")
                                 .arg(ColumnLetters(int(col) + 1))
                                 .arg(row + 1)
                                 .arg(book.Sheets.back().Name)));
        } else if (kind == 'C') {
            place(row, col);
            TOfficeValue v;
            const char type = in.Byte();
            if (type == 'N') {
                v.Kind = TOfficeValue::ovNumber;
                v.Number = in.F64();
            } else if (type == 'T') {
                v.Kind = TOfficeValue::ovText;
                v.Text = in.Text();
                budget.AddText(v.Text.size());
            } else if (type == 'B') {
                v.Kind = TOfficeValue::ovBool;
                v.Number = in.Byte() != 0;
            } else if (type == 'X') {
                v.Kind = TOfficeValue::ovError;
            } else {
                Corrupt(FileName);
            }
            budget.AddCell();
            fill.Add(int(row), int(col), std::move(v));
        } else {
            Corrupt(FileName);
        }
    }
}

} // namespace grid
