#pragma once
// TGridPainter: the grid's painting on screen, its state and its work. The grid makes one
// when it is made and forwards its painting functions to it: a cell in its layers (colours,
// fonts and alignment, the content, borders, the soft look, tree lines, the cell's graphic,
// the focus rectangle), the sort indicator, what lies over the cells, the soft frame, and the
// footer panel along the bottom. The click test of radio groups and the sizing of cells to
// their contents measure as it paints.
//
//   TxgridPaint.cpp        the cell in its layers, its text, the sort indicator
//   TxgridGraphics.cpp     the cell's graphic: its room, its place and its drawing
//   TxgridFooterPanel.cpp  the footer panel and where it stands
#include "grid/core/Basegrid.h"
#include "grid/core/TxgridCellGraphic.h"
#include "grid/core/TxgridTypes.h"
#include "grid/text/Picturecontainer.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Control.h"

#include <vector>

namespace grid {

class TTxStringGrid;

class TGridPainter {
public:
    explicit TGridPainter(TTxStringGrid& Grid);

    // ---- the grid's painting functions (their comments are in Txgrid.h) ----
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select, ui::Brush& Brush,
                             ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign);
    void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
    TCellGraphic* GetGraphicDetails(int ACol, int ARow, int& Width, int& Height, bool& TextToo, TCellHAlign& HAlign,
                                    TCellVAlign& VAlign);
    void DrawSortIndicator(ui::Canvas& Canvas, int ACol, int Y, int X);
    void DrawGridCell(ui::Canvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State);
    // Over the painted cells: the open editor's frame (the grid adds input's marks).
    void PaintOverCells(ui::Canvas& Canvas);
    void PaintSoftFrame();
    THTMLPictureCache& PictureCache() { return FPictureCache; }

    // The font cell (ACol displayed, ARow) is measured in when sized to its contents.
    void ApplyCellFont(int ACol, int ARow, ui::Font& Font);
    // The items of a radio group drawn in Cell with Canvas's font: where painting puts them and
    // where a click finds them.
    std::vector<TRadioItemPlace> RadioPlaces(ui::Canvas& Canvas, const TCellGraphic& Graphic, const QRect& Cell);

    // ---- the footer panel (the floating footer's settings set its height and visibility) ----
    ui::Control* FooterPanel() const { return FFooterPanel; }
    void SetFooterPanelHeight(int Height);
    void SetFooterPanelVisible(bool Visible);
    void RepaintFooterPanel() { FFooterPanel->update(); }
    // Shown only once the grid's window exists, with the visible panel and a height.
    void LayoutFooterPanel();

private:
    void DrawCellContent(ui::Canvas& Canvas, int ACol, int ARow, int RealCol, TRect Rect, TGridDrawState State,
                         TAlignment HAlign, TVAlignment VAlign, bool WordWrap, TCellGraphic* Graphic, int GW, int GH,
                         bool TextToo, TCellHAlign GHA, TCellVAlign GVA);
    void DrawPlainText(ui::Canvas& Canvas, int ACol, int ARow, int RealCol, TRect Rect, const QString& Text,
                       TAlignment HAlign, TVAlignment VAlign, bool WordWrap, int GW, int GH, TCellHAlign GHA,
                       TCellVAlign GVA, int& TextWidth);
    void DrawCellGraphic(ui::Canvas& Canvas, int ACol, int ARow, int RealCol, TRect Rect, TGridDrawState State,
                         TCellGraphic* Graphic, int GW, int GH, TCellHAlign GHA, TCellVAlign GVA, TAlignment HAlign,
                         int TextWidth);
    bool SortIndicatorAt(int ACol, int ARow);
    // Whether the cell shows as selected by the disjunct row selection.
    bool RowSelected(int ARow) const;
    // The same for a cell (ACol displayed), a mouse selection in progress included.
    bool DisjunctSelected(int ACol, int ARow) const;

    TTxStringGrid& FGrid;
    THTMLPictureCache FPictureCache;
    ui::Control* FFooterPanel = nullptr; // a child of the grid
    int FFooterPanelHeight = 0;
    bool FFooterPanelVisible = false;
    bool FThemed = false;   // the platform's theme drew the controls when the grid was made
    int FCellTextWidth = 0; // width of the text painted last, for graphics placed beside it
};

} // namespace grid
