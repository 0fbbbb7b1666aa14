#pragma once
// What printing needs of the grid it prints, and nothing more. The grid answers through an
// adapter made where the grid is assembled, so printing never sees the grid's whole class and
// a change to the grid's declaration does not recompile it.
#include "grid/core/TxgridCellGraphic.h"
#include "grid/core/TxgridEvents.h"
#include "grid/core/TxgridPlainProperties.h"
#include "grid/core/TxgridTypes.h"
#include "grid/settings/TxgridLookSettings.h"
#include "grid/settings/TxgridSettings.h"

class QWidget;

namespace grid {

class THTMLPictureCache;

class TPrintHost {
public:
    virtual ~TPrintHost() = default;

    // The grid as the print events' sender and as the preview's parent; its events.
    virtual TGridSender Sender() = 0;
    virtual QWidget* Widget() = 0;
    virtual const TTxStringGridEvents& Events() const = 0;

    // Structure: counts, fixed cells, displayed ↔ real columns, merged cells, the screen.
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual int FixedCols() const = 0;
    virtual int FixedRows() const = 0;
    virtual int RemapCol(int ACol) const = 0;    // displayed → real
    virtual int RemapColInv(int ACol) const = 0; // real → displayed
    virtual int ColWidth(int ACol) const = 0;    // displayed column, screen pixels
    virtual int ScreenDpi() const = 0;           // the grid window's, 0 when unknown
    virtual bool IsMergedCell(int ACol, int ARow) const = 0;
    virtual bool IsXMergedCell(int ACol, int ARow) const = 0;
    virtual bool IsBaseCell(int ACol, int ARow) const = 0;
    virtual TPoint CellSpan(int ACol, int ARow) const = 0;

    // Settings and look.
    virtual const TGridPlainProperties& Plain() const = 0;
    virtual const TPrintSettings& PrintSettings() = 0;
    virtual TControlLook& ControlLook() = 0;
    virtual ui::Font ControlFont() const = 0;
    virtual TVAlignment VAlignment() const = 0;
    virtual bool URLShow() const = 0;
    virtual bool URLFull() const = 0;
    virtual TColor URLColor() const = 0;
    virtual TImageList* GridImages() const = 0;
    virtual THTMLPictureCache& PictureCache() = 0;

    // Cells (real column unless said): text, computed text, look, graphics, borders.
    virtual QString GetCellEx(int ACol, int ARow) = 0;
    virtual void CalcCell(int ACol, int ARow, QString& Text) = 0;
    virtual bool HasDataCheckBox(int ACol, int ARow) = 0;
    virtual bool GetCheckBoxState(int ACol, int ARow, bool& State) = 0;
    // Displayed column, as the grid paints it.
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                     ui::Brush& Brush, ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign,
                                     bool& WordWrap) = 0;
    virtual bool IsRotated(int ACol, int ARow, int& Angle) = 0;
    virtual TCellGraphic* GetCellGraphic(int ACol, int ARow) = 0;
    virtual TPoint GetPrintGraphicSize(int ACol, int ARow, int Width, int Height, double Factor) = 0;
    virtual void GetCellPrintBorder(int ACol, int ARow, ui::Pen& APen, TCellBorders& Borders) = 0;
};

} // namespace grid
