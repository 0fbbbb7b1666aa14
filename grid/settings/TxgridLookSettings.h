#pragma once
// Settings objects of the grid (second group): sorting, filter, background, bands, control
// look, floating footer and drag and drop. Each keeps a reference to its grid through
// TSettingsHost; setters repaint what shows the value.
#include "grid/settings/TxgridSettings.h"

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

namespace grid {

enum TSortBlankPosition { blFirst, blLast };
enum TSortDirection { sdAscending, sdDescending };

class TSortSettings {
public:
    explicit TSortSettings(TSettingsHost& AOwner) : FOwner(AOwner) {}

    bool AutoColumnMerge = false;
    int Column = 0;
    bool Show = false;
    bool IndexShow = false;
    bool Full = true;
    bool SingleColumn = false;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true;
    TSortDirection Direction = sdAscending;
    QImage UpGlyph; // owned copies
    QImage DownGlyph;
    bool FixedCols = false;
    bool NormalCellsOnly = false;

    int Row() const { return FRow; }
    // Only a row above the grid's fixed rows' end; else std::runtime_error
    // "Sort row should be smaller than number of fixed rows" and Row keeps its value.
    void SetSortRow(int Value);

private:
    TSettingsHost& FOwner;
    int FRow = 0;
};

class TFilterData {
public:
    short Column = 0;
    QString Condition;
    bool CaseSensitive = true;
};

// The filter conditions of a grid: a collection of TFilterData owned by the grid.
class TFilter {
public:
    explicit TFilter(TSettingsHost& AOwner) : FOwner(AOwner) {}

    TFilterData* Add();
    // Appends as well; the index is not used.
    TFilterData* Insert(int Index);
    int Count() const { return int(FItems.size()); }
    TFilterData* Items(int Index) const;
    void SetItem(int Index, const TFilterData& Value);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    TBaseGrid& GetOwner() const { return FOwner.HostGrid(); }
    // The first condition for the column, appended when there is none.
    TFilterData* GetColFilter(int Col);

private:
    TSettingsHost& FOwner;
    std::vector<std::unique_ptr<TFilterData>> FItems;
};

enum TBackGroundDisplay { bdTile, bdFixed };
enum TBackGroundCells { bcNormal, bcFixed };

class TBackGround {
public:
    explicit TBackGround(TSettingsHost& AOwner) : FOwner(AOwner) {}

    int Top() const { return FTop; }
    void SetTop(int Value);
    int Left() const { return FLeft; }
    void SetLeft(int Value);
    TBackGroundDisplay Display() const { return FDisplay; }
    void SetDisplay(TBackGroundDisplay Value);
    const QImage& Bitmap() const { return FBitmap; }
    void SetBitmap(const QImage& Value); // copied in
    TBackGroundCells Cells() const { return FCells; }
    void SetCells(TBackGroundCells Value);

private:
    TSettingsHost& FOwner;
    int FTop = 0, FLeft = 0;
    TBackGroundDisplay FDisplay = bdTile;
    QImage FBitmap;
    TBackGroundCells FCells = bcNormal;
};

// Alternating row colours.
class TBands {
public:
    explicit TBands(TSettingsHost& AOwner) : FOwner(AOwner) {}

    bool Active() const { return FActive; }
    void SetActive(bool Value); // always repaints
    ui::Color PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(ui::Color Value);
    int PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(int Value);
    ui::Color SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(ui::Color Value);
    int SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(int Value);
    // The period of the band pattern.
    int TotalLength() const { return FTotalLength; }

    bool Print = false;

private:
    void RepaintIfActive();

    TSettingsHost& FOwner;
    bool FActive = false;
    ui::Color FPrimaryColor = ui::clInfoBk;
    int FPrimaryLength = 1;
    ui::Color FSecondaryColor = ui::clWindow;
    int FSecondaryLength = 1;
    int FTotalLength = 2;
};

// csTx is the library's own look.
enum TControlStyle { csClassic, csFlat, csWinXP, csBorland, csTx, csGlyph, csTheme };

class TControlLook {
public:
    explicit TControlLook(TSettingsHost& AOwner) : FOwner(AOwner) {}

    ui::Color Color() const { return FColor; }
    void SetColor(ui::Color Value);
    const QImage& CheckedGlyph() const { return FCheckedGlyph; }
    void SetCheckedGlyph(const QImage& Value);
    const QImage& UnCheckedGlyph() const { return FUnCheckedGlyph; }
    void SetUnCheckedGlyph(const QImage& Value);
    const QImage& RadioOnGlyph() const { return FRadioOnGlyph; }
    void SetRadioOnGlyph(const QImage& Value);
    const QImage& RadioOffGlyph() const { return FRadioOffGlyph; }
    void SetRadioOffGlyph(const QImage& Value);
    int CheckSize() const { return FCheckSize; }
    void SetCheckSize(int Value);
    int RadioSize() const { return FRadioSize; }
    void SetRadioSize(int Value);
    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool Value);

private:
    TSettingsHost& FOwner;
    ui::Color FColor = ui::clBlack;
    QImage FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
    int FCheckSize = 15;
    int FRadioSize = 10;
    TControlStyle FControlStyle = csClassic;
    bool FFlatButton = false;
};

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };

class TFloatingFooter {
public:
    explicit TFloatingFooter(TSettingsHost& AOwner) : FOwner(AOwner) {}

    ui::Color Color() const { return FColor; }
    void SetColor(ui::Color Value);
    int Column() const { return FColumn; }
    void SetColumn(int Value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    QString CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString& Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);

    // Follows the grid's default row height.
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    // Calculation of a column, kept in the cell properties of the grid's last row.
    TColumnCalcType ColumnCalc(int Col) const;
    void SetColumnCalc(int Col, TColumnCalcType Value);

    void Invalidate() { FOwner.RepaintFooterPanel(); }

private:
    TSettingsHost& FOwner;
    ui::Color FColor = ui::clBtnFace;
    int FColumn = 0;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    QString FCustomTemplate;
    bool FVisible = false;
    int FHeight = 0;
};

class TDragDropSettings {
public:
    explicit TDragDropSettings(TSettingsHost& AOwner) : FOwner(AOwner) {}

    bool OleAcceptFiles = true;
    bool OleAcceptText = true;
    bool OleDropSource = false;
    bool OleEntireRows = false;
    bool OleInsertRows = false;
    bool OleRemoveRows = false;

    bool OleDropTarget() const { return FOleDropTarget; }
    // At run time registers the grid as a drop target, or revokes it.
    void SetOleDropTarget(bool Value);
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool Value);

private:
    TSettingsHost& FOwner;
    bool FOleDropTarget = false;
    bool FOleDropRTF = false;
};

} // namespace grid
