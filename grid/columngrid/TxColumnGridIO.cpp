// The column set format (see TxColumnGridIO.h) and the column grid's stream and file methods.
#include "grid/columngrid/TxColumnGridIO.h"

#include "grid/controls/TxgridError.h"
#include "grid/controls/TxgridSaveFile.h"
#include "grid/files/TxgridFiles.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <type_traits>

namespace grid {

namespace {

constexpr char kMark[4] = {'T', 'X', 'C', 'G'};
constexpr quint32 kMaxPayload = 64u * 1024u * 1024u;

// --- one value each way --------------------------------------------------------------------

void Put(QDataStream& s, const QString& v) { s << v; }
void Put(QDataStream& s, const QStringList& v) { s << v; }
void Put(QDataStream& s, int v) { s << qint32(v); }
void Put(QDataStream& s, unsigned v) { s << quint32(v); }
void Put(QDataStream& s, bool v) { s << v; }
template <class E>
requires std::is_enum_v<E>
void Put(QDataStream& s, E v) { s << qint32(v); }
void Put(QDataStream& s, const ui::Font& f)
{
    s << f.name << qint32(f.size) << quint32(f.color) << quint32(f.style) << qint32(f.orientation);
}
void Put(QDataStream& s, const ui::Pen& p) { s << quint32(p.color) << qint32(p.width) << qint32(p.style); }

// Each Get leaves the stream failed on a value it refuses.
void Refuse(QDataStream& s) { s.setStatus(QDataStream::ReadCorruptData); }

// The bytes of the payload not read yet.
qint64 Left(const QDataStream& s) { return s.device() ? s.device()->bytesAvailable() : 0; }

void Get(QDataStream& s, QString& v) { s >> v; }
// Each text of a list takes at least its 4-byte length, so a count that promises more texts
// than the bytes left could hold is refused before anything is allocated for them.
void Get(QDataStream& s, QStringList& v)
{
    v.clear();
    quint32 n = 0;
    s >> n;
    if (s.status() != QDataStream::Ok || qint64(n) * 4 > Left(s))
        return Refuse(s);
    v.reserve(n);
    for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
        QString t;
        s >> t;
        v << t;
    }
}
void Get(QDataStream& s, bool& v) { s >> v; }
void Get(QDataStream& s, unsigned& v)
{
    quint32 x = 0;
    s >> x;
    v = x;
}
void Get(QDataStream& s, int& v)
{
    qint32 x = 0;
    s >> x;
    v = x;
}
template <class E>
requires std::is_enum_v<E>
void Get(QDataStream& s, E& v)
{
    qint32 x = 0;
    s >> x;
    if (x < 0 || x > EnumLast(E{}))
        return Refuse(s);
    v = E(x);
}
void Get(QDataStream& s, ui::Font& f)
{
    qint32 size = 0, orientation = 0;
    quint32 color = 0, style = 0;
    s >> f.name >> size >> color >> style >> orientation;
    if (size < 0 || size > 1000 || style > (ui::fsBold | ui::fsItalic | ui::fsUnderline | ui::fsStrikeOut))
        return Refuse(s);
    f.size = size, f.color = color, f.style = style, f.orientation = orientation;
}
void Get(QDataStream& s, ui::Pen& p)
{
    quint32 color = 0;
    qint32 width = 0, style = 0;
    s >> color >> width >> style;
    if (width < 0 || width > 1000 || style < Qt::NoPen || style > Qt::CustomDashLine)
        return Refuse(s);
    p.color = color, p.width = width, p.style = Qt::PenStyle(style);
}

// Whether an item read holds only values the grid can use: pixel sizes and the edit length
// not negative nor absurdly large (a negative width would hide the column), a spin range
// that is not reversed and a step above zero.
bool InRange(const TGridColumnItem& I)
{
    constexpr int kMaxPixels = 32767, kMaxLength = 1'000'000;
    auto pixels = [](int v) { return v >= 0 && v <= kMaxPixels; };
    return pixels(I.Width()) && pixels(I.MinSize) && pixels(I.MaxSize) && pixels(I.AutoMinSize) && pixels(I.AutoMaxSize)
        && I.EditLength >= 0 && I.EditLength <= kMaxLength && I.SpinMin <= I.SpinMax && I.SpinStep > 0;
}

void WriteAll(QIODevice& Device, const QByteArray& Bytes)
{
    if (Device.write(Bytes) != Bytes.size())
        throw EInOutError(QStringLiteral("Cannot write the column set: ") + Device.errorString());
}

} // namespace

// --- TTxColumnGridIO -----------------------------------------------------------------------

void TTxColumnGridIO::Write(QIODevice& Device, quint16 Version) const
{
    if (Version < 1 || Version > kVersion)
        throw ETxGridError(QStringLiteral("Unknown column set version ") + QString::number(Version));
    QByteArray payload;
    {
        QDataStream s(&payload, QIODevice::WriteOnly);
        s.setVersion(QDataStream::Qt_6_0);
        s << quint32(Items.Count());
        for (int i = 0; i < Items.Count(); ++i) {
            const TGridColumnItem& item = *Items.Items(i);
            TGridColumnItem::Fields(Version, [&](auto Member) { Put(s, item.*Member); });
        }
    }
    QByteArray head(kMark, sizeof kMark);
    QByteArray tail;
    {
        QDataStream h(&head, QIODevice::Append);
        h << Version << quint32(payload.size());
        QDataStream t(&tail, QIODevice::WriteOnly);
        t << quint16(qChecksum(payload));
    }
    WriteAll(Device, head + payload + tail);
}

void TTxColumnGridIO::Read(QIODevice& Device, const QString& Message)
{
    const QByteArray head = Device.read(sizeof kMark + 6);
    if (head.size() != qsizetype(sizeof kMark + 6) || !head.startsWith(QByteArray(kMark, sizeof kMark)))
        throw ETxGridError(Message);
    quint16 version = 0;
    quint32 length = 0;
    {
        QDataStream h(head.mid(sizeof kMark));
        h >> version >> length;
    }
    if (version < 1 || version > kVersion || length > kMaxPayload)
        throw ETxGridError(Message);
    const QByteArray payload = Device.read(length);
    const QByteArray tail = Device.read(2);
    if (payload.size() != qsizetype(length) || tail.size() != 2
        || quint16((uchar(tail[0]) << 8) | uchar(tail[1])) != qChecksum(payload))
        throw ETxGridError(Message);

    // Read into a collection of its own: Items change only when everything was read.
    TGridColumnCollection read(Items.Grid(), false);
    QDataStream s(payload);
    s.setVersion(QDataStream::Qt_6_0);
    quint32 count = 0;
    s >> count;
    if (count > quint32(kMaxItems) || count > Left(s))
        throw ETxGridError(Message);
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        TGridColumnItem& item = *read.Add();
        TGridColumnItem::Fields(version, [&](auto Member) { Get(s, item.*Member); });
        if (!InRange(item))
            Refuse(s);
    }
    if (s.status() != QDataStream::Ok || !s.atEnd())
        throw ETxGridError(Message);
    Items.Assign(read);
}

// --- the grid's side ------------------------------------------------------------------------

void TTxColumnGrid::SaveColumnsToStream(QIODevice& Stream)
{
    TTxColumnGridIO io(this);
    io.Items.Assign(*FColumns);
    io.Write(Stream);
}

void TTxColumnGrid::LoadColumnsFromStream(QIODevice& Stream)
{
    ReadColumns(Stream, QStringLiteral("File contains no data or corrupt file"));
}

void TTxColumnGrid::ReadColumns(QIODevice& Stream, const QString& Message)
{
    TTxColumnGridIO io(this);
    io.Read(Stream, Message);
    {
        // The columns take the set as it came; the column count stays.
        TColumnUpdateHold hold(*FColumns);
        FColumns->Assign(io.Items);
    }
    Invalidate();
}

void TTxColumnGrid::SaveColumnsToFile(const QString& FileName)
{
    // A column set is small: made whole first, so that a failure names the file and its cause.
    SavingFile(FileName, [&] {
        QBuffer bytes;
        bytes.open(QIODevice::WriteOnly);
        SaveColumnsToStream(bytes);
        TSaveFile::Write(FileName, bytes.data());
    });
}

void TTxColumnGrid::LoadColumnsFromFile(const QString& FileName)
{
    QFile f(FileName);
    files::OpenForReading(f, QStringLiteral("Cannot open file "));
    ReadColumns(f, QStringLiteral("File contains no data or corrupt file ") + FileName);
}

} // namespace grid
