#pragma once
// Inside the workbook files (not for the grid's users): an .xlsx package read part by part
// as a stream, the .xls reader's helper process, the messages of the limits.
//
//   TxgridWorkbookFiles.cpp  ReadWorkbook, the .xlsx reader (styles, shared strings, sheets)
//                            and the writer of new workbooks
//   TxgridXlsxPackage.cpp    the package: parts streamed from libzip under the read budget
//   TxgridXmlScanner.cpp     the XML scanner the parts are read with
//   TxgridXlsxSave.cpp       one sheet saved into an existing package
//   TxgridXlsReader.cpp      .xls through the helper program txgrid-xls (grid/xls/)
#include "grid/controls/TxgridError.h"
#include "grid/files/TxgridOffice.h"
#include "grid/files/TxgridXmlScanner.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <new>

struct zip;
struct zip_file;

namespace grid {

// "4 000 000": the limits as the messages give them.
QString GroupedNumber(qint64 N);
QString RangeTooLargeMessage(const QString& Range);
QString InflatedTooLargeMessage(const QString& FileName);
// A text longer than a workbook cell holds (kWorkbookMaxCellText), at Row and Col from 0.
QString CellTooLongMessage(const QString& Sheet, int Row, int Col, qsizetype Length);

// What one workbook may still use while it is read; each step past a limit raises
// ETxGridError naming the limit.
struct TReadBudget {
    QString FileName;
    qint64 Inflated = 0;
    std::size_t Cells = 0, Strings = 0;
    qint64 Text = 0;
    void AddInflated(qint64 N);
    void AddCell();
    void AddText(qint64 N);
    // An entry of the shared string table: its text, and a slot that costs memory even when
    // empty. More entries than the cells a workbook may hold can never all be used.
    void AddString(qint64 Chars);
};

// An .xlsx package opened read-only through libzip, from a file (read as needed, never whole)
// or from bytes in memory.
class TPackage {
public:
    explicit TPackage(const QString& FileName);
    explicit TPackage(const QByteArray& Bytes);
    ~TPackage();
    TPackage(const TPackage&) = delete;
    TPackage& operator=(const TPackage&) = delete;
    bool IsOpen() const { return FZip != nullptr; }
    bool Has(const QString& Part) const;
    zip* Handle() const { return FZip; }

private:
    zip* FZip = nullptr;
};

// A part read by the XML scanner as libzip inflates it, 16 KiB at a time: no part is held
// whole, whatever its directory entry claims. The inflated bytes count against the budget; a
// damaged part, malformed XML and a token over 16 MiB raise ETxGridError as they are met.
class TPartReader {
public:
    TPartReader(const TPackage& Package, const QString& Part, TReadBudget& Budget);
    ~TPartReader();
    TPartReader(const TPartReader&) = delete;
    TPartReader& operator=(const TPartReader&) = delete;
    bool IsOpen() const { return FFile != nullptr; }
    TXmlScanner X;

private:
    qint64 read(char* Data, qint64 Max);
    zip_file* FFile = nullptr;
    TReadBudget& FBudget;
};

// The .xlsx package: its parts streamed (Budget.FileName names it in messages).
TOfficeWorkbook ReadPackage(const TPackage& Package, TReadBudget& Budget);
// "File contains no data or corrupt file" with the name.
[[noreturn]] void Corrupt(const QString& FileName);
// The first bytes of a file, which tell its kind; ETxGridError when it cannot be opened.
QByteArray FileHead(const QString& FileName);
inline bool IsBiff(const QByteArray& Head) { return Head.startsWith("\xD0\xCF\x11\xE0"); }
// Why a .xls (BIFF) file is never written over.
QString BiffRefusedMessage(const QString& FileName);

// Runs Work on the workbook FileName so that whatever goes wrong reaches the caller as the
// grid's error: a lack of memory as OutOfMemory, anything else not ours as a corrupt file.
template <class F>
auto Guarded(const QString& FileName, const QString& OutOfMemory, F Work) -> decltype(Work())
{
    try {
        return Work();
    } catch (const ETxGridError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw ETxGridError(OutOfMemory);
    } catch (const std::exception&) {
        Corrupt(FileName);
    }
}

// .xls: read in the helper process; the program it runs can be replaced (tests).
TOfficeWorkbook ReadXlsInHelper(const QString& FileName);
// Path empty: the one installed beside the library; TimeoutMs: the wall-clock limit.
void SetXlsHelperProgram(const QString& Path, int TimeoutMs = 30000);
QString XlsHelperProgram();

} // namespace grid
