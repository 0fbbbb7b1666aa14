// The hosts that answer for the grid to its narrowly seen features, and the grid's functions
// of those features (printing, sorting and filtering, finding) forwarded to them.
#include "grid/TxgridHosts.h"

#include "grid/TxgridHostAdapter.h"
#include "grid/print/TxgridPrinter.h"
#include "grid/sort/TxgridFind.h"
#include "grid/sort/TxgridSortHost.h"
#include "grid/sort/TxgridSorting.h"

#include <typeinfo>

namespace grid {

namespace {

class TGridPrintHost final : public TGridHostAdapter<TPrintHost> {
public:
    using TGridHostAdapter::TGridHostAdapter;

    int RemapColInv(int ACol) const override { return G.RemapColInv(ACol); }
    int colWidths(int ACol) const override { return G.colWidths(ACol); }
    int logicalDpiX() const override { return G.logicalDpiX(); }
    bool IsBaseCell(int ACol, int ARow) const override { return G.IsBaseCell(ACol, ARow); }

    const TPrintSettings& PrintSettings() override { return G.PrintSettings(); }
    TControlLook& ControlLook() override { return G.ControlLook(); }
    ui::Font controlFont() const override { return G.controlFont(); }
    bool URLShow() const override { return G.URLShow(); }
    bool URLFull() const override { return G.URLFull(); }
    TColor URLColor() const override { return G.URLColor(); }
    TImageList* GridImages() const override { return G.GridImages(); }
    THTMLPictureCache& PictureCache() override { return G.PictureCache(); }

    void CalcCell(int ACol, int ARow, QString& Text) override { G.CalcCell(ACol, ARow, Text); }
    bool HasDataCheckBox(int ACol, int ARow) override { return G.HasDataCheckBox(ACol, ARow); }
    bool GetCheckBoxState(int ACol, int ARow, bool& State) override { return G.GetCheckBoxState(ACol, ARow, State); }
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
};

} // namespace

// Sorting's host: a friend of the grid for the hidden-row store, the row selection and the
// work that follows rows leaving, which the grid keeps to itself.
class TGridSortHost final : public TGridHostAdapter<TSortHost> {
public:
    using TGridHostAdapter::TGridHostAdapter;

    TSortSettings& SortSettings() override { return G.SortSettings(); }
    TFilter& Filter() override { return G.Filter(); }
    bool FixedRowAlways() const override { return G.FixedRowAlways; }
    bool FilterActive() const override { return G.FilterActive(); }

    ui::StringGridCore& core() override { return G.core(); }
    THiddenRows& HiddenRowStore() override { return G.FHiddenRows; }
    ui::GapVector<char>& RowSelect() override { return G.FRowSelect; }
    unsigned CellsChanges() const override { return G.FCellsChanges; }

    void setFixedRows(int Count) override { G.setFixedRows(Count); }
    int NumHiddenColumns() const override { return G.NumHiddenColumns(); }
    int NumHiddenRows() const override { return G.NumHiddenRows(); }
    int topRow() const override { return G.topRow(); }
    void moveCurrentRaw(int ACol, int ARow) override { G.moveCurrentRaw(ACol, ARow); }
    int RemapRowInv(int ARow) const override { return G.RemapRowInv(ARow); }
    void InsertRows(int ARow, int Count) override { G.InsertRows(ARow, Count); }
    void RemoveRows(int ARow, int Count) override { G.RemoveRows(ARow, Count); }
    void UnHideRowsAll() override { G.UnHideRowsAll(); }
    void RowsLeft(int Top, int Cur, int Col, bool ExRules, const TRect& Changed) override
    {
        G.RowsLeft(Top, Cur, Col, ExRules, Changed);
    }

    void SplitCells(int ACol, int ARow) override { G.SplitCells(ACol, ARow); }
    TIntList& MergedColumns() override { return G.MergedColumns(); }
    void SplitColumnCells(int ACol) override { G.SplitColumnCells(ACol); }
    void MergedColumnsChanged() override { G.MergedColumnsChanged(); }

    const QString& SortCellRef(int ACol, int ARow, QString& Buffer) override
    {
        return DisplayedCellRef(G, ACol, ARow, Buffer);
    }
    int GetCellImageIdx(int ACol, int ARow) override { return G.GetCellImageIdx(ACol, ARow); }
    bool HasDisplTextHandler() const override { return bool(G.OnGetDisplText); }
    int DisplTextRowLimit() const override { return G.DisplTextRowLimit(); }
    void SetDisplTextRowLimit(int Value) override { G.SetDisplTextRowLimit(Value); }
    void GetColFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix) override
    {
        G.GetColFormat(ACol, AStyle, APrefix, ASuffix);
    }
    bool GetFilter(int ACol) override { return G.GetFilter(ACol); }
    bool IsNode(int ARow) override { return G.IsNode(ARow); }
    void SortSwapRows(int ARow1, int ARow2) override { G.SortSwapRows(ARow1, ARow2); }
    bool MatchFilter(int ARow) override { return G.MatchFilter(ARow); }
    bool OwnMatchFilter() const override { return G.OwnMatchFilter(); }

    void BeginUpdate() override { G.BeginUpdate(); }
    void EndUpdate() override { G.EndUpdate(); }
    int UpdateCount() const override { return G.UpdateCount(); }
    void HideInplaceEdit() override { G.HideInplaceEdit(); }
};

std::unique_ptr<TPrintHost> MakePrintHost(TTxStringGrid& Grid) { return std::make_unique<TGridPrintHost>(Grid); }
std::unique_ptr<TSortHost> MakeSortHost(TTxStringGrid& Grid) { return std::make_unique<TGridSortHost>(Grid); }

// ---- Printing ----
void TTxStringGrid::SetPrintDeviceFactory(TPrintDeviceFactory Factory)
{
    TGridPrinter::SetDeviceFactory(std::move(Factory));
}
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


// ---- Sorting and filtering ----
int TTxStringGrid::SwapCount() const { return FSorting->SwapCount(); }
TIntList& TTxStringGrid::SortCrossReference() { return FSorting->CrossReference(); }
int TTxStringGrid::Compare(int ACol, int ARow1, int ARow2) { return FSorting->Compare(ACol, ARow1, ARow2); }
int TTxStringGrid::CompareLine(int ACol, int ARow1, int ARow2) { return FSorting->CompareLine(ACol, ARow1, ARow2); }
int TTxStringGrid::CompareLineIndexed(int Idx, int ARow1, int ARow2)
{
    return FSorting->CompareLineIndexed(Idx, ARow1, ARow2);
}
bool TTxStringGrid::SortLine(int ACol, int ARow1, int ARow2) { return FSorting->SortLine(ACol, ARow1, ARow2); }
void TTxStringGrid::SortByColumn(int ACol) { FSorting->SortByColumn(ACol); }
void TTxStringGrid::QuickSort(int ACol, int Lo, int Hi) { FSorting->QuickSort(ACol, Lo, Hi); }
void TTxStringGrid::QuickSortIndexed(int Lo, int Hi) { FSorting->QuickSortIndexed(Lo, Hi); }
void TTxStringGrid::QuickSortRows(int ACol, int Lo, int Hi) { FSorting->QuickSortRows(ACol, Lo, Hi); }
void TTxStringGrid::QuickSortRowsIndexed(int Idx, int Lo, int Hi) { FSorting->QuickSortRowsIndexed(Idx, Lo, Hi); }
void TTxStringGrid::QSort() { FSorting->QSort(); }
void TTxStringGrid::QSortIndexed() { FSorting->QSortIndexed(); }
void TTxStringGrid::QSortGroup() { FSorting->QSortGroup(); }
TSortIndexList& TTxStringGrid::SortIndexes() { return FSorting->Indexes(); }
void TTxStringGrid::InitSortXRef() { FSorting->InitSortXRef(); }
int TTxStringGrid::SortedRowIndex(int ARow) const { return FSorting->SortedRowIndex(ARow); }
int TTxStringGrid::UnSortedRowIndex(int ARow) const { return FSorting->UnSortedRowIndex(ARow); }
void TTxStringGrid::ClickSort(int ACol, bool Shift) { FSorting->ClickSort(ACol, Shift); }
bool TTxStringGrid::CanClickSort(int ACol, int ARow, int PressRow, QPoint Pos)
{
    return FSorting->CanClickSort(ACol, ARow, PressRow, Pos);
}
int TTxStringGrid::CompareCount() const { return FSorting->CompareCount(); }
qint64 TTxStringGrid::SortTime() const { return FSorting->Time(); }
void TTxStringGrid::SetFilterActive(bool Value)
{
    if (Value == FFilterActive)
        return;
    FFilterActive = Value;
    if (!FSorting->FilterActiveChanged(Value))
        FFilterActive = false; // the filter could not stand: nothing is filtered
}
bool TTxStringGrid::MatchFilter(int ARow) { return FSorting->MatchFilter(ARow); }
void TTxStringGrid::ApplyFilter() { FSorting->ApplyFilter(); }
bool TTxStringGrid::OwnMatchFilter() const { return typeid(*this) == typeid(TTxStringGrid); }

// ---- Finding ----
TPoint TTxStringGrid::FindFirst(const QString& AText, TFindParams Params) { return FFinder->FindFirst(AText, Params); }
TPoint TTxStringGrid::FindNext() { return FFinder->FindNext(); }
TPoint TTxStringGrid::Find(TPoint Start, const QString& AText, TFindParams Params)
{
    return FFinder->Find(Start, AText, Params);
}
bool TTxStringGrid::MatchCell(int ACol, int ARow) { return FFinder->MatchCell(ACol, ARow); }
int TTxStringGrid::Search(const QString& AText) { return FFinder->Search(AText); }
void TTxStringGrid::SearchKey(const QString& Typed) { FFinder->SearchKey(Typed); }
void TTxStringGrid::ForgetTypedSearch() { FFinder->ForgetTyped(); }


// Rows swapped by a sort: sorting follows them with its cross-reference and the current row.
void TTxStringGrid::SortSwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0 || ARow1 >= rowCount() || ARow2 >= rowCount())
        return;
    FSorting->RowsSwapped(ARow1, ARow2);
    if (FSortSettings.SingleColumn) {
        SwapCellContents(FSortSettings.Column, ARow1, FSortSettings.Column, ARow2);
        return;
    }
    core().swapRows(ARow1, ARow2);
    if (FMouseActions.DisjunctRowSelect) {
        const bool a = GetRowSelect(ARow1), b = GetRowSelect(ARow2);
        FRowSelect[std::size_t(ARow1)] = b;
        FRowSelect[std::size_t(ARow2)] = a;
    }
    FSorting->CurrentRowSwapped(ARow1, ARow2);
    if (FUpdateCount == 0)
        Invalidate();
}

} // namespace grid
