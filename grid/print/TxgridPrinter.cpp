// TGridPrinter's making, and the grid's print functions forwarded to it.
#include "grid/print/TxgridPrinter.h"

namespace grid {

TGridPrinter::TGridPrinter(TTxStringGrid& Grid) : FGrid(Grid) {}

TGridPrinter::~TGridPrinter() = default;

void TTxStringGrid::Print() { FPrinter->Print(); }
void TTxStringGrid::PrintRect(TGridRect GridRect) { FPrinter->PrintRect(GridRect); }
void TTxStringGrid::PrintPreview(ui::Canvas& Canvas, QRect Rect) { FPrinter->PrintPreview(Canvas, Rect); }
void TTxStringGrid::PrintPreviewRect(ui::Canvas& Canvas, QRect Rect, TGridRect GridRect)
{
    FPrinter->PrintPreviewRect(Canvas, Rect, GridRect);
}
void TTxStringGrid::SetPreviewPage(int PageNr) { FPrinter->SetPreviewPage(PageNr); }
void TTxStringGrid::PrintDraw(ui::Canvas& Canvas, QRect Rect) { FPrinter->PrintDraw(Canvas, Rect); }
void TTxStringGrid::PrintDrawRect(ui::Canvas& Canvas, QRect Rect, TGridRect GridRect)
{
    FPrinter->PrintDrawRect(Canvas, Rect, GridRect);
}
int TTxStringGrid::BuildPages(ui::Canvas* Canvas, TPrintMethod Method, int TotalPages)
{
    return FPrinter->BuildPages(Canvas, Method, TotalPages);
}
void TTxStringGrid::ShowPrintPreview() { FPrinter->ShowPrintPreview(); }
int TTxStringGrid::MapFontHeight(int Size) const { return FPrinter->MapFontHeight(Size); }
int TTxStringGrid::MapFontSize(int Height) const { return TGridPrinter::MapFontSize(Height); }
int TTxStringGrid::GetPrintColWidth(int ACol) const { return FPrinter->Columns().GetPrintColWidth(ACol); }
int TTxStringGrid::GetPrintColOffset(int ACol) const { return FPrinter->Columns().GetPrintColOffset(ACol); }
const TPrintLayout& TTxStringGrid::PrintLayout() const { return FPrinter->Layout(); }
int TTxStringGrid::PrintPageCount() const { return FPrinter->PageCount(); }
TPoint TTxStringGrid::PrintCellSize(int ACol, int ARow) { return FPrinter->PrintCellSize(ACol, ARow); }
int TTxStringGrid::MaxLinesInGrid() { return FPrinter->MaxLinesInGrid(); }
int TTxStringGrid::MaxCharsInCol(int ACol) { return FPrinter->MaxCharsInCol(ACol); }
int TTxStringGrid::MaxLinesInRow(int ARow) { return FPrinter->MaxLinesInRow(ARow); }
void TTxStringGrid::CalcTextPos(TRect& Rect, int Angle, const QString& Text, TAlignment Alignment)
{
    FPrinter->CalcTextPos(Rect, Angle, Text, Alignment);
}

} // namespace grid
