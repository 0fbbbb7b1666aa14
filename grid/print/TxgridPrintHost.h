#pragma once
// What printing needs of the grid it prints, and nothing more. The grid answers through an
// adapter made where the grid is assembled, so printing never sees the grid's whole class and
// a change to the grid's declaration does not recompile it. What every host shares stands in
// TGridHost; each function carries the grid's own name.
#include "grid/core/TxgridCellGraphic.h"
#include "grid/core/TxgridHost.h"
#include "grid/settings/TxgridLookSettings.h"

namespace grid {

class THTMLPictureCache;

class TPrintHost : public TGridHost {
public:
    // Structure: real ↔ displayed columns, widths, merged cells, the screen.
    virtual int RemapColInv(int ACol) const = 0; // real → displayed
    virtual int colWidths(int ACol) const = 0;   // displayed column, screen pixels
    virtual int logicalDpiX() const = 0;         // the grid window's, 0 when unknown
    virtual bool IsBaseCell(int ACol, int ARow) const = 0;

    // Settings and look.
    virtual const TPrintSettings& PrintSettings() = 0;
    virtual TControlLook& ControlLook() = 0;
    virtual ui::Font controlFont() const = 0;
    virtual bool URLShow() const = 0;
    virtual bool URLFull() const = 0;
    virtual TColor URLColor() const = 0;
    virtual TImageList* GridImages() const = 0;
    virtual THTMLPictureCache& PictureCache() = 0;

    // Cells (real column unless said): computed text, graphics, borders.
    virtual void CalcCell(int ACol, int ARow, QString& Text) = 0;
    virtual bool HasDataCheckBox(int ACol, int ARow) = 0;
    virtual bool GetCheckBoxState(int ACol, int ARow, bool& State) = 0;
    virtual bool IsRotated(int ACol, int ARow, int& Angle) = 0;
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow) = 0;
    virtual TPoint GetPrintGraphicSize(int ACol, int ARow, int Width, int Height, double Factor) = 0;
    virtual void GetCellPrintBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders) = 0;
};

} // namespace grid
