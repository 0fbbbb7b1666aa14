#pragma once
// Types of the grid control: the kinds and placements of cell objects, the look and scrolling
// choices, editor and sort styles, cell borders, the picture types cells carry and the
// signatures of the grid's events. Events take the grid first, then their parameters in the
// order each event type gives (many put the row before the column); by-reference parameters
// are preset by the grid and may be changed by the handler.
#include "grid/core/Basegrid.h"
#include "grid/controls/TxgridImageList.h"
#include "grid/controls/Txutil.h"

#include <QIcon>
#include <QImage>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;

namespace grid {

class TTxStringGrid;
class TEditLink;           // the custom editor link of the support classes
class TGridChangeNotifier; // told of changed cells
class TPictureContainer;   // the picture container (pictures named in formatted text)
class THTMLPictureCache;   // pictures fetched by address for formatted text
class TTxStringGridCheck;  // the cell checker

// --- cell objects ------------------------------------------------------------------------
enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton
};
enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

// Pictures a cell shows. The caller of an Add operation keeps its object alive while the cell
// refers to it; Create operations make one the grid owns.
using TBitmap = QImage;
using TIcon = QIcon;
using TPicture = QImage;

// --- look, scrolling, editing, sorting -----------------------------------------------------
enum TGridLook { glStandard, glSoft };
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit
};
// The bound of what a stored file may hold: keep it the last enumerator above.
constexpr int EnumLast(TEditorType) { return edRichEdit; }
enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages
};
// The bound of what a stored file may hold: keep it the last enumerator above.
constexpr int EnumLast(TSortStyle) { return ssImages; }
// The options of a search (Find, FindFirst): a set of TFindParameters.
enum TFindParameters : unsigned {
    fnMatchCase = 0x001,          // compare case-sensitively
    fnMatchFull = 0x002,          // the whole cell must equal the text
    fnMatchRegular = 0x004,       // the text is a wildcard pattern (MatchStrEx)
    fnDirectionLeftRight = 0x008, // row by row; otherwise column by column
    fnMatchStart = 0x010,         // the text must stand at the start of the cell
    fnFindInCurrentRow = 0x020,
    fnFindInCurrentCol = 0x040,
    fnIncludeFixed = 0x080,   // fixed rows and columns, right fixed columns, footer rows too
    fnAutoGoto = 0x100,       // the found cell becomes the current cell
    fnIgnoreHTMLTags = 0x200, // formatting tags are removed before matching
    fnBackward = 0x400,
};
using TFindParams = unsigned;
enum TCellBorder : unsigned { cbTop = 1, cbLeft = 2, cbRight = 4, cbBottom = 8 };
using TCellBorders = unsigned;

// --- events ------------------------------------------------------------------------------
using TGridSender = TTxStringGrid&;
using TNotifyEvent = std::function<void(TGridSender Sender)>;
using TGridColorEvent = std::function<void(TGridSender Sender, int ARow, int ACol, TGridDrawState AState,
                                           ui::Brush& ABrush, ui::Font& AFont)>;
// A cell the grid has painted, for the application to draw over: Rect is the cell inside its
// grid lines, Canvas the one the grid painted it with.
using TDrawCellEvent =
    std::function<void(TGridSender Sender, ui::Canvas& Canvas, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TGridBorderEvent =
    std::function<void(TGridSender Sender, int ARow, int ACol, ui::Pen& APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TGridSender Sender, int ARow, int ACol, ui::Pen& LeftPen,
                                                ui::Pen& TopPen, ui::Pen& RightPen, ui::Pen& BottomPen)>;
using TGridAlignEvent =
    std::function<void(TGridSender Sender, int ARow, int ACol, TAlignment& HAlign, TVAlignment& VAlign)>;
using TGridFormatEvent =
    std::function<void(TGridSender Sender, int ACol, TSortStyle& AStyle, QString& aPrefix, QString& aSuffix)>;
using TGetCheckEvent = std::function<void(TGridSender Sender, int ACol, int ARow, QString& Value)>;
using TGridHintEvent = std::function<void(TGridSender Sender, int ARow, int ACol, QString& hintstr)>;
using TScrollHintEvent = std::function<void(TGridSender Sender, int ARow, QString& hintstr)>;
using TRowChangingEvent = std::function<void(TGridSender Sender, int OldRow, int NewRow, bool& Allow)>;
using TColChangingEvent = std::function<void(TGridSender Sender, int OldCol, int NewCol, bool& Allow)>;
using TCellChangingEvent =
    std::function<void(TGridSender Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TCanAddRowEvent = std::function<void(TGridSender Sender, bool& CanAdd)>;
using TAutoAddRowEvent = std::function<void(TGridSender Sender, int ARow)>;
using TCanInsertRowEvent = std::function<void(TGridSender Sender, int ARow, bool& CanInsert)>;
using TCanDeleteRowEvent = std::function<void(TGridSender Sender, int ARow, bool& CanDelete)>;
using TAutoInsertColEvent = std::function<void(TGridSender Sender, int ACol)>;
using TClickSortEvent = std::function<void(TGridSender Sender, int ACol)>;
using TCanSortEvent = std::function<void(TGridSender Sender, int ACol, bool& DoSort)>;
using TCustomCompareEvent = std::function<void(TGridSender Sender, const QString& str1, const QString& str2, int& Res)>;
using TRawCompareEvent = std::function<void(TGridSender Sender, int Col, int Row1, int Row2, int& Res)>;
using TNodeClickEvent = std::function<void(TGridSender Sender, int ARow, int ARowreal)>;
using TClickCellEvent = std::function<void(TGridSender Sender, int ARow, int ACol)>;
using TCanEditCellEvent = std::function<void(TGridSender Sender, int ARow, int ACol, bool& CanEdit)>;
using TIsFixedCellEvent = std::function<void(TGridSender Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TGridSender Sender, int ARow, int ACol, bool& IsPassword)>;
using TAnchorClickEvent =
    std::function<void(TGridSender Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)>;
using TAnchorEvent = std::function<void(TGridSender Sender, int ARow, int ACol, const QString& Anchor)>;
using TAnchorHintEvent = std::function<void(TGridSender Sender, int ARow, int ACol, QString& Anchor)>;
using TClipboardEvent = std::function<void(TGridSender Sender, bool& Allow)>;
using TCellValidateEvent = std::function<void(TGridSender Sender, int Col, int Row, QString& Value, bool& Valid)>;
// R in cells: Left/Top the first column and row, Right/Bottom the last, as the caller gives.
using TCellsChangedEvent = std::function<void(TGridSender Sender, TRect R)>;
using TProgressEvent = std::function<void(TGridSender Sender, short progress)>;
using TGetEditorTypeEvent = std::function<void(TGridSender Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TGetEditorPropEvent = std::function<void(TGridSender Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using TEllipsClickEvent = std::function<void(TGridSender Sender, int ACol, int ARow, QString& S)>;
using TButtonClickEvent = std::function<void(TGridSender Sender, int ACol, int ARow)>;
using TCheckBoxClickEvent = std::function<void(TGridSender Sender, int ACol, int ARow, bool State)>;
using TRadioClickEvent = std::function<void(TGridSender Sender, int ACol, int ARow, int AIdx)>;
using TComboChangeEvent =
    std::function<void(TGridSender Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TGridSender Sender, int ACol, int ARow, int AItemIndex,
                                                   const QString& ASelection, const QVariant& AObject)>;
using TSpinClickEvent = std::function<void(TGridSender Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TFloatSpinClickEvent = std::function<void(TGridSender Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TDateTimeSpinClickEvent =
    std::function<void(TGridSender Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
using TPrintStartEvent = std::function<void(TGridSender Sender, int NrOfPages, int& FromPage, int& ToPage)>;
using TPrintPageEvent =
    std::function<void(TGridSender Sender, ui::Canvas& Canvas, int PageNr, int PageXSize, int PageYSize)>;
using TPrintPageDoneEvent = std::function<void(TGridSender Sender, ui::Canvas& Canvas, int LastRow, int LastRowOffset,
                                               int LastPage, int PageXSize, int PageYSize)>;
using TFitToPageEvent = std::function<void(TGridSender Sender, double& ScaleFactor, bool& Allow)>;
using TPrintNewPageEvent = std::function<void(TGridSender Sender, int ARow, bool& NewPage)>;
using TPrintColumnWidthEvent = std::function<void(TGridSender Sender, int ACol, int& Width)>;
using TPrintRowHeightEvent = std::function<void(TGridSender Sender, int ARow, int& Height)>;
// How a print run goes: drawing the preview or the printer's pages, or counting them.
enum TPrintMethod { prPreview, prPrint, prCalcPrint, prCalcPreview };
// Where Print sends its pages (the grid's SetPrintDeviceFactory says).
using TPrintDeviceFactory = std::function<std::unique_ptr<QPagedPaintDevice>(const QString& JobName)>;
using TOleDropEvent = std::function<void(TGridSender Sender, int ARow, int ACol, const QString& data, bool& Allow)>;
using TOleDragOverEvent = std::function<void(TGridSender Sender, int ARow, int ACol, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TGridSender Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TGridSender Sender, int OLEEffect)>;
using TOleDroppedEvent = std::function<void(TGridSender Sender, TGridRect ARect)>;
using TOleDropColEvent = std::function<void(TGridSender Sender, int ARow, int ACol, int DropCol)>;
using TColumnSizeEvent = std::function<void(TGridSender Sender, int ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(TGridSender Sender, int ARow, bool& Allow)>;
using TEndColumnSizeEvent = std::function<void(TGridSender Sender, int ACol)>;
using TEndRowSizeEvent = std::function<void(TGridSender Sender, int ARow)>;
using TUpdateColumnSizeEvent = std::function<void(TGridSender Sender, int ACol, int& AWidth)>;

} // namespace grid
