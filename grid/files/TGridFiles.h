#pragma once
// TGridFiles: the work behind the grid's file methods: the native cell file and stream,
// delimited text, the padded text report, fixed-width text, the HTML table and the XML
// document (the formats themselves, as readers and writers over a byte device, are in
// TxgridFiles.h), and the settings kept between runs: column widths and print settings
// (TxgridPersist.h). It keeps nothing between calls, so the grid makes one for each call;
// what the formats are set to stays in the grid's public fields (Delimiter, CSVQuoteAll,
// SaveWithFixedCells, HTMLSettings, ...).
//
// Saves cover GetSaveStartCol .. GetSaveEndCol and GetSaveStartRow .. GetSaveEndRow. Loads
// never empty the grid first, end with CellsChanged over the whole grid and CellsLoaded, and
// report OnFileProgress where said. Failures raise ETxGridError with the file name; a failed
// write raises EInOutError.
#include <QString>
#include <QStringList>

class QIODevice;

namespace grid {

class TTxStringGrid;
class TIntList;

class TGridFiles {
public:
    explicit TGridFiles(TTxStringGrid& Grid) : FGrid(Grid) {}

    // ---- the native cell file (TxgridNative.cpp) and stream --------------------------------
    void SaveToFile(const QString& FileName);
    void LoadFromFile(const QString& FileName);
    void SaveToStream(QIODevice& Stream);
    void LoadFromStream(QIODevice& Stream);

    // ---- delimited, padded and fixed-width text (TxgridDelimited.cpp) ------------------------
    void OutputToCSV(const QString& FileName, bool AppendMode);
    void InputFromCSV(const QString& FileName, bool InsertMode);
    void SaveToASCII(const QString& FileName);
    void SaveToFixed(const QString& FileName, TIntList& Widths);
    void LoadFromFixed(const QString& FileName, TIntList& Positions);

    // ---- HTML and XML (TxgridHTMLExport.cpp) --------------------------------------------------
    void OutputToHTML(const QString& FileName, bool AppendMode);
    void SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                   const QStringList* FieldDescr);

    // ---- settings kept between runs (TxgridPersist.cpp) -------------------------------------
    void SaveColSizes();
    void LoadColSizes();
    void SavePrintSettings(const QString& FileName, const QString& Section);
    void LoadPrintSettings(const QString& FileName, const QString& Section);

private:
    void Loaded(); // the end of every load: CellsChanged over the whole grid, then CellsLoaded
    TTxStringGrid& FGrid;
};

} // namespace grid
