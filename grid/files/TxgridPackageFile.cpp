#include "grid/files/TxgridPackageFile.h"

#include "grid/controls/TxgridSaveFile.h"
#include "grid/files/TxgridWorkbook.h"
#include "platform/system/FileReplacement.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

namespace grid {

struct TPackageFile::TState {
    explicit TState(const QString& FileName) : Save(FileName) { zip_error_init(&Error); }
    ~TState()
    {
        zip_error_fini(&Error);
        if (In >= 0)
            ::close(In);
    }
    TSaveFile Save;
    int In = -1; // the file as it is
    zip_uint64_t Size = 0, Offset = 0;
    time_t MTime = 0;
    zip_error_t Error;
    bool Written = false; // a new package is complete in the temporary file

    zip_int64_t Failed(int Kind, int Code)
    {
        zip_error_set(&Error, Kind, Code);
        return -1;
    }
    zip_int64_t Read(void* Data, zip_uint64_t Len)
    {
        for (;;) {
            const ssize_t n = ::pread(In, Data, Len, off_t(Offset));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return Failed(ZIP_ER_READ, errno);
            Offset += zip_uint64_t(n);
            return n;
        }
    }
    zip_int64_t Write(const void* Data, zip_uint64_t Len)
    {
        const int fd = Save.Replacement().handle();
        for (zip_uint64_t done = 0; done < Len;) {
            const ssize_t n = ::write(fd, static_cast<const char*>(Data) + done, Len - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return Failed(ZIP_ER_WRITE, n < 0 ? errno : ENOSPC);
            done += zip_uint64_t(n);
        }
        return zip_int64_t(Len);
    }
    zip_int64_t Command(void* Data, zip_uint64_t Len, zip_source_cmd_t Cmd)
    {
        const int out = Save.Replacement().handle();
        switch (Cmd) {
        case ZIP_SOURCE_OPEN: Offset = 0; return 0;
        case ZIP_SOURCE_READ: return Read(Data, Len);
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE: return 0;
        case ZIP_SOURCE_STAT: {
            auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, Data, Len, &Error);
            if (!st)
                return -1;
            zip_stat_init(st);
            st->size = Size;
            st->mtime = MTime;
            st->valid |= ZIP_STAT_SIZE | ZIP_STAT_MTIME;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR: return zip_error_to_data(&Error, Data, Len);
        case ZIP_SOURCE_SEEK: {
            const zip_int64_t to = zip_source_seek_compute_offset(Offset, Size, Data, Len, &Error);
            if (to < 0)
                return -1;
            Offset = zip_uint64_t(to);
            return 0;
        }
        case ZIP_SOURCE_TELL: return zip_int64_t(Offset);
        // The new package goes into the save's temporary file, from its start.
        case ZIP_SOURCE_BEGIN_WRITE:
            if (::ftruncate(out, 0) != 0 || ::lseek(out, 0, SEEK_SET) != 0)
                return Failed(ZIP_ER_WRITE, errno);
            Written = false;
            return 0;
        case ZIP_SOURCE_WRITE: return Write(Data, Len);
        case ZIP_SOURCE_SEEK_WRITE: {
            auto* args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, Data, Len, &Error);
            if (!args)
                return -1;
            return ::lseek(out, off_t(args->offset), args->whence) < 0 ? Failed(ZIP_ER_SEEK, errno) : 0;
        }
        case ZIP_SOURCE_TELL_WRITE: {
            const off_t at = ::lseek(out, 0, SEEK_CUR);
            return at < 0 ? Failed(ZIP_ER_TELL, errno) : zip_int64_t(at);
        }
        // Put in the file's place by Close, once libzip is done with the old file.
        case ZIP_SOURCE_COMMIT_WRITE: Written = true; return 0;
        case ZIP_SOURCE_ROLLBACK_WRITE: Written = false; return 0;
        case ZIP_SOURCE_SUPPORTS: return ZIP_SOURCE_SUPPORTS_WRITABLE;
        default: return Failed(ZIP_ER_OPNOTSUPP, 0); // a package is never removed (REMOVE)
        }
    }
};

namespace {

zip_int64_t packageCommand(void* State, void* Data, zip_uint64_t Len, zip_source_cmd_t Cmd)
{
    return static_cast<TPackageFile::TState*>(State)->Command(Data, Len, Cmd);
}

} // namespace

TPackageFile::TPackageFile(const QString& FileName) : FState(std::make_unique<TState>(FileName))
{
    struct stat st {};
    FState->In = ::open(QFile::encodeName(FileName).constData(), O_RDONLY | O_CLOEXEC);
    if (FState->In < 0 || ::fstat(FState->In, &st) != 0)
        Corrupt(FileName);
    FState->Size = zip_uint64_t(st.st_size);
    FState->MTime = st.st_mtime;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* src = zip_source_function_create(packageCommand, FState.get(), &error);
    if (src)
        FZip = zip_open_from_source(src, 0, &error);
    zip_error_fini(&error);
    if (!FZip) {
        zip_source_free(src);
        Corrupt(FileName);
    }
}

TPackageFile::~TPackageFile()
{
    if (FZip)
        zip_discard(FZip);
}

void TPackageFile::Close()
{
    if (zip_close(FZip) != 0) {
        const zip_error_t* e = zip_get_error(FZip);
        FState->Save.Fail(zip_error_system_type(e) == ZIP_ET_SYS ? zip_error_code_system(e) : 0);
    }
    FZip = nullptr;
    if (FState->Written)
        FState->Save.Commit();
}

} // namespace grid
