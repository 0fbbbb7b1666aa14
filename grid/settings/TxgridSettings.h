#pragma once
// Settings objects of the grid (first group): navigation, mouse actions, column sizes,
// size while typing, HTML export, printing and tree nodes. The grid owns them; each keeps a
// reference to its grid through TSettingsHost. Properties that only store their value are
// plain members; those whose change acts on the grid have setters.
#include "grid/controls/Txobj.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Font.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

namespace grid {

class TBaseGrid;

// What a footer cell calculates over its column.
enum TColumnCalcType : quint8 { acNONE = 0, acSUM = 1, acAVG = 2, acCOUNT = 3, acMIN = 4, acMAX = 5 };

// What the settings objects ask of the grid that owns them (TTxStringGrid implements it).
class TSettingsHost {
public:
    virtual ~TSettingsHost() = default;
    virtual TBaseGrid& HostGrid() = 0;
    virtual void RepaintGrid() = 0;
    virtual void RepaintGridCell(int ACol, int ARow) = 0;
    virtual void StretchRightColumn() = 0;
    // The floating footer's panel.
    virtual void SetFooterPanelHeight(int Height) = 0;
    virtual void SetFooterPanelVisible(bool Visible) = 0;
    virtual void RepaintFooterPanel() = 0;
    virtual void SetFixedFooters(int Count) = 0;
    // Of the base grid: the fixed rows, whether the last row belongs to the footer, and the
    // calculation a footer cell shows (its cell property, 0 without one; setting repaints it).
    virtual int HostFixedRows() = 0;
    virtual void HostSetLastRowInFooter(bool Value) = 0;
    virtual quint8 FooterCalc(int ACol) = 0;
    virtual void SetFooterCalc(int ACol, quint8 Value) = 0;
    // Drop-target registration: true when the grid is now registered.
    virtual bool IsDesigning() const = 0;
    virtual bool RegisterDropTarget() = 0;
    virtual void RevokeDropTarget() = 0;
};

enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };

class TNavigation {
public:
    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AdvanceOnEnter = false;
    bool AdvanceInsert = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    TAdvanceDirection AdvanceDirection = adLeftRight;
    bool AllowClipboardShortCuts = false;
    bool AllowSmartClipboard = false;
    bool AllowRTFClipboard = false;
    bool AllowClipboardAlways = false;
    bool AllowClipboardRowGrow = true;
    bool AllowClipboardColGrow = true;
    bool AdvanceAuto = false;
    TInsertPosition InsertPosition = pInsertBefore;
    bool CursorWalkEditor = false;
    bool MoveRowOnSort = false;
    bool ImproveMaskSel = false;
    bool AlwaysEdit = false;
    bool CopyHTMLTagsToClipboard = true;
    bool LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;

    bool AutoGotoWhenSorted() const { return FAutoGotoWhenSorted; }
    void SetAutoGotoWhenSorted(bool Value) { FAutoGotoWhenSorted = Value; }

private:
    bool FAutoGotoWhenSorted = false;
};

struct TMouseActions {
    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool AllSelect = false;
    bool CaretPositioning = false;
    bool ColSelect = false;
    bool DirectComboDrop = false;
    bool DirectEdit = false;
    bool DisjunctRowSelect = false;
    bool DisjunctCellSelect = false;
    bool RowSelect = false;
    bool SizeFixedCol = false;
};

enum TColumnSizeLocation { clRegistry, clIniFile };

class TColumnSize {
public:
    explicit TColumnSize(TSettingsHost& AOwner) : FOwner(AOwner) {}

    bool Save = false;
    QString Key;
    QString Section;
    bool SynchWithGrid = false;
    TColumnSizeLocation Location = clRegistry;

    bool Stretch() const { return FStretch; }
    // Stores the value, then the grid stretches its right column at once.
    void SetStretch(bool Value);

private:
    TSettingsHost& FOwner;
    bool FStretch = false;
};

struct TSizeWhileTyping {
    bool Height = false;
    bool Width = false;
};

class THTMLSettings {
public:
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    bool SaveColor = true;
    bool SaveFonts = true;
    QString FooterFile;
    QString HeaderFile;
    QString TableStyle;
    QString PrefixTag;
    QString SuffixTag;
    int Width = 100;
    bool XHTML = false;
    // Column widths for the export (unpublished).
    TIntList ColWidths;
};

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TPrinterOrientation { poPortrait, poLandscape };

// Fonts and the title lines are owned values: assigning copies the argument.
class TPrintSettings {
public:
    int FooterSize = 0;
    int HeaderSize = 0;
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    TPrintPosition PageNr = ppNone;
    TPrintPosition Title = ppNone;
    QString TitleText;
    QStringList TitleLines;
    ui::Font Font;
    ui::Font HeaderFont;
    ui::Font FooterFont;
    TPrintBorders Borders = pbNoborder;
    Qt::PenStyle BorderStyle = Qt::SolidLine;
    bool Centered = false;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    int TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    QString PagePrefix;
    QString PageSuffix;
    int FixedWidth = 0;
    int FixedHeight = 0;
    bool UseFixedHeight = false;
    bool UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    QString JobName;
    QString PageNumSep = QStringLiteral("/");
    bool NoAutoSize = false;
    bool PrintGraphics = false;
};

enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf };

class TCellNode {
public:
    explicit TCellNode(TSettingsHost& AOwner) : FOwner(AOwner) {}

    ui::Color Color = ui::clSilver;
    ui::Color NodeColor = ui::clBlack;
    // Glyphs are owned copies.
    QImage ExpandGlyph;
    QImage ContractGlyph;

    TNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TNodeType Value); // repaints the grid on a real change
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value); // repaints the grid on a real change

private:
    TSettingsHost& FOwner;
    TNodeType FNodeType = cnFlat;
    bool FShowTree = false;
};

// The printed width and left offset of each column as the last print layout recorded them,
// for columns 0 to 255.
class TPrintColumns {
public:
    static constexpr int MaxColumns = 256;
    int GetPrintColWidth(int i) const;
    int GetPrintColOffset(int i) const;
    void SetPrintColWidth(int i, int Value);
    void SetPrintColOffset(int i, int Value);

private:
    static void Check(int i);
    std::array<int, MaxColumns> FWidths{};
    std::array<int, MaxColumns> FOffsets{};
};

} // namespace grid
