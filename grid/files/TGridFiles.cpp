// The grid's file methods handed to TGridFiles; the work is in the file of each format
// (TxgridNative.cpp, TxgridDelimited.cpp, TxgridHTMLExport.cpp, TxgridPersist.cpp).
#include "grid/files/TGridFiles.h"

#include "grid/controls/TxgridSaveFile.h"
#include "grid/core/Txgrid.h"

namespace grid {

void TGridFiles::Loaded()
{
    FGrid.CellsChanged(TRect{0, 0, FGrid.colCount(), FGrid.rowCount()});
    FGrid.CellsLoaded();
}

// --- the grid's forwards -----------------------------------------------------------------------
// Each save's refusals name the file it was to write (SavingFile).

void TTxStringGrid::SaveToFile(const QString& FileName)
{
    SavingFile(FileName, [&] { TGridFiles(*this).SaveToFile(FileName); });
}

void TTxStringGrid::LoadFromFile(const QString& FileName) { TGridFiles(*this).LoadFromFile(FileName); }
void TTxStringGrid::SaveToStream(QIODevice& Stream) { TGridFiles(*this).SaveToStream(Stream); }
void TTxStringGrid::LoadFromStream(QIODevice& Stream) { TGridFiles(*this).LoadFromStream(Stream); }

void TTxStringGrid::OutputToCSV(const QString& FileName, bool AppendMode)
{
    SavingFile(FileName, [&] { TGridFiles(*this).OutputToCSV(FileName, AppendMode); });
}

void TTxStringGrid::InputFromCSV(const QString& FileName, bool InsertMode)
{
    TGridFiles(*this).InputFromCSV(FileName, InsertMode);
}

void TTxStringGrid::SaveToASCII(const QString& FileName)
{
    SavingFile(FileName, [&] { TGridFiles(*this).SaveToASCII(FileName); });
}

void TTxStringGrid::SaveToFixed(const QString& FileName, TIntList& Widths)
{
    SavingFile(FileName, [&] { TGridFiles(*this).SaveToFixed(FileName, Widths); });
}

void TTxStringGrid::LoadFromFixed(const QString& FileName, TIntList& Positions)
{
    TGridFiles(*this).LoadFromFixed(FileName, Positions);
}

void TTxStringGrid::OutputToHTML(const QString& FileName, bool AppendMode)
{
    SavingFile(FileName, [&] { TGridFiles(*this).OutputToHTML(FileName, AppendMode); });
}

void TTxStringGrid::SaveToXML(const QString& FileName, const QString& ListDescr, const QString& RecordDescr,
                              const QStringList* FieldDescr)
{
    SavingFile(FileName, [&] { TGridFiles(*this).SaveToXML(FileName, ListDescr, RecordDescr, FieldDescr); });
}

void TTxStringGrid::SaveColSizes() { TGridFiles(*this).SaveColSizes(); }
void TTxStringGrid::LoadColSizes() { TGridFiles(*this).LoadColSizes(); }

void TTxStringGrid::SavePrintSettings(const QString& FileName, const QString& Section)
{
    SavingFile(FileName, [&] { TGridFiles(*this).SavePrintSettings(FileName, Section); });
}

void TTxStringGrid::LoadPrintSettings(const QString& FileName, const QString& Section)
{
    TGridFiles(*this).LoadPrintSettings(FileName, Section);
}

} // namespace grid
