#pragma once
// The published events of the string grid, grouped as the grid raises them. TTxStringGrid
// inherits them, so they are members of the grid like its other published properties.
#include "grid/core/TxgridTypes.h"

namespace grid {

struct TTxStringGridEvents {
    // Painting and printing
    TGridColorEvent OnGetCellColor, OnGetCellPrintColor;
    TDrawCellEvent OnDrawCell; // ACol displayed, after the cell's graphic, before the focus rectangle
    TGridBorderEvent OnGetCellBorder, OnGetCellPrintBorder;
    TGridBorderPropEvent OnGetCellBorderProp;
    TGridAlignEvent OnGetAlignment;
    TGridFormatEvent OnGetFormat;
    TGetCheckEvent OnGetCheckTrue, OnGetCheckFalse;
    // Hints
    TGridHintEvent OnGridHint;
    TScrollHintEvent OnScrollHint;
    // Moving, adding and deleting
    TRowChangingEvent OnRowChanging;
    TColChangingEvent OnColChanging;
    TCellChangingEvent OnCellChanging;
    TCanAddRowEvent OnCanAddRow;
    TAutoAddRowEvent OnAutoAddRow, OnAutoInsertRow, OnAutoDeleteRow;
    TCanInsertRowEvent OnCanInsertRow;
    TCanDeleteRowEvent OnCanDeleteRow;
    TAutoInsertColEvent OnAutoInsertCol;
    // Sorting
    TClickSortEvent OnClickSort;
    TCanSortEvent OnCanSort;
    TCustomCompareEvent OnCustomCompare;
    TRawCompareEvent OnRawCompare;
    // Nodes and clicks
    TNodeClickEvent OnExpandNode, OnContractNode;
    TClickCellEvent OnClickCell, OnRightClickCell, OnDblClickCell;
    TNotifyEvent OnClick; // every left press, before the grid does anything with it
    // Cell questions
    TCanEditCellEvent OnCanEditCell;
    TIsFixedCellEvent OnIsFixedCell;
    TIsPasswordCellEvent OnIsPasswordCell;
    // Anchors in formatted text
    TAnchorClickEvent OnAnchorClick;
    TAnchorEvent OnAnchorEnter, OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;
    // Clipboard, validation, changes, progress
    TClipboardEvent OnClipboardPaste, OnClipboardCopy, OnClipboardCut;
    TCellValidateEvent OnCellValidate;
    TCellsChangedEvent OnCellsChanged;
    TProgressEvent OnFileProgress, OnFilterProgress;
    // Editors
    TGetEditorTypeEvent OnGetEditorType;
    TGetEditorPropEvent OnGetEditorProp;
    TEllipsClickEvent OnEllipsClick;
    TButtonClickEvent OnButtonClick;
    TCheckBoxClickEvent OnCheckBoxClick, OnCheckBoxMouseUp;
    TRadioClickEvent OnRadioClick, OnRadioMouseUp;
    TComboChangeEvent OnComboChange;
    TComboObjectChangeEvent OnComboObjectChange;
    TSpinClickEvent OnSpinClick;
    TFloatSpinClickEvent OnFloatSpinClick;
    TDateTimeSpinClickEvent OnTimeSpinClick, OnDateSpinClick;
    TNotifyEvent OnRichEditSelectionChange, OnEditingDone;
    // Printing
    TPrintStartEvent OnPrintStart;
    TPrintPageEvent OnPrintPage;
    TPrintPageDoneEvent OnPrintPageDone;
    TFitToPageEvent OnFitToPage;
    TPrintNewPageEvent OnPrintNewPage;
    TPrintColumnWidthEvent OnPrintSetColumnWidth;
    TPrintRowHeightEvent OnPrintSetRowHeight;
    // Drag and drop
    TOleDropEvent OnOleDrop, OnOleDrag;
    TOleDragOverEvent OnOleDragOver;
    TOleDragStartEvent OnOleDragStart;
    TOleDragStopEvent OnOleDragStop;
    TOleDroppedEvent OnOleDropped;
    TOleDropColEvent OnOleDropCol;
    // Sizing and moving columns and rows
    TColumnSizeEvent OnColumnSize, OnColumnMove;
    TRowSizeEvent OnRowSize, OnRowMove;
    TEndColumnSizeEvent OnEndColumnSize;
    TEndRowSizeEvent OnEndRowSize;
    TUpdateColumnSizeEvent OnUpdateColumnSize;
};

// Base for objects told of every change of the grid's cells (registered on the grid).
class TGridChangeNotifier {
public:
    virtual ~TGridChangeNotifier() = default;
    virtual void CellsChanged(TRect R) { (void)R; }
};

} // namespace grid
