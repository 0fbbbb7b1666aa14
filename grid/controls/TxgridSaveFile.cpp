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

namespace {

// Whether Message names FileName: the name standing whole, not as a part of a longer word.
bool namesFile(const QString& Message, const QString& FileName)
{
    static const QString kBefore = QStringLiteral("\"„(«"), kAfter = QStringLiteral(":.,;)\"”»");
    for (qsizetype at = Message.indexOf(FileName); at >= 0; at = Message.indexOf(FileName, at + 1)) {
        const qsizetype end = at + FileName.size();
        if ((at == 0 || Message.at(at - 1).isSpace() || kBefore.contains(Message.at(at - 1)))
            && (end == Message.size() || Message.at(end).isSpace() || kAfter.contains(Message.at(end))))
            return true;
    }
    return false;
}

} // namespace

QString SaveRefusal(const QString& FileName, const QString& Message)
{
    if (FileName.isEmpty() || namesFile(Message, FileName))
        return Message;
    // The sentence becomes the cause: its first letter small (not that of a word in capitals),
    // its full stop left to the whole.
    QString cause = Message.trimmed();
    if (cause.endsWith(QLatin1Char('.')))
        cause.chop(1);
    if (cause.size() > 1 && cause.at(0).isUpper() && !cause.at(1).isUpper())
        cause[0] = cause.at(0).toLower();
    return sys::saveSentence(FileName, cause);
}

void TSaveFile::Write(const QString& FileName, const QByteArray& Bytes)
{
    TSaveFile f(FileName);
    if (f.Device().write(Bytes) != Bytes.size())
        f.Fail(f.LastWriteError());
    f.Commit();
}

} // namespace grid
