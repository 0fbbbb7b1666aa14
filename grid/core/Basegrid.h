#pragma once
// The first layer of the grid control: a string grid with a property object per cell (in the
// cell's owned slot), merged cells that show, select and navigate as one, and grid lines
// painted inside each cell so that a merged block paints once as one rectangle.
#include "platform/ui/Canvas.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Font.h"
#include "platform/ui/StringGridCore.h"
#include "platform/ui/StringGridView.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace grid {

using TColor = ui::Color;
using TRect = ui::Rect;
using TGridRect = ui::GridRect;
using TPoint = QPoint;
using TGridDrawState = ui::DrawState;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// The bound of what a stored file may hold: keep it the last enumerator above.
constexpr int EnumLast(TAlignment) { return taCenter; }
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
// Calculation of a footer cell, kept in the footer style byte of the last row's cells.

class TBaseGrid;

// The kinds of object the grid keeps in cell slots (ui::CellObject::objectKind).
inline constexpr int okCellProperties = 1;
inline constexpr int okCellGraphic = 2;

// What one cell carries beyond its text. Created on demand, owned by the cell's slot.
class TCellProperties : public ui::CellObject {
public:
    TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);
    ~TCellProperties() override;

    TBaseGrid* OwnerGrid() const { return FOwner; }
    // Where the cell is: kept up to date by the store whenever cells move.
    int Col() const { return FCol; }
    int Row() const { return FRow; }
    void SetColRow(int ACol, int ARow)
    {
        FCol = ACol;
        FRow = ARow;
    }
    // The cell's own object learns the move too.
    void placedAt(int ACol, int ARow) override;

    // A free per-cell object; not owned.
    ui::CellObject* ObjectRef() const { return FObject; }
    void SetObjectRef(ui::CellObject* Obj) { FObject = Obj; }

    // The cell object (check box, picture, ...): either the caller's (not owned) or owned.
    ui::CellObject* Graphic() const { return FGraphic; }
    void SetGraphic(ui::CellObject* Obj);
    void SetOwnedGraphic(std::unique_ptr<ui::CellObject> Obj);
    bool OwnsGraphic() const { return FOwnedGraphic != nullptr; }

    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value); // repaints the cell
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value); // repaints the cell
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value); // repaints the cell

    // Merged blocks: see TBaseGrid::MergeCells.
    int RowSpan() const { return FRowSpan; }
    int ColSpan() const { return FColSpan; }
    void SetRowSpan(int Value) { FRowSpan = Value; }
    void SetColSpan(int Value) { FColSpan = Value; }
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    int PaintStamp() const { return FPaintStamp; }
    void SetPaintStamp(int Value) { FPaintStamp = Value; }
    quint8 FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(quint8 Value) { FFooterStyle = Value; }

    // The base cell of the block holding this cell, or the cell itself.
    TPoint GetBaseCell() const;

private:
    void Repaint();

    TBaseGrid* FOwner;
    int FCol, FRow;
    ui::CellObject* FObject = nullptr;
    ui::CellObject* FGraphic = nullptr;
    std::unique_ptr<ui::CellObject> FOwnedGraphic;
    TColor FBrushColor = ui::clNone;
    int FRowSpan = -1;
    int FColSpan = -1;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintStamp = 0;
    bool FWordWrap = false;
    bool FIsBaseCell = true;
    quint8 FFooterStyle = 0;
};

class TBaseGrid : public ui::StringGridView {
    Q_OBJECT
public:
    using TGetDisplTextEvent = std::function<void(TBaseGrid& Sender, int ACol, int ARow, QString& Value)>;

    explicit TBaseGrid(QWidget* parent = nullptr);
    ~TBaseGrid() override;

    // --- published ---------------------------------------------------------------------
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TGetDisplTextEvent OnGetDisplText;

    // --- state -------------------------------------------------------------------------
    int PaintPass() const { return FPaintPass; }
    // Set by the floating footer when it shows the grid's last row.
    bool LastRowInFooter() const { return FLastRowInFooter; }
    void SetLastRowInFooter(bool Value);
    // Paints one cell into Rect of another surface (the floating footer's panel), the last
    // row the grid leaves blank while the footer shows it included.
    void PaintCellAt(ui::Canvas& canvas, int ACol, int ARow, const TRect& Rect, ui::DrawState state);
    // OnGetDisplText is asked only for rows below this limit (no limit until the grid sets it).
    int DisplTextRowLimit() const { return FDisplTextRowLimit; }
    void SetDisplTextRowLimit(int Value) { FDisplTextRowLimit = Value; }

    // --- hooks -------------------------------------------------------------------------
    virtual bool IsFixed(int ACol, int ARow);
    virtual int NodeIndent(int ARow);
    virtual bool HasNodes();
    // Paints the inside of one cell; the base draws the display text centred on one line.
    virtual void DrawGridCell(ui::Canvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State);
    virtual void FloatFooterUpdate();
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& State, bool Print, bool Select,
                                     ui::Brush& Brush, ui::Font& Font, TAlignment& HAlign, TVAlignment& VAlign,
                                     bool& WordWrap);
    virtual void MergeCells(int ACol, int ARow, int NumCols, int NumRows);
    virtual void SplitCells(int ACol, int ARow);

    // --- cell access (column first, then row) ------------------------------------------
    // The cell's property object, created when the slot is empty.
    TCellProperties* GetCellProperties(int ACol, int ARow);
    bool HasCellProperties(int ACol, int ARow) const;
    // Replaces (and frees) what the slot held.
    void SetCellProperties(int ACol, int ARow, std::unique_ptr<TCellProperties> Props);
    ui::CellObject* GetGridObject(int ACol, int ARow) const { return objects(ACol, ARow); }
    // Stores Obj and hands back what the slot held (nothing is freed).
    std::unique_ptr<ui::CellObject> SetGridObject(int ACol, int ARow, std::unique_ptr<ui::CellObject> Obj);
    ui::CellObject* GetObjectEx(int ACol, int ARow) const;
    void SetObjectEx(int ACol, int ARow, ui::CellObject* Obj);
    void SetGraphicObjectEx(int ACol, int ARow, ui::CellObject* Obj);
    void SetGraphicObjectEx(int ACol, int ARow, std::unique_ptr<ui::CellObject> Obj);
    ui::CellObject* GetGraphicObjectEx(int ACol, int ARow) const;
    // The text shown for a cell: its base cell's, possibly changed by OnGetDisplText.
    QString GetCellEx(int ACol, int ARow);
    // Writes the base cell's text of a merged cell, else the cell's own.
    void SetCellEx(int ACol, int ARow, const QString& Value);
    // Empty the text and the slot; nothing is freed: the slots' objects are handed to the
    // caller (NilRow covers every real column, hidden ones included; NilCol every row), in
    // column (row) order, empty entries where a slot held nothing.
    [[nodiscard]] std::unique_ptr<ui::CellObject> NilCell(int ACol, int ARow);
    [[nodiscard]] std::vector<std::unique_ptr<ui::CellObject>> NilRow(int ARow);
    [[nodiscard]] std::vector<std::unique_ptr<ui::CellObject>> NilCol(int ACol);
    // Texts are copied, slot objects move (the source slot is left empty).
    void CopyCols(int ToCol, int FromCol);
    void CopyRows(int ToRow, int FromRow);

    // --- merged cells ------------------------------------------------------------------
    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool IsBaseCellEx(int ACol, int ARow, int& BaseCol, int& BaseRow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    TGridRect FullCell(int ACol, int ARow) const;
    TRect CellRect(int ACol, int ARow) const;
    TPoint CellSize(int ACol, int ARow) const;
    // Pixels of one cell, also when it is wholly or partly scrolled out of view (then with
    // coordinates left of or above the scrolled area). Fixed right columns and footer rows
    // stand where the view pins them.
    TRect GetCellRect(int ACol, int ARow) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    void RepaintCell(int ACol, int ARow);
    bool IsSelected(int ACol, int ARow) const;
    void SelectBaseCell();
    int FixedColsWidth() const { return core().fixedColsWidth(); }
    int FixedRowsHeight() const { return core().fixedRowsHeight(); }
    void RepaintFixedMergedCols();
    void RepaintFixedMergedRows();

protected:
    TCellProperties* Props(int ACol, int ARow) const;

    void paint(ui::Canvas& canvas, const QRect& region) override;
    void drawCell(ui::Canvas& canvas, int ACol, int ARow, const ui::Rect& rect, ui::DrawState state) override;
    bool selectCell(int ACol, int ARow) override;
    void keyDown(int& key, Qt::KeyboardModifiers mods) override;
    void topLeftChanged() override;
    bool doMouseWheelDown(Qt::KeyboardModifiers mods, QPoint pos) override;
    bool doMouseWheelUp(Qt::KeyboardModifiers mods, QPoint pos) override;
    // The text editor covers the whole of a merged block.
    ui::Rect editorRect(int ACol, int ARow) const override;

private:
    // Paints a base or plain cell over its whole block, or into At when given.
    void PaintCell(ui::Canvas& canvas, int ACol, int ARow, ui::DrawState state, const TRect* At = nullptr);

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = ui::clSilver;
    // Starts at 1 so that a block stamped 0 (never painted) paints on the first pass.
    int FPaintPass = 1;
    bool FLastRowInFooter = false;
    int FDisplTextRowLimit;
};

} // namespace grid
