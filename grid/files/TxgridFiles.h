#pragma once
// The grid's exchange formats as plain readers and writers over a byte device: the native
// cell file and stream, delimited text, the padded text report, fixed-width text, the HTML
// table and the XML document. The grid's file methods (TGridFiles.h) open the file and call
// these; tests drive them with in-memory buffers.
//
// Every line written ends with CR LF; a line read ends at CR LF, LF or a lone CR alike
// (TxgridLines.h), and delimited text keeps the line ends of its quoted fields. Texts are
// written 8-bit Windows-1250 when every one of them fits it, else the file is UTF-8 with a
// byte order mark, unless a format says otherwise (the XHTML and XML documents are UTF-8, as
// they declare; OEM text is CP852). Text files read are UTF-8 when they say so or their bytes
// are UTF-8 (GuessCoding), as other programs write them today, UTF-16 when they open with its
// byte order mark, else as written. Every text reader takes the whole file within the limits
// of TTextBudget before the grid changes.
#include "grid/controls/TxgridError.h"
#include "grid/controls/Txobj.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

class QFile;
class QIODevice;

namespace grid {

class TTxStringGrid;

// Writing to a file or stream failed (disk full, device closed): what was written stays.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

namespace files {

// How texts become bytes: Windows-1250; one byte per character (texts already converted to
// the OEM code page, U+0000..U+00FF); UTF-8. A TLineWriter given tcAnsi writes Windows-1250
// only when every line fits it, and UTF-8 with a byte order mark otherwise.
enum TTextCoding { tcAnsi, tcBytes, tcUtf8 };
QByteArray Encode(const QString& Text, TTextCoding Coding);
QString Decode(const QByteArray& Bytes, TTextCoding Coding);
// The coding of a text file read: UTF-8 when it begins with the UTF-8 byte order mark, or
// when its bytes are valid UTF-8 and not all ASCII; Else (the coding the grid writes)
// otherwise, so that old files keep reading as they did.
TTextCoding GuessCoding(const QByteArray& Bytes, TTextCoding Else);
// Bytes decoded in the coding GuessCoding finds, without a byte order mark; Used gets it.
// Bytes opening with a UTF-16 byte order mark (FF FE, FE FF: a spreadsheet's "Unicode text")
// are UTF-16 of that byte order, and Used gets tcUtf8, the other Unicode coding.
QString DecodeGuessed(const QByteArray& Bytes, TTextCoding Else, TTextCoding* Used = nullptr);
// The same for a device read line by line, judged by all of it from its position on (by its
// first block when it is sequential); the device is left past a byte order mark.
TTextCoding GuessCoding(QIODevice& Device, TTextCoding Else);

// Lines of a device from its current position, read in blocks.
class TLineReader {
public:
    explicit TLineReader(QIODevice& Device) : FDevice(Device) {}
    // The next line without its line end (CR LF, LF or a lone CR); false when nothing is
    // left.
    bool ReadLine(QByteArray& Line);
    bool AtEnd();

private:
    bool Fill(); // more bytes into the buffer; false at the end of the device
    QIODevice& FDevice;
    QByteArray FBuffer;
    qsizetype FPos = 0;
    qsizetype FScanned = 0; // bytes of the buffer known to hold no line end, from FPos on
    bool FDrained = false;  // the device gave nothing more
};

// Lines to a device, each followed by CR LF, collected in blocks. Finish (or a full block)
// writes them; a failed write raises EInOutError naming Name. With tcAnsi the lines are held
// until one does not fit Windows-1250 (then all of them go out as UTF-8 after a byte order
// mark) or until Finish. Lines added to a file that has some already follow its coding: UTF-8
// after UTF-8, UTF-8 without a mark after plain ASCII; a line that does not fit a file in
// Windows-1250 raises ETxGridError before anything is written.
class TLineWriter {
public:
    TLineWriter(QIODevice& Device, TTextCoding Coding, const QString& Name = QString());
    ~TLineWriter(); // writes what is left, swallowing errors (Finish reports them)
    void WriteLine(const QString& Line);
    void WriteRawLine(const QByteArray& Bytes);
    void Finish();

private:
    void Flush();
    QIODevice& FDevice;
    TTextCoding FCoding;
    QString FName;
    QByteArray FBlock;
    // tcAnsi: whether the lines so far all fit Windows-1250 and are held back.
    bool FHolding = false;
    std::vector<std::pair<qsizetype, qsizetype>> FRaw; // held bytes of WriteRawLine: where, how many
    enum TAfter : unsigned char { afNothing, afAscii, afAnsi } FAfter = afNothing; // what the file held
};

// Opens a file to read; on failure ETxGridError with Message followed by the file name. Files
// are written through TSaveFile (grid/controls/TxgridSaveFile.h).
void OpenForReading(QFile& File, const QString& Message);
// The lines of a file copied to the writer; a file that cannot be opened is left out.
void CopyFileLines(const QString& FileName, TLineWriter& Out);

// Whole numbers of the formats: the lenient reading gives nothing for a text that is not a
// number, the strict one raises EConvertError.
std::optional<int> LenientInt(const QString& Text);
int StrictInt(const QString& Text);
// The largest column or row count a file may ask for; more is taken for a corrupt file.
inline constexpr int kMaxFileCount = 10'000'000;

// What a text file may bring into the grid: the workbook readers' limits of non-empty cells,
// characters of text, columns and cells of the range it fills (TxgridOffice.h). Each step past
// one raises ETxGridError naming the file and the limit, before the grid changes.
class TTextBudget {
public:
    explicit TTextBudget(const QString& Name) : FName(Name) {}
    // A file larger than any within the limits can be: every character costs at most three
    // bytes and every field of the range at most three (its quotes and separator), every
    // line two for its end.
    static constexpr qint64 kMaxBytes = qint64(128) << 20;
    static constexpr int kMaxCols = 16384;
    // The device from its position to its end, read in blocks (never more than the file
    // holds, nor kMaxBytes).
    QByteArray ReadAll(QIODevice& Device) const;
    // A line longer than its fields can be within the limits (each character doubled, as a
    // quote in a quoted field is, and three more for each field) is refused unsplit.
    void Line(qsizetype Length) const;
    // A range of Cols x Rows cells the file fills.
    void Range(qint64 Cols, qint64 Rows) const;
    // One row more of these fields, and the range they widen.
    void Row(const QStringList& Fields);
    // A cell of that many characters (none: no cell).
    void Cell(qsizetype Length);

private:
    [[noreturn]] void textTooLarge() const;
    [[noreturn]] void tooLarge(const QString& Why) const;
    QString FName;
    qint64 FRows = 0, FCols = 0, FText = 0;
    std::size_t FCells = 0;
};
// Runs Read, a lack of memory reaching the caller as the grid's error naming the file.
template <class F>
auto MemoryGuarded(const QString& Name, F Read) -> decltype(Read())
{
    try {
        return Read();
    } catch (const std::bad_alloc&) {
        throw ETxGridError(QStringLiteral("Za mało pamięci, by wczytać plik %1.").arg(Name));
    }
}

// The real columns of store positions From .. To: the displayed columns in display order,
// then the hidden columns (by real index), -1 past them. Store positions are what the file
// formats call the grid's own column indexes.
std::vector<int> StoreColumns(const TTxStringGrid& Grid, int From, int To);

// OnFileProgress: reports round(100 x Done / max(1, Total)) only when it changed.
class TProgress {
public:
    explicit TProgress(TTxStringGrid& Grid) : FGrid(Grid) {}
    void Step(int Done, int Total);

private:
    TTxStringGrid& FGrid;
    int FLast = -1;
};

// --- native cell file and stream ----------------------------------------------------------
void WriteNativeFile(TTxStringGrid& Grid, QIODevice& Device, const QString& Name = QString());
void ReadNativeFile(TTxStringGrid& Grid, QIODevice& Device, const QString& Name);
void WriteNativeStream(TTxStringGrid& Grid, QIODevice& Device);
void ReadNativeStream(TTxStringGrid& Grid, QIODevice& Device);

// --- delimited text ---------------------------------------------------------------------
struct TCSVOptions {
    QChar Separator = QLatin1Char(',');
    bool QuoteAll = false;
    bool QuoteEmpty = true;
    bool TildeLineBreaks = false;
    // The reader is to guess the separator: a field holding any character it may guess is
    // quoted, so that only the true separator stands outside quotes.
    bool QuoteCandidates = false;
};
// One cell as written: quoted (inner double quotes doubled) when it holds the separator or a
// line break or begins with a double quote; line breaks as LF inside quotes, or as "~".
QString CSVField(const QString& Text, const TCSVOptions& Options);
// The separator of two first lines: comma, semicolon, "#", tab or "|" occurring equally
// often in both (single occurrences first, then all), the most frequent winning and earlier
// candidates winning ties; QChar(0) when none. A file of one line decides by that line.
QChar DetectDelimiter(const QString& Line1, const QString& Line2, bool HasLine2);
// The fields of one line (Separator 0: the line is one field), line breaks restored to CR LF.
// A field opening with a double quote runs to the first quote that is not doubled, "" inside
// it standing for one quote; a quote anywhere else is a character of the field. A field
// ending the line after a separator adds nothing. With MaxFields, no more than MaxFields + 1
// fields are taken (enough to tell that the line has too many).
QStringList SplitCSVLine(const QString& Line, QChar Separator, bool TildeLineBreaks, int MaxFields = -1);

void WriteCSV(TTxStringGrid& Grid, QIODevice& Device, const QString& Name = QString());
// The whole device is parsed before the grid changes, within the workbook readers' limits
// (kWorkbookMaxCells non-empty cells, kWorkbookMaxText characters, 16,384 columns and
// kGridMaxRangeCells cells of the rows read); past one, or short of memory, ETxGridError
// names the file (Name) and the limit, the grid as it was. Every cell of the rows read holds
// the file's text afterwards or none.
void ReadCSV(TTxStringGrid& Grid, QIODevice& Device, bool InsertMode, const QString& Name = QString());
void WriteASCII(TTxStringGrid& Grid, QIODevice& Device, const QString& Name = QString());
void WriteFixed(TTxStringGrid& Grid, QIODevice& Device, TIntList& Widths, const QString& Name = QString());
// Within the same limits as ReadCSV.
void ReadFixed(TTxStringGrid& Grid, QIODevice& Device, const TIntList& Positions, const QString& Name = QString());

// --- HTML and XML -----------------------------------------------------------------------
// The HTML document (or table) as lines, without the header and footer files.
QStringList HTMLLines(TTxStringGrid& Grid);
void WriteXML(TTxStringGrid& Grid, QIODevice& Device, const QString& ListDescr, const QString& RecordDescr,
              const QStringList* FieldDescr, const QString& Name = QString());

} // namespace files
} // namespace grid
