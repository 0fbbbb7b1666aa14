#pragma once
// The office bridge: the calls the grid makes to a spreadsheet program (workbooks, sheets,
// the used range, a range's values) and to a word processor (a document holding one table),
// one virtual call each, in the order the grid makes them. The native bridge does the work
// itself: workbooks are read from .xlsx (our reader) and .xls files (our record reader, in a
// helper process) and written as .xlsx (libxlsxwriter, or into one sheet's part of an existing
// package); documents are written as RTF. Tests put in a bridge that records the calls.
#include <QString>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

namespace grid {

struct TRegional;

// A cell value as the spreadsheet hands it over.
struct TOfficeValue {
    enum TKind : unsigned char { ovEmpty, ovText, ovNumber, ovBool, ovError };
    // A number that is a date serial (days since 1899-12-30, the 1900 system), written with the
    // format of the text it was made from: "2024-03-15", "2024-03-15 13:45:30", "15.03.2024",
    // "15.03.2024 13:45", "15.03.2024 13:45:30", "13:45", "13:45:30", and elapsed times of 24
    // hours or more, "60:00" and "60:00:00" (DateFormatCode).
    enum TDateForm : unsigned char {
        dfNone,
        dfDate,
        dfDateTime,
        dfDayFirst,
        dfDayFirstTime,
        dfDayFirstSeconds,
        dfTime,
        dfTimeSeconds,
        dfElapsed,
        dfElapsedSeconds,
        dfCount
    };
    TKind Kind = ovEmpty;
    double Number = 0; // ovNumber; ovBool: 0 or 1
    QString Text;      // ovText; ovNumber: empty, or for a date serial the text it was made from
    TDateForm DateForm() const;
    // The value as cell text, numbers with the decimal separator given (the regional one,
    // read once by the caller), 15 significant digits but whole numbers up to 2^53 with every
    // digit; empty for empty and error values. Booleans are "1" and "0", as .xls files hand
    // them over.
    QString ToText(QChar DecimalSeparator) const;
    // A grid text as a spreadsheet takes it: a number when it reads as one with the regional
    // decimal separator (no leading zeros, at most 15 digits or a whole number up to 2^53, an
    // exponent as ToText gives it, thousands apart by the regional separator or, where that is
    // a space, by any space; so that it comes back the same), otherwise text ("007", "=1+2");
    // empty text is an empty value.
    // A date, a time or both in a form the workbook reader gives them (TDateForm, a date from
    // 1900-01-01 on, one that exists) is a date serial, so that it reads back the same.
    static TOfficeValue FromCellText(const QString& Text, const TRegional& R);
};
// The number format a date of that form is written with ("dd.mm.yyyy hh:mm").
const char* DateFormatCode(TOfficeValue::TDateForm Form);
using TOfficeRow = std::vector<TOfficeValue>; // a dense block of a range
struct TOfficeCell {
    int Col = 0;
    TOfficeValue Value;
};

// A block of a sheet, rows and columns from 0, both ends included.
struct TOfficeRange {
    int Row1 = 0, Col1 = 0, Row2 = -1, Col2 = -1;
    bool Contains(int Row, int Col) const { return Row >= Row1 && Row <= Row2 && Col >= Col1 && Col <= Col2; }
};

// One sheet's cells, rows and columns from 0 (row 0 is the sheet's row 1). Sparse: a row
// holds only its non-empty cells, in column order, so a cell far to the right costs one cell.
struct TOfficeSheet {
    QString Name;
    std::map<int, std::vector<TOfficeCell>> Rows;
    // The range the file says the sheet uses (an .xls sheet's dimensions), which may hold
    // empty cells at its edges; none (Row2 < Row1) where the file says nothing.
    TOfficeRange Declared;
    const TOfficeValue* At(int Row, int Col) const;
    // An empty value removes the cell.
    void Set(int Row, int Col, TOfficeValue Value);
    std::size_t CellCount() const;
    // The bounding box of the non-empty values and the declared range as "$B$2:$D$5" ("$B$2"
    // for one cell, "$A$1" for none).
    QString UsedRangeAddress() const;
};

struct TOfficeWorkbook {
    std::vector<TOfficeSheet> Sheets;
    int ActiveSheet = 0;
};

// Column names of the A1 scheme: 1 = A, 26 = Z, 27 = AA, 703 = AAA; 0 for a name that is
// not letters.
QString ColumnLetters(int Col);
int ColumnNumber(const QString& Letters);

class TOfficeBridge {
public:
    virtual ~TOfficeBridge() = default;
    // --- spreadsheet: the workbook and sheet in hand ---
    virtual bool WorkbooksOpen(const QString& FileName) = 0; // false: no such file
    virtual void WorkbooksAdd() = 0;
    virtual int SheetsCount() = 0;
    virtual QString SheetName(int Index) = 0; // Index from 1
    virtual void SelectSheet(int Index) = 0;  // Index from 1
    virtual void SelectActiveSheet() = 0;
    virtual void WorksheetsAdd(const QString& Name) = 0; // the new sheet is the one in hand
    virtual QString UsedRangeAddress() = 0;
    // Range "B2:D5": its values row by row.
    virtual std::vector<TOfficeRow> RangeValue(const QString& Range) = 0;
    virtual void SetRangeValue(const QString& Range, const std::vector<std::vector<QString>>& Values) = 0;
    virtual void WorkbookSave() = 0;
    virtual void WorkbookSaveAs(const QString& FileName) = 0;
    virtual void WorkbookClose(bool SaveChanges) = 0;
    virtual void Quit() = 0;
    // --- word processor ---
    virtual void DocumentsAdd() = 0;
    virtual void TablesAdd(int Rows, int Cols) = 0;
    virtual void CellInsertAfter(int Row, int Col, const QString& Text) = 0; // from 1
    virtual void CellAlignment(int Row, int Col, int Alignment) = 0;         // 1 centred, 2 right
    virtual void DocumentSaveAs(const QString& FileName) = 0;
};

std::unique_ptr<TOfficeBridge> NewNativeOfficeBridge();

// The native readers and writers. Every failure, a lack of memory included, is an
// ETxGridError with a clear message. The reader is chosen by the file's first bytes: "PK" is
// .xlsx, D0 CF 11 E0 is .xls. Files come from anywhere: the readers stream, keep cells sparse
// and refuse a workbook past these limits, saying which.
constexpr qint64 kWorkbookMaxInflated = qint64(256) << 20; // bytes unpacked from the package
// A sheet's name is cut at the format's 31 characters. The shared string table counts
// against the cell limit by its entries, and a shared string against the text limit at each
// use after its first.
constexpr std::size_t kWorkbookMaxCells = 2'000'000;  // non-empty cells of all sheets
constexpr qint64 kWorkbookMaxText = qint64(32) << 20; // characters of text of all cells
constexpr qint64 kGridMaxRangeCells = 4'000'000;      // a used range the grid takes
constexpr qsizetype kWorkbookMaxCellText = 32767;     // characters of one cell written
TOfficeWorkbook ReadWorkbook(const QString& FileName);
// "B12" as 0-based column and row, as the reader takes it; false when it is no cell reference
// within the format's limits (16,384 columns, 1,048,576 rows).
bool CellReference(std::string_view Ref, int& Col, int& Row);
TOfficeWorkbook ReadXlsx(const QByteArray& Zip); // a whole .xlsx file in memory
void WriteXlsx(const QString& FileName, const TOfficeWorkbook& Book);
// Puts the block Written of Sheet into the sheet of that name of the existing .xlsx package
// FileName, as a spreadsheet sets a range's values: in that sheet's part only the cells of
// the block change (a replaced cell keeps its format) and its used range. A new sheet is added
// to the workbook, its relations and content types. Formulas that can read the block, in that
// sheet or in sheets that read it, lose their stored results and the workbook asks for a full
// calculation on opening; a date written adds its cell format. Every other part is kept byte
// for byte. A .xls (BIFF) file or anything that is no .xlsx package is refused and left
// untouched.
void SaveSheetIntoPackage(const QString& FileName, const TOfficeSheet& Sheet, const TOfficeRange& Written);
// An RTF document holding one table: Cells row by row, Align the paragraph alignment of each
// cell (0 left, 1 centred, 2 right).
QByteArray RtfTable(const std::vector<std::vector<QString>>& Cells, const std::vector<std::vector<int>>& Align);

} // namespace grid
