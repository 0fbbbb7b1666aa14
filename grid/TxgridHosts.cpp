// The hosts that answer for the grid to its narrowly seen features, and the grid's functions
// of those features forwarded to them.
#include "grid/TxgridHosts.h"

#include "grid/core/Txgrid.h"
#include "grid/print/TxgridPrinter.h"

namespace grid {

namespace {

class TGridPrintHost final : public TPrintHost {
public:
    explicit TGridPrintHost(TTxStringGrid& Grid) : G(Grid) {}

    TGridSender Sender() override { return G; }
    QWidget* Widget() override { return &G; }
    const TTxStringGridEvents& Events() const override { return G; }

    int ColCount() const override { return G.ColCount(); }
    int RowCount() const override { return G.RowCount(); }
    int FixedCols() const override { return G.FixedCols(); }
    int FixedRows() const override { return G.FixedRows(); }
    int RemapCol(int ACol) const override { return G.RemapCol(ACol); }
    int RemapColInv(int ACol) const override { return G.RemapColInv(ACol); }
    int ColWidth(int ACol) const override { return G.colWidths(ACol); }
    int ScreenDpi() const override { return G.logicalDpiX(); }
    bool IsMergedCell(int ACol, int ARow) const override { return G.IsMergedCell(ACol, ARow); }
    bool IsXMergedCell(int ACol, int ARow) const override { return G.IsXMergedCell(ACol, ARow); }
    bool IsBaseCell(int ACol, int ARow) const override { return G.IsBaseCell(ACol, ARow); }
    TPoint CellSpan(int ACol, int ARow) const override { return G.CellSpan(ACol, ARow); }

    const TGridPlainProperties& Plain() const override { return G; }
    const TPrintSettings& PrintSettings() override { return G.PrintSettings(); }
    TControlLook& ControlLook() override { return G.ControlLook(); }
    ui::Font ControlFont() const override { return G.controlFont(); }
    TVAlignment VAlignment() const override { return G.VAlignment(); }
    bool URLShow() const override { return G.URLShow(); }
    bool URLFull() const override { return G.URLFull(); }
    TColor URLColor() const override { return G.URLColor(); }
    TImageList* GridImages() const override { return G.GridImages(); }
    THTMLPictureCache& PictureCache() override { return G.PictureCache(); }

    QString GetCellEx(int ACol, int ARow) override { return G.GetCellEx(ACol, ARow); }
    void CalcCell(int ACol, int ARow, QString& Text) override { G.CalcCell(ACol, ARow, Text); }
    bool HasDataCheckBox(int ACol, int ARow) override { return G.HasDataCheckBox(ACol, ARow); }
    bool GetCheckBoxState(int ACol, int ARow, bool& State) override { return G.GetCheckBoxState(ACol, ARow, State); }
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select, ui::Brush& Brush,
                             ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign, bool& WordWrap) override
    {
        G.GetVisualProperties(ACol, ARow, State, Print, Select, Brush, Font, HAlign, VAlign, WordWrap);
    }
    bool IsRotated(int ACol, int ARow, int& Angle) override { return G.IsRotated(ACol, ARow, Angle); }
    TCellGraphic* GetCellGraphic(int ACol, int ARow) override { return G.GetCellGraphic(ACol, ARow); }
    TPoint GetPrintGraphicSize(int ACol, int ARow, int Width, int Height, double Factor) override
    {
        return G.GetPrintGraphicSize(ACol, ARow, Width, Height, Factor);
    }
    void GetCellPrintBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders) override
    {
        G.GetCellPrintBorder(ACol, ARow, APen, Borders);
    }

private:
    TTxStringGrid& G;
};

} // namespace

std::unique_ptr<TPrintHost> MakePrintHost(TTxStringGrid& Grid) { return std::make_unique<TGridPrintHost>(Grid); }

// ---- Printing ----
void TTxStringGrid::SetPrintDeviceFactory(TPrintDeviceFactory Factory) { TGridPrinter::SetDeviceFactory(std::move(Factory)); }
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
