#include "grid/settings/TxgridLookSettings.h"

#include "grid/controls/Tsgdd.h"
#include "grid/controls/TxgridError.h"

#include <stdexcept>

namespace grid {

// --- TSortSettings -----------------------------------------------------------------------

void TSortSettings::SetSortRow(int Value)
{
    if (Value >= FOwner.HostFixedRows())
        throw std::runtime_error("Sort row should be smaller than number of fixed rows");
    FRow = Value;
}

// --- TFilter -----------------------------------------------------------------------------

TFilterData* TFilter::Add()
{
    FItems.push_back(std::make_unique<TFilterData>());
    return FItems.back().get();
}

TFilterData* TFilter::Insert(int) { return Add(); }

TFilterData* TFilter::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw ETxGridError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FItems[std::size_t(Index)].get();
}

void TFilter::SetItem(int Index, const TFilterData& Value) { *Items(Index) = Value; }

void TFilter::Delete(int Index)
{
    Items(Index);
    FItems.erase(FItems.begin() + Index);
}

TFilterData* TFilter::GetColFilter(int Col)
{
    for (const auto& f : FItems)
        if (f->Column == Col)
            return f.get();
    TFilterData* f = Add();
    f->Column = short(Col);
    return f;
}

// --- TBackGround -------------------------------------------------------------------------

void TBackGround::SetTop(int Value)
{
    FTop = Value;
    FOwner.RepaintGrid();
}

void TBackGround::SetLeft(int Value)
{
    FLeft = Value;
    FOwner.RepaintGrid();
}

void TBackGround::SetDisplay(TBackGroundDisplay Value)
{
    FDisplay = Value;
    FOwner.RepaintGrid();
}

void TBackGround::SetBitmap(const QImage& Value)
{
    FBitmap = Value.copy();
    FOwner.RepaintGrid();
}

void TBackGround::SetCells(TBackGroundCells Value)
{
    FCells = Value;
    FOwner.RepaintGrid();
}

// --- TBands ------------------------------------------------------------------------------

void TBands::RepaintIfActive()
{
    if (FActive)
        FOwner.RepaintGrid();
}

void TBands::SetActive(bool Value)
{
    FActive = Value;
    FOwner.RepaintGrid();
}

void TBands::SetPrimaryColor(ui::Color Value)
{
    FPrimaryColor = Value;
    RepaintIfActive();
}

void TBands::SetPrimaryLength(int Value)
{
    FPrimaryLength = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    RepaintIfActive();
}

void TBands::SetSecondaryColor(ui::Color Value)
{
    FSecondaryColor = Value;
    RepaintIfActive();
}

void TBands::SetSecondaryLength(int Value)
{
    FSecondaryLength = Value;
    FTotalLength = FPrimaryLength + FSecondaryLength;
    RepaintIfActive();
}

// --- TControlLook ------------------------------------------------------------------------

void TControlLook::SetColor(ui::Color Value)
{
    FColor = Value;
    FOwner.RepaintGrid();
}

void TControlLook::SetCheckedGlyph(const QImage& Value)
{
    FCheckedGlyph = Value.copy();
    FOwner.RepaintGrid();
}

void TControlLook::SetUnCheckedGlyph(const QImage& Value)
{
    FUnCheckedGlyph = Value.copy();
    FOwner.RepaintGrid();
}

void TControlLook::SetRadioOnGlyph(const QImage& Value)
{
    FRadioOnGlyph = Value.copy();
    FOwner.RepaintGrid();
}

void TControlLook::SetRadioOffGlyph(const QImage& Value)
{
    FRadioOffGlyph = Value.copy();
    FOwner.RepaintGrid();
}

void TControlLook::SetCheckSize(int Value)
{
    FCheckSize = Value;
    FOwner.RepaintGrid();
}

void TControlLook::SetRadioSize(int Value)
{
    FRadioSize = Value;
    FOwner.RepaintGrid();
}

void TControlLook::SetControlStyle(TControlStyle Value)
{
    FControlStyle = Value;
    FOwner.RepaintGrid();
}

void TControlLook::SetFlatButton(bool Value)
{
    FFlatButton = Value;
    FOwner.RepaintGrid();
}

// --- TFloatingFooter ---------------------------------------------------------------------

void TFloatingFooter::SetColor(ui::Color Value)
{
    FColor = Value;
    FOwner.RepaintFooterPanel();
}

void TFloatingFooter::SetColumn(int Value)
{
    FColumn = Value;
    FOwner.RepaintFooterPanel();
}

void TFloatingFooter::SetCustomTemplate(const QString& Value)
{
    FCustomTemplate = Value;
    FOwner.RepaintFooterPanel();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value)
{
    FFooterStyle = Value;
    FOwner.HostSetLastRowInFooter(Value == fsFixedLastRow && FVisible);
    FOwner.RepaintGrid();
    FOwner.RepaintFooterPanel();
}

void TFloatingFooter::SetVisible(bool Value)
{
    FVisible = Value;
    FOwner.SetFooterPanelHeight(Value ? FHeight - 1 : 0);
    FOwner.SetFooterPanelVisible(Value);
    FOwner.SetFixedFooters(Value ? 1 : 0);
    FOwner.HostSetLastRowInFooter(Value && FFooterStyle == fsFixedLastRow);
    FOwner.RepaintGrid();
}

void TFloatingFooter::SetHeight(int Value)
{
    FHeight = Value;
    FOwner.SetFooterPanelHeight(Value - 1);
}

TColumnCalcType TFloatingFooter::ColumnCalc(int Col) const { return TColumnCalcType(FOwner.FooterCalc(Col)); }

void TFloatingFooter::SetColumnCalc(int Col, TColumnCalcType Value) { FOwner.SetFooterCalc(Col, quint8(Value)); }

// --- TDragDropSettings -------------------------------------------------------------------

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    FOleDropTarget = Value;
    if (FOwner.IsDesigning())
        return;
    if (Value)
        FOwner.RegisterDropTarget();
    else
        FOwner.RevokeDropTarget();
}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    SetOleDropRTFAccepted(Value);
    FOleDropRTF = Value;
}

} // namespace grid
