#pragma once
// TGridPrinter: the grid's printing and print preview. The grid makes one with a host that
// answers for it (TxgridPrintHost.h) and forwards its print functions here; this keeps the state between runs (the range, the page
// extent, the pages chosen, the font scale of the run, the last layout and its column table).
//
//   TxgridPrinter.cpp   the grid's print functions forwarded
//   TxgridPrint.cpp     the run of BuildPages (measuring, fitting, laying out), the devices
//   TxgridPrintDraw.cpp what a page shows, how a cell is measured for paper
#include "grid/print/TxgridPrintHost.h"
#include "grid/print/TxgridPrintLayout.h"

#include <memory>

namespace grid {

class TGridPrinter {
public:
    explicit TGridPrinter(std::unique_ptr<TPrintHost> Host);
    ~TGridPrinter();
    TGridPrinter(const TGridPrinter&) = delete;
    TGridPrinter& operator=(const TGridPrinter&) = delete;

    // What TTxStringGrid's functions of the same names do (Txgrid.h says).
    void Print();
    void PrintRect(TGridRect GridRect);
    void PrintPreview(ui::Canvas& Canvas, QRect Rect);
    void PrintPreviewRect(ui::Canvas& Canvas, QRect Rect, TGridRect GridRect);
    void SetPreviewPage(int PageNr);
    void PrintDraw(ui::Canvas& Canvas, QRect Rect);
    void PrintDrawRect(ui::Canvas& Canvas, QRect Rect, TGridRect GridRect);
    int BuildPages(ui::Canvas* Canvas, TPrintMethod Method, int TotalPages);
    void ShowPrintPreview();
    // The preview dialog's pages are the pages Print makes: laid out once on Print's page
    // (its printable area, in the orientation the settings ask; PreviewPaper in tenths of a
    // millimetre), then drawn one at a time onto a sheet of that shape. LayOutPreview gives
    // the page count.
    int LayOutPreview();
    QSize PreviewPaper() const { return FPreviewPaper; }
    void DrawPreviewPage(ui::Canvas& Canvas, int PageNr);
    int MapFontHeight(int Size) const;
    static int MapFontSize(int Height);
    const TPrintColumns& Columns() const { return FColumns; }
    const TPrintLayout& Layout() const { return FLayout; }
    int PageCount() const { return FPageCount; }
    TPoint PrintCellSize(int ACol, int ARow);
    int MaxLinesInGrid();
    int MaxCharsInCol(int ACol);
    int MaxLinesInRow(int ARow);
    void CalcTextPos(TRect& Rect, int Angle, const QString& Text, TAlignment Alignment);
    TPrintHost& Host() const { return *FHost; }
    // Where Print sends its pages; an empty function restores the default.
    static void SetDeviceFactory(TPrintDeviceFactory Factory);

private:
    struct TPrintRun;
    struct TPrintCell;
    int BuildPages(TPrintRun& Run, ui::Canvas* Canvas, TPrintMethod Method, int TotalPages, bool LaidOut);
    void LayOutPrint(TPrintRun& Run);
    void DrawPrintPage(TPrintRun& Run, int PageIndex);
    void DrawPrintHeader(TPrintRun& Run, int PageIndex);
    void PrintRow(TPrintRun& Run, int FromCol, int ToCol, int ARow, int Y, int Pitch);
    void DrawPrintCells(TPrintRun& Run);
    void DrawPrintCellContent(TPrintRun& Run, const TPrintCell& C, bool InColumn);
    TPoint PrintCellSize(TPrintRun& Run, int ACol, int ARow);
    void DrawPrintFrame(TPrintRun& Run, int PageIndex);
    int PrintRowHeight(TPrintRun& Run, int ARow);

    std::unique_ptr<TPrintHost> FHost;
    TGridRect FRange;
    QRect FPageRect;
    int FFromPage = 1;
    int FToPage = 1;
    int FPageCount = 0;
    double FFontScale = 1.0; // the run's fit while it lays out and draws; 1.0 between runs
    TPrintColumns FColumns;
    TPrintLayout FLayout;
    std::unique_ptr<TPrintRun> FPreviewRun;
    QSize FPreviewPaper;
};

} // namespace grid
