#pragma once
// An .xlsx package opened with libzip for a save into it: libzip reads the file as it is and,
// when the package is closed, writes the new package through TSaveFile (the temporary file
// beside the real one, refusals and causes as every save of the grid has them) instead of a
// temporary file of its own.
#include <QString>

#include <memory>

typedef struct zip zip_t;

namespace grid {

class TPackageFile {
public:
    // ETxGridError when the file may not be saved or is no package.
    explicit TPackageFile(const QString& FileName);
    ~TPackageFile(); // not closed: the file stays as it was
    TPackageFile(const TPackageFile&) = delete;
    TPackageFile& operator=(const TPackageFile&) = delete;

    zip_t* Z() const { return FZip; }
    // Writes the changed package in the file's place; ETxGridError saying why when it cannot.
    void Close();

    struct TState;

private:
    std::unique_ptr<TState> FState;
    zip_t* FZip = nullptr;
};

} // namespace grid
