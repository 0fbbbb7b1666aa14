// The pieces every exchange format of the grid shares: text coding, line reading and
// writing, opening files, whole numbers, store positions of columns and progress reports.
#include "grid/files/TxgridFiles.h"
#include "grid/controls/TxgridSaveFile.h"

#include "grid/core/Txgrid.h"
#include "grid/controls/TxgridError.h"
#include "grid/controls/TxgridLines.h"
#include "platform/codepage/Cp1250.h"

#include "grid/files/TxgridWorkbook.h"

#include <QFile>
#include <QIODevice>
#include <QStringDecoder>
#include <cmath>

namespace grid::files {

namespace {
constexpr qsizetype kBlock = 64 * 1024;
}

QByteArray Encode(const QString& Text, TTextCoding Coding)
{
    switch (Coding) {
    case tcBytes: return Text.toLatin1();
    case tcUtf8: return Text.toUtf8();
    case tcAnsi: break;
    }
    return text::toCp1250(Text);
}

QString Decode(const QByteArray& Bytes, TTextCoding Coding)
{
    switch (Coding) {
    case tcBytes: return QString::fromLatin1(Bytes);
    case tcUtf8: return QString::fromUtf8(Bytes);
    case tcAnsi: break;
    }
    return text::fromCp1250(Bytes);
}

// --- guessing the coding -------------------------------------------------------------------

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF");

// Checks bytes, block by block, for well-formed UTF-8: no stray continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF.
class TUtf8Check {
public:
    void Feed(const QByteArray& Bytes)
    {
        for (const char ch : Bytes) {
            if (!FValid)
                return;
            const auto b = uchar(ch);
            if (FNeed > 0) {
                if (b < FLow || b > FHigh) {
                    FValid = false;
                    return;
                }
                FLow = 0x80;
                FHigh = 0xBF;
                --FNeed;
                continue;
            }
            if (b < 0x80)
                continue;
            FBeyondAscii = true;
            Lead(b);
        }
    }
    bool Valid() const { return FValid; }
    // Valid and beyond ASCII; Cut allows the last sequence to be cut short (a first block).
    bool Utf8(bool Cut = false) const { return FValid && FBeyondAscii && (Cut || FNeed == 0); }

private:
    void Lead(uchar B)
    {
        FLow = 0x80;
        FHigh = 0xBF;
        if (B >= 0xC2 && B <= 0xDF)
            FNeed = 1;
        else if (B >= 0xE0 && B <= 0xEF) {
            FNeed = 2;
            if (B == 0xE0)
                FLow = 0xA0; // overlong below
            else if (B == 0xED)
                FHigh = 0x9F; // surrogates above
        } else if (B >= 0xF0 && B <= 0xF4) {
            FNeed = 3;
            if (B == 0xF0)
                FLow = 0x90;
            else if (B == 0xF4)
                FHigh = 0x8F;
        } else {
            FValid = false;
        }
    }
    int FNeed = 0;
    uchar FLow = 0x80, FHigh = 0xBF; // the range of the next continuation byte
    bool FValid = true;
    bool FBeyondAscii = false;
};

} // namespace

TTextCoding GuessCoding(const QByteArray& Bytes, TTextCoding Else)
{
    if (Bytes.startsWith(kUtf8Mark))
        return tcUtf8;
    TUtf8Check check;
    check.Feed(Bytes);
    return check.Utf8() ? tcUtf8 : Else;
}

QString DecodeGuessed(const QByteArray& Bytes, TTextCoding Else, TTextCoding* Used)
{
    const bool little = Bytes.startsWith("\xFF\xFE"), big = Bytes.startsWith("\xFE\xFF");
    if (little || big) {
        if (Used)
            *Used = tcUtf8;
        QStringDecoder utf16(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE,
                             QStringConverter::Flag::Stateless);
        return utf16(QByteArrayView(Bytes.constData() + 2, Bytes.size() - 2));
    }
    const TTextCoding coding = GuessCoding(Bytes, Else);
    if (Used)
        *Used = coding;
    if (Bytes.startsWith(kUtf8Mark))
        return QString::fromUtf8(Bytes.constData() + kUtf8Mark.size(), Bytes.size() - kUtf8Mark.size());
    return Decode(Bytes, coding);
}

TTextCoding GuessCoding(QIODevice& Device, TTextCoding Else)
{
    if (Device.peek(kUtf8Mark.size()) == kUtf8Mark) {
        Device.skip(kUtf8Mark.size());
        return tcUtf8;
    }
    TUtf8Check check;
    if (Device.isSequential()) {
        check.Feed(Device.peek(kBlock));
        return check.Utf8(true) ? tcUtf8 : Else;
    }
    const qint64 start = Device.pos();
    for (QByteArray block = Device.read(kBlock); !block.isEmpty() && check.Valid(); block = Device.read(kBlock))
        check.Feed(block);
    Device.seek(start);
    return check.Utf8() ? tcUtf8 : Else;
}

// --- TLineReader ---------------------------------------------------------------------------

bool TLineReader::Fill()
{
    if (FPos > 0) { // drop what was read already
        FBuffer.remove(0, FPos);
        FScanned -= std::min(FScanned, FPos);
        FPos = 0;
    }
    const QByteArray more = FDevice.read(kBlock);
    if (more.isEmpty()) {
        FDrained = true;
        return false;
    }
    FBuffer += more;
    return true;
}

bool TLineReader::AtEnd() { return FPos >= FBuffer.size() && !Fill(); }

bool TLineReader::ReadLine(QByteArray& Line)
{
    if (AtEnd())
        return false;
    for (;;) {
        // The search goes on where it stopped: a long line read block by block is scanned
        // once, not again from its start after every block.
        qsizetype next = 0;
        const qsizetype end = FindLineEnd(FBuffer, std::max(FPos, FScanned), next);
        // A line runs on past the bytes read so far, and a CR read last may have its LF still
        // to come.
        const bool open = end == FBuffer.size() || (next == FBuffer.size() && FBuffer.at(end) == '\r');
        if (open && !FDrained) {
            FScanned = end;
            Fill(); // more bytes, or the device drained; the line is searched again either way
            continue;
        }
        Line = FBuffer.mid(FPos, end - FPos);
        FPos = next;
        FScanned = next;
        return true;
    }
}

// --- TLineWriter ---------------------------------------------------------------------------

TLineWriter::TLineWriter(QIODevice& Device, TTextCoding Coding, const QString& Name)
    : FDevice(Device), FCoding(Coding), FName(Name), FHolding(Coding == tcAnsi)
{
    // Lines added to a file: its coding so far decides.
    auto* file = qobject_cast<QFile*>(&Device);
    if (!FHolding || !file || !(file->openMode() & QIODevice::Append) || file->size() == 0)
        return;
    QFile old(file->fileName());
    if (!old.open(QIODevice::ReadOnly))
        return;
    if (GuessCoding(old, tcAnsi) == tcUtf8) {
        FCoding = tcUtf8;
        FHolding = false;
        return;
    }
    FAfter = afAscii;
    for (QByteArray block = old.read(kBlock); !block.isEmpty() && FAfter == afAscii; block = old.read(kBlock))
        for (const char ch : block)
            if (uchar(ch) >= 0x80) {
                FAfter = afAnsi;
                break;
            }
}

TLineWriter::~TLineWriter()
{
    try {
        Flush();
    } catch (const EInOutError&) {
        // reported by Finish when the writer is finished normally
    }
}

void TLineWriter::WriteLine(const QString& Line)
{
    if (FHolding) {
        bool fits = true;
        const QByteArray bytes = text::toCp1250(Line, &fits);
        if (fits) {
            FBlock += bytes;
            FBlock += "\r\n";
            return;
        }
        // A text Windows-1250 cannot hold: the whole file is UTF-8, marked as such.
        if (FAfter == afAnsi) {
            FBlock.clear(); // nothing of it is added
            FRaw.clear();
            FHolding = false;
            throw ETxGridError(QStringLiteral("Plik %1 jest zapisany w kodowaniu Windows-1250, w którym nie da się "
                                              "zapisać dopisywanych znaków: nic nie dopisano.")
                                   .arg(FName));
        }
        QByteArray utf8 = FAfter == afNothing ? kUtf8Mark : QByteArray();
        qsizetype at = 0;
        for (const auto& [from, length] : FRaw) { // lines copied as they are stay so
            utf8 += text::fromCp1250(FBlock.mid(at, from - at)).toUtf8();
            utf8 += FBlock.mid(from, length);
            at = from + length;
        }
        FBlock = utf8 + text::fromCp1250(FBlock.mid(at)).toUtf8();
        FRaw.clear();
        FCoding = tcUtf8;
        FHolding = false;
    }
    FBlock += Encode(Line, FCoding);
    FBlock += "\r\n";
    if (FBlock.size() >= kBlock)
        Flush();
}

void TLineWriter::WriteRawLine(const QByteArray& Bytes)
{
    if (FHolding)
        FRaw.emplace_back(FBlock.size(), Bytes.size());
    FBlock += Bytes;
    FBlock += "\r\n";
    if (FBlock.size() >= kBlock && !FHolding)
        Flush();
}

void TLineWriter::Flush()
{
    if (FBlock.isEmpty())
        return;
    const QByteArray block = std::exchange(FBlock, QByteArray());
    if (FDevice.write(block) != block.size()) {
        const QString what = FName.isEmpty() ? QStringLiteral("danych") : QStringLiteral("pliku ") + FName;
        throw EInOutError(QStringLiteral("Nie udało się zapisać %1: %2.").arg(what, FDevice.errorString()));
    }
}

void TLineWriter::Finish()
{
    Flush();
    if (auto* file = qobject_cast<QFile*>(&FDevice); file && !file->flush())
        throw EInOutError(
            QStringLiteral("Nie udało się zapisać pliku %1: %2").arg(file->fileName(), file->errorString()));
}

// --- files ---------------------------------------------------------------------------------

void OpenForReading(QFile& File, const QString& Message)
{
    CheckFileKind(File.fileName());
    if (!File.open(QIODevice::ReadOnly))
        throw ETxGridError(Message + File.fileName());
}

void CopyFileLines(const QString& FileName, TLineWriter& Out)
{
    QFile f(FileName);
    if (FileName.isEmpty() || !f.open(QIODevice::ReadOnly))
        return;
    TLineReader in(f);
    QByteArray line;
    while (in.ReadLine(line))
        Out.WriteRawLine(line);
}

// --- limits of a text file ----------------------------------------------------------------

static_assert(TTextBudget::kMaxBytes >= 3 * kWorkbookMaxText + 5 * kGridMaxRangeCells);

QByteArray TTextBudget::ReadAll(QIODevice& Device) const
{
    const QString tooMany = QStringLiteral("ma więcej niż %1 MiB").arg(kMaxBytes >> 20);
    QByteArray bytes;
    if (!Device.isSequential()) {
        const qint64 left = Device.size() - Device.pos();
        if (left > kMaxBytes)
            tooLarge(tooMany);
        bytes.reserve(qsizetype(std::max<qint64>(left, 0)));
    }
    for (;;) {
        const qint64 block = std::min<qint64>(qint64(1) << 20, kMaxBytes + 1 - bytes.size());
        const qsizetype at = bytes.size();
        bytes.resize(at + qsizetype(block));
        const qint64 got = Device.read(bytes.data() + at, block);
        bytes.resize(at + qsizetype(std::max<qint64>(got, 0)));
        if (bytes.size() > kMaxBytes)
            tooLarge(tooMany);
        if (got <= 0)
            return bytes;
    }
}

void TTextBudget::Line(qsizetype Length) const
{
    if (Length > 2 * kWorkbookMaxText + 3 * kMaxCols)
        textTooLarge();
}

void TTextBudget::Range(qint64 Cols, qint64 Rows) const
{
    if (Cols > kMaxCols)
        tooLarge(QStringLiteral("ma więcej niż %1 kolumn").arg(GroupedNumber(kMaxCols)));
    if (Rows * std::max<qint64>(Cols, 1) > kGridMaxRangeCells)
        tooLarge(QStringLiteral("siatka wczytuje najwyżej %1 komórek").arg(GroupedNumber(kGridMaxRangeCells)));
}

void TTextBudget::Row(const QStringList& Fields)
{
    FCols = std::max(FCols, qint64(Fields.size()));
    Range(std::max<qint64>(Fields.size(), FCols), ++FRows);
    for (const QString& f : Fields)
        Cell(f.size());
}

void TTextBudget::Cell(qsizetype Length)
{
    if (Length == 0)
        return;
    if (++FCells > kWorkbookMaxCells)
        tooLarge(QStringLiteral("ma więcej niż %1 niepustych komórek").arg(GroupedNumber(qint64(kWorkbookMaxCells))));
    FText += Length;
    if (FText > kWorkbookMaxText)
        textTooLarge();
}

void TTextBudget::textTooLarge() const
{
    tooLarge(QStringLiteral("tekst jego komórek przekracza %1 znaków").arg(GroupedNumber(kWorkbookMaxText)));
}

void TTextBudget::tooLarge(const QString& Why) const
{
    if (FName.isEmpty()) // a stream
        throw ETxGridError(QStringLiteral("Dane są za duże: %1.").arg(Why));
    throw ETxGridError(QStringLiteral("Plik %1 jest za duży: %2.").arg(FName, Why));
}

// --- numbers, columns, progress ------------------------------------------------------------

std::optional<int> LenientInt(const QString& Text)
{
    bool ok = false;
    const int v = Text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

int StrictInt(const QString& Text)
{
    bool ok = false;
    const int v = Text.trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Text));
    return v;
}

std::vector<int> StoreColumns(const TTxStringGrid& Grid, int From, int To)
{
    std::vector<int> hidden;
    for (int c = 0; c < 256 && int(hidden.size()) < Grid.NumHiddenColumns(); ++c)
        if (Grid.IsHiddenColumn(c))
            hidden.push_back(c);
    std::vector<int> real;
    const int shown = Grid.colCount();
    for (int k = From; k <= To; ++k) {
        if (k < 0)
            real.push_back(-1);
        else if (k < shown)
            real.push_back(Grid.RemapCol(k));
        else
            real.push_back(k - shown < int(hidden.size()) ? hidden[std::size_t(k - shown)] : -1);
    }
    return real;
}

void TProgress::Step(int Done, int Total)
{
    if (!FGrid.OnFileProgress)
        return;
    const int p = int(std::lround(100.0 * Done / std::max(1, Total)));
    if (p == FLast)
        return;
    FLast = p;
    FGrid.OnFileProgress(FGrid, short(p));
}

} // namespace grid::files
