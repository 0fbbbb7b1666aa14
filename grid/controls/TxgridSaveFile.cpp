#include "grid/controls/TxgridSaveFile.h"

#include "grid/controls/TxgridError.h"
#include "platform/system/FileReplacement.h"

#include <QIODevice>

namespace grid {

TSaveFile::TSaveFile(const QString& FileName, bool Append)
{
    try {
        FFile = std::make_unique<sys::FileReplacement>(
            FileName, Append ? sys::FileReplacement::Start::OldContent : sys::FileReplacement::Start::Empty);
    } catch (const sys::SaveError& e) {
        throw ETxGridError(e.message());
    }
}

TSaveFile::~TSaveFile() = default;

QIODevice& TSaveFile::Device() { return FFile->device(); }

int TSaveFile::LastWriteError() const { return FFile->lastWriteError(); }

void TSaveFile::Commit()
{
    try {
        FFile->commit();
    } catch (const sys::SaveError& e) {
        throw ETxGridError(e.message());
    }
}

void TSaveFile::Fail(int Code) const
{
    try {
        FFile->fail(Code);
    } catch (const sys::SaveError& e) {
        throw ETxGridError(e.message());
    }
}

void CheckFileKind(const QString& FileName, bool Saving)
{
    const QString refusal = Saving ? sys::saveRefusal(FileName) : sys::readRefusal(FileName);
    if (!refusal.isEmpty())
        throw ETxGridError(refusal);
}

void TSaveFile::Write(const QString& FileName, const QByteArray& Bytes)
{
    TSaveFile f(FileName);
    if (f.Device().write(Bytes) != Bytes.size())
        f.Fail(f.LastWriteError());
    f.Commit();
}

} // namespace grid
